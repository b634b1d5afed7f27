// CComboBox: creation, item texts, and its owner-drawn items through reflection.
#include "afxwin.h"
#include "ownerdraw.h"
#include "windowtext.h"

IMPLEMENT_DYNAMIC(CComboBox, CWnd)

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("COMBOBOX", NULL, dwStyle, rect, pParentWnd, nID);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    AfxGetItemText(m_hWnd, nIndex, CB_GETLBTEXTLEN, CB_GETLBTEXT, rString);
}

// Owner drawing: a class that makes the combo box owner-drawn overrides these.

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) { ASSERT(FALSE); }

void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) { ASSERT(FALSE); }

int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    ASSERT(FALSE);
    return 0;
}

void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CWnd::OnChildNotify(message, wParam, lParam, pResult))
        return TRUE;
    return AfxOwnerDrawToControl(this, message, lParam, pResult);
}
