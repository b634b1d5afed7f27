// CPrintDialog over PrintDlg: the Print and Print Setup dialogs, the default printer,
// and the printer's names and device context from the dialog's DEVNAMES and DEVMODE.
#include "afxdlgs.h"

IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_pd()
{
    m_pd.lStructSize = sizeof m_pd;
    m_pd.Flags = dwFlags;
    if (bPrintSetupOnly)
        m_pd.Flags |= PD_PRINTSETUP;
    else
        m_pd.Flags |= PD_RETURNDC;
    m_pd.nFromPage = m_pd.nToPage = 1;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
    m_pd.nCopies = 1;
}

int CPrintDialog::DoModal()
{
    m_pd.hwndOwner = PreModal();
    m_pd.Flags &= ~PD_RETURNDEFAULT;
    // The object binds to the dialog it asked for, not to a Print Setup dialog that
    // the Print dialog's own button opens.
    m_pd.Flags &= ~(PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK);
    m_pd.Flags |= (m_pd.Flags & PD_PRINTSETUP) ? PD_ENABLESETUPHOOK : PD_ENABLEPRINTHOOK;
    m_pd.lpfnPrintHook = m_pd.lpfnSetupHook = HookProc;
    m_pd.lCustData = (LPARAM)this;
    BOOL bChosen = ::PrintDlgA(&m_pd);
    PostModal();
    return bChosen ? IDOK : IDCANCEL;
}

BOOL CPrintDialog::GetDefaults()
{
    DWORD dwFlags = m_pd.Flags;
    m_pd.Flags = (m_pd.Flags & ~(PD_ENABLEPRINTHOOK | PD_ENABLESETUPHOOK)) | PD_RETURNDEFAULT;
    m_pd.hwndOwner = NULL;
    BOOL bFound = ::PrintDlgA(&m_pd);
    m_pd.Flags = dwFlags;
    return bFound;
}

int CPrintDialog::GetCopies() const
{
    if (m_pd.Flags & PD_USEDEVMODECOPIES)
    {
        LPDEVMODE pDevMode = GetDevMode();
        if (pDevMode != NULL && (pDevMode->dmFields & DM_COPIES))
            return pDevMode->dmCopies;
    }
    return m_pd.nCopies;
}

BOOL CPrintDialog::PrintCollate() const
{
    if (m_pd.Flags & PD_USEDEVMODECOPIES)
    {
        LPDEVMODE pDevMode = GetDevMode();
        if (pDevMode != NULL && (pDevMode->dmFields & DM_COLLATE))
            return pDevMode->dmCollate == DMCOLLATE_TRUE;
    }
    return (m_pd.Flags & PD_COLLATE) != 0;
}

LPDEVMODE CPrintDialog::GetDevMode() const
{
    return m_pd.hDevMode != NULL ? (LPDEVMODE)::GlobalLock(m_pd.hDevMode) : NULL;
}

CString CPrintDialog::DevNamesString(WORD DEVNAMES::*pOffset) const
{
    if (m_pd.hDevNames == NULL)
        return CString();
    auto* pDevNames = (const DEVNAMES*)::GlobalLock(m_pd.hDevNames);
    if (pDevNames == NULL)
        return CString();
    CString str((LPCTSTR)pDevNames + pDevNames->*pOffset);
    ::GlobalUnlock(m_pd.hDevNames);
    return str;
}

CString CPrintDialog::GetDriverName() const { return DevNamesString(&DEVNAMES::wDriverOffset); }

CString CPrintDialog::GetDeviceName() const { return DevNamesString(&DEVNAMES::wDeviceOffset); }

CString CPrintDialog::GetPortName() const { return DevNamesString(&DEVNAMES::wOutputOffset); }

HDC CPrintDialog::GetPrinterDC() const
{
    ASSERT(m_pd.hDC == NULL || (m_pd.Flags & PD_RETURNDC));
    return m_pd.hDC;
}

HDC CPrintDialog::CreatePrinterDC()
{
    if (m_pd.hDC != NULL)
        ::DeleteDC(m_pd.hDC);
    return m_pd.hDC = AfxCreateDC(m_pd.hDevNames, m_pd.hDevMode);
}

UINT_PTR CALLBACK CPrintDialog::HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return 0;
    auto* pDlg = reinterpret_cast<CPrintDialog*>(((PRINTDLGA*)lParam)->lCustData);
    return pDlg != NULL && pDlg->m_hWnd == NULL ? pDlg->HookInitDialog(hWnd, wParam, lParam) : 0;
}
