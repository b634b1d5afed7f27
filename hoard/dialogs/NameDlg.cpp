// The name dialog.
#include "hoard/dialogs/NameDlg.h"

#include "hoard/res/resource.h"
#include "hoard/runtime/HoardModule.h"

CNameDlg::CNameDlg(CWnd* pParent) : CDialog(IDD_ENTER_NAME, pParent), m_strName(HoardLoadString(IDS_UNTITLED)) {}

void CNameDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NAME, m_strName);
}
