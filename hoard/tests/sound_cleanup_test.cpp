// The clean-up arithmetic of recordings, on hand-computed buffers. Silence is 128.
#include "hoard/sound/SoundCleanup.h"

#include <gtest/gtest.h>

#include <limits.h>

#include <string>
#include <vector>

namespace {

using Samples = std::vector<BYTE>;

std::string Text(const Samples& samples)
{
    std::string s;
    for (BYTE b : samples)
        s += (s.empty() ? "" : " ") + std::to_string(b);
    return s;
}

Samples Repeat(BYTE b, size_t n) { return Samples(n, b); }

Samples Join(std::initializer_list<Samples> parts)
{
    Samples all;
    for (const Samples& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(SoundCleanup, RemoveDCOffset)
{
    struct
    {
        const char* pszWhat;
        Samples in, out;
    } cases[] = {
        { "every sample 130", Repeat(130, 1000), Repeat(128, 1000) },
        { "no offset", { 100, 156, 128 }, { 100, 156, 128 } },
        // -4 / 3 is -1 toward zero, not -2.
        { "mean truncated toward zero", { 127, 127, 126 }, { 128, 128, 127 } },
        { "offset 63, clamped at 0", { 0, 255, 255, 255 }, { 0, 192, 192, 192 } },
        { "offset -64, clamped at 255", { 255, 0, 0, 0 }, { 255, 64, 64, 64 } },
        { "nothing", {}, {} },
    };
    for (const auto& c : cases)
    {
        Samples samples = c.in;
        RemoveDCOffset(samples.data(), (DWORD)samples.size());
        EXPECT_EQ(Text(c.out), Text(samples)) << c.pszWhat;
    }
}

TEST(SoundCleanup, SquelchStretch)
{
    struct
    {
        const char* pszWhat;
        Samples in;
        DWORD ramp;
        BOOL bIn, bOut;
        Samples out;
    } cases[] = {
        // Margins of 3, fades of 3: -128 * 2 / 3 is -85 and -128 / 3 is -42 (toward zero).
        { "both ends", Repeat(0, 12), 3, TRUE, TRUE, { 0, 0, 0, 43, 86, 128, 128, 86, 43, 0, 0, 0 } },
        { "both ends with silence between", Repeat(255, 12), 2, TRUE, TRUE,
          { 255, 255, 191, 128, 128, 128, 128, 128, 128, 191, 255, 255 } },
        // Body 4 < 2 * 3: r = 4 / 2 - 1 = 1, a fade of one sample that is already 128.
        { "both ends, short body", Repeat(0, 10), 3, TRUE, TRUE, { 0, 0, 0, 128, 128, 128, 128, 0, 0, 0 } },
        // Body 1: r = max(1 / 2 - 1, 0) = 0.
        { "both ends, body of one", Repeat(0, 7), 3, TRUE, TRUE, { 0, 0, 0, 128, 0, 0, 0 } },
        { "both ends, body of three", Repeat(0, 9), 3, TRUE, TRUE, { 0, 0, 0, 128, 128, 128, 0, 0, 0 } },
        { "both ends, no body", Repeat(0, 6), 3, TRUE, TRUE, Repeat(0, 6) },
        { "shorter than the margins", Repeat(0, 5), 3, TRUE, TRUE, Repeat(0, 5) },
        // Body 2 < 3: r = 2.
        { "start only, short body", Repeat(0, 5), 3, TRUE, FALSE, { 0, 0, 0, 64, 128 } },
        // 72 * 3 / 5 = 43, 72 * 4 / 5 = 57.
        { "start only", Repeat(200, 12), 5, TRUE, FALSE,
          { 200, 200, 200, 200, 200, 185, 171, 156, 142, 128, 128, 128 } },
        { "end only", Repeat(255, 8), 2, FALSE, TRUE, { 128, 128, 128, 128, 128, 191, 255, 255 } },
        { "end only, short body", Repeat(255, 4), 3, FALSE, TRUE, { 128, 255, 255, 255 } },
        { "neither end", Repeat(7, 5), 3, FALSE, FALSE, Repeat(128, 5) },
        { "no ramp", Repeat(7, 4), 0, TRUE, TRUE, Repeat(128, 4) },
        { "nothing", {}, 3, TRUE, TRUE, {} },
    };
    for (const auto& c : cases)
    {
        Samples samples = c.in;
        SquelchStretch(samples.data(), (DWORD)samples.size(), c.ramp, c.bIn, c.bOut);
        EXPECT_EQ(Text(c.out), Text(samples)) << c.pszWhat;
    }
}

TEST(SoundCleanup, FadesAreExactForEveryLength)
{
    // Every sample value at many places of fades of many lengths, in both directions,
    // against the integer arithmetic: (s - 128) * k / r + 128, truncated toward zero.
    for (DWORD r : { 1u, 2u, 3u, 7u, 100u, 1102u, 3675u, 65535u, 65536u, 65537u, 100003u })
    {
        Samples pattern(2 * r);
        for (DWORD i = 0; i < 2 * r; ++i)
            pattern[i] = (BYTE)(i * 7 + i / 256);
        for (BOOL bIn : { TRUE, FALSE })
        {
            // With one flag and a body of r: the margin, then r fading samples.
            Samples samples = pattern;
            SquelchStretch(samples.data(), 2 * r, r, bIn, !bIn);
            DWORD nFirst = bIn ? r : 0;
            for (DWORD n = 0; n < r; ++n)
            {
                LONGLONG k = bIn ? r - 1 - n : n;
                BYTE s = pattern[nFirst + n];
                int expected = (int)(((LONGLONG)s - 128) * k / (LONGLONG)r + 128);
                ASSERT_EQ(expected, samples[nFirst + n])
                    << "r " << r << (bIn ? ", toward silence" : ", from silence") << ", k " << k
                    << ", sample " << (int)s;
            }
        }
    }
}

TEST(SoundCleanup, SquelchScan)
{
    struct
    {
        const char* pszWhat;
        Samples in;
        int t;
        DWORD minLen;
        Samples out;
    } cases[] = {
        // A run of 10 quiet samples, minimum 6, ramp 2: -7 / 2 is -3 toward zero.
        { "run between loud samples", Join({ { 200 }, Repeat(121, 10), { 200 } }), 10, 6,
          { 200, 121, 121, 125, 128, 128, 128, 128, 125, 121, 121, 200 } },
        { "run as long as the minimum", Join({ { 200 }, Repeat(121, 6), { 200 } }), 10, 6,
          Join({ { 200 }, Repeat(121, 6), { 200 } }) },
        { "run at the start: silent to the edge", Join({ Repeat(121, 7), { 200 } }), 10, 6,
          { 128, 128, 128, 128, 125, 121, 121, 200 } },
        { "run at the end: silent to the edge", Join({ { 200 }, Repeat(121, 7) }), 10, 6,
          { 200, 121, 121, 125, 128, 128, 128, 128 } },
        { "whole buffer quiet", Repeat(121, 9), 10, 6, Repeat(128, 9) },
        { "threshold is inclusive", Join({ { 0 }, Repeat(138, 8), Repeat(139, 1) }), 10, 6,
          { 0, 138, 138, 133, 128, 128, 133, 138, 138, 139 } },
        // Threshold 2, minimum 3, ramp 1: a run of four at the start, one of five
        // between loud samples, two that are too short, and five at the end.
        { "several runs",
          { 129, 127, 128, 130, 131, 200, 128, 126, 129, 128, 128, 60, 128, 129, 90, 127, 128, 128, 129, 130 },
          2, 3,
          { 128, 128, 128, 130, 131, 200, 128, 128, 128, 128, 128, 60, 128, 129, 90, 127, 128, 128, 128, 128 } },
        { "minimum 0 squelches single samples", { 200, 127, 200, 129, 200 }, 2, 0, { 200, 128, 200, 128, 200 } },
        { "negative threshold: nothing is quiet", Repeat(128, 5), -1, 0, Repeat(128, 5) },
        { "nothing", {}, 10, 0, {} },
    };
    for (const auto& c : cases)
    {
        Samples samples = c.in;
        SquelchScan(samples.data(), (DWORD)samples.size(), c.t, c.minLen);
        EXPECT_EQ(Text(c.out), Text(samples)) << c.pszWhat;
    }
}

TEST(SoundCleanup, QuietestPeak)
{
    // Peaks 2, 28 and 1; the last sample is no whole block.
    const Samples samples = { 128, 130, 126, 100, 128, 128, 129, 128, 127, 0 };
    struct
    {
        DWORD n, nBlock;
        int nPeak;
    } cases[] = {
        { 10, 3, 1 },
        { 6, 3, 2 },
        { 10, 5, 28 },
        { 10, 10, 128 },
        { 10, 11, 255 },
        { 10, 0, 255 },
        { 0, 3, 255 },
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.nPeak, QuietestPeak(samples.data(), c.n, c.nBlock))
            << "n " << c.n << ", blocks of " << c.nBlock;
    }
}

TEST(SoundCleanup, EndOfARecordingFadesToSilence)
{
    // At 8000 samples a second the last quarter second is 2000 samples: a margin of
    // 200 (a fortieth of a second), a fade of 200, then silence.
    Samples samples(6000);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = i % 2 ? 228 : 28;
    const Samples before = samples;
    FadeOutEnd(samples.data(), (DWORD)samples.size(), 8000);
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + 4200, samples.begin()));
    for (int k = 199; k >= 0; --k)
    {
        size_t i = 4200 + 199 - k;
        int expected = (before[i] - 128) * k / 200 + 128;
        ASSERT_EQ(expected, samples[i]) << "sample " << i;
    }
    EXPECT_EQ(Text(Repeat(128, 1600)), Text(Samples(samples.begin() + 4400, samples.end())));

