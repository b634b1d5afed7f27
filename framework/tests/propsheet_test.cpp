// Property sheets: pages that exchange their data with their members through DDX when
// shown and left, a page that refuses to be left with data that does not validate, OK
// and Cancel of a modal sheet driven by keys and clicks, a modeless sheet's pages
// added, removed, changed (Apply) and asked (QuerySiblings), and a wizard.
#include <afxdlgs.h>
#include <afxcmn.h>
#include <gtest/gtest.h>

#include "commoncontrols_resource.h"
#include "dialog_driver.h"
#include "msg_log.h"

namespace {

const UINT nQueryName = 1;  // QuerySiblings: is this name taken by a page?

// A page that logs under its name what the sheet asks of it, and in a wizard shows the
// buttons it is given.
class CLoggedPage : public CPropertyPage
{
public:
    CLoggedPage(UINT nIDTemplate, UINT nIDCaption, CMsgLog& log, const char* pszName)
        : CPropertyPage(nIDTemplate, nIDCaption), m_log(log), m_strName(pszName) {}

    DWORD m_dwWizardButtons = 0;

protected:
    BOOL OnSetActive() override
    {
        Log("active");
        if (m_dwWizardButtons != 0)
            ((CPropertySheet*)GetParent())->SetWizardButtons(m_dwWizardButtons);
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        BOOL bValid = CPropertyPage::OnKillActive();
        Log(bValid ? "left" : "kept");
        return bValid;
    }
    BOOL OnApply() override
    {
        Log("applied");
        return CPropertyPage::OnApply();
    }
    void OnCancel() override
    {
        Log("cancelled");
        CPropertyPage::OnCancel();
    }
    BOOL OnWizardFinish() override
    {
        Log("finished");
        return CPropertyPage::OnWizardFinish();
    }

private:
    void Log(const char* pszWhat) { m_log.Add(m_strName + " " + pszWhat); }

    CMsgLog& m_log;
    std::string m_strName;
};

// A bird's name and whether it is rare; Next in a wizard wants a name; the page answers
// whether a name is its own.
class CBirdPage : public CLoggedPage
{
public:
    explicit CBirdPage(CMsgLog& log) : CLoggedPage(IDD_PAGE_BIRD, 0, log, "bird") {}

    CString m_strName = "Knot";
    int m_bRare = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_PAGE_BIRDNAME, m_strName);
        DDX_Check(pDX, IDC_PAGE_RARE, m_bRare);
    }
    LRESULT OnWizardNext() override
    {
        CString strName;
        GetDlgItemText(IDC_PAGE_BIRDNAME, strName);
        return strName.IsEmpty() ? -1 : 0;
    }
    afx_msg LRESULT OnQuerySiblings(WPARAM wParam, LPARAM lParam)
    {
        return wParam == nQueryName && m_strName == (LPCSTR)lParam;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBirdPage, CLoggedPage)
    ON_MESSAGE(PSM_QUERYSIBLINGS, OnQuerySiblings)
END_MESSAGE_MAP()

// How many were seen, 1 to 99; its tab named by a string of its own.
class CCountPage : public CLoggedPage
{
public:
    explicit CCountPage(CMsgLog& log) : CLoggedPage(IDD_PAGE_COUNT, IDS_PAGE_COUNT, log, "count") {}

    int m_nCount = 12;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_PAGE_COUNT, m_nCount);
        DDV_MinMaxInt(pDX, m_nCount, 1, 99);
    }
};

// The open sheet (a dialog with the sheet's tab control), in the foreground.
HWND OpenSheet()
{
    HWND hWnd = FindThreadDialog([](HWND h) { return GetDlgItem(h, AFX_IDC_TAB_CONTROL) != NULL; });
    return hWnd != NULL && GetForegroundWindow() == hWnd ? hWnd : NULL;
}

