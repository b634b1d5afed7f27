// CWinThread as a thread of its own: CreateThread and its start routine, AfxBeginThread
// for worker and user-interface threads, the end of a thread (AfxEndThread, the
// object's self-deletion) and the boundary that keeps exceptions inside the thread.
#include <process.h>

#include "afxwin.h"
#include "threadstate.h"

namespace {

// The exit code of a thread whose own code let an exception escape.
const UINT kExitCodeUncaughtException = (UINT)-1;

// What the creating thread hands to the new one. It lives on the creator's stack: the
// new thread reads it before it sets hStarted and never touches it afterwards.
struct CThreadStartup
{
    CWinThread* pThread;
    HANDLE hStarted;    // set by the new thread once it is the thread object's
    HANDLE hGo;         // set by the creator; closed by the new thread
};

// The thread's own code, with nothing let out: an exception ends it with a failure code.
UINT RunThreadCode(CWinThread* pThread)
{
    try
    {
        if (pThread->m_pfnThreadProc != NULL)
            return pThread->m_pfnThreadProc(pThread->m_pThreadParams);
        return (UINT)AfxRunInstance(pThread);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    catch (...)
    {
    }
    // A main window left behind by the code that threw goes with the thread.
    if (pThread->m_pMainWnd != NULL)
        pThread->m_pMainWnd->DestroyWindow();
    return kExitCodeUncaughtException;
}

// What every thread of the framework does last: the thread object goes (when asked and
// it deletes itself), and so do the thread's temporary handle objects.
void EndThreadObject(BOOL bDelete)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    CWinThread* pThread = pState->m_pCurrentWinThread;
    // The application object is the program's own, never deleted here.
    if (pThread != NULL && bDelete && pThread != AfxGetApp())
        pThread->Delete();
    pState->m_pCurrentWinThread = NULL;
    pState->m_nTempMapLock = 0;
    AfxUnlockTempMaps(TRUE);
}

unsigned __stdcall ThreadStart(void* pvStartup)
{
    auto* pStartup = static_cast<CThreadStartup*>(pvStartup);
    CWinThread* pThread = pStartup->pThread;
    HANDLE hGo = pStartup->hGo;
    AfxGetThreadState()->m_pCurrentWinThread = pThread;
    // The thread's message queue, made before the creator goes on: a message posted
    // to the thread right after its creation is not lost.
    MSG msg;
    ::PeekMessage(&msg, NULL, WM_USER, WM_USER, PM_NOREMOVE);
    ::SetEvent(pStartup->hStarted);
    // The creator lets it go at once, or at ResumeThread when it was created suspended.
    ::WaitForSingleObject(hGo, INFINITE);
    ::CloseHandle(hGo);

    UINT nExitCode = RunThreadCode(pThread);
    EndThreadObject(TRUE);
    return nExitCode;
}

// A new object of pThreadClass that is a CWinThread; NULL (and nothing left) if it is not.
CWinThread* CreateThreadObject(CRuntimeClass* pThreadClass)
{
    CObject* pObject = pThreadClass != NULL ? pThreadClass->CreateObject() : NULL;
    if (pObject == NULL)
        return NULL;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CWinThread)))
    {
        delete pObject;
        return NULL;
    }
    return static_cast<CWinThread*>(pObject);
}

// Starts pThread at nPriority; deletes it and gives NULL when the thread cannot start.
CWinThread* BeginThread(CWinThread* pThread, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                        LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (pThread == NULL)
        return NULL;
    if (!pThread->CreateThread(dwCreateFlags | CREATE_SUSPENDED, nStackSize, lpSecurityAttrs))
    {
        delete pThread;
        return NULL;
    }
    pThread->SetThreadPriority(nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        pThread->ResumeThread();
    return pThread;
}

} // namespace

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam) : CWinThread()
{
    m_pfnThreadProc = pfnThreadProc;
    m_pThreadParams = pParam;
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (m_hThread != NULL)
        return FALSE;
    CThreadStartup startup = {this, ::CreateEvent(NULL, TRUE, FALSE, NULL), ::CreateEvent(NULL, TRUE, FALSE, NULL)};
    HANDLE hThread = NULL;
    unsigned nThreadID = 0;
    if (startup.hStarted != NULL && startup.hGo != NULL)
        hThread = (HANDLE)_beginthreadex(lpSecurityAttrs, nStackSize, ThreadStart, &startup,
                                         dwCreateFlags | CREATE_SUSPENDED, &nThreadID);
    BOOL bStarted = FALSE;
    if (hThread != NULL)
    {
        m_hThread = hThread;
        m_nThreadID = nThreadID;
        ::ResumeThread(hThread);
        // Not a wait for ever when the thread ends (is terminated) before it started.
        HANDLE waits[] = {startup.hStarted, hThread};
        bStarted = ::WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0;
    }
    if (startup.hStarted != NULL)
        ::CloseHandle(startup.hStarted);
    if (!bStarted)
    {
        if (startup.hGo != NULL)
            ::CloseHandle(startup.hGo);
        if (hThread != NULL)
            ::CloseHandle(hThread);
        m_hThread = NULL;
        m_nThreadID = 0;
        return FALSE;
    }
    // Held: the thread waits on hGo until ResumeThread lets it go. Else it goes now, and
    // may end and delete this object from here on.
    if (dwCreateFlags & CREATE_SUSPENDED)
    {
        m_hHoldGo = startup.hGo;
        m_nHoldCount = 1;
    }
    else
    {
        ::SetEvent(startup.hGo);
    }
    return TRUE;
}

DWORD CWinThread::SuspendThread()
{
    if (m_hHoldGo != NULL)
        return m_nHoldCount++;
    return ::SuspendThread(m_hThread);
}

DWORD CWinThread::ResumeThread()
{
    if (m_hHoldGo == NULL)
        return ::ResumeThread(m_hThread);
    DWORD nPrevious = m_nHoldCount--;
    if (m_nHoldCount == 0)
    {
        // Nothing of the object is touched after the thread goes: it may delete it.
        HANDLE hGo = m_hHoldGo;
        m_hHoldGo = NULL;
        ::SetEvent(hGo);
    }
    return nPrevious;
}

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                                  DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (pfnThreadProc == NULL)
        return NULL;
    return BeginThread(new CWinThread(pfnThreadProc, pParam), nPriority, nStackSize, dwCreateFlags,
                       lpSecurityAttrs);
}

CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass, int nPriority, UINT nStackSize, DWORD dwCreateFlags,
                                  LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    return BeginThread(CreateThreadObject(pThreadClass), nPriority, nStackSize, dwCreateFlags, lpSecurityAttrs);
}

void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete)
{
    EndThreadObject(bDelete);
    _endthreadex(nExitCode);
}
