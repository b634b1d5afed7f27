// The MDI frames: activation moving the active view, document and menu bar between the
// children, templates without a menu of their own, the Window commands, and the active
// child's accelerators.
#include "dialog_driver.h"
#include "mdi_program.h"

namespace {

// The titles of the menu bar's popups.
std::vector<std::string> MenuTitles(CWnd* pWnd)
{
    std::vector<std::string> titles;
    HMENU hMenu = ::GetMenu(pWnd->m_hWnd);
    for (int i = 0; hMenu != NULL && i < GetMenuItemCount(hMenu); i++)
    {
        char sz[64] = "";
        GetMenuStringA(hMenu, i, sz, sizeof sz, MF_BYPOSITION);
        titles.push_back(sz);
    }
    return titles;
}

} // namespace

TEST(MDI, ActivationMovesTheActiveViewDocumentAndMenu)
{
    CNoteProgram program;
    HMENU hMenuMain = program.m_pMain->DefaultMenu();
    ASSERT_NE(nullptr, hMenuMain);
    EXPECT_EQ(hMenuMain, ::GetMenu(program.m_pMain->m_hWnd));
    EXPECT_EQ(nullptr, program.m_pMain->MDIGetActive());
    EXPECT_EQ(program.m_pMain, program.m_pMain->GetActiveFrame());
    EXPECT_EQ(nullptr, program.m_pMain->GetActiveDocument());

    program.Command(ID_FILE_NEW);
    CMDIChildWnd* pFirst = program.m_pMain->MDIGetActive();
    CNoteView* pFirstView = program.ActiveView();
    program.Command(ID_FILE_NEW);
    CMDIChildWnd* pSecond = program.m_pMain->MDIGetActive();
    CNoteView* pSecondView = program.ActiveView();
    ASSERT_TRUE(pFirst != NULL && pSecond != NULL && pFirst != pSecond);
    ASSERT_TRUE(pFirstView != NULL && pSecondView != NULL);

    // The template's menu, with the children listed in its Window popup.
    EXPECT_EQ(program.m_pNoteTemplate->m_hMenuShared, ::GetMenu(program.m_pMain->m_hWnd));
    EXPECT_EQ((std::vector<std::string>{ "&File", "&Note", "&Window" }), MenuTitles(program.m_pMain));
    HMENU hWindowMenu = program.m_pMain->GetWindowMenuPopup(program.m_pNoteTemplate->m_hMenuShared);
    ASSERT_NE(nullptr, hWindowMenu);
    EXPECT_EQ(hWindowMenu, GetSubMenu(program.m_pNoteTemplate->m_hMenuShared, 2));
    EXPECT_EQ(nullptr, program.m_pMain->GetWindowMenuPopup(hMenuMain)) << "no Window commands";

    // Activating the first child: its view is told, and becomes the one the main frame
    // and the commands reach; the focus goes with it.
    program.m_log.Clear();
    program.m_pMain->MDIActivate(pFirst);
    EXPECT_TRUE(program.m_log.Only("view").Is({ "view Note2: deactivated", "view Note1: activated" }));
    EXPECT_EQ(pFirst, program.m_pMain->MDIGetActive());
    EXPECT_EQ(pFirst, program.m_pMain->GetActiveFrame());
    EXPECT_EQ(pFirstView, program.ActiveView());
    EXPECT_EQ(pFirstView->GetDocument(), program.ActiveDoc());
    EXPECT_EQ(pFirstView->m_hWnd, ::GetFocus());
    EXPECT_EQ("Notes - Note1", TextOf(program.m_pMain));
    program.m_log.Clear();
    program.Command(ID_ROUTE_VIEW);
    EXPECT_TRUE(program.m_log.Is({ "view" }));

    // The next child, as Ctrl+F6 does it.
    program.m_pMain->MDINext();
    EXPECT_EQ(pSecond, program.m_pMain->MDIGetActive());
    EXPECT_EQ(pSecondView, program.ActiveView());
    EXPECT_EQ("Notes - Note2", TextOf(program.m_pMain));

    // The last child going brings the main frame's own menu back.
    program.m_app.CloseAllDocuments(FALSE);
    EXPECT_EQ(hMenuMain, ::GetMenu(program.m_pMain->m_hWnd));
    EXPECT_EQ("Notes", TextOf(program.m_pMain));
    EXPECT_TRUE(IsMenu(program.m_pNoteTemplate->m_hMenuShared)) << "the template keeps its menu";
}

