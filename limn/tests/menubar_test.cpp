// The menu bar: items grouped into menus by name, numbered from 1000 on each rebuild,
// commands reaching every registration of an item, through any inheritance of the
// handler's class, and enabling through the enable functions.
//
// The bar is one per process and only grows, so every test registers menus of its own
// names and finds them on the bar by title.
#include "limn/app/MenuBar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

typedef std::vector<std::string> Calls;

// A handler that records "name:item" for its commands and answers its enable function
// with m_bEnable.
class CRecorder : public CMenuItemHandler
{
public:
    CRecorder(const char* pszName, Calls* pCalls) : m_strName(pszName), m_pCalls(pCalls) {}

    void Add(const char* pszMenu, const char* pszItem, BOOL bInMenu = TRUE)
    {
        CMenuItemState state(pszItem, TRUE, FALSE, bInMenu, 0);
        AddMenuItem(pszMenu, state, &CRecorder::OnItem, &CRecorder::IsItemEnabled);
    }
    void AddWithoutEnable(const char* pszMenu, CMenuItemState state)
    {
        AddMenuItem<CRecorder>(pszMenu, state, &CRecorder::OnItem, nullptr);
    }
    void Separator(const char* pszMenu) { AddMenuSeparator(pszMenu); }

    void OnItem(const CMenuItemState& state) { m_pCalls->push_back(m_strName + ":" + (const char*)state.m_strName); }
    int IsItemEnabled(CMenuItemState& state)
    {
        state.m_bChecked = m_bCheck;
        state.m_bInMenu = m_bShow;
        return m_bEnable;
    }

    std::string m_strName;
    Calls* m_pCalls;
    BOOL m_bEnable = TRUE;
    BOOL m_bCheck = FALSE;
    BOOL m_bShow = TRUE;
};

// A handler that comes second among its bases and is called through a virtual function:
// the call must land on the derived object, not on the address of its handler part.
class CFirstBase
{
public:
    virtual ~CFirstBase() = default;
    int m_nPadding[7] = {};
};

class CHandlerPart : public CMenuItemHandler
{
public:
    int m_nPart = 0;
};

class CMixedHandler : public CFirstBase, public CHandlerPart
{
public:
    void Add(const char* pszMenu)
    {
        CMenuItemState state("Mixed");
        AddMenuItem(pszMenu, state, &CMixedHandler::OnMixed, &CMixedHandler::IsMixedEnabled);
    }
    virtual void OnMixed(const CMenuItemState& state) { m_strSeen = m_strOwn + (const char*)state.m_strName; }
    int IsMixedEnabled(CMenuItemState&) { return m_strOwn == "own"; }

    std::string m_strOwn = "own";
    std::string m_strSeen;
};

class CMixedHandlerOverride : public CMixedHandler
{
public:
    void OnMixed(const CMenuItemState& state) override { m_strSeen = "override " + std::string(state.m_strName); }
};

HMENU Bar() { return CMenuBar::GetMenuBar().m_menu.m_hMenu; }

// The pop-up titled pszMenu on the bar, or NULL.
HMENU Popup(const char* pszMenu)
{
    for (int i = 0; i < ::GetMenuItemCount(Bar()); i++)
    {
        char szTitle[64] = "";
        ::GetMenuStringA(Bar(), i, szTitle, sizeof szTitle, MF_BYPOSITION);
        if (std::string(szTitle) == pszMenu)
            return ::GetSubMenu(Bar(), i);
    }
    return NULL;
}

// The pop-up's items as "text=id", separators as "-=id".
std::vector<std::string> Items(const char* pszMenu)
{
    std::vector<std::string> items;
    HMENU hPopup = Popup(pszMenu);
    for (int i = 0; i < ::GetMenuItemCount(hPopup); i++)
    {
        char szText[64] = "";
        UINT nState = ::GetMenuState(hPopup, i, MF_BYPOSITION);
        if ((nState & MF_SEPARATOR) != 0)
            strcpy(szText, "-");
        else
            ::GetMenuStringA(hPopup, i, szText, sizeof szText, MF_BYPOSITION);
        items.push_back(std::string(szText) + "=" + std::to_string(::GetMenuItemID(hPopup, i)));
    }
    return items;
}

UINT IdOf(const char* pszMenu, const char* pszItem)
{
    HMENU hPopup = Popup(pszMenu);
    for (int i = 0; i < ::GetMenuItemCount(hPopup); i++)
    {
        char szText[64] = "";
        ::GetMenuStringA(hPopup, i, szText, sizeof szText, MF_BYPOSITION);
        if (std::string(szText) == pszItem)
            return ::GetMenuItemID(hPopup, i);
    }
    return 0;
}

} // namespace

