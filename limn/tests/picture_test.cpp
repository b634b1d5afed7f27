// The picture resource: its elements and extent, its archive form byte for byte, what it
// makes of damaged or unexpected records, comparison and copies, its life in a resource
// file (read lazily, purged, drawn again), the clipboard and imported bitmap files.
#include "limn/pictures/DIBElem.h"
#include "limn/pictures/DrawEllipseElem.h"
#include "limn/pictures/DrawPolygonElem.h"
#include "limn/pictures/Picture.h"

#include "hoard/resources/EditProxy.h"
#include "hoard/resources/Hoard.h"

#include <gtest/gtest.h>

#include <memory>

#include "diblib/tests/global_alloc_spy.h"
#include "framework/tests/test_support.h"
#include "picture_support.h"

// A resource that is not a picture element, which counts its live objects.
class CMemo : public CResource
{
    DECLARE_SERIAL(CMemo)
public:
    CMemo() { ++s_nLive; }
    ~CMemo() override { --s_nLive; }
    static int s_nLive;
};
int CMemo::s_nLive = 0;
IMPLEMENT_SERIAL(CMemo, CResource, 0)

// A picture element without data, which counts its live objects.
class CCountedElem : public CPictElem
{
    DECLARE_SERIAL(CCountedElem)
public:
    CCountedElem() { ++s_nLive; }
    ~CCountedElem() override { --s_nLive; }
    void Draw(CCanvas&, const CRect&, const CRect&) const override {}
    static int s_nLive;
};
int CCountedElem::s_nLive = 0;
IMPLEMENT_SERIAL(CCountedElem, CPictElem, 0)

namespace {

// A small 8-bit DIB of shared-palette colours.
CTestDIB SmallDIB(int cx = 4, int cy = 3, int nSeed = 0)
{
    return MakeTestDIB(cx, cy, 8, [=](int x, int y) { return (DWORD)(30 + x + 5 * y + nSeed); }, SharedPaletteTable());
}

// The block record that CReloadableData writes for the bytes of hDIB, coded in bytes.
std::vector<BYTE> BlockRecord(HDIB hDIB)
{
    CReloadableData data((DWORD)GlobalSize(hDIB), GlobalLock(hDIB));
    GlobalUnlock(hDIB);
    return StoreBytes([&](CArchive& ar) { data.Serialize(ar); });
}

// An element that is a resource as well: it lives by its usage count. Of its two CObject
// bases, its element's is the one the archive knows.
class CResourceElem : public CPictElem, public CResource
{
    DECLARE_DYNAMIC(CResourceElem)
public:
    CResourceElem() { ++s_nLive; }
    ~CResourceElem() override { --s_nLive; }
    static CObject* PASCAL CreateObject() { return static_cast<CPictElem*>(new CResourceElem); }
    void Serialize(CArchive& ar) override { CResource::Serialize(ar); }
    void Draw(CCanvas&, const CRect&, const CRect&) const override {}
    static int s_nLive;
};
int CResourceElem::s_nLive = 0;
_IMPLEMENT_RUNTIMECLASS(CResourceElem, CPictElem, 1, CResourceElem::CreateObject)
const AFX_CLASSINIT g_initResourceElem(RUNTIME_CLASS(CResourceElem));

// An editing dialog's proxy that makes pictures in a resource file.
class CTestProxy : public CEditProxy
{
public:
    explicit CTestProxy(CHoard& hoard) : m_hoard(hoard) {}
    CResource* New(const char* pszName) override { return CPicture::New(m_hoard, pszName); }
    void UpdatePreview() override {}
    void UpdateList() override {}

private:
    CHoard& m_hoard;
};

template <class EXCEPTION>
int CauseOf(std::function<void()> fn)
{
    try
    {
        fn();
    }
    catch (EXCEPTION* e)
    {
        int nCause = e->m_cause;
        e->Delete();
        return nCause;
    }
    return -1;
}

CPicture* LoadPicture(const std::vector<BYTE>& bytes)
{
    std::unique_ptr<CPicture> pPicture(new CPicture);
    LoadBytes(bytes, [&](CArchive& ar) { pPicture->Serialize(ar); });
    return pPicture.release();
}

// A resource file section whose one type holds one picture, stored from its payload.
std::vector<BYTE> OnePictureSection(const std::vector<BYTE>& payload)
{
    return CByteWriter().Long(2).Long(1).Long((LONG)(4 + 9 + 2 + 14 + payload.size())).Byte(8).Text("CPicture")
        .Word(1).Word(0xFFFF).Word(0).Word(8).Text("CPicture").Bytes(payload).m_bytes;
}

} // namespace

TEST(Picture, ExtentOfAddedElements)
{
    CPicture picture;
    CTestDIB dib = SmallDIB(50, 30);
    CDIBElem* pElem = new CDIBElem(dib);
    picture.AddPictElem(pElem, CRect(10, 10, 60, 40));
    EXPECT_EQ(CSize(60, 40), picture.GetExtent()) << "AddPictElem grows to the rectangle's right and bottom";
    CTestDIB small = SmallDIB(20, 70);
    picture.AddPictElem(new CDIBElem(small));
    EXPECT_EQ(CSize(60, 70), picture.GetExtent());
    EXPECT_TRUE(RectEq(CRect(0, 0, 20, 70), picture.GetPictElems()[1].m_rect));

    // Read back, the extent is the size of the stubs' union.
    CPicture one;
    one.AddPictElem(new CDIBElem(dib), CRect(10, 10, 60, 40));
    std::unique_ptr<CPicture> pRead(LoadPicture(StoreBytes([&](CArchive& ar) { one.Serialize(ar); })));
    EXPECT_EQ(CSize(50, 30), pRead->GetExtent());

    picture.RemoveAllPictElems();
    EXPECT_EQ(0, picture.GetPictElems().GetSize());
    EXPECT_EQ(CSize(0, 0), picture.GetExtent());
}

