// The scanning engine on a real window: the levels that SetScanningParent offers, steps
// and selections through hot keys taken by the real timer, automatic scanning with its
// cycle limit and continuous restart, the highlight drawn on the window and taken off it
// exactly, flashing, and containers destroyed while scanning runs. The engine's clock is
// steered by the tests; everything else is real.
#include "limn/containers/Container3DFrame.h"

#include "scanning_support.h"

namespace {

const COLORREF crScan = RGB(255, 0, 0);

// A screen of two groups of three leaves: G1 {A, B, C} above G2 {D, E, F}.
class ScanningTwoGroups : public ScanningTest
{
protected:
    ScanningTwoGroups()
    {
        m_pG1 = Group(m_pRoot, "G1", CRect(10, 10, 390, 140));
        m_pG2 = Group(m_pRoot, "G2", CRect(10, 160, 390, 290));
        const char* names[2][3] = { { "A", "B", "C" }, { "D", "E", "F" } };
        for (int g = 0; g < 2; g++)
            for (int i = 0; i < 3; i++)
                Leaf(g == 0 ? m_pG1 : m_pG2, names[g][i], CRect(20 + 120 * i, 20, 120 + 120 * i, 110));
        m_pRoot->SetScanningParent();
        ::UpdateWindow(m_window.Handle());
    }

