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
