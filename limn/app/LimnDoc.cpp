// CLimnDoc: the screen's tree, the active document and the document file.
#include "limn/app/LimnDoc.h"
#include "limn/containers/ChoiceLink.h"
#include "limn/containers/MainContainerRecord.h"
#include "limn/containers/WndContainer.h"

IMPLEMENT_DYNCREATE(CLimnDoc, CResDoc)

CLimnDoc* CLimnDoc::m_pActiveDoc = NULL;
CLimnDoc* CLimnDoc::m_pClosingDoc = NULL;

CLimnDoc::CLimnDoc() : m_pMainContainer(NULL) {}

// The pointer is cleared before the tree goes: what its destruction broadcasts still
// reaches this document.
CLimnDoc::~CLimnDoc()
{
    if (m_pActiveDoc == this)
        m_pActiveDoc = NULL;
    if (m_pClosingDoc == this)
        m_pClosingDoc = NULL;
    CWndContainer* pMain = m_pMainContainer;
    m_pMainContainer = NULL;
    delete pMain;
}

// The views hear of the old tree (its pointer as the hint) while it still exists.
void CLimnDoc::SetMainContainer(CWndContainer* pMain)
{
    CWndContainer* pOld = m_pMainContainer;
    if (pMain == pOld)
        return;
    m_pMainContainer = pMain;
    if (pMain != NULL)
        pMain->AttachToDoc(this);
    if (pOld != NULL)
    {
        UpdateAllViews(NULL, 0, pOld);
        delete pOld;
    }
}

void CLimnDoc::OnActivate()
{
    if (this == m_pClosingDoc)
        return;
    m_pActiveDoc = this;
    if (m_pMainContainer != NULL)
        m_pMainContainer->SetScanningParent();
    m_hoard.SetDocumentHoard();
}

void CLimnDoc::OnCloseDocument()
{
    m_pClosingDoc = this;
    if (m_pMainContainer != NULL)
        m_pMainContainer->SetVisible(FALSE, TRUE);
    CResDoc::OnCloseDocument();
}

void CLimnDoc::Draw(CWnd*, CCanvas& canvas)
{
    if (m_pMainContainer != NULL)
        m_pMainContainer->Draw(canvas);
}

void CLimnDoc::OnMessage(Message* pMsg)
{
    if (m_pMainContainer != NULL)
        m_pMainContainer->BroadcastMessage(pMsg);
}

// The file is the one CMainContainerRecord reads and writes: that record, then the
// resource section. The choice links read are resolved once the resources are all there.
void CLimnDoc::Serialize(CArchive& ar)
{
    OnActivate();
    if (ar.IsStoring())
    {
        CMainContainerRecord(m_pMainContainer).Serialize(ar);
    }
    else
    {
        CWndContainer* pMain = NULL;
        CMainContainerRecord(pMain).Serialize(ar);
        SetMainContainer(pMain);
    }
    CResDoc::Serialize(ar);
    if (ar.IsLoading())
        CChoiceLink::ResolveAll(m_hoard);
}
