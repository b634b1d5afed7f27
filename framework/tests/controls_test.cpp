// The standard controls: list boxes with multiple selection and pointer-sized item
// data, combo boxes, buttons and their clicks reflected to their own objects,
// owner-drawn list items reaching the control's virtual functions, and the ranges of
// sliders, progress bars and spin buttons.
#include <afxcmn.h>
#include <gtest/gtest.h>

#include "dialog_driver.h"
#include "msg_log.h"
#include "test_resource.h"

namespace {

// A parent for controls created in code.
class CHolder : public CWnd
{
public:
    CHolder() { CreateEx(0, NULL, "holder", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 320, 240, NULL, NULL); }
    ~CHolder() override { DestroyWindow(); }
};

std::string Text(const CListBox& list, int nIndex)
{
    CString str;
    list.GetText(nIndex, str);
    return (LPCSTR)str;
}

std::vector<int> SelectedItems(const CListBox& list)
{
    std::vector<int> items(list.GetCount());
    items.resize(list.GetSelItems((int)items.size(), items.data()));
    return items;
}

} // namespace

TEST(ListBoxes, ItemsFindAndKeepPointerSizedData)
{
    CReleaseCheck check;
    CHolder holder;
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_SORT | LBS_HASSTRINGS | LBS_NOTIFY, CRect(10, 10, 150, 200),
                            &holder, 5));

    EXPECT_EQ(0, list.AddString("Plover"));
    EXPECT_EQ(0, list.AddString("avocet")) << "a sorted list puts the item in its place";
    EXPECT_EQ(2, list.AddString("ringed plover"));
    EXPECT_EQ(1, list.InsertString(1, "Knot")) << "inserting does not sort";
    EXPECT_EQ(4, list.GetCount());

    const struct
    {
        int nStartAfter;
        const char* pszFind;
        int nFound;         // FindString: the first item starting with it
        int nFoundExact;    // FindStringExact: the first item that is it
    } finds[] = {
        { -1, "plover", 2, 2 },
        { -1, "PLO", 2, LB_ERR },
        { 2, "plover", 2, 2 },      // from after item 2 on, round to the start
        { -1, "ringed", 3, LB_ERR },
        { -1, "dunlin", LB_ERR, LB_ERR },
    };
    for (const auto& f : finds)
    {
        SCOPED_TRACE(f.pszFind);
        EXPECT_EQ(f.nFound, list.FindString(f.nStartAfter, f.pszFind));
        EXPECT_EQ(f.nFoundExact, list.FindStringExact(f.nStartAfter, f.pszFind));
    }

    EXPECT_EQ("Knot", Text(list, 1));
    EXPECT_EQ(4, list.GetTextLen(1));
    EXPECT_EQ("", Text(list, 9)) << "an item that is not there";
    char sz[32];
    EXPECT_EQ(6, list.GetText(0, sz));
    EXPECT_STREQ("avocet", sz);

    // Item data as wide as a pointer: a value above 4 GB and an object survive.
    int nObject = 0;
    void* pHigh = (void*)(UINT_PTR)0x123456789ABCull;
    EXPECT_NE(LB_ERR, list.SetItemDataPtr(0, pHigh));
    EXPECT_NE(LB_ERR, list.SetItemDataPtr(1, &nObject));
    EXPECT_NE(LB_ERR, list.SetItemData(2, (DWORD_PTR)-2));
    EXPECT_EQ(pHigh, list.GetItemDataPtr(0));
    EXPECT_EQ(&nObject, list.GetItemDataPtr(1));
    EXPECT_EQ((DWORD_PTR)-2, list.GetItemData(2));
    EXPECT_EQ((DWORD_PTR)LB_ERR, list.GetItemData(7));
    EXPECT_EQ(LB_ERR, list.SetItemData(7, 1));

    // Data stays with its item as items move.
    EXPECT_EQ(3, list.DeleteString(0));
    EXPECT_EQ(&nObject, list.GetItemDataPtr(0));

    // Single selection.
    EXPECT_EQ(LB_ERR, list.GetCurSel());
    EXPECT_EQ(2, list.SelectString(-1, "ring"));
    EXPECT_EQ(2, list.GetCurSel());
    list.SetCurSel(-1);
    EXPECT_EQ(LB_ERR, list.GetCurSel());
    list.ResetContent();
    EXPECT_EQ(0, list.GetCount());
}

