// Bitmap elements drawn into off-screen buffers of both depths: the fast way against the
// plain way, stretching, clipping, transparency, recolouring and anti-aliasing, read back
// pixel by pixel from the buffer's memory.
#include "limn/pictures/DIBElem.h"
#include "limn/pictures/MixedColors.h"
#include "limn/canvas/SharedPalette.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "picture_support.h"

namespace {

const WORD wWhite555 = 0x7FFF;

// A 16-bit pattern that never holds the transparent key or the buffer's grey.
DWORD Pattern555(int x, int y) { return (WORD)((x * 37 + y * 1021 + 11) & 0x7FFF) | 0x20; }

// An index of the shared palette other than 10 (the key) and 7 (the buffer's grey), from
// x and y.
DWORD PatternIndex(int x, int y)
{
    DWORD i = (x * 7 + y * 13) % 256;
    return i == 10 || i == 7 ? i + 1 : i;
}

// Sets gUseDIBBlit for the lifetime of the object.
class CPlainWay
{
public:
    CPlainWay() { gUseDIBBlit = 1; }
    ~CPlainWay() { gUseDIBBlit = 0; }
};

// Every pixel of two buffers of one size, with the first difference reported.
::testing::AssertionResult SameBuffers(CBufferedCanvas& a, CBufferedCanvas& b)
{
    CSize size = a.m_buffer.GetBounds().Size();
    for (int y = 0; y < size.cy; ++y)
    {
        for (int x = 0; x < size.cx; ++x)
        {
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return ::testing::AssertionFailure() << "pixel (" << x << "," << y << "): " << std::hex
                                                     << a.Pixel(x, y) << " against " << b.Pixel(x, y);
        }
    }
    return ::testing::AssertionSuccess();
}

class DIBDraw : public ::testing::TestWithParam<int>
{
protected:
    void TearDown() override
    {
        gUseDIBBlit = 0;
        CDIBElem::SetAllowAntiAliasing(FALSE);
    }
    int Bits() const { return GetParam(); }
    // A source of the buffer's own format: 16-bit RGB555, or 8-bit shared-palette colours.
    CTestDIB Source(int cx, int cy) const
    {
        return Bits() == 16 ? MakeTestDIB(cx, cy, 16, Pattern555)
                            : MakeTestDIB(cx, cy, 8, PatternIndex, SharedPaletteTable());
    }
    // What pixel (x, y) of Source becomes in the buffer.
    DWORD SourcePixel(int x, int y) const { return Bits() == 16 ? Pattern555(x, y) : PatternIndex(x, y); }
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Depths, DIBDraw, ::testing::Values(8, 16),
                         [](const ::testing::TestParamInfo<int>& info) { return std::to_string(info.param) + "bit"; });

// A source in the buffer's own format lands pixel for pixel as GDI puts it, wherever the
// destination lies: inside, half outside the buffer, or moved by the canvas origin.
TEST_P(DIBDraw, FastWayEqualsPlainWayOneToOne)
{
    CTestDIB dib = Source(37, 23);
    CDIBElem elem(dib);
    const struct
    {
        const char* context;
        CPoint origin;      // added to the canvas origin once buffering started
        CRect dst;
        CRect src;
    } cases[] = {
        { "inside", CPoint(0, 0), CRect(5, 7, 42, 30), CRect(0, 0, 37, 23) },
        { "half outside to the left and top", CPoint(0, 0), CRect(-18, -11, 19, 12), CRect(0, 0, 37, 23) },
        { "half outside to the right and bottom", CPoint(0, 0), CRect(45, 30, 82, 53), CRect(0, 0, 37, 23) },
        { "under a canvas origin", CPoint(9, -4), CRect(5, 7, 42, 30), CRect(0, 0, 37, 23) },
        { "part of the source", CPoint(3, 3), CRect(10, 10, 30, 20), CRect(12, 2, 32, 12) },
        { "wholly outside", CPoint(0, 0), CRect(100, 100, 137, 123), CRect(0, 0, 37, 23) },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.context);
        CBufferedCanvas fast(64, 48, Bits());
        CBufferedCanvas plain(64, 48, Bits());
        fast.m_canvas.OffsetOrigin(c.origin);
        plain.m_canvas.OffsetOrigin(c.origin);
        elem.Draw(fast.m_canvas, c.src, c.dst);
        {
            CPlainWay plainWay;
            elem.Draw(plain.m_canvas, c.src, c.dst);
        }
        EXPECT_TRUE(SameBuffers(fast, plain));
        CRect rectExpected = (c.dst + c.origin) & CRect(0, 0, 64, 48);
        EXPECT_TRUE(RectEq(rectExpected, fast.PaintedBounds()));
    }
}

