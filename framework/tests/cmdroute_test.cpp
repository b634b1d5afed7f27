// Command routing: ON_COMMAND and its kin through a frame on to the application,
// ON_UPDATE_COMMAND_UI deciding whether a command runs and how its menu item looks,
// control notifications and WM_NOTIFY to the parent.
#include <afxcmn.h>
#include <gtest/gtest.h>

#include "msg_log.h"

namespace {

enum
{
    ID_ALPHA = 2001,
    ID_BETA,            // no handler anywhere
    ID_APP_ONLY,
    ID_EX,
    ID_DISABLED,
    ID_CONTINUE,
    ID_RANGE_FIRST = 2010,
    ID_RANGE_LAST = 2014,
};

class CRouteApp : public CWinApp
{
public:
    explicit CRouteApp(CMsgLog& log) : m_log(log) {}

protected:
    afx_msg void OnAppOnly() { m_log.Add("app:OnAppOnly"); }
    afx_msg void OnEx() { m_log.Add("app:OnEx"); }
    afx_msg void OnUpdateContinue(CCmdUI* pCmdUI)
    {
        m_log.Add("app:OnUpdateContinue");
        pCmdUI->SetCheck(1);
    }

    CMsgLog& m_log;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRouteApp, CWinApp)
    ON_COMMAND(ID_APP_ONLY, OnAppOnly)
    ON_COMMAND(ID_EX, OnEx)
    ON_UPDATE_COMMAND_UI(ID_CONTINUE, OnUpdateContinue)
END_MESSAGE_MAP()

class CRouteFrame : public CFrameWnd
{
public:
    explicit CRouteFrame(CMsgLog& log) : m_log(log) {}

protected:
    void Log(const char* pszWhat, UINT nID = 0)
    {
        char sz[64];
        snprintf(sz, sizeof sz, nID != 0 ? "frame:%s %u" : "frame:%s", pszWhat, nID);
        m_log.Add(sz);
    }

    afx_msg void OnAlpha() { Log("OnAlpha"); }
    afx_msg void OnRange(UINT nID) { Log("OnRange", nID); }
    afx_msg BOOL OnEx(UINT nID)
    {
        Log("OnEx", nID);
        return FALSE;
    }
    afx_msg void OnDisabled() { Log("OnDisabled"); }
    afx_msg void OnUpdateAlpha(CCmdUI* pCmdUI)
    {
        Log("OnUpdateAlpha");
        pCmdUI->SetText("Alpha!");
        pCmdUI->SetCheck();
    }
    afx_msg void OnUpdateDisabled(CCmdUI* pCmdUI)
    {
        Log("OnUpdateDisabled");
        pCmdUI->Enable(FALSE);
    }
    afx_msg void OnUpdateContinue(CCmdUI* pCmdUI)
    {
        Log("OnUpdateContinue");
        pCmdUI->ContinueRouting();
    }

    CMsgLog& m_log;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRouteFrame, CFrameWnd)
    ON_COMMAND(ID_ALPHA, OnAlpha)
    ON_COMMAND_RANGE(ID_RANGE_FIRST, ID_RANGE_LAST, OnRange)
    ON_COMMAND_EX(ID_EX, OnEx)
    ON_COMMAND(ID_DISABLED, OnDisabled)
    ON_UPDATE_COMMAND_UI(ID_ALPHA, OnUpdateAlpha)
    ON_UPDATE_COMMAND_UI(ID_DISABLED, OnUpdateDisabled)
    ON_UPDATE_COMMAND_UI(ID_CONTINUE, OnUpdateContinue)
END_MESSAGE_MAP()

} // namespace

