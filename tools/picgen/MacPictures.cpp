// picgen's Macintosh pictures, written by the picture writer of the media library.
#include "Samples.h"

#include "media/pict/PictWriter.h"

#include <memory>

namespace {

void WriteBytes(const CString& strPath, const std::vector<uint8_t>& bytes)
{
    CFile file(strPath, CFile::modeCreate | CFile::modeWrite);
    file.Write(bytes.data(), (UINT)bytes.size());
}

pict::Rect FrameOf(const CImage& image) { return {0, 0, image.Width(), image.Height()}; }

// The landscape in direct colour: 32-bit pixels in component planes (pack type 4).
std::vector<uint8_t> DirectPhoto(const CImage& landscape)
{
    pict::Image image;
    image.width = landscape.Width();
    image.height = landscape.Height();
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            image.pixels.push_back(landscape.RGBAt(x, y));
    pict::PictWriter writer(FrameOf(landscape));
    writer.ClipRect(FrameOf(landscape));
    pict::Placement place;
    place.src = place.dst = FrameOf(landscape);
    writer.DirectPixMap(image, place);
    return writer.Finish(true);
}

// The landscape reduced to 256 colours of its own, in PackBits rows of 8-bit indices.
std::vector<uint8_t> PackedPhoto(const CImage& landscape)
{
    HDIB h24 = landscape.ToDIB();
    HDIB h8 = ChangeDIBFormat(h24, 8, BI_RGB, NULL);
    ::GlobalFree(h24);
    if (h8 == NULL)
        AfxThrowMemoryException();
    pict::IndexedImage image;
    image.width = landscape.Width();
    image.height = landscape.Height();
    image.depth = 8;
    const BYTE* pDIB = static_cast<const BYTE*>(::GlobalLock(h8));
    DIBINFO info;
    if (!ValidateDIB(pDIB, ::GlobalSize(h8), &info))
    {
        ::GlobalUnlock(h8);
        ::GlobalFree(h8);
        AfxThrowMemoryException();
    }
    const RGBQUAD* pTable = reinterpret_cast<const RGBQUAD*>(pDIB + info.cbHeader);
    for (DWORD i = 0; i < info.nColors; ++i)
        image.palette.push_back((pict::Color)pTable[i].rgbRed << 16 | pTable[i].rgbGreen << 8 | pTable[i].rgbBlue);
    const BYTE* pBits = pDIB + info.cbHeader + info.cbColorTable;
    for (int y = 0; y < image.height; ++y)
    {
        const BYTE* pRow = pBits + (size_t)(image.height - 1 - y) * info.cbRow;
        image.indices.insert(image.indices.end(), pRow, pRow + image.width);
    }
    ::GlobalUnlock(h8);
    ::GlobalFree(h8);

    pict::PictWriter writer(FrameOf(landscape));
    writer.ClipRect(FrameOf(landscape));
    pict::Placement place;
    place.src = place.dst = FrameOf(landscape);
    writer.PixMap(image, place);
    return writer.Finish(true);
}

// A house with a red roof, a door and windows, a tree, a sun and a rainbow over a lawn,
// with a caption: each of QuickDraw's shapes, framed and painted.
std::vector<uint8_t> Drawing()
{
    const pict::Rect frame{0, 0, 240, 180};
    pict::PictWriter writer(frame);
    writer.ClipRect(frame);
    using pict::ShapeVerb;
    writer.ForeColor(0xBFE3FF);                                     // sky
    writer.Rectangle(ShapeVerb::Paint, {0, 0, 240, 130});
    writer.ForeColor(0x58B947);                                     // lawn
    writer.Rectangle(ShapeVerb::Paint, {0, 130, 240, 180});
    writer.PenSize(4, 4);
    const pict::Rect rainbow{120, 40, 236, 156};
    const pict::Color bands[] = {0xE03030, 0xF0A020, 0xF0E040, 0x40B040, 0x3060E0};
    for (int i = 0; i < 5; ++i)
    {
        writer.ForeColor(bands[i]);
        writer.Arc(ShapeVerb::Frame, {rainbow.left + 4 * i, rainbow.top + 4 * i, rainbow.right - 4 * i,
                                      rainbow.bottom - 4 * i}, -90, 180);
    }
    writer.PenSize(1, 1);
    writer.ForeColor(0xFFD21F);                                     // the sun
    writer.Oval(ShapeVerb::Paint, {16, 12, 52, 48});
    writer.ForeColor(0xE08000);
    writer.Oval(ShapeVerb::Frame, {16, 12, 52, 48});
    writer.ForeColor(0xF2E6C9);                                     // the house
    writer.Rectangle(ShapeVerb::Paint, {40, 90, 120, 150});
    writer.ForeColor(0x000000);
    writer.PenSize(2, 2);
    writer.Rectangle(ShapeVerb::Frame, {40, 90, 120, 150});
    writer.ForeColor(0xC0392B);                                     // its roof
    writer.Polygon(ShapeVerb::Paint, {{34, 92}, {80, 56}, {126, 92}, {34, 92}});
    writer.ForeColor(0x000000);
    writer.Polygon(ShapeVerb::Frame, {{34, 92}, {80, 56}, {126, 92}, {34, 92}});
    writer.OvalSize(10, 10);
    writer.ForeColor(0x7B4A2A);                                     // the door
    writer.RoundRect(ShapeVerb::Paint, {70, 116, 90, 150});
    writer.ForeColor(0x000000);
    writer.RoundRect(ShapeVerb::Frame, {70, 116, 90, 150});
    writer.ForeColor(0x9AD0F5);                                     // a window
    writer.Rectangle(ShapeVerb::Paint, {48, 100, 64, 116});
    writer.ForeColor(0x000000);
    writer.Rectangle(ShapeVerb::Frame, {48, 100, 64, 116});
    writer.Line({56, 100}, {56, 116});
    writer.Line({48, 108}, {64, 108});
    writer.ForeColor(0x6B3E1F);                                     // the tree
    writer.Rectangle(ShapeVerb::Paint, {176, 120, 186, 160});
    writer.ForeColor(0x2E8B2E);
    writer.Oval(ShapeVerb::Paint, {160, 84, 202, 128});
    writer.ForeColor(0x000000);
    writer.TextFontName(2, "Helvetica");
    writer.TextSize(14);
    writer.TextFace(pict::kFaceBold);
    writer.Text({84, 174}, "Home");
    return writer.Finish(true);
}

} // namespace

void WriteMacPictures(const CString& strFolder, const CImage& landscape)
{
    WriteBytes(strFolder + "\\landscape-packed.pct", PackedPhoto(landscape));
    WriteBytes(strFolder + "\\landscape-direct.pct", DirectPhoto(landscape));
    WriteBytes(strFolder + "\\drawing.pct", Drawing());
}
