// Squelching and trimming a recording against memcpy of the same bytes: 30 seconds
// recorded at 44100 samples a second, bursts of speech-like sound between quiet
// stretches of low noise, with the settings' defaults (squelch on, 250 ms). Target:
// at least 0.1 times memcpy's throughput.
#include "hoard/sound/SoundCleanup.h"
#include "timing.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <vector>

namespace {

const DWORD nRate = 44100;
const DWORD nBytes = 30 * nRate;

std::vector<BYTE> MakeRecording()
{
    std::vector<BYTE> samples;
    samples.reserve(nBytes);
    DWORD dwSeed = 1999;
    auto next = [&dwSeed] {
        dwSeed = dwSeed * 1664525 + 1013904223;
        return dwSeed >> 8;
    };
    while (samples.size() < nBytes)
    {
        // A pause of 0.2 to 1 s: room noise of a sample or two.
        for (DWORD n = nRate / 5 + next() % (nRate * 4 / 5); n != 0; --n)
            samples.push_back((BYTE)(128 + (int)(next() % 5) - 2));
        // A burst of 0.3 to 1.5 s: two wandering tones under a syllable-like swell.
        DWORD nBurst = nRate * 3 / 10 + next() % (nRate * 6 / 5);
        double dPitch = 110 + next() % 140, dFormant = 600 + next() % 1800;
        for (DWORD n = 0; n < nBurst; ++n)
        {
            double t = (double)n / nRate;
            double dSwell = sin(3.14159 * n / nBurst) * (0.6 + 0.4 * sin(2 * 3.14159 * 4 * t));
            double d = 70 * sin(2 * 3.14159 * dPitch * t) + 30 * sin(2 * 3.14159 * dFormant * t);
            int s = 128 + (int)(dSwell * d) + (int)(next() % 7) - 3;
            samples.push_back((BYTE)std::clamp(s, 0, 255));
        }
    }
    samples.resize(nBytes);
    return samples;
}

} // namespace

int main()
{
    const std::vector<BYTE> recording = MakeRecording();
    std::vector<BYTE> work(nBytes);

    // The buffer is restored before every timed run, outside the time.
    DWORD nKept = 0;
    double dCopy = 1e30, dTrim = 1e30;
    for (int nRun = 0; nRun < 15; ++nRun)
    {
        dCopy = std::min(dCopy, Seconds([&] { memcpy(work.data(), recording.data(), nBytes); }));
        memcpy(work.data(), recording.data(), nBytes);
        dTrim = std::min(dTrim, Seconds([&] { nKept = TrimSamples(work.data(), nBytes, nBytes, nRate, 1, 250); }));
    }
    DWORD nSilenced = (DWORD)std::count(work.begin(), work.begin() + nKept, (BYTE)128);

    printf("30 s of 8-bit speech-like recording at %lu samples a second (%lu bytes)\n",
           (unsigned long)nRate, (unsigned long)nBytes);
    printf("trimmed to %lu bytes, %lu of them squelched to silence\n", (unsigned long)nKept,
           (unsigned long)nSilenced);
    printf("memcpy: %.0f MB/s, squelch and trim: %.0f MB/s\n", nBytes / dCopy / 1e6,
           nBytes / dTrim / 1e6);
    printf("squelch and trim / memcpy throughput: %.2f (target 0.1)\n", dCopy / dTrim);
    return 0;
}
