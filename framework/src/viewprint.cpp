// CView's print loop: DoPreparePrinting (the printer, through the print dialog or
// directly) and OnFilePrint (the job, page by page, with the printing dialog whose
// Cancel stops it).
#include "afxdlgs.h"
#include "printingdialog.h"

#include <algorithm>

namespace {

// The file the job goes into: the one the program named, else when the print dialog's
// "Print to file" is checked the one the user names now. FALSE when the user cancelled.
BOOL ChooseOutputFile(CPrintInfo& info, CString& strOutput)
{
    strOutput = info.m_strOutputFile;
    if (!strOutput.IsEmpty() || !info.m_pPD->PrintToFile())
        return TRUE;
    CString strDefExt, strDefault, strFilter, strCaption;
    strDefExt.LoadString(AFX_IDS_PRINTDEFAULTEXT);
    strDefault.LoadString(AFX_IDS_PRINTDEFAULT);
    strFilter.LoadString(AFX_IDS_PRINTFILTER);
    strCaption.LoadString(AFX_IDS_PRINTCAPTION);
    CFileDialog dlg(FALSE, strDefExt, strDefault, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, strFilter);
    dlg.m_ofn.lpstrTitle = strCaption;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    strOutput = dlg.GetPathName();
    return TRUE;
}

// While alive: the application's main window is disabled and the printing dialog is
// shown over it; both are undone on every way out of the loop, exceptions included.
class CPrintingSession
{
public:
    CPrintingSession(CPrintInfo& info, LPCTSTR lpszDocName, const CString& strOutput)
        : m_hWndMain(NULL)
    {
        CWnd* pMainWnd = AfxGetMainWnd();
        if (pMainWnd != NULL && ::IsWindowEnabled(pMainWnd->m_hWnd))
        {
            m_hWndMain = pMainWnd->m_hWnd;
            ::EnableWindow(m_hWndMain, FALSE);
        }
        if (!m_dlg.Create(pMainWnd))
            return;
        m_dlg.SetDlgItemText(AFX_IDC_PRINT_DOCNAME, lpszDocName);
        m_dlg.SetDlgItemText(AFX_IDC_PRINT_PRINTERNAME, info.m_pPD->GetDeviceName());
        CString strPort;
        AfxFormatString1(strPort, strOutput.IsEmpty() ? AFX_IDS_PRINTONPORT : AFX_IDS_PRINTTOFILE,
                         strOutput.IsEmpty() ? (LPCTSTR)info.m_pPD->GetPortName() : (LPCTSTR)strOutput);
        m_dlg.SetDlgItemText(AFX_IDC_PRINT_PORTNAME, strPort);
        m_dlg.UpdateWindow();
    }
    ~CPrintingSession()
    {
        // By handle: the window may have gone while the job ran.
        if (m_hWndMain != NULL && ::IsWindow(m_hWndMain))
            ::EnableWindow(m_hWndMain, TRUE);
        if (m_dlg.m_hWnd != NULL)
            m_dlg.DestroyWindow();
    }
    CPrintingSession(const CPrintingSession&) = delete;
    CPrintingSession& operator=(const CPrintingSession&) = delete;

    void SetPage(UINT nPage)
    {
        if (m_dlg.m_hWnd != NULL)
            m_dlg.SetPage(nPage);
    }

private:
    HWND m_hWndMain;    // the window to enable again, or NULL
    CPrintingDialog m_dlg;
};

// The printer context of the job, as OnFilePrint's CDC: the CPrintInfo keeps owning it.
class CJobDC : public CDC
{
public:
    explicit CJobDC(HDC hDC)
    {
        Attach(hDC);
        m_bPrinting = TRUE;
    }
    ~CJobDC() override { Detach(); }
};

} // namespace

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    CWinApp* pApp = AfxGetApp();
    ASSERT(pApp != NULL);   // the application keeps the printer
    if (pApp == NULL)
        return FALSE;
    CPrintDialog* pPD = pInfo->m_pPD;
    // Wine's Print dialog without a printer ends at once as if cancelled, so the
    // framework says itself that there is none.
    if (!pApp->GetPrinterDeviceDefaults(&pPD->m_pd))
    {
        AfxMessageBox(AFX_IDP_NO_PRINTER, MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (pInfo->m_bDirect || pInfo->m_bPreview)
    {
        // A printer chosen before may be gone since.
        if (pPD->m_pd.hDC == NULL && pPD->CreatePrinterDC() == NULL)
        {
            AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT, MB_ICONEXCLAMATION);
            return FALSE;
        }
    }
    else
    {
        // The range the dialog shows lies within the document's pages.
        pPD->m_pd.nFromPage = (WORD)std::max(pInfo->GetFromPage(), pInfo->GetMinPage());
        pPD->m_pd.nToPage = (WORD)std::min(pInfo->GetToPage(), pInfo->GetMaxPage());
        if (pApp->DoPrintDialog(pPD) != IDOK)
            return FALSE;
    }
    return pPD->m_pd.hDC != NULL;
}

