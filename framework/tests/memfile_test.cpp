#include <afx.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "test_support.h"

namespace {

// Exposes the size of the memory block.
class CMemFileProbe : public CMemFile
{
public:
    using CMemFile::CMemFile;
    DWORD GetBufferSize() const { return m_nBufferSize; }
};

} // namespace

TEST(CMemFile, GrowsInSteps)
{
    CMemFileProbe file(100);
    const std::string strBlock(150, 'b');
    const struct
    {
        const char* context;
        std::function<void()> op;
        DWORD nLength, nBufferSize;
    } steps[] = {
        { "one byte", [&] { file.Write("a", 1); }, 1, 100 },
        { "to the step", [&] { file.Write(strBlock.data(), 99); }, 100, 100 },
        { "one more", [&] { file.Write("c", 1); }, 101, 200 },
        { "150 more", [&] { file.Write(strBlock.data(), 150); }, 251, 300 },
        { "SetLength up", [&] { file.SetLength(1001); }, 1001, 1100 },
        { "SetLength down", [&] { file.SetLength(10); }, 10, 1100 },
        { "write far out", [&] { file.Seek(5000, CFile::begin); file.Write("d", 1); }, 5001, 5100 },
    };
    for (const auto& step : steps)
    {
        step.op();
        EXPECT_EQ(step.nLength, file.GetLength()) << step.context;
        EXPECT_EQ(step.nBufferSize, file.GetBufferSize()) << step.context;
    }
    std::string strExpected = "a" + strBlock.substr(0, 9) + std::string(4990, '\0') + "d";
    EXPECT_EQ(strExpected, Contents(file));
}

// A write past the end leaves zeros in the gap, also over bytes cut off before.
TEST(CMemFile, SeekPastEndThenWrite)
{
    CMemFile file;
    file.Write("abcdef", 6);
    file.SetLength(2);
    EXPECT_EQ(7, file.Seek(5, CFile::current));
    char ch;
    EXPECT_EQ(0u, file.Read(&ch, 1)) << "past the end";
    EXPECT_EQ(5, file.Seek(5, CFile::begin));
    file.Write("x", 1);
    EXPECT_EQ(std::string("ab\0\0\0x", 6), Contents(file));
    EXPECT_EQ(0u, file.Read(&ch, 1)) << "at the end";
    file.SetLength(8);
    EXPECT_EQ(std::string("ab\0\0\0x\0\0", 8), Contents(file));
}

TEST(CMemFile, BadSeek)
{
    CMemFile file;
    file.Write("abcde", 5);
    file.Seek(2, CFile::begin);
    const struct { LONG lOff; UINT nFrom; } cases[] = {
        { -1, CFile::begin }, { -3, CFile::current }, { -6, CFile::end }, { LONG_MIN, CFile::end },
    };
    for (const auto& c : cases)
    {
        CFileException* e = Thrown<CFileException>([&] { file.Seek(c.lOff, c.nFrom); });
        ASSERT_TRUE(e != NULL) << c.lOff << " from " << c.nFrom;
        EXPECT_EQ(CFileException::badSeek, e->m_cause);
        e->Delete();
        EXPECT_EQ(2u, file.GetPosition());
    }
    EXPECT_EQ(0, file.Seek(-5, CFile::end));
}

// Detach gives the grown block to the caller and leaves an empty file.
TEST(CMemFile, AttachDetach)
{
    BYTE* pBlock = static_cast<BYTE*>(malloc(16));
    memset(pBlock, 'z', 16);
    CMemFile file;
    file.Attach(pBlock, 16, 32);
    EXPECT_EQ(0u, file.GetLength()) << "a growable block starts empty";
    const std::string strData(40, 'q');
    file.Write(strData.data(), 40);
    EXPECT_EQ(40u, file.GetLength());
    BYTE* pDetached = file.Detach();
    ASSERT_TRUE(pDetached != NULL);
    EXPECT_EQ(0, memcmp(pDetached, strData.data(), 40));
    free(pDetached);
    EXPECT_EQ(0u, file.GetLength());
    EXPECT_EQ(0u, file.GetPosition());

    // The file goes on with a block of its own.
    file.Write("ab", 2);
    EXPECT_EQ("ab", Contents(file));

    // Once a caller's block is closed away, the blocks the file grows are its own.
    size_t nBefore = HeapInUse();
    {
        BYTE block[8];
        CMemFile fileClosed;
        fileClosed.Attach(block, sizeof block, 1024);
        fileClosed.Close();
        fileClosed.SetLength(100000);
    }
    EXPECT_EQ(nBefore, HeapInUse());
}

// A fixed block holds its bytes and cannot grow.
TEST(CMemFile, FixedBlock)
{
    BYTE block[8] = { 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h' };
    {
        CMemFile file(block, sizeof block);
        EXPECT_EQ(8u, file.GetLength());
        EXPECT_EQ("abcdefgh", Contents(file));
        file.Seek(2, CFile::begin);
        file.Write("XY", 2);
        file.SetLength(7);
        EXPECT_EQ(7u, file.GetLength());

        const struct { const char* context; std::function<void()> op; } cases[] = {
            { "write past the block", [&] { file.Seek(6, CFile::begin); file.Write("123", 3); } },
            { "SetLength past the block", [&] { file.SetLength(9); } },
            { "write far out", [&] { file.Seek(100, CFile::begin); file.Write("1", 1); } },
        };
        for (const auto& c : cases)
        {
            CMemoryException* e = Thrown<CMemoryException>(c.op);
            ASSERT_TRUE(e != NULL) << c.context;
            e->Delete();
            EXPECT_EQ(7u, file.GetLength()) << c.context;
        }
        EXPECT_EQ(0, memcmp(block, "abXYefgh", 8));
        file.Close();
    }
    EXPECT_EQ(0, memcmp(block, "abXYefgh", 8)) << "the caller's block is left alone";

    CMemFile file;
    file.Attach(block, sizeof block);
    EXPECT_EQ(block, file.Detach());
    EXPECT_EQ(0u, file.GetLength());
}
