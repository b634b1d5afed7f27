// CScanSession: a run of the choice board driven from outside, as a user with switches
// would drive it: the board is started with a log, its window found and brought to the
// foreground, keys and clicks sent through SendInput, its log lines awaited with a
// time-out, and pictures of its window asked for. The demo's scan driver and the
// board's tests share it.
#pragma once

#include <afxwin.h>

#include <functional>
#include <vector>

class CScanSession
{
public:
    CScanSession();
    // A board still running is closed, or ended when it does not close.
    ~CScanSession();
    CScanSession(const CScanSession&) = delete;
    CScanSession& operator=(const CScanSession&) = delete;

    // Starts pszExe with args and "--log pszLog" (the log is emptied first); standard
    // output and error go to pszOutput when given. FALSE when the process cannot start.
    BOOL Start(const char* pszExe, const std::vector<CString>& args, const char* pszLog,
               const char* pszOutput = NULL);
    // Waits for the board's visible window titled pszTitle and makes it the foreground
    // window; NULL when none came within dwTimeoutMS or the board ended.
    HWND WaitForWindow(const char* pszTitle, DWORD dwTimeoutMS);
    HWND GetWindow() const { return m_hWnd; }

    // Presses and releases keys such as "ctrl+right", "enter", "esc", "ctrl+shift+2":
    // modifiers ctrl, shift and alt joined to one key by '+'. FALSE for a name it does
    // not know.
    static BOOL Press(const char* pszKeys);
    // A left click at a point of the window's client area.
    BOOL Click(CPoint point);

    // Reads the log, from the line after the last one waited for, until a line that is
    // pszWanted or starts with pszWanted and a space arrives, calling onLine for each
    // line read; FALSE when none came within
    // dwTimeoutMS or the board ended first.
    BOOL WaitForLine(const char* pszWanted, DWORD dwTimeoutMS,
                     const std::function<void(const CString&)>& onLine = nullptr);
    // Every line read so far.
    const std::vector<CString>& GetLines() const { return m_lines; }

    // Asks the board for a picture of its window, written to pszPath.
    BOOL Shot(const char* pszPath);

    // Closes the window and returns the board's exit status; -1 when it did not end
    // within dwTimeoutMS (it is then ended).
    int Close(DWORD dwTimeoutMS);
    // Waits for the board to end by itself; its exit status, or -1 as Close.
    int WaitForExit(DWORD dwTimeoutMS);

private:
    // Appends the complete lines that the log gained to m_lines.
    void ReadLog();
    BOOL IsRunning() const;

    PROCESS_INFORMATION m_process;
    HWND m_hWnd;
    CString m_strLog;
    LONGLONG m_nLogRead;        // bytes of the log already read
    CString m_strPartial;       // the start of a line not yet ended
    std::vector<CString> m_lines;
    size_t m_nLinesSeen;        // lines that WaitForLine has looked at
};
