// CScanningPrefs: the user's scanning settings, kept in the private profile file
// "OKAPI_X.INI" (in the Windows directory), section "Global Container Prefs" unless
// SetINISection names another. One global object, gScanningPrefs, is built when limn is
// loaded and read from the file then.
//
// Values the file holds outside their range never reach the engine: a speed outside 0-9
// reads as 5, a flash period below 0 or above 10000 ms as 250, fewer cycles than 1 as 3
// and more than 10 as 10 (never), a colour keeps its red, green and blue only, and a
// switch is on for any value but 0.
//
// Switch timing, for users whose presses are short and involuntary, bounce or come with
// tremor, or who cannot see the screen well. Each is off (0) unless the file turns it
// on; the times are clamped to 0 and to their maximum:
//   "Acceptance Time"    ms a switch must be held before its press counts; up to 5000
//   "Ignore Repeat"      ms after a press counted in which further presses are ignored;
//                        up to 5000
//   "First Item Delay"   ms more that automatic scanning stays on the first entry of a
//                        level; up to 10000
//   "Auditory Scanning"  1: a highlighted container named N plays the sound "N cue", and
//                        automatic scanning does not step on while it plays
#pragma once

#include "limn/limn_api.h"

class LIMN_API CScanningPrefs
{
public:
    enum
    {
        defaultScanSpeed = 5,
        defaultFlashSpeed = 250,
        maxFlashSpeed = 10000,
        defaultCancelCycles = 3,
        neverCancel = 10,           // "Cancel Cycles" for automatic scanning without end
        editedFlashSpeed = 500,     // the flash period the dialog switches on
        maxAcceptanceTime = 5000,
        maxIgnoreRepeat = 5000,
        maxFirstItemDelay = 10000,
    };

    // Section "Global Container Prefs", read from the file.
    CScanningPrefs();
    CScanningPrefs(const CScanningPrefs& other) = default;
    CScanningPrefs& operator=(const CScanningPrefs& other) = default;
    ~CScanningPrefs() = default;

    // Uses another section of the file from now on and reads it.
    void SetINISection(const char* pszSection);
    const CString& GetINISection() const { return m_strINISection; }
    // Missing keys give the defaults; reading never writes.
    void LoadFromINI();
    // Writes the seven keys of the "Scanning Preferences" as decimal text.
    void SaveToINI() const;
    // Writes the four keys of switch timing as decimal text.
    void SaveSwitchTimingToINI() const;

    // Speed 0 (slowest) to 9 (fastest); anything else selects 5. A new speed is written
    // to the file at once.
    void SetScanningSpeed(int nSpeed);
    int GetScanningSpeed() const { return m_nScanSpeed; }
    // The step interval in ms. While the highlight flashes it is rounded to a multiple
    // of the flash period, and never below one period, so that steps fall on flashes.
    DWORD GetScanningSpeedMS() const;
    COLORREF GetScanColor() const { return m_colorScan; }
    // The step interval of a speed 0-9: its factor times 275 ms.
    static DWORD SpeedToMS(int nSpeed);

    // Runs the "Scanning Preferences" dialog; OK applies and writes the settings.
    void OnEditPrefs();
    // Runs the "Switch Timing" dialog; OK applies and writes its four settings.
    void OnEditSwitchTiming();

// The settings, in the order of the file's keys
    BOOL m_bScanningEnabled;        // "Scanning Enabled": the Ctrl hot keys work
    BOOL m_bContinuousScanning;     // "Continuous Scanning": restart after a selection
    BOOL m_bScanningSounds;         // "Scanning Sounds": "Scan Sound" and "Select Sound"
    int m_nFlashSpeed;              // "Flash Speed": ms; 0 keeps the highlight steady
    int m_nCancelCycles;            // "Cancel Cycles": wraps before automatic scanning stops
    CString m_strINISection;
    DWORD m_dwScanSpeedMS;          // the interval of m_nScanSpeed
    int m_nScanSpeed;               // "Scan Speed"
    COLORREF m_colorScan;           // "Scan Color"
// Switch timing, 0 = off
    int m_nAcceptanceTime;          // "Acceptance Time", ms
    int m_nIgnoreRepeat;            // "Ignore Repeat", ms
    int m_nFirstItemDelay;          // "First Item Delay", ms
    BOOL m_bAuditoryScanning;       // "Auditory Scanning"
};

LIMN_API extern CScanningPrefs gScanningPrefs;
