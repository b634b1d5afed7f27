// ReadImageFile and WriteImageFile through the Windows Imaging Component: round trips
// through each encoder, pictures of kinds the encoders do not write, alpha, damaged
// files, the pixel cap, and COM left as it was found.
#include "diblib/dibapi.h"

#include "dib_test_util.h"
#include "global_alloc_spy.h"
#include "image_bytes.h"

#include <functional>
#include <thread>

namespace {

typedef std::function<DWORD(LONG x, LONG y)> ColorFn; // 0xAARRGGBB

// A bottom-up BI_RGB DIB of 24 or 32 bits (alpha in the fourth byte) with the colours.
std::vector<BYTE> DirectDIB(LONG nWidth, LONG nHeight, WORD wBitCount, const ColorFn& color)
{
    DIBSPEC spec;
    spec.nWidth = nWidth;
    spec.nHeight = nHeight;
    spec.wBitCount = wBitCount;
    const LONG cbRow = (nWidth * wBitCount + 31) / 32 * 4;
    spec.bits.resize((size_t)cbRow * nHeight);
    for (LONG y = 0; y < nHeight; ++y)
    {
        for (LONG x = 0; x < nWidth; ++x)
        {
            const DWORD c = color(x, y);
            memcpy(&spec.bits[(size_t)(nHeight - 1 - y) * cbRow + x * (wBitCount / 8)], &c, wBitCount / 8);
        }
    }
    return PackDIB(spec);
}

// An 8-bit DIB, top-down, whose index at (x, y) is (x + 3 * y) % nColors, with a table
// of nColors distinct colours.
std::vector<BYTE> PaletteDIB(LONG nWidth, LONG nHeight, int nColors)
{
    DIBSPEC spec;
    spec.nWidth = nWidth;
    spec.nHeight = -nHeight;
    spec.dwClrUsed = (DWORD)nColors;
    for (int i = 0; i < nColors; ++i)
        spec.colors.push_back(Quad((BYTE)(i * 37), (BYTE)(255 - i), (BYTE)(i * 11)));
    const LONG cbRow = (nWidth + 3) / 4 * 4;
    spec.bits.resize((size_t)cbRow * nHeight);
    for (LONG y = 0; y < nHeight; ++y)
        for (LONG x = 0; x < nWidth; ++x)
            spec.bits[(size_t)y * cbRow + x] = (BYTE)((x + 3 * y) % nColors);
    return PackDIB(spec);
}

DWORD PaletteColor(LONG x, LONG y, int nColors)
{
    const int i = (x + 3 * y) % nColors;
    return ((i * 37) & 0xFF) << 16 | (255 - i) << 8 | ((i * 11) & 0xFF);
}

// Many colours, none repeated in a 13 x 7 image, red and green bytes unequal.
DWORD Varied(LONG x, LONG y) { return (DWORD)(x * 19 << 16 | y * 33 << 8 | (x * 7 + y * 29)); }

std::vector<BYTE> WriteBytes(const std::vector<BYTE>& dib, int nFormat)
{
    CDIBHandle hDIB(BlockOf(dib));
    CMemFile file;
    if (!WriteImageFile(file, hDIB.Get(), nFormat))
        return {};
    std::vector<BYTE> bytes(file.GetLength());
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

HDIB ReadBytes(std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), (UINT)bytes.size());
    return ReadImageFile(file, 0);
}

DWORD AlphaOf(const CDIBLock& dib, LONG x, LONG y)
{
    const BITMAPINFOHEADER& h = dib.Header();
    return dib.Bits()[(h.biHeight - 1 - y) * h.biWidth * 4 + x * 4 + 3];
}

// Every pixel of a decoded DIB against the expected 0x00RRGGBB colours, each channel
// within nTolerance; the first difference is reported.
void ExpectPixels(HDIB hDIB, LONG nWidth, LONG nHeight, const ColorFn& color, int nTolerance, const char* pszWhat)
{
    ASSERT_NE(nullptr, hDIB) << pszWhat;
    CDIBLock dib(hDIB);
    ASSERT_EQ(nWidth, dib.Header().biWidth) << pszWhat;
    ASSERT_EQ(nHeight, dib.Header().biHeight) << pszWhat << ": bottom-up";
    ASSERT_EQ((DWORD)BI_RGB, dib.Header().biCompression) << pszWhat;
    for (LONG y = 0; y < nHeight; ++y)
    {
        for (LONG x = 0; x < nWidth; ++x)
        {
            const DWORD got = PixelOf(dib, x, y);
            const DWORD want = color(x, y) & 0xFFFFFF;
            for (int nShift = 0; nShift < 24; nShift += 8)
            {
                const int d = (int)((got >> nShift) & 0xFF) - (int)((want >> nShift) & 0xFF);
                if (abs(d) > nTolerance)
                {
                    ADD_FAILURE() << pszWhat << ": pixel (" << x << ", " << y << ") is " << std::hex << got << ", not "
                                  << want;
                    return;
                }
            }
        }
    }
}

} // namespace

