// CScanningPrefs: the settings file's keys, their ranges and the speed table.
#include "limn/scanning/ScanningPrefs.h"

namespace {

const char szINIFile[] = "OKAPI_X.INI";
const char szDefaultSection[] = "Global Container Prefs";
const char szScanningEnabled[] = "Scanning Enabled";
const char szContinuousScanning[] = "Continuous Scanning";
const char szScanningSounds[] = "Scanning Sounds";
const char szScanSpeed[] = "Scan Speed";
const char szFlashSpeed[] = "Flash Speed";
const char szCancelCycles[] = "Cancel Cycles";
const char szScanColor[] = "Scan Color";
const char szAcceptanceTime[] = "Acceptance Time";
const char szIgnoreRepeat[] = "Ignore Repeat";
const char szFirstItemDelay[] = "First Item Delay";
const char szAuditoryScanning[] = "Auditory Scanning";

const DWORD dwSpeedUnitMS = 275;
// Step intervals in units of 275 ms, from speed 0 (slowest) to 9 (fastest).
const int speedFactors[10] = { 47, 36, 24, 11, 8, 6, 5, 4, 3, 2 };

BOOL IsSpeed(int nSpeed) { return nSpeed >= 0 && nSpeed <= 9; }

int Clamp(int nValue, int nMax) { return nValue < 0 ? 0 : nValue > nMax ? nMax : nValue; }

struct Key
{
    const char* pszKey;
    int nValue;
};

void WriteKey(const CString& strSection, const Key& key)
{
    CString strValue;
    strValue.Format("%d", key.nValue);
    ::WritePrivateProfileStringA(strSection, key.pszKey, strValue, szINIFile);
}

} // namespace

CScanningPrefs gScanningPrefs;

CScanningPrefs::CScanningPrefs()
    : m_bScanningEnabled(TRUE), m_bContinuousScanning(TRUE), m_bScanningSounds(TRUE),
      m_nFlashSpeed(defaultFlashSpeed), m_nCancelCycles(defaultCancelCycles), m_strINISection(szDefaultSection),
      m_dwScanSpeedMS(SpeedToMS(defaultScanSpeed)), m_nScanSpeed(defaultScanSpeed), m_colorScan(RGB(255, 0, 0)),
      m_nAcceptanceTime(0), m_nIgnoreRepeat(0), m_nFirstItemDelay(0), m_bAuditoryScanning(FALSE)
{
    LoadFromINI();
}

void CScanningPrefs::SetINISection(const char* pszSection)
{
    m_strINISection = pszSection;
    LoadFromINI();
}

void CScanningPrefs::LoadFromINI()
{
    auto read = [this](const char* pszKey, int nDefault) {
        return (int)::GetPrivateProfileIntA(m_strINISection, pszKey, nDefault, szINIFile);
    };
    m_bScanningEnabled = read(szScanningEnabled, TRUE) != 0;
    m_bContinuousScanning = read(szContinuousScanning, TRUE) != 0;
    m_bScanningSounds = read(szScanningSounds, TRUE) != 0;
    m_nFlashSpeed = read(szFlashSpeed, defaultFlashSpeed);
    if (m_nFlashSpeed < 0 || m_nFlashSpeed > maxFlashSpeed)
        m_nFlashSpeed = defaultFlashSpeed;
    m_nCancelCycles = read(szCancelCycles, defaultCancelCycles);
    if (m_nCancelCycles < 1)
        m_nCancelCycles = defaultCancelCycles;
    else if (m_nCancelCycles > neverCancel)
        m_nCancelCycles = neverCancel;
    m_colorScan = (COLORREF)read(szScanColor, RGB(255, 0, 0)) & 0x00FFFFFF;
    m_nAcceptanceTime = Clamp(read(szAcceptanceTime, 0), maxAcceptanceTime);
    m_nIgnoreRepeat = Clamp(read(szIgnoreRepeat, 0), maxIgnoreRepeat);
    m_nFirstItemDelay = Clamp(read(szFirstItemDelay, 0), maxFirstItemDelay);
    m_bAuditoryScanning = read(szAuditoryScanning, FALSE) != 0;
    // Stored first, so that applying it writes nothing.
    m_nScanSpeed = read(szScanSpeed, defaultScanSpeed);
    if (!IsSpeed(m_nScanSpeed))
        m_nScanSpeed = defaultScanSpeed;
    SetScanningSpeed(m_nScanSpeed);
}

void CScanningPrefs::SaveToINI() const
{
    const Key keys[] = {
        { szScanningEnabled, m_bScanningEnabled }, { szContinuousScanning, m_bContinuousScanning },
        { szScanningSounds, m_bScanningSounds },   { szScanSpeed, m_nScanSpeed },
        { szFlashSpeed, m_nFlashSpeed },           { szCancelCycles, m_nCancelCycles },
        { szScanColor, (int)m_colorScan },
    };
    for (const Key& key : keys)
        WriteKey(m_strINISection, key);
}

void CScanningPrefs::SaveSwitchTimingToINI() const
{
    const Key keys[] = {
        { szAcceptanceTime, m_nAcceptanceTime },
        { szIgnoreRepeat, m_nIgnoreRepeat },
        { szFirstItemDelay, m_nFirstItemDelay },
        { szAuditoryScanning, m_bAuditoryScanning },
    };
    for (const Key& key : keys)
        WriteKey(m_strINISection, key);
}

void CScanningPrefs::SetScanningSpeed(int nSpeed)
{
    if (!IsSpeed(nSpeed))
        nSpeed = defaultScanSpeed;
    if (nSpeed != m_nScanSpeed)
    {
        WriteKey(m_strINISection, { szScanSpeed, nSpeed });
        m_nScanSpeed = nSpeed;
    }
    m_dwScanSpeedMS = SpeedToMS(nSpeed);
}

DWORD CScanningPrefs::GetScanningSpeedMS() const
{
    if (m_nFlashSpeed == 0)
        return m_dwScanSpeedMS;
    DWORD dwFlash = (DWORD)m_nFlashSpeed;
    DWORD dwRounded = (m_dwScanSpeedMS + dwFlash / 2 - 1) / dwFlash * dwFlash;
    // A flash period longer than twice the interval would round it to 0: a step on
    // every tick.
    return dwRounded != 0 ? dwRounded : dwFlash;
}

DWORD CScanningPrefs::SpeedToMS(int nSpeed)
{
    return speedFactors[IsSpeed(nSpeed) ? nSpeed : defaultScanSpeed] * dwSpeedUnitMS;
}
