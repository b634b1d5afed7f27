// The clean-up arithmetic of recorded sounds.
#include "hoard/sound/SoundCleanup.h"

#include <emmintrin.h>
#include <string.h>

namespace {

const BYTE bSilence = 128;

// Samples per second times milliseconds, in samples; never negative.
ULONGLONG SamplesIn(DWORD nSamplesPerSec, LONGLONG nMilliseconds)
{
    LONGLONG n = (LONGLONG)nSamplesPerSec * nMilliseconds / 1000;
    return n < 0 ? 0 : (ULONGLONG)n;
}

// (s - 128) * k / r + 128, truncated toward zero, for 0 <= k < r: it lies within
// 1..255, so the byte holds all of it.
//
// The quotient is taken in floating point, exactly: the numerator and r are exact,
// and a quotient that is not a whole number lies at least 1 / r from one, further
// than rounding can move a quotient below 128 (2^-47 in double precision, 2^-18 in
// single precision, enough for r up to 2^16), so that truncating the quotient gives
// the integer one without a division in 64-bit integers.
BYTE FadedSample(BYTE s, DWORD k, double dR)
{
    return (BYTE)((int)((double)(s - bSilence) * (double)k / dR) + bSilence);
}

// The r samples at p become faded samples with k from r - 1 down to 0 (bDown, a fade
// toward silence) or from 0 up to r - 1. Four at a time in single precision where r
// allows.
void Fade(BYTE* p, DWORD r, bool bDown)
{
    DWORD n = 0;
    if (r >= 4 && r <= 0x10000)
    {
        const __m128 rs = _mm_set1_ps((float)r), steps = _mm_set1_ps(bDown ? -4.0f : 4.0f);
        const __m128i silence = _mm_set1_epi32(bSilence), zero = _mm_setzero_si128();
        float k0 = bDown ? (float)(r - 1) : 0.0f, dk = bDown ? -1.0f : 1.0f;
        __m128 ks = _mm_setr_ps(k0, k0 + dk, k0 + 2 * dk, k0 + 3 * dk);
        for (; r - n >= 4; n += 4, ks = _mm_add_ps(ks, steps))
        {
            int nFour;
            memcpy(&nFour, p + n, 4);
            __m128i s = _mm_unpacklo_epi16(_mm_unpacklo_epi8(_mm_cvtsi32_si128(nFour), zero), zero);
            __m128 d = _mm_cvtepi32_ps(_mm_sub_epi32(s, silence));
            __m128i q = _mm_add_epi32(_mm_cvttps_epi32(_mm_div_ps(_mm_mul_ps(d, ks), rs)), silence);
            nFour = _mm_cvtsi128_si32(_mm_packus_epi16(_mm_packs_epi32(q, zero), zero));
            memcpy(p + n, &nFour, 4);
        }
    }
    const double dR = r;
    for (; n < r; ++n)
        p[n] = FadedSample(p[n], bDown ? r - 1 - n : n, dR);
}

// Which samples are quiet: |s - 128| <= t for a threshold t of 0 or more, tested as
// (s - lo) modulo 256 <= range, sixteen samples at a time where there are sixteen.
class CQuietTest
{
public:
    explicit CQuietTest(int t)
        : m_bLow((BYTE)(t < bSilence ? bSilence - t : 0)), m_bRange((BYTE)(t < bSilence ? 2 * t : 255)),
          m_low(_mm_set1_epi8((char)m_bLow)), m_range(_mm_set1_epi8((char)m_bRange))
    {
    }

    bool Is(BYTE s) const { return (BYTE)(s - m_bLow) <= m_bRange; }

    // The first index of the run of quiet samples that holds index i.
    DWORD StartOfRun(const BYTE* p, DWORD i) const
    {
        for (; i >= 16; i -= 16)
        {
            unsigned loud = ~Mask(p + i - 16) & 0xFFFF;
            if (loud != 0)
                return i - 16 + (31 - __builtin_clz(loud)) + 1;
        }
        while (i > 0 && Is(p[i - 1]))
            --i;
        return i;
    }

    // The index of the loud sample that ends the run holding index i, or len.
    DWORD EndOfRun(const BYTE* p, DWORD i, DWORD len) const
    {
        for (; len - i >= 16; i += 16)
        {
            unsigned loud = ~Mask(p + i) & 0xFFFF;
            if (loud != 0)
                return i + __builtin_ctz(loud);
        }
        while (i < len && Is(p[i]))
            ++i;
        return i;
    }

private:
    // Bit k set when sample k of the sixteen at p is quiet.
    unsigned Mask(const BYTE* p) const
    {
        __m128i d = _mm_sub_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), m_low);
        __m128i excess = _mm_subs_epu8(d, m_range);
        return (unsigned)_mm_movemask_epi8(_mm_cmpeq_epi8(excess, _mm_setzero_si128()));
    }

    BYTE m_bLow, m_bRange;
    __m128i m_low, m_range;
};

// The smallest and the largest of n samples, n > 0.
void Range(const BYTE* p, DWORD n, BYTE& bLow, BYTE& bHigh)
{
    __m128i low = _mm_set1_epi8((char)0xFF), high = _mm_setzero_si128();
    DWORD i = 0;
    for (; n - i >= 16; i += 16)
    {
        __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        low = _mm_min_epu8(low, v);
        high = _mm_max_epu8(high, v);
    }
    alignas(16) BYTE lows[16], highs[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(lows), low);
    _mm_store_si128(reinterpret_cast<__m128i*>(highs), high);
    bLow = 255;
    bHigh = 0;
    for (int k = 0; k < 16; ++k)
    {
        bLow = lows[k] < bLow ? lows[k] : bLow;
        bHigh = highs[k] > bHigh ? highs[k] : bHigh;
    }
    for (; i < n; ++i)
    {
        bLow = p[i] < bLow ? p[i] : bLow;
        bHigh = p[i] > bHigh ? p[i] : bHigh;
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
    if (t < 0)
        return;     // no sample is quiet
    const CQuietTest quiet(t);
    const DWORD ramp = minLen / 3;
    // A run longer than minLen covers minLen + 1 samples in a row, so one of them lies
    // at c = minLen + k (minLen + 1) or, once a run was handled, at its loud end plus a
    // multiple of minLen + 1: only those samples are looked at until one is quiet, and
    // its run is then found around it. Squelching changes the samples of its run
    // alone, so the runs, and the result, are those of a walk over every sample.
    const ULONGLONG step = (ULONGLONG)minLen + 1;
    for (ULONGLONG c = minLen; c < len;)
    {
        if (!quiet.Is(p[c]))
        {
            c += step;
            continue;
        }
        DWORD nStart = quiet.StartOfRun(p, (DWORD)c);
        DWORD nEnd = quiet.EndOfRun(p, (DWORD)c, len);
        DWORD run = nEnd - nStart;
        if (run > minLen)
            SquelchStretch(p + nStart, run, ramp, nStart != 0, nEnd != len);
        // The loud sample at nEnd ends the run; the next one starts after it.
        c = (ULONGLONG)nEnd + step;
    }
}

int QuietestPeak(const BYTE* p, DWORD n, DWORD nBlock)
{
    int nQuietest = 255;
    if (nBlock == 0)
        return nQuietest;
    for (DWORD nLeft = n; nLeft >= nBlock; nLeft -= nBlock, p += nBlock)
    {
        // The peak |s - 128| of a block lies at its smallest or its largest sample.
        BYTE bLow, bHigh;
        Range(p, nBlock, bLow, bHigh);
        int nPeak = bHigh - bSilence > bSilence - bLow ? bHigh - bSilence : bSilence - bLow;
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
