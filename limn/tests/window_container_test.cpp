// The root of a tree on a real window: its bounds follow the window, invalidations and
// forced redraws reach the window, and real mouse input (SendInput under the null
// driver) is routed to the container under the cursor or holding the capture, with the
// push-button behaviour of containers on top. Call sequences are recorded and compared.
#include "limn/containers/ContainerFrame.h"
#include "limn/containers/ContainerMessages.h"

#include "container_support.h"

namespace {

const COLORREF crGrey = RGB(192, 192, 192), crRed = RGB(255, 0, 0), crBlue = RGB(0, 0, 255);

// Records the container messages into a call log, with the root's bounds at the time.
class CMessageRecorder : public CMessageReceiver
{
public:
    explicit CMessageRecorder(CallLog& log) : m_log(log) {}
    void OnMessage(Message* pMsg) override
    {
        if (auto* pSelected = dynamic_cast<MsgContainerSelected*>(pMsg))
        {
            m_log.push_back("selected:" + std::string(pSelected->m_pContainer->GetName()));
        }
        else if (auto* pResized = dynamic_cast<MsgWindowResized*>(pMsg))
        {
            const CRect& r = pResized->m_pWndContainer->GetBounds();
            m_log.push_back("resized:" + std::to_string(r.right) + "x" + std::to_string(r.bottom));
        }
    }
    CallLog& m_log;
};

// A window at (100, 100) of 200 by 150 whose tree has two buttons side by side.
class WindowContainer : public ::testing::Test
{
protected:
    WindowContainer() : m_window(100, 100, 200, 150), m_recorder(m_log)
    {
        m_pRoot = new CWndContainer(&m_window.m_wnd);
        m_pRoot->SetName("root");
        m_pA = Button("A", CRect(10, 10, 60, 40));
        m_pB = Button("B", CRect(80, 10, 130, 40));
        m_window.m_pRoot = m_pRoot;
        MoveCursorTo(m_window.ToScreen(CPoint(150, 120)));
        ::UpdateWindow(m_window.Handle());
        m_log.clear();
    }
    ~WindowContainer() override
    {
        CContainer::ReleaseMouse();
        m_window.m_pRoot = NULL;
        delete m_pRoot;
    }

    CProbe* Button(const char* pszName, const CRect& rect)
    {
        auto* pButton = new CProbe(m_pRoot, pszName, arrangeNone, &m_log);
        pButton->SetBounds(rect);
        pButton->SetFillColor(crBlue);
        pButton->m_crPressed = crRed;
        return pButton;
    }
    void MoveTo(int x, int y) { MoveCursorTo(m_window.ToScreen(CPoint(x, y))); }
    CRect UpdateRect() const
    {
        CRect rect;
        ::GetUpdateRect(m_window.Handle(), &rect, FALSE);
        return rect;
    }

    CTreeWindow m_window;
    CallLog m_log;
    CMessageRecorder m_recorder;
    CWndContainer* m_pRoot;
    CProbe* m_pA;
    CProbe* m_pB;
};

} // namespace

TEST_F(WindowContainer, ClickOnAButtonSelectsIt)
{
    MoveTo(20, 25);
    PressLeft();
    EXPECT_EQ(CContainer::statePressed, m_pA->m_nState);
    EXPECT_EQ(m_window.Handle(), ::GetCapture());
    EXPECT_EQ(crRed, m_window.PixelAt(30, 30)) << "redrawn pressed at once";
    ReleaseLeft();
    EXPECT_TRUE(SequenceIs({ "A:Move(10,15)", "A:Enter(10,15)", "A:LDown(10,15)", "A:LUp(10,15)", "A:Select",
                             "selected:A" },
                           m_log));
    EXPECT_EQ(CContainer::stateNormal, m_pA->m_nState);
    EXPECT_EQ(NULL, ::GetCapture());
    EXPECT_EQ(crBlue, m_window.PixelAt(30, 30));

    CPoint pointCursor;
    ::GetCursorPos(&pointCursor);
    EXPECT_EQ(pointCursor, CContainer::GetLastEventState().m_point) << "screen coordinates";
    EXPECT_NE(0u, CContainer::GetLastEventState().m_dwTime);
}

