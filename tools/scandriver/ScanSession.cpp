// CScanSession.
#include "ScanSession.h"

#include "../../apps/choiceboard/ShotRequest.h"

#include <stdlib.h>
#include <string.h>

namespace {

const DWORD dwPollMS = 10;

struct KeyName
{
    const char* pszName;
    WORD wVk;
};

const KeyName keyNames[] = {
    { "enter", VK_RETURN }, { "esc", VK_ESCAPE }, { "space", VK_SPACE },  { "left", VK_LEFT },
    { "up", VK_UP },        { "right", VK_RIGHT }, { "down", VK_DOWN },   { "delete", VK_DELETE },
    { "tab", VK_TAB },      { "ctrl", VK_CONTROL }, { "shift", VK_SHIFT }, { "alt", VK_MENU },
};

// A key's virtual-key code, 0 for a name it does not know: the names above, F1 to F12,
// one digit or one letter.
WORD KeyCode(const CString& strName)
{
    for (const KeyName& key : keyNames)
    {
        if (strName.CompareNoCase(key.pszName) == 0)
            return key.wVk;
    }
    if (strName.GetLength() == 1 && isalnum((unsigned char)strName[0]))
        return (WORD)toupper((unsigned char)strName[0]);
    const CString strNumber = strName.Mid(1);
    if (toupper((unsigned char)strName[0]) == 'F' && !strNumber.IsEmpty() && strNumber.GetLength() <= 2 &&
        strNumber.SpanIncluding("0123456789") == strNumber)
    {
        int nKey = atoi(strNumber);
        if (nKey >= 1 && nKey <= 12)
            return (WORD)(VK_F1 + nKey - 1);
    }
    return 0;
}

INPUT KeyInput(WORD wVk, DWORD dwFlags)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = wVk;
    input.ki.dwFlags = dwFlags;
    return input;
}

// Quoted for the command line when it holds a space.
CString Quoted(const CString& strArg)
{
    return strArg.Find(' ') >= 0 || strArg.IsEmpty() ? '"' + strArg + '"' : strArg;
}

// Searches the top-level windows of one process for a visible one titled pszTitle (or,
// when bMain, naming a document before or after it: "board.lmd - Choice Board"),
// without owner when bMain, other than hWndExcept.
struct WindowSearch
{
    DWORD dwProcessId;
    const char* pszTitle;
    BOOL bMain;
    HWND hWndExcept;
    HWND hWnd;
};

BOOL IsTitled(const CString& strTitle, const char* pszTitle, BOOL bWithDocument)
{
    if (strTitle == pszTitle)
        return TRUE;
    const CString strSide = CString(" - ") + pszTitle;
    return bWithDocument && (strTitle.Right(strSide.GetLength()) == strSide ||
                             strTitle.Left(strSide.GetLength()) == CString(pszTitle) + " - ");
}

BOOL CALLBACK FindProcessWindow(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<WindowSearch*>(lParam);
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    if (dwProcessId != pSearch->dwProcessId || hWnd == pSearch->hWndExcept || !::IsWindowVisible(hWnd) ||
        (pSearch->bMain && ::GetWindow(hWnd, GW_OWNER) != NULL))
        return TRUE;
    char szTitle[256];
    ::GetWindowTextA(hWnd, szTitle, sizeof szTitle);
    if (!IsTitled(szTitle, pSearch->pszTitle, pSearch->bMain))
        return TRUE;
    pSearch->hWnd = hWnd;
    return FALSE;
}

CString WindowText(HWND hWnd)
{
    char szText[256];
    ::GetWindowTextA(hWnd, szText, sizeof szText);
    return szText;
}

CString WithoutMnemonics(const CString& strText)
{
    CString strPlain = strText;
    strPlain.Replace("&", "");
    return strPlain;
}

struct ButtonSearch
{
    const char* pszText;
    HWND hWnd;
};

BOOL CALLBACK FindButton(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<ButtonSearch*>(lParam);
    char szClass[32];
    ::GetClassNameA(hWnd, szClass, sizeof szClass);
    if (_stricmp(szClass, "Button") != 0 || !::IsWindowVisible(hWnd) ||
        WithoutMnemonics(WindowText(hWnd)) != WithoutMnemonics(pSearch->pszText))
        return TRUE;
    pSearch->hWnd = hWnd;
    return FALSE;
}

} // namespace

