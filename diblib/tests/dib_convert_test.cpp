// ChangeDIBFormat on hand-made DIBs: nearest palette colours against Wine's
// GetNearestPaletteIndex, run-length edge cases, odd widths and single rows against
// Wine's drawing, bit fields with gaps, and the form of what comes back.
#include "dib_test_util.h"

#include <functional>

namespace {

// Small deterministic pseudo-random numbers.
class CRandom
{
public:
    explicit CRandom(DWORD dwSeed) : m_dw(dwSeed) {}
    DWORD Next()
    {
        m_dw = m_dw * 1664525u + 1013904223u;
        return m_dw >> 8;
    }

private:
    DWORD m_dw;
};

HPALETTE CreatePaletteOf(const std::vector<PALETTEENTRY>& entries)
{
    std::vector<BYTE> bytes(sizeof(LOGPALETTE) + entries.size() * sizeof(PALETTEENTRY));
    LOGPALETTE* pLog = reinterpret_cast<LOGPALETTE*>(bytes.data());
    pLog->palVersion = 0x300;
    pLog->palNumEntries = (WORD)entries.size();
    memcpy(pLog->palPalEntry, entries.data(), entries.size() * sizeof(PALETTEENTRY));
    return ::CreatePalette(pLog);
}

// A 24-bit bottom-up DIB whose pixels, top row first, are the colours given (0x00RRGGBB).
std::vector<BYTE> DIB24(LONG nWidth, const std::vector<DWORD>& colors)
{
    DIBSPEC spec;
    spec.nWidth = nWidth;
    spec.nHeight = (LONG)(colors.size() / nWidth);
    spec.wBitCount = 24;
    const LONG cbRow = (nWidth * 3 + 3) / 4 * 4;
    spec.bits.assign(cbRow * spec.nHeight, 0);
    for (size_t i = 0; i < colors.size(); ++i)
    {
        BYTE* p = &spec.bits[(spec.nHeight - 1 - i / nWidth) * cbRow + i % nWidth * 3];
        p[0] = BYTE(colors[i]);
        p[1] = BYTE(colors[i] >> 8);
        p[2] = BYTE(colors[i] >> 16);
    }
    return PackDIB(spec);
}

DWORD NearestIndex(HPALETTE hPal, DWORD rgb)
{
    return ::GetNearestPaletteIndex(hPal, RGB(rgb >> 16, rgb >> 8, rgb));
}

// Colours that test a palette: its own entries and their neighbours, the points half
// way between pairs of entries (where two entries tie), greys and random colours.
std::vector<DWORD> ProbeColors(const std::vector<PALETTEENTRY>& entries, CRandom& random)
{
    std::vector<DWORD> colors;
    auto rgb = [](int r, int g, int b) {
        auto clamp = [](int v) { return (DWORD)(v < 0 ? 0 : v > 255 ? 255 : v); };
        return (clamp(r) << 16) | (clamp(g) << 8) | clamp(b);
    };
    for (size_t i = 0; i < entries.size(); ++i)
    {
        const PALETTEENTRY& e = entries[i];
        colors.push_back(rgb(e.peRed, e.peGreen, e.peBlue));
        colors.push_back(rgb(e.peRed + 1, e.peGreen - 1, e.peBlue + 2));
        const PALETTEENTRY& f = entries[(i * 7 + 3) % entries.size()];
        colors.push_back(rgb((e.peRed + f.peRed) / 2, (e.peGreen + f.peGreen) / 2, (e.peBlue + f.peBlue) / 2));
    }
    for (int v = 0; v < 256; v += 5)
        colors.push_back(rgb(v, v, v));
    while (colors.size() % 64 != 0 || colors.size() < 2048)
        colors.push_back(random.Next() & 0xFFFFFF);
    return colors;
}

// The converted DIB's pixel indices against GetNearestPaletteIndex of the colours.
void ExpectNearest(HPALETTE hPal, HDIB hDIB, LONG nWidth, const std::function<DWORD(LONG, LONG)>& colorAt)
{
    CDIBHandle dib8(ChangeDIBFormat(hDIB, 8, BI_RGB, hPal));
    ASSERT_TRUE(dib8);
    CDIBLock lock(dib8.Get());
    int nWrong = 0;
    for (LONG y = 0; y < lock.Header().biHeight; ++y)
    {
        for (LONG x = 0; x < nWidth; ++x)
        {
            DWORD rgb = colorAt(x, y);
            DWORD nExpected = NearestIndex(hPal, rgb);
            if (PixelOf(lock, x, y) != nExpected && nWrong++ < 5)
                ADD_FAILURE() << "colour " << std::hex << rgb << ": index " << std::dec << PixelOf(lock, x, y)
                              << ", GetNearestPaletteIndex " << nExpected;
        }
    }
    EXPECT_EQ(0, nWrong);
}

} // namespace

