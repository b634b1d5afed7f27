// A single-document program: the one document and its frame, which is the main window,
// are made once and reused by New and Open, after the question whether to save.
#include "mdi_program.h"

TEST(SingleDocument, NewAndOpenReuseTheDocumentAndItsFrame)
{
    CMsgLog log;
    g_pNoteLog = &log;
    {
        CNoteApp app;
        CScratchFolder folder;
        auto* pTemplate = NewSingleNoteTemplate();
        app.AddDocTemplate(pTemplate);
        app.m_nCmdShow = SW_SHOW;

        app.OnFileNew();
        CFrameWnd* pFrame = dynamic_cast<CFrameWnd*>(app.m_pMainWnd);
        ASSERT_NE(nullptr, pFrame) << "the first frame is the main window";
        CNoteDoc* pDoc = dynamic_cast<CNoteDoc*>(pFrame->GetActiveDocument());
        ASSERT_NE(nullptr, pDoc);
        EXPECT_STREQ("Untitled", pDoc->GetTitle());
        EXPECT_EQ("One Note - Untitled", TextOf(pFrame));
        EXPECT_TRUE(pFrame->IsWindowVisible());
        EXPECT_EQ(-1, app.m_nCmdShow) << "used once";

        // New again: the same objects, after the question for a modified document.
        pDoc->m_strText = "draft";
        pDoc->SetModifiedFlag();
        app.m_answers = { IDCANCEL };
        app.OnFileNew();
        EXPECT_STREQ("draft", pDoc->m_strText) << "cancelled";
        app.m_answers = { IDNO };
        app.OnFileNew();
        EXPECT_EQ(2u, app.m_boxes.size());
        EXPECT_EQ(pFrame, app.m_pMainWnd);
        EXPECT_EQ(pDoc, pFrame->GetActiveDocument());
        EXPECT_STREQ("", pDoc->m_strText);
        EXPECT_EQ(1, CNoteDoc::s_nLive);

        // Open into the same document.
        CString strPath = folder.Path("one.nte");
        WriteNoteFile(strPath, "opened");
        EXPECT_EQ(pDoc, app.OpenDocumentFile(strPath));
        EXPECT_STREQ("opened", pDoc->m_strText);
        EXPECT_EQ("One Note - one.nte", TextOf(pFrame));
        // A file that fails leaves the document as it was.
        app.m_boxes.clear();
        EXPECT_EQ(nullptr, app.OpenDocumentFile(folder.Path("none.nte")));
        EXPECT_EQ(1u, app.m_boxes.size());
        EXPECT_EQ(pDoc, pFrame->GetActiveDocument());
        EXPECT_STREQ("one.nte", pDoc->GetTitle());
        EXPECT_STREQ("opened", pDoc->m_strText);

        // Closing the main frame asks for the document, then takes it along.
        pDoc->SetModifiedFlag();
        app.m_boxes.clear();
        app.m_answers = { IDCANCEL };
        pFrame->SendMessage(WM_CLOSE);
        EXPECT_EQ(pFrame, app.m_pMainWnd);
        app.m_answers = { IDNO };
        pFrame->SendMessage(WM_CLOSE);
        EXPECT_EQ((std::vector<std::string>{ "Save changes to one.nte?", "Save changes to one.nte?" }), app.m_boxes);
        EXPECT_EQ(nullptr, app.m_pMainWnd);
        EXPECT_EQ(0, CNoteDoc::s_nLive);
        EXPECT_EQ(nullptr, pTemplate->GetFirstDocPosition());
        MSG msg;
        EXPECT_TRUE(PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE));
    }
    g_pNoteLog = NULL;
}
