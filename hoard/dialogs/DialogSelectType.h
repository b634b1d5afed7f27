// CDialogSelectType: the user picks one resource type among those that have commands,
// listed by their display names.
#pragma once

#include "hoard/hoard_api.h"

class HOARD_API CDialogSelectType : public CDialog
{
public:
    explicit CDialogSelectType(CWnd* pParent = NULL);

    CListBox m_list;
    // After OK: the type name of the chosen type; empty when none was chosen.
    CString m_strType;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