TEST(ChangeDIBFormat, EightBitsChooseAsGetNearestPaletteIndex)
{
    CRandom random(12345);
    std::vector<PALETTEENTRY> big(256);
    for (PALETTEENTRY& e : big)
    {
        DWORD dw = random.Next();
        e = { BYTE(dw), BYTE(dw >> 8), BYTE(dw >> 16), 0 };
    }
    for (int i = 0; i < 10; ++i)
        big[200 + i] = big[i]; // the same colour twice: the lower index wins
    big[250] = { 0, 0, 0, 0 };
    big[251] = { 2, 0, 0, 0 };  // (1, 0, 0) lies half way between these two
    std::vector<PALETTEENTRY> small(big.begin(), big.begin() + 16);
    const struct
    {
        const char* context;
        std::vector<PALETTEENTRY> entries;
    } palettes[] = {
        { "256 entries with repeats", big },
        { "16 entries", small },
        { "one entry", { { 10, 20, 30, 0 } } },
    };
    for (const auto& p : palettes)
    {
        SCOPED_TRACE(p.context);
        HPALETTE hPal = CreatePaletteOf(p.entries);
        const std::vector<DWORD> colors = ProbeColors(p.entries, random);
        CDIBHandle dib24(BlockOf(DIB24(64, colors)));
        ExpectNearest(hPal, dib24.Get(), 64, [&](LONG x, LONG y) { return colors[y * 64 + x]; });

        CDIBHandle dib8(ChangeDIBFormat(dib24.Get(), 8, BI_RGB, hPal));
        CDIBLock lock(dib8.Get());
        EXPECT_EQ(p.entries.size(), lock.Header().biClrUsed);
        for (size_t i = 0; i < p.entries.size(); ++i)
        {
            const RGBQUAD& q = lock.Colors()[i];
            EXPECT_TRUE(q.rgbRed == p.entries[i].peRed && q.rgbGreen == p.entries[i].peGreen && q.rgbBlue == p.entries[i].peBlue)
                << "table entry " << i;
        }
        ::DeleteObject(hPal);
    }

    // Every RGB555 colour, expanded as the 32-bit conversion expands it.
    HPALETTE hPal = CreatePaletteOf(big);
    DIBSPEC spec555;
    spec555.nWidth = 256;
    spec555.nHeight = 128;
    spec555.wBitCount = 16;
    for (DWORD w = 0; w < 32768; ++w)
    {
        spec555.bits.push_back(BYTE(w));
        spec555.bits.push_back(BYTE(w >> 8));
    }
    CDIBHandle dib16(BlockOf(PackDIB(spec555)));
    CDIBHandle dib32(ChangeDIBFormat(dib16.Get(), 32, BI_RGB, NULL));
    ASSERT_TRUE(dib32);
    CDIBLock lock32(dib32.Get());
    ExpectNearest(hPal, dib16.Get(), 256, [&](LONG x, LONG y) { return PixelOf(lock32, x, y); });
    ::DeleteObject(hPal);
}

