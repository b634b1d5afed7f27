// Documents and views in a real MDI program: new documents and their titles, the
// route of a command from the view to the application, updates of the views, painting,
// the second window of a document, and closing: the question whether to save, and the
// document that goes with its last view.
#include "mdi_program.h"

TEST(DocView, NewDocumentsAreNumberedAndShownInTheirFrames)
{
    CNoteProgram program;
    ASSERT_NE(nullptr, program.m_pMain);
    program.Command(ID_FILE_NEW);
    CNoteDoc* pFirst = program.ActiveDoc();
    ASSERT_NE(nullptr, pFirst);
    program.Command(ID_FILE_NEW);
    CNoteDoc* pSecond = program.ActiveDoc();
    ASSERT_NE(nullptr, pSecond);
    ASSERT_NE(pFirst, pSecond);

    EXPECT_STREQ("Note1", pFirst->GetTitle());
    EXPECT_STREQ("Note2", pSecond->GetTitle());
    EXPECT_EQ(program.m_pNoteTemplate, pSecond->GetDocTemplate());
    EXPECT_TRUE(pSecond->GetPathName().IsEmpty());
    EXPECT_FALSE(pSecond->IsModified());

    // One view each, in a child frame of the main frame, initialised once and shown.
    POSITION pos = pSecond->GetFirstViewPosition();
    ASSERT_NE(nullptr, pos);
    CNoteView* pView = dynamic_cast<CNoteView*>(pSecond->GetNextView(pos));
    ASSERT_NE(nullptr, pView);
    EXPECT_EQ(nullptr, pos) << "one view";
    EXPECT_EQ(pSecond, pView->GetDocument());
    EXPECT_EQ(1, pView->m_nInitialUpdates);
    EXPECT_EQ(pView, program.ActiveView());
    CMDIChildWnd* pChild = program.m_pMain->MDIGetActive();
    ASSERT_NE(nullptr, pChild);
    EXPECT_EQ(pChild, pView->GetParentFrame());
    EXPECT_TRUE(pChild->IsWindowVisible());
    EXPECT_EQ(pChild->m_hWnd, ::GetParent(pView->m_hWnd));
    EXPECT_EQ(program.m_pMain, pChild->GetMDIFrame());

    // The view fills its frame.
    CRect rectChild, rectView;
    pChild->GetClientRect(&rectChild);
    pView->GetWindowRect(&rectView);
    EXPECT_EQ(rectChild.Size(), rectView.Size());

    // Titles: the child shows its document, the main frame the active one's.
    EXPECT_EQ("Note2", TextOf(pChild));
    EXPECT_EQ("Notes - Note2", TextOf(program.m_pMain));
    pSecond->SetTitle("Shopping");
    EXPECT_EQ("Shopping", TextOf(pChild));
    EXPECT_EQ("Notes - Shopping", TextOf(program.m_pMain));
    // A maximized child's document is shown by the MDI client, in brackets.
    pChild->MDIMaximize();
    EXPECT_EQ("Notes - [Shopping]", TextOf(program.m_pMain));
    pChild->MDIRestore();
    EXPECT_EQ("Notes - Shopping", TextOf(program.m_pMain));

    // A new document after the others were closed counts on.
    program.m_app.CloseAllDocuments(FALSE);
    EXPECT_EQ(0, CNoteDoc::s_nLive);
    EXPECT_EQ("Notes", TextOf(program.m_pMain));
    program.Command(ID_FILE_NEW);
    ASSERT_NE(nullptr, program.ActiveDoc());
    EXPECT_STREQ("Note3", program.ActiveDoc()->GetTitle());
}

