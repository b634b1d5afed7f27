// The BMP test images of the shared test data: every good image decodes to what Wine's
// own GDI draws from the file, the bad ones are refused, and the questionable ones are
// refused or give a valid DIB.
#include "dib_test_util.h"

#include <psapi.h>

#include <algorithm>
#include <functional>

namespace {

// What the file's packed DIB holds, straight from its bytes.
struct SUITEFILE
{
    std::string strName;
    std::vector<BYTE> bytes;
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(bytes.data() + sizeof(BITMAPFILEHEADER)); }
    const BYTE* Bits() const { return bytes.data() + reinterpret_cast<const BITMAPFILEHEADER*>(bytes.data())->bfOffBits; }
};

std::vector<SUITEFILE> LoadSuite(const std::string& strDir)
{
    std::vector<SUITEFILE> files;
    for (const std::string& strName : BmpFiles(strDir))
        files.push_back({ strName, LoadBytes(strDir + "/" + strName) });
    return files;
}

// A palette of 216 cube colours and 40 greys, none of them repeated.
HPALETTE CreateTestPalette()
{
    struct
    {
        WORD wVersion = 0x300;
        WORD wCount = 256;
        PALETTEENTRY entries[256];
    } pal;
    int n = 0;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                pal.entries[n++] = { BYTE(r * 51), BYTE(g * 51), BYTE(b * 51), 0 };
    for (int i = 0; n < 256; ++i)
        pal.entries[n++] = { BYTE(6 + i * 6), BYTE(6 + i * 6), BYTE(6 + i * 6), 0 };
    return ::CreatePalette(reinterpret_cast<LOGPALETTE*>(&pal));
}

// GetNearestPaletteIndex of a 0x00RRGGBB colour.
DWORD NearestIndex(HPALETTE hPal, DWORD rgb)
{
    return ::GetNearestPaletteIndex(hPal, RGB(rgb >> 16, rgb >> 8, rgb));
}

