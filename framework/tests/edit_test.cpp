// The edit controls over the real ones: CEdit's text, lines and selection; the rich edit
// control's text, selection and character formats, its notifications reflected to its
// own object, and characters typed into it.
#include <afxcmn.h>
#include <gtest/gtest.h>

#include "msg_log.h"

namespace {

// A visible top-level window of the framework to hold the controls.
class CHolder : public CWnd
{
public:
    CHolder() { CreateEx(0, NULL, "holder", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, NULL, NULL); }
};

CString TextOf(const CWnd& wnd)
{
    CString str;
    wnd.GetWindowText(str);
    return str;
}

} // namespace

TEST(EditControls, EditTextLinesAndSelection)
{
    CReleaseCheck check;
    CHolder holder;
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL, CRect(0, 0, 200, 80), &holder, 3));
    EXPECT_EQ(&edit, holder.GetDlgItem(3));
    edit.SetWindowText("one\r\ntwo lines");
    EXPECT_EQ(2, edit.GetLineCount());
    EXPECT_EQ(5, edit.LineIndex(1));
    EXPECT_EQ(9, edit.LineLength(5));
    char szLine[32] = "";
    EXPECT_EQ(9, edit.GetLine(1, szLine, sizeof szLine));
    EXPECT_EQ(0, strncmp("two lines", szLine, 9));
    EXPECT_EQ(0, edit.GetLine(1, szLine, 1)) << "no room for the size word";

    edit.SetSel(2, 7);
    int nStart = -1, nEnd = -1;
    edit.GetSel(nStart, nEnd);
    EXPECT_EQ(2, nStart);
    EXPECT_EQ(7, nEnd);
    EXPECT_EQ((DWORD)MAKELONG(2, 7), edit.GetSel());
    edit.SetModify(FALSE);
    edit.ReplaceSel("X");
    EXPECT_STREQ("onXo lines", TextOf(edit));
    EXPECT_TRUE(edit.GetModify());
    edit.SetSel(MAKELONG(0, 2));
    EXPECT_EQ((DWORD)MAKELONG(0, 2), edit.GetSel());

    edit.SetLimitText(4);
    EXPECT_EQ(4u, edit.GetLimitText());

    // The text's own memory: read in place, then replaced by a buffer of ours.
    HLOCAL hOld = edit.GetHandle();
    ASSERT_NE(nullptr, hOld);
    EXPECT_STREQ("onXo lines", static_cast<const char*>(LocalLock(hOld)));
    LocalUnlock(hOld);
    HLOCAL hNew = LocalAlloc(LMEM_MOVEABLE, 16);
    strcpy(static_cast<char*>(LocalLock(hNew)), "given");
    LocalUnlock(hNew);
    edit.SetHandle(hNew);
    LocalFree(hOld);
    EXPECT_STREQ("given", TextOf(edit));
    EXPECT_EQ(hNew, edit.GetHandle());
    holder.DestroyWindow();
    EXPECT_EQ(nullptr, edit.m_hWnd) << "the child went with its parent";
}

TEST(EditControls, RichEditTextSelectionAndFormats)
{
    CReleaseCheck check;
    ASSERT_TRUE(AfxInitRichEdit());
    ASSERT_TRUE(AfxInitRichEdit()) << "loaded once, asked again";
    CHolder holder;
    CRichEditCtrl rich;
    ASSERT_TRUE(rich.Create(WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 250, 100), &holder, 4));
    char szClass[32];
    GetClassNameA(rich.m_hWnd, szClass, sizeof szClass);
    EXPECT_STREQ("RichEdit20A", szClass);

    rich.SetWindowText("Hello world");
    EXPECT_EQ(11, rich.GetTextLength());
    const struct
    {
        long nStart, nEnd;
        long nExpectedStart, nExpectedEnd;
        const char* pszSelected;
    } selections[] = {
        { 6, 11, 6, 11, "world" },
        { 0, -1, 0, 12, "Hello world" },    // -1: to the end, the final paragraph mark too
        { 4, 4, 4, 4, "" },
        { 9, 2, 2, 9, "llo wor" },          // an inverted range is put in order
    };
    for (const auto& s : selections)
    {
        SCOPED_TRACE(s.pszSelected);
        rich.SetSel(s.nStart, s.nEnd);
        long nStart = -1, nEnd = -1;
        rich.GetSel(nStart, nEnd);
        EXPECT_EQ(s.nExpectedStart, nStart);
        EXPECT_EQ(s.nExpectedEnd, nEnd);
        EXPECT_STREQ(s.pszSelected, rich.GetSelText());
    }
    CString strRange;
    EXPECT_EQ(5, rich.GetTextRange(0, 5, strRange));
    EXPECT_STREQ("Hello", strRange);

    // The default format: face and size (in twips).
    CHARFORMAT cf = {};
    cf.dwMask = CFM_FACE | CFM_SIZE;
    cf.yHeight = 14 * 20;
    strcpy(cf.szFaceName, "Arial");
    EXPECT_TRUE(rich.SetDefaultCharFormat(cf));
    CHARFORMAT cfDefault = {};
    DWORD dwMask = rich.GetDefaultCharFormat(cfDefault);
    EXPECT_EQ((DWORD)(CFM_FACE | CFM_SIZE), dwMask & (CFM_FACE | CFM_SIZE));
    EXPECT_EQ(280, cfDefault.yHeight);
    EXPECT_STREQ("Arial", cfDefault.szFaceName);

    // Bold on the first word only, through the format of an empty selection, which the
    // next text typed or inserted takes. (Wine 8's rich edit applies the format of a
    // non-empty selection to the whole text, so that is not what is checked here.)
    rich.SetWindowText("");
    CHARFORMAT cfBold = {};
    cfBold.dwMask = CFM_BOLD;
    cfBold.dwEffects = CFE_BOLD;
    EXPECT_TRUE(rich.SetSelectionCharFormat(cfBold));
    rich.ReplaceSel("Hello");
    cfBold.dwEffects = 0;
    EXPECT_TRUE(rich.SetSelectionCharFormat(cfBold));
    rich.ReplaceSel(" world");
    const struct
    {
        long nStart, nEnd;
        BOOL bUniform;
        DWORD dwBold;
    } ranges[] = {
        { 0, 5, TRUE, CFE_BOLD },
        { 6, 11, TRUE, 0 },
        { 3, 8, FALSE, 0 },     // partly bold: the mask says the effect is mixed
    };
    for (const auto& r : ranges)
    {
        SCOPED_TRACE(r.nStart);
        rich.SetSel(r.nStart, r.nEnd);
        CHARFORMAT cfSel = {};
        DWORD dwSelMask = rich.GetSelectionCharFormat(cfSel);
        EXPECT_EQ(r.bUniform, (dwSelMask & CFM_BOLD) != 0);
        if (r.bUniform)
        {
            EXPECT_EQ(r.dwBold, cfSel.dwEffects & CFE_BOLD);
        }
    }
    holder.DestroyWindow();
}

