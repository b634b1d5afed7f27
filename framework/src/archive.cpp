// CArchive: buffering, little-endian values, strings and counts.
#include "afx.h"
#include "archive_maps.h"

#include <stdlib.h>

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(NULL), m_bForceFlat(TRUE), m_nMode(nMode), m_bUserBuf(lpBuf != NULL), m_nBufSize(nBufSize),
      m_pFile(pFile), m_nObjectSchema((UINT)-1), m_strFileName(pFile->GetFilePath()),
      m_nMapCount(1), m_pMaps(NULL)
{
    ASSERT(pFile != NULL);
    // Below 128 bytes the archive uses a buffer of its own, never more of the caller's.
    if (m_nBufSize < 128)
    {
        m_nBufSize = 128;
        m_bUserBuf = FALSE;
        lpBuf = NULL;
    }
    if (lpBuf == NULL)
    {
        lpBuf = malloc(m_nBufSize);
        if (lpBuf == NULL)
            AfxThrowMemoryException();
    }
    m_lpBufStart = static_cast<BYTE*>(lpBuf);
    m_lpBufMax = m_lpBufStart + m_nBufSize;
    m_lpBufCur = IsLoading() ? m_lpBufMax : m_lpBufStart;
}

CArchive::~CArchive()
{
    // A destructor cannot report a failed flush; callers that care call Close.
    if (m_pFile != NULL && !(m_nMode & bNoFlushOnDelete))
    {
        try
        {
            Close();
        }
        catch (CException* e)
        {
            e->Delete();
        }
    }
    Abort();
}

void CArchive::ThrowArchive(int cause) const
{
    AfxThrowArchiveException(cause, m_strFileName);
}

// Opening and closing

void CArchive::Flush()
{
    if (IsLoading())
    {
        if (m_lpBufMax != m_lpBufCur)
            m_pFile->Seek(-(LONG)(m_lpBufMax - m_lpBufCur), CFile::current);
        m_lpBufCur = m_lpBufMax;
    }
    else
    {
        BYTE* lpBufCur = m_lpBufCur;
        m_lpBufCur = m_lpBufStart;
        if (lpBufCur != m_lpBufStart)
            m_pFile->Write(m_lpBufStart, (UINT)(lpBufCur - m_lpBufStart));
    }
}

void CArchive::Close()
{
    Flush();
    m_pFile = NULL;
}

void CArchive::Abort()
{
    m_pFile = NULL;
    if (!m_bUserBuf)
        free(m_lpBufStart);
    m_lpBufStart = m_lpBufCur = m_lpBufMax = NULL;
    m_bUserBuf = TRUE;
    delete m_pMaps;
    m_pMaps = NULL;
}

// Raw bytes

void CArchive::FillBuffer(UINT nBytesNeeded)
{
    if (!IsLoading())
        ThrowArchive(CArchiveException::writeOnly);
    ASSERT(nBytesNeeded <= (UINT)m_nBufSize);

    UINT nUnused = (UINT)(m_lpBufMax - m_lpBufCur);
    if (nUnused != 0)
        memmove(m_lpBufStart, m_lpBufCur, nUnused);
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = m_lpBufStart + nUnused;

    while (m_lpBufMax < m_lpBufStart + m_nBufSize)
    {
        UINT nRead = m_pFile->Read(m_lpBufMax, (UINT)(m_lpBufStart + m_nBufSize - m_lpBufMax));
        if (nRead == 0)
            break;
        m_lpBufMax += nRead;
    }
    if ((UINT)(m_lpBufMax - m_lpBufCur) < nBytesNeeded)
        ThrowArchive(CArchiveException::endOfFile);
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    if (!IsLoading())
        ThrowArchive(CArchiveException::writeOnly);
    // Nothing to move: an empty collection may pass a null buffer.
    if (nMax == 0)
        return 0;
    BYTE* lpDest = static_cast<BYTE*>(lpBuf);
    UINT nLeft = nMax;

    // What the buffer holds first, then whole buffers straight from the file.
    UINT nTemp = (UINT)(m_lpBufMax - m_lpBufCur);
    if (nTemp > nLeft)
        nTemp = nLeft;
    memcpy(lpDest, m_lpBufCur, nTemp);
    m_lpBufCur += nTemp;
    lpDest += nTemp;
    nLeft -= nTemp;

    while (nLeft >= (UINT)m_nBufSize)
    {
        UINT nRead = m_pFile->Read(lpDest, nLeft - nLeft % m_nBufSize);
        if (nRead == 0)
            return nMax - nLeft;
        lpDest += nRead;
        nLeft -= nRead;
    }

    // The tail through the buffer; an end of file here just shortens the read.
    if (nLeft != 0)
    {
        try
        {
            FillBuffer(0);
        }
        catch (CArchiveException* e)
        {
            e->Delete();
        }
        nTemp = (UINT)(m_lpBufMax - m_lpBufCur);
        if (nTemp > nLeft)
            nTemp = nLeft;
        memcpy(lpDest, m_lpBufCur, nTemp);
        m_lpBufCur += nTemp;
        nLeft -= nTemp;
    }
    return nMax - nLeft;
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    if (IsLoading())
        ThrowArchive(CArchiveException::readOnly);
    // Nothing to move: an empty collection may pass a null buffer.
    if (nMax == 0)
        return;
    const BYTE* lpSrc = static_cast<const BYTE*>(lpBuf);

    UINT nTemp = (UINT)(m_lpBufMax - m_lpBufCur);
    if (nTemp > nMax)
        nTemp = nMax;
    memcpy(m_lpBufCur, lpSrc, nTemp);
    m_lpBufCur += nTemp;
    lpSrc += nTemp;
    nMax -= nTemp;

    if (nMax != 0)
    {
        Flush();
        // Whole buffers go straight to the file, the rest into the buffer.
        UINT nDirect = nMax - nMax % m_nBufSize;
        if (nDirect != 0)
        {
            m_pFile->Write(lpSrc, nDirect);
            lpSrc += nDirect;
            nMax -= nDirect;
        }
        memcpy(m_lpBufCur, lpSrc, nMax);
        m_lpBufCur += nMax;
    }
}

