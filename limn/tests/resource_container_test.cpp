// The container that shows a picture: where the picture lands (read back from a real
// window), its silence when selected, how a tree stores it, and how a tree read back gets
// its pictures again by name.
#include "limn/containers/Container3DFrame.h"
#include "limn/containers/ContainerMessages.h"
#include "limn/containers/NamedPictures.h"
#include "limn/pictures/DIBElem.h"
#include "limn/pictures/Picture.h"

#include "hoard/resources/Hoard.h"

#include "container_support.h"
#include "picture_support.h"

#include <memory>
#include <typeinfo>

namespace {

const COLORREF crGrey = RGB(192, 192, 192), crRed = RGB(255, 0, 0), crBlue = RGB(0, 0, 255);

// A picture of one colour.
void FillPicture(CPicture& picture, CSize size, COLORREF color)
{
    DWORD dwPixel = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    CTestDIB dib = MakeTestDIB(size.cx, size.cy, 24, [=](int, int) { return dwPixel; });
    picture.AddPictElem(new CDIBElem(dib));
}

class CSelectionRecorder : public CMessageReceiver
{
public:
    void OnMessage(Message* pMsg) override
    {
        if (auto* pSelected = dynamic_cast<MsgContainerSelected*>(pMsg))
            m_log.push_back("selected:" + std::string(pSelected->m_pContainer->GetName()));
    }
    CallLog m_log;
};

// A resource container whose state the tests can see.
class COpenResourceContainer : public CResourceContainer
{
public:
    using CResourceContainer::CResourceContainer;
    using CResourceContainer::m_nState;
};

std::string StoreTree(CContainer* pTree)
{
    std::vector<BYTE> bytes = StoreBytes([&](CArchive& ar) { ar << pTree; });
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

// A 100x60 container without frame at (20, 30) draws its picture into the 94x54
// rectangle at (3, 3) of its client area: shrunk to fit with the aspect kept, never
// enlarged, centred.
TEST(ResourceContainer, DrawsInsideTheMargin)
{
    static const struct
    {
        CSize extent;
        CRect rectDrawn;    // in the container's client area
    } cases[] = {
        { CSize(200, 100), CRect(3, 6, 97, 53) },
        { CSize(50, 100), CRect(36, 3, 63, 57) },
        { CSize(94, 54), CRect(3, 3, 97, 57) },
        { CSize(20, 10), CRect(40, 25, 60, 35) },
    };
    CTreeWindow window(100, 100, 160, 120);
    for (const auto& c : cases)
    {
        CPicture picture;
        FillPicture(picture, c.extent, crRed);
        CWndContainer root(&window.m_wnd);
        auto* pShowing = new CResourceContainer(&root, &picture);
        pShowing->SetBounds(CRect(20, 30, 120, 90));
        EXPECT_EQ(&picture, pShowing->GetResource());
        window.m_pRoot = &root;
        ::InvalidateRect(window.Handle(), NULL, FALSE);
        ::UpdateWindow(window.Handle());

        const CRect r = c.rectDrawn + CPoint(20, 30);
        const struct
        {
            int x, y;
            COLORREF color;
        } pixels[] = {
            { r.left, r.top, crRed },           { r.right - 1, r.top, crRed },
            { r.left, r.bottom - 1, crRed },    { r.right - 1, r.bottom - 1, crRed },
            { r.left - 1, r.top, crGrey },      { r.left, r.top - 1, crGrey },
            { r.right, r.bottom - 1, crGrey },  { r.right - 1, r.bottom, crGrey },
        };
        for (const auto& p : pixels)
        {
            EXPECT_EQ(p.color, window.PixelAt(p.x, p.y))
                << c.extent.cx << "x" << c.extent.cy << " at (" << p.x << ", " << p.y << ")";
        }
        window.m_pRoot = NULL;
    }
}

TEST(ResourceContainer, NothingToShow)
{
    CTreeWindow window(100, 100, 160, 120);
    CWndContainer root(&window.m_wnd);
    new CResourceContainer(&root, NULL);
    CPicture picture;
    FillPicture(picture, CSize(10, 10), crRed);
    auto* pTiny = new CResourceContainer(&root, &picture);
    pTiny->SetBounds(CRect(10, 10, 16, 16));
    window.m_pRoot = &root;
    ::InvalidateRect(window.Handle(), NULL, FALSE);
    ::UpdateWindow(window.Handle());
    EXPECT_EQ(0, window.m_nExceptions);
    EXPECT_EQ(crGrey, window.PixelAt(13, 13)) << "no room inside the margin";
    window.m_pRoot = NULL;
}

// Pressed and released by the mouse, a resource container acts as a button but is not
// announced; a plain container beside it is.
TEST(ResourceContainer, SelectedByMouseWithoutMessage)
{
    CTreeWindow window(100, 100, 200, 100);
    CWndContainer root(&window.m_wnd);
    CPicture picture;
    FillPicture(picture, CSize(40, 40), crBlue);
    auto* pShowing = new COpenResourceContainer(&root, &picture);
    pShowing->SetName("picture");
    pShowing->SetBounds(CRect(10, 10, 60, 60));
    auto* pPlain = new CProbe(&root, "plain");
    pPlain->SetBounds(CRect(100, 10, 150, 60));
    window.m_pRoot = &root;
    CSelectionRecorder recorder;

    const struct
    {
        CContainer* pButton;
        int* pnState;
    } buttons[] = { { pShowing, &pShowing->m_nState }, { pPlain, &pPlain->m_nState } };
    for (const auto& b : buttons)
    {
        MoveCursorTo(window.ToScreen(b.pButton->GetBounds().CenterPoint()));
        PressLeft();
        EXPECT_EQ(CContainer::statePressed, *b.pnState) << (LPCSTR)b.pButton->GetName();
        ReleaseLeft();
        EXPECT_EQ(CContainer::stateNormal, *b.pnState) << (LPCSTR)b.pButton->GetName();
        AwaitSingleClick();
    }
    EXPECT_TRUE(SequenceIs({ "selected:plain" }, recorder.m_log));
    window.m_pRoot = NULL;
}

// A resource container keeps the run-time class of CContainer: it is stored as a plain
// container, and read back as one, with the same record and no resource.
TEST(ResourceContainer, StoredAsAPlainContainer)
{
    CPicture picture;
    FillPicture(picture, CSize(8, 8), crRed);
    CContainer plainRoot(NULL, arrangeHorizontal);
    CContainer showingRoot(NULL, arrangeHorizontal);
    for (CContainer* pRoot : { &plainRoot, &showingRoot })
    {
        pRoot->SetBounds(CRect(0, 0, 300, 100));
        CContainer* pChild = pRoot == &plainRoot ? new CContainer(pRoot, arrangeNone)
                                                 : new CResourceContainer(pRoot, &picture);
        pChild->SetName("dog");
        pChild->SetFrame(new CContainer3DFrame(RGB(200, 100, 50), 3, 1, 50, 150, 100, 200));
        pChild->SetPreferredSize(CSize(80, -1));
    }
    EXPECT_STREQ("CContainer", showingRoot.GetChildList().GetHead()->GetRuntimeClass()->m_lpszClassName);
    std::string strStored = StoreTree(&showingRoot);
    EXPECT_EQ(StoreTree(&plainRoot), strStored);

    CObject* pObject = NULL;
    LoadBytes(std::vector<BYTE>(strStored.begin(), strStored.end()), [&](CArchive& ar) { ar >> pObject; });
    std::unique_ptr<CContainer> pLoaded(static_cast<CContainer*>(pObject));
    ASSERT_NE(nullptr, pLoaded);
    CContainer* pChild = pLoaded->GetChildList().GetHead();
    EXPECT_TRUE(typeid(*pChild) == typeid(CContainer));
    EXPECT_EQ(showingRoot.GetChildList().GetHead()->GetBounds(), pChild->GetBounds());
}

namespace {

// A picture container that is announced when selected, as a screen of choices wants.
class CChoice : public CResourceContainer
{
public:
    explicit CChoice(CDrawableResource* pResource) : CResourceContainer(NULL, pResource) {}
    void OnSelect() override { CContainer::OnSelect(); }
    static CResourceContainer* New(CDrawableResource* pResource) { return new CChoice(pResource); }
};

// A tree as storage gives it back: plain containers, some named as pictures.
CContainer* NewStoredTree()
{
    auto* pRoot = new CContainer(NULL, arrangeVertical);
    pRoot->SetBounds(CRect(0, 0, 400, 300));
    pRoot->SetChildGap(CSize(5, 5));
    auto* pRow = new CContainer(pRoot, arrangeHorizontal);
    pRow->SetName("row");
    const char* names[] = { "bird", "Dog", "cat" };
    for (const char* pszName : names)
    {
        auto* pLeaf = new CContainer(pRow, arrangeNone);
        pLeaf->SetName(pszName);
        pLeaf->SetFillColor(RGB(255, 255, 204));
        pLeaf->SetFrame(new CContainer3DFrame(RGB(200, 100, 50), 4, 0, 130, 130, 60, 60));
        pLeaf->SetMinimumSize(CSize(60, 50));
    }
    // Named as a picture, but holding children: the children are looked at instead.
    auto* pGroup = new CContainer(pRoot, arrangeHorizontal);
    pGroup->SetName("dog");
    (new CContainer(pGroup, arrangeNone))->SetName("cat");
    // Named as a picture, but of an application's own class.
    new CProbe(pRoot, "cat");
    return pRoot;
}

} // namespace

TEST(NamedPictures, LeavesNamedAsPicturesShowThem)
{
    CHoard hoard;
    CPicture* pDog = CPicture::New(hoard, "dog");
    FillPicture(*pDog, CSize(30, 20), crRed);
    CPicture* pCat = CPicture::New(hoard, "cat");
    FillPicture(*pCat, CSize(20, 30), crBlue);

    std::unique_ptr<CContainer> pTree(NewStoredTree());
    std::string strBefore = StoreTree(pTree.get());
    std::vector<CRect> boundsBefore;
    CContainer* pRow = pTree->FindSubContainer(NULL, "row");
    for (POSITION pos = pRow->GetChildList().GetHeadPosition(); pos != NULL;)
        boundsBefore.push_back(pRow->GetChildList().GetNext(pos)->GetBounds());

    EXPECT_EQ(3, ShowNamedPictures(pTree.get(), hoard));
    EXPECT_EQ(strBefore, StoreTree(pTree.get())) << "every record is kept";

    static const struct
    {
        const char* pszName;
        CPicture* pPicture;     // NULL: not replaced
    } row[] = { { "bird", NULL }, { "Dog", pDog }, { "cat", pCat } };
    POSITION pos = pRow->GetChildList().GetHeadPosition();
    for (size_t i = 0; i < 3; ++i)
    {
        CContainer* pChild = pRow->GetChildList().GetNext(pos);
        EXPECT_STREQ(row[i].pszName, pChild->GetName()) << "the place in the list is kept";
        EXPECT_EQ(boundsBefore[i], pChild->GetBounds()) << row[i].pszName;
        EXPECT_EQ(pRow, pChild->GetParent());
        auto* pShowing = dynamic_cast<CResourceContainer*>(pChild);
        EXPECT_EQ(row[i].pPicture != NULL, pShowing != NULL) << row[i].pszName;
        if (pShowing != NULL)
        {
            EXPECT_EQ(row[i].pPicture, pShowing->GetResource()) << row[i].pszName;
        }
    }
    CContainer* pGroup = pTree->GetChildList().GetAt(pTree->GetChildList().FindIndex(1));
    EXPECT_TRUE(typeid(*pGroup) == typeid(CContainer)) << "a container with children stays";
    EXPECT_NE(nullptr, dynamic_cast<CResourceContainer*>(pGroup->GetChildList().GetHead())) << "its child is a leaf";
    EXPECT_NE(nullptr, dynamic_cast<CProbe*>(pTree->GetChildList().GetTail())) << "an application's class stays";

    EXPECT_EQ(0, ShowNamedPictures(pTree.get(), hoard)) << "resource containers are not replaced again";
}

TEST(NamedPictures, MadeByTheCaller)
{
    CHoard hoard;
    FillPicture(*CPicture::New(hoard, "dog"), CSize(30, 20), crRed);
    std::unique_ptr<CContainer> pTree(NewStoredTree());
    EXPECT_EQ(1, ShowNamedPictures(pTree.get(), hoard, CChoice::New));
    CContainer* pDog = pTree->FindSubContainer(NULL, "dog");
    ASSERT_NE(nullptr, dynamic_cast<CChoice*>(pDog));
    CSelectionRecorder recorder;
    pDog->OnSelect();
    EXPECT_TRUE(SequenceIs({ "selected:Dog" }, recorder.m_log));

    CHoard empty;
    std::unique_ptr<CContainer> pOther(NewStoredTree());
    EXPECT_EQ(0, ShowNamedPictures(pOther.get(), empty)) << "a file without pictures";
}

// A replacement lays the row out again, and a SetBounds handler there may destroy the
// leaf the walk comes to next: it is passed by.
TEST(NamedPictures, WalkGoesOnPastDestroyedLeaves)
{
    CHoard hoard;
    FillPicture(*CPicture::New(hoard, "dog"), CSize(30, 20), crRed);
    FillPicture(*CPicture::New(hoard, "cat"), CSize(30, 20), crBlue);
    std::unique_ptr<CContainer> pTree(NewStoredTree());
    CContainer* pRow = pTree->FindSubContainer(NULL, "row");
    auto* pProbe = new CProbe(NULL, "probe");
    pRow->AddChild(pProbe, TRUE);
    CContainer* pCat = pRow->GetChildList().GetTail();
    pProbe->m_after["SetBounds"] = [&] {
        delete pCat;
        pCat = NULL;
        pProbe->m_after.clear();
    };
    EXPECT_EQ(2, ShowNamedPictures(pTree.get(), hoard)) << "Dog in the row, cat in the group";
    EXPECT_EQ(NULL, pCat);
    EXPECT_EQ(3, pRow->GetChildList().GetCount());
    EXPECT_NE(nullptr, dynamic_cast<CResourceContainer*>(pRow->FindSubContainer(NULL, "dog")));
}
