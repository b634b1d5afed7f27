// The bitmap element as a stored object: what it keeps of a DIB, its payload, comparison,
// copies and flips of every bit depth.
#include "limn/pictures/DIBElem.h"

#include <gtest/gtest.h>

#include <memory>

#include "picture_support.h"

namespace {

DWORD Index8(int x, int y) { return (DWORD)(20 + x + 10 * y); }

// An element read from its payload, so that it holds the DIB exactly as given.
std::unique_ptr<CDIBElem> StoredElem(HDIB hDIB)
{
    LPSTR pDIB = static_cast<LPSTR>(GlobalLock(hDIB));
    CReloadableData data((DWORD)GlobalSize(hDIB), pDIB);
    LONG cx = (LONG)DIBWidth(pDIB), cy = (LONG)DIBHeight(pDIB);
    GlobalUnlock(hDIB);
    std::vector<BYTE> bytes = StoreBytes([&](CArchive& ar) {
        data.Serialize(ar);
        ar << cx << cy;
    });
    auto pElem = std::make_unique<CDIBElem>();
    LoadBytes(bytes, [&](CArchive& ar) { pElem->Serialize(ar); });
    return pElem;
}

// The element's DIB as a block of its own.
CTestDIB DIBOf(const CDIBElem& elem) { return CTestDIB(elem.CopyDIB()); }

std::vector<BYTE> BytesOf(HDIB hDIB)
{
    const BYTE* p = static_cast<const BYTE*>(GlobalLock(hDIB));
    std::vector<BYTE> bytes(p, p + GlobalSize(hDIB));
    GlobalUnlock(hDIB);
    return bytes;
}

} // namespace

TEST(DIBElem, KeepsACopyOfTheDIB)
{
    const struct
    {
        WORD wBitCount;
        WORD wStoredBitCount;
        DWORD dwWhite;          // white as a pixel value of the DIB given
    } cases[] = { { 1, 1, 1 }, { 4, 4, 1 }, { 8, 8, 1 }, { 16, 16, 0x7FFF }, { 24, 16, 0xFFFFFF }, { 32, 16, 0xFFFFFF } };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.wBitCount);
        CTestDIB dib = MakeTestDIB(7, 5, c.wBitCount, [&](int x, int y) { return (x + y) & 1 ? c.dwWhite : 0u; },
                                   c.wBitCount <= 8 ? std::vector<RGBQUAD>{ Quad(0), Quad(0xFFFFFF) } : std::vector<RGBQUAD>{});
        std::vector<BYTE> before = BytesOf(dib);
        CDIBElem elem(dib);
        EXPECT_EQ(before, BytesOf(dib)) << "the caller's DIB is not touched";
        EXPECT_EQ(CSize(7, 5), elem.GetExtent());
        DIBINFO info;
        ASSERT_TRUE(elem.GetDIBInfo(&info));
        EXPECT_EQ(c.wStoredBitCount, info.wBitCount);
        CTestDIB copy = DIBOf(elem);
        EXPECT_EQ(c.wStoredBitCount == 16 ? 0x7FFFu : c.dwWhite, DIBPixel(copy, 1, 0));
        EXPECT_EQ(0u, DIBPixel(copy, 1, 1));
    }

    CDIBElem none(NULL);
    EXPECT_EQ(CSize(0, 0), none.GetExtent());
    EXPECT_EQ(0u, none.GetDIBSize());
    EXPECT_EQ(nullptr, none.CopyDIB());
    CTestDIB lying = MakeTestDIB(4, 4, 8, Index8, SharedPaletteTable());
    lying.Header().biHeight = 400;
    CDIBElem refused(lying);
    EXPECT_EQ(0u, refused.GetDIBSize()) << "a DIB that lies is not taken";
}

