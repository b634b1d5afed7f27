// A writer of Macintosh pictures: version 2 (extended header) or version 1, with the
// drawing state, shapes, text and pixel images that the reader plays. Tests, the sample
// generator and benchmarks make their pictures with it.
//
// Each call appends one opcode (the shape calls pick the short and "same" forms where they
// apply, as QuickDraw does). Finish ends the picture and gives its bytes. A call that the
// picture's version cannot express throws std::logic_error; sizes beyond the format's
// fields throw std::length_error.
#pragma once

#include "media/pict/PictTypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace pict {

// An image of palette indices, one byte per pixel, for 1, 2, 4 or 8-bit pixel maps. An
// old-style 1-bit BitMap takes index 1 as black and 0 as white and has no palette.
struct IndexedImage
{
    int32_t width = 0;
    int32_t height = 0;
    int32_t depth = 8;
    std::vector<uint8_t> indices;
    std::vector<Color> palette;
};

// Where an image goes: the part src of it (in the image's pixels, which the picture
// places at boundsOrigin) onto dst, in a QuickDraw transfer mode, through mask when it has
// rectangles.
struct Placement
{
    Rect src;
    Rect dst;
    int32_t mode = 0;  // srcCopy
    Point boundsOrigin;
    std::vector<Rect> mask;
};

enum class ShapeVerb : uint16_t
{
    Frame = 0,
    Paint = 1,
    Erase = 2,
    Invert = 3,
    Fill = 4,
};

class PictWriter
{
public:
    // A picture of the given frame. Version 2 pictures get the extended header with the
    // resolution in dots per inch.
    explicit PictWriter(const Rect& frame, int version = 2, int32_t dpi = 72);

// State
    void ClipRect(const Rect& rect);
    void ClipRegion(const std::vector<Rect>& rects);
    void Origin(int32_t dh, int32_t dv);
    // Version 2: any colour. Version 1: one of QuickDraw's eight colours.
    void ForeColor(Color color);
    void BackColor(Color color);
    void PenSize(int32_t width, int32_t height);
    void PenMode(int32_t mode);
    void PenPattern(const uint8_t (&bits)[8]);
    void FillPattern(const uint8_t (&bits)[8]);
    void BackPattern(const uint8_t (&bits)[8]);
    // Version 2: a pixel pattern that is an RGB colour (a dither pattern).
    void FillColorPattern(Color color);
    // Version 2: a full pixel pattern of an indexed image (it fills with the image's
    // average colour when read).
    void FillPixelPattern(const IndexedImage& image);
    void OvalSize(int32_t width, int32_t height);
    void TextFont(int32_t fontId);
    void TextFontName(int32_t fontId, const std::string& name);
    void TextFace(uint8_t face);
    void TextSize(int32_t size);
    void TextMode(int32_t mode);

// Drawing
    // A line from a to b; LineFrom or a short form when the pen already is at a or the
    // step fits in a byte.
    void Line(Point a, Point b);
    void Rectangle(ShapeVerb verb, const Rect& rect);
    void RoundRect(ShapeVerb verb, const Rect& rect);
    void Oval(ShapeVerb verb, const Rect& rect);
    void Arc(ShapeVerb verb, const Rect& rect, int32_t startAngle, int32_t arcAngle);
    void Polygon(ShapeVerb verb, const std::vector<Point>& points);
    void Region(ShapeVerb verb, const std::vector<Rect>& rects);
    // text (Mac OS Roman bytes, at most 255) with its base line starting at `at`; the
    // relative text opcodes when `at` is a byte's step from the last text.
    void Text(Point at, const std::string& text);

// Images
    // An old 1-bit BitMap (versions 1 and 2): BitsRect(Rgn), or PackBitsRect(Rgn) when packed.
    void BitMap(const IndexedImage& image, const Placement& place, bool packed = true);
    // An indexed pixel map with its colour table (version 2): PackBitsRect(Rgn) with real
    // PackBits rows (pack type 0), or BitsRect(Rgn) when not packed.
    void PixMap(const IndexedImage& image, const Placement& place, bool packed = true);
    // A direct pixel map (version 2), DirectBitsRect(Rgn): pixelSize 16 with pack type 3
    // (or 1), or 32 with pack type 4 (component planes; cmpCount 3, or 4 with an opaque
    // alpha plane first), 2 (no pad byte) or 1.
    void DirectPixMap(const Image& image, const Placement& place, int32_t pixelSize = 32, int32_t packType = 4,
                      int32_t cmpCount = 3);

// Anything else
    void Comment(int32_t kind, const std::vector<uint8_t>& data);
    // An opcode followed by data as given (for reserved opcodes and damaged pictures).
    void Raw(uint16_t opcode, const std::vector<uint8_t>& data);

    // Ends the picture and returns it, after a 512-byte file header of zeros when asked.
    std::vector<uint8_t> Finish(bool fileHeader = false);

private:
    void Opcode(uint16_t opcode);
    void Put8(uint32_t v) { m_out.push_back((uint8_t)v); }
    void Put16(int32_t v);
    void Put32(uint32_t v);
    void PutRect(const Rect& rc);
    void PutPoint(Point p);
    void PutRGB(Color color);
    // A version 1 colour opcode (QuickDraw's eight colours) or a version 2 RGB one.
    void PutColor(uint16_t oldOpcode, uint16_t rgbOpcode, Color color);
    void RequireVersion2(const char* what) const;
    void Shape(uint16_t group, ShapeVerb verb, const Rect& rect);
    void PutPlacement(const Placement& place, const Rect& bounds);
    // An indexed PixMap record and its colour table.
    void PutIndexedPixMap(const IndexedImage& image, const Rect& bounds, int32_t rowBytes);
    // The pixel rows: each row's bytes as stored unpacked, packed with byte counts when
    // `packed` (units of unitSize bytes), else as they are.
    void PutRows(const std::vector<std::vector<uint8_t>>& rows, int32_t rowBytes, bool packed, size_t unitSize);

    std::vector<uint8_t> m_out;
    const int m_version;
    Point m_penLoc;
    Point m_textLoc;
    Rect m_lastRect;
    bool m_hasLastRect = false;
};

} // namespace pict
