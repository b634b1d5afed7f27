// CFrameWnd: a top-level window that owns its menu and accelerators, routes commands
// to its active view and on to the application, updates its menus through
// ON_UPDATE_COMMAND_UI handlers and deletes its own object once its window is gone
// (frames live on the heap). A frame made from a CCreateContext creates its view,
// which fills its client area; closing it goes through the document it shows. Closing
// the thread's main frame asks to save every modified document and ends the thread's
// message loop.
#pragma once

#include "afxres.h"
#include "afxwnd_.h"

class CView;
class CDocument;
class CControlBar;

// Frame styles, kept in the window style's class-specific bits.
#define FWS_ADDTOTITLE  0x00008000L     // the document's name goes into the title
#define FWS_PREFIXTITLE 0x00004000L     // ... before the application's name
#define FWS_SNAPTOBARS  0x00002000L

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
    // A view of pContext's view class on its document, with control id nID; NULL when
    // it cannot be created.
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);

// Attributes
    BOOL m_bAutoMenuEnable;     // menu items without a handler are disabled
    CString m_strTitle;
    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    CString GetTitle() const { return m_strTitle; }
    // The number of this frame among several frames of one document (":2" in its
    // title); 0 for a document's only frame.
    int m_nWindow;

// The active view and document
    CView* GetActiveView() const { return m_pViewActive; }
    // Makes pViewNew the view that gets commands first; with bNotify, the views are
    // told (OnActivateView).
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    // The active view's document, or NULL.
    virtual CDocument* GetActiveDocument();
    // The frame whose view is active: this one here, the active child of an MDI frame.
    virtual CFrameWnd* GetActiveFrame();

// Operations
    // Shows the frame (nCmdShow -1: as it should be) and brings it to the top.
    virtual void ActivateFrame(int nCmdShow = -1);
    // The first view becomes the active one; with bMakeVisible, the views get
    // OnInitialUpdate and the frame is shown (the main frame with the application's
    // m_nCmdShow). The frames of pDoc are numbered and titled.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    // Lays the control bars along the edges (RepositionBars) and the pane (the view, or
    // an MDI frame's client) over what they leave.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // RecalcLayout at the next idle time.
    void DelayRecalcLayout(BOOL bNotify = TRUE);
    // The title from the application's name and the active document's (FWS_ADDTOTITLE),
    // "App - Doc", or "Doc - App" with FWS_PREFIXTITLE.
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    // The menu bar for the active document: here the frame's own menu stays.
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    // The active document's accelerators, else the frame's.
    virtual HACCEL GetDefaultAccelerator();

// Control bars
    // The sides (CBRS_ALIGN_...) at which DockControlBar may dock bars.
    void EnableDocking(DWORD dwDockStyle);
    // Docks pBar along the side nDockBarID (AFX_IDW_DOCKBAR_TOP, _BOTTOM, _LEFT,
    // _RIGHT), or with 0 along the first of those that both the frame and the bar
    // allow. A bar docked later lies inside those docked before at its side; lpRect is
    // not used (bars are not placed side by side).
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = NULL);
    // Shows or hides pBar and lays the frame out again, at once or (bDelay) at idle time.
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    // The frame's bar with control id nID (AFX_IDW_TOOLBAR ...), or NULL.
    CControlBar* GetControlBar(UINT nID);
    // The bars laid out in this frame, as CControlBar*; each bar adds and removes itself.
    CPtrList m_listControlBars;
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);

// The message bar: the first pane of the status bar
    // Shows the text, or the prompt of the command or string nID (its string up to the
    // first newline; AFX_IDS_IDLEMESSAGE: "Ready").
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    // The status bar AFX_IDW_STATUS_BAR among the frame's descendants, or NULL.
    virtual CWnd* GetMessageBar();
    // The prompt of command nID: its string resource up to the first newline; empty
    // when there is none.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;

// Overridables
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Accelerators of the frame after its own and its children's handling.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The active view (with its document), the frame's own map, then the application's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    // The class of a frame with the icon named nIDResource; NULL (the frame class) when
    // there is none.
    LPCTSTR GetIconWndClass(DWORD dwDefaultStyle, UINT nIDResource);
    // Creates the view of pContext, when it names a view class; FALSE fails the creation.
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    // The frame's creation with pContext, for OnCreate of frames whose context comes
    // another way (MDI children).
    int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);

    UINT m_nIDHelp;             // the resource id of LoadFrame
    UINT m_nIDTracking;         // the menu item whose prompt the message bar shows
    UINT m_nIDLastMessage;      // ... and the string shown last; -1 before the first
    // The menu bar while no document brings its own: the menu the frame was created
    // with. A frame that builds its menu bar at run time sets its menu here; it stays
    // that frame's to destroy.
    HMENU m_hMenuDefault;
    HACCEL m_hAccelTable;
    CView* m_pViewActive;

    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    // Through the active document: it may refuse (SaveModified), and closing its last
    // frame closes it. Closing the main frame asks to save every modified document
    // first and closes them all.
    afx_msg void OnClose();
    // The window destroys only the menu it was created with, even if it was replaced.
    afx_msg void OnDestroy();
    // Asks the command route of each item for its state.
    afx_msg void OnInitMenuPopup(CMenu* pMenu, UINT nIndex, BOOL bSysMenu);
    // The active view takes the focus.
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    // The active view hears of the frame's activation.
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    // The end of the session: the main frame asks to save the modified documents, and
    // when the session ends closes them and writes the profile settings.
    afx_msg BOOL OnQueryEndSession();
    afx_msg void OnEndSession(BOOL bEnding);
    // The shell's DDE conversation, after CWinApp::EnableShellOpen: the main frame
    // answers the application's "system" topic, and each execute goes to
    // CWinApp::OnDDECommand.
    afx_msg LRESULT OnDDEInitiate(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDDEExecute(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDDETerminate(WPARAM wParam, LPARAM lParam);

    // The message bar follows the menu item under the cursor, and shows the idle
    // message once the menu closes.
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    // A delayed layout, and the idle message in a message bar that shows nothing yet.
    afx_msg void OnIdleUpdateCmdUI();
    // ID_INDICATOR_CAPS, _NUM and _SCRL: enabled while their key's toggle is on.
    afx_msg void OnUpdateKeyIndicator(CCmdUI* pCmdUI);
    // ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR: the bar with that id shown or hidden, and its
    // item checked while it is visible.
    afx_msg BOOL OnBarCheck(UINT nID);
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    // Tool tips of the bars' buttons: the text after the first newline of the command's
    // string, unless the command route answers the notification itself.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    afx_msg BOOL OnToolTipText(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);

private:
    HMENU m_hMenuCreated;       // the one menu the window destroys
    DWORD m_dwDockSides;        // EnableDocking's CBRS_ALIGN_ bits
    BOOL m_bInRecalcLayout;
    BOOL m_bLayoutDelayed;

    DECLARE_MESSAGE_MAP()
};
