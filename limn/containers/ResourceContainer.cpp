// CResourceContainer.
#include "limn/containers/ResourceContainer.h"
#include "limn/pictures/DrawableResource.h"

namespace {

// The margin between the client area's edge and the resource.
const int nResourceMargin = 3;

} // namespace

CResourceContainer::CResourceContainer(CContainer* pParent, CDrawableResource* pResource)
    : CContainer(pParent, arrangeNone), m_pResource(pResource)
{
}

void CResourceContainer::OnSelect() {}

// A client area too small to leave room inside the margin shows nothing.
void CResourceContainer::DrawContents(CCanvas& canvas)
{
    if (m_pResource == NULL)
        return;
    CRect rect;
    GetClientRect(&rect);
    rect.DeflateRect(nResourceMargin, nResourceMargin);
    if (!rect.IsRectEmpty())
        m_pResource->DrawKeepingAspect(canvas, rect);
}
