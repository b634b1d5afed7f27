// The values that a Macintosh picture (PICT) describes, as the picture reader hands them
// to its sink: points, rectangles, regions, colours, pens, fonts and decoded pixel images.
//
// Coordinates are picture coordinates: those of the picture's frame, in which the frame's
// top-left corner need not be (0, 0). The reader has already applied every origin change
// the picture made. A picture's coordinates are 16-bit, so an int32_t holds every sum or
// difference of two of them without overflow.
//
// Rectangles are QuickDraw rectangles: left and top are inside, right and bottom are the
// first column and row outside, as in a GDI RECT.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pict {

struct Point
{
    int32_t x = 0;
    int32_t y = 0;
};

struct Rect
{
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
};

// The rectangle that a and b share (empty when they do not overlap).
inline Rect Intersect(const Rect& a, const Rect& b)
{
    return Rect{ a.left > b.left ? a.left : b.left, a.top > b.top ? a.top : b.top,
                 a.right < b.right ? a.right : b.right, a.bottom < b.bottom ? a.bottom : b.bottom };
}

// A region: its bounding rectangle and the disjoint rectangles whose union it is, in
// bands from top to bottom and left to right within a band. A rectangular region has its
// bounds as its one rectangle; an empty region has no rectangles.
struct Region
{
    Rect bounds;
    std::vector<Rect> rects;
};

// A colour as 0x00RRGGBB.
using Color = uint32_t;

constexpr Color kBlack = 0x000000;
constexpr Color kWhite = 0xFFFFFF;

// A decoded pixel image of width * height pixels, rows top-down, held one of two ways:
//   - direct: pixels, each 0x00RRGGBB; in memory the bytes B, G, R, 0, the layout of a
//     32-bit top-down DIB (images of 16 and 32 bits, and decompressed ones);
//   - indexed: indices, one byte per pixel, into palette, 256 colours (images of 1, 2, 4
//     and 8 bits, whose colours a sink may keep as a colour table).
// The other way's vectors are empty.
struct Image
{
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;
    std::vector<uint8_t> indices;
    std::vector<uint32_t> palette;

    bool IsIndexed() const { return !indices.empty(); }
    // No pixels at all.
    bool IsEmpty() const { return pixels.empty() && indices.empty(); }
    // Whether the pixels (or indices, with a full palette) are exactly width * height.
    bool IsWhole() const
    {
        const size_t count = (size_t)width * (size_t)height;
        return IsIndexed() ? indices.size() == count && palette.size() == 256 : pixels.size() == count;
    }
    // The colour of pixel i (of a whole image).
    uint32_t At(size_t i) const { return IsIndexed() ? palette[indices[i]] : pixels[i]; }
    // The pixels as direct colours.
    std::vector<uint32_t> DirectPixels() const
    {
        if (!IsIndexed())
            return pixels;
        std::vector<uint32_t> direct(indices.size());
        for (size_t i = 0; i < indices.size(); i++)
            direct[i] = palette[indices[i]];
        return direct;
    }
};

// How a shape is drawn, with QuickDraw's patterns and transfer modes already resolved:
//   Frame  - its outline, with a rectangular pen of penWidth x penHeight pixels, in color.
//            A frame lies inside the shape's rectangle; a line's pen hangs to the right of
//            and below the line's points (the pen's top-left corner follows the line).
//   Fill   - its inside, in color (QuickDraw's paint, erase and fill).
//   Invert - its inside, or for a frame or a line the pen's path, with every pixel's
//            colour inverted.
// An outline drawn in the inverting pen mode arrives as an Invert with isFrame set.
enum class Verb
{
    Frame,
    Fill,
    Invert,
};

struct Style
{
    Verb verb = Verb::Fill;
    Color color = kBlack;
    // For Frame, and for Invert with isFrame: the pen's size (both at least 1).
    int32_t penWidth = 1;
    int32_t penHeight = 1;
    bool isFrame = false;
};

// QuickDraw's text styles (the face bits), as the picture gives them.
enum FaceBits : uint8_t
{
    kFaceBold = 0x01,
    kFaceItalic = 0x02,
    kFaceUnderline = 0x04,
    kFaceOutline = 0x08,
    kFaceShadow = 0x10,
    kFaceCondense = 0x20,
    kFaceExtend = 0x40,
};

struct Font
{
    // The font's name when the picture named it (FontName), otherwise empty; fontId is the
    // Macintosh font number (0 the system font, 1 the application font, ...).
    std::string name;
    int32_t fontId = 0;
    // The size in picture pixels (points at 72 dpi); 0 means the default size, 12.
    int32_t size = 12;
    uint8_t face = 0;
    Color color = kBlack;
    // Drawn over a rectangle of backColor (text mode srcCopy) rather than transparently.
    bool opaque = false;
    Color backColor = kWhite;
};

// How an image's pixels combine with what is under them.
//   Copy        - every pixel replaces the destination's (QuickDraw's srcCopy, notSrcCopy
//                 and the arithmetic modes).
//   Transparent - pixels of kWhite leave the destination as it was; the others replace it
//                 (srcOr, notSrcOr and the transparent mode).
//   Invert      - pixels of kBlack invert the destination, the others leave it (srcXor,
//                 notSrcXor).
// The "not" modes arrive with the image's pixels already inverted. Images in the srcBic
// and notSrcBic modes are not drawn.
enum class Transfer
{
    Copy,
    Transparent,
    Invert,
};

} // namespace pict
