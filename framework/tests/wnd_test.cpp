// Window objects over real USER windows: creation through the hook, the framework's
// class, the end of the binding at WM_NCDESTROY, destruction, subclassing, relatives
// and owners, timers, the current message and exceptions stopped at the window
// procedure.
#include <afxwin.h>
#include <afxpriv.h>
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "msg_log.h"

namespace {

// Logs the messages its WindowProc sees (those of m_watch) and the handlers it runs.
class CLogWnd : public CWnd
{
public:
    CLogWnd(CMsgLog& log, const char* pszName, std::set<UINT> watch = {})
        : m_log(log), m_strName(pszName), m_watch(std::move(watch)) {}

    BOOL m_bBoundAtNcCreate = FALSE;
    BOOL m_bSubclassedAtNcCreate = FALSE;
    int m_nCreateResult = 0;
    BOOL m_bPreCreate = TRUE;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override { return m_bPreCreate && CWnd::PreCreateWindow(cs); }

protected:
    void Log(const char* pszWhat) { m_log.Add(m_strName + ":" + pszWhat); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (m_watch.count(message))
            m_log.AddMessage(m_strName.c_str(), message);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override
    {
        Log("PostNcDestroy");
        EXPECT_EQ(nullptr, m_hWnd);
    }

    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpcs)
    {
        Log("OnNcCreate");
        m_bBoundAtNcCreate = FromHandlePermanent(m_hWnd) == this;
        m_bSubclassedAtNcCreate = (WNDPROC)GetWindowLongPtr(m_hWnd, GWLP_WNDPROC) == AfxGetAfxWndProc();
        return CWnd::OnNcCreate(lpcs);
    }
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        Log("OnCreate");
        return m_nCreateResult != 0 ? m_nCreateResult : CWnd::OnCreate(lpcs);
    }
    afx_msg void OnDestroy()
    {
        Log("OnDestroy");
        EXPECT_EQ(this, FromHandlePermanent(m_hWnd)) << "bound during WM_DESTROY";
        CWnd::OnDestroy();
    }

    CMsgLog& m_log;
    std::string m_strName;
    std::set<UINT> m_watch;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLogWnd, CWnd)
    ON_WM_NCCREATE()
    ON_WM_CREATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

// A plain top-level window of USER's own, for tests that need a parent.
HWND CreatePlainWindow(LPCSTR lpszClass = "STATIC", DWORD dwStyle = WS_OVERLAPPEDWINDOW)
{
    return ::CreateWindowExA(0, lpszClass, "plain", dwStyle, 0, 0, 200, 150, NULL, NULL, NULL, NULL);
}

const std::set<UINT> g_creationMessages = { WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_DESTROY, WM_NCDESTROY };

} // namespace

TEST(WindowCreation, HookBindsTheObjectBeforeTheFirstMessage)
{
    CReleaseCheck check;
    CMsgLog log;
    {
        CLogWnd wnd(log, "w", g_creationMessages);
        ASSERT_TRUE(wnd.CreateEx(0, NULL, "created", WS_OVERLAPPEDWINDOW, 10, 20, 300, 200, NULL, NULL));
        EXPECT_TRUE(log.Is({ "w:WM_NCCREATE", "w:OnNcCreate", "w:WM_NCCALCSIZE", "w:WM_CREATE", "w:OnCreate" }));
        EXPECT_TRUE(wnd.m_bBoundAtNcCreate);
        EXPECT_TRUE(wnd.m_bSubclassedAtNcCreate);
        EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));

        char szClass[32];
        GetClassNameA(wnd.m_hWnd, szClass, sizeof szClass);
        EXPECT_STREQ("AfxWnd42", szClass) << "a window created without a class gets the framework's";

        log.Clear();
        HWND hWnd = wnd.m_hWnd;
        EXPECT_TRUE(wnd.DestroyWindow());
        EXPECT_TRUE(log.Is({ "w:WM_DESTROY", "w:OnDestroy", "w:WM_NCDESTROY", "w:PostNcDestroy" }));
        EXPECT_FALSE(IsWindow(hWnd));
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    }
}

