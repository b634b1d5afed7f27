// CScanningLog.
#include "ScanningLog.h"
#include "BoardDoc.h"
#include "EventLog.h"
#include "limn/containers/Container.h"
#include "limn/scanning/ScanningSounds.h"

void CScanningLog::Note()
{
    // A board becomes active before its window first shows it: it is logged as active
    // once it was logged as open.
    CLimnDoc* pDoc = CLimnDoc::GetActiveDoc();
    auto* pBoard = dynamic_cast<CBoardDoc*>(pDoc);
    if (pDoc != m_pLoggedDoc && (pBoard == NULL || pBoard->IsShown()))
    {
        if (pDoc != NULL)
            m_log.Write("activate", pDoc->GetTitle());
        m_pLoggedDoc = pDoc;
    }

    CContainer* pFocus = CContainer::GetScanningFocus();
    CContainer* pLogged = m_pLoggedFocus != NULL ? m_pLoggedFocus->Get() : NULL;
    if (pFocus != pLogged)
    {
        if (pFocus != NULL)
            m_log.Write("focus", pFocus->GetName());
        m_pLoggedFocus = pFocus != NULL ? std::make_unique<CContainerWatch>(pFocus) : nullptr;
    }

    // A cue starts as the focus reaches its container, within the same piece of work.
    const UINT nCues = GetScanCuesStarted();
    if (nCues != m_nLoggedCues)
    {
        if (pFocus != NULL)
            m_log.Write("cue", pFocus->GetName());
        m_nLoggedCues = nCues;
    }

    BOOL bAutoScan = CContainer::IsInAutoScan();
    if (m_bLoggedAutoScan && !bAutoScan)
        m_log.Write("stop");
    m_bLoggedAutoScan = bAutoScan;
}

void CScanningLog::Forget(const CDocument* pDoc)
{
    if (m_pLoggedDoc == pDoc)
        m_pLoggedDoc = NULL;
}
