// CMenuProtectionDlg: the two notices shown before menu protection starts ("Menu
// Protection" and "Reminder!"); Continue (OK) goes on, Cancel stops.
#pragma once

#include "limn/limn_api.h"

class LIMN_API CMenuProtectionDlg : public CDialog
{
public:
    CMenuProtectionDlg(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd) {}
};
