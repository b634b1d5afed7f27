// The main frame: menu protection (what it refuses and lets through, the foreground it
// keeps, the menus it greys and gives back, its two notices and its farewell), the
// activation it broadcasts, the cache it frees on WM_COMPACTING, and the menu loop that
// pauses switch scanning.
#include "limn/app/MenuBar.h"
#include "limn/app/MsgAppActivate.h"
#include "limn/containers/WndContainer.h"
#include "limn/res/resource.h"

#include "app_resource.h"

#include "hoard/runtime/Freeable.h"
#include "hoard/runtime/MappedString.h"

#include "app_support.h"
#include "scanning_support.h"

namespace {

// The states of the menu bar's top-level items, by title: "&File=grey".
std::vector<std::string> MenuBarStates(CWnd* pFrame)
{
    std::vector<std::string> states;
    CMenu* pMenu = pFrame->GetMenu();
    for (UINT i = 0; pMenu != NULL && i < pMenu->GetMenuItemCount(); i++)
    {
        CString strTitle;
        pMenu->GetMenuString(i, strTitle, MF_BYPOSITION);
        UINT nState = pMenu->GetMenuState(i, MF_BYPOSITION);
        states.push_back(std::string(strTitle) + ((nState & MF_GRAYED) != 0 ? "=grey" : "=on"));
    }
    return states;
}

// Every item of the system menu is grey.
bool SystemMenuAllGrey(CWnd* pFrame)
{
    HMENU hSysMenu = ::GetSystemMenu(pFrame->m_hWnd, FALSE);
    for (int i = 0; i < ::GetMenuItemCount(hSysMenu); i++)
    {
        UINT nState = ::GetMenuState(hSysMenu, i, MF_BYPOSITION);
        if ((nState & MF_SEPARATOR) == 0 && (nState & MF_GRAYED) == 0)
            return false;
    }
    return true;
}

// A window of the class and (empty) title of the taskbar, made when the system has none.
class CTaskbarStandIn
{
public:
    CTaskbarStandIn()
    {
        m_hWnd = ::FindWindowA("Shell_TrayWnd", "");
        if (m_hWnd != NULL)
            return;
        WNDCLASSA wc = {};
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = ::GetModuleHandleA(NULL);
        wc.lpszClassName = "Shell_TrayWnd";
        ::RegisterClassA(&wc);
        m_hWnd = m_hOwn = ::CreateWindowExA(WS_EX_TOOLWINDOW, "Shell_TrayWnd", "", WS_POPUP | WS_VISIBLE, 0, 560,
                                            800, 40, NULL, NULL, wc.hInstance, NULL);
    }
    ~CTaskbarStandIn()
    {
        if (m_hOwn != NULL)
            ::DestroyWindow(m_hOwn);
        else
            ::ShowWindow(m_hWnd, SW_SHOW);
    }
    HWND m_hWnd = NULL;
    HWND m_hOwn = NULL;
};

class CActivationLog : public CMessageReceiver
{
public:
    void OnMessage(Message* pMsg) override
    {
        if (auto* pActivate = dynamic_cast<MsgAppActivate*>(pMsg))
            m_log.push_back(pActivate->m_bActive ? "active" : "inactive");
    }
    std::vector<std::string> m_log;
};

// A cache that frees its one block when asked, and says so.
class CCache : public CFreeable
{
public:
    CCache(const char* pszName, std::vector<std::string>* pFreed) : m_strName(pszName), m_pFreed(pFreed) {}

protected:
    DWORD FreeUnusedMemory() override
    {
        if (m_bFreed)
            return 0;
        m_bFreed = true;
        m_pFreed->push_back(m_strName);
        return 1000;
    }

private:
    std::string m_strName;
    std::vector<std::string>* m_pFreed;
    bool m_bFreed = false;
};

} // namespace

class MenuProtection : public AppFrameTest
{
protected:
    void Enter()
    {
        m_pFrame->EnterMenuProtection();
        PumpMessages();
    }
    // Opens the menu of the mnemonic from the keyboard and presses Enter in it, as a user
    // would; the commands of the test's menus that arrived. A menu that does not open
    // is closed.
    std::vector<UINT> ChooseFromMenu(char chMnemonic)
    {
        m_pFrame->m_commands.clear();
        UINT_PTR nEnter = ::SetTimer(NULL, 0, 200, [](HWND, UINT, UINT_PTR nTimer, DWORD) {
            ::KillTimer(NULL, nTimer);
            INPUT inputs[2] = {};
            inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
            inputs[0].ki.wVk = inputs[1].ki.wVk = VK_RETURN;
            inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
            ::SendInput(2, inputs, sizeof(INPUT));
        });
        UINT_PTR nEnd = ::SetTimer(NULL, 0, 500, [](HWND, UINT, UINT_PTR, DWORD) { ::EndMenu(); });
        m_pFrame->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, chMnemonic);
        PumpFor(100);
        ::KillTimer(NULL, nEnter);
        ::KillTimer(NULL, nEnd);
        return m_pFrame->m_commands;
    }
    CTaskbarStandIn m_taskbar;
};

