// Routine 46: pictures rendered over white at their frame's size into packed DIBs, and
// routine 34's record of them.
#include "media/tests/media_test_util.h"

#include "media/pict/PictReader.h"
#include "media/pict/PictWriter.h"

#include <cstring>

using pict::PictWriter;
using pict::Rect;
using pict::ShapeVerb;

namespace
{

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

// The DIB of the picture, checked to be what routine 46 promises.
class CPictureDIB
{
public:
    CPictureDIB(const CQtim& qtim, const std::vector<uint8_t>& picture)
        : m_hPict(PictureHandleOf(picture)), m_hDIB(qtim.ToDIB(m_hPict.Get()))
    {
    }

    HGLOBAL Get() const { return m_hDIB.Get(); }
    uint32_t Pixel(int x, int y) const { return DIBPixel(m_hDIB.Get(), x, y); }

private:
    CGlobal m_hPict;
    CGlobal m_hDIB;
};

std::vector<uint8_t> RedRectangle(const Rect& frame, const Rect& rect, bool fileHeader = false)
{
    PictWriter w(frame);
    w.ForeColor(kRed);
    w.Rectangle(ShapeVerb::Paint, rect);
    return w.Finish(fileHeader);
}

// A 16 x 8 image of varied colours.
pict::Image Photo()
{
    pict::Image image;
    image.width = 16;
    image.height = 8;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            image.pixels.push_back(static_cast<uint32_t>((x * 16) << 16 | (y * 32) << 8 | ((x + y) * 11)));
    return image;
}

} // namespace

TEST(PictureToDIB, IsABottomUp24BitPackedDIBOfTheFrame)
{
    CQtim qtim;
    CPictureDIB dib(qtim, RedRectangle(Rect{0, 0, 21, 10}, Rect{5, 2, 15, 8}));
    ASSERT_NE(nullptr, dib.Get());
    const BYTE* p = static_cast<const BYTE*>(::GlobalLock(dib.Get()));
    EXPECT_NE(static_cast<const void*>(p), static_cast<const void*>(dib.Get())) << "a movable block";
    const BITMAPINFOHEADER bih = *reinterpret_cast<const BITMAPINFOHEADER*>(p);
    ::GlobalUnlock(dib.Get());
    EXPECT_EQ(sizeof(BITMAPINFOHEADER), bih.biSize);
    EXPECT_EQ(21, bih.biWidth);
    EXPECT_EQ(10, bih.biHeight);
    EXPECT_EQ(1, bih.biPlanes);
    EXPECT_EQ(24, bih.biBitCount);
    EXPECT_EQ(static_cast<DWORD>(BI_RGB), bih.biCompression);
    EXPECT_EQ(0u, bih.biClrUsed);
    EXPECT_EQ(64u * 10, bih.biSizeImage);
    EXPECT_EQ(sizeof(BITMAPINFOHEADER) + bih.biSizeImage, ::GlobalSize(dib.Get()));
}

// The frame's top-left corner need not be (0, 0), and a picture file's 512-byte header
// is skipped.
TEST(PictureToDIB, DrawsShapesAtTheirPlaceOverWhite)
{
    CQtim qtim;
    const struct
    {
        const char* name;
        std::vector<uint8_t> picture;
    } cases[] = {
        {"frame at 0,0", RedRectangle(Rect{0, 0, 20, 10}, Rect{5, 2, 15, 8})},
        {"frame at 100,50", RedRectangle(Rect{100, 50, 120, 60}, Rect{105, 52, 115, 58})},
        {"file header", RedRectangle(Rect{0, 0, 20, 10}, Rect{5, 2, 15, 8}, true)},
    };
    for (const auto& c : cases)
    {
        CPictureDIB dib(qtim, c.picture);
        ASSERT_NE(nullptr, dib.Get()) << c.name;
        EXPECT_EQ(kRed, dib.Pixel(10, 5)) << c.name;
        EXPECT_EQ(kRed, dib.Pixel(5, 2)) << c.name;
        EXPECT_EQ(kRed, dib.Pixel(14, 7)) << c.name;
        EXPECT_EQ(kWhite, dib.Pixel(4, 5)) << c.name;
        EXPECT_EQ(kWhite, dib.Pixel(15, 5)) << c.name;
        EXPECT_EQ(kWhite, dib.Pixel(10, 1)) << c.name;
        EXPECT_EQ(kWhite, dib.Pixel(10, 8)) << c.name;
    }
}

