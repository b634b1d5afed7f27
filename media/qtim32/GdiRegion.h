// Regions of a picture on a GDI device context: rectangles as path figures and clips,
// and the frame QuickDraw draws just inside a region.
#pragma once

#include "media/pict/PictTypes.h"

#include <windows.h>

#include <vector>

// Adds each rectangle (picture coordinates) to the open path of hdc as a closed figure.
void AddRectsToPath(HDC hdc, const std::vector<pict::Rect>& rects);

// Intersects hdc's clip with the union of the rectangles; with none, nothing is drawn
// until the clip is selected again.
void IntersectClipWithRects(HDC hdc, const std::vector<pict::Rect>& rects);

// The rectangles of the band inside the region that a pen of penWidth x penHeight covers
// when it frames the region: the region less the region inset by the pen on every side.
std::vector<pict::Rect> RegionFrameRects(const pict::Region& region, int32_t penWidth, int32_t penHeight);
