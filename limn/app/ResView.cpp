// CResView: the list of views, the tree's attachment, the window's messages passed to
// the tree, and the scanning clock.
#include "limn/app/ResView.h"
#include "limn/app/LimnDoc.h"
#include "limn/canvas/SharedPalette.h"
#include "limn/containers/ContainerWatch.h"
#include "limn/containers/WndContainer.h"

IMPLEMENT_DYNCREATE(CResView, CView)

CList<CResView*, CResView*> CResView::m_viewList;
BOOL CResView::m_bWasForeground = FALSE;

namespace {

const UINT_PTR nClockTimer = 1;
const UINT nClockMS = 100;

} // namespace

BEGIN_MESSAGE_MAP(CResView, CView)
    ON_MESSAGE(WM_USER, OnDoRealize)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONDBLCLK()
    ON_WM_RBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_TIMER()
    ON_WM_DESTROY()
    ON_WM_CREATE()
    ON_WM_ACTIVATE()
END_MESSAGE_MAP()

CResView::CResView() : m_pContainer(NULL), m_bOffScreenDraw(TRUE), m_bAwaitingScreen(FALSE)
{
    m_viewList.AddTail(this);
}

CResView::~CResView() { LeaveViewList(); }

void CResView::LeaveViewList()
{
    if (POSITION pos = m_viewList.Find(this))
        m_viewList.RemoveAt(pos);
    if (m_viewList.IsEmpty())
        m_viewList.RemoveAll();
}

CLimnDoc* CResView::GetLimnDoc() const { return DYNAMIC_DOWNCAST(CLimnDoc, m_pDocument); }

void CResView::OnMessage(Message*) {}

// The tree

// What the tree's window size broadcast and its showing set off may destroy the tree.
CWndContainer* CResView::AttachContainer()
{
    if (m_pContainer != NULL)
        return m_pContainer;
    CLimnDoc* pDoc = GetLimnDoc();
    CWndContainer* pMain = pDoc != NULL ? pDoc->GetMainContainer() : NULL;
    if (pMain == NULL)
        return NULL;
    m_pContainer = pMain;
    CContainerWatch watchMain(pMain);
    pMain->AttachToWindow(this);
    if (watchMain.Get() != NULL)
        pMain->ArrangeChildren();
    if (watchMain.Get() != NULL)
        pMain->SetVisible(TRUE, TRUE);
    if (watchMain.Get() == NULL)
        m_pContainer = NULL;
    return m_pContainer;
}

void CResView::DetachContainer()
{
    if (m_pContainer != NULL && m_pContainer->GetWindowPtr() == this)
        m_pContainer->AttachToWindow(NULL);
    m_pContainer = NULL;
}

void CResView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    if (pHint != NULL && pHint == m_pContainer)
        DetachContainer();
    CView::OnUpdate(pSender, lHint, pHint);
}

// Creation and destruction

int CResView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CView::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetTimer(nClockTimer, nClockMS, NULL);
    return 0;
}

// The tree outlives the window: it must not keep a window that is gone.
void CResView::OnDestroy()
{
    CView::OnDestroy();
    KillTimer(nClockTimer);
    DetachContainer();
    LeaveViewList();
}

// Size and activation

void CResView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_pContainer != NULL)
        m_pContainer->OnWindowSizeChange();
}

void CResView::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CView::OnActivate(nState, pWndOther, bMinimized);
    if (m_pContainer != NULL)
        m_pContainer->OnActivate(nState != WA_INACTIVE);
}

void CResView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
    if (!bActivate || pActivateView == NULL)
        return;
    if (CLimnDoc* pDoc = DYNAMIC_DOWNCAST(CLimnDoc, pActivateView->GetDocument()))
        pDoc->OnActivate();
}

// The clock. A view waiting for its tree, or for its tree to be shown, asks for a paint
// on every tick until it has one to draw.
void CResView::OnTimer(UINT nIDEvent)
{
    if (nIDEvent != nClockTimer)
    {
        CView::OnTimer(nIDEvent);
        return;
    }
    if (m_bAwaitingScreen)
        Invalidate(FALSE);
    if (m_pContainer == NULL)
        return;
    CWinThread* pThread = AfxGetThread();
    CWnd* pMainWnd = pThread != NULL ? pThread->GetMainWnd() : NULL;
    BOOL bActive = pMainWnd != NULL && ::GetForegroundWindow() == pMainWnd->m_hWnd;
    // What deactivation sets off may close the screen, this view with it.
    CWndContainer* pRoot = m_pContainer;
    CContainerWatch watchRoot(pRoot);
    if (bActive != m_bWasForeground)
    {
        m_bWasForeground = bActive;
        pRoot->OnActivate(bActive);
    }
    if (bActive && watchRoot.Get() != NULL)
        pRoot->OnTimer(nIDEvent);
}

// The mouse

CEventState CResView::GetEventState()
{
    const MSG* pMsg = GetCurrentMessage();
    return CEventState(::GetTickCount(), CPoint(pMsg->pt), ::GetAsyncKeyState(VK_SHIFT),
                       ::GetAsyncKeyState(VK_CONTROL), ::GetAsyncKeyState(VK_MENU));
}

void CResView::RouteMouse(CPoint point, void (CContainer::*pfnHandler)(CPoint, const CEventState&))
{
    if (m_pContainer != NULL)
        (m_pContainer->*pfnHandler)(point, GetEventState());
}

void CResView::OnLButtonDown(UINT, CPoint point) { RouteMouse(point, &CContainer::OnLButtonDown); }

void CResView::OnLButtonUp(UINT, CPoint point) { RouteMouse(point, &CContainer::OnLButtonUp); }

void CResView::OnLButtonDblClk(UINT, CPoint point) { RouteMouse(point, &CContainer::OnLButtonDblClk); }

void CResView::OnRButtonDown(UINT, CPoint point) { RouteMouse(point, &CContainer::OnRButtonDown); }

void CResView::OnRButtonUp(UINT, CPoint point) { RouteMouse(point, &CContainer::OnRButtonUp); }

void CResView::OnRButtonDblClk(UINT, CPoint point) { RouteMouse(point, &CContainer::OnRButtonDblClk); }

void CResView::OnMouseMove(UINT, CPoint point) { RouteMouse(point, &CContainer::OnMouseMove); }

// The palette

LRESULT CResView::OnDoRealize(WPARAM hWndFocus, LPARAM)
{
    CPalette* pPalette = GetSharedPalette();
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pPalette == NULL || pMainWnd == NULL || pMainWnd->m_hWnd == NULL)
        return 0;
    CClientDC dc(pMainWnd);
    CPalette* pOld = dc.SelectPalette(pPalette, (HWND)hWndFocus != m_hWnd);
    dc.RealizePalette();
    if (pOld != NULL)
        dc.SelectPalette(pOld, TRUE);
    return 0;
}
