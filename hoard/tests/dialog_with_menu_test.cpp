// The dialog with a menu: its keyboard hook in modal and modeless dialogs, with real
// keys sent by SendInput, and the state of its menu items.
#include "dialogs_support.h"

#include "hoard/dialogs/EditResDlg.h"
#include "hoard/res/resource.h"
#include "hoard/runtime/HoardModule.h"

#include <afxpriv.h>

namespace {

// A list editor that records the keys offered to TranslateAccel and the commands that
// reach it.
class CKeyRecordingDlg : public CTestEditor
{
public:
    using CTestEditor::CTestEditor;

    int TranslateAccel(UINT nVirtKey) override
    {
        m_keys.push_back(nVirtKey);
        return CTestEditor::TranslateAccel(nVirtKey);
    }
    // Commands of menus, accelerators and buttons; not the list's notifications.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) != IDC_RESOURCE_LIST)
            m_commands.push_back(LOWORD(wParam));
        return CTestEditor::OnCommand(wParam, lParam);
    }
    bool Reached(UINT nID) const { return std::find(m_commands.begin(), m_commands.end(), nID) != m_commands.end(); }

    static int HookCount() { return m_nHookCount; }
    static HHOOK Hook() { return m_hNextHook; }
    static CDialogWithMenu* ActiveDialog() { return m_pDialog; }

    std::vector<UINT> m_keys;
    std::vector<UINT> m_commands;
};

class DialogWithMenu : public CGadgetDialogTest
{
protected:
    void TearDown() override
    {
        EXPECT_EQ(0, CKeyRecordingDlg::HookCount()) << "a dialog outlived its test";
        EXPECT_EQ(nullptr, CKeyRecordingDlg::Hook()) << "the hook stays after the last dialog";
        CGadgetDialogTest::TearDown();
    }
};

TEST_F(DialogWithMenu, AcceleratorsReachTheEditCommandsOfAModalDialog)
{
    CGadget::s_clipboard = clipCanConvert;
    m_app.m_nAnswer = IDNO;
    CKeyRecordingDlg dlg(m_hoard, "CGadget", FALSE, FALSE);
    CDialogDriver driver;
    driver.Then("open", Active(dlg))
        .Then("select Bell", Do([&] { dlg.Select({ "Bell" }); }))
        .Then("Ctrl+C", Do([] { PressCtrlKey('C'); }))
        .Then("copied", [&] { return dlg.Reached(ID_EDIT_COPY); })
        .Then("Ctrl+V", Do([] { PressCtrlKey('V'); }))
        .Then("pasted", [&] { return dlg.Reached(ID_EDIT_PASTE); })
        .Then("select Cog", Do([&] { dlg.Select({ "Cog" }); }))
        .Then("Del", Press(VK_DELETE))
        .Then("deleting", [&] { return dlg.Reached(ID_EDIT_CLEAR); })
        .Then("Ctrl+X", Do([] { PressCtrlKey('X'); }))
        .Then("cut", [&] { return dlg.Reached(ID_EDIT_CUT); })
        .Then("Done", Do([&] { Click(dlg.GetDlgItem(IDOK)->m_hWnd); }));
    driver.Start();
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(driver.Done());

    const std::vector<UINT> commands = { ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR, ID_EDIT_CUT, IDOK };
    EXPECT_EQ(commands, dlg.m_commands);
    const std::vector<std::string> calls = { "copy Bell", "paste Untitled", "copy Cog" };
    EXPECT_EQ(calls, CGadget::s_calls);
    const std::vector<std::string> boxes = { "Are you sure you want to delete this Gadget?",
                                             "Are you sure you want to delete this Gadget?" };
    EXPECT_EQ(boxes, m_app.m_boxes) << "Del and Ctrl+X ask; No keeps the gadget";
    EXPECT_NE(nullptr, m_hoard.GetResource("CGadget", "Cog"));
    // One call for each key going down, none for a release.
    const std::vector<UINT> keys = { VK_CONTROL, 'C', VK_CONTROL, 'V', VK_DELETE, VK_CONTROL, 'X', VK_RETURN };
    const std::vector<UINT> keysWithoutDone(dlg.m_keys.begin(), dlg.m_keys.end());
    EXPECT_EQ(std::vector<UINT>(keys.begin(), keys.end() - 1), keysWithoutDone);
}