// The payload: the name, the count, and per stub its rectangle and its element as an
// archive object (class record on first use, then the class's index), or a null record.
TEST(Picture, PayloadBytes)
{
    CTestDIB dib = SmallDIB();
    CPicture picture;
    picture.SetName("Sky");
    picture.AddPictElem(new CDIBElem(dib), CRect(1, 2, 5, 5));
    CArray<CPoint, CPoint> points;
    points.Add(CPoint(0, 0));
    points.Add(CPoint(8, 2));
    points.Add(CPoint(3, 9));
    picture.AddPictElem(new CDrawPolygonElem(points, TRUE, 2, RGB(1, 2, 3), RGB(4, 5, 6)), CRect(0, 0, 8, 9));
    CTestDIB other = SmallDIB(2, 2, 7);
    picture.AddPictElem(new CDIBElem(other), CRect(-3, -4, -1, -2));

    CByteWriter expected;
    expected.Word(0x5303).Text("ky").Word(3);
    expected.Long(1).Long(2).Long(5).Long(5).Word(0xFFFF).Word(0).Word(8).Text("CDIBElem");
    expected.Bytes(BlockRecord(dib)).Long(4).Long(3);
    expected.Long(0).Long(0).Long(8).Long(9).Word(0xFFFF).Word(0xFFFF).Word(16).Text("CDrawPolygonElem");
    expected.Long(-3).Long(-4).Long(-1).Long(-2).Word(0x8001).Bytes(BlockRecord(other)).Long(2).Long(2);
    std::vector<BYTE> bytes = StoreBytes([&](CArchive& ar) { picture.Serialize(ar); });
    EXPECT_EQ(expected.m_bytes, bytes);

    std::unique_ptr<CPicture> pRead(LoadPicture(bytes));
    EXPECT_STREQ("Sky", pRead->GetName());
    ASSERT_EQ(3, pRead->GetPictElems().GetSize());
    EXPECT_EQ(bytes, StoreBytes([&](CArchive& ar) { pRead->Serialize(ar); })) << "stubs and elements come back";
    EXPECT_TRUE(pRead->GetPictElems()[2].m_pElem->IsSameAs(picture.GetPictElems()[2].m_pElem));
    auto* pPolygon = dynamic_cast<CDrawPolygonElem*>(pRead->GetPictElems()[1].m_pElem);
    ASSERT_NE(nullptr, pPolygon);
    EXPECT_EQ(0, pPolygon->GetPoints().GetSize()) << "a shape stores nothing";
    EXPECT_EQ(CSize(11, 13), pRead->GetExtent()) << "the size of the stubs' union";
}

