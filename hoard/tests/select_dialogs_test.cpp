// The selection dialogs and the titled file dialog, open and answered as a user would.
#include "dialogs_support.h"

#include "hoard/dialogs/DialogSelectType.h"
#include "hoard/dialogs/SelectSingleDlg.h"
#include "hoard/dialogs/TitledFileDialog.h"
#include "hoard/res/resource.h"
#include "hoard/sound/Wav.h"

namespace {

// The items of a list box, with their data.
std::vector<std::pair<std::string, void*>> ListItems(CListBox& list)
{
    std::vector<std::pair<std::string, void*>> items;
    for (int i = 0; i < list.GetCount(); i++)
    {
        CString str;
        list.GetText(i, str);
        items.emplace_back((LPCSTR)str, list.GetItemDataPtr(i));
    }
    return items;
}

class SelectDialogs : public ::testing::Test
{
protected:
    void SetUp() override { MapGadgetNames(); }

    CDialogsApp m_app;
};

TEST_F(SelectDialogs, SelectTypeListsOnlyTypesWithCommands)
{
    CDialogSelectType dlg;
    std::vector<std::pair<std::string, void*>> items;
    int nSelected = -2;
    std::string strTitle;
    CDialogDriver driver;
    driver.Then("open", Active(dlg))
        .Then("read", Do([&] {
            items = ListItems(dlg.m_list);
            nSelected = dlg.m_list.GetCurSel();
            strTitle = WindowText(dlg.m_hWnd);
        }))
        .Then("choose Gadget", Do([&] { dlg.m_list.SetCurSel(dlg.m_list.FindStringExact(-1, "Gadget")); }))
        .Then("OK", Do([&] { Click(dlg.GetDlgItem(IDOK)->m_hWnd); }));
    driver.Start();
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ("Select Resource Type", strTitle);
    // The sound type and the gadget have commands; the tests' plain type has none.
    const std::vector<std::pair<std::string, void*>> expected = {
        { "CWav", CResourceClass::GetResourceClass("CWav") },
        { "Gadget", CResourceClass::GetResourceClass("CGadget") },
    };
    EXPECT_EQ(expected, items);
    EXPECT_EQ(0, nSelected) << "the first item starts selected";
    EXPECT_EQ("CGadget", std::string(dlg.m_strType)) << "the type name, not the display name";
}

TEST_F(SelectDialogs, SelectTypeGivesTheFirstTypeOrNothingOnCancel)
{
    for (int nButton : { IDOK, IDCANCEL })
    {
        CDialogSelectType dlg;
        CDialogDriver driver;
        driver.Then("open", Active(dlg)).Then("button", Do([&] { Click(dlg.GetDlgItem(nButton)->m_hWnd); }));
        driver.Start();
        EXPECT_EQ(nButton, dlg.DoModal());
        EXPECT_TRUE(driver.Done());
        EXPECT_EQ(nButton == IDOK ? "CWav" : "", std::string(dlg.m_strType));
    }
}

TEST_F(SelectDialogs, SelectSingleGivesTheChosenResource)
{
    CHoard hoard;
    for (const char* psz : { "Cog", "Anvil", "Bell" })
        hoard.NewResource("CGadget", psz);
    hoard.NewResource("CTestResource", "Other");
    CResource* pBell = hoard.GetResource("CGadget", "Bell");
    CResource* pCog = hoard.GetResource("CGadget", "Cog");

    const struct
    {
        CResource* pPreset;
        const char* pszChoose;  // null: leave the selection as it is
        const char* pszTitle;
        int nShownSelected;
        CResource* pResult;
    } cases[] = {
        { NULL, "Cog", "Select One", -1, pCog },
        { NULL, NULL, "Select One", -1, NULL },
        { pBell, NULL, "Select One Gadget", 1, pBell },
        { pBell, "Cog", "Select One Gadget", 1, pCog },
    };
    for (const auto& c : cases)
    {
        CSelectSingleDlg dlg(hoard, "CGadget");
        dlg.m_pSelected = c.pPreset;
        std::vector<std::pair<std::string, void*>> items;
        std::string strTitle;
        int nShownSelected = -2;
        CDialogDriver driver;
        driver.Then("open", Active(dlg))
            .Then("read and choose", Do([&] {
                items = ListItems(dlg.m_list);
                strTitle = WindowText(dlg.m_hWnd);
                nShownSelected = dlg.m_list.GetCurSel();
                if (c.pszChoose != NULL)
                    dlg.m_list.SetCurSel(dlg.m_list.FindStringExact(-1, c.pszChoose));
            }))
            .Then("Done", Press(VK_RETURN));
        driver.Start();
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_TRUE(driver.Done());
        const std::vector<std::pair<std::string, void*>> expected = {
            { "Anvil", hoard.GetResource("CGadget", "Anvil") }, { "Bell", pBell }, { "Cog", pCog } };
        EXPECT_EQ(expected, items) << "sorted, each carrying its resource";
        EXPECT_EQ(c.pszTitle, strTitle);
        EXPECT_EQ(c.nShownSelected, nShownSelected) << "the preset is shown selected";
        EXPECT_EQ(c.pResult, dlg.m_pSelected);
    }
}

TEST_F(SelectDialogs, TitledFileDialogShowsItsTitle)
{
    CTitledFileDialog dlg(TRUE, "Choose a Sound", "wav", NULL, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST,
                          "Sounds (*.wav)|*.wav||");
    EXPECT_TRUE(dlg.IsKindOf(RUNTIME_CLASS(CFileDialog)));
    EXPECT_STREQ("CTitledFileDialog", dlg.GetRuntimeClass()->m_lpszClassName);
    CDialogDriver driver;
    AnswerFileDialog(driver, "Choose a Sound", "");
    driver.Start();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(driver.Done()) << "a file dialog titled \"Choose a Sound\" opened";
}

} // namespace
