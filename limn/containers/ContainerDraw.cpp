// CContainer::Draw: fill, frame, contents, then the visible children, each clipped to the
// client area of this container and of every container around it; the scanning focus
// computes its highlight's rectangle on the way. DrawContents may destroy containers:
// the drawing goes on past children that are gone and, where this container is gone,
// only gives the canvas back as it was.
#include "limn/containers/Container.h"
#include "limn/containers/ChildWalk.h"
#include "limn/containers/ContainerFrame.h"
#include "limn/canvas/Canvas.h"

void CContainer::Draw(CCanvas& canvas)
{
    if (!m_bVisible)
        return;
    CChildWalk walk(this);
    CRect rectHiliteBefore;
    if (m_pParent == NULL)
        rectHiliteBefore = BeginRootPaint(canvas);
    if (m_bFill)
        Fill(canvas);
    // A root draws no frame and has its contents at its bounds' corner.
    CPoint inset(0, 0);
    if (m_pFrame != NULL && m_pParent != NULL)
    {
        m_pFrame->Draw(canvas, m_rectBounds);
        CRect rectInner = m_rectBounds;
        m_pFrame->AdjustClientRect(&rectInner);
        inset = rectInner.TopLeft() - m_rectBounds.TopLeft();
    }

    // Inside, the canvas is in this container's content coordinates: the client area lies
    // at minus the scroll offset, and the clip in force on entry moves by the offset. The
    // children's bounds are content coordinates too; GetContainerRect gives them in client
    // coordinates.
    const CPoint originEntry = canvas.GetOrigin();
    const CRect clipEntry = canvas.GetClipRect();
    const CPoint offset = m_rectBounds.TopLeft() + inset + m_ptScroll;
    CRect rectClient;
    GetClientRect(&rectClient);
    CRect rectClip = rectClient - m_ptScroll;
    if (!clipEntry.IsRectEmpty())
        rectClip &= clipEntry - offset;

    canvas.OffsetOrigin(offset);
    DrawContents(canvas);
    if (!rectClip.IsRectEmpty())
    {
        while (CContainer* pChild = walk.Next())
        {
            if (!pChild->m_bVisible)
                continue;
            CRect rectChild;
            pChild->GetContainerRect(&rectChild);
            CRect rectShown;
            if (!rectShown.IntersectRect(&rectChild, &rectClient) || rectShown.Height() <= 2)
                continue;
            // On a screen everything a child draws is clipped to rectClip: one wholly
            // outside it, as most are when a small area is painted again, would draw
            // nothing. A printer's canvas does not clip.
            const BOOL bClips = !canvas.IsPrinting() && !canvas.IsInPreview();
            if (bClips && !rectShown.IntersectRect(&pChild->m_rectBounds, &rectClip))
                continue;
            canvas.ClipToRect(rectClip);
            pChild->Draw(canvas);
        }
    }

    // Under the scanning focus the highlight goes around the frame, outside any clip; its
    // rectangle follows the layout.
    if (walk.IsAlive() && m_nState == stateScanFocus)
    {
        canvas.TurnOffClipping();
        canvas.OffsetOrigin(-inset);
        ComputeScanHilite();
    }

    canvas.SetOrigin(originEntry);
    if (clipEntry.IsRectEmpty())
        canvas.TurnOffClipping();
    else
        canvas.ClipToRect(clipEntry);
    if (walk.IsAlive() && m_pParent == NULL)
        EndRootPaint(rectHiliteBefore);
}

// The fill covers the bounds to their last column and row. A rectangle drawn without a
// pen stops a pixel short of its right and bottom edges; a polygon with the same
// corners does not.
void CContainer::Fill(CCanvas& canvas)
{
    CArray<CPoint, CPoint> corners;
    corners.SetSize(4);
    corners[0] = m_rectBounds.TopLeft();
    corners[1] = CPoint(m_rectBounds.right, m_rectBounds.top);
    corners[2] = m_rectBounds.BottomRight();
    corners[3] = CPoint(m_rectBounds.left, m_rectBounds.bottom);
    canvas.SetBrush(GetFillColor(), FALSE);
    canvas.FillPolygon(corners);
}

void CContainer::DrawContents(CCanvas&) {}
