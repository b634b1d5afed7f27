// CDrawPolygonElem: a picture element that draws a closed polygon with the canvas's
// cached pen and brush, at its own coordinates whatever the picture is drawn into.
// It stores nothing: read back from a file, it is an empty polygon.
#pragma once

#include "limn/pictures/PictElemFreeable.h"

#include <afxtempl.h>

class LIMN_API CDrawPolygonElem : public CPictElemFreeable
{
    DECLARE_SERIAL(CDrawPolygonElem)
public:
    // No points, no outline, black.
    CDrawPolygonElem();
    // Copies the points. A pen width of 0 draws the interior alone; otherwise the
    // outline, and the interior too when bFilled. The extent is the size of the points'
    // bounding box.
    CDrawPolygonElem(CArray<CPoint, CPoint>& points, BOOL bFilled, int nPenWidth, COLORREF lineColor,
                     COLORREF fillColor);

    using CDrawable::Draw;
    // src and dst are not used: the polygon is drawn through its own points.
    void Draw(CCanvas& canvas, const CRect& src, const CRect& dst) const override;
    // The drawable's colour does not apply to the shape.
    void SetDefaultColor() override {}

    const CArray<CPoint, CPoint>& GetPoints() const { return m_points; }

protected:
    void OnColorChange() override {}
    DWORD FreeUnusedMemory() override { return 0; }

    CArray<CPoint, CPoint> m_points;
    BOOL m_bFilled;
    int m_nPenWidth;            // the low 16 bits are the outline's width
    COLORREF m_lineColor;
    COLORREF m_fillColor;
};
