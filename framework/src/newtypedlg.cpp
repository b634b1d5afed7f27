// The dialog that asks for the type of a new document among the templates.
#include "newtypedlg.h"

BOOL CNewTypeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    HWND hWndList = ::GetDlgItem(m_hWnd, AFX_IDC_LISTBOX);
    for (POSITION pos = m_pList->GetHeadPosition(); pos != NULL;)
    {
        CDocTemplate* pTemplate = static_cast<CDocTemplate*>(m_pList->GetNext(pos));
        CString strTypeName;
        if (!pTemplate->GetDocString(strTypeName, CDocTemplate::fileNewName) || strTypeName.IsEmpty())
            continue;
        int nIndex = (int)::SendMessage(hWndList, LB_ADDSTRING, 0, (LPARAM)(LPCTSTR)strTypeName);
        if (nIndex >= 0)
            ::SendMessage(hWndList, LB_SETITEMDATA, nIndex, (LPARAM)pTemplate);
    }
    ::SendMessage(hWndList, LB_SETCURSEL, 0, 0);
    return TRUE;
}

void CNewTypeDlg::OnOK()
{
    HWND hWndList = ::GetDlgItem(m_hWnd, AFX_IDC_LISTBOX);
    int nIndex = (int)::SendMessage(hWndList, LB_GETCURSEL, 0, 0);
    if (nIndex < 0)
        return;
    m_pSelectedTemplate = reinterpret_cast<CDocTemplate*>(::SendMessage(hWndList, LB_GETITEMDATA, nIndex, 0));
    CDialog::OnOK();
}
