// The keys of the canvas caches: their records byte for byte, their hash and equality.
#include "limn/canvas/LogBrush.h"
#include "limn/canvas/LogFont.h"
#include "limn/canvas/LogPen.h"

#include <gtest/gtest.h>

TEST(HashBytes, SignedBytesWrapAt32Bits)
{
    const struct
    {
        const char* context;
        const char* pData;
        size_t nBytes;
        UINT nHash;
    } cases[] = {
        { "nothing", "", 0, 0 },
        { "one byte", "a", 1, 97 },
        { "two bytes", "ab", 2, 97 * 33 + 98 },
        { "high byte is negative", "\xFF", 1, 0xFFFFFFFF },
        { "negative then positive", "\x80\x01", 2, (UINT)(-128 * 33 + 1) },
        { "wraps", "zzzzzzzz", 8, 0x6C1A6ED0 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.nHash, HashBytes(c.pData, c.nBytes)) << c.context;
}

// The hash takes several bytes a step; it must stay the byte-by-byte value for every
// length and alignment, signed bytes included.
TEST(HashBytes, EveryLengthAndAlignmentGivesTheByteByByteValue)
{
    signed char bytes[80];
    UINT seed = 7;
    for (signed char& b : bytes)
    {
        seed = seed * 1103515245u + 12345u;
        b = (signed char)(seed >> 16);
    }
    for (size_t nStart = 0; nStart < 4; ++nStart)
        for (size_t nBytes = 0; nStart + nBytes <= sizeof(bytes); ++nBytes)
        {
            UINT h = 0;
            for (size_t i = 0; i < nBytes; ++i)
                h = h * 33 + (UINT)(int)bytes[nStart + i];
            ASSERT_EQ(h, HashBytes(bytes + nStart, nBytes)) << "start " << nStart << ", " << nBytes << " bytes";
        }
}

TEST(CacheKeys, RecordsAreZeroFilledAndComplete)
{
    ASSERT_EQ(16u, sizeof(CLogPen));
    ASSERT_EQ(12u, sizeof(CLogBrush));
    ASSERT_EQ(60u, sizeof(CLogFont));

    const DWORD penDashed[4] = { PS_DASH, 3, 3, 0x02123456 };
    const DWORD penSolid[4] = { PS_INSIDEFRAME, 0xFFFF, 0xFFFF, 0 };
    CLogPen pen(0x02123456, 3, TRUE);
    EXPECT_EQ(0, memcmp(penDashed, &pen, 16));
    pen = CLogPen(0, 0xFFFF, FALSE);
    EXPECT_EQ(0, memcmp(penSolid, &pen, 16));

    const DWORD brushHatched[3] = { BS_HATCHED, 0x020A0B0C, HS_DIAGCROSS };
    const DWORD brushSolid[3] = { BS_SOLID, 0x020A0B0C, HS_DIAGCROSS };
    CLogBrush brush(0x020A0B0C, TRUE);
    EXPECT_EQ(0, memcmp(brushHatched, &brush, 12));
    brush = CLogBrush(0x020A0B0C, FALSE);
    EXPECT_EQ(0, memcmp(brushSolid, &brush, 12));

    LOGFONTA expected = {};
    expected.lfHeight = -16;
    expected.lfWeight = FW_BOLD;
    expected.lfItalic = 1;
    expected.lfQuality = DRAFT_QUALITY;
    strcpy(expected.lfFaceName, "Arial");
    CLogFont font(-16, "Arial", TRUE, FALSE, TRUE);
    EXPECT_EQ(0, memcmp(&expected, &font, 60));
}

TEST(CacheKeys, FaceNames)
{
    // A long name is cut to the 31 characters that fit; the bytes after it stay zero.
    CLogFont fontLong(10, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghij", FALSE, FALSE, FALSE);
    EXPECT_STREQ("ABCDEFGHIJKLMNOPQRSTUVWXYZabcde", fontLong.lfFaceName);
    EXPECT_TRUE(fontLong == CLogFont(10, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdeXYZ", FALSE, FALSE, FALSE));

    CLogFont fontNone(10, NULL, FALSE, FALSE, FALSE);
    CLogFont fontEmpty(10, "", FALSE, FALSE, FALSE);
    EXPECT_EQ(0, memcmp(&fontNone, &fontEmpty, 60));

    const struct
    {
        const char* context;
        CLogFont other;
        bool bEqual;
    } cases[] = {
        { "same", CLogFont(10, "Arial", FALSE, TRUE, FALSE), true },
        { "face case", CLogFont(10, "ARIAL", FALSE, TRUE, FALSE), false },
        { "height", CLogFont(11, "Arial", FALSE, TRUE, FALSE), false },
        { "bold", CLogFont(10, "Arial", TRUE, TRUE, FALSE), false },
        { "underline", CLogFont(10, "Arial", FALSE, FALSE, FALSE), false },
        { "italic", CLogFont(10, "Arial", FALSE, TRUE, TRUE), false },
    };
    CLogFont font(10, "Arial", FALSE, TRUE, FALSE);
    for (const auto& c : cases)
    {
        EXPECT_EQ(c.bEqual, font == c.other) << c.context;
        if (c.bEqual)
        {
            EXPECT_EQ(HashKey<const CLogFont&>(font), HashKey<const CLogFont&>(c.other)) << c.context;
        }
    }
}

TEST(CacheKeys, BucketHashDropsTheLowFourBits)
{
    CLogPen pen(0x02010203, 1, FALSE);
    EXPECT_EQ(HashBytes(&pen, sizeof(LOGPEN)) >> 4, HashKey<const CLogPen&>(pen));
    CLogBrush brush(0x02010203, TRUE);
    EXPECT_EQ(HashBytes(&brush, 12) >> 4, HashKey<const CLogBrush&>(brush));
}