TEST(ImageFile, LosslessFormatsRoundTripExactly)
{
    const struct
    {
        int nFormat;
        const char* pszFormat;
    } formats[] = { { IMAGE_PNG, "PNG" }, { IMAGE_BMP, "BMP" }, { IMAGE_TIFF, "TIFF" }, { IMAGE_GIF, "GIF" } };
    for (const auto& f : formats)
    {
        // A GIF holds 256 colours at most: the 13 x 7 image has 91.
        std::string strWhat = std::string(f.pszFormat) + " of 24 bits";
        CDIBHandle hDirect(ReadBytes(WriteBytes(DirectDIB(13, 7, 24, Varied), f.nFormat)));
        ExpectPixels(hDirect.Get(), 13, 7, Varied, 0, strWhat.c_str());
        if (hDirect)
        {
            EXPECT_EQ(24, CDIBLock(hDirect.Get()).Header().biBitCount) << strWhat;
        }

        strWhat = std::string(f.pszFormat) + " of a top-down palette image";
        CDIBHandle hPalette(ReadBytes(WriteBytes(PaletteDIB(9, 5, 40), f.nFormat)));
        ExpectPixels(hPalette.Get(), 9, 5, [](LONG x, LONG y) { return PaletteColor(x, y, 40); }, 0, strWhat.c_str());
    }
}

TEST(ImageFile, JpegRoundTripIsClose)
{
    auto smooth = [](LONG x, LONG y) { return (DWORD)((40 + x * 4) << 16 | (90 + y * 5) << 8 | (200 - x * 2)); };
    CDIBHandle hDIB(ReadBytes(WriteBytes(DirectDIB(32, 16, 24, smooth), IMAGE_JPEG)));
    ExpectPixels(hDIB.Get(), 32, 16, smooth, 8, "JPEG");
}

TEST(ImageFile, AlphaIsKeptAsStraightAlphaWhereTheFormatHasIt)
{
    auto translucent = [](LONG x, LONG y) {
        static const DWORD alpha[] = { 0xFF, 0x80, 0x01, 0x00 };
        return alpha[(x + y) % 4] << 24 | Varied(x, y);
    };
    const std::vector<BYTE> dib = DirectDIB(13, 7, 32, translucent);
    for (int nFormat : { IMAGE_PNG, IMAGE_TIFF })
    {
        CDIBHandle hDIB(ReadBytes(WriteBytes(dib, nFormat)));
        ASSERT_TRUE(hDIB) << nFormat;
        CDIBLock lock(hDIB.Get());
        ASSERT_EQ(32, lock.Header().biBitCount) << nFormat;
        for (LONG y = 0; y < 7; ++y)
        {
            for (LONG x = 0; x < 13; ++x)
            {
                EXPECT_EQ(translucent(x, y) >> 24, AlphaOf(lock, x, y)) << nFormat << " at " << x << ", " << y;
                EXPECT_EQ(Varied(x, y), PixelOf(lock, x, y)) << nFormat << " at " << x << ", " << y << ": not premultiplied";
            }
        }
    }
    // Without an alpha channel the colours stay and the alpha goes.
    for (int nFormat : { IMAGE_BMP, IMAGE_GIF })
    {
        CDIBHandle hDIB(ReadBytes(WriteBytes(dib, nFormat)));
        ExpectPixels(hDIB.Get(), 13, 7, Varied, 0, "alpha dropped");
    }

    // Fourth bytes that are all 0, as the system leaves them, mean opaque.
    CDIBHandle hOpaque(ReadBytes(WriteBytes(DirectDIB(13, 7, 32, Varied), IMAGE_PNG)));
    ExpectPixels(hOpaque.Get(), 13, 7, Varied, 0, "32 bits without alpha");
    if (hOpaque)
    {
        EXPECT_EQ(24, CDIBLock(hOpaque.Get()).Header().biBitCount);
    }
}

