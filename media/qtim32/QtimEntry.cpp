// QTIM32.DLL's dispatcher "_EntryPoint" (QtimEntryPoint, named in qtim32.def): the
// initialisation count of routines 57 and 58, and the picture routines, which fail with
// QTIM_ERR_NOTINITIALIZED (or 0 for routine 46) while the count is 0. No exception leaves
// the library.
#include "media/MediaEntry.h"

#include "media/qtim32/PictureRoutines.h"

#include <atomic>
#include <new>

namespace
{

std::atomic<long> g_nInitialized{0};

bool IsInitialized()
{
    return g_nInitialized.load() > 0;
}

LONG_PTR Terminate()
{
    long n = g_nInitialized.load();
    while (n > 0)
        if (g_nInitialized.compare_exchange_weak(n, n - 1))
            return 0;
    return QTIM_ERR_NOTINITIALIZED;
}

LONG_PTR Dispatch(WORD nRoutine, LONG_PTR a1, LONG_PTR a2, LONG_PTR a3)
{
    switch (nRoutine)
    {
    case QTIM_INITIALIZE:
        ++g_nInitialized;
        return 0;
    case QTIM_TERMINATE:
        return Terminate();
    case QTIM_DRAWPICTURE:
        if (!IsInitialized())
            return QTIM_ERR_NOTINITIALIZED;
        return DrawPicture(reinterpret_cast<HDC>(a1), reinterpret_cast<HGLOBAL>(a2),
                           reinterpret_cast<const RECT*>(a3));
    case QTIM_GETPICTUREINFO:
        if (!IsInitialized())
            return QTIM_ERR_NOTINITIALIZED;
        return GetPictureInfo(reinterpret_cast<HGLOBAL>(a1), reinterpret_cast<QTPICTINFO*>(a2));
    case QTIM_PICTURETODIB:
        if (!IsInitialized())
            return 0;
        return reinterpret_cast<LONG_PTR>(PictureToDIB(reinterpret_cast<HGLOBAL>(a1)));
    default:
        return MEDIA_UNKNOWN_ROUTINE;
    }
}

// What a routine returns when an exception stopped it.
LONG_PTR FailureOf(WORD nRoutine, LONG_PTR nError)
{
    return nRoutine == QTIM_PICTURETODIB ? 0 : nError;
}

} // namespace

extern "C" LONG_PTR MEDIA_ENTRY QtimEntryPoint(WORD nRoutine, LONG_PTR a1, LONG_PTR a2, LONG_PTR a3,
                                               LONG_PTR a4)
{
    try
    {
        return Dispatch(nRoutine, a1, a2, a3);
    }
    catch (const std::bad_alloc&)
    {
        return FailureOf(nRoutine, QTIM_ERR_NOMEMORY);
    }
    catch (...)
    {
        return FailureOf(nRoutine, QTIM_ERR_BADPICTURE);
    }
}
