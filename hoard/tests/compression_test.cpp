// The run-length encoder and decoder over byte buffers.
#include "hoard/data/Compression.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

typedef std::vector<BYTE> Bytes;

std::string Hex(const Bytes& bytes)
{
    std::string s;
    char sz[4];
    for (BYTE b : bytes)
    {
        snprintf(sz, sizeof sz, "%02X ", b);
        s += sz;
    }
    if (!s.empty())
        s.pop_back();
    return s;
}

Bytes Repeat(BYTE b, size_t n) { return Bytes(n, b); }

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

Bytes Words(std::initializer_list<WORD> words)
{
    Bytes bytes;
    for (WORD w : words)
    {
        bytes.push_back((BYTE)w);
        bytes.push_back((BYTE)(w >> 8));
    }
    return bytes;
}

// The stream, or an empty vector when the encoder gives up.
Bytes Encode(const Bytes& data, UINT nWidth)
{
    Bytes stream(data.size());
    DWORD nStored = EncodeRuns(data.data(), (DWORD)data.size(), nWidth, stream.data());
    if (nStored == data.size())
        return Bytes();
    EXPECT_LT(nStored, data.size());
    stream.resize(nStored);
    return stream;
}

// A deterministic mix of runs and varied items.
Bytes MakeData(size_t nSize, unsigned nSeed)
{
    Bytes data;
    unsigned x = nSeed;
    auto next = [&x] { x = x * 1103515245 + 12345; return x >> 16; };
    while (data.size() < nSize)
    {
        size_t nRun = next() % 300;
        BYTE b = (BYTE)next();
        if (next() % 2)
            data.insert(data.end(), nRun, b);
        else
            for (size_t i = 0; i < nRun % 40; ++i)
                data.push_back((BYTE)next());
    }
    data.resize(nSize);
    return data;
}

} // namespace

TEST(Compression, EncodesTheReferenceStreams)
{
    struct
    {
        const char* pszContext;
        Bytes data;
        UINT nWidth;
        const char* pszStream;
    } cases[] = {
        { "literal, run of five, literal, run of twenty",
          Join({ { 0x41 }, Repeat(0x42, 5), { 0x43 }, Repeat(0x00, 20) }), 1,
          "01 00 00 00 02 41 0B 42 02 43 29 00" },
        { "200 zeros: a run of 127, then 73", Repeat(0x00, 200), 1, "01 00 00 00 FF 00 93 00" },
        { "words", Words({ 5, 5, 5, 5, 7, 8, 9, 9, 9, 9, 9, 9 }), 2,
          "02 00 00 00 09 00 05 00 04 00 07 00 08 00 0D 00 09 00" },
        { "ten equal bytes", Repeat(0x5A, 10), 1, "01 00 00 00 15 5A" },
        { "three equal at the start: no empty literal first",
          Join({ Repeat(7, 3), Bytes{ 1, 2, 3, 4, 5, 6, 7, 8 }, Repeat(0, 20) }), 1,
          "01 00 00 00 07 07 10 01 02 03 04 05 06 07 08 29 00" },
        { "the 128th equal byte starts a literal; two more make it a run of 3", Repeat(0x33, 130), 1,
          "01 00 00 00 FF 33 07 33" },
        { "a full run, then the same byte once, then others",
          Join({ Repeat(0x33, 128), Bytes{ 1, 2, 3 }, Repeat(0, 20) }), 1,
          "01 00 00 00 FF 33 08 33 01 02 03 29 00" },
        { "double words", Join({ Repeat(0, 32), Bytes{ 1, 0, 0, 0, 2, 0, 0, 0 }, Repeat(0xFF, 16) }), 4,
          "04 00 00 00 11 00 00 00 00 00 00 00 04 00 00 00 01 00 00 00 02 00 00 00 09 00 00 00 FF FF FF FF" },
        { "sixteen equal bytes as words", Repeat(0xAB, 16), 2, "02 00 00 00 11 00 AB AB" },
        { "28 equal bytes as double words", Repeat(0xAB, 28), 4, "04 00 00 00 0F 00 00 00 AB AB AB AB" },
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.pszStream, Hex(Encode(c.data, c.nWidth))) << c.pszContext;
        // And back.
        Bytes stream = Encode(c.data, c.nWidth);
        Bytes decoded(c.data.size());
        EXPECT_TRUE(DecodeRuns(stream.data(), (DWORD)stream.size(), decoded.data(), (DWORD)decoded.size()))
            << c.pszContext;
        EXPECT_EQ(Hex(c.data), Hex(decoded)) << c.pszContext;
    }
}

