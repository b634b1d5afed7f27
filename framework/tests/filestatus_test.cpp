// CFile's status by name and by handle, setting it again, the title and locked ranges,
// on real files in a scratch folder.
#include <afx.h>
#include <gtest/gtest.h>

#include "test_support.h"

namespace {

void WriteFile(LPCSTR lpszPath, const char* pszText)
{
    CFile file(lpszPath, CFile::modeCreate | CFile::modeWrite);
    file.Write(pszText, (UINT)strlen(pszText));
}

} // namespace

TEST(FileStatus, ByNameAndByHandleAgree)
{
    CScratchFolder folder;
    CString strPath = folder.Path("status.txt");
    CTime before = CTime::GetCurrentTime() - CTimeSpan(0, 0, 0, 2);
    WriteFile(strPath, "twelve bytes");
    CTime after = CTime::GetCurrentTime() + CTimeSpan(0, 0, 0, 2);

    CFileStatus byName;
    ASSERT_TRUE(CFile::GetStatus(strPath, byName));
    EXPECT_EQ(12, byName.m_size);
    EXPECT_STRCASEEQ(strPath, byName.m_szFullName);
    EXPECT_EQ(0, byName.m_attribute & (CFile::directory | CFile::readOnly));
    EXPECT_TRUE(before <= byName.m_mtime && byName.m_mtime <= after)
        << (LPCSTR)byName.m_mtime.Format("%c");

    CFile file(strPath, CFile::modeRead);
    CFileStatus byHandle;
    ASSERT_TRUE(file.GetStatus(byHandle));
    EXPECT_EQ(byName.m_size, byHandle.m_size);
    EXPECT_EQ(byName.m_mtime, byHandle.m_mtime);
    EXPECT_EQ(byName.m_attribute, byHandle.m_attribute);
    EXPECT_STREQ(strPath, byHandle.m_szFullName);
}

TEST(FileStatus, RelativeNamesFoldersAndMissingFiles)
{
    CScratchFolder folder;
    char szOld[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, szOld);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Folder()));
    WriteFile("here.txt", "x");
    CFileStatus status;
    EXPECT_TRUE(CFile::GetStatus("here.txt", status));
    EXPECT_STRCASEEQ(folder.Path("here.txt"), status.m_szFullName) << "the full name of a relative one";
    SetCurrentDirectoryA(szOld);

    CString strFolder = folder.Folder();
    strFolder.TrimRight('\\');
    ASSERT_TRUE(CFile::GetStatus(strFolder, status));
    EXPECT_NE(0, status.m_attribute & CFile::directory);

    EXPECT_FALSE(CFile::GetStatus(folder.Path("missing.txt"), status));
    EXPECT_FALSE(CFile::GetStatus(CString('a', 400), status)) << "a name too long for the status";
    CFile closed;
    EXPECT_FALSE(closed.GetStatus(status));
}

TEST(FileStatus, SetStatusSetsTimesAndAttributes)
{
    CScratchFolder folder;
    CString strPath = folder.Path("dated.txt");
    WriteFile(strPath, "abc");
    CFileStatus status;
    ASSERT_TRUE(CFile::GetStatus(strPath, status));

    status.m_mtime = CTime(951825600);      // 2000-02-29 12:00 UTC
    status.m_atime = CTime(951825660);
    status.m_ctime = CTime();               // left as it is
    status.m_attribute = CFile::readOnly | CFile::archive;
    CFile::SetStatus(strPath, status);

    CFileStatus now;
    ASSERT_TRUE(CFile::GetStatus(strPath, now));
    EXPECT_EQ(951825600, now.m_mtime.GetTime());
    EXPECT_EQ(951825660, now.m_atime.GetTime());
    EXPECT_EQ(CFile::readOnly | CFile::archive, now.m_attribute & (CFile::readOnly | CFile::archive));

    // A read-only file takes new times too, and loses the flag when asked.
    now.m_mtime = CTime(951825700);
    now.m_attribute = CFile::normal;
    CFile::SetStatus(strPath, now);
    ASSERT_TRUE(CFile::GetStatus(strPath, status));
    EXPECT_EQ(951825700, status.m_mtime.GetTime());
    EXPECT_EQ(0, status.m_attribute & CFile::readOnly);

    EXPECT_EQ(CFileException::fileNotFound,
              CauseOf<CFileException>([&] { CFile::SetStatus(folder.Path("missing.txt"), status); }));
}

TEST(FileStatus, TitleIsWhatTheShellShows)
{
    CScratchFolder folder;
    CString strPath = folder.Path("report.txt");
    WriteFile(strPath, "x");
    CFile file(strPath, CFile::modeRead);
    char szExpected[MAX_PATH];
    ASSERT_EQ(0, GetFileTitleA(strPath, szExpected, MAX_PATH));
    EXPECT_STREQ(szExpected, file.GetFileTitle());
    EXPECT_EQ(0, file.GetFileName().Find(file.GetFileTitle())) << "the name, or the name without extension";
}

// Wine lets another handle read a locked range; only locks conflict there.
TEST(FileStatus, LockedRangesRefuseOtherLocks)
{
    CScratchFolder folder;
    CString strPath = folder.Path("locked.bin");
    WriteFile(strPath, "0123456789");
    CFile first(strPath, CFile::modeReadWrite | CFile::shareDenyNone);
    CFile second(strPath, CFile::modeReadWrite | CFile::shareDenyNone);
    first.LockRange(2, 4);
    EXPECT_EQ(CFileException::lockViolation, CauseOf<CFileException>([&] { second.LockRange(5, 1); }));
    second.LockRange(6, 2);     // bytes outside the range
    first.UnlockRange(2, 4);
    second.LockRange(5, 1);
    second.UnlockRange(5, 1);
    second.UnlockRange(6, 2);
    EXPECT_EQ(CFileException::lockViolation, CauseOf<CFileException>([&] { first.UnlockRange(2, 4); }))
        << "a range not locked";
}
