// CScanningPrefsDlg, and CScanningPrefs::OnEditPrefs, which runs it.
#include "limn/scanning/ScanningPrefsDlg.h"

#include "limn/canvas/Canvas.h"
#include "limn/res/resource.h"

#include <afxdlgs.h>

BEGIN_MESSAGE_MAP(CScanningPrefsDlg, CDialog)
    ON_BN_CLICKED(IDC_PICK_SCAN_COLOR, OnPickColor)
    ON_BN_CLICKED(IDC_SCAN_COLOR_SWATCH, OnPickColor)
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CScanningPrefsDlg::CScanningPrefsDlg(const CScanningPrefs& prefs, CWnd* pParentWnd)
    : CDialog(IDD_SCANNING_PREFS, pParentWnd), m_prefs(prefs), m_bFlash(prefs.m_nFlashSpeed != 0)
{
}

void CScanningPrefsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_ENABLE_SCANNING_KEYS, m_prefs.m_bScanningEnabled);
    DDX_Check(pDX, IDC_SCANNING_SOUNDS, m_prefs.m_bScanningSounds);
    DDX_Check(pDX, IDC_FLASH_HILITE, m_bFlash);
    DDX_Check(pDX, IDC_CONTINUOUS_SCANNING, m_prefs.m_bContinuousScanning);
    DDX_Control(pDX, IDC_SCAN_SPEED, m_sliderSpeed);
    DDX_Control(pDX, IDC_CANCEL_CYCLES, m_sliderCycles);
    if (pDX->m_bSaveAndValidate)
    {
        m_prefs.m_nScanSpeed = m_sliderSpeed.GetPos();
        m_prefs.m_nCancelCycles = m_sliderCycles.GetPos();
    }
    else
    {
        m_sliderSpeed.SetRange(0, 9, TRUE);
        m_sliderSpeed.SetPos(m_prefs.m_nScanSpeed);
        m_sliderCycles.SetRange(2, CScanningPrefs::neverCancel, TRUE);
        m_sliderCycles.SetPos(m_prefs.m_nCancelCycles);
    }
}

void CScanningPrefsDlg::OnPickColor()
{
    CColorDialog dlg(m_prefs.m_colorScan, CC_FULLOPEN, this);
    if (dlg.DoModal() != IDOK)
        return;
    m_prefs.m_colorScan = dlg.GetColor() & 0x00FFFFFF;
    Invalidate();
}

void CScanningPrefsDlg::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (nIDCtl != IDC_SCAN_COLOR_SWATCH)
    {
        CDialog::OnDrawItem(nIDCtl, lpDrawItemStruct);
        return;
    }
    CDC dc;
    dc.Attach(lpDrawItemStruct->hDC);
    {
        CCanvas canvas(&dc);
        canvas.SetPen(RGB(0, 0, 0), 1, FALSE);
        canvas.SetBrush(m_prefs.m_colorScan, FALSE);
        canvas.Rectangle(&lpDrawItemStruct->rcItem);
    }
    dc.Detach();
}

// The flash check box chooses between a flashing highlight of 500 ms and a steady one.
void CScanningPrefs::OnEditPrefs()
{
    CScanningPrefsDlg dlg(*this);
    if (dlg.DoModal() != IDOK)
        return;
    *this = dlg.m_prefs;
    m_nFlashSpeed = dlg.m_bFlash ? editedFlashSpeed : 0;
    SetScanningSpeed(m_nScanSpeed);
    SaveToINI();
}
