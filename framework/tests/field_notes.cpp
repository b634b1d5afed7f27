// The field-notes dialog of the common-control tests.
#include "field_notes.h"

#include "commoncontrols_resource.h"

const CSighting CFieldNotesDialog::sightings[4] = {
    { "Knot", 12 },
    { "Avocet", 30 },
    { "Plover", 4 },
    { "Dunlin", 7 },
};

BEGIN_MESSAGE_MAP(CFieldNotesDialog, CDialog)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_BIRDLIST, OnColumnClick)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_BIRDLIST, OnItemChanged)
    ON_NOTIFY(TVN_ITEMEXPANDING, IDC_BIRDTREE, OnItemExpanding)
    ON_NOTIFY(TVN_ITEMEXPANDED, IDC_BIRDTREE, OnItemExpanded)
    ON_NOTIFY(TVN_SELCHANGED, IDC_BIRDTREE, OnTreeSelChanged)
    ON_NOTIFY(TCN_SELCHANGING, IDC_BIRDTABS, OnTabChanging)
    ON_NOTIFY(TCN_SELCHANGE, IDC_BIRDTABS, OnTabChange)
END_MESSAGE_MAP()

void CFieldNotesDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BIRDLIST, m_list);
    DDX_Control(pDX, IDC_BIRDTREE, m_tree);
    DDX_Control(pDX, IDC_BIRDTABS, m_tabs);
}

BOOL CFieldNotesDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_swatches.Create(IDB_SWATCHES, 8, 1, RGB(255, 0, 255));

    // The list: a row per sighting, its image by its place, its data the sighting.
    m_list.SetImageList(&m_swatches, LVSIL_SMALL);
    m_list.InsertColumn(0, "Bird", LVCFMT_LEFT, 90);
    m_list.InsertColumn(1, "Count", LVCFMT_RIGHT, 60);
    for (int i = 0; i < 4; i++)
    {
        int nItem = m_list.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, i, sightings[i].pszBird, 0, 0, i,
                                      (LPARAM)&sightings[i]);
        CString strCount;
        strCount.Format("%d", sightings[i].nCount);
        m_list.SetItemText(nItem, 1, strCount);
    }

    m_tree.SetImageList(&m_swatches, TVSIL_NORMAL);
    m_hWaders = m_tree.InsertItem("Waders", 0, 1);
    for (const char* psz : { "Plover", "Avocet", "Knot" })
        m_tree.InsertItem(psz, 2, 2, m_hWaders);
    m_hGulls = m_tree.InsertItem("Gulls", 0, 1);
    m_tree.InsertItem("Herring gull", m_hGulls);
    m_tree.InsertItem("Kittiwake", m_hGulls);
    m_hTerns = m_tree.InsertItem("Terns", 0, 1);
    m_tree.InsertItem("Arctic tern", m_hTerns);

    // The pages fill the tab control's display area.
    m_tabs.InsertItem(0, "Name");
    m_tabs.InsertItem(1, "Loudness");
    CRect rcPage;
    m_tabs.GetWindowRect(&rcPage);
    ScreenToClient(&rcPage);
    m_tabs.AdjustRect(FALSE, &rcPage);
    for (int nID : { IDC_PAGE_NAME, IDC_PAGE_LOUD })
        GetDlgItem(nID)->MoveWindow(rcPage.left, rcPage.top, rcPage.Width(), 14);
    ShowPage(0);
    return TRUE;
}

std::string CFieldNotesDialog::Rows() const
{
    std::string str;
    for (int i = 0; i < m_list.GetItemCount(); i++)
        str += std::string(i > 0 ? " " : "") + (LPCSTR)m_list.GetItemText(i, 0) + ":" + (LPCSTR)m_list.GetItemText(i, 1);
    return str;
}

