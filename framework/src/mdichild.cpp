// CMDIChildWnd: a frame inside the MDI client: its creation through the client with the
// template's menu and accelerators, the operations on itself, its activation (the
// menu bar, the main frame's title and the active view follow it), its title and its
// accelerators.
#include "afxwin.h"
#include "afxpriv.h"
#include "threadstate.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_MDIACTIVATE()
    ON_WM_MOUSEACTIVATE()
    ON_WM_SIZE()
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() : m_hMenuShared(NULL) {}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CHILD;
    return CFrameWnd::PreCreateWindow(cs);
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

// Creation

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == NULL)
        pParentWnd = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd());
    if (pParentWnd == NULL || pParentWnd->m_hWndMDIClient == NULL)
    {
        PostNcDestroy();
        return FALSE;
    }
    m_strTitle = lpszWindowName;

    CREATESTRUCT cs = {};
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = pParentWnd->m_hWndMDIClient;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = pContext;
    if (!PreCreateWindow(cs))
    {
        PostNcDestroy();
        return FALSE;
    }

    // Created hidden: it is shown, and so activated, once it is complete.
    MDICREATESTRUCTA mcs = {};
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);
    mcs.lParam = (LPARAM)cs.lpCreateParams;
    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDICREATE, 0, (LPARAM)&mcs);
    if (!AfxUnhookWindowCreate())
    {
        // The object was never bound, so no message reached it.
        if (hWnd != NULL)
            ::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDIDESTROY, (WPARAM)hWnd, 0);
        PostNcDestroy();
        return FALSE;
    }
    // A creation that failed after binding sent WM_NCDESTROY, which deleted the object.
    if (hWnd == NULL)
        return FALSE;

    if (cs.style & WS_VISIBLE)
    {
        ::BringWindowToTop(hWnd);
        ShowWindow(cs.style & WS_MINIMIZE ? SW_SHOWMINIMIZED : cs.style & WS_MAXIMIZE ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL);
        pParentWnd->MDIActivate(this);
        ::SendMessage(pParentWnd->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    }
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString strFull, strTitle;
    strFull.LoadString(nIDResource);
    AfxExtractSubString(strTitle, strFull, 0);

    // The menu and accelerators are the template's, shared by its frames.
    if (pContext != NULL)
    {
        if (auto* pTemplate = dynamic_cast<CMultiDocTemplate*>(pContext->m_pNewDocTemplate))
        {
            m_hMenuShared = pTemplate->m_hMenuShared;
            m_hAccelTable = pTemplate->m_hAccelTable;
        }
    }
    CMDIFrameWnd* pMDIFrame = pParentWnd != NULL ? dynamic_cast<CMDIFrameWnd*>(pParentWnd) : NULL;
    if (pParentWnd != NULL && pMDIFrame == NULL)
    {
        PostNcDestroy();
        return FALSE;
    }
    return Create(GetIconWndClass(dwDefaultStyle, nIDResource), strTitle, dwDefaultStyle, rectDefault, pMDIFrame,
                  pContext);
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    // The context comes through the MDI client's creation record.
    auto* pmcs = static_cast<MDICREATESTRUCTA*>(lpCreateStruct->lpCreateParams);
    return OnCreateHelper(lpCreateStruct, pmcs != NULL ? reinterpret_cast<CCreateContext*>(pmcs->lParam) : NULL);
}

// Operations

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame()
{
    HWND hWndClient = ::GetParent(m_hWnd);
    return dynamic_cast<CMDIFrameWnd*>(CWnd::FromHandlePermanent(::GetParent(hWndClient)));
}

void CMDIChildWnd::MDIDestroy() { ::SendMessage(::GetParent(m_hWnd), WM_MDIDESTROY, (WPARAM)m_hWnd, 0); }

void CMDIChildWnd::MDIActivate() { ::SendMessage(::GetParent(m_hWnd), WM_MDIACTIVATE, (WPARAM)m_hWnd, 0); }

void CMDIChildWnd::MDIMaximize() { ::SendMessage(::GetParent(m_hWnd), WM_MDIMAXIMIZE, (WPARAM)m_hWnd, 0); }

void CMDIChildWnd::MDIRestore() { ::SendMessage(::GetParent(m_hWnd), WM_MDIRESTORE, (WPARAM)m_hWnd, 0); }

