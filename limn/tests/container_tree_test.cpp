// The container tree: ownership and the order of children, finding containers,
// visibility, enabling and printing, messages down the tree, and suspended layout.
#include "limn/containers/ContainerFrame.h"
#include "limn/containers/ContainerMessages.h"
#include "limn/containers/DisableArrangeBlock.h"

#include "container_support.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace {

std::string Names(const CContainer& container)
{
    std::string str;
    const auto& list = container.GetChildList();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        str += std::string(str.empty() ? "" : ",") + (const char*)list.GetNext(pos)->GetName();
    return str;
}

// Notes every selection it hears of.
class CSelectionLog : public CMessageReceiver
{
public:
    void OnMessage(Message* pMsg) override
    {
        if (auto* pSelected = dynamic_cast<MsgContainerSelected*>(pMsg))
            m_selected.push_back(pSelected->m_pContainer);
    }
    std::vector<CContainer*> m_selected;
};

class CCountedFrame : public CContainerFrame
{
public:
    explicit CCountedFrame(int* pnAlive) : m_pnAlive(pnAlive) { ++*m_pnAlive; }
    ~CCountedFrame() override { --*m_pnAlive; }
    int* m_pnAlive;
};

} // namespace

TEST(ContainerTree, ChildrenKeepTheirOrderAndOneParent)
{
    CProbe root(NULL, "root");
    CProbe other(NULL, "other");
    auto* pA = new CProbe(&root, "a");
    auto* pB = new CProbe(&root, "b");
    auto* pC = new CProbe(NULL, "c");
    EXPECT_EQ(&root, pA->GetParent());
    EXPECT_EQ("a,b", Names(root));

    root.AddChild(pC, TRUE);
    EXPECT_EQ("c,a,b", Names(root));
    root.AddChild(pC);
    EXPECT_EQ("c,a,b", Names(root)) << "a child already there stays where it is";
    root.MoveChildToBottom(pC);
    EXPECT_EQ("a,b,c", Names(root));
    root.MoveChildToTop(pB);
    EXPECT_EQ("b,a,c", Names(root));

    other.AddChild(pA);
    EXPECT_EQ("b,c", Names(root));
    EXPECT_EQ("a", Names(other));
    EXPECT_EQ(&other, pA->GetParent());
    pA->SetParent(&root);
    EXPECT_EQ("b,c,a", Names(root));
    EXPECT_EQ("", Names(other));

    // Nothing may become its own descendant, and a refused move changes nothing.
    auto* pGrandchild = new CProbe(pB, "g");
    pGrandchild->AddChild(&root);
    pB->AddChild(pB);
    pB->SetParent(pGrandchild);
    pB->SetParent(pB);
    EXPECT_EQ(NULL, root.GetParent());
    EXPECT_EQ(&root, pB->GetParent());
    EXPECT_EQ("b,c,a", Names(root));
    EXPECT_EQ("g", Names(*pB));
    EXPECT_EQ(&root, pGrandchild->GetTopParent());
    EXPECT_TRUE(root.Contains(pB));
    EXPECT_FALSE(root.Contains(pGrandchild)) << "only direct children";
}

// With sorting on, a child goes before the first one whose name is not smaller,
// ignoring case; where to add it at is not asked.
TEST(ContainerTree, SortedChildren)
{
    CProbe root(NULL, "root");
    root.m_bSortChildren = TRUE;
    for (const char* pszName : { "b", "A", "c" })
        root.AddChild(new CProbe(NULL, pszName), TRUE);
    EXPECT_EQ("A,b,c", Names(root));
    auto* pSecondB = new CProbe(NULL, "B");
    root.AddChild(pSecondB);
    EXPECT_EQ("A,B,b,c", Names(root)) << "before an equal name";
    root.MoveChildToBottom(pSecondB);
    EXPECT_EQ("A,B,b,c", Names(root));
}

