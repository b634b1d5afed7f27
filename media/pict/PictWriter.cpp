// The picture writer.
#include "media/pict/PictWriter.h"

#include "media/pict/PackBits.h"
#include "media/pict/PictOpcodes.h"
#include "media/pict/PictRegion.h"

#include <stdexcept>

namespace pict {

namespace {

// QuickDraw's eight colours of version 1 pictures.
int32_t OldColorValue(Color color)
{
    switch (color)
    {
    case kWhite: return 30;
    case kBlack: return 33;
    case 0xFFFF00: return 69;
    case 0xFF00FF: return 137;
    case 0xFF0000: return 205;
    case 0x00FFFF: return 273;
    case 0x00FF00: return 341;
    case 0x0000FF: return 409;
    default: throw std::logic_error("version 1 pictures have eight colours");
    }
}

bool FitsByte(int32_t v)
{
    return v >= -128 && v <= 127;
}

} // namespace

PictWriter::PictWriter(const Rect& frame, int version, int32_t dpi) : m_version(version)
{
    if (version != 1 && version != 2)
        throw std::logic_error("pictures are of version 1 or 2");
    Put16(0);  // the size, set by Finish
    PutRect(frame);
    if (version == 1)
    {
        Put8(op::kVersion);
        Put8(1);
        return;
    }
    Put16(op::kVersion);
    Put16(op::kVersion2);
    Put16(op::kHeaderOp);
    Put16(-2);  // extended version 2
    Put16(0);
    Put32((uint32_t)dpi << 16);
    Put32((uint32_t)dpi << 16);
    PutRect(frame);
    Put32(0);
}

void PictWriter::Put16(int32_t v)
{
    Put8((uint32_t)v >> 8);
    Put8((uint32_t)v);
}

void PictWriter::Put32(uint32_t v)
{
    Put16((int32_t)(v >> 16));
    Put16((int32_t)(v & 0xFFFF));
}

void PictWriter::PutRect(const Rect& rc)
{
    Put16(rc.top);
    Put16(rc.left);
    Put16(rc.bottom);
    Put16(rc.right);
}

void PictWriter::PutPoint(Point p)
{
    Put16(p.y);
    Put16(p.x);
}

void PictWriter::PutRGB(Color color)
{
    for (int shift = 16; shift >= 0; shift -= 8)
        Put16((int32_t)((color >> shift) & 0xFF) * 0x101);
}

void PictWriter::RequireVersion2(const char* what) const
{
    if (m_version != 2)
        throw std::logic_error(what);
}

void PictWriter::Opcode(uint16_t opcode)
{
    if (m_version == 1)
    {
        if (opcode > 0xFF)
            throw std::logic_error("version 1 opcodes are bytes");
        Put8(opcode);
        return;
    }
    // Opcodes sit on even offsets.
    if (m_out.size() % 2 != 0)
        Put8(0);
    Put16(opcode);
}

void PictWriter::ClipRect(const Rect& rect)
{
    ClipRegion({ rect });
}

void PictWriter::ClipRegion(const std::vector<Rect>& rects)
{
    Opcode(op::kClip);
    EncodeRegion(rects, m_out);
}

void PictWriter::Origin(int32_t dh, int32_t dv)
{
    Opcode(op::kOrigin);
    Put16(dh);
    Put16(dv);
}

void PictWriter::PutColor(uint16_t oldOpcode, uint16_t rgbOpcode, Color color)
{
    if (m_version == 1)
    {
        Opcode(oldOpcode);
        Put32((uint32_t)OldColorValue(color));
        return;
    }
    Opcode(rgbOpcode);
    PutRGB(color);
}

void PictWriter::ForeColor(Color color)
{
    PutColor(op::kFgColor, op::kRGBFgCol, color);
}

void PictWriter::BackColor(Color color)
{
    PutColor(op::kBkColor, op::kRGBBkCol, color);
}

void PictWriter::PenSize(int32_t width, int32_t height)
{
    Opcode(op::kPnSize);
    PutPoint(Point{ width, height });
}

void PictWriter::PenMode(int32_t mode)
{
    Opcode(op::kPnMode);
    Put16(mode);
}

void PictWriter::PenPattern(const uint8_t (&bits)[8])
{
    Opcode(op::kPnPat);
    m_out.insert(m_out.end(), bits, bits + 8);
}

void PictWriter::FillPattern(const uint8_t (&bits)[8])
{
    Opcode(op::kFillPat);
    m_out.insert(m_out.end(), bits, bits + 8);
}

void PictWriter::BackPattern(const uint8_t (&bits)[8])
{
    Opcode(op::kBkPat);
    m_out.insert(m_out.end(), bits, bits + 8);
}

void PictWriter::FillColorPattern(Color color)
{
    RequireVersion2("pixel patterns need version 2");
    Opcode(op::kFillPixPat);
    Put16(2);  // a dither pattern
    for (int i = 0; i < 8; i++)
        Put8(0xAA >> (i % 2));
    PutRGB(color);
}

void PictWriter::OvalSize(int32_t width, int32_t height)
{
    Opcode(op::kOvSize);
    PutPoint(Point{ width, height });
}

void PictWriter::TextFont(int32_t fontId)
{
    Opcode(op::kTxFont);
    Put16(fontId);
}

void PictWriter::TextFontName(int32_t fontId, const std::string& name)
{
    RequireVersion2("font names need version 2");
    if (name.size() > 255)
        throw std::length_error("font name longer than 255");
    Opcode(op::kFontName);
    Put16((int32_t)(3 + name.size()));
    Put16(fontId);
    Put8((uint32_t)name.size());
    m_out.insert(m_out.end(), name.begin(), name.end());
}

void PictWriter::TextFace(uint8_t face)
{
    Opcode(op::kTxFace);
    Put8(face);
}

void PictWriter::TextSize(int32_t size)
{
    Opcode(op::kTxSize);
    Put16(size);
}

void PictWriter::TextMode(int32_t mode)
{
    Opcode(op::kTxMode);
    Put16(mode);
}

void PictWriter::Line(Point a, Point b)
{
    const int32_t dh = b.x - a.x, dv = b.y - a.y;
    const bool fromPen = a.x == m_penLoc.x && a.y == m_penLoc.y;
    const bool small = FitsByte(dh) && FitsByte(dv);
    Opcode(fromPen ? (small ? op::kShortLineFrom : op::kLineFrom) : (small ? op::kShortLine : op::kLine));
    if (!fromPen)
        PutPoint(a);
    if (small)
    {
        Put8((uint32_t)dh);
        Put8((uint32_t)dv);
    }
    else
        PutPoint(b);
    m_penLoc = b;
}

void PictWriter::Shape(uint16_t group, ShapeVerb verb, const Rect& rect)
{
    const bool same = m_hasLastRect && rect.left == m_lastRect.left && rect.top == m_lastRect.top &&
                      rect.right == m_lastRect.right && rect.bottom == m_lastRect.bottom;
    Opcode((uint16_t)(group + (same ? 8 : 0) + (uint16_t)verb));
    if (!same)
        PutRect(rect);
    m_lastRect = rect;
    m_hasLastRect = true;
}

void PictWriter::Rectangle(ShapeVerb verb, const Rect& rect)
{
    Shape(op::kFrameRect, verb, rect);
}

void PictWriter::RoundRect(ShapeVerb verb, const Rect& rect)
{
    Shape(op::kFrameRRect, verb, rect);
}

void PictWriter::Oval(ShapeVerb verb, const Rect& rect)
{
    Shape(op::kFrameOval, verb, rect);
}

void PictWriter::Arc(ShapeVerb verb, const Rect& rect, int32_t startAngle, int32_t arcAngle)
{
    Shape(op::kFrameArc, verb, rect);
    Put16(startAngle);
    Put16(arcAngle);
}

void PictWriter::Polygon(ShapeVerb verb, const std::vector<Point>& points)
{
    const size_t size = 10 + 4 * points.size();
    if (size > 0x7FFF)
        throw std::length_error("polygon too large for a picture");
    Rect box;
    for (size_t i = 0; i < points.size(); i++)
    {
        const Point p = points[i];
        box = i == 0 ? Rect{ p.x, p.y, p.x, p.y }
                     : Rect{ std::min(box.left, p.x), std::min(box.top, p.y), std::max(box.right, p.x),
                             std::max(box.bottom, p.y) };
    }
    Opcode((uint16_t)(op::kFramePoly + (uint16_t)verb));
    Put16((int32_t)size);
    PutRect(box);
    for (Point p : points)
        PutPoint(p);
}

void PictWriter::Region(ShapeVerb verb, const std::vector<Rect>& rects)
{
    Opcode((uint16_t)(op::kFrameRgn + (uint16_t)verb));
    EncodeRegion(rects, m_out);
}

void PictWriter::Text(Point at, const std::string& text)
{
    if (text.size() > 255)
        throw std::length_error("text longer than 255");
    const int32_t dh = at.x - m_textLoc.x, dv = at.y - m_textLoc.y;
    const bool relative = dh >= 0 && dh <= 255 && dv >= 0 && dv <= 255;
    if (!relative)
    {
        Opcode(op::kLongText);
        PutPoint(at);
    }
    else if (dv == 0)
    {
        Opcode(op::kDHText);
        Put8((uint32_t)dh);
    }
    else if (dh == 0)
    {
        Opcode(op::kDVText);
        Put8((uint32_t)dv);
    }
    else
    {
        Opcode(op::kDHDVText);
        Put8((uint32_t)dh);
        Put8((uint32_t)dv);
    }
    Put8((uint32_t)text.size());
    m_out.insert(m_out.end(), text.begin(), text.end());
    m_textLoc = at;
}

void PictWriter::PutPlacement(const Placement& place, const Rect& bounds)
{
    auto offset = [&](const Rect& rc) {
        return Rect{ rc.left + bounds.left, rc.top + bounds.top, rc.right + bounds.left, rc.bottom + bounds.top };
    };
    PutRect(offset(place.src));
    PutRect(place.dst);
    Put16(place.mode);
    if (!place.mask.empty())
        EncodeRegion(place.mask, m_out);
}

void PictWriter::PutRows(const std::vector<std::vector<uint8_t>>& rows, int32_t rowBytes, bool packed, size_t unitSize)
{
    if (!packed || rowBytes < 8)
    {
        for (const std::vector<uint8_t>& row : rows)
            m_out.insert(m_out.end(), row.begin(), row.end());
        return;
    }
    std::vector<uint8_t> code;
    for (const std::vector<uint8_t>& row : rows)
    {
        code.clear();
        PackBits(row.data(), row.size(), unitSize, code);
        if (rowBytes > 250)
            Put16((int32_t)code.size());
        else
        {
            if (code.size() > 255)
                throw std::length_error("packed row longer than its byte count");
            Put8((uint32_t)code.size());
        }
        m_out.insert(m_out.end(), code.begin(), code.end());
    }
}

namespace {

// The rows of an indexed image as stored: depth bits per pixel, first pixel in the high bits.
std::vector<std::vector<uint8_t>> IndexedRows(const IndexedImage& image, int32_t rowBytes)
{
    std::vector<std::vector<uint8_t>> rows((size_t)image.height, std::vector<uint8_t>((size_t)rowBytes));
    const int32_t d = image.depth;
    for (int32_t y = 0; y < image.height; y++)
        for (int32_t x = 0; x < image.width; x++)
        {
            uint32_t value = image.indices[(size_t)y * image.width + x] & ((1u << d) - 1);
            uint32_t bit = (uint32_t)(x * d);
            rows[y][bit >> 3] |= (uint8_t)(value << (8 - d - (bit & 7)));
        }
    return rows;
}

int32_t EvenRowBytes(int64_t bits)
{
    int64_t bytes = (bits + 15) / 16 * 2;
    if (bytes >= 0x4000)
        throw std::length_error("rows too long for a picture");
    return (int32_t)bytes;
}

void CheckIndexed(const IndexedImage& image)
{
    if (image.width <= 0 || image.height <= 0 || image.indices.size() != (size_t)image.width * image.height)
        throw std::logic_error("indexed image without its pixels");
}

} // namespace

void PictWriter::BitMap(const IndexedImage& image, const Placement& place, bool packed)
{
    CheckIndexed(image);
    IndexedImage bits = image;
    bits.depth = 1;
    const int32_t rowBytes = EvenRowBytes(image.width);
    const Rect bounds{ place.boundsOrigin.x, place.boundsOrigin.y, place.boundsOrigin.x + image.width,
                       place.boundsOrigin.y + image.height };
    const bool withMask = !place.mask.empty();
    Opcode((uint16_t)((packed ? op::kPackBitsRect : op::kBitsRect) + (withMask ? 1 : 0)));
    Put16(rowBytes);
    PutRect(bounds);
    PutPlacement(place, bounds);
    PutRows(IndexedRows(bits, rowBytes), rowBytes, packed, 1);
}

void PictWriter::PutIndexedPixMap(const IndexedImage& image, const Rect& bounds, int32_t rowBytes)
{
    CheckIndexed(image);
    if (image.depth != 1 && image.depth != 2 && image.depth != 4 && image.depth != 8)
        throw std::logic_error("indexed pixels are of 1, 2, 4 or 8 bits");
    Put16(0x8000 | rowBytes);
    PutRect(bounds);
    Put16(0);               // pmVersion
    Put16(0);               // packType
    Put32(0);               // packSize
    Put32(72u << 16);       // hRes
    Put32(72u << 16);       // vRes
    Put16(0);               // pixelType: indexed
    Put16(image.depth);     // pixelSize
    Put16(1);               // cmpCount
    Put16(image.depth);     // cmpSize
    Put32(0);               // planeBytes
    Put32(0);               // pmTable
    Put32(0);               // pmReserved
    // The colour table, indexed by value.
    Put32(0);
    Put16(0);
    Put16((int32_t)image.palette.size() - 1);
    for (size_t i = 0; i < image.palette.size(); i++)
    {
        Put16((int32_t)i);
        PutRGB(image.palette[i]);
    }
}

void PictWriter::PixMap(const IndexedImage& image, const Placement& place, bool packed)
{
    RequireVersion2("pixel maps need version 2");
    const int32_t rowBytes = EvenRowBytes((int64_t)image.width * image.depth);
    const Rect bounds{ place.boundsOrigin.x, place.boundsOrigin.y, place.boundsOrigin.x + image.width,
                       place.boundsOrigin.y + image.height };
    const bool withMask = !place.mask.empty();
    Opcode((uint16_t)((packed ? op::kPackBitsRect : op::kBitsRect) + (withMask ? 1 : 0)));
    PutIndexedPixMap(image, bounds, rowBytes);
    PutPlacement(place, bounds);
    PutRows(IndexedRows(image, rowBytes), rowBytes, packed, 1);
}

void PictWriter::FillPixelPattern(const IndexedImage& image)
{
    RequireVersion2("pixel patterns need version 2");
    const int32_t rowBytes = EvenRowBytes((int64_t)image.width * image.depth);
    Opcode(op::kFillPixPat);
    Put16(1);  // a full pixel pattern
    for (int i = 0; i < 8; i++)
        Put8(0xAA >> (i % 2));
    PutIndexedPixMap(image, Rect{ 0, 0, image.width, image.height }, rowBytes);
    PutRows(IndexedRows(image, rowBytes), rowBytes, true, 1);
}

void PictWriter::DirectPixMap(const Image& image, const Placement& place, int32_t pixelSize, int32_t packType,
                              int32_t cmpCount)
{
    RequireVersion2("direct pixel maps need version 2");
    const int32_t w = image.width, h = image.height;
    if (w <= 0 || h <= 0 || image.pixels.size() != (size_t)w * h)
        throw std::logic_error("image without its pixels");
    const bool valid = pixelSize == 16 ? (packType == 3 || packType == 1)
                     : pixelSize == 32 ? (packType == 4 && (cmpCount == 3 || cmpCount == 4)) || packType == 2 || packType == 1
                                       : false;
    if (!valid)
        throw std::logic_error("direct pixels are 16-bit (pack type 1 or 3) or 32-bit (1, 2 or 4)");
    const int32_t rowBytes = EvenRowBytes((int64_t)w * pixelSize);
    const bool planes = pixelSize == 32 && packType == 4 && rowBytes >= 8;
    std::vector<std::vector<uint8_t>> rows((size_t)h);
    for (int32_t y = 0; y < h; y++)
    {
        std::vector<uint8_t>& row = rows[y];
        const uint32_t* px = image.pixels.data() + (size_t)y * w;
        if (pixelSize == 16)
        {
            for (int32_t x = 0; x < w; x++)
            {
                uint32_t v = (px[x] >> 9 & 0x7C00) | (px[x] >> 6 & 0x03E0) | (px[x] >> 3 & 0x001F);
                row.push_back((uint8_t)(v >> 8));
                row.push_back((uint8_t)v);
            }
        }
        else if (planes)
        {
            row.resize((size_t)cmpCount * w);
            uint8_t* red = row.data() + (cmpCount == 4 ? w : 0);
            if (cmpCount == 4)
                std::fill(row.begin(), row.begin() + w, 0xFF);
            for (int32_t x = 0; x < w; x++)
            {
                red[x] = (uint8_t)(px[x] >> 16);
                red[w + x] = (uint8_t)(px[x] >> 8);
                red[2 * w + x] = (uint8_t)px[x];
            }
        }
        else if (packType == 2 && rowBytes >= 8)
        {
            for (int32_t x = 0; x < w; x++)
                for (int shift = 16; shift >= 0; shift -= 8)
                    row.push_back((uint8_t)(px[x] >> shift));
        }
        else
        {
            for (int32_t x = 0; x < w; x++)
            {
                row.push_back(0);
                for (int shift = 16; shift >= 0; shift -= 8)
                    row.push_back((uint8_t)(px[x] >> shift));
            }
        }
    }
    const Rect bounds{ place.boundsOrigin.x, place.boundsOrigin.y, place.boundsOrigin.x + w, place.boundsOrigin.y + h };
    const bool withMask = !place.mask.empty();
    Opcode((uint16_t)(op::kDirectBitsRect + (withMask ? 1 : 0)));
    Put32(0x000000FF);  // base address
    Put16(0x8000 | rowBytes);
    PutRect(bounds);
    Put16(0);               // pmVersion
    Put16(packType);
    Put32(0);               // packSize
    Put32(72u << 16);       // hRes
    Put32(72u << 16);       // vRes
    Put16(16);              // pixelType: direct
    Put16(pixelSize);
    Put16(pixelSize == 16 ? 3 : cmpCount);
    Put16(pixelSize == 16 ? 5 : 8);
    Put32(0);               // planeBytes
    Put32(0);               // pmTable
    Put32(0);               // pmReserved
    PutPlacement(place, bounds);
    PutRows(rows, rowBytes, packType == 3 || packType == 4, pixelSize == 16 ? 2 : 1);
}

void PictWriter::Comment(int32_t kind, const std::vector<uint8_t>& data)
{
    if (data.size() > 0xFFFF)
        throw std::length_error("comment longer than 65535");
    Opcode(op::kLongComment);
    Put16(kind);
    Put16((int32_t)data.size());
    m_out.insert(m_out.end(), data.begin(), data.end());
}

void PictWriter::Raw(uint16_t opcode, const std::vector<uint8_t>& data)
{
    Opcode(opcode);
    m_out.insert(m_out.end(), data.begin(), data.end());
}

std::vector<uint8_t> PictWriter::Finish(bool fileHeader)
{
    Opcode(op::kOpEndPic);
    m_out[0] = (uint8_t)(m_out.size() >> 8);
    m_out[1] = (uint8_t)m_out.size();
    std::vector<uint8_t> out;
    if (fileHeader)
        out.assign(512, 0);
    out.insert(out.end(), m_out.begin(), m_out.end());
    return out;
}

} // namespace pict