namespace {

// A rich edit that handles its own notifications and looks at typed characters after
// the control has taken them.
class CNotifyingRichEdit : public CRichEditCtrl
{
public:
    explicit CNotifyingRichEdit(CMsgLog& log) : m_log(log) {}

protected:
    afx_msg void OnSetFocusNotify() { m_log.Add("EN_SETFOCUS"); }
    afx_msg void OnKillFocusNotify() { m_log.Add("EN_KILLFOCUS"); }
    afx_msg void OnChangeNotify() { m_log.Add("EN_CHANGE"); }
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        CRichEditCtrl::OnChar(nChar, nRepCnt, nFlags);
        CString strText;
        GetWindowText(strText);
        char sz[64];
        snprintf(sz, sizeof sz, "WM_CHAR %u after: %s", nChar, (LPCSTR)strText);
        m_log.Add(sz);
    }

    CMsgLog& m_log;

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifyingRichEdit, CRichEditCtrl)
    ON_CONTROL_REFLECT(EN_SETFOCUS, OnSetFocusNotify)
    ON_CONTROL_REFLECT(EN_KILLFOCUS, OnKillFocusNotify)
    ON_CONTROL_REFLECT(EN_CHANGE, OnChangeNotify)
    ON_WM_CHAR()
END_MESSAGE_MAP()

} // namespace

TEST(EditControls, RichEditNotificationsComeBackToIt)
{
    CReleaseCheck check;
    CMsgLog log;
    CHolder holder;
    holder.SetForegroundWindow();
    CNotifyingRichEdit rich(log);
    ASSERT_TRUE(rich.Create(WS_VISIBLE | ES_MULTILINE, CRect(0, 0, 200, 50), &holder, 5));
    CEdit other;
    ASSERT_TRUE(other.Create(WS_VISIBLE, CRect(0, 60, 200, 80), &holder, 6));
    rich.SetEventMask(ENM_CHANGE);

    rich.SetFocus();
    EXPECT_TRUE(log.Is({ "EN_SETFOCUS" }));
    log.Clear();
    rich.ReplaceSel("abc");
    EXPECT_TRUE(log.Is({ "EN_CHANGE" }));
    log.Clear();
    other.SetFocus();
    EXPECT_TRUE(log.Is({ "EN_KILLFOCUS" }));
    holder.DestroyWindow();
}

TEST(EditControls, TypedCharactersReachASubclassedRichEdit)
{
    CReleaseCheck check;
    CMsgLog log;
    ASSERT_TRUE(AfxInitRichEdit());
    CHolder holder;
    HWND hWndRich = CreateWindowExA(0, RICHEDIT_CLASSA, "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN,
                                    0, 0, 200, 50, holder.m_hWnd, (HMENU)5, NULL, NULL);
    ASSERT_NE(nullptr, hWndRich);
    CNotifyingRichEdit rich(log);
    ASSERT_TRUE(rich.SubclassWindow(hWndRich));

    holder.SetForegroundWindow();
    rich.SetFocus();
    log.Clear();
    INPUT inputs[6] = {};
    const WORD keys[] = { '1', '2', VK_RETURN };
    for (int i = 0; i < 6; i++)
    {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i / 2];
        inputs[i].ki.dwFlags = i % 2 ? KEYEVENTF_KEYUP : 0;
    }
    ASSERT_EQ(6u, SendInput(6, inputs, sizeof(INPUT)));
    EXPECT_TRUE(PumpUntil([&] { return log.Only("WM_CHAR").Entries().size() == 3; }));
    CMsgLog chars = log.Only("WM_CHAR");
    ASSERT_EQ(3u, chars.Entries().size());
    EXPECT_EQ("WM_CHAR 49 after: 1", chars.Entries()[0]) << "the control took the character first";
    EXPECT_EQ("WM_CHAR 50 after: 12", chars.Entries()[1]);
    EXPECT_EQ(0u, chars.Entries()[2].find("WM_CHAR 13 after: 12"));
    holder.DestroyWindow();
}
