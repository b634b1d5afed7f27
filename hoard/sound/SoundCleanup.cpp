// The clean-up arithmetic of recorded sounds.
#include "hoard/sound/SoundCleanup.h"

#include <string.h>

namespace {

const BYTE bSilence = 128;

// Samples per second times milliseconds, in samples; never negative.
ULONGLONG SamplesIn(DWORD nSamplesPerSec, LONGLONG nMilliseconds)
{
    LONGLONG n = (LONGLONG)nSamplesPerSec * nMilliseconds / 1000;
    return n < 0 ? 0 : (ULONGLONG)n;
}

// The r samples at p become (s - 128) * k / r + 128, truncated toward zero, with k
// from r - 1 down to 0 (bDown, a fade toward silence) or from 0 up to r - 1. The
// value always lies within 1..255, so the byte holds all of it.
void Fade(BYTE* p, DWORD r, bool bDown)
{
    for (DWORD n = 0; n < r; ++n)
    {
        LONGLONG k = bDown ? r - 1 - n : n;
        p[n] = (BYTE)(((LONGLONG)p[n] - bSilence) * k / (LONGLONG)r + bSilence);
    }
}

} // namespace

void RemoveDCOffset(BYTE* p, DWORD n)
{
    if (n == 0)
        return;
    LONGLONG nSum = 0;
    for (DWORD i = 0; i < n; ++i)
        nSum += p[i];
    int m = (int)((nSum - (LONGLONG)n * bSilence) / (LONGLONG)n);
    if (m == 0)
        return;
    for (DWORD i = 0; i < n; ++i)
    {
        int s = p[i] - m;
        p[i] = (BYTE)(s < 0 ? 0 : s > 255 ? 255 : s);
    }
}

void SquelchStretch(BYTE* p, DWORD len, DWORD ramp, BOOL bIn, BOOL bOut)
{
    LONGLONG nFlags = (bIn ? 1 : 0) + (bOut ? 1 : 0);
    LONGLONG body = (LONGLONG)len - nFlags * ramp;
    if (body < 0)
        return;
    LONGLONG r = ramp;
    if (nFlags == 2 && body < 2 * r)
        r = body / 2 - 1 < 0 ? 0 : body / 2 - 1;
    else if (nFlags == 1 && body < r)
        r = body;

    // Margin, fade toward silence, silence, fade from silence, margin: all inside
    // the len samples, as nFlags * (ramp + r) + the silence is at most len.
    BYTE* pNext = p + (bIn ? ramp : 0);
    if (bIn)
    {
        Fade(pNext, (DWORD)r, true);
        pNext += r;
    }
    LONGLONG nSilent = body - nFlags * r;
    if (nSilent != 0)
        memset(pNext, bSilence, (size_t)nSilent);
    pNext += nSilent;
    if (bOut)
        Fade(pNext, (DWORD)r, false);
}

void SquelchScan(BYTE* p, DWORD len, int t, DWORD minLen)
{
    bool quiet[256];
    for (int s = 0; s < 256; ++s)
        quiet[s] = (s < bSilence ? bSilence - s : s - bSilence) <= t;

    DWORD ramp = minLen / 3;
    for (DWORD i = 0; i < len;)
    {
        // A run of quiet samples, ended by a loud one or by the end of the buffer.
        DWORD nStart = i;
        while (i < len && quiet[p[i]])
            ++i;
        DWORD run = i - nStart;
        if (run > minLen)
            SquelchStretch(p + nStart, run, ramp, nStart != 0, i != len);
        // Past the loud sample that ended it.
        if (i < len)
            ++i;
    }
}

int QuietestPeak(const BYTE* p, DWORD n, DWORD nBlock)
{
    int nQuietest = 255;
    if (nBlock == 0)
        return nQuietest;
    for (DWORD nLeft = n; nLeft >= nBlock; nLeft -= nBlock, p += nBlock)
    {
        int nPeak = 0;
        for (DWORD i = 0; i < nBlock; ++i)
        {
            int d = p[i] < bSilence ? bSilence - p[i] : p[i] - bSilence;
            nPeak = d > nPeak ? d : nPeak;
        }
        nQuietest = nPeak < nQuietest ? nPeak : nQuietest;
    }
    return nQuietest;
}

void FadeOutEnd(BYTE* p, DWORD n, DWORD nSamplesPerSec)
{
    ULONGLONG nQuarter = SamplesIn(nSamplesPerSec, 250);
    DWORD f = nQuarter < n ? (DWORD)nQuarter : n;
    SquelchStretch(p + (n - f), f, f / 10, TRUE, FALSE);
}

void CleanUpRecording(BYTE* p, DWORD n, DWORD nSamplesPerSec)
{
    RemoveDCOffset(p, n);
    FadeOutEnd(p, n, nSamplesPerSec);
}

DWORD TrimSamples(BYTE* p, DWORD nSize, DWORD nRecorded, DWORD nSamplesPerSec,
                  int nSquelchEnabled, int nMinSquelchTime)
{
    if (nSize == 0)
        return 0;
    if (nSquelchEnabled != 0)
    {
        // Only bytes that the buffer holds count as recorded.
        DWORD nScan = nRecorded < nSize ? nRecorded : nSize;
        int nPeak = QuietestPeak(p, nScan, (DWORD)SamplesIn(nSamplesPerSec, 250));
        int t = nPeak + 6 < 20 ? nPeak + 6 : 20;
        // A run can be no longer than the samples scanned: a longer minimum
        // squelches nothing.
        ULONGLONG minLen = SamplesIn(nSamplesPerSec, nMinSquelchTime);
        if (minLen < nScan)
            SquelchScan(p, nScan, t, (DWORD)minLen);
    }

    DWORD i = 0;
    while (i < nSize && p[i] == bSilence)
        ++i;
    if (i == nSize)
        return 0;
    // The last sample that is not silent goes with the silence after it.
    DWORD j = nSize - 1;
    while (j > i + 1 && p[j] == bSilence)
        --j;
    memmove(p, p + i, j - i);
    return j - i;
}
