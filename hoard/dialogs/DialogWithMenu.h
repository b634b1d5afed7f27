// CDialogWithMenu: a modal dialog with a menu bar whose accelerators work. A modal
// dialog's own message loop translates no accelerators, so the first such dialog to
// open installs a keyboard hook for the thread, shared by all of them, that translates
// key presses with the accelerator table of the active one; the last to close removes
// it. The dialog owns the menu handed to SetMenu; ON_UPDATE_COMMAND_UI entries of a
// derived class set the state of its items as a popup opens.
#pragma once

#include "hoard/hoard_api.h"

class HOARD_API CDialogWithMenu : public CDialog
{
public:
    CDialogWithMenu();
    CDialogWithMenu(UINT nIDTemplate, CWnd* pParent);
    // Destroys the window, if it is still open, and the menu.
    ~CDialogWithMenu() override;

// Operations
    // The menu (owned by the dialog from now on) and its accelerator table (a loaded
    // resource: not destroyed). An open dialog shows the menu at once.
    void SetMenu(HMENU hMenu, HACCEL hAccel);
    // Enables, or grays and disables, the item of command nID on the dialog's menu; a
    // command the menu does not hold changes nothing.
    void SetCommandEnable(UINT nID, int bEnable);

// Overridables
    // Translates a key press of the active dialog with its accelerator table: nonzero
    // when the key was an accelerator (its command has been sent).
    virtual int TranslateAccel(UINT nVirtKey);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnDestroy();
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);

    DECLARE_MESSAGE_MAP()

    HMENU m_hMenu;
    HACCEL m_hAccel;

    static int m_nHookCount;            // dialogs initialised and not yet destroyed
    static HHOOK m_hNextHook;
    static CDialogWithMenu* m_pDialog;  // the active dialog, or null
    static HWND m_hDlgWnd;
    static HACCEL m_hDlgAccel;

private:
    BOOL m_bHookCounted;                // this dialog is one of m_nHookCount

    static LRESULT CALLBACK DlgKeyboardProc(int code, WPARAM wParam, LPARAM lParam);
};