TEST(CommandRouting, CommandsGoThroughTheFrameToTheApplication)
{
    CReleaseCheck check;
    CMsgLog log;
    {
        CRouteApp app(log);
        CRouteFrame* pFrame = new CRouteFrame(log);
        ASSERT_TRUE(pFrame->Create(NULL, "route"));

        const struct
        {
            UINT nID;
            std::initializer_list<const char*> expected;
        } cases[] = {
            { ID_ALPHA, { "frame:OnUpdateAlpha", "frame:OnAlpha" } },
            { ID_RANGE_FIRST, { "frame:OnRange 2010" } },
            { ID_RANGE_LAST, { "frame:OnRange 2014" } },
            { ID_RANGE_LAST + 1, {} },
            { ID_APP_ONLY, { "app:OnAppOnly" } },
            { ID_EX, { "frame:OnEx 2004", "app:OnEx" } },    // the frame's handler passed it on
            { ID_DISABLED, { "frame:OnUpdateDisabled" } },   // not carried out
            { ID_BETA, {} },
        };
        for (const auto& c : cases)
        {
            SCOPED_TRACE(c.nID);
            log.Clear();
            pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(c.nID, 0), 0);
            EXPECT_TRUE(log.Is(c.expected));
        }

        // An accelerator's command is routed the same way.
        log.Clear();
        pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_ALPHA, 1), 0);
        EXPECT_TRUE(log.Is({ "frame:OnUpdateAlpha", "frame:OnAlpha" }));

        // Asking for the handler does not call it.
        log.Clear();
        AFX_CMDHANDLERINFO info = { NULL, NULL };
        EXPECT_TRUE(pFrame->OnCmdMsg(ID_APP_ONLY, CN_COMMAND, NULL, &info));
        EXPECT_EQ(&app, info.pTarget);
        EXPECT_NE(nullptr, info.pmf);
        EXPECT_FALSE(pFrame->OnCmdMsg(ID_BETA, CN_COMMAND, NULL, &info));
        EXPECT_TRUE(log.Is({}));

        // The application's own command: Exit closes the main frame, which ends the loop.
        app.m_pMainWnd = pFrame;
        HWND hWndFrame = pFrame->m_hWnd;
        pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_APP_EXIT, 0), 0);
        EXPECT_FALSE(IsWindow(hWndFrame));
        EXPECT_EQ(nullptr, app.m_pMainWnd);
        MSG msg;
        EXPECT_TRUE(PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    }
}

TEST(CommandRouting, MenuItemsAreUpdatedThroughTheRoute)
{
    CReleaseCheck check;
    CMsgLog log;
    {
        CRouteApp app(log);
        CRouteFrame* pFrame = new CRouteFrame(log);
        ASSERT_TRUE(pFrame->Create(NULL, "menus"));

        CMenu menu;
        ASSERT_TRUE(menu.CreatePopupMenu());
        CMenu submenu;
        ASSERT_TRUE(submenu.CreatePopupMenu());
        submenu.AppendMenu(MF_STRING, ID_BETA, "Inner");
        menu.AppendMenu(MF_STRING, ID_ALPHA, "Alpha");
        menu.AppendMenu(MF_STRING, ID_BETA, "Beta");
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING, ID_DISABLED, "Disabled");
        menu.AppendMenu(MF_STRING, ID_CONTINUE, "Continue");
        menu.AppendMenu(MF_POPUP, (UINT_PTR)submenu.Detach(), "Popup");
        menu.AppendMenu(MF_STRING, ID_APP_ONLY, "App");

        // An item without a command handler is disabled unless told otherwise; a check
        // mark alone does not tell.
        const struct
        {
            BOOL bAutoMenuEnable;
            UINT nNoHandlerState;
        } modes[] = { { FALSE, MF_ENABLED }, { TRUE, MF_GRAYED } };
        for (const auto& m : modes)
        {
            SCOPED_TRACE(m.bAutoMenuEnable);
            pFrame->m_bAutoMenuEnable = m.bAutoMenuEnable;
            log.Clear();
            pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)menu.m_hMenu, MAKELPARAM(0, FALSE));
            EXPECT_TRUE(log.Is({ "frame:OnUpdateAlpha", "frame:OnUpdateDisabled", "frame:OnUpdateContinue",
                                 "app:OnUpdateContinue" }));

            const struct
            {
                UINT nPos;
                UINT nState;
                const char* pszText;
            } items[] = {
                { 0, MF_CHECKED, "Alpha!" },
                { 1, m.nNoHandlerState, "Beta" },
                { 3, MF_GRAYED, "Disabled" },
                { 4, MF_CHECKED | m.nNoHandlerState, "Continue" },
                { 6, MF_ENABLED, "App" },
            };
            for (const auto& i : items)
            {
                SCOPED_TRACE(i.pszText);
                EXPECT_EQ(i.nState, menu.GetMenuState(i.nPos, MF_BYPOSITION) & (MF_CHECKED | MF_GRAYED));
                CString strText;
                menu.GetMenuString(i.nPos, strText, MF_BYPOSITION);
                EXPECT_STREQ(i.pszText, strText);
            }
            EXPECT_EQ(MF_ENABLED, menu.GetMenuState(5, MF_BYPOSITION) & (MF_CHECKED | MF_GRAYED))
                << "a popup is left as it is";
        }

        // The system menu is not the application's.
        log.Clear();
        pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)menu.m_hMenu, MAKELPARAM(0, TRUE));
        EXPECT_TRUE(log.Is({}));
        pFrame->DestroyWindow();
    }
}