// Protection maximizes the frame and the active document's frame. Alt+F4, the close
// button's command and WM_CLOSE leave the frame open; minimizing, restoring and sizing
// by system command are refused, whatever the low bits of the command; moving is passed
// on.
TEST_F(MenuProtection, RefusesClosingAndSizingButNotMoving)
{
    ASSERT_NE(nullptr, m_pFrame);
    CTestDoc* pDoc = NULL;
    ASSERT_NE(nullptr, OpenDocument(pDoc));
    Enter();
    ASSERT_TRUE(CResMainFrame::InMenuProtection());
    EXPECT_TRUE(m_pFrame->IsZoomed()) << "the frame is maximized";
    BOOL bChildMaximized = FALSE;
    EXPECT_NE(nullptr, m_pFrame->MDIGetActive(&bChildMaximized));
    EXPECT_TRUE(bChildMaximized) << "and so is the active document's frame";

    m_pFrame->SetForegroundWindow();
    PressChord({ VK_MENU, VK_F4 });
    m_pFrame->SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0);
    m_pFrame->SendMessage(WM_CLOSE);
    PumpMessages();
    ASSERT_TRUE(::IsWindow(m_pFrame->m_hWnd));
    EXPECT_EQ(0, m_pFrame->m_nDestroys);

    const WPARAM refused[] = { SC_MINIMIZE, SC_RESTORE, SC_MAXIMIZE | HTCAPTION, SC_SIZE | WMSZ_BOTTOMRIGHT,
                               SC_TASKLIST, SC_SCREENSAVE, SC_CONTEXTHELP, SC_DEFAULT };
    for (WPARAM wParam : refused)
        m_pFrame->SendMessage(WM_SYSCOMMAND, wParam, 0);
    EXPECT_FALSE(m_pFrame->IsIconic());
    EXPECT_TRUE(m_pFrame->IsZoomed());
    EXPECT_TRUE(m_pFrame->m_sysCommands.empty()) << "the first that got through: 0x" << std::hex
                                                 << (m_pFrame->m_sysCommands.empty() ? 0 : m_pFrame->m_sysCommands[0]);

    m_pFrame->SendMessage(WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    EXPECT_EQ(std::vector<WPARAM>{ SC_MOVE | HTCAPTION }, m_pFrame->m_sysCommands);

    m_pFrame->ExitMenuProtection();
    m_pFrame->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(m_pFrame->IsIconic()) << "protection is over";
}

// Another program taking the foreground loses it again, to the frame's deactivation at
// once or to the next tick of its 500 ms clock at the latest.
TEST_F(MenuProtection, KeepsTheForeground)
{
    ASSERT_NE(nullptr, m_pFrame);
    Enter();
    for (int i = 0; i < 2; i++)
    {
        COtherProgramWindow other;
        ASSERT_NE(nullptr, other.m_hWnd);
        EXPECT_TRUE(PumpUntil(650, [&] { return ::GetForegroundWindow() == m_pFrame->m_hWnd; }))
            << "round " << i << ": the foreground window is " << ::GetForegroundWindow();
    }
    m_pFrame->ExitMenuProtection();
    COtherProgramWindow other;
    PumpFor(650);
    EXPECT_EQ(other.m_hWnd, ::GetForegroundWindow()) << "without protection the other program keeps it";
}

// The menu named like m_strKeepEnabledMenu stays usable, all others and the system menu
// go grey, the taskbar goes; leaving gives all menus back, the taskbar too, and says so.
TEST_F(MenuProtection, GreysAllMenusButOneAndGivesThemBack)
{
    ASSERT_NE(nullptr, m_pFrame);
    m_pFrame->GetMenu()->EnableMenuItem(1, MF_BYPOSITION | MF_GRAYED);
    Enter();
    EXPECT_EQ((std::vector<std::string>{ "&File=grey", "&Edit=grey", "&Activity=on" }), MenuBarStates(m_pFrame));
    EXPECT_TRUE(SystemMenuAllGrey(m_pFrame));
    EXPECT_FALSE(::IsWindowVisible(m_taskbar.m_hWnd));

    // From the keyboard, the kept menu opens and gives its command; the others do not.
    EXPECT_EQ(std::vector<UINT>{ ID_TEST_GO }, ChooseFromMenu('a'));
    EXPECT_EQ(std::vector<UINT>{}, ChooseFromMenu('f'));

    m_pFrame->ExitMenuProtection();
    EXPECT_FALSE(CResMainFrame::InMenuProtection());
    EXPECT_EQ((std::vector<std::string>{ "&File=on", "&Edit=on", "&Activity=on" }), MenuBarStates(m_pFrame))
        << "every menu, also one that was grey before";
    EXPECT_FALSE(SystemMenuAllGrey(m_pFrame));
    EXPECT_TRUE(::IsWindowVisible(m_taskbar.m_hWnd));
    ASSERT_EQ(1u, m_app.m_boxes.size());
    EXPECT_EQ("Now leaving Menu Protection mode.", m_app.m_boxes[0]) << "limn's text while the map has none";

    static const char szMap[] = "ID_LEAVINGMENUPROT=Back to the menus\r\n";
    CMemFile file((BYTE*)szMap, sizeof szMap - 1);
    CMappedString::Load(file);
    Enter();
    m_pFrame->ExitMenuProtection();
    CMappedString::Unload();
    static const char szLabels[] = "ID_IMPORT=Import a Picture\r\n";
    CMemFile labels((BYTE*)szLabels, sizeof szLabels - 1);
    CMappedString::Load(labels);
    ASSERT_EQ(2u, m_app.m_boxes.size());
    EXPECT_EQ("Back to the menus", m_app.m_boxes[1]) << "the application's text";
}

