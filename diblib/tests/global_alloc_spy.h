// Records the largest block diblib.dll asks GlobalAlloc for, by pointing the entry of
// its import table at a recorder for the lifetime of the object. One at a time.
#pragma once

#include "framework/tests/import_patch.h"

class CGlobalAllocSpy
{
public:
    CGlobalAllocSpy() : m_patch("diblib.dll", "kernel32.dll", "GlobalAlloc", reinterpret_cast<void*>(&Record))
    {
        s_cbLargest = 0;
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
        return s_pOriginal(nFlags, cb);
    }

    static inline SIZE_T s_cbLargest = 0;
    static inline GLOBALALLOC s_pOriginal = NULL;
    CImportPatch m_patch;
};
