// Stored containers: the exact bytes of container and frame records, trees read back and
// arranged once, damaged trees that must end in the archive's exception without a leak,
// and screen documents (the main container, then the resource section with its trailer)
// read and written whole.
#include "limn/containers/Container3DFrame.h"
#include "limn/containers/DisableArrangeBlock.h"
#include "limn/containers/MainContainerRecord.h"

#include "hoard/resources/Hoard.h"
#include "hoard/resources/ResourceClass.h"
#include "hoard/runtime/Message.h"

#include "container_support.h"
#include "framework/tests/test_support.h"

#include <functional>
#include <memory>
#include <utility>

using namespace std::string_literals;

// A resource of the tests' own: a line of text.
class CNote : public CResource
{
    DECLARE_SERIAL(CNote)
public:
    void Serialize(CArchive& ar) override
    {
        CResource::Serialize(ar);
        if (ar.IsStoring())
            ar << m_strText;
        else
            ar >> m_strText;
    }
    CResourceClass* GetResourceClass() override;
    BOOL IsSameAs(const CResource* pOther) const override
    {
        auto* pNote = dynamic_cast<const CNote*>(pOther);
        return pNote != NULL && pNote->m_strText == m_strText;
    }
    CString m_strText;
};

IMPLEMENT_SERIAL(CNote, CResource, 0)

// A stored container of the tests' own, which counts what layouts ask of its class.
class CCountedContainer : public CContainer
{
    DECLARE_SERIAL(CCountedContainer)
public:
    void SetBounds(const CRect& rect) override
    {
        ++s_nBoundsSet;
        CContainer::SetBounds(rect);
    }
    CSize GetMinimumSize() override
    {
        ++s_nSizesAsked;
        return CContainer::GetMinimumSize();
    }
    static int s_nBoundsSet;
    static int s_nSizesAsked;
};

IMPLEMENT_SERIAL(CCountedContainer, CContainer, 0)
int CCountedContainer::s_nBoundsSet = 0;
int CCountedContainer::s_nSizesAsked = 0;

// A stored container that runs the action set for its class once, when its bounds are
// set for the first time after that.
class CHookedContainer : public CContainer
{
    DECLARE_SERIAL(CHookedContainer)
public:
    void SetBounds(const CRect& rect) override
    {
        CContainer::SetBounds(rect);
        if (std::function<void(CContainer*)> action = std::exchange(s_onSetBounds, nullptr))
            action(this);
    }
    static std::function<void(CContainer*)> s_onSetBounds;
};

IMPLEMENT_SERIAL(CHookedContainer, CContainer, 0)
std::function<void(CContainer*)> CHookedContainer::s_onSetBounds;

