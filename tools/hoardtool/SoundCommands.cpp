// hoardtool's commands that use the sound devices: playing a stored sound, recording a
// new one, and trimming a stored recording.
#include "Commands.h"
#include "ToolError.h"
#include "ToolFile.h"

#include "hoard/sound/Wav.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

// The sound named pszName of the file, or a failure that names it.
CWav* FindSound(CHoard& hoard, const char* pszName)
{
    auto* pWav = static_cast<CWav*>(hoard.GetResource("CWav", pszName));
    if (pWav == NULL)
        Fail("there is no sound named \"%s\"", pszName);
    return pWav;
}

// A sound whose samples are stored but cannot be read back is reported, not played
// or changed as if it were empty.
void CheckReadable(CWav* pWav)
{
    if (pWav->GetDataSize() == 0)
        return;
    if (pWav->GetData() == NULL)
        Fail("the samples of \"%s\" cannot be read back from the file", (LPCSTR)pWav->GetName());
    pWav->ReleaseData();
}

// The sound's length in milliseconds, for any layout.
DWORD LengthOf(const CWav& wav)
{
    DWORD nBytesPerSec = wav.GetFormat().wf.nAvgBytesPerSec;
    return nBytesPerSec == 0 ? 0 : (DWORD)((ULONGLONG)wav.GetDataSize() * 1000 / nBytesPerSec);
}

int PlayFrom(const char* pszPath, const char* pszName)
{
    CToolFile file(pszPath);
    CWav* pWav = FindSound(file.m_hoard, pszName);
    CheckReadable(pWav);
    if (pWav->GetDataSize() == 0)
    {
        printf("\"%s\" has no samples: nothing played\n", (LPCSTR)pWav->GetName());
        return 0;
    }
    if (waveOutGetNumDevs() == 0)
    {
        printf("no sound output device: \"%s\" not played\n", (LPCSTR)pWav->GetName());
        return 0;
    }
    const PCMWAVEFORMAT& format = pWav->GetFormat();
    if (waveOutOpen(NULL, WAVE_MAPPER, (LPCWAVEFORMATEX)&format, 0, 0, WAVE_FORMAT_QUERY) != MMSYSERR_NOERROR)
        Fail("the sound output device cannot play \"%s\" (format %u, %u channels, %lu samples a second, %u bits)",
             (LPCSTR)pWav->GetName(), format.wf.wFormatTag, format.wf.nChannels,
             format.wf.nSamplesPerSec, format.wBitsPerSample);
    pWav->Play(TRUE, NULL);
    printf("played \"%s\": %lu bytes, %lu ms\n", (LPCSTR)pWav->GetName(), pWav->GetDataSize(),
           LengthOf(*pWav));
    return 0;
}

struct QualityName
{
    const char* pszName;
    CWav::RecordQuality quality;
};

const QualityName qualities[] = {
    {"low", CWav::qualityLow},
    {"medium", CWav::qualityMedium},
    {"high", CWav::qualityHighest},
};

// How long past its own length a recording may go unreported before it is stopped.
const DWORD dwReportGraceMS = 10000;

BOOL g_bRecordingDone = FALSE;
void OnRecordingDone(CWav*) { g_bRecordingDone = TRUE; }

// Milliseconds of a positive number of seconds, to the millisecond.
DWORD MillisecondsOf(const char* pszSeconds)
{
    char* pszEnd;
    double dSeconds = strtod(pszSeconds, &pszEnd);
    if (pszEnd == pszSeconds || *pszEnd != '\0' || !(dSeconds >= 0.001) || dSeconds > 4294967.0)
        Fail("%s is not a number of seconds from 0.001 to 4294967", pszSeconds);
    return (DWORD)(dSeconds * 1000 + 0.5);
}

