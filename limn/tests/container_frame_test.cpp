// Container frames: the ring they take from a container, the shades of a bevelled frame,
// and the pixels both draw.
#include "limn/canvas/Canvas.h"
#include "limn/containers/Container3DFrame.h"

#include "container_support.h"

namespace {

const COLORREF crWhite = RGB(255, 255, 255);

} // namespace

TEST(ContainerFrame, RingComesOffTheClientArea)
{
    CProbe probe(NULL, "framed");
    probe.SetFrame(new CContainerFrame(3, RGB(0, 0, 255)));
    probe.SetBounds(CRect(10, 20, 110, 70));
    CRect rect;
    probe.GetClientRect(&rect);
    EXPECT_TRUE(RectEq(CRect(0, 0, 94, 44), rect));

    CContainerFrame frameDefault;
    EXPECT_EQ(1, frameDefault.GetWidth());
    EXPECT_EQ(RGB(0, 0, 0), frameDefault.GetColor());
    rect.SetRect(0, 0, 10, 10);
    frameDefault.AdjustClientRect(&rect);
    EXPECT_TRUE(RectEq(CRect(1, 1, 9, 9), rect));
}

// The width is the frame's own business: the container's children keep their places
// until the container is arranged again.
TEST(ContainerFrame, NewWidthWaitsForTheNextLayout)
{
    CProbe parent(NULL, "parent", arrangeVertical);
    parent.SetFrame(new CContainerFrame(2, RGB(0, 0, 0)));
    parent.SetBounds(CRect(0, 0, 100, 100));
    CProbe* pChild = new CProbe(&parent, "child");
    EXPECT_TRUE(RectEq(CRect(0, 0, 96, 96), pChild->GetBounds()));

    parent.GetFrame()->SetWidth(10);
    EXPECT_TRUE(RectEq(CRect(0, 0, 96, 96), pChild->GetBounds()));
    parent.ArrangeChildren();
    EXPECT_TRUE(RectEq(CRect(0, 0, 80, 80), pChild->GetBounds()));
}

TEST(Container3DFrame, ShadesArePercentagesOfTheBaseColour)
{
    CContainer3DFrame frame(RGB(200, 100, 50), 4, 0, 50, 150, 100, 200);
    const COLORREF expected[4] = { RGB(100, 50, 25), RGB(255, 150, 75), RGB(200, 100, 50), RGB(255, 200, 100) };
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(expected[i], frame.GetShade(i)) << "side " << i;
    }
    EXPECT_EQ(RGB(0, 0, 0), frame.GetColor()) << "the base colour only makes the shades";

    // Rounded to nearest: 3 * 50% is 1.5, which rounds up.
    frame.SetColor(RGB(3, 1, 255));
    EXPECT_EQ(RGB(2, 1, 128), frame.GetShade(CContainer3DFrame::sideLeft));
    EXPECT_EQ(RGB(0, 0, 0), frame.GetColor());

    CContainer3DFrame frameLoaded;
    EXPECT_EQ(1, frameLoaded.GetWidth());
    EXPECT_EQ(0, frameLoaded.GetOutline());
}

// A flat frame paints its ring inside the bounds (a wide pen rounds the outer corners).
TEST(ContainerFrame, FlatRingPixels)
{
    CDibSurface surface(40, 30);
    CCanvas canvas(&surface.m_dc);
    CContainerFrame frame(3, RGB(0, 0, 255));
    frame.Draw(canvas, CRect(5, 5, 35, 25));
    EXPECT_TRUE(RectEq(CRect(5, 5, 35, 25), surface.PaintedBounds(crWhite)));
    const struct
    {
        int x, y;
        COLORREF cr;
    } pixels[] = {
        { 6, 5, RGB(0, 0, 255) }, { 7, 12, RGB(0, 0, 255) }, { 20, 24, RGB(0, 0, 255) },
        { 34, 12, RGB(0, 0, 255) }, { 32, 22, RGB(0, 0, 255) }, { 8, 8, crWhite }, { 31, 21, crWhite },
    };
    for (const auto& p : pixels)
        EXPECT_EQ(p.cr, surface.At(p.x, p.y)) << "at " << p.x << "," << p.y;
}

// The bevels fill the ring, meeting on the corners' diagonals, and stay inside the bounds.
TEST(Container3DFrame, BevelPixels)
{
    const COLORREF crLeft = RGB(255, 0, 0), crTop = RGB(0, 255, 0), crRight = RGB(0, 0, 255), crBottom = RGB(255, 255, 0);
    struct CShadedFrame : CContainer3DFrame
    {
        CShadedFrame(int nOutline, COLORREF l, COLORREF t, COLORREF r, COLORREF b)
            : CContainer3DFrame(RGB(0, 0, 0), 4, nOutline, 100, 100, 100, 100)
        {
            m_shade[0] = l;
            m_shade[1] = t;
            m_shade[2] = r;
            m_shade[3] = b;
        }
    };
    const CRect rectBounds(10, 10, 50, 40);
    for (int nOutline = 0; nOutline <= 1; ++nOutline)
    {
        SCOPED_TRACE(nOutline);
        CDibSurface surface(60, 50);
        CCanvas canvas(&surface.m_dc);
        CShadedFrame frame(nOutline, crLeft, crTop, crRight, crBottom);
        frame.Draw(canvas, rectBounds);

        EXPECT_TRUE(RectEq(rectBounds, surface.PaintedBounds(crWhite)));
        const struct
        {
            int x, y;
            COLORREF cr;
        } pixels[] = {
            { 10, 25, crLeft }, { 12, 25, crLeft }, { 30, 10, crTop }, { 30, 12, crTop },
            { 49, 25, crRight }, { 47, 25, crRight }, { 30, 39, crBottom }, { 30, 37, crBottom },
            { 11, 13, crLeft }, { 13, 11, crTop }, { 47, 11, crTop }, { 48, 13, crRight },
            { 46, 38, crBottom }, { 48, 36, crRight }, { 11, 36, crLeft }, { 13, 38, crBottom },
            { 30, 25, crWhite }, { 30, 14, crWhite },
        };
        for (const auto& p : pixels)
            EXPECT_EQ(p.cr, surface.At(p.x, p.y)) << "at " << p.x << "," << p.y;
        // A 4-pixel bevel; with an outline it ends a pixel short, inside a black line.
        EXPECT_EQ(nOutline ? RGB(0, 0, 0) : crTop, surface.At(30, 13));
        EXPECT_EQ(nOutline ? RGB(0, 0, 0) : crLeft, surface.At(13, 25));
        EXPECT_EQ(nOutline ? RGB(0, 0, 0) : crRight, surface.At(46, 25));
    }
}
