// CFrameWnd: creation with the frame class, a menu and accelerators from resources, the
// view of a creation context laid out over the client area, the active view and its
// activation, command routing through the active view on to the application, menu
// updates through the command route, titles, closing through the document, and the
// frame's own deletion after its window.
#include "afxwin.h"
#include "afxpriv.h"
#include "threadstate.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_INITMENUPOPUP()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_WM_SIZE()
    ON_WM_QUERYENDSESSION()
    ON_WM_ENDSESSION()
    ON_WM_MENUSELECT()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE_VOID(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, OnUpdateKeyIndicator)
    ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, OnUpdateKeyIndicator)
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
    ON_MESSAGE(WM_DDE_INITIATE, OnDDEInitiate)
    ON_MESSAGE(WM_DDE_EXECUTE, OnDDEExecute)
    ON_MESSAGE(WM_DDE_TERMINATE, OnDDETerminate)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

CFrameWnd::CFrameWnd()
    : m_bAutoMenuEnable(TRUE), m_nWindow(-1), m_nIDHelp(0), m_nIDTracking(0), m_nIDLastMessage((UINT)-1),
      m_hMenuDefault(NULL), m_hAccelTable(NULL), m_pViewActive(NULL), m_hMenuCreated(NULL), m_dwDockSides(0),
      m_bInRecalcLayout(FALSE), m_bLayoutDelayed(FALSE)
{
}

CFrameWnd::~CFrameWnd() = default;

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxFrameWndClassName();
    return cs.lpszClass != NULL;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = NULL;
    if (lpszMenuName != NULL)
    {
        hMenu = ::LoadMenu(AfxFindResourceHandle(lpszMenuName, RT_MENU), lpszMenuName);
        if (hMenu == NULL)
        {
            PostNcDestroy();
            return FALSE;
        }
    }
    m_strTitle = lpszWindowName;
    // The defaults are USER's own when the rectangle is rectDefault.
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                  rect.right - rect.left, rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), hMenu,
                  (LPVOID)pContext))
    {
        // The object may be gone: only the menu, which is ours alone, is released.
        if (hMenu != NULL)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    // OnCreate took the menu as the default, unless a derived frame's OnCreate did
    // without CFrameWnd's.
    if (m_hMenuCreated == NULL)
        m_hMenuCreated = m_hMenuDefault = hMenu;
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    LPCTSTR lpszResource = MAKEINTRESOURCE(nIDResource);
    CString strFull, strTitle;
    strFull.LoadString(nIDResource);
    AfxExtractSubString(strTitle, strFull, 0);
    // The menu is optional here: a frame without one gets none.
    LPCTSTR lpszMenu = ::FindResource(AfxFindResourceHandle(lpszResource, RT_MENU), lpszResource, RT_MENU) != NULL
                           ? lpszResource : NULL;
    if (!Create(GetIconWndClass(dwDefaultStyle, nIDResource), strTitle, dwDefaultStyle, rectDefault, pParentWnd,
                lpszMenu, 0, pContext))
        return FALSE;
    LoadAccelTable(lpszResource);
    return TRUE;
}

LPCTSTR CFrameWnd::GetIconWndClass(DWORD, UINT nIDResource)
{
    LPCTSTR lpszResource = MAKEINTRESOURCE(nIDResource);
    HICON hIcon = ::LoadIcon(AfxFindResourceHandle(lpszResource, RT_GROUP_ICON), lpszResource);
    if (hIcon == NULL)
        return NULL;
    return AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, ::LoadCursor(NULL, IDC_ARROW),
                               (HBRUSH)(COLOR_WINDOW + 1), hIcon);
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName)
{
    ASSERT(m_hAccelTable == NULL);
    m_hAccelTable = ::LoadAccelerators(AfxFindResourceHandle(lpszResourceName, RT_ACCELERATOR), lpszResourceName);
    return m_hAccelTable != NULL;
}

HACCEL CFrameWnd::GetDefaultAccelerator()
{
    CDocument* pDoc = GetActiveDocument();
    HACCEL hAccel = pDoc != NULL ? pDoc->GetDefaultAccelerator() : NULL;
    return hAccel != NULL ? hAccel : m_hAccelTable;
}

void CFrameWnd::PostNcDestroy() { delete this; }

// The view

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    return OnCreateHelper(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    // The menu of a top-level frame; a child's "menu" is its id.
    if (!(GetStyle() & WS_CHILD))
        m_hMenuCreated = m_hMenuDefault = ::GetMenu(m_hWnd);
    return OnCreateClient(lpcs, pContext) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    return pContext == NULL || pContext->m_pNewViewClass == NULL || CreateView(pContext, AFX_IDW_PANE_FIRST) != NULL;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    ASSERT(pContext != NULL && pContext->m_pNewViewClass != NULL);
    CWnd* pView = AfxCreateObjectOf<CWnd>(pContext->m_pNewViewClass);
    if (pView == NULL)
        return NULL;
    // A view that fails to be created has deleted itself.
    if (!pView->Create(NULL, NULL, WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 0, 0), this, nID, pContext))
        return NULL;
    return pView;
}

