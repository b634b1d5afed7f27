// CScanSession.
#include "ScanSession.h"

#include "../../apps/choiceboard/ShotRequest.h"

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
    { "ctrl", VK_CONTROL }, { "shift", VK_SHIFT }, { "alt", VK_MENU },
};

// A key's virtual-key code, 0 for a name it does not know: the names above, one digit or
// one letter.
WORD KeyCode(const CString& strName)
{
    for (const KeyName& key : keyNames)
    {
        if (strName.CompareNoCase(key.pszName) == 0)
            return key.wVk;
    }
    if (strName.GetLength() == 1 && isalnum((unsigned char)strName[0]))
        return (WORD)toupper((unsigned char)strName[0]);
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

struct WindowSearch
{
    DWORD dwProcessId;
    const char* pszTitle;
    HWND hWnd;
};

BOOL CALLBACK FindBoardWindow(HWND hWnd, LPARAM lParam)
{
    auto* pSearch = reinterpret_cast<WindowSearch*>(lParam);
    DWORD dwProcessId = 0;
    ::GetWindowThreadProcessId(hWnd, &dwProcessId);
    char szTitle[256];
    if (dwProcessId != pSearch->dwProcessId || !::IsWindowVisible(hWnd) ||
        ::GetWindowTextA(hWnd, szTitle, sizeof szTitle) == 0 || strcmp(szTitle, pSearch->pszTitle) != 0)
        return TRUE;
    pSearch->hWnd = hWnd;
    return FALSE;
}

} // namespace

CScanSession::CScanSession() : m_process(), m_hWnd(NULL), m_nLogRead(0), m_nLinesSeen(0) {}

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
    m_strLog = pszLog;
    ::DeleteFileA(pszLog);
    CString strCommand = Quoted(pszExe);
    for (const CString& strArg : args)
        strCommand += ' ' + Quoted(strArg);
    strCommand += " --log " + Quoted(pszLog);

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
    WindowSearch search = { m_process.dwProcessId, pszTitle, NULL };
    while (IsRunning() && ::GetTickCount() - dwStart < dwTimeoutMS)
    {
        if (search.hWnd == NULL)
            ::EnumWindows(FindBoardWindow, reinterpret_cast<LPARAM>(&search));
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

BOOL CScanSession::Press(const char* pszKeys)
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
    // Down in order, up in the reverse order.
    std::vector<INPUT> inputs;
    for (WORD wVk : keys)
        inputs.push_back(KeyInput(wVk, 0));
    for (auto it = keys.rbegin(); it != keys.rend(); ++it)
        inputs.push_back(KeyInput(*it, KEYEVENTF_KEYUP));
    return ::SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT)) == inputs.size();
}

BOOL CScanSession::Click(CPoint point)
{
    if (m_hWnd == NULL || !::ClientToScreen(m_hWnd, &point))
        return FALSE;
    ::SetCursorPos(point.x, point.y);
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return ::SendInput(2, inputs, sizeof(INPUT)) == 2;
}

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
        ::Sleep(dwPollMS);
    }
}

BOOL CScanSession::Shot(const char* pszPath)
{
    if (m_hWnd == NULL)
        return FALSE;
    COPYDATASTRUCT data = { dwShotRequest, (DWORD)strlen(pszPath) + 1, const_cast<char*>(pszPath) };
    DWORD_PTR dwResult = FALSE;
    if (!::SendMessageTimeoutA(m_hWnd, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 10000,
                               &dwResult))
        return FALSE;
    return dwResult != FALSE;
}

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