TEST(ImageFile, ReadsKindsTheEncodersDoNotWrite)
{
    // 4 x 3 pictures; each row's raw bytes begin with filter byte 0.
    auto rows = [](const std::function<std::vector<BYTE>(LONG x, LONG y)>& pixel) {
        std::vector<BYTE> raw;
        for (LONG y = 0; y < 3; ++y)
        {
            raw.push_back(0);
            for (LONG x = 0; x < 4; ++x)
            {
                std::vector<BYTE> p = pixel(x, y);
                raw.insert(raw.end(), p.begin(), p.end());
            }
        }
        return raw;
    };
    auto grey = [](LONG x, LONG) { return (DWORD)(x * 60 * 0x010101); };
    auto rgb = [](LONG x, LONG y) { return (DWORD)((x * 60) << 16 | (y * 100) << 8 | 7); };
    const std::vector<BYTE> palette = { 255, 255, 255, 255, 0, 0, 0, 0, 255 };
    auto indexed = [](LONG x, LONG y) { return (DWORD)((x + y) % 3); };
    auto paletteColor = [&](LONG x, LONG y) {
        const BYTE* p = &palette[indexed(x, y) * 3];
        return (DWORD)(p[0] << 16 | p[1] << 8 | p[2]);
    };
    const struct
    {
        const char* pszWhat;
        std::vector<BYTE> file;
        ColorFn color;
        WORD wBitCount;
    } cases[] = {
        { "PNG grey", PngFile(4, 3, 0, 8, rows([&](LONG x, LONG y) { return std::vector<BYTE>{ (BYTE)grey(x, y) }; })),
          grey, 24 },
        { "PNG grey of 16 bits",
          PngFile(4, 3, 0, 16, rows([&](LONG x, LONG y) { return std::vector<BYTE>{ (BYTE)grey(x, y), 0x80 }; })), grey,
          24 },
        { "PNG RGB of 16 bits", PngFile(4, 3, 2, 16, rows([&](LONG x, LONG y) {
              DWORD c = rgb(x, y);
              return std::vector<BYTE>{ (BYTE)(c >> 16), 0x7F, (BYTE)(c >> 8), 0, (BYTE)c, 0xFF };
          })),
          rgb, 24 },
        { "PNG palette",
          PngFile(4, 3, 3, 8, rows([&](LONG x, LONG y) { return std::vector<BYTE>{ (BYTE)indexed(x, y) }; }),
                  { { "PLTE", palette } }),
          paletteColor, 24 },
        { "PNG palette with tRNS",
          PngFile(4, 3, 3, 8, rows([&](LONG x, LONG y) { return std::vector<BYTE>{ (BYTE)indexed(x, y) }; }),
                  { { "PLTE", palette }, { "tRNS", { 0 } } }),
          paletteColor, 32 },
        { "PNG grey with alpha", PngFile(4, 3, 4, 8, rows([&](LONG x, LONG y) {
              return std::vector<BYTE>{ (BYTE)grey(x, y), (BYTE)(x == 0 ? 0 : 255) };
          })),
          grey, 32 },
        { "GIF with a transparent colour",
          GifFile(4, 3, { 0xFFFFFF, 0xFF0000, 0x0000FF },
                  { { 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2 } }, 0),
          paletteColor, 32 },
        { "GIF of two frames: the first",
          GifFile(4, 3, { 0xFFFFFF, 0xFF0000, 0x0000FF }, { { 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2 }, std::vector<BYTE>(12, 2) }),
          paletteColor, 24 },
    };
    for (const auto& c : cases)
    {
        CDIBHandle hDIB(ReadBytes(c.file));
        ExpectPixels(hDIB.Get(), 4, 3, c.color, 0, c.pszWhat);
        if (!hDIB)
            continue;
        CDIBLock lock(hDIB.Get());
        EXPECT_EQ(c.wBitCount, lock.Header().biBitCount) << c.pszWhat;
        if (c.wBitCount == 32)
        {
            EXPECT_EQ(0u, AlphaOf(lock, 0, 0)) << c.pszWhat << ": the transparent pixel";
        }
    }
}