BOOL CMDIChildWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == NULL)
        return CFrameWnd::DestroyWindow();
    // While the child goes the next one becomes active: the main frame's title is
    // updated once, after, rather than at each step.
    HWND hWndFrame = pFrame->m_hWnd;
    LONG lStyle = ::GetWindowLong(hWndFrame, GWL_STYLE);
    ::SetWindowLong(hWndFrame, GWL_STYLE, lStyle & ~FWS_ADDTOTITLE);
    MDIDestroy();
    // 'this' is gone; the main frame may be too.
    if (CWnd::FromHandlePermanent(hWndFrame) == pFrame)
    {
        ::SetWindowLong(hWndFrame, GWL_STYLE, lStyle);
        pFrame->OnUpdateFrameTitle(TRUE);
    }
    return TRUE;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (nCmdShow == -1)
    {
        // As the child that is active now: maximized children stay maximized.
        BOOL bMaximized = FALSE;
        if (pFrame != NULL)
            pFrame->MDIGetActive(&bMaximized);
        DWORD dwStyle = GetStyle();
        if (bMaximized || (dwStyle & WS_MAXIMIZE))
            nCmdShow = SW_SHOWMAXIMIZED;
        else if (dwStyle & WS_MINIMIZE)
            nCmdShow = SW_SHOWMINIMIZED;
    }
    CFrameWnd::ActivateFrame(nCmdShow);
    if (pFrame == NULL)
        return;
    if (pFrame->MDIGetActive() != this)
        MDIActivate();
    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
    pFrame->DrawMenuBar();
}

// Activation, menu and title

void CMDIChildWnd::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL && pFrame->MDIGetActive() == this)
        pFrame->OnUpdateFrameTitle(TRUE);
}

int CMDIChildWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int nResult = CFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL && pFrame->MDIGetActive() != this)
        MDIActivate();
    return nResult;
}

void CMDIChildWnd::OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd*)
{
    Default();
    CView* pActiveView = GetActiveView();
    if (!bActivate && pActiveView != NULL)
        pActiveView->OnActivateView(FALSE, pActiveView, pActiveView);
    OnUpdateFrameMenu(bActivate, pActivateWnd, NULL);
    if (!bActivate)
        return;
    // The handlers above may have changed the active view.
    pActiveView = GetActiveView();
    if (pActiveView != NULL)
        pActiveView->OnActivateView(TRUE, pActiveView, pActiveView);
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->OnUpdateFrameTitle(TRUE);
}

void CMDIChildWnd::OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt)
{
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame == NULL)
        return;
    HMENU hMenu = hMenuAlt;
    if (bActivate)
    {
        // The document's menu, the template's, else the main frame's own.
        CDocument* pDoc = GetActiveDocument();
        if (hMenu == NULL && pDoc != NULL)
            hMenu = pDoc->GetDefaultMenu();
        if (hMenu == NULL)
            hMenu = m_hMenuShared;
        if (hMenu == NULL)
            hMenu = pFrame->m_hMenuDefault;
    }
    else if (pActivateWnd == NULL)
    {
        // The last child is going: the main frame's menu comes back.
        hMenu = pFrame->m_hMenuDefault;
    }
    else
    {
        // The child being activated brings its menu.
        return;
    }
    // NULL leaves the menu bar as it is (a frame that sets its menu at run time).
    ::SendMessage(pFrame->m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenu, (LPARAM)pFrame->GetWindowMenuPopup(hMenu));
    pFrame->DrawMenuBar();
}

void CMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (CMDIFrameWnd* pFrame = GetMDIFrame())
        pFrame->OnUpdateFrameTitle(bAddToTitle);
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* pDoc = GetActiveDocument();
    CString strTitle = m_strTitle;
    if (bAddToTitle && pDoc != NULL)
    {
        strTitle = pDoc->GetTitle();
        if (m_nWindow > 0)
        {
            CString strNumber;
            strNumber.Format(":%d", m_nWindow);
            strTitle += strNumber;
        }
    }
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strTitle)
        SetWindowText(strTitle);
}

// Accelerators

BOOL CMDIChildWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        return FALSE;
    // The menus are the main frame's: so are the commands of the accelerators.
    CMDIFrameWnd* pFrame = GetMDIFrame();
    HACCEL hAccel = GetDefaultAccelerator();
    return pFrame != NULL && hAccel != NULL && ::TranslateAccelerator(pFrame->m_hWnd, hAccel, pMsg);
}
