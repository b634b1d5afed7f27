// CWav: the sound resource. Its samples live in a reloadable block, stored raw, beside
// the PCM format record they were recorded or imported with. A sound also records from
// the default wave-input device and plays through the default wave-output device: one
// sound plays at a time and one records at a time, and the devices report the end of
// each to one hidden window shared by all sounds (CMessageWavWnd), so that everything
// runs on the user-interface thread.
#pragma once

#include "hoard/hoard_api.h"
#include "hoard/data/ReloadableData.h"
#include "hoard/resources/Resource.h"
#include "hoard/resources/ResourceClass.h"
#include "hoard/runtime/TempMem.h"

#include <mmsystem.h>

class CMessageWavWnd;

// The registry entry of sounds: commands "ID_RECORD" (0) and "ID_PLAY" (1).
class HOARD_API CWavClass : public CResourceClass
{
public:
    explicit CWavClass(CRuntimeClass* pRuntimeClass) : CResourceClass(pRuntimeClass) {}

    void OnInitClass() override;
    // Recording is always available; playing needs a selected sound.
    BOOL CanDoCommand(WORD nCommand, const CHoard& hoard, const CResource* pSelected) override;
    void OnCommand(WORD nCommand, const CHoard& hoard, CResource* pSelected,
                   CEditProxy& proxy) override;
};

class HOARD_API CWav : public CResource
{
    DECLARE_SERIAL(CWav)
public:
    // Recordings are 8-bit unsigned mono PCM at one of three rates.
    enum RecordQuality
    {
        qualityLow = 0,         // 11025 samples a second
        qualityMedium = 1,      // 22050
        qualityHighest = 2      // 44100
    };

    CWav();
    // A sound that plays or records is stopped first, without calling back; the last
    // sound destroys the message window.
    ~CWav() override;

    static CWav* New(CHoard& hoard, const char* pszName);
    // Asks the user for a WAVE file (an open-file dialog starting in pszInitialDir,
    // when given) and imports it into a new sound of the hoard. A file that is not a
    // sound is reported in a message box and the new sound deleted again. The new
    // sound, or NULL.
    static CWav* Import(CHoard& hoard, const char* pszInitialDir);

    // Reads the format and samples of a RIFF WAVE file and names the sound after the
    // file; TRUE on success.
    int ImportFromFile(const char* pszPath);
    // The same from a WAVE file's cbData bytes in memory; pszPath gives the sound's name
    // as a file's path would.
    int ImportFromMemory(const void* pData, DWORD cbData, const char* pszPath);

    CWav* Duplicate() { return static_cast<CWav*>(UntypedDuplicate()); }
    CWav* CopyBeforeWrite() { return static_cast<CWav*>(UntypedCopyBeforeWrite()); }

    // Equal formats (the bit depth aside) and equal samples.
    int operator==(const CWav& other) const;
    BOOL IsSameAs(const CResource* pOther) const override;

// Attributes
    unsigned char* GetData() const { return m_data.Lock(); }
    void ReleaseData() const { m_data.Unlock(); }
    DWORD GetDataSize() const { return m_data.GetSize(); }
    const PCMWAVEFORMAT& GetFormat() const { return m_format; }
    // Length in ms of the buffer of the last recording made into this sound.
    DWORD GetMaxTime() const { return m_dwMaxTime; }
    int CanPlay() const { return m_data.GetSize() != 0; }
    void ClearCallBack() { m_pCallback = NULL; }
    // Milliseconds: the size over the sample rate, exact for 8-bit mono.
    DWORD GetPlaybackTime() const;
    // Whether the samples are 8-bit unsigned mono PCM, as recordings are.
    BOOL IsRecordingFormat() const;

    // Runs the record dialog for this sound: TRUE when it ended with Save and the sound
    // has samples.
    int Record();
    // A sound the user has just created is recorded at once.
    BOOL OnNew() override { return Record(); }

