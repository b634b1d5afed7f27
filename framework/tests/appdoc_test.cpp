// The application's documents: Save As and Open through the common dialogs, a file
// opened once only, the question for every modified document when the program ends,
// the choice among several templates, and the document string's fields.
#include "dialog_driver.h"
#include "mdi_program.h"

TEST(FileCommands, SaveWithoutAPathAsksForOneInTheSaveAsDialog)
{
    CNoteProgram program;
    program.Command(ID_FILE_NEW);
    CNoteDoc* pDoc = program.ActiveDoc();
    ASSERT_NE(nullptr, pDoc);
    pDoc->m_strText = "milk";
    pDoc->SetModifiedFlag();
    CString strPath = program.m_folder.Path("kept.nte");

    CDialogDriver driver;
    std::string strOffered, strFilter;
    AnswerFileDialog(driver, "Save As", strPath, [&](HWND hDlg) {
        strOffered = WindowText(GetFocus());
        // The file-type box: the template's filter, then all files.
        HWND hWndTypes = GetDlgItem(hDlg, cmb1);
        char sz[64] = "";
        SendMessageA(hWndTypes, CB_GETLBTEXT, 0, (LPARAM)sz);
        strFilter = sz;
    });
    driver.Start();
    program.Command(ID_FILE_SAVE);
    driver.Stop();
    EXPECT_TRUE(driver.Done());

    EXPECT_EQ("Note1.nte", strOffered) << "the title with the template's extension";
    EXPECT_EQ("Note Files (*.nte)", strFilter);
    EXPECT_STREQ("milk", CNoteProgram::ReadNote(strPath));
    EXPECT_EQ(0, pDoc->GetPathName().CompareNoCase(strPath));
    EXPECT_STREQ("kept.nte", pDoc->GetTitle());
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ("kept.nte", TextOf(program.m_pMain->MDIGetActive()));

    // Now that it has a file, Save writes it without asking.
    pDoc->m_strText = "eggs";
    pDoc->SetModifiedFlag();
    program.Command(ID_FILE_SAVE);
    EXPECT_STREQ("eggs", CNoteProgram::ReadNote(strPath));
    EXPECT_TRUE(program.m_app.m_boxes.empty());

    // A cancelled Save As changes nothing.
    CDialogDriver cancel;
    AnswerFileDialog(cancel, "Save As", "");
    cancel.Start();
    program.Command(ID_FILE_SAVE_AS);
    cancel.Stop();
    EXPECT_TRUE(cancel.Done());
    EXPECT_EQ(0, pDoc->GetPathName().CompareNoCase(strPath));
}

TEST(FileCommands, AFailedSaveAsRemovesOnlyTheFileItMade)
{
    CNoteProgram program;
    CString strOld = program.WriteNote("old.nte", "precious");
    CString strNew = program.m_folder.Path("new.nte");
    program.Command(ID_FILE_NEW);
    CNoteDoc* pDoc = program.ActiveDoc();
    ASSERT_NE(nullptr, pDoc);

    // Over a file that was there, the dialog asks first; the document refuses to save
    // and leaves the file as it was: it stays.
    pDoc->m_bRefuseSave = TRUE;
    CDialogDriver driver;
    AnswerFileDialog(driver, "Save As", strOld);
    driver.Then("replace?", [] {
        HWND hWndBox = FindMessageBox();
        if (hWndBox == NULL || GetForegroundWindow() != hWndBox)
            return false;
        PressKey('Y');
        return true;
    });
    driver.Start();
    EXPECT_FALSE(pDoc->DoSave(NULL));
    driver.Stop();
    EXPECT_TRUE(driver.Done());
    EXPECT_STREQ("precious", CNoteProgram::ReadNote(strOld));
    EXPECT_TRUE(pDoc->GetPathName().IsEmpty());
    EXPECT_EQ((std::vector<std::string>{ "Failed to save document." }), program.m_app.m_boxes);

    // A new file that the failed save left half written goes again.
    pDoc->m_bRefuseSave = FALSE;
    pDoc->m_bFailWrite = TRUE;
    CDialogDriver second;
    AnswerFileDialog(second, "Save As", strNew);
    second.Start();
    EXPECT_FALSE(pDoc->DoSave(NULL));
    second.Stop();
    EXPECT_TRUE(second.Done());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(strNew));
    EXPECT_TRUE(pDoc->GetPathName().IsEmpty());
    EXPECT_STREQ("Note1", pDoc->GetTitle());
}

