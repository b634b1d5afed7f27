// CCanvas over real device contexts: origin and clipping, the printer mapping, the
// cached drawing tools, filled and framed shapes, text, and what the canvas gives back.
#include "limn/canvas/Canvas.h"
#include "limn/canvas/GraphicsState.h"
#include "limn/canvas/SharedPalette.h"

#include <gtest/gtest.h>

#include <functional>

#include "framework/tests/dib_surface.h"

namespace {

const COLORREF crWhite = RGB(255, 255, 255);

HGDIOBJ Current(const CCanvas& canvas, UINT nType) { return ::GetCurrentObject(canvas.m_hDC, nType); }

BOOL HasClipRegion(HDC hDC)
{
    HRGN hRgn = ::CreateRectRgn(0, 0, 0, 0);
    int nResult = ::GetClipRgn(hDC, hRgn);
    ::DeleteObject(hRgn);
    return nResult == 1;
}

} // namespace

TEST(Canvas, OriginMovesCanvasPointsOnTheDevice)
{
    CDibSurface surface(40, 40);
    CCanvas canvas(&surface.m_dc);
    canvas.SetPen(RGB(255, 0, 0), 1, FALSE);
    canvas.SetBrush(RGB(0, 0, 255), FALSE);

    canvas.SetOrigin(CPoint(10, 20));
    EXPECT_EQ(CPoint(10, 20), canvas.GetOrigin());
    canvas.Rectangle(CRect(0, 0, 5, 5));
    EXPECT_TRUE(RectEq(CRect(10, 20, 15, 25), surface.PaintedBounds(crWhite)));
    EXPECT_EQ(RGB(255, 0, 0), surface.At(10, 20));
    EXPECT_EQ(RGB(255, 0, 0), surface.At(14, 24));
    EXPECT_EQ(RGB(0, 0, 255), surface.At(12, 22));

    surface.Fill(crWhite);
    canvas.OffsetOrigin(CPoint(-4, 5));
    EXPECT_EQ(CPoint(6, 25), canvas.GetOrigin());
    canvas.Rectangle(CRect(0, 0, 5, 5));
    EXPECT_TRUE(RectEq(CRect(6, 25, 11, 30), surface.PaintedBounds(crWhite)));

    surface.Fill(crWhite);
    canvas.SetBounds(CRect(2, 3, 32, 13));
    EXPECT_EQ(CPoint(2, 3), canvas.GetOrigin());
    EXPECT_EQ(CSize(30, 10), canvas.GetExtent());
    CRect rectClient;
    canvas.GetClientRect(&rectClient);
    EXPECT_TRUE(RectEq(CRect(0, 0, 30, 10), rectClient));
    canvas.FillRectangle(rectClient);
    EXPECT_TRUE(RectEq(CRect(2, 3, 31, 12), surface.PaintedBounds(crWhite)))
        << "without a pen, right and bottom stay out";
}

TEST(Canvas, ClipRectangleIsInCanvasCoordinates)
{
    CDibSurface surface(40, 40);
    CCanvas canvas(&surface.m_dc);
    canvas.SetBrush(RGB(0, 128, 0), FALSE);
    canvas.SetOrigin(CPoint(10, 10));
    canvas.ClipToRect(CRect(0, 0, 5, 6));
    EXPECT_TRUE(RectEq(CRect(0, 0, 5, 6), canvas.GetClipRect()));

    // Moving the origin does not move the clip region.
    canvas.OffsetOrigin(CPoint(3, 3));
    canvas.FillRectangle(CRect(-20, -20, 30, 30));
    EXPECT_TRUE(RectEq(CRect(10, 10, 15, 16), surface.PaintedBounds(crWhite)));

    surface.Fill(crWhite);
    canvas.TurnOffClipping();
    EXPECT_TRUE(canvas.GetClipRect().IsRectEmpty());
    EXPECT_FALSE(HasClipRegion(canvas.m_hDC));
    canvas.FillRectangle(CRect(-20, -20, 30, 30));
    EXPECT_TRUE(RectEq(CRect(0, 0, 40, 40), surface.PaintedBounds(crWhite)));
}