// The command shows the notice and the reminder, with their texts; Cancel in either
// stops, Continue in both turns protection on.
TEST_F(MenuProtection, TheTwoNotices)
{
    ASSERT_NE(nullptr, m_pFrame);
    struct
    {
        std::vector<int> answers;
        int nDialogs;
        BOOL bProtected;
    } rows[] = {
        { { IDCANCEL }, 1, FALSE },
        { { IDOK, IDCANCEL }, 2, FALSE },
        { { IDOK, IDOK }, 2, TRUE },
    };
    for (const auto& row : rows)
    {
        size_t nNext = 0;
        CDialogAnswerer answerer([&](HWND hDlg) {
            int nAnswer = nNext < row.answers.size() ? row.answers[nNext] : IDCANCEL;
            ++nNext;
            ::PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(nAnswer, BN_CLICKED), (LPARAM)::GetDlgItem(hDlg, nAnswer));
        });
        m_pFrame->OnMenuProtection();
        EXPECT_EQ(row.nDialogs, answerer.m_nDialogs);
        EXPECT_EQ(row.bProtected, CResMainFrame::InMenuProtection());
        if (row.nDialogs == 2)
        {
            ASSERT_EQ(3u, answerer.m_texts.size());
            EXPECT_EQ("Menu Protection prevents easy access to the menus and desktop.", answerer.m_texts[0]);
            EXPECT_EQ("To turn Menu Protection off after turning it on, hold down the Control key and press F1.  You "
                      "will not be able to quit Glimmer without pressing this keystroke, so you may want to write it "
                      "down.",
                      answerer.m_texts[1]);
            EXPECT_EQ("Press Control+F1 to exit Menu Protection mode.", answerer.m_texts[2]);
        }
        if (CResMainFrame::InMenuProtection())
            m_pFrame->ExitMenuProtection();
    }
}

// A frame destroyed under protection ends it and brings the taskbar back.
TEST_F(MenuProtection, DestroyingTheFrameEndsIt)
{
    ASSERT_NE(nullptr, m_pFrame);
    Enter();
    m_pFrame->DestroyWindow();
    m_pFrame = NULL;
    m_app.m_pMainWnd = NULL;
    EXPECT_FALSE(CResMainFrame::InMenuProtection());
    EXPECT_TRUE(::IsWindowVisible(m_taskbar.m_hWnd));
}

using MainFrame = AppFrameTest;

// The application's activation is broadcast: another program's window taking the
// foreground deactivates it, coming back activates it.
TEST_F(MainFrame, BroadcastsActivation)
{
    ASSERT_NE(nullptr, m_pFrame);
    CActivationLog log;
    {
        COtherProgramWindow other;
        PumpFor(100);
    }
    m_pFrame->SetForegroundWindow();
    PumpFor(100);
    EXPECT_EQ((std::vector<std::string>{ "inactive", "active" }), log.m_log);
    EXPECT_TRUE(CResMainFrame::IsForeground());
}

// WM_COMPACTING frees one cache, the least recently used, at a time.
TEST_F(MainFrame, CompactingFreesOneCache)
{
    ASSERT_NE(nullptr, m_pFrame);
    std::vector<std::string> freed;
    CCache oldest("oldest", &freed), middle("middle", &freed), newest("newest", &freed);
    // Last in the list, behind any cache that other tests left.
    oldest.MakeExpendable();
    m_pFrame->SendMessage(WM_COMPACTING, 0x8000);
    EXPECT_EQ(std::vector<std::string>{ "oldest" }, freed);
    middle.MakeExpendable();
    m_pFrame->SendMessage(WM_COMPACTING, 0x8000);
    EXPECT_EQ((std::vector<std::string>{ "oldest", "middle" }), freed);
}

