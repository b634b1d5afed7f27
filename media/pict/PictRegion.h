// QuickDraw regions as pictures store them, decoded into rectangles.
//
// A region is its size in bytes (a word, counting itself and the bounds), its bounding
// rectangle, and for a region that is not a rectangle, inversion data: for each scan line
// where the region's outline changes, the line's v, then the h of each point where being
// inside flips from that line down, then 0x7FFF; a last 0x7FFF ends the data.
#pragma once

#include "media/pict/ByteReader.h"
#include "media/pict/PictTypes.h"

namespace pict {

// Reads a region at r into region. Returns false when the region's size does not fit in
// the bytes (r then fails); a size below 10 counts as 10, a rectangle's. Inversion data that is malformed (lines out of order, points
// left open at the end, a line without its end mark) or that decodes into more than
// kMaxRegionRects rectangles leaves the region as its bounding rectangle alone: the
// region's extent is known and drawing stays within it.
bool ReadRegion(ByteReader& r, Region& region);

// region moved by (dx, dy).
Region OffsetRegion(const Region& region, int32_t dx, int32_t dy);

// Turns rectangles into a region's inversion data and bounds (the writer's form of a
// region). rects must be disjoint.
void EncodeRegion(const std::vector<Rect>& rects, std::vector<uint8_t>& out);

} // namespace pict
