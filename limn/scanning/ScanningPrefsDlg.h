// CScanningPrefsDlg: the "Scanning Preferences" dialog over a copy of the settings. The
// check boxes and sliders show the copy when the dialog opens and are read back into it
// on OK; the colour is picked with the system's colour dialog and shown in an owner-drawn
// swatch. CScanningPrefs::OnEditPrefs runs it and applies the copy.
#pragma once

#include "limn/scanning/ScanningPrefs.h"

#include <afxcmn.h>

class LIMN_API CScanningPrefsDlg : public CDialog
{
public:
    explicit CScanningPrefsDlg(const CScanningPrefs& prefs, CWnd* pParentWnd = NULL);

    CScanningPrefs m_prefs;
    // "Flash Scanning Highlight": checked while the highlight flashes.
    int m_bFlash;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnPickColor();
    // The swatch: a rectangle of the colour, drawn through a canvas on the item's context.
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);

    CSliderCtrl m_sliderSpeed;
    CSliderCtrl m_sliderCycles;

    DECLARE_MESSAGE_MAP()
};
