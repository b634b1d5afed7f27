// ValidateDIB against hand-made headers and blocks, and the accessors of packed DIBs.
#include "dib_test_util.h"

namespace {

// A valid 8-bit 3x2 DIB with a 4-entry table.
DIBSPEC Spec8()
{
    DIBSPEC spec;
    spec.nWidth = 3;
    spec.nHeight = 2;
    spec.dwClrUsed = 4;
    spec.colors.assign(4, Quad(1, 2, 3));
    spec.bits.assign(8, 1);
    return spec;
}

// A valid 16-bit 5-6-5 DIB, 2x2.
DIBSPEC Spec565()
{
    DIBSPEC spec;
    spec.nWidth = 2;
    spec.nHeight = 2;
    spec.wBitCount = 16;
    spec.dwCompression = BI_BITFIELDS;
    spec.masks = { 0xF800, 0x07E0, 0x001F };
    spec.bits.assign(8, 0xAB);
    return spec;
}

// A valid RLE8 DIB, 4x2: a run of 4, end of line, a run of 4, end of bitmap.
DIBSPEC SpecRLE8()
{
    DIBSPEC spec;
    spec.nWidth = 4;
    spec.nHeight = 2;
    spec.dwCompression = BI_RLE8;
    spec.colors.assign(256, Quad(0, 0, 0));
    spec.bits = { 4, 1, 0, 0, 4, 2, 0, 1 };
    return spec;
}

BOOL Validate(const std::vector<BYTE>& bytes, DIBINFO* pInfo = NULL)
{
    return ValidateDIB(bytes.data(), bytes.size(), pInfo);
}

} // namespace

