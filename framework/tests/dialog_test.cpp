// Dialogs: modal dialogs from the tests' own templates run by real input, their owner
// disabled meanwhile; OnInitDialog and data exchange in both directions; a failed
// validation keeping the dialog open; modeless dialogs and the dialog keys; centring on
// the owner; the template's dialog-init data; what ends a modal loop; commands passed
// on to the owner.
#include <afxwin.h>
#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "msg_log.h"
#include "test_resource.h"

namespace {

// The owner of the dialogs: a frame that counts the routed command.
class COwnerFrame : public CFrameWnd
{
public:
    int m_nRouted = 0;

protected:
    afx_msg void OnRouted() { m_nRouted++; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(COwnerFrame, CFrameWnd)
    ON_COMMAND(ID_TEST_ROUTED, OnRouted)
END_MESSAGE_MAP()

// A visible owner frame for the length of a test.
struct COwner
{
    COwner()
    {
        pFrame = new COwnerFrame;
        pFrame->Create(NULL, "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200));
        pFrame->SetForegroundWindow();
    }
    ~COwner()
    {
        if (IsWindow(hWnd()))
            pFrame->DestroyWindow();
    }
    HWND hWnd() const { return pFrame->m_hWnd; }

    COwnerFrame* pFrame;
};

// IDD_DATA with a member for each control.
class CDataDialog : public CDialog
{
public:
    explicit CDataDialog(CWnd* pParent = NULL) : CDialog(IDD_DATA, pParent) {}

    CString m_strName = "Wren";
    int m_nCount = 7;
    UINT m_nSize = 300;
    double m_dRatio = 0.25;
    int m_bLoud = 1;
    int m_nLevel = 1;
    CString m_strPick = "beta";
    CListBox m_list;
    int m_nMinCount = -10;
    int m_nMaxCount = 100;

    CMsgLog m_log;
    int m_nEndInInit = 0;       // OnInitDialog ends the dialog with this when not 0

protected:
    BOOL OnInitDialog() override
    {
        m_log.Add("OnInitDialog");
        // Items first, so that the exchange finds the one to select.
        for (const char* psz : { "gamma", "alpha", "beta" })
            SendDlgItemMessage(IDC_LIST, LB_ADDSTRING, 0, (LPARAM)psz);
        BOOL bFocus = CDialog::OnInitDialog();
        if (m_nEndInInit != 0)
            EndDialog(m_nEndInInit);
        return bFocus;
    }

    void DoDataExchange(CDataExchange* pDX) override
    {
        m_log.Add(pDX->m_bSaveAndValidate ? "save" : "load");
        DDX_Control(pDX, IDC_LIST, m_list);
        DDX_Text(pDX, IDC_NAME, m_strName);
        DDV_MaxChars(pDX, m_strName, 8);
        DDX_Text(pDX, IDC_COUNT, m_nCount);
        DDV_MinMaxInt(pDX, m_nCount, m_nMinCount, m_nMaxCount);
        DDX_Text(pDX, IDC_AMOUNT, m_nSize);
        DDX_Text(pDX, IDC_RATIO, m_dRatio);
        DDX_Check(pDX, IDC_LOUD, m_bLoud);
        DDX_Radio(pDX, IDC_LOW, m_nLevel);
        DDX_LBString(pDX, IDC_LIST, m_strPick);
    }

    afx_msg void OnNameChange() { m_log.Add("EN_CHANGE"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDataDialog, CDialog)
    ON_EN_CHANGE(IDC_NAME, OnNameChange)
END_MESSAGE_MAP()

std::string ItemText(HWND hDlg, int nID)
{
    return WindowText(GetDlgItem(hDlg, nID));
}

// The text of the selected item of a list box of the dialog.
std::string SelectedItem(HWND hDlg, int nID)
{
    CString str;
    CListBox* pList = (CListBox*)CWnd::FromHandle(GetDlgItem(hDlg, nID));
    pList->GetText(pList->GetCurSel(), str);
    return (LPCSTR)str;
}

// A step: the dialog is open and has the focus.
std::function<bool()> IsOpen(CDialog& dlg)
{
    return [&dlg] { return dlg.m_hWnd != NULL && IsWindowVisible(dlg.m_hWnd) && GetForegroundWindow() == dlg.m_hWnd; };
}

// Focus to the control, with an edit's text selected, so that typing replaces it.
void FocusItem(CDialog& dlg, int nID) { dlg.GotoDlgCtrl(dlg.GetDlgItem(nID)); }

} // namespace

TEST(Dialogs, ModalDialogLoadsItsControlsAndSavesWhatTheUserChanged)
{
    CReleaseCheck check;
    COwner owner;
    CDataDialog dlg(owner.pFrame);
    bool bOwnerDisabled = false;

    CDialogDriver driver;
    driver.Then("dialog open", IsOpen(dlg))
        .Then("controls loaded", [&] {
            HWND hDlg = dlg.m_hWnd;
            EXPECT_EQ("Data Exchange", WindowText(hDlg));
            EXPECT_EQ("Wren", ItemText(hDlg, IDC_NAME));
            EXPECT_EQ("7", ItemText(hDlg, IDC_COUNT));
            EXPECT_EQ("300", ItemText(hDlg, IDC_AMOUNT));
            EXPECT_EQ("0.25", ItemText(hDlg, IDC_RATIO));
            EXPECT_EQ(BST_CHECKED, IsDlgButtonChecked(hDlg, IDC_LOUD));
            EXPECT_EQ(IDC_MEDIUM, dlg.GetCheckedRadioButton(IDC_LOW, IDC_HIGH));
            EXPECT_EQ("beta", SelectedItem(hDlg, IDC_LIST));
            EXPECT_EQ(owner.hWnd(), ::GetWindow(hDlg, GW_OWNER));
            EXPECT_TRUE(dlg.m_list.m_hWnd != NULL) << "DDX_Control bound the list";
            bOwnerDisabled = !IsWindowEnabled(owner.hWnd());
            return true;
        })
        // Input is taken in its turn: each change is seen before the next begins.
        .Then("type a name", [&] {
            FocusItem(dlg, IDC_NAME);
            TypeText("Finch");
            return true;
        })
        .Then("name typed", [&] { return ItemText(dlg.m_hWnd, IDC_NAME) == "Finch"; })
        .Then("type a ratio", [&] {
            FocusItem(dlg, IDC_RATIO);
            TypeText("1.5");
            return true;
        })
        .Then("ratio typed", [&] { return ItemText(dlg.m_hWnd, IDC_RATIO) == "1.5"; })
        .Then("click the check box, a radio button and the first item", [&] {
            Click(dlg.GetDlgItem(IDC_LOUD)->m_hWnd);
            Click(dlg.GetDlgItem(IDC_HIGH)->m_hWnd);
            // The first item of the sorted list: "alpha".
            CRect rcItem;
            dlg.m_list.GetItemRect(0, &rcItem);
            dlg.m_list.ClientToScreen(&rcItem);
            ClickAt(rcItem.CenterPoint());
            return true;
        })
        .Then("clicks taken", [&] {
            return !IsDlgButtonChecked(dlg.m_hWnd, IDC_LOUD) && IsDlgButtonChecked(dlg.m_hWnd, IDC_HIGH)
                && dlg.m_list.GetCurSel() == 0;
        })
        .Then("Enter", Press(VK_RETURN));
    driver.Start();
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(driver.Done());

    EXPECT_TRUE(bOwnerDisabled) << "the owner is disabled while the dialog runs";
    EXPECT_TRUE(IsWindowEnabled(owner.hWnd()));
    EXPECT_EQ(owner.hWnd(), GetActiveWindow()) << "the owner is active again";
    EXPECT_EQ(NULL, dlg.m_hWnd);
    EXPECT_EQ(NULL, dlg.m_list.m_hWnd) << "the control object let go of its window";
    EXPECT_TRUE(dlg.m_log.Is({ "OnInitDialog", "load", "EN_CHANGE", "EN_CHANGE", "EN_CHANGE", "EN_CHANGE",
                               "EN_CHANGE", "save" }))
        << "the user's typing notifies";
    EXPECT_STREQ("Finch", dlg.m_strName);
    EXPECT_EQ(7, dlg.m_nCount);
    EXPECT_EQ(300u, dlg.m_nSize);
    EXPECT_EQ(1.5, dlg.m_dRatio);
    EXPECT_EQ(0, dlg.m_bLoud);
    EXPECT_EQ(2, dlg.m_nLevel) << "the static between the radio buttons is not counted";
    EXPECT_STREQ("alpha", dlg.m_strPick);
}

TEST(Dialogs, CancelLeavesTheMembersAsTheyWere)
{
    CReleaseCheck check;
    COwner owner;
    for (int nHow = 0; nHow < 3; nHow++)
    {
        SCOPED_TRACE(nHow);     // Esc, the Cancel button, the close box's WM_CLOSE
        CDataDialog dlg(owner.pFrame);
        CDialogDriver driver;
        driver.Then("dialog open", IsOpen(dlg)).Then("cancel", [&] {
            FocusItem(dlg, IDC_NAME);
            TypeText("Gone");
            if (nHow == 0)
                PressKey(VK_ESCAPE);
            else if (nHow == 1)
                Click(dlg.GetDlgItem(IDCANCEL)->m_hWnd);
            else
                dlg.PostMessage(WM_CLOSE);
            return true;
        });
        driver.Start();
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_TRUE(driver.Done());
        EXPECT_STREQ("Wren", dlg.m_strName);
        EXPECT_TRUE(dlg.m_log.Only("save").Is({}));
    }
}

TEST(Dialogs, FailedValidationKeepsTheDialogOpenOnTheControl)
{
    CReleaseCheck check;
    COwner owner;
    CDataDialog dlg(owner.pFrame);
    std::string strPrompt;
    DWORD dwSel = 0;
    bool bFocusOnCount = false;

    CDialogDriver driver;
    driver.Then("dialog open", IsOpen(dlg))
        .Then("out of range count, Enter", [&] {
            FocusItem(dlg, IDC_COUNT);
            TypeText("500");
            PressKey(VK_RETURN);
            return true;
        })
        .Then("message box", DismissMessageBox(strPrompt))
        .Then("back on the count", [&] {
            if (FindMessageBox() != NULL || GetForegroundWindow() != dlg.m_hWnd)
                return false;
            bFocusOnCount = GetFocus() == GetDlgItem(dlg.m_hWnd, IDC_COUNT);
            dwSel = (DWORD)SendDlgItemMessage(dlg.m_hWnd, IDC_COUNT, EM_GETSEL, 0, 0);
            TypeText("42");
            PressKey(VK_RETURN);
            return true;
        });
    driver.Start();
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ("Please enter an integer between -10 and 100.", strPrompt);
    EXPECT_TRUE(bFocusOnCount);
    EXPECT_EQ(MAKELONG(0, 3), (LONG)dwSel) << "the whole text selected";
    EXPECT_EQ(42, dlg.m_nCount);
    EXPECT_TRUE(dlg.m_log.Is({ "OnInitDialog", "load", "save", "save" }));
}

namespace {

// A modeless IDD_DATA for the exchange tests, over the owner.
struct CModelessData
{
    explicit CModelessData(COwner& owner)
    {
        EXPECT_TRUE(dlg.Create(IDD_DATA, owner.pFrame));
        dlg.ShowWindow(SW_SHOW);
    }
    ~CModelessData() { dlg.DestroyWindow(); }

    // The controls back to values that save without a complaint.
    void Reset()
    {
        dlg.SetDlgItemText(IDC_NAME, "Wren");
        dlg.SetDlgItemText(IDC_COUNT, "7");
        dlg.SetDlgItemText(IDC_AMOUNT, "300");
        dlg.SetDlgItemText(IDC_RATIO, "0.25");
    }

    // UpdateData(TRUE) with one control's text; the prompt shown, if any.
    BOOL Save(int nID, const char* pszText, std::string& strPrompt)
    {
        Reset();
        dlg.SetDlgItemText(nID, pszText);
        strPrompt.clear();
        CDialogDriver driver;
        driver.Then("prompt", DismissMessageBox(strPrompt));
        driver.Start();
        BOOL bSaved = dlg.UpdateData(TRUE);
        // A save that succeeds shows no box: the step is still waiting then.
        driver.Stop();
        return bSaved;
    }

    CDataDialog dlg;
};

} // namespace

TEST(Dialogs, TextExchangeAcceptsOneWholeNumberOfTheType)
{
    CReleaseCheck check;
    COwner owner;
    CModelessData data(owner);
    const struct
    {
        int nID;
        const char* pszText;
        const char* pszPrompt;   // NULL: saved
        double dExpected;
    } cases[] = {
        { IDC_COUNT, "12", NULL, 12 },
        { IDC_COUNT, "  -3 ", NULL, -3 },
        { IDC_COUNT, "+5", NULL, 5 },
        { IDC_COUNT, "12x", "Please enter an integer.", 0 },
        { IDC_COUNT, "", "Please enter an integer.", 0 },
        { IDC_COUNT, "-", "Please enter an integer.", 0 },
        { IDC_COUNT, "1 2", "Please enter an integer.", 0 },
        { IDC_COUNT, "99999999999", "Please enter an integer.", 0 },
        { IDC_COUNT, "99999999999999999999999", "Please enter an integer.", 0 },
        { IDC_COUNT, "-11", "Please enter an integer between -10 and 100.", 0 },
        { IDC_COUNT, "101", "Please enter an integer between -10 and 100.", 0 },
        { IDC_AMOUNT, "4294967295", NULL, 4294967295.0 },
        { IDC_AMOUNT, "-1", "Please enter a positive integer.", 0 },
        { IDC_AMOUNT, "4294967296", "Please enter a positive integer.", 0 },
        { IDC_RATIO, "1e3", NULL, 1000 },
        { IDC_RATIO, " -0.5\t", NULL, -0.5 },
        { IDC_RATIO, "abc", "Please enter a number.", 0 },
        { IDC_RATIO, "2,5", "Please enter a number.", 0 },
        { IDC_RATIO, "1e999", "Please enter a number.", 0 },
        { IDC_NAME, "Nightjar", NULL, 0 },
        { IDC_NAME, "Nightjars", "Please enter no more than 8 characters.", 0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(std::string("\"") + c.pszText + "\"");
        std::string strPrompt;
        BOOL bSaved = data.Save(c.nID, c.pszText, strPrompt);
        EXPECT_EQ(c.pszPrompt == NULL, !!bSaved);
        EXPECT_EQ(c.pszPrompt != NULL ? c.pszPrompt : "", strPrompt);
        if (c.pszPrompt != NULL)
        {
            EXPECT_EQ(GetDlgItem(data.dlg.m_hWnd, c.nID), GetFocus()) << "back on the control";
            continue;
        }
        if (c.nID == IDC_COUNT)
            EXPECT_EQ(c.dExpected, data.dlg.m_nCount);
        else if (c.nID == IDC_AMOUNT)
            EXPECT_EQ(c.dExpected, data.dlg.m_nSize);
        else if (c.nID == IDC_RATIO)
            EXPECT_EQ(c.dExpected, data.dlg.m_dRatio);
        else
            EXPECT_STREQ(c.pszText, data.dlg.m_strName);
    }
}

TEST(Dialogs, LoadingShowsValuesAsTextAndSendsNoNotifications)
{
    CReleaseCheck check;
    COwner owner;
    CModelessData data(owner);
    CDataDialog& dlg = data.dlg;
    HWND hDlg = dlg.m_hWnd;

    // Out-of-range values are shown as they are when loading: no prompt, no failure.
    dlg.m_nCount = 1000;
    dlg.m_dRatio = 1.0 / 3;
    dlg.m_nSize = 4000000000u;
    dlg.m_strName = "Lapwing";
    dlg.m_bLoud = 5;
    dlg.m_nLevel = -1;
    dlg.m_strPick = "zeta";
    dlg.m_log.Clear();
    EXPECT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ("1000", ItemText(hDlg, IDC_COUNT));
    EXPECT_EQ("0.333333333333333", ItemText(hDlg, IDC_RATIO));
    EXPECT_EQ("4000000000", ItemText(hDlg, IDC_AMOUNT));
    EXPECT_EQ("Lapwing", ItemText(hDlg, IDC_NAME));
    EXPECT_EQ(BST_UNCHECKED, IsDlgButtonChecked(hDlg, IDC_LOUD));
    EXPECT_EQ(0, dlg.m_bLoud) << "a check state out of range becomes unchecked";
    EXPECT_EQ(0, dlg.GetCheckedRadioButton(IDC_LOW, IDC_HIGH));
    EXPECT_EQ(LB_ERR, dlg.m_list.GetCurSel()) << "no item for the text: no selection";
    EXPECT_TRUE(dlg.m_log.Is({ "load" })) << "no EN_CHANGE reached the dialog";
    EXPECT_EQ(8, (int)SendDlgItemMessage(hDlg, IDC_NAME, EM_GETLIMITTEXT, 0, 0)) << "DDV_MaxChars limits the edit";

    // Saving what nothing selects or checks.
    dlg.m_nCount = 7;
    dlg.m_nSize = 300;
    EXPECT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(-1, dlg.m_nLevel);
    EXPECT_STREQ("", dlg.m_strPick);

    // The user's own changes do notify.
    dlg.m_log.Clear();
    dlg.SetDlgItemText(IDC_NAME, "Stint");
    EXPECT_TRUE(dlg.m_log.Is({ "EN_CHANGE" }));
}

namespace {

class CTabsDialog : public CDialog
{
public:
    int m_nOK = 0;

protected:
    void OnOK() override
    {
        m_nOK++;
        CDialog::OnOK();
    }
};

} // namespace

TEST(Dialogs, ModelessDialogTakesTheDialogKeysThroughTheMessageLoop)
{
    CReleaseCheck check;
    COwner owner;
    CTabsDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_TABS, owner.pFrame));
    EXPECT_EQ(owner.hWnd(), ::GetWindow(dlg.m_hWnd, GW_OWNER));
    EXPECT_TRUE(IsWindowEnabled(owner.hWnd())) << "a modeless dialog leaves its owner enabled";
    dlg.SetForegroundWindow();
    dlg.GotoDlgCtrl(dlg.GetDlgItem(IDC_FIRST));
    auto focusIs = [&](int nID) { return PumpFrameworkUntil([&] { return GetFocus() == ::GetDlgItem(dlg.m_hWnd, nID); }); };
    ASSERT_TRUE(focusIs(IDC_FIRST));

    const struct
    {
        WORD vk;
        bool bShift;
        int nFocus;
    } keys[] = {
        { VK_TAB, false, IDC_SECOND },
        { VK_TAB, false, IDC_THIRD },
        { VK_TAB, false, IDOK },
        { VK_TAB, false, IDC_FIRST },
        { VK_TAB, true, IDOK },
        { VK_TAB, true, IDC_THIRD },
    };
    for (const auto& k : keys)
    {
        PressKey(k.vk, k.bShift);
        EXPECT_TRUE(focusIs(k.nFocus)) << "after " << (k.bShift ? "Shift+" : "") << "Tab to " << k.nFocus;
    }

    // The operations that move the focus.
    dlg.NextDlgCtrl();
    EXPECT_TRUE(focusIs(IDOK));
    dlg.PrevDlgCtrl();
    EXPECT_TRUE(focusIs(IDC_THIRD));
    dlg.GotoDlgCtrl(dlg.GetDlgItem(IDC_SECOND));
    EXPECT_TRUE(focusIs(IDC_SECOND));

    EXPECT_EQ(MAKELONG(IDOK, DC_HASDEFID), (LONG)dlg.GetDefID());
    dlg.SetDefID(IDC_THIRD);
    EXPECT_EQ(MAKELONG(IDC_THIRD, DC_HASDEFID), (LONG)dlg.GetDefID());
    dlg.SetDefID(IDOK);

    // Enter presses the default button; a modeless dialog is hidden by EndDialog.
    PressKey(VK_RETURN);
    EXPECT_TRUE(PumpFrameworkUntil([&] { return dlg.m_nOK == 1; }));
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_TRUE(IsWindow(dlg.m_hWnd)) << "until its owner destroys it";

    CRect rect(0, 0, 4, 8);
    dlg.MapDialogRect(&rect);
    EXPECT_GT(rect.Width(), 0);
    EXPECT_GT(rect.Height(), rect.Width()) << "a dialog unit is taller than it is wide";
    dlg.DestroyWindow();
    EXPECT_EQ(NULL, dlg.m_hWnd);
}

namespace {

// IDD_NOTES, moved by OnInitDialog to m_pptMoveTo when it is set.
class CPlacedDialog : public CDialog
{
public:
    explicit CPlacedDialog(CWnd* pParent) : CDialog(IDD_NOTES, pParent) {}

    const POINT* m_pptMoveTo = NULL;

protected:
    BOOL OnInitDialog() override
    {
        BOOL bFocus = CDialog::OnInitDialog();
        if (m_pptMoveTo != NULL)
            SetWindowPos(NULL, m_pptMoveTo->x, m_pptMoveTo->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return bFocus;
    }
};

} // namespace

TEST(Dialogs, AModalDialogNotPlacedByOnInitDialogIsCentredOnItsOwner)
{
    CReleaseCheck check;
    COwner owner;
    owner.pFrame->MoveWindow(100, 60, 420, 320);
    CRect rectOwner;
    owner.pFrame->GetWindowRect(&rectOwner);
    const POINT ptPlaced = { 30, 40 };
    const struct
    {
        const char* pszWhat;
        bool bModal;
        const POINT* pptMoveTo;
    } cases[] = {
        { "modal", true, NULL },
        { "modal, placed by OnInitDialog", true, &ptPlaced },
        { "modeless, beside an owner that stays enabled", false, NULL },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        CPlacedDialog dlg(owner.pFrame);
        dlg.m_pptMoveTo = c.pptMoveTo;
        CRect rect;
        if (c.bModal)
        {
            CDialogDriver driver;
            driver.Then("dialog open", IsOpen(dlg)).Then("where it is", [&] {
                dlg.GetWindowRect(&rect);
                PressKey(VK_ESCAPE);
                return true;
            });
            driver.Start();
            EXPECT_EQ(IDCANCEL, dlg.DoModal());
            EXPECT_TRUE(driver.Done());
        }
        else
        {
            ASSERT_TRUE(dlg.Create(IDD_NOTES, owner.pFrame));
            dlg.GetWindowRect(&rect);
            dlg.DestroyWindow();
        }
        CPoint ptOffCentre = rect.CenterPoint() - rectOwner.CenterPoint();
        if (c.pptMoveTo != NULL)
        {
            EXPECT_EQ(CPoint(*c.pptMoveTo), rect.TopLeft());
        }
        else if (c.bModal)
        {
            EXPECT_LE(abs(ptOffCentre.x), 1) << rect.left << "," << rect.top;
            EXPECT_LE(abs(ptOffCentre.y), 1) << rect.left << "," << rect.top;
        }
        else
        {
            EXPECT_GT(abs(ptOffCentre.x) + abs(ptOffCentre.y), 20) << "left where the template put it";
        }
    }
}

namespace {

// IDD_PICKS with a member for the combo box's choice.
class CPicksDialog : public CDialog
{
public:
    CPicksDialog(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}

    CString m_strColour = "Green";

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_CBString(pDX, IDC_COLOUR, m_strColour); }
};

std::vector<std::string> ListItems(HWND hWndList, UINT nCountMsg, UINT nLenMsg, UINT nTextMsg)
{
    std::vector<std::string> items;
    int nCount = (int)SendMessageA(hWndList, nCountMsg, 0, 0);
    for (int i = 0; i < nCount; i++)
    {
        std::string str(SendMessageA(hWndList, nLenMsg, i, 0), '?');
        SendMessageA(hWndList, nTextMsg, i, (LPARAM)str.data());
        items.push_back(str);
    }
    return items;
}

} // namespace

TEST(Dialogs, TheTemplatesInitDataFillsTheListsBeforeTheExchange)
{
    CReleaseCheck check;
    COwner owner;
    CPicksDialog dlg(IDD_PICKS, owner.pFrame);
    ASSERT_TRUE(dlg.Create(IDD_PICKS, owner.pFrame));
    HWND hWndColour = GetDlgItem(dlg.m_hWnd, IDC_COLOUR);
    EXPECT_EQ((std::vector<std::string>{ "Red", "Green", "Blue" }),
              ListItems(hWndColour, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT));
    EXPECT_EQ((std::vector<std::string>{ "Circle", "Square" }),
              ListItems(GetDlgItem(dlg.m_hWnd, IDC_SHAPES), LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT));
    EXPECT_EQ(1, (int)SendMessageA(hWndColour, CB_GETCURSEL, 0, 0)) << "the member's choice is selected";
    dlg.DestroyWindow();

    // Data that runs past its end: the dialog does not open (a driver without steps
    // closes one that did, as a failure).
    CPicksDialog bad(IDD_BADINIT, owner.pFrame);
    CDialogDriver driver(2000);
    driver.Start();
    EXPECT_EQ(-1, bad.DoModal());
    EXPECT_EQ(NULL, bad.m_hWnd);
    EXPECT_TRUE(IsWindowEnabled(owner.hWnd()));
}

namespace {

// Ends a modal loop that nothing else would end: WM_QUIT after 15 s, well after a
// dialog driver gives up on its steps.
class CLoopGuard
{
public:
    CLoopGuard() : m_nTimer(SetTimer(NULL, 0, 15000, OnTimer)) { s_bFired = false; }
    ~CLoopGuard()
    {
        KillTimer(NULL, m_nTimer);
        MSG msg;
        if (s_bFired)
            PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    CLoopGuard(const CLoopGuard&) = delete;
    CLoopGuard& operator=(const CLoopGuard&) = delete;

    bool Fired() const { return s_bFired; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD)
    {
        s_bFired = true;
        PostQuitMessage(0);
    }

    UINT_PTR m_nTimer;
    static inline bool s_bFired = false;
};

// IDD_NOTES, whose PreTranslateMessage throws on WM_USER + 1.
class CThrowingDialog : public CDialog
{
public:
    explicit CThrowingDialog(CWnd* pParent) : CDialog(IDD_NOTES, pParent) {}

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_USER + 1)
            AfxThrowResourceException();
        return CDialog::PreTranslateMessage(pMsg);
    }
};

} // namespace

TEST(Dialogs, WhatEndsAModalDialog)
{
    CReleaseCheck check;
    COwner owner;

    // A template that is not there.
    CDialog missing(9999, owner.pFrame);
    EXPECT_EQ(-1, missing.DoModal());
    EXPECT_FALSE(missing.Create(9999, owner.pFrame));
    EXPECT_TRUE(IsWindowEnabled(owner.hWnd()));

    // EndDialog in OnInitDialog: no loop, the result as given.
    CDataDialog ending(owner.pFrame);
    ending.m_nEndInInit = 17;
    EXPECT_EQ(17, ending.DoModal());
    EXPECT_EQ(NULL, ending.m_hWnd);
    EXPECT_TRUE(IsWindowEnabled(owner.hWnd()));

    // WM_QUIT ends the loop with -1 and stays for the outer loop, with its exit code.
    CDataDialog quitting(owner.pFrame);
    CDialogDriver driver;
    driver.Then("dialog open", IsOpen(quitting)).Then("quit", [] {
        PostQuitMessage(3);
        return true;
    });
    driver.Start();
    EXPECT_EQ(-1, quitting.DoModal());
    EXPECT_TRUE(driver.Done());
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(3u, msg.wParam);
    EXPECT_TRUE(IsWindowEnabled(owner.hWnd()));

    // A framework exception out of the loop: -1, the exception deleted, nothing left.
    CThrowingDialog throwing(owner.pFrame);
    CDialogDriver driverThrow;
    driverThrow.Then("dialog open", IsOpen(throwing)).Then("a message it throws on", [&] {
        throwing.PostMessage(WM_USER + 1);
        return true;
    });
    driverThrow.Start();
    EXPECT_EQ(-1, throwing.DoModal());
    EXPECT_TRUE(driverThrow.Done());
    EXPECT_EQ(NULL, throwing.m_hWnd);
    EXPECT_TRUE(IsWindowEnabled(owner.hWnd()));

    // A dialog whose window goes without EndDialog, destroyed by a handler or with the
    // popup that owns it: -1, and every window it disabled enabled again.
    for (bool bWithOwner : { false, true })
    {
        SCOPED_TRACE(bWithOwner ? "destroyed with its owner" : "destroyed by a handler");
        CWnd popup;
        ASSERT_TRUE(popup.CreateEx(0, NULL, "popup", WS_POPUP | WS_VISIBLE, 20, 20, 100, 80, owner.hWnd(), NULL));
        CDataDialog destroyed(bWithOwner ? &popup : owner.pFrame);
        CDialogDriver driverDestroy;
        driverDestroy.Then("dialog open", IsOpen(destroyed)).Then("destroy", [&] {
            if (bWithOwner)
                popup.DestroyWindow();
            else
                destroyed.DestroyWindow();
            return true;
        });
        driverDestroy.Start();
        CLoopGuard guard;
        EXPECT_EQ(-1, destroyed.DoModal());
        EXPECT_FALSE(guard.Fired()) << "the loop went on without its window";
        EXPECT_TRUE(driverDestroy.Done());
        EXPECT_EQ(NULL, destroyed.m_hWnd);
        EXPECT_TRUE(IsWindowEnabled(owner.hWnd()));
        popup.DestroyWindow();
    }
}

TEST(Dialogs, CommandsGoOnToTheOwnerNotificationsDoNot)
{
    CReleaseCheck check;
    COwner owner;
    CDataDialog dlg(owner.pFrame);
    CDialogDriver driver;
    driver.Then("dialog open", IsOpen(dlg)).Then("commands", [&] {
        dlg.SendMessage(WM_COMMAND, ID_TEST_ROUTED, 0);
        // A notification other than a click from a control with that id stays in the
        // dialog (a click is the button's command).
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_ROUTED, EN_CHANGE), (LPARAM)dlg.GetDlgItem(IDC_NAME)->m_hWnd);
        dlg.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_ROUTED, BN_CLICKED), (LPARAM)dlg.GetDlgItem(IDC_LOUD)->m_hWnd);
        PressKey(VK_ESCAPE);
        return true;
    });
    driver.Start();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(2, owner.pFrame->m_nRouted);
}

TEST(Dialogs, EscapeInAMultiLineEditCancelsEnterStaysInIt)
{
    CReleaseCheck check;
    COwner owner;
    CDialog dlg(IDD_NOTES, owner.pFrame);
    std::string strBeforeEscape;
    CDialogDriver driver;
    driver.Then("dialog open", IsOpen(dlg))
        .Then("type two lines", [&] {
            FocusItem(dlg, IDC_NOTES);
            TypeText("ab");
            PressKey(VK_RETURN);
            TypeText("c");
            return true;
        })
        .Then("lines typed", [&] { return ItemText(dlg.m_hWnd, IDC_NOTES) == "ab\r\nc"; })
        .Then("Escape", Press(VK_ESCAPE));
    driver.Start();
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(driver.Done());
}
