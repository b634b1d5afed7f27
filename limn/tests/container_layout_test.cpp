// Container geometry: the arrangement of children, minimum sizes, scroll extents, the
// three frames of reference and hit-testing.
#include "limn/containers/ContainerFrame.h"
#include "limn/containers/DisableArrangeBlock.h"

#include "container_support.h"

namespace {

struct ExpectedBounds
{
    const CContainer* pContainer;
    CRect rect;
};

void ExpectBounds(std::initializer_list<ExpectedBounds> expected)
{
    for (const ExpectedBounds& e : expected)
        EXPECT_TRUE(RectEq(e.rect, e.pContainer->GetBounds())) << (const char*)e.pContainer->GetName();
}

} // namespace

TEST(ContainerLayout, FlexibleChildrenShareInProportionToTheirMinimum)
{
    CProbe parent(NULL, "parent", arrangeVertical);
    auto* pSmall = new CProbe(&parent, "small");
    auto* pLarge = new CProbe(&parent, "large");
    pSmall->SetMinimumSize(CSize(5, 10));
    pLarge->SetMinimumSize(CSize(5, 30));
    parent.SetBounds(CRect(0, 0, 50, 100));
    ExpectBounds({ { pSmall, CRect(0, 0, 50, 25) }, { pLarge, CRect(0, 25, 50, 100) } });
}

// A fixed child gets its minimum size clipped to the inner area beside flexible
// siblings, and its preferred size without them.
TEST(ContainerLayout, FixedChildBesideFlexibleOnes)
{
    CProbe parent(NULL, "parent", arrangeVertical);
    auto* pFixed = new CProbe(&parent, "fixed");
    pFixed->SetPreferredSize(CSize(200, 300));
    parent.SetBounds(CRect(0, 0, 100, 100));
    ExpectBounds({ { pFixed, CRect(0, 0, 200, 300) } });

    auto* pFlexible = new CProbe(NULL, "flexible");
    pFlexible->SetMinimumSize(CSize(1, 10));
    parent.AddChild(pFlexible, TRUE);
    ExpectBounds({ { pFlexible, CRect(0, 0, 100, 10) }, { pFixed, CRect(0, 10, 100, 110) } });
}

// The client area of a child with a step is rounded down to it; its frame stays whole.
TEST(ContainerLayout, StepRoundsTheClientArea)
{
    CProbe parent(NULL, "parent", arrangeHorizontal);
    auto* pChild = new CProbe(&parent, "stepped");
    pChild->SetFrame(new CContainerFrame(2, RGB(0, 0, 0)));
    pChild->m_sizeStep = CSize(16, 16);
    parent.SetBounds(CRect(0, 0, 70, 70));
    ExpectBounds({ { pChild, CRect(0, 0, 68, 68) } });

    pChild->m_sizeStep = CSize(0, 10);
    parent.ArrangeChildren();
    // A step of 0 leaves that axis alone.
    ExpectBounds({ { pChild, CRect(0, 0, 70, 64) } });
}

// A screen worked out by hand: header, body and footer stacked with a gap of 5; the body
// holds a fixed side bar and two flexible panels, with a gap of 4 across and 2 down.
TEST(ContainerLayout, ScreenByHand)
{
    CProbe root(NULL, "root", arrangeVertical);
    root.SetChildGap(CSize(5, 5));
    auto* pHeader = new CProbe(&root, "header");
    auto* pBody = new CProbe(&root, "body", arrangeHorizontal);
    auto* pFooter = new CProbe(&root, "footer");
    pHeader->SetPreferredSize(CSize(-1, 30));
    pFooter->SetPreferredSize(CSize(-1, 20));
    pBody->SetChildGap(CSize(4, 2));
    auto* pSide = new CProbe(pBody, "side");
    auto* pMain = new CProbe(pBody, "main");
    auto* pExtra = new CProbe(pBody, "extra");
    pSide->SetPreferredSize(CSize(60, -1));
    pMain->SetMinimumSize(CSize(100, 50));
    pExtra->SetMinimumSize(CSize(50, 20));
    EXPECT_EQ(CSize(210, 50), pBody->GetMinimumSize()) << "gaps do not count";

    root.SetBounds(CRect(0, 0, 300, 200));
    ExpectBounds({
        { pHeader, CRect(5, 5, 295, 35) },
        { pBody, CRect(5, 40, 295, 170) },
        { pFooter, CRect(5, 175, 295, 195) },
        // 282 across inside the gaps, 60 + 4 for the side bar and 4 between the panels
        // leave 214, shared 100 : 50 and rounded to nearest.
        { pSide, CRect(4, 2, 64, 128) },
        { pMain, CRect(68, 2, 211, 128) },
        { pExtra, CRect(215, 2, 286, 128) },
    });
    EXPECT_EQ(CSize(0, 0), root.GetScrollExtent());

    // Hiding the side bar hands its space to the panels.
    pSide->Hide(FALSE);
    ExpectBounds({ { pMain, CRect(4, 2, 189, 128) }, { pExtra, CRect(193, 2, 286, 128) } });
}

