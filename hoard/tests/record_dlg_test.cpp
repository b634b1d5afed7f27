// The record dialog driven as a user would, with real clicks and keys, over the real
// wave devices (Wine's ALSA null device, not paced in real time: nothing here
// measures how long sound takes), with its settings read and written back.
#include "test_support.h"

#include "framework/tests/dialog_driver.h"
#include "hoard/res/resource.h"
#include "hoard/runtime/HoardModule.h"
#include "hoard/sound/RecordDlg.h"
#include "hoard/sound/RecordingSettings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

class RecordDlg : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (waveInGetNumDevs() == 0 || waveOutGetNumDevs() == 0)
            GTEST_SKIP() << "no wave devices: the tests need Wine's ALSA null device (build/wine-run)";
        m_settings.Set(szMaxSecondsBuffer, "30");
        m_settings.Set(szTrimSound, "0");
        m_settings.Set(szSquelchEnabled, "1");
        m_settings.Set(szMinSquelchTime, "250");
    }
    void TearDown() override
    {
        CWav::SetRecordNameFlag(FALSE);
        EXPECT_FALSE(CWav::RecordingInProgress()) << "the dialog left a recording running";
        EXPECT_FALSE(CWav::SoundInProgress()) << "the dialog left a sound playing";
    }

    // Steps on the open dialog.
    HWND Item(int nID) const { return GetDlgItem(m_pDlg->m_hWnd, nID); }
    bool Enabled(int nID) const { return IsWindowEnabled(Item(nID)) != FALSE; }
    bool Pushed(int nID) const { return (SendMessageA(Item(nID), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; }
    bool Checked(int nID) const { return SendMessageA(Item(nID), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    std::string Text(int nID) const { return WindowText(Item(nID)); }
    std::function<bool()> Open()
    {
        return [this] { return m_pDlg->m_hWnd != NULL && IsWindowVisible(m_pDlg->m_hWnd); };
    }
    std::function<bool()> ClickOn(int nID)
    {
        return [this, nID] {
            Click(Item(nID));
            return true;
        };
    }
    // Idle: nothing runs, Record released and enabled, Stop disabled.
    std::function<bool()> Idle()
    {
        return [this] {
            return !m_pDlg->m_bRecording && !m_pDlg->m_bPlaying && !Pushed(IDC_RECORD) && !Pushed(IDC_PLAY) &&
                   Enabled(IDC_RECORD) && !Enabled(IDC_STOP);
        };
    }
    std::function<bool()> Expect(std::function<void()> checks)
    {
        return [checks] {
            checks();
            return true;
        };
    }
    // Runs the dialog with the steps; its result.
    int Run(CRecordDlg& dlg, CDialogDriver& driver)
    {
        m_pDlg = &dlg;
        driver.Start();
        int nResult = (int)dlg.DoModal();
        EXPECT_TRUE(driver.Done());
        return nResult;
    }

    CSavedRecordingSettings m_settings{ szMaxSecondsBuffer, szTrimSound, szSquelchEnabled, szMinSquelchTime };
    CRecordDlg* m_pDlg = NULL;
    HWND m_hWndDlg = NULL;     // a dialog found by its title
};

// Whether the samples start and end with something other than silence: what trimming
// leaves.
bool Trimmed(CWav& wav)
{
    if (wav.GetDataSize() == 0)
        return true;
    const BYTE* p = wav.GetData();
    bool bTrimmed = p[0] != 128 && p[wav.GetDataSize() - 1] != 128;
    wav.ReleaseData();
    return bTrimmed;
}

TEST_F(RecordDlg, ShowsTheLongestRecordingAsMinutesAndSeconds)
{
    const struct
    {
        const char* pszSeconds;
        const char* pszShown;
    } cases[] = { { "30", "0:30" }, { "65", "1:05" }, { "600", "10:00" }, { "9", "0:09" } };
    for (const auto& c : cases)
    {
        m_settings.Set(szMaxSecondsBuffer, c.pszSeconds);
        CHoard hoard;
        CRecordDlg dlg(CWav::New(hoard, "Bell"));
        std::string strShown;
        CDialogDriver driver;
        driver.Then("open", Open())
            .Then("read", Expect([&] { strShown = Text(IDC_MAX_TIME); }))
            .Then("cancel", ClickOn(IDCANCEL));
        EXPECT_EQ(IDCANCEL, Run(dlg, driver));
        EXPECT_EQ(c.pszShown, strShown) << "MaxSecondsBuffer " << c.pszSeconds;
        EXPECT_EQ(std::stoul(c.pszSeconds) * 1000, dlg.m_dwMaxTime);
    }
}

TEST_F(RecordDlg, StartsIdleWithTheSettings)
{
    m_settings.Set(szTrimSound, "1");
    CHoard hoard;
    CWav* pWav = CWav::New(hoard, "Bell");
    CRecordDlg dlg(pWav);
    CDialogDriver driver;
    driver.Then("open", Open())
        .Then("idle", Expect([&] {
            EXPECT_EQ("Record New Sound", WindowText(dlg.m_hWnd));
            EXPECT_FALSE(Enabled(IDOK)) << "Save waits for a recording";
            EXPECT_FALSE(Enabled(IDC_STOP));
            EXPECT_FALSE(Enabled(IDC_PLAY)) << "the sound has no samples";
            EXPECT_TRUE(Enabled(IDC_RECORD));
            EXPECT_TRUE(Checked(IDC_QUALITY_MEDIUM));
            EXPECT_TRUE(Checked(IDC_TRIM)) << "Trim Sound comes from the settings";
            EXPECT_FALSE(IsWindowVisible(Item(IDC_SOUND_NAME))) << "no name without the flag";
            EXPECT_FALSE(IsWindowVisible(Item(IDC_PAUSE)));
            RECT rc;
            GetWindowRect(Item(IDC_RECORD), &rc);
            EXPECT_EQ(33, rc.right - rc.left) << "sized to its bitmaps";
            EXPECT_EQ(33, rc.bottom - rc.top);
            // The level picture, quietest: its first bar is lit.
            HDC hDC = GetDC(dlg.m_hWnd);
            const CRect& rcLevel = dlg.m_rcLevel;
            EXPECT_EQ(RGB(0, 255, 0), GetPixel(hDC, rcLevel.left + 7, rcLevel.top + 28));
            EXPECT_EQ(RGB(128, 128, 128), GetPixel(hDC, rcLevel.left + 28, rcLevel.top + 28));
            ReleaseDC(dlg.m_hWnd, hDC);
        }))
        .Then("cancel", ClickOn(IDCANCEL));
    EXPECT_EQ(IDCANCEL, Run(dlg, driver));
    EXPECT_EQ("1", CSavedRecordingSettings::Get(szTrimSound)) << "Cancel writes nothing back";
    EXPECT_STREQ("Bell", pWav->GetName());
}

TEST_F(RecordDlg, RecordStopPlayTrimNameAndSave)
{
    CWav::SetRecordNameFlag(TRUE);
    CHoard hoard;
    CWav::New(hoard, "Doorbell");
    CWav* pWav = CWav::New(hoard, NULL);
    CRecordDlg dlg(pWav);
    DWORD dwRecorded = 0;
    CDialogDriver driver(30000);
    driver.Then("open", Open())
        .Then("the name field", Expect([&] {
            EXPECT_TRUE(IsWindowVisible(Item(IDC_SOUND_NAME)));
            EXPECT_EQ("Untitled", Text(IDC_SOUND_NAME));
        }))
        .Then("click Low", ClickOn(IDC_QUALITY_LOW))
        .Then("Low chosen", [&] { return dlg.m_nQuality == 2; })
        .Then("click Record", ClickOn(IDC_RECORD))
        .Then("recording", [&] {
            return CWav::RecordingInProgress() && dlg.m_bRecording && Pushed(IDC_RECORD) && Enabled(IDC_STOP) &&
                   !Enabled(IDC_PLAY);
        })
        .Then("some recorded", [&] { return dlg.m_dwElapsed >= 300; })
        .Then("click Stop", ClickOn(IDC_STOP))
        .Then("stopped", Idle())
        .Then("after the recording", Expect([&] {
            EXPECT_FALSE(CWav::RecordingInProgress());
            EXPECT_TRUE(Enabled(IDOK));
            EXPECT_TRUE(Enabled(IDC_PLAY));
            dwRecorded = pWav->GetDataSize();
            EXPECT_GT(dwRecorded, 0u);
            EXPECT_LT(dwRecorded, 30u * 11025) << "cut at the stop";
            EXPECT_EQ(11025u, pWav->GetFormat().wf.nSamplesPerSec) << "low quality";
            // A late report of the device stops nothing more.
            CRecordDlg::RecordDlgCallback(pWav);
            EXPECT_EQ(dwRecorded, pWav->GetDataSize());
            EXPECT_TRUE(Enabled(IDOK));
        }))
        .Then("click Play", ClickOn(IDC_PLAY))
        .Then("played to its end", Idle())
        .Then("tick Trim Sound", ClickOn(IDC_TRIM))
        .Then("ticked", [&] { return Checked(IDC_TRIM); })
        .Then("click the name", ClickOn(IDC_SOUND_NAME))
        .Then("type a name", [&] {
            if (GetFocus() != Item(IDC_SOUND_NAME))
                return false;
            SendMessageA(Item(IDC_SOUND_NAME), EM_SETSEL, 0, -1);
            TypeText("Doorbell");
            return true;
        })
        .Then("typed", [&] { return Text(IDC_SOUND_NAME) == "Doorbell"; })
        .Then("click Save", ClickOn(IDOK));
    EXPECT_EQ(IDOK, Run(dlg, driver));
    EXPECT_STREQ("Doorbell2", pWav->GetName()) << "a used name gets a unique variant";
    EXPECT_EQ("1", CSavedRecordingSettings::Get(szTrimSound)) << "Save writes Trim Sound back";
    EXPECT_LE(pWav->GetDataSize(), dwRecorded);
    EXPECT_TRUE(Trimmed(*pWav)) << "ticked after the recording, Trim Sound trims what is saved";
}

TEST_F(RecordDlg, CancelLeavesTheRecordingInTheSound)
{
    CHoard hoard;
    CWav* pWav = CWav::New(hoard, "Bell");
    CRecordDlg dlg(pWav);
    CDialogDriver driver(30000);
    driver.Then("open", Open())
        .Then("click Record", ClickOn(IDC_RECORD))
        .Then("some recorded", [&] { return dlg.m_dwElapsed >= 200; })
        .Then("click Cancel while recording", ClickOn(IDCANCEL));
    EXPECT_EQ(IDCANCEL, Run(dlg, driver));
    EXPECT_FALSE(CWav::RecordingInProgress()) << "Cancel stops the recording";
    EXPECT_GT(pWav->GetDataSize(), 0u);
    EXPECT_LT(pWav->GetDataSize(), 30u * 22050);
    EXPECT_STREQ("Bell", pWav->GetName());
    EXPECT_EQ("0", CSavedRecordingSettings::Get(szTrimSound));
}

TEST_F(RecordDlg, ARecordingThatReachesItsLimitReturnsToIdle)
{
    m_settings.Set(szMaxSecondsBuffer, "1");
    CHoard hoard;
    CWav* pWav = CWav::New(hoard, "Bell");
    CRecordDlg dlg(pWav);
    CDialogDriver driver(30000);
    driver.Then("open", Open())
        .Then("click Record", ClickOn(IDC_RECORD))
        .Then("recording", [&] { return dlg.m_bRecording; })
        .Then("back to idle by itself", Idle())
        .Then("Save and Play enabled", Expect([&] {
            EXPECT_TRUE(Enabled(IDOK));
            EXPECT_TRUE(Enabled(IDC_PLAY));
            EXPECT_EQ(22050u, pWav->GetDataSize()) << "the full buffer: 1 s at medium quality";
            // The bar shows the time recorded, in blue within the black pen.
            if (dlg.m_rcProgress.Width() * (LONGLONG)dlg.m_dwElapsed / 1000 > 6)
            {
                HDC hDC = GetDC(dlg.m_hWnd);
                EXPECT_EQ(RGB(0, 0, 255),
                          GetPixel(hDC, dlg.m_rcProgress.left + 3, dlg.m_rcProgress.CenterPoint().y));
                ReleaseDC(dlg.m_hWnd, hDC);
            }
        }))
        .Then("click Save", ClickOn(IDOK));
    EXPECT_EQ(IDOK, Run(dlg, driver));
    EXPECT_STREQ("Bell", pWav->GetName()) << "without the name field the sound keeps its name";
    EXPECT_EQ(22050u, pWav->GetDataSize()) << "not trimmed";
}

TEST_F(RecordDlg, TrimSoundTicksTrimWhenTheRecordingEnds)
{
    m_settings.Set(szTrimSound, "1");
    CHoard hoard;
    CWav* pWav = CWav::New(hoard, "Bell");
    CRecordDlg dlg(pWav);
    DWORD dwAfterStop = 0;
    CDialogDriver driver(30000);
    driver.Then("open", Open())
        .Then("click Record", ClickOn(IDC_RECORD))
        .Then("some recorded", [&] { return dlg.m_dwElapsed >= 300; })
        .Then("click Stop", ClickOn(IDC_STOP))
        .Then("stopped", Idle())
        .Then("trimmed", Expect([&] {
            dwAfterStop = pWav->GetDataSize();
            EXPECT_TRUE(Trimmed(*pWav));
            EXPECT_EQ(pWav->GetPlaybackTime(), dlg.m_dwElapsed) << "the bar shows the trimmed length";
        }))
        .Then("click Save", ClickOn(IDOK));
    EXPECT_EQ(IDOK, Run(dlg, driver));
    EXPECT_EQ(dwAfterStop, pWav->GetDataSize()) << "Save does not trim twice";
}

// The record dialog, counting how deeply its paints run within one another.
class CPaintCountingDlg : public CRecordDlg
{
public:
    using CRecordDlg::CRecordDlg;

    int m_nDepth = 0;
    int m_nDeepest = 0;

protected:
    afx_msg void OnPaint()
    {
        m_nDeepest = std::max(m_nDeepest, ++m_nDepth);
        CRecordDlg::OnPaint();
        --m_nDepth;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintCountingDlg, CRecordDlg)
    ON_WM_PAINT()
END_MESSAGE_MAP()

// A bar that gets shorter (a new recording, a trimmed one) is painted over once; a new
// dialog starts from an empty bar, whatever an earlier dialog drew.
TEST_F(RecordDlg, AShorterBarIsPaintedOverByOnePaint)
{
    // Long enough that the steps see the recording run on a loaded machine (the null
    // device records about twice as fast as real time), short enough that 600 ms make a
    // bar of some width.
    m_settings.Set(szMaxSecondsBuffer, "10");
    CHoard hoard;
    CWav* pWav = CWav::New(hoard, "Bell");
    auto barPixel = [this](int nX) {
        HDC hDC = GetDC(m_pDlg->m_hWnd);
        COLORREF cr = GetPixel(hDC, m_pDlg->m_rcProgress.left + nX, m_pDlg->m_rcProgress.CenterPoint().y);
        ReleaseDC(m_pDlg->m_hWnd, hDC);
        return cr;
    };
    int nRecordedWidth = 0;
    auto record = [&](CDialogDriver& driver, CPaintCountingDlg& dlg) -> CDialogDriver& {
        return driver.Then("click Record", ClickOn(IDC_RECORD))
            .Then("some recorded", [&] { return dlg.m_dwElapsed >= 600; })
            .Then("a bar", Expect([&] {
                nRecordedWidth = dlg.m_nProgressWidth;
                EXPECT_EQ(RGB(0, 0, 255), barPixel(3));
            }))
            .Then("click Stop", ClickOn(IDC_STOP))
            .Then("stopped", Idle());
    };

    CPaintCountingDlg first(pWav);
    CDialogDriver firstDriver(30000);
    record(firstDriver.Then("open", Open()), first).Then("click Cancel", ClickOn(IDCANCEL));
    EXPECT_EQ(IDCANCEL, Run(first, firstDriver));
    EXPECT_EQ(1, first.m_nDeepest) << "no paint within another";

    // Trimming the constant level of the null device leaves (next to) nothing: the bar
    // shows what is left.
    m_settings.Set(szTrimSound, "1");
    CPaintCountingDlg second(pWav);
    CDialogDriver secondDriver(30000);
    secondDriver.Then("open", Open()).Then("opened", Expect([&] {
        EXPECT_EQ(1, second.m_nDeepest) << "the first dialog's bar is not this one's";
    }));
    record(secondDriver, second)
        .Then("the bar is shorter", Expect([&] {
            ASSERT_LT(second.m_nProgressWidth + 3, nRecordedWidth);
            EXPECT_NE(RGB(0, 0, 255), barPixel(second.m_nProgressWidth + 3));
        }))
        .Then("click Cancel", ClickOn(IDCANCEL));
    EXPECT_EQ(IDCANCEL, Run(second, secondDriver));
    EXPECT_EQ(1, second.m_nDeepest) << "no paint within another";
}

TEST_F(RecordDlg, ARecordingThatCannotStartIsExplained)
{
    // No room at all: StartRecording refuses, and the user hears why.
    m_settings.Set(szMaxSecondsBuffer, "0");
    CHoard hoard;
    CWav* pWav = CWav::New(hoard, "Bell");
    CRecordDlg dlg(pWav);
    std::string strMessage;
    CDialogDriver driver(15000);
    driver.Then("open", Open())
        .Then("click Record", ClickOn(IDC_RECORD))
        .Then("the message", [&] {
            // A message box of the thread other than the dialog, whose statics have
            // the same id as the box's text.
            HWND hWndBox = FindThreadDialog([&](HWND hWnd) { return hWnd != dlg.m_hWnd; });
            if (hWndBox == NULL || GetForegroundWindow() != hWndBox)
                return false;
            strMessage = MessageBoxText(hWndBox);
            PressKey(VK_RETURN);
            return true;
        })
        .Then("idle again", Idle())
        .Then("nothing to save", Expect([&] { EXPECT_FALSE(Enabled(IDOK)); }))
        .Then("cancel", ClickOn(IDCANCEL));
    EXPECT_EQ(IDCANCEL, Run(dlg, driver));
    EXPECT_EQ(std::string(HoardLoadString(IDS_CANT_RECORD)), strMessage);
    EXPECT_EQ(0u, pWav->GetDataSize());
}

TEST_F(RecordDlg, RecordRunsTheDialogForTheSound)
{
    CHoard hoard;
    CWav* pWav = CWav::New(hoard, "Bell");
    auto drive = [this](bool bSave) {
        auto* pDriver = new CDialogDriver(30000);
        pDriver->Then("open", [this] {
                   HWND hWnd = FindThreadDialog("Record New Sound");
                   if (hWnd != NULL)
                       m_hWndDlg = hWnd;
                   return hWnd != NULL;
               })
            .Then("click Record", [this] {
                Click(GetDlgItem(m_hWndDlg, IDC_RECORD));
                return true;
            })
            .Then("recording", [] { return CWav::RecordingInProgress(); })
            .Then("click Stop", [this] {
                Click(GetDlgItem(m_hWndDlg, IDC_STOP));
                return true;
            })
            .Then("stopped", [] { return !CWav::RecordingInProgress(); })
            .Then(bSave ? "click Save" : "click Cancel", [this, bSave] {
                Click(GetDlgItem(m_hWndDlg, bSave ? IDOK : IDCANCEL));
                return true;
            });
        pDriver->Start();
        return std::unique_ptr<CDialogDriver>(pDriver);
    };
    {
        auto driver = drive(true);
        EXPECT_TRUE(pWav->Record()) << "saved with samples";
        EXPECT_TRUE(driver->Done());
    }
    {
        auto driver = drive(false);
        EXPECT_FALSE(pWav->OnNew()) << "cancelled";
        EXPECT_TRUE(driver->Done());
    }
}

} // namespace
