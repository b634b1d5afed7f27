// CStdioFile: a CFile over a buffered C runtime stream, for lines of text.
#include "afx.h"

#include <errno.h>
#include <fcntl.h>
#include <io.h>
#include <limits.h>

IMPLEMENT_DYNAMIC(CStdioFile, CFile)

// The causes of the C runtime's errors, for the stream's failures.

int PASCAL CFileException::ErrnoToException(int nErrno)
{
    switch (nErrno)
    {
    case EPERM:
    case EACCES:
        return CFileException::accessDenied;
    case ENOENT:
        return CFileException::fileNotFound;
    case EBADF:
        return CFileException::invalidFile;
    case EMFILE:
        return CFileException::tooManyOpenFiles;
    case ENOSPC:
        return CFileException::diskFull;
    case EDEADLOCK:
        return CFileException::sharingViolation;
    case EINVAL:
    case EIO:
        return CFileException::hardIO;
    default:
        return CFileException::generic;
    }
}

void PASCAL CFileException::ThrowErrno(int nErrno, LPCSTR lpszFileName)
{
    // The system's own code behind errno, when the runtime recorded one.
    AfxThrowFileException(ErrnoToException(nErrno), _doserrno != 0 ? (LONG)_doserrno : -1, lpszFileName);
}

// The stream

CStdioFile::CStdioFile() : m_pStream(NULL) {}

CStdioFile::CStdioFile(FILE* pOpenStream) : m_pStream(pOpenStream)
{
    ASSERT(pOpenStream != NULL);
    m_hFile = (HANDLE)_get_osfhandle(_fileno(pOpenStream));
}

CStdioFile::CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags) : m_pStream(NULL)
{
    CFileException e;
    if (!Open(lpszFileName, nOpenFlags, &e))
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
}

CStdioFile::~CStdioFile()
{
    // The handle belongs to the stream: CFile's destructor must not close it again.
    if (m_pStream != NULL && m_bCloseOnDelete)
        Abort();
    m_pStream = NULL;
    m_hFile = hFileNull;
}