// A framed row: the frame takes the ring, and arrange-method values above 2 lay out left
// to right like a horizontal container.
TEST(ContainerLayout, FramedRowByHand)
{
    for (int nMethod : { (int)arrangeHorizontal, 7 })
    {
        SCOPED_TRACE(nMethod);
        CProbe root(NULL, "root", (ArrangeMethod)nMethod);
        root.SetFrame(new CContainerFrame(2, RGB(0, 0, 0)));
        auto* pTile = new CProbe(&root, "tile");
        pTile->SetMinimumSize(CSize(10, 10));
        pTile->SetFrame(new CContainerFrame(2, RGB(0, 0, 0)));
        pTile->m_sizeStep = CSize(16, 16);
        auto* pLabel = new CProbe(&root, "label");
        pLabel->SetPreferredSize(CSize(50, 40));
        root.SetBounds(CRect(0, 0, 200, 100));
        EXPECT_EQ(CSize(14, 14), pTile->GetMinimumSize());
        ExpectBounds({ { pTile, CRect(0, 0, 132, 84) }, { pLabel, CRect(132, 0, 182, 40) } });
    }
}

TEST(ContainerLayout, MinimumSize)
{
    const struct
    {
        const char* context;
        ArrangeMethod method;
        BOOL bFrame;
        BOOL bFixed;
        CSize expected;
    } cases[] = {
        { "vertical: heights add up, the own minimum is wider", arrangeVertical, FALSE, FALSE, CSize(45, 60) },
        { "horizontal: widths add up, the highest counts", arrangeHorizontal, FALSE, FALSE, CSize(50, 40) },
        { "none: as horizontal", arrangeNone, FALSE, FALSE, CSize(50, 40) },
        { "a 3-pixel frame on both axes", arrangeVertical, TRUE, FALSE, CSize(51, 66) },
        { "fixed along a vertical axis, frame and all", arrangeVertical, TRUE, TRUE, CSize(51, 5) },
        { "fixed along a horizontal axis", arrangeHorizontal, FALSE, TRUE, CSize(45, 40) },
        { "fixed means nothing without an axis", arrangeNone, FALSE, TRUE, CSize(50, 40) },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.context);
        CProbe parent(NULL, "parent", c.method);
        parent.SetMinimumSize(CSize(45, 5));
        (new CProbe(&parent, "a"))->SetMinimumSize(CSize(20, 40));
        (new CProbe(&parent, "b"))->SetMinimumSize(CSize(30, 20));
        (new CProbe(&parent, "hidden"))->SetMinimumSize(CSize(500, 500));
        parent.GetChildList().GetTail()->Hide(FALSE);
        parent.SetChildGap(CSize(7, 7));
        if (c.bFrame)
            parent.SetFrame(new CContainerFrame(3, RGB(0, 0, 0)));
        parent.m_bFixedAlongAxis = c.bFixed;
        EXPECT_EQ(c.expected, parent.GetMinimumSize());
    }
}

TEST(ContainerLayout, WhatRearranges)
{
    CProbe parent(NULL, "parent", arrangeVertical);
    auto* pChild = new CProbe(&parent, "child");
    parent.SetBounds(CRect(0, 0, 40, 40));
    int n = parent.m_nArranged;
    parent.SetBounds(CRect(0, 0, 40, 40));
    EXPECT_EQ(n, parent.m_nArranged) << "the same bounds";
    parent.SetBounds(CRect(10, 10, 50, 50));
    EXPECT_EQ(n + 1, parent.m_nArranged) << "moved";
    pChild->SetMinimumSize(CSize(3, 3));
    pChild->SetPreferredSize(CSize(3, 3));
    parent.SetChildGap(CSize(1, 1));
    parent.SetArrangeMethod(arrangeHorizontal);
    EXPECT_EQ(n + 5, parent.m_nArranged);
    EXPECT_EQ(CSize(3, 3), pChild->m_sizeMinimum);

    // Scrolling never arranges; the extent is computed only.
    pChild->SetPreferredSize(CSize(100, 100));
    EXPECT_EQ(CSize(60, 60), parent.GetScrollExtent());
    parent.SetScrollExtent(CSize(1, 1));
    EXPECT_EQ(CSize(60, 60), parent.GetScrollExtent());
    parent.ScrollBy(CSize(-5, -7));
    parent.ScrollBy(CSize(-5, 0));
    EXPECT_EQ(CPoint(-10, -7), parent.GetScrollPos());
    parent.SetScrollPos(CPoint(-500, 0));
    EXPECT_EQ(CPoint(-500, 0), parent.GetScrollPos()) << "not kept within the extent";
}

