// The titled file dialog: the title goes on the system dialog's frame when it shows.
#include "hoard/dialogs/TitledFileDialog.h"

IMPLEMENT_DYNAMIC(CTitledFileDialog, CFileDialog)

BEGIN_MESSAGE_MAP(CTitledFileDialog, CFileDialog)
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CTitledFileDialog::CTitledFileDialog(int bOpenFileDialog, const char* pszTitle, const char* pszDefExt,
                                     const char* pszFileName, DWORD dwFlags, const char* pszFilter,
                                     CWnd* pParent)
    : CFileDialog(bOpenFileDialog, pszDefExt, pszFileName, dwFlags, pszFilter, pParent), m_strTitle(pszTitle)
{
}

void CTitledFileDialog::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CFileDialog::OnShowWindow(bShow, nStatus);
    // The object is bound to a child of the system's dialog.
    if (CWnd* pFrame = GetParent())
        pFrame->SetWindowText(m_strTitle);
}