TEST(ImageFile, InterlacedPngIsReassembled)
{
    // Adam7 passes of an 8 x 8 grey picture, each row with filter byte 0.
    static const int passes[7][4] = { { 0, 0, 8, 8 }, { 4, 0, 8, 8 }, { 0, 4, 4, 8 }, { 2, 0, 4, 4 },
                                      { 0, 2, 2, 4 }, { 1, 0, 2, 2 }, { 0, 1, 1, 2 } };
    auto grey = [](LONG x, LONG y) { return (DWORD)((x * 8 + y) * 3 * 0x010101); };
    std::vector<BYTE> raw;
    for (const auto& p : passes)
    {
        for (LONG y = p[1]; y < 8; y += p[3])
        {
            raw.push_back(0);
            for (LONG x = p[0]; x < 8; x += p[2])
                raw.push_back((BYTE)grey(x, y));
        }
    }
    CDIBHandle hDIB(ReadBytes(PngFile(8, 8, 0, 8, raw, {}, 1)));
    ExpectPixels(hDIB.Get(), 8, 8, grey, 0, "interlaced PNG");
}

TEST(ImageFile, DamagedFilesAreRefused)
{
    const std::vector<BYTE> png = WriteBytes(DirectDIB(13, 7, 24, Varied), IMAGE_PNG);
    const std::vector<BYTE> gif = WriteBytes(DirectDIB(13, 7, 24, Varied), IMAGE_GIF);
    const std::vector<BYTE> tiff = WriteBytes(DirectDIB(13, 7, 24, Varied), IMAGE_TIFF);
    const std::vector<BYTE> jpeg = WriteBytes(DirectDIB(13, 7, 24, Varied), IMAGE_JPEG);
    ASSERT_FALSE(png.empty() || gif.empty() || tiff.empty() || jpeg.empty());
    const size_t nIdat = FindIdat(png);
    const struct
    {
        const char* pszWhat;
        std::vector<BYTE> bytes;
    } cases[] = {
        { "empty", {} },
        { "text", std::vector<BYTE>(100, 'x') },
        { "PNG signature changed", ChangedByte(png, 1) },
        { "JPEG cut in half", CutBytes(jpeg, jpeg.size() / 2) },
        { "JPEG cut before its end", CutBytes(jpeg, jpeg.size() - 2) },
        { "TIFF cut in its pixels", CutBytes(tiff, tiff.size() - 10) },
        { "PNG cut in its data", CutBytes(png, nIdat + 24) },
        { "PNG data with a wrong CRC", ChangedByte(png, PngCrcOffset(png, nIdat)) },
        { "PNG data changed", ChangedByte(png, nIdat + 14) },
        { "PNG header only", CutBytes(png, 33) },
        { "PNG without its end", CutBytes(png, png.size() - 12) },
        { "PNG end chunk with a wrong CRC", ChangedByte(png, png.size() - 1) },
        { "GIF cut in its image", CutBytes(gif, gif.size() / 2) },
        { "GIF signature only", CutBytes(gif, 6) },
        { "TIFF cut in its directory", CutBytes(tiff, 12) },
        { "JPEG cut after its start", CutBytes(jpeg, 2) },
        { "JPEG signature changed", ChangedByte(jpeg, 0) },
    };
    for (const auto& c : cases)
    {
        HDIB hDIB = ReadBytes(c.bytes);
        EXPECT_EQ(nullptr, hDIB) << c.pszWhat;
        if (hDIB != NULL)
            GlobalFree(hDIB);
    }
}

TEST(ImageFile, PicturesAboveTheCapAreRefusedBeforeAllocating)
{
    // 1-bit grey PNGs, all black.
    auto blank = [](DWORD nWidth, DWORD nHeight) {
        std::vector<BYTE> raw((size_t)((nWidth + 7) / 8 + 1) * nHeight);
        return PngFile(nWidth, nHeight, 0, 1, raw);
    };
    CGlobalAllocSpy spy;
    ASSERT_TRUE(spy.IsWatching());
    CDIBHandle hWidest(ReadBytes(blank(IMAGE_MAX_SIDE, 1)));
    EXPECT_TRUE(hWidest) << "the widest picture the cap allows";
    const struct
    {
        const char* pszWhat;
        DWORD nWidth;
        DWORD nHeight;
    } cases[] = {
        { "a row too wide", IMAGE_MAX_SIDE + 1, 1 },
        { "a column too high", 1, IMAGE_MAX_SIDE + 1 },
        { "too many pixels", 16385, 4097 },
    };
    for (const auto& c : cases)
    {
        spy.Reset();
        HDIB hDIB = ReadBytes(blank(c.nWidth, c.nHeight));
        EXPECT_EQ(nullptr, hDIB) << c.pszWhat;
        if (hDIB != NULL)
            GlobalFree(hDIB);
        EXPECT_LT(spy.GetLargest(), (SIZE_T)1 << 20) << c.pszWhat;
    }
}

