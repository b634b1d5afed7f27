// CContainer: geometry, the three frames of reference, layout, scrolling and
// hit-testing.
//
// Layout sums run in 64 bits and the bounds it computes are kept within maxCoordinate,
// so that any tree, however many children it has, lays out without overflow.
#include "limn/containers/Container.h"
#include "limn/containers/ChildWalk.h"
#include "limn/containers/ContainerFrame.h"
#include "limn/containers/ContainerWatch.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace {

int Clamped(LONGLONG n)
{
    return (int)std::clamp<LONGLONG>(n, -CContainer::maxCoordinate, CContainer::maxCoordinate);
}

int Saturated(LONGLONG n) { return (int)std::clamp<LONGLONG>(n, INT_MIN, INT_MAX); }

// A flexible child's part of the space available: in proportion to its minimum size
// among the flexible children's, rounded to nearest; all of it when their sum is 0.
LONGLONG Share(LONGLONG avail, LONG minimum, LONGLONG flexSum)
{
    return flexSum != 0 ? ::MulDiv(Saturated(avail), minimum, Saturated(flexSum)) : avail;
}

} // namespace

// Geometry

void CContainer::SetBounds(const CRect& rect)
{
    BOOL bChanged = !m_rectBounds.EqualRect(&rect);
    Invalidate();
    m_rectBounds = rect;
    Invalidate();
    if (bChanged)
        ArrangeChildren();
}

int CContainer::GetSideCoord(int nSide) const
{
    switch (nSide)
    {
    case 0:
        return m_rectBounds.left;
    case 1:
        return m_rectBounds.top;
    case 2:
        return m_rectBounds.right;
    default:
        return m_rectBounds.bottom;
    }
}

void CContainer::GetClientRect(CRect* pRect) const
{
    *pRect = m_rectBounds;
    if (m_pFrame != NULL)
        m_pFrame->AdjustClientRect(pRect);
    pRect->OffsetRect(-pRect->left, -pRect->top);
}

void CContainer::GetContainerRect(CRect* pRect) const
{
    *pRect = m_rectBounds;
    if (m_pParent != NULL)
        pRect->OffsetRect(m_pParent->m_ptScroll);
}

void CContainer::ClientToParent(CRect* pRect) const
{
    int nFrame = FrameWidth();
    pRect->OffsetRect(nFrame, nFrame);
    if (m_pParent != NULL)
        pRect->OffsetRect(m_pParent->m_ptScroll);
    pRect->OffsetRect(m_rectBounds.TopLeft());
}

void CContainer::ParentToClient(CRect* pRect) const
{
    int nFrame = FrameWidth();
    pRect->OffsetRect(-nFrame, -nFrame);
    if (m_pParent != NULL)
        pRect->OffsetRect(-m_pParent->m_ptScroll.x, -m_pParent->m_ptScroll.y);
    pRect->OffsetRect(-m_rectBounds.left, -m_rectBounds.top);
}

void CContainer::ClientToWindow(CRect* pRect) const
{
    for (const CContainer* p = this; p != NULL; p = p->m_pParent)
        p->ClientToParent(pRect);
}

void CContainer::WindowToClient(CRect* pRect) const
{
    for (const CContainer* p = this; p != NULL; p = p->m_pParent)
        p->ParentToClient(pRect);
}

// A point converts as the empty rectangle at it.
#define CONVERT_POINT(Conversion)                           \
    void CContainer::Conversion(CPoint* pPoint) const       \
    {                                                       \
        CRect rect(*pPoint, *pPoint);                       \
        Conversion(&rect);                                  \
        *pPoint = rect.TopLeft();                           \
    }
CONVERT_POINT(ClientToParent)
CONVERT_POINT(ParentToClient)
CONVERT_POINT(ClientToWindow)
CONVERT_POINT(WindowToClient)
#undef CONVERT_POINT

// Layout

void CContainer::SetArrangeMethod(ArrangeMethod method)
{
    NoteTreeChange();
    m_arrangeMethod = method;
    ArrangeChildren();
}

void CContainer::SetMinimumSize(CSize size)
{
    NoteTreeChange();
    m_sizeMinimum = size;
    if (m_pParent != NULL)
        m_pParent->ArrangeChildren();
}