// The accelerator opens the menu as far as WM_INITMENU: the editor's OnInitMenu disables
// what the selection and the clipboard do not allow, and a disabled item's key sends
// nothing.
TEST_F(DialogWithMenu, AcceleratorsOfItemsThatOnInitMenuDisablesSendNothing)
{
    CKeyRecordingDlg dlg(m_hoard, "CGadget", FALSE, FALSE);
    CDialogDriver driver;
    driver.Then("open", Active(dlg))
        .Then("Ctrl+C, Ctrl+V, Del, Ctrl+X", Do([] {
            PressCtrlKey('C');
            PressCtrlKey('V');
            PressKey(VK_DELETE);
            PressCtrlKey('X');
        }))
        .Then("keys read", [&] { return dlg.m_keys.size() == 7; })
        .Then("select Bell", Do([&] { dlg.Select({ "Bell" }); }))
        .Then("Ctrl+C", Do([] { PressCtrlKey('C'); }))
        .Then("copied", [&] { return dlg.Reached(ID_EDIT_COPY); })
        .Then("Done", Do([&] { dlg.EndDialog(IDOK); }));
    driver.Start();
    dlg.DoModal();
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(std::vector<UINT>{ ID_EDIT_COPY }, dlg.m_commands);
    EXPECT_EQ(std::vector<std::string>{ "copy Bell" }, CGadget::s_calls);
    EXPECT_TRUE(m_app.m_boxes.empty());
}

TEST_F(DialogWithMenu, KeysThatAreNoAcceleratorGoOnToTheFocus)
{
    CKeyRecordingDlg dlg(m_hoard, "CGadget", FALSE, FALSE);
    CDialogDriver driver;
    driver.Then("open", Active(dlg))
        .Then("focus the list", Do([&] { dlg.m_list.SetFocus(); }))
        .Then("C", Press('C'))
        .Then("the list went to Cog", [&] { return dlg.m_list.GetCaretIndex() == 2; })
        .Then("Done", Do([&] { dlg.EndDialog(IDOK); }));
    driver.Start();
    dlg.DoModal();
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(std::vector<UINT>{ 'C' }, dlg.m_keys);
    EXPECT_TRUE(dlg.m_commands.empty());
}

TEST_F(DialogWithMenu, WhileAnotherDialogIsActiveEveryKeyPassesOn)
{
    CKeyRecordingDlg dlg(m_hoard, "CGadget", FALSE, FALSE);
    std::string strEdited;
    size_t nKeysBefore = 0;
    CDialogDriver driver;
    driver.Then("open", Active(dlg))
        .Then("select Bell", Do([&] { dlg.Select({ "Bell" }); }))
        .Then("Rename", Do([&] {
            nKeysBefore = dlg.m_keys.size();
            Click(dlg.GetDlgItem(IDC_RENAME)->m_hWnd);
        }))
        .Then("name dialog", [] {
            HWND hDlg = FindThreadDialog("Enter Name");
            return hDlg != NULL && GetForegroundWindow() == hDlg && GetFocus() == GetDlgItem(hDlg, IDC_NAME);
        })
        .Then("no editor is active", [] { return CKeyRecordingDlg::ActiveDialog() == NULL; })
        .Then("Home", Press(VK_HOME))
        .Then("Del", Press(VK_DELETE))
        .Then("Ctrl+X", Do([] { PressCtrlKey('X'); }))
        .Then("edited", [&] {
            strEdited = WindowText(GetDlgItem(FindThreadDialog("Enter Name"), IDC_NAME));
            return strEdited == "ell";
        })
        .Then("Esc", Press(VK_ESCAPE))
        .Then("editor again", Active(dlg))
        .Then("Done", Do([&] { dlg.EndDialog(IDOK); }));
    driver.Start();
    dlg.DoModal();
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ("ell", strEdited) << "Del went to the name field";
    EXPECT_EQ(nKeysBefore, dlg.m_keys.size()) << "no key of the name dialog reached the editor";
    EXPECT_EQ(std::vector<UINT>{ IDC_RENAME }, dlg.m_commands);
    EXPECT_TRUE(CGadget::s_calls.empty());
    EXPECT_NE(nullptr, m_hoard.GetResource("CGadget", "Bell"));
}

