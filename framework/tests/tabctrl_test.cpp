// Tab controls: clicking a tab shows its page in the display area AdjustRect gives,
// the parent told through ON_NOTIFY and able to keep the current tab; choosing in
// code, which tells no one; inserting, reading, hit-testing and deleting tabs.
#include <afxcmn.h>
#include <gtest/gtest.h>

#include "commoncontrols_resource.h"
#include "dialog_driver.h"
#include "field_notes.h"

namespace {

// A click on the tab, dx pixels right of its middle (clicks at one point in quick
// succession would make a double click).
void ClickTab(CTabCtrl& tabs, int nItem, int dx = 0)
{
    CRect rc;
    ASSERT_TRUE(tabs.GetItemRect(nItem, &rc));
    CPoint pt = rc.CenterPoint() + CPoint(dx, 0);
    tabs.ClientToScreen(&pt);
    ClickAt(pt);
}

} // namespace

TEST(TabCtrls, ClickedTabShowsItsPageUnlessTheParentRefuses)
{
    CReleaseCheck check;
    COpenFieldNotes notes;
    CFieldNotesDialog& dlg = notes.dlg;
    CTabCtrl& tabs = dlg.m_tabs;
    EXPECT_EQ(2, tabs.GetItemCount());
    EXPECT_EQ(0, tabs.GetCurSel());
    EXPECT_EQ(0, dlg.ShownPage());

    // The page fills the display area: inside the control, below the tabs.
    CRect rcTabs;
    tabs.GetWindowRect(&rcTabs);
    CRect rcPage;
    dlg.GetDlgItem(IDC_PAGE_NAME)->GetWindowRect(&rcPage);
    CRect rcTab;
    tabs.GetItemRect(0, &rcTab);
    tabs.ClientToScreen(&rcTab);
    EXPECT_TRUE(rcTabs.PtInRect(rcPage.TopLeft()));
    EXPECT_GE(rcPage.top, rcTab.bottom);
    EXPECT_LT(rcPage.left, rcTab.right);
    CRect rcArea = rcTabs;
    tabs.AdjustRect(FALSE, &rcArea);
    tabs.AdjustRect(TRUE, &rcArea);
    EXPECT_EQ(rcTabs, rcArea) << "the window for the display area of the window";

    // Without a name the name page stays.
    ClickTab(tabs, 1);
    EXPECT_TRUE(PumpFrameworkUntil([&] { return !dlg.m_log.Entries().empty(); }));
    PumpWaiting();
    EXPECT_EQ(0, tabs.GetCurSel());
    EXPECT_EQ(0, dlg.ShownPage());
    EXPECT_TRUE(dlg.m_log.Is({ "TCN_SELCHANGING refused" }));

    dlg.SetDlgItemText(IDC_PAGE_NAME, "Knot");
    dlg.m_log.Clear();
    ClickTab(tabs, 1, 8);
    EXPECT_TRUE(PumpFrameworkUntil([&] { return dlg.ShownPage() == 1; }));
    EXPECT_EQ(1, tabs.GetCurSel());
    EXPECT_TRUE(dlg.m_log.Is({ "TCN_SELCHANGING", "TCN_SELCHANGE 1" }));

    // SetCurSel tells no one: the page stays until the program changes it.
    dlg.m_log.Clear();
    EXPECT_EQ(1, tabs.SetCurSel(0));
    EXPECT_EQ(0, tabs.GetCurSel());
    EXPECT_EQ(1, dlg.ShownPage());
    EXPECT_TRUE(dlg.m_log.Is({}));
    EXPECT_EQ(-1, tabs.SetCurSel(5));
}

