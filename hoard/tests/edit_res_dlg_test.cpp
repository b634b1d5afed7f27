// The list editor and the name dialog, open as a user sees them: buttons, names,
// deleting, creating, the type's commands, the preview and pasting on show; and the
// renaming of a resource by the user.
#include "dialogs_support.h"

#include "hoard/dialogs/EditResDlg.h"
#include "hoard/dialogs/NameDlg.h"
#include "hoard/res/resource.h"
#include "hoard/resources/ResourceMessages.h"

namespace {

// An editor whose list can be set as a user would select in it.
class CEditor : public CEditResDlg
{
public:
    using CEditResDlg::CEditResDlg;

    void Select(std::initializer_list<const char*> names)
    {
        m_list.SetSel(-1, FALSE);
        for (const char* psz : names)
            m_list.SetSel(m_list.FindStringExact(-1, psz), TRUE);
        SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RESOURCE_LIST, LBN_SELCHANGE), (LPARAM)m_list.m_hWnd);
    }
    // The list's items, and the selected ones.
    std::vector<std::string> Items() const
    {
        std::vector<std::string> items;
        for (int i = 0; i < m_list.GetCount(); i++)
        {
            CString str;
            m_list.GetText(i, str);
            items.push_back((LPCSTR)str);
        }
        return items;
    }
    std::vector<std::string> Selected() const
    {
        std::vector<std::string> selected;
        for (int i = 0; i < m_list.GetCount(); i++)
        {
            CString str;
            m_list.GetText(i, str);
            if (m_list.GetSel(i) > 0)
                selected.push_back((LPCSTR)str);
        }
        return selected;
    }
    bool Enabled(int nID) { return GetDlgItem(nID)->IsWindowEnabled() != FALSE; }
    bool Visible(int nID) { return GetDlgItem(nID)->IsWindowVisible() != FALSE; }
    std::string Text(int nID) { return WindowText(GetDlgItem(nID)->m_hWnd); }
    // The modeless editor, shown.
    bool Open()
    {
        if (!Create(m_lpszTemplateName))
            return false;
        ShowWindow(SW_SHOW);
        return true;
    }
};

class EditResDlg : public ::testing::Test
{
protected:
    void SetUp() override
    {
        MapGadgetNames();
        CGadget::Reset();
        for (const char* psz : { "Anvil", "Bell", "Cog" })
            m_hoard.NewResource("CGadget", psz);
        m_hoard.SetModified(FALSE);
    }
    void TearDown() override { CGadget::Reset(); }

    static std::function<bool()> Active(CDialog& dlg)
    {
        return [&dlg] { return dlg.m_hWnd != NULL && IsWindowVisible(dlg.m_hWnd) && GetForegroundWindow() == dlg.m_hWnd; };
    }
    static std::function<bool()> Do(std::function<void()> action)
    {
        return [action] {
            action();
            return true;
        };
    }
    // Steps for the name dialog: it shows strShown; strName is typed over it and OK
    // clicked, or Cancel for an empty strName.
    static void AnswerName(CDialogDriver& driver, std::string& strShown, const char* pszName)
    {
        driver
            .Then("name dialog",
                  [&strShown] {
                      HWND hDlg = FindThreadDialog("Enter Name");
                      if (hDlg == NULL || GetForegroundWindow() != hDlg)
                          return false;
                      strShown = WindowText(GetDlgItem(hDlg, IDC_NAME));
                      return true;
                  })
            .Then("answer", [pszName] {
                HWND hDlg = FindThreadDialog("Enter Name");
                if (*pszName == '\0')
                {
                    Click(GetDlgItem(hDlg, IDCANCEL));
                    return true;
                }
                SetDlgItemTextA(hDlg, IDC_NAME, pszName);
                Click(GetDlgItem(hDlg, IDOK));
                return true;
            });
    }

    CDialogsApp m_app;
    CHoard m_hoard;
};

TEST_F(EditResDlg, ShowsTheFirstFourCommandsOfTheTypeOnButtons)
{
    CEditor dlg(m_hoard, "CGadget", FALSE, FALSE);
    ASSERT_TRUE(dlg.Open());
    EXPECT_EQ("New/Edit Gadget", WindowText(dlg.m_hWnd));
    EXPECT_EQ(6, dlg.m_nCommands);
    const char* labels[] = { "One", "Two", "Three", "Four" };
    for (int i = 0; i < 4; i++)
    {
        EXPECT_TRUE(dlg.Visible(IDC_COMMAND1 + i)) << "button " << i;
        EXPECT_EQ(labels[i], dlg.Text(IDC_COMMAND1 + i)) << "button " << i;
        EXPECT_EQ(i != 1, dlg.Enabled(IDC_COMMAND1 + i)) << "button " << i << " as CanDoCommand says";
    }
    EXPECT_EQ((std::vector<std::string>{ "Anvil", "Bell", "Cog" }), dlg.Items());
    EXPECT_TRUE(dlg.Selected().empty());
    EXPECT_FALSE(dlg.Visible(IDC_PREVIEW)) << "no preview pane without preview";
    dlg.DestroyWindow();

    // A type without a class shows no command buttons.
    CEditor unknown(m_hoard, "CUnknown", FALSE, FALSE);
    ASSERT_TRUE(unknown.Open());
    EXPECT_EQ(0, unknown.m_nCommands);
    for (int i = 0; i < 4; i++)
        EXPECT_FALSE(unknown.Visible(IDC_COMMAND1 + i)) << "button " << i;
    EXPECT_TRUE(unknown.Items().empty());
    unknown.DestroyWindow();
}