TEST_F(DialogWithMenu, TwoDialogsShareTheHookUntilTheSecondCloses)
{
    CHoard hoard2;
    hoard2.NewResource("CGadget", "Drum");
    CKeyRecordingDlg first(m_hoard, "CGadget", FALSE, FALSE);
    CKeyRecordingDlg second(hoard2, "CGadget", FALSE, FALSE);
    ASSERT_TRUE(first.Create(first.m_lpszTemplateName));
    ASSERT_TRUE(second.Create(second.m_lpszTemplateName));
    EXPECT_EQ(2, CKeyRecordingDlg::HookCount());
    HHOOK hHook = CKeyRecordingDlg::Hook();
    EXPECT_NE(nullptr, hHook);

    first.DestroyWindow();
    EXPECT_EQ(1, CKeyRecordingDlg::HookCount());
    EXPECT_EQ(hHook, CKeyRecordingDlg::Hook()) << "the second dialog keeps the hook";

    second.ShowWindow(SW_SHOW);
    second.SetForegroundWindow();
    EXPECT_TRUE(PumpFrameworkUntil([&] { return CKeyRecordingDlg::ActiveDialog() == &second; }));
    second.Select({ "Drum" });
    PressCtrlKey('C');
    EXPECT_TRUE(PumpFrameworkUntil([&] { return second.Reached(ID_EDIT_COPY); }));
    EXPECT_EQ(std::vector<std::string>{ "copy Drum" }, CGadget::s_calls);
    EXPECT_TRUE(first.m_keys.empty());

    second.DestroyWindow();
    EXPECT_EQ(0, CKeyRecordingDlg::HookCount());
    EXPECT_EQ(nullptr, CKeyRecordingDlg::Hook());
    EXPECT_EQ(nullptr, CKeyRecordingDlg::ActiveDialog());
}

TEST_F(DialogWithMenu, ADialogDestroyedOpenLeavesTheHook)
{
    {
        CKeyRecordingDlg dlg(m_hoard, "CGadget", FALSE, FALSE);
        ASSERT_TRUE(dlg.Open());
        dlg.SetForegroundWindow();
        EXPECT_TRUE(PumpFrameworkUntil([&] { return CKeyRecordingDlg::ActiveDialog() == &dlg; }));
        EXPECT_EQ(1, CKeyRecordingDlg::HookCount());
    }
    EXPECT_EQ(0, CKeyRecordingDlg::HookCount());
    EXPECT_EQ(nullptr, CKeyRecordingDlg::Hook());
    EXPECT_EQ(nullptr, CKeyRecordingDlg::ActiveDialog()) << "no key reaches the destroyed object";
}

// The state of each item of the Edit menu, by position.
std::vector<UINT> EditMenuStates(CWnd& dlg)
{
    HMENU hPopup = GetSubMenu(GetMenu(dlg.m_hWnd), 0);
    std::vector<UINT> states;
    for (int i = 0; i < GetMenuItemCount(hPopup); i++)
        states.push_back(GetMenuState(hPopup, i, MF_BYPOSITION));
    return states;
}

TEST_F(DialogWithMenu, SetCommandEnableChangesOnlyTheEnabledStateOfItsCommand)
{
    CKeyRecordingDlg dlg(m_hoard, "CGadget", FALSE, FALSE);
    ASSERT_TRUE(dlg.Create(dlg.m_lpszTemplateName));
    HMENU hMenu = GetMenu(dlg.m_hWnd);
    ASSERT_NE(nullptr, hMenu) << "the menu is on the dialog";
    EXPECT_EQ(1, GetMenuItemCount(hMenu));
    char szText[64] = "";
    GetMenuStringA(hMenu, 0, szText, sizeof szText, MF_BYPOSITION);
    EXPECT_STREQ("&Edit", szText);
    const UINT ids[] = { ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, ID_EDIT_CLEAR };
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(ids[i], GetMenuItemID(GetSubMenu(hMenu, 0), i)) << "item " << i;

    std::vector<UINT> before = EditMenuStates(dlg);
    dlg.SetCommandEnable(0x1234, FALSE);
    EXPECT_EQ(before, EditMenuStates(dlg)) << "a command the menu does not hold";

    CheckMenuItem(hMenu, ID_EDIT_COPY, MF_BYCOMMAND | MF_CHECKED);
    dlg.SetCommandEnable(ID_EDIT_COPY, FALSE);
    EXPECT_EQ(UINT(MF_GRAYED | MF_DISABLED | MF_CHECKED), GetMenuState(hMenu, ID_EDIT_COPY, MF_BYCOMMAND));
    dlg.SetCommandEnable(ID_EDIT_COPY, TRUE);
    EXPECT_EQ(UINT(MF_CHECKED), GetMenuState(hMenu, ID_EDIT_COPY, MF_BYCOMMAND));
    dlg.DestroyWindow();
}

