// CBoardMainFrame: the choice board's main window, limn's main frame (CResMainFrame:
// the palette, menu protection) holding the boards as MDI children. Its menu bar is
// limn's, built from the items that CBoardMenus registers; commands go to the bar
// first, then along the framework's route (the active board, its document, the
// application), as limn's frame routes them. The File menu shows the framework's recent files before Exit.
//
// Menu protection leaves the Scanning menu enabled: its preferences and dedicated
// scanning belong to the activity the user is kept in, while every other menu would
// open, close, save or edit boards. Control+F1 (an accelerator) leaves protection. The
// log hears "protect on" and "protect off".
//
// It writes pictures of itself or of the active board on request (ShotRequest.h).
//
// It carries out the board links that choices ask to follow (WM_FOLLOWLINK, BoardLinks.h);
// one that must wait for a dialog, a message box or a menu to go is tried again every
// 100 ms until it can be done.
#pragma once

#include "BoardMenus.h"

#include "limn/app/ResMainFrame.h"

class CBoardMainFrame : public CResMainFrame
{
    DECLARE_DYNCREATE(CBoardMainFrame)
public:
    CBoardMainFrame();

    // The window, titled with the application's name, with its accelerators. FALSE
    // (and the object deleted) when it cannot be made.
    BOOL Create();
    // Puts the menu bar on the window: once the frame is the thread's main window.
    void BuildMenus();
    // Makes the main window large enough to show pChild, one of its boards, whole, as
    // far as the screen's work area allows; a maximized window stays as it is.
    void FitChild(CWnd* pChild);

// Menu protection, logged
    void Protect();
    // The command of the Options menu: the two notices first.
    void ProtectThroughDialogs();

protected:
    // The menu bar stays whichever board is active, and when none is.
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;

    // The recent files in the File menu, then limn's updating of the items.
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    // Control+F1.
    afx_msg void OnExitMenuProtection();
    afx_msg LRESULT OnCopyData(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnFollowLink(WPARAM wParam, LPARAM lParam);
    afx_msg void OnTimer(UINT nIDEvent);
    // The menu bar is limn's: the window does not take it along when it goes.
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    // Puts the framework's recent-file item ahead of the File menu's Exit (at nExit),
    // followed by a separator, in place of those put there before; the framework's
    // update of that item shows the files.
    void ShowRecentFiles(CMenu* pFile, int nExit);
    // Writes a picture as a request asks; FALSE when it cannot.
    BOOL WriteShot(ULONG_PTR dwRequest, const char* pszPath);
    // Follows the waiting link, or has it tried again later; nothing it throws leaves.
    void FollowLink();

    CBoardMenus m_menus;
};
