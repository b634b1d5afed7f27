// The scanning clock: GetTickCount unless a replacement is set.
#include "limn/scanning/ScanClock.h"

namespace {

ScanClockProc g_pfnClock = NULL;

} // namespace

DWORD ScanTickCount() { return g_pfnClock != NULL ? g_pfnClock() : ::GetTickCount(); }

ScanClockProc SetScanClock(ScanClockProc pfnClock)
{
    ScanClockProc pfnPrevious = g_pfnClock;
    g_pfnClock = pfnClock;
    return pfnPrevious;
}