// Values

void CArchive::StoreFixed(const void* pv, UINT nBytes)
{
    if (IsLoading())
        ThrowArchive(CArchiveException::readOnly);
    if (m_lpBufCur + nBytes > m_lpBufMax)
        Flush();
    memcpy(m_lpBufCur, pv, nBytes);
    m_lpBufCur += nBytes;
}

void CArchive::LoadFixed(void* pv, UINT nBytes)
{
    if (!IsLoading())
        ThrowArchive(CArchiveException::writeOnly);
    if (m_lpBufCur + nBytes > m_lpBufMax)
        FillBuffer(nBytes);
    memcpy(pv, m_lpBufCur, nBytes);
    m_lpBufCur += nBytes;
}

CArchive& CArchive::operator<<(BYTE by) { StoreFixed(&by, 1); return *this; }
CArchive& CArchive::operator<<(WORD w) { StoreFixed(&w, 2); return *this; }
CArchive& CArchive::operator<<(float f) { StoreFixed(&f, 4); return *this; }
CArchive& CArchive::operator<<(double d) { StoreFixed(&d, 8); return *this; }

CArchive& CArchive::operator<<(LONG l)
{
    int32_t v = (int32_t)l;
    StoreFixed(&v, 4);
    return *this;
}

CArchive& CArchive::operator<<(DWORD dw)
{
    uint32_t v = (uint32_t)dw;
    StoreFixed(&v, 4);
    return *this;
}

CArchive& CArchive::operator>>(BYTE& by) { LoadFixed(&by, 1); return *this; }
CArchive& CArchive::operator>>(WORD& w) { LoadFixed(&w, 2); return *this; }
CArchive& CArchive::operator>>(float& f) { LoadFixed(&f, 4); return *this; }
CArchive& CArchive::operator>>(double& d) { LoadFixed(&d, 8); return *this; }

CArchive& CArchive::operator>>(LONG& l)
{
    int32_t v;
    LoadFixed(&v, 4);
    l = v;
    return *this;
}

CArchive& CArchive::operator>>(DWORD& dw)
{
    uint32_t v;
    LoadFixed(&v, 4);
    dw = v;
    return *this;
}

// Counts

void CArchive::WriteCount(DWORD dwCount)
{
    if (dwCount < 0xFFFF)
    {
        *this << (WORD)dwCount;
    }
    else
    {
        *this << (WORD)0xFFFF;
        *this << dwCount;
    }
}

DWORD CArchive::ReadCount()
{
    WORD wCount;
    *this >> wCount;
    if (wCount != 0xFFFF)
        return wCount;
    DWORD dwCount;
    *this >> dwCount;
    return dwCount;
}

// Strings: one length byte below 255; else 0xFF and 16 bits below 0xFFFE; else
// 0xFF, 0xFFFF and 32 bits.

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string)
{
    DWORD nLen = (DWORD)string.GetLength();
    if (nLen < 255)
    {
        ar << (BYTE)nLen;
    }
    else if (nLen < 0xFFFE)
    {
        ar << (BYTE)0xFF;
        ar << (WORD)nLen;
    }
    else
    {
        ar << (BYTE)0xFF;
        ar << (WORD)0xFFFF;
        ar << nLen;
    }
    ar.Write((LPCSTR)string, nLen);
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, CString& string)
{
    DWORD nLen;
    BYTE bLen;
    ar >> bLen;
    nLen = bLen;
    if (bLen == 0xFF)
    {
        WORD wLen;
        ar >> wLen;
        nLen = wLen;
        if (wLen == 0xFFFF)
            ar >> nLen;
    }
    if (nLen > 0x7FFFFFFF)
        AfxThrowArchiveException(CArchiveException::generic, ar.GetFile()->GetFilePath());

    // Grow with the bytes that actually arrive, so that a damaged length cannot
    // make the reader allocate more than the file holds.
    CString strResult;
    DWORD nHave = 0;
    while (nHave < nLen)
    {
        DWORD nChunk = nLen - nHave;
        if (nChunk > 0x10000 + nHave)
            nChunk = 0x10000 + nHave;
        LPSTR pBuf = strResult.GetBufferSetLength((int)(nHave + nChunk));
        UINT nRead = ar.Read(pBuf + nHave, nChunk);
        nHave += nRead;
        if (nRead != nChunk)
            AfxThrowArchiveException(CArchiveException::endOfFile, ar.GetFile()->GetFilePath());
    }
    string = strResult;
    return ar;
}