int RecordInto(int argc, char** argv)
{
    const char* pszPath = argv[0];
    const char* pszName = argv[1];
    DWORD dwMaxTime = MillisecondsOf(argv[2]);
    const QualityName* pQuality = &qualities[1];
    BOOL bTrim = FALSE;
    for (int i = 3; i < argc; ++i)
    {
        if (strcmp(argv[i], "--trim") == 0)
        {
            bTrim = TRUE;
        }
        else if (strcmp(argv[i], "--quality") == 0 && i + 1 < argc)
        {
            ++i;
            pQuality = NULL;
            for (const QualityName& q : qualities)
            {
                if (strcmp(argv[i], q.pszName) == 0)
                    pQuality = &q;
            }
            if (pQuality == NULL)
                Fail("the quality is low, medium or high, not %s", argv[i]);
        }
        else
        {
            Fail("%s: record takes --quality low|medium|high and --trim after the seconds", argv[i]);
        }
    }

    CToolFile file(pszPath, TRUE);
    CWav* pWav = CWav::New(file.m_hoard, pszName);
    if (!pWav->StartRecording(pQuality->quality, dwMaxTime, OnRecordingDone))
    {
        if (waveInGetNumDevs() == 0)
            Fail("no sound input device: nothing recorded; %s", (LPCSTR)file.Unchanged());
        Fail("the sound input device could not record %s seconds at %s quality; %s", argv[2], pQuality->pszName,
             (LPCSTR)file.Unchanged());
    }
    // The recording ends by itself when its buffer is full; a device that never says
    // so is stopped well after the recording's own length.
    DWORD dwDeadline = GetTickCount() + dwMaxTime + dwReportGraceMS;
    while (!g_bRecordingDone)
    {
        CWav::SoundInProgress();
        if (g_bRecordingDone)
            break;
        if ((LONG)(GetTickCount() - dwDeadline) >= 0)
            pWav->StopRecording();
        else
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_POSTMESSAGE);
    }
    DWORD dwRecorded = pWav->GetPlaybackTime();
    CString strLine;
    strLine.Format("recorded \"%s\" at %s quality (%lu samples a second): %lu ms", (LPCSTR)pWav->GetName(),
                   pQuality->pszName, pWav->GetFormat().wf.nSamplesPerSec, dwRecorded);
    if (bTrim)
    {
        pWav->TrimSound();
        // A recording that trimming removes whole held nothing but silence.
        if (pWav->GetDataSize() == 0)
            Fail("the recording of \"%s\" (%lu ms) was silence: trimming left nothing; nothing added, %s",
                 (LPCSTR)pWav->GetName(), dwRecorded, (LPCSTR)file.Unchanged());
        CString strTrimmed;
        strTrimmed.Format(", %lu ms after trimming", pWav->GetPlaybackTime());
        strLine += strTrimmed;
    }
    file.Save();
    printf("%s\n", (LPCSTR)strLine);
    return 0;
}

int TrimIn(const char* pszPath, const char* pszName)
{
    CToolFile file(pszPath);
    CWav* pWav = FindSound(file.m_hoard, pszName);
    CheckReadable(pWav);
    if (!pWav->IsRecordingFormat())
        Fail("\"%s\" is not 8-bit mono PCM, the only layout that can be trimmed", pszName);
    DWORD dwBefore = pWav->GetDataSize(), dwTimeBefore = pWav->GetPlaybackTime();
    pWav->SetAllRecorded();
    pWav->TrimSound();
    // A sound is not emptied: one that is silence all through stays as it was.
    if (pWav->GetDataSize() == 0)
        Fail("\"%s\" is silence all through: trimming would leave nothing; %s", (LPCSTR)pWav->GetName(),
             (LPCSTR)file.Unchanged());
    printf("trimmed \"%s\": %lu bytes (%lu ms) to %lu bytes (%lu ms)\n", (LPCSTR)pWav->GetName(),
           dwBefore, dwTimeBefore, pWav->GetDataSize(), pWav->GetPlaybackTime());
    file.Save();
    return 0;
}

} // namespace

int Play(int argc, char** argv) { return PlayFrom(argv[0], argv[1]); }
int Record(int argc, char** argv) { return RecordInto(argc, argv); }
int Trim(int argc, char** argv) { return TrimIn(argv[0], argv[1]); }
