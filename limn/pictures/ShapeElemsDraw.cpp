// The shape elements' drawing, one rule for both shapes.
#include "limn/pictures/DrawEllipseElem.h"
#include "limn/pictures/DrawPolygonElem.h"
#include "limn/canvas/Canvas.h"

namespace {

// Interior alone without a pen width; otherwise a solid inside-frame pen and the outline
// alone, or outline and interior when filled. Pen and brush stay selected.
template <class TFill, class TFrame, class TPlain>
void DrawShape(CCanvas& canvas, BOOL bFilled, int nPenWidth, COLORREF lineColor, COLORREF fillColor,
               TFill fill, TFrame frame, TPlain plain)
{
    if (nPenWidth == 0)
    {
        canvas.SetBrush(fillColor, FALSE);
        fill();
        return;
    }
    canvas.SetPen(lineColor, (WORD)nPenWidth, FALSE);
    if (!bFilled)
    {
        frame();
        return;
    }
    canvas.SetBrush(fillColor, FALSE);
    plain();
}

} // namespace

void CDrawPolygonElem::Draw(CCanvas& canvas, const CRect&, const CRect&) const
{
    DrawShape(canvas, m_bFilled, m_nPenWidth, m_lineColor, m_fillColor,
              [&] { canvas.FillPolygon(m_points); },
              [&] { canvas.FramePolygon(m_points); },
              [&] { canvas.Polygon(m_points); });
}

void CDrawEllipseElem::Draw(CCanvas& canvas, const CRect&, const CRect&) const
{
    DrawShape(canvas, m_bFilled, m_nPenWidth, m_lineColor, m_fillColor,
              [&] { canvas.FillEllipse(m_rectEllipse); },
              [&] { canvas.FrameEllipse(m_rectEllipse); },
              [&] { canvas.Ellipse(m_rectEllipse); });
}