TEST(MDI, AChildWithoutAMenuKeepsTheMainFramesMenu)
{
    CNoteProgram program(TRUE);
    EXPECT_EQ(nullptr, program.m_pPlainTemplate->m_hMenuShared);
    HMENU hMenuMain = program.m_pMain->DefaultMenu();

    program.m_pPlainTemplate->OpenDocumentFile(NULL);
    CMDIChildWnd* pPlain = program.m_pMain->MDIGetActive();
    ASSERT_NE(nullptr, pPlain);
    EXPECT_EQ(hMenuMain, ::GetMenu(program.m_pMain->m_hWnd));
    EXPECT_STREQ("Plain1", program.ActiveDoc()->GetTitle());

    program.m_pNoteTemplate->OpenDocumentFile(NULL);
    EXPECT_EQ(program.m_pNoteTemplate->m_hMenuShared, ::GetMenu(program.m_pMain->m_hWnd));
    // Back to the plain child: the main frame's menu again.
    program.m_pMain->MDIActivate(pPlain);
    EXPECT_EQ(hMenuMain, ::GetMenu(program.m_pMain->m_hWnd));

    // The main frame's window takes only its own menu with it.
    HMENU hMenuShared = program.m_pNoteTemplate->m_hMenuShared;
    program.m_pMain->MDINext();
    EXPECT_EQ(hMenuShared, ::GetMenu(program.m_pMain->m_hWnd));
    program.m_pMain->DestroyWindow();
    EXPECT_TRUE(IsMenu(hMenuShared));
    EXPECT_FALSE(IsMenu(hMenuMain));
}

