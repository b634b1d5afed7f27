// The shape elements: their runtime classes and construction. Any stored schema reads,
// since they store nothing.
#include "limn/pictures/DrawEllipseElem.h"
#include "limn/pictures/DrawPolygonElem.h"

#include <algorithm>

IMPLEMENT_SERIAL(CDrawPolygonElem, CPictElemFreeable, 0xFFFFFFFF)
IMPLEMENT_SERIAL(CDrawEllipseElem, CPictElemFreeable, 0xFFFFFFFF)

CDrawPolygonElem::CDrawPolygonElem() : m_bFilled(FALSE), m_nPenWidth(0), m_lineColor(0), m_fillColor(0) {}

CDrawPolygonElem::CDrawPolygonElem(CArray<CPoint, CPoint>& points, BOOL bFilled, int nPenWidth,
                                   COLORREF lineColor, COLORREF fillColor)
    : m_bFilled(bFilled), m_nPenWidth(nPenWidth), m_lineColor(lineColor), m_fillColor(fillColor)
{
    m_points.Copy(points);
    // The size of the points' bounding box, as an ellipse's extent is its rectangle's.
    if (points.IsEmpty())
        return;
    CRect rectBounds(points[0], points[0]);
    for (INT_PTR i = 1; i < points.GetSize(); ++i)
    {
        rectBounds.left = std::min(rectBounds.left, points[i].x);
        rectBounds.top = std::min(rectBounds.top, points[i].y);
        rectBounds.right = std::max(rectBounds.right, points[i].x);
        rectBounds.bottom = std::max(rectBounds.bottom, points[i].y);
    }
    m_extent = rectBounds.Size();
}

CDrawEllipseElem::CDrawEllipseElem() : m_bFilled(FALSE), m_nPenWidth(0), m_lineColor(0), m_fillColor(0) {}

CDrawEllipseElem::CDrawEllipseElem(CRect& rect, BOOL bFilled, int nPenWidth, COLORREF lineColor,
                                   COLORREF fillColor)
    : m_rectEllipse(rect), m_bFilled(bFilled), m_nPenWidth(nPenWidth), m_lineColor(lineColor),
      m_fillColor(fillColor)
{
    m_extent = rect.Size();
}
