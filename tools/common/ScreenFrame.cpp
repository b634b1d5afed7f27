// CScreenFrame: the tree in the client area, its painting and its mouse.
#include "ScreenFrame.h"

#include "limn/canvas/Canvas.h"
#include "limn/canvas/CanvasBuffer.h"
#include "limn/containers/WndContainer.h"

BEGIN_MESSAGE_MAP(CScreenFrame, CFrameWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_DESTROY()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONDBLCLK()
    ON_WM_RBUTTONUP()
END_MESSAGE_MAP()

BOOL CScreenFrame::Create(LPCTSTR lpszTitle, CSize sizeClient, CWndContainer* pRoot)
{
    const DWORD dwStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    CRect rect(CPoint(0, 0), sizeClient);
    ::AdjustWindowRectEx(&rect, dwStyle, FALSE, 0);
    rect.OffsetRect(-rect.left, -rect.top);
    if (!CFrameWnd::Create(NULL, lpszTitle, dwStyle, rect))
        return FALSE;
    // As a view takes its tree: the root takes the client area, and the tree is laid out
    // once more even when that is the size it had, so that containers with windows of
    // their own make them, and shown.
    m_pRoot = pRoot;
    m_pRoot->AttachToWindow(this);
    m_pRoot->ArrangeChildren();
    m_pRoot->SetVisible(TRUE, TRUE);
    return TRUE;
}

void CScreenFrame::OnPaint()
{
    CPaintDC dc(this);
    if (m_pRoot == NULL)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    CCanvas canvas(&dc);
    canvas.SetBounds(rectClient);
    // Drawing is clipped to the area to paint, which the tree passes by the containers
    // outside it.
    const CRect rectPaint(dc.m_ps.rcPaint);
    CCanvasBuffer buffer(canvas, rectPaint);
    canvas.ClipToRect(rectPaint);
    m_pRoot->Draw(canvas);
    buffer.Draw();
}

// The tree covers the whole client area.
BOOL CScreenFrame::OnEraseBkgnd(CDC*) { return TRUE; }

void CScreenFrame::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
    if (m_pRoot != NULL)
        m_pRoot->OnWindowSizeChange();
}

void CScreenFrame::OnDestroy()
{
    if (m_pRoot != NULL)
        m_pRoot->AttachToWindow(NULL);
    m_pRoot = NULL;
    CFrameWnd::OnDestroy();
}

void CScreenFrame::RouteMouse(CPoint point, void (CContainer::*pfnHandler)(CPoint, const CEventState&))
{
    if (m_pRoot == NULL)
        return;
    const MSG* pMsg = GetCurrentMessage();
    CEventState state(pMsg->time, CPoint(pMsg->pt), ::GetAsyncKeyState(VK_SHIFT), ::GetAsyncKeyState(VK_CONTROL),
                      ::GetAsyncKeyState(VK_MENU));
    (m_pRoot->*pfnHandler)(point, state);
}

void CScreenFrame::OnMouseMove(UINT, CPoint point) { RouteMouse(point, &CContainer::OnMouseMove); }

void CScreenFrame::OnLButtonDown(UINT, CPoint point) { RouteMouse(point, &CContainer::OnLButtonDown); }

void CScreenFrame::OnLButtonDblClk(UINT, CPoint point) { RouteMouse(point, &CContainer::OnLButtonDblClk); }

void CScreenFrame::OnLButtonUp(UINT, CPoint point) { RouteMouse(point, &CContainer::OnLButtonUp); }

void CScreenFrame::OnRButtonDown(UINT, CPoint point) { RouteMouse(point, &CContainer::OnRButtonDown); }

void CScreenFrame::OnRButtonDblClk(UINT, CPoint point) { RouteMouse(point, &CContainer::OnRButtonDblClk); }

void CScreenFrame::OnRButtonUp(UINT, CPoint point) { RouteMouse(point, &CContainer::OnRButtonUp); }