TEST(ContainerTree, RemovingAndDestroying)
{
    CallLog log;
    int nFrames = 0;
    CProbe root(NULL, "root", arrangeNone, &log);
    auto* pKept = new CProbe(&root, "kept", arrangeNone, &log);
    auto* pGone = new CProbe(&root, "gone", arrangeNone, &log);
    new CProbe(pGone, "inner", arrangeNone, &log);
    pGone->SetFrame(new CCountedFrame(&nFrames));
    pGone->SetFrame(new CCountedFrame(&nFrames));
    EXPECT_EQ(1, nFrames) << "the replaced frame is destroyed";

    int nArranged = root.m_nArranged;
    CProbe stranger(NULL, "stranger");
    root.RemoveChild(&stranger);
    EXPECT_EQ(nArranged + 1, root.m_nArranged) << "arranges even when the child is not there";
    root.RemoveChild(pKept);
    EXPECT_EQ(NULL, pKept->GetParent());
    EXPECT_EQ("gone", Names(root));
    EXPECT_TRUE(log.empty()) << "removing destroys nothing";

    // Deleting a child takes it out of its parent's list.
    root.AddChild(pKept);
    delete pGone;
    EXPECT_TRUE(SequenceIs({ "gone:Destroy", "inner:Destroy" }, log));
    EXPECT_EQ(0, nFrames);
    EXPECT_EQ("kept", Names(root));

    log.clear();
    int nInvalidated = root.m_nInvalidated;
    new CProbe(&root, "second", arrangeNone, &log);
    pKept->Hide(FALSE);
    root.RemoveAllChildren();
    EXPECT_TRUE(SequenceIs({ "kept:Hide", "kept:Destroy", "second:Destroy" }, log));
    EXPECT_EQ(nInvalidated + 1, root.m_nInvalidated) << "once, for the visible child";
    new CProbe(&root, "hidden");
    root.GetChildList().GetHead()->Hide(FALSE);
    root.RemoveAllChildren();
    EXPECT_EQ(nInvalidated + 1, root.m_nInvalidated) << "nothing shown, nothing invalidated";
}

// A replacement takes the replaced child's place in the list, sorted or not; the child
// it replaced leaves the tree undestroyed.
TEST(ContainerTree, ReplacingAChild)
{
    CallLog log;
    CProbe root(NULL, "root", arrangeHorizontal, &log);
    root.m_bSortChildren = TRUE;
    // Named before they are linked, so that the sorted list takes them in this order.
    for (const char* pszName : { "a", "b", "c" })
        (new CProbe(NULL, pszName, arrangeNone, &log))->SetParent(&root);
    CProbe* pB = static_cast<CProbe*>(root.FindSubContainer(NULL, "b"));
    std::unique_ptr<CProbe> pOld(pB);
    auto* pOther = new CProbe(NULL, "other", arrangeNone, &log);
    CProbe elsewhere(NULL, "elsewhere");
    pOther->SetParent(&elsewhere);
    int nArranged = root.m_nArranged;
    root.ReplaceChild(pB, pOther);
    EXPECT_EQ("a,other,c", Names(root)) << "the place in the list, not the order of names";
    EXPECT_EQ(&root, pOther->GetParent());
    EXPECT_EQ(NULL, pB->GetParent());
    EXPECT_EQ("", Names(elsewhere)) << "taken from its old parent";
    EXPECT_EQ(nArranged + 1, root.m_nArranged);
    EXPECT_EQ(log.end(), std::find_if(log.begin(), log.end(), [](const std::string& s) { return s.ends_with(":Destroy"); }))
        << "nothing destroyed: " << ::testing::PrintToString(log);

    CProbe stranger(NULL, "stranger");
    CProbe* pNew = new CProbe(NULL, "new");
    root.ReplaceChild(&stranger, pNew);
    EXPECT_EQ("a,other,c", Names(root)) << "not a child: nothing happens";
    EXPECT_EQ(NULL, pNew->GetParent());
    delete pNew;
}

// A destroyed container is forgotten by everything that names it process-wide.
TEST(ContainerTree, DestructionClearsTheClassWidePointers)
{
    auto* pHolder = new CProbe(NULL, "holder");
    pHolder->CaptureMouse();
    pHolder->CaptureKeyboard();
    CProbe::MouseEntered() = pHolder;
    EXPECT_EQ(pHolder, CProbe::MouseCapture());
    EXPECT_EQ(pHolder, CProbe::KeyCapture());
    delete pHolder;
    EXPECT_EQ(NULL, CProbe::MouseCapture());
    EXPECT_EQ(NULL, CProbe::KeyCapture());
    EXPECT_EQ(NULL, CProbe::MouseEntered());

    CProbe other(NULL, "other");
    other.CaptureKeyboard();
    CContainer::ReleaseKeyboard();
    EXPECT_EQ(NULL, CProbe::KeyCapture());
}

