// The multiple-document interface: CMDIFrameWnd, the main frame with USER's MDI client
// window, and CMDIChildWnd, the frames inside it. The main frame routes commands to the
// active child first; each child brings its template's menu to the main frame's menu
// bar while it is active, and its close goes through its document.
#pragma once

#include "afxframe_.h"

class CMDIChildWnd;

class AFX_FRAMEWORK CMDIFrameWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    CMDIFrameWnd();

// Attributes
    HWND m_hWndMDIClient;       // USER's MDI client window

// Operations on the children, through the MDI client
    void MDIActivate(CWnd* pWndActivate);
    // The active child (bound to a CMDIChildWnd), or NULL; *pbMaximized tells
    // whether it is maximized.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = NULL) const;
    void MDIIconArrange();
    void MDIMaximize(CWnd* pWnd);
    void MDINext();
    void MDIRestore(CWnd* pWnd);
    // Puts pFrameMenu on the menu bar with pWindowMenu as the popup listing the
    // children; the menu that was there before.
    CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);
    void MDITile();
    void MDITile(int nType);        // MDITILE_...
    void MDICascade();
    void MDICascade(int nType);

// Overridables
    // Creates the MDI client, whose window menu is the one GetWindowMenuPopup finds.
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    // The popup of hMenuBar that holds the Window commands (ID_WINDOW_...), searched
    // from the last; NULL when none does.
    virtual HMENU GetWindowMenuPopup(HMENU hMenuBar);

    // The active child frame, or this frame when there is none.
    CFrameWnd* GetActiveFrame() override;
    // The active child's accelerators while it has some, else the frame's.
    HACCEL GetDefaultAccelerator() override;
    // The active child's route first, then the frame's, then the application.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // The active child's accelerators, the frame's, then the MDI keys (Ctrl+F6,
    // Ctrl+F4 ...).
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // "App - Doc" for the active child's document; while that child is maximized the
    // MDI client shows it as "App - [Doc]".
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    // The active child's menu, or hMenuAlt (the frame's default menu when NULL)
    // without one.
    void OnUpdateFrameMenu(HMENU hMenuAlt) override;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    // ID_WINDOW_ARRANGE, ID_WINDOW_CASCADE, ID_WINDOW_TILE_HORZ, ID_WINDOW_TILE_VERT.
    afx_msg BOOL OnMDIWindowCmd(UINT nID);
    afx_msg void OnUpdateMDIWindowCmd(CCmdUI* pCmdUI);
    // ID_WINDOW_NEW: another frame on the active child's document.
    afx_msg void OnWindowNew();

    friend class CMDIChildWnd;

    DECLARE_MESSAGE_MAP()
};

class AFX_FRAMEWORK CMDIChildWnd : public CFrameWnd
{
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();

// Creation
    // Through the MDI client of pParentWnd (NULL: the main window). FALSE, with the
    // object deleted, when the window cannot be created.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                        const RECT& rect = rectDefault, CMDIFrameWnd* pParentWnd = NULL,
                        CCreateContext* pContext = NULL);
    // The title from the string nIDResource, the icon named nIDResource when there is
    // one; the menu and accelerators are the template's (pContext's).
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;

// Attributes
    CMDIFrameWnd* GetMDIFrame();

// Operations
    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();

// Overridables
    // Through the MDI client, keeping the main frame's title steady meanwhile.
    BOOL DestroyWindow() override;
    // The child's accelerators, translated for the main frame (menus are its).
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Shows the child (maximized when the active one is) and makes it the active one.
    void ActivateFrame(int nCmdShow = -1) override;
    // "Doc", or "Doc:2" for the second of several frames of a document; the main
    // frame's title follows.
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    // The menu bar while the child is (bActivate) or stops being active: hMenuAlt, the
    // document's menu or the child's shared menu; a child without one leaves the
    // main frame's menu bar as it is. The last child going brings the default back.
    virtual void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt);
    using CFrameWnd::OnUpdateFrameMenu;

// Implementation
    HMENU m_hMenuShared;        // the template's menu, shown while this child is active

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    // Menu, title and the active view follow the activation.
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    // Maximizing and restoring change how the main frame's title shows the document.
    afx_msg void OnSize(UINT nType, int cx, int cy);
    // A click into an inactive child makes it the active one.
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);

    DECLARE_MESSAGE_MAP()
};