// A printer context measures in points: 72 logical units an inch. The clip rectangle is
// only recorded there, as in print preview, since canvas and device units differ.
TEST(Canvas, PrinterContextWorksInPoints)
{
    CDibSurface surface(120, 120);
    CDC dcPrinter;
    dcPrinter.m_hDC = dcPrinter.m_hAttribDC = surface.m_dc.m_hDC;
    dcPrinter.m_bPrinting = TRUE;
    {
        CCanvas canvas(&dcPrinter);
        EXPECT_TRUE(canvas.IsPrinting());
        EXPECT_EQ(MM_ANISOTROPIC, ::GetMapMode(canvas.m_hDC));
        EXPECT_EQ(CSize(72, 72), canvas.GetExtent());

        canvas.SetFont(12, "Arial", FALSE, FALSE, FALSE);
        LOGFONTA logFont;
        ::GetObjectA(Current(canvas, OBJ_FONT), sizeof(logFont), &logFont);
        EXPECT_EQ(-16, logFont.lfHeight);

        canvas.ClipToRect(CRect(0, 0, 10, 10));
        EXPECT_FALSE(HasClipRegion(canvas.m_hDC));
        EXPECT_TRUE(RectEq(CRect(0, 0, 10, 10), canvas.GetClipRect()));

        canvas.SetBrush(RGB(0, 0, 0), FALSE);
        canvas.FillRectangle(CRect(0, 0, 72, 36));
        // 72 by 36 points are 96 by 48 pixels at 96 dpi; without a pen the last
        // column and row stay out.
        EXPECT_TRUE(RectEq(CRect(0, 0, 95, 47), surface.PaintedBounds(crWhite)));
    }
    dcPrinter.m_hDC = dcPrinter.m_hAttribDC = NULL;

    CCanvas canvasPreview(&surface.m_dc);
    canvasPreview.SetPreview(TRUE);
    canvasPreview.ClipToRect(CRect(0, 0, 10, 10));
    EXPECT_FALSE(HasClipRegion(surface.m_dc.m_hDC));
    canvasPreview.TurnOffClipping();
    EXPECT_TRUE(canvasPreview.GetClipRect().IsRectEmpty());
}

TEST(Canvas, SameDescriptionSelectsTheSameObject)
{
    CDibSurface surface(8, 8);
    CCanvas canvas(&surface.m_dc);

    canvas.SetPen(RGB(1, 2, 3), 2, FALSE);
    HGDIOBJ hPen = Current(canvas, OBJ_PEN);
    canvas.SetPen(RGB(9, 9, 9), 2, FALSE);
    canvas.SetPen(RGB(1, 2, 3), 2, FALSE);
    EXPECT_EQ(hPen, Current(canvas, OBJ_PEN));
    LOGPEN logPen;
    ::GetObjectA(hPen, sizeof(logPen), &logPen);
    EXPECT_EQ((COLORREF)0x02030201, logPen.lopnColor) << "palette-relative";
    EXPECT_EQ((UINT)PS_INSIDEFRAME, logPen.lopnStyle);

    const struct
    {
        const char* context;
        COLORREF color;
        WORD width;
        BOOL dashed;
    } others[] = {
        { "one wider", RGB(1, 2, 3), 3, FALSE },
        { "dashed", RGB(1, 2, 3), 2, TRUE },
        { "other colour", RGB(1, 2, 4), 2, FALSE },
    };
    for (const auto& c : others)
    {
        canvas.SetPen(c.color, c.width, c.dashed);
        EXPECT_NE(hPen, Current(canvas, OBJ_PEN)) << c.context;
    }

    canvas.SetBrush(RGB(10, 20, 30), TRUE);
    HGDIOBJ hBrush = Current(canvas, OBJ_BRUSH);
    canvas.SetBrush(RGB(10, 20, 30), FALSE);
    EXPECT_NE(hBrush, Current(canvas, OBJ_BRUSH));
    canvas.SetBrush(RGB(10, 20, 30), TRUE);
    EXPECT_EQ(hBrush, Current(canvas, OBJ_BRUSH));
    LOGBRUSH logBrush;
    ::GetObjectA(hBrush, sizeof(logBrush), &logBrush);
    EXPECT_EQ((UINT)BS_HATCHED, logBrush.lbStyle);
    EXPECT_EQ((COLORREF)0x021E140A, logBrush.lbColor);

    // Face names compare case-sensitively.
    canvas.SetFont(10, "Arial", TRUE, FALSE, FALSE);
    HGDIOBJ hFont = Current(canvas, OBJ_FONT);
    canvas.SetFont(10, "arial", TRUE, FALSE, FALSE);
    EXPECT_NE(hFont, Current(canvas, OBJ_FONT));
    canvas.SetFont(10, "Arial", TRUE, FALSE, FALSE);
    EXPECT_EQ(hFont, Current(canvas, OBJ_FONT));
}

