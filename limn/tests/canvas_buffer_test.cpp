// Off-screen buffers on real DIB sections, at both depths a display can ask for: the
// section's layout, where drawing lands in its memory, the palette index of a colour,
// and the copies back through a stack of buffers to the real context.
#include "limn/canvas/Canvas.h"
#include "limn/canvas/CanvasBuffer.h"
#include "limn/canvas/CanvasBufferLocker.h"
#include "limn/canvas/ScreenDepth.h"

#include <gtest/gtest.h>

#include "framework/tests/dib_surface.h"

namespace {

const COLORREF crWhite = RGB(255, 255, 255);

// The pixel value at (x, y) of the buffer, y counted from the top, read from its memory.
DWORD BufferPixel(CCanvasBuffer& buffer, int x, int y)
{
    CCanvasBufferLocker lock(buffer);
    const BYTE* pRow = (unsigned char*)lock + y * buffer.GetRowBytes();
    return buffer.GetPixelBitSize() == 8 ? pRow[x] : reinterpret_cast<const WORD*>(pRow)[x];
}

// The smallest rectangle of buffer pixels whose value is not dwBackground.
CRect BufferPaintedBounds(CCanvasBuffer& buffer, DWORD dwBackground)
{
    CRect rect;
    for (int y = 0; y < buffer.GetBounds().Height(); ++y)
    {
        for (int x = 0; x < buffer.GetBounds().Width(); ++x)
        {
            if (BufferPixel(buffer, x, y) != dwBackground)
                rect |= CRect(x, y, x + 1, y + 1);
        }
    }
    return rect;
}

// Runs every test at the depth of a palette display and at that of a true-colour one.
class CanvasBuffer : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override { ForceScreenBitsPerPixel(GetParam()); }
    void TearDown() override
    {
        ForceScreenBitsPerPixel(0);
        CGdiObject::DeleteTempMap();
    }

    int PixelBits() const { return GetParam() > 8 ? 16 : 8; }
    // What a white fill becomes in the buffer.
    DWORD White() const { return PixelBits() == 8 ? 255 : 0x7FFF; }
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Depths, CanvasBuffer, ::testing::Values(8, 32),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return info.param == 8 ? "Palette" : "TrueColour";
                         });

TEST_P(CanvasBuffer, SectionLayout)
{
    CDibSurface surface(8, 8);
    CCanvas canvas(&surface.m_dc);
    const int nBytesPerPixel = PixelBits() / 8;
    const struct
    {
        int nWidth;
        int nRowBytes;
    } cases[] = {
        { 100, 100 * nBytesPerPixel },
        { 101, PixelBits() == 8 ? 104 : 204 },
        { 1, 4 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nWidth);
        CCanvasBuffer buffer(canvas, CRect(0, 0, c.nWidth, 7));
        EXPECT_EQ(PixelBits(), buffer.GetPixelBitSize());
        EXPECT_EQ(-c.nRowBytes, buffer.GetRowBytes());
        EXPECT_EQ(7, buffer.GetHeight());
        EXPECT_EQ((DWORD)(6 * c.nRowBytes), buffer.GetTopScanLineOffset());

        // The lowest address is the section's own; the top line is 6 rows above it.
        DIBSECTION section;
        ASSERT_EQ((int)sizeof(section),
                  ::GetObjectA(::GetCurrentObject(canvas.m_hDC, OBJ_BITMAP), sizeof(section), &section));
        CCanvasBufferLocker lock(buffer);
        EXPECT_EQ(section.dsBm.bmBits, lock.GetStartBuffer());
        EXPECT_EQ(static_cast<BYTE*>(section.dsBm.bmBits) + 6 * c.nRowBytes, (unsigned char*)lock);
        EXPECT_EQ((DWORD)(7 * c.nRowBytes), lock.GetBufferSize());
        EXPECT_EQ((unsigned char*)lock, canvas.LockBufferData());
        canvas.UnlockBufferData();
        EXPECT_EQ(-c.nRowBytes, canvas.GetBufferRowBytes());
        EXPECT_EQ(7, canvas.GetBufferHeight());
    }
}

