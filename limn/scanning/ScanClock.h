// The clock of switch scanning: every interval of the engine (steps, flashing, the
// highlight's time-out) is measured on the tick count that ScanTickCount returns. A test
// or a benchmark may put its own clock in place to steer those intervals exactly.
#pragma once

#include "limn/limn_api.h"

typedef DWORD (*ScanClockProc)();

// Milliseconds, wrapping at 2^32 as GetTickCount does.
LIMN_API DWORD ScanTickCount();
// Makes pfnClock the engine's clock (NULL: GetTickCount) and returns the one it replaces.
LIMN_API ScanClockProc SetScanClock(ScanClockProc pfnClock);