// Stored records a picture does not write itself: null elements are kept as stubs
// without one, a shape of any schema reads, an element stored twice gives the second
// stub a copy, an object that is not an element gives a stub without one, and a class
// that is not known is refused.
TEST(Picture, UnusualRecords)
{
    CTestDIB dib = SmallDIB();
    std::vector<BYTE> block = BlockRecord(dib);
    auto nulls = [](WORD wEllipseSchema) {
        return CByteWriter().Byte(0).Word(2).Long(0).Long(0).Long(4).Long(4).Word(0).Long(2).Long(3).Long(9).Long(7)
            .Word(0xFFFF).Word(wEllipseSchema).Word(16).Text("CDrawEllipseElem").m_bytes;
    };
    std::unique_ptr<CPicture> pNulls(LoadPicture(nulls(5)));
    ASSERT_EQ(2, pNulls->GetPictElems().GetSize());
    EXPECT_EQ(nullptr, pNulls->GetPictElems()[0].m_pElem);
    EXPECT_NE(nullptr, dynamic_cast<CDrawEllipseElem*>(pNulls->GetPictElems()[1].m_pElem));
    EXPECT_EQ(CSize(9, 7), pNulls->GetExtent());
    // A stub without an element is drawn, flipped, coloured and copied as nothing.
    CBufferedCanvas canvas(16, 16, 16);
    pNulls->Draw(canvas.m_canvas, CRect(0, 0, 9, 7));
    pNulls->FlipHorizontally();
    pNulls->SetColor(RGB(255, 0, 0));
    EXPECT_EQ(nullptr, pNulls->MakeDIB());
    CPicture copy(*pNulls);
    ASSERT_EQ(2, copy.GetPictElems().GetSize());
    EXPECT_EQ(nullptr, copy.GetPictElems()[0].m_pElem);
    EXPECT_TRUE(RectEq(CRect(0, 0, 4, 4), copy.GetPictElems()[0].m_rect));
    EXPECT_EQ(nulls(0xFFFF), StoreBytes([&](CArchive& ar) { pNulls->Serialize(ar); }))
        << "written back with the shape's own schema";

    CByteWriter twice;
    twice.Byte(0).Word(2).Long(0).Long(0).Long(4).Long(3).Word(0xFFFF).Word(0).Word(8).Text("CDIBElem").Bytes(block)
        .Long(4).Long(3).Long(4).Long(0).Long(8).Long(3).Word(2);
    std::unique_ptr<CPicture> pTwice(LoadPicture(twice.m_bytes));
    ASSERT_EQ(2, pTwice->GetPictElems().GetSize());
    CPictElem* pFirst = pTwice->GetPictElems()[0].m_pElem;
    CPictElem* pSecond = pTwice->GetPictElems()[1].m_pElem;
    ASSERT_TRUE(pFirst != NULL && pSecond != NULL);
    EXPECT_NE(pFirst, pSecond) << "each stub owns its element";
    EXPECT_TRUE(pFirst->IsSameAs(pSecond));

    // A picture as an element (object 2) holding a bitmap (object 4), then stubs that
    // refer back to that picture and to its bitmap.
    CByteWriter inner;
    inner.Byte(0).Word(3).Long(0).Long(0).Long(1).Long(1).Word(0xFFFF).Word(0).Word(8).Text("CPicture")
        .Byte(0).Word(1).Long(0).Long(0).Long(4).Long(3).Word(0xFFFF).Word(0).Word(8).Text("CDIBElem").Bytes(block)
        .Long(4).Long(3).Long(0).Long(0).Long(2).Long(2).Word(2).Long(0).Long(0).Long(4).Long(3).Word(4);
    std::unique_ptr<CPicture> pInner(LoadPicture(inner.m_bytes));
    ASSERT_EQ(3, pInner->GetPictElems().GetSize());
    EXPECT_EQ(nullptr, pInner->GetPictElems()[0].m_pElem);
    EXPECT_EQ(nullptr, pInner->GetPictElems()[1].m_pElem);
    CDIBElem held(dib);
    ASSERT_NE(nullptr, pInner->GetPictElems()[2].m_pElem);
    EXPECT_TRUE(pInner->GetPictElems()[2].m_pElem->IsSameAs(&held)) << "a copy of the bitmap the picture holds";
    EXPECT_EQ(CSize(4, 3), pInner->GetExtent());

    // A picture whose element refers back to the picture itself.
    CObject* pObject = NULL;
    LoadBytes(CByteWriter().Word(0xFFFF).Word(0).Word(8).Text("CPicture").Byte(0).Word(1).Long(0).Long(0).Long(1)
                  .Long(1).Word(2).m_bytes,
              [&](CArchive& ar) { pObject = ar.ReadObject(NULL); });
    std::unique_ptr<CPicture> pSelf(dynamic_cast<CPicture*>(pObject));
    ASSERT_NE(nullptr, pSelf);
    ASSERT_EQ(1, pSelf->GetPictElems().GetSize());
    EXPECT_EQ(nullptr, pSelf->GetPictElems()[0].m_pElem);

    const std::vector<BYTE> unknown = CByteWriter().Byte(0).Word(1).Long(0).Long(0).Long(1).Long(1).Word(0xFFFF)
        .Word(0).Word(11).Text("CNoSuchElem").m_bytes;
    CPicture picture;
    EXPECT_EQ(CArchiveException::badClass,
              CauseOf<CArchiveException>([&] { LoadBytes(unknown, [&](CArchive& ar) { picture.Serialize(ar); }); }));
}

TEST(Picture, Comparison)
{
    CTestDIB dib = SmallDIB();
    CTestDIB other = SmallDIB(4, 3, 1);
    CPicture a, b, c, d;
    a.AddPictElem(new CDIBElem(dib), CRect(0, 0, 4, 3));
    b.AddPictElem(new CDIBElem(dib), CRect(0, 0, 4, 3));
    c.AddPictElem(new CDIBElem(dib), CRect(1, 0, 5, 3));
    d.AddPictElem(new CDIBElem(other), CRect(0, 0, 4, 3));
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a.IsSameAs(&b));
    EXPECT_FALSE(a == c) << "the same element with another rectangle";
    EXPECT_FALSE(a == d) << "other pixels";
    CRect rect(0, 0, 4, 3);
    CPicture e;
    e.AddPictElem(new CDrawEllipseElem(rect, FALSE, 1, 0, 0), rect);
    EXPECT_FALSE(a == e) << "elements of another class";
}

// A copy has the name, the extent and copies of the elements, and joins the original's
// file under a name of its own.
TEST(Picture, Duplicate)
{
    CHoard hoard;
    CPicture* pPicture = CPicture::New(hoard, "Sky");
    CTestDIB dib = SmallDIB();
    pPicture->AddPictElem(new CDIBElem(dib), CRect(2, 2, 6, 5));
    CPicture* pCopy = pPicture->Duplicate();
    ASSERT_NE(nullptr, pCopy);
    EXPECT_STREQ("Sky2", pCopy->GetName());
    EXPECT_EQ(&hoard, pCopy->GetHoard());
    EXPECT_TRUE(*pCopy == *pPicture);
    EXPECT_NE(pCopy->GetPictElems()[0].m_pElem, pPicture->GetPictElems()[0].m_pElem);
    EXPECT_EQ(pPicture, pPicture->CopyBeforeWrite()) << "an unused picture is written in place";
}

