// Records the largest block a module (diblib.dll unless told) asks GlobalAlloc for, by
// pointing the entry of its import table at a recorder for the lifetime of the object,
// and refuses blocks above a limit if given one, as a system short of memory would,
// without allocating them. One at a time.
#pragma once

#include "framework/tests/import_patch.h"

class CGlobalAllocSpy
{
public:
    explicit CGlobalAllocSpy(const char* pszModule = "diblib.dll", SIZE_T cbRefuseAbove = (SIZE_T)-1)
        : m_patch(pszModule, "kernel32.dll", "GlobalAlloc", reinterpret_cast<void*>(&Record))
    {
        s_cbLargest = 0;
        s_cbRefuseAbove = cbRefuseAbove;
        s_pOriginal = reinterpret_cast<GLOBALALLOC>(m_patch.GetOriginal());
    }
    CGlobalAllocSpy(const CGlobalAllocSpy&) = delete;
    CGlobalAllocSpy& operator=(const CGlobalAllocSpy&) = delete;

    BOOL IsWatching() const { return m_patch.IsPatched(); }
    void Reset() { s_cbLargest = 0; }
    SIZE_T GetLargest() const { return s_cbLargest; }

private:
    typedef HGLOBAL(WINAPI* GLOBALALLOC)(UINT, SIZE_T);

    static HGLOBAL WINAPI Record(UINT nFlags, SIZE_T cb)
    {
        if (cb > s_cbLargest)
            s_cbLargest = cb;
        if (cb > s_cbRefuseAbove)
        {
            ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
            return NULL;
        }
        return s_pOriginal(nFlags, cb);
    }

    static inline SIZE_T s_cbLargest = 0;
    static inline SIZE_T s_cbRefuseAbove = (SIZE_T)-1;
    static inline GLOBALALLOC s_pOriginal = NULL;
    CImportPatch m_patch;
};