    CContainer* m_pG1;
    CContainer* m_pG2;
};

TEST_F(ScanningTest, LevelsOfOneChoiceAreDescended)
{
    CContainer* pOuter = Group(m_pRoot, "outer", CRect(10, 10, 390, 290));
    CContainer* pInner = Group(pOuter, "inner", CRect(10, 10, 370, 270));
    Leaf(pInner, "A", CRect(10, 10, 100, 100));
    CScanLeaf* pB = Leaf(pInner, "B", CRect(120, 10, 210, 100));
    EXPECT_EQ(1, m_pRoot->SetScanningParent());
    EXPECT_EQ(pInner, CContainer::GetScanningParent());
    EXPECT_EQ("A,B", ScanListNames()) << "the root is no way back when the descent started there";

    // A single leaf stays the one entry, so that it can still be selected.
    pB->Hide(FALSE);
    m_pRoot->SetScanningParent();
    EXPECT_EQ(pInner, CContainer::GetScanningParent());
    EXPECT_EQ("A", ScanListNames());
    Hit(VK_RIGHT);
    EXPECT_EQ("A", FocusName());
    Hit(VK_DOWN);
    EXPECT_TRUE(SequenceIs({ "A:LDown", "A:LUp", "A:Select" }, m_log));
}

// A group of one choice stands for that choice: selecting the group clicks it, however
// deep it lies, and scanning goes on from the level it was on.
TEST_F(ScanningTest, SelectingAGroupOfOneChoiceSelectsThatChoice)
{
    // Six groups (six entries are not flattened) of one leaf each; the first leaf lies
    // one group deeper.
    for (int g = 0; g < 6; g++)
    {
        std::string strName(1, (char)('a' + g));
        CContainer* pGroup = Group(m_pRoot, strName.c_str(), CRect(10 + 60 * g, 10, 60 + 60 * g, 290));
        if (g == 0)
            pGroup = Group(pGroup, "inner", CRect(0, 0, 50, 280));
        Leaf(pGroup, (strName + "0").c_str(), CRect(0, 0, 40, 30));
    }
    m_pRoot->SetScanningParent();
    EXPECT_EQ("a,b,c,d,e,f", ScanListNames());

    // By steps: the leaf is clicked and scanning returns to the top.
    Hit(VK_RIGHT);
    EXPECT_EQ("a", FocusName());
    Hit(VK_DOWN);
    EXPECT_TRUE(SequenceIs({ "a0:LDown", "a0:LUp", "a0:Select" }, m_log));
    EXPECT_EQ(m_pRoot, CContainer::GetScanningParent());
    EXPECT_EQ("a,b,c,d,e,f", ScanListNames());
    EXPECT_EQ("", FocusName());

    // Automatically: the leaf is clicked and the level stays the one scanned.
    m_log.clear();
    Hit(VK_RETURN);
    Advance(551);
    EXPECT_EQ("b", FocusName());
    Hit(VK_RETURN);
    EXPECT_TRUE(SequenceIs({ "b0:LDown", "b0:LUp", "b0:Select" }, m_log));
    EXPECT_EQ(m_pRoot, CContainer::GetScanningParent());
    EXPECT_EQ("a,b,c,d,e,f", ScanListNames());
}

TEST_F(ScanningTest, LevelsOfFewChoicesAreFlattened)
{
    static const struct
    {
        std::vector<int> groups;    // leaves in each group; 0 for a leaf of the root
        const char* pszList;
    } cases[] = {
        { { 2, 2, 1 }, "a0,a1,b0,b1,c0" },
        { { 3, 1 }, "a0,a1,a2,b0" },
        { { 0, 2 }, "a,b0,b1" },
        { { 1, 1, 1, 1, 1, 1 }, "a,b,c,d,e,f" },   // six entries
        { { 2, 2, 2 }, "a,b,c" },                   // six choices
        { { 2, 3 }, "a0,a1,b0,b1,b2" },
        { { 1, 1 }, "a,b" },                        // as many choices as entries
    };
    for (const auto& c : cases)
    {
        m_pRoot->RemoveAllChildren();
        std::string strGroups;
        for (size_t g = 0; g < c.groups.size(); g++)
        {
            std::string strName(1, (char)('a' + g));
            CRect rect(10 + 60 * (int)g, 10, 60 + 60 * (int)g, 290);
            strGroups += std::to_string(c.groups[g]) + " ";
            if (c.groups[g] == 0)
            {
                Leaf(m_pRoot, strName.c_str(), rect);
                continue;
            }
            CContainer* pGroup = Group(m_pRoot, strName.c_str(), rect);
            for (int i = 0; i < c.groups[g]; i++)
                Leaf(pGroup, (strName + std::to_string(i)).c_str(), CRect(0, 40 * i, 40, 40 * i + 30));
        }
        m_pRoot->SetScanningParent();
        EXPECT_EQ(c.pszList, ScanListNames()) << "groups of " << strGroups;
        EXPECT_EQ(m_pRoot, CContainer::GetScanningParent());
    }
}

TEST_F(ScanningTwoGroups, AGroupBelowTheTopOffersTheWayBack)
{
    EXPECT_EQ("G1,G2", ScanListNames());
    Hit(VK_RIGHT);
    EXPECT_EQ("G1", FocusName());
    Hit(VK_DOWN);
    EXPECT_EQ(m_pG1, CContainer::GetScanningParent());
    EXPECT_EQ("A,B,C,root", ScanListNames());
    EXPECT_EQ("A", FocusName()) << "a group's selection highlights its first entry";
    Hit(VK_LEFT);
    EXPECT_EQ("root", FocusName());
    Hit(VK_DOWN);
    EXPECT_EQ(m_pRoot, CContainer::GetScanningParent());
    EXPECT_EQ("G1,G2", ScanListNames());
    EXPECT_EQ("G1", FocusName());
    EXPECT_TRUE(m_log.empty()) << "no leaf was clicked";
}

TEST_F(ScanningTwoGroups, SelectingALeafClicksItAndReturnsToTheTop)
{
    std::vector<COLORREF> before = Snapshot(m_window.Handle());
    Hit(VK_RIGHT);
    Hit(VK_DOWN);
    Hit(VK_RIGHT);
    EXPECT_EQ("B", FocusName());
    Hit(VK_DOWN);
    EXPECT_TRUE(SequenceIs({ "B:LDown", "B:LUp", "B:Select" }, m_log));
    EXPECT_EQ(m_pRoot, CContainer::GetScanningParent());
    EXPECT_EQ("G1,G2", ScanListNames());
    EXPECT_EQ("", FocusName());
    EXPECT_TRUE(CContainer::GetScanHiliteRect().IsRectEmpty());
    m_window.AwaitTicks(1);
    EXPECT_TRUE(SamePixels(before, Snapshot(m_window.Handle()))) << "the highlight went with the selection";
}

TEST_F(ScanningTest, AutomaticScanningStopsAfterCancelCycles)
{
    Leaf(m_pRoot, "A", CRect(10, 10, 100, 100));
    Leaf(m_pRoot, "B", CRect(120, 10, 210, 100));
    // Each wrap from B to A counts; the limit stops the step that would make it.
    static const struct
    {
        int nCycles;
        const char* pszFoci;
    } cases[] = {
        { 3, "A B A B A B -" },
        { 10, "A B A B A B A B A B A B A B A B A B A B A B A B A B A B A B" },
    };
    for (const auto& c : cases)
    {
        gScanningPrefs.m_nCancelCycles = c.nCycles;
        Hit(VK_RETURN);
        std::string strFoci = FocusName();
        for (int i = 1; i < 30 && CContainer::IsInAutoScan(); i++)
        {
            Advance(gScanningPrefs.GetScanningSpeedMS() + 1);
            strFoci += " " + (FocusName().empty() ? "-" : FocusName());
        }
        EXPECT_EQ(c.pszFoci, strFoci) << "Cancel Cycles " << c.nCycles;
        EXPECT_EQ(c.nCycles == 10, CContainer::IsInAutoScan());
        Hit(VK_ESCAPE);
        EXPECT_FALSE(CContainer::IsInAutoScan());
        EXPECT_EQ("", FocusName());
    }
}

TEST_F(ScanningTest, AutomaticStepsWaitOutTheInterval)
{
    Leaf(m_pRoot, "A", CRect(10, 10, 100, 100));
    Leaf(m_pRoot, "B", CRect(120, 10, 210, 100));
    Hit(VK_RETURN);
    EXPECT_EQ("A", FocusName()) << "the first entry is highlighted in the tick that starts";
    Advance(550);
    EXPECT_EQ("A", FocusName()) << "550 ms is not more than the interval";
    Advance(1);
    EXPECT_EQ("B", FocusName());
    // Digits set the speed through the timer; the next step waits the new interval.
    Hit('0');
    EXPECT_EQ(0, gScanningPrefs.GetScanningSpeed());
    Advance(12925);
    EXPECT_EQ("B", FocusName());
    Advance(1);
    EXPECT_EQ("A", FocusName());
}

TEST_F(ScanningTest, ContinuousScanningRestartsFromTheTopAfterTwentyTicks)
{
    Leaf(m_pRoot, "A", CRect(10, 10, 100, 100));
    Leaf(m_pRoot, "B", CRect(120, 10, 210, 100));
    for (BOOL bContinuous : { TRUE, FALSE })
    {
        gScanningPrefs.m_bContinuousScanning = bContinuous;
        m_log.clear();
        Hit(VK_RETURN);
        Advance(551);
        EXPECT_EQ("B", FocusName());
        Hit(VK_RETURN);
        EXPECT_TRUE(SequenceIs({ "B:LDown", "B:LUp", "B:Select" }, m_log));
        EXPECT_FALSE(CContainer::IsInAutoScan());
        m_window.AwaitTicks(20);
        EXPECT_FALSE(CContainer::IsInAutoScan()) << "continuous " << bContinuous << ": 20 ticks wait";
        m_window.AwaitTicks(1);
        EXPECT_EQ(bContinuous, CContainer::IsInAutoScan()) << "continuous " << bContinuous;
        EXPECT_EQ(bContinuous ? "A" : "", FocusName()) << "continuous " << bContinuous;
        Hit(VK_ESCAPE);
    }
}

TEST_F(ScanningTest, TheHighlightIsDrawnOnTheWindowAndThePixelsComeBack)
{
    Leaf(m_pRoot, "A", CRect(20, 20, 120, 120));
    Leaf(m_pRoot, "B", CRect(200, 20, 300, 120));
    m_pRoot->SetScanningParent();
    ::UpdateWindow(m_window.Handle());
    m_window.AwaitTicks(1);
    std::vector<COLORREF> before = Snapshot(m_window.Handle());
    EXPECT_EQ(RGB(0, 0, 255), m_window.PixelAt(60, 60));

    Hit(VK_RIGHT);
    EXPECT_EQ(CRect(12, 12, 128, 128), CContainer::GetScanHiliteRect());
    EXPECT_EQ(crScan, m_window.PixelAt(15, 60)) << "the highlight's left side";
    EXPECT_EQ(crScan, m_window.PixelAt(60, 124)) << "the highlight's bottom side";
    EXPECT_EQ(RGB(0, 0, 255), m_window.PixelAt(60, 60)) << "the inside stays";
    CPoint point;
    ::GetCursorPos(&point);
    EXPECT_EQ(m_window.ToScreen(CPoint(78, 78)), point) << "the cursor goes to the highlight";

    Hit(VK_RIGHT);
    EXPECT_EQ("B", FocusName());
    EXPECT_EQ(crScan, m_window.PixelAt(195, 60));
    std::vector<COLORREF> during = Snapshot(m_window.Handle());
    for (int y = 0; y < 300; y++)
        for (int x = 150; x < 400; x++)
            during[y * 400 + x] = before[y * 400 + x];
    EXPECT_TRUE(SamePixels(before, during)) << "A's highlight is gone pixel for pixel";

    // Step scanning: the highlight times out after the interval; the focus stays.
    Advance(550);
    EXPECT_EQ(crScan, m_window.PixelAt(195, 60));
    Advance(1);
    EXPECT_EQ("B", FocusName());
    EXPECT_TRUE(CContainer::GetScanHiliteRect().IsRectEmpty());
    EXPECT_TRUE(SamePixels(before, Snapshot(m_window.Handle())));
}

// The mouse presses the scanning focus as any other container: while its highlight
// shows, and once the highlight has timed out.
TEST_F(ScanningTest, AClickSelectsTheScanningFocus)
{
    Leaf(m_pRoot, "A", CRect(20, 20, 120, 120));
    Leaf(m_pRoot, "B", CRect(200, 20, 300, 120));
    m_pRoot->SetScanningParent();
    for (DWORD dwWait : { 0, 551 })
    {
        m_log.clear();
        Hit(VK_RIGHT);
        Advance(dwWait);
        EXPECT_EQ(dwWait == 0, !CContainer::GetScanHiliteRect().IsRectEmpty()) << "after " << dwWait << " ms";
        const std::string strFocus = FocusName();
        ASSERT_NE("", strFocus);
        MoveCursorTo(m_window.ToScreen(strFocus == "A" ? CPoint(70, 70) : CPoint(250, 70)));
        PressLeft();
        ReleaseLeft();
        AwaitSingleClick();
        EXPECT_TRUE(SequenceIs({ strFocus + ":LDown", strFocus + ":LUp", strFocus + ":Select" }, m_log))
            << "after " << dwWait << " ms";
    }
}

TEST_F(ScanningTest, AHighlightThatAPaintCoversIsDrawnAgain)
{
    CScanLeaf* pA = Leaf(m_pRoot, "A", CRect(20, 20, 120, 120));
    Leaf(m_pRoot, "B", CRect(200, 20, 300, 120));
    m_pRoot->SetScanningParent();
    Hit(VK_RIGHT);
    pA->SetFillColor(RGB(0, 255, 0));
    pA->Invalidate();
    ::UpdateWindow(m_window.Handle());
    m_window.AwaitTicks(1);
    EXPECT_EQ(crScan, m_window.PixelAt(15, 60));
    EXPECT_EQ(RGB(0, 255, 0), m_window.PixelAt(60, 60));
    // The pixels kept under it are those of the new picture.
    Hit(VK_RIGHT);
    EXPECT_EQ(RGB(192, 192, 192), m_window.PixelAt(15, 60));
}

TEST_F(ScanningTest, TheHighlightFlashesOnFlashBoundaries)
{
    Leaf(m_pRoot, "A", CRect(20, 20, 120, 120));
    Leaf(m_pRoot, "B", CRect(200, 20, 300, 120));
    gScanningPrefs.m_nFlashSpeed = 250;
    gScanningPrefs.SetScanningSpeed(0);
    EXPECT_EQ(13000u, gScanningPrefs.GetScanningSpeedMS());
    m_pRoot->SetScanningParent();
    ::UpdateWindow(m_window.Handle());
    m_window.AwaitTicks(1);
    std::vector<COLORREF> before = Snapshot(m_window.Handle());
    Hit(VK_RETURN);
    EXPECT_EQ("A", FocusName());
    static const struct
    {
        DWORD dwAfter;
        BOOL bDrawn;
    } steps[] = { { 250, TRUE }, { 1, FALSE }, { 250, FALSE }, { 1, TRUE }, { 251, FALSE }, { 251, TRUE } };
    DWORD dwElapsed = 0;
    for (const auto& step : steps)
    {
        Advance(step.dwAfter);
        dwElapsed += step.dwAfter;
        EXPECT_EQ(step.bDrawn ? crScan : RGB(192, 192, 192), m_window.PixelAt(15, 60)) << "after " << dwElapsed << " ms";
        if (!step.bDrawn)
        {
            EXPECT_TRUE(SamePixels(before, Snapshot(m_window.Handle()))) << "after " << dwElapsed << " ms";
        }
    }
    EXPECT_EQ("A", FocusName());
}

TEST_F(ScanningTwoGroups, DestroyingTheFocusOrTheParentWhileScanningAutomatically)
{
    gScanningPrefs.m_nCancelCycles = CScanningPrefs::neverCancel;
    Hit(VK_RETURN);
    EXPECT_EQ("G1", FocusName());
    // An entry of the level goes: the steps go on without it.
    delete m_pG2;
    EXPECT_EQ("G1", ScanListNames());
    Advance(551);
    EXPECT_EQ("G1", FocusName());
    EXPECT_TRUE(CContainer::IsInAutoScan());

    // Into G1 (automatic scanning goes on there), then the focus goes.
    Hit(VK_RETURN);
    EXPECT_EQ(m_pG1, CContainer::GetScanningParent());
    EXPECT_TRUE(CContainer::IsInAutoScan());
    EXPECT_EQ("A", FocusName());
    delete m_pG1->FindSubContainer(NULL, "A");
    EXPECT_EQ(nullptr, CContainer::GetScanningFocus());
    EXPECT_EQ("B,C,root", ScanListNames());
    EXPECT_TRUE(CContainer::IsInAutoScan()) << "the level is still there";
    Advance(551);
    EXPECT_EQ("B", FocusName());
    Advance(551);
    EXPECT_EQ("C", FocusName());
    EXPECT_EQ(crScan, m_window.PixelAt(265, 60));

    // The scanning parent goes, holding the focus.
    delete m_pG1;
    EXPECT_EQ(nullptr, CContainer::GetScanningParent());
    EXPECT_EQ(nullptr, CContainer::GetScanningFocus());
    EXPECT_EQ("", ScanListNames());
    EXPECT_FALSE(CContainer::IsInAutoScan());
    EXPECT_TRUE(CContainer::GetScanHiliteRect().IsRectEmpty());
    EXPECT_NE(crScan, m_window.PixelAt(265, 60)) << "the highlight went with it";
    for (BYTE key : { VK_RIGHT, VK_LEFT, VK_DOWN, VK_RETURN })
        Hit(key);
    Advance(551);
    EXPECT_EQ(nullptr, CContainer::GetScanningFocus());
}

TEST_F(ScanningTest, UpAndUnknownHotKeysDoNothing)
{
    Leaf(m_pRoot, "A", CRect(10, 10, 100, 100));
    Leaf(m_pRoot, "B", CRect(120, 10, 210, 100));
    m_pRoot->SetScanningParent();
    Hit(VK_RIGHT);
    for (BYTE key : std::initializer_list<BYTE>{ VK_UP, 'A', VK_F1 })
    {
        Hit(key);
        EXPECT_EQ(0, CContainer::GetHotKey());
        EXPECT_EQ("A", FocusName()) << "key " << (int)key;
        EXPECT_FALSE(CContainer::IsInAutoScan());
    }
    EXPECT_TRUE(m_log.empty());
}

TEST_F(ScanningTest, DeactivationStopsScanningAndDropsTheHotKey)
{
    Leaf(m_pRoot, "A", CRect(10, 10, 100, 100));
    Leaf(m_pRoot, "B", CRect(120, 10, 210, 100));
    Hit(VK_RETURN);
    EXPECT_TRUE(CContainer::IsInAutoScan());
    CContainer::SetHotKeyHit(VK_RIGHT);
    m_pRoot->OnActivate(FALSE);
    EXPECT_FALSE(CContainer::IsInAutoScan());
    EXPECT_EQ(0, CContainer::GetHotKey());
    EXPECT_EQ("", FocusName());
    m_pRoot->OnActivate(TRUE);
}

TEST_F(ScanningTest, PrepareScanHiliteParksTheFrameUntilRestore)
{
    for (BOOL bFramed : { TRUE, FALSE })
    {
        CContainer* pGroup = Group(m_pRoot, "G", CRect(10, 10, 200, 200));
        CContainerFrame* pOriginal = bFramed ? new CContainer3DFrame(RGB(0, 0, 0), 2, 0, 100, 100, 100, 100) : NULL;
        pGroup->SetFrame(pOriginal);
        pGroup->PrepareScanHilite();
        auto* pHilite = dynamic_cast<CContainer3DFrame*>(pGroup->GetFrame());
        ASSERT_NE(nullptr, pHilite);
        EXPECT_NE(pOriginal, pHilite);
        EXPECT_EQ(1, pHilite->GetOutline());
        EXPECT_EQ(110, pHilite->GetPercent(CContainer3DFrame::sideBottom));
        CRect rect;
        pGroup->GetClientRect(&rect);
        EXPECT_EQ(190 - 16, rect.Width()) << "a frame 8 wide";
        pGroup->PrepareScanHilite();
        EXPECT_EQ(pHilite, pGroup->GetFrame()) << "prepared once";
        pGroup->RestoreScanHilite();
        EXPECT_EQ(pOriginal, pGroup->GetFrame());
        pGroup->RestoreScanHilite();
        EXPECT_EQ(pOriginal, pGroup->GetFrame());
        delete pGroup;
    }
}

} // namespace
