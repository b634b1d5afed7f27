// The shape elements drawn into a 16-bit buffer: interior, outline, both, at their own
// coordinates whatever the destination.
#include "limn/pictures/DrawEllipseElem.h"
#include "limn/pictures/DrawPolygonElem.h"
#include "limn/pictures/Picture.h"

#include <gtest/gtest.h>

#include "picture_support.h"

namespace {

const COLORREF crLine = RGB(255, 0, 0);
const COLORREF crFill = RGB(0, 0, 255);

CArray<CPoint, CPoint>& Triangle(CArray<CPoint, CPoint>& points)
{
    points.RemoveAll();
    points.Add(CPoint(10, 5));
    points.Add(CPoint(40, 5));
    points.Add(CPoint(10, 35));
    return points;
}

int CountOf(CBufferedCanvas& canvas, COLORREF color)
{
    int n = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x)
            n += canvas.Pixel(x, y) == RGB555(color);
    return n;
}

} // namespace

// Without a pen width only the interior; with one the outline alone, or outline and
// interior when filled.
TEST(ShapeElems, Styles)
{
    CArray<CPoint, CPoint> points;
    CRect rect(10, 10, 50, 30);
    const struct
    {
        BOOL bFilled;
        int nPenWidth;
        BOOL bLine;
        BOOL bFill;
    } styles[] = { { FALSE, 0, FALSE, TRUE }, { TRUE, 0, FALSE, TRUE }, { FALSE, 3, TRUE, FALSE }, { TRUE, 3, TRUE, TRUE } };
    for (const auto& style : styles)
    {
        SCOPED_TRACE(::testing::Message() << "filled " << style.bFilled << ", pen " << style.nPenWidth);
        CDrawPolygonElem polygon(Triangle(points), style.bFilled, style.nPenWidth, crLine, crFill);
        CDrawEllipseElem ellipse(rect, style.bFilled, style.nPenWidth, crLine, crFill);
        for (const CPictElem* pElem : { (const CPictElem*)&polygon, (const CPictElem*)&ellipse })
        {
            CBufferedCanvas canvas(64, 48, 16);
            pElem->Draw(canvas.m_canvas, CRect(0, 0, 64, 48));
            EXPECT_EQ(style.bLine, CountOf(canvas, crLine) > 0);
            EXPECT_EQ(style.bFill, CountOf(canvas, crFill) > 0);
        }
    }
}

// A shape draws at its own coordinates, unscaled, wherever its picture is drawn.
TEST(ShapeElems, OwnCoordinates)
{
    CRect rect(10, 10, 50, 30);
    CDrawEllipseElem ellipse(rect, TRUE, 1, crLine, crFill);
    EXPECT_EQ(CSize(40, 20), ellipse.GetExtent());
    CPicture picture;
    picture.AddPictElem(new CDrawEllipseElem(rect, TRUE, 1, crLine, crFill));
    for (const CRect& dst : { CRect(0, 0, 40, 20), CRect(5, 5, 60, 40) })
    {
        CBufferedCanvas canvas(64, 48, 16);
        picture.Draw(canvas.m_canvas, CRect(0, 0, 40, 20), dst);
        EXPECT_TRUE(RectEq(rect, canvas.PaintedBounds()));
    }

    CArray<CPoint, CPoint> points;
    CDrawPolygonElem polygon(Triangle(points), TRUE, 0, crLine, crFill);
    EXPECT_EQ(CSize(30, 30), polygon.GetExtent()) << "the points' bounding box";
    CBufferedCanvas canvas(64, 48, 16);
    polygon.DrawKeepingAspect(canvas.m_canvas, CRect(0, 0, 10, 10));
    EXPECT_TRUE(RectEq(CRect(10, 5, 40, 35), canvas.PaintedBounds()));
}

// The drawable's colour does not reach the shapes.
TEST(ShapeElems, ColourIgnored)
{
    CArray<CPoint, CPoint> points;
    CDrawPolygonElem polygon(Triangle(points), FALSE, 0, crLine, crFill);
    polygon.SetColor(RGB(0, 255, 0));
    CBufferedCanvas canvas(64, 48, 16);
    polygon.Draw(canvas.m_canvas, CRect(0, 0, 1, 1));
    EXPECT_GT(CountOf(canvas, crFill), 0);
    EXPECT_EQ(0, CountOf(canvas, RGB(0, 255, 0)));
    polygon.SetDefaultColor();
    EXPECT_TRUE(polygon.IsColorSet()) << "the polygon ignores SetDefaultColor";

    // Without points nothing is drawn, with or without an outline.
    CArray<CPoint, CPoint> none;
    for (int nPenWidth : { 0, 2 })
    {
        CDrawPolygonElem empty(none, TRUE, nPenWidth, crLine, crFill);
        CBufferedCanvas blank(64, 48, 16);
        empty.Draw(blank.m_canvas, CRect(0, 0, 10, 10));
        EXPECT_TRUE(blank.PaintedBounds().IsRectEmpty());
    }
}
