// CScanSession: a run of the choice board driven from outside, as a user would drive
// it: the board is started with a log, its main window found and brought to the
// foreground, keys, typing and clicks sent through SendInput (into a board, on a
// board's caption, on a dialog's buttons, on the main window's close box), its log
// lines awaited with a time-out, and pictures of a board or of the main window asked
// for. The demo's scan driver, the board's tests and the benchmarks share it.
//
// The main window holds the boards as MDI children, each child showing one board in
// its view; points given for a board are in its view's client coordinates.
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

    // Starts pszExe with args and, when pszLog is given, "--log pszLog" (the log is
    // emptied first); standard output and error go to pszOutput when given. FALSE when
    // the process cannot start.
    BOOL Start(const char* pszExe, const std::vector<CString>& args, const char* pszLog,
               const char* pszOutput = NULL);
    // Waits for the board's main window, a visible window without owner titled
    // pszTitle, or with a document's name before or after it ("board.lmd - Choice
    // Board"), and makes it the foreground window; NULL when none came within
    // dwTimeoutMS or the board ended.
    HWND WaitForWindow(const char* pszTitle, DWORD dwTimeoutMS);
    HWND GetWindow() const { return m_hWnd; }
    // Whether the main window is there and in the foreground.
    BOOL IsInFront() const;

// The boards
    // The main window's boards (MDI children), front first.
    std::vector<HWND> GetBoards() const;
    HWND GetActiveBoard() const;
    // The board titled pszTitle; NULL when there is none.
    HWND FindBoard(const char* pszTitle) const;
    // A board's view, the window that shows it.
    static HWND GetView(HWND hBoard);
    // Activates the board titled pszTitle: a click on its caption where it shows, else
    // Control+F6 until it is the active one. FALSE when it could not.
    BOOL ActivateBoard(const char* pszTitle);

// Input
    // Presses and releases keys such as "ctrl+right", "enter", "esc", "ctrl+shift+2",
    // "alt+f4", "ctrl+f1": modifiers ctrl, shift and alt joined to one key by '+'.
    // FALSE for a name it does not know.
    static BOOL Press(const char* pszKeys);
    // The same keys held down for dwHoldMS before they are let go, as a switch user who
    // must hold a switch for its acceptance time would; the keyboard's repeats are not
    // sent.
    static BOOL Hold(const char* pszKeys, DWORD dwHoldMS);
    // Opens a menu of the menu bar with its keys ("alt+f") and waits until its pop-up
    // shows, so that the keys that follow reach the items the menu was given; FALSE
    // when no pop-up came within dwTimeoutMS (a greyed menu shows none).
    BOOL OpenMenu(const char* pszKeys, DWORD dwTimeoutMS);
    // Types text as key presses (characters of the keyboard's layout only).
    static BOOL Type(const char* pszText);
    // A left click at a point of the active board's view.
    BOOL Click(CPoint point);
    // A left click at a point of the screen.
    static BOOL ClickAt(CPoint ptScreen);
    // A left click on the main window's close box.
    BOOL ClickCloseBox();
    // A window of this program takes the foreground, as another program the user
    // switched to would, for up to dwWaitMS, its messages answered meanwhile. FALSE when
    // it could not take it; *pdwBackMS is how long the main window took to come back to
    // the front, INFINITE when it did not.
    BOOL TakeFrontAway(DWORD dwWaitMS, DWORD* pdwBackMS);

// Dialogs and message boxes of the board
    // Waits for a visible window of the board, other than the main window, titled
    // pszTitle; NULL when none came within dwTimeoutMS.
    HWND WaitForDialog(const char* pszTitle, DWORD dwTimeoutMS);
    // The titles of the board's visible windows, one a line, the foreground one marked:
    // what a step that found no dialog can show.
    CString DescribeWindows() const;
    // A click on the button of hDialog whose text, without its '&', is pszText.
    static BOOL ClickButton(HWND hDialog, const char* pszText);
    // File > Open through the menu bar (Alt+F, O), the path typed into the open
    // dialog and Enter. FALSE when the dialog did not come within dwTimeoutMS.
    BOOL OpenThroughMenu(const char* pszPath, DWORD dwTimeoutMS);

// The log
    // Reads the log, from the line after the last one waited for, until a line that is
    // pszWanted or starts with pszWanted and a space arrives, calling onLine for each
    // line read; FALSE when none came within dwTimeoutMS or the board ended first.
    BOOL WaitForLine(const char* pszWanted, DWORD dwTimeoutMS,
                     const std::function<void(const CString&)>& onLine = nullptr);
    // Every line read so far.
    const std::vector<CString>& GetLines() const { return m_lines; }
    // Appends the complete lines that the log gained to those read.
    void ReadLog();
    // How often the log is read while a line is awaited; 10 ms unless set.
    void SetPollInterval(DWORD dwPollMS) { m_dwPollMS = dwPollMS; }

// Pictures
    // Asks the board for a picture of its active board's client area, written to pszPath.
    BOOL Shot(const char* pszPath);
    // The same for the whole main window.
    BOOL ShotWindow(const char* pszPath);

// The end
    // Closes the main window and returns the board's exit status; -1 when it did not
    // end within dwTimeoutMS (it is then ended).
    int Close(DWORD dwTimeoutMS);
    // Waits for the board to end by itself; its exit status, or -1 as Close.
    int WaitForExit(DWORD dwTimeoutMS);
    BOOL IsRunning() const;
    HANDLE GetProcess() const { return m_process.hProcess; }

private:
    HWND GetMDIClient() const;
    BOOL Request(ULONG_PTR dwRequest, const char* pszPath);

    PROCESS_INFORMATION m_process;
    HWND m_hWnd;
    CString m_strLog;
    LONGLONG m_nLogRead;        // bytes of the log already read
    CString m_strPartial;       // the start of a line not yet ended
    std::vector<CString> m_lines;
    size_t m_nLinesSeen;        // lines that WaitForLine has looked at
    DWORD m_dwPollMS;
};
