// ReadDIBFile on hand-made files: what it refuses, what it makes of each header kind,
// and that sizes are checked against the file before anything is allocated.
#include "dib_test_util.h"
#include "global_alloc_spy.h"

namespace {

// A 4x2 8-bit file with a 4-entry table; every pixel index below 4.
DIBSPEC FileSpec8()
{
    DIBSPEC spec;
    spec.nWidth = 4;
    spec.nHeight = 2;
    spec.dwClrUsed = 4;
    spec.colors = { Quad(255, 0, 0), Quad(0, 255, 0), Quad(0, 0, 255), Quad(9, 9, 9) };
    spec.bits = { 0, 1, 2, 3, 3, 2, 1, 0 };
    return spec;
}

// A 4x2 RLE8 file with a 4-entry table.
DIBSPEC FileSpecRLE(std::vector<BYTE> stream)
{
    DIBSPEC spec = FileSpec8();
    spec.dwCompression = BI_RLE8;
    spec.bits = std::move(stream);
    return spec;
}

std::vector<BYTE> SpecFile(const DIBSPEC& spec)
{
    return FileOf(PackDIB(spec), (DWORD)(40 + 4 * spec.masks.size() + 4 * spec.colors.size()));
}

// The file with a change to its bytes.
std::vector<BYTE> Patched(std::vector<BYTE> bytes, size_t nOffset, DWORD dwValue, size_t cb = 4)
{
    memcpy(bytes.data() + nOffset, &dwValue, cb);
    return bytes;
}

const size_t BF_SIZE = 2, BF_OFFBITS = 10, BI_XPELS = 14 + 24, BI_YPELS = 14 + 28;

} // namespace

TEST(ReadDIBFile, RefusesFilesThatClaimTooMuchOrBreakTheFormat)
{
    const std::vector<BYTE> good = SpecFile(FileSpec8());
    const DWORD cbGood = (DWORD)good.size();
    const struct
    {
        const char* context;
        std::vector<BYTE> bytes;
        BOOL bRead;
    } cases[] = {
        { "the good file", good, TRUE },
        { "not BM", Patched(good, 0, 'X', 1), FALSE },
        { "bfSize past the end", Patched(good, BF_SIZE, cbGood + 1), FALSE },
        { "bfSize 0", Patched(good, BF_SIZE, 0), TRUE },
        { "bfSize short of the end", Patched(good, BF_SIZE, 26), TRUE },
        { "bits offset past the end", Patched(good, BF_OFFBITS, cbGood + 1), FALSE },
        { "bits offset in the file header", Patched(good, BF_OFFBITS, 10), FALSE },
        { "bits offset inside the colour table", Patched(good, BF_OFFBITS, 14 + 40 + 8), FALSE },
        { "pixels cut short", std::vector<BYTE>(good.begin(), good.end() - 1), FALSE },
        { "empty", {}, FALSE },
        { "file header only", std::vector<BYTE>(good.begin(), good.begin() + 14), FALSE },
        { "biSizeImage past the end", Patched(good, 14 + 20, 9), FALSE },
        { "density at the limit", Patched(good, BI_XPELS, 1000000), TRUE },
        { "absurd horizontal density", Patched(good, BI_XPELS, 30000000), FALSE },
        { "absurd vertical density", Patched(good, BI_YPELS, (DWORD)-30000000), FALSE },
        { "index past the table", Patched(good, good.size() - 1, 4, 1), FALSE },
        { "colour count past the room before the bits", Patched(good, 14 + 32, 5), FALSE },
        { "many colours that are all there",
          [] { DIBSPEC s = FileSpec8(); s.dwClrUsed = 300; s.colors.resize(300); return SpecFile(s); }(), TRUE },
        { "2 bits per pixel", Patched(good, 14 + 14, 2, 2), FALSE },
        { "two planes", Patched(good, 14 + 12, 2, 2), FALSE },
        { "RLE: runs and end of bitmap", SpecFile(FileSpecRLE({ 4, 1, 0, 0, 2, 2, 2, 3, 0, 1 })), TRUE },
        { "RLE: no end of bitmap", SpecFile(FileSpecRLE({ 4, 1, 0, 0, 4, 2 })), TRUE },
        { "RLE: end of line after the last row", SpecFile(FileSpecRLE({ 4, 1, 0, 0, 4, 2, 0, 0, 0, 1 })), TRUE },
        { "RLE: delta to the right edge", SpecFile(FileSpecRLE({ 0, 2, 4, 1, 0, 1 })), TRUE },
        { "RLE: run across the row's end", SpecFile(FileSpecRLE({ 5, 1, 0, 1 })), FALSE },
        { "RLE: literal across the row's end", SpecFile(FileSpecRLE({ 2, 1, 0, 3, 1, 2, 3, 0, 0, 1 })), FALSE },
        { "RLE: delta past the right edge", SpecFile(FileSpecRLE({ 0, 2, 5, 0, 0, 1 })), FALSE },
        { "RLE: delta past the top", SpecFile(FileSpecRLE({ 0, 2, 0, 2, 0, 1 })), FALSE },
        { "RLE: pixels after the last row", SpecFile(FileSpecRLE({ 0, 0, 0, 0, 1, 1 })), FALSE },
        { "RLE: literal cut by the stream's end", SpecFile(FileSpecRLE({ 0, 4, 1, 2 })), FALSE },
        { "RLE: index past the table", SpecFile(FileSpecRLE({ 1, 7, 0, 1 })), FALSE },
        { "RLE: top-down", Patched(SpecFile(FileSpecRLE({ 4, 1, 0, 1 })), 14 + 8, (DWORD)-2), FALSE },
    };
    for (const auto& c : cases)
    {
        CDIBHandle dib(ReadDIBBytes(c.bytes));
        EXPECT_EQ(c.bRead, dib ? TRUE : FALSE) << c.context;
    }
}

