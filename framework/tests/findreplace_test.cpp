// The modeless find and replace dialogs run for real: the owner hears of each request
// through the registered message, typed text and the dialog's buttons reach it, and
// the object goes with its window.
#include <afxdlgs.h>
#include <gtest/gtest.h>

#include <dlgs.h>

#include "dialog_driver.h"
#include "msg_log.h"

namespace {

const UINT s_nFindMsg = ::RegisterWindowMessageA(FINDMSGSTRING);

// What the owner was told by each message: the request and the texts.
class CFinderFrame : public CFrameWnd
{
public:
    CMsgLog m_log;

protected:
    afx_msg LRESULT OnFindReplace(WPARAM, LPARAM lParam)
    {
        CFindReplaceDialog* pDlg = CFindReplaceDialog::GetNotifier(lParam);
        CString str;
        if (pDlg->IsTerminating())
            str = "closing";
        else if (pDlg->ReplaceAll())
            str.Format("replace all %s by %s", (LPCSTR)pDlg->GetFindString(), (LPCSTR)pDlg->GetReplaceString());
        else if (pDlg->ReplaceCurrent())
            str.Format("replace %s by %s", (LPCSTR)pDlg->GetFindString(), (LPCSTR)pDlg->GetReplaceString());
        else if (pDlg->FindNext())
            str.Format("find %s%s%s", (LPCSTR)pDlg->GetFindString(), pDlg->SearchDown() ? " down" : " up",
                       pDlg->MatchCase() ? " case" : "");
        m_log.Add((LPCSTR)str);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFinderFrame, CFrameWnd)
    ON_REGISTERED_MESSAGE(s_nFindMsg, OnFindReplace)
END_MESSAGE_MAP()

class CCountedFind : public CFindReplaceDialog
{
public:
    ~CCountedFind() override { s_nDeleted++; }
    static inline int s_nDeleted = 0;
};

bool LogReaches(CFinderFrame* pFrame, size_t nEntries)
{
    return PumpFrameworkUntil([&] { return pFrame->m_log.Entries().size() >= nEntries; });
}

} // namespace

TEST(FindReplaceDialog, RequestsReachTheOwnerUntilItCloses)
{
    CReleaseCheck check;
    auto* pFrame = new CFinderFrame;
    ASSERT_TRUE(pFrame->Create(NULL, "Finder"));
    pFrame->ShowWindow(SW_SHOW);
    CCountedFind::s_nDeleted = 0;
    auto* pDlg = new CCountedFind;
    ASSERT_TRUE(pDlg->Create(FALSE, "cat", "dog", FR_DOWN, pFrame));
    HWND hDlg = pDlg->m_hWnd;
    ASSERT_NE(nullptr, hDlg);
    EXPECT_EQ(pDlg, CWnd::FromHandlePermanent(hDlg));
    ASSERT_TRUE(PumpFrameworkUntil([&] { return GetForegroundWindow() == hDlg; }));

    // Find Next (Enter), after the find text is typed over with the dialog's keys.
    ASSERT_TRUE(PumpFrameworkUntil([&] { return GetFocus() == GetDlgItem(hDlg, edt1); }));
    SendDlgItemMessage(hDlg, edt1, EM_SETSEL, 0, -1);
    TypeText("bird");
    PressKey(VK_RETURN);
    ASSERT_TRUE(LogReaches(pFrame, 1));
    // Match case, then Replace and Replace All.
    Click(GetDlgItem(hDlg, chx2));
    PressKey(VK_RETURN);
    ASSERT_TRUE(LogReaches(pFrame, 2));
    Click(GetDlgItem(hDlg, psh1));
    ASSERT_TRUE(LogReaches(pFrame, 3));
    Click(GetDlgItem(hDlg, psh2));
    ASSERT_TRUE(LogReaches(pFrame, 4));
    EXPECT_EQ(0, CCountedFind::s_nDeleted);

    // Esc closes the dialog: the owner's last message, then the object goes.
    PressKey(VK_ESCAPE);
    ASSERT_TRUE(LogReaches(pFrame, 5));
    EXPECT_TRUE(PumpFrameworkUntil([] { return CCountedFind::s_nDeleted == 1; }));
    EXPECT_FALSE(IsWindow(hDlg));
    EXPECT_EQ((std::vector<std::string>{ "find bird down", "find bird down case", "replace bird by dog",
                                         "replace all bird by dog", "closing" }),
              pFrame->m_log.Entries());
    pFrame->DestroyWindow();
}

TEST(FindReplaceDialog, WithoutAnOwnerThereIsNoDialog)
{
    CReleaseCheck check;
    ASSERT_EQ(nullptr, AfxGetMainWnd());
    auto* pDlg = new CFindReplaceDialog;
    EXPECT_FALSE(pDlg->Create(TRUE, "cat"));
    EXPECT_EQ(NULL, pDlg->m_hWnd);
    delete pDlg;
}