    // A recording shorter than a quarter second fades over all of it.
    Samples shortOne(500, 255);
    FadeOutEnd(shortOne.data(), 500, 8000);
    EXPECT_EQ(255, shortOne[49]);
    EXPECT_EQ(127 * 49 / 50 + 128, shortOne[50]);
    EXPECT_EQ(128, shortOne[99]);
    EXPECT_EQ(Text(Repeat(128, 400)), Text(Samples(shortOne.begin() + 100, shortOne.end())));

    // Rates of 0 or beyond the buffer, and nothing at all.
    Samples same(30, 7);
    FadeOutEnd(same.data(), 30, 0);
    EXPECT_EQ(Text(Repeat(7, 30)), Text(same));
    // -121 * 2 / 3 is -80 and -121 / 3 is -40, toward zero.
    FadeOutEnd(same.data(), 30, 0xFFFFFFFF);
    EXPECT_EQ(Text(Join({ Repeat(7, 3), { 48, 88 }, Repeat(128, 25) })), Text(same));
    FadeOutEnd(NULL, 0, 44100);
}

TEST(SoundCleanup, CleanUpRecordingRemovesTheOffsetThenFades)
{
    Samples samples = Repeat(130, 4000);
    samples[10] = 230;      // offsets 2 * 3999 + 102 = 8100: a mean of 2
    CleanUpRecording(samples.data(), 4000, 8000);
    Samples expected = Repeat(128, 4000);
    expected[10] = 228;
    EXPECT_EQ(Text(expected), Text(samples));
}

