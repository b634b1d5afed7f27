// The synchronisation objects and their locks: events (manual, automatic, pulsed,
// named), semaphores and their counts, mutexes (owned, abandoned), critical sections,
// CSingleLock's holding and releasing, CMultiLock waiting for any or for all, for
// messages, and refusing what it cannot wait for; creation failures.
#include <afxwin.h>
#include <afxmt.h>
#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace {

const DWORD kWait = 20000;

// What f answers on a thread of its own: ownership of mutexes and critical sections is
// per thread, so only another thread can tell whether one is free.
bool OnOtherThread(const std::function<bool()>& f)
{
    bool bResult = false;
    std::thread([&] { bResult = f(); }).join();
    return bResult;
}

bool MutexIsFree(CMutex& mutex)
{
    return OnOtherThread([&] {
        CSingleLock lock(&mutex);
        return lock.Lock(0) == TRUE;
    });
}

bool SectionIsFree(CCriticalSection& sect)
{
    return OnOtherThread([&] {
        if (!::TryEnterCriticalSection(sect))
            return false;
        ::LeaveCriticalSection(sect);
        return true;
    });
}

// Events

TEST(Event, ManualAndAutomaticResetAndPulse)
{
    CEvent automatic;
    EXPECT_FALSE(automatic.Lock(0));
    EXPECT_TRUE(automatic.SetEvent());
    EXPECT_TRUE(automatic.Lock(0));
    EXPECT_FALSE(automatic.Lock(0)) << "a wait resets an automatic event";

    CEvent manual(TRUE, TRUE);
    EXPECT_TRUE(manual.Lock(0)) << "bInitiallyOwn starts it signalled";
    EXPECT_TRUE(manual.Lock(0)) << "a manual event stays signalled";
    EXPECT_TRUE(manual.ResetEvent());
    EXPECT_FALSE(manual.Lock(0));
    // Nobody waits: the pulse releases nobody and leaves the event reset.
    EXPECT_TRUE(manual.PulseEvent());
    EXPECT_FALSE(manual.Lock(0));
    EXPECT_TRUE(manual.Unlock());
}

TEST(Event, ANameSharesTheObjectAndAnotherKindsNameThrows)
{
    CString strName;
    strName.Format("fwtest-event-%lu", ::GetCurrentProcessId());
    CEvent first(FALSE, TRUE, strName);
    CEvent second(FALSE, TRUE, strName);
    EXPECT_NE((HANDLE)first, (HANDLE)second);
    first.SetEvent();
    EXPECT_TRUE(second.Lock(0));

    CString strMutex;
    strMutex.Format("fwtest-mutex-%lu", ::GetCurrentProcessId());
    CMutex mutex(FALSE, strMutex);
    bool bThrown = false;
    try
    {
        CEvent clash(FALSE, FALSE, strMutex);
    }
    catch (CResourceException* e)
    {
        bThrown = true;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
}

// Semaphores

TEST(Semaphore, CountsAndRefusesToPassItsMaximum)
{
    CSemaphore semaphore(1, 3);
    EXPECT_TRUE(semaphore.Lock(0));
    EXPECT_FALSE(semaphore.Lock(0));
    LONG lPrev = -1;
    EXPECT_TRUE(semaphore.Unlock(2, &lPrev));
    EXPECT_EQ(lPrev, 0);
    EXPECT_TRUE(semaphore.Unlock());
    EXPECT_FALSE(semaphore.Unlock()) << "a fourth would pass the maximum of 3";
    for (int i = 0; i < 3; i++)
        EXPECT_TRUE(semaphore.Lock(0)) << i;
    EXPECT_FALSE(semaphore.Lock(0));
}

TEST(Semaphore, ImpossibleCountsThrowResourceException)
{
    const struct
    {
        LONG lInitial;
        LONG lMax;
    } cases[] = { { 2, 1 }, { 0, 0 }, { -1, 1 } };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.lInitial << " of " << c.lMax);
        bool bThrown = false;
        try
        {
            CSemaphore semaphore(c.lInitial, c.lMax);
        }
        catch (CResourceException* e)
        {
            bThrown = true;
            e->Delete();
        }
        EXPECT_TRUE(bThrown);
    }
}

// Mutexes and critical sections through CSingleLock

TEST(SingleLock, HoldsUntilUnlockOrItsEnd)
{
    CMutex mutex;
    {
        CSingleLock lock(&mutex, TRUE);
        EXPECT_TRUE(lock.IsLocked());
        EXPECT_FALSE(MutexIsFree(mutex));
        EXPECT_TRUE(lock.Unlock());
        EXPECT_FALSE(lock.IsLocked());
        EXPECT_TRUE(MutexIsFree(mutex));
        EXPECT_TRUE(lock.Unlock()) << "nothing held, nothing to fail";
        EXPECT_TRUE(lock.Lock());
    }
    EXPECT_TRUE(MutexIsFree(mutex)) << "the destructor unlocks";

    CCriticalSection sect;
    {
        CSingleLock lock(&sect);
        EXPECT_TRUE(lock.Lock());
        EXPECT_TRUE(lock.Lock()) << "held already";
        EXPECT_FALSE(SectionIsFree(sect));
        // One Unlock releases it: the second Lock did not enter twice.
        EXPECT_TRUE(lock.Unlock());
        EXPECT_TRUE(SectionIsFree(sect));
        EXPECT_TRUE(lock.Lock());
    }
    EXPECT_TRUE(SectionIsFree(sect));
}