TEST(Picture, SettingsReachEveryElement)
{
    CTestDIB dib = SmallDIB();
    CPicture picture;
    picture.AddPictElem(new CDIBElem(dib));
    picture.AddPictElem(new CDIBElem(dib));
    picture.SetColor(RGB(1, 2, 3));
    picture.SetTransparentBackground(TRUE);
    for (const CPicture* p : { &picture })
    {
        EXPECT_TRUE(p->IsColorSet() && p->GetColor() == RGB(1, 2, 3) && p->IsTransparentBackground());
        for (INT_PTR i = 0; i < p->GetPictElems().GetSize(); ++i)
        {
            const CPictElem* pElem = p->GetPictElems()[i].m_pElem;
            EXPECT_TRUE(pElem->IsColorSet() && pElem->GetColor() == RGB(1, 2, 3) && pElem->IsTransparentBackground());
        }
    }
    picture.SetDefaultColor();
    EXPECT_FALSE(picture.IsColorSet() || picture.GetPictElems()[1].m_pElem->IsColorSet());
}

TEST(Picture, FlipsMarkTheFileModified)
{
    CHoard hoard;
    CPicture* pPicture = CPicture::New(hoard, "Arrow");
    CTestDIB dib = MakeTestDIB(3, 2, 8, [](int x, int y) { return (DWORD)(x + 3 * y); }, SharedPaletteTable());
    pPicture->AddPictElem(new CDIBElem(dib));
    hoard.SetModified(FALSE);
    pPicture->FlipHorizontally();
    EXPECT_TRUE(hoard.IsModified());
    hoard.SetModified(FALSE);
    pPicture->FlipVertically();
    EXPECT_TRUE(hoard.IsModified());
    CTestDIB flipped(pPicture->MakeDIB());
    EXPECT_EQ(5u, DIBPixel(flipped, 0, 0));
    EXPECT_EQ(0u, DIBPixel(flipped, 2, 1));
}

// An element that is also a resource is linked to itself when read: the picture counts
// as one use of it, and the resource stays in its file when the picture goes.
TEST(Picture, ElementThatIsAResource)
{
    CByteWriter picture;
    picture.Word(0xFFFF).Word(0).Word(8).Text("CPicture").Word(0x4806).Text("older").Word(1).Long(0).Long(0)
        .Long(2).Long(2).Word(0xFFFF).Word(1).Word(13).Text("CResourceElem").Word(0x6903).Text("nk");
    CByteWriter section;
    section.Long(2).Long(1).Long((LONG)(4 + 9 + 2 + picture.m_bytes.size())).Word(0x4308).Text("Picture")
        .Word(1).Bytes(picture.m_bytes);
    {
        CHoard hoard;
        LoadBytes(section.m_bytes, [&](CArchive& ar) { hoard.Serialize(ar); });
        auto* pPicture = static_cast<CPicture*>(hoard.GetResource("CPicture", "Holder"));
        ASSERT_NE(nullptr, pPicture);
        auto* pElem = dynamic_cast<CResourceElem*>(pPicture->GetPictElems()[0].m_pElem);
        ASSERT_NE(nullptr, pElem);
        EXPECT_EQ(&hoard, pElem->GetHoard());
        EXPECT_STREQ("ink", pElem->GetName());
        EXPECT_EQ(1, pElem->GetUsageCount());
        pPicture->RemoveAllPictElems();
        EXPECT_EQ(0, pElem->GetUsageCount());
        EXPECT_EQ(1, CResourceElem::s_nLive) << "its file keeps it";
    }
    EXPECT_EQ(0, CResourceElem::s_nLive);

    // Outside a file nothing else holds it: it goes with the picture.
    std::vector<BYTE> payload(picture.m_bytes.begin() + 14, picture.m_bytes.end());
    std::unique_ptr<CPicture> pPicture(LoadPicture(payload));
    EXPECT_EQ(1, CResourceElem::s_nLive);
    pPicture.reset();
    EXPECT_EQ(0, CResourceElem::s_nLive);
}