// Each kind of pixel map comes out pixel for pixel.
TEST(PictureToDIB, BitmapsMatchTheirSourcePixels)
{
    CQtim qtim;
    const pict::Image photo = Photo();
    const pict::Placement place = PlacedAt(Rect{0, 0, 16, 8}, Rect{0, 0, 16, 8});

    pict::IndexedImage indexed;
    indexed.width = 16;
    indexed.height = 8;
    indexed.depth = 8;
    for (size_t i = 0; i < photo.pixels.size(); ++i)
    {
        indexed.indices.push_back(static_cast<uint8_t>(i));
        indexed.palette.push_back(photo.pixels[i]);
    }

    PictWriter packBits(Rect{0, 0, 16, 8});
    packBits.PixMap(indexed, place);
    PictWriter direct32(Rect{0, 0, 16, 8});
    direct32.DirectPixMap(photo, place, 32, 4);
    const struct
    {
        const char* name;
        std::vector<uint8_t> picture;
    } cases[] = {
        {"PackBitsRect", packBits.Finish()},
        {"DirectBitsRect 32", direct32.Finish()},
    };
    for (const auto& c : cases)
    {
        CPictureDIB dib(qtim, c.picture);
        ASSERT_NE(nullptr, dib.Get()) << c.name;
        int nWrong = 0;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 16; ++x)
                if (dib.Pixel(x, y) != photo.pixels[y * 16 + x])
                    ++nWrong;
        EXPECT_EQ(0, nWrong) << c.name;
    }
}

// A picture that is one indexed image over its frame becomes an 8-bit DIB of its own
// indices and colours; with anything else drawn too it is rendered at 24 bits. A picture
// cut short gives no DIB, whatever it drew before the cut.
TEST(PictureToDIB, IndexedImageKeepsItsColoursAndACutPictureGivesNone)
{
    CQtim qtim;
    pict::IndexedImage indexed;
    indexed.width = 13;
    indexed.height = 5;
    indexed.depth = 8;
    for (int i = 0; i < 13 * 5; ++i)
        indexed.indices.push_back(static_cast<uint8_t>(i % 7));
    for (int i = 0; i < 7; ++i)
        indexed.palette.push_back(static_cast<pict::Color>(0x102030 * (i + 1)));
    const pict::Placement place = PlacedAt(Rect{0, 0, 13, 5}, Rect{0, 0, 13, 5});

    PictWriter alone(Rect{0, 0, 13, 5});
    alone.PixMap(indexed, place);
    PictWriter withLine(Rect{0, 0, 13, 5});
    withLine.PixMap(indexed, place);
    withLine.Line(pict::Point{0, 4}, pict::Point{12, 4});
    const std::vector<uint8_t> pictAlone = alone.Finish();
    const struct
    {
        std::vector<uint8_t> picture;
        WORD second;
    } cases[] = {{pictAlone, 8}, {withLine.Finish(), 24}};
    for (const auto& c : cases)
    {
        CPictureDIB dib(qtim, c.picture);
        ASSERT_NE(nullptr, dib.Get());
        const BITMAPINFOHEADER bih = *static_cast<const BITMAPINFOHEADER*>(::GlobalLock(dib.Get()));
        ::GlobalUnlock(dib.Get());
        EXPECT_EQ(c.second, bih.biBitCount);
        const DWORD cbTable = c.second == 8 ? 256 * sizeof(RGBQUAD) : 0;
        EXPECT_EQ(sizeof(BITMAPINFOHEADER) + cbTable + bih.biSizeImage, ::GlobalSize(dib.Get()));
        EXPECT_EQ((13u * c.second / 8 + 3) / 4 * 4 * 5, bih.biSizeImage);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 13; ++x)
                ASSERT_EQ(indexed.palette[(y * 13 + x) % 7], dib.Pixel(x, y)) << x << "," << y;
    }

    std::vector<uint8_t> cut = pictAlone;
    cut.resize(cut.size() - 40);
    CPictureDIB none(qtim, cut);
    EXPECT_EQ(nullptr, none.Get());
}

