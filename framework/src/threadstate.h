// The state the framework keeps for each thread: the thread object, the creation hook
// and the object it binds next, the message being handled, the lock of the temporary
// handle maps. Windows, hooks and message queues belong to a thread, and so does this,
// and so do the handle maps (each kept thread_local where its class lives).
#pragma once

#include "afxwin.h"

// USER's timer of the caret's blink: not a reason for idle work.
#define WM_SYSTIMER 0x0118

struct AFX_THREAD_STATE
{
    CWinThread* m_pCurrentWinThread;    // NULL in a program without one
    CWnd* m_pWndInit;                   // bound by the creation hook to the next window
    HHOOK m_hHookOldCbtFilter;          // the creation hook while a creation runs
    MSG m_lastSentMsg;                  // the message being handled
    MSG m_msgCur;                       // pumped by AfxPumpMessage without a thread object
    HWND m_hLockoutNotifyWindow;        // exchanging its data: its controls' notifications are ignored
    int m_nTempMapLock;
    CFrameWnd* m_pRoutingChildFrame;    // the child frame an MDI frame routes a command through
    HMENU m_hTrackingMenu;              // the popup CMenu::TrackPopupMenu shows, or NULL
    char m_szTempClassName[96];         // the name AfxRegisterWndClass returned last
};

AFX_THREAD_STATE* AfxGetThreadState();

// A user-interface thread's life on its thread: InitInstance, then Run; when
// InitInstance fails, its main window goes and ExitInstance gives the exit code.
int AfxRunInstance(CWinThread* pThread);

// The message that AfxPumpMessage took last: the thread object's, or the state's.
MSG* AfxGetPumpedMessage();
// Whether idle work should run again after pMsg: the thread object's IsIdleMessage,
// or its rules without one.
BOOL AfxIsIdleMessage(MSG* pMsg);

// The default answer to an exception thrown by a window procedure handler, for
// CWinThread::ProcessWndProcException and for threads without a thread object.
LRESULT AfxProcessWndProcException(CException* e, const MSG* pMsg);

// The parent of a child window, the owner of any other; following it from any window
// ends at the top-level window that nothing owns, AfxGetTopLevelParent's answer.
HWND AfxGetParentOwner(HWND hWnd);
HWND AfxGetTopLevelParent(HWND hWnd);

// The names of the framework's own window classes, registered on first use.
LPCTSTR AfxWndClassName();          // child windows created without a class
LPCTSTR AfxFrameWndClassName();     // frames created without a class
