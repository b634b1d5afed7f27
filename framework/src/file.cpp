// CFile over a Win32 file handle.
#include "afx.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

CString FullPath(LPCSTR lpszFileName)
{
    CString strPath;
    DWORD nLen = GetFullPathNameA(lpszFileName, MAX_PATH, strPath.GetBuffer(MAX_PATH), NULL);
    if (nLen == 0 || nLen >= MAX_PATH)
    {
        strPath.ReleaseBuffer(0);
        return lpszFileName;
    }
    strPath.ReleaseBuffer((int)nLen);
    return strPath;
}

} // namespace

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        Abort();
}

BOOL CFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pException)
{
    ASSERT(m_hFile == hFileNull);
    nOpenFlags &= ~(UINT)typeBinary;
    m_bCloseOnDelete = FALSE;
    m_strFileName = FullPath(lpszFileName);

    DWORD dwAccess;
    switch (nOpenFlags & 3)
    {
    case modeRead:
        dwAccess = GENERIC_READ;
        break;
    case modeWrite:
        dwAccess = GENERIC_WRITE;
        break;
    default:
        dwAccess = GENERIC_READ | GENERIC_WRITE;
        break;
    }

    DWORD dwShareMode;
    switch (nOpenFlags & 0x70)
    {
    case shareDenyWrite:
        dwShareMode = FILE_SHARE_READ;
        break;
    case shareDenyRead:
        dwShareMode = FILE_SHARE_WRITE;
        break;
    case shareDenyNone:
        dwShareMode = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
    default:    // shareCompat and shareExclusive
        dwShareMode = 0;
        break;
    }

    SECURITY_ATTRIBUTES sa = { sizeof sa, NULL, (nOpenFlags & modeNoInherit) == 0 };

    DWORD dwCreateFlag;
    if (nOpenFlags & modeCreate)
        dwCreateFlag = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    else
        dwCreateFlag = OPEN_EXISTING;

    HANDLE hFile = CreateFileA(lpszFileName, dwAccess, dwShareMode, &sa, dwCreateFlag,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    if (hFile == INVALID_HANDLE_VALUE)
    {
        if (pException != NULL)
        {
            pException->m_lOsError = (LONG)GetLastError();
            pException->m_cause = CFileException::OsErrorToException(pException->m_lOsError);
            pException->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_hFile = hFile;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

// Attributes

DWORD CFile::GetPosition() const
{
    DWORD dwPos = SetFilePointer(m_hFile, 0, NULL, FILE_CURRENT);
    if (dwPos == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        CFileException::ThrowOsError((LONG)GetLastError(), m_strFileName);
    return dwPos;
}

CString CFile::GetFileName() const
{
    int nSlash = m_strFileName.ReverseFind('\\');
    int nColon = m_strFileName.ReverseFind(':');
    return m_strFileName.Mid((nSlash > nColon ? nSlash : nColon) + 1);
}

CString CFile::GetFilePath() const { return m_strFileName; }

void CFile::SetFilePath(LPCSTR lpszNewName) { m_strFileName = lpszNewName; }

// Operations

LONG CFile::Seek(LONG lOff, UINT nFrom)
{
    ASSERT(m_hFile != hFileNull);
    ASSERT(nFrom == begin || nFrom == end || nFrom == current);
    DWORD dwNew = SetFilePointer(m_hFile, lOff, NULL, nFrom);
    if (dwNew == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        CFileException::ThrowOsError((LONG)GetLastError(), m_strFileName);
    return (LONG)dwNew;
}

void CFile::SetLength(DWORD dwNewLen)
{
    Seek((LONG)dwNewLen, CFile::begin);
    if (!SetEndOfFile(m_hFile))
        CFileException::ThrowOsError((LONG)GetLastError(), m_strFileName);
}

DWORD CFile::GetLength() const
{
    DWORD dwLen = GetFileSize(m_hFile, NULL);
    if (dwLen == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        CFileException::ThrowOsError((LONG)GetLastError(), m_strFileName);
    return dwLen;
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    ASSERT(m_hFile != hFileNull);
    if (nCount == 0)
        return 0;
    DWORD dwRead;
    if (!ReadFile(m_hFile, lpBuf, nCount, &dwRead, NULL))
        CFileException::ThrowOsError((LONG)GetLastError(), m_strFileName);
    return (UINT)dwRead;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    ASSERT(m_hFile != hFileNull);
    if (nCount == 0)
        return;
    DWORD nWritten;
    if (!WriteFile(m_hFile, lpBuf, nCount, &nWritten, NULL))
        CFileException::ThrowOsError((LONG)GetLastError(), m_strFileName);
    if (nWritten != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

CFile* CFile::Duplicate() const
{
    ASSERT(m_hFile != hFileNull);
    HANDLE hDuplicate;
    if (!DuplicateHandle(GetCurrentProcess(), m_hFile, GetCurrentProcess(), &hDuplicate, 0, FALSE,
                         DUPLICATE_SAME_ACCESS))
        CFileException::ThrowOsError((LONG)GetLastError(), m_strFileName);
    CFile* pFile = new CFile(hDuplicate);
    pFile->m_bCloseOnDelete = TRUE;
    pFile->m_strFileName = m_strFileName;
    return pFile;
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
}

void CFile::Flush()
{
    if (m_hFile == hFileNull)
        return;
    if (!FlushFileBuffers(m_hFile))
        CFileException::ThrowOsError((LONG)GetLastError(), m_strFileName);
}

void CFile::Close()
{
    BOOL bError = FALSE;
    if (m_hFile != hFileNull)
        bError = !CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    if (bError)
        CFileException::ThrowOsError((LONG)GetLastError(), m_strFileName);
}

void PASCAL CFile::Rename(LPCSTR lpszOldName, LPCSTR lpszNewName)
{
    if (!MoveFileA(lpszOldName, lpszNewName))
        CFileException::ThrowOsError((LONG)GetLastError(), lpszOldName);
}

void PASCAL CFile::Remove(LPCSTR lpszFileName)
{
    if (!DeleteFileA(lpszFileName))
        CFileException::ThrowOsError((LONG)GetLastError(), lpszFileName);
}
