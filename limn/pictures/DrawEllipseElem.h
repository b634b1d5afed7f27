// CDrawEllipseElem: a picture element that draws an ellipse with the canvas's cached pen
// and brush, at its own rectangle whatever the picture is drawn into. It stores nothing:
// read back from a file, it is an empty ellipse.
#pragma once

#include "limn/pictures/PictElemFreeable.h"

class LIMN_API CDrawEllipseElem : public CPictElemFreeable
{
    DECLARE_SERIAL(CDrawEllipseElem)
public:
    // An empty rectangle, no outline, black.
    CDrawEllipseElem();
    // A pen width of 0 draws the interior alone; otherwise the outline, and the interior
    // too when bFilled. The extent is the rectangle's size.
    CDrawEllipseElem(CRect& rect, BOOL bFilled, int nPenWidth, COLORREF lineColor, COLORREF fillColor);

    using CDrawable::Draw;
    // src and dst are not used: the ellipse is drawn in its own rectangle.
    void Draw(CCanvas& canvas, const CRect& src, const CRect& dst) const override;

    const CRect& GetRect() const { return m_rectEllipse; }

protected:
    DWORD FreeUnusedMemory() override { return 0; }

    CRect m_rectEllipse;
    BOOL m_bFilled;
    int m_nPenWidth;            // the low 16 bits are the outline's width
    COLORREF m_lineColor;
    COLORREF m_fillColor;
};
