// Edit views in a single-document program: text typed with real keys marks the
// document modified, is saved to a file and loaded again through the document (as
// plain text and with its length before it), damaged and unsuitable files are refused
// with the text left as it was, and the Edit commands work and are enabled only when
// they would do something.
#include "test_support.h"
#include "view_program.h"

namespace {

// A text document: its view's text, plain (SerializeRaw) or with the length before it.
class CTextDoc : public CDocument
{
    DECLARE_DYNCREATE(CTextDoc)
public:
    BOOL m_bRaw = TRUE;

    CEditView* EditView() const
    {
        POSITION pos = GetFirstViewPosition();
        return dynamic_cast<CEditView*>(GetNextView(pos));
    }
    void Serialize(CArchive& ar) override
    {
        if (m_bRaw)
            EditView()->SerializeRaw(ar);
        else
            EditView()->Serialize(ar);
    }
};

IMPLEMENT_DYNCREATE(CTextDoc, CDocument)

std::string FileText(LPCSTR lpszPath)
{
    CFile file(lpszPath, CFile::modeRead);
    return Contents(file);
}

// Whether the command is enabled for the target, as a menu would ask.
class CStateProbe : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    BOOL m_bEnabled = FALSE;
};

BOOL Enabled(CCmdTarget* pTarget, UINT nID)
{
    CStateProbe probe;
    probe.m_nID = nID;
    EXPECT_TRUE(probe.DoUpdate(pTarget, FALSE)) << "a handler for " << nID;
    return probe.m_bEnabled;
}

std::string ClipboardText()
{
    std::string str;
    if (!OpenClipboard(NULL))
        return str;
    if (HANDLE hData = GetClipboardData(CF_TEXT))
    {
        str = (LPCSTR)GlobalLock(hData);
        GlobalUnlock(hData);
    }
    CloseClipboard();
    return str;
}

} // namespace

TEST(EditView, TypedTextIsSavedAndLoadedThroughTheDocument)
{
    CViewProgram program(RUNTIME_CLASS(CTextDoc), RUNTIME_CLASS(CEditView));
    auto* pView = dynamic_cast<CEditView*>(program.View());
    ASSERT_NE(nullptr, pView);
    auto* pDoc = dynamic_cast<CTextDoc*>(program.Doc());
    ASSERT_NE(nullptr, pDoc);
    CScratchFolder folder;

    // The view is the edit control.
    char szClass[16] = "";
    GetClassNameA(pView->m_hWnd, szClass, sizeof szClass);
    EXPECT_STRCASEEQ("Edit", szClass);
    EXPECT_EQ(pView->m_hWnd, pView->GetEditCtrl().m_hWnd);
    EXPECT_EQ(pView, CWnd::FromHandlePermanent(pView->m_hWnd)) << "the view is bound, not the CEdit";
    EXPECT_TRUE(pView->GetStyle() & ES_MULTILINE);

    pView->SetFocus();
    TypeText("Hello");
    PressKey(VK_RETURN);
    TypeText("world");
    ASSERT_TRUE(PumpFrameworkUntil([&] { return WindowText(*pView) == "Hello\r\nworld"; })) << WindowText(*pView);
    EXPECT_TRUE(pDoc->IsModified()) << "typing changes the document";
    EXPECT_EQ(12u, pView->GetBufferLength());
    LPCTSTR lpszBuffer = pView->LockBuffer();
    ASSERT_NE(nullptr, lpszBuffer);
    EXPECT_STREQ("Hello\r\nworld", lpszBuffer);
    pView->UnlockBuffer();
    pView->GetEditCtrl().SetSel(2, 7);
    CString strSelected;
    pView->GetSelectedText(strSelected);
    EXPECT_STREQ("llo\r\n", strSelected);

    // Plain text.
    CString strPlain = folder.Path("plain.txt");
    ASSERT_TRUE(pDoc->OnSaveDocument(strPlain));
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_EQ("Hello\r\nworld", FileText(strPlain));
    pView->SetWindowText("");
    ASSERT_TRUE(pDoc->OnOpenDocument(strPlain));
    EXPECT_EQ("Hello\r\nworld", WindowText(*pView));

    // With the length before the characters.
    pDoc->m_bRaw = FALSE;
    CString strCounted = folder.Path("counted.txt");
    ASSERT_TRUE(pDoc->OnSaveDocument(strCounted));
    EXPECT_EQ(std::string("\x0c\0\0\0Hello\r\nworld", 16), FileText(strCounted));
    pView->SetWindowText("");
    ASSERT_TRUE(pDoc->OnOpenDocument(strCounted));
    EXPECT_EQ("Hello\r\nworld", WindowText(*pView));

    // A long text is read block by block.
    std::string strLong(200000, 'x');
    for (size_t i = 99; i < strLong.size(); i += 100)
        strLong[i] = '\n';
    Load(strLong, [&](CArchive& ar) { pView->SerializeRaw(ar); });
    EXPECT_EQ(strLong.size(), pView->GetBufferLength());
}

