// The multiple-document program of the document/view tests (see mdi_program.h).
#include "mdi_program.h"

CMsgLog* g_pNoteLog = NULL;

namespace {

void Log(const std::string& str)
{
    if (g_pNoteLog != NULL)
        g_pNoteLog->Add(str);
}

} // namespace

// Each level takes the command named after it; the others go on.
#define IMPLEMENT_ROUTE_LOG(theClass, name, nOwnID) \
    BOOL theClass::OnRoute(UINT nID) \
    { \
        Log(name); \
        return nID == (nOwnID); \
    }

// The document

IMPLEMENT_DYNCREATE(CNoteDoc, CDocument)
BEGIN_MESSAGE_MAP(CNoteDoc, CDocument)
    ON_COMMAND_EX_RANGE(ID_ROUTE_VIEW, ID_ROUTE_NONE, OnRoute)
END_MESSAGE_MAP()
IMPLEMENT_ROUTE_LOG(CNoteDoc, "doc", ID_ROUTE_DOC)

int CNoteDoc::s_nLive = 0;

CNoteDoc::CNoteDoc() { s_nLive++; }

CNoteDoc::~CNoteDoc()
{
    Log("~doc " + std::string(GetTitle()));
    s_nLive--;
}

BOOL CNoteDoc::OnSaveDocument(LPCTSTR lpszPathName)
{
    if (m_bRefuseSave)
    {
        ReportSaveLoadException(lpszPathName, NULL, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        return FALSE;
    }
    return CDocument::OnSaveDocument(lpszPathName);
}

void CNoteDoc::Serialize(CArchive& ar)
{
    if (ar.IsStoring() && m_bFailWrite)
    {
        ar << CString("half");
        AfxThrowArchiveException(CArchiveException::generic);
    }
    if (ar.IsStoring())
        ar << m_strText;
    else
        ar >> m_strText;
}

void CNoteDoc::DeleteContents() { m_strText.Empty(); }

// The view

IMPLEMENT_DYNCREATE(CNoteView, CView)
BEGIN_MESSAGE_MAP(CNoteView, CView)
    ON_COMMAND_EX_RANGE(ID_ROUTE_VIEW, ID_ROUTE_NONE, OnRoute)
END_MESSAGE_MAP()
IMPLEMENT_ROUTE_LOG(CNoteView, "view", ID_ROUTE_VIEW)

std::string CNoteView::Name() const
{
    return "view " + std::string(m_pDocument != NULL ? (LPCSTR)m_pDocument->GetTitle() : "-");
}

void CNoteView::OnInitialUpdate()
{
    m_nInitialUpdates++;
    CView::OnInitialUpdate();
}

void CNoteView::OnDraw(CDC* pDC)
{
    Log(Name() + ": OnDraw");
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, RGB(0, 0, 255));
}

void CNoteView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    Log(Name() + ": OnPrepareDC");
    CView::OnPrepareDC(pDC, pInfo);
}

void CNoteView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    m_nUpdates++;
    if (CFrameWnd* pFrame = m_pFrameToDestroyOnUpdate)
    {
        m_pFrameToDestroyOnUpdate = NULL;
        pFrame->DestroyWindow();
    }
    CView::OnUpdate(pSender, lHint, pHint);
}

void CNoteView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    Log(Name() + (bActivate ? ": activated" : ": deactivated"));
    CView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

// The frames

IMPLEMENT_DYNCREATE(CNoteChild, CMDIChildWnd)
BEGIN_MESSAGE_MAP(CNoteChild, CMDIChildWnd)
    ON_COMMAND_EX_RANGE(ID_ROUTE_VIEW, ID_ROUTE_NONE, OnRoute)
END_MESSAGE_MAP()
IMPLEMENT_ROUTE_LOG(CNoteChild, "child", ID_ROUTE_CHILD)

IMPLEMENT_DYNCREATE(CNoteMain, CMDIFrameWnd)
BEGIN_MESSAGE_MAP(CNoteMain, CMDIFrameWnd)
    ON_COMMAND_EX_RANGE(ID_ROUTE_VIEW, ID_ROUTE_NONE, OnRoute)
