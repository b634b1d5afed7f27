// CSwitchTimingDlg: the "Switch Timing" dialog over a copy of the settings: the three
// times in edit fields with arrows (steps of 50 ms, each within its range; a typed value
// outside it is refused on OK with the framework's message) and the "Auditory Scanning"
// check box. CScanningPrefs::OnEditSwitchTiming runs it and applies the copy.
#pragma once

#include "limn/scanning/ScanningPrefs.h"

class LIMN_API CSwitchTimingDlg : public CDialog
{
public:
    explicit CSwitchTimingDlg(const CScanningPrefs& prefs, CWnd* pParentWnd = NULL);

    CScanningPrefs m_prefs;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};
