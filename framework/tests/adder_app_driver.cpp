// Drives the adder as a user would and checks what it shows and stores. A thread types
// two numbers into the dialog with SendInput, adds them with Enter, opens the About box
// with a click and closes both; meanwhile the application runs as it would alone. The
// exit status is the number of checks that failed, each also written to standard error.
// Also compiled here: the standard library after the framework's headers, beside the
// framework's min and max.
#include <afxwin.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "adder_app.h"

static_assert(min(-1, 1u) == 1u && max(2, 3.5) == 3.5 && std::max({ 1, 3, 2 }) == 3,
              "min and max compare in the common type of their operands");

namespace {

const char szSection[] = "Software\\Framework Test Makers\\Adder\\Settings";

void Key(WORD vk, DWORD dwFlags)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = dwFlags;
    SendInput(1, &input, sizeof input);
}

void Press(WORD vk)
{
    Key(vk, 0);
    Key(vk, KEYEVENTF_KEYUP);
}

void Type(const char* psz)
{
    for (; *psz != '\0'; psz++)
        Press(LOBYTE(VkKeyScanA(*psz)));
}

void ClickOn(HWND hWnd)
{
    RECT rc;
    GetWindowRect(hWnd, &rc);
    SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
}

std::string Text(HWND hWnd)
{
    char sz[256] = "";
    GetWindowTextA(hWnd, sz, sizeof sz);
    return sz;
}

class CDrivenAdderApp : public CAdderApp
{
public:
    BOOL InitInstance() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Framework Test Makers");
        std::thread driver([this] { Drive(); });
        CAdderApp::InitInstance();
        driver.join();

        Check(m_nResponse == IDOK, "the Close button ended the dialog with IDOK");
        Check(m_strSumShown == "42", "the sum shown after Enter: " + m_strSumShown);
        Check(m_strAboutText == "Adder Version 1.0", "the About box's label: " + m_strAboutText);
        Check(m_nLargest == 42, "the largest sum");
        DWORD dwStored = 0, cbData = sizeof dwStored;
        Check(RegGetValueA(HKEY_CURRENT_USER, szSection, "Largest Sum", RRF_RT_REG_DWORD, NULL, &dwStored, &cbData)
                      == ERROR_SUCCESS
                  && dwStored == 42,
              "the largest sum in the registry");
        RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Framework Test Makers");
        return FALSE;
    }
    int ExitInstance() override
    {
        CAdderApp::ExitInstance();
        return m_nFailures;
    }

private:
    // The top-level window of this process titled pszTitle once it is in front; NULL
    // after ten seconds.
    static HWND WaitForActive(const char* pszTitle)
    {
        for (int i = 0; i < 500; i++)
        {
            HWND hWnd = FindWindowA(NULL, pszTitle);
            if (hWnd != NULL && GetForegroundWindow() == hWnd)
                return hWnd;
            Sleep(20);
        }
        return NULL;
    }
    // The control's text once it reads strWanted; what it reads after two seconds else.
    static std::string WaitForText(HWND hWnd, const std::string& strWanted)
    {
        std::string strText;
        for (int i = 0; i < 100 && (strText = Text(hWnd)) != strWanted; i++)
            Sleep(20);
        return strText;
    }

    void Drive()
    {
        HWND hDlg = WaitForActive("Adder");
        if (hDlg == NULL)
        {
            Check(false, "the adder's dialog came up");
            return;
        }
        // The first edit has the focus, as the first tab stop.
        Type("12");
        Press(VK_TAB);
        Type("30");
        Press(VK_RETURN);
        m_strSumShown = WaitForText(GetDlgItem(hDlg, IDC_SUM), "42");

        ClickOn(GetDlgItem(hDlg, IDC_ABOUT));
        if (HWND hAbout = WaitForActive("About Adder"))
        {
            m_strAboutText = Text(FindWindowExA(hAbout, NULL, "Static", NULL));
            Press(VK_RETURN);
        }
        // Back in the adder (or, failing that, out of it all the same).
        if (WaitForActive("Adder") != NULL)
            ClickOn(GetDlgItem(hDlg, IDOK));
        else
            PostMessage(hDlg, WM_COMMAND, IDCANCEL, 0);
    }

    void Check(bool bOk, const std::string& strWhat)
    {
        if (!bOk)
        {
            fprintf(stderr, "failed: %s\n", strWhat.c_str());
            m_nFailures++;
        }
    }

    std::string m_strSumShown;
    std::string m_strAboutText;
    std::atomic<int> m_nFailures{ 0 };
};

CDrivenAdderApp theApp;

} // namespace