TEST_F(EditResDlg, DeleteAndRenameFollowTheSelection)
{
    CTestResourcePtr pInUse(m_hoard.GetResource("CGadget", "Bell"));
    CEditor dlg(m_hoard, "CGadget", FALSE, FALSE);
    ASSERT_TRUE(dlg.Open());
    const struct
    {
        std::initializer_list<const char*> selection;
        bool bDelete, bRename;
    } cases[] = {
        { {}, false, false },
        { { "Anvil" }, true, true },
        { { "Bell" }, false, true },
        { { "Anvil", "Cog" }, true, false },
        { { "Anvil", "Bell" }, false, false },
    };
    for (const auto& c : cases)
    {
        dlg.Select(c.selection);
        std::string strSelection;
        for (const char* psz : c.selection)
            strSelection += std::string(psz) + " ";
        EXPECT_EQ(c.bDelete, dlg.Enabled(IDC_DELETE)) << "selected: " << strSelection;
        EXPECT_EQ(c.bRename, dlg.Enabled(IDC_RENAME)) << "selected: " << strSelection;
    }
    dlg.DestroyWindow();
}

TEST_F(EditResDlg, NewWhoseOnNewRefusesLeavesTheModifiedFlagAsItWas)
{
    for (BOOL bModified : { FALSE, TRUE })
    {
        CEditor dlg(m_hoard, "CGadget", FALSE, FALSE);
        ASSERT_TRUE(dlg.Open());
        m_hoard.SetModified(bModified);
        CGadget::s_bRefuseNew = TRUE;
        EXPECT_EQ(nullptr, dlg.New("Drum"));
        EXPECT_EQ(bModified, m_hoard.IsModified());
        EXPECT_EQ(nullptr, m_hoard.GetResource("CGadget", "Drum"));
        EXPECT_EQ(3, dlg.m_list.GetCount());

        CGadget::s_bRefuseNew = FALSE;
        m_hoard.SetModified(FALSE);
        CResource* pBell2 = dlg.New("Bell");
        ASSERT_NE(nullptr, pBell2);
        EXPECT_STREQ("Bell2", pBell2->GetName()) << "the name is made unique";
        EXPECT_TRUE(m_hoard.IsModified());
        EXPECT_EQ(std::vector<std::string>{ "Bell2" }, dlg.Selected());
        EXPECT_EQ((std::vector<std::string>{ "new Drum", "new Bell2" }), CGadget::s_calls);
        m_hoard.DeleteResource(pBell2);
        CGadget::s_calls.clear();
        dlg.DestroyWindow();
    }
}

// The type's first command asks the editor for a new resource, as the sound type does.
TEST_F(EditResDlg, NewAsksForAUniqueNameAndRefusesATakenOne)
{
    m_hoard.NewResource("CGadget", NULL);
    std::vector<CResource*> made;
    std::vector<WORD> commands;
    CGadget::s_onCommand = [&](WORD nCommand, CResource*, CEditProxy& proxy) {
        commands.push_back(nCommand);
        made.push_back(proxy.New(NULL));
    };
    CEditor dlg(m_hoard, "CGadget", FALSE, FALSE);
    std::string strShown, strShown2, strShown3;
    CDialogDriver driver;
    driver.Then("open", Active(dlg)).Then("One", Do([&] { Click(dlg.GetDlgItem(IDC_COMMAND1)->m_hWnd); }));
    AnswerName(driver, strShown, "Drum");
    driver.Then("made", [&] { return made.size() == 1 && Active(dlg)(); })
        .Then("One again", Do([&] { Click(dlg.GetDlgItem(IDC_COMMAND1)->m_hWnd); }));
    AnswerName(driver, strShown2, "COG");
    driver.Then("refused", [&] { return made.size() == 2 && Active(dlg)(); })
        .Then("One again", Do([&] { Click(dlg.GetDlgItem(IDC_COMMAND1)->m_hWnd); }));
    AnswerName(driver, strShown3, "");
    std::vector<std::string> items, selected;
    driver.Then("cancelled", [&] { return made.size() == 3 && Active(dlg)(); })
        .Then("Done", Do([&] {
            items = dlg.Items();
            selected = dlg.Selected();
            dlg.EndDialog(IDOK);
        }));
    driver.Start();
    dlg.DoModal();
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ("Untitled2", strShown) << "the default name made unique";
    ASSERT_EQ(3u, made.size());
    ASSERT_NE(nullptr, made[0]);
    EXPECT_STREQ("Drum", made[0]->GetName());
    EXPECT_EQ(nullptr, made[1]) << "a taken name, in other letter case";
    EXPECT_EQ(nullptr, made[2]) << "cancelled";
    EXPECT_EQ((std::vector<WORD>{ 0, 0, 0 }), commands);
    EXPECT_EQ(std::vector<std::string>{ "There is already a Gadget named \"COG\"." }, m_app.m_boxes);
    EXPECT_EQ(UINT(MB_OK), m_app.m_boxTypes.at(0));
    EXPECT_EQ(std::vector<std::string>{ "new Drum" }, CGadget::s_calls);
    EXPECT_EQ((std::vector<std::string>{ "Anvil", "Bell", "Cog", "Drum", "Untitled" }), items);
    EXPECT_EQ(std::vector<std::string>{ "Drum" }, selected) << "the new resource stays selected";
}

} // namespace
