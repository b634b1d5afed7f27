// List controls in report view: filled by a dialog, sorted by clicks on the header's
// columns, selected by clicks and keys with the parent told through ON_NOTIFY, the
// images of the items on the screen; finding, hit-testing, scrolling to, deleting
// items, long texts and pointer-sized data; and header controls standing alone.
#include <afxcmn.h>
#include <gtest/gtest.h>

#include "commoncontrols_resource.h"
#include "dialog_driver.h"
#include "field_notes.h"

namespace {

void ClickClientPoint(CWnd& wnd, CPoint pt)
{
    wnd.ClientToScreen(&pt);
    ClickAt(pt);
}

int SelectedItem(const CListCtrl& list) { return list.GetNextItem(-1, LVNI_SELECTED); }

} // namespace

TEST(ListCtrls, ReportListSortsByTheClickedColumnAndSelectsByClicksAndKeys)
{
    CReleaseCheck check;
    COpenFieldNotes notes;
    CFieldNotesDialog& dlg = notes.dlg;
    CListCtrl& list = dlg.m_list;
    EXPECT_EQ("Knot:12 Avocet:30 Plover:4 Dunlin:7", dlg.Rows());
    EXPECT_EQ(90, list.GetColumnWidth(0));
    char szHeading[16] = "";
    LV_COLUMN column = { LVCF_TEXT | LVCF_FMT, 0, 0, szHeading, sizeof szHeading };
    ASSERT_TRUE(list.GetColumn(1, &column));
    EXPECT_STREQ("Count", szHeading);
    EXPECT_EQ(LVCFMT_RIGHT, column.fmt & LVCFMT_JUSTIFYMASK);

    // The header's columns, clicked, sort the rows through the dialog's callback.
    CHeaderCtrl* pHeader = list.GetHeaderCtrl();
    ASSERT_NE(nullptr, pHeader);
    EXPECT_EQ(2, pHeader->GetItemCount());
    // Each click a few pixels from the last, which would make a double click.
    int nClicks = 0;
    auto clickColumn = [&](int nCol, const char* pszRows) {
        CRect rc;
        ASSERT_TRUE(pHeader->GetItemRect(nCol, &rc));
        ClickClientPoint(*pHeader, rc.CenterPoint() + CPoint(8 * nClicks++ - 12, 0));
        EXPECT_TRUE(PumpFrameworkUntil([&] { return dlg.Rows() == pszRows; })) << dlg.Rows();
    };
    clickColumn(1, "Plover:4 Dunlin:7 Knot:12 Avocet:30");
    clickColumn(0, "Avocet:30 Dunlin:7 Knot:12 Plover:4");
    list.SortItems([](LPARAM l1, LPARAM l2, LPARAM) { return ((const CSighting*)l2)->nCount - ((const CSighting*)l1)->nCount; }, 0);
    EXPECT_EQ("Avocet:30 Knot:12 Dunlin:7 Plover:4", dlg.Rows()) << "sorted in code";
    clickColumn(0, "Avocet:30 Dunlin:7 Knot:12 Plover:4");
    EXPECT_TRUE(dlg.m_log.Only("LVN").Is({ "LVN_COLUMNCLICK 1", "LVN_COLUMNCLICK 0", "LVN_COLUMNCLICK 0" }));
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(std::string(((const CSighting*)list.GetItemData(i))->pszBird), (LPCSTR)list.GetItemText(i, 0))
            << "the data moved with its item";

    // A click selects; the arrow keys move the selection; the parent hears of each.
    EXPECT_EQ(-1, SelectedItem(list));
    CRect rcItem;
    ASSERT_TRUE(list.GetItemRect(2, &rcItem, LVIR_LABEL));
    ClickClientPoint(list, rcItem.CenterPoint());
    EXPECT_TRUE(PumpFrameworkUntil([&] { return SelectedItem(list) == 2; }));
    EXPECT_EQ(1u, list.GetSelectedCount());
    EXPECT_EQ((UINT)(LVIS_SELECTED | LVIS_FOCUSED), list.GetItemState(2, LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(list.m_hWnd, ::GetFocus());
    PressKey(VK_DOWN);
    EXPECT_TRUE(PumpFrameworkUntil([&] { return SelectedItem(list) == 3; }));
    PressKey(VK_HOME);
    EXPECT_TRUE(PumpFrameworkUntil([&] { return SelectedItem(list) == 0; }));
    EXPECT_TRUE(dlg.m_log.Only("selected").Is({ "selected Knot", "selected Plover", "selected Avocet" }));

    // Selecting in code.
    EXPECT_TRUE(list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED));
    EXPECT_EQ(1, SelectedItem(list)) << "a single-selection list keeps one";
    EXPECT_EQ(-1, list.GetNextItem(1, LVNI_SELECTED));
    EXPECT_TRUE(list.SetItemState(-1, 0, LVIS_SELECTED)) << "-1: every item";
    EXPECT_EQ(0u, list.GetSelectedCount());

    // Each row shows its image: Avocet's is the second swatch, green; Knot's red.
    list.UpdateWindow();
    auto iconColour = [&](int nItem) {
        CRect rc;
        list.GetItemRect(nItem, &rc, LVIR_ICON);
        CClientDC dc(&list);
        return dc.GetPixel(rc.CenterPoint());
    };
    EXPECT_EQ(RGB(0, 255, 0), iconColour(0));
    EXPECT_EQ(RGB(255, 0, 0), iconColour(2));
}

TEST(ListCtrls, FindHitTestScrollAndDelete)
{
    CReleaseCheck check;
    COpenFieldNotes notes;
    CListCtrl& list = notes.dlg.m_list;

    const struct
    {
        UINT flags;
        const char* psz;
        int nStart;
        int nFound;
    } finds[] = {
        { LVFI_STRING, "Plover", -1, 2 },
        { LVFI_STRING, "plover", -1, 2 },           // case does not matter
        { LVFI_STRING, "Plo", -1, -1 },             // whole texts only ...
        { LVFI_STRING | LVFI_PARTIAL, "Plo", -1, 2 }, // ... unless partial
        { LVFI_STRING, "Knot", 0, -1 },             // after item 0, no wrapping
        { LVFI_STRING | LVFI_WRAP, "Knot", 0, 0 },
        { LVFI_STRING, "Stint", -1, -1 },
    };
    for (const auto& f : finds)
    {
        SCOPED_TRACE(f.psz);
        LV_FINDINFO info = {};
        info.flags = f.flags;
        info.psz = f.psz;
        EXPECT_EQ(f.nFound, list.FindItem(&info, f.nStart));
    }
    LV_FINDINFO byData = {};
    byData.flags = LVFI_PARAM;
    byData.lParam = (LPARAM)&CFieldNotesDialog::sightings[3];
    EXPECT_EQ(3, list.FindItem(&byData));

    // Hit tests in client coordinates.
    CRect rcItem;
    ASSERT_TRUE(list.GetItemRect(1, &rcItem, LVIR_BOUNDS));
    UINT nFlags = 0;
    EXPECT_EQ(1, list.HitTest(rcItem.CenterPoint(), &nFlags));
    EXPECT_TRUE(nFlags & LVHT_ONITEM) << nFlags;
    CRect rcClient;
    list.GetClientRect(&rcClient);
    EXPECT_EQ(-1, list.HitTest(CPoint(rcClient.left + 2, rcClient.bottom - 2), &nFlags)) << "below the last row";
    EXPECT_TRUE(nFlags & LVHT_NOWHERE) << nFlags;
    EXPECT_FALSE(list.GetItemRect(9, &rcItem, LVIR_BOUNDS));

    // Long texts come back whole; what is not there comes back empty.
    CString strLong('w', 700);
    EXPECT_TRUE(list.SetItemText(0, 1, strLong));
    EXPECT_EQ(strLong, list.GetItemText(0, 1));
    EXPECT_EQ("", list.GetItemText(9, 0));
    EXPECT_EQ("", list.GetItemText(0, 5));
    char sz[4];
    EXPECT_EQ(3, list.GetItemText(2, 0, sz, sizeof sz));
    EXPECT_STREQ("Plo", sz) << "cut to the buffer";
    EXPECT_EQ(0, list.GetItemText(2, 0, sz, 0));

    // Item data as wide as a pointer.
    DWORD_PTR dwHigh = (DWORD_PTR)0x123456789ABCull;
    EXPECT_TRUE(list.SetItemData(1, dwHigh));
    EXPECT_EQ(dwHigh, list.GetItemData(1));
    EXPECT_EQ(0u, list.GetItemData(9));

    // Many more rows than fit: EnsureVisible scrolls the last into view.
    for (int i = 0; i < 40; i++)
        list.InsertItem(list.GetItemCount(), "Stint");
    int nLast = list.GetItemCount() - 1;
    EXPECT_EQ(0, list.GetTopIndex());
    EXPECT_LT(list.GetCountPerPage(), nLast);
    EXPECT_TRUE(list.EnsureVisible(nLast, FALSE));
    EXPECT_GT(list.GetTopIndex(), 0);
    ASSERT_TRUE(list.GetItemRect(nLast, &rcItem, LVIR_BOUNDS));
    EXPECT_LE(rcItem.bottom, rcClient.bottom) << "wholly in view";

    EXPECT_TRUE(list.DeleteItem(0));
    EXPECT_EQ("Avocet", list.GetItemText(0, 0));
    EXPECT_FALSE(list.DeleteItem(100));
    EXPECT_EQ(43, list.GetItemCount());
    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(0, list.GetItemCount());
    EXPECT_EQ(2, list.GetHeaderCtrl()->GetItemCount()) << "the columns stay";
    EXPECT_TRUE(list.DeleteColumn(0));
    EXPECT_EQ(1, list.GetHeaderCtrl()->GetItemCount());
}

TEST(HeaderCtrls, ItemsAndTheLayoutInTheirParent)
{
    CReleaseCheck check;
    CWnd parent;
    parent.CreateEx(0, NULL, "header", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, NULL, NULL);
    CHeaderCtrl header;
    ASSERT_TRUE(header.Create(WS_CHILD | WS_VISIBLE | HDS_BUTTONS, CRect(0, 0, 280, 20), &parent, 7));
    EXPECT_EQ(0, header.GetItemCount());

    for (const char* psz : { "Bird", "Place", "Count" })
    {
        HD_ITEM item = {};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.pszText = (LPSTR)psz;
        item.cxy = 70;
        item.fmt = HDF_LEFT | HDF_STRING;
        int nCount = header.GetItemCount();
        EXPECT_EQ(nCount, header.InsertItem(nCount, &item));
    }
    EXPECT_EQ(3, header.GetItemCount());

    HD_ITEM width = {};
    width.mask = HDI_WIDTH;
    width.cxy = 100;
    EXPECT_TRUE(header.SetItem(1, &width));
    CRect rc;
    ASSERT_TRUE(header.GetItemRect(2, &rc));
    EXPECT_EQ(170, rc.left) << "after 70 and 100";

    char szText[16] = "";
    HD_ITEM text = {};
    text.mask = HDI_TEXT;
    text.pszText = szText;
    text.cchTextMax = sizeof szText;
    ASSERT_TRUE(header.GetItem(2, &text));
    EXPECT_STREQ("Count", szText);
    EXPECT_TRUE(header.DeleteItem(0));
    ASSERT_TRUE(header.GetItem(0, &text));
    EXPECT_STREQ("Place", szText);
    EXPECT_FALSE(header.DeleteItem(5));

    // Layout takes the header's height from the top of the rectangle.
    CRect rcLeft(0, 0, 280, 150);
    WINDOWPOS pos = {};
    HD_LAYOUT layout = { &rcLeft, &pos };
    ASSERT_TRUE(header.Layout(&layout));
    EXPECT_EQ(0, pos.y);
    EXPECT_GT(pos.cy, 0);
    EXPECT_EQ(280, pos.cx);
    EXPECT_EQ(pos.cy, rcLeft.top) << "what is left starts below the header";
    parent.DestroyWindow();
}