// Control nID of the open sheet's current page, or NULL.
HWND PageControl(int nID)
{
    HWND hWndPage = (HWND)SendMessage(OpenSheet(), PSM_GETCURRENTPAGEHWND, 0, 0);
    return hWndPage != NULL ? GetDlgItem(hWndPage, nID) : NULL;
}

// Whether the focus is in control nID of the open sheet's current page.
bool FocusIn(int nID) { return GetFocus() != NULL && GetFocus() == PageControl(nID); }

// A step that waits for control nID of the current page and gives it the focus.
std::function<bool()> FocusOn(int nID)
{
    return [nID] {
        HWND hWnd = PageControl(nID);
        if (hWnd == NULL || !IsWindowVisible(hWnd))
            return false;
        SetFocus(hWnd);
        return true;
    };
}

std::function<bool()> TypeInto(int nID, const char* psz)
{
    return [nID, psz] {
        if (!FocusIn(nID))
            return false;
        SendMessage(GetFocus(), EM_SETSEL, 0, -1);
        TypeText(psz);
        return true;
    };
}

// A step that waits until the focused control shows pszTyped, then acts.
std::function<bool()> AfterTyping(const char* pszTyped, std::function<void()> act)
{
    return [pszTyped, act] {
        if (WindowText(GetFocus()) != pszTyped)
            return false;
        act();
        return true;
    };
}

} // namespace

TEST(PropertySheets, ModalSheetExchangesThePagesDataAndRefusesBadData)
{
    CReleaseCheck check;
    CMsgLog log;
    CBirdPage bird(log);
    CCountPage count(log);
    CPropertySheet sheet(IDS_SHEET);
    sheet.AddPage(&bird);
    sheet.AddPage(&count);
    EXPECT_EQ(2, sheet.GetPageCount());
    EXPECT_EQ(&bird, sheet.GetActivePage()) << "the first page before the sheet opens";

    std::string strBox;
    CDialogDriver driver;
    driver
        .Then("sheet open on the bird's name, loaded from the member",
              [] {
                  return FocusIn(IDC_PAGE_BIRDNAME) && WindowText(GetFocus()) == "Knot"
                         && WindowText(OpenSheet()) == "Bird Options";
              })
        .Then("a new name", TypeInto(IDC_PAGE_BIRDNAME, "Avocet"))
        .Then("Ctrl+Tab to the count page", AfterTyping("Avocet", [] { PressCtrlKey(VK_TAB); }))
        .Then("the count page shows the member", [] { return WindowText(PageControl(IDC_PAGE_COUNT)) == "12"; })
        .Then("into the count", FocusOn(IDC_PAGE_COUNT))
        .Then("a count out of range", TypeInto(IDC_PAGE_COUNT, "250"))
        .Then("Enter for OK", AfterTyping("250", [] { PressKey(VK_RETURN); }))
        .Then("the range is told", DismissMessageBox(strBox))
        .Then("back in the count", TypeInto(IDC_PAGE_COUNT, "25"))
        .Then("OK clicked", AfterTyping("25", [] { Click(GetDlgItem(OpenSheet(), IDOK)); }));
    driver.Start();
    EXPECT_EQ(IDOK, sheet.DoModal());
    driver.Stop();
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(NULL, sheet.m_hWnd);
    EXPECT_NE(std::string::npos, strBox.find("99")) << strBox;

    EXPECT_EQ("Avocet", bird.m_strName);
    EXPECT_EQ(25, count.m_nCount);
    EXPECT_EQ(NULL, bird.m_hWnd) << "the pages went with the sheet";
    EXPECT_TRUE(log.Is({ "bird active", "bird left", "count active", "count kept", "count left", "bird applied",
                         "count applied" }));
}