// A resource that is not an element, in an element's place, leaves the stub without an
// element. Read into a resource file, it joins the file, which alone owns it; read
// elsewhere, the picture keeps it until the picture goes.
TEST(Picture, ResourceInAnElementsPlace)
{
    const std::vector<BYTE> payload = CByteWriter().Byte(6).Text("Holder").Word(1).Long(0).Long(0).Long(2).Long(2)
        .Word(0xFFFF).Word(0).Word(5).Text("CMemo").Byte(4).Text("memo").m_bytes;
    std::unique_ptr<CPicture> pPicture(LoadPicture(payload));
    ASSERT_EQ(1, pPicture->GetPictElems().GetSize());
    EXPECT_EQ(nullptr, pPicture->GetPictElems()[0].m_pElem);
    EXPECT_EQ(1, CMemo::s_nLive);
    pPicture.reset();
    EXPECT_EQ(0, CMemo::s_nLive);

    {
        CHoard hoard;
        LoadBytes(OnePictureSection(payload), [&](CArchive& ar) { hoard.Serialize(ar); });
        auto* pHolder = static_cast<CPicture*>(hoard.GetResource("CPicture", "Holder"));
        ASSERT_NE(nullptr, pHolder);
        ASSERT_EQ(1, pHolder->GetPictElems().GetSize());
        EXPECT_EQ(nullptr, pHolder->GetPictElems()[0].m_pElem);
        EXPECT_NE(nullptr, hoard.GetResource("CMemo", "memo"));
        hoard.DeleteResource(pHolder);
        EXPECT_EQ(1, CMemo::s_nLive) << "the file's resource stays when the picture goes";
    }
    EXPECT_EQ(0, CMemo::s_nLive);

    // The bitmap after that resource is still the picture's: moved to another file, the
    // picture reads it in, and it does not depend on the old file any more.
    CTestDIB dib = SmallDIB();
    const std::vector<BYTE> mixed = CByteWriter().Byte(5).Text("Mixed").Word(2).Long(0).Long(0).Long(2).Long(2)
        .Word(0xFFFF).Word(0).Word(5).Text("CMemo").Byte(4).Text("memo").Long(0).Long(0).Long(4).Long(3)
        .Word(0xFFFF).Word(0).Word(8).Text("CDIBElem").Bytes(BlockRecord(dib)).Long(4).Long(3).m_bytes;
    CScratchFolder folder;
    WriteFileBytes(folder.Path("mixed.hrd"), OnePictureSection(mixed));
    CHoard old;
    old.LoadFromFile(folder.Path("mixed.hrd"));
    auto* pMixed = static_cast<CPicture*>(old.GetResource("CPicture", "Mixed"));
    ASSERT_NE(nullptr, pMixed);
    ASSERT_EQ(2, pMixed->GetPictElems().GetSize());
    auto* pElem = dynamic_cast<CDIBElem*>(pMixed->GetPictElems()[1].m_pElem);
    ASSERT_NE(nullptr, pElem);
    CHoard target;
    target.AddToMap(pMixed);
    ASSERT_TRUE(::DeleteFileA(folder.Path("mixed.hrd")));
    CDIBElem held(dib);
    EXPECT_TRUE(pElem->IsSameAs(&held)) << "the bitmap was read in when the picture left its file";
}

// Collections in an element's place hold objects without owning them: what such a record
// created goes with the picture, each object once, while what a picture in it created
// stays that picture's. A later stub that refers to an element in a collection gets a copy.
TEST(Picture, CollectionsInAnElementsPlace)
{
    // Objects 2 (outer array), 3 (inner array), 5 (memo) and 7 (element); the outer array
    // holds the element and the memo a second time.
    const std::vector<BYTE> nested = CByteWriter().Byte(0).Word(2).Long(0).Long(0).Long(4).Long(4)
        .Word(0xFFFF).Word(0).Word(8).Text("CObArray").Word(3)
        .Word(0x8001).Word(1).Word(0xFFFF).Word(0).Word(5).Text("CMemo").Byte(4).Text("memo")
        .Word(0xFFFF).Word(0).Word(12).Text("CCountedElem").Word(5)
        .Long(2).Long(3).Long(9).Long(7).Word(7).m_bytes;
    std::unique_ptr<CPicture> pPicture(LoadPicture(nested));
    ASSERT_EQ(2, pPicture->GetPictElems().GetSize());
    EXPECT_EQ(nullptr, pPicture->GetPictElems()[0].m_pElem);
    EXPECT_NE(nullptr, dynamic_cast<CCountedElem*>(pPicture->GetPictElems()[1].m_pElem));
    EXPECT_EQ(2, CCountedElem::s_nLive) << "the referred element and the stub's copy";
    EXPECT_EQ(1, CMemo::s_nLive);
    pPicture.reset();
    EXPECT_EQ(0, CCountedElem::s_nLive);
    EXPECT_EQ(0, CMemo::s_nLive);

    // Cut after the element: the record fails, and what it created so far goes with the
    // picture.
    {
        const std::vector<BYTE> cut(nested.begin(), nested.begin() + 73);
        CPicture damaged;
        EXPECT_EQ(CArchiveException::endOfFile,
                  CauseOf<CArchiveException>([&] { LoadBytes(cut, [&](CArchive& ar) { damaged.Serialize(ar); }); }));
        EXPECT_EQ(1, CCountedElem::s_nLive);
        EXPECT_EQ(1, CMemo::s_nLive);
    }
    EXPECT_EQ(0, CCountedElem::s_nLive);
    EXPECT_EQ(0, CMemo::s_nLive);

    // A picture (object 4) in an array, whose element (object 6) a later stub refers to.
    const std::vector<BYTE> picture = CByteWriter().Byte(0).Word(2).Long(0).Long(0).Long(4).Long(4)
        .Word(0xFFFF).Word(0).Word(8).Text("CObArray").Word(1).Word(0xFFFF).Word(0).Word(8).Text("CPicture")
        .Byte(0).Word(1).Long(0).Long(0).Long(1).Long(1).Word(0xFFFF).Word(0).Word(12).Text("CCountedElem")
        .Long(0).Long(0).Long(1).Long(1).Word(6).m_bytes;
    pPicture.reset(LoadPicture(picture));
    ASSERT_EQ(2, pPicture->GetPictElems().GetSize());
    EXPECT_NE(nullptr, pPicture->GetPictElems()[1].m_pElem);
    EXPECT_EQ(2, CCountedElem::s_nLive);
    pPicture.reset();
    EXPECT_EQ(0, CCountedElem::s_nLive) << "each element freed once";
}