TEST(ListBoxes, MultipleSelectionByCodeAndByClicks)
{
    CReleaseCheck check;
    CHolder holder;
    holder.SetForegroundWindow();
    CListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_MULTIPLESEL | LBS_HASSTRINGS | LBS_NOTIFY,
                            CRect(10, 10, 150, 200), &holder, 6));
    for (const char* psz : { "a", "b", "c", "d", "e", "f" })
        list.AddString(psz);

    EXPECT_EQ(0, list.GetSelCount());
    list.SetSel(1);
    list.SetSel(4);
    EXPECT_EQ(2, list.GetSelCount());
    EXPECT_EQ((std::vector<int>{ 1, 4 }), SelectedItems(list));
    EXPECT_GT(list.GetSel(4), 0);
    EXPECT_EQ(0, list.GetSel(0));
    int nFirstTwo[2];
    EXPECT_EQ(2, list.GetSelItems(2, nFirstTwo)) << "no more than asked for";

    list.SelItemRange(TRUE, 2, 3);
    EXPECT_EQ((std::vector<int>{ 1, 2, 3, 4 }), SelectedItems(list));
    list.SelItemRange(FALSE, 1, 2);
    EXPECT_EQ((std::vector<int>{ 3, 4 }), SelectedItems(list));
    list.SetSel(-1, FALSE);
    EXPECT_EQ(0, list.GetSelCount()) << "-1: every item";
    list.SetSel(-1, TRUE);
    EXPECT_EQ(6, list.GetSelCount());
    list.SetSel(-1, FALSE);

    // Clicks toggle items of a multiple-selection list.
    auto clickItem = [&](int nIndex) {
        CRect rc;
        list.GetItemRect(nIndex, &rc);
        list.ClientToScreen(&rc);
        ClickAt(rc.CenterPoint());
    };
    clickItem(0);
    clickItem(5);
    clickItem(2);
    EXPECT_TRUE(PumpUntil([&] { return list.GetSelCount() == 3; }));
    EXPECT_EQ((std::vector<int>{ 0, 2, 5 }), SelectedItems(list));
    clickItem(5);
    EXPECT_TRUE(PumpUntil([&] { return list.GetSelCount() == 2; }));
    EXPECT_EQ((std::vector<int>{ 0, 2 }), SelectedItems(list));

    BOOL bOutside = TRUE;
    CRect rcItem;
    list.GetItemRect(3, &rcItem);
    EXPECT_EQ(3u, list.ItemFromPoint(rcItem.CenterPoint(), bOutside));
    EXPECT_FALSE(bOutside);
}

namespace {

// An owner-drawn list: items are pointers to colours, compared and drawn by the control.
class CColourList : public CListBox
{
public:
    explicit CColourList(CMsgLog& log) : m_log(log) {}

    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override
    {
        m_log.Add("MeasureItem");
        lpMIS->itemHeight = 12;
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
    {
        if (lpDIS->itemID == (UINT)-1)
            return;
        m_nDrawn++;
        CDC::FromHandle(lpDIS->hDC)->FillSolidRect(&lpDIS->rcItem, *(COLORREF*)lpDIS->itemData);
    }
    int CompareItem(LPCOMPAREITEMSTRUCT lpCIS) override
    {
        COLORREF a = *(COLORREF*)lpCIS->itemData1;
        COLORREF b = *(COLORREF*)lpCIS->itemData2;
        return a < b ? -1 : a > b ? 1 : 0;
    }
    void DeleteItem(LPDELETEITEMSTRUCT lpDIS) override
    {
        m_log.Add("DeleteItem " + std::to_string(*(COLORREF*)lpDIS->itemData));
    }

    CMsgLog& m_log;
    int m_nDrawn = 0;
};

} // namespace

TEST(ListBoxes, OwnerDrawnItemsReachTheControlsVirtuals)
{
    CReleaseCheck check;
    CMsgLog log;
    CHolder holder;
    CColourList list(log);
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_SORT, CRect(10, 10, 110, 110), &holder, 7));
    EXPECT_TRUE(log.Is({ "MeasureItem" })) << "measured while it was created";

    static COLORREF colours[] = { RGB(0, 0, 200), RGB(200, 0, 0), RGB(0, 200, 0) };
    for (COLORREF& cr : colours)
        list.AddString((LPCSTR)&cr);
    // Sorted by CompareItem: ascending COLORREF values.
    EXPECT_EQ(&colours[1], list.GetItemDataPtr(0));
    EXPECT_EQ(&colours[2], list.GetItemDataPtr(1));
    EXPECT_EQ(&colours[0], list.GetItemDataPtr(2));

    list.Invalidate();
    list.UpdateWindow();
    EXPECT_GE(list.m_nDrawn, 3);
    CClientDC dc(&list);
    CRect rcItem;
    list.GetItemRect(1, &rcItem);
    EXPECT_EQ(RGB(0, 200, 0), dc.GetPixel(rcItem.left + 3, rcItem.top + 3));

    log.Clear();
    list.DeleteString(0);
    EXPECT_TRUE(log.Is({ "DeleteItem 200" })) << "the item of RGB(200, 0, 0)";
    list.DestroyWindow();
}