void CView::OnFilePrint()
{
    CPrintInfo info;
    const MSG* pMsg = GetCurrentMessage();
    if (pMsg != NULL && pMsg->message == WM_COMMAND && LOWORD(pMsg->wParam) == ID_FILE_PRINT_DIRECT)
        info.m_bDirect = TRUE;
    if (!OnPreparePrinting(&info))
        return;
    ASSERT(info.m_pPD->m_pd.hDC != NULL);
    if (info.m_pPD->m_pd.hDC == NULL)
        return;
    CString strOutput;
    if (!ChooseOutputFile(info, strOutput))
        return;

    CString strTitle = m_pDocument != NULL ? m_pDocument->GetTitle() : CString();
    if (strTitle.IsEmpty() && m_hWnd != NULL)
        GetWindowText(strTitle);
    DOCINFO di = {};
    di.cbSize = sizeof di;
    di.lpszDocName = strTitle;
    di.lpszOutput = strOutput.IsEmpty() ? NULL : (LPCTSTR)strOutput;

    CJobDC dcPrint(info.m_pPD->m_pd.hDC);
    OnBeginPrinting(&dcPrint, &info);
    BOOL bError = FALSE;
    {
        CPrintingSession session(info, strTitle, strOutput);
        dcPrint.SetAbortProc(CPrintingDialog::AbortProc);
        bError = dcPrint.StartDoc(&di) <= 0;
        // All pages, or the range chosen in the dialog, within the document's.
        UINT nStartPage = info.GetMinPage(), nEndPage = info.GetMaxPage();
        if (info.m_pPD->PrintRange())
        {
            nStartPage = std::max(nStartPage, info.GetFromPage());
            nEndPage = std::min(nEndPage, info.GetToPage());
        }
        try
        {
            for (info.m_nCurPage = nStartPage; !bError && info.m_nCurPage <= nEndPage; info.m_nCurPage++)
            {
                OnPrepareDC(&dcPrint, &info);
                if (!info.m_bContinuePrinting)
                    break;
                session.SetPage(info.m_nCurPage);
                if (dcPrint.StartPage() <= 0)
                {
                    bError = TRUE;
                    break;
                }
                // StartPage resets the context's attributes: the view sets them again.
                OnPrepareDC(&dcPrint, &info);
                info.m_rectDraw.SetRect(0, 0, dcPrint.GetDeviceCaps(HORZRES), dcPrint.GetDeviceCaps(VERTRES));
                dcPrint.DPtoLP(&info.m_rectDraw);
                OnPrint(&dcPrint, &info);
                bError = dcPrint.EndPage() <= 0 || !CPrintingDialog::AbortProc(dcPrint.m_hDC, 0);
            }
        }
        catch (...)
        {
            // A view's overridable threw: the job is dropped, the exception goes on.
            dcPrint.AbortDoc();
            throw;
        }
        if (bError)
            dcPrint.AbortDoc();
        else
            bError = dcPrint.EndDoc() <= 0;
    }
    OnEndPrinting(&dcPrint, &info);
    if (bError && !CPrintingDialog::IsUserAbort())
        AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT, MB_ICONEXCLAMATION);
}