CScanSession::CScanSession() : m_process(), m_hWnd(NULL), m_nLogRead(0), m_nLinesSeen(0), m_dwPollMS(10) {}

CScanSession::~CScanSession()
{
    if (m_process.hProcess == NULL)
        return;
    if (IsRunning())
        Close(5000);
    ::CloseHandle(m_process.hThread);
    ::CloseHandle(m_process.hProcess);
}

BOOL CScanSession::Start(const char* pszExe, const std::vector<CString>& args, const char* pszLog,
                         const char* pszOutput)
{
    ASSERT(m_process.hProcess == NULL);
    CString strCommand = Quoted(pszExe);
    for (const CString& strArg : args)
        strCommand += ' ' + Quoted(strArg);
    if (pszLog != NULL)
    {
        m_strLog = pszLog;
        ::DeleteFileA(pszLog);
        strCommand += " --log " + Quoted(pszLog);
    }

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    HANDLE hOutput = NULL;
    if (pszOutput != NULL)
    {
        SECURITY_ATTRIBUTES security = { sizeof security, NULL, TRUE };
        hOutput = ::CreateFileA(pszOutput, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &security,
                                CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        if (hOutput == INVALID_HANDLE_VALUE)
            return FALSE;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = NULL;
        startup.hStdOutput = startup.hStdError = hOutput;
    }
    CString strBuffer = strCommand;
    BOOL bStarted = ::CreateProcessA(pszExe, strBuffer.GetBuffer(0), NULL, NULL, hOutput != NULL, 0, NULL, NULL,
                                     &startup, &m_process);
    strBuffer.ReleaseBuffer();
    if (hOutput != NULL)
        ::CloseHandle(hOutput);
    if (!bStarted)
        m_process = PROCESS_INFORMATION();
    return bStarted;
}

BOOL CScanSession::IsRunning() const
{
    return m_process.hProcess != NULL && ::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT;
}

HWND CScanSession::WaitForWindow(const char* pszTitle, DWORD dwTimeoutMS)
{
    const DWORD dwStart = ::GetTickCount();
    WindowSearch search = { m_process.dwProcessId, pszTitle, TRUE, NULL, NULL };
    while (IsRunning() && ::GetTickCount() - dwStart < dwTimeoutMS)
    {
        if (search.hWnd == NULL)
            ::EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
        if (search.hWnd != NULL)
        {
            if (::GetForegroundWindow() == search.hWnd)
                return m_hWnd = search.hWnd;
            ::SetForegroundWindow(search.hWnd);
        }
        ::Sleep(dwPollMS);
    }
    return NULL;
}

BOOL CScanSession::IsInFront() const
{
    return m_hWnd != NULL && ::IsWindow(m_hWnd) && ::IsWindowVisible(m_hWnd) && ::GetForegroundWindow() == m_hWnd;
}

// The boards

HWND CScanSession::GetMDIClient() const
{
    return m_hWnd != NULL ? ::FindWindowExA(m_hWnd, NULL, "MDIClient", NULL) : NULL;
}

std::vector<HWND> CScanSession::GetBoards() const
{
    std::vector<HWND> boards;
    HWND hClient = GetMDIClient();
    if (hClient == NULL)
        return boards;
    for (HWND hChild = ::GetWindow(hClient, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        if (::IsWindowVisible(hChild) && ::GetWindow(hChild, GW_OWNER) == NULL)
            boards.push_back(hChild);
    }
    return boards;
}

HWND CScanSession::GetActiveBoard() const
{
    HWND hClient = GetMDIClient();
    if (hClient == NULL)
        return NULL;
    DWORD_PTR dwResult = 0;
    if (!::SendMessageTimeoutA(hClient, WM_MDIGETACTIVE, 0, 0, SMTO_ABORTIFHUNG, 5000, &dwResult))
        return NULL;
    return reinterpret_cast<HWND>(dwResult);
}

HWND CScanSession::FindBoard(const char* pszTitle) const
{
    for (HWND hBoard : GetBoards())
    {
        if (WindowText(hBoard) == pszTitle)
            return hBoard;
    }
    return NULL;
}

HWND CScanSession::GetView(HWND hBoard)
{
    // The framework's first pane, the view of a frame.
    const int nFirstPane = 0xE900;
    return hBoard != NULL ? ::GetDlgItem(hBoard, nFirstPane) : NULL;
}

// A click where the board's caption shows, as the mouse would activate it; a board
// whose caption others cover is reached with Control+F6, which activates the boards in
// turn, as the keyboard would.
BOOL CScanSession::ActivateBoard(const char* pszTitle)
{
    HWND hBoard = FindBoard(pszTitle);
    CRect rectWindow;
    if (hBoard == NULL || !::GetWindowRect(hBoard, &rectWindow))
        return FALSE;
    CPoint ptClient(0, 0);
    ::ClientToScreen(hBoard, &ptClient);
    // Halfway up the part of the frame above the client area: the caption.
    const int y = (rectWindow.top + ptClient.y) / 2;
    for (int x = rectWindow.left; x < rectWindow.right; x += 4)
    {
        DWORD_PTR dwHit = HTNOWHERE;
        if (::WindowFromPoint(CPoint(x, y)) == hBoard &&
            ::SendMessageTimeoutA(hBoard, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 5000, &dwHit) &&
            dwHit == HTCAPTION)
            return ClickAt(CPoint(x, y));
    }
    for (size_t i = 0; i < GetBoards().size() && GetActiveBoard() != hBoard; ++i)
    {
        HWND hActive = GetActiveBoard();
        if (!Press("ctrl+f6"))
            return FALSE;
        for (DWORD dwStart = ::GetTickCount(); GetActiveBoard() == hActive && ::GetTickCount() - dwStart < 5000;)
            ::Sleep(m_dwPollMS);
    }
    return GetActiveBoard() == hBoard;
}

// Input

BOOL CScanSession::Press(const char* pszKeys) { return Hold(pszKeys, 0); }

BOOL CScanSession::Hold(const char* pszKeys, DWORD dwHoldMS)
{
    std::vector<WORD> keys;
    CString strRest = pszKeys;
    while (!strRest.IsEmpty())
    {
        int nPlus = strRest.Find('+');
        CString strName = nPlus >= 0 ? strRest.Left(nPlus) : strRest;
        strRest = nPlus >= 0 ? strRest.Mid(nPlus + 1) : CString();
        WORD wVk = KeyCode(strName);
        if (wVk == 0)
            return FALSE;
        keys.push_back(wVk);
    }
    if (keys.empty())
        return FALSE;
    // Down in order, up in the reverse order; a press without holding goes in one call.
    std::vector<INPUT> downs, ups;
    for (WORD wVk : keys)
        downs.push_back(KeyInput(wVk, 0));
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        ups.push_back(KeyInput(*it, KEYEVENTF_KEYUP));
    if (dwHoldMS == 0)
    {
        downs.insert(downs.end(), ups.begin(), ups.end());
        ups.clear();
    }
    if (::SendInput((UINT)downs.size(), downs.data(), sizeof(INPUT)) != downs.size())
        return FALSE;
    if (ups.empty())
        return TRUE;
    ::Sleep(dwHoldMS);
    return ::SendInput((UINT)ups.size(), ups.data(), sizeof(INPUT)) == ups.size();
}

BOOL CScanSession::OpenMenu(const char* pszKeys, DWORD dwTimeoutMS)
{
    if (!Press(pszKeys))
        return FALSE;
    // The pop-up menus of the process are windows of the class "#32768".
    for (DWORD dwStart = ::GetTickCount(); ::GetTickCount() - dwStart < dwTimeoutMS; ::Sleep(m_dwPollMS))
    {
        for (HWND hPopup = ::FindWindowExA(NULL, NULL, "#32768", NULL); hPopup != NULL;
             hPopup = ::FindWindowExA(NULL, hPopup, "#32768", NULL))
        {
            DWORD dwProcessId = 0;
            ::GetWindowThreadProcessId(hPopup, &dwProcessId);
            if (dwProcessId == m_process.dwProcessId && ::IsWindowVisible(hPopup))
                return TRUE;
        }
    }
    return FALSE;
}

BOOL CScanSession::Type(const char* pszText)
{
    std::vector<INPUT> inputs;
    for (const char* p = pszText; *p != '\0'; ++p)
    {
        SHORT nScan = ::VkKeyScanA(*p);
        if (nScan == -1)
            return FALSE;
        const BOOL bShift = (HIBYTE(nScan) & 1) != 0;
        if (bShift)
            inputs.push_back(KeyInput(VK_SHIFT, 0));
        inputs.push_back(KeyInput(LOBYTE(nScan), 0));
        inputs.push_back(KeyInput(LOBYTE(nScan), KEYEVENTF_KEYUP));
        if (bShift)
            inputs.push_back(KeyInput(VK_SHIFT, KEYEVENTF_KEYUP));
    }
    return ::SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT)) == inputs.size();
}

