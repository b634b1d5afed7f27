// Tree controls: expanded, collapsed and walked by the keyboard with the parent told
// (and able to refuse an expansion) through ON_NOTIFY, the selection drawn highlighted;
// walking the items, sorting children, texts, data, hit tests and deleting.
#include <afxcmn.h>
#include <gtest/gtest.h>

#include "commoncontrols_resource.h"
#include "dialog_driver.h"
#include "field_notes.h"

namespace {

std::string Children(const CTreeCtrl& tree, HTREEITEM hParent)
{
    std::string str;
    for (HTREEITEM h = tree.GetChildItem(hParent); h != NULL; h = tree.GetNextSiblingItem(h))
        str += (str.empty() ? "" : ",") + std::string((LPCSTR)tree.GetItemText(h));
    return str;
}

bool IsExpanded(const CTreeCtrl& tree, HTREEITEM hItem) { return (tree.GetItemState(hItem, TVIS_EXPANDED) & TVIS_EXPANDED) != 0; }

} // namespace

TEST(TreeCtrls, KeyboardExpandsSelectsAndCollapses)
{
    CReleaseCheck check;
    COpenFieldNotes notes;
    CFieldNotesDialog& dlg = notes.dlg;
    CTreeCtrl& tree = dlg.m_tree;
    tree.SetFocus();
    ASSERT_TRUE(tree.SelectItem(dlg.m_hWaders));
    EXPECT_EQ(dlg.m_hWaders, tree.GetSelectedItem());
    EXPECT_FALSE(IsExpanded(tree, dlg.m_hWaders));
    auto selectedIs = [&](const char* psz) {
        return PumpFrameworkUntil([&] { return tree.GetItemText(tree.GetSelectedItem()) == psz; });
    };

    const struct
    {
        WORD vk;
        const char* pszSelected;
        bool bWadersOpen;
    } keys[] = {
        { VK_RIGHT, "Waders", true },   // opens the item
        { VK_RIGHT, "Plover", true },   // then goes to its first child
        { VK_DOWN, "Avocet", true },
        { VK_END, "Terns", true },
        { VK_HOME, "Waders", true },
        { VK_DOWN, "Plover", true },
        { VK_LEFT, "Waders", true },    // from a child to its parent
        { VK_LEFT, "Waders", false },   // closes the item
        { VK_DOWN, "Gulls", false },
        { VK_RIGHT, "Gulls", false },   // the dialog refuses to open the gulls
        { VK_DOWN, "Terns", false },
    };
    for (const auto& k : keys)
    {
        SCOPED_TRACE(k.pszSelected);
        PressKey(k.vk);
        EXPECT_TRUE(selectedIs(k.pszSelected)) << (LPCSTR)tree.GetItemText(tree.GetSelectedItem());
        EXPECT_TRUE(PumpFrameworkUntil([&] { return IsExpanded(tree, dlg.m_hWaders) == k.bWadersOpen; }));
    }
    EXPECT_FALSE(IsExpanded(tree, dlg.m_hGulls));
    EXPECT_TRUE(dlg.m_log.Is({ "tree Waders", "expanding Waders", "expanded Waders", "tree Plover", "tree Avocet", "tree Terns",
                               "tree Waders", "tree Plover", "tree Waders", "collapsing Waders", "collapsed Waders",
                               "tree Gulls", "expanding Gulls", "tree Terns" }));

    // The selected item is drawn on the highlight colour while the tree has the focus.
    CRect rcText;
    ASSERT_TRUE(tree.GetItemRect(tree.GetSelectedItem(), &rcText, TRUE));
    tree.UpdateWindow();
    CClientDC dc(&tree);
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), dc.GetPixel(rcText.left + 1, rcText.top + 1));
    CRect rcGulls;
    ASSERT_TRUE(tree.GetItemRect(dlg.m_hGulls, &rcGulls, TRUE));
    EXPECT_EQ(::GetSysColor(COLOR_WINDOW), dc.GetPixel(rcGulls.left + 1, rcGulls.top + 1));

    // Expanding in code.
    EXPECT_TRUE(tree.Expand(dlg.m_hTerns, TVE_EXPAND));
    EXPECT_TRUE(IsExpanded(tree, dlg.m_hTerns));
    EXPECT_TRUE(tree.Expand(dlg.m_hTerns, TVE_TOGGLE));
    EXPECT_FALSE(IsExpanded(tree, dlg.m_hTerns));
    EXPECT_FALSE(tree.Expand(NULL, TVE_EXPAND));
}

