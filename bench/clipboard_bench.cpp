// Clipboard transfer of resources against the same resources through a file.
//
//   clipboard:  200 sounds of 100 KB copied to the clipboard and pasted into another
//               file, which reads every sample
//   file:       the same sounds saved to a file and that file loaded into another
//               hoard, every sound's samples then read
//
//   transfer:   a block as long as the copied stream put on the clipboard, taken back
//               and copied privately, with no resource written or read: what the
//               clipboard itself costs of the round trip
//
// Target: the clipboard round trip takes at most 1.5 times the file round trip.
#include "hoard/resources/Hoard.h"
#include "hoard/resources/ResourceClass.h"
#include "hoard/sound/Wav.h"

#include "timing.h"

#include <stdio.h>
#include <string.h>

#include <vector>

namespace {

const int nSounds = 200;
const DWORD nSoundBytes = 100 * 1024;

// A sound whose samples the benchmark sets.
class CBenchSound : public CWav
{
public:
    static void Add(CHoard& hoard, const std::vector<BYTE>& samples)
    {
        auto* pSound = new CBenchSound;
        pSound->m_format.wf = { WAVE_FORMAT_PCM, 1, 22050, 22050, 1 };
        pSound->m_format.wBitsPerSample = 8;
        pSound->m_data.SetData((DWORD)samples.size(), samples.data());
        pSound->SetName("Sound");
        hoard.AddToMap(pSound);
    }
};

// Reads every sample of every sound of the hoard.
void ReadAll(const CHoard& hoard)
{
    const CResourceList* pList = hoard.GetResourceList("CWav");
    for (POSITION pos = pList != NULL ? pList->GetHeadPosition() : NULL; pos != NULL;)
    {
        auto* pWav = static_cast<CWav*>(pList->GetNext(pos));
        if (pWav->GetData() != NULL)
            pWav->ReleaseData();
    }
}

// Puts a block of n bytes on the clipboard under a format of its own, takes it back and
// copies it, as a copy and a paste do with their streams.
void TransferThroughClipboard(SIZE_T n)
{
    static const UINT cfBench = RegisterClipboardFormatA("clipboard_bench block");
    HGLOBAL hBlock = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, n);
    memset(GlobalLock(hBlock), 0x5A, n);
    GlobalUnlock(hBlock);
    OpenClipboard(NULL);
    EmptyClipboard();
    SetClipboardData(cfBench, hBlock);
    CloseClipboard();
    OpenClipboard(NULL);
    HANDLE hData = GetClipboardData(cfBench);
    HGLOBAL hCopy = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, GlobalSize(hData));
    memcpy(GlobalLock(hCopy), GlobalLock(hData), GlobalSize(hData));
    GlobalUnlock(hData);
    GlobalUnlock(hCopy);
    CloseClipboard();
    GlobalFree(hCopy);
}

CString TempPath(const char* pszName)
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    CString strPath;
    strPath.Format("%sclipboard-bench-%lu-%s", szTemp, GetCurrentProcessId(), pszName);
    return strPath;
}

} // namespace

int main()
{
    CResourceClass::InitResourceClasses();
    CString strSaved = TempPath("saved.hrd");
    try
    {
        CHoard source;
        std::vector<BYTE> samples(nSoundBytes);
        DWORD dwSeed = 12345;
        for (int i = 0; i < nSounds; ++i)
        {
            for (BYTE& b : samples)
                b = (BYTE)((dwSeed = dwSeed * 1103515245 + 12345) >> 16);
            CBenchSound::Add(source, samples);
        }
        CResourceList list;
        for (POSITION pos = source.GetResourceList("CWav")->GetHeadPosition(); pos != NULL;)
            list.AddTail(source.GetResourceList("CWav")->GetNext(pos));

        // Interleaved, so that a busy spell of the machine weighs on all sides alike.
        double dClipboard = 1e30, dFile = 1e30, dTransfer = 1e30;
        for (int i = 0; i < 5; ++i)
        {
            {
                CHoard target;
                CResourceList pasted;
                dClipboard = std::min(dClipboard, Seconds([&] {
                    source.OnCopyGeneric(list);
                    target.OnPasteGeneric(pasted);
                }));
                if (pasted.GetCount() != nSounds)
                {
                    fprintf(stderr, "clipboard_bench: %d sounds pasted of %d\n", (int)pasted.GetCount(), nSounds);
                    return 1;
                }
            }
            dTransfer = std::min(dTransfer, Seconds([] { TransferThroughClipboard(nSounds * (SIZE_T)nSoundBytes); }));
            DeleteFileA(strSaved);
            CHoard reloaded;
            dFile = std::min(dFile, Seconds([&] {
                source.SaveToFile(strSaved);
                reloaded.LoadFromFile(strSaved);
                ReadAll(reloaded);
            }));
        }
        printf("clipboard: 200 sounds of 100 KB copied and pasted %.1f ms, saved and loaded %.1f ms, "
               "ratio %.2f (target at most 1.5)\n",
               dClipboard * 1e3, dFile * 1e3, dClipboard / dFile);
        printf("clipboard: the clipboard's transfer of the 20 MB alone %.1f ms, ratio %.2f to the file round trip\n",
               dTransfer * 1e3, dTransfer / dFile);
    }
    catch (CException* e)
    {
        char szMessage[512];
        e->GetErrorMessage(szMessage, sizeof szMessage);
        fprintf(stderr, "clipboard_bench: %s\n", szMessage);
        e->Delete();
        return 1;
    }
    DeleteFileA(strSaved);
    return 0;
}