TEST(Canvas, FlushDeletesTheCachedObjects)
{
    CDibSurface surface(8, 8);
    HGDIOBJ hBrush;
    {
        CCanvas canvas(&surface.m_dc);
        canvas.SetBrush(RGB(200, 100, 50), FALSE);
        hBrush = Current(canvas, OBJ_BRUSH);
    }
    CCanvas::Flush();
    EXPECT_EQ(0u, ::GetObjectType(hBrush));
    CCanvas::Flush();

    CCanvas canvas(&surface.m_dc);
    canvas.SetBrush(RGB(200, 100, 50), FALSE);
    EXPECT_EQ((DWORD)OBJ_BRUSH, ::GetObjectType(Current(canvas, OBJ_BRUSH)));
}

TEST(Canvas, FillAndFrameLeaveTheOtherToolAlone)
{
    CDibSurface surface(30, 30);
    CCanvas canvas(&surface.m_dc);
    canvas.SetPen(RGB(255, 0, 0), 1, FALSE);
    canvas.SetBrush(RGB(0, 0, 255), FALSE);
    HGDIOBJ hPen = Current(canvas, OBJ_PEN);
    HGDIOBJ hBrush = Current(canvas, OBJ_BRUSH);

    CArray<CPoint, CPoint> triangle;
    triangle.Add(CPoint(2, 2));
    triangle.Add(CPoint(20, 2));
    triangle.Add(CPoint(2, 20));
    const struct
    {
        const char* context;
        std::function<void()> draw;
        COLORREF crPresent;
        COLORREF crAbsent;
    } cases[] = {
        { "FillRectangle", [&] { canvas.FillRectangle(CRect(2, 2, 20, 20)); }, RGB(0, 0, 255), RGB(255, 0, 0) },
        { "FillEllipse", [&] { canvas.FillEllipse(CRect(2, 2, 20, 20)); }, RGB(0, 0, 255), RGB(255, 0, 0) },
        { "FillRoundRect", [&] { canvas.FillRoundRect(CRect(2, 2, 20, 20), CPoint(6, 6)); }, RGB(0, 0, 255), RGB(255, 0, 0) },
        { "FillPolygon", [&] { canvas.FillPolygon(triangle); }, RGB(0, 0, 255), RGB(255, 0, 0) },
        { "FrameRectangle", [&] { canvas.FrameRectangle(CRect(2, 2, 20, 20)); }, RGB(255, 0, 0), RGB(0, 0, 255) },
        { "FrameEllipse", [&] { canvas.FrameEllipse(CRect(2, 2, 20, 20)); }, RGB(255, 0, 0), RGB(0, 0, 255) },
        { "FrameRoundRect", [&] { canvas.FrameRoundRect(CRect(2, 2, 20, 20), CPoint(6, 6)); }, RGB(255, 0, 0), RGB(0, 0, 255) },
        { "FramePolygon", [&] { canvas.FramePolygon(triangle); }, RGB(255, 0, 0), RGB(0, 0, 255) },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.context);
        surface.Fill(crWhite);
        c.draw();
        EXPECT_GT(surface.Count(c.crPresent), 0);
        EXPECT_EQ(0, surface.Count(c.crAbsent));
        EXPECT_EQ(hPen, Current(canvas, OBJ_PEN));
        EXPECT_EQ(hBrush, Current(canvas, OBJ_BRUSH));
    }

    surface.Fill(crWhite);
    CArray<CPoint, CPoint> none;
    canvas.FillPolygon(none);
    canvas.FramePolygon(none);
    EXPECT_FALSE(canvas.Polygon(none));
    canvas.Line(CPoint(3, 4), CPoint(8, 4));
    EXPECT_TRUE(RectEq(CRect(3, 4, 8, 5), surface.PaintedBounds(crWhite)));
}