// Dragged out, the button comes up and the release selects nothing; the capture keeps
// the events, so enter and exit wait for the release.
TEST_F(WindowContainer, DragOutAndRelease)
{
    MoveTo(20, 20);
    PressLeft();
    MoveTo(100, 20);
    EXPECT_EQ(CContainer::stateNormal, m_pA->m_nState);
    EXPECT_EQ(crBlue, m_window.PixelAt(30, 30));
    ReleaseLeft();
    MoveTo(101, 21);
    EXPECT_TRUE(SequenceIs({ "A:Move(10,10)", "A:Enter(10,10)", "A:LDown(10,10)", "A:Move(90,10)", "A:LUp(90,10)",
                             "B:Move(21,11)", "A:Exit(B)", "B:Enter(21,11)" },
                           m_log));
}

TEST_F(WindowContainer, DragOutAndBackIn)
{
    MoveTo(20, 20);
    PressLeft();
    MoveTo(70, 20);
    MoveTo(30, 20);
    EXPECT_EQ(CContainer::statePressed, m_pA->m_nState);
    ReleaseLeft();
    EXPECT_TRUE(SequenceIs({ "A:Move(10,10)", "A:Enter(10,10)", "A:LDown(10,10)", "A:Move(60,10)", "A:Move(20,10)",
                             "A:LUp(20,10)", "A:Select", "selected:A" },
                           m_log));
}

// The second press of a double click reaches the button as a press.
TEST_F(WindowContainer, DoubleClickSelectsTwice)
{
    AwaitSingleClick();
    MoveTo(90, 30);
    m_log.clear();
    for (int i = 0; i < 2; ++i)
    {
        PressLeft();
        ReleaseLeft();
    }
    EXPECT_TRUE(SequenceIs({ "B:LDown(10,20)", "B:LUp(10,20)", "B:Select", "selected:B", "B:LDown(10,20)",
                             "B:LUp(10,20)", "B:Select", "selected:B" },
                           m_log));
}

// Moving between siblings and onto the bare root; the root's own area has no handler.
TEST_F(WindowContainer, EnterAndExit)
{
    m_pA->m_bRecordMoves = m_pB->m_bRecordMoves = FALSE;
    MoveTo(20, 20);
    MoveTo(21, 20);
    MoveTo(90, 20);
    MoveTo(150, 100);
    PressRight();
    ReleaseRight();
    AwaitSingleClick();
    PressLeft();
    ReleaseLeft();
    EXPECT_EQ(m_pRoot, CProbe::LastEntered());
    MoveTo(85, 25);
    PressRight();
    ReleaseRight();
    EXPECT_TRUE(SequenceIs({ "A:Enter(10,10)", "A:Exit(B)", "B:Enter(10,10)", "B:Exit(root)", "B:Enter(5,15)",
                             "B:RDown(5,15)", "B:RUp(5,15)" },
                           m_log));
    EXPECT_EQ(CContainer::stateNormal, m_pB->m_nState) << "the right button presses nothing";
}

// A handler may destroy the container the mouse moves onto: it hears nothing more, none
// counts as entered, and the next move enters what is under the cursor then.
TEST_F(WindowContainer, RoutingGoesOnPastDestroyedReceivers)
{
    m_pA->m_bRecordMoves = FALSE;
    MoveTo(20, 20);
    m_pA->m_after["Exit"] = [&] {
        delete m_pB;
        m_pB = NULL;
    };
    MoveTo(90, 20);
    EXPECT_EQ(NULL, CProbe::LastEntered()) << "the new receiver is gone";
    MoveTo(91, 20);
    EXPECT_EQ(m_pRoot, CProbe::LastEntered());
    EXPECT_TRUE(SequenceIs({ "A:Enter(10,10)", "B:Move(10,10)", "A:Exit(B)", "B:Destroy" }, m_log));

    // A receiver that its own move handler destroys gets no enter, and the container
    // entered before gets its exit on the next move.
    CProbe* pC = Button("C", CRect(10, 60, 60, 90));
    MoveTo(20, 20);
    pC->m_after["Move"] = [&] { delete pC; };
    m_log.clear();
    MoveTo(20, 70);
    EXPECT_EQ(m_pA, CProbe::LastEntered());
    MoveTo(21, 70);
    EXPECT_EQ(m_pRoot, CProbe::LastEntered());
    EXPECT_TRUE(SequenceIs({ "C:Move(10,10)", "C:Destroy", "A:Exit(root)" }, m_log));
}