namespace {

class CNoteClass : public CResourceClass
{
public:
    CNoteClass() : CResourceClass(RUNTIME_CLASS(CNote)) {}
} g_noteClass;

// Little-endian values, as the archive writes them.
class CBytes
{
public:
    CBytes& Byte(BYTE b) { m_str += (char)b; return *this; }
    CBytes& Word(WORD w) { return Byte(LOBYTE(w)).Byte(HIBYTE(w)); }
    CBytes& Long(DWORD dw) { return Word(LOWORD(dw)).Word(HIWORD(dw)); }
    CBytes& Raw(const std::string& str) { m_str += str; return *this; }
    // An archive string of fewer than 255 bytes.
    CBytes& String(const char* psz) { return Byte((BYTE)strlen(psz)).Raw(psz); }
    CBytes& NewClass(const char* pszName, WORD wSchema = 0)
    {
        return Word(0xFFFF).Word(wSchema).Word((WORD)strlen(pszName)).Raw(pszName);
    }
    operator const std::string&() const { return m_str; }

private:
    std::string m_str;
};

// Fields 1 to 15 of a container record: visible, bounds (0, 0, nRight, 10), the frame
// as given, no fill, the name, and the defaults of a new container after it.
std::string Fields(const std::string& strFrame, const char* pszName, LONG nRight = 10)
{
    CBytes b;
    b.Byte(0).Byte(1).Long(0).Long(0).Long(nRight).Long(10).Raw(strFrame).Byte(0).Long(0).String(pszName);
    b.Long(0).Long(0).Long(0).Long(0).Word(0).Word(0);
    b.Long(1).Long(1).Long((DWORD)-1).Long((DWORD)-1).Long(0).Long(0).Long(1).Long(1);
    return b;
}

const std::string strNull = "\0\0"s;
const std::string strNoChildren = "\0\0"s;

std::string ReadAllBytes(const char* pszPath)
{
    CFile file(pszPath, CFile::modeRead);
    return Contents(file);
}

void WriteAllBytes(const char* pszPath, const std::string& strBytes)
{
    CFile file(pszPath, CFile::modeCreate | CFile::modeWrite);
    file.Write(strBytes.data(), (UINT)strBytes.size());
}

std::unique_ptr<CContainer> LoadTree(const std::string& strBytes)
{
    std::unique_ptr<CContainer> pTree;
    Load(strBytes, [&](CArchive& ar) { pTree.reset((CContainer*)ar.ReadObject(RUNTIME_CLASS(CContainer))); });
    return pTree;
}

std::string StoreTree(CContainer* pTree)
{
    return Store([&](CArchive& ar) { ar << pTree; });
}

// A screen: a root holding a panel with a bevelled frame, which holds a pressed button
// and a label; the root lays out vertically, the panel left to right.
CWndContainer* NewScreen()
{
    auto* pRoot = new CWndContainer;
    pRoot->SetName("screen");
    pRoot->SetArrangeMethod(arrangeVertical);
    pRoot->SetBounds(CRect(0, 0, 320, 200));
    auto* pPanel = new CContainer(pRoot, arrangeHorizontal);
    pPanel->SetName("panel");
    pPanel->SetFrame(new CContainer3DFrame(RGB(200, 100, 50), 4, 1, 50, 150, 100, 200));
    auto* pButton = new CProbe(pPanel, "button");
    pButton->m_nState = CContainer::statePressed;
    pButton->SetFillColor(RGB(0, 0, 255));
    auto* pLabel = new CProbe(pPanel, "label");
    pLabel->SetPreferredSize(CSize(60, 20));
    return pRoot;
}

// A tree of every kind of layout, made by a fixed sequence of pseudo-random choices:
// arrange methods (a value above 2 too), frames, gaps, steps, flexible and fixed sizes,
// hidden containers and scrolled ones, each container with bounds that no layout gave.
class CRandomTree
{
public:
    CContainer* Make(CContainer* pParent, int nDepth)
    {
        static const ArrangeMethod methods[] = { arrangeNone, arrangeVertical, arrangeHorizontal, (ArrangeMethod)5 };
        auto* p = new CProbe(pParent, "", methods[Next(4)]);
        p->SetBounds(CRect(Next(40), Next(40), 40 + Next(300), 40 + Next(200)));
        if (Next(3) == 0)
            p->SetFrame(new CContainerFrame((WORD)Next(4), 0));
        p->m_sizeChildGap = CSize(Next(4), Next(4));
        p->m_sizeMinimum = CSize(1 + Next(20), 1 + Next(20));
        p->m_sizePreferred = CSize(Next(3) == 0 ? 5 + Next(40) : -1, Next(3) == 0 ? 5 + Next(40) : -1);
        static const CSize steps[] = { CSize(1, 1), CSize(1, 1), CSize(4, 4), CSize(0, 5) };
        p->m_sizeStep = steps[Next(4)];
        if (Next(10) == 0)
            p->Hide(FALSE);
        if (Next(5) == 0)
            p->SetScrollPos(CPoint(-Next(30), -Next(30)));
        for (int n = nDepth > 0 ? Next(5) : 0; n > 0; --n)
            Make(p, nDepth - 1);
        return p;
    }

private:
    int Next(int nBelow)
    {
        m_nSeed = m_nSeed * 1103515245u + 12345u;
        return (int)((m_nSeed >> 16) % (unsigned)nBelow);
    }
    unsigned m_nSeed = 1;
};

// What loading did when each container was arranged as soon as its children were read.
void ArrangeDeepestFirst(CContainer* pContainer)
{
    const auto& children = pContainer->GetChildList();
    for (POSITION pos = children.GetHeadPosition(); pos != NULL;)
        ArrangeDeepestFirst(children.GetNext(pos));
    pContainer->ArrangeChildren();
}

::testing::AssertionResult SameGeometry(const CContainer* pExpected, const CContainer* pActual, const std::string& strPath)
{
    ::testing::AssertionResult bounds = RectEq(pExpected->GetBounds(), pActual->GetBounds());
    if (!bounds)
        return ::testing::AssertionFailure() << strPath << ": bounds " << bounds.message();
    const CSize extentE = pExpected->GetScrollExtent(), extentA = pActual->GetScrollExtent();
    if (extentE != extentA)
        return ::testing::AssertionFailure() << strPath << ": extent expected " << extentE.cx << "x" << extentE.cy
                                             << " got " << extentA.cx << "x" << extentA.cy;
    const auto& expected = pExpected->GetChildList();
    const auto& actual = pActual->GetChildList();
    if (expected.GetCount() != actual.GetCount())
        return ::testing::AssertionFailure() << strPath << ": another number of children";
    int i = 0;
    for (POSITION posE = expected.GetHeadPosition(), posA = actual.GetHeadPosition(); posE != NULL; ++i)
    {
        auto result = SameGeometry(expected.GetNext(posE), actual.GetNext(posA), strPath + "/" + std::to_string(i));
        if (!result)
            return result;
    }
    return ::testing::AssertionSuccess();
}

} // namespace