// Every kind of source lands where GDI puts it and with GDI's pixels, one for one and
// doubled, when the source rectangle is larger than the bitmap (as a picture's extent
// may be): only the bitmap's own rows and columns are drawn, from the destination's top.
TEST_P(DIBDraw, FastWayEqualsPlainWayForEverySource)
{
    const int cx = 13, cy = 7;
    auto rle = [](BOOL bSized) {
        CTestDIB dib = MakeRle8DIB(cx, cy, PatternIndex, SharedPaletteTable());
        if (!bSized)
            dib.Header().biSizeImage = 0;
        return dib;
    };
    const struct
    {
        const char* context;
        CTestDIB dib;
    } sources[] = {
        { "bottom-up", Source(cx, cy) },
        { "top-down", Bits() == 16 ? MakeTestDIB(cx, cy, 16, Pattern555, {}, TRUE)
                                   : MakeTestDIB(cx, cy, 8, PatternIndex, SharedPaletteTable(), TRUE) },
        { "run-length coded", rle(TRUE) },
        { "run-length coded without its size", rle(FALSE) },
    };
    const CRect src(0, 0, cx, 2 * cy);
    for (const auto& s : sources)
    {
        CDIBElem elem(s.dib);
        for (int nScale : { 1, 2 })
        {
            SCOPED_TRACE(::testing::Message() << s.context << ", scale " << nScale);
            const CRect dst(2, 3, 2 + nScale * src.Width(), 3 + nScale * src.Height());
            CBufferedCanvas fast(40, 40, Bits());
            CBufferedCanvas plain(40, 40, Bits());
            elem.Draw(fast.m_canvas, src, dst);
            {
                CPlainWay plainWay;
                elem.Draw(plain.m_canvas, src, dst);
            }
            EXPECT_TRUE(RectEq(CRect(2, 3, 2 + nScale * cx, 3 + nScale * cy), plain.PaintedBounds()));
            EXPECT_TRUE(SameBuffers(fast, plain));
        }
    }
}

// Doubling repeats every pixel and every row; halving keeps every second one. The
// run tables of both directions agree with the pixels they produce.
TEST_P(DIBDraw, StretchRuns)
{
    CTestDIB dib = Source(10, 10);
    CDIBElem elem(dib);
    const struct
    {
        int nSize;
        int (*pfnSource)(int);      // the source column or row of a destination one
    } cases[] = {
        { 20, [](int i) { return i / 2; } },
        { 5, [](int i) { return 2 * i; } },
        { 10, [](int i) { return i; } },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nSize);
        CBufferedCanvas canvas(32, 32, Bits());
        elem.Draw(canvas.m_canvas, CRect(0, 0, 10, 10), CRect(1, 2, 1 + c.nSize, 2 + c.nSize));
        for (int y = 0; y < c.nSize; ++y)
            for (int x = 0; x < c.nSize; ++x)
                ASSERT_EQ(SourcePixel(c.pfnSource(x), c.pfnSource(y)), canvas.Pixel(1 + x, 2 + y)) << x << "," << y;
        EXPECT_TRUE(RectEq(CRect(1, 2, 1 + c.nSize, 2 + c.nSize), canvas.PaintedBounds()));
    }
}

