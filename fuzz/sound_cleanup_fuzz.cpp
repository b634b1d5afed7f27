// The clean-up arithmetic of recordings on any samples with any settings. The first
// 17 bytes are the settings, little-endian:
//   byte 0      which operation: 0 TrimSamples, 1 SquelchStretch, 2 SquelchScan,
//               3 CleanUpRecording, 4 QuietestPeak (the value modulo 5)
//   bytes 1-4   samples per second, or the ramp of SquelchStretch
//   bytes 5-8   bytes recorded, the minimum run of SquelchScan, or the block length
//               of QuietestPeak; bits 0 and 1 are the two flags of SquelchStretch
//   bytes 9-12  "SquelchEnabled", or the threshold of SquelchScan (signed)
//   bytes 13-16 "Min Squelch Time" in milliseconds (signed)
// and the rest are the samples, in a buffer of exactly their size so that the
// sanitizer sees any step outside it. Trimming never gives more samples than it was
// given; squelching only ever moves a sample toward silence (128); fading the end
// of a recording leaves everything before its last quarter second alone.
#include "hoard/sound/SoundCleanup.h"

#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <vector>

namespace {

void Check(bool bCondition)
{
    if (!bCondition)
        abort();
}

DWORD DWordAt(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | (DWORD)p[3] << 24; }

// memcmp, for any count: the data of an empty vector may be null.
bool Same(const BYTE* a, const BYTE* b, size_t n) { return n == 0 || memcmp(a, b, n) == 0; }

int Distance(BYTE s) { return s < 128 ? 128 - s : s - 128; }

// Every sample stayed, became 128, or moved toward 128 without passing it.
void CheckTowardSilence(const std::vector<BYTE>& before, const BYTE* pAfter)
{
    for (size_t i = 0; i < before.size(); ++i)
    {
        Check(Distance(pAfter[i]) <= Distance(before[i]));
        Check(pAfter[i] == 128 || (pAfter[i] < 128) == (before[i] < 128));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize < 17)
        return 0;
    int nOperation = pData[0] % 5;
    DWORD dwRate = DWordAt(pData + 1);
    DWORD dwCount = DWordAt(pData + 5);
    int nSquelch = (int)DWordAt(pData + 9);
    int nMinTime = (int)DWordAt(pData + 13);
    const std::vector<BYTE> before(pData + 17, pData + nSize);
    DWORD n = (DWORD)before.size();
    BYTE* p = new BYTE[n];      // never null, even for 0 samples
    std::copy(before.begin(), before.end(), p);

    switch (nOperation)
    {
    case 0:
    {
        DWORD nKept = TrimSamples(p, n, dwCount, dwRate, nSquelch, nMinTime);
        Check(nKept <= n);
        // Without squelching the result is exactly the samples from the first that is
        // not silent up to, but not including, the last that is not silent.
        if (nSquelch == 0)
        {
            DWORD i = 0;
            while (i < n && before[i] == 128)
                ++i;
            DWORD j = i == n ? i : n - 1;
            while (j > i + 1 && before[j] == 128)
                --j;
            Check(nKept == j - i);
            Check(Same(p, before.data() + i, nKept));
        }
        else if (nKept != 0)
        {
            Check(p[0] != 128);
        }
        break;
    }
    case 1:
        SquelchStretch(p, n, dwRate, dwCount & 1, dwCount & 2);
        CheckTowardSilence(before, p);
        break;
    case 2:
        SquelchScan(p, n, nSquelch, dwCount);
        CheckTowardSilence(before, p);
        break;
    case 3:
    {
        // Whatever the offset did, the samples before the last quarter second are
        // only moved by it, and those after the fade are silent.
        std::vector<BYTE> offsetOnly(before);
        RemoveDCOffset(offsetOnly.data(), n);
        CleanUpRecording(p, n, dwRate);
        ULONGLONG nQuarter = (ULONGLONG)dwRate * 250 / 1000;
        DWORD f = nQuarter < n ? (DWORD)nQuarter : n;
        Check(Same(p, offsetOnly.data(), n - f));
        CheckTowardSilence(std::vector<BYTE>(offsetOnly.begin() + (n - f), offsetOnly.end()), p + (n - f));
        break;
    }
    case 4:
    {
        int nPeak = QuietestPeak(p, n, dwCount);
        Check(nPeak == 255 || (nPeak >= 0 && nPeak <= 128));
        Check(Same(p, before.data(), n));
        break;
    }
    }
    delete[] p;
    return 0;
}
