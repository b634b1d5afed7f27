// The application and its thread: the global accessors, the message loop with
// PreTranslateMessage through the window tree and the main window, idle time freeing
// the temporary objects, the main frame ending the loop, AfxWinMain with and without a
// main window, and pumping without an application object.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "msg_log.h"

namespace {

// Logs the user messages (and WM_CLOSE) that reach PreTranslateMessage and handlers.
class CPreChild : public CWnd
{
public:
    explicit CPreChild(CMsgLog& log) : m_log(log) {}

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message >= WM_USER)
            m_log.AddMessage("child:Pre", pMsg->message);
        return CWnd::PreTranslateMessage(pMsg);
    }

protected:
    afx_msg LRESULT OnUser(WPARAM, LPARAM)
    {
        m_log.AddMessage("child:On", (UINT)GetCurrentMessage()->message);
        return 0;
    }

    CMsgLog& m_log;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPreChild, CWnd)
    ON_MESSAGE(WM_USER + 5, OnUser)
    ON_MESSAGE(WM_USER + 7, OnUser)
END_MESSAGE_MAP()

// Eats WM_USER + 7.
class CPreFrame : public CFrameWnd
{
public:
    explicit CPreFrame(CMsgLog& log) : m_log(log) {}
    ~CPreFrame() override { m_log.Add("frame:deleted"); }

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message >= WM_USER || pMsg->message == WM_CLOSE)
            m_log.AddMessage("frame:Pre", pMsg->message);
        if (pMsg->message == WM_USER + 7)
            return TRUE;
        return CFrameWnd::PreTranslateMessage(pMsg);
    }

protected:
    CMsgLog& m_log;
};

// An application that logs its idle calls and the end of its loop.
class CLoopApp : public CWinApp
{
public:
    explicit CLoopApp(CMsgLog& log) : m_log(log) {}

    LONG m_lQuitAtIdle = -1;    // posts WM_QUIT(3) at this idle count

    BOOL OnIdle(LONG lCount) override
    {
        m_log.Add("idle " + std::to_string(lCount));
        BOOL bMore = CWinApp::OnIdle(lCount);
        if (lCount == m_lQuitAtIdle)
            PostQuitMessage(3);
        return bMore;
    }
    int ExitInstance() override
    {
        m_log.Add("ExitInstance");
        return CWinApp::ExitInstance();
    }

protected:
    CMsgLog& m_log;
};

// A CLoopApp with a CPreFrame for its main window. A frame still open at the end goes
// as a window that is no longer the main one, so that no WM_QUIT is left behind.
struct CAppWithMainFrame
{
    explicit CAppWithMainFrame(CMsgLog& log) : app(log), pFrame(new CPreFrame(log))
    {
        EXPECT_TRUE(pFrame->Create(NULL, "main"));
        app.m_pMainWnd = pFrame;
    }
    ~CAppWithMainFrame()
    {
        if (app.m_pMainWnd == NULL)
            return;
        app.m_pMainWnd = NULL;
        pFrame->DestroyWindow();
    }
    CAppWithMainFrame(const CAppWithMainFrame&) = delete;
    CAppWithMainFrame& operator=(const CAppWithMainFrame&) = delete;

    CLoopApp app;
    CPreFrame* pFrame;
};

} // namespace

TEST(Application, IsTheThreadsObject)
{
    CReleaseCheck check;
    EXPECT_EQ(nullptr, AfxGetApp());
    EXPECT_EQ(nullptr, AfxGetThread());
    EXPECT_EQ(nullptr, AfxGetMainWnd());
    {
        CWinApp app("Named");
        EXPECT_EQ(&app, AfxGetApp());
        EXPECT_EQ(&app, AfxGetThread());
        EXPECT_STREQ("Named", AfxGetAppName());
        EXPECT_EQ(GetCurrentThreadId(), app.m_nThreadID);
        CFrameWnd* pFrame = new CFrameWnd;
        ASSERT_TRUE(pFrame->Create(NULL, "main"));
        app.m_pMainWnd = pFrame;
        EXPECT_EQ(pFrame, AfxGetMainWnd());
        pFrame->DestroyWindow();
        EXPECT_EQ(nullptr, app.m_pMainWnd) << "the main window forgets itself";
        MSG msg;
        EXPECT_TRUE(PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) << "and ends the loop";
    }
    EXPECT_EQ(nullptr, AfxGetApp());
    EXPECT_EQ(nullptr, AfxGetThread());
}

