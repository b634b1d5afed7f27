// CWav's recording: one recording at a time from the default wave-input device into
// one buffer, its end reported to the message window, and the clean-up of what was
// recorded.
#include "hoard/sound/Wav.h"

#include "hoard/sound/MessageWavWnd.h"
#include "hoard/sound/RecordingSettings.h"
#include "hoard/sound/SoundCleanup.h"
#include "hoard/sound/WavException.h"

#include <stdlib.h>
#include <string.h>

int CWav::s_bRecording = FALSE;
CWav* CWav::s_pRecordingWav = NULL;

namespace {

const BYTE bSilence = 128;

DWORD RateOf(CWav::RecordQuality quality)
{
    switch (quality)
    {
    case CWav::qualityLow: return 11025;
    case CWav::qualityMedium: return 22050;
    case CWav::qualityHighest: return 44100;
    }
    return 0;
}

PCMWAVEFORMAT RecordingFormat(DWORD nRate)
{
    PCMWAVEFORMAT format;
    format.wf.wFormatTag = WAVE_FORMAT_PCM;
    format.wf.nChannels = 1;
    format.wf.nSamplesPerSec = nRate;
    format.wf.nAvgBytesPerSec = nRate;
    format.wf.nBlockAlign = 1;
    format.wBitsPerSample = 8;
    return format;
}

// The input device's position in bytes, or FALSE.
BOOL GetPositionInBytes(HWAVEIN hWaveIn, DWORD& dwPosition)
{
    MMTIME time = {};
    time.wType = TIME_BYTES;
    if (waveInGetPosition(hWaveIn, &time, sizeof time) != MMSYSERR_NOERROR || time.wType != TIME_BYTES)
        return FALSE;
    dwPosition = time.u.cb;
    return TRUE;
}

} // namespace

int CWav::InitForRecording(DWORD rate, DWORD maxTime)
{
    // In 64 bits, so that no time wraps around to a short buffer; a buffer that a
    // sound's 32-bit length cannot hold is refused.
    ULONGLONG nBytes = (ULONGLONG)maxTime * rate / 1000;
    if (nBytes == 0 || nBytes > 0xFFFFFFFF)
        return FALSE;
    DWORD n = (DWORD)nBytes;
    BYTE* p = m_recording.SetCount(n);
    memset(p, bSilence, n);
    if (s_pMessageWnd != NULL)
        s_pMessageWnd->m_pWav = this;
    m_nRecordingRate = rate;
    m_dwRecordingMaxTime = maxTime;
    m_header.lpData = (LPSTR)p;
    m_header.dwBufferLength = n;
    m_header.dwBytesRecorded = 0;
    m_header.dwFlags = 0;
    m_header.dwLoops = 0;
    return TRUE;
}