TEST_P(CanvasBuffer, CanvasPointsLandInBufferMemory)
{
    CDibSurface surface(8, 8);
    CCanvas canvas(&surface.m_dc);
    CCanvasBuffer buffer(canvas, CRect(10, 10, 110, 60));
    EXPECT_TRUE(canvas.IsDrawingToBuffer());
    EXPECT_EQ(&buffer, canvas.GetCurrentBuffer());
    EXPECT_EQ(CPoint(-10, -10), canvas.GetOrigin());
    EXPECT_EQ(CPoint(10, 10), canvas.GetBufferOrigin());

    // Canvas point (10, 10) is the top-left pixel of the buffer.
    canvas.FillSolidRect(CRect(0, 0, 200, 200), crWhite);
    canvas.FillSolidRect(CRect(10, 10, 11, 11), RGB(0, 0, 0));
    EXPECT_TRUE(RectEq(CRect(0, 0, 1, 1), BufferPaintedBounds(buffer, White())));
    EXPECT_EQ(0u, BufferPixel(buffer, 0, 0));

    // The origin example, inside the buffer.
    canvas.FillSolidRect(CRect(0, 0, 200, 200), crWhite);
    canvas.SetPen(RGB(0, 0, 0), 1, FALSE);
    canvas.SetBrush(RGB(0, 0, 0), FALSE);
    canvas.SetOrigin(CPoint(10, 20));
    canvas.Rectangle(CRect(0, 0, 5, 5));
    EXPECT_TRUE(RectEq(CRect(10, 20, 15, 25), BufferPaintedBounds(buffer, White())));
}

