// Decoding and encoding of QuickDraw regions.
#include "media/pict/PictRegion.h"

#include "media/pict/PictReader.h"

#include <algorithm>
#include <map>
#include <stdexcept>

namespace pict {

namespace {

constexpr int16_t kEndMark = 0x7FFF;

// Adds the band [top, bottom) of the spans in active (pairs of h), clipped to bounds.
bool EmitBand(const std::vector<int32_t>& active, int32_t top, int32_t bottom, const Rect& bounds,
              std::vector<Rect>& rects)
{
    if (active.size() % 2 != 0)
        return false;
    for (size_t i = 0; i < active.size(); i += 2)
    {
        Rect rc = Intersect(Rect{ active[i], top, active[i + 1], bottom }, bounds);
        if (rc.IsEmpty())
            continue;
        if (rects.size() == kMaxRegionRects)
            return false;
        rects.push_back(rc);
    }
    return true;
}

// Decodes the inversion data in r into rects. False when it is malformed or too large.
bool DecodeInversions(ByteReader& r, const Rect& bounds, std::vector<Rect>& rects)
{
    std::vector<int32_t> active, toggles, next;
    int32_t bandTop = 0;
    bool first = true;
    int32_t prevY = 0;
    for (;;)
    {
        int16_t y = r.S16();
        if (r.Failed())
            return false;
        if (y == kEndMark)
            break;
        if (!first && y <= prevY)
            return false;
        toggles.clear();
        for (;;)
        {
            int16_t x = r.S16();
            if (r.Failed())
                return false;
            if (x == kEndMark)
                break;
            toggles.push_back(x);
        }
        first = false;
        prevY = y;
        // A point listed twice on one line flips twice: it cancels out.
        std::sort(toggles.begin(), toggles.end());
        size_t kept = 0;
        for (size_t i = 0; i < toggles.size(); i++)
        {
            if (i + 1 < toggles.size() && toggles[i] == toggles[i + 1])
                i++;
            else
                toggles[kept++] = toggles[i];
        }
        toggles.resize(kept);
        if (toggles.empty())
            continue;
        if (!EmitBand(active, bandTop, y, bounds, rects))
            return false;
        next.clear();
        std::set_symmetric_difference(active.begin(), active.end(), toggles.begin(), toggles.end(),
                                      std::back_inserter(next));
        active.swap(next);
        bandTop = y;
    }
    return active.empty();
}

} // namespace

bool ReadRegion(ByteReader& r, Region& region)
{
    uint16_t size = r.U16();
    Rect bounds = ReadRect(r);
    if (r.Failed())
        return false;
    region.bounds = bounds;
    region.rects.clear();
    if (size > 10)
    {
        ByteReader data = r.Sub(size - 10u);
        if (r.Failed())
            return false;
        if (DecodeInversions(data, bounds, region.rects))
            return true;
        region.rects.clear();
    }
    if (!bounds.IsEmpty())
        region.rects.push_back(bounds);
    return true;
}

Region OffsetRegion(const Region& region, int32_t dx, int32_t dy)
{
    Region moved = region;
    auto offset = [&](Rect& rc) {
        rc.left += dx;
        rc.right += dx;
        rc.top += dy;
        rc.bottom += dy;
    };
    offset(moved.bounds);
    for (Rect& rc : moved.rects)
        offset(rc);
    return moved;
}

void EncodeRegion(const std::vector<Rect>& rects, std::vector<uint8_t>& out)
{
    auto put16 = [&](int32_t v) {
        out.push_back((uint8_t)(v >> 8));
        out.push_back((uint8_t)v);
    };
    Rect bounds;
    bool any = false;
    // Each rectangle flips its four corners; corners that two rectangles share cancel.
    std::map<int32_t, std::vector<int32_t>> lines;
    for (const Rect& rc : rects)
    {
        if (rc.IsEmpty())
            continue;
        bounds = any ? Rect{ std::min(bounds.left, rc.left), std::min(bounds.top, rc.top),
                             std::max(bounds.right, rc.right), std::max(bounds.bottom, rc.bottom) }
                     : rc;
        any = true;
        for (int32_t y : { rc.top, rc.bottom })
            for (int32_t x : { rc.left, rc.right })
                lines[y].push_back(x);
    }
    size_t start = out.size();
    put16(0);
    put16(bounds.top);
    put16(bounds.left);
    put16(bounds.bottom);
    put16(bounds.right);
    size_t nonEmpty = 0;
    for (const Rect& rc : rects)
        nonEmpty += rc.IsEmpty() ? 0 : 1;
    if (nonEmpty > 1)
    {
        for (auto& [y, xs] : lines)
        {
            std::sort(xs.begin(), xs.end());
            std::vector<int32_t> flips;
            for (size_t i = 0; i < xs.size(); i++)
            {
                if (i + 1 < xs.size() && xs[i] == xs[i + 1])
                    i++;
                else
                    flips.push_back(xs[i]);
            }
            if (flips.empty())
                continue;
            put16(y);
            for (int32_t x : flips)
                put16(x);
            put16(kEndMark);
        }
        put16(kEndMark);
    }
    size_t size = out.size() - start;
    if (size > 0x7FFF)
        throw std::length_error("region too large for a picture");
    out[start] = (uint8_t)(size >> 8);
    out[start + 1] = (uint8_t)size;
}

} // namespace pict
