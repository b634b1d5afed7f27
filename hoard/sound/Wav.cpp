// CWav: the sound's payload, its comparison and its import from WAVE files.
#include "hoard/sound/Wav.h"

#include "hoard/res/resource.h"
#include "hoard/resources/EditProxy.h"
#include "hoard/resources/Hoard.h"
#include "hoard/runtime/HoardModule.h"
#include "hoard/runtime/TempMem.h"
#include "hoard/sound/MessageWavWnd.h"
#include "hoard/sound/RecordDlg.h"

#include <afxdlgs.h>

IMPLEMENT_SERIAL(CWav, CResource, 0)

CWavClass CWav::m_resInfo(RUNTIME_CLASS(CWav));
int CWav::m_bAskForName = FALSE;

// CWavClass

void CWavClass::OnInitClass()
{
    AddCommand("ID_RECORD");
    AddCommand("ID_PLAY");
}

BOOL CWavClass::CanDoCommand(WORD nCommand, const CHoard&, const CResource* pSelected)
{
    return nCommand == 0 || pSelected != NULL;
}

void CWavClass::OnCommand(WORD nCommand, const CHoard&, CResource* pSelected, CEditProxy& proxy)
{
    if (nCommand == 0)
    {
        proxy.New(NULL);
    }
    else if (nCommand == 1)
    {
        auto* pWav = DYNAMIC_DOWNCAST(CWav, pSelected);
        if (pWav != NULL)
        {
            CWaitCursor wait;
            pWav->Play(TRUE, NULL);
        }
    }
}

// CWav

CWav::CWav()
    : m_pCallback(NULL), m_dwMaxTime(0), m_hWaveIn(NULL), m_hWaveOut(NULL), m_format(),
      m_header(), m_nRecordingRate(0), m_dwRecordingMaxTime(0)
{
    m_data.SetCompression(CReloadableData::compressNone);
    if (s_nInstances++ == 0)
        CreateMessageWnd();
}

CWav::~CWav()
{
    // The devices must not write into or read from the samples once they are gone; a
    // sound that is going away calls nobody back.
    m_pCallback = NULL;
    if (s_pPlayingWav == this)
        StopPlaying();
    if (s_pRecordingWav == this)
        StopRecording();
    if (s_pMessageWnd != NULL && s_pMessageWnd->m_pWav == this)
        s_pMessageWnd->m_pWav = NULL;
    if (--s_nInstances == 0)
        DestroyMessageWnd();
}

CWav* CWav::New(CHoard& hoard, const char* pszName)
{
    return static_cast<CWav*>(hoard.NewResource("CWav", pszName));
}

void CWav::Serialize(CArchive& ar)
{
    CResource::Serialize(ar);
    m_data.Serialize(ar);
    if (ar.IsStoring())
    {
        ar << m_dwMaxTime << m_format.wf.wFormatTag << m_format.wf.nChannels
           << m_format.wf.nSamplesPerSec << m_format.wf.nAvgBytesPerSec << m_format.wf.nBlockAlign
           << m_format.wBitsPerSample;
    }
    else
    {
        ar >> m_dwMaxTime >> m_format.wf.wFormatTag >> m_format.wf.nChannels
           >> m_format.wf.nSamplesPerSec >> m_format.wf.nAvgBytesPerSec >> m_format.wf.nBlockAlign
           >> m_format.wBitsPerSample;
    }
}

int CWav::operator==(const CWav& other) const
{
    const WAVEFORMAT& a = m_format.wf;
    const WAVEFORMAT& b = other.m_format.wf;
    return a.wFormatTag == b.wFormatTag && a.nChannels == b.nChannels &&
           a.nSamplesPerSec == b.nSamplesPerSec && a.nAvgBytesPerSec == b.nAvgBytesPerSec &&
           a.nBlockAlign == b.nBlockAlign && m_data == other.m_data;
}

BOOL CWav::IsSameAs(const CResource* pOther) const
{
    auto* pWav = dynamic_cast<const CWav*>(pOther);
    return pWav != NULL && *this == *pWav;
}

void CWav::OnDoubleClick() { Play(TRUE, NULL); }

int CWav::Record()
{
    CRecordDlg dlg(this, NULL);
    return dlg.DoModal() == IDOK && CanPlay();
}

BOOL CWav::IsRecordingFormat() const
{
    return m_format.wf.wFormatTag == WAVE_FORMAT_PCM && m_format.wf.nChannels == 1 &&
           m_format.wBitsPerSample == 8;
}

DWORD CWav::GetPlaybackTime() const
{
    if (m_data.GetSize() == 0 || m_format.wf.nSamplesPerSec == 0)
        return 0;
    // In 64 bits: sounds of more than about 71 minutes of bytes would wrap in 32.
    ULONGLONG nMilliseconds = (ULONGLONG)m_data.GetSize() * 1000 / m_format.wf.nSamplesPerSec;
    return nMilliseconds > 0xFFFFFFFF ? 0xFFFFFFFF : (DWORD)nMilliseconds;
}

// Import