TEST(Application, LoopPreTranslatesThroughTheTreeAndEndsWithTheMainFrame)
{
    CReleaseCheck check;
    CMsgLog log;
    {
        CAppWithMainFrame main(log);
        CLoopApp& app = main.app;
        CPreFrame* pFrame = main.pFrame;
        CPreChild child(log);
        ASSERT_TRUE(child.Create(NULL, "child", WS_VISIBLE, CRect(0, 0, 20, 20), pFrame, 1));

        child.PostMessage(WM_USER + 5);
        child.PostMessage(WM_USER + 7);
        pFrame->PostMessage(WM_CLOSE);
        EXPECT_EQ(0, app.Run());
        EXPECT_TRUE(log.Only("child:").Is({ "child:Pre:0x0405", "child:On:0x0405", "child:Pre:0x0407" }))
            << "the frame ate WM_USER + 7";
        EXPECT_TRUE(log.Only("frame:").Is({ "frame:Pre:0x0405", "frame:Pre:0x0407", "frame:Pre:WM_CLOSE",
                                            "frame:deleted" }));
        EXPECT_TRUE(log.Entries().back() == "ExitInstance");
        EXPECT_EQ(nullptr, app.m_pMainWnd);
        EXPECT_EQ(nullptr, child.m_hWnd) << "the child went with the frame";
    }
}

TEST(Application, MainWindowSeesEachMessageOfAnotherWindowOnce)
{
    CReleaseCheck check;
    CMsgLog log;
    {
        CAppWithMainFrame main(log);
        const struct
        {
            const char* pszWhat;
            DWORD dwStyle;
            BOOL bOwned;
        } cases[] = {
            { "a popup it owns", WS_POPUP, TRUE },
            { "an overlapped window it owns", WS_OVERLAPPED, TRUE },
            { "a window it does not own", WS_POPUP, FALSE },
        };
        for (const auto& c : cases)
        {
            SCOPED_TRACE(c.pszWhat);
            log.Clear();
            CPreChild wnd(log);
            ASSERT_TRUE(wnd.CreateEx(0, NULL, "other", c.dwStyle, 0, 0, 20, 20,
                                     c.bOwned ? main.pFrame->m_hWnd : NULL, NULL));
            wnd.PostMessage(WM_USER + 5);
            EXPECT_TRUE(main.app.PumpMessage());
            EXPECT_TRUE(log.Is({ "child:Pre:0x0405", "frame:Pre:0x0405", "child:On:0x0405" }));
            wnd.DestroyWindow();
        }
    }
}

TEST(Application, IdleTimeRunsWhenTheQueueIsEmpty)
{
    CReleaseCheck check;
    CMsgLog log;
    {
        CAppWithMainFrame main(log);
        main.app.m_lQuitAtIdle = 1;
        EXPECT_EQ(3, main.app.Run()) << "the exit code is WM_QUIT's";
        EXPECT_TRUE(log.Is({ "idle 0", "idle 1", "ExitInstance" }));
    }
}

namespace {

// Posts WM_QUIT(99) to a loop that did not end by itself in time.
bool g_bLoopStopped = false;
void CALLBACK StopTheLoop(HWND, UINT, UINT_PTR, DWORD)
{
    g_bLoopStopped = true;
    PostQuitMessage(99);
}

// Starts without making a main window.
class CWindowlessApp : public CLoopApp
{
public:
    explicit CWindowlessApp(CMsgLog& log) : CLoopApp(log) {}
    BOOL InitInstance() override
    {
        m_log.Add("InitInstance");
        return TRUE;
    }
};

} // namespace

TEST(Application, AProgramWithoutAMainWindowEnds)
{
    CReleaseCheck check;
    CMsgLog log;
    {
        CWindowlessApp app(log);
        g_bLoopStopped = false;
        UINT_PTR nTimer = SetTimer(NULL, 0, 2000, StopTheLoop);
        char szCmdLine[] = "";
        EXPECT_EQ(0, AfxWinMain(GetModuleHandle(NULL), NULL, szCmdLine, SW_HIDE));
        KillTimer(NULL, nTimer);
        EXPECT_FALSE(g_bLoopStopped) << "the loop had to be stopped from outside";
        EXPECT_TRUE(log.Is({ "InitInstance", "ExitInstance" })) << "no idle time: the loop quit at once";
    }
}

TEST(Application, IdleTimeFreesTheTemporaryObjects)
{
    CReleaseCheck check;
    HWND hWnd = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    HDC hDC = GetDC(hWnd);
    HPEN hPen = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
    HMENU hMenu = CreateMenu();
    {
        CWinApp app;
        size_t nBefore = HeapInUse();
        auto makeTemporaries = [&] {
            EXPECT_EQ(hWnd, CWnd::FromHandle(hWnd)->m_hWnd);
            EXPECT_EQ(hDC, CDC::FromHandle(hDC)->m_hDC);
            EXPECT_EQ(hPen, CGdiObject::FromHandle(hPen)->m_hObject);
            EXPECT_EQ(hMenu, CMenu::FromHandle(hMenu)->m_hMenu);
        };
        makeTemporaries();
        EXPECT_LT(nBefore, HeapInUse());

        EXPECT_TRUE(app.OnIdle(0)) << "more idle work wanted";
        EXPECT_LT(nBefore, HeapInUse()) << "the first idle step keeps them";

        // A nested loop's idle time while an outer handler holds temporary objects.
        AfxLockTempMaps();
        EXPECT_FALSE(app.OnIdle(1));
        EXPECT_LT(nBefore, HeapInUse()) << "kept while locked";
        EXPECT_TRUE(AfxUnlockTempMaps());
        EXPECT_EQ(nBefore, HeapInUse());

        makeTemporaries();
        EXPECT_FALSE(app.OnIdle(1)) << "no more idle work";
        EXPECT_EQ(nBefore, HeapInUse()) << "all four kinds freed";
    }
    EXPECT_TRUE(IsWindow(hWnd)) << "the handles stay";
    EXPECT_TRUE(IsMenu(hMenu));
    DestroyMenu(hMenu);
    DeleteObject(hPen);
    ReleaseDC(hWnd, hDC);
    DestroyWindow(hWnd);
}

