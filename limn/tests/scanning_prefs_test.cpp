// The scanning preferences in a section of the settings file of the tests' own: the
// speed table, the interval rounded to flashes, writing and reading the keys, values out
// of range, and the "Scanning Preferences" and "Switch Timing" dialogs answered as a
// user would.
#include "limn/res/resource.h"
#include "limn/scanning/ScanningPrefs.h"

#include "scanning_support.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>

namespace {

const char szINIFile[] = "OKAPI_X.INI";
const char szSection[] = "Limn Tests Scanning Prefs Only";

class ScanningPrefs : public ::testing::Test
{
protected:
    ScanningPrefs()
    {
        Empty();
        m_prefs.SetINISection(szSection);
    }
    ~ScanningPrefs() override { Empty(); }

    static void Empty() { ::WritePrivateProfileStringA(szSection, NULL, NULL, szINIFile); }
    static void Write(const char* pszKey, const char* pszValue)
    {
        ::WritePrivateProfileStringA(szSection, pszKey, pszValue, szINIFile);
    }
    static int Read(const char* pszKey) { return (int)::GetPrivateProfileIntA(szSection, pszKey, -1, szINIFile); }

    CScanningPrefs m_prefs;
};

TEST_F(ScanningPrefs, MissingKeysGiveTheDefaults)
{
    EXPECT_EQ(TRUE, m_prefs.m_bScanningEnabled);
    EXPECT_EQ(TRUE, m_prefs.m_bContinuousScanning);
    EXPECT_EQ(TRUE, m_prefs.m_bScanningSounds);
    EXPECT_EQ(250, m_prefs.m_nFlashSpeed);
    EXPECT_EQ(3, m_prefs.m_nCancelCycles);
    EXPECT_EQ(5, m_prefs.GetScanningSpeed());
    EXPECT_EQ(1650u, m_prefs.m_dwScanSpeedMS);
    EXPECT_EQ(RGB(255, 0, 0), m_prefs.GetScanColor());
    EXPECT_EQ(0, m_prefs.m_nAcceptanceTime);
    EXPECT_EQ(0, m_prefs.m_nIgnoreRepeat);
    EXPECT_EQ(0, m_prefs.m_nFirstItemDelay);
    EXPECT_EQ(FALSE, m_prefs.m_bAuditoryScanning);
    EXPECT_EQ(-1, Read("Scan Speed")) << "reading writes nothing";
}

TEST_F(ScanningPrefs, SpeedTableAndIntervalsRoundedToFlashes)
{
    static const DWORD intervals[10] = { 12925, 9900, 6600, 3025, 2200, 1650, 1375, 1100, 825, 550 };
    for (int n = 0; n < 10; n++)
    {
        m_prefs.SetScanningSpeed(n);
        EXPECT_EQ(intervals[n], m_prefs.m_dwScanSpeedMS) << "speed " << n;
        EXPECT_EQ(intervals[n], CScanningPrefs::SpeedToMS(n)) << "speed " << n;
    }
    static const struct
    {
        int nSpeed, nFlash;
        DWORD dwInterval;
    } cases[] = {
        { 5, 250, 1750 }, { 5, 0, 1650 }, { 5, 500, 1500 }, { 9, 250, 500 }, { 0, 250, 13000 },
        { 9, 1000, 1000 }, { 9, 1200, 1200 },   // never below one flash period
    };
    for (const auto& c : cases)
    {
        m_prefs.SetScanningSpeed(c.nSpeed);
        m_prefs.m_nFlashSpeed = c.nFlash;
        EXPECT_EQ(c.dwInterval, m_prefs.GetScanningSpeedMS()) << "speed " << c.nSpeed << ", flash " << c.nFlash;
    }
}

TEST_F(ScanningPrefs, ANewSpeedIsWrittenAtOnce)
{
    m_prefs.SetScanningSpeed(3);
    EXPECT_EQ(3, Read("Scan Speed"));
    Write("Scan Speed", NULL);
    m_prefs.SetScanningSpeed(3);
    EXPECT_EQ(-1, Read("Scan Speed")) << "the same speed is not written again";
    for (int nBad : { 12, 10, -1, INT_MIN })
    {
        m_prefs.SetScanningSpeed(3);
        m_prefs.SetScanningSpeed(nBad);
        EXPECT_EQ(5, m_prefs.GetScanningSpeed()) << nBad;
        EXPECT_EQ(1650u, m_prefs.m_dwScanSpeedMS) << nBad;
        EXPECT_EQ(5, Read("Scan Speed")) << nBad;
    }
}

TEST_F(ScanningPrefs, SavedKeysAreReadBack)
{
    m_prefs.m_bScanningEnabled = FALSE;
    m_prefs.m_bContinuousScanning = FALSE;
    m_prefs.m_bScanningSounds = TRUE;
    m_prefs.m_nFlashSpeed = 500;
    m_prefs.m_nCancelCycles = 10;
    m_prefs.m_colorScan = RGB(1, 2, 3);
    m_prefs.SetScanningSpeed(8);
    m_prefs.SaveToINI();

    char szSectionText[1024] = "";
    DWORD n = ::GetPrivateProfileSectionA(szSection, szSectionText, sizeof szSectionText, szINIFile);
    std::string strKeys;
    for (const char* p = szSectionText; p < szSectionText + n && *p != '\0'; p += strlen(p) + 1)
        strKeys += std::string(p) + ";";
    EXPECT_EQ("Scan Speed=8;Scanning Enabled=0;Continuous Scanning=0;Scanning Sounds=1;Flash Speed=500;"
              "Cancel Cycles=10;Scan Color=197121;",
              strKeys)
        << "the speed was written first, at once; the rest in order, as decimal text";

    CScanningPrefs other;
    other.SetINISection(szSection);
    EXPECT_EQ(FALSE, other.m_bScanningEnabled);
    EXPECT_EQ(FALSE, other.m_bContinuousScanning);
    EXPECT_EQ(TRUE, other.m_bScanningSounds);
    EXPECT_EQ(500, other.m_nFlashSpeed);
    EXPECT_EQ(10, other.m_nCancelCycles);
    EXPECT_EQ(8, other.GetScanningSpeed());
    EXPECT_EQ(825u, other.m_dwScanSpeedMS);
    EXPECT_EQ(RGB(1, 2, 3), other.GetScanColor());

    CScanningPrefs copy(other);
    EXPECT_EQ(other.GetINISection(), copy.GetINISection());
    EXPECT_EQ(825u, copy.m_dwScanSpeedMS);
}

// The switch timing has keys of its own, written by its own call: the seven others stay
// as they are in the file.
TEST_F(ScanningPrefs, SwitchTimingIsSavedAndReadBack)
{
    m_prefs.m_nAcceptanceTime = 150;
    m_prefs.m_nIgnoreRepeat = 300;
    m_prefs.m_nFirstItemDelay = 1000;
    m_prefs.m_bAuditoryScanning = TRUE;
    m_prefs.m_nFlashSpeed = 0;
    m_prefs.SaveSwitchTimingToINI();
    EXPECT_EQ(-1, Read("Flash Speed"));

    CScanningPrefs other;
    other.SetINISection(szSection);
    EXPECT_EQ(150, other.m_nAcceptanceTime);
    EXPECT_EQ(300, other.m_nIgnoreRepeat);
    EXPECT_EQ(1000, other.m_nFirstItemDelay);
    EXPECT_EQ(TRUE, other.m_bAuditoryScanning);
    EXPECT_EQ(250, other.m_nFlashSpeed);
}

TEST_F(ScanningPrefs, ValuesOutOfRangeAreMadeSane)
{
    static const struct
    {
        const char* pszKey;
        const char* pszValue;
        int CScanningPrefs::*pField;
        int nExpected;
    } cases[] = {
        { "Scan Speed", "-3", &CScanningPrefs::m_nScanSpeed, 5 },
        { "Scan Speed", "10", &CScanningPrefs::m_nScanSpeed, 5 },
        { "Scan Speed", "99999999999", &CScanningPrefs::m_nScanSpeed, 5 },
        { "Flash Speed", "-100", &CScanningPrefs::m_nFlashSpeed, 250 },
        { "Flash Speed", "10001", &CScanningPrefs::m_nFlashSpeed, 250 },
        { "Flash Speed", "10000", &CScanningPrefs::m_nFlashSpeed, 10000 },
        { "Cancel Cycles", "0", &CScanningPrefs::m_nCancelCycles, 3 },
        { "Cancel Cycles", "-7", &CScanningPrefs::m_nCancelCycles, 3 },
        { "Cancel Cycles", "1", &CScanningPrefs::m_nCancelCycles, 1 },
        { "Cancel Cycles", "1000", &CScanningPrefs::m_nCancelCycles, 10 },
        { "Scanning Enabled", "7", &CScanningPrefs::m_bScanningEnabled, 1 },
        { "Acceptance Time", "-1", &CScanningPrefs::m_nAcceptanceTime, 0 },
        { "Acceptance Time", "5000", &CScanningPrefs::m_nAcceptanceTime, 5000 },
        { "Acceptance Time", "5001", &CScanningPrefs::m_nAcceptanceTime, 5000 },
        { "Ignore Repeat", "-300", &CScanningPrefs::m_nIgnoreRepeat, 0 },
        { "Ignore Repeat", "300", &CScanningPrefs::m_nIgnoreRepeat, 300 },
        { "Ignore Repeat", "2147483647", &CScanningPrefs::m_nIgnoreRepeat, 5000 },
        { "First Item Delay", "-2147483648", &CScanningPrefs::m_nFirstItemDelay, 0 },
        { "First Item Delay", "10001", &CScanningPrefs::m_nFirstItemDelay, 10000 },
        { "Auditory Scanning", "2", &CScanningPrefs::m_bAuditoryScanning, 1 },
        { "Auditory Scanning", "-1", &CScanningPrefs::m_bAuditoryScanning, 1 },
    };
    for (const auto& c : cases)
    {
        Empty();
        Write(c.pszKey, c.pszValue);
        m_prefs.LoadFromINI();
        EXPECT_EQ(c.nExpected, m_prefs.*c.pField) << c.pszKey << " = " << c.pszValue;
        EXPECT_GE(m_prefs.GetScanningSpeedMS(), 550u) << c.pszKey << " = " << c.pszValue;
    }
    for (const char* pszColor : { "-1", "305419896" })
    {
        Write("Scan Color", pszColor);
        m_prefs.LoadFromINI();
        EXPECT_EQ(0u, m_prefs.GetScanColor() & 0xFF000000) << pszColor;
    }
    Write("Scan Speed", "-3");
    m_prefs.LoadFromINI();
    EXPECT_EQ(-3, Read("Scan Speed")) << "reading leaves the file alone";
}

// The dialog shows the settings, and OK takes what the user set.
TEST_F(ScanningPrefs, TheDialogShowsAndAppliesTheSettings)
{
    m_prefs.m_nFlashSpeed = 0;
    m_prefs.m_nCancelCycles = 4;
    m_prefs.SetScanningSpeed(2);
    Empty();
    struct
    {
        int bEnabled, bFlash, nSpeed, nSpeedMax, nCycles, nCyclesMin, nCyclesMax;
        BOOL bSwatchOwnerDrawn;
    } shown = {};
    CDialogAnswerer answerer([&shown](HWND hDlg) {
        shown.bEnabled = (int)::SendDlgItemMessageA(hDlg, IDC_ENABLE_SCANNING_KEYS, BM_GETCHECK, 0, 0);
        shown.bFlash = (int)::SendDlgItemMessageA(hDlg, IDC_FLASH_HILITE, BM_GETCHECK, 0, 0);
        shown.nSpeed = (int)::SendDlgItemMessageA(hDlg, IDC_SCAN_SPEED, TBM_GETPOS, 0, 0);
        shown.nSpeedMax = (int)::SendDlgItemMessageA(hDlg, IDC_SCAN_SPEED, TBM_GETRANGEMAX, 0, 0);
        shown.nCycles = (int)::SendDlgItemMessageA(hDlg, IDC_CANCEL_CYCLES, TBM_GETPOS, 0, 0);
        shown.nCyclesMin = (int)::SendDlgItemMessageA(hDlg, IDC_CANCEL_CYCLES, TBM_GETRANGEMIN, 0, 0);
        shown.nCyclesMax = (int)::SendDlgItemMessageA(hDlg, IDC_CANCEL_CYCLES, TBM_GETRANGEMAX, 0, 0);
        shown.bSwatchOwnerDrawn =
            (::GetWindowLongA(::GetDlgItem(hDlg, IDC_SCAN_COLOR_SWATCH), GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
        ::SendDlgItemMessageA(hDlg, IDC_ENABLE_SCANNING_KEYS, BM_SETCHECK, BST_UNCHECKED, 0);
        ::SendDlgItemMessageA(hDlg, IDC_FLASH_HILITE, BM_SETCHECK, BST_CHECKED, 0);
        ::SendDlgItemMessageA(hDlg, IDC_SCAN_SPEED, TBM_SETPOS, TRUE, 8);
        ::SendDlgItemMessageA(hDlg, IDC_CANCEL_CYCLES, TBM_SETPOS, TRUE, 10);
        ::PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
    });
    m_prefs.OnEditPrefs();
    ASSERT_EQ(1, answerer.m_nDialogs);
    EXPECT_EQ(1, shown.bEnabled);
    EXPECT_EQ(0, shown.bFlash);
    EXPECT_EQ(2, shown.nSpeed);
    EXPECT_EQ(9, shown.nSpeedMax);
    EXPECT_EQ(4, shown.nCycles);
    EXPECT_EQ(2, shown.nCyclesMin);
    EXPECT_EQ(10, shown.nCyclesMax);
    EXPECT_TRUE(shown.bSwatchOwnerDrawn);
    for (const char* pszLabel : { "Scanning Speed", "0 (Slowest)", "9 (Fastest)",
                                  "Number Of Cycles Before Stopping Automatic Scanning", "never" })
        EXPECT_TRUE(std::find(answerer.m_texts.begin(), answerer.m_texts.end(), pszLabel) != answerer.m_texts.end())
            << pszLabel;

    EXPECT_EQ(FALSE, m_prefs.m_bScanningEnabled);
    EXPECT_EQ(500, m_prefs.m_nFlashSpeed) << "the flash check box switches on 500 ms";
    EXPECT_EQ(8, m_prefs.GetScanningSpeed());
    EXPECT_EQ(825u, m_prefs.m_dwScanSpeedMS);
    EXPECT_EQ(10, m_prefs.m_nCancelCycles);
    EXPECT_EQ(0, Read("Scanning Enabled"));
    EXPECT_EQ(500, Read("Flash Speed"));
    EXPECT_EQ(8, Read("Scan Speed"));
    EXPECT_EQ(10, Read("Cancel Cycles"));
    EXPECT_EQ(255, Read("Scan Color"));
}

TEST_F(ScanningPrefs, CancelInTheDialogChangesNothing)
{
    CDialogAnswerer answerer([](HWND hDlg) {
        ::SendDlgItemMessageA(hDlg, IDC_SCAN_SPEED, TBM_SETPOS, TRUE, 1);
        ::SendDlgItemMessageA(hDlg, IDC_FLASH_HILITE, BM_SETCHECK, BST_UNCHECKED, 0);
        ::PostMessageA(hDlg, WM_COMMAND, IDCANCEL, 0);
    });
    m_prefs.OnEditPrefs();
    EXPECT_EQ(1, answerer.m_nDialogs);
    EXPECT_EQ(5, m_prefs.GetScanningSpeed());
    EXPECT_EQ(250, m_prefs.m_nFlashSpeed);
    EXPECT_EQ(-1, Read("Scan Speed"));
}

// The "Switch Timing" dialog shows the times and the check box, its arrows keep to the
// ranges, and OK applies and writes what the user set.
TEST_F(ScanningPrefs, TheSwitchTimingDialogShowsAndAppliesTheSettings)
{
    m_prefs.m_nAcceptanceTime = 200;
    m_prefs.m_nFirstItemDelay = 750;
    struct Field
    {
        int nEdit, nArrows;
        std::string strShown {};
        int nMin = -1, nMax = -1;
    };
    std::vector<Field> fields = { { IDC_ACCEPTANCE_TIME, IDC_ACCEPTANCE_TIME_ARROWS },
                                  { IDC_IGNORE_REPEAT, IDC_IGNORE_REPEAT_ARROWS },
                                  { IDC_FIRST_ITEM_DELAY, IDC_FIRST_ITEM_DELAY_ARROWS } };
    int bAuditoryShown = -1;
    std::string strTitle;
    CDialogAnswerer answerer([&](HWND hDlg) {
        char szText[64] = "";
        ::GetWindowTextA(hDlg, szText, sizeof szText);
        strTitle = szText;
        for (Field& field : fields)
        {
            ::GetDlgItemTextA(hDlg, field.nEdit, szText, sizeof szText);
            field.strShown = szText;
            ::SendDlgItemMessageA(hDlg, field.nArrows, UDM_GETRANGE32, (WPARAM)&field.nMin, (LPARAM)&field.nMax);
        }
        bAuditoryShown = (int)::SendDlgItemMessageA(hDlg, IDC_AUDITORY_SCANNING, BM_GETCHECK, 0, 0);
        // An arrow click steps 50 ms from the number in the field.
        ::SendDlgItemMessageA(hDlg, IDC_ACCEPTANCE_TIME_ARROWS, WM_KEYDOWN, VK_UP, 0);
        ::SetDlgItemTextA(hDlg, IDC_IGNORE_REPEAT, "300");
        ::SetDlgItemTextA(hDlg, IDC_FIRST_ITEM_DELAY, "0");
        ::SendDlgItemMessageA(hDlg, IDC_AUDITORY_SCANNING, BM_SETCHECK, BST_CHECKED, 0);
        ::PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
    });
    m_prefs.OnEditSwitchTiming();
    ASSERT_EQ(1, answerer.m_nDialogs);
    EXPECT_EQ("Switch Timing", strTitle);
    const struct
    {
        const char* pszShown;
        int nMax;
    } expected[] = { { "200", 5000 }, { "0", 5000 }, { "750", 10000 } };
    for (size_t i = 0; i < fields.size(); i++)
    {
        EXPECT_EQ(expected[i].pszShown, fields[i].strShown) << "field " << i;
        EXPECT_EQ(0, fields[i].nMin) << "field " << i;
        EXPECT_EQ(expected[i].nMax, fields[i].nMax) << "field " << i;
    }
    EXPECT_EQ(BST_UNCHECKED, bAuditoryShown);
    for (const char* pszLabel : { "&Acceptance Time", "&Ignore Repeat", "&First Item Delay" })
        EXPECT_TRUE(std::find(answerer.m_texts.begin(), answerer.m_texts.end(), pszLabel) != answerer.m_texts.end())
            << pszLabel;

    EXPECT_EQ(250, m_prefs.m_nAcceptanceTime);
    EXPECT_EQ(300, m_prefs.m_nIgnoreRepeat);
    EXPECT_EQ(0, m_prefs.m_nFirstItemDelay);
    EXPECT_EQ(TRUE, m_prefs.m_bAuditoryScanning);
    EXPECT_EQ(250, Read("Acceptance Time"));
    EXPECT_EQ(300, Read("Ignore Repeat"));
    EXPECT_EQ(0, Read("First Item Delay"));
    EXPECT_EQ(1, Read("Auditory Scanning"));
    EXPECT_EQ(-1, Read("Scan Speed")) << "only the dialog's own keys are written";
}

// A time beyond its range is refused with the framework's message, and the dialog stays
// until the user cancels it: nothing changes.
TEST_F(ScanningPrefs, TheSwitchTimingDialogRefusesATimeOutOfRange)
{
    HWND hTimingDlg = NULL;
    CDialogAnswerer answerer([&](HWND hDlg) {
        if (hTimingDlg == NULL)
        {
            hTimingDlg = hDlg;
            ::SetDlgItemTextA(hDlg, IDC_ACCEPTANCE_TIME, "5001");
            ::PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
            return;
        }
        ::PostMessageA(hDlg, WM_COMMAND, IDOK, 0);
        ::PostMessageA(hTimingDlg, WM_COMMAND, IDCANCEL, 0);
    });
    m_prefs.OnEditSwitchTiming();
    EXPECT_EQ(2, answerer.m_nDialogs);
    EXPECT_TRUE(std::find(answerer.m_texts.begin(), answerer.m_texts.end(),
                          "Please enter an integer between 0 and 5000.") != answerer.m_texts.end());
    EXPECT_EQ(0, m_prefs.m_nAcceptanceTime);
    EXPECT_EQ(-1, Read("Acceptance Time"));
}

} // namespace