// A stretched destination cut by the buffer's edge draws the same pixels where it is
// visible as when it is whole: enlarged, shrunk, and shrunk with anti-aliasing.
TEST_P(DIBDraw, StretchedAndCut)
{
    CTestDIB dib = Source(30, 24);
    CDIBElem elem(dib);
    const struct
    {
        const char* context;
        CRect dst;
        BOOL bAntiAlias;
    } cases[] = {
        { "enlarged", CRect(20, 10, 110, 82), FALSE },
        { "shrunk", CRect(20, 10, 39, 27), FALSE },
        { "shrunk and anti-aliased", CRect(20, 10, 39, 27), TRUE },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.context);
        CDIBElem::SetAllowAntiAliasing(c.bAntiAlias);
        CBufferedCanvas whole(128, 96, Bits());
        elem.Draw(whole.m_canvas, CRect(0, 0, 30, 24), c.dst);
        const CRect rectCut(27, 13, 128, 96);
        CBufferedCanvas cut(128, 96, Bits(), rectCut);
        elem.Draw(cut.m_canvas, CRect(0, 0, 30, 24), c.dst);
        for (int y = rectCut.top; y < c.dst.bottom; ++y)
            for (int x = rectCut.left; x < c.dst.right; ++x)
                ASSERT_EQ(whole.Pixel(x, y), cut.Pixel(x - rectCut.left, y - rectCut.top)) << x << "," << y;
        EXPECT_TRUE(RectEq((c.dst - rectCut.TopLeft()) & CRect(0, 0, 101, 83), cut.PaintedBounds()));
    }
}

// Sources of 1024 pixels or more still appear: one for one by the fast way, stretched by
// the plain way, of either orientation, from the top of a source larger than the bitmap.
TEST_P(DIBDraw, WideSources)
{
    for (BOOL bTopDown : { FALSE, TRUE })
    {
        SCOPED_TRACE(bTopDown ? "top-down" : "bottom-up");
        CTestDIB dib = Bits() == 16 ? MakeTestDIB(1100, 3, 16, Pattern555, {}, bTopDown)
                                    : MakeTestDIB(1100, 3, 8, PatternIndex, SharedPaletteTable(), bTopDown);
        CDIBElem elem(dib);
        CBufferedCanvas one(1200, 8, Bits());
        elem.Draw(one.m_canvas, CRect(0, 0, 1100, 3), CRect(50, 2, 1150, 5));
        EXPECT_TRUE(RectEq(CRect(50, 2, 1150, 5), one.PaintedBounds()));
        EXPECT_EQ(SourcePixel(1099, 2), one.Pixel(1149, 4));

        CBufferedCanvas half(1200, 8, Bits());
        elem.Draw(half.m_canvas, CRect(0, 0, 1100, 6), CRect(0, 0, 550, 6));
        EXPECT_TRUE(RectEq(CRect(0, 0, 550, 3), half.PaintedBounds()));
    }
}

// A destination outside the canvas's clipping is left to GDI, which clips it.
TEST_P(DIBDraw, ClippedCanvas)
{
    CTestDIB dib = Source(20, 20);
    CDIBElem elem(dib);
    CBufferedCanvas canvas(40, 40, Bits());
    canvas.m_canvas.ClipToRect(CRect(5, 5, 15, 12));
    elem.Draw(canvas.m_canvas, CRect(0, 0, 20, 20), CRect(0, 0, 20, 20));
    EXPECT_TRUE(RectEq(CRect(5, 5, 15, 12), canvas.PaintedBounds()));
    EXPECT_EQ(SourcePixel(5, 5), canvas.Pixel(5, 5));
}

