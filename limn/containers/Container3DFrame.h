// CContainer3DFrame: a bevelled border. Its four sides are filled with four shades of one
// base colour, each a percentage of it, and meet on the diagonals of the corners; an
// outline puts a black line along the inner edge of the bevels.
#pragma once

#include "limn/containers/ContainerFrame.h"

class LIMN_API CContainer3DFrame : public CContainerFrame
{
    DECLARE_SERIAL(CContainer3DFrame)
public:
    enum { sideLeft = 0, sideTop = 1, sideRight = 2, sideBottom = 3 };

    // Percentages above 100 lighten a side, below 100 darken it.
    CContainer3DFrame(COLORREF color, WORD wWidth, int nOutline, WORD wPctLeft, WORD wPctTop,
                      WORD wPctRight, WORD wPctBottom);
    // One pixel wide, black, without outline; loading fills in the shades.
    CContainer3DFrame();

    void Serialize(CArchive& ar) override;

    void Draw(CCanvas& canvas, const CRect& rect) override;

// Attributes
    // Computes the four shades from color; the frame's own colour stays.
    void SetColor(COLORREF color);
    COLORREF GetShade(int nSide) const { return m_shade[nSide]; }
    WORD GetPercent(int nSide) const { return m_wPercent[nSide]; }
    int GetOutline() const { return m_nOutline; }

protected:
    COLORREF m_shade[4];
    WORD m_wPercent[4];
    int m_nOutline;     // 0 or 1: the bevels end one pixel short, inside a black line
};