namespace {

// A 256-entry table whose colours differ from each other, index 0 included.
std::vector<RGBQUAD> DistinctColors()
{
    std::vector<RGBQUAD> colors;
    for (int i = 0; i < 256; ++i)
        colors.push_back(Quad(BYTE(i * 37 + 5), BYTE(255 - i), BYTE(i * 11 + 100)));
    return colors;
}

// The converted image's rows, top first, one digit (hex) per pixel index.
std::vector<std::string> IndexRows(HDIB hDIB)
{
    CDIBHandle dib8(ChangeDIBFormat(hDIB, 8, BI_RGB, NULL));
    std::vector<std::string> rows;
    if (!dib8)
        return rows;
    CDIBLock lock(dib8.Get());
    for (LONG y = 0; y < lock.Header().biHeight; ++y)
    {
        std::string row;
        for (LONG x = 0; x < lock.Header().biWidth; ++x)
            row += "0123456789ABCDEF"[PixelOf(lock, x, y) & 15];
        rows.push_back(row);
    }
    return rows;
}

// Our 32-bit conversion against Wine drawing the DIB onto a surface that starts in the
// colour of index 0 (or black above 8 bits).
::testing::AssertionResult DrawsAsWine(HDIB hDIB)
{
    CDIBLock lock(hDIB);
    DIBINFO info;
    if (!ValidateDIBHandle(hDIB, &info))
        return ::testing::AssertionFailure() << "not valid";
    CSurface wine(info.nWidth, info.nHeight);
    wine.Fill(info.wBitCount <= 8 ? *reinterpret_cast<const DWORD*>(lock.Colors()) & 0xFFFFFF : 0);
    if (wine.Draw(lock.Info(), lock.Bits(), info.nHeight) != info.nHeight)
        return ::testing::AssertionFailure() << "Wine does not draw it";
    CDIBHandle dib32(ChangeDIBFormat(hDIB, 32, BI_RGB, NULL));
    CDIBLock lock32(dib32.Get());
    for (LONG y = 0; y < info.nHeight; ++y)
    {
        for (LONG x = 0; x < info.nWidth; ++x)
        {
            if (wine.At(x, y) != PixelOf(lock32, x, y))
                return ::testing::AssertionFailure() << "at (" << x << "," << y << ") Wine " << std::hex << wine.At(x, y)
                                                     << ", ours " << PixelOf(lock32, x, y);
        }
    }
    return ::testing::AssertionSuccess();
}

std::string Joined(const std::vector<std::string>& rows)
{
    std::string str;
    for (const std::string& row : rows)
        str += row + "/";
    return str;
}

} // namespace