namespace {

// A parent that hears its controls: a click through ON_BN_CLICKED and ON_CONTROL, a
// WM_NOTIFY through ON_NOTIFY.
class CNotifiedParent : public CWnd
{
public:
    explicit CNotifiedParent(CMsgLog& log) : m_log(log) {}

protected:
    afx_msg void OnClicked7() { m_log.Add("OnClicked7"); }
    afx_msg void OnSetFocus8() { m_log.Add("OnSetFocus8"); }
    afx_msg void OnClick7(NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_log.Add(pNMHDR->code == (UINT)NM_CLICK ? "OnClick7 NM_CLICK" : "OnClick7 ?");
        *pResult = 9;
    }
    afx_msg void OnRangeNotify(UINT nID, NMHDR*, LRESULT* pResult)
    {
        m_log.Add("OnRangeNotify " + std::to_string(nID));
        *pResult = 10;
    }

    CMsgLog& m_log;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifiedParent, CWnd)
    ON_BN_CLICKED(7, OnClicked7)
    ON_CONTROL(BN_SETFOCUS, 8, OnSetFocus8)
    ON_NOTIFY(NM_CLICK, 7, OnClick7)
    ON_NOTIFY_RANGE(NM_DBLCLK, 20, 29, OnRangeNotify)
END_MESSAGE_MAP()

} // namespace

TEST(CommandRouting, ControlsNotifyTheirParent)
{
    CReleaseCheck check;
    CMsgLog log;
    CNotifiedParent parent(log);
    ASSERT_TRUE(parent.CreateEx(0, NULL, "parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, NULL, NULL));
    HWND hWndButton = CreateWindowExA(0, "BUTTON", "click", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 50, 20,
                                      parent.m_hWnd, (HMENU)7, NULL, NULL);
    ASSERT_NE(nullptr, hWndButton);

    SendMessage(hWndButton, BM_CLICK, 0, 0);
    EXPECT_TRUE(log.Is({ "OnClicked7" }));

    log.Clear();
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(8, BN_SETFOCUS), (LPARAM)hWndButton);
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(8, BN_KILLFOCUS), (LPARAM)hWndButton);
    EXPECT_TRUE(log.Is({ "OnSetFocus8" })) << "only the mapped notification code";

    const struct
    {
        UINT_PTR idFrom;
        UINT code;
        LRESULT lResult;
        const char* pszLogged;
    } notes[] = {
        { 7, (UINT)NM_CLICK, 9, "OnClick7 NM_CLICK" },
        { 7, (UINT)NM_DBLCLK, 0, NULL },
        { 23, (UINT)NM_DBLCLK, 10, "OnRangeNotify 23" },
        { 30, (UINT)NM_DBLCLK, 0, NULL },
    };
    for (const auto& n : notes)
    {
        SCOPED_TRACE(n.idFrom);
        log.Clear();
        NMHDR nmhdr = { hWndButton, n.idFrom, n.code };
        EXPECT_EQ(n.lResult, parent.SendMessage(WM_NOTIFY, n.idFrom, (LPARAM)&nmhdr));
        if (n.pszLogged != NULL)
        {
            EXPECT_TRUE(log.Is({ n.pszLogged }));
        }
        else
        {
            EXPECT_TRUE(log.Is({}));
        }
    }
    parent.DestroyWindow();
}
