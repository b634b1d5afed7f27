// The sound engine against the machine's real wave devices (under Wine, the ALSA null
// device, which is not paced in real time: nothing here measures how long sound takes).
#include "test_support.h"

#include "framework/tests/import_patch.h"
#include "hoard/resources/EditProxy.h"
#include "hoard/sound/MessageWavWnd.h"
#include "hoard/sound/RecordingSettings.h"
#include "hoard/sound/Wav.h"
#include "hoard/sound/WavException.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// The engine's state, open to the tests.
class CWavProbe : public CWav
{
public:
    using CWav::s_bRecording;
    using CWav::s_hMessageWnd;
    using CWav::s_nInstances;
    using CWav::s_nPlaying;
    using CWav::s_pMessageWnd;
    using CWav::s_pPlayingWav;

    void Set(DWORD nRate, WORD nChannels, WORD nBits, const std::vector<BYTE>& samples)
    {
        WORD nAlign = (WORD)(nChannels * nBits / 8);
        m_format.wf = { WAVE_FORMAT_PCM, nChannels, nRate, nRate * nAlign, nAlign };
        m_format.wBitsPerSample = nBits;
        m_data.SetData((DWORD)samples.size(), samples.data());
    }
    void SetFormatTag(WORD wTag) { m_format.wf.wFormatTag = wTag; }
    std::vector<BYTE> Samples() const
    {
        const BYTE* p = GetData();
        if (p == NULL)
            return {};
        std::vector<BYTE> samples(p, p + GetDataSize());
        ReleaseData();
        return samples;
    }
    // Whether the engine still holds the samples locked.
    UINT LockCount() { return m_data.GetHandle() == NULL ? 0 : GlobalFlags(m_data.GetHandle()) & GMEM_LOCKCOUNT; }
    HWAVEIN WaveIn() const { return m_hWaveIn; }
    const WAVEHDR& Header() const { return m_header; }
    DWORD RecordedPosition() const
    {
        MMTIME time = {};
        time.wType = TIME_BYTES;
        return waveInGetPosition(m_hWaveIn, &time, sizeof time) == MMSYSERR_NOERROR ? time.u.cb : 0;
    }
};

// Which sounds called back, in order.
std::vector<CWav*> g_callbacks;
void LogCallback(CWav* pWav) { g_callbacks.push_back(pWav); }

// Handles the devices' reports until done() holds; FALSE if it never does within a
// minute, which only guards against a hang.
BOOL PumpUntil(const std::function<bool()>& done)
{
    DWORD dwStart = GetTickCount();
    while (!done())
    {
        if (GetTickCount() - dwStart > 60000)
            return FALSE;
        CWav::SoundInProgress();
        Sleep(1);
    }
    return TRUE;
}

class WavEngine : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_callbacks.clear();
        if (waveInGetNumDevs() == 0 || waveOutGetNumDevs() == 0)
            GTEST_SKIP() << "no wave devices: the tests need Wine's ALSA null device (build/wine-run)";
    }
    void TearDown() override
    {
        EXPECT_FALSE(CWav::RecordingInProgress()) << "a test left a recording running";
        EXPECT_FALSE(CWav::SoundInProgress()) << "a test left a sound playing";
    }
};

TEST_F(WavEngine, TheLastSoundTakesTheMessageWindowWithIt)
{
    ASSERT_EQ(0u, CWavProbe::s_nInstances) << "another test left sounds alive";
    EXPECT_EQ(nullptr, CWavProbe::s_pMessageWnd);
    HWND hWnd;
    {
        CWav first;
        hWnd = CWavProbe::s_hMessageWnd;
        ASSERT_TRUE(IsWindow(hWnd));
        EXPECT_EQ(hWnd, CWavProbe::s_pMessageWnd->m_hWnd);
        char szTitle[32];
        GetWindowTextA(hWnd, szTitle, sizeof szTitle);
        EXPECT_STREQ("message", szTitle);
        EXPECT_FALSE(IsWindowVisible(hWnd));
        EXPECT_EQ(nullptr, GetParent(hWnd));
        EXPECT_EQ(WS_OVERLAPPEDWINDOW, GetWindowLongA(hWnd, GWL_STYLE) & WS_OVERLAPPEDWINDOW);
        {
            CWav second;
            EXPECT_EQ(hWnd, CWavProbe::s_hMessageWnd) << "one window for all sounds";
            EXPECT_EQ(2u, CWavProbe::s_nInstances);
        }
        EXPECT_TRUE(IsWindow(hWnd)) << "the window stays while a sound is alive";
        // Only the last sound closes it.
        SendMessageA(hWnd, WM_CLOSE, 0, 0);
        EXPECT_TRUE(IsWindow(hWnd));
    }
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(nullptr, CWavProbe::s_pMessageWnd);
    EXPECT_EQ(nullptr, CWavProbe::s_hMessageWnd);

    CWav again;
    EXPECT_TRUE(IsWindow(CWavProbe::s_hMessageWnd)) << "a new first sound makes a new window";
}

