// Clipboard transfer of resources against the same resources through a file.
//
//   clipboard:  200 sounds of 100 KB copied to the clipboard, pasted into another
//               file, and every sample of the pasted sounds read
//   file:       the same sounds saved to a file, that file loaded into another hoard,
//               and every sample of its sounds read
//
//   transfer:   a block as long as the copied stream handed to the clipboard and taken
//               back with no resource written or read: what the clipboard itself
//               costs, once as a paste in the copying program finds it and once as
//               another program finds it, after the copier's window has gone
//
// Each side does its work for the user in full, and both read back the very bytes
// that went out. The three are measured in turns, so that a busy spell of the machine
// weighs on all alike; what went before (the old file, the old clipboard's data) is
// cleared before a side is timed. Ratios are of the best runs and of the medians.
//
// Target: the clipboard round trip takes at most 1.5 times the file round trip.
#include "hoard/resources/Hoard.h"
#include "hoard/resources/ResourceClass.h"
#include "hoard/sound/Wav.h"

#include "bench_temp_path.h"
#include "timing.h"

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <vector>

namespace {

const int nSounds = 200;
const DWORD nSoundBytes = 100 * 1024;
const int nRuns = 7;

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

// Reads every sample of every sound of the hoard; gives their sum, which tells
// whether the bytes arrived.
ULONGLONG ReadAll(const CHoard& hoard)
{
    ULONGLONG nSum = 0;
    const CResourceList* pList = hoard.GetResourceList("CWav");
    for (POSITION pos = pList != NULL ? pList->GetHeadPosition() : NULL; pos != NULL;)
    {
        auto* pWav = static_cast<CWav*>(pList->GetNext(pos));
        if (const BYTE* pSamples = pWav->GetData())
        {
            for (DWORD i = 0; i < pWav->GetDataSize(); ++i)
                nSum += pSamples[i];
            pWav->ReleaseData();
        }
    }
    return nSum;
}

void EmptyTheClipboard()
{
    OpenClipboard(NULL);
    EmptyClipboard();
    CloseClipboard();
}

// Wine's own part of a transfer: a filled block of n bytes handed to the clipboard by
// an owner window, and taken back while that window lives (bSameProgram), or after it
// has gone, when Wine fetches the data anew as for another program (the time then
// includes freeing this program's own handle to it). The block is filled beforehand
// and the one taken back is not copied: only the clipboard's calls are timed.
double TimeTransfer(SIZE_T n, BOOL bSameProgram)
{
    static const UINT cfBench = RegisterClipboardFormatA("clipboard_bench block");
    HGLOBAL hBlock = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, n);
    memset(GlobalLock(hBlock), 0x5A, n);
    GlobalUnlock(hBlock);
    HWND hOwner = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL);
    EmptyTheClipboard();
    double dSeconds = Seconds([&] {
        OpenClipboard(hOwner);
        EmptyClipboard();
        SetClipboardData(cfBench, hBlock);
        CloseClipboard();
    });
    if (!bSameProgram)
        DestroyWindow(hOwner);
    HANDLE hData = NULL;
    dSeconds += Seconds([&] {
        OpenClipboard(NULL);
        hData = GetClipboardData(cfBench);
        CloseClipboard();
    });
    if (bSameProgram)
        DestroyWindow(hOwner);
    if (hData == NULL)
    {
        fprintf(stderr, "clipboard_bench: the clipboard gave no block back\n");
        exit(1);
    }
    return dSeconds;
}

// The best and the median of the runs of one side.
struct CRuns
{
    std::vector<double> times;
    double Best() const { return *std::min_element(times.begin(), times.end()); }
    double Median() const
    {
        std::vector<double> sorted = times;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }
};

[[noreturn]] void Fail(const char* pszSide, ULONGLONG nSum, ULONGLONG nExpected)
{
    fprintf(stderr, "clipboard_bench: the %s side read samples summing to %llu, not %llu\n", pszSide, nSum,
            nExpected);
    exit(1);
}

} // namespace

int main()
{
    CResourceClass::InitResourceClasses();
    CString strSaved = BenchTempPath("clipboard-bench", "saved.hrd");
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
        const ULONGLONG nExpected = ReadAll(source);
        CResourceList list;
        for (POSITION pos = source.GetResourceList("CWav")->GetHeadPosition(); pos != NULL;)
            list.AddTail(source.GetResourceList("CWav")->GetNext(pos));
        HGLOBAL hStream = CHoard::WriteResourceStream(list);
        const SIZE_T nStream = GlobalSize(hStream);
        GlobalFree(hStream);

        CRuns clipboard, file, sameProgram, otherProgram;
        for (int i = 0; i < nRuns; ++i)
        {
            {
                CHoard target;
                CResourceList pasted;
                ULONGLONG nSum = 0;
                EmptyTheClipboard();
                clipboard.times.push_back(Seconds([&] {
                    source.OnCopyGeneric(list);
                    target.OnPasteGeneric(pasted);
                    nSum = ReadAll(target);
                }));
                if (pasted.GetCount() != nSounds || nSum != nExpected)
                    Fail("clipboard", nSum, nExpected);
            }
            {
                CHoard reloaded;
                ULONGLONG nSum = 0;
                DeleteFileA(strSaved);
                file.times.push_back(Seconds([&] {
                    source.SaveToFile(strSaved);
                    reloaded.LoadFromFile(strSaved);
                    nSum = ReadAll(reloaded);
                }));
                if (nSum != nExpected)
                    Fail("file", nSum, nExpected);
            }
            sameProgram.times.push_back(TimeTransfer(nStream, TRUE));
            otherProgram.times.push_back(TimeTransfer(nStream, FALSE));
        }
        EmptyTheClipboard();

        printf("clipboard: 200 sounds of 100 KB copied, pasted and read %.1f ms, saved, loaded and read %.1f ms, "
               "ratio %.2f, of the medians %.2f (target at most 1.5)\n",
               clipboard.Best() * 1e3, file.Best() * 1e3, clipboard.Best() / file.Best(),
               clipboard.Median() / file.Median());
        printf("clipboard: the clipboard's own transfer of the %.1f MB stream %.1f ms, ratio %.2f to the file "
               "round trip, of the medians %.2f\n",
               nStream / 1048576.0, sameProgram.Best() * 1e3, sameProgram.Best() / file.Best(),
               sameProgram.Median() / file.Median());
        printf("clipboard: the same taken back by another program %.1f ms, ratio %.2f to the file round trip, "
               "of the medians %.2f\n",
               otherProgram.Best() * 1e3, otherProgram.Best() / file.Best(), otherProgram.Median() / file.Median());
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