TEST(ComboBoxes, ItemsTextsAndData)
{
    CReleaseCheck check;
    CHolder holder;
    CComboBox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_SORT | CBS_HASSTRINGS, CRect(10, 10, 150, 150),
                             &holder, 8));
    for (const char* psz : { "teal", "Garganey", "pintail" })
        combo.AddString(psz);
    EXPECT_EQ(3, combo.GetCount());
    CString str;
    combo.GetLBText(0, str);
    EXPECT_STREQ("Garganey", str);
    combo.GetLBText(5, str);
    EXPECT_STREQ("", str);
    EXPECT_EQ(4, combo.GetLBTextLen(2));
    EXPECT_EQ(1, combo.FindString(-1, "PIN"));
    EXPECT_EQ(CB_ERR, combo.FindStringExact(-1, "pin"));

    void* pHigh = (void*)(UINT_PTR)0xFEDCBA987654ull;
    combo.SetItemDataPtr(2, pHigh);
    EXPECT_EQ(pHigh, combo.GetItemDataPtr(2));

    EXPECT_EQ(1, combo.SelectString(-1, "pin"));
    EXPECT_EQ(1, combo.GetCurSel());
    CString strEdit;
    combo.GetWindowText(strEdit);
    EXPECT_STREQ("pintail", strEdit);
    combo.SetEditSel(0, 3);
    EXPECT_EQ((DWORD)MAKELONG(0, 3), combo.GetEditSel());
    EXPECT_EQ(2, combo.DeleteString(0));
    combo.ResetContent();
    EXPECT_EQ(0, combo.GetCount());
}

namespace {

// A button that handles its own clicks.
class CSelfClickingButton : public CButton
{
public:
    int m_nClicks = 0;

protected:
    afx_msg void OnClicked() { m_nClicks++; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfClickingButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
END_MESSAGE_MAP()

class CClickHolder : public CHolder
{
public:
    int m_nClicks = 0;

protected:
    afx_msg void OnClicked() { m_nClicks++; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CClickHolder, CHolder)
    ON_BN_CLICKED(9, OnClicked)
    ON_BN_CLICKED(10, OnClicked)
END_MESSAGE_MAP()

} // namespace

TEST(Buttons, StatesStylesAndReflectedClicks)
{
    CReleaseCheck check;
    CClickHolder holder;
    holder.SetForegroundWindow();
    CSelfClickingButton self;
    CButton plain;
    ASSERT_TRUE(self.Create("&Self", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 90, 34), &holder, 9));
    ASSERT_TRUE(plain.Create("&Plain", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(10, 40, 90, 64), &holder, 10));

    // A real click: the button's own map takes it, the parent does not see it.
    Click(self.m_hWnd);
    EXPECT_TRUE(PumpUntil([&] { return self.m_nClicks == 1; }));
    EXPECT_EQ(0, holder.m_nClicks);
    Click(plain.m_hWnd);
    EXPECT_TRUE(PumpUntil([&] { return holder.m_nClicks == 1; }));
    EXPECT_EQ(1, self.m_nClicks);
    EXPECT_EQ(BST_CHECKED, plain.GetCheck()) << "the click checked the box";

    plain.SetCheck(BST_UNCHECKED);
    EXPECT_EQ(BST_UNCHECKED, plain.GetCheck());
    EXPECT_EQ((UINT)BS_AUTOCHECKBOX, plain.GetButtonStyle());
    EXPECT_EQ((UINT)BS_PUSHBUTTON, self.GetButtonStyle());
    self.SetButtonStyle(BS_DEFPUSHBUTTON);
    EXPECT_EQ((UINT)BS_DEFPUSHBUTTON, self.GetButtonStyle());

    EXPECT_EQ(0u, self.GetState() & BST_PUSHED);
    self.SetState(TRUE);
    EXPECT_NE(0u, self.GetState() & BST_PUSHED) << "shown pushed in";
    self.SetState(FALSE);
    EXPECT_EQ(0u, self.GetState() & BST_PUSHED);
    EXPECT_EQ(1, self.m_nClicks) << "pushing in by code is no click";

    // Images of a bitmap button; the caller keeps them.
    CButton picture;
    ASSERT_TRUE(picture.Create(NULL, WS_CHILD | WS_VISIBLE | BS_BITMAP, CRect(100, 10, 140, 50), &holder, 11));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap("PLAYU"));
    EXPECT_EQ(NULL, picture.SetBitmap(bitmap));
    EXPECT_EQ((HBITMAP)bitmap.m_hObject, picture.GetBitmap());
    picture.DestroyWindow();

