// CResMainFrame: the multiple-document main frame of a limn application. It keeps the
// shared palette realized (all views repaint when the palette changes), broadcasts the
// application's activation (MsgAppActivate), frees a cache when Windows runs low on
// memory, tells switch scanning when one of its menus is open, passes the menu bar's
// commands to its items and enables them as their enable functions say (CMenuBar), and
// offers menu protection: the taskbar hidden, the frame maximized and kept in the
// foreground, every menu but one and the system menu disabled, and closing, sizing and
// task switching by system command refused, until the application calls
// ExitMenuProtection.
#pragma once

#include "limn/limn_api.h"

class LIMN_API CResMainFrame : public CMDIFrameWnd
{
    DECLARE_DYNCREATE(CResMainFrame)
protected:
    CResMainFrame();

public:
    // A frame that goes while protection is on (its window cannot be closed then, but
    // it can be destroyed) ends protection and shows the taskbar again.
    ~CResMainFrame() override;

// Attributes
    // The frame is the active window: the canvas selects the shared palette as a
    // foreground palette only then.
    static BOOL IsForeground() { return m_bForeground; }
    static BOOL InMenuProtection() { return m_bMenuProtection; }
    // The title of the one top-level menu that protection leaves enabled.
    CString m_strKeepEnabledMenu;

// Menu protection
    // The command: the two notices, then EnterMenuProtection unless one is cancelled.
    afx_msg void OnMenuProtection();
    void EnterMenuProtection();
    // Undoes EnterMenuProtection and says so in a message box. The application binds
    // the key that calls it.
    void ExitMenuProtection();

protected:
    // Refuses closing and the system commands that size, close or switch away while
    // protection is on; notes the menu loop for scanning.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Commands of menus and accelerators go to the menu bar's items first
    // (CMenuBar::OnCommand), then the framework's way.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    afx_msg BOOL OnQueryNewPalette();
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnActivateApp(BOOL bActive, HTASK hTask);
    afx_msg void OnCompacting(UINT nCpuTime);
    afx_msg void OnTimer(UINT nIDEvent);
    // The framework's updating of the items, then the menu bar's enable functions.
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);

    static BOOL m_bForeground;
    static BOOL m_bMenuProtection;

    DECLARE_MESSAGE_MAP()

private:
    // Resets the system palette, then selects and realizes the shared palette in the
    // frame, as a background palette unless bForeground; TRUE when it could be selected.
    BOOL SetNewPalette(BOOL bForeground);
    // Invalidates every view, erasing.
    void InvalidateAllViews();
    // Hides or shows the taskbar, when there is one.
    static void ShowTaskbar(BOOL bShow);
};
