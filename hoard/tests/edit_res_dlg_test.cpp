// The list editor and the name dialog, open as a user sees them: buttons, names,
// deleting, creating, the type's commands, the preview and pasting on show; and the
// renaming of a resource by the user.
#include "dialogs_support.h"

#include "hoard/dialogs/EditResDlg.h"
#include "hoard/dialogs/EditResDlgProxy.h"
#include "hoard/dialogs/NameDlg.h"
#include "hoard/res/resource.h"
#include "hoard/resources/ResourceMessages.h"

namespace {

class EditResDlg : public CGadgetDialogTest
{
protected:
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
};

TEST_F(EditResDlg, ShowsTheFirstFourCommandsOfTheTypeOnButtons)
{
    CTestEditor dlg(m_hoard, "CGadget", FALSE, FALSE);
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
    CTestEditor unknown(m_hoard, "CUnknown", FALSE, FALSE);
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
    CTestEditor dlg(m_hoard, "CGadget", FALSE, FALSE);
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
        CTestEditor dlg(m_hoard, "CGadget", FALSE, FALSE);
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
    CTestEditor dlg(m_hoard, "CGadget", FALSE, FALSE);
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

TEST_F(EditResDlg, UpdateListSelectsTheFirstNameBeginningWithTheTypeName)
{
    CTestEditor dlg(m_hoard, "CGadget", FALSE, FALSE);
    ASSERT_TRUE(dlg.Open());
    CEditResDlgProxy proxy(&dlg);
    proxy.UpdateList();
    EXPECT_EQ(std::vector<std::string>{ "Anvil" }, dlg.Selected()) << "no name begins with the type name";
    EXPECT_TRUE(dlg.Enabled(IDC_RENAME)) << "the buttons follow the new selection";

    m_hoard.NewResource("CGadget", "CGadget7");
    m_hoard.NewResource("CGadget", "cgadget2");
    dlg.Select({ "Bell", "Cog" });
    proxy.UpdateList();
    EXPECT_EQ(std::vector<std::string>{ "cgadget2" }, dlg.Selected()) << "the first of the sorted names, any case";
    dlg.DestroyWindow();
}

TEST_F(EditResDlg, RenameAcceptsTheOwnNameAndRefusesAnothersInAnyCase)
{
    const struct
    {
        const char* pszEntered;
        const char* pszAfter;       // Bell's name afterwards
        const char* pszMessage;     // or null
    } cases[] = {
        { "Bell", "Bell", NULL },
        { "bELL", "bELL", NULL },
        { "Cog", "Bell", "There is already a Gadget named \"Cog\"." },
        { "ANVIL", "Bell", "There is already a Gadget named \"ANVIL\"." },
        { "Bugle", "Bugle", NULL },
        { "", "Bell", NULL },       // cancelled
    };
    CResource* pBell = m_hoard.GetResource("CGadget", "Bell");
    for (const auto& c : cases)
    {
        pBell->SetName("Bell");
        m_hoard.SetModified(FALSE);
        m_app.m_boxes.clear();
        CTestEditor dlg(m_hoard, "CGadget", FALSE, FALSE);
        std::string strShown;
        std::vector<std::string> selected;
        CDialogDriver driver;
        driver.Then("open", Active(dlg))
            .Then("select Bell", Do([&] { dlg.Select({ "Bell" }); }))
            .Then("Rename", Do([&] { Click(dlg.GetDlgItem(IDC_RENAME)->m_hWnd); }));
        AnswerName(driver, strShown, c.pszEntered);
        driver.Then("back", Active(dlg)).Then("Done", Do([&] {
            selected = dlg.Selected();
            dlg.EndDialog(IDOK);
        }));
        driver.Start();
        dlg.DoModal();
        EXPECT_TRUE(driver.Done()) << c.pszEntered;
        EXPECT_EQ("Bell", strShown) << "the name dialog shows the current name";
        EXPECT_STREQ(c.pszAfter, pBell->GetName()) << c.pszEntered;
        bool bRenamed = c.pszMessage == NULL && *c.pszEntered != '\0';
        EXPECT_EQ(bRenamed, m_hoard.IsModified() != FALSE) << c.pszEntered;
        EXPECT_EQ(std::vector<std::string>{ c.pszAfter }, selected) << c.pszEntered;
        std::vector<std::string> boxes;
        if (c.pszMessage != NULL)
            boxes.push_back(c.pszMessage);
        EXPECT_EQ(boxes, m_app.m_boxes) << c.pszEntered;
    }
}

// Deletes a second resource when the first is being deleted.
class CDeleteAlong : public CMessageReceiver
{
public:
    CDeleteAlong(CHoard& hoard, const char* pszFirst, const char* pszSecond)
        : m_hoard(hoard), m_strFirst(pszFirst), m_strSecond(pszSecond)
    {
    }
    void OnMessage(Message* pMsg) override
    {
        auto* p = dynamic_cast<MsgDeletingResource*>(pMsg);
        if (p == NULL || p->m_pResource->GetName() != m_strFirst)
            return;
        if (CResource* pSecond = m_hoard.GetResource("CGadget", m_strSecond))
            m_hoard.DeleteResource(pSecond);
    }

private:
    CHoard& m_hoard;
    CString m_strFirst, m_strSecond;
};

TEST_F(EditResDlg, DeleteAsksWithTheDisplayNameOrItsPlural)
{
    const struct
    {
        std::initializer_list<const char*> selection;
        int nAnswer;
        const char* pszQuestion;
        std::vector<std::string> left;
    } cases[] = {
        { { "Bell" }, IDNO, "Are you sure you want to delete this Gadget?", { "Anvil", "Bell", "Cog" } },
        { { "Bell" }, IDYES, "Are you sure you want to delete this Gadget?", { "Anvil", "Cog" } },
        { { "Anvil", "Cog" }, IDNO, "Are you sure you want to delete these Gadgets?", { "Anvil", "Bell", "Cog" } },
        { { "Anvil", "Cog" }, IDYES, "Are you sure you want to delete these Gadgets?", { "Bell" } },
    };
    for (const auto& c : cases)
    {
        CHoard hoard;
        for (const char* psz : { "Anvil", "Bell", "Cog" })
            hoard.NewResource("CGadget", psz);
        m_app.m_boxes.clear();
        m_app.m_boxTypes.clear();
        m_app.m_nAnswer = c.nAnswer;
        CTestEditor dlg(hoard, "CGadget", FALSE, FALSE);
        ASSERT_TRUE(dlg.Open());
        dlg.Select(c.selection);
        Click(dlg.GetDlgItem(IDC_DELETE)->m_hWnd);
        EXPECT_TRUE(PumpFrameworkUntil([&] { return !m_app.m_boxes.empty(); }));
        EXPECT_EQ(std::vector<std::string>{ c.pszQuestion }, m_app.m_boxes);
        EXPECT_EQ(std::vector<UINT>{ MB_YESNO | MB_DEFBUTTON2 }, m_app.m_boxTypes);
        EXPECT_EQ(c.left, dlg.Items()) << c.pszQuestion << " " << c.nAnswer;
        for (const std::string& str : c.left)
            EXPECT_NE(nullptr, hoard.GetResource("CGadget", str.c_str())) << str;
        EXPECT_EQ((int)c.left.size(), hoard.GetResourceList("CGadget")->GetCount());
        dlg.DestroyWindow();
    }
}

TEST_F(EditResDlg, DeleteSurvivesAReceiverThatDeletesAnotherSelectedResource)
{
    m_app.m_nAnswer = IDYES;
    CDeleteAlong along(m_hoard, "Anvil", "Cog");
    CTestEditor dlg(m_hoard, "CGadget", FALSE, FALSE);
    ASSERT_TRUE(dlg.Open());
    dlg.Select({ "Anvil", "Cog" });
    dlg.SendMessage(WM_COMMAND, ID_EDIT_CLEAR);
    EXPECT_EQ(std::vector<std::string>{ "Bell" }, dlg.Items());
    EXPECT_EQ(1, m_hoard.GetResourceList("CGadget")->GetCount());
    dlg.DestroyWindow();
}

TEST_F(EditResDlg, TheMenuFollowsTheSelectionAndTheClipboard)
{
    CTestEditor dlg(m_hoard, "CGadget", FALSE, FALSE);
    ASSERT_TRUE(dlg.Open());
    HMENU hMenu = GetMenu(dlg.m_hWnd);
    auto enabled = [hMenu](UINT nID) { return (GetMenuState(hMenu, nID, MF_BYCOMMAND) & MF_GRAYED) == 0; };
    const struct
    {
        std::initializer_list<const char*> selection;
        ClipboardResult clipboard;
        bool bSelected, bPaste;
    } cases[] = {
        { {}, clipNone, false, false },
        { { "Bell" }, clipNone, true, false },
        { { "Bell", "Cog" }, clipCanConvert, true, true },
        { {}, clipPreferred, false, true },
    };
    for (const auto& c : cases)
    {
        dlg.Select(c.selection);
        CGadget::s_clipboard = c.clipboard;
        dlg.SendMessage(WM_INITMENU, (WPARAM)hMenu);
        EXPECT_EQ(c.bSelected, enabled(ID_EDIT_COPY)) << c.selection.size() << " selected";
        EXPECT_EQ(c.bSelected, enabled(ID_EDIT_CUT)) << c.selection.size() << " selected";
        EXPECT_EQ(c.bSelected, enabled(ID_EDIT_CLEAR)) << c.selection.size() << " selected";
        EXPECT_EQ(c.bPaste, enabled(ID_EDIT_PASTE)) << "clipboard " << c.clipboard;
    }
    dlg.DestroyWindow();
}

TEST_F(EditResDlg, ThePreviewIsDrawnByTheOneSelectedResource)
{
    CTestEditor dlg(m_hoard, "CGadget", TRUE, FALSE);
    ASSERT_TRUE(dlg.Open());
    EXPECT_TRUE(dlg.Visible(IDC_PREVIEW));
    CRect rcGroup;
    dlg.GetDlgItem(IDC_PREVIEW)->GetWindowRect(&rcGroup);
    dlg.ScreenToClient(&rcGroup);
    CRect rcExpected(rcGroup.left + 4, rcGroup.top + 16, rcGroup.right - 4, rcGroup.bottom - 4);
    EXPECT_EQ(rcExpected, dlg.m_rcPreview);

    dlg.Select({ "Bell" });
    dlg.UpdateWindow();
    char szCall[128];
    snprintf(szCall, sizeof szCall, "preview Bell %ld,%ld,%ld,%ld", rcExpected.left, rcExpected.top,
             rcExpected.right, rcExpected.bottom);
    EXPECT_EQ(std::vector<std::string>{ szCall }, CGadget::s_calls);
    CClientDC dc(&dlg);
    EXPECT_EQ(CGadget::crPreview, dc.GetPixel(rcExpected.CenterPoint()));
    EXPECT_NE(CGadget::crPreview, dc.GetPixel(rcExpected.left - 1, rcExpected.top - 1)) << "only inside the pane";

    CGadget::s_calls.clear();
    dlg.Select({ "Bell", "Cog" });
    dlg.UpdateWindow();
    EXPECT_TRUE(CGadget::s_calls.empty()) << "no preview for two resources";
    EXPECT_NE(CGadget::crPreview, dc.GetPixel(rcExpected.CenterPoint())) << "the pane was erased";
    dlg.DestroyWindow();
}

TEST_F(EditResDlg, AnEditorOpenedForPastingPastesOnceWhenItAppears)
{
    CGadget::s_clipboard = clipCanConvert;
    CTestEditor dlg(m_hoard, "CGadget", FALSE, TRUE);
    std::vector<std::string> selected;
    CDialogDriver driver;
    driver.Then("open", Active(dlg))
        .Then("pasted", [&] { return !CGadget::s_calls.empty(); })
        .Then("repainted", Do([&] {
            dlg.Invalidate();
            dlg.UpdateWindow();
        }))
        .Then("Done", Do([&] {
            selected = dlg.Selected();
            dlg.EndDialog(IDOK);
        }));
    driver.Start();
    dlg.DoModal();
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ(std::vector<std::string>{ "paste Untitled" }, CGadget::s_calls);
    EXPECT_EQ(std::vector<std::string>{ "Untitled" }, selected);
}

TEST_F(EditResDlg, DoubleClickAndCommandsReachTheSelectedResource)
{
    std::vector<std::pair<WORD, CResource*>> commands;
    CGadget::s_onCommand = [&](WORD nCommand, CResource* pSelected, CEditProxy& proxy) {
        commands.emplace_back(nCommand, pSelected);
        if (nCommand == 3)
            proxy.New("Made");
    };
    CTestEditor dlg(m_hoard, "CGadget", FALSE, FALSE);
    ASSERT_TRUE(dlg.Open());
    dlg.Select({ "Cog" });
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RESOURCE_LIST, LBN_DBLCLK), (LPARAM)dlg.m_list.m_hWnd);
    EXPECT_EQ(std::vector<std::string>{ "double-click Cog" }, CGadget::s_calls);

