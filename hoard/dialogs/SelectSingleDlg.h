// CSelectSingleDlg: the user picks one resource of a type in a hoard.
#pragma once

#include "hoard/hoard_api.h"

class CHoard;
class CResource;

class HOARD_API CSelectSingleDlg : public CDialog
{
public:
    CSelectSingleDlg(const CHoard& hoard, const char* pszType, CWnd* pParent = NULL);

    CListBox m_list;
    // Before the dialog: a resource to show selected, and the title then names the
    // type. After OK: the chosen resource, or null when none was chosen.
    CResource* m_pSelected;
    const char* m_pszType;
    const CHoard* m_pHoard;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
