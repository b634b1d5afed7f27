// CChoiceBoardApp: the choice board, a multiple-document program in which a switch user
// operates boards of choices (BoardDoc.h). It opens the boards of its command line
// (CommandLine.h), or the demo's sample screen without any, in a main frame
// (BoardMainFrame.h) whose menus are built on limn's menu bar; scanning follows the
// board that is active. It keeps the event log (--log) and the links that its boards
// follow (BoardLinks.h), and says its messages on standard error until its window
// shows, in message boxes afterwards.
#pragma once

#include "BoardLinks.h"
#include "EventLog.h"
#include "ScanningLog.h"

#include <afxwin.h>

#include <vector>

class CBoardMainFrame;

class CChoiceBoardApp : public CWinApp
{
public:
    enum ExitStatus
    {
        exitShown = 0,
        exitCannotShow = 1,     // a document of the command line, the log or the window
        exitUsage = 2,
    };

    CChoiceBoardApp();

    CEventLog& GetLog() { return m_log; }
    CScanningLog& GetScanningLog() { return m_scanningLog; }
    CBoardLinks& GetLinks() { return m_links; }
    CBoardMainFrame* GetMainFrame() const;
    // One message: on standard error while the command line is worked through, in a
    // message box once the window shows.
    void Report(const CString& strMessage);

    BOOL InitInstance() override;
    // The status of a start that failed, else the framework's.
    int ExitInstance() override;

protected:
    // Starts the board as the command line args asks; FALSE (with the exit status set
    // and the reason said) when it cannot.
    BOOL Start(const std::vector<CString>& args);

    DECLARE_MESSAGE_MAP()

private:
    // The sample screen where it is found, or empty (with the message).
    CString FindSampleScreen();
    // Gives the display texts of the libraries' keys from the mapped-string table.
    static void LoadMappedStrings();
    // Closes what was opened so far; FALSE.
    BOOL Fail(int nStatus);

    int m_nExitStatus;
    BOOL m_bStarting;
    CEventLog m_log;
    CScanningLog m_scanningLog;
    CBoardLinks m_links;
};

// The application object, of this class or a derived one.
inline CChoiceBoardApp& GetBoardApp() { return *static_cast<CChoiceBoardApp*>(AfxGetApp()); }

// The string resource nID.
CString LoadResourceString(UINT nID);
// The string resource nID formatted with the arguments (strings and numbers only).
template <class... Args>
CString FormatResourceString(UINT nID, Args... args)
{
    CString strText;
    strText.Format(LoadResourceString(nID), args...);
    return strText;
}