namespace {

// A 16-bit pattern without the transparent key.
DWORD Noise555(int x, int y) { return ((x * 1103 + y * 2713 + x * y * 7) & 0x7FFF) | 0x400; }

// What the element's first bitmap draws, the plain or the fast way, into a 16-bit buffer.
std::vector<DWORD> Drawn(const CDrawable& drawable, CSize size, BOOL bPlain)
{
    gUseDIBBlit = bPlain;
    CBufferedCanvas canvas(size.cx + 4, size.cy + 4, 16);
    drawable.Draw(canvas.m_canvas, CRect(CPoint(2, 2), size));
    gUseDIBBlit = 0;
    std::vector<DWORD> pixels;
    for (int y = 0; y < size.cy + 4; ++y)
        for (int x = 0; x < size.cx + 4; ++x)
            pixels.push_back(canvas.Pixel(x, y));
    return pixels;
}

BOOL MoveFile(const CString& strFrom, const CString& strTo) { return ::MoveFileA(strFrom, strTo); }

// Whether the picture leaves a 16x16 buffer of either depth untouched, both ways.
::testing::AssertionResult DrawsNothing(const CPicture& picture)
{
    for (BOOL bPlain : { FALSE, TRUE })
    {
        for (int nBits : { 8, 16 })
        {
            gUseDIBBlit = bPlain;
            CBufferedCanvas canvas(16, 16, nBits);
            picture.Draw(canvas.m_canvas, CRect(0, 0, 16, 16));
            gUseDIBBlit = 0;
            if (!canvas.PaintedBounds().IsRectEmpty())
                return ::testing::AssertionFailure() << (bPlain ? "the plain way" : "the fast way") << " drew in "
                                                     << nBits << " bits";
        }
    }
    return ::testing::AssertionSuccess();
}

} // namespace

// A picture in a resource file is read without its bitmap, which is read on first use,
// purged when memory is wanted, and read again for the next plain drawing.
TEST(Picture, InAResourceFile)
{
    CScratchFolder folder;
    const CString strPath = folder.Path("pictures.hrd");
    const CString strAway = folder.Path("away.hrd");
    CTestDIB dib = MakeTestDIB(40, 30, 16, Noise555);
    CDIBElem original(dib);
    {
        CHoard hoard;
        CPicture::New(hoard, "Photo")->AddPictElem(new CDIBElem(dib));
        hoard.SaveToFile(strPath);
    }
    const std::vector<DWORD> expected = Drawn(original, CSize(40, 30), TRUE);

    CHoard hoard;
    hoard.LoadFromFile(strPath);
    auto* pPicture = static_cast<CPicture*>(hoard.GetResource("CPicture", "photo"));
    ASSERT_NE(nullptr, pPicture);
    EXPECT_EQ(CSize(40, 30), pPicture->GetExtent());
    auto* pElem = static_cast<CDIBElem*>(pPicture->GetPictElems()[0].m_pElem);

    ASSERT_TRUE(MoveFile(strPath, strAway));
    EXPECT_FALSE(pElem->GetDIBInfo(NULL)) << "the bitmap was not read with the file";
    ASSERT_TRUE(MoveFile(strAway, strPath));
    EXPECT_EQ(expected, Drawn(*pPicture, CSize(40, 30), TRUE));
    EXPECT_EQ(expected, Drawn(*pPicture, CSize(40, 30), FALSE)) << "the fast way draws what GDI draws";

    EXPECT_LE(pElem->GetDIBSize(), CFreeable::FreeSomeMemory(TRUE)) << "the bitmap's memory is released";
    ASSERT_TRUE(MoveFile(strPath, strAway));
    EXPECT_FALSE(pElem->GetDIBInfo(NULL)) << "the bitmap is not in memory any more";
    EXPECT_EQ(expected, Drawn(*pPicture, CSize(40, 30), FALSE)) << "the fast way keeps its own copy";
    ASSERT_TRUE(MoveFile(strAway, strPath));
    EXPECT_EQ(expected, Drawn(*pPicture, CSize(40, 30), TRUE)) << "read again from the file";
}

// A stored bitmap whose header claims more than its bytes hold is drawn, flipped and
// copied as nothing.
TEST(Picture, LyingBitmapIsNothing)
{
    CTestDIB big = MakeTestDIB(4, 4, 24, [](int, int) { return 0xFF0000u; });
    big.Header().biWidth = 1000;
    big.Header().biHeight = 1000;
    CTestDIB rle = MakeRle8DIB(4, 4, [](int, int) { return 1u; }, SharedPaletteTable());
    rle.Header().biSizeImage = 4000;
    CTestDIB table = MakeTestDIB(4, 4, 8, [](int, int) { return 1u; }, { Quad(0xFF) });
    table.Header().biClrUsed = 100000;
    const struct
    {
        const char* context;
        HDIB hDIB;
    } cases[] = { { "pixels past the end", big }, { "a run-length stream past the end", rle },
                  { "a colour table past the end", table } };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.context);
        CByteWriter stored;
        stored.Byte(0).Word(1).Long(0).Long(0).Long(4).Long(4).Word(0xFFFF).Word(0).Word(8).Text("CDIBElem")
            .Bytes(BlockRecord(c.hDIB)).Long(4).Long(4);
        std::unique_ptr<CPicture> pPicture(LoadPicture(stored.m_bytes));
        EXPECT_EQ(CSize(4, 4), pPicture->GetExtent());
        EXPECT_TRUE(DrawsNothing(*pPicture));
        std::vector<BYTE> before = StoreBytes([&](CArchive& ar) { pPicture->Serialize(ar); });
        pPicture->FlipHorizontally();
        pPicture->FlipVertically();
        EXPECT_EQ(before, StoreBytes([&](CArchive& ar) { pPicture->Serialize(ar); })) << "flips change nothing";
        EXPECT_EQ(nullptr, pPicture->MakeDIB());
    }
}

