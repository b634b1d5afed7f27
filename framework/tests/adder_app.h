// The adder: a dialog application as wizard-made ones are written. Its dialog adds two
// numbers through dialog data exchange, keeps the largest sum in the registry and shows
// an About box.
#pragma once

#ifndef __AFXWIN_H__
  #error include afxwin.h before this file
#endif

#include "adder_resource.h"

class CAdderApp : public CWinApp
{
public:
    BOOL InitInstance() override;

    int m_nResponse = 0;    // how the dialog ended
    int m_nLargest = 0;     // the largest sum, also in the profile

    DECLARE_MESSAGE_MAP()
};

class CAdderDlg : public CDialog
{
public:
    explicit CAdderDlg(CWnd* pParent = NULL);

    enum { IDD = IDD_ADDER_DIALOG };
    int m_nFirst;
    int m_nSecond;
    CString m_strSum;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnAdd();
    afx_msg void OnAbout();
    DECLARE_MESSAGE_MAP()
};