TEST(SingleLock, UnlockWithACountReleasesEveryKindOnce)
{
    CSemaphore semaphore(2, 2);
    {
        CSingleLock lock(&semaphore, TRUE);
        LONG lPrev = -1;
        EXPECT_TRUE(lock.Unlock(1, &lPrev));
        EXPECT_EQ(lPrev, 1);
        EXPECT_FALSE(lock.IsLocked());
    }
    CMutex mutex;
    {
        CSingleLock lock(&mutex, TRUE);
        EXPECT_TRUE(lock.Unlock(1));
        EXPECT_TRUE(MutexIsFree(mutex));
    }
    CCriticalSection sect;
    {
        CSingleLock lock(&sect, TRUE);
        EXPECT_TRUE(lock.Unlock(1));
        EXPECT_TRUE(SectionIsFree(sect));
    }
}

TEST(SingleLock, AnAbandonedMutexIsAcquired)
{
    CMutex mutex;
    ASSERT_TRUE(OnOtherThread([&] { return mutex.Lock(0) == TRUE; }));
    // Its owner has ended without releasing it.
    CSingleLock lock(&mutex);
    EXPECT_TRUE(lock.Lock(kWait));
    EXPECT_TRUE(lock.IsLocked());
    EXPECT_TRUE(lock.Unlock());
    EXPECT_TRUE(MutexIsFree(mutex));
}

TEST(SingleLock, TimesOutOnAnObjectHeldElsewhere)
{
    CMutex mutex(TRUE);
    EXPECT_TRUE(OnOtherThread([&] {
        CSingleLock lock(&mutex);
        return !lock.Lock(0) && !lock.IsLocked();
    }));
    EXPECT_TRUE(mutex.Unlock());
    EXPECT_FALSE(mutex.Unlock()) << "no longer owned";
}

// CMultiLock

TEST(MultiLock, WaitsForAnyAndLocksOnlyThatOne)
{
    CEvent first, second;
    CSyncObject* objects[] = { &first, &second };
    CMultiLock lock(objects, 2);
    EXPECT_EQ(lock.Lock(0, FALSE), (DWORD)WAIT_TIMEOUT);
    EXPECT_FALSE(lock.IsLocked(0) || lock.IsLocked(1));
    second.SetEvent();
    EXPECT_EQ(lock.Lock(kWait, FALSE), WAIT_OBJECT_0 + 1);
    EXPECT_FALSE(lock.IsLocked(0));
    EXPECT_TRUE(lock.IsLocked(1));
    EXPECT_FALSE(lock.IsLocked(2));
    EXPECT_FALSE(lock.IsLocked((DWORD)-1));
}

TEST(MultiLock, WaitsForAllSignalledByAnotherThreadAndReleasesThem)
{
    CEvent started;
    CMutex mutex(FALSE);
    CSemaphore semaphore(0, 1);
    CSyncObject* objects[] = { &mutex, &semaphore };
    // The other thread releases the semaphore while the lock waits for both.
    std::thread releaser([&] {
        started.Lock(kWait);
        semaphore.Unlock();
    });
    {
        CMultiLock lock(objects, 2);
        started.SetEvent();
        DWORD dwResult = lock.Lock(kWait, TRUE);
        EXPECT_LT(dwResult - WAIT_OBJECT_0, 2u) << dwResult;
        EXPECT_TRUE(lock.IsLocked(0) && lock.IsLocked(1));
        EXPECT_FALSE(MutexIsFree(mutex));
        EXPECT_TRUE(lock.Unlock());
        EXPECT_FALSE(lock.IsLocked(0) || lock.IsLocked(1));
        EXPECT_TRUE(MutexIsFree(mutex));
        // The semaphore's count is back: both are there to take again, and are held
        // at the end, when the destructor releases them.
        EXPECT_LT(lock.Lock(0, TRUE) - WAIT_OBJECT_0, 2u);
    }
    releaser.join();
    EXPECT_TRUE(MutexIsFree(mutex));
    EXPECT_TRUE(semaphore.Lock(0));
}

TEST(MultiLock, AWakeMaskReturnsForAMessage)
{
    CEvent event;
    CSyncObject* objects[] = { &event };
    CMultiLock lock(objects, 1);
    MSG msg;
    ::PeekMessage(&msg, NULL, 0, 0, PM_NOREMOVE);
    ASSERT_TRUE(::PostThreadMessage(::GetCurrentThreadId(), WM_APP, 0, 0));
    EXPECT_EQ(lock.Lock(kWait, FALSE, QS_POSTMESSAGE), WAIT_OBJECT_0 + 1);
    EXPECT_FALSE(lock.IsLocked(0));
    EXPECT_TRUE(::PeekMessage(&msg, NULL, WM_APP, WM_APP, PM_REMOVE));
}

TEST(MultiLock, WhatItCannotWaitForFails)
{
    CEvent event(TRUE, TRUE);
    CCriticalSection sect;
    CSyncObject* withSection[] = { &event, &sect };
    CSyncObject* withNull[] = { &event, NULL };
    CSyncObject* many[MAXIMUM_WAIT_OBJECTS + 1];
    for (CSyncObject*& p : many)
        p = &event;
    const struct
    {
        const char* pszWhat;
        CSyncObject** ppObjects;
        DWORD dwCount;
    } cases[] = {
        { "a critical section", withSection, 2 },
        { "a missing object", withNull, 2 },
        { "no objects", many, 0 },
        { "too many objects", many, MAXIMUM_WAIT_OBJECTS + 1 },
        { "no array", NULL, 3 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszWhat);
        CMultiLock lock(c.ppObjects, c.dwCount);
        EXPECT_EQ(lock.Lock(0, TRUE), WAIT_FAILED);
        EXPECT_FALSE(lock.IsLocked(0));
        EXPECT_TRUE(lock.Unlock());
    }
}

} // namespace