TEST_F(WavEngine, QualitiesRecordAtTheirRates)
{
    const struct
    {
        CWav::RecordQuality quality;
        DWORD nRate;
        DWORD nBuffer;      // for 30 s
    } cases[] = {
        { CWav::qualityLow, 11025, 330750 },
        { CWav::qualityMedium, 22050, 661500 },
        { CWav::qualityHighest, 44100, 1323000 },
    };
    for (const auto& c : cases)
    {
        CWavProbe wav;
        ASSERT_TRUE(wav.StartRecording(c.quality, 30000, LogCallback)) << c.nRate;
        EXPECT_TRUE(CWav::RecordingInProgress());
        EXPECT_EQ(c.nBuffer, wav.Header().dwBufferLength) << c.nRate;
        EXPECT_EQ(0u, wav.GetDataSize()) << c.nRate << ": the sound takes the recording when it ends";
        wav.StopRecording();
        EXPECT_FALSE(CWav::RecordingInProgress());
        const PCMWAVEFORMAT& format = wav.GetFormat();
        EXPECT_EQ(WAVE_FORMAT_PCM, format.wf.wFormatTag) << c.nRate;
        EXPECT_EQ(1, format.wf.nChannels) << c.nRate;
        EXPECT_EQ(c.nRate, format.wf.nSamplesPerSec);
        EXPECT_EQ(c.nRate, format.wf.nAvgBytesPerSec);
        EXPECT_EQ(1, format.wf.nBlockAlign) << c.nRate;
        EXPECT_EQ(8, format.wBitsPerSample) << c.nRate;
        EXPECT_EQ(30000u, wav.GetMaxTime()) << c.nRate;
    }
    EXPECT_EQ(3u, g_callbacks.size());
}

TEST_F(WavEngine, ARecordingRunsToItsLimitByItself)
{
    CWavProbe wav;
    wav.Set(8000, 1, 16, { 1, 2, 3, 4 });
    ASSERT_TRUE(wav.StartRecording(CWav::qualityLow, 500, LogCallback));
    EXPECT_EQ((std::vector<BYTE>{ 1, 2, 3, 4 }), wav.Samples()) << "the device fills a buffer of its own";
    EXPECT_EQ(8000u, wav.GetFormat().wf.nSamplesPerSec);
    ASSERT_TRUE(PumpUntil([] { return !g_callbacks.empty(); })) << "the device never returned the buffer";
    EXPECT_EQ(std::vector<CWav*>{ &wav }, g_callbacks);
    EXPECT_FALSE(CWav::RecordingInProgress());
    EXPECT_EQ(5512u, wav.GetDataSize()) << "the full buffer: 500 ms at 11025";
    EXPECT_EQ(5512u, wav.Header().dwBytesRecorded);
    EXPECT_EQ(0u, wav.LockCount());
    EXPECT_EQ(nullptr, wav.WaveIn()) << "the device is closed";

    // The clean-up turned the last quarter second into margin, fade and silence.
    std::vector<BYTE> samples = wav.Samples();
    const DWORD f = 11025 / 4, ramp = f / 10;
    for (DWORD i = samples.size() - f + 2 * ramp; i < samples.size(); ++i)
        ASSERT_EQ(128, samples[i]) << "sample " << i << " of the silenced end";

    // Later reports of the closed device change nothing.
    CWav::SoundInProgress();
    EXPECT_EQ(1u, g_callbacks.size());
}