    dlg.SendMessage(WM_COMMAND, IDC_COMMAND3);
    dlg.Select({ "Anvil", "Cog" });
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_RESOURCE_LIST, LBN_DBLCLK), (LPARAM)dlg.m_list.m_hWnd);
    dlg.SendMessage(WM_COMMAND, IDC_COMMAND4);
    CResource* pCog = m_hoard.GetResource("CGadget", "Cog");
    const std::vector<std::pair<WORD, CResource*>> expected = { { 2, pCog }, { 3, NULL } };
    EXPECT_EQ(expected, commands) << "the command's number and the single selection";
    EXPECT_EQ((std::vector<std::string>{ "double-click Cog", "new Made" }), CGadget::s_calls);
    EXPECT_EQ(std::vector<std::string>{ "Made" }, dlg.Selected()) << "the proxy's New selects the new resource";
    dlg.DestroyWindow();
}

TEST(NameDlg, StartsWithUntitledAndGivesTheNameEntered)
{
    CDialogsApp app;
    CNameDlg dlg;
    EXPECT_EQ("Untitled", std::string(dlg.m_strName));
    std::string strShown;
    CDialogDriver driver;
    driver.Then("open", [&] { return dlg.m_hWnd != NULL && GetForegroundWindow() == dlg.m_hWnd; })
        .Then("type", Do([&] {
            strShown = WindowText(dlg.GetDlgItem(IDC_NAME)->m_hWnd);
            SendMessage(GetFocus(), EM_SETSEL, 0, -1);
            TypeText("Gong");
        }))
        .Then("typed", [&] { return WindowText(dlg.GetDlgItem(IDC_NAME)->m_hWnd) == "Gong"; })
        .Then("Enter", Press(VK_RETURN));
    driver.Start();
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(driver.Done());
    EXPECT_EQ("Untitled", strShown);
    EXPECT_EQ("Gong", std::string(dlg.m_strName));
}

