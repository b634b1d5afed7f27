// The field-notes dialog of the common-control tests (IDD_BIRDS), written as a program
// of its own would be: a report list of sightings that sorts by the column clicked, a
// tree of birds by family (the gulls refuse to open), and a tab control whose two pages
// are controls of the dialog (the name page refuses to close while the name is empty).
// What the handlers saw goes to a log.
#pragma once

#include <afxcmn.h>

#include "msg_log.h"

struct CSighting
{
    const char* pszBird;
    int nCount;
};

class CFieldNotesDialog : public CDialog
{
public:
    static const CSighting sightings[4];    // Knot 12, Avocet 30, Plover 4, Dunlin 7

    CListCtrl m_list;
    CTreeCtrl m_tree;
    CTabCtrl m_tabs;
    CImageList m_swatches;      // red, green, blue and a transparent one
    CMsgLog m_log;

    HTREEITEM m_hWaders = NULL;     // Plover, Avocet, Knot, in that order
    HTREEITEM m_hGulls = NULL;      // Herring gull, Kittiwake
    HTREEITEM m_hTerns = NULL;      // Arctic tern

    // The text of each item of the list in its order, "Bird:Count" each.
    std::string Rows() const;
    // The page on show, 0 or 1, -1 for both or neither.
    int ShownPage() const;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    afx_msg void OnColumnClick(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnItemExpanded(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTreeSelChanged(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTabChanging(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnTabChange(NMHDR* pNMHDR, LRESULT* pResult);

    DECLARE_MESSAGE_MAP()

private:
    static int CALLBACK CompareSightings(LPARAM lParam1, LPARAM lParam2, LPARAM lColumn);
    void ShowPage(int nPage);
};

// The dialog, open (modeless) and in the foreground for the length of a test, its log
// empty.
struct COpenFieldNotes
{
    COpenFieldNotes();
    ~COpenFieldNotes() { dlg.DestroyWindow(); }
    COpenFieldNotes(const COpenFieldNotes&) = delete;
    COpenFieldNotes& operator=(const COpenFieldNotes&) = delete;

    CFieldNotesDialog dlg;
};