// A child's SetBounds may destroy containers: the layout goes on with the children that
// are left, giving them the shares it had computed, and stops in a container that is
// gone. In root { panel { a, b, c }, d }, all flexible, a's SetBounds destroys the
// victim.
TEST(ContainerLayout, LayoutGoesOnPastDestroyedContainers)
{
    const CRect rectA(0, 0, 40, 25), rectB(0, 25, 40, 50), rectC(0, 50, 40, 75), rectD(0, 75, 40, 100);
    const struct
    {
        const char* victim;
        std::vector<std::pair<const char*, CRect>> expected;
    } cases[] = {
        { "b", { { "a", rectA }, { "c", rectB }, { "d", rectD } } },
        { "a", { { "b", rectB }, { "c", rectC }, { "d", rectD } } },
        { "panel", { { "d", rectD } } },
        { "root", {} },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.victim);
        auto* pRoot = new CProbe(NULL, "root", arrangeVertical);
        CProbe* pA;
        {
            CDisableArrangeBlock all(NULL);
            auto* pPanel = new CProbe(pRoot, "panel", arrangeVertical);
            for (const char* pszName : { "a", "b", "c" })
                (new CProbe(pPanel, pszName))->SetMinimumSize(CSize(1, 10));
            (new CProbe(pRoot, "d"))->SetMinimumSize(CSize(1, 10));
            pA = static_cast<CProbe*>(pRoot->FindSubContainer(NULL, "a"));
        }
        CContainer* pVictim = pRoot->FindSubContainer(NULL, c.victim);
        pA->m_after["SetBounds"] = [&] {
            if (pVictim == pRoot)
                pRoot = NULL;
            delete pVictim;
        };
        pRoot->SetBounds(CRect(0, 0, 40, 100));
        if (pRoot == NULL)
            continue;
        EXPECT_EQ(NULL, pRoot->FindSubContainer(NULL, c.victim));
        for (const auto& [pszName, rect] : c.expected)
        {
            const CContainer* pContainer = pRoot->FindSubContainer(NULL, pszName);
            ASSERT_NE(nullptr, pContainer) << pszName;
            EXPECT_TRUE(RectEq(rect, pContainer->GetBounds())) << pszName;
        }
        delete pRoot;
    }
}

// Without a visible child, arranging stops before the extent is computed again.
TEST(ContainerLayout, ScrollExtent)
{
    CallLog log;
    CProbe parent(NULL, "parent", arrangeNone, &log);
    parent.SetBounds(CRect(0, 0, 100, 50));
    auto* pFar = new CProbe(&parent, "far");
    auto* pNear = new CProbe(&parent, "near");
    pFar->SetBounds(CRect(-20, 10, 130, 80));
    pNear->SetBounds(CRect(0, 0, 10, 10));
    pNear->Hide(FALSE);
    parent.ComputeScrollExtent();
    EXPECT_EQ(CSize(50, 30), parent.GetScrollExtent()) << "every child counts, visible or not";
    EXPECT_TRUE(SequenceIs({ "parent:ExtentChanged" }, log));

    parent.SetArrangeMethod(arrangeVertical);
    pFar->SetPreferredSize(CSize(120, 30));
    EXPECT_EQ(CSize(20, 0), parent.GetScrollExtent());
    pFar->Hide(FALSE);
    EXPECT_EQ(CSize(20, 0), parent.GetScrollExtent()) << "kept";

    log.clear();
    pFar->Show(FALSE);
    pFar->SetPreferredSize(CSize(10, 10));
    parent.ComputeScrollExtent();
    EXPECT_EQ(CSize(0, 0), parent.GetScrollExtent());
    EXPECT_TRUE(SequenceIs({ "parent:ExtentChanged" }, log)) << "on showing; never for no extent";
}

