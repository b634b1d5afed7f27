// Macintosh picture elements: pictures read from files with and without their header,
// bytes kept exactly through storage, what a copy and a comparison give, and the first
// draw turning a picture's Macintosh element into a bitmap element through the media
// library that is built beside the tests.
#include "limn/pictures/DIBElem.h"
#include "limn/pictures/MacPictElem.h"
#include "limn/pictures/Picture.h"

#include "hoard/resources/Hoard.h"

#include "framework/tests/test_support.h"
#include "picture_support.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// A version 2 picture of frame (0, 0, cx, cy): the page painted white, then the
// rectangle (left, top, right, bottom) painted in colour.
std::vector<BYTE> PaintedRectPict(int cx, int cy, const CRect& rect, COLORREF colour)
{
    std::vector<BYTE> bytes;
    auto word = [&](int w) {
        bytes.push_back((BYTE)(w >> 8));
        bytes.push_back((BYTE)w);
    };
    auto rectOf = [&](const CRect& r) {
        word(r.top), word(r.left), word(r.bottom), word(r.right);
    };
    auto fore = [&](COLORREF c) {
        word(0x001A), word(GetRValue(c) * 0x101), word(GetGValue(c) * 0x101), word(GetBValue(c) * 0x101);
    };
    word(0);                                    // the size word, which version 2 ignores
    rectOf(CRect(0, 0, cx, cy));
    word(0x0011), word(0x02FF);                 // version 2
    word(0x0C00);                               // its header: version -1, a fixed-point frame
    word(0xFFFF), word(0xFFFF);
    word(0), word(0), word(0), word(0), word(cx), word(0), word(cy), word(0);
    word(0), word(0);
    word(0x0001), word(10), rectOf(CRect(0, 0, cx, cy));    // clip to the frame
    fore(RGB(255, 255, 255));
    word(0x0031), rectOf(CRect(0, 0, cx, cy));  // paintRect
    fore(colour);
    word(0x0031), rectOf(rect);
    word(0x00FF);
    return bytes;
}

CMacPictElem* ElemOfBytes(const std::vector<BYTE>& bytes)
{
    CMemFile file(const_cast<BYTE*>(bytes.data()), (UINT)bytes.size());
    return CMacPictElem::ReadFile(file);
}

std::vector<BYTE> BytesOf(const CMacPictElem& elem)
{
    const CReloadableData& pict = elem.GetPict();
    const BYTE* p = pict.Lock();
    std::vector<BYTE> bytes(p, p + pict.GetSize());
    pict.Unlock();
    return bytes;
}

} // namespace

TEST(MacPictElem, ReadFromFiles)
{
    const std::vector<BYTE> pict = PaintedRectPict(30, 20, CRect(5, 5, 10, 10), RGB(255, 0, 0));
    std::unique_ptr<CMacPictElem> pElem(ElemOfBytes(pict));
    ASSERT_NE(nullptr, pElem);
    EXPECT_EQ(CSize(30, 20), pElem->GetExtent()) << "the frame's size";
    EXPECT_EQ(pict, BytesOf(*pElem));

    std::vector<BYTE> file(512, 0x55);
    file.insert(file.end(), pict.begin(), pict.end());
    pElem.reset(ElemOfBytes(file));
    ASSERT_NE(nullptr, pElem) << "after a file header";
    EXPECT_EQ(pict, BytesOf(*pElem)) << "the header is not part of the picture";

    EXPECT_EQ(nullptr, ElemOfBytes(std::vector<BYTE>(600, 0))) << "no version opcode";
    EXPECT_EQ(nullptr, ElemOfBytes(std::vector<BYTE>(pict.begin(), pict.begin() + 11))) << "cut inside it";
    std::vector<BYTE> empty = PaintedRectPict(0, 20, CRect(), 0);
    EXPECT_EQ(nullptr, ElemOfBytes(empty)) << "an empty frame";
}