TEST(MDI, WindowCommandsArrangeTheChildren)
{
    CNoteProgram program;
    program.Command(ID_FILE_NEW);
    CMDIChildWnd* pFirst = program.m_pMain->MDIGetActive();
    program.Command(ID_FILE_NEW);
    ASSERT_NE(pFirst, program.m_pMain->MDIGetActive());
    CMenu* pWindowMenu = CMenu::FromHandle(program.m_pMain->GetWindowMenuPopup(::GetMenu(program.m_pMain->m_hWnd)));
    ASSERT_NE(nullptr, pWindowMenu);
    program.m_pMain->SendMessage(WM_INITMENUPOPUP, (WPARAM)pWindowMenu->m_hMenu, 2);
    EXPECT_EQ(0u, pWindowMenu->GetMenuState(ID_WINDOW_CASCADE, MF_BYCOMMAND) & MF_GRAYED);

    // Tiled side by side: the children share the client's width, nothing overlaps.
    program.Command(ID_WINDOW_TILE_HORZ);
    CRect rectClient;
    ::GetClientRect(program.m_pMain->m_hWndMDIClient, &rectClient);
    std::vector<CRect> rects;
    for (HWND hWnd = ::GetWindow(program.m_pMain->m_hWndMDIClient, GW_CHILD); hWnd != NULL;
         hWnd = ::GetWindow(hWnd, GW_HWNDNEXT))
    {
        CRect rect;
        ::GetWindowRect(hWnd, &rect);
        rects.push_back(rect);
    }
    ASSERT_EQ(2u, rects.size());
    CRect rectBoth;
    EXPECT_FALSE(rectBoth.IntersectRect(&rects[0], &rects[1])) << "tiled";
    program.Command(ID_WINDOW_CASCADE);
    CRect rectFirst, rectSecond;
    ::GetWindowRect(::GetWindow(program.m_pMain->m_hWndMDIClient, GW_CHILD), &rectFirst);
    ::GetWindowRect(::GetWindow(::GetWindow(program.m_pMain->m_hWndMDIClient, GW_CHILD), GW_HWNDNEXT), &rectSecond);
    EXPECT_NE(rectFirst.TopLeft(), rectSecond.TopLeft()) << "cascaded";
    EXPECT_TRUE(rectBoth.IntersectRect(&rectFirst, &rectSecond)) << "cascaded";

    // The children's entries of the Window menu activate them: the first is Note1's.
    program.m_pMain->SendMessage(WM_COMMAND, MAKEWPARAM(AFX_IDM_FIRST_MDICHILD, 0), 0);
    EXPECT_EQ(pFirst, program.m_pMain->MDIGetActive());

    // Without children the commands are disabled.
    program.m_app.CloseAllDocuments(FALSE);
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, ID_WINDOW_CASCADE, "&Cascade");
    menu.AppendMenu(MF_STRING, ID_WINDOW_NEW, "&New Window");
    program.m_pMain->SendMessage(WM_INITMENUPOPUP, (WPARAM)menu.m_hMenu, 0);
    EXPECT_EQ((UINT)MF_GRAYED, menu.GetMenuState(ID_WINDOW_CASCADE, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ((UINT)MF_GRAYED, menu.GetMenuState(ID_WINDOW_NEW, MF_BYCOMMAND) & MF_GRAYED);
}

TEST(MDI, TheActiveChildsAcceleratorsReachTheMainFrame)
{
    CNoteProgram program;
    CString strPath = program.WriteNote("keys.nte", "old");
    CNoteDoc* pDoc = dynamic_cast<CNoteDoc*>(program.m_app.OpenDocumentFile(strPath));
    ASSERT_NE(nullptr, pDoc);
    pDoc->m_strText = "new";
    pDoc->SetModifiedFlag();
    ASSERT_EQ(program.ActiveView()->m_hWnd, ::GetFocus());

    // Ctrl+S, typed: the template's accelerator gives File Save to the main frame.
    PressCtrlKey('S');
    EXPECT_TRUE(PumpFrameworkUntil([&] { return !pDoc->IsModified(); }));
    EXPECT_STREQ("new", CNoteProgram::ReadNote(strPath));
}

namespace {

// A main frame that builds its menu bar at run time and makes it its default menu.
class CBuiltMenuMain : public CMDIFrameWnd
{
public:
    void BuildMenu()
    {
        m_menu.CreateMenu();
        CMenu popup;
        popup.CreatePopupMenu();
        popup.AppendMenu(MF_STRING, ID_WINDOW_CASCADE, "&Cascade");
        m_menu.AppendMenu(MF_POPUP, (UINT_PTR)popup.Detach(), "&Built");
        m_hMenuDefault = m_menu.m_hMenu;
        OnUpdateFrameMenu(NULL);
    }
    CMenu m_menu;   // the frame's own: the window must not take it along
    static inline BOOL s_bMenuOutlivedWindow = FALSE;

protected:
    void PostNcDestroy() override
    {
        s_bMenuOutlivedWindow = IsMenu(m_menu.m_hMenu);
        CMDIFrameWnd::PostNcDestroy();
    }
};

} // namespace

TEST(MDI, AFrameWithAMenuBuiltAtRunTimeKeepsIt)
{
    CNoteProgram program(TRUE);
    // The program's main frame goes; one that builds its menu takes its place.
    program.m_pMain->DestroyWindow();
    PumpWaiting();
    MSG msg;
    PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
    auto* pMain = new CBuiltMenuMain;
    ASSERT_TRUE(pMain->Create(NULL, "Built", WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE));
    program.m_app.m_pMainWnd = pMain;
    pMain->ShowWindow(SW_SHOW);
    EXPECT_EQ(nullptr, ::GetMenu(pMain->m_hWnd));
    pMain->BuildMenu();
    HMENU hMenuBuilt = pMain->m_menu.m_hMenu;
    EXPECT_EQ(hMenuBuilt, ::GetMenu(pMain->m_hWnd));

    // A child without a menu leaves it; one with a menu brings its own, and the built
    // one comes back when that child goes.
    program.m_pPlainTemplate->OpenDocumentFile(NULL);
    EXPECT_EQ(hMenuBuilt, ::GetMenu(pMain->m_hWnd));
    program.m_pNoteTemplate->OpenDocumentFile(NULL);
    EXPECT_EQ(program.m_pNoteTemplate->m_hMenuShared, ::GetMenu(pMain->m_hWnd));
    pMain->MDIGetActive()->SendMessage(WM_CLOSE);
    EXPECT_EQ(hMenuBuilt, ::GetMenu(pMain->m_hWnd));
    EXPECT_EQ("Built - Plain1", TextOf(pMain));

    program.m_app.CloseAllDocuments(FALSE);
    EXPECT_EQ(hMenuBuilt, ::GetMenu(pMain->m_hWnd));
    EXPECT_EQ("Built", TextOf(pMain));
    // The window leaves the menu to the frame, which destroys it with itself.
    pMain->DestroyWindow();
    EXPECT_TRUE(CBuiltMenuMain::s_bMenuOutlivedWindow);
    EXPECT_FALSE(IsMenu(hMenuBuilt));
}