TEST(Compression, GivesUpWhereTheStreamWouldNotBeShorter)
{
    Bytes alternating;
    for (int i = 0; i < 1000; ++i)
        alternating.push_back((BYTE)(i % 7));
    struct
    {
        const char* pszContext;
        Bytes data;
        UINT nWidth;
    } cases[] = {
        { "nine equal bytes", Repeat(1, 9), 1 },
        { "fourteen equal bytes as words", Repeat(1, 14), 2 },
        { "24 equal bytes as double words", Repeat(1, 24), 4 },
        { "an odd length as words", Repeat(0, 1001), 2 },
        { "a length that is not a multiple of 4", Repeat(0, 1002), 4 },
        { "no two equal neighbours", alternating, 1 },
        { "one byte", Repeat(0, 1), 1 },
        { "three bytes, shorter than the tag", Repeat(0, 3), 1 },
        { "six words' worth of bytes", Repeat(0, 6), 2 },
        { "no bytes", Bytes(), 1 },
    };
    for (const auto& c : cases)
    {
        Bytes stream(c.data.size() + 1, 0xEE);
        EXPECT_EQ(c.data.size(), EncodeRuns(c.data.data(), (DWORD)c.data.size(), c.nWidth, stream.data()))
            << c.pszContext;
        // The stream never leaves its nSize-byte buffer.
        EXPECT_EQ(0xEE, stream.back()) << c.pszContext;
    }
}

TEST(Compression, RoundTripsAtEveryWidth)
{
    const DWORD sizes[] = { 10, 15, 16, 17, 24, 28, 29, 255, 256, 1001, 4096, 65537, 300000 };
    for (UINT nWidth : { 1u, 2u, 4u })
    {
        for (DWORD nSize : sizes)
        {
            for (unsigned nSeed : { 1u, 77u })
            {
                Bytes data = MakeData(nSize, nSeed * nSize);
                Bytes stream(nSize + 8, 0xEE);
                DWORD nStored = EncodeRuns(data.data(), nSize, nWidth, stream.data());
                ASSERT_LE(nStored, nSize) << "width " << nWidth << " size " << nSize;
                EXPECT_EQ(0xEE, stream[nSize]) << "width " << nWidth << " size " << nSize;
                if (nSize % nWidth != 0)
                {
                    EXPECT_EQ(nSize, nStored) << "width " << nWidth << " size " << nSize;
                }
                if (nStored == nSize)
                    continue;
                Bytes decoded(nSize + 8, 0xCD);
                EXPECT_TRUE(DecodeRuns(stream.data(), nStored, NULL, nSize));
                EXPECT_TRUE(DecodeRuns(stream.data(), nStored, decoded.data(), nSize));
                EXPECT_TRUE(std::equal(data.begin(), data.end(), decoded.begin()))
                    << "width " << nWidth << " size " << nSize << " seed " << nSeed;
                EXPECT_EQ(0xCD, decoded[nSize]) << "width " << nWidth << " size " << nSize;
            }
        }
    }
}

TEST(Compression, LongRunsOfWordsAndDoubleWordsSplitAtTheCeiling)
{
    // 40000 equal words: a run of 32767, then the next item starts a literal that
    // becomes a run of the remaining 7233.
    Bytes words = Repeat(0x11, 80000);
    EXPECT_EQ("02 00 00 00 FF FF 11 11 83 38 11 11", Hex(Encode(words, 2)));
    Bytes dwords = Repeat(0x22, 400);
    EXPECT_EQ("04 00 00 00 C9 00 00 00 22 22 22 22", Hex(Encode(dwords, 4)));
}