// A release redraws the pressed container at once, and what is drawn may destroy it: a
// container that is gone is not selected.
TEST_F(WindowContainer, AContainerThatItsRedrawDestroysIsNotSelected)
{
    m_pA->m_bRecordMoves = FALSE;
    MoveTo(20, 20);
    PressLeft();
    ASSERT_EQ(CContainer::statePressed, m_pA->m_nState);
    m_pA->m_after["Draw"] = [&] {
        delete m_pA;
        m_pA = NULL;
    };
    ReleaseLeft();
    EXPECT_EQ(NULL, m_pA);
    EXPECT_TRUE(SequenceIs({ "A:Enter(10,10)", "A:LDown(10,10)", "A:LUp(10,10)", "A:Destroy" }, m_log));
}

// An idle handler may close the screen: the tick ends with the root, and a pending hot
// key waits for the next tick of a root.
TEST_F(WindowContainer, IdleTimeThatClosesTheScreenEndsTheTick)
{
    m_pA->m_after["Idle"] = [&] {
        m_window.m_pRoot = NULL;
        delete m_pRoot;
        m_pRoot = NULL;
    };
    CContainer::SetHotKeyHit(VK_ESCAPE);
    m_pRoot->OnTimer(1);
    EXPECT_EQ(NULL, m_pRoot);
    EXPECT_EQ(VK_ESCAPE, CContainer::GetHotKey());
    CContainer::SetHotKeyHit(0);
}

// Under the capture, events outside the holder's area, even outside the window, come
// to it in its client coordinates; destroying the holder gives routing back to the
// position of the cursor.
TEST_F(WindowContainer, CaptureOutsideTheArea)
{
    CTreeWindow other(400, 100, 100, 100);
    MoveTo(20, 20);
    PressLeft();
    MoveCursorTo(other.ToScreen(CPoint(50, 50)));
    EXPECT_EQ(m_pA, CProbe::MouseCapture());
    ReleaseLeft();
    EXPECT_TRUE(SequenceIs({ "A:Move(10,10)", "A:Enter(10,10)", "A:LDown(10,10)", "A:Move(340,40)", "A:LUp(340,40)" },
                           m_log));
    EXPECT_EQ(NULL, CProbe::MouseCapture());

    MoveTo(25, 25);
    PressLeft();
    m_log.clear();
    delete m_pA;
    m_pA = NULL;
    EXPECT_EQ(NULL, CProbe::MouseCapture());
    EXPECT_EQ(NULL, CProbe::LastEntered());
    MoveTo(90, 25);
    ReleaseLeft();
    EXPECT_TRUE(SequenceIs({ "A:Destroy", "B:Move(10,15)", "B:Enter(10,15)", "B:LUp(10,15)" }, m_log));
}

// A container invalidates its client area with its frame, and 8 pixels more under the
// scanning focus, in window coordinates; hidden, it invalidates nothing.
TEST_F(WindowContainer, Invalidation)
{
    auto* pInner = new CProbe(m_pA, "inner");
    pInner->SetBounds(CRect(5, 5, 15, 15));
    m_pA->SetFrame(new CContainerFrame(3, crRed));
    PumpMessages();
    const struct
    {
        const char* context;
        CProbe* pContainer;
        int nState;
        BOOL bHidden;
        CRect expected;
    } cases[] = {
        { "framed", m_pA, CContainer::stateNormal, FALSE, CRect(10, 10, 60, 40) },
        { "scanning focus", m_pA, CContainer::stateScanFocus, FALSE, CRect(2, 2, 68, 48) },
        { "inside a frame", pInner, CContainer::stateNormal, FALSE, CRect(18, 18, 28, 28) },
        { "hidden", m_pB, CContainer::stateNormal, TRUE, CRect() },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.context);
        c.pContainer->m_nState = c.nState;
        c.pContainer->SetVisible(!c.bHidden, FALSE);
        ::ValidateRect(m_window.Handle(), NULL);
        c.pContainer->Invalidate();
        EXPECT_TRUE(RectEq(c.expected, UpdateRect()));
        c.pContainer->m_nState = CContainer::stateNormal;
    }
}

