// CContainer under the mouse: the one process-wide capture, and the default behaviour of
// a container, that of a push button: pressed by the left button, unpressed while the
// mouse is dragged out and pressed again when it comes back, selected when released
// pressed.
#include "limn/containers/Container.h"
#include "limn/containers/ContainerWatch.h"

void CContainer::CaptureMouse()
{
    ReleaseMouse();
    m_pMouseCapture = this;
    CWnd* pWnd = GetWindowPtr();
    if (pWnd != NULL && pWnd->GetSafeHwnd() != NULL)
        ::SetCapture(pWnd->GetSafeHwnd());
}

void CContainer::ReleaseMouse()
{
    m_pMouseCapture = NULL;
    ::ReleaseCapture();
}

void CContainer::OnMouseEnter(CPoint, const CEventState&) {}

void CContainer::OnMouseExit(const CContainer*, const CEventState&) {}

// The container that scanning highlights, or highlighted last, is pressed as any other.
void CContainer::OnLButtonDown(CPoint, const CEventState&)
{
    if (m_nState != stateNormal && m_nState != stateScanFocus)
        return;
    CaptureMouse();
    m_nState = statePressed;
    ForceRedraw(FALSE, NULL);
}

void CContainer::OnMouseMove(CPoint point, const CEventState&)
{
    if (m_pMouseCapture != this)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    BOOL bInside = rectClient.PtInRect(point);
    if (m_nState == statePressed && !bInside)
    {
        m_nState = stateNormal;
        ForceRedraw(FALSE, NULL);
    }
    else if (m_nState == stateNormal && bInside)
    {
        m_nState = statePressed;
        ForceRedraw(FALSE, NULL);
    }
}

// Selecting comes last: what it sets off may destroy this container. The redraw before it
// may destroy it too, and then nothing is selected.
void CContainer::OnLButtonUp(CPoint, const CEventState&)
{
    if (m_pMouseCapture == this)
        ReleaseMouse();
    if (m_nState != statePressed)
        return;
    m_nState = stateNormal;
    CContainerWatch watchThis(this);
    ForceRedraw(FALSE, NULL);
    if (watchThis.Get() != NULL)
        OnSelect();
}

void CContainer::OnLButtonDblClk(CPoint point, const CEventState& state) { OnLButtonDown(point, state); }

void CContainer::OnRButtonDown(CPoint, const CEventState&) {}

void CContainer::OnRButtonDblClk(CPoint point, const CEventState& state) { OnRButtonDown(point, state); }

void CContainer::OnRButtonUp(CPoint, const CEventState&) {}
