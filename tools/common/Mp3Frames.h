// The frames of an MPEG audio (MP3) file, found by their headers alone: plain C++ with no
// system calls, so that the native fuzz build compiles it too. A decoder is then given the
// format that the headers state and the run of frames.
//
// A file may start with an ID3v2 tag, which is skipped; the frames follow. Each frame
// starts with an 11-bit sync and a header stating its version, layer, bit rate, sample
// rate, channels and padding, which give its length; the next frame follows it. The
// run ends at the end of the bytes, at a frame cut short, or where no header follows
// (an ID3v1 tag at the end, say).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

enum class Mp3Version
{
    Mpeg1,
    Mpeg2,
    Mpeg25, // the unofficial extension to 8, 11.025 and 12 kHz
};

// One frame header, read.
struct Mp3Header
{
    Mp3Version version = Mp3Version::Mpeg1;
    int layer = 3;          // 1, 2 or 3
    int bitRate = 0;        // bits a second
    int sampleRate = 0;     // samples a second
    int channels = 0;       // 1 or 2
    bool padding = false;   // one slot more than the rate gives
    size_t frameLength = 0; // bytes, header included
    int samplesPerFrame = 0;
};

// Reads the 4 bytes at the start of head as a frame header; nothing when they are
// none: no sync, a reserved version or layer, the free or bad bit rate, a reserved
// sample rate, or fewer than 4 bytes.
std::optional<Mp3Header> ReadMp3Header(std::span<const uint8_t> head);

// A run of frames of the same version, layer, sample rate and channels.
struct Mp3Stream
{
    Mp3Header first;          // the first frame's header
    size_t offset = 0;        // where the first frame starts
    size_t size = 0;          // bytes from there to the end of the last whole frame
    size_t frames = 0;
    uint64_t bitRateSum = 0;  // of all frames, for their mean bit rate
};

// How many frames in a row must be found, each where the one before ends, before bytes
// count as MPEG audio: a single sync can be chance.
inline constexpr size_t kMp3FramesToTrust = 2;

// How far past an ID3v2 tag (or the start) the first frame is looked for.
inline constexpr size_t kMp3SyncSearch = 64 * 1024;

// Finds the frames of an MP3 file: the first header within kMp3SyncSearch bytes after
// an ID3v2 tag (when there is one) that starts a run of kMp3FramesToTrust frames, or of
// fewer that end the bytes exactly, and the frames that follow it. Nothing when there
// is no such run.
std::optional<Mp3Stream> FindMp3Frames(std::span<const uint8_t> bytes);