// The payload is the DIB's block record and the extent, which reading takes from the
// stream; 16-bit images are coded in words.
TEST(DIBElem, Payload)
{
    CTestDIB dib = MakeTestDIB(64, 16, 16, [](int x, int) { return x < 32 ? 0x1234u : 0x4321u; });
    CDIBElem elem(dib);
    std::vector<BYTE> bytes = StoreBytes([&](CArchive& ar) { elem.Serialize(ar); });
    ASSERT_GE(bytes.size(), 12u);
    DWORD nFull = *reinterpret_cast<DWORD*>(&bytes[0]);
    DWORD nStored = *reinterpret_cast<DWORD*>(&bytes[4]);
    EXPECT_EQ(GlobalSize(dib), nFull);
    ASSERT_LT(nStored, nFull) << "runs of equal pixels compress";
    EXPECT_EQ(2u, *reinterpret_cast<DWORD*>(&bytes[8])) << "coded in words";
    ASSERT_EQ(8 + nStored + 8, bytes.size());
    EXPECT_EQ(64, *reinterpret_cast<LONG*>(&bytes[8 + nStored]));
    EXPECT_EQ(16, *reinterpret_cast<LONG*>(&bytes[12 + nStored]));

    *reinterpret_cast<LONG*>(&bytes[8 + nStored]) = 9;
    CDIBElem read;
    LoadBytes(bytes, [&](CArchive& ar) { read.Serialize(ar); });
    EXPECT_EQ(CSize(9, 16), read.GetExtent()) << "the stored extent";
    EXPECT_TRUE(read.IsSameAs(&elem));

    // A block far longer than its DIB, as another program may hand one over, is kept
    // whole and reads back as it was written, although a coded stream may not claim
    // that much for so small a DIB.
    CTestDIB small = MakeTestDIB(4, 3, 8, Index8, SharedPaletteTable());
    const SIZE_T cbLong = 300000;
    CTestDIB padded(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, cbLong));
    memcpy(padded.Bytes(), small.Bytes(), small.Size());
    CDIBElem long_(padded);
    ASSERT_EQ(cbLong, long_.GetDIBSize());
    std::vector<BYTE> longBytes = StoreBytes([&](CArchive& ar) { long_.Serialize(ar); });
    CDIBElem longRead;
    LoadBytes(longBytes, [&](CArchive& ar) { longRead.Serialize(ar); });
    EXPECT_EQ(cbLong, longRead.GetDIBSize());
    EXPECT_TRUE(longRead.IsSameAs(&long_));
}

TEST(DIBElem, ComparisonAndCopy)
{
    CTestDIB dib = MakeTestDIB(4, 3, 8, Index8, SharedPaletteTable());
    CTestDIB other = MakeTestDIB(4, 3, 8, [](int x, int y) { return Index8(x, y) + (x == 3 && y == 2); },
                                 SharedPaletteTable());
    CDIBElem a(dib), b(dib), c(other);
    EXPECT_TRUE(a.IsSameAs(&b));
    EXPECT_FALSE(a.IsSameAs(&c));
    CDIBElem empty1, empty2;
    EXPECT_FALSE(empty1.IsSameAs(&empty2)) << "two empty bitmaps are not the same";

    CDIBElem copy;
    copy.CopyFrom(&c);
    EXPECT_TRUE(copy.IsSameAs(&c));
    EXPECT_EQ(CSize(4, 3), copy.GetExtent());
    std::unique_ptr<CPictElem> pCreated(a.CreateCopy());
    ASSERT_NE(nullptr, pCreated);
    EXPECT_EQ(RUNTIME_CLASS(CDIBElem), pCreated->GetRuntimeClass());
    EXPECT_TRUE(pCreated->IsSameAs(&a));
}

