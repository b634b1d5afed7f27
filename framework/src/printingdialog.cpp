// The printing dialog shown while a view prints, and the abort procedure that lets its
// Cancel button stop the job.
#include "printingdialog.h"

BOOL CPrintingDialog::s_bUserAbort = FALSE;

BOOL CPrintingDialog::Create(CWnd* pParent)
{
    s_bUserAbort = FALSE;
    return CDialog::Create(AFX_IDD_PRINTDLG, pParent);
}

BOOL CPrintingDialog::OnInitDialog()
{
    SetWindowText(AfxGetAppName());
    CenterWindow();
    return CDialog::OnInitDialog();
}

void CPrintingDialog::SetPage(UINT nPage)
{
    CString strPage;
    strPage.Format(AFX_IDS_PRINTPAGENUM, nPage);
    SetDlgItemText(AFX_IDC_PRINT_PAGENUM, strPage);
}

void CPrintingDialog::OnCancel() { s_bUserAbort = TRUE; }

BOOL CALLBACK CPrintingDialog::AbortProc(HDC, int)
{
    try
    {
        MSG msg;
        while (!s_bUserAbort && ::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE))
        {
            if (!AfxPumpMessage())
            {
                // WM_QUIT stays for the application's own loop.
                ::PostQuitMessage((int)msg.wParam);
                return FALSE;
            }
        }
    }
    catch (CException* e)
    {
        // Nothing crosses back into GDI: the job stops.
        e->Delete();
        return FALSE;
    }
    catch (...)
    {
        return FALSE;
    }
    return !s_bUserAbort;
}