TEST(Compression, RejectsCorruptStreamsWithoutOverrun)
{
    struct
    {
        const char* pszContext;
        Bytes stream;
        DWORD nSize;
    } cases[] = {
        { "no room for the tag", { 1, 0, 0 }, 4 },
        { "tag 0", { 0, 0, 0, 0, 0x09, 0x41 }, 4 },
        { "tag 3", { 3, 0, 0, 0, 0x09, 0x41 }, 4 },
        { "tag 8", { 8, 0, 0, 0, 0x09, 0x41 }, 4 },
        { "ends before any token", { 1, 0, 0, 0 }, 4 },
        { "ends early after a run", { 1, 0, 0, 0, 0x07, 0x41 }, 4 },
        { "run without its item", { 1, 0, 0, 0, 0x09 }, 4 },
        { "literal longer than the stream", { 1, 0, 0, 0, 0x08, 1, 2, 3 }, 4 },
        { "run past the size", { 1, 0, 0, 0, 0x0B, 0x41 }, 4 },
        { "literal past the size", { 1, 0, 0, 0, 0x0A, 1, 2, 3, 4, 5 }, 4 },
        { "second token past the size", { 1, 0, 0, 0, 0x05, 0x41, 0x05, 0x42 }, 3 },
        { "only zero-count tokens", { 1, 0, 0, 0, 0x00, 0x01, 0x41, 0x00 }, 1 },
        { "zero-count run without its item", { 1, 0, 0, 0, 0x01 }, 1 },
        { "words: odd size", { 2, 0, 0, 0, 0x03, 0x00, 0x41, 0x42 }, 3 },
        { "words: token cut in half", { 2, 0, 0, 0, 0x03 }, 2 },
        { "words: run item cut in half", { 2, 0, 0, 0, 0x03, 0x00, 0x41 }, 2 },
        { "double words: huge literal", { 4, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4 }, 8 },
        { "double words: huge run", { 4, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4 }, 8 },
        { "double words: size not a multiple of 4", { 4, 0, 0, 0, 0x03, 0, 0, 0, 1, 2, 3, 4 }, 6 },
    };
    for (const auto& c : cases)
    {
        // The stream sits at the end of its own allocation; the output has a guard.
        Bytes stream(c.stream);
        Bytes out(c.nSize + 16, 0xCD);
        EXPECT_FALSE(DecodeRuns(stream.data(), (DWORD)stream.size(), NULL, c.nSize)) << c.pszContext;
        EXPECT_FALSE(DecodeRuns(stream.data(), (DWORD)stream.size(), out.data(), c.nSize)) << c.pszContext;
        EXPECT_EQ(Hex(Repeat(0xCD, 16)), Hex(Bytes(out.begin() + c.nSize, out.end()))) << c.pszContext;
    }
}

// The head of a stream is its decoded data's first bytes, cut inside a literal or a run
// of any width, and the whole stream is checked all the same.
TEST(Compression, DecodesTheHeadOfAStream)
{
    Bytes data = MakeData(5000, 7);
    for (UINT nWidth : { 1u, 2u, 4u })
    {
        Bytes stream = Encode(data, nWidth);
        ASSERT_FALSE(stream.empty()) << nWidth;
        for (DWORD nHead : { 0u, 1u, 3u, 7u, 256u, 5000u, 6000u })
        {
            Bytes head(nHead + 4, 0xCD);
            ASSERT_TRUE(DecodeRunsHead(stream.data(), (DWORD)stream.size(), 5000, head.data(), nHead)) << nWidth;
            const DWORD nKept = nHead < 5000 ? nHead : 5000;
            EXPECT_EQ(Hex(Bytes(data.begin(), data.begin() + nKept)), Hex(Bytes(head.begin(), head.begin() + nKept)))
                << nWidth << ", " << nHead;
            EXPECT_EQ(Hex(Repeat(0xCD, nHead + 4 - nKept)), Hex(Bytes(head.begin() + nKept, head.end())))
                << nWidth << ", " << nHead;
        }
        BYTE head[16];
        EXPECT_FALSE(DecodeRunsHead(stream.data(), (DWORD)stream.size() - 1, 5000, head, 16)) << "cut short";
        EXPECT_FALSE(DecodeRunsHead(stream.data(), (DWORD)stream.size(), 5000 + nWidth, head, 16)) << "falls short";
    }
}

TEST(Compression, ReadsZeroCountTokensAndIgnoresTrailingBytes)
{
    struct
    {
        const char* pszContext;
        Bytes stream;
        Bytes data;
    } cases[] = {
        { "empty literal and empty run between tokens",
          { 1, 0, 0, 0, 0x05, 0x41, 0x00, 0x01, 0x99, 0x04, 0x42, 0x43 }, { 0x41, 0x41, 0x42, 0x43 } },
        { "bytes after the last needed token", { 1, 0, 0, 0, 0x07, 0x41, 0xFF, 0xFF }, { 0x41, 0x41, 0x41 } },
        { "word run", { 2, 0, 0, 0, 0x05, 0x00, 0x34, 0x12 }, { 0x34, 0x12, 0x34, 0x12 } },
        { "double-word literal and run",
          { 4, 0, 0, 0, 0x02, 0, 0, 0, 1, 2, 3, 4, 0x05, 0, 0, 0, 9, 8, 7, 6 },
          { 1, 2, 3, 4, 9, 8, 7, 6, 9, 8, 7, 6 } },
    };
    for (const auto& c : cases)
    {
        Bytes out(c.data.size() + 4, 0xCD);
        EXPECT_TRUE(DecodeRuns(c.stream.data(), (DWORD)c.stream.size(), out.data(), (DWORD)c.data.size()))
            << c.pszContext;
        out.resize(c.data.size());
        EXPECT_EQ(Hex(c.data), Hex(out)) << c.pszContext;
    }
}