// Every item of every menu on the bar is numbered in order from 1000, and a registration
// anywhere renumbers all of them.
TEST(MenuBar, NumbersEveryItemFrom1000OnEachRebuild)
{
    Calls calls;
    CRecorder a("a", &calls);
    a.Add("Numbers One", "First");
    a.Add("Numbers Two", "Second");
    UINT nSecond = IdOf("Numbers Two", "Second");
    a.Add("Numbers One", "Inserted");
    EXPECT_EQ(nSecond + 1, IdOf("Numbers Two", "Second")) << "an item added to an earlier menu moves later ids on";

    std::vector<UINT> ids;
    for (int i = 0; i < ::GetMenuItemCount(Bar()); i++)
    {
        HMENU hPopup = ::GetSubMenu(Bar(), i);
        ASSERT_NE(nullptr, hPopup);
        for (int j = 0; j < ::GetMenuItemCount(hPopup); j++)
            ids.push_back(::GetMenuItemID(hPopup, j));
    }
    ASSERT_FALSE(ids.empty());
    for (size_t i = 0; i < ids.size(); i++)
        EXPECT_EQ(1000 + i, ids[i]) << "item " << i << " of the whole bar";
    EXPECT_EQ(IdOf("Numbers One", "First") + 1, IdOf("Numbers One", "Inserted"));
}

// One text in one menu is one item: registering it from two handlers runs both, in
// order of registration, and the separator shows once however often it is added.
TEST(MenuBar, SameTextIsOneItemForEveryHandler)
{
    Calls calls;
    CRecorder a("a", &calls), b("b", &calls);
    a.Add("Shared", "Go");
    a.Separator("Shared");
    b.Add("Shared", "Go");
    b.Separator("Shared");
    b.Add("Shared", "Stop");
    UINT nGo = IdOf("Shared", "Go");
    EXPECT_EQ((std::vector<std::string>{ "Go=" + std::to_string(nGo), "-=" + std::to_string(nGo + 1),
                                         "Stop=" + std::to_string(nGo + 2) }),
              Items("Shared"));

    EXPECT_TRUE(CMenuBar::OnCommand(nGo));
    EXPECT_EQ((Calls{ "a:Go", "b:Go" }), calls);
    calls.clear();
    EXPECT_TRUE(CMenuBar::OnCommand(nGo + 1)) << "the separator carries an identifier";
    EXPECT_TRUE(calls.empty()) << "and has no command";
    EXPECT_FALSE(CMenuBar::OnCommand(0xFFFF));
    EXPECT_FALSE(CMenuBar::OnCommand(0)) << "0 is no item's identifier";
    EXPECT_TRUE(calls.empty());
}

// An item registered hidden is on no menu and no identifier reaches it; one that an
// enable function hides keeps the identifier it had and is reached only through it.
TEST(MenuBar, HiddenItemsKeepTheirLastIdentifier)
{
    Calls calls;
    CRecorder a("a", &calls), b("b", &calls);
    a.Add("Hiding", "Never", FALSE);
    a.Add("Hiding", "Later");
    b.Add("Hiding", "Last");
    EXPECT_EQ(0u, IdOf("Hiding", "Never"));
    ASSERT_EQ(2u, Items("Hiding").size());
    UINT nLater = IdOf("Hiding", "Later");

    a.m_bShow = FALSE;
    ASSERT_TRUE(CMenuBar::EnableMenuItems(CMenu::FromHandle(Popup("Hiding"))));
    a.Add("Hiding Too", "Rebuild");
    EXPECT_EQ(1u, Items("Hiding").size());
    EXPECT_EQ(nLater, IdOf("Hiding", "Last")) << "the hidden item's identifier went to the next";
    calls.clear();
    EXPECT_TRUE(CMenuBar::OnCommand(nLater));
    EXPECT_EQ((Calls{ "a:Later", "b:Last" }), calls);
}

// Handler classes derive in any way: the member function runs on the object that
// registered, through a virtual override too.
TEST(MenuBar, MemberFunctionsOfAnyInheritance)
{
    CMixedHandler mixed;
    ASSERT_NE((void*)&mixed, (void*)static_cast<CMenuItemHandler*>(&mixed)) << "the handler part must lie inside";
    mixed.Add("Inheritance");
    ASSERT_TRUE(CMenuBar::OnCommand(IdOf("Inheritance", "Mixed")));
    EXPECT_EQ("ownMixed", mixed.m_strSeen);

    CMixedHandlerOverride derived;
    derived.Add("Inheritance");
    derived.m_strOwn = "other";
    ASSERT_TRUE(CMenuBar::OnCommand(IdOf("Inheritance", "Mixed")));
    EXPECT_EQ("override Mixed", derived.m_strSeen);

    ASSERT_TRUE(CMenuBar::EnableMenuItems(CMenu::FromHandle(Popup("Inheritance"))));
    EXPECT_EQ(MF_ENABLED, ::GetMenuState(Popup("Inheritance"), 0, MF_BYPOSITION) & MF_GRAYED)
        << "one of the two enable functions answers yes";
}