CResourceClass* CNote::GetResourceClass() { return &g_noteClass; }

TEST(ContainerStorage, ContainerRecord)
{
    CContainer container(NULL, arrangeNone);
    container.SetName("A");
    container.SetBounds(CRect(0, 0, 10, 10));
    EXPECT_EQ((const std::string&)CBytes().NewClass("CContainer").Raw(Fields(strNull, "A")).Raw(strNoChildren),
              StoreTree(&container))
        << "the null tag in place of the frame";

    // Every field in its place.
    auto* pProbe = new CProbe(NULL, "p");
    pProbe->m_bSortChildren = TRUE;
    pProbe->SetBounds(CRect(-1, -2, 3, 4));
    pProbe->SetFillColor(RGB(1, 2, 3));
    pProbe->SetScrollPos(CPoint(5, -6));
    pProbe->m_nState = CContainer::stateDisabled;
    pProbe->m_sizeMinimum = CSize(7, 8);
    pProbe->m_sizePreferred = CSize(9, -1);
    pProbe->m_sizeChildGap = CSize(10, 11);
    pProbe->m_sizeStep = CSize(12, 13);
    pProbe->Hide(FALSE);
    pProbe->SetArrangeMethod(arrangeHorizontal);
    std::unique_ptr<CContainer> pOwner(pProbe);
    CBytes expected;
    expected.NewClass("CContainer").Byte(1).Byte(0).Long((DWORD)-1).Long((DWORD)-2).Long(3).Long(4).Raw(strNull);
    expected.Byte(1).Long(0x030201).String("p").Long(5).Long((DWORD)-6).Long(0).Long(0).Word(2).Word(2);
    expected.Long(7).Long(8).Long(9).Long((DWORD)-1).Long(10).Long(11).Long(12).Long(13).Raw(strNoChildren);
    std::string strBytes = StoreTree(pProbe);
    EXPECT_EQ((const std::string&)expected, strBytes);
    EXPECT_EQ(strBytes, StoreTree(LoadTree(strBytes).get())) << "read back whole";
}

// One class record, then 0x8000 with its index: the class is the archive's first
// record (1), the root its second (2).
TEST(ContainerStorage, ClassNameStoredOnce)
{
    CContainer root(NULL, arrangeNone);
    root.SetName("r");
    root.SetBounds(CRect(0, 0, 10, 10));
    for (const char* pszName : { "a", "b" })
    {
        auto* pChild = new CContainer(&root, arrangeNone);
        pChild->SetName(pszName);
        pChild->SetBounds(CRect(0, 0, 10, 10));
    }
    CBytes expected;
    expected.NewClass("CContainer").Raw(Fields(strNull, "r")).Word(2);
    expected.Word(0x8001).Raw(Fields(strNull, "a")).Raw(strNoChildren);
    expected.Word(0x8001).Raw(Fields(strNull, "b")).Raw(strNoChildren);
    EXPECT_EQ((const std::string&)expected, StoreTree(&root));
}

