// The scanning sounds against the machine's real wave device: the select sound, found
// in the document's resource file, has finished (its MM_WOM_DONE handled) before the
// selected leaf hears the simulated press.
#include "hoard/resources/Hoard.h"
#include "hoard/sound/Wav.h"

#include "scanning_support.h"

namespace {

// A sound of silence of the given length.
class CSilence : public CWav
{
public:
    CSilence(const char* pszName, DWORD dwMS)
    {
        const DWORD nRate = 11025;
        m_format.wf = { WAVE_FORMAT_PCM, 1, nRate, nRate, 1 };
        m_format.wBitsPerSample = 8;
        std::vector<BYTE> samples(nRate * dwMS / 1000, 0x80);
        m_data.SetData((DWORD)samples.size(), samples.data());
        SetName(pszName);
    }
};

CallLog* g_pSoundLog = NULL;

// Sees the reports of the wave device as the sound engine takes them from the queue.
LRESULT CALLBACK RecordWaveDone(int nCode, WPARAM wParam, LPARAM lParam)
{
    const MSG* pMsg = (const MSG*)lParam;
    if (nCode == HC_ACTION && wParam == PM_REMOVE && pMsg->message == MM_WOM_DONE && g_pSoundLog != NULL)
        g_pSoundLog->push_back("MM_WOM_DONE");
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

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

    g_pSoundLog = &m_log;
    HHOOK hHook = ::SetWindowsHookExA(WH_GETMESSAGE, RecordWaveDone, NULL, ::GetCurrentThreadId());
    Hit(VK_DOWN);
    ::UnhookWindowsHookEx(hHook);
    g_pSoundLog = NULL;
    EXPECT_TRUE(SequenceIs({ "MM_WOM_DONE", "A:LDown", "A:LUp", "A:Select" }, m_log));
    EXPECT_FALSE(CWav::SoundInProgress());
}

} // namespace
