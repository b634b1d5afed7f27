// CWinApp: the one application object, its names and start-up (AfxWinInit, AfxWinMain),
// its end, and its cursors, icons and wait cursor.
#include "afxwin.h"
#include "afxpriv.h"
#include "threadstate.h"

#include <stdlib.h>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
    ON_COMMAND(ID_APP_EXIT, OnAppExit)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
END_MESSAGE_MAP()

namespace {

CWinApp* g_pApp = NULL;

// The executable's full path without its extension; empty when it does not fit.
CString ExePathStem()
{
    char szPath[MAX_PATH];
    DWORD nLen = ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    if (nLen == 0 || nLen >= MAX_PATH)
        return CString();
    CString strPath(szPath);
    int nDot = strPath.ReverseFind('.');
    return nDot > strPath.ReverseFind('\\') + 1 ? strPath.Left(nDot) : strPath;
}

// The executable's file name without folder and extension.
CString ExeName()
{
    CString strStem = ExePathStem();
    return strStem.Mid(strStem.ReverseFind('\\') + 1);
}

// A copy on the C heap, as the application's string members are kept; NULL when
// there is no memory for it.
LPCTSTR DupString(LPCTSTR lpsz) { return lpsz != NULL ? _strdup(lpsz) : NULL; }

} // namespace

CWinApp* AFXAPI AfxGetApp() { return g_pApp; }

LPCTSTR AFXAPI AfxGetAppName()
{
    if (g_pApp != NULL && g_pApp->m_pszAppName != NULL)
        return g_pApp->m_pszAppName;
    static const CString strExeName = ExeName();
    return strExeName;
}

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_hInstance(NULL), m_hPrevInstance(NULL), m_lpCmdLine(NULL), m_nCmdShow(SW_SHOWNORMAL),
      m_pszAppName(DupString(lpszAppName)), m_pszExeName(NULL), m_pszProfileName(NULL),
      m_pszRegistryKey(NULL), m_pszHelpFilePath(NULL), m_pRecentFileList(NULL), m_nWaitCursorCount(0),
      m_hcurWaitCursorRestore(NULL)
{
    ASSERT(g_pApp == NULL);
    g_pApp = this;
    AfxGetThreadState()->m_pCurrentWinThread = this;
    m_hThread = ::GetCurrentThread();
    m_nThreadID = ::GetCurrentThreadId();
}

CWinApp::~CWinApp()
{
    FreePrinterSelection();
    // The templates the application still owns; documents left open lose theirs.
    while (!m_templateList.IsEmpty())
    {
        auto* pTemplate = static_cast<CDocTemplate*>(m_templateList.RemoveHead());
        if (pTemplate->m_bAutoDelete)
            delete pTemplate;
    }
    delete m_pRecentFileList;
    if (m_atomApp != 0)
        ::GlobalDeleteAtom(m_atomApp);
    if (m_atomSystemTopic != 0)
        ::GlobalDeleteAtom(m_atomSystemTopic);
    free((void*)m_pszAppName);
    free((void*)m_pszExeName);
    free((void*)m_pszProfileName);
    free((void*)m_pszRegistryKey);
    free((void*)m_pszHelpFilePath);
    if (g_pApp == this)
        g_pApp = NULL;
}

BOOL CWinApp::InitApplication() { return TRUE; }

int CWinApp::Run()
{
    if (m_pMainWnd == NULL)
        AfxPostQuitMessage(0);
    return CWinThread::Run();
}

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    return CWinThread::ExitInstance();
}

void CWinApp::DoWaitCursor(int nCode)
{
    m_nWaitCursorCount += nCode;
    if (m_nWaitCursorCount > 0)
    {
        HCURSOR hcurPrev = ::SetCursor(::LoadCursor(NULL, IDC_WAIT));
        if (nCode > 0 && m_nWaitCursorCount == 1)
            m_hcurWaitCursorRestore = hcurPrev;
    }
    else
    {
        m_nWaitCursorCount = 0;
        ::SetCursor(m_hcurWaitCursorRestore);
    }
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd != NULL)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const
{
    return ::LoadCursor(AfxFindResourceHandle(lpszResourceName, RT_GROUP_CURSOR), lpszResourceName);
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const
{
    return ::LoadIcon(AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON), lpszResourceName);
}

// Start-up

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return TRUE;
    pApp->m_hInstance = hInstance;
    pApp->m_hPrevInstance = hPrevInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    if (pApp->m_pszExeName == NULL)
        pApp->m_pszExeName = DupString(ExeName());
    if (pApp->m_pszProfileName == NULL && pApp->m_pszExeName != NULL)
        pApp->m_pszProfileName = DupString(CString(pApp->m_pszExeName) + ".INI");
    const CString strExeStem = ExePathStem();
    if (pApp->m_pszHelpFilePath == NULL && !strExeStem.IsEmpty())
        pApp->m_pszHelpFilePath = DupString(strExeStem + ".HLP");
    if (pApp->m_pszAppName == NULL)
    {
        CString strTitle;
        pApp->m_pszAppName = DupString(strTitle.LoadString(AFX_IDS_APP_TITLE) ? (LPCTSTR)strTitle
                                                                               : pApp->m_pszExeName);
    }
    return pApp->m_pszExeName != NULL && pApp->m_pszAppName != NULL;
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinThread* pThread = AfxGetThread();
    CWinApp* pApp = AfxGetApp();
    int nReturnCode = -1;
    // An exception that escapes the application's own code ends it with a message.
    try
    {
        if (pThread != NULL && AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow)
            && (pApp == NULL || pApp->InitApplication()))
            nReturnCode = AfxRunInstance(pThread);
    }
    catch (CException* e)
    {
        e->ReportError(MB_ICONSTOP);
        e->Delete();
        nReturnCode = -1;
    }
    AfxWinTerm();
    return nReturnCode;
}

void AFXAPI AfxWinTerm()
{
    // A creation that threw may have left the creation hook behind.
    AfxUnhookWindowCreate();
    AfxLockTempMaps();
    AfxUnlockTempMaps();
}