// Streams that sound encoders do not write are drawn as Wine's GDI draws them, with
// one known difference: Wine adds the pixels of a row to what it draws only when an
// escape (end of line, end of bitmap, delta) follows them, so that when a stream runs
// out right after pixels, Wine leaves those last pixels out, though it decoded them.
// Those cases are checked against their rows alone.
TEST(ChangeDIBFormat, RunLengthEdgeCases)
{
    const struct
    {
        const char* context;
        WORD wBitCount;
        LONG nWidth, nHeight;
        std::vector<BYTE> stream;
        const char* pszRows; // top row first
        BOOL bWineDrawsAll;
    } cases[] = {
        { "run across the row's end is cut", 8, 4, 3, { 6, 1, 0, 0, 2, 2, 0, 1 }, "0000/2200/1111/", TRUE },
        { "runs past the edge put nothing", 8, 4, 3, { 6, 1, 2, 3, 0, 0, 1, 4, 0, 1 }, "0000/4000/1111/", TRUE },
        { "literal across the row's end is cut", 8, 4, 2, { 0, 6, 1, 2, 3, 4, 5, 6, 0, 1 }, "0000/1234/", TRUE },
        { "end of line at the row's end", 8, 4, 3, { 4, 1, 0, 0, 4, 2, 0, 0, 4, 3, 0, 0, 0, 1 }, "3333/2222/1111/", TRUE },
        { "delta past the right edge stops at it", 8, 4, 2, { 1, 1, 0, 2, 9, 0, 1, 7, 0, 0, 1, 2, 0, 1 }, "2000/1000/", TRUE },
        { "delta past the top ends the stream", 8, 4, 2, { 1, 1, 0, 2, 0, 5, 1, 2, 0, 1 }, "0000/1000/", TRUE },
        { "delta up and right", 8, 4, 3, { 1, 1, 0, 2, 2, 2, 2, 3, 0, 1 }, "0003/0000/1000/", TRUE },
        { "no end of bitmap", 8, 4, 2, { 2, 1, 0, 0, 2, 2 }, "2200/1100/", FALSE },
        { "no end of bitmap after an end of line", 8, 4, 2, { 2, 1, 0, 0, 2, 2, 0, 0 }, "2200/1100/", TRUE },
        { "end of bitmap leaves the rest at 0", 8, 4, 2, { 1, 5, 0, 1, 4, 4 }, "0000/5000/", TRUE },
        { "literal cut by the stream's end ends it", 8, 4, 1, { 1, 1, 0, 4, 2, 2 }, "1000/", FALSE },
        { "odd literal is padded", 8, 4, 1, { 0, 3, 1, 2, 3, 0, 1, 4, 0, 1 }, "1234/", TRUE },
        { "one row", 8, 3, 1, { 3, 7, 0, 1 }, "777/", TRUE },
        { "4 bits: run from an odd start", 4, 5, 1, { 1, 0x10, 4, 0x23, 0, 1 }, "12323/", TRUE },
        { "4 bits: literal from an odd start", 4, 5, 1, { 1, 0x70, 0, 3, 0x45, 0x60, 0, 1 }, "74560/", TRUE },
        { "4 bits: run of one", 4, 5, 1, { 1, 0x9A, 0, 1 }, "90000/", TRUE },
        { "4 bits: run across the row's end", 4, 5, 2, { 7, 0x12, 0, 0, 2, 0xCD, 0, 1 }, "CD000/12121/", TRUE },
        { "4 bits: odd literal across the row's end", 4, 3, 1, { 0, 5, 0x12, 0x34, 0x50, 0, 0, 1 }, "123/", TRUE },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.context);
        DIBSPEC spec;
        spec.nWidth = c.nWidth;
        spec.nHeight = c.nHeight;
        spec.wBitCount = c.wBitCount;
        spec.dwCompression = c.wBitCount == 8 ? BI_RLE8 : BI_RLE4;
        spec.colors = DistinctColors();
        spec.colors.resize(1u << c.wBitCount);
        spec.bits = c.stream;
        spec.dwSizeImage = (DWORD)c.stream.size();
        CDIBHandle dib(BlockOf(PackDIB(spec)));
        EXPECT_EQ(c.pszRows, Joined(IndexRows(dib.Get())));
        if (c.bWineDrawsAll)
        {
            EXPECT_TRUE(DrawsAsWine(dib.Get()));
        }
    }
}

// Every bit count at widths that leave parts of bytes and padding (filled with junk),
// single rows and top-down rows, against Wine's drawing.
TEST(ChangeDIBFormat, OddWidthsAndSingleRowsDrawAsWine)
{
    CRandom random(777);
    for (WORD wBitCount : { 1, 4, 8, 16, 24, 32 })
    {
        for (LONG nWidth : { 1, 2, 3, 5, 7, 9, 33 })
        {
            for (LONG nHeight : { 1, 2, -3 })
            {
                DIBSPEC spec;
                spec.nWidth = nWidth;
                spec.nHeight = nHeight;
                spec.wBitCount = wBitCount;
                if (wBitCount <= 8)
                {
                    spec.colors = DistinctColors();
                    spec.colors.resize(1u << wBitCount);
                }
                spec.bits.resize((nWidth * wBitCount + 31) / 32 * 4 * abs(nHeight));
                for (BYTE& b : spec.bits)
                    b = BYTE(random.Next());
                CDIBHandle dib(BlockOf(PackDIB(spec)));
                EXPECT_TRUE(DrawsAsWine(dib.Get())) << wBitCount << " bits, " << nWidth << "x" << nHeight;
            }
        }
    }

    // The ninth pixel of a 1-bit row is the top bit of the second byte.
    DIBSPEC spec;
    spec.nWidth = 9;
    spec.wBitCount = 1;
    spec.colors = { Quad(0, 0, 0), Quad(255, 255, 255) };
    spec.bits = { 0x00, 0x80, 0x7F, 0xFF };
    CDIBHandle dib(BlockOf(PackDIB(spec)));
    EXPECT_EQ("000000001/", Joined(IndexRows(dib.Get())));
}