TEST(FileCommands, OpenGoesThroughTheOpenDialogAndOpensAFileOnce)
{
    CNoteProgram program;
    CString strPath = program.WriteNote("list.nte", "bread");

    CDialogDriver driver;
    AnswerFileDialog(driver, "Open", strPath);
    driver.Start();
    program.Command(ID_FILE_OPEN);
    driver.Stop();
    EXPECT_TRUE(driver.Done());
    CNoteDoc* pDoc = program.ActiveDoc();
    ASSERT_NE(nullptr, pDoc);
    EXPECT_STREQ("bread", pDoc->m_strText);
    EXPECT_STREQ("list.nte", pDoc->GetTitle());

    // Another document comes to the front; opening the file again brings its
    // document back instead of a second one, also under another spelling.
    program.Command(ID_FILE_NEW);
    EXPECT_NE(pDoc, program.ActiveDoc());
    CString strUpper = strPath;
    strUpper.MakeUpper();
    CDocument* pAgain = program.m_app.OpenDocumentFile(strUpper);
    EXPECT_EQ(pDoc, pAgain);
    EXPECT_EQ(pDoc, program.ActiveDoc());
    EXPECT_EQ(2, CNoteDoc::s_nLive);

    // A file that is not there: the failure is told, nothing stays open.
    program.m_app.m_boxes.clear();
    EXPECT_EQ(nullptr, program.m_app.OpenDocumentFile(program.m_folder.Path("gone.nte")));
    EXPECT_EQ(2, CNoteDoc::s_nLive);
    ASSERT_EQ(1u, program.m_app.m_boxes.size());
    EXPECT_EQ(0u, program.m_app.m_boxes[0].find("Failed to open document."));
}

TEST(FileCommands, EndingTheProgramAsksForEveryModifiedDocument)
{
    const struct
    {
        const char* context;
        UINT nHow;              // WM_CLOSE, ID_APP_EXIT or WM_QUERYENDSESSION
        std::vector<int> answers;
        bool bEnds;
    } cases[] = {
        { "close: No, No", WM_CLOSE, { IDNO, IDNO }, true },
        { "close: No, Cancel", WM_CLOSE, { IDNO, IDCANCEL }, false },
        { "close: Cancel", WM_CLOSE, { IDCANCEL }, false },
        { "Exit: No, No", ID_APP_EXIT, { IDNO, IDNO }, true },
        { "Exit: Cancel", ID_APP_EXIT, { IDCANCEL }, false },
        { "end of session: No, No", WM_QUERYENDSESSION, { IDNO, IDNO }, true },
        { "end of session: No, Cancel", WM_QUERYENDSESSION, { IDNO, IDCANCEL }, false },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.context);
        CNoteProgram program;
        program.Command(ID_FILE_NEW);
        program.ActiveDoc()->SetModifiedFlag();
        program.Command(ID_FILE_NEW);
        program.Command(ID_FILE_NEW);
        program.ActiveDoc()->SetModifiedFlag();
        HWND hWndMain = program.m_pMain->m_hWnd;
        program.m_app.m_answers.assign(c.answers.begin(), c.answers.end());

        if (c.nHow == WM_CLOSE)
        {
            program.m_pMain->SendMessage(WM_CLOSE);
        }
        else if (c.nHow == ID_APP_EXIT)
        {
            program.Command(ID_APP_EXIT);
        }
        else
        {
            EXPECT_EQ(c.bEnds, program.m_pMain->SendMessage(WM_QUERYENDSESSION) != 0);
            if (c.bEnds)
                program.m_pMain->SendMessage(WM_ENDSESSION, TRUE);
        }
        // The modified ones only, in order; the unmodified one is not asked about.
        std::vector<std::string> expected = { "Save changes to Note1?", "Save changes to Note3?" };
        expected.resize(c.answers.size());
        EXPECT_EQ(expected, program.m_app.m_boxes);
        if (c.nHow == WM_QUERYENDSESSION)
        {
            EXPECT_EQ(c.bEnds ? 0 : 3, CNoteDoc::s_nLive) << "the session's end closes them";
            continue;
        }
        EXPECT_EQ(c.bEnds ? 0 : 3, CNoteDoc::s_nLive);
        EXPECT_EQ(!c.bEnds, IsWindow(hWndMain) != FALSE);
        EXPECT_EQ(c.bEnds, program.m_app.m_pMainWnd == NULL);
    }
}

