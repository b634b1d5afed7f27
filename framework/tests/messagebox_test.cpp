// Message boxes with prompts of the resource chain: the program's own strings before
// the framework's, and prompts with arguments.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "msg_log.h"

TEST(MessageBoxes, PromptsComeFromTheProgramThenTheFramework)
{
    CReleaseCheck check;
    const struct
    {
        UINT nIDPrompt;
        const char* pszText;
    } prompts[] = {
        { AFX_IDP_PARSE_INT, "Please enter an integer." },              // the framework's alone
        { AFX_IDP_PARSE_RADIO_BUTTON, "Choose one of the buttons." },   // the program's replaces it
    };
    for (const auto& p : prompts)
    {
        SCOPED_TRACE(p.pszText);
        std::string strShown;
        CDialogDriver driver;
        driver.Then("message box", DismissMessageBox(strShown));
        driver.Start();
        EXPECT_EQ(IDOK, AfxMessageBox(p.nIDPrompt));
        EXPECT_TRUE(driver.Done());
        EXPECT_EQ(p.pszText, strShown);
    }

    CString str;
    AfxFormatString2(str, AFX_IDP_PARSE_INT_RANGE, "1", "9");
    EXPECT_STREQ("Please enter an integer between 1 and 9.", str);
    AfxFormatString1(str, AFX_IDP_PARSE_STRING_SIZE, "30");
    EXPECT_STREQ("Please enter no more than 30 characters.", str);
}

TEST(MessageBoxes, FormatStringsReplacesNumberedArguments)
{
    const char* args[] = { "one", "two", NULL };
    const struct
    {
        const char* pszFormat;
        int nString;
        const char* pszExpected;
    } cases[] = {
        { "%1 and %2", 2, "one and two" },
        { "%2, %1, %2", 2, "two, one, two" },
        { "%2 left out", 1, " left out" },
        { "%3 is null", 3, " is null" },
        { "100% and %0 stay, %%1", 1, "100% and %0 stay, %one" },
        { "ends in %", 2, "ends in %" },
        { "", 2, "" },
    };
    for (const auto& c : cases)
    {
        CString str = "old";
        AfxFormatStrings(str, c.pszFormat, args, c.nString);
        EXPECT_STREQ(c.pszExpected, str) << c.pszFormat;
    }
}
