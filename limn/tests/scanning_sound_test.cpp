// The scanning sounds against the machine's real wave device: the select sound, found
// in the document's resource file, has finished (its MM_WOM_DONE handled) before the
// selected leaf hears the simulated press; the cue of auditory scanning has finished
// before automatic scanning steps on.
#include "hoard/resources/Hoard.h"
#include "hoard/sound/Wav.h"

#include "scanning_support.h"

namespace {

TEST_F(ScanningTest, TheSelectSoundEndsBeforeTheClick)
{
    if (::waveOutGetNumDevs() == 0)
        GTEST_SKIP() << "no wave output device: the test needs Wine's ALSA null device (build/wine-run)";
    CHoard hoard;
    hoard.AddToMap(new CSilence("Select Sound", 200));
    hoard.SetDocumentHoard();
    ASSERT_NE(nullptr, hoard.GetResource("CWav", "Select Sound"));
    gScanningPrefs.m_bScanningSounds = TRUE;
    Leaf(m_pRoot, "A", CRect(10, 10, 100, 100));
    Leaf(m_pRoot, "B", CRect(120, 10, 210, 100));
    m_pRoot->SetScanningParent();
    Hit(VK_RIGHT);
    EXPECT_EQ("A", FocusName()) << "a missing scan sound is skipped";

    {
        CWaveDoneRecorder recorder(&m_log);
        Hit(VK_DOWN);
    }
    EXPECT_TRUE(SequenceIs({ "MM_WOM_DONE", "A:LDown", "A:LUp", "A:Select" }, m_log));
    EXPECT_FALSE(CWav::SoundInProgress());
}

// "A cue" comes from the document's file and "B cue" from the application's; C has no
// cue and plays the scan sound. However far the clock goes, automatic scanning steps on
// from A and B only once their cue has ended; from C, at the interval, while the scan
// sound still plays.
TEST_F(ScanningTest, TheCueIsHeardBeforeTheStep)
{
    if (::waveOutGetNumDevs() == 0)
        GTEST_SKIP() << "no wave output device: the test needs Wine's ALSA null device (build/wine-run)";
    // Long enough to outlast several ticks on a device that plays faster than real time.
    const DWORD dwCueMS = 6000;
    CHoard document, application;
    document.AddToMap(new CSilence("A cue", dwCueMS));
    application.AddToMap(new CSilence("B cue", dwCueMS));
    application.AddToMap(new CSilence("Scan Sound", dwCueMS));
    document.SetDocumentHoard();
    application.SetApplicationHoard();
    Leaf(m_pRoot, "A", CRect(10, 10, 100, 100));
    Leaf(m_pRoot, "B", CRect(120, 10, 210, 100));
    Leaf(m_pRoot, "C", CRect(230, 10, 320, 100));
    m_pRoot->SetScanningParent();

    Hit(VK_RETURN);
    ASSERT_EQ("A", FocusName());
    EXPECT_FALSE(CWav::SoundInProgress()) << "auditory scanning is off";
    Advance(551);
    EXPECT_EQ("B", FocusName());
    Hit(VK_ESCAPE);

    gScanningPrefs.m_bAuditoryScanning = TRUE;
    gScanningPrefs.m_bScanningSounds = TRUE;
    {
        CWaveDoneRecorder recorder(&m_log);
        Hit(VK_RETURN);
        ASSERT_EQ("A", FocusName());
        EXPECT_TRUE(CWav::SoundInProgress());
        Advance(10000);
        EXPECT_EQ("A", FocusName()) << "the cue plays on";
        std::string strFocus = FocusName();
        for (int nTicks = 0; nTicks < 300 && strFocus != "C"; nTicks++)
        {
            Advance(10000);
            if (FocusName() != strFocus)
            {
                strFocus = FocusName();
                m_log.push_back("focus " + strFocus);
            }
        }
    }
    EXPECT_TRUE(SequenceIs({ "MM_WOM_DONE", "focus B", "MM_WOM_DONE", "focus C" }, m_log));
    EXPECT_TRUE(CWav::SoundInProgress()) << "the scan sound of C";
    Advance(551);
    EXPECT_EQ("A", FocusName());
    CWav::StopAllSound();
}

} // namespace