CWav* CWav::Import(CHoard& hoard, const char* pszInitialDir)
{
    CFileDialog dlg(TRUE, "wav", NULL, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, HoardLoadString(IDS_WAV_FILTER));
    dlg.m_ofn.lpstrInitialDir = pszInitialDir;
    if (dlg.DoModal() != IDOK)
        return NULL;
    CWav* pWav = static_cast<CWav*>(hoard.NewResource("CWav", NULL));
    if (pWav == NULL)
        return NULL;
    if (pWav->ImportFromFile(dlg.GetPathName()))
        return pWav;
    AfxMessageBox(HoardLoadString(IDS_WAV_IMPORT_FAILED));
    // Deleted as it was added, with the hoard's messages, so that whoever heard of it
    // hears that it is gone.
    hoard.DeleteResource(pWav);
    return NULL;
}

namespace {

// Closes the multimedia file on every way out.
class CMmioFile
{
public:
    explicit CMmioFile(const char* pszPath)
        : m_hmmio(mmioOpenA(const_cast<LPSTR>(pszPath), NULL, MMIO_READ | MMIO_ALLOCBUF)) {}
    // A memory file over cbData bytes at pData, which it only reads.
    CMmioFile(const void* pData, DWORD cbData) : m_hmmio(NULL)
    {
        MMIOINFO info = {};
        info.fccIOProc = FOURCC_MEM;
        info.pchBuffer = static_cast<HPSTR>(const_cast<void*>(pData));
        info.cchBuffer = (LONG)cbData;
        if (info.cchBuffer > 0)
            m_hmmio = mmioOpenA(NULL, &info, MMIO_READ);
    }
    ~CMmioFile()
    {
        if (m_hmmio != NULL)
            mmioClose(m_hmmio, 0);
    }
    CMmioFile(const CMmioFile&) = delete;
    CMmioFile& operator=(const CMmioFile&) = delete;

    operator HMMIO() const { return m_hmmio; }

private:
    HMMIO m_hmmio;
};

// Descends into a chunk whose bytes the file really holds.
BOOL Descend(HMMIO hmmio, MMCKINFO& ck, const MMCKINFO* pParent, UINT uFlags, LONG lFileLength)
{
    return mmioDescend(hmmio, &ck, pParent, uFlags) == MMSYSERR_NOERROR &&
           (ULONGLONG)ck.dwDataOffset + ck.cksize <= (ULONGLONG)lFileLength;
}

} // namespace

int CWav::ImportFromFile(const char* pszPath)
{
    CMmioFile file(pszPath);
    return ImportWave(file, pszPath);
}

int CWav::ImportFromMemory(const void* pData, DWORD cbData, const char* pszPath)
{
    if (cbData > (DWORD)LONG_MAX)
        return FALSE;
    CMmioFile file(pData, cbData);
    return ImportWave(file, pszPath);
}

int CWav::ImportWave(HMMIO file, const char* pszPath)
{
    // The samples are read into scratch memory and replace the old ones only once all
    // of them have arrived: every failure leaves the sound as it was, whether its old
    // samples are in memory, in a file or lost.
    PCMWAVEFORMAT format = {};
    MMCKINFO ckData = {};
    try
    {
        if (file == NULL)
            return FALSE;
        LONG lFileLength = mmioSeek(file, 0, SEEK_END);
        if (lFileLength < 0 || mmioSeek(file, 0, SEEK_SET) != 0)
            return FALSE;

        MMCKINFO ckRiff = {};
        ckRiff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
        if (mmioDescend(file, &ckRiff, NULL, MMIO_FINDRIFF) != MMSYSERR_NOERROR)
            return FALSE;

        // The first 16 bytes of the format chunk are the PCM format, whatever it says.
        MMCKINFO ckFormat = {};
        ckFormat.ckid = mmioFOURCC('f', 'm', 't', ' ');
        if (!Descend(file, ckFormat, &ckRiff, MMIO_FINDCHUNK, lFileLength))
            return FALSE;
        LONG nFormatBytes = ckFormat.cksize < sizeof format ? (LONG)ckFormat.cksize : (LONG)sizeof format;
        if (mmioRead(file, reinterpret_cast<HPSTR>(&format), nFormatBytes) != nFormatBytes)
            return FALSE;
        mmioAscend(file, &ckFormat, 0);

        ckData.ckid = mmioFOURCC('d', 'a', 't', 'a');
        if (!Descend(file, ckData, &ckRiff, MMIO_FINDCHUNK, lFileLength) || ckData.cksize == 0)
            return FALSE;
        CTempMem<BYTE> samples(ckData.cksize);
        LONG nRead = mmioRead(file, reinterpret_cast<HPSTR>(samples.GetData()), (LONG)ckData.cksize);
        if (nRead != (LONG)ckData.cksize)
            return FALSE;

        // The sound becomes the file's samples, whatever length it had before.
        m_data.SetData(ckData.cksize, samples.GetData());
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }

    m_format = format;
    m_header.dwBytesRecorded = m_header.dwBufferLength = ckData.cksize;
    m_header.dwUser = m_header.dwFlags = m_header.dwLoops = 0;
    // Named after the file, numbered when another sound of the file has that name.
    SetNameFromPath(pszPath);
    return TRUE;
}
