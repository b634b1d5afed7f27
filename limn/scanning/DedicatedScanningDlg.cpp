// CDedicatedScanningDlg.
#include "limn/scanning/DedicatedScanningDlg.h"

#include "limn/res/resource.h"

BEGIN_MESSAGE_MAP(CDedicatedScanningDlg, CDialog)
    ON_COMMAND_RANGE(IDC_DEDICATED_MOUSE, IDC_DEDICATED_KEYBOARD, OnChooseMode)
END_MESSAGE_MAP()

CDedicatedScanningDlg::CDedicatedScanningDlg(CWnd* pParentWnd) : CDialog(IDD_DEDICATED_SCANNING, pParentWnd) {}

void CDedicatedScanningDlg::OnChooseMode(UINT nID) { EndDialog(nID); }