    CStatic label;
    ASSERT_TRUE(label.Create("label", WS_CHILD | WS_VISIBLE | SS_BITMAP, CRect(150, 10, 200, 50), &holder));
    EXPECT_EQ(NULL, label.SetBitmap(bitmap));
    EXPECT_EQ((HBITMAP)bitmap.m_hObject, label.GetBitmap());
    EXPECT_EQ(0xffff, label.GetDlgCtrlID());
    label.DestroyWindow();
}

namespace {

// IDD_BUTTONS with its slider and progress bar bound, and the scroll notifications
// of the slider as the dialog receives them.
class CRangesDialog : public CDialog
{
public:
    CSliderCtrl m_slider;
    CProgressCtrl m_progress;
    std::vector<std::pair<UINT, int>> m_scrolls;     // code, position of the control
    bool m_bFromSlider = true;

protected:
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Control(pDX, IDC_SPEED, m_slider);
        DDX_Control(pDX, IDC_PROGRESS, m_progress);
    }
    afx_msg void OnHScroll(UINT nSBCode, UINT, CScrollBar* pScrollBar)
    {
        m_bFromSlider &= (CWnd*)pScrollBar == &m_slider;
        m_scrolls.push_back({ nSBCode, m_slider.GetPos() });
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRangesDialog, CDialog)
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

} // namespace

TEST(CommonControls, SliderAndProgressRanges)
{
    CReleaseCheck check;
    CRangesDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_BUTTONS));
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    ASSERT_NE(nullptr, dlg.m_slider.m_hWnd) << "the template's trackbar exists";
    CSliderCtrl& slider = dlg.m_slider;

    int nMin = -1;
    int nMax = -1;
    slider.GetRange(nMin, nMax);
    EXPECT_EQ(0, nMin);
    EXPECT_EQ(100, nMax);
    slider.SetRange(2, 10, TRUE);
    EXPECT_EQ(2, slider.GetRangeMin());
    EXPECT_EQ(10, slider.GetRangeMax());
    const struct
    {
        int nSet;
        int nGot;
    } positions[] = { { 5, 5 }, { 12, 10 }, { 0, 2 }, { -7, 2 }, { 10, 10 } };
    for (const auto& p : positions)
    {
        slider.SetPos(p.nSet);
        EXPECT_EQ(p.nGot, slider.GetPos()) << "set " << p.nSet;
    }
    slider.SetRangeMax(6);
    slider.VerifyPos();
    EXPECT_EQ(6, slider.GetPos()) << "kept inside a range that shrank";
    slider.SetLineSize(2);
    EXPECT_EQ(2, slider.GetLineSize());
    slider.SetPageSize(3);
    EXPECT_EQ(3, slider.GetPageSize());
    slider.SetSelection(3, 5);
    int nSelMin = 0;
    int nSelMax = 0;
    slider.GetSelection(nSelMin, nSelMax);
    EXPECT_EQ(3, nSelMin);
    EXPECT_EQ(5, nSelMax);
    slider.ClearSel(TRUE);
    slider.GetSelection(nSelMin, nSelMax);
    EXPECT_EQ(nSelMin, nSelMax);

    // Keys move the thumb by the line size; the dialog hears of it with the slider
    // object as the scroll bar.
    slider.SetPos(2);
    dlg.SetForegroundWindow();
    slider.SetFocus();
    PressKey(VK_RIGHT);
    EXPECT_TRUE(PumpFrameworkUntil([&] { return slider.GetPos() == 4 && !dlg.m_scrolls.empty(); }));
    ASSERT_FALSE(dlg.m_scrolls.empty());
    EXPECT_EQ((UINT)TB_LINEDOWN, dlg.m_scrolls[0].first);
    EXPECT_EQ(4, dlg.m_scrolls[0].second);
    EXPECT_TRUE(dlg.m_bFromSlider);

    CProgressCtrl& progress = dlg.m_progress;
    int nLower = -1;
    int nUpper = -1;
    progress.GetRange(nLower, nUpper);
    EXPECT_EQ(0, nLower);
    EXPECT_EQ(100, nUpper);
    progress.SetRange(10, 50);
    progress.GetRange(nLower, nUpper);
    EXPECT_EQ(10, nLower);
    EXPECT_EQ(50, nUpper);
    EXPECT_EQ(10, progress.SetPos(20)) << "the previous position";
    EXPECT_EQ(20, progress.GetPos());
    progress.SetPos(80);
    EXPECT_EQ(50, progress.GetPos()) << "kept inside the range";
    progress.SetPos(0);
    EXPECT_EQ(10, progress.GetPos());
    EXPECT_EQ(10, progress.SetStep(15)) << "the default step";
    EXPECT_EQ(10, progress.StepIt());
    EXPECT_EQ(25, progress.GetPos());
    EXPECT_EQ(25, progress.OffsetPos(-5));
    EXPECT_EQ(20, progress.GetPos());
    progress.SetRange32(-100000, 100000);
    progress.SetPos(-70000);
    EXPECT_EQ(-70000, progress.GetPos());
    dlg.DestroyWindow();
}