TEST(ContainerTree, FindingContainers)
{
    CWndContainer root;
    root.SetName("screen");
    auto* pPanel = new CProbe(&root, "Panel");
    auto* pFirst = new CProbe(pPanel, "button");
    auto* pSecond = new CProbe(&root, "BUTTON");
    const struct
    {
        CContainer* pFrom;
        const char* pszClass;
        const char* pszName;
        CContainer* pExpected;
    } cases[] = {
        { &root, NULL, NULL, &root },
        { pSecond, NULL, NULL, pSecond },
        { &root, "cwndcontainer", NULL, &root },
        { &root, "CContainer", NULL, pPanel },
        { &root, NULL, "Button", pFirst },
        { pSecond, NULL, "button", pSecond },
        { &root, "CContainer", "nothing", NULL },
        { &root, "CFrame", NULL, NULL },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.pszClass ? c.pszClass : "-") + "/" + (c.pszName ? c.pszName : "-"));
        EXPECT_EQ(c.pExpected, c.pFrom->FindSubContainer(c.pszClass, c.pszName));
    }
    EXPECT_EQ(pFirst, pSecond->FindContainer(NULL, "button")) << "from the root";
    EXPECT_EQ(&root, pFirst->FindContainer(NULL, "SCREEN"));
}

// Showing a child re-arranges its parent; hiding a container tells its visible
// children only.
TEST(ContainerTree, VisibilityGoesDownToVisibleChildren)
{
    CallLog log;
    CProbe root(NULL, "root", arrangeVertical, &log);
    root.SetBounds(CRect(0, 0, 100, 100));
    auto* pPanel = new CProbe(&root, "panel", arrangeNone, &log);
    auto* pShown = new CProbe(pPanel, "shown", arrangeNone, &log);
    auto* pHidden = new CProbe(pPanel, "hidden", arrangeNone, &log);
    pHidden->Hide(FALSE);
    new CProbe(pShown, "deep", arrangeNone, &log);
    log.clear();

    int nArranged = root.m_nArranged;
    pPanel->Hide(FALSE);
    EXPECT_EQ(nArranged + 1, root.m_nArranged);
    EXPECT_TRUE(SequenceIs({ "panel:Hide", "shown:Hide", "deep:Hide" }, log));
    EXPECT_FALSE(pShown->IsReallyVisible());
    EXPECT_TRUE(pShown->IsVisible());
    EXPECT_EQ(0, root.GetNumVisibleChildren());

    log.clear();
    pPanel->Hide(FALSE);
    EXPECT_TRUE(log.empty()) << "no change, no call";
    pPanel->Show(FALSE);
    EXPECT_EQ(nArranged + 2, root.m_nArranged);
    EXPECT_TRUE(SequenceIs({ "panel:Show", "shown:Show", "deep:Show" }, log));
    EXPECT_TRUE(pShown->IsReallyVisible());
    EXPECT_EQ(1, pPanel->GetNumVisibleChildren());
}

TEST(ContainerTree, PrintingHidesWhatIsNotPrintable)
{
    CProbe root(NULL, "root");
    auto* pOnScreen = new CProbe(&root, "onscreen");
    auto* pAlreadyHidden = new CProbe(&root, "hidden");
    auto* pPrinted = new CProbe(pOnScreen, "printed");
    pOnScreen->SetPrintable(FALSE);
    pAlreadyHidden->SetPrintable(FALSE);
    pAlreadyHidden->Hide(FALSE);

    root.OnBeginPrint(NULL);
    EXPECT_FALSE(pOnScreen->IsVisible());
    EXPECT_FALSE(pAlreadyHidden->IsVisible());
    EXPECT_TRUE(pPrinted->IsVisible());
    root.OnEndPrint(NULL);
    EXPECT_TRUE(pOnScreen->IsVisible());
    EXPECT_FALSE(pAlreadyHidden->IsVisible()) << "comes back as it was";
    EXPECT_EQ(FALSE, pOnScreen->GetPrintable());
}

