// Routine 9: a picture drawn scaled into a rectangle of a memory DC, clipped to it, with
// the DC's own state as it was.
#include "media/tests/media_test_util.h"

#include "media/pict/PictWriter.h"

#include <cstring>

using pict::PictWriter;
using pict::Rect;
using pict::ShapeVerb;

namespace
{

constexpr uint32_t kBlue = 0x0000FF;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;

// A 20 x 10 picture: green everywhere (and beyond its frame), a red rectangle at
// (5, 2, 15, 8).
std::vector<uint8_t> GreenWithRed()
{
    PictWriter w(Rect{0, 0, 20, 10});
    w.ClipRect(Rect{-100, -100, 100, 100});
    w.ForeColor(kGreen);
    w.Rectangle(ShapeVerb::Paint, Rect{-50, -50, 70, 60});
    w.ForeColor(kRed);
    w.Rectangle(ShapeVerb::Paint, Rect{5, 2, 15, 8});
    return w.Finish();
}

// What the drawing must leave as it was.
struct DCState
{
    int nMapMode;
    int nGraphicsMode;
    XFORM xf;
    POINT ptViewportOrg;
    HGDIOBJ hPen, hBrush, hFont;
    int nRop2;
    UINT nTextAlign;
    int nBkMode;
    int nClip;
    RECT rcClip;

    static DCState Of(HDC hdc)
    {
        DCState s{};
        s.nMapMode = ::GetMapMode(hdc);
        s.nGraphicsMode = ::GetGraphicsMode(hdc);
        ::GetWorldTransform(hdc, &s.xf);
        ::GetViewportOrgEx(hdc, &s.ptViewportOrg);
        s.hPen = ::GetCurrentObject(hdc, OBJ_PEN);
        s.hBrush = ::GetCurrentObject(hdc, OBJ_BRUSH);
        s.hFont = ::GetCurrentObject(hdc, OBJ_FONT);
        s.nRop2 = ::GetROP2(hdc);
        s.nTextAlign = ::GetTextAlign(hdc);
        s.nBkMode = ::GetBkMode(hdc);
        HRGN hrgn = ::CreateRectRgn(0, 0, 0, 0);
        s.nClip = ::GetClipRgn(hdc, hrgn);
        ::GetRgnBox(hrgn, &s.rcClip);
        ::DeleteObject(hrgn);
        return s;
    }
    bool operator==(const DCState& o) const
    {
        return nMapMode == o.nMapMode && nGraphicsMode == o.nGraphicsMode && std::memcmp(&xf, &o.xf, sizeof(xf)) == 0 &&
               ptViewportOrg.x == o.ptViewportOrg.x && ptViewportOrg.y == o.ptViewportOrg.y && hPen == o.hPen &&
               hBrush == o.hBrush && hFont == o.hFont && nRop2 == o.nRop2 && nTextAlign == o.nTextAlign &&
               nBkMode == o.nBkMode && nClip == o.nClip && ::EqualRect(&rcClip, &o.rcClip);
    }
};

} // namespace

TEST(DrawPicture, ScalesTheFrameOntoTheRectangle)
{
    CQtim qtim;
    CGlobal hPict(PictureHandleOf(GreenWithRed()));
    CSurface surface(64, 48, kBlue);
    const RECT rc{10, 10, 50, 30};
    ASSERT_EQ(0, qtim.Draw(surface.DC(), hPict.Get(), rc));
    // The red rectangle doubled: (20, 14) to (40, 26).
    EXPECT_EQ(kRed, surface.Pixel(30, 20));
    EXPECT_EQ(kRed, surface.Pixel(20, 14));
    EXPECT_EQ(kRed, surface.Pixel(39, 25));
    EXPECT_EQ(kGreen, surface.Pixel(19, 20));
    EXPECT_EQ(kGreen, surface.Pixel(40, 20));
    EXPECT_EQ(kGreen, surface.Pixel(30, 13));
    EXPECT_EQ(kGreen, surface.Pixel(30, 26));
    EXPECT_EQ(kGreen, surface.Pixel(10, 10));
    EXPECT_EQ(kGreen, surface.Pixel(49, 29));
    EXPECT_EQ(0, surface.CountChangedOutside(rc, kBlue)) << "clipped to the rectangle";
}

TEST(DrawPicture, LeavesTheDCAsItWas)
{
    CQtim qtim;
    PictWriter w(Rect{0, 0, 20, 10});
    w.PenSize(3, 3);
    w.ForeColor(kRed);
    w.Oval(ShapeVerb::Frame, Rect{0, 0, 20, 10});
    w.Rectangle(ShapeVerb::Invert, Rect{0, 0, 5, 5});
    w.Text(pict::Point{2, 8}, "x");
    w.ClipRect(Rect{0, 0, 10, 10});
    CGlobal hPict(PictureHandleOf(w.Finish()));
    CSurface surface(40, 40, kBlue);
    HDC hdc = surface.DC();
    const DCState before = DCState::Of(hdc);
    ASSERT_EQ(0, qtim.Draw(hdc, hPict.Get(), RECT{0, 0, 40, 20}));
    EXPECT_TRUE(before == DCState::Of(hdc));
    EXPECT_EQ(0, before.nClip) << "no clip region before, none after";
}

