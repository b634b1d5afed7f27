// Driving dialogs as a user would, for the tests of dialogs, message boxes and common
// dialogs: steps run from a thread timer while a modal loop (the framework's, or the
// system's own in message boxes and common dialogs) waits; real input through
// SendInput; finding the dialogs of the thread and reading them.
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

// Real input: keys, text and clicks go where a user's would (the focus, the window
// under the cursor).
inline void PressKey(WORD vk, bool bShift = false)
{
    std::vector<INPUT> inputs;
    auto key = [&](WORD k, DWORD dwFlags) {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = k;
        input.ki.dwFlags = dwFlags;
        inputs.push_back(input);
    };
    if (bShift)
        key(VK_SHIFT, 0);
    key(vk, 0);
    key(vk, KEYEVENTF_KEYUP);
    if (bShift)
        key(VK_SHIFT, KEYEVENTF_KEYUP);
    SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
}

// The key with Ctrl held, as for an accelerator.
inline void PressCtrlKey(WORD vk)
{
    INPUT inputs[4] = {};
    const WORD keys[4][2] = { { VK_CONTROL, 0 }, { vk, 0 }, { vk, KEYEVENTF_KEYUP }, { VK_CONTROL, KEYEVENTF_KEYUP } };
    for (int i = 0; i < 4; i++)
    {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i][0];
        inputs[i].ki.dwFlags = keys[i][1];
    }
    SendInput(4, inputs, sizeof(INPUT));
}

inline void TypeText(const char* psz)
{
    for (; *psz != '\0'; psz++)
    {
        SHORT nScan = VkKeyScanA(*psz);
        PressKey(LOBYTE(nScan), (HIBYTE(nScan) & 1) != 0);
    }
}

