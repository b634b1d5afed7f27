// CDocTemplate: the document string and its fields, the documents and frames a
// template creates, matching a file to the template, and saving and closing all of its
// documents.
#include "afxwin.h"
#include "afxpriv.h"

IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocTemplate, CCmdTarget)
END_MESSAGE_MAP()

CDocTemplate::CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                           CRuntimeClass* pViewClass)
    : m_nIDResource(nIDResource), m_pDocClass(pDocClass), m_pFrameClass(pFrameClass),
      m_pViewClass(pViewClass), m_bAutoDelete(TRUE)
{
}

CDocTemplate::~CDocTemplate() = default;

void CDocTemplate::LoadTemplate()
{
    if (m_strDocStrings.IsEmpty() && m_nIDResource != 0)
        m_strDocStrings.LoadString(m_nIDResource);
}

BOOL CDocTemplate::GetDocString(CString& rString, enum DocStringIndex index) const
{
    return AfxExtractSubString(rString, m_strDocStrings, (int)index);
}

CDocTemplate::Confidence CDocTemplate::MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch)
{
    rpDocMatch = NULL;
    for (POSITION pos = GetFirstDocPosition(); pos != NULL;)
    {
        CDocument* pDoc = GetNextDoc(pos);
        if (!pDoc->GetPathName().IsEmpty() && pDoc->GetPathName().CompareNoCase(lpszPathName) == 0)
        {
            rpDocMatch = pDoc;
            return yesAlreadyOpen;
        }
    }
    CString strFilterExt;
    LPCTSTR lpszDot = strrchr(lpszPathName, '.');
    if (GetDocString(strFilterExt, filterExt) && !strFilterExt.IsEmpty() && lpszDot != NULL
        && strFilterExt.CompareNoCase(lpszDot) == 0)
        return yesAttemptNative;
    return yesAttemptForeign;
}

// Documents

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    ASSERT(pDoc->m_pDocTemplate == NULL);
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    ASSERT(pDoc->m_pDocTemplate == this);
    pDoc->m_pDocTemplate = NULL;
}

CDocument* CDocTemplate::CreateNewDocument()
{
    CDocument* pDoc = AfxCreateObjectOf<CDocument>(m_pDocClass);
    if (pDoc == NULL)
        return NULL;
    AddDocument(pDoc);
    return pDoc;
}

CFrameWnd* CDocTemplate::CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther)
{
    CFrameWnd* pFrame = AfxCreateObjectOf<CFrameWnd>(m_pFrameClass);
    if (pFrame == NULL)
        return NULL;
    CCreateContext context;
    context.m_pCurrentFrame = pOther;
    context.m_pCurrentDoc = pDoc;
    context.m_pNewViewClass = m_pViewClass;
    context.m_pNewDocTemplate = this;
    // A frame that fails to load has deleted itself.
    if (!pFrame->LoadFrame(m_nIDResource, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, NULL, &context))
        return NULL;
    return pFrame;
}

void CDocTemplate::InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible)
{
    pFrame->InitialUpdateFrame(pDoc, bMakeVisible);
}

// All documents

BOOL CDocTemplate::SaveAllModified()
{
    for (POSITION pos = GetFirstDocPosition(); pos != NULL;)
    {
        if (!GetNextDoc(pos)->SaveModified())
            return FALSE;
    }
    return TRUE;
}

void CDocTemplate::CloseAllDocuments(BOOL)
{
    // The documents of the moment: closing one may close others.
    CPtrList docs;
    for (POSITION pos = GetFirstDocPosition(); pos != NULL;)
        docs.AddTail(GetNextDoc(pos));
    for (POSITION pos = docs.GetHeadPosition(); pos != NULL;)
    {
        CDocument* pDoc = static_cast<CDocument*>(docs.GetNext(pos));
        BOOL bOpen = FALSE;
        for (POSITION posOpen = GetFirstDocPosition(); posOpen != NULL && !bOpen;)
            bOpen = GetNextDoc(posOpen) == pDoc;
        if (bOpen)
            pDoc->OnCloseDocument();
    }
}
