// CFrameWnd: a top-level window that owns its menu and accelerators, routes commands
// on to the application, updates its menus through ON_UPDATE_COMMAND_UI handlers and
// deletes its own object once its window is gone (frames live on the heap). Closing
// the thread's main frame ends the thread's message loop.
#pragma once

#include "afxwnd_.h"

// Frame styles, kept in the window style's class-specific bits.
#define FWS_ADDTOTITLE  0x00008000L     // the document's name goes into the title
#define FWS_PREFIXTITLE 0x00040000L     // ... before the application's name
#define FWS_SNAPTOBARS  0x00020000L

class AFX_FRAMEWORK CFrameWnd : public CWnd
{
    DECLARE_DYNCREATE(CFrameWnd)
public:
    // The system's default position and size.
    static const CRect rectDefault;

    CFrameWnd();
    ~CFrameWnd() override;

// Creation
    // NULL class: the framework's frame class. lpszMenuName names a menu of the resource
    // chain; FALSE (and the object deleted by PostNcDestroy) when it cannot be loaded.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                        DWORD dwStyle = WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                        CWnd* pParentWnd = NULL, LPCTSTR lpszMenuName = NULL, DWORD dwExStyle = 0,
                        CCreateContext* pContext = NULL);
    // Everything from the resources named nIDResource: the title (the string up to its
    // first newline), the menu, the accelerators and, when there is one, the icon.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);

// Attributes
    BOOL m_bAutoMenuEnable;     // menu items without a handler are disabled
    CString m_strTitle;
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    CString GetTitle() const { return m_strTitle; }
    HACCEL GetDefaultAccelerator() const { return m_hAccelTable; }

// Overridables
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Accelerators of the frame after its own and its children's handling.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The frame's own map, then the application's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    UINT m_nIDHelp;             // the resource id of LoadFrame
    HMENU m_hMenuDefault;       // the menu the frame was created with
    HACCEL m_hAccelTable;

    void PostNcDestroy() override;

    // Closing the main frame asks the application to save its work first.
    afx_msg void OnClose();
    // The menu the frame was created with goes with the window, even if it was replaced.
    afx_msg void OnDestroy();
    // Asks the command route of each item for its state.
    afx_msg void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu);

    DECLARE_MESSAGE_MAP()
};
