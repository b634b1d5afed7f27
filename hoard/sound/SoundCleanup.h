// The clean-up arithmetic of recorded sounds, on 8-bit unsigned mono samples in
// memory, where silence is the value 128: removing the DC offset, fading out the end
// of a recording, squelching quiet stretches and trimming leading and trailing
// silence. Pure functions of the bytes they are given; the sound engine locks the
// samples, reads the settings and calls them.
//
// Every length is a count of samples that the buffer really holds. The arithmetic
// on samples is signed and divides truncating toward zero; it is done in 64 bits,
// so that no length, rate or setting can overflow it, and gives the 32-bit result
// wherever that one exists. No function reads or writes outside [p, p + length).
#pragma once

#include "hoard/hoard_api.h"

// Moves every sample by m = (sum of (s - 128)) / n, truncated toward zero, clamping
// the results to 0..255. Nothing for n 0 or a mean of 0.
HOARD_API void RemoveDCOffset(BYTE* p, DWORD n);

// Silences the len samples at p. Of each end whose flag is set, the outer ramp
// samples stay as they are (the margin) and the next r fade: toward silence after
// the start (bIn), from silence before the end (bOut); everything between becomes
// 128. r is ramp, or less when the stretch is too short for two margins and two
// fades. A stretch shorter than its margins is left alone.
HOARD_API void SquelchStretch(BYTE* p, DWORD len, DWORD ramp, BOOL bIn, BOOL bOut);

// Squelches every run of quiet samples (|s - 128| <= t) that is longer than minLen,
// with a ramp of minLen / 3 at each end that meets a louder sample; a run at the
// start or the end of the buffer is silenced right to that edge.
HOARD_API void SquelchScan(BYTE* p, DWORD len, int t, DWORD minLen);

// The smallest of the peaks |s - 128| of the whole blocks of nBlock samples in the
// first n, or 255 when there is no whole block (nBlock 0 or above n).
HOARD_API int QuietestPeak(const BYTE* p, DWORD n, DWORD nBlock);

// Turns the click that stopping leaves in the last quarter second of a recording
// into silence: over the last f = nSamplesPerSec / 4 samples (at most n), a margin
// of f / 10 samples stays, the next f / 10 fade toward silence and the rest is 128.
HOARD_API void FadeOutEnd(BYTE* p, DWORD n, DWORD nSamplesPerSec);

// What a finished recording of n samples goes through: RemoveDCOffset, then
// FadeOutEnd.
HOARD_API void CleanUpRecording(BYTE* p, DWORD n, DWORD nSamplesPerSec);

// Squelches and trims a sound of nSize samples and returns its new length, never
// more than nSize; the samples kept are moved to the start of the buffer.
//  - With nSquelchEnabled not 0, the first nRecorded samples (at most nSize) are
//    squelched: the threshold is the quietest peak of their quarter-second blocks
//    plus 6, at most 20, and the shortest run squelched lasts nMinSquelchTime
//    milliseconds (a negative time counts as 0).
//  - Then leading silence is cut, and trailing silence together with the last
//    sample that is not silent. A sound that is all silence gives 0.
HOARD_API DWORD TrimSamples(BYTE* p, DWORD nSize, DWORD nRecorded, DWORD nSamplesPerSec,
                            int nSquelchEnabled, int nMinSquelchTime);
