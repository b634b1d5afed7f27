// The per-thread state, CWinThread's message loop (Run, PumpMessage, PreTranslateMessage,
// OnIdle), the lock of the temporary handle maps and the default answer to exceptions
// thrown by window procedure handlers.
#include "afxcmn.h"
#include "afxpriv.h"
#include "threadstate.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {

thread_local AFX_THREAD_STATE t_threadState;

// Before dispatch: the message's window and its parents and owners up to the main
// window, then the main window itself for messages of windows it does not own (unowned
// modeless dialogs, other frames), so that it sees each message once.
BOOL PreTranslateThroughMainWindow(MSG* pMsg)
{
    if (CWnd::WalkPreTranslateTree(AfxGetMainWnd()->GetSafeHwnd(), pMsg))
        return TRUE;
    // Asked again: a handler of the walk may have closed the main window.
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != NULL && pMsg->hwnd != NULL && AfxGetTopLevelParent(pMsg->hwnd) != pMainWnd->m_hWnd)
        return pMainWnd->PreTranslateMessage(pMsg);
    return FALSE;
}

// Takes one message into msg and dispatches it unless preTranslate handled it; FALSE
// on WM_QUIT.
template <class TPreTranslate>
BOOL PumpOne(MSG& msg, TPreTranslate preTranslate)
{
    if (!::GetMessage(&msg, NULL, 0, 0))
        return FALSE;
    if (msg.message != WM_KICKIDLE && !preTranslate(&msg))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
    return TRUE;
}

} // namespace

AFX_THREAD_STATE* AfxGetThreadState() { return &t_threadState; }

CWinThread* AFXAPI AfxGetThread() { return t_threadState.m_pCurrentWinThread; }

CWnd* AFXAPI AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL ? pThread->GetMainWnd() : NULL;
}

void AFXAPI AfxPostQuitMessage(int nExitCode) { ::PostQuitMessage(nExitCode); }

BOOL AFXAPI AfxPumpMessage()
{
    if (CWinThread* pThread = AfxGetThread())
        return pThread->PumpMessage();
    return PumpOne(t_threadState.m_msgCur, PreTranslateThroughMainWindow);
}

MSG* AfxGetPumpedMessage()
{
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL ? &pThread->m_msgCur : &t_threadState.m_msgCur;
}

BOOL AfxIsIdleMessage(MSG* pMsg)
{
    if (CWinThread* pThread = AfxGetThread())
        return pThread->IsIdleMessage(pMsg);
    return pMsg->message != WM_PAINT && pMsg->message != WM_SYSTIMER;
}

// Temporary handle maps

void AFXAPI AfxLockTempMaps() { t_threadState.m_nTempMapLock++; }

BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps)
{
    if (t_threadState.m_nTempMapLock > 0 && --t_threadState.m_nTempMapLock > 0)
        return FALSE;
    if (!bDeleteTemps)
        return FALSE;
    CWnd::DeleteTempMap();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
    CMenu::DeleteTempMap();
    CImageList::DeleteTempMap();
    return TRUE;
}

// Exceptions from window procedures

LRESULT AfxProcessWndProcException(CException* e, const MSG* pMsg)
{
    // A window whose creation threw is not created. One whose painting threw is not
    // painted again and again, and says nothing: a box would be painted over it, and
    // every paint would raise another.
    if (pMsg->message == WM_CREATE)
        return -1;
    if (pMsg->message == WM_PAINT)
    {
        ::ValidateRect(pMsg->hwnd, NULL);
        return 0;
    }
    // A command of a menu or an accelerator that failed is handled: it goes no further.
    UINT nIDPrompt = AFX_IDP_INTERNAL_FAILURE;
    LRESULT lResult = 0;
    if (pMsg->message == WM_COMMAND && pMsg->lParam == 0)
    {
        nIDPrompt = AFX_IDP_COMMAND_FAILURE;
        lResult = TRUE;
    }
    // The prompt stands in for an exception that has no message of its own.
    if (e->IsKindOf(RUNTIME_CLASS(CMemoryException)))
        e->ReportError(MB_ICONEXCLAMATION | MB_SYSTEMMODAL, nIDPrompt);
    else if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
        e->ReportError(MB_ICONSTOP, nIDPrompt);
    return lResult;
}

// CWinThread

CWinThread::CWinThread()
    : m_pMainWnd(NULL), m_pActiveWnd(NULL), m_bAutoDelete(TRUE), m_hThread(NULL), m_nThreadID(0),
      m_pThreadParams(NULL), m_pfnThreadProc(NULL), m_msgCur(), m_ptCursorLast(-1, -1), m_nMsgLast(0)
{
}

CWinThread::~CWinThread()
{
    // The application's object holds the pseudo handle of its thread, which needs no closing.
    if (m_hThread != NULL && m_hThread != ::GetCurrentThread())
        ::CloseHandle(m_hThread);
    if (t_threadState.m_pCurrentWinThread == this)
        t_threadState.m_pCurrentWinThread = NULL;
}

BOOL CWinThread::InitInstance() { return FALSE; }

int AfxRunInstance(CWinThread* pThread)
{
    if (pThread->InitInstance())
        return pThread->Run();
    if (pThread->m_pMainWnd != NULL)
        pThread->m_pMainWnd->DestroyWindow();
    return pThread->ExitInstance();
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;)
    {
        while (bIdle && !::PeekMessage(&m_msgCur, NULL, 0, 0, PM_NOREMOVE))
        {
            if (!OnIdle(lIdleCount++))
                bIdle = FALSE;
        }
        do
        {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessage(&m_msgCur, NULL, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg) { return PreTranslateThroughMainWindow(pMsg); }

BOOL CWinThread::PumpMessage()
{
    return PumpOne(m_msgCur, [this](MSG* pMsg) { return PreTranslateMessage(pMsg); });
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0)
    {
        // Command user interface of the main window and its descendants.
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd != NULL && pMainWnd->m_hWnd != NULL && pMainWnd->IsWindowVisible())
        {
            AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        return TRUE;
    }
    // Nothing else wants the idle time: free the temporary objects.
    AfxLockTempMaps();
    AfxUnlockTempMaps();
    return FALSE;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE)
    {
        // A mouse move to where the cursor already was changes nothing.
        if (m_ptCursorLast == pMsg->pt && pMsg->message == m_nMsgLast)
            return FALSE;
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != WM_SYSTIMER;
}

int CWinThread::ExitInstance() { return (int)m_msgCur.wParam; }

LRESULT CWinThread::ProcessWndProcException(CException* e, const MSG* pMsg)
{
    return AfxProcessWndProcException(e, pMsg);
}