TEST(ContainerStorage, FrameRecords)
{
    CContainerFrame flat(3, RGB(0x10, 0x20, 0x30));
    EXPECT_EQ((const std::string&)CBytes().NewClass("CContainerFrame").Word(3).Long(0x302010),
              Store([&](CArchive& ar) { ar << &flat; }));

    CContainer3DFrame bevelled(RGB(200, 100, 50), 4, 1, 50, 150, 100, 200);
    CBytes expected;
    expected.NewClass("CContainer3DFrame").Word(4).Long(0);
    expected.Long(RGB(100, 50, 25)).Word(50).Long(RGB(255, 150, 75)).Word(150);
    expected.Long(RGB(200, 100, 50)).Word(100).Long(RGB(255, 200, 100)).Word(200);
    std::string strBytes = Store([&](CArchive& ar) { ar << &bevelled; });
    EXPECT_EQ((const std::string&)expected, strBytes);

    Load(strBytes, [](CArchive& ar) {
        std::unique_ptr<CObject> p(ar.ReadObject(RUNTIME_CLASS(CContainerFrame)));
        auto* pFrame = dynamic_cast<CContainer3DFrame*>(p.get());
        ASSERT_NE(nullptr, pFrame);
        EXPECT_EQ(4, pFrame->GetWidth());
        EXPECT_EQ(RGB(255, 150, 75), pFrame->GetShade(CContainer3DFrame::sideTop));
        EXPECT_EQ(150, pFrame->GetPercent(CContainer3DFrame::sideTop));
        EXPECT_EQ(0, pFrame->GetOutline()) << "the record keeps no outline";
    });
}

// Reading suspends layout while the children arrive and arranges every container once
// afterwards, deepest first: stored bounds of arranged children give way to the layout.
// A container stored pressed comes back pressed.
TEST(ContainerStorage, TreeReadBackIsArrangedOnce)
{
    std::unique_ptr<CWndContainer> pScreen(NewScreen());
    std::string strArranged = StoreTree(pScreen.get());
    CContainer* pButton = pScreen->FindSubContainer(NULL, "button");
    std::string strStale;
    {
        CDisableArrangeBlock all(NULL);
        pButton->SetBounds(CRect(1, 1, 2, 2));
        strStale = StoreTree(pScreen.get());
    }
    EXPECT_NE(strArranged, strStale);

    std::unique_ptr<CContainer> pLoaded = LoadTree(strStale);
    ASSERT_STREQ("CWndContainer", pLoaded->GetRuntimeClass()->m_lpszClassName);
    EXPECT_EQ(strArranged, StoreTree(pLoaded.get()));
    CContainer* pLoadedButton = pLoaded->FindSubContainer(NULL, "button");
    EXPECT_STREQ("CContainer", pLoadedButton->GetRuntimeClass()->m_lpszClassName) << "a probe is stored as a container";
    EXPECT_EQ(pLoaded->FindSubContainer(NULL, "panel"), pLoadedButton->GetParent());
    EXPECT_EQ(NULL, pLoaded->GetWindowPtr()) << "loading attaches no window";

    class CSelected : public CMessageReceiver
    {
    public:
        void OnMessage(Message*) override { ++m_n; }
        int m_n = 0;
    } selected;
    pLoadedButton->OnLButtonUp(CPoint(0, 0), CEventState());
    EXPECT_EQ(1, selected.m_n) << "released while pressed: selected";
}

// A tree read back is laid out as if each container had been arranged as soon as its
// children were read, deepest first, whatever the kinds of layout in it.
TEST(ContainerStorage, TreeReadBackIsLaidOutAsDeepestFirst)
{
    CRandomTree random;
    std::unique_ptr<CContainer> pStored;
    {
        CDisableArrangeBlock all(NULL);
        pStored.reset(random.Make(NULL, 5));
    }
    ASSERT_GT(pStored->GetChildList().GetCount(), 0);
    const std::string strBytes = StoreTree(pStored.get());

    std::unique_ptr<CContainer> pExpected;
    {
        CDisableArrangeBlock all(NULL);
        pExpected = LoadTree(strBytes);
    }
    ArrangeDeepestFirst(pExpected.get());
    std::unique_ptr<CContainer> pLoaded = LoadTree(strBytes);
    EXPECT_TRUE(SameGeometry(pExpected.get(), pLoaded.get(), "root"));
    EXPECT_NE(StoreTree(pLoaded.get()), strBytes) << "loading laid the tree out";
}