TEST(WindowCreation, ChildWindowsAreBoundToo)
{
    CReleaseCheck check;
    CMsgLog log;
    {
        CLogWnd parent(log, "p", { WM_PARENTNOTIFY });
        ASSERT_TRUE(parent.CreateEx(0, NULL, "parent", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, NULL, NULL));
        CLogWnd child(log, "c", g_creationMessages);
        ASSERT_TRUE(child.Create(NULL, "child", WS_VISIBLE, CRect(5, 5, 50, 50), &parent, 42));
        EXPECT_TRUE(log.Is({ "p:OnNcCreate", "p:OnCreate", "c:WM_NCCREATE", "c:OnNcCreate", "c:WM_NCCALCSIZE",
                             "c:WM_CREATE", "c:OnCreate", "p:WM_PARENTNOTIFY" }));
        EXPECT_TRUE(child.GetStyle() & WS_CHILD) << "Create makes a child window";
        EXPECT_EQ(42, child.GetDlgCtrlID());
        EXPECT_EQ(&parent, child.GetParent());
        EXPECT_EQ(&child, parent.GetDlgItem(42));
        EXPECT_EQ(&child, parent.GetDescendantWindow(42, TRUE));
        EXPECT_EQ(&parent, child.GetTopLevelParent());

        // The parent's window takes its child's with it: WM_DESTROY goes down the tree,
        // WM_NCDESTROY comes back up.
        log.Clear();
        parent.DestroyWindow();
        EXPECT_TRUE(log.Only("c:").Is({ "c:WM_DESTROY", "c:OnDestroy", "c:WM_NCDESTROY", "c:PostNcDestroy" }));
        EXPECT_TRUE(log.Is({ "p:OnDestroy", "c:WM_DESTROY", "c:OnDestroy", "c:WM_NCDESTROY", "c:PostNcDestroy",
                             "p:PostNcDestroy" }));
        EXPECT_EQ(nullptr, child.m_hWnd);
        EXPECT_EQ(nullptr, parent.m_hWnd);
    }
}

TEST(WindowCreation, ChildrenWithoutAClassAreNotErasedByTheirClass)
{
    CReleaseCheck check;
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 200, 150)));
    CWnd child;
    ASSERT_TRUE(child.Create(NULL, "child", WS_VISIBLE, CRect(10, 10, 60, 60), pFrame, 1));
    pFrame->UpdateWindow();
    EXPECT_EQ(0, GetClassLongPtrA(child.m_hWnd, GCLP_HBRBACKGROUND)) << "the class has no background brush";

    // What the child drew stays when it is painted again: nothing erases it first.
    const COLORREF crDrawn = RGB(200, 30, 40);
    CDC* pDC = child.GetDC();
    CBrush brush(crDrawn);
    pDC->FillRect(CRect(0, 0, 50, 50), &brush);
    child.ReleaseDC(pDC);
    child.Invalidate(TRUE);
    child.UpdateWindow();
    pDC = child.GetDC();
    EXPECT_EQ(crDrawn, pDC->GetPixel(25, 25));
    child.ReleaseDC(pDC);
    pFrame->DestroyWindow();
}

