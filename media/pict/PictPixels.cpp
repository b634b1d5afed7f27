// Decoding of picture pixel images.
#include "media/pict/PictPixels.h"

#include "media/pict/PackBits.h"
#include "media/pict/PictReader.h"

#include <algorithm>

namespace pict {

namespace {

Color RGB16(uint16_t r, uint16_t g, uint16_t b)
{
    return (Color)(r >> 8) << 16 | (Color)(g >> 8) << 8 | (Color)(b >> 8);
}

// How the rows of one image are stored.
enum class RowForm
{
    Indexed,  // 1, 2, 4 or 8 bits per pixel, chunky
    Rgb555,   // 16 bits: x, then 5 bits each of red, green, blue
    Xrgb,     // 32 bits chunky: pad, red, green, blue
    Rgb,      // pack type 2: red, green, blue
    Planes,   // pack type 4: a plane per component, alpha first when there are 4
};

// One row's bytes of an indexed image into width indices.
void IndexRow(const uint8_t* row, int32_t bits, int32_t width, uint8_t* out)
{
    if (bits == 8)
    {
        std::copy(row, row + width, out);
        return;
    }
    const uint32_t mask = (1u << bits) - 1;
    for (int32_t i = 0; i < width; i++)
    {
        uint32_t bit = (uint32_t)i * (uint32_t)bits;
        out[i] = (uint8_t)((uint32_t)(row[bit >> 3] >> (8 - bits - (bit & 7))) & mask);
    }
}

// One row's bytes of a direct image into width pixels.
void ConvertRow(const uint8_t* row, RowForm form, const PixMapInfo& pm, int32_t width, uint32_t* out)
{
    switch (form)
    {
    case RowForm::Indexed:
        break;
    case RowForm::Rgb555:
        for (int32_t i = 0; i < width; i++)
        {
            uint32_t w = (uint32_t)row[2 * i] << 8 | row[2 * i + 1];
            uint32_t r = (w >> 10) & 31, g = (w >> 5) & 31, b = w & 31;
            out[i] = (r << 3 | r >> 2) << 16 | (g << 3 | g >> 2) << 8 | (b << 3 | b >> 2);
        }
        break;
    case RowForm::Xrgb:
        for (int32_t i = 0; i < width; i++)
            out[i] = (uint32_t)row[4 * i + 1] << 16 | (uint32_t)row[4 * i + 2] << 8 | row[4 * i + 3];
        break;
    case RowForm::Rgb:
        for (int32_t i = 0; i < width; i++)
            out[i] = (uint32_t)row[3 * i] << 16 | (uint32_t)row[3 * i + 1] << 8 | row[3 * i + 2];
        break;
    case RowForm::Planes:
    {
        const uint8_t* red = row + (pm.cmpCount == 4 ? width : 0);
        for (int32_t i = 0; i < width; i++)
            out[i] = (uint32_t)red[i] << 16 | (uint32_t)red[width + i] << 8 | red[2 * width + i];
        break;
    }
    }
}

} // namespace

bool ReadPixMapHeader(ByteReader& r, PixMapInfo& pm)
{
    uint16_t rowBytes = r.U16();
    pm = PixMapInfo();
    pm.isPixMap = (rowBytes & 0x8000) != 0;
    pm.rowBytes = rowBytes & 0x3FFF;
    pm.bounds = ReadRect(r);
    if (pm.isPixMap)
    {
        r.Skip(2);  // pmVersion
        pm.packType = r.S16();
        r.Skip(4 + 4 + 4 + 2);  // packSize, hRes, vRes, pixelType
        pm.pixelSize = r.S16();
        pm.cmpCount = r.S16();
        r.Skip(2 + 4 + 4 + 4);  // cmpSize, planeBytes, pmTable, pmReserved
    }
    return !r.Failed();
}

bool ReadColorTable(ByteReader& r, std::vector<Color>& palette)
{
    r.Skip(4);  // ctSeed
    uint16_t flags = r.U16();
    int32_t count = r.S16() + 1;
    if (r.Failed() || count < 0)
        return false;
    palette.assign(256, kBlack);
    for (int32_t i = 0; i < count && !r.Failed(); i++)
    {
        uint16_t value = r.U16();
        uint16_t red = r.U16(), green = r.U16(), blue = r.U16();
        uint32_t index = (flags & 0x8000) ? (uint32_t)i : value;
        if (index < palette.size())
            palette[index] = RGB16(red, green, blue);
    }
    return !r.Failed();
}

std::vector<Color> DefaultPalette(int32_t pixelSize)
{
    const uint32_t levels = 1u << std::clamp(pixelSize, 1, 8);
    std::vector<Color> palette(256, kBlack);
    for (uint32_t i = 0; i < levels; i++)
    {
        uint32_t grey = 255 - i * 255 / (levels - 1);
        palette[i] = grey << 16 | grey << 8 | grey;
    }
    return palette;
}

PixelsResult ReadPixels(ByteReader& r, const PixMapInfo& pm, const std::vector<Color>& palette, bool packed,
                        Image& image)
{
    image = Image();
    const int32_t width = pm.bounds.Width();
    const int32_t height = pm.bounds.Height();
    if (height <= 0)
        return PixelsResult::Ok;
    if (width <= 0 || (uint64_t)width * (uint64_t)height > kMaxPixels)
        return PixelsResult::Refused;

    const int32_t ps = pm.pixelSize;
    const bool indexed = ps == 1 || ps == 2 || ps == 4 || ps == 8;
    if (!indexed && ps != 16 && ps != 32)
        return PixelsResult::Refused;

    // Rows stored as they are, or packed with a byte count ahead of each.
    const bool unpacked = !packed || pm.rowBytes < 8 || pm.packType == 1;
    RowForm form = indexed ? RowForm::Indexed : ps == 16 ? RowForm::Rgb555 : RowForm::Xrgb;
    size_t unit = ps == 16 ? 2 : 1;
    size_t rowLength = (size_t)pm.rowBytes;
    bool counted = !unpacked;
    if (!unpacked)
    {
        // Pack type 0 is each depth's usual packing.
        const int32_t packType = pm.packType != 0 ? pm.packType : indexed ? 0 : ps == 16 ? 3 : 4;
        if (indexed && packType != 0)
            return PixelsResult::Refused;
        if (ps == 16 && packType != 3)
            return PixelsResult::Refused;
        if (ps == 32)
        {
            if (packType == 2)
            {
                form = RowForm::Rgb;
                rowLength = 3 * (size_t)width;
                counted = false;
            }
            else if (packType == 4 && (pm.cmpCount == 3 || pm.cmpCount == 4))
            {
                form = RowForm::Planes;
                rowLength = (size_t)pm.cmpCount * (size_t)width;
            }
            else
                return PixelsResult::Refused;
        }
    }
    // Rows kept at rowBytes must hold their pixels.
    if (form != RowForm::Rgb && form != RowForm::Planes && (uint64_t)pm.rowBytes * 8 < (uint64_t)width * (uint64_t)ps)
        return PixelsResult::Damaged;

    // Room for the whole image at once, but at most 512 pixels per byte left (two bytes
    // of PackBits make up to 1024 one-bit pixels): a header that lies about a small image
    // allocates little, and the rows grow the rest as they come.
    const size_t reserve = (size_t)std::min<uint64_t>((uint64_t)width * (uint64_t)height, (uint64_t)r.Remaining() * 512);
    if (indexed)
    {
        image.indices.reserve(reserve);
        image.palette = palette;
        image.palette.resize(256, kBlack);
    }
    else
        image.pixels.reserve(reserve);
    std::vector<uint8_t> row(rowLength);
    const bool wordCount = pm.rowBytes > 250;
    for (int32_t y = 0; y < height; y++)
    {
        const uint8_t* bytes;
        if (counted)
        {
            size_t count = wordCount ? r.U16() : r.U8();
            const uint8_t* src = r.Bytes(count);
            if (!src)
                return PixelsResult::Damaged;
            std::fill(row.begin(), row.end(), 0);
            UnpackBits(src, count, row.data(), row.size(), unit);
            bytes = row.data();
        }
        else
        {
            bytes = r.Bytes(rowLength);
            if (!bytes)
                return PixelsResult::Damaged;
        }
        if (indexed)
        {
            size_t at = image.indices.size();
            image.indices.resize(at + (size_t)width);
            IndexRow(bytes, ps, width, image.indices.data() + at);
            continue;
        }
        size_t at = image.pixels.size();
        image.pixels.resize(at + (size_t)width);
        ConvertRow(bytes, form, pm, width, image.pixels.data() + at);
    }
    image.width = width;
    image.height = height;
    return PixelsResult::Ok;
}

} // namespace pict