BOOL CStdioFile::Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    ASSERT(m_pStream == NULL);
    // The handle comes from CFile, with its sharing and creation; the stream is made on it.
    if (!CFile::Open(lpszFileName, nOpenFlags & ~(UINT)(typeText | typeBinary), pError))
        return FALSE;

    // The stream neither creates nor truncates: CFile::Open has done what the flags ask.
    char szMode[4];
    int nMode = 0;
    int nFlags = (nOpenFlags & typeBinary) ? _O_BINARY : _O_TEXT;
    switch (nOpenFlags & 3)
    {
    case modeRead:
        szMode[nMode++] = 'r';
        nFlags |= _O_RDONLY;
        break;
    case modeWrite:
        szMode[nMode++] = 'w';
        nFlags |= _O_WRONLY;
        break;
    default:
        szMode[nMode++] = 'r';
        szMode[nMode++] = '+';
        nFlags |= _O_RDWR;
        break;
    }
    szMode[nMode++] = (nOpenFlags & typeBinary) ? 'b' : 't';
    szMode[nMode] = '\0';

    int nHandle = _open_osfhandle((intptr_t)m_hFile, nFlags);
    FILE* pStream = nHandle != -1 ? _fdopen(nHandle, szMode) : NULL;
    if (pStream == NULL)
    {
        int nErrno = errno;
        if (nHandle != -1)
            _close(nHandle);        // closes m_hFile with it
        else
            CFile::Abort();
        m_hFile = hFileNull;
        m_bCloseOnDelete = FALSE;
        if (pError != NULL)
        {
            pError->m_cause = CFileException::ErrnoToException(nErrno);
            pError->m_lOsError = -1;
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_pStream = pStream;
    return TRUE;
}

void CStdioFile::WriteString(LPCSTR lpsz)
{
    ASSERT(m_pStream != NULL);
    if (lpsz != NULL && fputs(lpsz, m_pStream) == EOF)
        CFileException::ThrowErrno(errno, m_strFileName);
}

LPSTR CStdioFile::ReadString(LPSTR lpsz, UINT nMax)
{
    ASSERT(m_pStream != NULL);
    ASSERT(lpsz != NULL && nMax > 0);
    if (nMax > INT_MAX)
        nMax = INT_MAX;
    LPSTR lpszResult = fgets(lpsz, (int)nMax, m_pStream);
    if (lpszResult == NULL)
    {
        lpsz[0] = '\0';
        if (ferror(m_pStream))
        {
            clearerr(m_pStream);
            CFileException::ThrowErrno(errno, m_strFileName);
        }
    }
    return lpszResult;
}

BOOL CStdioFile::ReadString(CString& rString)
{
    rString.Empty();
    char szChunk[128];
    BOOL bRead = FALSE;
    // A line longer than the chunk comes in several; it ends where one ends in '\n'.
    while (ReadString(szChunk, sizeof szChunk) != NULL)
    {
        bRead = TRUE;
        size_t nLen = strlen(szChunk);
        if (nLen > 0 && szChunk[nLen - 1] == '\n')
        {
            szChunk[nLen - 1] = '\0';
            rString += szChunk;
            return TRUE;
        }
        rString += szChunk;
    }
    return bRead;
}

DWORD CStdioFile::GetPosition() const
{
    ASSERT(m_pStream != NULL);
    long lPos = ftell(m_pStream);
    if (lPos == -1)
        CFileException::ThrowErrno(errno, m_strFileName);
    return (DWORD)lPos;
}

LONG CStdioFile::Seek(LONG lOff, UINT nFrom)
{
    ASSERT(m_pStream != NULL);
    ASSERT(nFrom == begin || nFrom == end || nFrom == current);
    static const int s_origins[] = { SEEK_SET, SEEK_CUR, SEEK_END };
    if (fseek(m_pStream, lOff, s_origins[nFrom]) != 0)
        AfxThrowFileException(CFileException::badSeek, -1, m_strFileName);
    return (LONG)GetPosition();
}

DWORD CStdioFile::GetLength() const
{
    // Measured through the stream, so that what is still in its buffer counts.
    long lPos = ftell(m_pStream);
    if (lPos == -1 || fseek(m_pStream, 0, SEEK_END) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
    long lLength = ftell(m_pStream);
    if (fseek(m_pStream, lPos, SEEK_SET) != 0 || lLength == -1)
        CFileException::ThrowErrno(errno, m_strFileName);
    return (DWORD)lLength;
}

UINT CStdioFile::Read(void* lpBuf, UINT nCount)
{
    ASSERT(m_pStream != NULL);
    if (nCount == 0)
        return 0;
    size_t nRead = fread(lpBuf, 1, nCount, m_pStream);
    if (nRead == 0 && ferror(m_pStream))
    {
        clearerr(m_pStream);
        CFileException::ThrowErrno(errno, m_strFileName);
    }
    return (UINT)nRead;
}

void CStdioFile::Write(const void* lpBuf, UINT nCount)
{
    ASSERT(m_pStream != NULL);
    if (fwrite(lpBuf, 1, nCount, m_pStream) != nCount)
        CFileException::ThrowErrno(errno, m_strFileName);
}

void CStdioFile::Abort()
{
    if (m_pStream != NULL && m_bCloseOnDelete)
        fclose(m_pStream);
    m_pStream = NULL;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
}

void CStdioFile::Flush()
{
    if (m_pStream != NULL && fflush(m_pStream) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
}

void CStdioFile::Close()
{
    int nResult = 0;
    if (m_pStream != NULL)
        nResult = fclose(m_pStream);     // a stream the caller gave as well: Close closes
    int nErrno = errno;
    m_pStream = NULL;
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    if (nResult != 0)
        CFileException::ThrowErrno(nErrno, m_strFileName);
}

CFile* CStdioFile::Duplicate() const { AfxThrowNotSupportedException(); }

void CStdioFile::LockRange(DWORD, DWORD) { AfxThrowNotSupportedException(); }

void CStdioFile::UnlockRange(DWORD, DWORD) { AfxThrowNotSupportedException(); }
