// Damaged and hostile pictures: every truncation of a real picture, lying lengths and
// sizes, images above the pixel cap, impossible pixel formats, malformed regions, reserved
// opcodes, and what was drawn before a failure staying drawn.
#include "recording_sink.h"

#include "media/pict/PackBits.h"
#include "media/pict/PictOpcodes.h"

namespace pict_test {
namespace {

const Rect kFrame{ 0, 0, 100, 100 };

std::vector<uint8_t> Word(int32_t v)
{
    return { (uint8_t)(v >> 8), (uint8_t)v };
}

std::vector<uint8_t> Join(std::initializer_list<std::vector<uint8_t>> parts)
{
    std::vector<uint8_t> out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

// An opcode with its data, and what it does to the picture.
struct OpcodeCase
{
    const char* label;
    uint16_t opcode;
    std::vector<uint8_t> data;
    PictResult result;
};

// A picture with a bit of everything.
std::vector<uint8_t> RichPicture()
{
    PictWriter writer(kFrame);
    writer.ClipRegion({ Rect{ 0, 0, 50, 50 }, Rect{ 0, 50, 100, 100 } });
    writer.ForeColor(0x102030);
    writer.Rectangle(ShapeVerb::Paint, Rect{ 1, 2, 30, 40 });
    writer.Polygon(ShapeVerb::Frame, { Point{ 0, 0 }, Point{ 9, 9 }, Point{ 0, 9 } });
    writer.Text(Point{ 5, 50 }, "hello");
    IndexedImage image;
    image.width = 20;
    image.height = 4;
    image.indices.assign(80, 1);
    image.palette = { kWhite, kBlack };
    Placement place;
    place.src = Rect{ 0, 0, 20, 4 };
    place.dst = Rect{ 0, 0, 20, 4 };
    place.mask = { Rect{ 0, 0, 10, 4 } };
    writer.PixMap(image, place);
    Image direct;
    direct.width = 12;
    direct.height = 3;
    direct.pixels.assign(36, 0x336699);
    place.src = Rect{ 0, 0, 12, 3 };
    place.mask.clear();
    writer.DirectPixMap(direct, place);
    writer.Region(ShapeVerb::Invert, { Rect{ 3, 3, 9, 9 } });
    return writer.Finish();
}

TEST(PictHostile, EveryTruncationEndsCleanlyWithADrawnPrefix)
{
    const std::vector<uint8_t> full = RichPicture();
    RecordingSink whole;
    ASSERT_EQ(PictResult::Complete, Play(full, whole));
    size_t lastCalls = 0;
    for (size_t n = 0; n < full.size(); n++)
    {
        // An exact-sized copy, so that any read past the end is a read past the buffer.
        std::vector<uint8_t> part(full.begin(), full.begin() + n);
        RecordingSink sink;
        PictResult result = Play(part, sink);
        EXPECT_EQ(n < 14 ? PictResult::NotAPicture : PictResult::Truncated, result) << "length " << n;
        EXPECT_GE(sink.Calls(), lastCalls) << "length " << n;
        EXPECT_LE(sink.Calls(), whole.Calls()) << "length " << n;
        lastCalls = sink.Calls();
    }
}

TEST(PictHostile, LyingLengthsEndThePictureAndKeepWhatWasDrawn)
{
    const OpcodeCase cases[] = {
        { "comment longer than the picture", op::kLongComment, Join({ Word(100), Word(0x7000) }), PictResult::Truncated },
        { "reserved word length too long", 0x0024, Word(0x7FFF), PictResult::Truncated },
        { "reserved long length too long", 0x00D0, { 0xFF, 0xFF, 0xFF, 0xF0 }, PictResult::Truncated },
        { "compressed length too long", op::kCompressedQuickTime, { 0x80, 0, 0, 0 }, PictResult::Truncated },
        { "region longer than the picture", 0x0081, Join({ Word(0x7000), Word(0), Word(0), Word(9), Word(9) }),
          PictResult::Truncated },
        { "polygon longer than the picture", 0x0071, Join({ Word(0x7000), Word(0), Word(0), Word(9), Word(9) }),
          PictResult::Truncated },
        { "font name longer than the picture", op::kFontName, Word(200), PictResult::Truncated },
    };
    for (const OpcodeCase& c : cases)
    {
        PictWriter writer(kFrame);
        writer.Rectangle(ShapeVerb::Paint, kFrame);
        writer.Raw(c.opcode, c.data);
        writer.Rectangle(ShapeVerb::Fill, Rect{ 1, 1, 2, 2 });
        RecordingSink sink;
        EXPECT_EQ(c.result, Play(writer.Finish(), sink)) << c.label;
        EXPECT_EQ(1u, sink.shapes.size()) << c.label;
    }
}

// A PackBitsRect or DirectBitsRect header by hand: rowBytes, bounds, pixel map fields.
std::vector<uint8_t> PixMapOp(bool direct, int32_t rowBytes, const Rect& bounds, int32_t packType, int32_t pixelSize,
                              int32_t cmpCount)
{
    std::vector<uint8_t> d;
    if (direct)
        d = { 0, 0, 0, 0xFF };
    d = Join({ d, Word(0x8000 | rowBytes), Word(bounds.top), Word(bounds.left), Word(bounds.bottom), Word(bounds.right),
               Word(0), Word(packType), std::vector<uint8_t>(12), Word(direct ? 16 : 0), Word(pixelSize), Word(cmpCount),
               Word(8), std::vector<uint8_t>(12) });
    if (!direct)
        d = Join({ d, std::vector<uint8_t>(4), Word(0), Word(0), Word(0), Word(0), Word(0), Word(0) });  // one colour
    d = Join({ d, Word(0), Word(0), Word(1), Word(1), Word(0), Word(0), Word(1), Word(1), Word(0) });  // src, dst, mode
    return d;
}

TEST(PictHostile, ImpossibleOrHugeImagesAreRefusedAfterWhatWasDrawn)
{
    const OpcodeCase cases[] = {
        { "above the pixel cap", op::kDirectBitsRect, PixMapOp(true, 0x3FFC, Rect{ -32768, -32768, 32767, 32767 }, 4, 32, 3),
          PictResult::Refused },
        { "one row above the cap", op::kPackBitsRect, PixMapOp(false, 4096, Rect{ 0, 0, 4097, 4096 }, 0, 8, 1),
          PictResult::Refused },
        { "pack type 3 for 32-bit pixels", op::kDirectBitsRect, PixMapOp(true, 40, Rect{ 0, 0, 1, 10 }, 3, 32, 3),
          PictResult::Refused },
        { "five components", op::kDirectBitsRect, PixMapOp(true, 40, Rect{ 0, 0, 1, 10 }, 4, 32, 5), PictResult::Refused },
        { "pixel size 3", op::kPackBitsRect, PixMapOp(false, 8, Rect{ 0, 0, 1, 10 }, 0, 3, 1), PictResult::Refused },
        { "pack type 4 for indexed pixels", op::kPackBitsRect, PixMapOp(false, 8, Rect{ 0, 0, 1, 10 }, 4, 8, 1),
          PictResult::Refused },
        { "rows narrower than their pixels", op::kPackBitsRect, PixMapOp(false, 8, Rect{ 0, 0, 100, 1 }, 0, 8, 1),
          PictResult::Truncated },
        { "no pixel data", op::kPackBitsRect, PixMapOp(false, 100, Rect{ 0, 0, 100, 1 }, 0, 8, 1), PictResult::Truncated },
    };
    for (const OpcodeCase& c : cases)
    {
        PictWriter writer(kFrame);
        writer.Rectangle(ShapeVerb::Paint, kFrame);
        writer.Raw(c.opcode, c.data);
        std::vector<uint8_t> bytes = writer.Finish();
        bytes.pop_back();  // without the end opcode: whatever the image's data would be
        bytes.pop_back();
        RecordingSink sink;
        PictInfo info;
        EXPECT_EQ(c.result, Play(bytes, sink, &info)) << c.label;
        EXPECT_EQ(1u, sink.shapes.size()) << c.label;
        EXPECT_EQ(0u, sink.images.size()) << c.label;
        EXPECT_EQ(1u, info.images) << c.label;
        EXPECT_EQ(0, info.deepestPixelSize) << c.label << ": a refused image has no depth";
    }
}

TEST(PictHostile, ReservedOpcodesAreSkippedByTheirDocumentedLengths)
{
    PictWriter writer(kFrame);
    writer.Raw(0x0017, {});
    writer.Raw(0x0026, Join({ Word(3), { 1, 2, 3 } }));
    writer.Raw(0x0035, std::vector<uint8_t>(8, 0x77));
    writer.Raw(0x0065, std::vector<uint8_t>(12, 0x77));
    writer.Raw(0x006D, std::vector<uint8_t>(4, 0x77));
    writer.Raw(0x0077, Join({ Word(10), std::vector<uint8_t>(8) }));
    writer.Raw(0x0087, Join({ Word(10), std::vector<uint8_t>(8) }));
    writer.Raw(0x0093, Join({ Word(1), { 9 } }));
    writer.Raw(op::kShortComment, Word(5));
    writer.Raw(0x00A5, Join({ Word(2), { 1, 2 } }));
    writer.Raw(0x00B7, {});
    writer.Raw(0x00D3, { 0, 0, 0, 3, 1, 2, 3 });
    writer.Raw(0x0100, { 1, 2 });
    writer.Raw(0x0A00, std::vector<uint8_t>(20, 0xFF));
    writer.Raw(0x7FFF, std::vector<uint8_t>(254, 0xFF));
    writer.Raw(0x8042, {});
    writer.Raw(0x8201, { 0, 0, 0, 2, 0xFF, 0xFF });
    writer.Raw(0xFFFF, { 0, 0, 0, 1, 0xFF });
    writer.Comment(100, { 1, 2, 3 });
    writer.Rectangle(ShapeVerb::Paint, kFrame);
    RecordingSink sink;
    EXPECT_EQ(PictResult::Complete, Play(writer.Finish(), sink));
    ASSERT_EQ(1u, sink.shapes.size());
    EXPECT_EQ(kFrame, sink.shapes[0].rect);
}

std::vector<uint8_t> RegionBytes(const Rect& bounds, const std::vector<int32_t>& data)
{
    std::vector<uint8_t> out = Join({ Word((int32_t)(10 + 2 * data.size())), Word(bounds.top), Word(bounds.left),
                                      Word(bounds.bottom), Word(bounds.right) });
    for (int32_t v : data)
        out = Join({ out, Word(v) });
    return out;
}

TEST(PictHostile, MalformedRegionsFallBackToTheirBounds)
{
    const Rect bounds{ 0, 0, 40, 40 };
    struct Case
    {
        const char* label;
        std::vector<int32_t> data;
        size_t rects;
    } cases[] = {
        { "well formed: two bands", { 0, 0, 10, 0x7FFF, 5, 0, 10, 20, 30, 0x7FFF, 9, 20, 30, 0x7FFF, 0x7FFF }, 2 },
        { "lines out of order", { 5, 0, 10, 0x7FFF, 2, 0, 10, 0x7FFF, 0x7FFF }, 1 },
        { "points left open", { 0, 0, 10, 0x7FFF, 0x7FFF }, 1 },
        { "an odd point", { 0, 0, 10, 20, 0x7FFF, 5, 0, 10, 20, 0x7FFF, 0x7FFF }, 1 },
        { "no end mark", { 0, 0, 10, 0x7FFF, 5, 0, 10 }, 1 },
        { "points outside the bounds are clipped", { -50, -50, 500, 0x7FFF, 500, -50, 500, 0x7FFF, 0x7FFF }, 1 },
    };
    for (const Case& c : cases)
    {
        PictWriter writer(kFrame);
        writer.Raw(0x0081, RegionBytes(bounds, c.data));
        RecordingSink sink;
        EXPECT_EQ(PictResult::Complete, Play(writer.Finish(), sink)) << c.label;
        ASSERT_EQ(1u, sink.shapes.size()) << c.label;
        const Region& rgn = sink.shapes[0].region;
        EXPECT_EQ(c.rects, rgn.rects.size()) << c.label;
        for (const Rect& rc : rgn.rects)
            EXPECT_TRUE(rc.left >= 0 && rc.top >= 0 && rc.right <= 40 && rc.bottom <= 40) << c.label << " " << rc;
    }
}

TEST(PictHostile, RegionsAboveTheRectangleCapAreTheirBounds)
{
    // 200 spans opened on line 0, then 100 lines each flipping a far span: 100 bands of
    // about 200 rectangles.
    std::vector<int32_t> data = { 0 };
    for (int32_t i = 0; i < 400; i++)
        data.push_back(i * 2);
    data.push_back(0x7FFF);
    for (int32_t y = 1; y <= 100; y++)
        data.insert(data.end(), { y, 1000, 1001, 0x7FFF });
    // The last line closes every span (the far one was flipped an even number of times).
    data.push_back(101);
    for (int32_t i = 0; i < 400; i++)
        data.push_back(i * 2);
    data.insert(data.end(), { 0x7FFF, 0x7FFF });
    PictWriter writer(kFrame);
    writer.Raw(0x0081, RegionBytes(Rect{ 0, 0, 2000, 2000 }, data));
    RecordingSink sink;
    EXPECT_EQ(PictResult::Complete, Play(writer.Finish(), sink));
    ASSERT_EQ(1u, sink.shapes.size());
    ASSERT_EQ(1u, sink.shapes[0].region.rects.size());
    EXPECT_EQ((Rect{ 0, 0, 2000, 2000 }), sink.shapes[0].region.rects[0]);
}

TEST(PictHostile, DetectionAndTheFileHeader)
{
    PictWriter writer(kFrame);
    writer.Rectangle(ShapeVerb::Paint, kFrame);
    std::vector<uint8_t> plain = writer.Finish();
    std::vector<uint8_t> filed = Join({ std::vector<uint8_t>(512, 0xEE), plain });
    RecordingSink a, b, c;
    PictInfo info;
    EXPECT_EQ(PictResult::Complete, Play(filed, a, &info));
    EXPECT_EQ(512u, info.offset);
    EXPECT_EQ(1u, a.shapes.size());
    std::vector<uint8_t> garbage(600, 0x11);
    EXPECT_EQ(PictResult::NotAPicture, Play(garbage, b));
    EXPECT_EQ(PictResult::NotAPicture, ReadPicture(nullptr, 0, c));
    EXPECT_FALSE(GetPictInfo(garbage.data(), garbage.size(), info));
    EXPECT_EQ(0, info.version);
}

TEST(PictHostile, ManyOriginsAndRelativeStepsWrapInSixteenBits)
{
    PictWriter writer(kFrame);
    for (int i = 0; i < 10; i++)
        writer.Origin(30000, -30000);
    writer.Line(Point{ 32760, 32760 }, Point{ 32760 + 100, 32760 + 100 });  // written as a long Line
    for (int i = 0; i < 600; i++)
        writer.Raw(op::kShortLineFrom, { 127, 127 });
    RecordingSink sink;
    EXPECT_EQ(PictResult::Complete, Play(writer.Finish(), sink));
    ASSERT_EQ(601u, sink.shapes.size());
    for (const ShapeCall& call : sink.shapes)
        EXPECT_TRUE(call.rect.right >= -65536 && call.rect.right <= 65536) << call.rect;
}

TEST(PictPackBits, UnpackingStaysInsideBothBuffers)
{
    struct Case
    {
        const char* label;
        std::vector<uint8_t> src;
        size_t unit;
        std::vector<uint8_t> expected;
    } cases[] = {
        { "literal and repeat", { 2, 1, 2, 3, 0xFE, 9 }, 1, { 1, 2, 3, 9, 9, 9 } },
        { "-128 is skipped", { 0x80, 0, 7 }, 1, { 7 } },
        { "literal cut by the end", { 5, 1, 2 }, 1, { 1, 2 } },
        { "repeat without its unit", { 0xFE }, 1, {} },
        { "output beyond the buffer dropped", { 0x81, 4 }, 1, { 4, 4, 4, 4, 4, 4, 4, 4 } },
        { "word units", { 0xFF, 1, 2, 0, 3, 4 }, 2, { 1, 2, 1, 2, 3, 4 } },
        { "word repeat cut", { 0xFF, 1 }, 2, {} },
    };
    for (const Case& c : cases)
    {
        std::vector<uint8_t> out(8, 0xCC);
        size_t n = UnpackBits(c.src.data(), c.src.size(), out.data(), out.size(), c.unit);
        ASSERT_EQ(c.expected.size(), n) << c.label;
        EXPECT_TRUE(std::equal(c.expected.begin(), c.expected.end(), out.begin())) << c.label;
    }
}

TEST(PictPackBits, PackingRoundTripsAndNeverGrowsMuch)
{
    std::vector<uint8_t> data;
    for (int i = 0; i < 1000; i++)
        data.push_back((uint8_t)(i % 7 == 0 ? i : (i / 50) * 3));
    for (size_t unit : { 1, 2 })
    {
        std::vector<uint8_t> code;
        PackBits(data.data(), data.size(), unit, code);
        EXPECT_LE(code.size(), data.size() + data.size() / 128 / unit + 1);
        std::vector<uint8_t> back(data.size());
        EXPECT_EQ(data.size(), UnpackBits(code.data(), code.size(), back.data(), back.size(), unit));
        EXPECT_EQ(data, back);
    }
}

} // namespace
} // namespace pict_test