TEST(WindowCreation, FailuresLeaveNothingBehind)
{
    CReleaseCheck check;
    CMsgLog log;

    // OnCreate refusing: the window goes at once, with WM_NCDESTROY.
    {
        CLogWnd wnd(log, "w", { WM_CREATE, WM_NCDESTROY });
        wnd.m_nCreateResult = -1;
        EXPECT_FALSE(wnd.CreateEx(0, NULL, "refused", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL));
        EXPECT_TRUE(log.Is({ "w:OnNcCreate", "w:WM_CREATE", "w:OnCreate", "w:WM_NCDESTROY", "w:PostNcDestroy" }));
        EXPECT_EQ(nullptr, wnd.m_hWnd);
    }

    // PreCreateWindow refusing: no window at all, and PostNcDestroy still runs.
    log.Clear();
    {
        CLogWnd wnd(log, "w", g_creationMessages);
        wnd.m_bPreCreate = FALSE;
        EXPECT_FALSE(wnd.CreateEx(0, NULL, "cancelled", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL));
        EXPECT_TRUE(log.Is({ "w:PostNcDestroy" }));
        EXPECT_EQ(nullptr, wnd.m_hWnd);
    }

    // A class that does not exist.
    log.Clear();
    {
        CLogWnd wnd(log, "w", g_creationMessages);
        EXPECT_FALSE(wnd.CreateEx(0, "NoSuchClassAnywhere", "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, NULL, NULL));
        EXPECT_TRUE(log.Is({ "w:PostNcDestroy" }));
        EXPECT_EQ(nullptr, wnd.m_hWnd);
    }
}

TEST(WindowLifetime, DestructorDestroysALiveWindowAsAPlainCWnd)
{
    CReleaseCheck check;
    CMsgLog log;
    HWND hWnd;
    {
        CLogWnd wnd(log, "w", { WM_DESTROY, WM_NCDESTROY });
        ASSERT_TRUE(wnd.CreateEx(0, NULL, "owned", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    // The derived part was gone before the window: none of its handlers ran.
    EXPECT_TRUE(log.Is({ "w:OnNcCreate", "w:OnCreate" }));
}

TEST(WindowLifetime, AttachedWindowsAreUnboundByDestroyWindow)
{
    CReleaseCheck check;
    HWND hWnd = CreatePlainWindow();
    ASSERT_NE(nullptr, hWnd);
    CWnd wnd;
    ASSERT_TRUE(wnd.Attach(hWnd));
    CWnd other;
    EXPECT_FALSE(other.Attach(hWnd)) << "a window has one object";
    EXPECT_FALSE(other.SubclassWindow(hWnd));
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(nullptr, wnd.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
    EXPECT_FALSE(wnd.DestroyWindow()) << "nothing left to destroy";
}

namespace {

// Counts what its handlers of a subclassed control see.
class CWatchedControl : public CWnd
{
public:
    int m_nClicks = 0;
    CString m_strTyped;

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point)
    {
        m_nClicks++;
        CWnd::OnLButtonDown(nFlags, point);
    }
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        m_strTyped += (char)nChar;
        CWnd::OnChar(nChar, nRepCnt, nFlags);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CWatchedControl, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_CHAR()
END_MESSAGE_MAP()

} // namespace

TEST(Subclassing, ControlsKeepTheirOwnBehaviour)
{
    CReleaseCheck check;
    HWND hWndParent = CreatePlainWindow();
    ASSERT_NE(nullptr, hWndParent);

    const struct
    {
        const char* pszClass;
        DWORD dwStyle;
    } controls[] = {
        { "BUTTON", BS_AUTOCHECKBOX },
        { "EDIT", ES_AUTOHSCROLL },
    };
    for (const auto& c : controls)
    {
        SCOPED_TRACE(c.pszClass);
        HWND hWnd = CreateWindowExA(0, c.pszClass, "", WS_CHILD | WS_VISIBLE | c.dwStyle, 0, 0, 80, 20,
                                    hWndParent, (HMENU)7, NULL, NULL);
        ASSERT_NE(nullptr, hWnd);
        LONG_PTR pfnOriginal = GetWindowLongPtrA(hWnd, GWLP_WNDPROC);

        CWatchedControl control;
        ASSERT_TRUE(control.SubclassDlgItem(7, CWnd::FromHandle(hWndParent)));
        EXPECT_EQ(hWnd, control.m_hWnd);
        EXPECT_EQ((LONG_PTR)AfxGetAfxWndProc(), GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
        EXPECT_EQ(1, control.SendMessage(WM_QUERYAFXWNDPROC));

        control.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        control.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        control.SendMessage(WM_CHAR, 'a', 1);
        EXPECT_EQ(1, control.m_nClicks);
        EXPECT_STREQ("a", control.m_strTyped);
        if (strcmp(c.pszClass, "BUTTON") == 0)
        {
            EXPECT_EQ(BST_CHECKED, control.SendMessage(BM_GETCHECK)) << "the click still checks the box";
        }
        else
        {
            CString strText;
            control.GetWindowText(strText);
            EXPECT_STREQ("a", strText) << "the character still reaches the edit control";
        }

        EXPECT_EQ(hWnd, control.UnsubclassWindow());
        EXPECT_EQ(pfnOriginal, GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
        SendMessage(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessage(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
        EXPECT_EQ(1, control.m_nClicks) << "no more messages after unsubclassing";
        DestroyWindow(hWnd);
    }
    EXPECT_FALSE(CWatchedControl().SubclassDlgItem(99, CWnd::FromHandle(hWndParent))) << "no such control";
    DestroyWindow(hWndParent);
}

TEST(Subclassing, ASubclassedWindowDestroyedGivesItsProcedureBack)
{
    CReleaseCheck check;
    HWND hWnd = CreatePlainWindow("EDIT", WS_OVERLAPPED);
    ASSERT_NE(nullptr, hWnd);
    CWatchedControl control;
    ASSERT_TRUE(control.SubclassWindow(hWnd));
    EXPECT_TRUE(control.DestroyWindow());
    EXPECT_EQ(nullptr, control.m_hWnd);
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(hWnd));
}

namespace {

// Windows around a main window: its child, a popup it owns with a child of its own, an
// overlapped window it owns; and another top-level window with a child.
struct CRelatives
{
    CRelatives()
    {
        pMain = new CFrameWnd;
        EXPECT_TRUE(pMain->Create(NULL, "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200)));
        app.m_pMainWnd = pMain;
        EXPECT_TRUE(child.Create(NULL, "child", WS_VISIBLE, CRect(0, 0, 50, 50), pMain, 1));
        EXPECT_TRUE(popup.CreateEx(0, NULL, "popup", WS_POPUP | WS_VISIBLE, 20, 20, 100, 80, pMain->m_hWnd, NULL));
        EXPECT_TRUE(popupChild.Create(NULL, "in the popup", WS_VISIBLE, CRect(0, 0, 20, 20), &popup, 2));
        EXPECT_TRUE(ownedOverlapped.CreateEx(0, NULL, "owned", WS_OVERLAPPED, 0, 0, 80, 60, pMain->m_hWnd, NULL));
        EXPECT_TRUE(other.CreateEx(0, NULL, "other", WS_OVERLAPPEDWINDOW, 0, 0, 80, 60, NULL, NULL));
        EXPECT_TRUE(otherChild.Create(NULL, "in the other", WS_VISIBLE, CRect(0, 0, 20, 20), &other, 3));
        popup.SetActiveWindow();
    }
    ~CRelatives()
    {
        // Not the main window any more: its going must not end a message loop.
        app.m_pMainWnd = NULL;
        pMain->DestroyWindow();
        other.DestroyWindow();
    }

    CWinApp app;
    CFrameWnd* pMain;
    CWnd child;
    CWnd popup;
    CWnd popupChild;
    CWnd ownedOverlapped;
    CWnd other;
    CWnd otherChild;
};

} // namespace

TEST(WindowRelatives, TopLevelParentFollowsParentsAndOwners)
{
    CReleaseCheck check;
    CRelatives r;
    const struct
    {
        const char* pszWhat;
        CWnd* pWnd;
        CWnd* pTop;
    } cases[] = {
        { "the main window", r.pMain, r.pMain },
        { "its child", &r.child, r.pMain },
        { "a popup it owns", &r.popup, r.pMain },
        { "the popup's child", &r.popupChild, r.pMain },
        { "an overlapped window it owns", &r.ownedOverlapped, r.pMain },
        { "a child of another frame", &r.otherChild, &r.other },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.pTop, c.pWnd->GetTopLevelParent()) << c.pszWhat;
    EXPECT_EQ(nullptr, CWnd().GetTopLevelParent()) << "no window";
}

TEST(WindowRelatives, SafeOwnerIsTheParentGivenOrTheMainWindowsLastPopup)
{
    CReleaseCheck check;
    CRelatives r;
    ASSERT_EQ(r.popup.m_hWnd, ::GetLastActivePopup(r.pMain->m_hWnd));
    const struct
    {
        const char* pszWhat;
        CWnd* pParent;
        CWnd* pOwner;
        CWnd* pTop;     // disabled for the time of the dialog
    } cases[] = {
        { "no parent: the main window's last active popup", NULL, &r.popup, r.pMain },
        { "the main window", r.pMain, r.pMain, NULL },
        { "a child of the main window: the main window", &r.child, r.pMain, NULL },
        { "the popup", &r.popup, &r.popup, r.pMain },
        { "a child of the popup: the popup", &r.popupChild, &r.popup, r.pMain },
        { "a child of another frame: that frame", &r.otherChild, &r.other, NULL },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        HWND hWndTop = (HWND)1;
        EXPECT_EQ(c.pOwner, CWnd::GetSafeOwner(c.pParent, &hWndTop));
        EXPECT_EQ(c.pTop->GetSafeHwnd(), hWndTop);
        if (hWndTop != NULL && hWndTop != (HWND)1)
        {
            EXPECT_FALSE(IsWindowEnabled(hWndTop));
            EnableWindow(hWndTop, TRUE);
        }
        EXPECT_EQ(c.pOwner, CWnd::GetSafeOwner(c.pParent)) << "without a top-level window to disable";
    }

    // An owner that is disabled already is left to whoever disabled it.
    r.pMain->EnableWindow(FALSE);
    HWND hWndTop = (HWND)1;
    EXPECT_EQ(&r.popup, CWnd::GetSafeOwner(&r.popup, &hWndTop));
    EXPECT_EQ(nullptr, hWndTop);
    r.pMain->EnableWindow(TRUE);
}

namespace {

class CTimerWnd : public CWnd
{
public:
    std::vector<UINT> m_ticks;

protected:
    afx_msg void OnTimer(UINT nIDEvent)
    {
        m_ticks.push_back(nIDEvent);
        KillTimer(nIDEvent);
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTimerWnd, CWnd)
    ON_WM_TIMER()
END_MESSAGE_MAP()

} // namespace

TEST(WindowMessages, TimersReachOnTimer)
{
    CReleaseCheck check;
    CTimerWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "timer", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL));
    EXPECT_EQ(7u, wnd.SetTimer(7, 10, NULL));
    EXPECT_EQ(9u, wnd.SetTimer(9, 20, NULL));
    EXPECT_TRUE(PumpUntil([&] { return wnd.m_ticks.size() == 2; }));
    EXPECT_EQ((std::vector<UINT>{ 7, 9 }), wnd.m_ticks);
    EXPECT_FALSE(wnd.KillTimer(7)) << "the handler killed it";
    wnd.DestroyWindow();
}

namespace {

// Handlers that look at the current message and at Default around a nested message.
class CNestingWnd : public CWnd
{
public:
    UINT m_nOuterBefore = 0;
    UINT m_nInner = 0;
    UINT m_nOuterAfter = 0;
    LRESULT m_lDefault = 0;

protected:
    afx_msg LRESULT OnOuter(WPARAM, LPARAM)
    {
        m_nOuterBefore = GetCurrentMessage()->message;
        SendMessage(WM_USER + 2);
        m_nOuterAfter = GetCurrentMessage()->message;
        return 0;
    }
    afx_msg LRESULT OnInner(WPARAM, LPARAM)
    {
        m_nInner = GetCurrentMessage()->message;
        return 0;
    }
    afx_msg LRESULT OnGetTextLength(WPARAM, LPARAM)
    {
        m_lDefault = Default();
        return m_lDefault + 100;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNestingWnd, CWnd)
    ON_MESSAGE(WM_USER + 1, OnOuter)
    ON_MESSAGE(WM_USER + 2, OnInner)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

} // namespace

TEST(WindowMessages, CurrentMessageFollowsNesting)
{
    CReleaseCheck check;
    CNestingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "four", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL));
    wnd.SendMessage(WM_USER + 1);
    EXPECT_EQ(WM_USER + 1u, wnd.m_nOuterBefore);
    EXPECT_EQ(WM_USER + 2u, wnd.m_nInner);
    EXPECT_EQ(WM_USER + 1u, wnd.m_nOuterAfter) << "the outer message is current again after the nested one";

    EXPECT_EQ(104, wnd.GetWindowTextLength()) << "Default gives USER's answer for the current message";
    EXPECT_EQ(4, wnd.m_lDefault);
    wnd.DestroyWindow();
}

namespace {

// An application that records what reaches ProcessWndProcException and the message
// boxes it would show.
class CRecordingApp : public CWinApp
{
public:
    BOOL m_bOverride = TRUE;
    std::vector<std::string> m_exceptions;
    std::vector<std::string> m_boxes;

    LRESULT ProcessWndProcException(CException* e, const MSG* pMsg) override
    {
        char szMessage[128] = "";
        e->GetErrorMessage(szMessage, sizeof szMessage);
        m_exceptions.push_back(MsgName(pMsg->message) + " " + e->GetRuntimeClass()->m_lpszClassName + " "
                               + szMessage);
        if (!m_bOverride)
            return CWinApp::ProcessWndProcException(e, pMsg);
        return pMsg->message == WM_CREATE ? -1 : 77;
    }
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT) override
    {
        m_boxes.push_back(lpszPrompt);
        m_boxTypes.push_back(nType);
        return IDOK;
    }
    std::vector<UINT> m_boxTypes;
};

// A file exception that counts its deletions.
class CCountedException : public CFileException
{
public:
    static int s_nAlive;
    CCountedException() : CFileException(CFileException::fileNotFound) { s_nAlive++; }
    ~CCountedException() override { s_nAlive--; }
};
int CCountedException::s_nAlive = 0;

// An exception that has no message of its own.
class CSilentException : public CException
{
};

const UINT ID_THROWING_COMMAND = 0x8201;

// Throws from the handler that m_nThrowAt names.
class CThrowingWnd : public CWnd
{
public:
    UINT m_nThrowAt = 0;
    // 0 framework exception, 1 std::exception, 2 anything, 3 CUserException, 4 one
    // without a message, 5 memory
    int m_nKind = 0;

protected:
    void ThrowIf(UINT message)
    {
        if (message != m_nThrowAt)
            return;
        switch (m_nKind)
        {
        case 0: throw new CCountedException;
        case 1: throw std::runtime_error("bad state");
        case 2: throw 42;
        case 3: AfxThrowUserException();
        case 4: throw new CSilentException;
        default: AfxThrowMemoryException();
        }
    }
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        ThrowIf(WM_CREATE);
        return CWnd::OnCreate(lpcs);
    }
    afx_msg void OnPaint()
    {
        ThrowIf(WM_PAINT);
        CPaintDC dc(this);
    }
    afx_msg LRESULT OnUser(WPARAM, LPARAM)
    {
        ThrowIf(WM_USER);
        return 1;
    }
    afx_msg void OnThrowingCommand() { ThrowIf(WM_COMMAND); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_USER, OnUser)
    ON_COMMAND(ID_THROWING_COMMAND, OnThrowingCommand)
END_MESSAGE_MAP()

} // namespace

TEST(WindowExceptions, StopAtTheWindowProcedure)
{
    CReleaseCheck check;
    {
        CRecordingApp app;
        const struct
        {
            int nKind;
            const char* pszExpected;
        } cases[] = {
            { 0, "WM_USER CFileException" },
            { 1, "WM_USER CException bad state" },
            { 2, "WM_USER CException An unexpected error occurred while a window handled a message." },
            { 3, "WM_USER CUserException" },
        };
        for (const auto& c : cases)
        {
            SCOPED_TRACE(c.nKind);
            app.m_exceptions.clear();
            CThrowingWnd wnd;
            ASSERT_TRUE(wnd.CreateEx(0, NULL, "thrower", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL));
            wnd.m_nThrowAt = WM_USER;
            wnd.m_nKind = c.nKind;
            EXPECT_EQ(77, wnd.SendMessage(WM_USER)) << "the result is ProcessWndProcException's";
            ASSERT_EQ(1u, app.m_exceptions.size());
            EXPECT_EQ(0, app.m_exceptions[0].compare(0, strlen(c.pszExpected), c.pszExpected)) << app.m_exceptions[0];
            EXPECT_EQ(0, CCountedException::s_nAlive) << "the exception is deleted";
            EXPECT_TRUE(wnd.DestroyWindow());
        }

        // A creation that throws fails.
        app.m_exceptions.clear();
        CThrowingWnd wnd;
        wnd.m_nThrowAt = WM_CREATE;
        EXPECT_FALSE(wnd.CreateEx(0, NULL, "thrower", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL));
        EXPECT_EQ(nullptr, wnd.m_hWnd);
        ASSERT_EQ(1u, app.m_exceptions.size());
        EXPECT_EQ(0, app.m_exceptions[0].find("WM_CREATE CFileException"));
        EXPECT_EQ(0, CCountedException::s_nAlive);
    }
}

TEST(WindowExceptions, DefaultHandlingDependsOnTheMessage)
{
    CReleaseCheck check;
    {
        CRecordingApp app;
        app.m_bOverride = FALSE;
        CThrowingWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, NULL, "thrower", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, NULL, NULL));
        wnd.ValidateRect(NULL);
        HWND hWndButton = CreateWindowExA(0, "BUTTON", "b", WS_CHILD, 0, 0, 10, 10, wnd.m_hWnd,
                                          (HMENU)(UINT_PTR)ID_THROWING_COMMAND, NULL, NULL);
        const WPARAM wParamClick = MAKEWPARAM(ID_THROWING_COMMAND, BN_CLICKED);

        const struct
        {
            const char* pszWhat;
            UINT message;
            int nKind;
            HWND hWndControl;       // lParam of WM_COMMAND
            LRESULT lExpected;
            const char* pszBox;     // NULL: none
            UINT nBoxType;
        } cases[] = {
            { "a menu command", WM_COMMAND, 4, NULL, TRUE, "Failed to execute command.", MB_ICONSTOP },
            { "a menu command, with the exception's own message", WM_COMMAND, 0, NULL, TRUE,
              "was not found", MB_ICONSTOP },
            { "a control's notification", WM_COMMAND, 4, hWndButton, 0,
              "An internal application error has occurred.", MB_ICONSTOP },
            { "another message", WM_USER, 4, NULL, 0, "An internal application error has occurred.", MB_ICONSTOP },
            { "out of memory", WM_USER, 5, NULL, 0, "Out of memory.", MB_ICONEXCLAMATION | MB_SYSTEMMODAL },
            { "the user has been told already", WM_USER, 3, NULL, 0, NULL, 0 },
            { "a command the user has been told about", WM_COMMAND, 3, NULL, TRUE, NULL, 0 },
            { "a paint", WM_PAINT, 0, NULL, 0, NULL, 0 },
        };
        for (const auto& c : cases)
        {
            SCOPED_TRACE(c.pszWhat);
            app.m_boxes.clear();
            app.m_boxTypes.clear();
            wnd.m_nThrowAt = c.message;
            wnd.m_nKind = c.nKind;
            LRESULT lResult = 0;
            if (c.message == WM_PAINT)
            {
                wnd.Invalidate();
                wnd.UpdateWindow();
                CRect rectUpdate;
                EXPECT_FALSE(wnd.GetUpdateRect(&rectUpdate)) << "validated: it is not asked for again";
            }
            else if (c.message == WM_COMMAND)
            {
                lResult = wnd.SendMessage(WM_COMMAND, c.hWndControl != NULL ? wParamClick : ID_THROWING_COMMAND,
                                          (LPARAM)c.hWndControl);
            }
            else
            {
                lResult = wnd.SendMessage(c.message);
            }
            EXPECT_EQ(c.lExpected, lResult);
            if (c.pszBox == NULL)
            {
                EXPECT_TRUE(app.m_boxes.empty()) << app.m_boxes[0];
                continue;
            }
            ASSERT_EQ(1u, app.m_boxes.size());
            EXPECT_NE(std::string::npos, app.m_boxes[0].find(c.pszBox)) << app.m_boxes[0];
            EXPECT_EQ(c.nBoxType, app.m_boxTypes[0]);
        }
        EXPECT_EQ(0, CCountedException::s_nAlive);

        // A creation that throws fails without a box.
        CThrowingWnd wndFailing;
        wndFailing.m_nThrowAt = WM_CREATE;
        EXPECT_FALSE(wndFailing.CreateEx(0, NULL, "thrower", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL));
        EXPECT_TRUE(app.m_boxes.empty());
        wnd.DestroyWindow();
    }
}
