// CHeaderCtrl: a header control ("SysHeader32"), the row of column titles above a
// report list or standing alone. Items count from 0 in the order they were inserted.
// Its notifications (HDN_...) reach the parent's map through ON_NOTIFY.
#pragma once

#include "afxwin.h"

#include <commctrl.h>

class AFX_FRAMEWORK CHeaderCtrl : public CWnd
{
    DECLARE_DYNAMIC(CHeaderCtrl)
public:
    CHeaderCtrl() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

// Attributes
    int GetItemCount() const { return (int)::SendMessage(m_hWnd, HDM_GETITEMCOUNT, 0, 0); }
    // The members that pHeaderItem->mask names; a text is copied into its pszText.
    BOOL GetItem(int nPos, HD_ITEM* pHeaderItem) const
        { return (BOOL)::SendMessage(m_hWnd, HDM_GETITEM, nPos, (LPARAM)pHeaderItem); }
    BOOL SetItem(int nPos, HD_ITEM* pHeaderItem) { return (BOOL)::SendMessage(m_hWnd, HDM_SETITEM, nPos, (LPARAM)pHeaderItem); }
    BOOL GetItemRect(int nIndex, LPRECT lpRect) const
        { return (BOOL)::SendMessage(m_hWnd, HDM_GETITEMRECT, nIndex, (LPARAM)lpRect); }

// Operations
    // The index of the new item, or -1.
    int InsertItem(int nPos, HD_ITEM* phdi) { return (int)::SendMessage(m_hWnd, HDM_INSERTITEM, nPos, (LPARAM)phdi); }
    BOOL DeleteItem(int nPos) { return (BOOL)::SendMessage(m_hWnd, HDM_DELETEITEM, nPos, 0); }
    // The place and size the header takes within pHeaderLayout->prc (its window
    // position into pHeaderLayout->pwpos); prc becomes what is left below it.
    BOOL Layout(HD_LAYOUT* pHeaderLayout) { return (BOOL)::SendMessage(m_hWnd, HDM_LAYOUT, 0, (LPARAM)pHeaderLayout); }

// Overridables
    // Draws an HDF_OWNERDRAW item; nothing by default.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    // WM_DRAWITEM reaches DrawItem unless the map has a reflected handler for it.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