TEST(ValidateDIB, HeaderFieldsDecideValidity)
{
    const struct
    {
        const char* context;
        DIBSPEC spec;
        BOOL bValid;
    } cases[] = {
        { "8 bits", Spec8(), TRUE },
        { "5-6-5 bit fields", Spec565(), TRUE },
        { "RLE8", SpecRLE8(), TRUE },
        { "zero width", [] { DIBSPEC s = Spec8(); s.nWidth = 0; return s; }(), FALSE },
        { "negative width", [] { DIBSPEC s = Spec8(); s.nWidth = -3; return s; }(), FALSE },
        { "zero height", [] { DIBSPEC s = Spec8(); s.nHeight = 0; return s; }(), FALSE },
        { "top-down", [] { DIBSPEC s = Spec8(); s.nHeight = -2; return s; }(), TRUE },
        { "most negative height", [] { DIBSPEC s = Spec8(); s.nHeight = INT32_MIN; return s; }(), FALSE },
        { "2 bits", [] { DIBSPEC s = Spec8(); s.wBitCount = 2; return s; }(), FALSE },
        { "1 bit with 4 colours", [] { DIBSPEC s = Spec8(); s.wBitCount = 1; return s; }(), FALSE },
        { "4 bits with 4 colours", [] { DIBSPEC s = Spec8(); s.wBitCount = 4; return s; }(), TRUE },
        { "clrUsed past 1 << bits", [] { DIBSPEC s = Spec8(); s.dwClrUsed = 257; return s; }(), FALSE },
        { "RLE8 at 4 bits", [] { DIBSPEC s = SpecRLE8(); s.wBitCount = 4; s.colors.resize(16); return s; }(), FALSE },
        { "RLE4 at 8 bits", [] { DIBSPEC s = SpecRLE8(); s.dwCompression = BI_RLE4; return s; }(), FALSE },
        { "top-down RLE", [] { DIBSPEC s = SpecRLE8(); s.nHeight = -2; return s; }(), FALSE },
        { "RLE of 1 byte", [] { DIBSPEC s = SpecRLE8(); s.bits = { 0 }; return s; }(), FALSE },
        { "RLE biSizeImage past the block", [] { DIBSPEC s = SpecRLE8(); s.dwSizeImage = 9; return s; }(), FALSE },
        { "RLE biSizeImage within", [] { DIBSPEC s = SpecRLE8(); s.dwSizeImage = 4; return s; }(), TRUE },
        { "RLE that would expand past its limit",
          [] { DIBSPEC s = SpecRLE8(); s.nWidth = 2048; s.nHeight = 1024; return s; }(), FALSE },
        { "RLE just within 1 MB", [] { DIBSPEC s = SpecRLE8(); s.nWidth = 1024; s.nHeight = 1024; return s; }(), TRUE },
        { "bit fields at 8 bits", [] { DIBSPEC s = Spec565(); s.wBitCount = 8; return s; }(), FALSE },
        { "bit fields at 24 bits", [] { DIBSPEC s = Spec565(); s.wBitCount = 24; s.bits.resize(16); return s; }(), FALSE },
        { "zero mask", [] { DIBSPEC s = Spec565(); s.masks[2] = 0; return s; }(), FALSE },
        { "mask with a hole", [] { DIBSPEC s = Spec565(); s.masks[2] = 0x0015; return s; }(), FALSE },
        { "overlapping masks", [] { DIBSPEC s = Spec565(); s.masks[1] = 0x0FE0; return s; }(), FALSE },
        { "mask past 16 bits", [] { DIBSPEC s = Spec565(); s.masks[0] = 0x1F800; return s; }(), FALSE },
        { "gaps between masks", [] { DIBSPEC s = Spec565(); s.masks = { 0xF000, 0x0780, 0x001E }; return s; }(), TRUE },
        { "unknown compression", [] { DIBSPEC s = Spec8(); s.dwCompression = 4; return s; }(), FALSE },
        { "biSizeImage past the block", [] { DIBSPEC s = Spec8(); s.dwSizeImage = 9; return s; }(), FALSE },
        { "small biSizeImage is ignored", [] { DIBSPEC s = Spec8(); s.dwSizeImage = 1; return s; }(), TRUE },
        { "rows cut short", [] { DIBSPEC s = Spec8(); s.bits.resize(7); return s; }(), FALSE },
        { "huge image", [] { DIBSPEC s = Spec8(); s.nWidth = 0x7FFFFFFF; s.nHeight = 0x7FFFFFFF; return s; }(), FALSE },
        { "32 bits, 256 colours of table", [] { DIBSPEC s = Spec8(); s.wBitCount = 32; s.dwClrUsed = 256;
                                                s.colors.resize(256); s.bits.resize(24); return s; }(), TRUE },
        { "32 bits, 257 colours of table", [] { DIBSPEC s = Spec8(); s.wBitCount = 32; s.dwClrUsed = 257;
                                                s.colors.resize(257); s.bits.resize(24); return s; }(), FALSE },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.bValid, Validate(PackDIB(c.spec))) << c.context;
}

TEST(ValidateDIB, EveryByteMustBeThere)
{
    for (const DIBSPEC& spec : { Spec8(), Spec565() })
    {
        std::vector<BYTE> bytes = PackDIB(spec);
        for (size_t cb = 0; cb < bytes.size(); ++cb)
            EXPECT_FALSE(ValidateDIB(bytes.data(), cb, NULL)) << "cut to " << cb << " of " << bytes.size();
        EXPECT_TRUE(Validate(bytes));
    }
    EXPECT_FALSE(ValidateDIB(NULL, 100, NULL));
}

TEST(ValidateDIB, ReportsTheLayout)
{
    DIBINFO info;
    ASSERT_TRUE(Validate(PackDIB(Spec8()), &info));
    EXPECT_EQ(40u, info.cbHeader);
    EXPECT_EQ(3, info.nWidth);
    EXPECT_EQ(2, info.nHeight);
    EXPECT_FALSE(info.bTopDown);
    EXPECT_EQ(8, info.wBitCount);
    EXPECT_EQ(4u, info.nColors);
    EXPECT_EQ(16u, info.cbColorTable);
    EXPECT_EQ(4u, info.cbRow);
    EXPECT_EQ(8u, info.cbBits);

    DIBSPEC spec = Spec565();
    spec.nHeight = -2;
    ASSERT_TRUE(Validate(PackDIB(spec), &info));
    EXPECT_TRUE(info.bTopDown);
    EXPECT_EQ(2, info.nHeight);
    EXPECT_EQ(0u, info.nColors);
    EXPECT_EQ(12u, info.cbColorTable) << "the masks";

    // A run-length stream is every byte left, unless biSizeImage says less.
    std::vector<BYTE> rle = PackDIB(SpecRLE8());
    rle.push_back(0);
    ASSERT_TRUE(Validate(rle, &info));
    EXPECT_EQ(9u, info.cbBits);
    EXPECT_EQ(1024u, info.cbColorTable);
}