TEST(Canvas, TextModesAndMeasures)
{
    CDibSurface surface(200, 80);
    CCanvas canvas(&surface.m_dc);
    canvas.SetFont(12, "Arial", FALSE, FALSE, FALSE);
    canvas.SetTextColor(RGB(0, 0, 0));
    canvas.SetBkColor(RGB(255, 255, 0));
    canvas.SetBkMode(TRANSPARENT);

    CSize sizeLine = canvas.GetTextDimensions("Wide");
    EXPECT_GT(sizeLine.cx, 0);
    EXPECT_GT(sizeLine.cy, 0);
    CSize sizeWrapped = canvas.GetTextDimensions("one two three four five six", 60);
    EXPECT_LE(sizeWrapped.cx, 60);
    EXPECT_GE(sizeWrapped.cy, 2 * sizeLine.cy) << "wrapped over several lines";
    EXPECT_EQ(0, sizeWrapped.cy % sizeLine.cy);

    canvas.DrawText("Wide", CRect(0, 0, 200, 40), TRUE, textOpaque);
    EXPECT_GT(surface.Count(RGB(255, 255, 0)), 0) << "opaque text fills its cells";
    CRect rectText = surface.PaintedBounds(crWhite);
    EXPECT_LE(abs(rectText.left - (200 - rectText.right)), 2) << "centred";
    EXPECT_EQ(TRANSPARENT, canvas.GetBkMode()) << "the previous mode comes back";

    surface.Fill(crWhite);
    canvas.DrawText("Wide", CRect(10, 40, 200, 80), FALSE, textTransparent);
    EXPECT_EQ(0, surface.Count(RGB(255, 255, 0)));
    rectText = surface.PaintedBounds(crWhite);
    EXPECT_GE(rectText.left, 10);
    EXPECT_LE(rectText.left, 12) << "left-aligned";
}

TEST(Canvas, GraphicsStateRestoresTheTools)
{
    CDibSurface surface(8, 8);
    CCanvas canvas(&surface.m_dc);
    canvas.SetPen(RGB(1, 1, 1), 1, FALSE);
    HGDIOBJ hPen = Current(canvas, OBJ_PEN);
    {
        CGraphicsState state(canvas);
        EXPECT_EQ(&canvas, state.m_pCanvas);
        canvas.SetPen(RGB(2, 2, 2), 1, FALSE);
        canvas.SetTextColor(RGB(3, 3, 3));
        EXPECT_NE(hPen, Current(canvas, OBJ_PEN));
    }
    EXPECT_EQ(hPen, Current(canvas, OBJ_PEN));
    EXPECT_EQ(RGB(0, 0, 0), ::GetTextColor(canvas.m_hDC));

    CGraphicsState stateEmpty;
    EXPECT_EQ(nullptr, stateEmpty.m_pCanvas);
    EXPECT_EQ(-1, stateEmpty.m_nSavedDC);
}