TEST(ContainerTree, EnablingAndSelecting)
{
    CSelectionLog selections;
    CProbe button(NULL, "button");
    button.Disable();
    EXPECT_EQ(CContainer::stateDisabled, button.m_nState);
    CEventState state;
    button.OnLButtonDown(CPoint(1, 1), state);
    button.OnLButtonUp(CPoint(1, 1), state);
    EXPECT_TRUE(selections.m_selected.empty()) << "a disabled button does not press";
    button.Enable();
    EXPECT_EQ(CContainer::stateNormal, button.m_nState);
    button.Enable();
    EXPECT_EQ(CContainer::stateNormal, button.m_nState);

    button.OnSelect();
    ASSERT_EQ(1u, selections.m_selected.size());
    EXPECT_EQ(&button, selections.m_selected[0]);
}

// Messages, idle time and activation go to parents before their children, heads first;
// activation reaches hidden children too.
TEST(ContainerTree, CallsDownTheTree)
{
    CallLog log;
    CProbe root(NULL, "root", arrangeNone, &log);
    auto* pA = new CProbe(&root, "a", arrangeNone, &log);
    new CProbe(pA, "a1", arrangeNone, &log);
    auto* pB = new CProbe(&root, "b", arrangeNone, &log);
    pB->Hide(FALSE);
    log.clear();

    MsgContainerSelected msg(pA);
    root.BroadcastMessage(&msg);
    root.Idle(42);
    root.OnActivate(TRUE);
    EXPECT_TRUE(SequenceIs({ "root:Message", "a:Message", "a1:Message", "b:Message",
                             "root:Idle(42)", "a:Idle(42)", "a1:Idle(42)", "b:Idle(42)",
                             "root:Activate(1)", "a:Activate(1)", "a1:Activate(1)", "b:Activate(1)" },
                           log));
}

// A handler may destroy the container a walk visits next, its own container, the
// container walked, or the whole tree: each walk goes on past what is gone and calls
// nothing destroyed. In root { panel { a, b, c }, d } the victim goes when a's handler has run;
// printing calls handlers only on the containers it hides and shows, a and d.
TEST(ContainerTree, WalksGoOnPastDestroyedContainers)
{
    const struct
    {
        const char* walk;
        const char* call;       // the handler on a that destroys
        const char* logged;     // how the probes record that handler
        std::function<void(CContainer&)> prepare;
        std::function<void(CContainer&)> run;
    } walks[] = {
        { "BroadcastMessage", "Message", "Message", NULL,
          [](CContainer& root) {
              MsgContainerSelected msg(&root);
              root.BroadcastMessage(&msg);
          } },
        { "Idle", "Idle", "Idle(7)", NULL, [](CContainer& root) { root.Idle(7); } },
        { "OnActivate", "Activate", "Activate(0)", NULL, [](CContainer& root) { root.OnActivate(FALSE); } },
        { "OnShow", "Show", "Show", NULL, [](CContainer& root) { root.OnShow(); } },
        { "OnHide", "Hide", "Hide", NULL, [](CContainer& root) { root.OnHide(); } },
        { "OnBeginPrint", "Hide", "Hide", NULL, [](CContainer& root) { root.OnBeginPrint(NULL); } },
        { "OnEndPrint", "Show", "Show", [](CContainer& root) { root.OnBeginPrint(NULL); },
          [](CContainer& root) { root.OnEndPrint(NULL); } },
    };
    const struct
    {
        const char* victim;
        CallLog expected;       // "*" stands for the handler as logged
    } victims[] = {
        { "b", { "root:*", "panel:*", "a:*", "b:Destroy", "c:*", "d:*" } },
        { "a", { "root:*", "panel:*", "a:*", "a:Destroy", "b:*", "c:*", "d:*" } },
        { "panel", { "root:*", "panel:*", "a:*", "panel:Destroy", "a:Destroy", "b:Destroy", "c:Destroy", "d:*" } },
        { "root",
          { "root:*", "panel:*", "a:*", "root:Destroy", "panel:Destroy", "a:Destroy", "b:Destroy", "c:Destroy",
            "d:Destroy" } },
    };
    for (const auto& w : walks)
    {
        const BOOL bPrinting = std::string(w.walk).ends_with("Print");
        for (const auto& v : victims)
        {
            SCOPED_TRACE(std::string(w.walk) + ", destroying " + v.victim);
            CallLog log;
            auto* pRoot = new CProbe(NULL, "root", arrangeNone, &log);
            auto* pPanel = new CProbe(pRoot, "panel", arrangeNone, &log);
            auto* pA = new CProbe(pPanel, "a", arrangeNone, &log);
            new CProbe(pPanel, "b", arrangeNone, &log);
            new CProbe(pPanel, "c", arrangeNone, &log);
            auto* pD = new CProbe(pRoot, "d", arrangeNone, &log);
            pA->SetPrintable(FALSE);
            pD->SetPrintable(FALSE);
            if (w.prepare)
                w.prepare(*pRoot);
            CContainer* pVictim = pRoot->FindSubContainer(NULL, v.victim);
            pA->m_after[w.call] = [&] {
                if (pVictim == pRoot)
                    pRoot = NULL;
                delete pVictim;
            };
            log.clear();
            w.run(*pRoot);

            CallLog expected;
            for (std::string strCall : v.expected)
            {
                if (strCall.ends_with(":*"))
                {
                    if (bPrinting && !strCall.starts_with("a:") && !strCall.starts_with("d:"))
                        continue;
                    strCall.replace(strCall.size() - 1, 1, w.logged);
                }
                expected.push_back(strCall);
            }
            EXPECT_TRUE(SequenceIs(expected, log));
            delete pRoot;
        }
    }
}

