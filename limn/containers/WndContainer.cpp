// CWndContainer: the root bound to a window, its invalidation and its routing of mouse
// events.
#include "limn/containers/WndContainer.h"
#include "limn/containers/ContainerMessages.h"
#include "limn/containers/ContainerWatch.h"
#include "limn/scanning/ContainerHooks.h"

IMPLEMENT_SERIAL(CWndContainer, CContainer, 0)

// A new root clears the highlight rectangle and ends automatic scanning.
CWndContainer::CWndContainer(CWnd* pWnd)
    : CContainer(NULL, arrangeNone), m_pHiliteBits(NULL), m_rectHiliteSaved(0, 0, 0, 0), m_hWnd(NULL), m_pWnd(NULL),
      m_pDoc(NULL)
{
    m_rectScanHilite.SetRectEmpty();
    if (m_bInAutoScan)
    {
        m_bInAutoScan = FALSE;
        SetAutoScan(FALSE);
    }
    SetFillColor(RGB(0xC0, 0xC0, 0xC0));
    if (pWnd != NULL)
        AttachToWindow(pWnd);
}

CWndContainer::~CWndContainer() { FlushHilite(); }

void CWndContainer::AttachToWindow(CWnd* pWnd)
{
    m_pWnd = pWnd;
    m_hWnd = pWnd != NULL ? pWnd->GetSafeHwnd() : NULL;
    OnWindowSizeChange();
}

// A receiver of the message may close the screen, this root with it.
void CWndContainer::OnWindowSizeChange()
{
    if (m_hWnd == NULL)
        return;
    CContainerWatch watchThis(this);
    MsgWindowResized(this).Broadcast();
    if (watchThis.Get() == NULL)
        return;
    CRect rectClient;
    m_pWnd->GetClientRect(&rectClient);
    SetBounds(rectClient);
}

void CWndContainer::Invalidate(const CRect& rect)
{
    if (m_hWnd != NULL && !rect.IsRectEmpty())
        ::InvalidateRect(m_hWnd, &rect, FALSE);
}

void CWndContainer::ForceRedraw(int, CContainer* pContainer)
{
    if (m_hWnd == NULL)
        return;
    if (pContainer == NULL)
        pContainer = this;
    CRect rect;
    pContainer->GetClientRect(&rect);
    pContainer->ClientToWindow(&rect);
    ::InvalidateRect(m_hWnd, &rect, TRUE);
    ::UpdateWindow(m_hWnd);
}

// Routing

CContainer* CWndContainer::GetMouseEventReceipient(CPoint& point)
{
    CContainer* pReceiver = m_pMouseCapture != NULL ? m_pMouseCapture : ChildFromPoint(point);
    if (pReceiver != this)
        pReceiver->WindowToClient(&point);
    return pReceiver;
}

void CWndContainer::RouteButton(CPoint point, const CEventState& state,
                                void (CContainer::*pfnHandler)(CPoint, const CEventState&))
{
    m_lastEventState = state;
    CContainer* pReceiver = GetMouseEventReceipient(point);
    if (pReceiver != this)
        (pReceiver->*pfnHandler)(point, state);
}

void CWndContainer::OnLButtonDown(CPoint point, const CEventState& state)
{
    RouteButton(point, state, &CContainer::OnLButtonDown);
}

void CWndContainer::OnLButtonUp(CPoint point, const CEventState& state)
{
    RouteButton(point, state, &CContainer::OnLButtonUp);
}

void CWndContainer::OnRButtonDown(CPoint point, const CEventState& state)
{
    RouteButton(point, state, &CContainer::OnRButtonDown);
}

void CWndContainer::OnRButtonUp(CPoint point, const CEventState& state)
{
    RouteButton(point, state, &CContainer::OnRButtonUp);
}

// Enter and exit follow the receiver, so they do not fire while a capture is held. Each
// handler may destroy containers: a receiver that is gone hears nothing more and is not
// entered, and the next move finds the container under the cursor.
void CWndContainer::OnMouseMove(CPoint point, const CEventState& state)
{
    m_lastEventState = state;
    CContainer* pFound = GetMouseEventReceipient(point);
    CContainerWatch watchReceiver(pFound);
    if (pFound != this)
        pFound->OnMouseMove(point, state);
    if (watchReceiver.Get() == NULL || watchReceiver.Get() == m_pLastEntered)
        return;
    if (m_pLastEntered != NULL)
        m_pLastEntered->OnMouseExit(watchReceiver.Get(), state);
    m_pLastEntered = watchReceiver.Get();
    if (m_pLastEntered != NULL)
        m_pLastEntered->OnMouseEnter(point, state);
}