TEST(MacPictElem, BytesKeptThroughStorage)
{
    const std::vector<BYTE> pict = PaintedRectPict(30, 20, CRect(5, 5, 10, 10), RGB(255, 0, 0));
    HGLOBAL hPict = GlobalAlloc(GMEM_MOVEABLE, pict.size());
    memcpy(GlobalLock(hPict), pict.data(), pict.size());
    GlobalUnlock(hPict);
    CMacPictElem elem(hPict);
    EXPECT_NE(nullptr, GlobalLock(hPict)) << "the caller keeps its handle";
    GlobalUnlock(hPict);
    GlobalFree(hPict);
    EXPECT_EQ(pict, BytesOf(elem));
    EXPECT_EQ(CSize(0, 0), elem.GetExtent()) << "the creator sets the extent, not the picture";
    elem.SetExtent(CSize(60, 40));

    std::vector<BYTE> stored = StoreBytes([&](CArchive& ar) { elem.Serialize(ar); });
    CMacPictElem loaded;
    LoadBytes(stored, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(pict, BytesOf(loaded));
    EXPECT_EQ(CSize(60, 40), loaded.GetExtent());
    // The block record, then the extent as two 32-bit values.
    ASSERT_GE(stored.size(), 8u);
    EXPECT_EQ(60, *reinterpret_cast<const LONG*>(&stored[stored.size() - 8]));
    EXPECT_EQ(40, *reinterpret_cast<const LONG*>(&stored[stored.size() - 4]));
}

TEST(MacPictElem, CopiesAreEmptyAndNeverTheSame)
{
    CHoard hoard;
    CPicture* pPicture = CPicture::New(hoard, "mac");
    pPicture->AddPictElem(ElemOfBytes(PaintedRectPict(30, 20, CRect(5, 5, 10, 10), RGB(255, 0, 0))));
    std::unique_ptr<CPicture> pCopy(new CPicture(*pPicture));
    auto* pCopied = dynamic_cast<CMacPictElem*>(pCopy->GetPictElems()[0].m_pElem);
    ASSERT_NE(nullptr, pCopied) << "a copy has an element of the same class";
    EXPECT_EQ(0u, pCopied->GetPict().GetSize()) << "which copies nothing";
    EXPECT_FALSE(pCopied->IsSameAs(pPicture->GetPictElems()[0].m_pElem));
    EXPECT_FALSE(*pPicture == *pCopy);
    EXPECT_FALSE(*pPicture == *pPicture) << "not even the same picture compares equal";
}

TEST(MacPictElem, FirstDrawConvertsToABitmap)
{
    CHoard hoard;
    CPicture* pPicture = CPicture::New(hoard, "mac");
    pPicture->AddPictElem(ElemOfBytes(PaintedRectPict(30, 20, CRect(10, 5, 20, 15), RGB(255, 0, 0))),
                          CRect(0, 0, 30, 20));
    pPicture->SetColor(RGB(0, 0, 255));
    pPicture->SetDefaultColor();
    pPicture->SetTransparentBackground(TRUE);

    CBufferedCanvas canvas(60, 40, 16);
    pPicture->Draw(canvas.m_canvas, CRect(0, 0, 30, 20), CRect(0, 0, 60, 40));
    auto* pBitmap = dynamic_cast<CDIBElem*>(pPicture->GetPictElems()[0].m_pElem);
    ASSERT_NE(nullptr, pBitmap) << "the media library converted the picture";
    EXPECT_TRUE(pBitmap->IsTransparentBackground()) << "the bitmap keeps the element's settings";
    EXPECT_FALSE(pBitmap->IsColorSet());
    DIBINFO info;
    ASSERT_TRUE(pBitmap->GetDIBInfo(&info));
    EXPECT_EQ(30, info.nWidth);
    EXPECT_EQ(20, info.nHeight);
    EXPECT_EQ(RGB555(RGB(255, 0, 0)), canvas.Pixel(30, 20)) << "the rectangle, doubled";
    EXPECT_EQ(canvas.Grey(), canvas.Pixel(5, 5)) << "white is the transparent background";

    // A picture without a Macintosh element first is left as it is.
    CTestDIB dib = MakeTestDIB(4, 4, 8, [](int, int) { return 1u; }, SharedPaletteTable());
    CPicture* pOther = CPicture::New(hoard, "bitmap");
    pOther->AddPictElem(new CDIBElem(dib));
    CMacPictElem* pMac = ElemOfBytes(PaintedRectPict(30, 20, CRect(10, 5, 20, 15), RGB(255, 0, 0)));
    pOther->AddPictElem(pMac);
    pOther->Draw(canvas.m_canvas, CRect(0, 0, 30, 20), CRect(0, 0, 30, 20));
    EXPECT_EQ(pMac, pOther->GetPictElems()[1].m_pElem);
    EXPECT_EQ(RGB555(RGB(255, 0, 0)), canvas.Pixel(15, 10)) << "drawn straight onto the context";
}

TEST(MacPictElem, DamagedPictureStaysAsItIs)
{
    std::vector<BYTE> pict = PaintedRectPict(30, 20, CRect(10, 5, 20, 15), RGB(255, 0, 0));
    pict.resize(14);        // the version and nothing more
    CHoard hoard;
    CPicture* pPicture = CPicture::New(hoard, "cut");
    CMacPictElem* pMac = ElemOfBytes(pict);
    ASSERT_NE(nullptr, pMac);
    pPicture->AddPictElem(pMac);
    CBufferedCanvas canvas(30, 20, 16);
    pPicture->Draw(canvas.m_canvas, CRect(0, 0, 30, 20), CRect(0, 0, 30, 20));
    EXPECT_EQ(pMac, pPicture->GetPictElems()[0].m_pElem) << "no bitmap came of it";
}