// However deep the tree, loading lays it out once: each container below the root gets
// its bounds once and is asked its minimum size once. Arranging each container as its
// children were read would lay out every level again for each level above it, and ask
// every container below it its size.
TEST(ContainerStorage, LoadingLaysOutEachContainerOnce)
{
    const int nLevels = 60, nLeaves = 20;
    std::unique_ptr<CContainer> pStored(new CCountedContainer);
    {
        CDisableArrangeBlock all(NULL);
        pStored->SetBounds(CRect(0, 0, 200, 400));
        pStored->SetArrangeMethod(arrangeVertical);
        CContainer* pLevel = pStored.get();
        for (int i = 1; i < nLevels; ++i)
        {
            auto* pNext = new CCountedContainer;
            pNext->SetArrangeMethod(arrangeVertical);
            pNext->SetParent(pLevel);
            pLevel = pNext;
        }
        for (int i = 0; i < nLeaves; ++i)
            (new CCountedContainer)->SetParent(pLevel);
    }
    const std::string strBytes = StoreTree(pStored.get());
    CCountedContainer::s_nBoundsSet = CCountedContainer::s_nSizesAsked = 0;
    std::unique_ptr<CContainer> pLoaded = LoadTree(strBytes);
    const int nBelowRoot = nLevels - 1 + nLeaves;
    EXPECT_EQ(nBelowRoot, CCountedContainer::s_nBoundsSet);
    EXPECT_EQ(nBelowRoot, CCountedContainer::s_nSizesAsked);
    EXPECT_TRUE(RectEq(CRect(0, 0, 200, 400), pLoaded->GetChildList().GetHead()->GetBounds()));
}

// A handler of the layout after reading may take a container out of the tree before its
// turn came: it is laid out all the same, for the bounds it has. In top { a { x { l1, l2 } },
// hook }, the hook takes x out when the top's layout gives it its bounds, before a's turn.
TEST(ContainerStorage, AContainerTakenOutBeforeItsTurnIsLaidOut)
{
    std::unique_ptr<CContainer> pStored(new CContainer(NULL, arrangeVertical));
    {
        CDisableArrangeBlock all(NULL);
        pStored->SetBounds(CRect(0, 0, 100, 100));
        auto* pA = new CContainer(pStored.get(), arrangeVertical);
        auto* pX = new CContainer(pA, arrangeVertical);
        pX->SetName("x");
        pX->SetBounds(CRect(0, 0, 60, 40));
        new CContainer(pX, arrangeNone);
        new CContainer(pX, arrangeNone);
        (new CHookedContainer)->SetParent(pStored.get());
    }
    const std::string strBytes = StoreTree(pStored.get());

    const struct
    {
        const char* how;
        std::function<void(CContainer*)> takeOut;
    } ways[] = {
        { "SetParent", [](CContainer* pX) { pX->SetParent(NULL); } },
        { "ReplaceChild", [](CContainer* pX) { pX->GetParent()->ReplaceChild(pX, new CContainer); } },
    };
    for (const auto& way : ways)
    {
        SCOPED_TRACE(way.how);
        std::unique_ptr<CContainer> pTakenOut;
        CHookedContainer::s_onSetBounds = [&](CContainer* pHook) {
            pTakenOut.reset(pHook->FindContainer(NULL, "x"));
            way.takeOut(pTakenOut.get());
        };
        std::unique_ptr<CContainer> pLoaded = LoadTree(strBytes);
        ASSERT_NE(nullptr, pTakenOut);
        EXPECT_EQ(NULL, pTakenOut->GetParent());
        const CSize size = pTakenOut->GetSize();
        const auto& leaves = pTakenOut->GetChildList();
        ASSERT_EQ(2, leaves.GetCount());
        EXPECT_TRUE(RectEq(CRect(0, 0, size.cx, size.cy / 2), leaves.GetHead()->GetBounds()));
        EXPECT_TRUE(RectEq(CRect(0, size.cy / 2, size.cx, size.cy), leaves.GetTail()->GetBounds()));
    }
}

