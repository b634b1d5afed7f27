#include <afx.h>
#include <gtest/gtest.h>

#include <functional>

#include "test_support.h"

namespace {

class CFileTest : public testing::Test
{
protected:
    // Creates the file with the given bytes.
    CString MakeFile(LPCSTR lpszName, LPCSTR lpszContents = "0123456789")
    {
        CString strPath = m_folder.Path(lpszName);
        CFile file(strPath, CFile::modeCreate | CFile::modeWrite);
        file.Write(lpszContents, (UINT)strlen(lpszContents));
        return strPath;
    }

    CScratchFolder m_folder;
};

} // namespace

TEST_F(CFileTest, ShareModes)
{
    const struct
    {
        const char* context;
        UINT nFirst;
        UINT nSecond;
        int nCause;     // of the second open; none when it succeeds
    } cases[] = {
        { "exclusive refuses a reader", CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive,
          CFile::modeRead | CFile::shareDenyNone, CFileException::sharingViolation },
        { "deny-write allows a reader", CFile::modeRead | CFile::shareDenyWrite,
          CFile::modeRead | CFile::shareDenyWrite, CFileException::none },
        { "deny-write refuses a writer", CFile::modeRead | CFile::shareDenyWrite,
          CFile::modeWrite | CFile::shareDenyNone, CFileException::sharingViolation },
        { "deny-none allows a writer", CFile::modeRead | CFile::shareDenyNone,
          CFile::modeReadWrite | CFile::shareDenyNone, CFileException::none },
        { "deny-read refuses a reader", CFile::modeWrite | CFile::shareDenyRead,
          CFile::modeRead | CFile::shareDenyNone, CFileException::sharingViolation },
        { "compatibility mode is exclusive", CFile::modeRead | CFile::shareCompat,
          CFile::modeRead | CFile::shareDenyNone, CFileException::sharingViolation },
        { "a writer refuses deny-write", CFile::modeReadWrite | CFile::shareDenyNone,
          CFile::modeRead | CFile::shareDenyWrite, CFileException::sharingViolation },
    };
    CString strPath = MakeFile("share.bin");
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.context);
        CFile first;
        ASSERT_TRUE(first.Open(strPath, c.nFirst));
        CFile second;
        CFileException e;
        EXPECT_EQ(c.nCause == CFileException::none, second.Open(strPath, c.nSecond, &e));
        if (c.nCause != CFileException::none)
        {
            EXPECT_EQ(c.nCause, e.m_cause);
            EXPECT_EQ(ERROR_SHARING_VIOLATION, e.m_lOsError);
            EXPECT_STREQ(strPath, e.m_strFileName);
            EXPECT_EQ(CFile::hFileNull, second.m_hFile);
        }
    }
}

TEST_F(CFileTest, OpenFailures)
{
    const struct { const char* context; CString strPath; UINT nFlags; int nCause; } cases[] = {
        { "missing file", m_folder.Path("missing.bin"), CFile::modeRead, CFileException::fileNotFound },
        { "missing folder", m_folder.Path("nowhere\\x.bin"), CFile::modeCreate | CFile::modeWrite,
          CFileException::badPath },
        { "folder", m_folder.Folder(), CFile::modeRead, CFileException::accessDenied },
        { "bad name", m_folder.Path("bad|name.bin"), CFile::modeRead, CFileException::badPath },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.context);
        CFile file;
        CFileException e;
        EXPECT_FALSE(file.Open(c.strPath, c.nFlags, &e));
        EXPECT_EQ(c.nCause, e.m_cause);
        EXPECT_STREQ(c.strPath, e.m_strFileName);

        // The constructor throws the same.
        CString strName;
        EXPECT_EQ(c.nCause, CauseOf<CFileException>([&] { CFile f(c.strPath, c.nFlags); }, &strName));
        EXPECT_STREQ(c.strPath, strName);
    }
}

TEST_F(CFileTest, Paths)
{
    char szOldDir[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, szOldDir);
    SetCurrentDirectoryA(m_folder.Folder());
    {
        CFile file("rel.bin", CFile::modeCreate | CFile::modeWrite);
        EXPECT_STREQ(m_folder.Path("rel.bin"), file.GetFilePath());
        EXPECT_STREQ("rel.bin", file.GetFileName());
    }
    SetCurrentDirectoryA(szOldDir);
    CFile file(m_folder.Path("rel.bin"), CFile::modeRead);
    EXPECT_STREQ(m_folder.Path("rel.bin"), file.GetFilePath());
}