BOOL CScanSession::Click(CPoint point)
{
    HWND hView = GetView(GetActiveBoard());
    if (hView == NULL || !::ClientToScreen(hView, &point))
        return FALSE;
    return ClickAt(point);
}

BOOL CScanSession::ClickAt(CPoint ptScreen)
{
    ::SetCursorPos(ptScreen.x, ptScreen.y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return ::SendInput(2, inputs, sizeof(INPUT)) == 2;
}

// The close box is found where the window says it is: along the caption, from the
// right, the first point that hit-tests as the close box.
BOOL CScanSession::ClickCloseBox()
{
    CRect rect;
    if (m_hWnd == NULL || !::GetWindowRect(m_hWnd, &rect))
        return FALSE;
    const int y = rect.top + ::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYCAPTION) / 2;
    for (int x = rect.right - 1; x > rect.left; --x)
    {
        DWORD_PTR dwHit = HTNOWHERE;
        if (!::SendMessageTimeoutA(m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 5000, &dwHit))
            return FALSE;
        if (dwHit == HTCLOSE)
            return ClickAt(CPoint(x - ::GetSystemMetrics(SM_CXSIZE) / 3, y));
    }
    return FALSE;
}

BOOL CScanSession::TakeFrontAway(DWORD dwWaitMS, DWORD* pdwBackMS)
{
    *pdwBackMS = INFINITE;
    HWND hAway = ::CreateWindowExA(0, "STATIC", "another program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 300,
                                   200, NULL, NULL, ::GetModuleHandleA(NULL), NULL);
    if (hAway == NULL)
        return FALSE;
    ::SetForegroundWindow(hAway);
    const DWORD dwStart = ::GetTickCount();
    const BOOL bTaken = ::GetForegroundWindow() == hAway;
    while (bTaken && *pdwBackMS == INFINITE && ::GetTickCount() - dwStart < dwWaitMS)
    {
        MSG msg;
        while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            ::DispatchMessageA(&msg);
        if (IsInFront())
            *pdwBackMS = ::GetTickCount() - dwStart;
        else
            ::Sleep(5);
    }
    ::DestroyWindow(hAway);
    return bTaken;
}

