// CDocument: its path, title and modified flag, its views and the numbers and titles
// of their frames, a new document, closing, and the root of the documents' message
// maps, which lead on to the template's.
#include "afxwin.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

BEGIN_MESSAGE_MAP(CDocument, CCmdTarget)
    ON_COMMAND(ID_FILE_CLOSE, OnFileClose)
    ON_COMMAND(ID_FILE_SAVE, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS, OnFileSaveAs)
END_MESSAGE_MAP()

// A walk that calls out of the document sets one of these up; the destructor clears
// each, so that the walk learns that its document is gone.
struct CDocumentWatch
{
    // The document keeps the address only while the watch lives: the destructor takes
    // it back.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdangling-pointer"
    explicit CDocumentWatch(CDocument* pDoc) : m_pDoc(pDoc), m_pOuter(pDoc->m_pDestroyWatch)
    {
        pDoc->m_pDestroyWatch = this;
    }
#pragma GCC diagnostic pop
    ~CDocumentWatch()
    {
        if (m_pDoc != NULL)
            m_pDoc->m_pDestroyWatch = m_pOuter;
    }
    CDocumentWatch(const CDocumentWatch&) = delete;
    CDocumentWatch& operator=(const CDocumentWatch&) = delete;

    CDocument* m_pDoc;          // NULL once the document is destroyed
    CDocumentWatch* m_pOuter;
};

CDocument::CDocument()
    : m_bAutoDelete(TRUE), m_bModified(FALSE), m_pDocTemplate(NULL), m_pDestroyWatch(NULL)
{
}

CDocument::~CDocument()
{
    for (CDocumentWatch* pWatch = m_pDestroyWatch; pWatch != NULL; pWatch = pWatch->m_pOuter)
        pWatch->m_pDoc = NULL;
    // Views that still show the document (it was deleted while they exist) forget it.
    while (!m_viewList.IsEmpty())
        static_cast<CView*>(m_viewList.RemoveHead())->m_pDocument = NULL;
    if (m_pDocTemplate != NULL)
        m_pDocTemplate->RemoveDocument(this);
}

// Path and title

void CDocument::SetTitle(LPCTSTR lpszTitle)
{
    m_strTitle = lpszTitle;
    UpdateFrameCounts();
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU)
{
    char szFull[MAX_PATH];
    LPSTR lpszFilePart = NULL;
    DWORD nLen = ::GetFullPathNameA(lpszPathName, sizeof szFull, szFull, &lpszFilePart);
    if (nLen == 0 || nLen >= sizeof szFull)
    {
        // A path that the system cannot complete is kept as it was given.
        m_strPathName = lpszPathName;
        SetTitle(m_strPathName.Mid(m_strPathName.ReverseFind('\\') + 1));
    }
    else
    {
        m_strPathName = szFull;
        SetTitle(lpszFilePart != NULL ? lpszFilePart : szFull);
    }
    CWinApp* pApp = AfxGetApp();
    if (bAddToMRU && pApp != NULL)
        pApp->AddToRecentFileList(m_strPathName);
}

BOOL CDocument::IsModified() { return m_bModified; }

void CDocument::SetModifiedFlag(BOOL bModified) { m_bModified = bModified; }

HMENU CDocument::GetDefaultMenu() { return NULL; }

HACCEL CDocument::GetDefaultAccelerator() { return NULL; }

// Views

POSITION CDocument::GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }

CView* CDocument::GetNextView(POSITION& rPosition) const
{
    return static_cast<CView*>(m_viewList.GetNext(rPosition));
}

void CDocument::AddView(CView* pView)
{
    ASSERT(pView != NULL);
    if (pView->m_pDocument == this)
        return;
    if (pView->m_pDocument != NULL)
        pView->m_pDocument->RemoveView(pView);
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
    OnChangedViewList();
}

