// Region figures, clips and frames. Frames are computed with GDI region operations in
// picture coordinates (no DC involved); the inset region is the erosion of the region by
// the pen's rectangle, built by doubling so that a pen of any size costs a few dozen
// region operations. Clips are made in device pixels where the DC's transform keeps
// rectangles upright, since a path of many figures is slow to turn into a clip.
#include "media/qtim32/GdiRegion.h"

#include <algorithm>
#include <utility>

namespace
{

// The union of the rectangles. ExtCreateRegion adds rectangles one at a time, each
// addition rebuilding the region: quadratic, 80 ms for 8192 rectangles under Wine. Here
// regions of equal counts merge pairwise as in a binary counter, so that each rectangle
// takes part in log2(n) unions and at most log2(n) + 1 regions are alive at once.
HRGN CreateRegionOf(const std::vector<RECT>& rects)
{
    struct Level
    {
        HRGN hrgn;
        size_t count;
    };
    std::vector<Level> levels;
    levels.reserve(64);
    bool failed = false;
    for (const RECT& rc : rects)
    {
        HRGN hrgn = ::CreateRectRgnIndirect(&rc);
        if (hrgn == NULL)
        {
            failed = true;
            break;
        }
        size_t count = 1;
        while (!levels.empty() && levels.back().count == count)
        {
            ::CombineRgn(levels.back().hrgn, levels.back().hrgn, hrgn, RGN_OR);
            ::DeleteObject(hrgn);
            hrgn = levels.back().hrgn;
            count *= 2;
            levels.pop_back();
        }
        levels.push_back(Level{hrgn, count});
    }
    HRGN hrgnUnion = failed ? NULL : ::CreateRectRgn(0, 0, 0, 0);
    for (const Level& level : levels)
    {
        if (hrgnUnion != NULL)
            ::CombineRgn(hrgnUnion, hrgnUnion, level.hrgn, RGN_OR);
        ::DeleteObject(level.hrgn);
    }
    return hrgnUnion;
}

std::vector<RECT> GdiRectsOf(const std::vector<pict::Rect>& rects)
{
    std::vector<RECT> gdiRects(rects.size());
    for (size_t i = 0; i < rects.size(); ++i)
        gdiRects[i] = RECT{rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
    return gdiRects;
}

std::vector<pict::Rect> RectsOf(HRGN hrgn)
{
    const DWORD cb = ::GetRegionData(hrgn, 0, NULL);
    if (cb < sizeof(RGNDATAHEADER))
        return {};
    std::vector<BYTE> data(cb);
    RGNDATA* pData = reinterpret_cast<RGNDATA*>(data.data());
    if (::GetRegionData(hrgn, cb, pData) != cb)
        return {};
    const RECT* pRects = reinterpret_cast<const RECT*>(pData->Buffer);
    std::vector<pict::Rect> rects(pData->rdh.nCount);
    for (size_t i = 0; i < rects.size(); ++i)
        rects[i] = pict::Rect{pRects[i].left, pRects[i].top, pRects[i].right, pRects[i].bottom};
    return rects;
}

// Erodes hrgn in place by the segment [-n, n] along x (or y): afterwards it holds the
// points whose every neighbour up to n away along that axis was in it.
void Erode(HRGN hrgn, int32_t n, bool alongX)
{
    if (n <= 0)
        return;
    // A picture's coordinates are 16-bit: a wider pen erodes everything all the same.
    n = std::min<int32_t>(n, 1 << 17);
    CRgn shifted(::CreateRectRgn(0, 0, 0, 0));
    // Invariant: hrgn is the intersection of the original shifted by 0 .. -covered.
    int32_t covered = 0;
    while (covered < 2 * n)
    {
        const int32_t step = std::min(covered + 1, 2 * n - covered);
        ::CombineRgn(shifted.Get(), hrgn, NULL, RGN_COPY);
        ::OffsetRgn(shifted.Get(), alongX ? -step : 0, alongX ? 0 : -step);
        ::CombineRgn(hrgn, hrgn, shifted.Get(), RGN_AND);
        covered += step;
    }
    ::OffsetRgn(hrgn, alongX ? n : 0, alongX ? 0 : n);
}

} // namespace

void AddRectsToPath(HDC hdc, const std::vector<pict::Rect>& rects)
{
    std::vector<POINT> points;
    points.reserve(rects.size() * 4);
    for (const pict::Rect& r : rects)
    {
        points.push_back(POINT{r.left, r.top});
        points.push_back(POINT{r.right, r.top});
        points.push_back(POINT{r.right, r.bottom});
        points.push_back(POINT{r.left, r.bottom});
    }
    const std::vector<INT> counts(rects.size(), 4);
    if (!rects.empty())
        ::PolyPolygon(hdc, points.data(), counts.data(), static_cast<int>(counts.size()));
}

namespace
{

// Leaves nothing to draw on until the clip is selected again: what a clip that could not
// be made comes to, rather than drawing outside it.
void ClipToNothing(HDC hdc)
{
    CRgn empty(::CreateRectRgn(0, 0, 0, 0));
    if (empty.Get() == NULL || ::ExtSelectClipRgn(hdc, empty.Get(), RGN_AND) == ERROR)
        ::IntersectClipRect(hdc, 0, 0, 0, 0);
}

// Without rotation or shear, each rectangle stays a rectangle in device pixels: its
// corners carried there by LPtoDP make the clip region directly.
void IntersectClipInDevicePixels(HDC hdc, const std::vector<pict::Rect>& rects)
{
    std::vector<RECT> deviceRects = GdiRectsOf(rects);
    if (!deviceRects.empty() &&
        !::LPtoDP(hdc, reinterpret_cast<POINT*>(deviceRects.data()), static_cast<int>(deviceRects.size() * 2)))
    {
        ClipToNothing(hdc);
        return;
    }
    for (RECT& rc : deviceRects)
    {
        if (rc.right < rc.left)
            std::swap(rc.left, rc.right);
        if (rc.bottom < rc.top)
            std::swap(rc.top, rc.bottom);
    }
    CRgn clip(CreateRegionOf(deviceRects));
    if (clip.Get() == NULL || ::ExtSelectClipRgn(hdc, clip.Get(), RGN_AND) == ERROR)
        ClipToNothing(hdc);
}

// A rotated or sheared DC takes the rectangles as a path.
void IntersectClipThroughPath(HDC hdc, const std::vector<pict::Rect>& rects)
{
    if (rects.empty() || !::BeginPath(hdc))
    {
        ClipToNothing(hdc);
        return;
    }
    AddRectsToPath(hdc, rects);
    if (!::EndPath(hdc) || !::SelectClipPath(hdc, RGN_AND))
        ClipToNothing(hdc);
}

} // namespace

void IntersectClipWithRects(HDC hdc, const std::vector<pict::Rect>& rects)
{
    XFORM xf;
    if (::GetWorldTransform(hdc, &xf) && xf.eM12 == 0 && xf.eM21 == 0)
        IntersectClipInDevicePixels(hdc, rects);
    else
        IntersectClipThroughPath(hdc, rects);
}

std::vector<pict::Rect> RegionFrameRects(const pict::Region& region, int32_t penWidth, int32_t penHeight)
{
    const std::vector<RECT> rects = GdiRectsOf(region.rects);
    CRgn whole(CreateRegionOf(rects));
    CRgn inside(CreateRegionOf(rects));
    if (whole.Get() == NULL || inside.Get() == NULL)
        return {};
    Erode(inside.Get(), penWidth, true);
    Erode(inside.Get(), penHeight, false);
    ::CombineRgn(whole.Get(), whole.Get(), inside.Get(), RGN_DIFF);
    return RectsOf(whole.Get());
}