// srcOr leaves the destination where the image is white; a mask region limits the image.
TEST(PictureToDIB, BitmapTransferModesAndMasks)
{
    CQtim qtim;
    const pict::Image image = ImageOf(2, 1, {kWhite, 0x0000FF});
    pict::Placement place = PlacedAt(Rect{0, 0, 2, 1}, Rect{0, 0, 20, 10});

    PictWriter transparent(Rect{0, 0, 20, 10});
    transparent.ForeColor(kRed);
    transparent.Rectangle(ShapeVerb::Paint, Rect{0, 0, 20, 10});
    place.mode = 1; // srcOr
    transparent.DirectPixMap(image, place);
    CPictureDIB dibTransparent(qtim, transparent.Finish());
    ASSERT_NE(nullptr, dibTransparent.Get());
    EXPECT_EQ(kRed, dibTransparent.Pixel(5, 5));
    EXPECT_EQ(0x0000FFu, dibTransparent.Pixel(15, 5));

    PictWriter masked(Rect{0, 0, 20, 10});
    place.mode = 0;
    place.mask = {Rect{0, 0, 20, 5}};
    masked.DirectPixMap(image, place);
    CPictureDIB dibMasked(qtim, masked.Finish());
    ASSERT_NE(nullptr, dibMasked.Get());
    EXPECT_EQ(0x0000FFu, dibMasked.Pixel(15, 4));
    EXPECT_EQ(kWhite, dibMasked.Pixel(15, 5));
}

TEST(PictureToDIB, FramesPensLinesArcsAndInversion)
{
    CQtim qtim;
    PictWriter w(Rect{0, 0, 80, 40});
    w.PenSize(2, 3);
    w.Rectangle(ShapeVerb::Frame, Rect{0, 0, 20, 20});
    w.PenSize(1, 1);
    w.Line(pict::Point{22, 2}, pict::Point{37, 2});
    w.Arc(ShapeVerb::Paint, Rect{20, 20, 40, 40}, 0, 90);
    w.PenSize(3, 3);
    w.Arc(ShapeVerb::Frame, Rect{40, 0, 80, 40}, 45, 180);
    w.ForeColor(kRed);
    w.Oval(ShapeVerb::Paint, Rect{0, 20, 20, 40});
    w.Rectangle(ShapeVerb::Invert, Rect{0, 30, 20, 40});
    CPictureDIB dib(qtim, w.Finish());
    ASSERT_NE(nullptr, dib.Get());
    // The frame lies inside its rectangle, pen 2 wide and 3 high.
    EXPECT_EQ(kBlack, dib.Pixel(0, 10));
    EXPECT_EQ(kBlack, dib.Pixel(1, 10));
    EXPECT_EQ(kWhite, dib.Pixel(2, 10));
    EXPECT_EQ(kBlack, dib.Pixel(10, 2));
    EXPECT_EQ(kWhite, dib.Pixel(10, 3));
    EXPECT_EQ(kBlack, dib.Pixel(19, 10));
    EXPECT_EQ(kWhite, dib.Pixel(10, 10));
    // The line's pen hangs below its points.
    EXPECT_EQ(kBlack, dib.Pixel(30, 2));
    EXPECT_EQ(kWhite, dib.Pixel(30, 1));
    EXPECT_EQ(kWhite, dib.Pixel(30, 3));
    // 0 to 90 degrees: from twelve o'clock clockwise to three o'clock.
    EXPECT_EQ(kBlack, dib.Pixel(34, 25));
    EXPECT_EQ(kWhite, dib.Pixel(25, 25));
    EXPECT_EQ(kWhite, dib.Pixel(34, 35));
    // Framed from 45 to 225 degrees: the right and lower part of the oval's frame alone.
    EXPECT_EQ(kBlack, dib.Pixel(60, 38));
    EXPECT_EQ(kBlack, dib.Pixel(78, 20));
    EXPECT_EQ(kWhite, dib.Pixel(60, 1));
    EXPECT_EQ(kWhite, dib.Pixel(41, 20));
    for (int d = -10; d <= 10; ++d)
        EXPECT_EQ(kWhite, dib.Pixel(60 + d, 20 - d)) << "inside, on the wedge's straight edge " << d;
    // The oval's middle is red, its corner white; inverted, cyan and black.
    EXPECT_EQ(kRed, dib.Pixel(10, 25));
    EXPECT_EQ(kWhite, dib.Pixel(1, 21));
    EXPECT_EQ(0x00FFFFu, dib.Pixel(10, 35));
    EXPECT_EQ(kBlack, dib.Pixel(1, 39));
}