TEST(ReadDIBFile, ReadsFromTheFilesPosition)
{
    std::vector<BYTE> bytes(100, 0xEE);
    std::vector<BYTE> file = SpecFile(FileSpec8());
    bytes.insert(bytes.end(), file.begin(), file.end());
    CMemFile memFile(bytes.data(), (UINT)bytes.size());
    memFile.Seek(100, CFile::begin);
    CDIBHandle dib(ReadDIBFile(memFile, 0));
    ASSERT_TRUE(dib);
    EXPECT_EQ(bytes.size(), memFile.GetPosition()) << "left after the pixels";
    CDIBLock lock(dib.Get());
    EXPECT_EQ(0, memcmp(lock.Bits(), FileSpec8().bits.data(), 8));
}

TEST(ReadDIBFile, NormalisesToAnInfoHeader)
{
    // An OS/2 file: core header, 4 bits, a table cut short to 3 triples by the offset of
    // the bits where 16 are implied.
    std::vector<BYTE> core = { 12, 0, 0, 0, 3, 0, 2, 0, 1, 0, 4, 0,
                               10, 20, 30, 40, 50, 60, 70, 80, 90,
                               0x01, 0x20, 0, 0, 0x21, 0x00, 0, 0 };
    {
        CDIBHandle dib(ReadDIBBytes(FileOf(core, 21)));
        ASSERT_TRUE(dib);
        CDIBLock lock(dib.Get());
        const BITMAPINFOHEADER& h = lock.Header();
        EXPECT_EQ(40u, h.biSize);
        EXPECT_EQ(3, h.biWidth);
        EXPECT_EQ(2, h.biHeight);
        EXPECT_EQ(4, h.biBitCount);
        EXPECT_EQ((DWORD)BI_RGB, h.biCompression);
        EXPECT_EQ(0u, h.biClrUsed);
        EXPECT_EQ(8u, h.biSizeImage);
        EXPECT_EQ(40u + 64 + 8, ::GlobalSize(dib.Get()));
        const RGBQUAD* pColors = lock.Colors();
        EXPECT_EQ(10, pColors[0].rgbBlue);
        EXPECT_EQ(30, pColors[0].rgbRed);
        EXPECT_EQ(90, pColors[2].rgbRed);
        for (int i = 3; i < 16; ++i)
            EXPECT_EQ(0u, *reinterpret_cast<const DWORD*>(&pColors[i])) << "entry " << i << " is black";
        EXPECT_EQ(0, memcmp(lock.Bits(), core.data() + 21, 8));
        // The index past the three entries refuses the file.
        core[21] = 0x31;
        EXPECT_FALSE(CDIBHandle(ReadDIBBytes(FileOf(core, 21))));
    }

    // A V5 file of 32 bits with bit fields: the masks follow the new header.
    BITMAPV5HEADER v5 = {};
    v5.bV5Size = sizeof v5;
    v5.bV5Width = 2;
    v5.bV5Height = -1;
    v5.bV5Planes = 1;
    v5.bV5BitCount = 32;
    v5.bV5Compression = BI_BITFIELDS;
    v5.bV5RedMask = 0xFF000000;
    v5.bV5GreenMask = 0x00FF0000;
    v5.bV5BlueMask = 0x0000FF00;
    v5.bV5AlphaMask = 0x000000FF;
    std::vector<BYTE> v5Bytes(reinterpret_cast<BYTE*>(&v5), reinterpret_cast<BYTE*>(&v5 + 1));
    v5Bytes.insert(v5Bytes.end(), { 1, 2, 3, 4, 5, 6, 7, 8 });
    {
        CDIBHandle dib(ReadDIBBytes(FileOf(v5Bytes, sizeof v5)));
        ASSERT_TRUE(dib);
        CDIBLock lock(dib.Get());
        EXPECT_EQ(40u, lock.Header().biSize);
        EXPECT_EQ(-1, lock.Header().biHeight) << "top-down stays top-down";
        EXPECT_EQ((DWORD)BI_BITFIELDS, lock.Header().biCompression);
        const DWORD* pMasks = reinterpret_cast<const DWORD*>(lock.Bytes() + 40);
        EXPECT_EQ(0xFF000000u, pMasks[0]);
        EXPECT_EQ(0x0000FF00u, pMasks[2]);
        EXPECT_EQ(lock.Bytes() + 52, lock.Bits());
        EXPECT_EQ(0, memcmp(lock.Bits(), v5Bytes.data() + sizeof v5, 8));
    }

    // Masks that say what BI_RGB means become BI_RGB.
    v5.bV5BitCount = 16;
    v5.bV5RedMask = 0x7C00;
    v5.bV5GreenMask = 0x03E0;
    v5.bV5BlueMask = 0x001F;
    memcpy(v5Bytes.data(), &v5, sizeof v5);
    {
        CDIBHandle dib(ReadDIBBytes(FileOf(v5Bytes, sizeof v5)));
        ASSERT_TRUE(dib);
        CDIBLock lock(dib.Get());
        EXPECT_EQ((DWORD)BI_RGB, lock.Header().biCompression);
        EXPECT_EQ(lock.Bytes() + 40, lock.Bits());
    }

    // A table that is only a hint above 8 bits is left out.
    DIBSPEC hint = FileSpec8();
    hint.wBitCount = 24;
    hint.bits.assign(24, 7);
    {
        CDIBHandle dib(ReadDIBBytes(SpecFile(hint)));
        ASSERT_TRUE(dib);
        CDIBLock lock(dib.Get());
        EXPECT_EQ(0u, lock.Header().biClrUsed);
        EXPECT_EQ(40u + 24, ::GlobalSize(dib.Get()));
    }

    // A run-length stream stays as it is, with its exact length.
    DIBSPEC rle = FileSpecRLE({ 4, 1, 0, 0, 4, 2, 0, 1 });
    rle.dwSizeImage = 0;
    {
        CDIBHandle dib(ReadDIBBytes(SpecFile(rle)));
        ASSERT_TRUE(dib);
        CDIBLock lock(dib.Get());
        EXPECT_EQ((DWORD)BI_RLE8, lock.Header().biCompression);
        EXPECT_EQ(8u, lock.Header().biSizeImage);
        EXPECT_EQ(0, memcmp(lock.Bits(), rle.bits.data(), 8));
        EXPECT_EQ(40u + 1024 + 8, ::GlobalSize(dib.Get()));
    }
}