namespace {

// A picture named Huge whose one bitmap is stored as nClaimed bytes, coded in double
// words: the first nLiteral bytes of pDIB, then zeros.
std::vector<BYTE> HugePicture(const BYTE* pDIB, DWORD nLiteral, DWORD nClaimed)
{
    return CByteWriter().Byte(4).Text("Huge").Word(1).Long(0).Long(0).Long(4).Long(4).Word(0xFFFF).Word(0).Word(8)
        .Text("CDIBElem").Long((LONG)nClaimed).Long((LONG)(16 + nLiteral)).Long(4).Long((LONG)(nLiteral / 2))
        .Raw(pDIB, nLiteral).Long((LONG)(2 * ((nClaimed - nLiteral) / 4) + 1)).Long(0).Long(4).Long(4).m_bytes;
}

} // namespace

// A bitmap whose block cannot be had draws, flips, copies and compares as nothing: a block whose
// coded bytes claim far more than its bitmap can use (about 4 GB from 80 bytes), refused
// before anything of that size is allocated, and a bitmap too large for the memory
// there is. Read from memory, the lying block makes the picture damaged; read from a
// resource file, blocks are read on first use.
TEST(Picture, BitmapWhoseBlockCannotBeHad)
{
    CTestDIB dib = MakeTestDIB(4, 4, 8, [](int x, int y) { return (DWORD)((x + y) & 1); }, { Quad(0), Quad(0xFFFFFF) });
    ASSERT_EQ(64u, dib.Size());
    CTestDIB large = MakeTestDIB(4, 4, 8, [](int, int) { return 0u; }, { Quad(0), Quad(0xFFFFFF) });
    large.Header().biWidth = 8000;
    large.Header().biHeight = 8000;
    large.Header().biSizeImage = 0;
    const struct
    {
        const char* context;
        std::vector<BYTE> payload;
    } cases[] = {
        { "a block that lies", HugePicture(dib.Bytes(), 64, 0xFFFFFFFC) },
        { "a bitmap too large", HugePicture(large.Bytes(), 48, 48 + 8000 * 8000) },
    };
    CGlobalAllocSpy spy("hoard.dll", 0x1000000);
    ASSERT_TRUE(spy.IsWatching());
    EXPECT_EQ(CArchiveException::generic, CauseOf<CArchiveException>([&] { delete LoadPicture(cases[0].payload); }));
    EXPECT_LT(spy.GetLargest(), 0x100000u) << "nothing of the claimed size was asked for";
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.context);
        CScratchFolder folder;
        WriteFileBytes(folder.Path("huge.hrd"), OnePictureSection(c.payload));
        CHoard hoard;
        hoard.LoadFromFile(folder.Path("huge.hrd"));
        auto* pPicture = static_cast<CPicture*>(hoard.GetResource("CPicture", "Huge"));
        ASSERT_NE(nullptr, pPicture);
        EXPECT_TRUE(DrawsNothing(*pPicture));
        pPicture->FlipHorizontally();
        pPicture->FlipVertically();
        EXPECT_EQ(nullptr, pPicture->MakeDIB());
        EXPECT_FALSE(*pPicture == *pPicture) << "a bitmap that cannot be read is the same as nothing";
    }
    EXPECT_LE(spy.GetLargest(), 48u + 8000 * 8000) << "the lying block was refused before its memory was asked for";
}

