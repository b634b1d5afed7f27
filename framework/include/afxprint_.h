// Printing: CPrintInfo, what the print loop of a view (CView::OnFilePrint) knows about
// the job, and AfxCreateDC, a printer device context from the DEVNAMES and DEVMODE of a
// print dialog or the application. The print dialog itself, CPrintDialog, is in
// afxdlgs.h; the printer the application keeps (m_hDevMode, m_hDevNames) is CWinApp's.
#pragma once

#include "afxrect_.h"
#include "afxstr.h"

class CPrintDialog;

// Made by OnFilePrint for one print job and handed to the view's print overridables.
// Pages are numbered from 1.
struct AFX_FRAMEWORK CPrintInfo
{
    // Makes the job's print dialog (m_pPD): all pages, no selection, pages 1 to 0xFFFF.
    CPrintInfo();
    // Deletes the print dialog and the printer device context it holds.
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

// Attributes
    CPrintDialog* m_pPD;        // owned; its m_pd gives the printer, the range and the copies
    int m_nOffsetPage;          // pages before this document's first in a combined job; 0
    BOOL m_bDirect;             // print without the print dialog, on the application's printer
    BOOL m_bPreview;            // FALSE: there is no print preview
    BOOL m_bContinuePrinting;   // FALSE from OnPrepareDC ends the job (a document of unknown length)
    UINT m_nCurPage;            // the page being printed
    UINT m_nNumPreviewPages;
    CString m_strPageDesc;
    LPVOID m_lpUserData;        // the application's own
    CRect m_rectDraw;           // the page's printable area in logical units, set before OnPrint

    // The file to print into instead of the printer's port (DOCINFO.lpszOutput). Empty
    // (the default): the printer's port, or the file the user names when the print
    // dialog's "Print to file" is checked. A program prints into a file of its choice
    // without any dialog by setting this and m_bDirect in OnPreparePrinting.
    CString m_strOutputFile;

// Operations
    void SetMinPage(UINT nMinPage);
    void SetMaxPage(UINT nMaxPage);
    UINT GetMinPage() const;
    UINT GetMaxPage() const;
    // The range the user chose in the print dialog (all pages: the minimum and maximum).
    UINT GetFromPage() const;
    UINT GetToPage() const;
    UINT GetOffsetPage() const;
};

// A device context for the printer that hDevNames names, with the settings of hDevMode
// (may be NULL); NULL when hDevNames is NULL or the printer cannot be opened. The
// caller owns the context.
AFX_FRAMEWORK HDC AFXAPI AfxCreateDC(HGLOBAL hDevNames, HGLOBAL hDevMode);