END_MESSAGE_MAP()
IMPLEMENT_ROUTE_LOG(CNoteMain, "main", ID_ROUTE_MAIN)

// The application

BEGIN_MESSAGE_MAP(CNoteApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND_EX_RANGE(ID_ROUTE_VIEW, ID_ROUTE_NONE, OnRoute)
END_MESSAGE_MAP()
IMPLEMENT_ROUTE_LOG(CNoteApp, "app", ID_ROUTE_APP)

int CNoteApp::DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT)
{
    m_boxes.push_back(lpszPrompt);
    if (m_answers.empty())
        return IDOK;
    int nAnswer = m_answers.front();
    m_answers.pop_front();
    return nAnswer;
}

// The program

CNoteProgram::CNoteProgram(BOOL bPlain)
{
    g_pNoteLog = &m_log;
    m_app.m_pszProfileName = _strdup(m_folder.Path("notes.ini"));
    m_pNoteTemplate = new CMultiDocTemplate(IDR_NOTETYPE, RUNTIME_CLASS(CNoteDoc), RUNTIME_CLASS(CNoteChild),
                                            RUNTIME_CLASS(CNoteView));
    m_app.AddDocTemplate(m_pNoteTemplate);
    if (bPlain)
    {
        m_pPlainTemplate = new CMultiDocTemplate(IDR_PLAINTYPE, RUNTIME_CLASS(CNoteDoc), RUNTIME_CLASS(CNoteChild),
                                                 RUNTIME_CLASS(CNoteView));
        m_app.AddDocTemplate(m_pPlainTemplate);
    }
    m_pMain = new CNoteMain;
    if (!m_pMain->LoadFrame(IDR_NOTEMAIN))
    {
        ADD_FAILURE() << "the main frame was not created";
        m_pMain = NULL;
        return;
    }
    m_app.m_pMainWnd = m_pMain;
    m_pMain->ShowWindow(SW_SHOW);
    m_pMain->SetForegroundWindow();
    PumpWaiting();
}

CNoteProgram::~CNoteProgram()
{
    m_app.m_answers.clear();
    m_app.CloseAllDocuments(TRUE);
    if (m_app.m_pMainWnd != NULL)
        m_app.m_pMainWnd->DestroyWindow();
    PumpWaiting();
    MSG msg;
    while (PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE))
    {
    }
    g_pNoteLog = NULL;
}

CNoteView* CNoteProgram::ActiveView() const
{
    CFrameWnd* pFrame = m_pMain->GetActiveFrame();
    return pFrame != NULL ? dynamic_cast<CNoteView*>(pFrame->GetActiveView()) : NULL;
}

CNoteDoc* CNoteProgram::ActiveDoc() const
{
    CFrameWnd* pFrame = m_pMain->GetActiveFrame();
    return pFrame != NULL ? dynamic_cast<CNoteDoc*>(pFrame->GetActiveDocument()) : NULL;
}

CSingleDocTemplate* NewSingleNoteTemplate()
{
    return new CSingleDocTemplate(IDR_SDINOTE, RUNTIME_CLASS(CNoteDoc), RUNTIME_CLASS(CFrameWnd),
                                  RUNTIME_CLASS(CNoteView));
}

void WriteNoteFile(LPCSTR lpszPath, LPCSTR lpszText)
{
    CFile file(lpszPath, CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store);
    ar << CString(lpszText);
    ar.Close();
}

CString CNoteProgram::WriteNote(LPCSTR lpszName, LPCSTR lpszText)
{
    CString strPath = m_folder.Path(lpszName);
    WriteNoteFile(strPath, lpszText);
    return strPath;
}

CString CNoteProgram::ReadNote(LPCSTR lpszPath)
{
    CFile file;
    if (!file.Open(lpszPath, CFile::modeRead))
        return "";
    CString strText;
    try
    {
        CArchive ar(&file, CArchive::load);
        ar >> strText;
    }
    catch (CException* e)
    {
        e->Delete();
    }
    return strText;
}
