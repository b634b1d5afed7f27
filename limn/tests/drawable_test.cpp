// CDrawable's settings and the drawing that only places and scales: keeping the aspect,
// and the preview of a drawable resource.
#include "limn/pictures/DrawableResource.h"
#include "limn/pictures/Drawable.h"

#include <gtest/gtest.h>

#include <vector>

#include "picture_support.h"

namespace {

// Records what it is asked to draw and how often its colour changed.
class CRecordingDrawable : public CDrawable
{
public:
    explicit CRecordingDrawable(CSize extent) { m_extent = extent; }
    void Draw(CCanvas&, const CRect& src, const CRect& dst) const override
    {
        m_src.push_back(src);
        m_dst.push_back(dst);
    }
    void OnColorChange() override { ++m_nColorChanges; }

    mutable std::vector<CRect> m_src, m_dst;
    int m_nColorChanges = 0;
};

class CRecordingResource : public CDrawableResource
{
public:
    explicit CRecordingResource(CSize extent) { m_extent = extent; }
    void Draw(CCanvas&, const CRect&, const CRect& dst) const override { m_dst.push_back(dst); }
    mutable std::vector<CRect> m_dst;
};

} // namespace

TEST(Drawable, Colour)
{
    CRecordingDrawable drawable(CSize(1, 1));
    EXPECT_FALSE(drawable.IsColorSet());
    drawable.SetDefaultColor();
    EXPECT_EQ(0, drawable.m_nColorChanges) << "no colour was set";
    drawable.SetColor(RGB(1, 2, 3));
    drawable.SetColor(RGB(1, 2, 3));
    EXPECT_EQ(1, drawable.m_nColorChanges) << "the same colour again changes nothing";
    drawable.SetColor(RGB(4, 5, 6));
    EXPECT_EQ(2, drawable.m_nColorChanges);
    drawable.SetDefaultColor();
    EXPECT_EQ(3, drawable.m_nColorChanges);
    EXPECT_FALSE(drawable.IsColorSet());
    drawable.SetColor(RGB(4, 5, 6));
    EXPECT_EQ(4, drawable.m_nColorChanges) << "set again after the default";

    drawable.SetTransparentBackground(TRUE);
    CRecordingDrawable copy(drawable);
    EXPECT_TRUE(copy.IsColorSet() && copy.GetColor() == RGB(4, 5, 6) && copy.IsTransparentBackground());
    EXPECT_EQ(CSize(1, 1), copy.GetExtent());
}

TEST(Drawable, DrawKeepingAspect)
{
    const struct
    {
        CSize extent;
        CRect rect;
        CRect expected;
    } cases[] = {
        { CSize(200, 100), CRect(0, 0, 100, 100), CRect(0, 25, 100, 75) },
        { CSize(50, 20), CRect(0, 0, 100, 100), CRect(25, 40, 75, 60) },
        { CSize(100, 300), CRect(10, 10, 110, 110), CRect(43, 10, 76, 110) },
        { CSize(7, 7), CRect(5, 5, 6, 6), CRect(5, 5, 6, 6) },
    };
    for (const auto& c : cases)
    {
        CRecordingDrawable drawable(c.extent);
        CDibSurface surface(4, 4);
        CCanvas canvas(&surface.m_dc);
        drawable.DrawKeepingAspect(canvas, c.rect);
        ASSERT_EQ(1u, drawable.m_dst.size());
        EXPECT_TRUE(RectEq(c.expected, drawable.m_dst[0]));
        EXPECT_TRUE(RectEq(CRect(CPoint(0, 0), c.extent), drawable.m_src[0]));
    }
    CRecordingDrawable flat(CSize(10, 0));
    CDibSurface surface(4, 4);
    CCanvas canvas(&surface.m_dc);
    flat.DrawKeepingAspect(canvas, CRect(0, 0, 10, 10));
    EXPECT_TRUE(flat.m_dst.empty());
}

TEST(Drawable, Preview)
{
    const struct
    {
        CSize extent;
        CRect rect;
        CRect expected;
    } cases[] = {
        { CSize(10, 10), CRect(0, 0, 9, 100), CRect(0, 0, 9, 100) },
        { CSize(10, 10), CRect(0, 0, 31, 20), CRect(10, 5, 20, 15) },
        { CSize(10, 20), CRect(0, 0, 31, 20), CRect(0, 0, 31, 20) },
    };
    for (const auto& c : cases)
    {
        CRecordingResource resource(c.extent);
        CDibSurface surface(40, 110);
        CCanvas canvas(&surface.m_dc);
        canvas.SetBounds(c.rect);
        resource.DrawPreview(canvas);
        ASSERT_EQ(1u, resource.m_dst.size());
        EXPECT_TRUE(RectEq(c.expected, resource.m_dst[0]));
    }
    CRecordingResource flat(CSize(0, 10));
    CDibSurface surface(4, 4);
    flat.DrawPreview(&surface.m_dc, NULL, CRect(0, 0, 4, 4));
    EXPECT_TRUE(flat.m_dst.empty());
}

TEST(Drawable, ExtentInArchives)
{
    CRecordingDrawable drawable(CSize(-3, 70000));
    std::vector<BYTE> bytes = StoreBytes([&](CArchive& ar) { drawable.Serialize(ar); });
    EXPECT_EQ(CByteWriter().Long(-3).Long(70000).m_bytes, bytes);
    CRecordingDrawable read(CSize(0, 0));
    LoadBytes(bytes, [&](CArchive& ar) { read.Serialize(ar); });
    EXPECT_EQ(CSize(-3, 70000), read.GetExtent());
}