TEST_F(WavEngine, ARecordingStoppedEarlyKeepsWhatWasRecorded)
{
    CWavProbe wav;
    ASSERT_TRUE(wav.StartRecording(CWav::qualityLow, 30000, LogCallback));
    ASSERT_TRUE(PumpUntil([&wav] { return wav.RecordedPosition() >= 8000; }));
    DWORD dwBefore = wav.RecordedPosition();
    wav.StopRecording();
    EXPECT_EQ(std::vector<CWav*>{ &wav }, g_callbacks) << "one callback, from the stop";
    EXPECT_FALSE(CWav::RecordingInProgress());
    // The size is the device's position at the stop, which lies a little after the
    // last one read here.
    EXPECT_GE(wav.GetDataSize(), dwBefore);
    EXPECT_LT(wav.GetDataSize(), dwBefore + 11025) << "cut to the position, not the 30 s buffer";
    EXPECT_EQ(wav.GetDataSize(), wav.Header().dwBytesRecorded);
    EXPECT_EQ(0u, wav.LockCount());

    // The device's own report of the returned buffer comes too late to matter.
    CWav::SoundInProgress();
    EXPECT_EQ(1u, g_callbacks.size());
    wav.StopRecording();
    EXPECT_EQ(1u, g_callbacks.size()) << "stopping twice calls back once";
}

TEST_F(WavEngine, RecordingTimesAreNotCutTo32Bits)
{
    // 100 s at 44100: the product 4.41e9 needs more than 32 bits.
    CWavProbe wav;
    ASSERT_TRUE(wav.StartRecording(CWav::qualityHighest, 100000, NULL));
    EXPECT_EQ(4410000u, wav.Header().dwBufferLength);
    wav.StopRecording();

    // A buffer that no 32-bit length can hold, or no buffer at all, is refused and the
    // sound stays as it was.
    CWavProbe kept;
    kept.Set(8000, 1, 16, { 1, 2, 3, 4 });
    EXPECT_FALSE(kept.StartRecording(CWav::qualityHighest, 0xFFFFFFFF, LogCallback));
    EXPECT_FALSE(kept.StartRecording(CWav::qualityLow, 0, LogCallback));
    EXPECT_FALSE(kept.StartRecording((CWav::RecordQuality)3, 1000, LogCallback));
    EXPECT_FALSE(CWav::RecordingInProgress());
    EXPECT_EQ((std::vector<BYTE>{ 1, 2, 3, 4 }), kept.Samples());
    EXPECT_EQ(8000u, kept.GetFormat().wf.nSamplesPerSec);
    EXPECT_EQ(16, kept.GetFormat().wBitsPerSample);
    EXPECT_EQ(0u, kept.LockCount());
    EXPECT_TRUE(g_callbacks.empty());
}

// Stand-ins for the input device's calls, failing as a broken driver would.
MMRESULT WINAPI FailingHeaderCall(HWAVEIN, LPWAVEHDR, UINT) { return MMSYSERR_ERROR; }
MMRESULT WINAPI FailingStart(HWAVEIN) { return MMSYSERR_ERROR; }