// The key value is skipped: a source pixel that is exactly 10 leaves the buffer as it was,
// in whichever row of the source it is and wherever the drawn part of the source begins.
TEST_P(DIBDraw, KeyValueSkipped)
{
    auto pixel = [](int x, int y) { return x == 1 && y == 2 ? 10u : 4u + y; };
    CTestDIB dib = Bits() == 16 ? MakeTestDIB(4, 4, 16, pixel) : MakeTestDIB(4, 4, 8, pixel, SharedPaletteTable());
    CDIBElem elem(dib);
    // An 8-bit DIB's black reaches the buffer as index 0, never as the key.
    const DWORD dwKept = Bits() == 16 ? CBufferedCanvas(1, 1, 16).Grey() : 0u;
    for (int nScale : { 1, 2 })
    {
        SCOPED_TRACE(nScale);
        CBufferedCanvas whole(16, 16, Bits());
        elem.Draw(whole.m_canvas, CRect(0, 0, 4, 4), CRect(0, 0, 4 * nScale, 4 * nScale));
        EXPECT_EQ(dwKept, whole.Pixel(nScale, 2 * nScale));
        EXPECT_NE(whole.Grey(), whole.Pixel(0, 2 * nScale));
        CBufferedCanvas part(16, 16, Bits());
        elem.Draw(part.m_canvas, CRect(0, 1, 4, 4), CRect(0, 0, 4 * nScale, 3 * nScale));
        EXPECT_EQ(dwKept, part.Pixel(nScale, nScale));
        EXPECT_NE(part.Grey(), part.Pixel(0, nScale));
    }
}

// A white background becomes transparent; the colour and the transparent background do
// nothing the plain way.
TEST_P(DIBDraw, TransparentBackground)
{
    CTestDIB dib = MakeTestDIB(8, 8, 24, [](int x, int y) { return x >= 2 && x < 6 && y >= 2 && y < 6 ? 0xFF0000u : 0xFFFFFFu; });
    CDIBElem elem(dib);
    elem.SetTransparentBackground(TRUE);
    CBufferedCanvas canvas(16, 16, Bits());
    elem.Draw(canvas.m_canvas, CRect(0, 0, 8, 8), CRect(4, 4, 12, 12));
    EXPECT_TRUE(RectEq(CRect(6, 6, 10, 10), canvas.PaintedBounds()));
    DWORD dwRed = Bits() == 16 ? RGB555(RGB(255, 0, 0)) : NearestPaletteIndex(255, 0, 0);
    EXPECT_EQ(dwRed, canvas.Pixel(7, 7));

    CBufferedCanvas plain(16, 16, Bits());
    CPlainWay plainWay;
    elem.SetColor(RGB(0, 0, 255));
    elem.Draw(plain.m_canvas, CRect(0, 0, 8, 8), CRect(4, 4, 12, 12));
    EXPECT_TRUE(RectEq(CRect(4, 4, 12, 12), plain.PaintedBounds()));
    EXPECT_EQ(dwRed, plain.Pixel(7, 7));
}

// A black line drawing on white takes the colour in its black; the white stays white.
TEST_P(DIBDraw, RecolouredLineDrawing)
{
    CTestDIB dib = MakeTestDIB(6, 6, 1, [](int x, int y) { return x == y ? 0u : 1u; },
                               { Quad(RGB(0, 0, 0)), Quad(RGB(255, 255, 255)) });
    CDIBElem elem(dib);
    elem.SetColor(RGB(255, 0, 0));
    CBufferedCanvas canvas(8, 8, Bits());
    elem.Draw(canvas.m_canvas, CRect(0, 0, 6, 6), CRect(0, 0, 6, 6));
    DWORD dwRed = Bits() == 16 ? RGB555(RGB(255, 0, 0)) : NearestPaletteIndex(255, 0, 0);
    DWORD dwWhite = Bits() == 16 ? wWhite555 : 255;
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            ASSERT_EQ(x == y ? dwRed : dwWhite, canvas.Pixel(x, y)) << x << "," << y;

    // Back to its own colours.
    elem.SetDefaultColor();
    elem.Draw(canvas.m_canvas, CRect(0, 0, 6, 6), CRect(0, 0, 6, 6));
    EXPECT_EQ(0u, canvas.Pixel(3, 3));
}

