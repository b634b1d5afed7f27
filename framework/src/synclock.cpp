// CSingleLock and CMultiLock: acquiring synchronisation objects and releasing exactly
// what was acquired.
#include "afxmt.h"

// CSingleLock

CSingleLock::CSingleLock(CSyncObject* pObject, BOOL bInitialLock)
    : m_pObject(pObject), m_bAcquired(FALSE)
{
    if (bInitialLock)
        Lock();
}

BOOL CSingleLock::Lock(DWORD dwTimeOut)
{
    if (m_pObject == NULL)
        return FALSE;
    if (!m_bAcquired)
        m_bAcquired = m_pObject->Lock(dwTimeOut);
    return m_bAcquired;
}

// Unlock(1, NULL) releases any object once: only a semaphore takes the count.
BOOL CSingleLock::Unlock() { return Unlock(1, NULL); }

BOOL CSingleLock::Unlock(LONG lCount, LPLONG lPrevCount)
{
    if (m_bAcquired)
        m_bAcquired = !m_pObject->Unlock(lCount, lPrevCount);
    return !m_bAcquired;
}

// CMultiLock

CMultiLock::CMultiLock(CSyncObject* ppObjects[], DWORD dwCount, BOOL bInitialLock)
    : m_ppObjectArray(ppObjects), m_pHandleArray(NULL), m_bLockedArray(NULL), m_dwCount(0)
{
    // Without a valid array the lock holds no object, and every wait fails.
    if (ppObjects == NULL || dwCount > MAXIMUM_WAIT_OBJECTS)
        dwCount = 0;
    m_pHandleArray = new HANDLE[dwCount];
    m_bLockedArray = new BOOL[dwCount];
    m_dwCount = dwCount;
    for (DWORD i = 0; i < dwCount; i++)
    {
        // A missing object has no handle, nor has a critical section: the waits fail.
        m_pHandleArray[i] = ppObjects[i] != NULL ? ppObjects[i]->m_hObject : NULL;
        m_bLockedArray[i] = FALSE;
    }
    if (bInitialLock)
        Lock();
}

CMultiLock::~CMultiLock()
{
    Unlock();
    delete[] m_pHandleArray;
    delete[] m_bLockedArray;
}

DWORD CMultiLock::Lock(DWORD dwTimeOut, BOOL bWaitForAll, DWORD dwWakeMask)
{
    DWORD dwResult = dwWakeMask != 0
                         ? ::MsgWaitForMultipleObjects(m_dwCount, m_pHandleArray, bWaitForAll, dwTimeOut, dwWakeMask)
                         : ::WaitForMultipleObjects(m_dwCount, m_pHandleArray, bWaitForAll, dwTimeOut);
    DWORD dwItem;
    if (dwResult - WAIT_OBJECT_0 < m_dwCount)
        dwItem = dwResult - WAIT_OBJECT_0;
    else if (dwResult - WAIT_ABANDONED_0 < m_dwCount)
        dwItem = dwResult - WAIT_ABANDONED_0;
    else
        return dwResult;
    // The index of a wait for all names one object, but all of them are held.
    for (DWORD i = 0; i < m_dwCount; i++)
    {
        if (bWaitForAll || i == dwItem)
            m_bLockedArray[i] = TRUE;
    }
    return dwResult;
}

BOOL CMultiLock::Unlock() { return Unlock(1, NULL); }

BOOL CMultiLock::Unlock(LONG lCount, LPLONG lPrevCount)
{
    BOOL bAll = TRUE;
    for (DWORD i = 0; i < m_dwCount; i++)
    {
        if (m_bLockedArray[i])
            m_bLockedArray[i] = !m_ppObjectArray[i]->Unlock(lCount, lPrevCount);
        bAll = bAll && !m_bLockedArray[i];
    }
    return bAll;
}

BOOL CMultiLock::IsLocked(DWORD dwItem) { return dwItem < m_dwCount && m_bLockedArray[dwItem]; }
