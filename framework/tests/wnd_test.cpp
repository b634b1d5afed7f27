// Window objects over real USER windows: creation through the hook, the end of the
// binding at WM_NCDESTROY, destruction, subclassing, timers, the current message and
// exceptions stopped at the window procedure.
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
    int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) override
    {
        m_boxes.push_back(lpszPrompt);
        return IDOK;
    }
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

// Throws from the handler that m_nThrowAt names.
class CThrowingWnd : public CWnd
{
public:
    UINT m_nThrowAt = 0;
    int m_nKind = 0;    // 0 framework exception, 1 std::exception, 2 anything, 3 CUserException

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
        default: AfxThrowUserException();
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

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_MESSAGE(WM_USER, OnUser)
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

TEST(WindowExceptions, DefaultHandlingReportsAndValidates)
{
    CReleaseCheck check;
    {
        CRecordingApp app;
        app.m_bOverride = FALSE;
        CThrowingWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, NULL, "thrower", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, NULL, NULL));
        wnd.ValidateRect(NULL);

        // A paint that throws is reported once and not asked for again.
        wnd.m_nThrowAt = WM_PAINT;
        wnd.Invalidate();
        wnd.UpdateWindow();
        CRect rectUpdate;
        EXPECT_FALSE(wnd.GetUpdateRect(&rectUpdate)) << "the window was validated";
        ASSERT_EQ(1u, app.m_boxes.size());
        EXPECT_NE(std::string::npos, app.m_boxes[0].find("was not found")) << app.m_boxes[0];

        // The user has been told already about a CUserException.
        wnd.m_nThrowAt = WM_USER;
        wnd.m_nKind = 3;
        EXPECT_EQ(0, wnd.SendMessage(WM_USER));
        EXPECT_EQ(1u, app.m_boxes.size());

        // A creation that throws fails without a box.
        app.m_boxes.clear();
        CThrowingWnd wndFailing;
        wndFailing.m_nThrowAt = WM_CREATE;
        EXPECT_FALSE(wndFailing.CreateEx(0, NULL, "thrower", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL));
        EXPECT_TRUE(app.m_boxes.empty());
        wnd.DestroyWindow();
    }
}
