// CCommonDialog: the system's common dialogs end themselves; the object is bound to
// their window by their hook procedure when they open.
#include "afxdlgs.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)

CCommonDialog::CCommonDialog(CWnd* pParentWnd) : CDialog((LPCTSTR)NULL, pParentWnd) {}

void CCommonDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    Default();
}

void CCommonDialog::OnCancel() { Default(); }

UINT_PTR CCommonDialog::HookInitDialog(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
    BOOL bBound = FALSE;
    try
    {
        bBound = SubclassWindow(hWnd);
    }
    catch (CException* e)
    {
        e->ReportError(MB_ICONEXCLAMATION, AFX_IDP_INTERNAL_FAILURE);
        e->Delete();
    }
    catch (...)
    {
    }
    if (!bBound)
        return 0;
    // As if the message had come to the window: handlers' exceptions stop there.
    return (UINT_PTR)AfxCallWndProc(this, hWnd, WM_INITDIALOG, wParam, lParam);
}