TEST_F(WavEngine, ARecordingThatFailsToStartLeavesTheSoundAsItWas)
{
    const struct
    {
        const char* pszFunction;
        void* pStandIn;
    } cases[] = {
        { "waveInPrepareHeader", reinterpret_cast<void*>(&FailingHeaderCall) },
        { "waveInAddBuffer", reinterpret_cast<void*>(&FailingHeaderCall) },
        { "waveInStart", reinterpret_cast<void*>(&FailingStart) },
    };
    for (const auto& c : cases)
    {
        CWavProbe wav;
        wav.Set(8000, 1, 16, { 1, 2, 3, 4 });
        wav.SetAllRecorded();
        {
            CImportPatch failing("hoard.dll", "winmm.dll", c.pszFunction, c.pStandIn);
            ASSERT_TRUE(failing.IsPatched()) << c.pszFunction;
            EXPECT_FALSE(wav.StartRecording(CWav::qualityLow, 1000, LogCallback)) << c.pszFunction;
        }
        EXPECT_FALSE(CWav::RecordingInProgress()) << c.pszFunction;
        EXPECT_EQ((std::vector<BYTE>{ 1, 2, 3, 4 }), wav.Samples()) << c.pszFunction;
        EXPECT_EQ(8000u, wav.GetFormat().wf.nSamplesPerSec) << c.pszFunction;
        EXPECT_EQ(16, wav.GetFormat().wBitsPerSample) << c.pszFunction;
        EXPECT_EQ(0u, wav.GetMaxTime()) << c.pszFunction;
        EXPECT_EQ(4u, wav.Header().dwBytesRecorded) << c.pszFunction << ": what TrimSound squelches";
        EXPECT_EQ(0u, wav.LockCount()) << c.pszFunction;
        EXPECT_TRUE(g_callbacks.empty()) << c.pszFunction;

        // The device was given back: the next recording starts.
        ASSERT_TRUE(wav.StartRecording(CWav::qualityLow, 1000, NULL)) << c.pszFunction;
        wav.StopRecording();
    }
}

TEST_F(WavEngine, OneRecordingAtATime)
{
    CWavProbe first, second;
    ASSERT_TRUE(first.StartRecording(CWav::qualityLow, 30000, LogCallback));
    EXPECT_FALSE(second.StartRecording(CWav::qualityLow, 30000, LogCallback));
    EXPECT_EQ(0u, second.GetDataSize());
    // Stopping goes to the sound that records, whichever sound is asked.
    second.StopRecording();
    EXPECT_EQ(std::vector<CWav*>{ &first }, g_callbacks);
    EXPECT_FALSE(CWav::RecordingInProgress());
}

TEST_F(WavEngine, InputLevelNeedsMoreThan1280Bytes)
{
    CWavProbe wav;
    EXPECT_EQ(0, wav.GetInVolume()) << "not recording";
    // 100 ms at 11025 is 1102 bytes: the device never gets past 1280.
    ASSERT_TRUE(wav.StartRecording(CWav::qualityLow, 100, LogCallback));
    EXPECT_EQ(1102u, wav.Header().dwBufferLength);
    CWavProbe other;
    int nLevels = 0;
    ASSERT_TRUE(PumpUntil([&] {
        nLevels += wav.GetInVolume() + other.GetInVolume();
        return !g_callbacks.empty();
    }));
    EXPECT_EQ(0, nLevels);
    EXPECT_EQ(0, wav.GetInVolume()) << "after the recording";
}

TEST_F(WavEngine, AFailedDeviceStillEndsTheRecording)
{
    // The device is closed behind the engine's back: returning the buffer and closing
    // fail, and the recording ends all the same, unlocked, with one callback.
    CWavProbe wav;
    ASSERT_TRUE(wav.StartRecording(CWav::qualityLow, 30000, LogCallback));
    ASSERT_TRUE(PumpUntil([&wav] { return wav.RecordedPosition() >= 2000; }));
    HWAVEIN hWaveIn = wav.WaveIn();
    waveInReset(hWaveIn);
    WAVEHDR header = wav.Header();
    DWORD dwRecorded = header.dwBytesRecorded;
    waveInUnprepareHeader(hWaveIn, &header, sizeof header);
    ASSERT_EQ(MMSYSERR_NOERROR, waveInClose(hWaveIn));

    wav.StopRecording();
    EXPECT_EQ(std::vector<CWav*>{ &wav }, g_callbacks);
    EXPECT_FALSE(CWav::RecordingInProgress());
    EXPECT_EQ(0u, wav.LockCount());
    EXPECT_EQ(dwRecorded, wav.GetDataSize()) << "without a position, what the buffer holds";
    CWav::SoundInProgress();
    EXPECT_EQ(1u, g_callbacks.size());
}

TEST_F(WavEngine, ASoundDestroyedWhileRecordingStopsTheDevice)
{
    auto* pWav = new CWavProbe;
    CWav keepTheWindow;
    ASSERT_TRUE(pWav->StartRecording(CWav::qualityLow, 30000, LogCallback));
    delete pWav;
    EXPECT_FALSE(CWav::RecordingInProgress());
    EXPECT_TRUE(g_callbacks.empty()) << "a sound going away calls nobody back";
    CWav::SoundInProgress();
    EXPECT_TRUE(g_callbacks.empty());
}