TEST(ImageFile, ReadsFromTheFilesPositionToItsEnd)
{
    std::vector<BYTE> bytes(5, 'x');
    const std::vector<BYTE> png = WriteBytes(DirectDIB(3, 2, 24, Varied), IMAGE_PNG);
    bytes.insert(bytes.end(), png.begin(), png.end());
    CMemFile file(bytes.data(), (UINT)bytes.size());
    EXPECT_EQ(nullptr, ReadImageFile(file, 0)) << "from the start, the junk comes first";
    file.Seek(5, CFile::begin);
    CDIBHandle hDIB(ReadImageFile(file, 0));
    ExpectPixels(hDIB.Get(), 3, 2, Varied, 0, "after the junk");
}

TEST(ImageFile, WriteRefusesWhatItCannotWriteAndWritesNothing)
{
    const std::vector<BYTE> good = DirectDIB(3, 2, 24, Varied);
    std::vector<BYTE> claimsMore = good;
    reinterpret_cast<BITMAPINFOHEADER*>(claimsMore.data())->biHeight = 200;
    const struct
    {
        const char* pszWhat;
        std::vector<BYTE> dib;
        int nFormat;
    } cases[] = {
        { "format 0", good, 0 },
        { "format past the last", good, IMAGE_BMP + 1 },
        { "rows the block does not hold", claimsMore, IMAGE_PNG },
        { "no header", std::vector<BYTE>(8, 0), IMAGE_PNG },
    };
    for (const auto& c : cases)
    {
        CDIBHandle hDIB(BlockOf(c.dib));
        CMemFile file;
        EXPECT_FALSE(WriteImageFile(file, hDIB.Get(), c.nFormat)) << c.pszWhat;
        EXPECT_EQ(0u, file.GetLength()) << c.pszWhat;
    }
    CMemFile file;
    EXPECT_FALSE(WriteImageFile(file, NULL, IMAGE_PNG));
}

TEST(ImageFile, ComIsLeftAsItWasFound)
{
    const std::vector<BYTE> dib = DirectDIB(5, 4, 24, Varied);
    auto cycle = [&dib] {
        for (int nFormat : { IMAGE_PNG, IMAGE_JPEG, IMAGE_GIF, IMAGE_TIFF, IMAGE_BMP })
        {
            CDIBHandle hDIB(ReadBytes(WriteBytes(dib, nFormat)));
            if (!hDIB)
                return false;
        }
        return true;
    };
    // A thread outside COM: after many calls it is still outside, free to choose its
    // apartment.
    for (int i = 0; i < 40; ++i)
        ASSERT_TRUE(cycle()) << "round " << i;
    ASSERT_EQ(S_OK, CoInitializeEx(NULL, COINIT_MULTITHREADED)) << "a single-threaded apartment was left behind";
    // In the caller's multithreaded apartment, which stays.
    EXPECT_TRUE(cycle());
    EXPECT_EQ(S_FALSE, CoInitializeEx(NULL, COINIT_MULTITHREADED));
    CoUninitialize();
    CoUninitialize();
    // In the caller's single-threaded apartment, which stays.
    ASSERT_EQ(S_OK, CoInitializeEx(NULL, COINIT_APARTMENTTHREADED));
    EXPECT_TRUE(cycle());
    EXPECT_EQ(S_FALSE, CoInitializeEx(NULL, COINIT_APARTMENTTHREADED));
    CoUninitialize();
    CoUninitialize();
    // On other threads at once.
    BOOL bOK[2] = { FALSE, FALSE };
    std::thread first([&] { bOK[0] = cycle(); });
    std::thread second([&] { bOK[1] = cycle(); });
    first.join();
    second.join();
    EXPECT_TRUE(bOK[0] && bOK[1]);
}