TEST(TabCtrls, InsertReadHitTestAndDelete)
{
    CReleaseCheck check;
    COpenFieldNotes notes;
    CTabCtrl& tabs = notes.dlg.m_tabs;
    CImageList& swatches = notes.dlg.m_swatches;

    EXPECT_EQ(NULL, tabs.GetImageList());
    EXPECT_EQ(NULL, tabs.SetImageList(&swatches));
    EXPECT_EQ(&swatches, tabs.GetImageList());
    EXPECT_EQ(0, tabs.InsertItem(0, "Notes", 2)) << "at the front";
    EXPECT_EQ(3, tabs.InsertItem(TCIF_TEXT | TCIF_PARAM, 9, "Map", 0, 0x5678)) << "past the end: at the end";
    EXPECT_EQ(4, tabs.GetItemCount());

    const struct
    {
        int nItem;
        const char* pszText;
        int nImage;
    } items[] = {
        { 0, "Notes", 2 },
        { 1, "Name", -1 },
        { 2, "Loudness", -1 },
        { 3, "Map", -1 },
    };
    for (const auto& i : items)
    {
        SCOPED_TRACE(i.pszText);
        char sz[32] = "";
        TC_ITEM item = {};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = sz;
        item.cchTextMax = sizeof sz;
        ASSERT_TRUE(tabs.GetItem(i.nItem, &item));
        EXPECT_STREQ(i.pszText, sz);
        EXPECT_EQ(i.nImage, item.iImage);
    }
    TC_ITEM param = {};
    param.mask = TCIF_PARAM;
    ASSERT_TRUE(tabs.GetItem(3, &param));
    EXPECT_EQ(0x5678, param.lParam);
    TC_ITEM rename = {};
    rename.mask = TCIF_TEXT;
    rename.pszText = (LPSTR)"Chart";
    EXPECT_TRUE(tabs.SetItem(3, &rename));

    // Hit tests in client coordinates.
    CRect rc;
    ASSERT_TRUE(tabs.GetItemRect(1, &rc));
    TC_HITTESTINFO hti = {};
    hti.pt = rc.CenterPoint();
    EXPECT_EQ(1, tabs.HitTest(&hti));
    EXPECT_TRUE(hti.flags & TCHT_ONITEM) << hti.flags;
    CRect rcClient;
    tabs.GetClientRect(&rcClient);
    hti.pt = CPoint(rcClient.right - 2, rcClient.bottom - 2);
    EXPECT_EQ(-1, tabs.HitTest(&hti)) << "the display area";
    EXPECT_FALSE(tabs.GetItemRect(7, &rc));

    EXPECT_TRUE(tabs.DeleteItem(0));
    EXPECT_EQ(3, tabs.GetItemCount());
    EXPECT_FALSE(tabs.DeleteItem(5));
    EXPECT_TRUE(tabs.DeleteAllItems());
    EXPECT_EQ(0, tabs.GetItemCount());
    EXPECT_EQ(-1, tabs.GetCurSel());
    EXPECT_EQ(&swatches, tabs.SetImageList(NULL));
}

namespace {

// Tabs drawn by the control's object: each tab filled with its own colour.
class CColourTabs : public CTabCtrl
{
public:
    static COLORREF ColourOf(int nItem) { return nItem == 0 ? RGB(255, 0, 0) : RGB(0, 0, 255); }

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override
    {
        m_nDrawn++;
        CDC::FromHandle(lpDIS->hDC)->FillSolidRect(&lpDIS->rcItem, ColourOf(lpDIS->itemID));
    }

    int m_nDrawn = 0;
};

} // namespace

TEST(TabCtrls, OwnerDrawnTabsReachTheControlsDrawItem)
{
    CReleaseCheck check;
    CWnd parent;
    parent.CreateEx(0, NULL, "tabs", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, NULL, NULL);
    CColourTabs tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE | TCS_OWNERDRAWFIXED | TCS_FIXEDWIDTH, CRect(10, 10, 280, 150), &parent, 3));
    tabs.SetItemSize(CSize(80, 24));
    tabs.InsertItem(0, "Red");
    tabs.InsertItem(1, "Blue");
    tabs.UpdateWindow();
    EXPECT_GE(tabs.m_nDrawn, 2);

    CClientDC dc(&tabs);
    for (int i = 0; i < 2; i++)
    {
        CRect rc;
        ASSERT_TRUE(tabs.GetItemRect(i, &rc));
        EXPECT_EQ(CColourTabs::ColourOf(i), dc.GetPixel(rc.CenterPoint())) << "tab " << i;
    }
    parent.DestroyWindow();
}