TEST(PictureToDIB, PolygonsRegionsClipsAndText)
{
    CQtim qtim;
    PictWriter w(Rect{0, 0, 60, 40});
    w.Polygon(ShapeVerb::Paint, {{0, 0}, {20, 0}, {0, 20}, {0, 0}});
    w.Region(ShapeVerb::Paint, {Rect{30, 0, 40, 5}, Rect{45, 0, 50, 5}});
    w.ClipRect(Rect{0, 20, 10, 40});
    w.ForeColor(kRed);
    w.Rectangle(ShapeVerb::Paint, Rect{0, 20, 60, 40});
    w.ClipRect(Rect{0, 0, 60, 40});
    w.ForeColor(kBlack);
    w.TextSize(18);
    w.Text(pict::Point{20, 36}, "MW");
    CPictureDIB dib(qtim, w.Finish());
    ASSERT_NE(nullptr, dib.Get());
    EXPECT_EQ(kBlack, dib.Pixel(3, 3));
    EXPECT_EQ(kWhite, dib.Pixel(17, 17));
    EXPECT_EQ(kBlack, dib.Pixel(35, 2));
    EXPECT_EQ(kWhite, dib.Pixel(42, 2));
    EXPECT_EQ(kBlack, dib.Pixel(47, 2));
    EXPECT_EQ(kRed, dib.Pixel(5, 30));
    EXPECT_EQ(kWhite, dib.Pixel(55, 22)) << "clipped away";
    int nInk = 0, nBelowBaseline = 0;
    for (int y = 20; y < 40; ++y)
        for (int x = 15; x < 60; ++x)
            if (dib.Pixel(x, y) == kBlack)
                (y < 37 ? nInk : nBelowBaseline)++;
    EXPECT_GT(nInk, 20) << "the text is drawn";
    EXPECT_EQ(0, nBelowBaseline) << "on its base line";
}

// A framed region is the band just inside its outline, the pen's size deep, also where
// the outline turns inwards.
TEST(PictureToDIB, RegionFramesFollowTheOutline)
{
    CQtim qtim;
    PictWriter w(Rect{0, 0, 20, 20});
    w.PenSize(2, 2);
    w.Region(ShapeVerb::Frame, {Rect{0, 0, 20, 10}, Rect{0, 10, 10, 20}});
    CPictureDIB dib(qtim, w.Finish());
    ASSERT_NE(nullptr, dib.Get());
    const struct
    {
        int x, y;
        uint32_t color;
    } expected[] = {
        {1, 5, kBlack},  {2, 5, kWhite},   {5, 1, kBlack},  {5, 2, kWhite},  {18, 5, kBlack},
        {17, 5, kWhite}, {15, 8, kBlack},  {15, 7, kWhite}, {8, 15, kBlack}, {7, 15, kWhite},
        {5, 18, kBlack}, {5, 17, kWhite},  {1, 15, kBlack}, {15, 15, kWhite},
    };
    for (const auto& e : expected)
        EXPECT_EQ(e.color, dib.Pixel(e.x, e.y)) << e.x << "," << e.y;
}