// A drawing that moves the origin and clips inside a saved state leaves both as they were:
// later drawing lands where the canvas says it will.
TEST(Canvas, GraphicsStateRestoresOriginAndClip)
{
    CDibSurface surface(40, 40);
    CCanvas canvas(&surface.m_dc);
    canvas.SetBrush(RGB(0, 0, 255), FALSE);
    canvas.SetOrigin(CPoint(5, 5));
    canvas.ClipToRect(CRect(0, 0, 20, 20));
    {
        CGraphicsState state(canvas);
        canvas.OffsetOrigin(CPoint(10, 12));
        canvas.ClipToRect(CRect(0, 0, 3, 3));
        canvas.SetBrush(RGB(255, 0, 0), FALSE);
    }
    EXPECT_EQ(CPoint(5, 5), canvas.GetOrigin());
    EXPECT_TRUE(RectEq(CRect(0, 0, 20, 20), canvas.GetClipRect()));
    canvas.FillRectangle(CRect(-10, -10, 40, 40));
    EXPECT_TRUE(RectEq(CRect(5, 5, 25, 25), surface.PaintedBounds(crWhite)));
    EXPECT_EQ(20 * 20, surface.Count(RGB(0, 0, 255)));

    // A clip set inside the state goes with it, also when there was none before.
    surface.Fill(crWhite);
    canvas.TurnOffClipping();
    {
        CGraphicsState state(canvas);
        canvas.ClipToRect(CRect(0, 0, 3, 3));
    }
    EXPECT_TRUE(canvas.GetClipRect().IsRectEmpty());
    canvas.FillRectangle(CRect(-10, -10, 40, 40));
    EXPECT_TRUE(RectEq(CRect(0, 0, 40, 40), surface.PaintedBounds(crWhite)));
}

// The canvas gives the context back as it found it: old palette, stock tools, alive.
TEST(Canvas, DestructionGivesTheContextBack)
{
    CDibSurface surface(8, 8);
    HDC hDC = surface.m_dc.m_hDC;
    HGDIOBJ hOldPalette = ::GetCurrentObject(hDC, OBJ_PAL);
    {
        CCanvas canvas(&surface.m_dc);
        EXPECT_EQ(&canvas, canvas.GetDC());
        EXPECT_EQ(hDC, canvas.m_hDC);
        ASSERT_NE(nullptr, GetSharedPalette());
        EXPECT_EQ(GetSharedPalette()->m_hObject, ::GetCurrentObject(hDC, OBJ_PAL));
        EXPECT_EQ(HALFTONE, ::GetStretchBltMode(hDC));
        EXPECT_EQ(CSize(1, 1), canvas.GetExtent()) << "the window extent of a text-mapped context";
        canvas.SetPen(RGB(4, 5, 6), 1, FALSE);
        canvas.SetBrush(RGB(4, 5, 6), FALSE);
        canvas.SetFont(9, "Arial", FALSE, FALSE, FALSE);
    }
    EXPECT_EQ(hOldPalette, ::GetCurrentObject(hDC, OBJ_PAL));
    EXPECT_EQ(::GetStockObject(BLACK_PEN), ::GetCurrentObject(hDC, OBJ_PEN));
    EXPECT_EQ(::GetStockObject(WHITE_BRUSH), ::GetCurrentObject(hDC, OBJ_BRUSH));
    EXPECT_EQ(::GetStockObject(DEVICE_DEFAULT_FONT), ::GetCurrentObject(hDC, OBJ_FONT));
    EXPECT_EQ(hDC, surface.m_dc.m_hDC);
    EXPECT_EQ(&surface.m_dc, CDC::FromHandle(hDC));
    EXPECT_EQ((DWORD)OBJ_MEMDC, ::GetObjectType(hDC));
    CGdiObject::DeleteTempMap();
}
