// Region figures, clips and frames. Frames are computed with GDI region operations in
// picture coordinates (no DC involved); the inset region is the erosion of the region by
// the pen's rectangle, built by doubling so that a pen of any size costs a few dozen
// region operations.
#include "media/qtim32/GdiRegion.h"

#include <algorithm>

namespace
{

HRGN CreateRegionOf(const std::vector<pict::Rect>& rects)
{
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    RGNDATA* pData = reinterpret_cast<RGNDATA*>(data.data());
    pData->rdh.dwSize = sizeof(RGNDATAHEADER);
    pData->rdh.iType = RDH_RECTANGLES;
    pData->rdh.nCount = static_cast<DWORD>(rects.size());
    RECT* pRects = reinterpret_cast<RECT*>(pData->Buffer);
    RECT bound{0, 0, 0, 0};
    for (size_t i = 0; i < rects.size(); ++i)
    {
        pRects[i] = RECT{rects[i].left, rects[i].top, rects[i].right, rects[i].bottom};
        UnionRect(&bound, &bound, &pRects[i]);
    }
    pData->rdh.rcBound = bound;
    return ::ExtCreateRegion(NULL, static_cast<DWORD>(data.size()), pData);
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

void IntersectClipWithRects(HDC hdc, const std::vector<pict::Rect>& rects)
{
    if (rects.empty())
    {
        CRgn empty(::CreateRectRgn(0, 0, 0, 0));
        ::ExtSelectClipRgn(hdc, empty.Get(), RGN_AND);
        return;
    }
    ::BeginPath(hdc);
    AddRectsToPath(hdc, rects);
    ::EndPath(hdc);
    ::SelectClipPath(hdc, RGN_AND);
}

std::vector<pict::Rect> RegionFrameRects(const pict::Region& region, int32_t penWidth, int32_t penHeight)
{
    CRgn whole(CreateRegionOf(region.rects));
    CRgn inside(CreateRegionOf(region.rects));
    if (whole.Get() == NULL || inside.Get() == NULL)
        return {};
    Erode(inside.Get(), penWidth, true);
    Erode(inside.Get(), penHeight, false);
    ::CombineRgn(whole.Get(), whole.Get(), inside.Get(), RGN_DIFF);
    return RectsOf(whole.Get());
}
