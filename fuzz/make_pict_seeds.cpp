// Writes the seed corpus of pict_fuzz with the picture writer: small pictures of both
// versions, with and without a file header, covering shapes, text, clip and origin,
// patterns, every depth and packing of images, masks, compressed data and reserved
// opcodes.
// Usage: build-fuzz/make_pict_seeds fuzz/corpus/pict_fuzz
#include "media/pict/PictOpcodes.h"
#include "media/pict/PictWriter.h"

#include <cstdio>
#include <string>

using namespace pict;

namespace {

std::string g_dir;

void Save(const char* name, const std::vector<uint8_t>& bytes)
{
    std::string path = g_dir + "/" + name;
    FILE* f = fopen(path.c_str(), "wb");
    if (!f)
    {
        perror(path.c_str());
        exit(1);
    }
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

IndexedImage Indexed(int32_t width, int32_t height, int32_t depth)
{
    IndexedImage image;
    image.width = width;
    image.height = height;
    image.depth = depth;
    for (int32_t i = 0; i < width * height; i++)
        image.indices.push_back((uint8_t)((i / 5 + i * i / 7) % (1 << depth)));
    for (int32_t i = 0; i < (1 << depth); i++)
        image.palette.push_back((Color)(i * 0x010305 * 13) & 0xFFFFFF);
    return image;
}

Image Direct(int32_t width, int32_t height)
{
    Image image;
    image.width = width;
    image.height = height;
    for (int32_t i = 0; i < width * height; i++)
        image.pixels.push_back(i % 9 < 4 ? 0x336699 : (Color)(i * 0x0A0B0C) & 0xFFFFFF);
    return image;
}

Placement Place(int32_t width, int32_t height, bool mask = false)
{
    Placement place;
    place.src = Rect{ 0, 0, width, height };
    place.dst = Rect{ 2, 3, 2 + width * 2, 3 + height };
    if (mask)
        place.mask = { Rect{ 2, 3, 10, 6 }, Rect{ 4, 6, 12, 9 } };
    return place;
}

void Shapes(PictWriter& w)
{
    w.ClipRect(Rect{ 0, 0, 64, 48 });
    w.PenSize(2, 3);
    w.OvalSize(6, 4);
    w.Rectangle(ShapeVerb::Frame, Rect{ 1, 1, 30, 20 });
    w.Rectangle(ShapeVerb::Paint, Rect{ 1, 1, 30, 20 });
    w.RoundRect(ShapeVerb::Fill, Rect{ 5, 5, 40, 30 });
    w.Oval(ShapeVerb::Erase, Rect{ 10, 10, 50, 40 });
    w.Arc(ShapeVerb::Invert, Rect{ 10, 10, 50, 40 }, 30, 200);
    w.Polygon(ShapeVerb::Paint, { Point{ 0, 0 }, Point{ 40, 5 }, Point{ 20, 40 }, Point{ 0, 0 } });
    w.Region(ShapeVerb::Fill, { Rect{ 0, 0, 8, 8 }, Rect{ 4, 8, 16, 12 } });
    w.Line(Point{ 0, 0 }, Point{ 63, 47 });
    w.Line(Point{ 63, 47 }, Point{ 0, 47 });
    w.Line(Point{ 5, 5 }, Point{ 9, 1 });
    w.Line(Point{ 9, 1 }, Point{ 12, 12 });
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
    {
        fprintf(stderr, "usage: make_pict_seeds DIR\n");
        return 2;
    }
    g_dir = argv[1];
    const Rect frame{ 0, 0, 64, 48 };
    {
        PictWriter w(frame, 1);
        Shapes(w);
        w.Text(Point{ 3, 40 }, "v1");
        Save("shapes_v1", w.Finish());
    }
    {
        PictWriter w(frame);
        Shapes(w);
        Save("shapes_v2", w.Finish());
    }
    {
        PictWriter w(frame);
        Shapes(w);
        Save("shapes_v2_file_header", w.Finish(true));
    }
    {
        PictWriter w(frame);
        w.TextFontName(3, "Geneva");
        w.TextSize(14);
        w.TextFace(kFaceBold);
        w.TextMode(0);
        w.Text(Point{ 2, 20 }, "Caf\x8E");
        w.Text(Point{ 30, 20 }, "x");
        w.Text(Point{ 30, 30 }, "y");
        w.Text(Point{ 40, 44 }, "z");
        w.TextFont(0);
        w.Text(Point{ 1, 1 }, "w");
        Save("text", w.Finish());
    }
    {
        PictWriter w(Rect{ 10, 10, 74, 58 });
        w.ClipRegion({ Rect{ 10, 10, 40, 30 }, Rect{ 20, 30, 74, 58 } });
        w.Origin(5, -5);
        w.Rectangle(ShapeVerb::Paint, Rect{ 15, 5, 40, 30 });
        w.Origin(-5, 5);
        w.Oval(ShapeVerb::Frame, Rect{ 12, 12, 70, 50 });
        Save("clip_origin", w.Finish());
    }
    {
        const uint8_t grey[8] = { 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55 };
        PictWriter w(frame);
        w.ForeColor(0xFF0000);
        w.BackColor(0x00FF00);
        w.FillPattern(grey);
        w.BackPattern(grey);
        w.PenPattern(grey);
        w.Rectangle(ShapeVerb::Fill, Rect{ 0, 0, 10, 10 });
        w.PenMode(10);
        w.Rectangle(ShapeVerb::Paint, Rect{ 0, 0, 10, 10 });
        w.FillColorPattern(0x445566);
        w.Oval(ShapeVerb::Fill, Rect{ 0, 0, 20, 20 });
        w.FillPixelPattern(Indexed(16, 4, 4));
        w.Oval(ShapeVerb::Fill, Rect{ 0, 0, 20, 20 });
        Save("patterns", w.Finish());
    }
    for (int32_t depth : { 1, 2, 4, 8 })
    {
        PictWriter w(frame);
        w.PixMap(Indexed(40, 6, depth), Place(40, 6, depth == 4));
        Save(("pixmap_" + std::to_string(depth)).c_str(), w.Finish());
    }
    {
        PictWriter w(frame);
        w.PixMap(Indexed(3, 4, 8), Place(3, 4), false);
        w.PixMap(Indexed(300, 2, 8), Place(300, 2));
        Save("pixmap_8_narrow_and_wide", w.Finish());
    }
    {
        PictWriter w(frame, 1);
        w.BitMap(Indexed(50, 5, 1), Place(50, 5));
        w.BitMap(Indexed(20, 3, 1), Place(20, 3, true), false);
        Save("bitmap_v1", w.Finish());
    }
    struct
    {
        const char* name;
        int32_t pixelSize, packType, cmpCount, width;
    } directs[] = { { "direct_16_pack3", 16, 3, 3, 30 }, { "direct_16_pack1", 16, 1, 3, 6 },
                    { "direct_32_pack4", 32, 4, 3, 30 }, { "direct_32_pack4_alpha", 32, 4, 4, 30 },
                    { "direct_32_pack2", 32, 2, 3, 10 }, { "direct_32_pack1", 32, 1, 3, 5 },
                    { "direct_32_narrow", 32, 4, 3, 1 } };
    for (const auto& d : directs)
    {
        PictWriter w(frame);
        w.DirectPixMap(Direct(d.width, 4), Place(d.width, 4, d.width == 30), d.pixelSize, d.packType, d.cmpCount);
        Save(d.name, w.Finish());
    }
    {
        // A CompressedQuickTime opcode: identity matrix scaled by 2, a mask, a 'jpeg'
        // image description and a few bytes of data.
        std::vector<uint8_t> d;
        auto put16 = [&](int32_t v) { d.push_back((uint8_t)(v >> 8)); d.push_back((uint8_t)v); };
        auto put32 = [&](uint32_t v) { put16((int32_t)(v >> 16)); put16((int32_t)(v & 0xFFFF)); };
        put16(0);
        for (uint32_t v : { 2u << 16, 0u, 0u, 0u, 2u << 16, 0u, 4u << 16, 4u << 16, 1u << 30 })
            put32(v);
        put32(0);
        for (int i = 0; i < 4; i++)
            put16(0);
        put16(0);
        put16(0); put16(0); put16(8); put16(8);
        put32(0);
        put32(10);
        put16(10); put16(0); put16(0); put16(8); put16(8);
        put32(86);
        put32(0x6A706567);
        d.resize(d.size() + 24);
        put16(8);
        put16(8);
        put32(72u << 16);
        put32(72u << 16);
        put32(6);
        put16(1);
        d.resize(d.size() + 32);
        put16(24);
        put16(-1);
        for (uint8_t b : { 0xFF, 0xD8, 0xFF, 0xE0, 0xFF, 0xD9 })
            d.push_back(b);
        const uint32_t n = (uint32_t)d.size();
        d.insert(d.begin(), { (uint8_t)(n >> 24), (uint8_t)(n >> 16), (uint8_t)(n >> 8), (uint8_t)n });
        PictWriter w(frame);
        w.Raw(op::kCompressedQuickTime, d);
        w.Rectangle(ShapeVerb::Frame, frame);
        Save("compressed", w.Finish());
    }
    {
        PictWriter w(frame);
        w.Raw(0x0026, { 0, 3, 1, 2, 3 });
        w.Raw(0x00A5, { 0, 2, 1, 2 });
        w.Raw(0x00B7, {});
        w.Raw(0x00D3, { 0, 0, 0, 3, 1, 2, 3 });
        w.Raw(0x0100, { 1, 2 });
        w.Raw(0x8042, {});
        w.Raw(0x8201, { 0, 0, 0, 2, 0xFF, 0xFF });
        w.Raw(0xFFFF, { 0, 0, 0, 1, 0xFF });
        w.Comment(100, { 1, 2, 3 });
        w.Raw(op::kShortComment, { 0, 5 });
        w.Rectangle(ShapeVerb::Paint, frame);
        Save("reserved_opcodes", w.Finish());
    }
    return 0;
}