void CDocument::RemoveView(CView* pView)
{
    ASSERT(pView != NULL);
    POSITION pos = m_viewList.Find(pView);
    if (pos == NULL)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = NULL;
    OnChangedViewList();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint)
{
    // The views of the moment: one that an update destroys is skipped, and so are the
    // rest when the document goes.
    CPtrList views;
    views.AddTail(&m_viewList);
    CDocumentWatch watch(this);
    for (POSITION pos = views.GetHeadPosition(); pos != NULL && watch.m_pDoc != NULL;)
    {
        CView* pView = static_cast<CView*>(views.GetNext(pos));
        if (pView != pSender && m_viewList.Find(pView) != NULL)
            pView->OnUpdate(pSender, lHint, pHint);
    }
}

void CDocument::OnChangedViewList()
{
    if (m_bAutoDelete && m_viewList.IsEmpty())
    {
        OnCloseDocument();
        return;
    }
    UpdateFrameCounts();
}

void CDocument::UpdateFrameCounts()
{
    // The visible frames in the order of their first views; the views of one frame
    // (panes) share its number.
    CPtrList frames;
    for (POSITION pos = m_viewList.GetHeadPosition(); pos != NULL;)
    {
        CView* pView = static_cast<CView*>(m_viewList.GetNext(pos));
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != NULL && ::IsWindowVisible(pView->m_hWnd) && frames.Find(pFrame) == NULL)
            frames.AddTail(pFrame);
    }
    int nFrames = (int)frames.GetCount();
    int nWindow = 0;
    for (POSITION pos = frames.GetHeadPosition(); pos != NULL;)
        static_cast<CFrameWnd*>(frames.GetNext(pos))->m_nWindow = nFrames == 1 ? 0 : ++nWindow;

    CDocumentWatch watch(this);
    for (POSITION pos = frames.GetHeadPosition(); pos != NULL && watch.m_pDoc != NULL;)
    {
        CFrameWnd* pFrame = static_cast<CFrameWnd*>(frames.GetNext(pos));
        if (CWnd::FromHandlePermanent(pFrame->GetSafeHwnd()) == pFrame)
            pFrame->OnUpdateFrameTitle(TRUE);
    }
}

// New documents and closing

void CDocument::DeleteContents() {}

BOOL CDocument::OnNewDocument()
{
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::CanCloseFrame(CFrameWnd* pFrame)
{
    // Another frame keeps showing the document: nothing is lost.
    for (POSITION pos = m_viewList.GetHeadPosition(); pos != NULL;)
    {
        CFrameWnd* pViewFrame = static_cast<CView*>(m_viewList.GetNext(pos))->GetParentFrame();
        if (pViewFrame != NULL && pViewFrame != pFrame)
            return TRUE;
    }
    return SaveModified();
}

void CDocument::PreCloseFrame(CFrameWnd*) {}

void CDocument::OnCloseDocument()
{
    // The views go with their frames; the last of them must not delete the document
    // meanwhile.
    BOOL bAutoDelete = m_bAutoDelete;
    m_bAutoDelete = FALSE;
    CDocumentWatch watch(this);
    while (!m_viewList.IsEmpty() && watch.m_pDoc != NULL)
    {
        CView* pView = static_cast<CView*>(m_viewList.GetHead());
        CFrameWnd* pFrame = pView->GetParentFrame();
        if (pFrame != NULL)
        {
            PreCloseFrame(pFrame);
            if (watch.m_pDoc == NULL)
                return;
            pFrame->DestroyWindow();
        }
        else
        {
            pView->DestroyWindow();
        }
        // A view whose window did not go (it had none) leaves all the same.
        if (watch.m_pDoc != NULL && !m_viewList.IsEmpty() && m_viewList.GetHead() == pView)
            RemoveView(pView);
    }
    if (watch.m_pDoc == NULL)
        return;
    m_bAutoDelete = bAutoDelete;
    DeleteContents();
    if (m_bAutoDelete)
        delete this;
}

void CDocument::OnFileClose()
{
    if (!SaveModified())
        return;
    OnCloseDocument();
}

// Routing

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return m_pDocTemplate != NULL && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
