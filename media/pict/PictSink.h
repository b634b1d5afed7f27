// The drawing interface through which the picture reader plays a picture: an
// implementation draws on a device, records, or only checks what it is given.
//
// Every coordinate is a picture coordinate (PictTypes.h); the sink maps the picture's
// frame onto its destination. What the reader passes by reference lives only for the
// call. A sink must not throw out of these calls unless its caller of ReadPicture is
// prepared to catch: the reader keeps no state that an exception would corrupt.
#pragma once

#include "media/pict/PictTypes.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace pict {

// QuickTime-compressed image data (CompressedQuickTime, opcode 0x8200) as the picture
// holds it. The reader does not decompress it; a sink that can, draws it.
struct CompressedImage
{
    // The codec's four-character code, first character in the high byte ('jpeg' is
    // 0x6A706567).
    uint32_t codecType = 0;
    // The image's size in pixels, from its image description.
    int32_t width = 0;
    int32_t height = 0;
    // Its pixel depth as the image description gives it (24 for a colour JPEG, 40 for a
    // grey one).
    int32_t depth = 0;
    // The compressed bytes, exactly as long as the image description says.
    const uint8_t* data = nullptr;
    size_t size = 0;
    // Where the image lands: the opcode's source rectangle (the image's bounds (0, 0,
    // width, height) when it gives none) carried through the opcode's matrix, when that
    // matrix only scales and translates. Without such a matrix dstKnown is false and dst
    // is the source rectangle itself.
    Rect dst;
    bool dstKnown = false;
    Transfer transfer = Transfer::Copy;
    // The mask region when the opcode carried one, in picture coordinates.
    const Region* mask = nullptr;
};

class PictSink
{
public:
    virtual ~PictSink() = default;

    // The region outside which nothing is drawn from now on. Until the first call the
    // sink clips to the picture's frame (ReadPictHeader gives it). An origin change moves
    // the clip and comes as another call.
    virtual void SetClip(const Region& clip) = 0;

    // A line from a to b, always drawn as a frame (Style::verb Frame, or Invert with
    // isFrame). A line from a point to itself covers the pen's rectangle at that point.
    virtual void DrawLine(Point a, Point b, const Style& style) = 0;

    virtual void DrawRect(const Rect& rect, const Style& style) = 0;
    // ovalWidth and ovalHeight: the size of the ellipse that rounds each corner.
    virtual void DrawRoundRect(const Rect& rect, int32_t ovalWidth, int32_t ovalHeight,
                               const Style& style) = 0;
    virtual void DrawOval(const Rect& rect, const Style& style) = 0;
    // A part of the oval inscribed in rect. Angles are in degrees, 0 at twelve o'clock,
    // increasing clockwise; arcAngle may be negative (counter-clockwise). Framed, it is the
    // arc alone; filled or inverted, it is the wedge between the arc and the centre.
    virtual void DrawArc(const Rect& rect, int32_t startAngle, int32_t arcAngle, const Style& style) = 0;
    // A polygon of at least two points; framed, its outline is open unless the last point
    // repeats the first.
    virtual void DrawPolygon(const std::vector<Point>& points, const Style& style) = 0;
    virtual void DrawRegion(const Region& region, const Style& style) = 0;

    // text (Windows-1252, converted from the picture's Mac OS Roman) with its base line's
    // left end at `at`.
    virtual void DrawString(Point at, const std::string& text, const Font& font) = 0;

    // The part src of image (in the image's pixels, inside 0..width, 0..height and not
    // empty) stretched onto dst; only where mask is, when mask is not null.
    virtual void DrawImage(const Image& image, const Rect& src, const Rect& dst, const Region* mask,
                           Transfer transfer) = 0;

    // A compressed image. A sink that cannot decompress it ignores it.
    virtual void DrawCompressed(const CompressedImage& image) = 0;
};

} // namespace pict
