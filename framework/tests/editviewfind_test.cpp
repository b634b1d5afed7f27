// Searching in edit views: FindText forward and backward, with and without case, round
// the end of the text; replacing all occurrences in one undoable step; and the find
// dialog opened by the Edit commands, driven with its own keys and buttons, continued
// by Repeat and closed with its view.
#include <afxdlgs.h>
#include <dlgs.h>

#include "view_program.h"

namespace {

class CFindDoc : public CDocument
{
    DECLARE_DYNCREATE(CFindDoc)
};

IMPLEMENT_DYNCREATE(CFindDoc, CDocument)

// An edit view whose replacing and not-found answers can be watched.
class CFindView : public CEditView
{
    DECLARE_DYNCREATE(CFindView)
public:
    int m_nNotFound = 0;
    using CEditView::OnReplaceAll;

protected:
    void OnTextNotFound(LPCTSTR) override { m_nNotFound++; }
};

IMPLEMENT_DYNCREATE(CFindView, CEditView)

CPoint SelOf(CEditView* pView)
{
    int nStart, nEnd;
    pView->GetEditCtrl().GetSel(nStart, nEnd);
    return CPoint(nStart, nEnd);
}

HWND FindDialog(const char* pszTitle)
{
    HWND hDlg = NULL;
    PumpFrameworkUntil([&] {
        hDlg = FindThreadDialog(pszTitle);
        return hDlg != NULL && GetForegroundWindow() == hDlg;
    });
    return hDlg;
}

} // namespace

TEST(EditViewFind, FindTextGoesRoundTheText)
{
    CViewProgram program(RUNTIME_CLASS(CFindDoc), RUNTIME_CLASS(CFindView));
    auto* pView = dynamic_cast<CFindView*>(program.View());
    ASSERT_NE(nullptr, pView);
    pView->SetWindowText("One cat, two Cats, three CATS");

    const struct
    {
        CPoint ptSel;           // the selection before
        LPCSTR lpszFind;
        BOOL bNext, bCase;
        BOOL bFound;
        CPoint ptAfter;
    } cases[] = {
        { CPoint(0, 0), "cat", TRUE, TRUE, TRUE, CPoint(4, 7) },
        { CPoint(4, 7), "cat", TRUE, TRUE, TRUE, CPoint(4, 7) },      // the only one, again
        { CPoint(4, 7), "cat", TRUE, FALSE, TRUE, CPoint(13, 16) },
        { CPoint(13, 16), "cat", TRUE, FALSE, TRUE, CPoint(25, 28) },
        { CPoint(25, 28), "cat", TRUE, FALSE, TRUE, CPoint(4, 7) },   // round the end
        { CPoint(4, 7), "cat", FALSE, FALSE, TRUE, CPoint(25, 28) },  // back round the start
        { CPoint(29, 29), "CATS", FALSE, TRUE, TRUE, CPoint(25, 29) },
        { CPoint(29, 29), "cats", TRUE, FALSE, TRUE, CPoint(13, 17) },
        { CPoint(2, 2), "dog", TRUE, FALSE, FALSE, CPoint(2, 2) },
        { CPoint(2, 2), "", TRUE, FALSE, FALSE, CPoint(2, 2) },
        { CPoint(2, 2), "One cat, two Cats, three CATS!", TRUE, FALSE, FALSE, CPoint(2, 2) },
        { CPoint(0, 0), "One cat, two Cats, three CATS", FALSE, TRUE, TRUE, CPoint(0, 29) },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "\"" << c.lpszFind << "\" from " << c.ptSel.x << (c.bNext ? " on" : " back")
                                        << (c.bCase ? ", case" : ""));
        pView->GetEditCtrl().SetSel((int)c.ptSel.x, (int)c.ptSel.y);
        EXPECT_EQ(c.bFound, pView->FindText(c.lpszFind, c.bNext, c.bCase));
        EXPECT_EQ(c.ptAfter, SelOf(pView));
    }
}