// The rectangle is in the DC's logical coordinates, and the DC's own clip still holds.
TEST(DrawPicture, HonoursTheDCsMappingAndClip)
{
    CQtim qtim;
    CGlobal hPict(PictureHandleOf(GreenWithRed()));
    CSurface surface(64, 48, kBlue);
    HDC hdc = surface.DC();
    ::SetViewportOrgEx(hdc, 4, 8, NULL);
    HRGN hrgn = ::CreateRectRgn(0, 0, 34, 48);
    ::SelectClipRgn(hdc, hrgn);
    ::DeleteObject(hrgn);
    const DCState before = DCState::Of(hdc);
    ASSERT_EQ(0, qtim.Draw(hdc, hPict.Get(), RECT{0, 0, 40, 20}));
    EXPECT_TRUE(before == DCState::Of(hdc));
    EXPECT_EQ(kRed, surface.Pixel(4 + 12, 8 + 6));
    EXPECT_EQ(kGreen, surface.Pixel(4, 8));
    EXPECT_EQ(kGreen, surface.Pixel(33, 8 + 19));
    EXPECT_EQ(0, surface.CountChangedOutside(RECT{4, 8, 34, 28}, kBlue));
}

// A 2 x 2 image doubled twice, and its lower row alone.
TEST(DrawPicture, StretchesBitmapsWithTheRest)
{
    CQtim qtim;
    const pict::Image image = ImageOf(2, 2, {kRed, kGreen, kBlue, 0xFFFF00});
    PictWriter w(Rect{0, 0, 4, 4});
    w.DirectPixMap(image, PlacedAt(Rect{0, 0, 2, 2}, Rect{0, 0, 2, 2}));
    w.DirectPixMap(image, PlacedAt(Rect{0, 1, 2, 2}, Rect{2, 2, 4, 4}));
    CGlobal hPict(PictureHandleOf(w.Finish()));
    CSurface surface(16, 16, 0);
    ASSERT_EQ(0, qtim.Draw(surface.DC(), hPict.Get(), RECT{0, 0, 16, 16}));
    EXPECT_EQ(kRed, surface.Pixel(0, 0));
    EXPECT_EQ(kRed, surface.Pixel(3, 3));
    EXPECT_EQ(kGreen, surface.Pixel(4, 0));
    EXPECT_EQ(kBlue, surface.Pixel(0, 4));
    EXPECT_EQ(0xFFFF00u, surface.Pixel(7, 7));
    EXPECT_EQ(kBlue, surface.Pixel(8, 8));
    EXPECT_EQ(kBlue, surface.Pixel(11, 15));
    EXPECT_EQ(0xFFFF00u, surface.Pixel(15, 8));
    EXPECT_EQ(0u, surface.Pixel(12, 4));
}

// A frame far larger than the rectangle scales down; empty rectangles draw nothing.
TEST(DrawPicture, HugeFramesAndEmptyRectangles)
{
    CQtim qtim;
    PictWriter w(Rect{-32000, -32000, 32000, 32000});
    w.ForeColor(kRed);
    w.Rectangle(ShapeVerb::Paint, Rect{0, 0, 32000, 32000});
    CGlobal hPict(PictureHandleOf(w.Finish()));
    CSurface surface(16, 16, kBlue);
    ASSERT_EQ(0, qtim.Draw(surface.DC(), hPict.Get(), RECT{0, 0, 16, 16}));
    EXPECT_EQ(kRed, surface.Pixel(12, 12));
    EXPECT_EQ(0, surface.CountChangedOutside(RECT{8, 8, 16, 16}, kBlue));
    CSurface untouched(16, 16, kBlue);
    EXPECT_EQ(0, qtim.Draw(untouched.DC(), hPict.Get(), RECT{4, 4, 4, 12}));
    EXPECT_EQ(0, qtim.Draw(untouched.DC(), hPict.Get(), RECT{12, 4, 4, 12}));
    EXPECT_EQ(0, untouched.CountChangedOutside(RECT{0, 0, 0, 0}, kBlue));
}

// A DC whose own world transform turns a quarter (x' = 64 - y, y' = x): the picture turns
// with it, still clipped to the rectangle and to its own clip.
TEST(DrawPicture, FollowsARotatedDC)
{
    CQtim qtim;
    PictWriter w(Rect{0, 0, 20, 10});
    w.ClipRect(Rect{0, 0, 10, 10});
    w.ForeColor(kRed);
    w.Rectangle(ShapeVerb::Paint, Rect{-5, -5, 25, 15});
    CGlobal hPict(PictureHandleOf(w.Finish()));
    CSurface surface(64, 64, kBlue);
    HDC hdc = surface.DC();
    ::SetGraphicsMode(hdc, GM_ADVANCED);
    const XFORM xf{0, 1, -1, 0, 64, 0};
    ::SetWorldTransform(hdc, &xf);
    ASSERT_EQ(0, qtim.Draw(hdc, hPict.Get(), RECT{0, 0, 40, 20}));
    // World (0..20, 0..20) is the picture's clip: device x in (44, 64], y in [0, 20).
    EXPECT_EQ(kRed, surface.Pixel(54, 10));
    EXPECT_EQ(kRed, surface.Pixel(46, 2));
    EXPECT_EQ(kBlue, surface.Pixel(54, 30)) << "outside the picture's clip";
    EXPECT_EQ(0, surface.CountChangedOutside(RECT{44, 0, 64, 40}, kBlue)) << "outside the rectangle";
}