// Damage ends in the archive's exception, and whatever was read is freed.
TEST(ContainerStorage, DamagedTrees)
{
    const std::string strRoot = CBytes().NewClass("CContainer").Raw(Fields(strNull, "root"));
    const std::string strChild = CBytes().Word(0x8001).Raw(Fields(strNull, "child"));
    // Records: the class is 1, the root 2, the child 3.
    const struct
    {
        const char* context;
        std::string strBytes;
        int nCause;
    } cases[] = {
        { "a frame where a child belongs", CBytes().Raw(strRoot).Word(1).NewClass("CContainerFrame").Word(1).Long(0),
          CArchiveException::badClass },
        { "a container where the frame belongs",
          CBytes().Raw(strRoot).Word(1).Word(0x8001).Raw(Fields(CBytes().Word(0x8001), "c")),
          CArchiveException::badClass },
        { "a child that is the root", CBytes().Raw(strRoot).Word(1).Word(2), CArchiveException::badIndex },
        { "a child that is its own child", CBytes().Raw(strRoot).Word(1).Raw(strChild).Word(1).Word(3),
          CArchiveException::badIndex },
        { "one child twice", CBytes().Raw(strRoot).Word(2).Raw(strChild).Raw(strNoChildren).Word(3),
          CArchiveException::badIndex },
        { "a null child", CBytes().Raw(strRoot).Word(1).Word(0), CArchiveException::badIndex },
        { "a frame shared by two containers",
          CBytes().NewClass("CContainer").Raw(Fields(CBytes().NewClass("CContainerFrame").Word(1).Long(0), "r"))
              .Word(1).Word(0x8001).Raw(Fields(CBytes().Word(4), "c")).Raw(strNoChildren),
          CArchiveException::badIndex },
        { "bounds out of range", CBytes().NewClass("CContainer").Raw(Fields(strNull, "r", 0x100001)).Word(0),
          CArchiveException::badIndex },
        { "another schema", CBytes().NewClass("CContainer", 1).Raw(Fields(strNull, "r")).Word(0),
          CArchiveException::badSchema },
        { "an unknown class", CBytes().NewClass("CCountainer").Raw(Fields(strNull, "r")).Word(0),
          CArchiveException::badClass },
        { "an absurd count", CBytes().Raw(strRoot).Word(0xFFFF).Long(0xFFFFFFF0).Raw(strChild).Raw(strNoChildren),
          CArchiveException::endOfFile },
    };
    // The first failure allocates for good what later ones reuse.
    Thrown<CArchiveException>([&] { LoadTree(cases[0].strBytes); })->Delete();
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.context);
        size_t nHeap = HeapInUse();
        EXPECT_EQ(c.nCause, CauseOf<CArchiveException>([&] { LoadTree(c.strBytes); }));
        EXPECT_EQ(nHeap, HeapInUse());
    }

    // Every shorter piece of a whole tree is damaged too.
    std::unique_ptr<CWndContainer> pScreen(NewScreen());
    std::string strWhole = StoreTree(pScreen.get());
    size_t nHeap = HeapInUse();
    for (size_t nLength = 0; nLength < strWhole.size(); ++nLength)
    {
        CArchiveException* e = Thrown<CArchiveException>([&] { LoadTree(strWhole.substr(0, nLength)); });
        ASSERT_NE(nullptr, e) << "cut at " << nLength;
        e->Delete();
    }
    EXPECT_EQ(nHeap, HeapInUse());
}

// A tree may nest 256 levels deep; deeper would let a file exhaust the stack.
TEST(ContainerStorage, NestingIsLimited)
{
    auto chain = [](int nLevels) {
        CBytes b;
        b.NewClass("CContainer").Raw(Fields(strNull, "0"));
        for (int i = 1; i < nLevels; ++i)
            b.Word(1).Word(0x8001).Raw(Fields(strNull, "n"));
        return b.Raw(strNoChildren);
    };
    EXPECT_NE(nullptr, LoadTree(chain(256)));
    EXPECT_EQ(CArchiveException::badIndex, CauseOf<CArchiveException>([&] { LoadTree(chain(257)); }));
    EXPECT_NE(nullptr, LoadTree(chain(256))) << "the depth count comes back after a failure";
}