// Dialogs

HWND CScanSession::WaitForDialog(const char* pszTitle, DWORD dwTimeoutMS)
{
    const DWORD dwStart = ::GetTickCount();
    WindowSearch search = { m_process.dwProcessId, pszTitle, FALSE, m_hWnd, NULL };
    while (IsRunning() && ::GetTickCount() - dwStart < dwTimeoutMS)
    {
        ::EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
        if (search.hWnd != NULL)
            return search.hWnd;
        ::Sleep(dwPollMS);
    }
    return NULL;
}

CString CScanSession::DescribeWindows() const
{
    struct Listing
    {
        DWORD dwProcessId;
        CString strText;
    } listing = { m_process.dwProcessId, CString() };
    ::EnumWindows(
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* pListing = reinterpret_cast<Listing*>(lParam);
            DWORD dwProcessId = 0;
            ::GetWindowThreadProcessId(hWnd, &dwProcessId);
            if (dwProcessId == pListing->dwProcessId && ::IsWindowVisible(hWnd))
                pListing->strText += "  \"" + WindowText(hWnd) + "\"" +
                                     (::GetForegroundWindow() == hWnd ? " (in front)\n" : "\n");
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&listing));
    return listing.strText;
}

BOOL CScanSession::ClickButton(HWND hDialog, const char* pszText)
{
    ButtonSearch search = { pszText, NULL };
    ::EnumChildWindows(hDialog, FindButton, reinterpret_cast<LPARAM>(&search));
    CRect rect;
    if (search.hWnd == NULL || !::GetWindowRect(search.hWnd, &rect))
        return FALSE;
    return ClickAt(rect.CenterPoint());
}