// A walk takes the children as the container's own handler left them, and from there a
// child linked behind its place is visited and one linked before it is not: a container
// that makes its children on hearing a message passes the message on to them, and a
// handler that moves its own container to the tail does not make the walk endless.
TEST(ContainerTree, WalksTakeTheChildrenAsHandlersLinkThem)
{
    const struct
    {
        const char* walk;
        const char* call;       // the handler that links a child
        const char* logged;     // how the probes record that handler
        std::function<void(CContainer&)> run;
    } walks[] = {
        { "BroadcastMessage", "Message", "Message",
          [](CContainer& root) {
              MsgContainerSelected msg(&root);
              root.BroadcastMessage(&msg);
          } },
        { "Idle", "Idle", "Idle(7)", [](CContainer& root) { root.Idle(7); } },
    };
    const struct
    {
        const char* linking;
        const char* before;     // root's children before the walk
        const char* handler;    // whose handler links
        std::function<void(CContainer&, CallLog&)> link;
        const char* heard;      // the containers that hear the call, in order
        const char* after;      // root's children after the walk
    } cases[] = {
        { "the root's first child", "", "root",
          [](CContainer& root, CallLog& log) { new CProbe(&root, "x", arrangeNone, &log); }, "root,x", "x" },
        { "a child at the head, by the root", "a,b", "root",
          [](CContainer& root, CallLog& log) { root.AddChild(new CProbe(NULL, "x", arrangeNone, &log), TRUE); },
          "root,x,a,b", "x,a,b" },
        { "a child at the head, by a", "a,b", "a",
          [](CContainer& root, CallLog& log) { root.AddChild(new CProbe(NULL, "x", arrangeNone, &log), TRUE); },
          "root,a,b", "x,a,b" },
        { "a child behind a, by a", "a,b", "a",
          [](CContainer& root, CallLog& log) { new CProbe(&root, "x", arrangeNone, &log); }, "root,a,b,x", "a,b,x" },
        { "a moved to the tail, by a", "a,b,c", "a",
          [](CContainer& root, CallLog&) { root.MoveChildToBottom(root.FindSubContainer(NULL, "a")); },
          "root,a,b,c,a", "b,c,a" },
    };
    for (const auto& w : walks)
    {
        for (const auto& c : cases)
        {
            SCOPED_TRACE(std::string(w.walk) + ", " + c.linking);
            CallLog log;
            CProbe root(NULL, "root", arrangeNone, &log);
            for (const char* pszName : { "a", "b", "c" })
            {
                if (strstr(c.before, pszName) != NULL)
                    new CProbe(&root, pszName, arrangeNone, &log);
            }
            static_cast<CProbe*>(root.FindSubContainer(NULL, c.handler))->m_after[w.call] = [&] { c.link(root, log); };
            w.run(root);

            CallLog expected;
            std::istringstream heard(c.heard);
            for (std::string strName; std::getline(heard, strName, ',');)
                expected.push_back(strName + ":" + w.logged);
            EXPECT_TRUE(SequenceIs(expected, log));
            EXPECT_EQ(c.after, Names(root));
        }
    }
}

