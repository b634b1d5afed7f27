// CDedicatedScanningDlg: the "Dedicated Scanning" dialog. "Mouse" and "Keyboard" end it
// with their ids (IDC_DEDICATED_MOUSE, IDC_DEDICATED_KEYBOARD), Cancel with IDCANCEL.
#pragma once

#include "limn/limn_api.h"

class LIMN_API CDedicatedScanningDlg : public CDialog
{
public:
    explicit CDedicatedScanningDlg(CWnd* pParentWnd = NULL);

protected:
    afx_msg void OnChooseMode(UINT nID);

    DECLARE_MESSAGE_MAP()
};