TEST(SoundCleanup, TrimSamples)
{
    EXPECT_EQ(0u, TrimSamples(NULL, 0, 0, 11025, 1, 250));

    Samples all128 = Repeat(128, 2000);
    EXPECT_EQ(0u, TrimSamples(all128.data(), 2000, 2000, 11025, 1, 250)) << "all silence";

    // The last sample that is not silent goes too.
    Samples speech = { 128, 128, 200, 50, 128 };
    ASSERT_EQ(1u, TrimSamples(speech.data(), 5, 5, 11025, 0, 250));
    EXPECT_EQ(200, speech[0]);

    // At 40 samples a second the threshold blocks are 10 samples long, so this
    // buffer has none and the threshold is 20; 250 ms is a minimum of 10.
    const Samples buffer = { 128, 200, 130, 130, 130, 130, 200, 130, 128 };
    const Samples trimmed = { 200, 130, 130, 130, 130, 200 };
    const Samples squelched = { 200, 128, 128, 128, 128 };
    struct
    {
        const char* pszWhat;
        DWORD nRecorded, nRate;
        int nSquelchEnabled, nMinSquelchTime;
        Samples out;
    } cases[] = {
        { "squelch disabled only trims", 9, 0, 0, 0, trimmed },
        { "runs shorter than the minimum", 9, 40, 1, 250, trimmed },
        { "minimum 100 ms = 4 samples: a run of 4 stays", 9, 40, 1, 100, trimmed },
        // Minimum 3, ramp 1: the run of four keeps its margins, fades of one are 128.
        { "minimum 75 ms = 3 samples", 9, 40, 1, 75, { 200, 130, 128, 128, 130, 200 } },
        { "minimum 0 squelches every quiet sample", 9, 40, 1, 0, squelched },
        { "negative minimum counts as 0", 9, 40, 1, -1000, squelched },
        { "huge minimum squelches nothing", 9, 40, 1, INT_MAX, trimmed },
        { "rate 0: minimum 0, no blocks", 9, 0, 1, 250, squelched },
        { "huge rate", 9, 0xFFFFFFFF, 1, INT_MAX, trimmed },
        { "huge rate, negative minimum", 9, 0xFFFFFFFF, 1, INT_MIN, squelched },
        { "nothing recorded: nothing squelched", 0, 40, 1, 0, trimmed },
        { "more recorded than the buffer holds", 1000000, 40, 1, 0, squelched },
        // Only the first five are squelched: the run of 130s only up to the fifth.
        { "part recorded", 5, 40, 1, 0, { 200, 128, 128, 128, 130, 200 } },
    };
    for (const auto& c : cases)
    {
        Samples samples = buffer;
        DWORD n = TrimSamples(samples.data(), (DWORD)samples.size(), c.nRecorded, c.nRate,
                              c.nSquelchEnabled, c.nMinSquelchTime);
        ASSERT_LE(n, samples.size()) << c.pszWhat;
        EXPECT_EQ(Text(c.out), Text(Samples(samples.begin(), samples.begin() + n))) << c.pszWhat;
    }
}

TEST(SoundCleanup, TrimSamplesThresholdFollowsTheQuietestBlock)
{
    // 40 samples a second: blocks of 10. The quietest block peaks at 1, so the
    // threshold is 7 and the 20 samples of 129 are a quiet run longer than the
    // minimum of 10 (ramp 3); the 140s, 12 from silence, are not quiet.
    Samples samples = Join({ { 128, 200 }, Repeat(129, 20), Repeat(140, 3), { 200, 128 } });
    DWORD n = TrimSamples(samples.data(), (DWORD)samples.size(), (DWORD)samples.size(), 40, 1, 250);
    Samples expected = Join({ { 200, 129, 129, 129 }, Repeat(128, 14), { 129, 129, 129 }, Repeat(140, 3) });
    EXPECT_EQ(Text(expected), Text(Samples(samples.begin(), samples.begin() + n)));
}

} // namespace