BOOL CScanSession::OpenThroughMenu(const char* pszPath, DWORD dwTimeoutMS)
{
    if (!OpenMenu("alt+f", dwTimeoutMS) || !Press("o"))
        return FALSE;
    HWND hDialog = WaitForDialog("Open", dwTimeoutMS);
    if (hDialog == NULL)
        return FALSE;
    // The file name field has the focus when the dialog opens.
    for (DWORD dwStart = ::GetTickCount(); ::GetForegroundWindow() != hDialog; ::Sleep(dwPollMS))
    {
        if (::GetTickCount() - dwStart >= dwTimeoutMS)
            return FALSE;
    }
    return Type(pszPath) && Press("enter");
}

// The log

void CScanSession::ReadLog()
{
    HANDLE hFile = ::CreateFileA(m_strLog, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
        return;
    LARGE_INTEGER offset;
    offset.QuadPart = m_nLogRead;
    char buffer[4096];
    DWORD dwRead = 0;
    if (::SetFilePointerEx(hFile, offset, NULL, FILE_BEGIN))
    {
        while (::ReadFile(hFile, buffer, sizeof buffer, &dwRead, NULL) && dwRead != 0)
        {
            m_nLogRead += dwRead;
            for (DWORD i = 0; i < dwRead; ++i)
            {
                if (buffer[i] != '\n')
                {
                    m_strPartial += buffer[i];
                    continue;
                }
                m_lines.push_back(m_strPartial);
                m_strPartial.Empty();
            }
        }
    }
    ::CloseHandle(hFile);
}

BOOL CScanSession::WaitForLine(const char* pszWanted, DWORD dwTimeoutMS,
                               const std::function<void(const CString&)>& onLine)
{
    const DWORD dwStart = ::GetTickCount();
    const CString strWanted = pszWanted;
    size_t nSeen = m_nLinesSeen;
    for (;;)
    {
        // The board may write its last lines as it ends: they are read once more.
        BOOL bRunning = IsRunning();
        ReadLog();
        for (; nSeen < m_lines.size(); ++nSeen)
        {
            const CString& strLine = m_lines[nSeen];
            if (onLine)
                onLine(strLine);
            if (strLine == strWanted || strLine.Left(strWanted.GetLength() + 1) == strWanted + ' ')
            {
                m_nLinesSeen = nSeen + 1;
                return TRUE;
            }
        }
        m_nLinesSeen = nSeen;
        if (!bRunning || ::GetTickCount() - dwStart >= dwTimeoutMS)
            return FALSE;
        ::Sleep(m_dwPollMS);
    }
}

BOOL CScanSession::Request(ULONG_PTR dwRequest, const char* pszPath)
{
    if (m_hWnd == NULL)
        return FALSE;
    COPYDATASTRUCT data = { dwRequest, (DWORD)strlen(pszPath) + 1, const_cast<char*>(pszPath) };
    DWORD_PTR dwResult = FALSE;
    if (!::SendMessageTimeoutA(m_hWnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 10000,
                               &dwResult))
        return FALSE;
    return dwResult != FALSE;
}

BOOL CScanSession::Shot(const char* pszPath) { return Request(dwShotRequest, pszPath); }

BOOL CScanSession::ShotWindow(const char* pszPath) { return Request(dwWindowShotRequest, pszPath); }

int CScanSession::Close(DWORD dwTimeoutMS)
{
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
    return WaitForExit(dwTimeoutMS);
}

int CScanSession::WaitForExit(DWORD dwTimeoutMS)
{
    if (m_process.hProcess == NULL)
        return -1;
    if (::WaitForSingleObject(m_process.hProcess, dwTimeoutMS) != WAIT_OBJECT_0)
    {
        ::TerminateProcess(m_process.hProcess, (UINT)-1);
        ::WaitForSingleObject(m_process.hProcess, INFINITE);
        return -1;
    }
    DWORD dwStatus = (DWORD)-1;
    ::GetExitCodeProcess(m_process.hProcess, &dwStatus);
    return (int)dwStatus;
}