TEST(ValidateDIB, CoreAndNewerHeaders)
{
    // A 2x1 24-bit DIB with a BITMAPCOREHEADER.
    std::vector<BYTE> core = { 12, 0, 0, 0, 2, 0, 1, 0, 1, 0, 24, 0, 1, 2, 3, 4, 5, 6, 0, 0 };
    DIBINFO info;
    ASSERT_TRUE(Validate(core, &info));
    EXPECT_EQ(12u, info.cbHeader);
    EXPECT_EQ(2, info.nWidth);
    EXPECT_EQ(8u, info.cbRow);
    core[10] = 16;
    EXPECT_FALSE(Validate(core)) << "16 bits with a core header";

    // A 1x1 32-bit V5 DIB whose masks are in the header.
    BITMAPV5HEADER v5 = {};
    v5.bV5Size = sizeof v5;
    v5.bV5Width = 1;
    v5.bV5Height = 1;
    v5.bV5Planes = 1;
    v5.bV5BitCount = 32;
    v5.bV5Compression = BI_BITFIELDS;
    v5.bV5RedMask = 0x00FF0000;
    v5.bV5GreenMask = 0x0000FF00;
    v5.bV5BlueMask = 0x000000FF;
    v5.bV5AlphaMask = 0xFFFFFFFF; // ignored
    std::vector<BYTE> bytes(reinterpret_cast<BYTE*>(&v5), reinterpret_cast<BYTE*>(&v5 + 1));
    bytes.resize(bytes.size() + 4);
    ASSERT_TRUE(Validate(bytes, &info));
    EXPECT_EQ(0u, info.cbColorTable) << "no masks after a V5 header";

    // Header sizes that are not one of the kinds.
    for (DWORD cb : { 16u, 64u, 66u, 0u, 0xFFFFFFFFu })
    {
        std::vector<BYTE> odd = PackDIB(Spec8());
        memcpy(odd.data(), &cb, 4);
        EXPECT_FALSE(Validate(odd)) << "header size " << cb;
    }
}

// The most a DIB can use, from the header alone: all of an uncompressed DIB, and for a
// run-length stream two bytes a pixel and two for each row's end and the bitmap's.
TEST(ValidateDIB, MaxSizeFromTheHeader)
{
    const std::vector<BYTE> core = { 12, 0, 0, 0, 2, 0, 1, 0, 1, 0, 24, 0 };
    const struct
    {
        const char* context;
        std::vector<BYTE> bytes;
        ULONGLONG cbMax;
    } cases[] = {
        { "8 bits", PackDIB(Spec8()), 40 + 16 + 8 },
        { "bit-field masks", PackDIB(Spec565()), 40 + 12 + 8 },
        { "run-length coded", PackDIB(SpecRLE8()), 40 + 1024 + 2 * (2 * 4 + 2) + 2 },
        { "core header", core, 12 + 8 },
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.cbMax, DIBMaxSize(c.bytes.data(), c.bytes.size())) << c.context;
        DIBINFO info;
        if (Validate(c.bytes, &info))
            EXPECT_LE(info.cbHeader + info.cbColorTable + info.cbBits, c.cbMax) << c.context;
    }
    std::vector<BYTE> head = PackDIB(Spec8());
    head.resize(40);
    EXPECT_EQ(64u, DIBMaxSize(head.data(), head.size())) << "the header is enough";
    head.resize(39);
    EXPECT_EQ(0u, DIBMaxSize(head.data(), head.size()));
    DIBSPEC huge = Spec8();
    huge.nWidth = 0x7FFFFFFF;
    huge.nHeight = 0x7FFFFFFF;
    std::vector<BYTE> hugeBytes = PackDIB(huge);
    EXPECT_EQ(40u + 16 + 0x80000000ull * 0x7FFFFFFF, DIBMaxSize(hugeBytes.data(), hugeBytes.size()));
    DIBSPEC odd = Spec8();
    odd.wBitCount = 7;
    std::vector<BYTE> oddBytes = PackDIB(odd);
    EXPECT_EQ(0u, DIBMaxSize(oddBytes.data(), oddBytes.size()));
    EXPECT_EQ(0u, DIBMaxSize(NULL, 100));
}

