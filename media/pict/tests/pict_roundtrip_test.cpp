// Pictures made by the writer and played back by the reader: pixels exact at every depth
// and packing, shapes, text, clip and origin, regions, patterns and transfer modes, in
// version 1 and 2 and behind a file header.
#include "recording_sink.h"

#include "media/pict/PictOpcodes.h"

#include <set>
#include <utility>

namespace pict_test {
namespace {

const Rect kFrame{ 0, 0, 320, 240 };

// Small deterministic pseudo-random numbers.
class Random
{
public:
    explicit Random(uint32_t seed) : m_state(seed) {}
    uint32_t Next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return m_state >> 8;
    }

private:
    uint32_t m_state;
};

// Pixel values with runs and noise, so that both PackBits forms occur: value(i) < levels.
std::vector<uint32_t> Values(size_t count, uint32_t levels, uint32_t seed)
{
    Random random(seed);
    std::vector<uint32_t> values(count);
    for (size_t i = 0; i < count;)
    {
        uint32_t v = random.Next() % levels;
        size_t run = random.Next() % 3 == 0 ? 1 + random.Next() % 40 : 1;
        for (size_t k = 0; k < run && i < count; k++, i++)
            values[i] = (random.Next() % 4 == 0 && run == 1) ? random.Next() % levels : v;
    }
    return values;
}

IndexedImage Indexed(int32_t width, int32_t height, int32_t depth, uint32_t seed)
{
    IndexedImage image;
    image.width = width;
    image.height = height;
    image.depth = depth;
    const uint32_t levels = 1u << depth;
    for (uint32_t v : Values((size_t)width * height, levels, seed))
        image.indices.push_back((uint8_t)v);
    Random random(seed * 7 + 1);
    for (uint32_t i = 0; i < levels; i++)
        image.palette.push_back(random.Next() & 0xFFFFFF);
    return image;
}

// 32-bit colours; with fiveBits, only colours that 5 bits per component keep.
Image Direct(int32_t width, int32_t height, bool fiveBits, uint32_t seed)
{
    Image image;
    image.width = width;
    image.height = height;
    for (uint32_t v : Values((size_t)width * height, 1u << 24, seed))
    {
        if (fiveBits)
        {
            uint32_t r = v >> 19 & 31, g = v >> 11 & 31, b = v >> 3 & 31;
            v = (r << 3 | r >> 2) << 16 | (g << 3 | g >> 2) << 8 | (b << 3 | b >> 2);
        }
        image.pixels.push_back(v);
    }
    return image;
}

Placement Whole(int32_t width, int32_t height, Point at = Point{ 5, 7 })
{
    Placement place;
    place.src = Rect{ 0, 0, width, height };
    place.dst = Rect{ at.x, at.y, at.x + width, at.y + height };
    return place;
}

std::vector<uint32_t> Expected(const IndexedImage& image, bool bitMap)
{
    std::vector<uint32_t> out;
    for (uint8_t i : image.indices)
        out.push_back(bitMap ? (i & 1 ? kBlack : kWhite) : image.palette[i]);
    return out;
}

// The pixels a region covers, as (x, y) pairs.
std::set<std::pair<int32_t, int32_t>> Pixels(const std::vector<Rect>& rects)
{
    std::set<std::pair<int32_t, int32_t>> pixels;
    for (const Rect& rc : rects)
        for (int32_t y = rc.top; y < rc.bottom; y++)
            for (int32_t x = rc.left; x < rc.right; x++)
                pixels.insert({ x, y });
    return pixels;
}

void ExpectImage(const std::vector<uint8_t>& bytes, const std::vector<uint32_t>& expected, int32_t width,
                 int32_t height, const char* label)
{
    RecordingSink sink;
    EXPECT_EQ(PictResult::Complete, Play(bytes, sink)) << label;
    ASSERT_EQ(1u, sink.images.size()) << label;
    const ImageCall& call = sink.images[0];
    EXPECT_EQ(width, call.image.width) << label;
    EXPECT_EQ(height, call.image.height) << label;
    EXPECT_EQ((Rect{ 0, 0, width, height }), call.src) << label;
    EXPECT_EQ((Rect{ 5, 7, 5 + width, 7 + height }), call.dst) << label;
    const std::vector<uint32_t> pixels = call.image.DirectPixels();
    ASSERT_EQ(expected.size(), pixels.size()) << label;
    for (size_t i = 0; i < expected.size(); i++)
        ASSERT_EQ(expected[i], pixels[i]) << label << " pixel " << i;
}

TEST(PictPixels, IndexedImagesRoundTripAtEveryDepthAndPacking)
{
    // Widths give rows under 8 bytes (stored unpacked), ordinary rows, and rows over 250
    // bytes (word byte counts).
    for (int32_t depth : { 1, 2, 4, 8 })
        for (int32_t width : { 3, 61, 2100 / depth })
            for (bool packed : { true, false })
            {
                IndexedImage image = Indexed(width, 9, depth, (uint32_t)(depth * 1000 + width));
                PictWriter writer(kFrame);
                writer.PixMap(image, Whole(width, 9), packed);
                std::string label = "depth " + std::to_string(depth) + " width " + std::to_string(width) +
                                    (packed ? " packed" : " unpacked");
                ExpectImage(writer.Finish(), Expected(image, false), width, 9, label.c_str());
            }
}

TEST(PictPixels, OldBitMapsAreBlackOnWhiteInBothVersions)
{
    for (int version : { 1, 2 })
        for (int32_t width : { 20, 100, 2100 })
            for (bool packed : { true, false })
            {
                IndexedImage image = Indexed(width, 5, 1, (uint32_t)width);
                PictWriter writer(kFrame, version);
                writer.BitMap(image, Whole(width, 5), packed);
                std::string label = "v" + std::to_string(version) + " width " + std::to_string(width);
                ExpectImage(writer.Finish(), Expected(image, true), width, 5, label.c_str());
            }
}

TEST(PictPixels, DirectImagesRoundTripInEveryPackType)
{
    struct Case
    {
        int32_t pixelSize, packType, cmpCount;
    } cases[] = { { 16, 3, 3 }, { 16, 1, 3 }, { 32, 4, 3 }, { 32, 4, 4 }, { 32, 2, 3 }, { 32, 1, 3 } };
    for (const Case& c : cases)
        for (int32_t width : { 1, 3, 70, 300 })
        {
            Image image = Direct(width, 6, c.pixelSize == 16, (uint32_t)(width + c.packType));
            PictWriter writer(kFrame);
            writer.DirectPixMap(image, Whole(width, 6), c.pixelSize, c.packType, c.cmpCount);
            std::string label = std::to_string(c.pixelSize) + "-bit pack type " + std::to_string(c.packType) +
                                " components " + std::to_string(c.cmpCount) + " width " + std::to_string(width);
            ExpectImage(writer.Finish(), image.pixels, width, 6, label.c_str());
        }
}

TEST(PictPixels, SourceRectangleOutsideTheImageShrinksTheDestination)
{
    IndexedImage image = Indexed(40, 20, 8, 3);
    Placement place;
    place.boundsOrigin = Point{ 100, 50 };
    // src (in image pixels) reaches 10 pixels left of the image; dst is twice its size.
    place.src = Rect{ -10, 0, 30, 20 };
    place.dst = Rect{ 0, 0, 80, 40 };
    PictWriter writer(kFrame);
    writer.PixMap(image, place);
    RecordingSink sink;
    EXPECT_EQ(PictResult::Complete, Play(writer.Finish(), sink));
    ASSERT_EQ(1u, sink.images.size());
    EXPECT_EQ((Rect{ 0, 0, 30, 20 }), sink.images[0].src);
    EXPECT_EQ((Rect{ 20, 0, 80, 40 }), sink.images[0].dst);
}

TEST(PictPixels, TransferModes)
{
    struct Case
    {
        int32_t mode;
        bool drawn;
        Transfer transfer;
        bool inverted;
    } cases[] = {
        { 0, true, Transfer::Copy, false },         { 1, true, Transfer::Transparent, false },
        { 2, true, Transfer::Invert, false },       { 3, false, Transfer::Copy, false },
        { 4, true, Transfer::Copy, true },          { 5, true, Transfer::Transparent, true },
        { 36, true, Transfer::Transparent, false }, { 64, true, Transfer::Copy, false },
    };
    IndexedImage image = Indexed(16, 2, 1, 11);
    for (const Case& c : cases)
    {
        Placement place = Whole(16, 2);
        place.mode = c.mode;
        PictWriter writer(kFrame);
        writer.BitMap(image, place);
        RecordingSink sink;
        EXPECT_EQ(PictResult::Complete, Play(writer.Finish(), sink)) << "mode " << c.mode;
        ASSERT_EQ(c.drawn ? 1u : 0u, sink.images.size()) << "mode " << c.mode;
        if (!c.drawn)
            continue;
        EXPECT_EQ(c.transfer, sink.images[0].transfer) << "mode " << c.mode;
        uint32_t first = image.indices[0] & 1 ? kBlack : kWhite;
        EXPECT_EQ(c.inverted ? first ^ 0xFFFFFF : first, sink.images[0].image.At(0)) << "mode " << c.mode;
    }
}

TEST(PictPixels, MaskRegionComesWithTheImageMovedByTheOrigin)
{
    Image image = Direct(10, 10, false, 5);
    Placement place = Whole(10, 10);
    place.mask = { Rect{ 5, 7, 10, 12 }, Rect{ 5, 12, 15, 17 } };
    PictWriter writer(kFrame);
    writer.Origin(2, 3);
    writer.DirectPixMap(image, place);
    RecordingSink sink;
    EXPECT_EQ(PictResult::Complete, Play(writer.Finish(), sink));
    ASSERT_EQ(1u, sink.images.size());
    ASSERT_TRUE(sink.images[0].hasMask);
    EXPECT_EQ(Pixels({ Rect{ 3, 4, 8, 9 }, Rect{ 3, 9, 13, 14 } }), Pixels(sink.images[0].mask.rects));
    EXPECT_EQ((Rect{ 3, 4, 13, 14 }), sink.images[0].dst);
}

TEST(PictShapes, EveryShapeAndVerbInBothVersions)
{
    for (int version : { 1, 2 })
    {
        PictWriter writer(kFrame, version);
        writer.PenSize(3, 2);
        writer.OvalSize(12, 8);
        const Rect r1{ 10, 10, 60, 40 };
        writer.Rectangle(ShapeVerb::Frame, r1);
        writer.Rectangle(ShapeVerb::Paint, r1);  // the "same" form
        writer.RoundRect(ShapeVerb::Fill, Rect{ 0, 0, 30, 30 });
        writer.Oval(ShapeVerb::Erase, Rect{ 1, 2, 3, 4 });
        writer.Arc(ShapeVerb::Invert, Rect{ 1, 2, 3, 4 }, 45, -90);
        writer.Polygon(ShapeVerb::Paint, { Point{ 0, 0 }, Point{ 50, 10 }, Point{ 20, 60 }, Point{ 0, 0 } });
        writer.Region(ShapeVerb::Frame, { Rect{ 0, 0, 10, 10 }, Rect{ 0, 10, 20, 20 } });
        writer.Line(Point{ 1, 1 }, Point{ 200, 100 });    // Line
        writer.Line(Point{ 200, 100 }, Point{ 5, 5 });    // LineFrom
        writer.Line(Point{ 7, 7 }, Point{ 17, 3 });       // ShortLine
        writer.Line(Point{ 17, 3 }, Point{ 10, 10 });     // ShortLineFrom
        RecordingSink sink;
        PictInfo info;
        ASSERT_EQ(PictResult::Complete, Play(writer.Finish(), sink, &info)) << "v" << version;
        EXPECT_EQ(version, info.version);
        ASSERT_EQ(11u, sink.shapes.size()) << "v" << version;
        const char* kinds[] = { "rect", "rect", "rrect", "oval", "arc", "poly", "rgn", "line", "line", "line", "line" };
        for (size_t i = 0; i < 11; i++)
            EXPECT_EQ(kinds[i], sink.shapes[i].kind) << "v" << version << " shape " << i;
        EXPECT_EQ(Verb::Frame, sink.shapes[0].style.verb);
        EXPECT_EQ(3, sink.shapes[0].style.penWidth);
        EXPECT_EQ(2, sink.shapes[0].style.penHeight);
        EXPECT_EQ(r1, sink.shapes[1].rect);
        EXPECT_EQ(Verb::Fill, sink.shapes[1].style.verb);
        EXPECT_EQ(kBlack, sink.shapes[1].style.color);
        EXPECT_EQ(12, sink.shapes[2].a);
        EXPECT_EQ(8, sink.shapes[2].b);
        EXPECT_EQ(kWhite, sink.shapes[3].style.color) << "erase paints the background pattern";
        EXPECT_EQ(Verb::Invert, sink.shapes[4].style.verb);
        EXPECT_EQ(45, sink.shapes[4].a);
        EXPECT_EQ(-90, sink.shapes[4].b);
        EXPECT_EQ(4u, sink.shapes[5].points.size());
        EXPECT_EQ((Point{ 20, 60 }), sink.shapes[5].points[2]);
        EXPECT_EQ(Pixels({ Rect{ 0, 0, 10, 10 }, Rect{ 0, 10, 20, 20 } }), Pixels(sink.shapes[6].region.rects));
        EXPECT_EQ((Rect{ 1, 1, 200, 100 }), sink.shapes[7].rect);
        EXPECT_EQ((Rect{ 200, 100, 5, 5 }), sink.shapes[8].rect);
        EXPECT_EQ((Rect{ 7, 7, 17, 3 }), sink.shapes[9].rect);
        EXPECT_EQ((Rect{ 17, 3, 10, 10 }), sink.shapes[10].rect);
    }
}

TEST(PictShapes, PatternsAndPenModesResolveToColours)
{
    const uint8_t grey[8] = { 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55 };
    const uint8_t white[8] = {};
    const uint8_t black[8] = { 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF };
    const Rect rc{ 0, 0, 10, 10 };
    PictWriter writer(kFrame);
    writer.ForeColor(0xFF0000);
    writer.BackColor(0x0000FF);
    writer.FillPattern(grey);
    writer.Rectangle(ShapeVerb::Fill, rc);    // half red, half blue
    writer.PenMode(10);                       // patXor
    writer.Rectangle(ShapeVerb::Paint, rc);   // inverts
    writer.PenMode(9);                        // patOr
    writer.PenPattern(white);
    writer.Rectangle(ShapeVerb::Paint, rc);   // nothing: no bit is set
    writer.PenMode(8);
    writer.PenPattern(black);
    writer.PenSize(0, 5);
    writer.Rectangle(ShapeVerb::Frame, rc);   // nothing: the pen has no width
    writer.BackPattern(black);
    writer.Rectangle(ShapeVerb::Erase, rc);   // the background pattern all foreground
    writer.FillColorPattern(0x123456);
    writer.Rectangle(ShapeVerb::Fill, rc);
    IndexedImage tile;
    tile.width = 16;
    tile.height = 2;
    for (int i = 0; i < 32; i++)
        tile.indices.push_back((uint8_t)(i % 2));
    tile.palette = { 0x000000, 0xFE40FE };
    writer.FillPixelPattern(tile);
    writer.Rectangle(ShapeVerb::Fill, rc);
    RecordingSink sink;
    ASSERT_EQ(PictResult::Complete, Play(writer.Finish(), sink));
    ASSERT_EQ(5u, sink.shapes.size());
    EXPECT_EQ(0x7F207Fu, sink.shapes[4].style.color) << "a pixel pattern fills with its average colour";
    EXPECT_EQ(0x800080u, sink.shapes[0].style.color);
    EXPECT_EQ(Verb::Invert, sink.shapes[1].style.verb);
    EXPECT_EQ(0xFF0000u, sink.shapes[2].style.color);
    EXPECT_EQ(0x123456u, sink.shapes[3].style.color);
}

TEST(PictShapes, ClipAndOriginMoveLaterDrawingIntoFrameCoordinates)
{
    PictWriter writer(Rect{ 100, 100, 300, 200 });
    writer.ClipRect(Rect{ 100, 100, 300, 200 });
    writer.Origin(10, -20);
    writer.Rectangle(ShapeVerb::Paint, Rect{ 110, 80, 150, 120 });
    writer.Text(Point{ 110, 80 }, "A");
    writer.ClipRect(Rect{ 0, 0, 5, 5 });
    RecordingSink sink;
    PictInfo info;
    ASSERT_EQ(PictResult::Complete, Play(writer.Finish(true), sink, &info));
    EXPECT_EQ(512u, info.offset);
    EXPECT_EQ((Rect{ 100, 100, 300, 200 }), info.frame);
    ASSERT_EQ(3u, sink.clips.size());
    EXPECT_EQ((Rect{ 100, 100, 300, 200 }), sink.clips[0].bounds);
    // The origin moves the clip's coordinates with the rest.
    EXPECT_EQ((Rect{ 90, 120, 290, 220 }), sink.clips[1].bounds);
    EXPECT_EQ((Rect{ -10, 20, -5, 25 }), sink.clips[2].bounds);
    ASSERT_EQ(1u, sink.shapes.size());
    EXPECT_EQ((Rect{ 100, 100, 140, 140 }), sink.shapes[0].rect);
    ASSERT_EQ(1u, sink.texts.size());
    EXPECT_EQ((Point{ 100, 100 }), sink.texts[0].at);
}

TEST(PictText, TextOpcodesFontsAndMacRoman)
{
    PictWriter writer(kFrame);
    writer.TextFontName(3, "Geneva");
    writer.TextSize(18);
    writer.TextFace(kFaceBold | kFaceItalic);
    writer.TextMode(0);
    writer.ForeColor(0x00FF00);
    writer.Text(Point{ 10, 300 }, "caf\x8E");   // LongText
    writer.Text(Point{ 40, 300 }, "b");         // DHText
    writer.Text(Point{ 40, 320 }, "c");         // DVText
    writer.Text(Point{ 50, 330 }, "d\xF0");     // DHDVText; the Apple logo has no 1252 character
    writer.TextFont(4);                         // another font: the name no longer applies
    writer.TextSize(0);
    writer.Text(Point{ 0, 0 }, "e");
    RecordingSink sink;
    ASSERT_EQ(PictResult::Complete, Play(writer.Finish(), sink));
    ASSERT_EQ(5u, sink.texts.size());
    EXPECT_EQ("caf\xE9", sink.texts[0].text);
    EXPECT_EQ("Geneva", sink.texts[0].font.name);
    EXPECT_EQ(3, sink.texts[0].font.fontId);
    EXPECT_EQ(18, sink.texts[0].font.size);
    EXPECT_EQ(kFaceBold | kFaceItalic, sink.texts[0].font.face);
    EXPECT_TRUE(sink.texts[0].font.opaque);
    EXPECT_EQ(0x00FF00u, sink.texts[0].font.color);
    EXPECT_EQ((Point{ 40, 300 }), sink.texts[1].at);
    EXPECT_EQ((Point{ 40, 320 }), sink.texts[2].at);
    EXPECT_EQ((Point{ 50, 330 }), sink.texts[3].at);
    EXPECT_EQ("d?", sink.texts[3].text);
    EXPECT_EQ("", sink.texts[4].font.name);
    EXPECT_EQ(12, sink.texts[4].font.size);
}

TEST(PictInfoTest, HeaderResolutionAndCounts)
{
    PictWriter writer(kFrame, 2, 144);
    writer.PixMap(Indexed(8, 8, 4, 1), Whole(8, 8));
    writer.DirectPixMap(Direct(8, 8, true, 2), Whole(8, 8), 16, 3);
    writer.Rectangle(ShapeVerb::Paint, kFrame);
    std::vector<uint8_t> bytes = writer.Finish();
    PictInfo info;
    ASSERT_TRUE(GetPictInfo(bytes.data(), bytes.size(), info));
    EXPECT_EQ(2, info.version);
    EXPECT_TRUE(info.extended);
    EXPECT_EQ(0u, info.offset);
    EXPECT_EQ(kFrame, info.frame);
    EXPECT_EQ(144 << 16, info.hRes);
    EXPECT_EQ(144 << 16, info.vRes);
    EXPECT_EQ(2u, info.images);
    EXPECT_EQ(16, info.deepestPixelSize);
    // Header, two images, the rectangle, the end.
    EXPECT_EQ(5u, info.opcodes);
    EXPECT_EQ(PictResult::Complete, info.result);

    // The header alone, without playing the picture.
    PictInfo header;
    ASSERT_TRUE(ReadPictHeader(bytes.data(), bytes.size(), header));
    EXPECT_EQ(2, header.version);
    EXPECT_TRUE(header.extended);
    EXPECT_EQ(kFrame, header.frame);
    EXPECT_EQ(144 << 16, header.hRes);
    EXPECT_EQ(0u, header.opcodes);
    PictWriter v1(Rect{ -5, -6, 7, 8 }, 1);
    std::vector<uint8_t> filed = v1.Finish(true);
    ASSERT_TRUE(ReadPictHeader(filed.data(), filed.size(), header));
    EXPECT_EQ(1, header.version);
    EXPECT_FALSE(header.extended);
    EXPECT_EQ(512u, header.offset);
    EXPECT_EQ((Rect{ -5, -6, 7, 8 }), header.frame);
    EXPECT_EQ(72 << 16, header.hRes);
    EXPECT_FALSE(ReadPictHeader(filed.data(), 100, header));
}

// A CompressedQuickTime opcode as a picture holds it: matrix, no matte, an optional mask,
// an image description and the data.
std::vector<uint8_t> Compressed(const std::vector<uint8_t>& payload, int32_t scale, Point offset, bool mask,
                                uint32_t dataSize)
{
    std::vector<uint8_t> d;
    auto put16 = [&](int32_t v) { d.push_back((uint8_t)(v >> 8)); d.push_back((uint8_t)v); };
    auto put32 = [&](uint32_t v) { put16((int32_t)(v >> 16)); put16((int32_t)(v & 0xFFFF)); };
    put16(0);
    const int32_t matrix[9] = { scale << 16, 0, 0, 0, scale << 16, 0, offset.x << 16, offset.y << 16, 1 << 30 };
    for (int32_t v : matrix)
        put32((uint32_t)v);
    put32(0);                       // matteSize
    for (int i = 0; i < 4; i++)
        put16(0);                   // matteRect
    put16(0);                       // mode
    put16(0); put16(0); put16(20); put16(30);  // srcRect: 30 x 20
    put32(0);                       // accuracy
    put32(mask ? 10 : 0);
    if (mask)
    {
        put16(10); put16(0); put16(0); put16(5); put16(5);
    }
    put32(86);
    d.insert(d.end(), { 'j', 'p', 'e', 'g' });
    d.resize(d.size() + 24);
    put16(30);
    put16(20);
    put32(72u << 16);
    put32(72u << 16);
    put32(dataSize);
    put16(1);
    d.resize(d.size() + 32);
    put16(24);
    put16(-1);
    d.insert(d.end(), payload.begin(), payload.end());
    const uint32_t n = (uint32_t)d.size();
    d.insert(d.begin(), { (uint8_t)(n >> 24), (uint8_t)(n >> 16), (uint8_t)(n >> 8), (uint8_t)n });
    return d;
}

TEST(PictCompressed, ImageDescriptionDataAndPlacementReachTheSink)
{
    const std::vector<uint8_t> payload = { 0xFF, 0xD8, 1, 2, 3, 0xFF, 0xD9 };
    PictWriter writer(kFrame);
    writer.Origin(1, 1);
    writer.Raw(op::kCompressedQuickTime, Compressed(payload, 2, Point{ 10, 20 }, true, (uint32_t)payload.size()));
    // Data longer than the opcode: not drawn, yet the picture goes on.
    writer.Raw(op::kCompressedQuickTime, Compressed(payload, 1, Point{}, false, 1000));
    writer.Rectangle(ShapeVerb::Paint, kFrame);
    RecordingSink sink;
    PictInfo info;
    ASSERT_EQ(PictResult::Complete, Play(writer.Finish(), sink, &info));
    ASSERT_EQ(1u, sink.compressed.size());
    const CompressedCall& call = sink.compressed[0];
    EXPECT_EQ(0x6A706567u, call.info.codecType);
    EXPECT_EQ(30, call.info.width);
    EXPECT_EQ(20, call.info.height);
    EXPECT_EQ(24, call.info.depth);
    EXPECT_EQ(payload, call.data);
    EXPECT_TRUE(call.info.dstKnown);
    EXPECT_EQ((Rect{ 9, 19, 69, 59 }), call.info.dst);
    EXPECT_TRUE(call.hasMask);
    EXPECT_EQ(1u, sink.shapes.size());
    EXPECT_EQ(2u, info.images);
    EXPECT_EQ(24, info.deepestPixelSize);
}

} // namespace
} // namespace pict_test
