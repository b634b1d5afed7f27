// CDrawableResource: the preview drawn on a canvas.
#include "limn/pictures/DrawableResource.h"
#include "limn/canvas/Canvas.h"

void CDrawableResource::DrawPreview(CCanvas& canvas)
{
    if (m_extent.cx == 0 || m_extent.cy == 0)
        return;
    CSize size = canvas.GetExtent();
    CRect rectDst(0, 0, size.cx, size.cy);
    if (m_extent.cx < size.cx && m_extent.cy < size.cy)
        rectDst = CRect(CPoint((size.cx - m_extent.cx) >> 1, (size.cy - m_extent.cy) >> 1), m_extent);
    Draw(canvas, CRect(CPoint(0, 0), m_extent), rectDst);
}

void CDrawableResource::DrawPreview(CDC* pDC, CWnd*, const CRect& rect)
{
    CCanvas canvas(pDC);
    canvas.SetBounds(rect);
    DrawPreview(canvas);
}