TEST(EditView, DamagedOrUnsuitableFilesLeaveTheTextAlone)
{
    CViewProgram program(RUNTIME_CLASS(CTextDoc), RUNTIME_CLASS(CEditView));
    auto* pView = dynamic_cast<CEditView*>(program.View());
    ASSERT_NE(nullptr, pView);

    const struct
    {
        std::string strBytes;
        BOOL bRaw;
        int nCause;
        const char* pszWhat;
    } cases[] = {
        { std::string("\x10\0\0\0short", 9), FALSE, CArchiveException::endOfFile, "fewer characters than the length" },
        { std::string("\xF0\xFF\xFF\xFFshort", 9), FALSE, CArchiveException::endOfFile, "a length of four gigabytes" },
        { std::string("\x05\0", 2), FALSE, CArchiveException::endOfFile, "the length cut short" },
        { std::string("\x05\0\0\0ab\0cd", 9), FALSE, CArchiveException::generic, "a null character" },
        { std::string("text\0more", 9), TRUE, CArchiveException::generic, "a null character in plain text" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        pView->SetWindowText("kept");
        EXPECT_EQ(c.nCause, CauseOf<CArchiveException>([&] {
                      Load(c.strBytes, [&](CArchive& ar) {
                          if (c.bRaw)
                              pView->SerializeRaw(ar);
                          else
                              pView->Serialize(ar);
                      });
                  }));
        EXPECT_EQ("kept", WindowText(*pView));
    }
    // An empty file is an empty text.
    Load("", [&](CArchive& ar) { pView->SerializeRaw(ar); });
    EXPECT_EQ("", WindowText(*pView));
}

TEST(EditView, EditCommandsAreEnabledWhenTheyWouldDoSomething)
{
    CViewProgram program(RUNTIME_CLASS(CTextDoc), RUNTIME_CLASS(CEditView));
    auto* pView = dynamic_cast<CEditView*>(program.View());
    ASSERT_NE(nullptr, pView);
    CEdit& edit = pView->GetEditCtrl();
    CFrameWnd* pFrame = program.m_pFrame;
    auto command = [&](UINT nID) { pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0)); };

    // Empty: only Paste may apply.
    pView->SetWindowText("");
    EXPECT_FALSE(Enabled(pFrame, ID_EDIT_SELECT_ALL));
    EXPECT_FALSE(Enabled(pFrame, ID_EDIT_COPY));

    pView->SetWindowText("one two");
    edit.SetSel(0, 0);
    EXPECT_TRUE(Enabled(pFrame, ID_EDIT_SELECT_ALL));
    for (UINT nID : { ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_CLEAR, ID_EDIT_UNDO })
        EXPECT_FALSE(Enabled(pFrame, nID)) << "nothing selected, nothing to undo: " << nID;

    command(ID_EDIT_SELECT_ALL);
    int nStart, nEnd;
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(0, nStart);
    EXPECT_EQ(7, nEnd);
    EXPECT_TRUE(Enabled(pFrame, ID_EDIT_COPY));
    EXPECT_TRUE(Enabled(pFrame, ID_EDIT_CUT));
    command(ID_EDIT_COPY);
    EXPECT_EQ("one two", ClipboardText());
    EXPECT_TRUE(Enabled(pFrame, ID_EDIT_PASTE));

    edit.SetSel(0, 4);
    command(ID_EDIT_CUT);
    EXPECT_EQ("two", WindowText(*pView));
    EXPECT_EQ("one ", ClipboardText());
    EXPECT_TRUE(Enabled(pFrame, ID_EDIT_UNDO));
    command(ID_EDIT_UNDO);
    EXPECT_EQ("one two", WindowText(*pView));

    edit.SetSel(7, 7);
    command(ID_EDIT_PASTE);
    EXPECT_EQ("one twoone ", WindowText(*pView));
    edit.SetSel(3, 7);
    EXPECT_TRUE(Enabled(pFrame, ID_EDIT_CLEAR));
    command(ID_EDIT_CLEAR);
    EXPECT_EQ("oneone ", WindowText(*pView));

    // Read-only: nothing that would change the text.
    edit.SetReadOnly(TRUE);
    edit.SetSel(0, 3);
    EXPECT_TRUE(Enabled(pFrame, ID_EDIT_COPY));
    for (UINT nID : { ID_EDIT_CUT, ID_EDIT_CLEAR, ID_EDIT_PASTE, ID_EDIT_UNDO })
        EXPECT_FALSE(Enabled(pFrame, nID)) << "read-only: " << nID;
}