// Every depth flips top to bottom; 8 bits and more flip left to right; run-length coded
// bitmaps do not flip at all.
TEST(DIBElem, Flips)
{
    const int cx = 11, cy = 5;
    auto pixel = [](int x, int y) { return (DWORD)((x * 3 + y * 7) % 16); };
    auto rgb = [](int x, int y) { return (DWORD)((x * 0x151515 + y * 0x2A0000 + 1) & 0xFFFFFF); };
    std::vector<RGBQUAD> palette16(16, Quad(0));
    for (int i = 0; i < 16; ++i)
        palette16[i] = Quad(RGB(i * 16, 0, 0));
    const struct
    {
        const char* context;
        CTestDIB dib;
        PixelFn pixel;
        BOOL bHorizontal;
    } cases[] = {
        { "1 bit", MakeTestDIB(cx, cy, 1, pixel, { Quad(0), Quad(0xFFFFFF) }), [&](int x, int y) { return pixel(x, y) & 1; }, FALSE },
        { "4 bits", MakeTestDIB(cx, cy, 4, pixel, palette16), pixel, FALSE },
        { "8 bits", MakeTestDIB(cx, cy, 8, pixel, palette16), pixel, TRUE },
        { "8 bits top-down", MakeTestDIB(cx, cy, 8, pixel, palette16, TRUE), pixel, TRUE },
        { "16 bits", MakeTestDIB(cx, cy, 16, rgb), [&](int x, int y) { return rgb(x, y) & 0xFFFF; }, TRUE },
        { "24 bits", MakeTestDIB(cx, cy, 24, rgb), rgb, TRUE },
        { "32 bits", MakeTestDIB(cx, cy, 32, rgb), rgb, TRUE },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.context);
        std::unique_ptr<CDIBElem> pElem = StoredElem(c.dib);
        pElem->FlipVertically();
        {
            CTestDIB flipped = DIBOf(*pElem);
            for (int y = 0; y < cy; ++y)
                for (int x = 0; x < cx; ++x)
                    ASSERT_EQ(c.pixel(x, cy - 1 - y), DIBPixel(flipped, x, y)) << x << "," << y;
        }
        pElem->FlipVertically();
        pElem->FlipHorizontally();
        CTestDIB flipped = DIBOf(*pElem);
        for (int y = 0; y < cy; ++y)
            for (int x = 0; x < cx; ++x)
                ASSERT_EQ(c.pixel(c.bHorizontal ? cx - 1 - x : x, y), DIBPixel(flipped, x, y)) << x << "," << y;
    }

    CTestDIB rle = MakeRle8DIB(cx, cy, pixel, palette16);
    std::unique_ptr<CDIBElem> pRle = StoredElem(rle);
    pRle->FlipHorizontally();
    pRle->FlipVertically();
    CTestDIB after = DIBOf(*pRle);
    EXPECT_EQ(BytesOf(rle), BytesOf(after));
}

// A run-length stream whose header gives no length is handed on with its length, which
// GDI needs to draw it; the element keeps the bytes it was given.
TEST(DIBElem, CopyOfARunLengthStreamWithoutItsLength)
{
    std::vector<RGBQUAD> palette = { Quad(RGB(0, 0, 0)), Quad(RGB(255, 0, 0)) };
    CTestDIB dib = MakeRle8DIB(6, 4, [](int x, int y) { return (DWORD)(x == y); }, palette);
    const DWORD nStream = dib.Header().biSizeImage;
    dib.Header().biSizeImage = 0;
    std::unique_ptr<CDIBElem> pElem = StoredElem(dib);
    CTestDIB copy = DIBOf(*pElem);
    ASSERT_NE(nullptr, (HDIB)copy);
    EXPECT_EQ(nStream, copy.Header().biSizeImage) << "the stream runs to the end of the block";
    EXPECT_EQ(0u, dib.Header().biSizeImage);

    CDibSurface surface(6, 4, RGB(0, 0, 255));
    const BYTE* pCopy = copy.Bytes();
    ::SetDIBitsToDevice(surface.m_dc.m_hDC, 0, 0, 6, 4, 0, 0, 0, 4, FindDIBBits((LPSTR)pCopy),
                        reinterpret_cast<const BITMAPINFO*>(pCopy), DIB_RGB_COLORS);
    EXPECT_EQ(RGB(255, 0, 0), surface.At(2, 2));
    EXPECT_EQ(RGB(0, 0, 0), surface.At(3, 2));
}

TEST(DIBElem, FlipRows)
{
    BYTE rows[3][4] = { { 1, 2, 3, 4 }, { 5, 6, 7, 8 }, { 9, 10, 11, 12 } };
    CDIBElem::FlipVertically(&rows[0][0], CSize(-4, -3));
    const BYTE expected[3][4] = { { 9, 10, 11, 12 }, { 5, 6, 7, 8 }, { 1, 2, 3, 4 } };
    EXPECT_EQ(0, memcmp(expected, rows, sizeof rows));
    CDIBElem::FlipVertically(&rows[0][0], CSize(0, 3));
    CDIBElem::FlipVertically(&rows[0][0], CSize(4, 0));
    EXPECT_EQ(0, memcmp(expected, rows, sizeof rows));
}

// The 8-bit image for a palette buffer counts its distinct indices, row padding included.
TEST(DIBElem, UniqueOptimizedColors)
{
    CTestDIB dib = MakeTestDIB(8, 4, 8, [](int x, int) { return x < 3 ? 30u : x < 6 ? 40u : 50u; }, SharedPaletteTable());
    CDIBElem elem(dib);
    EXPECT_EQ(0, elem.GetNumUniqueOptimizedColors());
    CBufferedCanvas canvas(8, 4, 8);
    elem.Draw(canvas.m_canvas, CRect(0, 0, 8, 4));
    EXPECT_EQ(3, elem.GetNumUniqueOptimizedColors());
}