TEST(DocView, CommandsGoFromTheViewToTheApplication)
{
    CNoteProgram program;
    program.Command(ID_FILE_NEW);
    ASSERT_NE(nullptr, program.ActiveView());

    const struct
    {
        UINT nID;
        std::initializer_list<const char*> route;
    } cases[] = {
        { ID_ROUTE_VIEW, { "view" } },
        { ID_ROUTE_DOC, { "view", "doc" } },
        { ID_ROUTE_CHILD, { "view", "doc", "child" } },
        { ID_ROUTE_MAIN, { "view", "doc", "child", "main" } },
        { ID_ROUTE_APP, { "view", "doc", "child", "main", "app" } },
        // Nobody takes it: each is asked once, the application last.
        { ID_ROUTE_NONE, { "view", "doc", "child", "main", "app" } },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.nID);
        program.m_log.Clear();
        program.Command(c.nID);
        CMsgLog route;
        for (const std::string& str : program.m_log.Entries())
        {
            if (str == "view" || str == "doc" || str == "child" || str == "main" || str == "app")
                route.Add(str);
        }
        EXPECT_TRUE(route.Is(c.route));
    }

    // Without a child, the main frame comes first.
    program.m_app.CloseAllDocuments(FALSE);
    program.m_log.Clear();
    program.Command(ID_ROUTE_APP);
    EXPECT_TRUE(program.m_log.Is({ "main", "app" }));
}

TEST(DocView, UpdatesReachTheOtherViewsOnly)
{
    CNoteProgram program;
    program.Command(ID_FILE_NEW);
    CNoteDoc* pDoc = program.ActiveDoc();
    ASSERT_NE(nullptr, pDoc);
    CNoteView* pFirst = program.ActiveView();
    program.Command(ID_WINDOW_NEW);
    CNoteView* pSecond = program.ActiveView();
    program.Command(ID_WINDOW_NEW);
    CNoteView* pThird = program.ActiveView();
    ASSERT_TRUE(pFirst != NULL && pSecond != NULL && pThird != NULL);
    ASSERT_TRUE(pFirst != pSecond && pSecond != pThird);
    EXPECT_EQ(pDoc, pThird->GetDocument());

    pFirst->m_nUpdates = pSecond->m_nUpdates = pThird->m_nUpdates = 0;
    pDoc->UpdateAllViews(pSecond);
    EXPECT_EQ(1, pFirst->m_nUpdates);
    EXPECT_EQ(0, pSecond->m_nUpdates) << "the sender is not told";
    EXPECT_EQ(1, pThird->m_nUpdates);

    // The first view's update closes the second view's frame: the walk goes on
    // without it.
    pFirst->m_pFrameToDestroyOnUpdate = pSecond->GetParentFrame();
    pThird->m_nUpdates = 0;
    pDoc->UpdateAllViews(NULL);
    EXPECT_EQ(1, pThird->m_nUpdates);
    int nViews = 0;
    for (POSITION pos = pDoc->GetFirstViewPosition(); pos != NULL; pDoc->GetNextView(pos))
        nViews++;
    EXPECT_EQ(2, nViews);
}

TEST(DocView, PaintPreparesTheContextThenDraws)
{
    CNoteProgram program;
    program.Command(ID_FILE_NEW);
    CNoteView* pView = program.ActiveView();
    ASSERT_NE(nullptr, pView);
    PumpWaiting();
    program.m_log.Clear();
    pView->Invalidate();
    pView->UpdateWindow();
    EXPECT_TRUE(program.m_log.Is({ "view Note1: OnPrepareDC", "view Note1: OnDraw" }));
    // What OnDraw drew is on the window.
    CClientDC dc(pView);
    EXPECT_EQ(RGB(0, 0, 255), dc.GetPixel(2, 2));
}

TEST(DocView, SeveralFramesOfADocumentAreNumbered)
{
    CNoteProgram program;
    program.Command(ID_FILE_NEW);
    CNoteDoc* pDoc = program.ActiveDoc();
    ASSERT_NE(nullptr, pDoc);
    CMDIChildWnd* pFirst = program.m_pMain->MDIGetActive();
    program.Command(ID_WINDOW_NEW);
    CMDIChildWnd* pSecond = program.m_pMain->MDIGetActive();
    ASSERT_NE(pFirst, pSecond);
    EXPECT_EQ("Note1:1", TextOf(pFirst));
    EXPECT_EQ("Note1:2", TextOf(pSecond));
    EXPECT_EQ(1, pFirst->m_nWindow);
    EXPECT_EQ(2, pSecond->m_nWindow);

    // Closing one of them asks nothing, modified or not: the other keeps the document.
    pDoc->SetModifiedFlag();
    pFirst->SendMessage(WM_CLOSE);
    EXPECT_TRUE(program.m_app.m_boxes.empty());
    EXPECT_EQ(1, CNoteDoc::s_nLive);
    EXPECT_EQ(pSecond, program.m_pMain->MDIGetActive());
    EXPECT_EQ("Note1", TextOf(pSecond));
    EXPECT_EQ(0, pSecond->m_nWindow);
    EXPECT_EQ("Notes - Note1", TextOf(program.m_pMain));
}

