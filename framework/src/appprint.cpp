// CWinApp's printer: the DEVMODE and DEVNAMES of the printer the application prints on,
// taken from the system's default printer or from the Print Setup dialog, and a device
// context for it.
#include "afxdlgs.h"

namespace {

// Whether hDevNames was the system's default printer when it was taken.
BOOL IsDefaultPrinter(HGLOBAL hDevNames)
{
    auto* pDevNames = (const DEVNAMES*)::GlobalLock(hDevNames);
    if (pDevNames == NULL)
        return FALSE;
    BOOL bDefault = (pDevNames->wDefault & DN_DEFAULTPRN) != 0;
    ::GlobalUnlock(hDevNames);
    return bDefault;
}

// The device name of a DEVNAMES, read through a dialog that does not own it.
CString DeviceName(HGLOBAL hDevNames)
{
    CPrintDialog dlg(TRUE);
    dlg.m_pd.hDevNames = hDevNames;
    return dlg.GetDeviceName();
}

} // namespace

void CWinApp::FreePrinterSelection()
{
    if (m_hDevMode != NULL)
        ::GlobalFree(m_hDevMode);
    if (m_hDevNames != NULL)
        ::GlobalFree(m_hDevNames);
    m_hDevMode = m_hDevNames = NULL;
}

void CWinApp::UpdatePrinterSelection(BOOL bForceDefaults)
{
    if (!bForceDefaults && m_hDevNames != NULL && !IsDefaultPrinter(m_hDevNames))
        return;
    CPrintDialog dlgDefaults(TRUE);
    dlgDefaults.GetDefaults();      // no handles when there is no printer
    HGLOBAL hDevMode = dlgDefaults.m_pd.hDevMode;
    HGLOBAL hDevNames = dlgDefaults.m_pd.hDevNames;
    // Still the same default printer: the settings made for it stay.
    if (!bForceDefaults && m_hDevNames != NULL && hDevNames != NULL && DeviceName(hDevNames) == DeviceName(m_hDevNames))
    {
        if (hDevMode != NULL)
            ::GlobalFree(hDevMode);
        ::GlobalFree(hDevNames);
        return;
    }
    FreePrinterSelection();
    m_hDevMode = hDevMode;
    m_hDevNames = hDevNames;
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg)
{
    UpdatePrinterSelection(FALSE);
    if (m_hDevNames == NULL)
        return FALSE;
    pPrintDlg->hDevMode = m_hDevMode;
    pPrintDlg->hDevNames = m_hDevNames;
    return TRUE;
}

int CWinApp::DoPrintDialog(CPrintDialog* pPD)
{
    UpdatePrinterSelection(FALSE);
    pPD->m_pd.hDevMode = m_hDevMode;
    pPD->m_pd.hDevNames = m_hDevNames;
    int nResponse = pPD->DoModal();
    DWORD dwError = ::CommDlgExtendedError();
    if (nResponse != IDOK && (dwError == PDERR_PRINTERNOTFOUND || dwError == PDERR_DNDMMISMATCH))
    {
        // The printer chosen before is gone: the dialog again on the default printer.
        UpdatePrinterSelection(TRUE);
        pPD->m_pd.hDevMode = m_hDevMode;
        pPD->m_pd.hDevNames = m_hDevNames;
        nResponse = pPD->DoModal();
    }
    // The dialog may have replaced the handles with its own.
    m_hDevMode = pPD->m_pd.hDevMode;
    m_hDevNames = pPD->m_pd.hDevNames;
    return nResponse;
}

void CWinApp::SelectPrinter(HANDLE hDevNames, HANDLE hDevMode, BOOL bFreeOld)
{
    if (bFreeOld)
        FreePrinterSelection();
    m_hDevNames = hDevNames;
    m_hDevMode = hDevMode;
}

BOOL CWinApp::SelectPrinter(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszPortName)
{
    // A DEVNAMES: the offsets of the three names, in characters, then the names.
    size_t cchDriver = strlen(lpszDriverName) + 1;
    size_t cchDevice = strlen(lpszDeviceName) + 1;
    size_t cchPort = strlen(lpszPortName) + 1;
    size_t cbNames = sizeof(DEVNAMES) + cchDriver + cchDevice + cchPort;
    if (cbNames > 0xFFFF)
        return FALSE;
    HGLOBAL hDevNames = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, cbNames);
    if (hDevNames == NULL)
        return FALSE;
    auto* pDevNames = (DEVNAMES*)::GlobalLock(hDevNames);
    pDevNames->wDriverOffset = (WORD)sizeof(DEVNAMES);
    pDevNames->wDeviceOffset = (WORD)(pDevNames->wDriverOffset + cchDriver);
    pDevNames->wOutputOffset = (WORD)(pDevNames->wDeviceOffset + cchDevice);
    LPSTR pszNames = (LPSTR)pDevNames;
    memcpy(pszNames + pDevNames->wDriverOffset, lpszDriverName, cchDriver);
    memcpy(pszNames + pDevNames->wDeviceOffset, lpszDeviceName, cchDevice);
    memcpy(pszNames + pDevNames->wOutputOffset, lpszPortName, cchPort);
    ::GlobalUnlock(hDevNames);
    // Without a DEVMODE the printer's own defaults apply.
    SelectPrinter(hDevNames, NULL);
    return TRUE;
}

BOOL CWinApp::CreatePrinterDC(CDC& dc)
{
    UpdatePrinterSelection(FALSE);
    HDC hDC = AfxCreateDC(m_hDevNames, m_hDevMode);
    if (hDC == NULL)
        return FALSE;
    dc.DeleteDC();
    return dc.Attach(hDC);
}

void CWinApp::OnFilePrintSetup()
{
    CPrintDialog dlg(TRUE);
    if (!GetPrinterDeviceDefaults(&dlg.m_pd))
    {
        AfxMessageBox(AFX_IDP_NO_PRINTER, MB_ICONEXCLAMATION);
        return;
    }
    DoPrintDialog(&dlg);
}