// A forced redraw paints the container's client area before it returns.
TEST_F(WindowContainer, ForcedRedrawIsSynchronous)
{
    int nPaints = m_window.m_nPaints;
    m_pB->m_nState = CContainer::statePressed;
    m_pB->ForceRedraw(FALSE, NULL);
    EXPECT_EQ(nPaints + 1, m_window.m_nPaints);
    EXPECT_TRUE(RectEq(CRect(80, 10, 130, 40), m_window.m_rectLastPaint));
    EXPECT_EQ(crRed, m_window.PixelAt(128, 38));
    EXPECT_EQ(crBlue, m_window.PixelAt(129, 39)) << "the fill, to the last pixel";
    EXPECT_EQ(crGrey, m_window.PixelAt(130, 40));

    m_pRoot->ForceRedraw(FALSE, NULL);
    EXPECT_TRUE(RectEq(CRect(0, 0, 200, 150), m_window.m_rectLastPaint)) << "NULL names the root";
    EXPECT_EQ(0, m_window.m_nExceptions);
}

// The tree takes the window's size after MsgWindowResized; detached, it keeps its
// bounds and reaches no window.
TEST_F(WindowContainer, WindowSize)
{
    EXPECT_TRUE(RectEq(CRect(0, 0, 200, 150), m_pRoot->GetBounds()));
    m_pRoot->SetArrangeMethod(arrangeVertical);
    ::SetWindowPos(m_window.Handle(), NULL, 0, 0, 120, 90, SWP_NOMOVE | SWP_NOZORDER);
    m_pRoot->OnWindowSizeChange();
    EXPECT_TRUE(SequenceIs({ "resized:200x150" }, m_log));
    EXPECT_TRUE(RectEq(CRect(0, 45, 120, 90), m_pB->GetBounds())) << "laid out afterwards";

    m_log.clear();
    m_pRoot->AttachToWindow(NULL);
    EXPECT_TRUE(m_log.empty());
    EXPECT_EQ(NULL, m_pRoot->GetWindowPtr());
    EXPECT_EQ(NULL, m_pA->GetWindowPtr());
    EXPECT_TRUE(RectEq(CRect(0, 0, 120, 90), m_pRoot->GetBounds()));
    ::ValidateRect(m_window.Handle(), NULL);
    int nPaints = m_window.m_nPaints;
    m_pA->Invalidate();
    m_pA->ForceRedraw(FALSE, NULL);
    EXPECT_TRUE(UpdateRect().IsRectEmpty());
    EXPECT_EQ(nPaints, m_window.m_nPaints);

    m_pRoot->AttachToWindow(&m_window.m_wnd);
    EXPECT_EQ(&m_window.m_wnd, m_pB->GetWindowPtr());
    EXPECT_EQ(NULL, m_pB->GetDocument());
    EXPECT_EQ(NULL, m_pB->GetHoard()) << "no document, no resource file";
    EXPECT_EQ(NULL, m_pRoot->GetHoard());
}

// The window is active when it is the foreground window and the main window of the
// thread's object; in a program without one, when no window is in the foreground.
TEST_F(WindowContainer, IsWindowActive)
{
    ASSERT_EQ(nullptr, AfxGetThread());
    ::SetForegroundWindow(m_window.Handle());
    EXPECT_FALSE(m_pA->IsWindowActive()) << "no thread object, a window in the foreground";
    {
        CWinApp app("limn tests");
        EXPECT_FALSE(m_pA->IsWindowActive()) << "no main window";
        app.m_pMainWnd = &m_window.m_wnd;
        EXPECT_TRUE(m_pA->IsWindowActive());
        EXPECT_TRUE(m_pRoot->IsWindowActive());
        CTreeWindow other(400, 100, 50, 50);
        EXPECT_FALSE(m_pA->IsWindowActive()) << "another window in the foreground";
        app.m_pMainWnd = NULL;
    }
    EXPECT_EQ(nullptr, AfxGetThread());
}