// CResource::OnRename: the name dialog shows the current name; a name another resource
// of the type has, also in other letter case, is refused, and so is a change of case.
TEST_F(EditResDlg, ResourceOnRenameRefusesTakenNamesIncludingItsOwnInOtherCase)
{
    CResource* pFoo = m_hoard.NewResource("CGadget", "foo");
    const struct
    {
        const char* pszEntered;
        BOOL bResult;
        const char* pszAfter;
        const char* pszMessage;
    } cases[] = {
        { "Foo", FALSE, "foo", "There is already a Gadget named \"Foo\"." },
        { "BELL", FALSE, "foo", "There is already a Gadget named \"BELL\"." },
        { "foo", FALSE, "foo", NULL },
        { "", FALSE, "foo", NULL },     // cancelled
        { "Fob", TRUE, "Fob", NULL },
    };
    for (const auto& c : cases)
    {
        m_app.m_boxes.clear();
        std::string strShown;
        CDialogDriver driver;
        AnswerName(driver, strShown, c.pszEntered);
        driver.Start();
        EXPECT_EQ(c.bResult, pFoo->OnRename()) << c.pszEntered;
        EXPECT_TRUE(driver.Done());
        EXPECT_EQ("foo", strShown);
        EXPECT_STREQ(c.pszAfter, pFoo->GetName()) << c.pszEntered;
        std::vector<std::string> boxes;
        if (c.pszMessage != NULL)
            boxes.push_back(c.pszMessage);
        EXPECT_EQ(boxes, m_app.m_boxes) << c.pszEntered;
    }
}

} // namespace
