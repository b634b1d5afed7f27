// QuickTime-compressed images (opcode 0x8200) in a picture: decoded through CMGR32.DLL
// when the program has loaded it, skipped when it has not or has no decompressor.
#include "media/tests/media_test_util.h"

#include "media/pict/PictWriter.h"

namespace
{

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kBlue = 0x0000FF;
constexpr uint32_t kWhite = 0xFFFFFF;

void Put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

void Put32(std::vector<uint8_t>& out, uint32_t v)
{
    Put16(out, v >> 16);
    Put16(out, v);
}

// A picture of the frame (0, 0, 16 * scale, 16 * scale) holding one CompressedQuickTime
// opcode, a 16 x 16 image of the codec placed by a matrix that scales it, and after it a
// black square at (0, 0, 2, 2).
std::vector<uint8_t> CompressedPicture(uint32_t codecType, const std::vector<uint8_t>& data, int scale)
{
    std::vector<uint8_t> op;
    Put16(op, 0); // version
    const uint32_t matrix[9] = {static_cast<uint32_t>(scale) << 16, 0, 0, 0, static_cast<uint32_t>(scale) << 16, 0, 0, 0,
                                0x40000000};
    for (uint32_t v : matrix)
        Put32(op, v);
    Put32(op, 0);                  // matte size
    op.insert(op.end(), 8, 0);     // matte rectangle
    Put16(op, 64);                 // ditherCopy
    for (uint32_t v : {0, 0, 16, 16}) // source rectangle: top, left, bottom, right
        Put16(op, v);
    Put32(op, 0);                  // accuracy
    Put32(op, 0);                  // mask size
    Put32(op, 86);                 // the image description's size
    Put32(op, codecType);
    op.insert(op.end(), 4 + 2 + 2 + 2 + 2 + 4 + 4 + 4, 0);
    Put16(op, 16);                 // width
    Put16(op, 16);                 // height
    Put32(op, 0x00480000);
    Put32(op, 0x00480000);
    Put32(op, static_cast<uint32_t>(data.size()));
    Put16(op, 1);                  // frame count
    op.insert(op.end(), 32, 0);    // compressor name
    Put16(op, 24);                 // depth
    Put16(op, 0xFFFF);             // colour table id
    op.insert(op.end(), data.begin(), data.end());
    if (op.size() % 2 != 0)
        op.push_back(0);
    std::vector<uint8_t> withLength;
    Put32(withLength, static_cast<uint32_t>(op.size()));
    withLength.insert(withLength.end(), op.begin(), op.end());

    pict::PictWriter w(pict::Rect{0, 0, 16 * scale, 16 * scale});
    w.Raw(0x8200, withLength);
    w.Rectangle(pict::ShapeVerb::Paint, pict::Rect{0, 0, 2, 2});
    return w.Finish();
}

const uint32_t kJpeg = CMGR_FOURCC('j', 'p', 'e', 'g');

} // namespace

TEST(CompressedPicture, DecodedThroughTheComponentManager)
{
    const std::vector<uint8_t> jpeg = MakeJpeg(16, 16, kRed, kBlue);
    ASSERT_FALSE(jpeg.empty());
    CCmgr cmgr;
    CQtim qtim;
    for (int scale : {1, 2})
    {
        CGlobal hPict(PictureHandleOf(CompressedPicture(kJpeg, jpeg, scale)));
        CGlobal hDIB(qtim.ToDIB(hPict.Get()));
        ASSERT_NE(nullptr, hDIB.Get()) << scale;
        const uint32_t left = DIBPixel(hDIB.Get(), 4 * scale, 8 * scale);
        const uint32_t right = DIBPixel(hDIB.Get(), 12 * scale, 8 * scale);
        EXPECT_TRUE(NearColor(left, kRed, 24)) << scale << ": " << std::hex << left;
        EXPECT_TRUE(NearColor(right, kBlue, 24)) << scale << ": " << std::hex << right;
    }
}

// Skipped by its length: whatever follows in the picture is still drawn.
TEST(CompressedPicture, SkippedWithoutADecompressor)
{
    const std::vector<uint8_t> jpeg = MakeJpeg(16, 16, kRed, kBlue);
    CQtim qtim;
    const auto pixelAt = [&](uint32_t codecType, int x, int y) {
        std::vector<uint8_t> picture = CompressedPicture(codecType, jpeg, 1);
        CGlobal hPict(PictureHandleOf(picture));
        CGlobal hDIB(qtim.ToDIB(hPict.Get()));
        return hDIB.Get() != NULL ? DIBPixel(hDIB.Get(), x, y) : 0x1000000u;
    };
    EXPECT_EQ(0u, pixelAt(kJpeg, 1, 1)) << "the opcode after it";
    ASSERT_EQ(nullptr, ::GetModuleHandleA("CMGR32.DLL")) << "no test leaves it loaded";
    EXPECT_EQ(kWhite, pixelAt(kJpeg, 4, 8)) << "CMGR32 not loaded";
    CCmgr cmgr;
    EXPECT_EQ(kWhite, pixelAt(CMGR_FOURCC('r', 'p', 'z', 'a'), 4, 8)) << "no decompressor";
    EXPECT_EQ(kWhite, pixelAt(CMGR_FOURCC('p', 'n', 'g', ' '), 4, 8)) << "not its codec's data";
}