TEST(TreeCtrls, WalkSortEditHitTestAndDelete)
{
    CReleaseCheck check;
    COpenFieldNotes notes;
    CFieldNotesDialog& dlg = notes.dlg;
    CTreeCtrl& tree = dlg.m_tree;

    EXPECT_EQ(9u, tree.GetCount());
    EXPECT_EQ(dlg.m_hWaders, tree.GetRootItem());
    EXPECT_EQ("Waders,Gulls,Terns", Children(tree, TVI_ROOT));
    EXPECT_EQ("Plover,Avocet,Knot", Children(tree, dlg.m_hWaders));
    HTREEITEM hAvocet = tree.GetNextSiblingItem(tree.GetChildItem(dlg.m_hWaders));
    EXPECT_EQ(dlg.m_hWaders, tree.GetParentItem(hAvocet));
    EXPECT_EQ(NULL, tree.GetParentItem(dlg.m_hWaders)) << "a top-level item";
    EXPECT_EQ(dlg.m_hWaders, tree.GetPrevSiblingItem(dlg.m_hGulls));
    EXPECT_TRUE(tree.ItemHasChildren(dlg.m_hGulls));
    EXPECT_FALSE(tree.ItemHasChildren(hAvocet));
    int nImage = -1;
    int nSelectedImage = -1;
    ASSERT_TRUE(tree.GetItemImage(dlg.m_hGulls, nImage, nSelectedImage));
    EXPECT_EQ(0, nImage);
    EXPECT_EQ(1, nSelectedImage);
    EXPECT_EQ(&dlg.m_swatches, tree.GetImageList(TVSIL_NORMAL));

    EXPECT_TRUE(tree.SortChildren(dlg.m_hWaders));
    EXPECT_EQ("Avocet,Knot,Plover", Children(tree, dlg.m_hWaders));
    EXPECT_TRUE(tree.SortChildren(TVI_ROOT));
    EXPECT_EQ("Gulls,Terns,Waders", Children(tree, TVI_ROOT));
    EXPECT_EQ("Avocet,Knot,Plover", Children(tree, dlg.m_hWaders)) << "one level only";

    // Texts of any length, data as wide as a pointer.
    CString strLong('k', 600);
    EXPECT_TRUE(tree.SetItemText(hAvocet, strLong));
    EXPECT_EQ(strLong, tree.GetItemText(hAvocet));
    EXPECT_EQ("", tree.GetItemText(NULL));
    DWORD_PTR dwHigh = (DWORD_PTR)0xFEDCBA987654ull;
    EXPECT_TRUE(tree.SetItemData(hAvocet, dwHigh));
    EXPECT_EQ(dwHigh, tree.GetItemData(hAvocet));
    EXPECT_EQ(0u, tree.GetItemData(dlg.m_hGulls));
    EXPECT_TRUE(tree.SetItemState(dlg.m_hTerns, TVIS_BOLD, TVIS_BOLD));
    EXPECT_EQ((UINT)TVIS_BOLD, tree.GetItemState(dlg.m_hTerns, TVIS_BOLD));

    // An item under a closed parent has no place on the screen until EnsureVisible.
    CRect rc;
    EXPECT_FALSE(tree.GetItemRect(hAvocet, &rc, FALSE));
    tree.EnsureVisible(hAvocet);
    EXPECT_TRUE(IsExpanded(tree, dlg.m_hWaders));
    ASSERT_TRUE(tree.GetItemRect(hAvocet, &rc, TRUE));
    UINT nFlags = 0;
    EXPECT_EQ(hAvocet, tree.HitTest(CPoint(rc.left + 2, rc.CenterPoint().y), &nFlags));
    EXPECT_TRUE(nFlags & TVHT_ONITEMLABEL) << nFlags;
    CRect rcClient;
    tree.GetClientRect(&rcClient);
    EXPECT_EQ(NULL, tree.HitTest(CPoint(rcClient.right - 2, rcClient.bottom - 2), &nFlags));

    // Selecting a child of a closed parent opens the parent.
    HTREEITEM hKittiwake = tree.GetNextSiblingItem(tree.GetChildItem(dlg.m_hGulls));
    EXPECT_TRUE(tree.SelectItem(hKittiwake));
    EXPECT_EQ(hKittiwake, tree.GetSelectedItem());

    // Deleting an item deletes what is under it.
    EXPECT_TRUE(tree.DeleteItem(dlg.m_hWaders));
    EXPECT_EQ(5u, tree.GetCount());
    EXPECT_EQ("Gulls,Terns", Children(tree, TVI_ROOT));
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(0u, tree.GetCount());
    EXPECT_EQ(NULL, tree.GetSelectedItem());
    EXPECT_EQ(NULL, tree.GetRootItem());

    // The other forms of InsertItem.
    HTREEITEM hTop = tree.InsertItem(TVIF_TEXT | TVIF_PARAM, "Grebes", 0, 0, 0, 0, 77, TVI_ROOT, TVI_LAST);
    ASSERT_NE((HTREEITEM)NULL, hTop);
    EXPECT_EQ(77u, tree.GetItemData(hTop));
    tree.InsertItem("Little grebe", hTop, TVI_SORT);
    tree.InsertItem("Great crested grebe", hTop, TVI_SORT);
    tree.InsertItem("Slavonian grebe", hTop, TVI_FIRST);
    EXPECT_EQ("Slavonian grebe,Great crested grebe,Little grebe", Children(tree, hTop));
}

