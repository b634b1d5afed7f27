// MP3 sounds decoded to 16-bit PCM through the system's audio codec manager (ACM), as a
// WAVE file's bytes that a sound imports like any WAVE file.
#pragma once

#include <afx.h>

#include <cstdint>
#include <span>
#include <vector>

// The most bytes of samples that one decoded sound may have: about six minutes of CD
// stereo, and a guard against small files that claim hours.
inline constexpr uint64_t kMaxDecodedMp3Bytes = 64ull << 20;

// Whether bytes hold MPEG audio frames (Mp3Frames.h), whatever their layer.
bool IsMpegAudio(std::span<const uint8_t> bytes);

// The WAVE file of the MPEG layer III audio in bytes: 16-bit PCM at the stream's rate
// and channels. Empty, with strWhy saying why, when bytes hold no MPEG audio, audio of
// another layer, more than kMaxDecodedMp3Bytes of samples, or when the system has no
// decoder for it or the decoder fails.
std::vector<uint8_t> DecodeMp3ToWave(std::span<const uint8_t> bytes, CString& strWhy);