// A mismatch at (x, y) of a file, with both values.
::testing::AssertionResult SamePixels(const char* pszWhat, LONG nWidth, LONG nHeight,
                                      const std::function<DWORD(LONG, LONG)>& expected,
                                      const std::function<DWORD(LONG, LONG)>& actual)
{
    for (LONG y = 0; y < nHeight; ++y)
    {
        for (LONG x = 0; x < nWidth; ++x)
        {
            DWORD dwExpected = expected(x, y), dwActual = actual(x, y);
            if (dwExpected != dwActual)
            {
                char szValues[64];
                snprintf(szValues, sizeof szValues, "expected %06lx got %06lx", (unsigned long)dwExpected,
                         (unsigned long)dwActual);
                return ::testing::AssertionFailure() << pszWhat << " at (" << x << "," << y << "): " << szValues;
            }
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace

// Wine draws the file's own DIB, whatever its header; our reading, converted, must give
// the same pixels, and our normalised DIB must draw the same through Wine too. Pixels a
// run-length stream leaves unset are index 0: the surface starts in that colour, since
// GDI leaves them alone.
TEST(BmpSuite, GoodImagesMatchWineGdi)
{
    std::string strDir = SuiteDir("g");
    SKIP_WITHOUT_SUITE(strDir);
    HPALETTE hPal = CreateTestPalette();
    std::vector<SUITEFILE> files = LoadSuite(strDir);
    ASSERT_GE(files.size(), 20u);
    for (const SUITEFILE& file : files)
    {
        SCOPED_TRACE(file.strName);
        CDIBHandle dib(ReadDIBBytes(file.bytes));
        ASSERT_TRUE(dib) << "not read";
        DIBINFO info;
        ASSERT_TRUE(ValidateDIBHandle(dib.Get(), &info));
        CDIBLock lock(dib.Get());
        EXPECT_EQ(sizeof(BITMAPINFOHEADER), lock.Header().biSize);
        const LONG w = info.nWidth, h = info.nHeight;
        const DWORD rgbUnset = info.wBitCount <= 8 ? *reinterpret_cast<const DWORD*>(lock.Colors()) & 0xFFFFFF : 0;

        CSurface wine(w, h);
        wine.Fill(rgbUnset);
        ASSERT_EQ(h, wine.Draw(file.Info(), file.Bits(), h));
        CSurface normalised(w, h);
        normalised.Fill(rgbUnset);
        ASSERT_EQ(h, normalised.Draw(lock.Info(), lock.Bits(), h));
        EXPECT_TRUE(SamePixels("our DIB drawn by Wine", w, h, [&](LONG x, LONG y) { return wine.At(x, y); },
                               [&](LONG x, LONG y) { return normalised.At(x, y); }));

        CDIBHandle dib32(ChangeDIBFormat(dib.Get(), 32, BI_RGB, NULL));
        CDIBHandle dib24(ChangeDIBFormat(dib.Get(), 24, BI_RGB, NULL));
        CDIBHandle dib16(ChangeDIBFormat(dib.Get(), 16, BI_RGB, NULL));
        CDIBHandle dib8(ChangeDIBFormat(dib.Get(), 8, BI_RGB, hPal));
        ASSERT_TRUE(dib32 && dib24 && dib16 && dib8);
        CDIBLock lock32(dib32.Get()), lock24(dib24.Get()), lock16(dib16.Get()), lock8(dib8.Get());
        EXPECT_TRUE(SamePixels("32 bits", w, h, [&](LONG x, LONG y) { return wine.At(x, y); },
                               [&](LONG x, LONG y) { return PixelOf(lock32, x, y); }));
        EXPECT_TRUE(SamePixels("24 bits", w, h, [&](LONG x, LONG y) { return wine.At(x, y); },
                               [&](LONG x, LONG y) { return PixelOf(lock24, x, y); }));
        EXPECT_TRUE(SamePixels("8 bits", w, h,
                               [&](LONG x, LONG y) { return NearestIndex(hPal, wine.At(x, y)); },
                               [&](LONG x, LONG y) { return PixelOf(lock8, x, y); }));

        // RGB555 as Wine draws the same DIB into a 16-bit surface.
        CSurface wine16(w, h, 16);
        wine16.Fill(rgbUnset);
        ASSERT_EQ(h, wine16.Draw(file.Info(), file.Bits(), h));
        EXPECT_TRUE(SamePixels("16 bits", w, h, [&](LONG x, LONG y) { return wine16.At(x, y); },
                                   [&](LONG x, LONG y) { return PixelOf(lock16, x, y); }));
    }
    ::DeleteObject(hPal);
}

TEST(BmpSuite, BadImagesAreRefused)
{
    std::string strDir = SuiteDir("b");
    SKIP_WITHOUT_SUITE(strDir);
    std::vector<SUITEFILE> files = LoadSuite(strDir);
    ASSERT_GE(files.size(), 15u);
    for (const SUITEFILE& file : files)
    {
        CDIBHandle dib(ReadDIBBytes(file.bytes));
        EXPECT_FALSE(dib) << file.strName << " was read";
    }
}

// A 16-bit bit-field pixel as these routines expand it, worked out bit by bit: each
// channel's bits written out again and again from the top of the byte, or its top 8
// bits when it has more.
DWORD ExpandBitFields(WORD wPixel, const DWORD masks[3])
{
    DWORD rgb = 0;
    for (int c = 0; c < 3; ++c)
    {
        std::vector<int> bits; // the channel's bits, highest first
        for (int i = 31; i >= 0; --i)
        {
            if (masks[c] & (1u << i))
                bits.push_back((wPixel >> i) & 1);
        }
        DWORD v = 0;
        for (int i = 0; i < 8; ++i)
            v = (v << 1) | (bits.size() >= 8 ? bits[i] : bits[i % bits.size()]);
        rgb |= v << (16 - 8 * c);
    }
    return rgb;
}

// Wine's own drawing is the reference for what it draws right. Channels of fewer than 4
// bits it expands by repeating their bits once only (2 bits 11 give 11110000, 1 bit
// gives 11000000), so that full channels are not full; these routines repeat the bits
// to the end of the byte, and the images with such masks are checked against that,
// worked out from the file's own pixels.
TEST(BmpSuite, QuestionableImagesAreRefusedOrMatch)
{
    std::string strDir = SuiteDir("q");
    SKIP_WITHOUT_SUITE(strDir);
    const char* const narrowChannels[] = { "rgb16-231.bmp", "rgb16-3103.bmp", "rgba16-1924.bmp" };
    std::vector<SUITEFILE> files = LoadSuite(strDir);
    ASSERT_GE(files.size(), 20u);
    int nRead = 0;
    for (const SUITEFILE& file : files)
    {
        SCOPED_TRACE(file.strName);
        CDIBHandle dib(ReadDIBBytes(file.bytes));
        if (!dib)
            continue;
        ++nRead;
        DIBINFO info;
        ASSERT_TRUE(ValidateDIBHandle(dib.Get(), &info));
        CDIBHandle dib32(ChangeDIBFormat(dib.Get(), 32, BI_RGB, NULL));
        ASSERT_TRUE(dib32);
        CDIBLock lock(dib.Get()), lock32(dib32.Get());
        const LONG w = info.nWidth, h = info.nHeight;
        std::function<DWORD(LONG, LONG)> actual = [&](LONG x, LONG y) { return PixelOf(lock32, x, y); };

        if (std::find_if(std::begin(narrowChannels), std::end(narrowChannels),
                         [&](const char* psz) { return file.strName == psz; }) != std::end(narrowChannels))
        {
            const BITMAPINFOHEADER& header = file.Info()->bmiHeader;
            const DWORD* pMasks = reinterpret_cast<const DWORD*>(reinterpret_cast<const BYTE*>(&header) + 40);
            const LONG cbRow = (w * 2 + 3) / 4 * 4;
            EXPECT_TRUE(SamePixels("32 bits, by hand", w, h,
                                   [&](LONG x, LONG y) {
                                       const BYTE* p = file.Bits() + (h - 1 - y) * cbRow + 2 * x;
                                       return ExpandBitFields(WORD(p[0] | (p[1] << 8)), pMasks);
                                   },
                                   actual));
            continue;
        }
        const DWORD rgbUnset = info.wBitCount <= 8 ? *reinterpret_cast<const DWORD*>(lock.Colors()) & 0xFFFFFF : 0;
        CSurface wine(w, h);
        wine.Fill(rgbUnset);
        ASSERT_EQ(h, wine.Draw(file.Info(), file.Bits(), h));
        EXPECT_TRUE(SamePixels("32 bits", w, h, [&](LONG x, LONG y) { return wine.At(x, y); }, actual));
    }
    EXPECT_GE(nRead, 20);
}