TEST_F(CFileTest, SeekReadAndLength)
{
    CFile file(MakeFile("seek.bin"), CFile::modeReadWrite);
    EXPECT_EQ(10u, file.GetLength());
    EXPECT_EQ(7, file.Seek(-3, CFile::end));
    EXPECT_EQ(7u, file.GetPosition());
    char sz[16] = {};
    EXPECT_EQ(3u, file.Read(sz, 10));
    EXPECT_STREQ("789", sz);
    EXPECT_EQ(0u, file.Read(sz, 10)) << "at the end";
    EXPECT_EQ(4, file.Seek(-6, CFile::current));
    EXPECT_EQ(2, file.Seek(2, CFile::begin));
    EXPECT_EQ(10u, file.SeekToEnd());

    EXPECT_EQ(CFileException::badSeek, CauseOf<CFileException>([&] { file.Seek(-1, CFile::begin); }));
    EXPECT_EQ(10u, file.GetPosition());

    file.SetLength(4);
    EXPECT_EQ(4u, file.GetLength());
    file.SeekToBegin();
    memset(sz, 0, sizeof sz);
    EXPECT_EQ(4u, file.Read(sz, 10));
    EXPECT_STREQ("0123", sz);
    file.SetLength(6);
    file.Seek(4, CFile::begin);
    EXPECT_EQ(2u, file.Read(sz, 10));
    EXPECT_EQ(0, memcmp(sz, "\0\0", 2));
    file.Close();
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);
}

// Abort closes the handle without reporting anything, also when nothing is open.
TEST_F(CFileTest, Abort)
{
    CString strPath = MakeFile("abort.bin");
    CFile file(strPath, CFile::modeReadWrite | CFile::shareExclusive);
    file.Write("ab", 2);
    file.Abort();
    EXPECT_EQ(CFile::hFileNull, file.m_hFile);
    file.Abort();
    file.Close();
    CFile again(strPath, CFile::modeRead | CFile::shareExclusive);
    char sz[4] = {};
    EXPECT_EQ(3u, again.Read(sz, 3));
    EXPECT_STREQ("ab2", sz);
}

TEST_F(CFileTest, RemoveAndRename)
{
    CString strA = MakeFile("a.bin");
    CString strB = MakeFile("b.bin");
    CString strLocked = MakeFile("locked.bin");
    CString strReadOnly = MakeFile("readonly.bin");
    SetFileAttributesA(strReadOnly, FILE_ATTRIBUTE_READONLY);
    CFile locked(strLocked, CFile::modeRead | CFile::shareExclusive);

    const struct
    {
        const char* context;
        std::function<void()> f;
        CString strName;
        int nCause;
    } cases[] = {
        { "remove a missing file", [&] { CFile::Remove(m_folder.Path("none.bin")); },
          m_folder.Path("none.bin"), CFileException::fileNotFound },
        { "remove in a missing folder", [&] { CFile::Remove(m_folder.Path("no\\x.bin")); },
          m_folder.Path("no\\x.bin"), CFileException::badPath },
        { "remove an open file", [&] { CFile::Remove(strLocked); }, strLocked,
          CFileException::sharingViolation },
        { "remove a read-only file", [&] { CFile::Remove(strReadOnly); }, strReadOnly,
          CFileException::accessDenied },
        { "rename a missing file", [&] { CFile::Rename(m_folder.Path("none.bin"), strA); },
          m_folder.Path("none.bin"), CFileException::fileNotFound },
        { "rename onto a file", [&] { CFile::Rename(strA, strB); }, strA,
          CFileException::accessDenied },
        { "rename into a missing folder", [&] { CFile::Rename(strA, m_folder.Path("no\\a.bin")); },
          strA, CFileException::badPath },
    };
    for (const auto& c : cases)
    {
        CString strName;
        EXPECT_EQ(c.nCause, CauseOf<CFileException>(c.f, &strName)) << c.context;
        EXPECT_STREQ(c.strName, strName) << c.context;
    }

    CFile::Rename(strA, m_folder.Path("c.bin"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(strA));
    CFile::Remove(m_folder.Path("c.bin"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_folder.Path("c.bin")));
}
