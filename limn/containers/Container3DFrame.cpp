// CContainer3DFrame.
#include "limn/containers/Container3DFrame.h"
#include "limn/canvas/Canvas.h"

IMPLEMENT_SERIAL(CContainer3DFrame, CContainerFrame, 0)

namespace {

BYTE Scaled(BYTE component, WORD wPercent)
{
    int n = ::MulDiv(component, wPercent, 100);
    return (BYTE)(n > 255 ? 255 : n);
}

} // namespace

CContainer3DFrame::CContainer3DFrame(COLORREF color, WORD wWidth, int nOutline, WORD wPctLeft,
                                     WORD wPctTop, WORD wPctRight, WORD wPctBottom)
    : CContainerFrame(wWidth, RGB(0, 0, 0)),
      m_wPercent{ wPctLeft, wPctTop, wPctRight, wPctBottom },
      m_nOutline(nOutline)
{
    SetColor(color);
}

// A frame read from an archive has no outline: the record does not keep one.
CContainer3DFrame::CContainer3DFrame() : CContainer3DFrame(RGB(0, 0, 0), 1, 0, 100, 100, 100, 100) {}

void CContainer3DFrame::Serialize(CArchive& ar)
{
    CContainerFrame::Serialize(ar);
    for (int i = 0; i < 4; ++i)
    {
        if (ar.IsStoring())
            ar << (DWORD)m_shade[i] << m_wPercent[i];
        else
            ar >> m_shade[i] >> m_wPercent[i];
    }
}

void CContainer3DFrame::SetColor(COLORREF color)
{
    for (int i = 0; i < 4; ++i)
    {
        m_shade[i] = RGB(Scaled(GetRValue(color), m_wPercent[i]), Scaled(GetGValue(color), m_wPercent[i]),
                         Scaled(GetBValue(color), m_wPercent[i]));
    }
}

void CContainer3DFrame::Draw(CCanvas& canvas, const CRect& rect)
{
    CRect inner = rect;
    inner.InflateRect(m_nOutline - m_wWidth, m_nOutline - m_wWidth);
    // Each bevel runs from the outer edge to the inner one. A filled polygon stops short
    // of its right and bottom edges, so the rectangle's own edges, which lie one past its
    // last column and row, are where the bevels must end.
    const CPoint bevels[4][4] = {
        { { rect.left, rect.top }, { inner.left, inner.top }, { inner.left, inner.bottom }, { rect.left, rect.bottom } },
        { { rect.left, rect.top }, { inner.left, inner.top }, { inner.right, inner.top }, { rect.right, rect.top } },
        { { rect.right, rect.top }, { inner.right, inner.top }, { inner.right, inner.bottom }, { rect.right, rect.bottom } },
        { { rect.left, rect.bottom }, { inner.left, inner.bottom }, { inner.right, inner.bottom }, { rect.right, rect.bottom } },
    };
    CArray<CPoint, CPoint> points;
    points.SetSize(5);
    for (int i = 0; i < 4; ++i)
    {
        for (int j = 0; j < 4; ++j)
            points[j] = bevels[i][j];
        points[4] = bevels[i][0];
        canvas.SetBrush(m_shade[i], FALSE);
        canvas.FillPolygon(points);
    }
    if (m_nOutline != 0)
    {
        canvas.SetPen(RGB(0, 0, 0), 1, FALSE);
        canvas.FrameRectangle(inner);
    }
}