int CFieldNotesDialog::ShownPage() const
{
    bool bName = ::IsWindowVisible(::GetDlgItem(m_hWnd, IDC_PAGE_NAME));
    bool bLoud = ::IsWindowVisible(::GetDlgItem(m_hWnd, IDC_PAGE_LOUD));
    return bName == bLoud ? -1 : bName ? 0 : 1;
}

int CALLBACK CFieldNotesDialog::CompareSightings(LPARAM lParam1, LPARAM lParam2, LPARAM lColumn)
{
    auto* p1 = (const CSighting*)lParam1;
    auto* p2 = (const CSighting*)lParam2;
    return lColumn == 0 ? strcmp(p1->pszBird, p2->pszBird) : p1->nCount - p2->nCount;
}

void CFieldNotesDialog::OnColumnClick(NMHDR* pNMHDR, LRESULT*)
{
    auto* pNMListView = (NM_LISTVIEW*)pNMHDR;
    m_log.Add("LVN_COLUMNCLICK " + std::to_string(pNMListView->iSubItem));
    m_list.SortItems(CompareSightings, pNMListView->iSubItem);
}

void CFieldNotesDialog::OnItemChanged(NMHDR* pNMHDR, LRESULT*)
{
    auto* pNMListView = (NM_LISTVIEW*)pNMHDR;
    if ((pNMListView->uChanged & LVIF_STATE) && (pNMListView->uNewState & LVIS_SELECTED)
        && !(pNMListView->uOldState & LVIS_SELECTED))
        m_log.Add(std::string("selected ") + ((const CSighting*)pNMListView->lParam)->pszBird);
}

void CFieldNotesDialog::OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pNMTreeView = (NM_TREEVIEW*)pNMHDR;
    bool bExpand = pNMTreeView->action == TVE_EXPAND;
    m_log.Add(std::string(bExpand ? "expanding " : "collapsing ") + (LPCSTR)m_tree.GetItemText(pNMTreeView->itemNew.hItem));
    *pResult = bExpand && pNMTreeView->itemNew.hItem == m_hGulls;
}

void CFieldNotesDialog::OnItemExpanded(NMHDR* pNMHDR, LRESULT*)
{
    auto* pNMTreeView = (NM_TREEVIEW*)pNMHDR;
    m_log.Add(std::string(pNMTreeView->action == TVE_EXPAND ? "expanded " : "collapsed ")
              + (LPCSTR)m_tree.GetItemText(pNMTreeView->itemNew.hItem));
}

void CFieldNotesDialog::OnTreeSelChanged(NMHDR* pNMHDR, LRESULT*)
{
    auto* pNMTreeView = (NM_TREEVIEW*)pNMHDR;
    m_log.Add(std::string("tree ") + (LPCSTR)m_tree.GetItemText(pNMTreeView->itemNew.hItem));
}

void CFieldNotesDialog::OnTabChanging(NMHDR*, LRESULT* pResult)
{
    bool bRefuse = m_tabs.GetCurSel() == 0 && GetDlgItem(IDC_PAGE_NAME)->GetWindowTextLength() == 0;
    m_log.Add(bRefuse ? "TCN_SELCHANGING refused" : "TCN_SELCHANGING");
    *pResult = bRefuse;
}

void CFieldNotesDialog::OnTabChange(NMHDR*, LRESULT*)
{
    m_log.Add("TCN_SELCHANGE " + std::to_string(m_tabs.GetCurSel()));
    ShowPage(m_tabs.GetCurSel());
}

void CFieldNotesDialog::ShowPage(int nPage)
{
    GetDlgItem(IDC_PAGE_NAME)->ShowWindow(nPage == 0 ? SW_SHOW : SW_HIDE);
    GetDlgItem(IDC_PAGE_LOUD)->ShowWindow(nPage == 1 ? SW_SHOW : SW_HIDE);
}

COpenFieldNotes::COpenFieldNotes()
{
    EXPECT_TRUE(dlg.Create(IDD_BIRDS));
    dlg.SetForegroundWindow();
    PumpWaiting();
    dlg.m_log.Clear();
}