// A checkerboard of black and white shrunk to half: without anti-aliasing every second
// pixel is kept (all black); with it each 2x2 block blends into grey.
TEST_P(DIBDraw, AntiAliasedCheckerboard)
{
    CTestDIB dib = MakeTestDIB(100, 100, 1, [](int x, int y) { return (x + y) % 2; },
                               { Quad(RGB(0, 0, 0)), Quad(RGB(255, 255, 255)) });
    CDIBElem elem(dib);
    CBufferedCanvas plain(60, 60, Bits());
    elem.Draw(plain.m_canvas, CRect(0, 0, 100, 100), CRect(5, 5, 55, 55));
    EXPECT_EQ(0u, plain.Pixel(20, 20));

    CDIBElem::SetAllowAntiAliasing(TRUE);
    CBufferedCanvas blended(60, 60, Bits());
    elem.Draw(blended.m_canvas, CRect(0, 0, 100, 100), CRect(5, 5, 55, 55));
    DWORD dwGrey = Bits() == 16 ? RGB555(RGB(15 << 3, 15 << 3, 15 << 3)) : mixArray[0 * 256 + 255];
    for (int y = 5; y < 55; ++y)
        for (int x = 5; x < 55; ++x)
            ASSERT_EQ(dwGrey, blended.Pixel(x, y)) << x << "," << y;
    EXPECT_TRUE(RectEq(CRect(5, 5, 55, 55), blended.PaintedBounds()));

    // Only the whole image is anti-aliased; a part of it is not.
    CBufferedCanvas part(60, 60, Bits());
    elem.Draw(part.m_canvas, CRect(0, 0, 50, 100), CRect(5, 5, 30, 55));
    EXPECT_EQ(0u, part.Pixel(20, 20));
}

// Halving with anti-aliasing follows the blend rule block by block, in rows of blocks
// of one colour and of several, of the transparent key and of colours blended with it:
// in 8 bits each row's first and last pixels blended (unless equal), then the two rows'
// blends; in 16 bits the average of the pixels that are not the key. A result that is
// the key leaves the buffer's pixel.
TEST_P(DIBDraw, AntiAliasedHalfSize)
{
    const int cx = 40, cy = 6;
    auto index = [](int x, int y) -> DWORD {
        int bx = x / 2, by = y / 2;
        if (bx == 0 || bx >= 17 || (bx == 8 && by == 1))
            return 255;                                 // white: the transparent background
        if (bx == 5 && by == 2)
            return (x + y) % 2 ? 255 : 40;              // white and a colour
        if (bx == 12 && by == 0)
            return y % 2 ? 50 : 60;                     // two rows of one colour each
        if (bx == 13 && by == 0)
            return x % 2 ? 50 : 60;                     // two columns of one colour each
        if ((bx * 3 + by) % 4 == 1)
            return 20 + (x * 7 + y * 3) % 200;          // four colours
        return 30 + bx + 20 * by;                       // one colour
    };
    CTestDIB dib = MakeTestDIB(cx, cy, 8, index, SharedPaletteTable());
    CDIBElem elem(dib);
    elem.SetTransparentBackground(TRUE);
    CDIBElem::SetAllowAntiAliasing(TRUE);
    CBufferedCanvas canvas(cx, cy, Bits());
    elem.Draw(canvas.m_canvas, CRect(0, 0, cx, cy), CRect(0, 0, cx / 2, cy / 2));

    const DWORD dwKey = 10;
    auto value = [&](int x, int y) -> DWORD {
        DWORD i = index(x, y);
        if (i == 255)
            return dwKey;
        const PALETTEENTRY& e = gLogPalette.palPalEntry[i];
        return Bits() == 16 ? RGB555(RGB(e.peRed, e.peGreen, e.peBlue)) : i;
    };
    auto mix = [](DWORD a, DWORD b) { return a == b ? a : (DWORD)mixArray[a * 256 + b]; };
    for (int y = 0; y < cy / 2; ++y)
    {
        for (int x = 0; x < cx / 2; ++x)
        {
            const DWORD block[4] = { value(2 * x, 2 * y), value(2 * x + 1, 2 * y), value(2 * x, 2 * y + 1),
                                     value(2 * x + 1, 2 * y + 1) };
            DWORD dwExpected = dwKey;
            if (Bits() == 8)
            {
                dwExpected = mix(mix(block[0], block[1]), mix(block[2], block[3]));
            }
            else
            {
                DWORD r = 0, g = 0, b = 0, n = 0;
                for (DWORD w : block)
                {
                    if (w == dwKey)
                        continue;
                    r += w >> 10;
                    g += (w >> 5) & 31;
                    b += w & 31;
                    ++n;
                }
                if (n != 0)
                    dwExpected = ((r / n) << 10) | ((g / n) << 5) | (b / n);
            }
            ASSERT_EQ(dwExpected == dwKey ? canvas.Grey() : dwExpected, canvas.Pixel(x, y)) << x << "," << y;
        }
    }
}