// A handler that goes takes its registrations with it, also in the middle of a command
// that would have called it next; its items stay.
TEST(MenuBar, DestroyedHandlersAreNotCalled)
{
    Calls calls;
    auto* pGone = new CRecorder("gone", &calls);
    pGone->Add("Lifetime", "Item");
    {
        CRecorder kept("kept", &calls);
        kept.Add("Lifetime", "Item");
        delete pGone;
        EXPECT_TRUE(CMenuBar::OnCommand(IdOf("Lifetime", "Item")));
        EXPECT_EQ((Calls{ "kept:Item" }), calls);
    }
    calls.clear();
    EXPECT_TRUE(CMenuBar::OnCommand(IdOf("Lifetime", "Item"))) << "the item is still there";
    EXPECT_TRUE(calls.empty());

    // The first handler destroys the second and registers an item: the second is not
    // called, the first's later registration is.
    class CDestroyer : public CRecorder
    {
    public:
        using CRecorder::CRecorder;
        void OnDestroy(const CMenuItemState& state)
        {
            OnItem(state);
            delete m_pVictim;
            m_pVictim = NULL;
            Add("Lifetime", "Added During");
        }
        void Register()
        {
            CMenuItemState state("Dangerous");
            AddMenuItem("Lifetime", state, &CDestroyer::OnDestroy);
        }
        CRecorder* m_pVictim = NULL;
    };
    CDestroyer destroyer("destroyer", &calls);
    destroyer.m_pVictim = new CRecorder("victim", &calls);
    destroyer.Register();
    destroyer.m_pVictim->Add("Lifetime", "Dangerous");
    destroyer.Add("Lifetime", "Dangerous");
    calls.clear();
    EXPECT_TRUE(CMenuBar::OnCommand(IdOf("Lifetime", "Dangerous")));
    EXPECT_EQ((Calls{ "destroyer:Dangerous", "destroyer:Dangerous" }), calls);
}

// Enabling asks the enable functions of the pop-up about to open: any that answers yes
// enables, an item without one keeps its first value, and the check mark follows the
// second value. Menus that are not the bar's are left alone.
TEST(MenuBar, EnableMenuItemsAsksTheEnableFunctions)
{
    Calls calls;
    CRecorder yes("yes", &calls), no("no", &calls);
    no.m_bEnable = FALSE;
    no.m_bCheck = TRUE;
    yes.Add("Enabling", "Both");
    no.Add("Enabling", "Both");
    no.Add("Enabling", "Refused");
    no.AddWithoutEnable("Enabling", CMenuItemState("Plain Off", FALSE, TRUE, TRUE, 0));
    no.AddWithoutEnable("Enabling", CMenuItemState("Plain On"));

    HMENU hPopup = Popup("Enabling");
    ASSERT_TRUE(CMenuBar::EnableMenuItems(CMenu::FromHandle(hPopup)));
    struct
    {
        const char* pszItem;
        UINT nGrayed;
        UINT nChecked;
    } expected[] = {
        { "Both", 0, MF_CHECKED },
        { "Refused", MF_GRAYED, MF_CHECKED },
        { "Plain Off", MF_GRAYED, MF_CHECKED },
        { "Plain On", 0, 0 },
    };
    for (const auto& row : expected)
    {
        UINT nState = ::GetMenuState(hPopup, IdOf("Enabling", row.pszItem), MF_BYCOMMAND);
        EXPECT_EQ(row.nGrayed, nState & MF_GRAYED) << row.pszItem;
        EXPECT_EQ(row.nChecked, nState & MF_CHECKED) << row.pszItem;
    }

    CMenu other;
    other.CreatePopupMenu();
    EXPECT_FALSE(CMenuBar::EnableMenuItems(&other));
    EXPECT_FALSE(CMenuBar::EnableMenuItems(NULL));
}

// The bar goes on the window Install names, and on the thread's main window at every
// rebuild.
TEST(MenuBar, InstallAndTheMainWindow)
{
    Calls calls;
    CRecorder a("a", &calls);
    a.Add("Installing", "Item");
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "menu", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100), NULL, 0));
    CMenuBar::Install(&wnd);
    EXPECT_EQ(Bar(), ::GetMenu(wnd.m_hWnd));

    CWinApp app("menu bar test");
    app.m_pMainWnd = &wnd;
    a.Add("Installing", "Another");
    EXPECT_EQ(Bar(), ::GetMenu(wnd.m_hWnd)) << "the rebuilt bar";
    app.m_pMainWnd = NULL;
    ::SetMenu(wnd.m_hWnd, NULL);
    wnd.DestroyWindow();
}
