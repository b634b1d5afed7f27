// The timing of switch presses: acceptance and ignored repeats.
#include "limn/scanning/SwitchPress.h"

#include "limn/containers/Container.h"
#include "limn/scanning/ScanClock.h"
#include "limn/scanning/ScanningPrefs.h"

namespace {

// A press that waits to be held for the acceptance time.
BOOL g_bWaiting = FALSE;
UINT g_nWaitingSwitch = 0;
BYTE g_waitingHotKey = 0;
DWORD g_dwWaitingSince = 0;

// The moment the last press counted, once one has.
BOOL g_bCounted = FALSE;
DWORD g_dwCounted = 0;

BOOL IsSwitchHotKey(BYTE hotKey)
{
    return hotKey == VK_RETURN || hotKey == VK_LEFT || hotKey == VK_RIGHT || hotKey == VK_DOWN;
}

void Count(BYTE hotKey, DWORD dwNow)
{
    CContainer::SetHotKeyHit(hotKey);
    g_bCounted = TRUE;
    g_dwCounted = dwNow;
}

BOOL IsHeldLongEnough(DWORD dwNow) { return dwNow - g_dwWaitingSince >= (DWORD)gScanningPrefs.m_nAcceptanceTime; }

} // namespace

void PressSwitch(BYTE hotKey, UINT nSwitch, BOOL bRepeat)
{
    const CScanningPrefs& prefs = gScanningPrefs;
    if (!IsSwitchHotKey(hotKey) || (prefs.m_nAcceptanceTime == 0 && prefs.m_nIgnoreRepeat == 0))
    {
        CContainer::SetHotKeyHit(hotKey);
        return;
    }
    if (bRepeat)
        return;
    DWORD dwNow = ScanTickCount();
    if (g_bCounted && dwNow - g_dwCounted < (DWORD)prefs.m_nIgnoreRepeat)
        return;
    if (prefs.m_nAcceptanceTime == 0)
    {
        Count(hotKey, dwNow);
        return;
    }
    // A second switch pressed while the first is held takes its place.
    g_bWaiting = TRUE;
    g_nWaitingSwitch = nSwitch;
    g_waitingHotKey = hotKey;
    g_dwWaitingSince = dwNow;
}

void ReleaseSwitch(UINT nSwitch)
{
    if (!g_bWaiting || nSwitch != g_nWaitingSwitch)
        return;
    g_bWaiting = FALSE;
    DWORD dwNow = ScanTickCount();
    if (IsHeldLongEnough(dwNow))
        Count(g_waitingHotKey, dwNow);
}

void AcceptHeldSwitch()
{
    if (!g_bWaiting)
        return;
    DWORD dwNow = ScanTickCount();
    if (!IsHeldLongEnough(dwNow))
        return;
    // It counts once: its release does nothing more.
    g_bWaiting = FALSE;
    Count(g_waitingHotKey, dwNow);
}

void ForgetSwitchPress() { g_bWaiting = FALSE; }
