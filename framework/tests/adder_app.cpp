// The adder's application and dialogs.
#include <afxwin.h>
#include <afxext.h>
#include <afxdisp.h>

#include "adder_app.h"

namespace {

const TCHAR szSettings[] = _T("Settings");
const TCHAR szLargest[] = _T("Largest Sum");

class CAboutDlg : public CDialog
{
public:
    CAboutDlg() : CDialog(IDD) {}
    enum { IDD = IDD_ABOUTBOX };
};

} // namespace

BEGIN_MESSAGE_MAP(CAdderApp, CWinApp)
    ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

BOOL CAdderApp::InitInstance()
{
    AfxEnableControlContainer();
    Enable3dControls();
    SetRegistryKey(IDS_REGISTRY_KEY);
    m_nLargest = (int)GetProfileInt(szSettings, szLargest, 0);

    CAdderDlg dlg;
    m_pMainWnd = &dlg;
    m_nResponse = (int)dlg.DoModal();
    return FALSE;
}

CAdderDlg::CAdderDlg(CWnd* pParent) : CDialog(IDD, pParent), m_nFirst(0), m_nSecond(0) {}

void CAdderDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_FIRST, m_nFirst);
    DDX_Text(pDX, IDC_SECOND, m_nSecond);
    DDX_Text(pDX, IDC_SUM, m_strSum);
}

BEGIN_MESSAGE_MAP(CAdderDlg, CDialog)
    ON_BN_CLICKED(IDC_ADD, OnAdd)
    ON_BN_CLICKED(IDC_ABOUT, OnAbout)
END_MESSAGE_MAP()

void CAdderDlg::OnAdd()
{
    if (!UpdateData(TRUE))
        return;
    const int nSum = m_nFirst + m_nSecond;
    TCHAR szSum[32];
    _stprintf(szSum, _T("%d"), nSum);
    m_strSum = szSum;
    UpdateData(FALSE);

    CAdderApp* pApp = static_cast<CAdderApp*>(AfxGetApp());
    pApp->m_nLargest = max(pApp->m_nLargest, nSum);
    pApp->WriteProfileInt(szSettings, szLargest, pApp->m_nLargest);
}

void CAdderDlg::OnAbout()
{
    CAboutDlg dlgAbout;
    dlgAbout.DoModal();
}