// The parts of a source that lie beyond the image draw nothing, and the image lands where
// the whole source would have put it.
TEST_P(DIBDraw, SourceBeyondTheImage)
{
    CTestDIB dib = Source(10, 10);
    CDIBElem elem(dib);
    for (BOOL bPlain : { FALSE, TRUE })
    {
        SCOPED_TRACE(bPlain ? "plain way" : "fast way");
        gUseDIBBlit = bPlain;
        CBufferedCanvas canvas(64, 64, Bits());
        elem.Draw(canvas.m_canvas, CRect(0, 0, 20, 20), CRect(0, 0, 40, 40));
        EXPECT_TRUE(RectEq(CRect(0, 0, 20, 20), canvas.PaintedBounds()));
        EXPECT_EQ(SourcePixel(9, 9), canvas.Pixel(19, 19));
    }
}

// On a context that does not count in pixels, as a printer's counts in points, a picture
// drawn at its own size covers its destination in that context's units, not one device
// pixel per picture pixel.
TEST(DIBDrawPlain, OwnSizeOnAScaledContextFillsTheDestination)
{
    const int nSide = 80;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = nSide;
    bmi.bmiHeader.biHeight = -nSide;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    void* pvBits = NULL;
    HBITMAP hbm = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pvBits, NULL, 0);
    ASSERT_NE(hbm, (HBITMAP)NULL);
    DWORD* pPixels = static_cast<DWORD*>(pvBits);
    std::fill(pPixels, pPixels + nSide * nSide, 0xFFFFFFu);
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(NULL));
    HGDIOBJ hOld = ::SelectObject(dc.m_hDC, hbm);
    ::SetMapMode(dc.m_hDC, MM_ANISOTROPIC);
    ::SetWindowExtEx(dc.m_hDC, 1, 1, NULL);
    ::SetViewportExtEx(dc.m_hDC, 2, 2, NULL);
    {
        CTestDIB dib = MakeTestDIB(20, 10, 16, Pattern555);
        CDIBElem elem(dib);
        CCanvas canvas(&dc);
        elem.Draw(canvas, CRect(0, 0, 20, 10), CRect(0, 0, 20, 10));
    }
    ::GdiFlush();
    EXPECT_NE(pPixels[19 * nSide + 39] & 0xFFFFFF, 0xFFFFFFu) << "the far corner of the doubled picture";
    EXPECT_EQ(pPixels[21 * nSide + 41] & 0xFFFFFF, 0xFFFFFFu) << "beyond the doubled picture";
    ::SelectObject(dc.m_hDC, hOld);
    ::DeleteObject(hbm);
}
