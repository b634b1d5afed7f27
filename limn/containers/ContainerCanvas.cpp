// CContainerCanvas.
#include "limn/containers/ContainerCanvas.h"
#include "limn/containers/Container.h"

namespace {

CWnd* WindowOf(CContainer* pContainer)
{
    CWnd* pWnd = pContainer->GetWindowPtr();
    if (pWnd == NULL || pWnd->m_hWnd == NULL)
        AfxThrowResourceException();
    return pWnd;
}

// Where the client area starts in the whole window: past the edge and the caption.
CPoint ClientOrigin(CWnd* pWnd)
{
    CRect rectWindow;
    pWnd->GetWindowRect(&rectWindow);
    CPoint point(0, 0);
    pWnd->ClientToScreen(&point);
    return point - rectWindow.TopLeft();
}

} // namespace

CContainerCanvas::CContainerCanvas(CContainer* pContainer) : m_dc(WindowOf(pContainer))
{
    SetDC(&m_dc);
    CRect rect;
    pContainer->GetClientRect(&rect);
    pContainer->ClientToWindow(&rect);
    SetBounds(rect + ClientOrigin(pContainer->GetWindowPtr()));
}

CContainerCanvas::~CContainerCanvas() { DetachDC(); }