std::vector<BYTE> Tone(size_t n)
{
    std::vector<BYTE> samples(n);
    for (size_t i = 0; i < n; ++i)
        samples[i] = (BYTE)(128 + ((i / 10) % 2 ? 40 : -40));
    return samples;
}

TEST_F(WavEngine, PlayingWithWaitReturnsOnceTheDeviceIsDone)
{
    CWavProbe wav;
    wav.Set(11025, 1, 8, Tone(4000));
    wav.Play(TRUE, LogCallback);
    EXPECT_EQ(std::vector<CWav*>{ &wav }, g_callbacks);
    EXPECT_EQ(0u, CWavProbe::s_nPlaying);
    EXPECT_EQ(nullptr, CWavProbe::s_pPlayingWav);
    EXPECT_EQ(0u, wav.LockCount());

    // The const overload plays the same way.
    const CWav& constWav = wav;
    constWav.Play(TRUE, LogCallback);
    EXPECT_EQ(2u, g_callbacks.size());
}

TEST_F(WavEngine, PlayingWithoutWaitEndsThroughTheMessageWindow)
{
    CWavProbe wav;
    wav.Set(22050, 2, 16, Tone(8000));
    wav.Play(FALSE, LogCallback);
    EXPECT_EQ(1u, CWavProbe::s_nPlaying);
    EXPECT_EQ(&wav, CWavProbe::s_pPlayingWav);
    EXPECT_EQ(&wav, CWavProbe::s_pMessageWnd->m_pWav);
    EXPECT_EQ(1u, wav.LockCount()) << "locked until the device is done";
    ASSERT_TRUE(PumpUntil([] { return !CWav::SoundInProgress(); }));
    EXPECT_EQ(std::vector<CWav*>{ &wav }, g_callbacks);
    EXPECT_EQ(0u, wav.LockCount());
}

TEST_F(WavEngine, ASecondPlayStopsTheFirst)
{
    CWavProbe first, second;
    first.Set(11025, 1, 8, Tone(110250));
    second.Set(11025, 1, 8, Tone(2000));
    first.Play(FALSE, LogCallback);
    second.Play(FALSE, LogCallback);
    EXPECT_EQ(std::vector<CWav*>{ &first }, g_callbacks) << "the first ended before the second began";
    EXPECT_EQ(&second, CWavProbe::s_pPlayingWav);
    EXPECT_EQ(0u, first.LockCount());
    ASSERT_TRUE(PumpUntil([] { return !CWav::SoundInProgress(); }));
    EXPECT_EQ((std::vector<CWav*>{ &first, &second }), g_callbacks);
}

TEST_F(WavEngine, StoppingStopsWhicheverSoundPlays)
{
    CWavProbe playing, idle;
    playing.Set(11025, 1, 8, Tone(110250));
    playing.Play(FALSE, LogCallback);
    idle.StopPlaying();
    EXPECT_EQ(std::vector<CWav*>{ &playing }, g_callbacks);
    EXPECT_FALSE(CWav::SoundInProgress());
    EXPECT_EQ(0u, playing.LockCount());
    idle.OnDonePlaying();
    playing.OnDonePlaying();
    EXPECT_EQ(1u, g_callbacks.size()) << "a playback ends once";

    playing.Play(FALSE, LogCallback);
    CWav::StopAllSound();
    EXPECT_EQ(2u, g_callbacks.size());
    EXPECT_EQ(nullptr, CWavProbe::s_pPlayingWav);
}

TEST_F(WavEngine, APlaybackThatCannotStartEndsAtOnce)
{
    // No samples, a format the device refuses, a sound that is recording: nothing
    // plays, nothing stays locked, and the caller hears of the end.
    CWavProbe empty, refused, recording;
    refused.Set(11025, 1, 8, Tone(100));
    refused.SetFormatTag(0x7777);
    ASSERT_TRUE(recording.StartRecording(CWav::qualityLow, 30000, NULL));
    for (CWavProbe* pWav : { &empty, &refused, &recording })
    {
        g_callbacks.clear();
        pWav->Play(TRUE, LogCallback);
        EXPECT_EQ(std::vector<CWav*>{ pWav }, g_callbacks);
        EXPECT_EQ(0u, CWavProbe::s_nPlaying);
    }
    EXPECT_EQ(0u, refused.LockCount());
    EXPECT_TRUE(CWav::RecordingInProgress()) << "the recording goes on";
    recording.StopRecording();
}

