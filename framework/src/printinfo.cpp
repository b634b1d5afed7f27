// CPrintInfo, the state of one print job, and AfxCreateDC, a printer device context from
// the DEVNAMES and DEVMODE that a print dialog gives.
#include "afxdlgs.h"

CPrintInfo::CPrintInfo()
    : m_pPD(new CPrintDialog(FALSE, PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOSELECTION)),
      m_nOffsetPage(0), m_bDirect(FALSE), m_bPreview(FALSE), m_bContinuePrinting(TRUE), m_nCurPage(1),
      m_nNumPreviewPages(0), m_lpUserData(NULL), m_rectDraw(0, 0, 0, 0)
{
    SetMinPage(1);
    SetMaxPage(0xFFFF);
    m_pPD->m_pd.nFromPage = 1;
    m_pPD->m_pd.nToPage = 0xFFFF;
}

CPrintInfo::~CPrintInfo()
{
    if (m_pPD->m_pd.hDC != NULL)
        ::DeleteDC(m_pPD->m_pd.hDC);
    delete m_pPD;
}

void CPrintInfo::SetMinPage(UINT nMinPage) { m_pPD->m_pd.nMinPage = (WORD)nMinPage; }

void CPrintInfo::SetMaxPage(UINT nMaxPage) { m_pPD->m_pd.nMaxPage = (WORD)nMaxPage; }

UINT CPrintInfo::GetMinPage() const { return m_pPD->m_pd.nMinPage; }

UINT CPrintInfo::GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }

UINT CPrintInfo::GetFromPage() const { return m_pPD->m_pd.nFromPage; }

UINT CPrintInfo::GetToPage() const { return m_pPD->m_pd.nToPage; }

UINT CPrintInfo::GetOffsetPage() const { return m_nOffsetPage; }

HDC AFXAPI AfxCreateDC(HGLOBAL hDevNames, HGLOBAL hDevMode)
{
    if (hDevNames == NULL)
        return NULL;
    auto* pDevNames = (const DEVNAMES*)::GlobalLock(hDevNames);
    if (pDevNames == NULL)
        return NULL;
    auto* pDevMode = hDevMode != NULL ? (const DEVMODE*)::GlobalLock(hDevMode) : NULL;
    LPCTSTR pszNames = (LPCTSTR)pDevNames;
    HDC hDC = ::CreateDC(pszNames + pDevNames->wDriverOffset, pszNames + pDevNames->wDeviceOffset, NULL, pDevMode);
    if (pDevMode != NULL)
        ::GlobalUnlock(hDevMode);
    ::GlobalUnlock(hDevNames);
    return hDC;
}