    // Whether the record dialog asks for a name.
    static void SetRecordNameFlag(int bAskForName) { m_bAskForName = bAskForName; }
    static int GetRecordNameFlag() { return m_bAskForName; }

// Playback
    // Stops whatever plays and plays this sound; with bWait, returns once it has ended.
    // The callback is called when the playback ends, also when it could not start (no
    // output device, samples that cannot be read, a device error).
    void Play(int bWait, void (*callback)(CWav*));
    void Play(int bWait, void (*callback)(CWav*)) const;
    // Ends the playback early, whichever sound plays.
    void StopPlaying();
    // The end of this sound's playback: closes the device, unlocks the samples and
    // calls back. Nothing when this sound does not play.
    void OnDonePlaying();
    static void StopAllSound();
    // Handles the devices' pending reports, then tells whether a playback runs.
    static int SoundInProgress();

// Recording
    // Records at most maxTime ms into a buffer of its own; when the recording ends, what
    // was recorded replaces the sound's samples and format. FALSE, with the sound as it
    // was, when no recording can start: another one runs, there is no input device, it
    // refuses the format or fails to start, or the buffer would not fit in memory or in
    // 32 bits (maxTime x rate / 1000 must stay below 2^32).
    int StartRecording(RecordQuality quality, DWORD maxTime, void (*callback)(CWav*));
    // Ends the running recording early, keeping what the device has recorded.
    void StopRecording();
    // The end of a recording whose buffer is full: closes the device, cleans up the
    // samples, makes them the sound's and calls back. Nothing when this sound does not
    // record.
    void OnDoneRecording();
    static int RecordingInProgress() { return s_bRecording; }
    // The input level of the recording into this sound, 0-255; 0 when it does not record.
    unsigned char GetInVolume();
    // Squelches quiet stretches of the last recording and cuts leading and trailing
    // silence, with the "Recording" settings. Only for 8-bit mono samples, and not
    // while a recording runs.
    void TrimSound();
    void FilterNoiseSound() {}
    // Treats every sample as just recorded, so that TrimSound squelches them all.
    void SetAllRecorded() { m_header.dwBytesRecorded = m_data.GetSize(); }

    // Throws a CWavException with the text of a non-zero wave-device result.
    static void CheckError(UINT result);

    CResourceClass* GetResourceClass() override { return &m_resInfo; }
    void Serialize(CArchive& ar) override;
    // Plays the sound and waits for its end.
    void OnDoubleClick() override;

    static CWavClass m_resInfo;

protected:
    void (*m_pCallback)(CWav*);
    DWORD m_dwMaxTime;          // length of the last recording's buffer, in ms
    HWAVEIN m_hWaveIn;
    HWAVEOUT m_hWaveOut;
    PCMWAVEFORMAT m_format;
    WAVEHDR m_header;           // the buffer handed to the wave device; not stored
    CReloadableData m_data;
    // The recording that runs: the buffer the input device fills, the rate and the
    // longest time it records; the sound takes them when it ends.
    CTempMem<BYTE> m_recording;
    DWORD m_nRecordingRate;
    DWORD m_dwRecordingMaxTime;

    static int m_bAskForName;

// The engine's shared state
    static CMessageWavWnd* s_pMessageWnd;   // exists while a sound exists
    static HWND s_hMessageWnd;
    static unsigned int s_nInstances;
    static unsigned int s_nPlaying;
    static CWav* s_pPlayingWav;
    static int s_bRecording;
    static CWav* s_pRecordingWav;

private:
    friend class CMessageWavWnd;

    // The import from an open multimedia file (NULL when it could not be opened).
    int ImportWave(HMMIO file, const char* pszPath);

    // Fill the header for the device: with a new recording buffer of silence (the
    // sound's samples stay as they are), or with the sound's samples, locked. FALSE
    // when the buffer cannot be had (for recording: a length of 0 or of 2^32 bytes or
    // more; for playback: no samples, or samples that cannot be read); recording throws
    // CMemoryException when the memory cannot be had.
    int InitForRecording(DWORD rate, DWORD maxTime);
    int InitForPlayback();
    // Returns the input device's buffer, cleans up the samples recorded among the first
    // nKeep, makes those nKeep the sound's samples and calls back.
    void FinishRecording(DWORD nKeep);
    // Closes the output device, if open, after returning its buffer.
    void CloseWaveOut();
    // Dispatches the message window's reports until no playback runs.
    static void WaitWhilePlaying();

    static void CreateMessageWnd();
    static void DestroyMessageWnd();
};
