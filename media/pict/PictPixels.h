// The pixel images of a picture's bitmap opcodes and pixel patterns: the header of a
// BitMap or PixMap record, the colour table, and the pixel data in every packing, decoded
// into 0x00RRGGBB pixels.
#pragma once

#include "media/pict/ByteReader.h"
#include "media/pict/PictTypes.h"

#include <vector>

namespace pict {

struct PixMapInfo
{
    // A PixMap record (rowBytes' high bit set) rather than an old 1-bit BitMap.
    bool isPixMap = false;
    // Bytes per unpacked row, flag bits removed.
    int32_t rowBytes = 0;
    Rect bounds;
    int32_t packType = 0;
    int32_t pixelSize = 1;
    int32_t cmpCount = 1;
};

enum class PixelsResult
{
    Ok,
    // The data ran out, or the record contradicts itself (rows narrower than the pixels).
    Damaged,
    // A pixel size, pack type or component count that does not exist, or more than
    // kMaxPixels pixels: the data's length cannot be known.
    Refused,
};

// Reads rowBytes and bounds, and when rowBytes says it is one, the rest of a PixMap record
// (without its base address). False when the bytes run out.
bool ReadPixMapHeader(ByteReader& r, PixMapInfo& pm);

// Reads a colour table into palette, 256 colours indexed by pixel value (entries beyond
// the table are black). A table with the device flag is indexed by position.
bool ReadColorTable(ByteReader& r, std::vector<Color>& palette);

// The colours of indexed pixels without a colour table: an old BitMap's white (0) and
// black (1), or a grey ramp from white to black for deeper pixels.
std::vector<Color> DefaultPalette(int32_t pixelSize);

// Reads pm's pixel data into image (width x height of pm.bounds): indexed pixel sizes as
// indices with palette (256 colours) as the image's palette, direct ones as pixels.
// packed: the rows follow the packing rules (rowBytes < 8 unpacked, otherwise by pack
// type with a byte count per row); otherwise each row is rowBytes bytes as they are. An
// image with no rows is Ok and empty.
PixelsResult ReadPixels(ByteReader& r, const PixMapInfo& pm, const std::vector<Color>& palette, bool packed,
                        Image& image);

} // namespace pict