int CWav::StartRecording(RecordQuality quality, DWORD maxTime, void (*callback)(CWav*))
{
    DWORD nRate = RateOf(quality);
    if (s_bRecording || s_hMessageWnd == NULL || nRate == 0)
        return FALSE;
    if (s_pPlayingWav == this)
        StopPlaying();

    // The device records into a buffer of its own, so that a machine without a device,
    // one that refuses the format or one that fails to start leaves the sound as it was.
    PCMWAVEFORMAT format = RecordingFormat(nRate);
    HWAVEIN hWaveIn = NULL;
    try
    {
        CheckError(waveInOpen(NULL, WAVE_MAPPER, (LPCWAVEFORMATEX)&format, 0, 0, WAVE_FORMAT_QUERY));
        CheckError(waveInOpen(&hWaveIn, WAVE_MAPPER, (LPCWAVEFORMATEX)&format,
                              (DWORD_PTR)s_hMessageWnd, 0, CALLBACK_WINDOW));
    }
    catch (CWavException* e)
    {
        e->Delete();
        return FALSE;
    }

    // A start that fails puts the header back: it also tells TrimSound how much of the
    // sound's samples were recorded.
    const WAVEHDR headerBefore = m_header;
    BOOL bBuffer = FALSE;
    try
    {
        bBuffer = InitForRecording(nRate, maxTime);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    if (!bBuffer)
    {
        waveInClose(hWaveIn);
        return FALSE;
    }

    try
    {
        CheckError(waveInPrepareHeader(hWaveIn, &m_header, sizeof m_header));
        CheckError(waveInAddBuffer(hWaveIn, &m_header, sizeof m_header));
        CheckError(waveInStart(hWaveIn));
    }
    catch (CWavException* e)
    {
        e->Delete();
        waveInReset(hWaveIn);
        waveInUnprepareHeader(hWaveIn, &m_header, sizeof m_header);
        waveInClose(hWaveIn);
        m_header = headerBefore;
        m_recording.FreeAll();
        return FALSE;
    }
    m_pCallback = callback;
    m_hWaveIn = hWaveIn;
    s_bRecording = TRUE;
    s_pRecordingWav = this;
    return TRUE;
}

void CWav::StopRecording()
{
    if (!s_bRecording)
        return;
    // One recording runs at a time, whichever sound it records into.
    if (s_pRecordingWav != this)
    {
        if (s_pRecordingWav != NULL)
            s_pRecordingWav->StopRecording();
        return;
    }
    // The sound keeps what the device had recorded when it was stopped; without a
    // position, what it returned in the buffer.
    DWORD dwPosition;
    BOOL bPosition = GetPositionInBytes(m_hWaveIn, dwPosition);
    waveInReset(m_hWaveIn);
    waveInStop(m_hWaveIn);
    FinishRecording(bPosition ? dwPosition : m_header.dwBytesRecorded);
}

void CWav::OnDoneRecording()
{
    if (!s_bRecording || s_pRecordingWav != this)
        return;
    FinishRecording(m_header.dwBufferLength);
}

void CWav::FinishRecording(DWORD nKeep)
{
    s_bRecording = FALSE;
    s_pRecordingWav = NULL;
    // Failing to return the buffer or to close the device is not reported: each step
    // is tried whatever the one before it gave, and the recording ends all the same
    // with what the device recorded.
    waveInReset(m_hWaveIn);
    waveInUnprepareHeader(m_hWaveIn, &m_header, sizeof m_header);
    if (waveInClose(m_hWaveIn) == MMSYSERR_NOERROR)
        m_hWaveIn = NULL;

    if (nKeep > m_header.dwBufferLength)
        nKeep = m_header.dwBufferLength;
    DWORD n = m_header.dwBytesRecorded < nKeep ? m_header.dwBytesRecorded : nKeep;
    BYTE* p = (BYTE*)m_header.lpData;
    if (n != 0)
        CleanUpRecording(p, n, m_nRecordingRate);
    // The sound has its samples before anyone is called back; without the memory for
    // them it keeps the ones it had, and the recording is lost.
    try
    {
        m_data.SetData(nKeep, p);
        m_format = RecordingFormat(m_nRecordingRate);
        m_dwMaxTime = m_dwRecordingMaxTime;
        m_header.dwBytesRecorded = n;
    }
    catch (CMemoryException* e)
    {
        e->Delete();
        m_header.dwBytesRecorded = 0;   // how much of the old samples were recorded is gone
    }
    m_header.lpData = NULL;
    m_header.dwBufferLength = 0;
    m_recording.FreeAll();
    if (m_pCallback != NULL)
        m_pCallback(this);
}

unsigned char CWav::GetInVolume()
{
    DWORD dwPosition;
    if (s_pRecordingWav != this || !GetPositionInBytes(m_hWaveIn, dwPosition))
        return 0;
    // 255 samples trailing the device by 1024 bytes.
    if (dwPosition > m_header.dwBufferLength)
        dwPosition = m_header.dwBufferLength;
    if (dwPosition <= 1280)
        return 0;
    const BYTE* p = (const BYTE*)m_header.lpData + dwPosition - 1280;
    int nSum = 0;
    for (int i = 0; i < 255; ++i)
        nSum += abs(p[i] - bSilence);
    int nLevel = nSum / 255 * 5;
    return (unsigned char)(nLevel > 255 ? 255 : nLevel);
}

void CWav::TrimSound()
{
    // The arithmetic reads bytes as 8-bit mono samples; other layouts stay as they are.
    DWORD n = m_data.GetSize();
    if (n == 0 || s_bRecording || !IsRecordingFormat())
        return;
    unsigned char* p = m_data.LockForWriting(0);
    if (p == NULL)
        return;
    DWORD nNew = TrimSamples(p, n, m_header.dwBytesRecorded, m_format.wf.nSamplesPerSec,
                             GetRecordingSetting(szSquelchEnabled, 1),
                             GetRecordingSetting(szMinSquelchTime, 250));
    m_data.Unlock();
    m_data.SetSize(nNew);
}