TEST(PropertySheets, CancelLeavesTheMembersAndMissingTemplatesFail)
{
    CReleaseCheck check;
    CMsgLog log;
    CBirdPage bird(log);
    CCountPage count(log);
    CPropertySheet sheet("Bird Options", NULL, 1);
    sheet.AddPage(&bird);
    sheet.AddPage(&count);

    CDialogDriver driver;
    driver.Then("sheet open on the count", [] { return FocusIn(IDC_PAGE_COUNT); })
        .Then("a new count", TypeInto(IDC_PAGE_COUNT, "40"))
        .Then("Esc", AfterTyping("40", [] { PressKey(VK_ESCAPE); }));
    driver.Start();
    EXPECT_EQ(IDCANCEL, sheet.DoModal());
    driver.Stop();
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(12, count.m_nCount) << "nothing saved";
    EXPECT_EQ("Knot", bird.m_strName);
    EXPECT_TRUE(log.Is({ "count active", "count cancelled" })) << "only the pages that were made hear of it";

    // A page whose template is missing: the sheet does not open.
    CPropertyPage missing(999);
    CPropertySheet broken("Broken");
    broken.AddPage(&bird);
    broken.AddPage(&missing);
    EXPECT_EQ(-1, broken.DoModal());
    EXPECT_FALSE(broken.Create());
    EXPECT_EQ(NULL, broken.m_hWnd);
}

TEST(PropertySheets, ModelessSheetPagesApplyAndAnswerEachOther)
{
    CReleaseCheck check;
    CMsgLog log;
    CBirdPage bird(log);
    CCountPage count(log);
    CPropertySheet sheet(IDS_SHEET);
    sheet.AddPage(&bird);
    ASSERT_TRUE(sheet.Create());
    EXPECT_TRUE(sheet.IsWindowVisible());
    EXPECT_EQ("Bird Options", WindowText(sheet.m_hWnd));
    EXPECT_EQ(&bird, sheet.GetActivePage());
    EXPECT_EQ(0, sheet.GetActiveIndex());
    ASSERT_NE((HWND)NULL, bird.m_hWnd) << "the shown page is bound";
    EXPECT_EQ(sheet.m_hWnd, ::GetParent(bird.m_hWnd));

    // A page added to the open sheet gets a tab, named by its string.
    sheet.AddPage(&count);
    EXPECT_EQ(2, sheet.GetPageCount());
    CTabCtrl* pTabs = sheet.GetTabControl();
    ASSERT_NE(nullptr, pTabs);
    EXPECT_EQ(2, pTabs->GetItemCount());
    char szTab[32] = "";
    TC_ITEM item = {};
    item.mask = TCIF_TEXT;
    item.pszText = szTab;
    item.cchTextMax = sizeof szTab;
    pTabs->GetItem(1, &item);
    EXPECT_STREQ("Numbers", szTab);
    pTabs->GetItem(0, &item);
    EXPECT_STREQ("Bird", szTab) << "the template's caption";

    sheet.SetTitle("Gulls", PSH_PROPTITLE);
    EXPECT_NE(std::string::npos, WindowText(sheet.m_hWnd).find("Gulls")) << WindowText(sheet.m_hWnd);
    EXPECT_NE("Gulls", WindowText(sheet.m_hWnd)) << "properties for the text";
    sheet.SetTitle("Bird Options");
    EXPECT_EQ("Bird Options", WindowText(sheet.m_hWnd));

    EXPECT_TRUE(sheet.SetActivePage(&count));
    EXPECT_EQ(&count, sheet.GetActivePage());
    EXPECT_EQ(1, sheet.GetActiveIndex());
    EXPECT_FALSE(sheet.SetActivePage(5));
    EXPECT_TRUE(log.Is({ "bird active", "bird left", "count active" }));

    // Siblings answer through their maps.
    EXPECT_EQ(1, count.QuerySiblings(nQueryName, (LPARAM) "Knot"));
    EXPECT_EQ(0, count.QuerySiblings(nQueryName, (LPARAM) "Stint"));

    // A change enables Apply; Apply saves every page and leaves the sheet open.
    HWND hApply = ::GetDlgItem(sheet.m_hWnd, ID_APPLY_NOW);
    ASSERT_NE((HWND)NULL, hApply);
    EXPECT_FALSE(::IsWindowEnabled(hApply));
    count.SetDlgItemText(IDC_PAGE_COUNT, "30");
    count.SetModified();
    EXPECT_TRUE(::IsWindowEnabled(hApply));
    log.Clear();
    sheet.PressButton(PSBTN_APPLYNOW);
    PumpWaiting();
    EXPECT_EQ(30, count.m_nCount);
    EXPECT_TRUE(log.Is({ "count left", "bird applied", "count applied", "?count active" }));
    EXPECT_FALSE(::IsWindowEnabled(hApply)) << "the pages are unchanged again";
    EXPECT_EQ(&count, sheet.GetActivePage()) << "still open";

    // Removing the current page shows another.
    sheet.RemovePage(&count);
    EXPECT_EQ(1, sheet.GetPageCount());
    EXPECT_EQ(1, pTabs->GetItemCount());
    EXPECT_EQ(&bird, sheet.GetActivePage());
    EXPECT_EQ(NULL, count.m_hWnd);
    sheet.RemovePage(7);
    EXPECT_EQ(1, sheet.GetPageCount());

    // Cancel closes the pages; the program destroys the sheet.
    log.Clear();
    sheet.PressButton(PSBTN_CANCEL);
    EXPECT_EQ(NULL, sheet.GetActivePage());
    EXPECT_TRUE(log.Is({ "bird cancelled" }));
    sheet.DestroyWindow();
    EXPECT_EQ(NULL, bird.m_hWnd);
}