namespace {

// A tree that follows its own selection through ON_NOTIFY_REFLECT.
class CSelfWatchingTree : public CTreeCtrl
{
public:
    std::vector<std::string> m_selected;

protected:
    afx_msg void OnSelChanged(NMHDR* pNMHDR, LRESULT*)
    {
        m_selected.push_back((LPCSTR)GetItemText(((NM_TREEVIEW*)pNMHDR)->itemNew.hItem));
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfWatchingTree, CTreeCtrl)
    ON_NOTIFY_REFLECT(TVN_SELCHANGED, OnSelChanged)
END_MESSAGE_MAP()

// Its parent, which counts the notifications that reach it.
class CTreeParent : public CWnd
{
public:
    int m_nSelChanged = 0;

protected:
    afx_msg void OnSelChanged(NMHDR*, LRESULT*) { m_nSelChanged++; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTreeParent, CWnd)
    ON_NOTIFY(TVN_SELCHANGED, 4, OnSelChanged)
END_MESSAGE_MAP()

} // namespace

TEST(TreeCtrls, ReflectedNotificationReachesTheTreeAndNotTheParent)
{
    CReleaseCheck check;
    CTreeParent parent;
    parent.CreateEx(0, NULL, "tree", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200, NULL, NULL);
    CSelfWatchingTree tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS, CRect(0, 0, 200, 150), &parent, 4));
    HTREEITEM hGrebes = tree.InsertItem("Grebes");
    tree.InsertItem("Little grebe", hGrebes);
    EXPECT_TRUE(tree.SelectItem(hGrebes));
    EXPECT_TRUE(tree.SelectItem(tree.GetChildItem(hGrebes)));
    EXPECT_EQ((std::vector<std::string>{ "Grebes", "Little grebe" }), tree.m_selected);
    EXPECT_EQ(0, parent.m_nSelChanged);
    parent.DestroyWindow();
}