TEST(ChangeDIBFormat, BitFieldsWithGapsAndWideChannels)
{
    const struct
    {
        const char* context;
        WORD wBitCount;
        std::vector<DWORD> masks;
        DWORD dwPixel;
        DWORD rgbExpected;
    } cases[] = {
        { "4-4-4 with gaps, full", 16, { 0xF000, 0x0780, 0x001E }, 0xF79E, 0xFFFFFF },
        { "4-4-4 with gaps", 16, { 0xF000, 0x0780, 0x001E }, 0x8102, 0x882211 },
        { "gap bits are ignored", 16, { 0xF000, 0x0780, 0x001E }, 0x0861, 0x000000 },
        { "5-6-5", 16, { 0xF800, 0x07E0, 0x001F }, 0x8410, 0x848284 },
        { "1-bit channels", 16, { 0x0004, 0x0002, 0x0001 }, 0x0005, 0xFF00FF },
        { "2-bit channels", 16, { 0x0030, 0x000C, 0x0003 }, 0x0021, 0xAA0055 },
        { "10-bit channels keep their top 8 bits", 32, { 0x3FF00000, 0x000FFC00, 0x000003FF }, 0x3FF80001, 0xFF8000 },
        { "blue high, red low", 32, { 0x000000FF, 0x0000FF00, 0x00FF0000 }, 0x00123456, 0x563412 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.context);
        DIBSPEC spec;
        spec.wBitCount = c.wBitCount;
        spec.dwCompression = BI_BITFIELDS;
        spec.masks = c.masks;
        spec.bits.assign(4, 0);
        memcpy(spec.bits.data(), &c.dwPixel, c.wBitCount / 8);
        CDIBHandle dib(BlockOf(PackDIB(spec)));
        CDIBHandle dib32(ChangeDIBFormat(dib.Get(), 32, BI_RGB, NULL));
        ASSERT_TRUE(dib32);
        EXPECT_EQ(c.rgbExpected, PixelOf(CDIBLock(dib32.Get()), 0, 0)) << std::hex << c.dwPixel;
    }
}

TEST(ChangeDIBFormat, FormOfTheResult)
{
    // A 3x2 top-down 32-bit source whose fourth bytes are set.
    DIBSPEC spec;
    spec.nWidth = 3;
    spec.nHeight = -2;
    spec.wBitCount = 32;
    spec.bits = { 0xFF, 0x07, 0x0F, 0xFF, 1, 2, 3, 0x80, 4, 5, 6, 0x80,
                  7, 8, 9, 0xFF, 10, 11, 12, 0xFF, 13, 14, 15, 0xFF };
    std::vector<BYTE> source = PackDIB(spec);
    CDIBHandle dib(BlockOf(source));
    const struct
    {
        WORD wBitCount;
        DWORD cbRow;
        DWORD nColors;
    } formats[] = { { 8, 4, 6 }, { 16, 8, 0 }, { 24, 12, 0 }, { 32, 12, 0 } };
    for (const auto& f : formats)
    {
        SCOPED_TRACE(f.wBitCount);
        CDIBHandle converted(ChangeDIBFormat(dib.Get(), f.wBitCount, BI_RGB, NULL));
        ASSERT_TRUE(converted);
        DIBINFO info;
        ASSERT_TRUE(ValidateDIBHandle(converted.Get(), &info));
        CDIBLock lock(converted.Get());
        const BITMAPINFOHEADER& h = lock.Header();
        EXPECT_EQ(40u, h.biSize);
        EXPECT_EQ(3, h.biWidth);
        EXPECT_EQ(2, h.biHeight) << "bottom-up";
        EXPECT_EQ(f.wBitCount, h.biBitCount);
        EXPECT_EQ((DWORD)BI_RGB, h.biCompression);
        EXPECT_EQ(f.cbRow * 2, h.biSizeImage);
        EXPECT_EQ(f.nColors, h.biClrUsed);
        EXPECT_EQ(40 + 4 * f.nColors + f.cbRow * 2, ::GlobalSize(converted.Get()));
    }

    CDIBHandle dib32(ChangeDIBFormat(dib.Get(), 32, BI_RGB, NULL));
    CDIBLock lock32(dib32.Get());
    EXPECT_EQ(0x0F07FFu, PixelOf(lock32, 0, 0));
    EXPECT_EQ(0x0F0E0Du, PixelOf(lock32, 2, 1));
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(0, lock32.Bits()[4 * i + 3]) << "fourth byte of pixel " << i;
    CDIBHandle dib16(ChangeDIBFormat(dib.Get(), 16, BI_RGB, NULL));
    EXPECT_EQ(0x041Fu, PixelOf(CDIBLock(dib16.Get()), 0, 0)) << "top 5 bits of each channel";
    EXPECT_EQ(0, memcmp(CDIBLock(dib.Get()).Bytes(), source.data(), source.size())) << "source unchanged";
    EXPECT_EQ(0u, ::GlobalFlags(dib.Get()) & GMEM_LOCKCOUNT) << "source left locked";

    // Formats and arguments it refuses.
    HPALETTE hPal = CreatePaletteOf({ { 1, 2, 3, 0 } });
    ::DeleteObject(hPal);
    std::vector<BYTE> cut = source;
    cut.pop_back();
    CDIBHandle dibCut(BlockOf(cut));
    const struct
    {
        const char* context;
        HDIB hDIB;
        WORD wBitCount;
        DWORD dwCompression;
        HPALETTE hPal;
    } refused[] = {
        { "1 bit", dib.Get(), 1, BI_RGB, NULL },
        { "4 bits", dib.Get(), 4, BI_RGB, NULL },
        { "15 bits", dib.Get(), 15, BI_RGB, NULL },
        { "RLE8", dib.Get(), 8, BI_RLE8, NULL },
        { "bit fields", dib.Get(), 16, BI_BITFIELDS, NULL },
        { "no DIB", NULL, 24, BI_RGB, NULL },
        { "a DIB cut short", dibCut.Get(), 24, BI_RGB, NULL },
        { "a deleted palette", dib.Get(), 8, BI_RGB, hPal },
    };
    for (const auto& r : refused)
        EXPECT_FALSE(CDIBHandle(ChangeDIBFormat(r.hDIB, r.wBitCount, r.dwCompression, r.hPal))) << r.context;
}