TEST_F(WavEngine, TheCommandPlaysTheSelectedSound)
{
    CHoard hoard;
    auto* pWav = static_cast<CWavProbe*>(CWav::New(hoard, "Bell"));
    pWav->Set(11025, 1, 8, Tone(3000));
    struct CNoEditor : CEditProxy
    {
        CResource* New(const char*) override { ADD_FAILURE() << "Play created a resource"; return NULL; }
        void UpdatePreview() override {}
        void UpdateList() override {}
    } proxy;
    CResourceClass::GetResourceClass("CWav")->OnCommand(1, hoard, pWav, proxy);
    EXPECT_FALSE(CWav::SoundInProgress()) << "it waits for the end";
    EXPECT_EQ(0u, pWav->LockCount());
    pWav->OnDoubleClick();
    EXPECT_FALSE(CWav::SoundInProgress());
}

TEST(WavErrors, CheckErrorThrowsTheDeviceText)
{
    CWav::CheckError(MMSYSERR_NOERROR);
    CWavException* e = NULL;
    try
    {
        CWav::CheckError(MMSYSERR_BADDEVICEID);
    }
    catch (CWavException* eThrown)
    {
        e = eThrown;
    }
    ASSERT_NE(nullptr, e);
    char szExpected[128];
    waveOutGetErrorTextA(MMSYSERR_BADDEVICEID, szExpected, sizeof szExpected);
    EXPECT_STREQ(szExpected, e->m_strError);
    char szMessage[128];
    EXPECT_TRUE(e->GetErrorMessage(szMessage, sizeof szMessage));
    EXPECT_STREQ(szExpected, szMessage);
    e->Delete();
}

// TrimSound reads its settings from the settings file.
class WavTrim : public ::testing::Test
{
protected:
    CSavedRecordingSettings m_settings{ szSquelchEnabled, szMinSquelchTime };
};

TEST_F(WavTrim, TrimsWithTheSettingsOfTheFile)
{
    const struct
    {
        const char* pszSquelch;
        std::vector<BYTE> samples;
        std::vector<BYTE> expected;
    } cases[] = {
        { "0", { 128, 128, 200, 50, 128 }, { 200 } },
        { "0", { 128, 128, 128 }, {} },
        { "0", { 130, 128, 127, 128 }, { 130, 128 } },
        // Squelching on: a 10-sample run of near-silence inside a 1000 samples a
        // second sound, with 5 ms as the shortest run, becomes silence but for a
        // margin of one sample (5 / 3) at each end.
        { "1", { 200, 129, 127, 129, 127, 129, 127, 129, 127, 129, 127, 60, 128 },
               { 200, 129, 128, 128, 128, 128, 128, 128, 128, 128, 127 } },
    };
    m_settings.Set(szMinSquelchTime, "5");
    for (const auto& c : cases)
    {
        m_settings.Set(szSquelchEnabled, c.pszSquelch);
        CWavProbe wav;
        wav.Set(1000, 1, 8, c.samples);
        wav.SetAllRecorded();
        wav.TrimSound();
        EXPECT_EQ(c.expected, wav.Samples()) << "squelch " << c.pszSquelch << ", " << c.samples.size() << " samples";
    }
}

TEST_F(WavTrim, LeavesOtherLayoutsAlone)
{
    m_settings.Set(szSquelchEnabled, "0");
    CWavProbe stereo;
    stereo.Set(11025, 2, 8, { 128, 128, 200, 50, 128, 128 });
    stereo.TrimSound();
    EXPECT_EQ(6u, stereo.GetDataSize());
    CWavProbe wide;
    wide.Set(11025, 1, 16, { 128, 128, 200, 50, 128, 128 });
    wide.TrimSound();
    EXPECT_EQ(6u, wide.GetDataSize());
}

} // namespace