// Loading replaces the main container there was, once the new one was read whole;
// a plain container cannot be a main container.
TEST(ContainerStorage, MainContainerRecord)
{
    std::unique_ptr<CWndContainer> pScreen(NewScreen());
    CWndContainer* pToStore = pScreen.get();
    std::string strBytes = Store([&](CArchive& ar) { CMainContainerRecord(pToStore).Serialize(ar); });
    EXPECT_EQ(StoreTree(pScreen.get()), strBytes);

    CallLog log;
    CWndContainer* pMain = new CWndContainer;
    new CProbe(pMain, "old", arrangeNone, &log);
    Load(strBytes, [&](CArchive& ar) { CMainContainerRecord(pMain).Serialize(ar); });
    EXPECT_TRUE(SequenceIs({ "old:Destroy" }, log));
    std::unique_ptr<CWndContainer> pOwner(pMain);
    EXPECT_EQ(strBytes, StoreTree(pMain));

    CWndContainer* pNone = NULL;
    std::string strNullMain = Store([&](CArchive& ar) { CMainContainerRecord(pNone).Serialize(ar); });
    EXPECT_EQ(strNull, strNullMain);
    Load(strNullMain, [&](CArchive& ar) { CMainContainerRecord(pMain).Serialize(ar); });
    EXPECT_EQ(nullptr, pMain);
    pOwner.release();

    CContainer plain(NULL, arrangeNone);
    std::string strPlain = StoreTree(&plain);
    EXPECT_EQ(CArchiveException::badClass, CauseOf<CArchiveException>([&] {
        Load(strPlain, [&](CArchive& ar) { CMainContainerRecord(pMain).Serialize(ar); });
    }));
}

// The screen document: the tree, then the section, which ends in a trailer naming where
// it starts; resources of one type refer to their class record by the numbering that
// the tree began.
TEST(ContainerStorage, ScreenDocument)
{
    CScratchFolder folder;
    CString strPath = folder.Path("screen.doc");
    std::unique_ptr<CWndContainer> pScreen(NewScreen());
    std::string strTree = StoreTree(pScreen.get());
    {
        CHoard hoard;
        for (const char* pszText : { "one", "two", "three" })
            static_cast<CNote*>(hoard.NewResource("CNote", pszText))->m_strText = pszText;
        CMainContainerRecord::SaveFile(strPath, pScreen.get(), hoard);
        EXPECT_EQ(strPath, hoard.GetFileReference());
    }
    std::string strFile = ReadAllBytes(strPath);
    ASSERT_GT(strFile.size(), strTree.size() + 8);
    EXPECT_EQ(strTree, strFile.substr(0, strTree.size()));
    EXPECT_EQ((const std::string&)CBytes().Long((DWORD)strTree.size()).Long(0x104159AA),
              strFile.substr(strFile.size() - 8));

    CHoard hoard;
    std::unique_ptr<CWndContainer> pLoaded(CMainContainerRecord::LoadFile(strPath, hoard));
    ASSERT_NE(nullptr, pLoaded);
    EXPECT_EQ(strTree, StoreTree(pLoaded.get()));
    const CResourceList* pNotes = hoard.GetResourceList("CNote");
    ASSERT_NE(nullptr, pNotes);
    EXPECT_EQ(3, pNotes->GetCount());
    EXPECT_EQ("three", static_cast<CNote*>(hoard.GetResource("CNote", "three"))->m_strText);

    // A cut file fails whole: nothing of the tree is left over.
    WriteAllBytes(folder.Path("cut.doc"), strFile.substr(0, strTree.size() / 2));
    CHoard hoardCut;
    auto loadCut = [&] { CMainContainerRecord::LoadFile(folder.Path("cut.doc"), hoardCut); };
    EXPECT_EQ(CArchiveException::endOfFile, CauseOf<CArchiveException>(loadCut));
    size_t nHeap = HeapInUse();   // after what a file's first read allocates for good
    EXPECT_EQ(CArchiveException::endOfFile, CauseOf<CArchiveException>(loadCut));
    EXPECT_EQ(nHeap, HeapInUse());
}

// A tree that could not be read back is not written, and the file stays as it was.
TEST(ContainerStorage, FailedSaveLeavesTheFile)
{
    CScratchFolder folder;
    CString strPath = folder.Path("screen.doc");
    WriteAllBytes(strPath, "before");
    std::unique_ptr<CWndContainer> pScreen(NewScreen());
    pScreen->GetChildList().GetHead()->SetBounds(CRect(0, 0, 0x200000, 10));
    CHoard hoard;
    EXPECT_EQ(CArchiveException::generic, CauseOf<CArchiveException>([&] {
        CMainContainerRecord::SaveFile(strPath, pScreen.get(), hoard);
    }));
    EXPECT_EQ("before", ReadAllBytes(strPath));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(folder.Path("TEMPSAVE.TMP")));
}