TEST(EditViewFind, ReplaceAllIsOneUndoableStep)
{
    CViewProgram program(RUNTIME_CLASS(CFindDoc), RUNTIME_CLASS(CFindView));
    auto* pView = dynamic_cast<CFindView*>(program.View());
    ASSERT_NE(nullptr, pView);

    pView->SetWindowText("One cat, two Cats, three CATS");
    pView->OnReplaceAll("cat", "dog", FALSE);
    EXPECT_EQ("One dog, two dogs, three dogS", WindowText(*pView));
    pView->GetEditCtrl().Undo();
    EXPECT_EQ("One cat, two Cats, three CATS", WindowText(*pView));
    pView->OnReplaceAll("cat", "dog", TRUE);
    EXPECT_EQ("One dog, two Cats, three CATS", WindowText(*pView));

    // A replacement that holds what it replaces is not searched again.
    pView->SetWindowText("banana");
    pView->OnReplaceAll("a", "aa", TRUE);
    EXPECT_EQ("baanaanaa", WindowText(*pView));
    EXPECT_EQ(0, pView->m_nNotFound);
    pView->OnReplaceAll("x", "y", TRUE);
    pView->OnReplaceAll("", "y", TRUE);
    EXPECT_EQ("baanaanaa", WindowText(*pView));
    EXPECT_EQ(2, pView->m_nNotFound);
    // Read-only text stays.
    pView->GetEditCtrl().SetReadOnly(TRUE);
    pView->OnReplaceAll("a", "o", TRUE);
    EXPECT_EQ("baanaanaa", WindowText(*pView));
}

TEST(EditViewFind, TheFindDialogSearchesAndReplacesInTheView)
{
    HWND hDlgGone = NULL;
    {
        CViewProgram program(RUNTIME_CLASS(CFindDoc), RUNTIME_CLASS(CFindView));
        auto* pView = dynamic_cast<CFindView*>(program.View());
        ASSERT_NE(nullptr, pView);
        auto command = [&](UINT nID) { program.m_pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0)); };
        pView->SetWindowText("two one two");

        // Find, starting from the selected word; Enter is Find Next.
        pView->GetEditCtrl().SetSel(0, 3);
        command(ID_EDIT_FIND);
        HWND hFind = FindDialog("Find");
        ASSERT_NE(nullptr, hFind);
        char szFind[32] = "";
        GetDlgItemTextA(hFind, edt1, szFind, sizeof szFind);
        EXPECT_STREQ("two", szFind);
        PressKey(VK_RETURN);
        EXPECT_TRUE(PumpFrameworkUntil([&] { return SelOf(pView) == CPoint(8, 11); }));
        // Repeat goes on round the text, from the menu as from the dialog.
        command(ID_EDIT_REPEAT);
        EXPECT_EQ(CPoint(0, 3), SelOf(pView));

        // Replace takes the find dialog's place.
        command(ID_EDIT_REPLACE);
        EXPECT_FALSE(IsWindow(hFind));
        HWND hReplace = FindDialog("Replace");
        ASSERT_NE(nullptr, hReplace);
        SetDlgItemTextA(hReplace, edt2, "six");
        Click(GetDlgItem(hReplace, psh1));      // Replace: the selected "two"
        EXPECT_TRUE(PumpFrameworkUntil([&] { return WindowText(*pView) == "six one two"; })) << WindowText(*pView);
        EXPECT_EQ(CPoint(8, 11), SelOf(pView)) << "and on to the next";
        SetDlgItemTextA(hReplace, edt1, "o");
        SetDlgItemTextA(hReplace, edt2, "0");
        Click(GetDlgItem(hReplace, psh2));      // Replace All
        EXPECT_TRUE(PumpFrameworkUntil([&] { return WindowText(*pView) == "six 0ne tw0"; })) << WindowText(*pView);
        PressKey(VK_ESCAPE);
        EXPECT_TRUE(PumpFrameworkUntil([&] { return !IsWindow(hReplace); }));

        // A dialog still open when its view goes, goes with it.
        command(ID_EDIT_FIND);
        hDlgGone = FindDialog("Find");
        ASSERT_NE(nullptr, hDlgGone);
    }
    EXPECT_FALSE(IsWindow(hDlgGone));

    // The next program's view opens a dialog of its own.
    CViewProgram program(RUNTIME_CLASS(CFindDoc), RUNTIME_CLASS(CFindView));
    auto* pView = dynamic_cast<CFindView*>(program.View());
    ASSERT_NE(nullptr, pView);
    pView->SetWindowText("a b a");
    program.m_pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_EDIT_FIND, 0));
    HWND hFind = FindDialog("Find");
    ASSERT_NE(nullptr, hFind);
    PostMessage(hFind, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(PumpFrameworkUntil([&] { return !IsWindow(hFind); }));
}
