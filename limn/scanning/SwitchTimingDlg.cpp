// CSwitchTimingDlg, and CScanningPrefs::OnEditSwitchTiming, which runs it.
#include "limn/scanning/SwitchTimingDlg.h"

#include "limn/res/resource.h"

#include <commctrl.h>

namespace {

// One click of an arrow.
const UINT nArrowStepMS = 50;

// The edit fields of the times, the arrows beside them and the ranges they keep to.
const struct
{
    int nEdit;
    int nArrows;
    int CScanningPrefs::*pField;
    int nMax;
} times[] = {
    { IDC_ACCEPTANCE_TIME, IDC_ACCEPTANCE_TIME_ARROWS, &CScanningPrefs::m_nAcceptanceTime,
      CScanningPrefs::maxAcceptanceTime },
    { IDC_IGNORE_REPEAT, IDC_IGNORE_REPEAT_ARROWS, &CScanningPrefs::m_nIgnoreRepeat, CScanningPrefs::maxIgnoreRepeat },
    { IDC_FIRST_ITEM_DELAY, IDC_FIRST_ITEM_DELAY_ARROWS, &CScanningPrefs::m_nFirstItemDelay,
      CScanningPrefs::maxFirstItemDelay },
};

} // namespace

CSwitchTimingDlg::CSwitchTimingDlg(const CScanningPrefs& prefs, CWnd* pParentWnd)
    : CDialog(IDD_SWITCH_TIMING, pParentWnd), m_prefs(prefs)
{
}

// The arrows are buddies of their fields: they take the field's number when clicked and
// write the new one back.
BOOL CSwitchTimingDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (const auto& time : times)
    {
        UDACCEL accel = { 0, nArrowStepMS };
        SendDlgItemMessage(time.nArrows, UDM_SETRANGE32, 0, time.nMax);
        SendDlgItemMessage(time.nArrows, UDM_SETACCEL, 1, (LPARAM)&accel);
        SendDlgItemMessage(time.nArrows, UDM_SETPOS32, 0, m_prefs.*time.pField);
    }
    return TRUE;
}

void CSwitchTimingDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    for (const auto& time : times)
    {
        DDX_Text(pDX, time.nEdit, m_prefs.*time.pField);
        DDV_MinMaxInt(pDX, m_prefs.*time.pField, 0, time.nMax);
    }
    DDX_Check(pDX, IDC_AUDITORY_SCANNING, m_prefs.m_bAuditoryScanning);
}

void CScanningPrefs::OnEditSwitchTiming()
{
    CSwitchTimingDlg dlg(*this);
    if (dlg.DoModal() != IDOK)
        return;
    m_nAcceptanceTime = dlg.m_prefs.m_nAcceptanceTime;
    m_nIgnoreRepeat = dlg.m_prefs.m_nIgnoreRepeat;
    m_nFirstItemDelay = dlg.m_prefs.m_nFirstItemDelay;
    m_bAuditoryScanning = dlg.m_prefs.m_bAuditoryScanning;
    SaveSwitchTimingToINI();
}