TEST(CommonControls, SpinButtonShowsItsPositionInItsBuddy)
{
    CReleaseCheck check;
    CHolder holder;
    holder.SetForegroundWindow();
    CEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 80, 34), &holder, 6));
    CSpinButtonCtrl spin;
    ASSERT_TRUE(spin.Create(WS_CHILD | WS_VISIBLE | UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_ALIGNRIGHT,
                            CRect(0, 0, 0, 0), &holder, 7));
    EXPECT_EQ(nullptr, spin.SetBuddy(&edit)) << "no buddy before";
    EXPECT_EQ(&edit, spin.GetBuddy());

    spin.SetRange(-5, 20);
    int nLower = 0;
    int nUpper = 0;
    spin.GetRange(nLower, nUpper);
    EXPECT_EQ(-5, nLower);
    EXPECT_EQ(20, nUpper);
    EXPECT_EQ(MAKELONG(20, -5), (LONG)spin.GetRange());

    spin.SetPos(7);
    EXPECT_EQ(7, spin.GetPos());
    CString strText;
    edit.GetWindowText(strText);
    EXPECT_STREQ("7", strText);

    // The buddy's up arrow moves the position, and the buddy shows it.
    edit.SetFocus();
    PressKey(VK_UP);
    EXPECT_TRUE(PumpUntil([&] { return spin.GetPos() == 8; })) << "position " << spin.GetPos();
    edit.GetWindowText(strText);
    EXPECT_STREQ("8", strText);

    edit.SetWindowText("abc");
    EXPECT_NE(0, HIWORD(spin.GetPos())) << "a buddy text that is no number";

    UDACCEL accels[2] = { { 0, 1 }, { 2, 5 } };
    EXPECT_TRUE(spin.SetAccel(2, accels));
    UDACCEL got[3] = {};
    EXPECT_EQ(2u, spin.GetAccel(3, got));
    EXPECT_EQ(2u, got[1].nSec);
    EXPECT_EQ(5u, got[1].nInc);
    EXPECT_EQ(10, spin.SetBase(16));
    EXPECT_EQ(16u, spin.GetBase());
    EXPECT_EQ(0, spin.SetBase(7)) << "only 10 and 16";
    spin.DestroyWindow();
    edit.DestroyWindow();
}
