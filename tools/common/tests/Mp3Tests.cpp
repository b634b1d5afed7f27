// MP3 sounds: frame headers read, the frames of a file found past tags and junk, and
// decoded to 16-bit PCM through the audio codec manager.
#include "Mp3Decode.h"
#include "Mp3Frames.h"
#include "SampleMedia.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> Frames(std::vector<uint8_t> header, size_t nLength, int nCount)
{
    std::vector<uint8_t> bytes;
    for (int i = 0; i < nCount; ++i)
    {
        bytes.insert(bytes.end(), header.begin(), header.end());
        bytes.resize(bytes.size() + nLength - header.size(), 0);
    }
    return bytes;
}

std::vector<uint8_t> Id3v2Tag(size_t nPayload)
{
    std::vector<uint8_t> tag = { 'I', 'D', '3', 3, 0, 0, (uint8_t)(nPayload >> 21 & 0x7F),
                                 (uint8_t)(nPayload >> 14 & 0x7F), (uint8_t)(nPayload >> 7 & 0x7F),
                                 (uint8_t)(nPayload & 0x7F) };
    // A payload full of bytes that look like frame syncs must be skipped, not read.
    tag.resize(tag.size() + nPayload, 0xFF);
    return tag;
}

std::vector<uint8_t> operator+(std::vector<uint8_t> a, const std::vector<uint8_t>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(Mp3Header, VersionsLayersAndFrameLengths)
{
    struct
    {
        std::vector<uint8_t> head;
        Mp3Version version;
        int layer, bitRate, sampleRate, channels;
        size_t frameLength;
        int samplesPerFrame;
    } cases[] = {
        { { 0xFF, 0xFB, 0x90, 0x40 }, Mp3Version::Mpeg1, 3, 128000, 44100, 2, 417, 1152 },
        { { 0xFF, 0xFB, 0x92, 0x40 }, Mp3Version::Mpeg1, 3, 128000, 44100, 2, 418, 1152 }, // padded
        { { 0xFF, 0xFB, 0x14, 0xC0 }, Mp3Version::Mpeg1, 3, 32000, 48000, 1, 96, 1152 },
        { { 0xFF, 0xF3, 0x80, 0xC0 }, Mp3Version::Mpeg2, 3, 64000, 22050, 1, 208, 576 },
        { { 0xFF, 0xE3, 0x18, 0xC0 }, Mp3Version::Mpeg25, 3, 8000, 8000, 1, 72, 576 },
        { { 0xFF, 0xFD, 0x80, 0x00 }, Mp3Version::Mpeg1, 2, 128000, 44100, 2, 417, 1152 },
        { { 0xFF, 0xFF, 0x18, 0x00 }, Mp3Version::Mpeg1, 1, 32000, 32000, 2, 48, 384 },
    };
    for (const auto& c : cases)
    {
        std::optional<Mp3Header> header = ReadMp3Header(c.head);
        ASSERT_TRUE(header.has_value());
        EXPECT_EQ(c.version, header->version);
        EXPECT_EQ(c.layer, header->layer);
        EXPECT_EQ(c.bitRate, header->bitRate);
        EXPECT_EQ(c.sampleRate, header->sampleRate);
        EXPECT_EQ(c.channels, header->channels);
        EXPECT_EQ(c.frameLength, header->frameLength);
        EXPECT_EQ(c.samplesPerFrame, header->samplesPerFrame);
    }
}

TEST(Mp3Header, ReservedAndFreeFieldsAreNoHeader)
{
    const std::vector<uint8_t> refused[] = {
        { 0xFF, 0xEB, 0x90, 0x40 }, // reserved version
        { 0xFF, 0xF9, 0x90, 0x40 }, // reserved layer
        { 0xFF, 0xFB, 0x00, 0x40 }, // free-format bit rate
        { 0xFF, 0xFB, 0xF0, 0x40 }, // bad bit rate
        { 0xFF, 0xFB, 0x9C, 0x40 }, // reserved sample rate
        { 0xFE, 0xFB, 0x90, 0x40 }, // no sync
        { 0xFF, 0xFB, 0x90 },       // cut short
    };
    for (const auto& head : refused)
        EXPECT_FALSE(ReadMp3Header(head).has_value());
}

TEST(Mp3Frames, FoundPastAnId3v2TagAndJunkUpToAnId3v1Tag)
{
    const auto frames = Frames({ 0xFF, 0xFB, 0x90, 0x40 }, 417, 3);
    const std::vector<uint8_t> junk = { 0xFF, 0xE0, 'j', 'u', 'n', 'k' };
    std::vector<uint8_t> id3v1 = { 'T', 'A', 'G' };
    id3v1.resize(128, 0);
    const auto file = Id3v2Tag(300) + junk + frames + id3v1;
    std::optional<Mp3Stream> stream = FindMp3Frames(file);
    ASSERT_TRUE(stream.has_value());
    EXPECT_EQ(310u + junk.size(), stream->offset);
    EXPECT_EQ(3u, stream->frames);
    EXPECT_EQ(frames.size(), stream->size);
}

TEST(Mp3Frames, AFrameCutShortEndsTheRun)
{
    auto file = Frames({ 0xFF, 0xFB, 0x90, 0x40 }, 417, 3);
    file.resize(417 * 2 + 100);
    std::optional<Mp3Stream> stream = FindMp3Frames(file);
    ASSERT_TRUE(stream.has_value());
    EXPECT_EQ(2u, stream->frames);
    EXPECT_EQ(834u, stream->size);
}

TEST(Mp3Frames, ALoneSyncOrAFrameOfAnotherStreamIsNotAudio)
{
    // One header followed by one of another sample rate: chance, not a stream.
    const auto mixed = Frames({ 0xFF, 0xFB, 0x90, 0x40 }, 417, 1) + Frames({ 0xFF, 0xFB, 0x94, 0x40 }, 384, 1) +
                       std::vector<uint8_t>(10, 0);
    EXPECT_FALSE(FindMp3Frames(mixed).has_value());
    EXPECT_FALSE(FindMp3Frames(std::vector<uint8_t>{ 0xFF, 0xFB, 0x90, 0x40, 1, 2, 3 }).has_value());
    EXPECT_FALSE(FindMp3Frames(std::vector<uint8_t>{}).has_value());
    // A tag that claims more than the file holds leaves nothing to search.
    std::vector<uint8_t> cut = Id3v2Tag(10) + Frames({ 0xFF, 0xFB, 0x90, 0x40 }, 417, 2);
    cut[6] = 0x7F;
    EXPECT_FALSE(FindMp3Frames(cut).has_value());
}

TEST(Mp3Decode, SilenceBecomes16BitPcmOfEveryFrame)
{
    CString strWhy;
    const std::vector<uint8_t> wave = DecodeMp3ToWave(sample::SilentMp3(20), strWhy);
    ASSERT_FALSE(wave.empty()) << (LPCSTR)strWhy;
    ASSERT_GE(wave.size(), 44u);
    PCMWAVEFORMAT format;
    memcpy(&format, wave.data() + 20, sizeof format);
    EXPECT_EQ(WAVE_FORMAT_PCM, format.wf.wFormatTag);
    EXPECT_EQ(16, format.wBitsPerSample);
    EXPECT_EQ(2, format.wf.nChannels);
    EXPECT_EQ(44100u, format.wf.nSamplesPerSec);
    DWORD nData;
    memcpy(&nData, wave.data() + 40, 4);
    EXPECT_EQ(20u * 1152 * 2 * 2, nData);
    EXPECT_EQ(44u + nData, wave.size());
    // Silence, give or take the decoder's rounding.
    for (size_t i = 44; i + 1 < wave.size(); i += 2)
    {
        const int16_t nSample = (int16_t)(wave[i] | wave[i + 1] << 8);
        ASSERT_LE(abs(nSample), 4) << "silence decoded to a sample of " << nSample << " at " << i;
    }
}

TEST(Mp3Decode, OtherLayersAndTooLongSoundsAreRefusedWithAReason)
{
    CString strWhy;
    EXPECT_TRUE(DecodeMp3ToWave(Frames({ 0xFF, 0xFD, 0x80, 0x00 }, 417, 3), strWhy).empty());
    EXPECT_STREQ("MPEG audio layer 2", strWhy);
    EXPECT_TRUE(DecodeMp3ToWave(std::vector<uint8_t>(100, 0), strWhy).empty());
    EXPECT_STREQ("no MPEG audio frames", strWhy);
    // Each frame holds 4,608 bytes of samples once decoded: a few megabytes of frames
    // would decode to more than the cap.
    const size_t nFrames = (size_t)(kMaxDecodedMp3Bytes / 4608) + 1;
    EXPECT_TRUE(DecodeMp3ToWave(sample::SilentMp3((int)nFrames), strWhy).empty());
    EXPECT_STREQ("MP3 longer than 64 MB decoded", strWhy);
}

} // namespace
