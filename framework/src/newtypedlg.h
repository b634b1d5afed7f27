// The choice of a new document's type when the application has several templates:
// the dialog AFX_IDD_NEWTYPEDLG lists the fileNewName of each template that has one.
#pragma once

#include "afxwin.h"

class CNewTypeDlg : public CDialog
{
public:
    explicit CNewTypeDlg(CPtrList* pList) : CDialog(AFX_IDD_NEWTYPEDLG), m_pList(pList) {}

    CDocTemplate* m_pSelectedTemplate = NULL;   // after OK

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    CPtrList* m_pList;
};