TEST(DocView, ClosingTheLastViewClosesAnAutoDeleteDocument)
{
    CNoteProgram program;
    program.Command(ID_FILE_NEW);
    CNoteDoc* pDoc = program.ActiveDoc();
    ASSERT_NE(nullptr, pDoc);
    program.m_log.Clear();
    // The frame goes without its document's say, as when a program destroys it.
    program.m_pMain->MDIGetActive()->DestroyWindow();
    EXPECT_EQ(0, CNoteDoc::s_nLive);
    EXPECT_TRUE(program.m_log.Only("~doc").Is({ "~doc Note1" }));
    EXPECT_EQ(program.m_pNoteTemplate->GetFirstDocPosition(), nullptr) << "the template forgot it";
    EXPECT_EQ("Notes", TextOf(program.m_pMain));

    // A document that is not auto-delete stays without views.
    program.Command(ID_FILE_NEW);
    pDoc = program.ActiveDoc();
    ASSERT_NE(nullptr, pDoc);
    pDoc->m_bAutoDelete = FALSE;
    program.m_pMain->MDIGetActive()->DestroyWindow();
    EXPECT_EQ(1, CNoteDoc::s_nLive);
    EXPECT_EQ(nullptr, pDoc->GetFirstViewPosition());
    delete pDoc;
    EXPECT_EQ(program.m_pNoteTemplate->GetFirstDocPosition(), nullptr);
}

TEST(DocView, ClosingAModifiedDocumentAsksToSave)
{
    const struct
    {
        const char* context;
        bool bByCommand;        // File Close, else the child's close box
        int nAnswer;
        bool bClosed;
        const char* pszOnDisk;
    } cases[] = {
        { "Close, Yes", true, IDYES, true, "changed" },
        { "Close, No", true, IDNO, true, "saved" },
        { "Close, Cancel", true, IDCANCEL, false, "saved" },
        { "close box, Yes", false, IDYES, true, "changed" },
        { "close box, No", false, IDNO, true, "saved" },
        { "close box, Cancel", false, IDCANCEL, false, "saved" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.context);
        CNoteProgram program;
        CString strPath = program.WriteNote("list.nte", "saved");
        CNoteDoc* pDoc = dynamic_cast<CNoteDoc*>(program.m_app.OpenDocumentFile(strPath));
        ASSERT_NE(nullptr, pDoc);
        EXPECT_STREQ("saved", pDoc->m_strText);
        EXPECT_STREQ("list.nte", pDoc->GetTitle());
        pDoc->m_strText = "changed";
        pDoc->SetModifiedFlag();

        program.m_app.m_answers.push_back(c.nAnswer);
        if (c.bByCommand)
            program.Command(ID_FILE_CLOSE);
        else
            program.m_pMain->MDIGetActive()->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
        ASSERT_EQ(1u, program.m_app.m_boxes.size());
        EXPECT_EQ("Save changes to list.nte?", program.m_app.m_boxes[0]);
        EXPECT_EQ(c.bClosed ? 0 : 1, CNoteDoc::s_nLive);
        EXPECT_STREQ(c.pszOnDisk, CNoteProgram::ReadNote(strPath));
    }

    // An unmodified document closes without a question.
    CNoteProgram program;
    program.Command(ID_FILE_NEW);
    program.Command(ID_FILE_CLOSE);
    EXPECT_TRUE(program.m_app.m_boxes.empty());
    EXPECT_EQ(0, CNoteDoc::s_nLive);
}