// Copy puts the first bitmap on the real clipboard as CF_DIB; paste replaces every
// element by what the clipboard holds, and leaves the picture alone when it holds no
// bitmap or one that lies.
TEST(Picture, Clipboard)
{
    CTestDIB dib = MakeTestDIB(5, 4, 24, [](int x, int y) { return (DWORD)(x * 0x330000 + y * 0x3300 + 0x11); });
    CPicture source;
    CRect rect(0, 0, 2, 2);
    source.AddPictElem(new CDrawEllipseElem(rect, TRUE, 1, 0, 0));
    source.AddPictElem(new CDIBElem(dib), CRect(3, 3, 8, 7));
    source.OnCopy();
    EXPECT_EQ(clipPreferred, CPicture::m_resInfo.CanConvertClipboard());

    CPicture target;
    CTestDIB other = SmallDIB();
    target.AddPictElem(new CDIBElem(other), CRect(10, 10, 14, 13));
    target.OnPaste();
    ASSERT_EQ(1, target.GetPictElems().GetSize());
    EXPECT_TRUE(RectEq(CRect(0, 0, 5, 4), target.GetPictElems()[0].m_rect));
    EXPECT_EQ(CSize(5, 4), target.GetExtent());
    EXPECT_TRUE(target.GetPictElems()[0].m_pElem->IsSameAs(source.GetPictElems()[1].m_pElem));
    DIBINFO info;
    ASSERT_TRUE(static_cast<CDIBElem*>(target.GetPictElems()[0].m_pElem)->GetDIBInfo(&info));
    EXPECT_EQ(16, info.wBitCount) << "a 24-bit bitmap is kept in 16 bits";

    // A copy adds the bitmap to what the clipboard holds.
    CPicture empty;
    ASSERT_TRUE(::OpenClipboard(NULL));
    ::EmptyClipboard();
    ::SetClipboardData(CF_TEXT, GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, 4));
    ::CloseClipboard();
    empty.OnCopy();
    EXPECT_FALSE(::IsClipboardFormatAvailable(CF_DIB)) << "a picture without a bitmap copies nothing";
    source.OnCopy();
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_TEXT));
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_DIB));

    for (BOOL bLying : { FALSE, TRUE })
    {
        SCOPED_TRACE(bLying ? "a lying bitmap" : "no bitmap");
        ASSERT_TRUE(::OpenClipboard(NULL));
        ::EmptyClipboard();
        if (bLying)
        {
            CTestDIB lying = SmallDIB(30, 30);
            lying.Header().biWidth = 3000;
            ::SetClipboardData(CF_DIB, lying.Detach());
        }
        ::CloseClipboard();
        EXPECT_EQ(bLying ? clipPreferred : clipNone, CPicture::m_resInfo.CanConvertClipboard());
        target.OnPaste();
        ASSERT_EQ(1, target.GetPictElems().GetSize());
        EXPECT_EQ(CSize(5, 4), target.GetExtent()) << "the picture is unchanged";
    }
}

// Import appends the bitmap of a ".bmp" or ".dib" file and names the picture after the
// file; a file that holds no bitmap leaves it unchanged.
TEST(Picture, ImportFromFile)
{
    CScratchFolder folder;
    CTestDIB dib = MakeTestDIB(6, 5, 8, [](int x, int y) { return (DWORD)(x + y); }, SharedPaletteTable());
    CTestDIB second = MakeTestDIB(3, 9, 4, [](int x, int y) { return (DWORD)((x + y) % 16); },
                                  std::vector<RGBQUAD>(16, Quad(RGB(0, 0, 255))));
    WriteFileBytes(folder.Path("dog.run.bmp"), BitmapFileBytes(dib));
    WriteFileBytes(folder.Path("cat.dib"), BitmapFileBytes(second));
    WriteFileBytes(folder.Path("notes.dib"), std::vector<BYTE>(100, 'x'));

    CHoard hoard;
    CPicture::New(hoard, "dog");
    CPicture* pPicture = CPicture::New(hoard, NULL);
    ASSERT_TRUE(pPicture->ImportFromFile(folder.Path("dog.run.bmp")));
    EXPECT_STREQ("dog2", pPicture->GetName()) << "numbered, since another picture is named dog";
    EXPECT_EQ(CSize(6, 5), pPicture->GetExtent());
    ASSERT_TRUE(pPicture->ImportFromFile(folder.Path("cat.dib")));
    ASSERT_EQ(2, pPicture->GetPictElems().GetSize()) << "import appends";
    EXPECT_TRUE(RectEq(CRect(0, 0, 3, 9), pPicture->GetPictElems()[1].m_rect));
    EXPECT_EQ(CSize(3, 9), pPicture->GetExtent()) << "the picture takes the imported bitmap's size";
    EXPECT_STREQ("cat", pPicture->GetName());

    EXPECT_FALSE(pPicture->ImportFromFile(folder.Path("notes.dib")));
    EXPECT_EQ(2, pPicture->GetPictElems().GetSize());
    EXPECT_STREQ("cat", pPicture->GetName());
    EXPECT_EQ(CFileException::fileNotFound,
              CauseOf<CFileException>([&] { pPicture->ImportFromFile(folder.Path("missing.bmp")); }));

    // The import command, once a file is chosen: a new picture named after the title.
    CTestProxy proxy(hoard);
    EXPECT_TRUE(CPictureClass::ImportFile(folder.Path("cat.dib"), "Kitten", proxy));
    auto* pKitten = static_cast<CPicture*>(hoard.GetResource("CPicture", "cat2"));
    ASSERT_NE(nullptr, pKitten) << "the file's name wins over the title, numbered";
    EXPECT_EQ(CSize(3, 9), pKitten->GetExtent());
    UINT nPictures = (UINT)hoard.GetResourceList("CPicture")->GetCount();
    EXPECT_FALSE(CPictureClass::ImportFile(folder.Path("notes.dib"), "Notes", proxy));
    EXPECT_EQ(nPictures, (UINT)hoard.GetResourceList("CPicture")->GetCount()) << "no empty picture is left";
}

TEST(PictureClass, Registry)
{
    CResourceClass* pClass = CResourceClass::GetResourceClass("CPicture");
    EXPECT_EQ(&CPicture::m_resInfo, pClass);
    EXPECT_EQ(&CPicture::m_resInfo, CPicture().GetResourceClass());
    EXPECT_TRUE(pClass->CanPreview());
    ASSERT_EQ(1, pClass->GetCommandArray().GetSize());
    EXPECT_STREQ("Import a Picture", pClass->GetCommandArray()[0]);
}
