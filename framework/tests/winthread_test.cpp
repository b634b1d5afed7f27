// Threads of their own: worker threads of AfxBeginThread that count under a critical
// section and signal an event, user-interface threads with their own main window and
// message loop, the ends of a thread (returning, AfxEndThread, an escaping exception,
// a failed InitInstance), creation flags, the object's lifetime and the per-thread
// state (AfxGetThread, the handle maps).
#include <afxwin.h>
#include <afxmt.h>
#include <gtest/gtest.h>

namespace {

// Generous: the machine is shared, and no test measures time.
const DWORD kWait = 20000;

// The exit code of a thread that has ended; STILL_ACTIVE when it did not end in time.
DWORD WaitForExitCode(HANDLE hThread)
{
    DWORD dwExitCode = STILL_ACTIVE;
    if (::WaitForSingleObject(hThread, kWait) == WAIT_OBJECT_0)
        ::GetExitCodeThread(hThread, &dwExitCode);
    return dwExitCode;
}

// A thread of AfxBeginThread held back until the test has taken what it needs: the
// object stays (m_bAutoDelete off) so that the handle outlives the thread.
struct CKeptThread
{
    CWinThread* pThread;
    explicit CKeptThread(CWinThread* p) : pThread(p)
    {
        if (pThread != NULL)
        {
            pThread->m_bAutoDelete = FALSE;
            pThread->ResumeThread();
        }
    }
    ~CKeptThread() { delete pThread; }
    CKeptThread(const CKeptThread&) = delete;
    CKeptThread& operator=(const CKeptThread&) = delete;
};

// Worker threads

struct CCountJob
{
    CCriticalSection sect;
    CEvent done;
    int nCount = 0;
    int nTo = 0;
    CWinThread* pSeenThread = NULL;
    DWORD dwSeenThreadID = 0;
};

UINT AFX_CDECL CountThenSignal(LPVOID pParam)
{
    auto* pJob = static_cast<CCountJob*>(pParam);
    pJob->pSeenThread = AfxGetThread();
    pJob->dwSeenThreadID = ::GetCurrentThreadId();
    for (int i = 0; i < pJob->nTo; i++)
    {
        pJob->sect.Lock();
        pJob->nCount++;
        pJob->sect.Unlock();
    }
    pJob->done.SetEvent();
    return 5;
}

TEST(WorkerThread, CountsUnderACriticalSectionAndSignalsAnEvent)
{
    CCountJob job;
    job.nTo = 1000;
    CWinThread* pThread = AfxBeginThread(CountThenSignal, &job);
    ASSERT_NE(pThread, (CWinThread*)NULL);
    ASSERT_TRUE(CSingleLock(&job.done).Lock(kWait));
    CSingleLock lock(&job.sect, TRUE);
    EXPECT_EQ(job.nCount, 1000);
    // The thread found its object and not the test's.
    EXPECT_EQ(job.pSeenThread, pThread);
    EXPECT_NE(job.dwSeenThreadID, ::GetCurrentThreadId());
    EXPECT_NE(AfxGetThread(), pThread);
}

TEST(WorkerThread, HeldByCreateSuspendedUntilResumed)
{
    CCountJob job;
    job.nTo = 1;
    CWinThread* pThread = AfxBeginThread(CountThenSignal, &job, THREAD_PRIORITY_BELOW_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(pThread, (CWinThread*)NULL);
    pThread->m_bAutoDelete = FALSE;
    EXPECT_EQ(pThread->GetThreadPriority(), THREAD_PRIORITY_BELOW_NORMAL);
    // A suspended thread cannot have counted, however long it is given.
    EXPECT_FALSE(CSingleLock(&job.done).Lock(200));
    EXPECT_EQ(pThread->SuspendThread(), 1u);
    EXPECT_EQ(pThread->ResumeThread(), 2u);
    EXPECT_EQ(pThread->ResumeThread(), 1u);
    EXPECT_EQ(WaitForExitCode(pThread->m_hThread), 5u);
    EXPECT_EQ(job.nCount, 1);
    EXPECT_EQ(job.pSeenThread, pThread);
    EXPECT_EQ(job.dwSeenThreadID, pThread->m_nThreadID);
    delete pThread;
}

struct CSharedCounter
{
    CMutex mutex;
    CCriticalSection sect;
    CSyncObject* pGuard = NULL;
    long nTotal = 0;
};

UINT AFX_CDECL IncrementShared(LPVOID pParam)
{
    auto* pShared = static_cast<CSharedCounter*>(pParam);
    for (int i = 0; i < 20000; i++)
    {
        CSingleLock lock(pShared->pGuard, TRUE);
        // Read, yield now and then, write: unguarded, the two threads would lose updates.
        long n = pShared->nTotal;
        if (i % 1000 == 0)
            ::Sleep(0);
        pShared->nTotal = n + 1;
    }
    return 0;
}

TEST(WorkerThread, TwoWorkersThroughSingleLocksCountExactly)
{
    CSharedCounter shared;
    for (CSyncObject* pGuard : { (CSyncObject*)&shared.sect, (CSyncObject*)&shared.mutex })
    {
        SCOPED_TRACE(pGuard->GetRuntimeClass()->m_lpszClassName);
        shared.pGuard = pGuard;
        shared.nTotal = 0;
        CKeptThread first(AfxBeginThread(IncrementShared, &shared, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
        CKeptThread second(AfxBeginThread(IncrementShared, &shared, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
        ASSERT_TRUE(first.pThread != NULL && second.pThread != NULL);
        EXPECT_EQ(WaitForExitCode(first.pThread->m_hThread), 0u);
        EXPECT_EQ(WaitForExitCode(second.pThread->m_hThread), 0u);
        EXPECT_EQ(shared.nTotal, 40000);
    }
}

// The ends of a thread

// Counts the deletions of its objects.
class CWatchedThread : public CWinThread
{
public:
    CWatchedThread(AFX_THREADPROC pfn, LPVOID pParam, LONG* pnDeleted)
        : CWinThread(pfn, pParam), m_pnDeleted(pnDeleted) {}
    ~CWatchedThread() override { ::InterlockedIncrement(m_pnDeleted); }

private:
    LONG* m_pnDeleted;
};

struct CEndJob
{
    BOOL bDelete = TRUE;
    bool bAfterEnd = false;     // set by code that must not run
};

void EndFromDeepInside(CEndJob* pJob)
{
    AfxEndThread(7, pJob->bDelete);
}

UINT AFX_CDECL EndThreadEarly(LPVOID pParam)
{
    auto* pJob = static_cast<CEndJob*>(pParam);
    EndFromDeepInside(pJob);
    pJob->bAfterEnd = true;
    return 1;
}

UINT AFX_CDECL ThrowFromWorker(LPVOID pParam)
{
    if (pParam != NULL)
        AfxThrowResourceException();
    throw 3;
}

// Runs pThread to its end and gives its exit code, through a duplicate of its handle:
// the object may delete itself as the thread ends.
DWORD RunToEnd(CWinThread* pThread)
{
    if (!pThread->CreateThread(CREATE_SUSPENDED))
        return STILL_ACTIVE;
    HANDLE hThread = NULL;
    ::DuplicateHandle(::GetCurrentProcess(), pThread->m_hThread, ::GetCurrentProcess(), &hThread, 0, FALSE,
                      DUPLICATE_SAME_ACCESS);
    pThread->ResumeThread();
    DWORD dwExitCode = WaitForExitCode(hThread);
    ::CloseHandle(hThread);
    return dwExitCode;
}

TEST(ThreadEnd, AfxEndThreadEndsTheWorkerWhereItIsCalled)
{
    const struct
    {
        BOOL bDelete;
        BOOL bAutoDelete;
        LONG nDeletedByThread;
    } cases[] = {
        { TRUE, TRUE, 1 },      // the object goes with the thread
        { FALSE, TRUE, 0 },     // kept when not asked to delete
        { TRUE, FALSE, 0 },     // kept when it does not delete itself
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "bDelete " << c.bDelete << ", m_bAutoDelete " << c.bAutoDelete);
        CEndJob job;
        job.bDelete = c.bDelete;
        LONG nDeleted = 0;
        auto* pThread = new CWatchedThread(EndThreadEarly, &job, &nDeleted);
        pThread->m_bAutoDelete = c.bAutoDelete;
        EXPECT_EQ(RunToEnd(pThread), 7u);
        EXPECT_FALSE(job.bAfterEnd);
        EXPECT_EQ(nDeleted, c.nDeletedByThread);
        if (c.nDeletedByThread == 0)
            delete pThread;
    }
}

TEST(ThreadEnd, AnEscapingExceptionEndsTheThreadWithAFailureCode)
{
    int nResource = 1;
    for (LPVOID pParam : { (LPVOID)&nResource, (LPVOID)NULL })
    {
        SCOPED_TRACE(pParam != NULL ? "CResourceException" : "int");
        LONG nDeleted = 0;
        EXPECT_EQ(RunToEnd(new CWatchedThread(ThrowFromWorker, pParam, &nDeleted)), (DWORD)-1);
        EXPECT_EQ(nDeleted, 1);
    }
}

TEST(ThreadEnd, CreatingTwiceOrWithoutAThreadClassFails)
{
    CCountJob job;
    CKeptThread kept(AfxBeginThread(CountThenSignal, &job, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
    ASSERT_NE(kept.pThread, (CWinThread*)NULL);
    HANDLE hFirst = kept.pThread->m_hThread;
    EXPECT_FALSE(kept.pThread->CreateThread());
    EXPECT_EQ(kept.pThread->m_hThread, hFirst);
    EXPECT_EQ(WaitForExitCode(hFirst), 5u);

    EXPECT_EQ(AfxBeginThread((AFX_THREADPROC)NULL, NULL), (CWinThread*)NULL);
    EXPECT_EQ(AfxBeginThread(RUNTIME_CLASS(CWnd)), (CWinThread*)NULL);
    EXPECT_EQ(AfxBeginThread(RUNTIME_CLASS(CWinThread) /* cannot be created */), (CWinThread*)NULL);
}

// User-interface threads

// Deletes itself when its window is gone, and says so.
class CThreadMainWnd : public CWnd
{
public:
    explicit CThreadMainWnd(LONG* pnDeleted) : m_pnDeleted(pnDeleted) {}

protected:
    void PostNcDestroy() override
    {
        ::InterlockedIncrement(m_pnDeleted);
        delete this;
    }

    LONG* m_pnDeleted;
};

const UINT WM_CLOSE_MAIN = WM_APP + 1;

// What the test sets before a user-interface thread runs, and what the thread reports.
struct CUiScript
{
    BOOL bInitResult = TRUE;
    bool bThrowInInit = false;
    LONG nWindowsDeleted = 0;
    LONG nExitInstances = 0;
    CWinThread* pSeenThread = NULL;
    CWnd* pSeenMainWnd = NULL;
    CWnd* pSeenFromHandle = NULL;
};
CUiScript* g_pUiScript = NULL;

class CWindowThread : public CWinThread
{
    DECLARE_DYNCREATE(CWindowThread)
public:
    BOOL InitInstance() override
    {
        m_pScript = g_pUiScript;
        auto* pWnd = new CThreadMainWnd(&m_pScript->nWindowsDeleted);
        if (!pWnd->CreateEx(0, NULL, "thread window", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, NULL, NULL))
        {
            delete pWnd;
            return FALSE;
        }
        m_pMainWnd = pWnd;
        m_pScript->pSeenThread = AfxGetThread();
        m_pScript->pSeenMainWnd = AfxGetMainWnd();
        m_pScript->pSeenFromHandle = CWnd::FromHandlePermanent(pWnd->m_hWnd);
        if (m_pScript->bThrowInInit)
            AfxThrowResourceException();
        return m_pScript->bInitResult;
    }

    // Messages posted to the thread come without a window.
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->hwnd == NULL && pMsg->message == WM_CLOSE_MAIN)
        {
            m_pMainWnd->PostMessage(WM_CLOSE);
            return TRUE;
        }
        return CWinThread::PreTranslateMessage(pMsg);
    }

    int ExitInstance() override
    {
        ::InterlockedIncrement(&m_pScript->nExitInstances);
        return 42;
    }

private:
    CUiScript* m_pScript = NULL;
};

IMPLEMENT_DYNCREATE(CWindowThread, CWinThread)

TEST(UserInterfaceThread, AThreadMessageClosesItsWindowAndEndsItWithExitInstancesCode)
{
    CUiScript script;
    g_pUiScript = &script;
    CKeptThread kept(AfxBeginThread(RUNTIME_CLASS(CWindowThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
    ASSERT_NE(kept.pThread, (CWinThread*)NULL);
    EXPECT_TRUE(kept.pThread->IsKindOf(RUNTIME_CLASS(CWindowThread)));
    // Posted before the thread has run a line of its own: its queue is there already.
    EXPECT_TRUE(kept.pThread->PostThreadMessage(WM_CLOSE_MAIN, 0, 0));
    EXPECT_EQ(WaitForExitCode(kept.pThread->m_hThread), 42u);
    EXPECT_EQ(script.pSeenThread, kept.pThread);
    EXPECT_NE(script.pSeenMainWnd, (CWnd*)NULL);
    EXPECT_EQ(script.pSeenFromHandle, script.pSeenMainWnd);
    EXPECT_EQ(script.nWindowsDeleted, 1);
    EXPECT_EQ(script.nExitInstances, 1);
    EXPECT_EQ(kept.pThread->m_pMainWnd, (CWnd*)NULL);
    // The test's own thread is untouched.
    EXPECT_NE(AfxGetThread(), kept.pThread);
}

TEST(UserInterfaceThread, AFailedOrThrowingInitInstanceTakesItsWindowAlong)
{
    const struct
    {
        const char* pszWhat;
        BOOL bInitResult;
        bool bThrow;
        DWORD dwExitCode;
        LONG nExitInstances;
    } cases[] = {
        { "InitInstance fails", FALSE, false, 42, 1 },
        { "InitInstance throws", TRUE, true, (DWORD)-1, 0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        CUiScript script;
        script.bInitResult = c.bInitResult;
        script.bThrowInInit = c.bThrow;
        g_pUiScript = &script;
        CKeptThread kept(AfxBeginThread(RUNTIME_CLASS(CWindowThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
        ASSERT_NE(kept.pThread, (CWinThread*)NULL);
        EXPECT_EQ(WaitForExitCode(kept.pThread->m_hThread), c.dwExitCode);
        EXPECT_EQ(script.nWindowsDeleted, 1);
        EXPECT_EQ(script.nExitInstances, c.nExitInstances);
    }
}

// The handle maps are the thread's own

struct CMapProbe
{
    HWND hWnd = NULL;
    CWnd* pPermanent = NULL;
    CWnd* pTemporary = NULL;
    CWnd* pTemporaryAgain = NULL;
};

UINT AFX_CDECL ProbeHandleMaps(LPVOID pParam)
{
    auto* pProbe = static_cast<CMapProbe*>(pParam);
    pProbe->pPermanent = CWnd::FromHandlePermanent(pProbe->hWnd);
    pProbe->pTemporary = CWnd::FromHandle(pProbe->hWnd);
    pProbe->pTemporaryAgain = CWnd::FromHandle(pProbe->hWnd);
    return 0;
}

TEST(ThreadState, EachThreadHasItsOwnHandleMaps)
{
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, NULL, "bound here", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    HWND hUnbound = ::CreateWindowA("STATIC", "unbound", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ASSERT_NE(hUnbound, (HWND)NULL);
    CWnd* pMine = CWnd::FromHandle(hUnbound);

    CMapProbe bound, unbound;
    bound.hWnd = wnd.m_hWnd;
    unbound.hWnd = hUnbound;
    for (CMapProbe* pProbe : { &bound, &unbound })
    {
        CKeptThread kept(AfxBeginThread(ProbeHandleMaps, pProbe, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED));
        ASSERT_NE(kept.pThread, (CWinThread*)NULL);
        EXPECT_EQ(WaitForExitCode(kept.pThread->m_hThread), 0u);
    }
    // The object bound here is not the other thread's; its temporaries are its own.
    EXPECT_EQ(bound.pPermanent, (CWnd*)NULL);
    EXPECT_NE(bound.pTemporary, &wnd);
    EXPECT_NE(unbound.pTemporary, (CWnd*)NULL);
    EXPECT_NE(unbound.pTemporary, pMine);
    EXPECT_EQ(unbound.pTemporary, unbound.pTemporaryAgain);
    EXPECT_EQ(CWnd::FromHandle(hUnbound), pMine);
    EXPECT_EQ(CWnd::FromHandle(wnd.m_hWnd), &wnd);
    ::DestroyWindow(hUnbound);
    wnd.DestroyWindow();
}

} // namespace