TEST(ValidateDIB, Handle)
{
    CDIBHandle dib(BlockOf(PackDIB(Spec8())));
    DIBINFO info = {};
    EXPECT_TRUE(ValidateDIBHandle(dib.Get(), &info));
    EXPECT_EQ(3, info.nWidth);
    EXPECT_FALSE(ValidateDIBHandle(NULL, &info));
    std::vector<BYTE> cut = PackDIB(Spec8());
    cut.pop_back();
    CDIBHandle short_(BlockOf(cut));
    EXPECT_FALSE(ValidateDIBHandle(short_.Get(), NULL));
}

TEST(Accessors, WidthHeightAndBits)
{
    const struct
    {
        const char* context;
        std::vector<BYTE> bytes;
        DWORD nWidth, nHeight, offBits;
    } cases[] = {
        { "8 bits, 4 colours", PackDIB(Spec8()), 3, 2, 40 + 16 },
        { "8 bits, whole table", [] { DIBSPEC s = Spec8(); s.dwClrUsed = 0; return PackDIB(s); }(), 3, 2, 40 + 1024 },
        { "bit fields", PackDIB(Spec565()), 2, 2, 40 + 12 },
        { "top-down", [] { DIBSPEC s = Spec565(); s.nHeight = -2; return PackDIB(s); }(), 2, 2, 52 },
        { "24 bits with a table hint", [] { DIBSPEC s = Spec8(); s.wBitCount = 24; return PackDIB(s); }(), 3, 2, 56 },
        { "core, 4 bits", { 12, 0, 0, 0, 5, 0, 7, 0, 1, 0, 4, 0 }, 5, 7, 12 + 48 },
        { "unknown header", { 20, 0, 0, 0, 5, 0, 0, 0, 7, 0, 0, 0 }, 0, 0, 0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.context);
        std::vector<BYTE> bytes = c.bytes;
        bytes.resize(bytes.size() + 1024); // room that the accessors trust to be there
        LPSTR p = reinterpret_cast<LPSTR>(bytes.data());
        EXPECT_EQ(c.nWidth, DIBWidth(p));
        EXPECT_EQ(c.nHeight, DIBHeight(p));
        EXPECT_EQ(c.offBits == 0 ? NULL : p + c.offBits, FindDIBBits(p));
    }
    EXPECT_EQ(0u, DIBWidth(NULL));
    EXPECT_EQ(0u, DIBHeight(NULL));
    EXPECT_EQ(NULL, FindDIBBits(NULL));
}

TEST(Accessors, CopyHandle)
{
    std::vector<BYTE> bytes = PackDIB(Spec8());
    CDIBHandle dib(BlockOf(bytes));
    CDIBHandle copy(CopyHandle(dib.Get()));
    ASSERT_TRUE(copy);
    EXPECT_NE(dib.Get(), copy.Get());
    EXPECT_EQ(bytes.size(), ::GlobalSize(copy.Get()));
    EXPECT_EQ(0, memcmp(CDIBLock(copy.Get()).Bytes(), bytes.data(), bytes.size()));
    EXPECT_EQ(0u, ::GlobalFlags(copy.Get()) & GMEM_LOCKCOUNT) << "left locked";
    EXPECT_EQ(NULL, CopyHandle(NULL));
}
