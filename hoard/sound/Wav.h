// CWav: the sound resource. Its samples live in a reloadable block, stored raw, beside
// the PCM format record they were recorded or imported with.
#pragma once

#include "hoard/hoard_api.h"
#include "hoard/data/ReloadableData.h"
#include "hoard/resources/Resource.h"
#include "hoard/resources/ResourceClass.h"

#include <mmsystem.h>

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
    CWav();
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
    int CanPlay() const { return m_data.GetSize() != 0; }
    void ClearCallBack() { m_pCallback = NULL; }
    // Milliseconds: the size over the sample rate, exact for 8-bit mono.
    DWORD GetPlaybackTime() const;

    // Whether the record dialog asks for a name.
    static void SetRecordNameFlag(int bAskForName) { m_bAskForName = bAskForName; }
    static int GetRecordNameFlag() { return m_bAskForName; }

    CResourceClass* GetResourceClass() override { return &m_resInfo; }
    void Serialize(CArchive& ar) override;

    static CWavClass m_resInfo;

protected:
    void (*m_pCallback)(CWav*);
    DWORD m_dwMaxTime;          // length of the last recording's buffer, in ms
    HWAVEIN m_hWaveIn;
    HWAVEOUT m_hWaveOut;
    PCMWAVEFORMAT m_format;
    WAVEHDR m_header;           // the buffer handed to the wave device; not stored
    CReloadableData m_data;

    static int m_bAskForName;
};
