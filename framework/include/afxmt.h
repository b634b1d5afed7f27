// Synchronisation objects and their locks: CSyncObject, the base of CCriticalSection,
// CMutex, CEvent and CSemaphore (each owning its Win32 object), and CSingleLock and
// CMultiLock, which acquire them and release what they acquired. Creating a kernel
// object that the system refuses throws CResourceException.
#pragma once

#ifndef __AFXMT_H__
  #define __AFXMT_H__
#endif

#include "afx.h"

class AFX_FRAMEWORK CSyncObject : public CObject
{
    DECLARE_DYNAMIC(CSyncObject)
public:
    // pstrName is the name the derived class gives its kernel object.
    explicit CSyncObject(LPCTSTR pstrName);
    // Closes m_hObject.
    ~CSyncObject() override;

// Attributes
    operator HANDLE() const { return m_hObject; }
    HANDLE m_hObject;

// Operations
    // Waits for the object; TRUE once it is acquired (an abandoned mutex is acquired
    // too), FALSE on timeout or failure.
    virtual BOOL Lock(DWORD dwTimeout = INFINITE);
    virtual BOOL Unlock() = 0;
    // For semaphores: releases lCount; the others release once and ignore the counts.
    virtual BOOL Unlock(LONG lCount, LPLONG lpPrevCount = NULL);
};

class AFX_FRAMEWORK CSemaphore : public CSyncObject
{
    DECLARE_DYNAMIC(CSemaphore)
public:
    CSemaphore(LONG lInitialCount = 1, LONG lMaxCount = 1, LPCTSTR pstrName = NULL,
               LPSECURITY_ATTRIBUTES lpsaAttributes = NULL);

    BOOL Unlock() override;
    // Adds lCount to the count; the count before into *lprevCount. FALSE when that
    // would pass the maximum.
    BOOL Unlock(LONG lCount, LPLONG lprevCount = NULL) override;
};

class AFX_FRAMEWORK CMutex : public CSyncObject
{
    DECLARE_DYNAMIC(CMutex)
public:
    CMutex(BOOL bInitiallyOwn = FALSE, LPCTSTR lpszName = NULL, LPSECURITY_ATTRIBUTES lpsaAttribute = NULL);

    // FALSE when the calling thread does not own the mutex.
    BOOL Unlock() override;
    using CSyncObject::Unlock;
};

class AFX_FRAMEWORK CEvent : public CSyncObject
{
    DECLARE_DYNAMIC(CEvent)
public:
    // bInitiallyOwn: the event starts signalled.
    CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCTSTR lpszName = NULL,
           LPSECURITY_ATTRIBUTES lpsaAttribute = NULL);

// Operations
    BOOL SetEvent() { return ::SetEvent(m_hObject); }
    // Releases the waiting threads (one of an auto-reset event) and resets the event.
    BOOL PulseEvent() { return ::PulseEvent(m_hObject); }
    BOOL ResetEvent() { return ::ResetEvent(m_hObject); }
    // An event is not owned: nothing to give back.
    BOOL Unlock() override { return TRUE; }
    using CSyncObject::Unlock;
};

// Within one process only, and without a handle: a CMultiLock cannot wait for it.
class AFX_FRAMEWORK CCriticalSection : public CSyncObject
{
    DECLARE_DYNAMIC(CCriticalSection)
public:
    CCriticalSection();
    ~CCriticalSection() override;

// Attributes
    operator CRITICAL_SECTION*() { return &m_sect; }
    CRITICAL_SECTION m_sect;

// Operations
    BOOL Lock();
    // A critical section cannot time out: the timeout is ignored and the call waits.
    BOOL Lock(DWORD dwTimeout) override;
    BOOL Unlock() override;
    using CSyncObject::Unlock;
};

// Holds one synchronisation object while it is locked; the destructor unlocks it.
class AFX_FRAMEWORK CSingleLock
{
public:
    explicit CSingleLock(CSyncObject* pObject, BOOL bInitialLock = FALSE);
    ~CSingleLock() { Unlock(); }
    CSingleLock(const CSingleLock&) = delete;
    CSingleLock& operator=(const CSingleLock&) = delete;

// Operations
    // TRUE once the object is acquired, at once when this lock already holds it (it
    // is not acquired twice: one Unlock releases it).
    BOOL Lock(DWORD dwTimeOut = INFINITE);
    // Releases the object if this lock holds it; TRUE unless the release failed.
    BOOL Unlock();
    BOOL Unlock(LONG lCount, LPLONG lPrevCount = NULL);
    BOOL IsLocked() { return m_bAcquired; }

protected:
    CSyncObject* m_pObject;
    BOOL m_bAcquired;
};

// Waits for any or all of several kernel synchronisation objects (not critical
// sections), up to MAXIMUM_WAIT_OBJECTS of them; the destructor unlocks what it holds.
class AFX_FRAMEWORK CMultiLock
{
public:
    CMultiLock(CSyncObject* ppObjects[], DWORD dwCount, BOOL bInitialLock = FALSE);
    ~CMultiLock();
    CMultiLock(const CMultiLock&) = delete;
    CMultiLock& operator=(const CMultiLock&) = delete;

// Operations
    // WaitForMultipleObjects' result, or MsgWaitForMultipleObjects' with a dwWakeMask:
    // WAIT_OBJECT_0 + n (all objects, or object n, are now held), WAIT_ABANDONED_0 + n
    // (an abandoned mutex, held too), WAIT_OBJECT_0 + dwCount (a message of the mask
    // arrived), WAIT_TIMEOUT or WAIT_FAILED (also for a critical section among the
    // objects, or a count of 0 or beyond MAXIMUM_WAIT_OBJECTS).
    DWORD Lock(DWORD dwTimeOut = INFINITE, BOOL bWaitForAll = TRUE, DWORD dwWakeMask = 0);
    // Releases every object this lock holds; FALSE if a release failed.
    BOOL Unlock();
    BOOL Unlock(LONG lCount, LPLONG lPrevCount = NULL);
    // Whether the lock holds object dwItem; FALSE for an index beyond the objects.
    BOOL IsLocked(DWORD dwItem);

protected:
    CSyncObject* const* m_ppObjectArray;
    HANDLE* m_pHandleArray;
    BOOL* m_bLockedArray;
    DWORD m_dwCount;
};
