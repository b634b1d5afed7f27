// CNameDlg: asks the user for a name, "Untitled" unless the caller fills one in.
#pragma once

#include "hoard/hoard_api.h"

class HOARD_API CNameDlg : public CDialog
{
public:
    explicit CNameDlg(CWnd* pParent = NULL);

    CString m_strName;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
