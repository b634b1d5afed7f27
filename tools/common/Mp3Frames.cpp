// The frames of an MPEG audio file, from their headers.
#include "Mp3Frames.h"

namespace {

// Kilobits a second by [MPEG-1 or not][layer - 1][index 1..14]; index 0 (free format)
// and 15 are not bit rates.
const int kBitRates[2][3][15] = {
    { { 0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448 },
      { 0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384 },
      { 0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320 } },
    { { 0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256 },
      { 0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160 },
      { 0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160 } },
};

// Samples a second by [version][index 0..2].
const int kSampleRates[3][3] = {
    { 44100, 48000, 32000 },
    { 22050, 24000, 16000 },
    { 11025, 12000, 8000 },
};

// The length of an ID3v2 tag at the start of bytes, footer included; 0 without one.
// Its size is "syncsafe": four bytes of seven bits each.
size_t Id3v2Length(std::span<const uint8_t> bytes)
{
    if (bytes.size() < 10 || bytes[0] != 'I' || bytes[1] != 'D' || bytes[2] != '3' || bytes[3] == 0xFF ||
        bytes[4] == 0xFF)
        return 0;
    size_t size = 0;
    for (int i = 6; i < 10; ++i)
    {
        if (bytes[i] & 0x80)
            return 0;
        size = size << 7 | bytes[i];
    }
    const bool footer = (bytes[5] & 0x10) != 0;
    return 10 + size + (footer ? 10 : 0);
}

// Whether a frame may belong to the same stream as the first: the things that a stream
// keeps from frame to frame (the bit rate may change).
bool SameStream(const Mp3Header& a, const Mp3Header& b)
{
    return a.version == b.version && a.layer == b.layer && a.sampleRate == b.sampleRate && a.channels == b.channels;
}

// The header of a frame at offset that lies whole within bytes and belongs with first.
std::optional<Mp3Header> FrameAt(std::span<const uint8_t> bytes, size_t offset, const Mp3Header* first)
{
    if (offset >= bytes.size())
        return std::nullopt;
    std::optional<Mp3Header> header = ReadMp3Header(bytes.subspan(offset));
    if (!header || header->frameLength > bytes.size() - offset || (first != nullptr && !SameStream(*first, *header)))
        return std::nullopt;
    return header;
}

// Whether a run of frames starts at offset: kMp3FramesToTrust in a row, or fewer that
// end the bytes exactly.
bool StartsRun(std::span<const uint8_t> bytes, size_t offset)
{
    std::optional<Mp3Header> first = FrameAt(bytes, offset, nullptr);
    if (!first)
        return false;
    size_t next = offset + first->frameLength;
    for (size_t found = 1; found < kMp3FramesToTrust; ++found)
    {
        if (next == bytes.size())
            return true;
        std::optional<Mp3Header> header = FrameAt(bytes, next, &*first);
        if (!header)
            return false;
        next += header->frameLength;
    }
    return true;
}

} // namespace

std::optional<Mp3Header> ReadMp3Header(std::span<const uint8_t> head)
{
    if (head.size() < 4 || head[0] != 0xFF || (head[1] & 0xE0) != 0xE0)
        return std::nullopt;
    const int versionBits = (head[1] >> 3) & 3;
    const int layerBits = (head[1] >> 1) & 3;
    const int bitRateIndex = head[2] >> 4;
    const int sampleRateIndex = (head[2] >> 2) & 3;
    if (versionBits == 1 || layerBits == 0 || bitRateIndex == 0 || bitRateIndex == 15 || sampleRateIndex == 3)
        return std::nullopt;

    Mp3Header header;
    header.version = versionBits == 3 ? Mp3Version::Mpeg1 : versionBits == 2 ? Mp3Version::Mpeg2 : Mp3Version::Mpeg25;
    header.layer = 4 - layerBits;
    const bool mpeg1 = header.version == Mp3Version::Mpeg1;
    header.bitRate = kBitRates[mpeg1 ? 0 : 1][header.layer - 1][bitRateIndex] * 1000;
    header.sampleRate = kSampleRates[static_cast<int>(header.version)][sampleRateIndex];
    header.padding = ((head[2] >> 1) & 1) != 0;
    header.channels = (head[3] >> 6) == 3 ? 1 : 2;
    const size_t pad = header.padding ? 1 : 0;
    switch (header.layer)
    {
    case 1:
        header.samplesPerFrame = 384;
        header.frameLength = (12 * static_cast<size_t>(header.bitRate) / header.sampleRate + pad) * 4;
        break;
    case 2:
        header.samplesPerFrame = 1152;
        header.frameLength = 144 * static_cast<size_t>(header.bitRate) / header.sampleRate + pad;
        break;
    default:
        header.samplesPerFrame = mpeg1 ? 1152 : 576;
        header.frameLength = (mpeg1 ? 144 : 72) * static_cast<size_t>(header.bitRate) / header.sampleRate + pad;
        break;
    }
    return header;
}

std::optional<Mp3Stream> FindMp3Frames(std::span<const uint8_t> bytes)
{
    const size_t start = Id3v2Length(bytes);
    if (start >= bytes.size())
        return std::nullopt;
    const size_t searchEnd = bytes.size() - start > kMp3SyncSearch ? start + kMp3SyncSearch : bytes.size();
    size_t offset = start;
    while (offset < searchEnd && !StartsRun(bytes, offset))
        ++offset;
    if (offset == searchEnd)
        return std::nullopt;

    Mp3Stream stream;
    stream.first = *ReadMp3Header(bytes.subspan(offset));
    stream.offset = offset;
    size_t next = offset;
    while (std::optional<Mp3Header> header = FrameAt(bytes, next, &stream.first))
    {
        next += header->frameLength;
        ++stream.frames;
        stream.bitRateSum += static_cast<uint64_t>(header->bitRate);
    }
    stream.size = next - offset;
    return stream;
}