// Layout keeps the bounds it computes within reach of every sum down a tree.
TEST(ContainerLayout, HugeSizesStayWithinTheCoordinateRange)
{
    CProbe parent(NULL, "parent", arrangeHorizontal);
    parent.SetBounds(CRect(0, 0, 100, 100));
    for (int i = 0; i < 3; ++i)
        (new CProbe(&parent, "wide"))->SetPreferredSize(CSize(0x70000000, 0x70000000));
    const int nMax = CContainer::maxCoordinate;
    EXPECT_EQ(CSize(nMax, nMax), parent.GetMinimumSize());
    // Without flexible siblings a child takes its preferred size, limited to the range.
    const auto& children = parent.GetChildList();
    EXPECT_TRUE(RectEq(CRect(0, 0, nMax, nMax), children.GetHead()->GetBounds()));
    EXPECT_TRUE(RectEq(CRect(nMax, 0, nMax, nMax), children.GetTail()->GetBounds()));
}

TEST(ContainerLayout, FramesOfReference)
{
    CProbe root(NULL, "root");
    root.SetBounds(CRect(0, 0, 400, 300));
    auto* pPanel = new CProbe(&root, "panel");
    pPanel->SetFrame(new CContainerFrame(3, RGB(0, 0, 0)));
    pPanel->SetBounds(CRect(20, 30, 220, 180));
    pPanel->SetScrollPos(CPoint(-10, -5));
    auto* pItem = new CProbe(pPanel, "item");
    pItem->SetFrame(new CContainerFrame(1, RGB(0, 0, 0)));
    pItem->SetBounds(CRect(5, 6, 45, 36));

    CRect rect;
    pItem->GetContainerRect(&rect);
    EXPECT_TRUE(RectEq(CRect(-5, 1, 35, 31), rect)) << "the panel's scroll added";
    pItem->GetClientRect(&rect);
    EXPECT_TRUE(RectEq(CRect(0, 0, 38, 28), rect));
    EXPECT_EQ(6, pItem->GetSideCoord(1));
    EXPECT_EQ(45, pItem->GetSideCoord(2));

    // Item client (0,0): +1 frame, +(-10,-5) scroll, +(5,6) bounds = panel client (-4,2);
    // +3 frame, +(20,30) bounds = window (19,35).
    CPoint point(0, 0);
    pItem->ClientToParent(&point);
    EXPECT_EQ(CPoint(-4, 2), point);
    point = CPoint(0, 0);
    pItem->ClientToWindow(&point);
    EXPECT_EQ(CPoint(19, 35), point);
    pItem->WindowToClient(&point);
    EXPECT_EQ(CPoint(0, 0), point);
    rect.SetRect(1, 2, 3, 4);
    pItem->ClientToWindow(&rect);
    EXPECT_TRUE(RectEq(CRect(20, 37, 22, 39), rect));
    pItem->WindowToClient(&rect);
    pItem->ParentToClient(&rect);
    EXPECT_TRUE(RectEq(CRect(5, 0, 7, 2), rect));
    EXPECT_TRUE(pItem->ContainsPoint(CPoint(5, 6)));
    EXPECT_FALSE(pItem->ContainsPoint(CPoint(45, 6)));
}

// The deepest visible container whose client area holds the point; the head of a list
// wins among overlapping children, frames are no hit, and state does not matter.
TEST(ContainerLayout, ChildFromPoint)
{
    CProbe root(NULL, "root");
    root.SetBounds(CRect(0, 0, 200, 200));
    auto* pFront = new CProbe(&root, "front");
    auto* pBack = new CProbe(&root, "back");
    auto* pInner = new CProbe(pBack, "inner");
    auto* pHidden = new CProbe(&root, "hidden");
    pFront->SetBounds(CRect(50, 50, 100, 100));
    pBack->SetFrame(new CContainerFrame(5, RGB(0, 0, 0)));
    pBack->SetBounds(CRect(0, 0, 150, 150));
    pBack->SetScrollPos(CPoint(10, 10));
    pInner->SetBounds(CRect(0, 0, 20, 20));
    pHidden->SetBounds(CRect(0, 0, 200, 200));
    pHidden->Hide(FALSE);
    pInner->Disable();
    const struct
    {
        CPoint point;
        CContainer* pExpected;
    } cases[] = {
        { CPoint(60, 60), pFront },   { CPoint(15, 15), pInner },  { CPoint(34, 34), pInner },
        { CPoint(35, 35), pBack },    { CPoint(2, 2), &root },     { CPoint(147, 20), &root },
        { CPoint(144, 20), pBack },   { CPoint(199, 199), &root }, { CPoint(-1, 0), &root },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.pExpected, root.ChildFromPoint(c.point)) << c.point.x << "," << c.point.y;
    const CProbe& constRoot = root;
    EXPECT_EQ(pFront, constRoot.ChildFromPoint(CPoint(99, 99)));
}