inline void ClickAt(POINT ptScreen)
{
    SetCursorPos(ptScreen.x, ptScreen.y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

// A click in the middle of the window.
inline void Click(HWND hWnd)
{
    RECT rc;
    GetWindowRect(hWnd, &rc);
    ClickAt({ (rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2 });
}

inline std::string WindowText(HWND hWnd)
{
    char sz[512] = "";
    GetWindowTextA(hWnd, sz, sizeof sz);
    return sz;
}

// A visible dialog window (class "#32770") of this thread for which match holds.
inline HWND FindThreadDialog(const std::function<bool(HWND)>& match)
{
    struct Search
    {
        const std::function<bool(HWND)>* pMatch;
        HWND hWnd;
    } search = { &match, NULL };
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* p = (Search*)lParam;
            char szClass[16];
            GetClassNameA(hWnd, szClass, sizeof szClass);
            if (strcmp(szClass, "#32770") != 0 || !IsWindowVisible(hWnd) || !(*p->pMatch)(hWnd))
                return TRUE;
            p->hWnd = hWnd;
            return FALSE;
        },
        (LPARAM)&search);
    return search.hWnd;
}

// ... with that title; any title for NULL.
inline HWND FindThreadDialog(const char* pszTitle = NULL)
{
    return FindThreadDialog([pszTitle](HWND hWnd) { return pszTitle == NULL || WindowText(hWnd) == pszTitle; });
}

// A message box of this thread: a dialog with the box's text control.
inline HWND FindMessageBox()
{
    return FindThreadDialog([](HWND hWnd) { return GetDlgItem(hWnd, 0xFFFF) != NULL; });
}

// The text of a message box.
inline std::string MessageBoxText(HWND hWndBox) { return WindowText(GetDlgItem(hWndBox, 0xFFFF)); }

// A step that presses a key.
inline std::function<bool()> Press(WORD vk)
{
    return [vk] {
        PressKey(vk);
        return true;
    };
}

// A step that waits for a message box, keeps its text and presses Enter in it.
inline std::function<bool()> DismissMessageBox(std::string& strText)
{
    return [&strText] {
        HWND hWndBox = FindMessageBox();
        if (hWndBox == NULL || GetForegroundWindow() != hWndBox)
            return false;
        strText = MessageBoxText(hWndBox);
        PressKey(VK_RETURN);
        return true;
    };
}

// Steps run on a thread timer, each on every tick until it returns true. The timer
// keeps watching after the last step, until Stop: past the timeout the test fails,
// naming the step, or saying that a dialog outlived the last one (a click or key that
// went astray), and the dialogs of the thread are closed until none is left, so that
// DoModal returns.
class CDialogDriver
{
public:
    explicit CDialogDriver(DWORD dwTimeout = 8000) : m_dwTimeout(dwTimeout) {}
    ~CDialogDriver() { Stop(); }
    CDialogDriver(const CDialogDriver&) = delete;
    CDialogDriver& operator=(const CDialogDriver&) = delete;

    CDialogDriver& Then(const char* pszWhat, std::function<bool()> step)
    {
        m_steps.push_back({ pszWhat, std::move(step) });
        return *this;
    }

    void Start()
    {
        s_pDriver = this;
        m_dwStart = GetTickCount();
        m_nTimer = SetTimer(NULL, 0, 30, OnTimer);
    }

    void Stop()
    {
        if (m_nTimer != 0)
            KillTimer(NULL, m_nTimer);
        m_nTimer = 0;
        if (s_pDriver == this)
            s_pDriver = NULL;
    }

    // Every step ran to its end.
    bool Done() const { return m_nStep == m_steps.size() && !m_bTimedOut; }

private:
    struct Step
    {
        const char* pszWhat;
        std::function<bool()> run;
    };

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR nTimer, DWORD)
    {
        if (s_pDriver != NULL && s_pDriver->m_nTimer == nTimer)
            s_pDriver->Tick();
    }

    void Tick()
    {
        if (m_bTimedOut || GetTickCount() - m_dwStart > m_dwTimeout)
        {
            HWND hWnd = FindThreadDialog();
            if (!m_bTimedOut && m_nStep < m_steps.size())
                ADD_FAILURE() << "dialog step not done in time: " << m_steps[m_nStep].pszWhat;
            else if (!m_bTimedOut && hWnd != NULL)
                ADD_FAILURE() << "dialog \"" << WindowText(hWnd) << "\" still open after the last step";
            m_bTimedOut = m_bTimedOut || m_nStep < m_steps.size() || hWnd != NULL;
            if (hWnd != NULL)
                PostMessage(hWnd, WM_CLOSE, 0, 0);
            return;
        }
        // A step may start a nested modal loop that ticks again.
        if (m_bInStep)
            return;
        m_bInStep = true;
        while (m_nStep < m_steps.size() && m_steps[m_nStep].run())
            m_nStep++;
        m_bInStep = false;
    }

    std::vector<Step> m_steps;
    size_t m_nStep = 0;
    DWORD m_dwTimeout;
    DWORD m_dwStart = 0;
    UINT_PTR m_nTimer = 0;
    bool m_bTimedOut = false;
    bool m_bInStep = false;

    static inline CDialogDriver* s_pDriver = NULL;
};

// Steps for an open or save dialog titled pszTitle: it is up with the focus in its
// file-name field (check looks at it then); strName replaces the field's text and Enter
// is pressed, or Cancel is clicked when strName is empty.
inline void AnswerFileDialog(CDialogDriver& driver, const char* pszTitle, const CString& strName,
                             const std::function<void(HWND)>& check = {})
{
    driver.Then("file dialog open", [pszTitle, check] {
        HWND hDlg = FindThreadDialog(pszTitle);
        if (hDlg == NULL || GetForegroundWindow() != hDlg || !IsChild(hDlg, GetFocus()))
            return false;
        if (check)
            check(hDlg);
        return true;
    });
    if (strName.IsEmpty())
    {
        driver.Then("Cancel", [pszTitle] {
            Click(GetDlgItem(FindThreadDialog(pszTitle), IDCANCEL));
            return true;
        });
        return;
    }
    driver.Then("type the name", [strName] {
              SendMessage(GetFocus(), EM_SETSEL, 0, -1);
              TypeText(strName);
              return true;
          })
        .Then("Enter", [strName] {
            if (WindowText(GetFocus()) != (LPCSTR)strName)
                return false;
            PressKey(VK_RETURN);
            return true;
        });
}

// Dispatches the thread's messages through the framework's pump (PreTranslateMessage,
// so the dialog keys of modeless dialogs) until done() holds or about two seconds
// passed; done() at the end.
inline bool PumpFrameworkUntil(const std::function<bool()>& done)
{
    DWORD dwStart = GetTickCount();
    while (!done() && GetTickCount() - dwStart < 2000)
    {
        MSG msg;
        if (PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
            AfxPumpMessage();
        else
            MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    return done();
}