void CContainer::SetPreferredSize(CSize size)
{
    NoteTreeChange();
    m_sizePreferred = m_sizeMinimum = size;
    if (m_pParent != NULL)
        m_pParent->ArrangeChildren();
}

void CContainer::SetChildGap(CSize size)
{
    m_sizeChildGap = size;
    ArrangeChildren();
}

// Children are laid out one after the other along the axis of the arrange method
// (vertical: top to bottom; every other method: left to right), inside the client area
// less the gap. A child whose preferred size along the axis is -1 is flexible: the space
// the fixed children leave is shared among the flexible ones in proportion to their
// minimum sizes, never below the minimum. Across the axis a flexible child fills the
// inner area. A child's SetBounds may destroy containers: the layout goes on with the
// children that are left, and stops once this container is gone.
void CContainer::ArrangeChildren()
{
    if (m_arrangeMethod == arrangeNone || m_bDisableAutoArrange || m_bDisableAllAutoArrange || AwaitsReadLayout())
        return;
    const BOOL bVertical = m_arrangeMethod == arrangeVertical;
    const CSize gap = m_sizeChildGap;
    CRect rectInner;
    GetClientRect(&rectInner);
    rectInner.DeflateRect(gap.cx, gap.cy);
    const LONGLONG innerW = rectInner.Width();
    const LONGLONG innerH = rectInner.Height();
    const LONGLONG gapAlong = bVertical ? gap.cy : gap.cx;

    int nFlex = 0;
    LONGLONG flexSum = 0;
    LONGLONG fixedSum = 0;
    BOOL bAnyVisible = FALSE;
    for (POSITION pos = m_childList.GetHeadPosition(); pos != NULL;)
    {
        CContainer* pChild = m_childList.GetNext(pos);
        if (!pChild->m_bVisible)
            continue;
        bAnyVisible = TRUE;
        CSize sizeMin = MinimumSizeOf(pChild);
        LONG prefAlong = bVertical ? pChild->m_sizePreferred.cy : pChild->m_sizePreferred.cx;
        LONG minAlong = bVertical ? sizeMin.cy : sizeMin.cx;
        if (prefAlong == -1)
        {
            ++nFlex;
            flexSum += minAlong;
        }
        else
        {
            fixedSum += minAlong + gapAlong;
        }
    }
    if (!bAnyVisible)
        return;

    LONGLONG availAlong = (bVertical ? innerH : innerW) - fixedSum;
    if (nFlex > 1)
        availAlong -= (nFlex - 1) * gapAlong;
    const LONGLONG availW = bVertical ? innerW : availAlong;
    const LONGLONG availH = bVertical ? availAlong : innerH;
    const LONGLONG flexSumW = bVertical ? 0 : flexSum;
    const LONGLONG flexSumH = bVertical ? flexSum : 0;

    LONGLONG x = gap.cx;
    LONGLONG y = gap.cy;
    CChildWalk walk(this);
    while (CContainer* pChild = walk.Next())
    {
        if (!pChild->m_bVisible)
            continue;
        const CSize sizeMin = MinimumSizeOf(pChild);
        const CSize pref = pChild->m_sizePreferred;
        const LONGLONG clipW = std::min<LONGLONG>(sizeMin.cx, innerW);
        const LONGLONG clipH = std::min<LONGLONG>(sizeMin.cy, innerH);

        LONGLONG w;
        if (pref.cx == -1)
            w = bVertical ? std::max<LONGLONG>(sizeMin.cx, innerW) : std::max<LONGLONG>(sizeMin.cx, Share(availW, sizeMin.cx, flexSumW));
        else
            w = nFlex > 0 ? clipW : pref.cx;
        LONGLONG h;
        if (pref.cy == -1)
            h = !bVertical ? std::max<LONGLONG>(sizeMin.cy, innerH) : std::max<LONGLONG>(sizeMin.cy, Share(availH, sizeMin.cy, flexSumH));
        else
            h = nFlex > 0 ? clipH : pref.cy;
        w = std::max(w, clipW);
        h = std::max(h, clipH);

        // The client area is rounded down to the child's step; the frame stays whole.
        const CSize step = pChild->m_sizeStep;
        if (step.cx != 1 || step.cy != 1)
        {
            const LONGLONG frame2 = 2 * pChild->FrameWidth();
            w -= frame2;
            h -= frame2;
            if (step.cx != 0)
                w = w / step.cx * step.cx;
            if (step.cy != 0)
                h = h / step.cy * step.cy;
            w += frame2;
            h += frame2;
        }

        pChild->SetBounds(CRect(Clamped(x), Clamped(y), Clamped(x + w), Clamped(y + h)));
        if (bVertical)
            y += h + gap.cy;
        else
            x += w + gap.cx;
    }
    if (walk.IsAlive())
        ComputeScrollExtent();
}

