// The printing dialog (AFX_IDD_PRINTDLG) that CView::OnFilePrint shows while it prints:
// the document, the printer, its port or file and the page; its Cancel button asks
// the job to stop, which the abort procedure tells GDI and the print loop.
#pragma once

#include "afxwin.h"

class CPrintingDialog : public CDialog
{
public:
    // Creates the modeless dialog over pParent (may be NULL), titled with the
    // application's name; FALSE when it cannot be made. Clears the request to stop.
    BOOL Create(CWnd* pParent);

    // Shows the page being printed.
    void SetPage(UINT nPage);

    // The abort procedure of the printer context: takes the thread's waiting messages
    // (the dialog's Cancel among them); FALSE once the user asked to stop.
    static BOOL CALLBACK AbortProc(HDC hDC, int nCode);
    static BOOL IsUserAbort() { return s_bUserAbort; }

protected:
    BOOL OnInitDialog() override;
    // Cancel asks the job to stop; the print loop closes the dialog.
    void OnCancel() override;

private:
    // One print job at a time: the main window is disabled while it runs.
    static BOOL s_bUserAbort;
};