TEST(PropertySheets, WizardGoesOnOnlyWithANameAndFinishes)
{
    CReleaseCheck check;
    CMsgLog log;
    CBirdPage bird(log);
    bird.m_dwWizardButtons = PSWIZB_NEXT;
    bird.m_strName = "";
    CCountPage count(log);
    count.m_dwWizardButtons = PSWIZB_BACK | PSWIZB_FINISH;
    CPropertySheet sheet(IDS_SHEET);
    sheet.AddPage(&bird);
    sheet.AddPage(&count);
    sheet.SetWizardMode();

    auto nextButton = [] { return GetDlgItem(OpenSheet(), ID_WIZNEXT); };
    CDialogDriver driver;
    driver.Then("wizard open on the name", FocusOn(IDC_PAGE_BIRDNAME))
        .Then("Next without a name", [&] {
            if (nextButton() == NULL || !IsWindowEnabled(nextButton()))
                return false;
            Click(nextButton());
            return true;
        })
        .Then("clicked, and still on the name", [&] {
            return GetFocus() == nextButton() && PageControl(IDC_PAGE_BIRDNAME) != NULL && FocusOn(IDC_PAGE_BIRDNAME)();
        })
        .Then("a name", TypeInto(IDC_PAGE_BIRDNAME, "Dunlin"))
        .Then("Next", AfterTyping("Dunlin", [&] { Click(nextButton()); }))
        .Then("on the count, Finish says Done", [&] {
            if (!FocusOn(IDC_PAGE_COUNT)())
                return false;
            sheet.SetFinishText("Done");
            return WindowText(GetDlgItem(OpenSheet(), ID_WIZFINISH)) == "Done";
        })
        .Then("a count", TypeInto(IDC_PAGE_COUNT, "33"))
        .Then("Finish", AfterTyping("33", [] { Click(GetDlgItem(OpenSheet(), ID_WIZFINISH)); }));
    driver.Start();
    EXPECT_EQ(ID_WIZFINISH, sheet.DoModal());
    driver.Stop();
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ("Dunlin", bird.m_strName);
    EXPECT_EQ(33, count.m_nCount) << "the last page's data saved by Finish";
    EXPECT_TRUE(log.Is({ "bird active", "bird left", "count active", "count finished" }));
}
