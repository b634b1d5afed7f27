// CFile's status (the times, size and attributes of a file, read from its handle or by
// name and set again by name), its title as the shell shows it, and its locked ranges.
#include "afx.h"

#include <commdlg.h>

// A file time of the file system as a CTime; 0 where the file system keeps none.
static CTime TimeOf(const FILETIME& fileTime)
{
    if (fileTime.dwLowDateTime == 0 && fileTime.dwHighDateTime == 0)
        return CTime();
    return CTime(fileTime);
}

static void FillStatus(CFileStatus& rStatus, const FILETIME& ftCreation,
                       const FILETIME& ftLastAccess, const FILETIME& ftLastWrite,
                       DWORD dwAttributes, DWORD dwSizeLow)
{
    rStatus.m_ctime = TimeOf(ftCreation);
    rStatus.m_atime = TimeOf(ftLastAccess);
    rStatus.m_mtime = TimeOf(ftLastWrite);
    rStatus.m_size = (LONG)dwSizeLow;
    rStatus.m_attribute = (BYTE)dwAttributes;
    rStatus.m_padding = 0;
}

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    BY_HANDLE_FILE_INFORMATION info;
    if (m_hFile == hFileNull || !GetFileInformationByHandle(m_hFile, &info))
        return FALSE;
    if (m_strFileName.GetLength() >= _MAX_PATH)
        return FALSE;
    strcpy(rStatus.m_szFullName, m_strFileName);
    FillStatus(rStatus, info.ftCreationTime, info.ftLastAccessTime, info.ftLastWriteTime,
               info.dwFileAttributes, info.nFileSizeLow);
    return TRUE;
}

BOOL PASCAL CFile::GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus)
{
    ASSERT(lpszFileName != NULL);
    LPSTR pszFilePart;
    DWORD dwLength = GetFullPathNameA(lpszFileName, _MAX_PATH, rStatus.m_szFullName, &pszFilePart);
    if (dwLength == 0 || dwLength >= _MAX_PATH)
    {
        rStatus.m_szFullName[0] = '\0';
        return FALSE;
    }
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(rStatus.m_szFullName, GetFileExInfoStandard, &data))
        return FALSE;
    FillStatus(rStatus, data.ftCreationTime, data.ftLastAccessTime, data.ftLastWriteTime,
               data.dwFileAttributes, data.nFileSizeLow);
    return TRUE;
}

// The CTime as a file time of the file system.
static FILETIME FileTimeOf(const CTime& time)
{
    // 100-nanosecond ticks between 1601 and 1970.
    const ULONGLONG ullEpoch = 116444736000000000ULL;
    ULARGE_INTEGER ticks;
    ticks.QuadPart = ullEpoch + (ULONGLONG)time.GetTime() * 10000000ULL;
    FILETIME fileTime = { ticks.LowPart, ticks.HighPart };
    return fileTime;
}

void PASCAL CFile::SetStatus(LPCSTR lpszFileName, const CFileStatus& status)
{
    ASSERT(lpszFileName != NULL);
    DWORD dwAttributes = GetFileAttributesA(lpszFileName);
    if (dwAttributes == INVALID_FILE_ATTRIBUTES)
        CFileException::ThrowOsError((LONG)GetLastError(), lpszFileName);
    // A read-only file takes new times only once it may be written.
    if ((dwAttributes & FILE_ATTRIBUTE_READONLY) && !SetFileAttributesA(lpszFileName, FILE_ATTRIBUTE_NORMAL))
        CFileException::ThrowOsError((LONG)GetLastError(), lpszFileName);

    if (status.m_ctime.GetTime() > 0 || status.m_atime.GetTime() > 0 || status.m_mtime.GetTime() > 0)
    {
        HANDLE hFile = CreateFileA(lpszFileName, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   NULL, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
        if (hFile == INVALID_HANDLE_VALUE)
            CFileException::ThrowOsError((LONG)GetLastError(), lpszFileName);
        FILETIME ftCreation = FileTimeOf(status.m_ctime);
        FILETIME ftAccess = FileTimeOf(status.m_atime);
        FILETIME ftWrite = FileTimeOf(status.m_mtime);
        BOOL bSet = SetFileTime(hFile, status.m_ctime.GetTime() > 0 ? &ftCreation : NULL,
                                status.m_atime.GetTime() > 0 ? &ftAccess : NULL,
                                status.m_mtime.GetTime() > 0 ? &ftWrite : NULL);
        LONG lError = (LONG)GetLastError();
        CloseHandle(hFile);
        if (!bSet)
            CFileException::ThrowOsError(lError, lpszFileName);
    }

    DWORD dwNewAttributes = status.m_attribute & ~(volume | directory);
    if (!SetFileAttributesA(lpszFileName, dwNewAttributes != 0 ? dwNewAttributes : FILE_ATTRIBUTE_NORMAL))
        CFileException::ThrowOsError((LONG)GetLastError(), lpszFileName);
}

CString CFile::GetFileTitle() const
{
    CString strTitle;
    LPSTR pszTitle = strTitle.GetBuffer(_MAX_PATH);
    if (::GetFileTitleA(m_strFileName, pszTitle, _MAX_PATH) != 0)
        pszTitle[0] = '\0';
    strTitle.ReleaseBuffer();
    return strTitle;
}

void CFile::LockRange(DWORD dwPos, DWORD dwCount)
{
    ASSERT(m_hFile != hFileNull);
    if (!LockFile(m_hFile, dwPos, 0, dwCount, 0))
        CFileException::ThrowOsError((LONG)GetLastError(), m_strFileName);
}

void CFile::UnlockRange(DWORD dwPos, DWORD dwCount)
{
    ASSERT(m_hFile != hFileNull);
    if (!UnlockFile(m_hFile, dwPos, 0, dwCount, 0))
        CFileException::ThrowOsError((LONG)GetLastError(), m_strFileName);
}
