// CMemFile: a file in a block of memory that grows in steps of m_nGrowBytes.
#include "afx.h"

#include <stdlib.h>

IMPLEMENT_DYNAMIC(CMemFile, CFile)

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0),
      m_lpBuffer(NULL), m_bAutoDelete(TRUE)
{
}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes) : CMemFile(nGrowBytes)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile() { FreeBuffer(); }

// Frees the block if the file owns it; blocks grown from now on are the file's own.
void CMemFile::FreeBuffer()
{
    if (m_lpBuffer != NULL && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = NULL;
    m_nPosition = m_nBufferSize = m_nFileSize = 0;
    m_bAutoDelete = TRUE;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    FreeBuffer();
    m_nGrowBytes = nGrowBytes;
    m_nBufferSize = nBufferSize;
    m_nFileSize = nGrowBytes == 0 ? nBufferSize : 0;
    m_lpBuffer = lpBuffer;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
    BYTE* lpBuffer = m_lpBuffer;
    m_lpBuffer = NULL;
    FreeBuffer();
    return lpBuffer;
}

// Memory management

BYTE* CMemFile::Alloc(DWORD nBytes) { return static_cast<BYTE*>(malloc(nBytes)); }

BYTE* CMemFile::Realloc(BYTE* lpMem, DWORD nBytes)
{
    return static_cast<BYTE*>(realloc(lpMem, nBytes));
}

BYTE* CMemFile::Memcpy(BYTE* lpMemTarget, const BYTE* lpMemSource, UINT nBytes)
{
    return static_cast<BYTE*>(memcpy(lpMemTarget, lpMemSource, nBytes));
}

void CMemFile::Free(BYTE* lpMem) { free(lpMem); }

void CMemFile::GrowFile(DWORD dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        AfxThrowMemoryException();

    // Whole steps of m_nGrowBytes, computed in 64 bits so that they cannot wrap.
    ULONGLONG nSteps = ((ULONGLONG)dwNewLen - m_nBufferSize + m_nGrowBytes - 1) / m_nGrowBytes;
    ULONGLONG nNewBufferSize = m_nBufferSize + nSteps * m_nGrowBytes;
    if (nNewBufferSize > 0xFFFFFFFF)
        nNewBufferSize = 0xFFFFFFFF;

    BYTE* lpNew = m_lpBuffer == NULL ? Alloc((DWORD)nNewBufferSize)
                                     : Realloc(m_lpBuffer, (DWORD)nNewBufferSize);
    if (lpNew == NULL)
        AfxThrowMemoryException();
    m_lpBuffer = lpNew;
    m_nBufferSize = (DWORD)nNewBufferSize;
}

// CFile operations

DWORD CMemFile::GetPosition() const { return m_nPosition; }

DWORD CMemFile::GetLength() const { return m_nFileSize; }

void CMemFile::SetLength(DWORD dwNewLen)
{
    if (dwNewLen > m_nBufferSize)
        GrowFile(dwNewLen);
    if (dwNewLen > m_nFileSize)
        memset(m_lpBuffer + m_nFileSize, 0, dwNewLen - m_nFileSize);
    if (dwNewLen < m_nPosition)
        m_nPosition = dwNewLen;
    m_nFileSize = dwNewLen;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0 || m_nPosition >= m_nFileSize)
        return 0;
    UINT nRead = m_nFileSize - m_nPosition < nCount ? m_nFileSize - m_nPosition : nCount;
    Memcpy(static_cast<BYTE*>(lpBuf), m_lpBuffer + m_nPosition, nRead);
    m_nPosition += nRead;
    return nRead;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if ((ULONGLONG)m_nPosition + nCount > 0xFFFFFFFF)
        AfxThrowFileException(CFileException::diskFull);
    DWORD dwEnd = m_nPosition + nCount;
    if (dwEnd > m_nBufferSize)
        GrowFile(dwEnd);
    // A write past the end leaves zeros in the gap.
    if (m_nPosition > m_nFileSize)
        memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    Memcpy(m_lpBuffer + m_nPosition, static_cast<const BYTE*>(lpBuf), nCount);
    m_nPosition = dwEnd;
    if (m_nPosition > m_nFileSize)
        m_nFileSize = m_nPosition;
}

LONG CMemFile::Seek(LONG lOff, UINT nFrom)
{
    LONGLONG lNewPos;
    switch (nFrom)
    {
    case begin:
        lNewPos = lOff;
        break;
    case current:
        lNewPos = (LONGLONG)m_nPosition + lOff;
        break;
    case end:
        lNewPos = (LONGLONG)m_nFileSize + lOff;
        break;
    default:
        AfxThrowFileException(CFileException::badSeek);
    }
    if (lNewPos < 0 || lNewPos > 0x7FFFFFFF)
        AfxThrowFileException(CFileException::badSeek);
    m_nPosition = (DWORD)lNewPos;
    return (LONG)lNewPos;
}

void CMemFile::Flush() {}

void CMemFile::Close() { FreeBuffer(); }

void CMemFile::Abort() { Close(); }

BOOL CMemFile::Open(LPCSTR, UINT, CFileException*)
{
    AfxThrowNotSupportedException();
}

CFile* CMemFile::Duplicate() const { AfxThrowNotSupportedException(); }

void CMemFile::LockRange(DWORD, DWORD) { AfxThrowNotSupportedException(); }

void CMemFile::UnlockRange(DWORD, DWORD) { AfxThrowNotSupportedException(); }