TEST_P(CanvasBuffer, BrushColourLandsOnItsPixelValue)
{
    CDibSurface surface(8, 8);
    CCanvas canvas(&surface.m_dc);
    CCanvasBuffer buffer(canvas, CRect(0, 0, 4, 4));
    const struct
    {
        COLORREF color;
        DWORD dwIndex;      // in the shared palette
        DWORD dwRGB555;
    } cases[] = {
        { RGB(51, 102, 153), 139, (6 << 10) | (12 << 5) | 19 },
        { RGB(50, 100, 150), 139, (6 << 10) | (12 << 5) | 18 },
        { RGB(255, 251, 240), 246, (31 << 10) | (31 << 5) | 30 },
        { RGB(102, 204, 102), 151, (12 << 10) | (25 << 5) | 12 },
        { RGB(6, 6, 6), 11, 0 },
        { RGB(255, 0, 0), 249, 31 << 10 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(::testing::Message() << std::hex << c.color);
        canvas.SetBrush(c.color, FALSE);
        canvas.FillRectangle(CRect(0, 0, 5, 5));
        EXPECT_EQ(PixelBits() == 8 ? c.dwIndex : c.dwRGB555, BufferPixel(buffer, 2, 3));
    }
}

// SetBrush remembers the nearest colours the context answered; they belong to the surface
// the canvas draws on, and a buffer of another depth has other ones.
TEST_P(CanvasBuffer, BrushColourFollowsTheSurfaceDrawnOn)
{
    CDibSurface surface(8, 8);
    CCanvas canvas(&surface.m_dc);
    const COLORREF color = RGB(50, 100, 150);
    auto selectedBrushColor = [&] {
        LOGBRUSH logBrush = {};
        ::GetObject(::GetCurrentObject(canvas.m_hDC, OBJ_BRUSH), sizeof logBrush, &logBrush);
        return logBrush.lbColor & 0xFFFFFF;
    };
    auto nearest = [&] { return ::GetNearestColor(canvas.m_hAttribDC, color | 0x02000000) & 0xFFFFFF; };

    canvas.SetBrush(color, FALSE);
    const COLORREF crOnSurface = nearest();
    EXPECT_EQ(crOnSurface, selectedBrushColor());
    {
        CCanvasBuffer buffer(canvas, CRect(0, 0, 4, 4));
        canvas.SetBrush(color, FALSE);
        EXPECT_NE(crOnSurface, nearest()) << "the buffer's depth shows the colour otherwise";
        EXPECT_EQ(nearest(), selectedBrushColor());
    }
    canvas.SetBrush(color, FALSE);
    EXPECT_EQ(crOnSurface, selectedBrushColor());
}

TEST_P(CanvasBuffer, DrawCopiesBackToTheDevice)
{
    CDibSurface surface(130, 80);
    CCanvas canvas(&surface.m_dc);
    {
        CCanvasBuffer buffer(canvas, CRect(10, 10, 110, 60));
        HDC hMemDC = canvas.m_hDC;
        EXPECT_NE(surface.m_dc.m_hDC, hMemDC);
        canvas.FillSolidRect(CRect(0, 0, 200, 200), RGB(0, 0, 255));
        canvas.FillSolidRect(CRect(10, 10, 12, 11), RGB(255, 0, 0));
        EXPECT_EQ(0, surface.Count(RGB(0, 0, 255))) << "nothing reaches the device before Draw";

        buffer.Draw();
        EXPECT_TRUE(RectEq(CRect(10, 10, 110, 60), surface.PaintedBounds(crWhite)));
        EXPECT_EQ(RGB(255, 0, 0), surface.At(10, 10));
        EXPECT_EQ(RGB(255, 0, 0), surface.At(11, 10));
        EXPECT_EQ(RGB(0, 0, 255), surface.At(12, 10));

        // Part of it, elsewhere.
        surface.Fill(crWhite);
        buffer.Draw(CRect(10, 10, 14, 12), CRect(0, 70, 4, 72));
        EXPECT_TRUE(RectEq(CRect(0, 70, 4, 72), surface.PaintedBounds(crWhite)));
        EXPECT_EQ(RGB(255, 0, 0), surface.At(0, 70));

        buffer.DetachFromCanvas();
        EXPECT_FALSE(canvas.IsDrawingToBuffer());
        EXPECT_EQ(CPoint(0, 0), canvas.GetOrigin());
        EXPECT_EQ(surface.m_dc.m_hDC, canvas.m_hDC);
        EXPECT_EQ(0u, ::GetObjectType(hMemDC)) << "the memory context is gone";

        // A second run makes a context of its own.
        buffer.StartBuffering(canvas, CRect(0, 0, 10, 10));
        EXPECT_NE(surface.m_dc.m_hDC, canvas.m_hDC);
        EXPECT_EQ((DWORD)OBJ_MEMDC, ::GetObjectType(canvas.m_hDC));
    }
    EXPECT_FALSE(canvas.IsDrawingToBuffer());
}

TEST_P(CanvasBuffer, NestedBuffersDrawBackThroughEachOther)
{
    CDibSurface surface(130, 80);
    CCanvas canvas(&surface.m_dc);
    canvas.SetOrigin(CPoint(5, 3));
    CCanvasBuffer outer(canvas, CRect(10, 10, 110, 60));
    canvas.FillSolidRect(CRect(10, 10, 110, 60), RGB(0, 0, 255));
    {
        CCanvasBuffer inner(canvas, CRect(30, 20, 50, 40));
        EXPECT_EQ(&inner, canvas.GetCurrentBuffer());
        EXPECT_EQ(CPoint(-30, -20), canvas.GetOrigin());
        canvas.FillSolidRect(CRect(0, 0, 200, 200), RGB(0, 255, 0));
        canvas.FillSolidRect(CRect(30, 20, 50, 21), RGB(255, 0, 0));
        EXPECT_TRUE(RectEq(CRect(0, 0, 20, 1), BufferPaintedBounds(inner, BufferPixel(inner, 0, 1))));

        // Drawing the outer buffer while another is on top of it does nothing.
        outer.Draw();
        EXPECT_EQ(0, surface.Count(RGB(0, 0, 255)));

        inner.Draw();
    }
    EXPECT_EQ(CPoint(-10, -10), canvas.GetOrigin());
    outer.Draw();
    outer.DetachFromCanvas();
    EXPECT_EQ(CPoint(5, 3), canvas.GetOrigin());

    // The real context kept its origin: canvas (10, 10) is device (15, 13).
    EXPECT_TRUE(RectEq(CRect(15, 13, 115, 63), surface.PaintedBounds(crWhite)));
    EXPECT_EQ(20 * 20, surface.Count(RGB(0, 255, 0)) + surface.Count(RGB(255, 0, 0)));
    EXPECT_EQ(RGB(255, 0, 0), surface.At(35, 23));
    EXPECT_EQ(RGB(255, 0, 0), surface.At(54, 23));
    EXPECT_EQ(RGB(0, 255, 0), surface.At(35, 24));
    EXPECT_EQ(RGB(0, 255, 0), surface.At(54, 42));
    EXPECT_EQ(RGB(0, 0, 255), surface.At(55, 42));
    EXPECT_EQ(RGB(0, 0, 255), surface.At(34, 23));
}

// A buffer taken from the middle of the stack hands its saved origin to the one above.
TEST_P(CanvasBuffer, MiddleBufferLeavesTheStack)
{
    CDibSurface surface(130, 80);
    CCanvas canvas(&surface.m_dc);
    CCanvasBuffer bottom(canvas, CRect(10, 10, 110, 60));
    canvas.FillSolidRect(CRect(10, 10, 110, 60), RGB(0, 0, 255));
    CCanvasBuffer middle(canvas, CRect(20, 20, 60, 50));
    CCanvasBuffer top(canvas, CRect(40, 30, 50, 40));
    canvas.FillSolidRect(CRect(40, 30, 50, 40), RGB(255, 0, 0));

    middle.DetachFromCanvas();
    EXPECT_EQ(&top, canvas.GetCurrentBuffer());
    EXPECT_EQ(CPoint(-40, -30), canvas.GetOrigin());
    top.Draw();
    top.DetachFromCanvas();
    EXPECT_EQ(CPoint(-10, -10), canvas.GetOrigin());
    bottom.Draw();
    EXPECT_EQ(100, surface.Count(RGB(255, 0, 0)));
    EXPECT_EQ(RGB(255, 0, 0), surface.At(40, 30));
    EXPECT_EQ(RGB(255, 0, 0), surface.At(49, 39));
    EXPECT_EQ(RGB(0, 0, 255), surface.At(50, 40));
    EXPECT_EQ(RGB(0, 0, 255), surface.At(39, 29));
}

TEST_P(CanvasBuffer, BufferOfAnotherCanvasIsNotDrawn)
{
    CDibSurface surface(40, 40);
    CDibSurface surfaceOther(40, 40);
    CCanvas canvas(&surface.m_dc);
    CCanvas canvasOther(&surfaceOther.m_dc);
    CCanvasBuffer buffer(canvasOther, CRect(0, 0, 20, 20));
    canvasOther.FillSolidRect(CRect(0, 0, 20, 20), RGB(0, 0, 0));
    buffer.Draw(canvas, CRect(0, 0, 20, 20), CRect(0, 0, 20, 20));
    EXPECT_EQ(0, surface.Count(RGB(0, 0, 0)));
    EXPECT_EQ(0, surfaceOther.Count(RGB(0, 0, 0)));
}

// The canvas releases its buffers when it goes first; they are then detached, and
// destroying them later touches the canvas no more.
TEST_P(CanvasBuffer, CanvasReleasesItsBuffersOnce)
{
    CDibSurface surface(40, 40);
    CCanvasBuffer first;
    CCanvasBuffer second;
    {
        CCanvas canvas(&surface.m_dc);
        canvas.SetBounds(CRect(0, 0, 30, 20));
        first.StartBuffering(canvas);
        EXPECT_TRUE(RectEq(CRect(0, 0, 30, 20), first.GetBounds()));
        second.StartBuffering(canvas, CRect(5, 5, 10, 10));
        EXPECT_TRUE(second.IsAttached());
    }
    EXPECT_FALSE(first.IsAttached());
    EXPECT_FALSE(second.IsAttached());
    {
        CCanvasBufferLocker lock(second);
        EXPECT_NE(nullptr, (unsigned char*)lock) << "the section lives as long as the buffer";
    }
    EXPECT_EQ((DWORD)OBJ_MEMDC, ::GetObjectType(surface.m_dc.m_hDC));
}

TEST_P(CanvasBuffer, RestartingReplacesTheSection)
{
    CDibSurface surface(40, 40);
    CCanvas canvas(&surface.m_dc);
    CCanvasBuffer buffer(canvas, CRect(0, 0, 10, 10));
    HGDIOBJ hOldSection = ::GetCurrentObject(canvas.m_hDC, OBJ_BITMAP);
    buffer.StartBuffering(canvas, CRect(0, 0, 12, 12));
    EXPECT_EQ(0u, ::GetObjectType(hOldSection));
    EXPECT_EQ(&buffer, canvas.GetCurrentBuffer());
    buffer.DetachFromCanvas();
    EXPECT_FALSE(canvas.IsDrawingToBuffer()) << "the buffer was in the stack once";
}

// Without a section the buffer stays out of the way and drawing reaches the device.
TEST_P(CanvasBuffer, NoSectionNoBuffering)
{
    CDibSurface surface(40, 40);
    CCanvas canvas(&surface.m_dc);
    const CRect rects[] = { CRect(0, 0, 0, 10), CRect(0, 10, 10, 0), CRect(5, 5, 5, 5) };
    for (const CRect& rect : rects)
    {
        CCanvasBuffer buffer(canvas, rect);
        EXPECT_FALSE(buffer.IsAttached());
        EXPECT_FALSE(canvas.IsDrawingToBuffer());
        CCanvasBufferLocker lock(buffer);
        EXPECT_EQ(nullptr, (unsigned char*)lock);
        EXPECT_EQ(nullptr, lock.GetStartBuffer());
        EXPECT_EQ(0u, lock.GetBufferSize());
        buffer.Draw();
    }
    canvas.FillSolidRect(CRect(1, 1, 2, 2), RGB(0, 0, 0));
    EXPECT_EQ(RGB(0, 0, 0), surface.At(1, 1));
}