TEST(ChangeDIBFormat, EightBitsWithoutAPalette)
{
    // Palette images keep their indices and their whole table.
    DIBSPEC spec4;
    spec4.nWidth = 3;
    spec4.wBitCount = 4;
    spec4.dwClrUsed = 3;
    spec4.colors = { Quad(1, 2, 3), Quad(4, 5, 6), Quad(7, 8, 9) };
    spec4.bits = { 0x21, 0x00, 0, 0 };
    CDIBHandle dib4(BlockOf(PackDIB(spec4)));
    EXPECT_EQ("210/", Joined(IndexRows(dib4.Get())));
    {
        CDIBHandle dib8(ChangeDIBFormat(dib4.Get(), 8, BI_RGB, NULL));
        CDIBLock lock(dib8.Get());
        EXPECT_EQ(16u, lock.Header().biClrUsed);
        EXPECT_EQ(7, lock.Colors()[2].rgbRed);
        EXPECT_EQ(0, lock.Colors()[3].rgbRed);
    }

    // A few colours are kept exactly, in the order they first appear from the top.
    const std::vector<DWORD> few = { 0x102030, 0xFFFFFF, 0x102030, 0x000001 };
    CDIBHandle dibFew(BlockOf(DIB24(2, few)));
    {
        CDIBHandle dib8(ChangeDIBFormat(dibFew.Get(), 8, BI_RGB, NULL));
        CDIBLock lock(dib8.Get());
        EXPECT_EQ(3u, lock.Header().biClrUsed);
        EXPECT_EQ("01/02/", Joined(IndexRows(dibFew.Get())));
        EXPECT_EQ(0x30, lock.Colors()[0].rgbBlue);
        EXPECT_EQ(1, lock.Colors()[2].rgbBlue);
    }

    // Many colours: 256 entries that stay close to every pixel, each pixel on its nearest.
    std::vector<DWORD> many;
    for (DWORD y = 0; y < 128; ++y)
        for (DWORD x = 0; x < 128; ++x)
            many.push_back((x * 2 << 16) | (y * 2 << 8) | ((x + y) & 0xFF));
    CDIBHandle dibMany(BlockOf(DIB24(128, many)));
    CDIBHandle dib8(ChangeDIBFormat(dibMany.Get(), 8, BI_RGB, NULL));
    ASSERT_TRUE(dib8);
    CDIBLock lock(dib8.Get());
    ASSERT_EQ(256u, lock.Header().biClrUsed);
    std::vector<PALETTEENTRY> entries;
    for (int i = 0; i < 256; ++i)
        entries.push_back({ lock.Colors()[i].rgbRed, lock.Colors()[i].rgbGreen, lock.Colors()[i].rgbBlue, 0 });
    HPALETTE hPal = CreatePaletteOf(entries);
    ExpectNearest(hPal, dibMany.Get(), 128, [&](LONG x, LONG y) { return many[y * 128 + x]; });
    double dError = 0;
    for (LONG y = 0; y < 128; ++y)
    {
        for (LONG x = 0; x < 128; ++x)
        {
            const RGBQUAD& q = lock.Colors()[PixelOf(lock, x, y)];
            DWORD rgb = many[y * 128 + x];
            dError += abs(q.rgbRed - int(rgb >> 16)) + abs(q.rgbGreen - int((rgb >> 8) & 0xFF)) + abs(q.rgbBlue - int(rgb & 0xFF));
        }
    }
    EXPECT_LT(dError / (128 * 128 * 3), 8.0) << "mean error per channel";
    ::DeleteObject(hPal);
}

