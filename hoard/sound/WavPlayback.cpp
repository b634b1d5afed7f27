// CWav's playback: one sound at a time through the default wave-output device, its end
// reported to the message window.
#include "hoard/sound/Wav.h"

#include "hoard/sound/MessageWavWnd.h"
#include "hoard/sound/WavException.h"

unsigned int CWav::s_nPlaying = 0;
CWav* CWav::s_pPlayingWav = NULL;

namespace {

// How long past its own length a playback may go unreported before it is stopped: the
// devices report the end of every buffer, so this only keeps a broken driver from
// hanging a waiting Play.
const DWORD dwReportGraceMS = 5000;

} // namespace

int CWav::InitForPlayback()
{
    if (s_pMessageWnd != NULL)
        s_pMessageWnd->m_pWav = this;
    // A sound whose samples cannot be brought back into memory plays nothing.
    unsigned char* p = NULL;
    try
    {
        p = m_data.Lock();
    }
    catch (CException* e)
    {
        e->Delete();
    }
    m_header.lpData = (LPSTR)p;
    m_header.dwBufferLength = p != NULL ? m_data.GetSize() : 0;
    m_header.dwFlags = 0;
    m_header.dwLoops = 0;
    return p != NULL;
}

void CWav::Play(int bWait, void (*callback)(CWav*))
{
    // Whatever plays is stopped, and the reports of its device handled, before this
    // sound takes the device; a callback that starts another playback is stopped too.
    do
        StopAllSound();
    while (SoundInProgress());

    m_pCallback = callback;
    // The header of a sound that records belongs to the input device.
    if (s_pRecordingWav == this || s_hMessageWnd == NULL || !InitForPlayback())
    {
        if (m_pCallback != NULL)
            m_pCallback(this);
        return;
    }
    // From here OnDonePlaying ends the playback, however far it got.
    s_nPlaying = 1;
    s_pPlayingWav = this;
    m_hWaveOut = NULL;
    if (waveOutGetNumDevs() == 0)
    {
        OnDonePlaying();
        return;
    }
    try
    {
        CheckError(waveOutOpen(&m_hWaveOut, WAVE_MAPPER, (LPCWAVEFORMATEX)&m_format,
                               (DWORD_PTR)s_hMessageWnd, (DWORD_PTR)this, CALLBACK_WINDOW));
        CheckError(waveOutPrepareHeader(m_hWaveOut, &m_header, sizeof m_header));
        CheckError(waveOutReset(m_hWaveOut));
        CheckError(waveOutWrite(m_hWaveOut, &m_header, sizeof m_header));
    }
    catch (CWavException* e)
    {
        e->Delete();
        OnDonePlaying();
        return;
    }
    if (bWait)
        WaitWhilePlaying();
}

void CWav::Play(int bWait, void (*callback)(CWav*)) const
{
    // Playing changes only the device state, none of the sound's content.
    const_cast<CWav*>(this)->Play(bWait, callback);
}

void CWav::WaitWhilePlaying()
{
    CWav* pWatched = NULL;
    DWORD dwDeadline = 0;
    while (s_nPlaying != 0 && s_hMessageWnd != NULL)
    {
        // A callback may have started another sound: it gets its own time.
        if (s_pPlayingWav != pWatched)
        {
            pWatched = s_pPlayingWav;
            dwDeadline = GetTickCount() + pWatched->GetPlaybackTime() + dwReportGraceMS;
        }
        MSG msg;
        if (::PeekMessage(&msg, s_hMessageWnd, 0, 0, PM_REMOVE))
            ::DispatchMessage(&msg);
        else if ((LONG)(GetTickCount() - dwDeadline) >= 0)
            StopAllSound();
        else
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_POSTMESSAGE | QS_SENDMESSAGE);
    }
}

void CWav::CloseWaveOut()
{
    if (m_hWaveOut == NULL)
        return;
    // Each step is tried whatever the one before it gave; a device that cannot be
    // closed keeps its handle, so that stopping can reset it once more.
    waveOutReset(m_hWaveOut);
    waveOutUnprepareHeader(m_hWaveOut, &m_header, sizeof m_header);
    if (waveOutClose(m_hWaveOut) == MMSYSERR_NOERROR)
        m_hWaveOut = NULL;
}

void CWav::OnDonePlaying()
{
    if (s_nPlaying == 0 || s_pPlayingWav != this)
        return;
    s_nPlaying = 0;
    s_pPlayingWav = NULL;
    CloseWaveOut();
    m_data.Unlock();
    // Last: the callback may start another playback or destroy this sound.
    if (m_pCallback != NULL)
        m_pCallback(this);
}

void CWav::StopPlaying()
{
    if (s_nPlaying == 0)
        return;
    // The flag is global: whichever sound plays is stopped.
    if (s_pPlayingWav != this)
    {
        if (s_pPlayingWav != NULL)
            s_pPlayingWav->StopPlaying();
        return;
    }
    OnDonePlaying();
}

void CWav::StopAllSound()
{
    if (s_pPlayingWav != NULL)
        s_pPlayingWav->StopPlaying();
}

int CWav::SoundInProgress()
{
    MSG msg;
    while (s_hMessageWnd != NULL && ::PeekMessage(&msg, s_hMessageWnd, 0, 0, PM_REMOVE))
        ::DispatchMessage(&msg);
    return s_nPlaying != 0;
}
