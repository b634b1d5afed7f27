// hoard.dll's registration with the framework and its own resources: the string
// table, and dialog templates found through the resource chain.
#include "hoard/runtime/HoardModule.h"
#include "hoard/res/resource.h"

#include "framework/tests/dialog_driver.h"

#include <gtest/gtest.h>

TEST(HoardModule, StringTableHoldsTheLibraryTexts)
{
    struct { UINT nID; const char* pszText; } cases[] = {
        { IDS_WAV_FILTER, "Sounds (*.wav)|*.wav||" },
        { IDS_WAV_IMPORT_FAILED,
          "Couldn't import sound.  This does not appear to be a valid sound file." },
        { IDS_PASTE_REPLACE,
          "This activity already contains one or more %1 with the same names as the %1 on "
          "the clipboard.  Would you like to replace the %1 in your activity with the ones "
          "from the clipboard?\n\nPress \"No\" to have the items pasted in and given unique "
          "names." },
        { IDS_DELETE_ONE, "Are you sure you want to delete this %s?" },
        { IDS_DELETE_MANY, "Are you sure you want to delete these %s?" },
        { IDS_NAME_TAKEN, "There is already a %s named \"%s\"." },
        { IDS_UNTITLED, "Untitled" },
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.pszText, (LPCSTR)HoardLoadString(c.nID)) << "string " << c.nID;
}

TEST(HoardModule, ResourceChainFindsHoardStrings)
{
    // The test executable has no string table, so the chain ends at hoard.dll.
    CString str;
    ASSERT_TRUE(str.LoadString(IDS_UNTITLED));
    EXPECT_STREQ("Untitled", (LPCSTR)str);
    EXPECT_EQ(HoardResourceHandle(),
              AfxFindResourceHandle(MAKEINTRESOURCEA(1), (LPCSTR)RT_STRING));
}

TEST(HoardModule, DialogTemplatesOpenFromCodeInAnyModule)
{
    // The test executable has no dialog templates: the chain finds hoard.dll's.
    CDialog dlg(IDD_SELECT_MULTIPLE);
    DWORD dwListStyle = 0;
    CDialogDriver driver;
    driver
        .Then("dialog open",
              [&] { return dlg.m_hWnd != NULL && IsWindowVisible(dlg.m_hWnd) && GetForegroundWindow() == dlg.m_hWnd; })
        .Then("Done", [&] {
            EXPECT_EQ("Select One Or More ", WindowText(dlg.m_hWnd));
            dwListStyle = (DWORD)::GetWindowLong(::GetDlgItem(dlg.m_hWnd, IDC_RESOURCE_LIST), GWL_STYLE);
            Click(::GetDlgItem(dlg.m_hWnd, IDOK));
            return true;
        });
    driver.Start();
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(driver.Done());
    EXPECT_NE(0u, dwListStyle & LBS_EXTENDEDSEL) << "a list for more than one choice";
    EXPECT_EQ(HoardResourceHandle(), AfxFindResourceHandle(MAKEINTRESOURCEA(IDD_SELECT_MULTIPLE), (LPCSTR)RT_DIALOG));
}
