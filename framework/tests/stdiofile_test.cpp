#include <afx.h>
#include <gtest/gtest.h>

#include "test_support.h"

namespace {

// The file's bytes as they are on disk.
CString ReadBytes(LPCSTR lpszPath)
{
    CFile file(lpszPath, CFile::modeRead);
    CString strBytes;
    UINT nLen = file.GetLength();
    file.Read(strBytes.GetBuffer((int)nLen), nLen);
    strBytes.ReleaseBuffer((int)nLen);
    return strBytes;
}

class CStdioFileTest : public testing::Test
{
protected:
    CScratchFolder m_folder;
};

// Whether the call throws a TException (which is deleted).
template <class TException, class TCall>
bool Throws(TCall call)
{
    try
    {
        call();
    }
    catch (TException* e)
    {
        e->Delete();
        return true;
    }
    return false;
}

} // namespace

TEST_F(CStdioFileTest, LinesOfTextRoundTripWithTheSystemsLineEnds)
{
    CString strPath = m_folder.Path("lines.txt");
    {
        CStdioFile file(strPath, CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        file.WriteString("first line\n");
        file.WriteString("\n");
        file.WriteString("third ");
        file.WriteString("line\nno newline at the end");
    }
    // Text mode writes the system's line ends.
    EXPECT_STREQ("first line\r\n\r\nthird line\r\nno newline at the end", ReadBytes(strPath));

    CStdioFile file(strPath, CFile::modeRead);      // text unless typeBinary
    CString strLine;
    ASSERT_TRUE(file.ReadString(strLine));
    EXPECT_STREQ("first line", strLine);
    ASSERT_TRUE(file.ReadString(strLine));
    EXPECT_STREQ("", strLine);                      // an empty line is a line
    ASSERT_TRUE(file.ReadString(strLine));
    EXPECT_STREQ("third line", strLine);
    ASSERT_TRUE(file.ReadString(strLine));
    EXPECT_STREQ("no newline at the end", strLine);
    EXPECT_FALSE(file.ReadString(strLine));
    EXPECT_STREQ("", strLine);
    EXPECT_FALSE(file.ReadString(strLine));         // and stays at the end
}

TEST_F(CStdioFileTest, ReadStringIntoABufferKeepsTheNewlineAndStopsAtTheLimit)
{
    CString strPath = m_folder.Path("buffer.txt");
    {
        CStdioFile file(strPath, CFile::modeCreate | CFile::modeWrite);
        file.WriteString("abcdefgh\nxy\n");
    }
    CStdioFile file(strPath, CFile::modeRead);
    char sz[6];
    memset(sz, 'Z', sizeof sz);
    ASSERT_NE(nullptr, file.ReadString(sz, sizeof sz));
    EXPECT_STREQ("abcde", sz);                      // nMax - 1 characters, terminated
    ASSERT_NE(nullptr, file.ReadString(sz, sizeof sz));
    EXPECT_STREQ("fgh\n", sz);                      // the newline is kept
    ASSERT_NE(nullptr, file.ReadString(sz, sizeof sz));
    EXPECT_STREQ("xy\n", sz);
    EXPECT_EQ(nullptr, file.ReadString(sz, sizeof sz));
}

TEST_F(CStdioFileTest, LongLinesAndBinaryMode)
{
    CString strPath = m_folder.Path("long.txt");
    CString strLong;
    for (int i = 0; i < 1000; i++)
        strLong += (char)('a' + i % 26);
    {
        CStdioFile file(strPath, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        file.WriteString(strLong + "\r\nshort\n");
    }
    CString strLine;
    {
        CStdioFile file(strPath, CFile::modeRead);
        ASSERT_TRUE(file.ReadString(strLine));
        EXPECT_EQ(1000, strLine.GetLength());
        EXPECT_STREQ(strLong, strLine);
        ASSERT_TRUE(file.ReadString(strLine));
        EXPECT_STREQ("short", strLine);
    }
    // Binary mode passes the bytes as they are: the '\r' stays, nothing is added.
    CStdioFile file(strPath, CFile::modeRead | CFile::typeBinary);
    ASSERT_TRUE(file.ReadString(strLine));
    EXPECT_EQ(1001, strLine.GetLength());
    EXPECT_EQ('\r', strLine[1000]);
    EXPECT_EQ(1000u + 2 + 6, file.GetLength());
}

TEST_F(CStdioFileTest, PositionLengthAndAppendingThroughTheBuffer)
{
    CString strPath = m_folder.Path("append.txt");
    {
        CStdioFile file(strPath, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        file.WriteString("0123456789");
        // Still in the stream's buffer, yet counted.
        EXPECT_EQ(10u, file.GetLength());
        EXPECT_EQ(10u, file.GetPosition());
        EXPECT_EQ(4, file.Seek(4, CFile::begin));
        file.Write("ab", 2);
        EXPECT_EQ(10u, file.GetLength());
    }
    {
        CStdioFile file(strPath, CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite
                                     | CFile::typeBinary);
        char szHead[4] = {};
        EXPECT_EQ(3u, file.Read(szHead, 3));
        EXPECT_STREQ("012", szHead);
        file.SeekToEnd();
        file.WriteString("!");
        file.Close();
        EXPECT_EQ(nullptr, file.m_pStream);
        EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    }
    EXPECT_STREQ("0123ab6789!", ReadBytes(strPath));
}

TEST_F(CStdioFileTest, FailuresAreExceptionsAndStreamsOfTheCallerStayOpen)
{
    CFileException e;
    CStdioFile missing;
    EXPECT_FALSE(missing.Open(m_folder.Path("none.txt"), CFile::modeRead, &e));
    EXPECT_EQ(CFileException::fileNotFound, e.m_cause);
    EXPECT_EQ(nullptr, missing.m_pStream);
    EXPECT_TRUE(Throws<CFileException>([&] { CStdioFile file(m_folder.Path("none.txt"), CFile::modeRead); }));

    // The sharing flags hold as for CFile.
    CString strPath = m_folder.Path("shared.txt");
    CStdioFile file(strPath, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    CFileException eShared;
    CStdioFile second;
    EXPECT_FALSE(second.Open(strPath, CFile::modeRead, &eShared));
    EXPECT_EQ(CFileException::sharingViolation, eShared.m_cause);

    // A stream cannot be duplicated or locked.
    EXPECT_TRUE(Throws<CNotSupportedException>([&] { delete file.Duplicate(); }));
    EXPECT_TRUE(Throws<CNotSupportedException>([&] { file.LockRange(0, 1); }));
    file.Close();

    // A stream the caller opened: the destructor leaves it open.
    FILE* pStream = fopen(m_folder.Path("caller.txt"), "w+");
    ASSERT_NE(nullptr, pStream);
    {
        CStdioFile wrapped(pStream);
        EXPECT_NE(CFile::hFileNull, wrapped.m_hFile);
        wrapped.WriteString("kept");
    }
    EXPECT_EQ(0, fseek(pStream, 0, SEEK_SET));
    char sz[8] = {};
    EXPECT_EQ(4u, fread(sz, 1, sizeof sz - 1, pStream));
    EXPECT_STREQ("kept", sz);
    fclose(pStream);
}

TEST_F(CStdioFileTest, DuplicateSharesTheFileAndMemoryRefuses)
{
    CString strPath = m_folder.Path("dup.bin");
    CFile file(strPath, CFile::modeCreate | CFile::modeReadWrite);
    file.Write("abc", 3);
    CFile* pDup = file.Duplicate();
    EXPECT_EQ(3u, pDup->GetPosition());     // one position for both
    pDup->Write("de", 2);
    EXPECT_EQ(5u, file.GetPosition());
    EXPECT_STREQ(file.GetFilePath(), pDup->GetFilePath());
    delete pDup;                            // closes its own handle only
    file.Write("f", 1);
    file.Close();
    EXPECT_STREQ("abcdef", ReadBytes(strPath));

    CMemFile mem;
    EXPECT_TRUE(Throws<CNotSupportedException>([&] { delete mem.Duplicate(); }));
    EXPECT_TRUE(Throws<CNotSupportedException>([&] { mem.LockRange(0, 1); }));
    EXPECT_TRUE(Throws<CNotSupportedException>([&] { mem.UnlockRange(0, 1); }));
}