// The changes that lay a container out and then go on (linking, replacing, moving, the
// end of a suspended layout, the highlight frame) survive a layout whose handlers destroy
// the containers they go on to use. In root { a, c, d } and other { x }, vertical, d's
// SetBounds destroys the victim; n stands alone. Names lists each tree afterwards, "-"
// for one that is gone; c is named where a parent holds it.
TEST(ContainerTree, ChangesSurviveLayoutsThatDestroy)
{
    struct Trees
    {
        CProbe* pRoot;
        CProbe* pOther;
        CProbe* pC;
        CProbe* pN;
    };
    const struct
    {
        const char* change;
        const char* victim;
        std::function<void(Trees&)> run;
        const char* root;
        const char* other;
    } cases[] = {
        { "AddChild", "n", [](Trees& t) { t.pRoot->AddChild(t.pN); }, "a,c,d", "x" },
        { "AddChild", "root", [](Trees& t) { t.pRoot->AddChild(t.pN); }, "-", "x" },
        { "AddChild from another parent", "c", [](Trees& t) { t.pOther->AddChild(t.pC); }, "a,d", "x" },
        { "AddChild from another parent", "other", [](Trees& t) { t.pOther->AddChild(t.pC); }, "a,d", "-" },
        { "SetParent", "c", [](Trees& t) { t.pC->SetParent(t.pOther); }, "a,d", "x" },
        { "SetParent", "other", [](Trees& t) { t.pC->SetParent(t.pOther); }, "a,d", "-" },
        { "ReplaceChild", "c", [](Trees& t) { t.pOther->ReplaceChild(t.pOther->GetChildList().GetHead(), t.pC); },
          "a,d", "x" },
        { "ReplaceChild", "x", [](Trees& t) { t.pOther->ReplaceChild(t.pOther->GetChildList().GetHead(), t.pC); },
          "a,d", "" },
        { "ReplaceChild", "other",
          [](Trees& t) { t.pOther->ReplaceChild(t.pOther->GetChildList().GetHead(), t.pC); }, "a,d", "-" },
        { "MoveChildToTop", "c", [](Trees& t) { t.pRoot->MoveChildToTop(t.pC); }, "a,d", "x" },
        { "MoveChildToTop", "root", [](Trees& t) { t.pRoot->MoveChildToTop(t.pC); }, "-", "x" },
        { "CDisableArrangeBlock", "root",
          [](Trees& t) {
              CDisableArrangeBlock block(t.pRoot);
              t.pRoot->SetBounds(CRect(0, 0, 90, 90));
          },
          "-", "x" },
        { "CDisableArrangeBlock of a destroyed container", "",
          [](Trees& t) {
              CDisableArrangeBlock block(t.pRoot);
              delete t.pRoot;
          },
          "-", "x" },
        { "PrepareScanHilite", "root", [](Trees& t) { t.pRoot->PrepareScanHilite(); }, "-", "x" },
        { "RestoreScanHilite", "root",
          [](Trees& t) {
              {
                  CDisableArrangeBlock all(NULL);
                  t.pRoot->PrepareScanHilite();
              }
              t.pRoot->RestoreScanHilite();
          },
          "-", "x" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string(c.change) + ", destroying " + c.victim);
        Trees t;
        t.pRoot = new CProbe(NULL, "root", arrangeVertical);
        t.pOther = new CProbe(NULL, "other", arrangeVertical);
        t.pN = new CProbe(NULL, "n");
        CProbe* pD;
        {
            CDisableArrangeBlock all(NULL);
            t.pRoot->SetBounds(CRect(0, 0, 100, 100));
            t.pOther->SetBounds(CRect(0, 0, 100, 100));
            new CProbe(t.pRoot, "a");
            t.pC = new CProbe(t.pRoot, "c");
            pD = new CProbe(t.pRoot, "d");
            new CProbe(t.pOther, "x");
        }
        CContainerWatch watchRoot(t.pRoot), watchOther(t.pOther), watchC(t.pC), watchN(t.pN);
        CContainer* pVictim = NULL;
        for (CContainer* pTree : { (CContainer*)t.pRoot, (CContainer*)t.pOther, (CContainer*)t.pN })
            pVictim = pVictim != NULL ? pVictim : pTree->FindSubContainer(NULL, c.victim);
        pD->m_after["SetBounds"] = [&] {
            if (CContainer* p = std::exchange(pVictim, nullptr))
                delete p;
        };

        c.run(t);
        EXPECT_EQ(c.root, watchRoot.Get() != NULL ? Names(*watchRoot.Get()) : "-");
        EXPECT_EQ(c.other, watchOther.Get() != NULL ? Names(*watchOther.Get()) : "-");
        for (const CContainerWatch* pWatch : { &watchC, &watchN })
        {
            if (pWatch->Get() != NULL && pWatch->Get()->GetParent() == NULL)
                delete pWatch->Get();
        }
        delete watchRoot.Get();
        delete watchOther.Get();
    }
}

