// CMGR32.DLL's exports: the user count that "_CMgrInitialize" and "_CMgrTerminate" keep,
// and the dispatcher "_EntryPoint" (CMgrEntryPoint, named in cmgr32.def) that runs the
// component routines while the library has a user. No exception leaves the library.
#include "media/MediaEntry.h"

#include "media/cmgr32/Decompressors.h"

#include <atomic>
#include <new>

namespace
{

std::atomic<long> g_nUsers{0};

LONG_PTR Dispatch(WORD nRoutine, LONG_PTR a1, LONG_PTR a2)
{
    switch (nRoutine)
    {
    case CMGR_FINDDECOMPRESSOR:
        if (g_nUsers.load() <= 0)
            return 0;
        return FindDecompressor(static_cast<DWORD>(a1));
    case CMGR_DECOMPRESSIMAGE:
        if (g_nUsers.load() <= 0)
            return CMGR_ERR_NOTINITIALIZED;
        if (a2 == 0)
            return CMGR_ERR_BADARGUMENT;
        return DecompressImage(a1, *reinterpret_cast<const CMGRDECOMPRESS*>(a2));
    default:
        return MEDIA_UNKNOWN_ROUTINE;
    }
}

} // namespace

extern "C" {

int MEDIA_ENTRY CMgrInitialize()
{
    ++g_nUsers;
    return 0;
}

// A terminate without a matching initialise is ignored.
void MEDIA_ENTRY CMgrTerminate()
{
    long n = g_nUsers.load();
    while (n > 0 && !g_nUsers.compare_exchange_weak(n, n - 1))
    {
    }
}

LONG_PTR MEDIA_ENTRY CMgrEntryPoint(WORD nRoutine, LONG_PTR a1, LONG_PTR a2, LONG_PTR a3, LONG_PTR a4)
{
    try
    {
        return Dispatch(nRoutine, a1, a2);
    }
    catch (const std::bad_alloc&)
    {
        return nRoutine == CMGR_DECOMPRESSIMAGE ? CMGR_ERR_NOMEMORY : 0;
    }
    catch (...)
    {
        return nRoutine == CMGR_DECOMPRESSIMAGE ? CMGR_ERR_DECODE : 0;
    }
}

} // extern "C"