// The claim of a huge image is checked against the file's length before a block is
// asked for: no block larger than the file is ever requested.
TEST(ReadDIBFile, HugeClaimsAllocateNothingBig)
{
    CGlobalAllocSpy spy;
    ASSERT_TRUE(spy.IsWatching());
    DIBSPEC good = FileSpec8();
    good.nWidth = 1000;
    good.bits.assign(2000, 1);
    CDIBHandle dib(ReadDIBBytes(SpecFile(good)));
    ASSERT_TRUE(dib);
    EXPECT_GE(spy.GetLargest(), 2000u) << "the spy sees the reader's blocks";

    std::vector<std::pair<std::string, std::vector<BYTE>>> claims;
    DIBSPEC huge = FileSpec8();
    huge.nWidth = 20000;
    huge.nHeight = 20000;
    huge.wBitCount = 32;
    huge.dwClrUsed = 0;
    huge.colors.clear();
    claims.push_back({ "1.6 GB of pixels in 8 bytes", SpecFile(huge) });
    DIBSPEC rle = FileSpecRLE({ 0, 1 });
    rle.nWidth = 60000;
    rle.nHeight = 60000;
    claims.push_back({ "3.6 GB of run-length pixels in 2 bytes", SpecFile(rle) });
    std::string strDir = SuiteDir("b");
    if (!strDir.empty())
        claims.push_back({ "reallybig.bmp", LoadBytes(strDir + "/reallybig.bmp") });
    for (const auto& claim : claims)
    {
        SCOPED_TRACE(claim.first);
        ASSERT_FALSE(claim.second.empty());
        spy.Reset();
        EXPECT_FALSE(CDIBHandle(ReadDIBBytes(claim.second)));
        EXPECT_LE(spy.GetLargest(), claim.second.size());
    }
}
