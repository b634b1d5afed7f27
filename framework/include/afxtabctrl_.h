// CTabCtrl: a tab control ("SysTabControl32"). Tabs count from 0; choosing one sends
// TCN_SELCHANGING (a nonzero result keeps the current tab) and TCN_SELCHANGE to the
// parent, which shows the page of the new tab in the display area that AdjustRect gives.
#pragma once

#include "afximagelist_.h"

class CToolTipCtrl;

class AFX_FRAMEWORK CTabCtrl : public CWnd
{
    DECLARE_DYNAMIC(CTabCtrl)
public:
    CTabCtrl() = default;
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

// Attributes
    // The list's owner, else a temporary object, or NULL.
    CImageList* GetImageList() const;
    // The previous list (its owner, else a temporary object), or NULL; the control
    // does not destroy its list.
    CImageList* SetImageList(CImageList* pImageList);
    int GetItemCount() const { return (int)::SendMessage(m_hWnd, TCM_GETITEMCOUNT, 0, 0); }
    BOOL GetItem(int nItem, TC_ITEM* pTabCtrlItem) const
        { return (BOOL)::SendMessage(m_hWnd, TCM_GETITEM, nItem, (LPARAM)pTabCtrlItem); }
    BOOL SetItem(int nItem, TC_ITEM* pTabCtrlItem) { return (BOOL)::SendMessage(m_hWnd, TCM_SETITEM, nItem, (LPARAM)pTabCtrlItem); }
    BOOL GetItemRect(int nItem, LPRECT lpRect) const
        { return (BOOL)::SendMessage(m_hWnd, TCM_GETITEMRECT, nItem, (LPARAM)lpRect); }
    // -1 when no tab is chosen.
    int GetCurSel() const { return (int)::SendMessage(m_hWnd, TCM_GETCURSEL, 0, 0); }
    // Chooses a tab without notifying the parent; the previous one, or -1.
    int SetCurSel(int nItem) { return (int)::SendMessage(m_hWnd, TCM_SETCURSEL, nItem, 0); }
    int GetCurFocus() const { return (int)::SendMessage(m_hWnd, TCM_GETCURFOCUS, 0, 0); }
    // The width and height of tabs (TCS_FIXEDWIDTH, TCS_OWNERDRAWFIXED); the previous.
    CSize SetItemSize(CSize size);
    void SetPadding(CSize size) { ::SendMessage(m_hWnd, TCM_SETPADDING, 0, MAKELPARAM(size.cx, size.cy)); }
    int GetRowCount() const { return (int)::SendMessage(m_hWnd, TCM_GETROWCOUNT, 0, 0); }
    // The control's tool tips (TCS_TOOLTIPS), a temporary object, or NULL.
    CToolTipCtrl* GetTooltips() const;
    void SetTooltips(CToolTipCtrl* pWndTip);

// Operations
    // The index of the new tab, or -1.
    LONG InsertItem(int nItem, TC_ITEM* pTabCtrlItem)
        { return (LONG)::SendMessage(m_hWnd, TCM_INSERTITEM, nItem, (LPARAM)pTabCtrlItem); }
    LONG InsertItem(int nItem, LPCTSTR lpszItem) { return InsertItem(TCIF_TEXT, nItem, lpszItem, 0, 0); }
    LONG InsertItem(int nItem, LPCTSTR lpszItem, int nImage) { return InsertItem(TCIF_TEXT | TCIF_IMAGE, nItem, lpszItem, nImage, 0); }
    LONG InsertItem(UINT nMask, int nItem, LPCTSTR lpszItem, int nImage, LPARAM lParam);
    BOOL DeleteItem(int nItem) { return (BOOL)::SendMessage(m_hWnd, TCM_DELETEITEM, nItem, 0); }
    BOOL DeleteAllItems() { return (BOOL)::SendMessage(m_hWnd, TCM_DELETEALLITEMS, 0, 0); }
    // bLarger FALSE: the display area of a window rectangle; TRUE: the window
    // rectangle for a display area. Both in the same coordinates (the parent's, say).
    void AdjustRect(BOOL bLarger, LPRECT lpRect) { ::SendMessage(m_hWnd, TCM_ADJUSTRECT, bLarger, (LPARAM)lpRect); }
    // Removes the image from the list; tabs showing later images shift with them.
    void RemoveImage(int nImage) { ::SendMessage(m_hWnd, TCM_REMOVEIMAGE, nImage, 0); }
    // The tab at pHitTestInfo->pt (client coordinates), or -1.
    int HitTest(TC_HITTESTINFO* pHitTestInfo) const { return (int)::SendMessage(m_hWnd, TCM_HITTEST, 0, (LPARAM)pHitTestInfo); }

// Overridables
    // Draws a tab of a TCS_OWNERDRAWFIXED control; nothing by default.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    // WM_DRAWITEM reaches DrawItem unless the map has a reflected handler for it.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};