TEST(FileCommands, NewAsksForTheTypeAmongSeveralTemplates)
{
    CNoteProgram program(TRUE);
    CDialogDriver driver;
    driver.Then("the choice", [] {
              HWND hDlg = FindThreadDialog("New");
              if (hDlg == NULL || GetForegroundWindow() != hDlg)
                  return false;
              HWND hWndList = GetDlgItem(hDlg, AFX_IDC_LISTBOX);
              if (SendMessage(hWndList, LB_GETCOUNT, 0, 0) != 2)
                  return false;
              SendMessage(hWndList, LB_SETCURSEL, 1, 0);
              return true;
          })
        .Then("OK", Press(VK_RETURN));
    driver.Start();
    program.Command(ID_FILE_NEW);
    driver.Stop();
    EXPECT_TRUE(driver.Done());
    CNoteDoc* pDoc = program.ActiveDoc();
    ASSERT_NE(nullptr, pDoc);
    EXPECT_EQ(program.m_pPlainTemplate, pDoc->GetDocTemplate());
    EXPECT_STREQ("Plain1", pDoc->GetTitle());

    // Cancel makes none.
    CDialogDriver cancel;
    cancel.Then("the choice", [] {
              HWND hDlg = FindThreadDialog("New");
              return hDlg != NULL && GetForegroundWindow() == hDlg;
          })
        .Then("Cancel", Press(VK_ESCAPE));
    cancel.Start();
    program.Command(ID_FILE_NEW);
    cancel.Stop();
    EXPECT_EQ(1, CNoteDoc::s_nLive);
}

TEST(DocTemplate, TheDocumentStringGivesItsFields)
{
    CNoteProgram program;
    const struct
    {
        CDocTemplate::DocStringIndex index;
        BOOL bFound;
        const char* pszText;
    } cases[] = {
        { CDocTemplate::windowTitle, TRUE, "" },
        { CDocTemplate::docName, TRUE, "Note" },
        { CDocTemplate::fileNewName, TRUE, "Note" },
        { CDocTemplate::filterName, TRUE, "Note Files (*.nte)" },
        { CDocTemplate::filterExt, TRUE, ".nte" },
        { CDocTemplate::regFileTypeId, TRUE, "Note.Document" },
        { CDocTemplate::regFileTypeName, TRUE, "Note Document" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.index);
        CString str = "left over";
        EXPECT_EQ(c.bFound, program.m_pNoteTemplate->GetDocString(str, c.index));
        EXPECT_STREQ(c.pszText, str);
    }
    // A string with fewer fields.
    CString str = "left over";
    program.m_pNoteTemplate->m_strDocStrings = "Title\nName";
    EXPECT_FALSE(program.m_pNoteTemplate->GetDocString(str, CDocTemplate::filterName));
    EXPECT_STREQ("", str);
    EXPECT_TRUE(program.m_pNoteTemplate->GetDocString(str, CDocTemplate::docName));
    EXPECT_STREQ("Name", str);
    // The same split with other separators; a NUL one gives the whole string only.
    EXPECT_TRUE(AfxExtractSubString(str, "a|b||d", 3, '|'));
    EXPECT_STREQ("d", str);
    EXPECT_TRUE(AfxExtractSubString(str, "a|b||d", 2, '|'));
    EXPECT_STREQ("", str);
    EXPECT_TRUE(AfxExtractSubString(str, "whole", 0, '\0'));
    EXPECT_STREQ("whole", str);
    EXPECT_FALSE(AfxExtractSubString(str, "whole", 1, '\0'));
    EXPECT_FALSE(AfxExtractSubString(str, NULL, 0));

    // Which files it takes, and how surely.
    CDocument* pMatch = (CDocument*)1;
    EXPECT_EQ(CDocTemplate::yesAttemptForeign, program.m_pNoteTemplate->MatchDocType("C:\\a\\b.nte", pMatch));
    EXPECT_EQ(nullptr, pMatch);
    program.m_pNoteTemplate->m_strDocStrings.Empty();
    program.m_pNoteTemplate->LoadTemplate();
    EXPECT_EQ(CDocTemplate::yesAttemptNative, program.m_pNoteTemplate->MatchDocType("C:\\a\\b.NTE", pMatch));
    EXPECT_EQ(CDocTemplate::yesAttemptForeign, program.m_pNoteTemplate->MatchDocType("C:\\a\\b.txt", pMatch));
    EXPECT_EQ(CDocTemplate::yesAttemptForeign, program.m_pNoteTemplate->MatchDocType("C:\\a.nte\\b", pMatch));
}