void CContainer::ArrangeAndInvalidate()
{
    CContainerWatch watchThis(this);
    ArrangeChildren();
    if (watchThis.Get() != NULL)
        Invalidate();
}

// Along the axis the children's minimum sizes add up, across it the largest counts; the
// gaps do not count.
CSize CContainer::GetMinimumSize()
{
    const BOOL bVertical = m_arrangeMethod == arrangeVertical;
    LONGLONG sumAlong = 0;
    LONGLONG maxAcross = 0;
    for (POSITION pos = m_childList.GetHeadPosition(); pos != NULL;)
    {
        CContainer* pChild = m_childList.GetNext(pos);
        if (!pChild->m_bVisible)
            continue;
        CSize sizeChild = MinimumSizeOf(pChild);
        sumAlong += bVertical ? sizeChild.cy : sizeChild.cx;
        maxAcross = std::max<LONGLONG>(maxAcross, bVertical ? sizeChild.cx : sizeChild.cy);
    }
    LONGLONG cx = std::max<LONGLONG>(m_sizeMinimum.cx, bVertical ? maxAcross : sumAlong);
    LONGLONG cy = std::max<LONGLONG>(m_sizeMinimum.cy, bVertical ? sumAlong : maxAcross);
    if (m_pFrame != NULL)
    {
        WORD wFrames = (WORD)(2 * m_pFrame->GetWidth());
        cx += wFrames;
        cy += wFrames;
    }
    if (m_bFixedAlongAxis)
    {
        if (bVertical)
            cy = m_sizeMinimum.cy;
        else if (m_arrangeMethod != arrangeNone)
            cx = m_sizeMinimum.cx;
    }
    return CSize(Clamped(cx), Clamped(cy));
}

// Scrolling: neither operation keeps the offset within the extent.

void CContainer::SetScrollPos(CPoint point)
{
    m_ptScroll = point;
    Invalidate();
}

void CContainer::ScrollBy(CSize delta)
{
    m_ptScroll += delta;
    Invalidate();
}

void CContainer::ComputeScrollExtent()
{
    CRect rectUnion;
    for (POSITION pos = m_childList.GetHeadPosition(); pos != NULL;)
    {
        CRect rectChild;
        m_childList.GetNext(pos)->GetContainerRect(&rectChild);
        rectUnion |= rectChild;
    }
    CRect rectClient;
    GetClientRect(&rectClient);
    CSize extent(Clamped(std::max(0, rectUnion.Width() - rectClient.Width())),
                 Clamped(std::max(0, rectUnion.Height() - rectClient.Height())));
    m_sizeScrollExtent = extent;
    if (extent.cx != 0 || extent.cy != 0)
        OnScrollExtentChanged();
}

void CContainer::OnScrollExtentChanged() {}

// Hit-testing

BOOL CContainer::ContainsPoint(CPoint point) { return m_rectBounds.PtInRect(point); }

const CContainer* CContainer::ChildFromPoint(CPoint point) const
{
    for (POSITION pos = m_childList.GetHeadPosition(); pos != NULL;)
    {
        const CContainer* pChild = m_childList.GetNext(pos);
        CPoint pointChild = point;
        pChild->ParentToClient(&pointChild);
        CRect rectClient;
        pChild->GetClientRect(&rectClient);
        if (pChild->m_bVisible && rectClient.PtInRect(pointChild))
            return pChild->ChildFromPoint(pointChild);
    }
    return this;
}

CContainer* CContainer::ChildFromPoint(CPoint point)
{
    return const_cast<CContainer*>(std::as_const(*this).ChildFromPoint(point));
}