// A dialog with the Edit menu whose update handler disables and checks Paste.
class CUpdatingDlg : public CDialogWithMenu
{
public:
    CUpdatingDlg() : CDialogWithMenu(IDD_EDIT_RESOURCES, NULL)
    {
        SetMenu(LoadMenu(HoardResourceHandle(), MAKEINTRESOURCE(IDR_EDIT_RESOURCES)),
                LoadAccelerators(HoardResourceHandle(), MAKEINTRESOURCE(IDR_EDIT_RESOURCES)));
    }
    afx_msg void OnUpdatePaste(CCmdUI* pCmdUI)
    {
        pCmdUI->Enable(FALSE);
        pCmdUI->SetCheck(1);
    }
    afx_msg void OnPaste() { m_nPastes++; }
    afx_msg void OnCopy() { m_nCopies++; }

    int m_nPastes = 0;
    int m_nCopies = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CUpdatingDlg, CDialogWithMenu)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdatePaste)
    ON_COMMAND(ID_EDIT_PASTE, OnPaste)
    ON_COMMAND(ID_EDIT_COPY, OnCopy)
END_MESSAGE_MAP()

TEST_F(DialogWithMenu, UpdateHandlersSetTheItemsOfAnOpeningPopup)
{
    CUpdatingDlg dlg;
    ASSERT_TRUE(dlg.Create(dlg.m_lpszTemplateName));
    HMENU hPopup = GetSubMenu(GetMenu(dlg.m_hWnd), 0);
    std::vector<UINT> before = EditMenuStates(dlg);
    dlg.SendMessage(WM_INITMENUPOPUP, (WPARAM)hPopup, MAKELPARAM(0, TRUE));
    EXPECT_EQ(before, EditMenuStates(dlg)) << "a system menu is left alone";

    dlg.SendMessage(WM_INITMENUPOPUP, (WPARAM)hPopup, MAKELPARAM(0, FALSE));
    EXPECT_EQ(UINT(MF_GRAYED | MF_DISABLED | MF_CHECKED), GetMenuState(hPopup, ID_EDIT_PASTE, MF_BYCOMMAND));
    EXPECT_EQ(0u, GetMenuState(hPopup, ID_EDIT_CUT, MF_BYCOMMAND)) << "an item without handler stays enabled";

    // An accelerator of a disabled item sends no command; one of an enabled item does.
    dlg.ShowWindow(SW_SHOW);
    dlg.SetForegroundWindow();
    EXPECT_TRUE(PumpFrameworkUntil([] { return CKeyRecordingDlg::ActiveDialog() != NULL; }));
    PressCtrlKey('V');
    PressCtrlKey('C');
    EXPECT_TRUE(PumpFrameworkUntil([&] { return dlg.m_nCopies == 1; }));
    EXPECT_EQ(0, dlg.m_nPastes);
    dlg.DestroyWindow();
}

// A dialog whose translation fails with an exception.
class CThrowingDlg : public CKeyRecordingDlg
{
public:
    using CKeyRecordingDlg::CKeyRecordingDlg;
    int TranslateAccel(UINT nVirtKey) override
    {
        CKeyRecordingDlg::TranslateAccel(nVirtKey);
        AfxThrowUserException();
    }
};

TEST_F(DialogWithMenu, AnExceptionWhileTranslatingStaysInTheHookAndTheKeyGoesOn)
{
    CThrowingDlg dlg(m_hoard, "CGadget", FALSE, FALSE);
    ASSERT_TRUE(dlg.Create(dlg.m_lpszTemplateName));
    dlg.ShowWindow(SW_SHOW);
    dlg.SetForegroundWindow();
    dlg.m_list.SetFocus();
    EXPECT_TRUE(PumpFrameworkUntil([] { return CKeyRecordingDlg::ActiveDialog() != NULL; }));
    PressKey('C');
    EXPECT_TRUE(PumpFrameworkUntil([&] { return dlg.m_list.GetCaretIndex() == 2; })) << "the list had the key";
    EXPECT_EQ(std::vector<UINT>{ 'C' }, dlg.m_keys);
    dlg.DestroyWindow();
}

} // namespace