TEST(ContainerTree, FillColourComesFromTheNearestFill)
{
    CProbe root(NULL, "root");
    auto* pPanel = new CProbe(&root, "panel");
    auto* pInner = new CProbe(pPanel, "inner");
    EXPECT_EQ(RGB(0, 0, 0), pInner->GetFillColor()) << "the root's stored colour";
    root.SetFillColor(RGB(1, 2, 3));
    pPanel->SetFillColor(RGB(4, 5, 6));
    EXPECT_EQ(RGB(4, 5, 6), pInner->GetFillColor());
    pPanel->SetNoFill();
    EXPECT_EQ(RGB(1, 2, 3), pInner->GetFillColor());
    root.SetNoFill();
    EXPECT_EQ(RGB(1, 2, 3), pInner->GetFillColor()) << "off, but still the root's colour";

    CWndContainer wndRoot;
    EXPECT_EQ(RGB(0xC0, 0xC0, 0xC0), wndRoot.GetFillColor());
}

// A block suspends layout for its container and arranges and invalidates it once at the
// end; the block of NULL suspends every container and does not arrange.
TEST(ContainerTree, DisableArrangeBlock)
{
    CProbe root(NULL, "root", arrangeVertical);
    root.SetBounds(CRect(0, 0, 100, 100));
    auto* pChild = new CProbe(&root, "child");
    {
        CDisableArrangeBlock block(&root);
        {
            CDisableArrangeBlock inner(&root);
            root.SetChildGap(CSize(5, 5));
            root.SetBounds(CRect(0, 0, 50, 60));
        }
        EXPECT_TRUE(RectEq(CRect(0, 0, 100, 100), pChild->GetBounds())) << "the outer block still holds";
    }
    EXPECT_TRUE(RectEq(CRect(5, 5, 45, 55), pChild->GetBounds()));

    int nInvalidated = root.m_nInvalidated;
    {
        CDisableArrangeBlock block(&root);
    }
    EXPECT_EQ(nInvalidated + 1, root.m_nInvalidated);

    {
        CDisableArrangeBlock all(NULL);
        CProbe other(NULL, "other", arrangeHorizontal);
        other.SetBounds(CRect(0, 0, 10, 10));
        auto* pOtherChild = new CProbe(&other, "x");
        root.SetChildGap(CSize(0, 0));
        EXPECT_TRUE(RectEq(CRect(5, 5, 45, 55), pChild->GetBounds()));
        EXPECT_TRUE(pOtherChild->GetBounds().IsRectNull());
    }
    EXPECT_TRUE(RectEq(CRect(5, 5, 45, 55), pChild->GetBounds())) << "leaving the block of NULL arranges nothing";
    root.ArrangeChildren();
    EXPECT_TRUE(RectEq(CRect(0, 0, 50, 60), pChild->GetBounds()));
}