// Opening a menu while scanning drops the pending hot key and holds the scanning clock
// until the menu closes; then the clock goes on.
TEST_F(MainFrame, OpenMenuPausesScanning)
{
    ASSERT_NE(nullptr, m_pFrame);
    CTestDoc* pDoc = NULL;
    CTestView* pView = OpenDocument(pDoc);
    ASSERT_NE(nullptr, pView);
    CallLog log;
    CWndContainer* pRoot = pDoc->GetMainContainer();
    for (int i = 0; i < 3; i++)
        new CScanLeaf(pRoot, ("leaf" + std::to_string(i)).c_str(), CRect(10 + 60 * i, 10, 60 + 60 * i, 60), &log);
    pView->UpdateWindow();
    pView->UpdateWindow();
    pDoc->OnActivate();
    m_pFrame->SetForegroundWindow();
    ASSERT_TRUE(PumpUntil(500, [&] { return CContainer::GetScanningParent() == pRoot; }));

    // Inside the menu's own loop, twice: the hot key went when the menu opened, and a key
    // posted then stays untaken by the ticks that pass.
    std::vector<std::string> seen;
    static std::function<void()> s_inMenu;
    s_inMenu = [&] {
        seen.push_back(std::string(m_bInMenuLoop ? "in loop" : "no loop") + ", key " +
                       std::to_string(CContainer::GetHotKey()));
        if (seen.size() == 1)
            CContainer::SetHotKeyHit(VK_RIGHT);
        else
            ::EndMenu();
    };
    CContainer::SetHotKeyHit(VK_RIGHT);
    UINT_PTR nTimer = ::SetTimer(NULL, 0, 350, [](HWND, UINT, UINT_PTR, DWORD) {
        if (s_inMenu != nullptr)
            s_inMenu();
    });
    m_pFrame->SendMessage(WM_SYSCOMMAND, SC_KEYMENU, 'f');
    ::KillTimer(NULL, nTimer);
    s_inMenu = nullptr;
    EXPECT_EQ((std::vector<std::string>{ "in loop, key 0", "in loop, key 39" }), seen);
    EXPECT_EQ(nullptr, CContainer::GetScanningFocus()) << "no step while the menu was open";
    EXPECT_FALSE(m_bInMenuLoop);
    EXPECT_EQ(0, CContainer::GetHotKey()) << "closing the menu drops the key too";

    CContainer::SetHotKeyHit(VK_RIGHT);
    EXPECT_TRUE(PumpUntil(500, [&] { return CContainer::GetScanningFocus() != NULL; })) << "the clock goes on";
    CContainer::StopScan();
}

// The frame passes menu commands to the menu bar's items, not a control's notification
// of the same number, and enables a pop-up's items as they ask when it opens.
TEST_F(MainFrame, RoutesTheMenuBar)
{
    ASSERT_NE(nullptr, m_pFrame);
    class CHandler : public CMenuItemHandler
    {
    public:
        void Register()
        {
            CMenuItemState state("Run");
            AddMenuItem("Frame Menu", state, &CHandler::OnRun, &CHandler::CanRun);
        }
        void OnRun(const CMenuItemState&) { ++m_nRuns; }
        int CanRun(CMenuItemState&) { return m_bCanRun; }
        int m_nRuns = 0;
        BOOL m_bCanRun = FALSE;
    } handler;
    HMENU hDefault = ::GetMenu(m_pFrame->m_hWnd);
    handler.Register();
    HMENU hBar = ::GetMenu(m_pFrame->m_hWnd);
    ASSERT_EQ(CMenuBar::GetMenuBar().m_menu.m_hMenu, hBar) << "the bar is on the main window";
    int nPos = ::GetMenuItemCount(hBar) - 1;
    HMENU hPopup = ::GetSubMenu(hBar, nPos);
    UINT nID = ::GetMenuItemID(hPopup, 0);

    m_pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)hPopup, MAKELPARAM(nPos, FALSE));
    EXPECT_EQ((UINT)MF_GRAYED, ::GetMenuState(hPopup, nID, MF_BYCOMMAND) & MF_GRAYED);
    handler.m_bCanRun = TRUE;
    m_pFrame->SendMessage(WM_INITMENUPOPUP, (WPARAM)hPopup, MAKELPARAM(nPos, FALSE));
    EXPECT_EQ(0u, ::GetMenuState(hPopup, nID, MF_BYCOMMAND) & MF_GRAYED);

    m_pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0);
    EXPECT_EQ(1, handler.m_nRuns);
    m_pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), (LPARAM)m_pFrame->m_hWndMDIClient);
    EXPECT_EQ(1, handler.m_nRuns);
    ::SetMenu(m_pFrame->m_hWnd, hDefault);
}