// Frames that are empty or larger than the library renders into memory give no DIB.
TEST(PictureToDIB, RefusesEmptyAndHugeFrames)
{
    CQtim qtim;
    const Rect frames[] = {Rect{0, 0, 0, 10}, Rect{10, 10, 5, 20}, Rect{0, 0, 4097, 4097}, Rect{-30000, -30000, 30000, 30000}};
    for (const Rect& frame : frames)
    {
        CPictureDIB dib(qtim, RedRectangle(frame, Rect{0, 0, 10, 10}));
        EXPECT_EQ(nullptr, dib.Get()) << frame.left << "," << frame.top << "," << frame.right << "," << frame.bottom;
    }
    CPictureDIB dib(qtim, RedRectangle(Rect{0, 0, 4096, 4096}, Rect{0, 0, 10, 10}));
    ASSERT_NE(nullptr, dib.Get()) << "at the limit";
    EXPECT_EQ(kRed, dib.Pixel(5, 5));
}

TEST(PictureInfo, DescribesThePicture)
{
    CQtim qtim;
    const pict::Image image = ImageOf(2, 2, {0, 1, 2, 3});
    const pict::Placement place = PlacedAt(Rect{0, 0, 2, 2}, Rect{0, 0, 2, 2});
    PictWriter v2(Rect{10, 20, 110, 70}, 2, 144);
    v2.DirectPixMap(image, place, 16, 3);
    v2.Rectangle(ShapeVerb::Paint, Rect{10, 20, 30, 30});
    const std::vector<uint8_t> v2Bytes = v2.Finish(true);
    PictWriter v1(Rect{0, 0, 8, 8}, 1);
    v1.Rectangle(ShapeVerb::Paint, Rect{0, 0, 4, 4});
    std::vector<uint8_t> v1Cut = v1.Finish();
    v1Cut.resize(v1Cut.size() - 1);

    BYTE record[88];
    std::memset(record, 0xEE, sizeof(record));
    QTPICTINFO& info = *reinterpret_cast<QTPICTINFO*>(record);
    info.cbSize = 86;
    CGlobal hV2(PictureHandleOf(v2Bytes));
    ASSERT_EQ(0, qtim.Call(QTIM_GETPICTUREINFO, reinterpret_cast<LONG_PTR>(hV2.Get()), reinterpret_cast<LONG_PTR>(record)));
    EXPECT_EQ(86u, info.cbSize);
    EXPECT_EQ(2, info.wVersion);
    EXPECT_EQ(1, info.fExtended);
    EXPECT_EQ(512u, info.cbHeader);
    EXPECT_EQ(v2Bytes.size(), info.cbPicture);
    EXPECT_EQ(10, info.rcFrame.left);
    EXPECT_EQ(20, info.rcFrame.top);
    EXPECT_EQ(110, info.rcFrame.right);
    EXPECT_EQ(70, info.rcFrame.bottom);
    EXPECT_EQ(144 << 16, info.hRes);
    EXPECT_EQ(144 << 16, info.vRes);
    EXPECT_EQ(1u, info.nImages);
    EXPECT_GE(info.nOpcodes, 4u);
    EXPECT_EQ(16, info.wMaxPixelSize);
    EXPECT_EQ(QTPICT_END_COMPLETE, info.wEnd);
    for (WORD w : info.wReserved)
        EXPECT_EQ(0, w);
    EXPECT_EQ(0xEE, record[86]) << "nothing past the record";
    EXPECT_EQ(0xEE, record[87]);

    CGlobal hV1(PictureHandleOf(v1Cut));
    ASSERT_EQ(0, qtim.Call(QTIM_GETPICTUREINFO, reinterpret_cast<LONG_PTR>(hV1.Get()), reinterpret_cast<LONG_PTR>(record)));
    EXPECT_EQ(1, info.wVersion);
    EXPECT_EQ(0, info.fExtended);
    EXPECT_EQ(0u, info.cbHeader);
    EXPECT_EQ(72 << 16, info.hRes);
    EXPECT_EQ(0u, info.nImages);
    EXPECT_EQ(0, info.wMaxPixelSize);
    EXPECT_EQ(QTPICT_END_TRUNCATED, info.wEnd);
}