// Packed DIBs with every kind of header convert as Wine draws them.
TEST(ChangeDIBFormat, EveryHeaderKindDrawsAsWine)
{
    CRandom random(99);
    auto junk = [&random](size_t cb) {
        std::vector<BYTE> bytes(cb);
        for (BYTE& b : bytes)
            b = BYTE(random.Next());
        return bytes;
    };
    auto header = [](DWORD cbHeader, LONG nWidth, LONG nHeight, WORD wBitCount, DWORD dwCompression,
                     std::vector<DWORD> masks) {
        std::vector<BYTE> bytes(cbHeader);
        BITMAPINFOHEADER h = {};
        h.biSize = cbHeader;
        h.biWidth = nWidth;
        h.biHeight = nHeight;
        h.biPlanes = 1;
        h.biBitCount = wBitCount;
        h.biCompression = dwCompression;
        memcpy(bytes.data(), &h, sizeof h);
        memcpy(bytes.data() + sizeof h, masks.data(), masks.size() * 4);
        return bytes;
    };
    auto cat = [](std::vector<BYTE> a, const std::vector<BYTE>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    };
    std::vector<BYTE> core8 = { 12, 0, 0, 0, 5, 0, 3, 0, 1, 0, 8, 0 };
    std::vector<BYTE> core24 = { 12, 0, 0, 0, 5, 0, 3, 0, 1, 0, 24, 0 };
    const struct
    {
        const char* context;
        std::vector<BYTE> dib;
    } cases[] = {
        { "core, 8 bits", cat(cat(core8, junk(3 * 256)), junk(8 * 3)) },
        { "core, 24 bits", cat(core24, junk(16 * 3)) },
        { "52 bytes, 32 bits", cat(header(52, 5, 3, 32, BI_BITFIELDS, { 0xFF, 0xFF00, 0xFF0000 }), junk(20 * 3)) },
        { "56 bytes, 16 bits", cat(header(56, 5, 3, 16, BI_BITFIELDS, { 0xF800, 0x07E0, 0x001F, 0 }), junk(12 * 3)) },
        { "V4, 16 bits, 5-5-5", cat(header(108, 5, -3, 16, BI_BITFIELDS, { 0x7C00, 0x03E0, 0x001F }), junk(12 * 3)) },
        { "V5, 32 bits, top-down", cat(header(124, 5, -3, 32, BI_BITFIELDS, { 0xFF0000, 0xFF00, 0xFF }), junk(20 * 3)) },
        { "V5, 4 bits", cat(cat(header(124, 5, 3, 4, BI_RGB, {}), junk(64)), junk(4 * 3)) },
    };
    for (const auto& c : cases)
    {
        CDIBHandle dib(BlockOf(c.dib));
        EXPECT_TRUE(DrawsAsWine(dib.Get())) << c.context;
    }
}