void CFrameWnd::RecalcLayout(BOOL)
{
    // Moving the pane may bring another layout about (a view that resizes its frame).
    if (m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    m_bLayoutDelayed = FALSE;
    // The bars' layout runs their code: the frame may be gone after it.
    HWND hWnd = m_hWnd;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
    if (FromHandlePermanent(hWnd) == this)
        m_bInRecalcLayout = FALSE;
}

void CFrameWnd::OnSize(UINT nType, int, int)
{
    // The default handling first: an MDI frame's own fills its client with the MDI
    // client, which the layout then fits between the bars.
    Default();
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

// The active view and document

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    // The old view is told first; if its handler made another view active, that stays.
    m_pViewActive = NULL;
    if (pViewOld != NULL && bNotify)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    if (m_pViewActive != NULL)
        return;
    m_pViewActive = pViewNew;
    if (pViewNew != NULL && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    CView* pView = GetActiveView();
    return pView != NULL ? pView->GetDocument() : NULL;
}

CFrameWnd* CFrameWnd::GetActiveFrame() { return this; }

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != NULL)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    CView* pActiveView = GetActiveView();
    if (pActiveView == NULL)
        pActiveView = GetActiveFrame()->GetActiveView();
    if (pActiveView == NULL)
        return;
    if (nState != WA_INACTIVE && !bMinimized)
        pActiveView->OnActivateView(TRUE, pActiveView, pActiveView);
    pActiveView->OnActivateFrame(nState, this);
}

// Showing

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1)
    {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
    if (!(GetStyle() & WS_CHILD))
    {
        BringWindowToTop();
        if (CWnd* pPopup = GetLastActivePopup())
            pPopup->BringWindowToTop();
    }
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    CView* pView = NULL;
    if (GetActiveView() == NULL)
    {
        CWnd* pWnd = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CView)))
        {
            pView = static_cast<CView*>(pWnd);
            SetActiveView(pView, FALSE);
        }
    }
    RecalcLayout();
    if (bMakeVisible)
    {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        int nCmdShow = -1;
        CWinApp* pApp = AfxGetApp();
        if (pApp != NULL && pApp->m_pMainWnd == this)
        {
            nCmdShow = pApp->m_nCmdShow;
            pApp->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (pView != NULL && GetActiveView() == pView)
            pView->OnActivateView(TRUE, pView, pView);
    }
    if (pDoc != NULL)
        pDoc->UpdateFrameCounts();
    OnUpdateFrameTitle(TRUE);
}

// Titles and menus

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* pDoc = GetActiveDocument();
    UpdateFrameTitleForDocument(bAddToTitle && pDoc != NULL ? (LPCTSTR)pDoc->GetTitle() : NULL);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName)
{
    CString strText;
    if (lpszDocName == NULL)
    {
        strText = m_strTitle;
    }
    else
    {
        CString strDoc = lpszDocName;
        if (m_nWindow > 0)
        {
            CString strNumber;
            strNumber.Format(":%d", m_nWindow);
            strDoc += strNumber;
        }
        if (GetStyle() & FWS_PREFIXTITLE)
            strText = strDoc + " - " + m_strTitle;
        else
            strText = m_strTitle + " - " + strDoc;
    }
    // The same text again would only make the caption flicker.
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strText)
        SetWindowText(strText);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU) {}

// Messages

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    HACCEL hAccel = GetDefaultAccelerator();
    return hAccel != NULL && ::TranslateAccelerator(m_hWnd, hAccel, pMsg);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CView* pView = GetActiveView())
    {
        if (pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
    }
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // A child frame that its parent frame asks first leaves the application to the
    // parent, which asks it after itself.
    if (AfxGetThreadState()->m_pRoutingChildFrame == this)
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CFrameWnd::OnClose()
{
    CDocument* pDocument = GetActiveDocument();
    if (pDocument != NULL && !pDocument->CanCloseFrame(this))
        return;
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this)
    {
        // The main frame takes every document with it; asked once for all of them.
        if (pDocument == NULL && !pApp->SaveAllModified())
            return;
        pApp->CloseAllDocuments(FALSE);
        // Closing the documents may have closed this frame.
        if (pApp->m_pMainWnd == NULL)
            return;
    }
    if (pDocument != NULL && pDocument->m_bAutoDelete)
    {
        // The document's last frame closes the document, which destroys the frame.
        BOOL bOtherFrame = FALSE;
        for (POSITION pos = pDocument->GetFirstViewPosition(); pos != NULL && !bOtherFrame;)
            bOtherFrame = pDocument->GetNextView(pos)->GetParentFrame() != this;
        if (!bOtherFrame)
        {
            pDocument->OnCloseDocument();
            return;
        }
        pDocument->PreCloseFrame(this);
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    // Any other menu on the bar is its owner's: a template's, or one set at run time.
    if (!(GetStyle() & WS_CHILD) && ::GetMenu(m_hWnd) != m_hMenuCreated)
        ::SetMenu(m_hWnd, m_hMenuCreated);
    CWnd::OnDestroy();
}

void CFrameWnd::OnInitMenuPopup(CMenu* pMenu, UINT, BOOL bSysMenu)
{
    if (!bSysMenu)
        AfxUpdateMenuPopup(pMenu, this, m_bAutoMenuEnable);
}

BOOL CFrameWnd::OnQueryEndSession()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp != NULL && pApp->m_pMainWnd == this)
        return pApp->SaveAllModified();
    return TRUE;
}

void CFrameWnd::OnEndSession(BOOL bEnding)
{
    CWinApp* pApp = AfxGetApp();
    if (bEnding && pApp != NULL && pApp->m_pMainWnd == this)
    {
        // The process may end without another message: the documents and the settings
        // are done with now.
        pApp->CloseAllDocuments(TRUE);
        pApp->SaveStdProfileSettings();
    }
}