TEST(Application, IdleMessages)
{
    CWinThread thread;
    MSG msg = {};
    const struct
    {
        UINT message;
        POINT pt;
        BOOL bIdle;
    } cases[] = {
        { WM_MOUSEMOVE, { 5, 5 }, TRUE },
        { WM_MOUSEMOVE, { 5, 5 }, FALSE },    // the cursor did not move
        { WM_MOUSEMOVE, { 6, 5 }, TRUE },
        { WM_NCMOUSEMOVE, { 6, 5 }, TRUE },   // another kind of move
        { WM_PAINT, { 0, 0 }, FALSE },
        { 0x0118, { 0, 0 }, FALSE },          // the caret's blink
        { WM_TIMER, { 0, 0 }, TRUE },
        { WM_KEYDOWN, { 0, 0 }, TRUE },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(MsgName(c.message));
        msg.message = c.message;
        msg.pt = c.pt;
        EXPECT_EQ(c.bIdle, thread.IsIdleMessage(&msg));
    }
}

namespace {

class CMainApp : public CWinApp
{
public:
    explicit CMainApp(CMsgLog& log) : m_log(log) {}
    BOOL m_bInitResult = TRUE;

    BOOL InitApplication() override
    {
        m_log.Add("InitApplication");
        return CWinApp::InitApplication();
    }
    BOOL InitInstance() override
    {
        m_log.Add(std::string("InitInstance ") + m_pszAppName + " " + m_pszExeName + " " + m_lpCmdLine + " "
                  + std::to_string(m_nCmdShow));
        CPreFrame* pFrame = new CPreFrame(m_log);
        if (!pFrame->Create(NULL, m_pszAppName))
            return FALSE;
        m_pMainWnd = pFrame;
        pFrame->PostMessage(WM_CLOSE);
        return m_bInitResult;
    }
    int ExitInstance() override
    {
        m_log.Add("ExitInstance");
        return CWinApp::ExitInstance() + 5;
    }

protected:
    CMsgLog& m_log;
};

} // namespace

TEST(Application, AfxWinMainRunsTheApplication)
{
    CReleaseCheck check;
    CMsgLog log;
    char szCmdLine[] = "-x file";
    for (BOOL bInit : { TRUE, FALSE })
    {
        SCOPED_TRACE(bInit);
        log.Clear();
        {
            CMainApp app(log);
            app.m_bInitResult = bInit;
            EXPECT_EQ(5, AfxWinMain(GetModuleHandle(NULL), NULL, szCmdLine, SW_HIDE));
            EXPECT_EQ(GetModuleHandle(NULL), app.m_hInstance);
        }
        // The application's name comes from the string resource AFX_IDS_APP_TITLE.
        if (bInit)
        {
            EXPECT_TRUE(log.Is({ "InitApplication", "InitInstance Framework Tests framework_tests -x file 0",
                                 "frame:Pre:WM_CLOSE", "frame:deleted", "ExitInstance" }));
        }
        else
        {
            // The main window of a failed start is destroyed; its WM_QUIT is left behind.
            EXPECT_TRUE(log.Is({ "InitApplication", "InitInstance Framework Tests framework_tests -x file 0",
                                 "frame:deleted", "ExitInstance" }));
            MSG msg;
            EXPECT_TRUE(PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
            PumpWaiting();
        }
    }
}

TEST(Application, WindowsWorkWithoutAnApplicationObject)
{
    CReleaseCheck check;
    CMsgLog log;
    ASSERT_EQ(nullptr, AfxGetApp());
    CPreFrame* pFrame = new CPreFrame(log);
    ASSERT_TRUE(pFrame->Create(NULL, "alone"));
    CPreChild child(log);
    ASSERT_TRUE(child.Create(NULL, "child", WS_VISIBLE, CRect(0, 0, 20, 20), pFrame, 1));
    child.PostMessage(WM_USER + 5);
    EXPECT_TRUE(AfxPumpMessage());
    EXPECT_TRUE(log.Is({ "child:Pre:0x0405", "frame:Pre:0x0405", "child:On:0x0405" }));

    pFrame->DestroyWindow();
    PumpWaiting();
    PostQuitMessage(0);
    EXPECT_FALSE(AfxPumpMessage()) << "WM_QUIT ends the pumping";
}
