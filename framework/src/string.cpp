// CString: reference-counted, copy-on-write 8-bit strings.
#include "afx.h"

#include <ctype.h>
#include <mbstring.h>
#include <stdio.h>
#include <stdlib.h>

namespace {

// The empty string that every empty CString shares; never freed.
struct EmptyString
{
    CStringData data = { -1, 0, 0 };
    char chNil = '\0';
};
EmptyString g_emptyString;

LPSTR EmptyChars() { return g_emptyString.data.data(); }

int SafeStrlen(LPCSTR lpsz) { return lpsz == NULL ? 0 : (int)strlen(lpsz); }

} // namespace

// Construction and destruction

CString::CString() { Init(); }

CString::CString(const CString& stringSrc)
{
    if (stringSrc.GetData()->nRefs >= 0)
    {
        m_pchData = stringSrc.m_pchData;
        ++GetData()->nRefs;
    }
    else
    {
        Init();
        *this = stringSrc.m_pchData;
    }
}

CString::CString(char ch, int nRepeat)
{
    Init();
    if (nRepeat >= 1)
    {
        AllocBuffer(nRepeat);
        memset(m_pchData, ch, nRepeat);
    }
}

CString::CString(LPCSTR lpsz)
{
    Init();
    int nLen = SafeStrlen(lpsz);
    if (nLen != 0)
    {
        AllocBuffer(nLen);
        memcpy(m_pchData, lpsz, nLen);
    }
}

CString::CString(LPCSTR lpch, int nLength)
{
    Init();
    if (nLength != 0)
    {
        ASSERT(lpch != NULL && nLength > 0);
        AllocBuffer(nLength);
        memcpy(m_pchData, lpch, nLength);
    }
}

CString::CString(const unsigned char* psz) : CString(reinterpret_cast<LPCSTR>(psz)) {}

CString::~CString() { Release(); }

// Buffer management

void CString::Init() { m_pchData = EmptyChars(); }

void CString::AllocBuffer(int nLen)
{
    ASSERT(nLen >= 0);
    if (nLen == 0)
    {
        Init();
        return;
    }
    auto* pData = static_cast<CStringData*>(malloc(sizeof(CStringData) + (size_t)nLen + 1));
    if (pData == NULL)
        AfxThrowMemoryException();
    pData->nRefs = 1;
    pData->nDataLength = nLen;
    pData->nAllocLength = nLen;
    pData->data()[nLen] = '\0';
    m_pchData = pData->data();
}

// A locked buffer (nRefs -1) has one owner, like a buffer with one reference.
void PASCAL CString::Release(CStringData* pData)
{
    if (pData != &g_emptyString.data && (pData->nRefs < 0 || --pData->nRefs == 0))
        free(pData);
}

void CString::Release()
{
    Release(GetData());
    Init();
}

void CString::Empty()
{
    if (GetData()->nDataLength == 0)
        return;
    if (GetData()->nRefs >= 0)
        Release();
    else
        AssignCopy(0, "");      // a locked buffer stays where its owner expects it
}

void CString::CopyBeforeWrite()
{
    if (GetData()->nRefs > 1)
    {
        CStringData* pData = GetData();
        AllocBuffer(pData->nDataLength);
        memcpy(m_pchData, pData->data(), pData->nDataLength + 1);
        Release(pData);
    }
}

void CString::AllocBeforeWrite(int nLen)
{
    if (GetData()->nRefs > 1 || nLen > GetData()->nAllocLength)
    {
        Release();
        AllocBuffer(nLen);
    }
}

void CString::AllocCopy(CString& dest, int nCopyLen, int nCopyIndex, int nExtraLen) const
{
    int nNewLen = nCopyLen + nExtraLen;
    if (nNewLen == 0)
    {
        dest.Init();
        return;
    }
    dest.AllocBuffer(nNewLen);
    memcpy(dest.m_pchData, m_pchData + nCopyIndex, nCopyLen);
}

void CString::AssignCopy(int nSrcLen, LPCSTR lpszSrcData)
{
    AllocBeforeWrite(nSrcLen);
    if (GetData() == &g_emptyString.data)
        return;
    if (nSrcLen != 0)
        memmove(m_pchData, lpszSrcData, nSrcLen);   // the source may lie in this buffer
    GetData()->nDataLength = nSrcLen;
    m_pchData[nSrcLen] = '\0';
}

void CString::ConcatCopy(int nSrc1Len, LPCSTR lpszSrc1Data, int nSrc2Len, LPCSTR lpszSrc2Data)
{
    int nNewLen = nSrc1Len + nSrc2Len;
    if (nNewLen == 0)
        return;
    AllocBuffer(nNewLen);
    memcpy(m_pchData, lpszSrc1Data, nSrc1Len);
    memcpy(m_pchData + nSrc1Len, lpszSrc2Data, nSrc2Len);
}

void CString::ConcatInPlace(int nSrcLen, LPCSTR lpszSrcData)
{
    if (nSrcLen == 0)
        return;
    CStringData* pData = GetData();
    if (pData->nRefs > 1 || pData->nDataLength + nSrcLen > pData->nAllocLength)
    {
        // The source may live in the old buffer, so build the new one first.
        CString strNew;
        strNew.ConcatCopy(pData->nDataLength, m_pchData, nSrcLen, lpszSrcData);
        *this = strNew;
        return;
    }
    memcpy(m_pchData + pData->nDataLength, lpszSrcData, nSrcLen);
    pData->nDataLength += nSrcLen;
    m_pchData[pData->nDataLength] = '\0';
}

// Element access

char CString::GetAt(int nIndex) const
{
    ASSERT(nIndex >= 0 && nIndex < GetLength());
    return m_pchData[nIndex];
}

void CString::SetAt(int nIndex, char ch)
{
    ASSERT(nIndex >= 0 && nIndex < GetLength());
    CopyBeforeWrite();
    m_pchData[nIndex] = ch;
}

// Assignment and concatenation

const CString& CString::operator=(const CString& stringSrc)
{
    if (m_pchData == stringSrc.m_pchData)
        return *this;
    if ((GetData()->nRefs < 0 && GetData() != &g_emptyString.data) || stringSrc.GetData()->nRefs < 0)
    {
        AssignCopy(stringSrc.GetData()->nDataLength, stringSrc.m_pchData);
    }
    else
    {
        Release();
        m_pchData = stringSrc.m_pchData;
        ++GetData()->nRefs;
    }
    return *this;
}

const CString& CString::operator=(char ch)
{
    AssignCopy(1, &ch);
    return *this;
}

const CString& CString::operator=(LPCSTR lpsz)
{
    AssignCopy(SafeStrlen(lpsz), lpsz);
    return *this;
}

const CString& CString::operator=(const unsigned char* psz)
{
    return *this = reinterpret_cast<LPCSTR>(psz);
}

const CString& CString::operator+=(const CString& string)
{
    ConcatInPlace(string.GetData()->nDataLength, string.m_pchData);
    return *this;
}

const CString& CString::operator+=(char ch)
{
    ConcatInPlace(1, &ch);
    return *this;
}

const CString& CString::operator+=(LPCSTR lpsz)
{
    ConcatInPlace(SafeStrlen(lpsz), lpsz);
    return *this;
}

CString AFXAPI operator+(const CString& string1, const CString& string2)
{
    CString s;
    s.ConcatCopy(string1.GetLength(), string1.m_pchData, string2.GetLength(), string2.m_pchData);
    return s;
}

CString AFXAPI operator+(const CString& string, char ch)
{
    CString s;
    s.ConcatCopy(string.GetLength(), string.m_pchData, 1, &ch);
    return s;
}

CString AFXAPI operator+(char ch, const CString& string)
{
    CString s;
    s.ConcatCopy(1, &ch, string.GetLength(), string.m_pchData);
    return s;
}

CString AFXAPI operator+(const CString& string, LPCSTR lpsz)
{
    CString s;
    s.ConcatCopy(string.GetLength(), string.m_pchData, SafeStrlen(lpsz), lpsz);
    return s;
}

CString AFXAPI operator+(LPCSTR lpsz, const CString& string)
{
    CString s;
    s.ConcatCopy(SafeStrlen(lpsz), lpsz, string.GetLength(), string.m_pchData);
    return s;
}

// Comparison

int CString::CompareNoCase(LPCSTR lpsz) const
{
    return _mbsicmp(reinterpret_cast<const unsigned char*>(m_pchData),
                    reinterpret_cast<const unsigned char*>(lpsz));
}

int CString::Collate(LPCSTR lpsz) const { return strcoll(m_pchData, lpsz); }

int CString::CollateNoCase(LPCSTR lpsz) const
{
    return _stricoll(m_pchData, lpsz);
}

// Extraction

CString CString::Mid(int nFirst) const { return Mid(nFirst, GetLength() - nFirst); }

CString CString::Mid(int nFirst, int nCount) const
{
    if (nFirst < 0)
        nFirst = 0;
    if (nCount < 0)
        nCount = 0;
    int nLen = GetLength();
    if (nFirst > nLen)
        nFirst = nLen;
    if (nCount > nLen - nFirst)
        nCount = nLen - nFirst;
    if (nFirst == 0 && nCount == nLen)
        return *this;
    CString dest;
    AllocCopy(dest, nCount, nFirst, 0);
    return dest;
}

CString CString::Left(int nCount) const { return Mid(0, nCount); }

CString CString::Right(int nCount) const
{
    if (nCount < 0)
        nCount = 0;
    if (nCount > GetLength())
        nCount = GetLength();
    return Mid(GetLength() - nCount, nCount);
}

CString CString::SpanIncluding(LPCSTR lpszCharSet) const
{
    return Left((int)strspn(m_pchData, lpszCharSet));
}

CString CString::SpanExcluding(LPCSTR lpszCharSet) const
{
    return Left((int)strcspn(m_pchData, lpszCharSet));
}

// Case, reversal and trimming

void CString::MakeUpper()
{
    CopyBeforeWrite();
    _mbsupr(reinterpret_cast<unsigned char*>(m_pchData));
}

void CString::MakeLower()
{
    CopyBeforeWrite();
    _mbslwr(reinterpret_cast<unsigned char*>(m_pchData));
}

void CString::MakeReverse()
{
    CopyBeforeWrite();
    _strrev(m_pchData);
}

void CString::TrimRight()
{
    int nLen = GetLength();
    while (nLen > 0 && isspace((unsigned char)m_pchData[nLen - 1]))
        --nLen;
    if (nLen != GetLength())
    {
        CopyBeforeWrite();
        m_pchData[nLen] = '\0';
        GetData()->nDataLength = nLen;
    }
}

void CString::TrimRight(char chTarget)
{
    int nLen = GetLength();
    while (nLen > 0 && m_pchData[nLen - 1] == chTarget)
        --nLen;
    if (nLen != GetLength())
    {
        CopyBeforeWrite();
        m_pchData[nLen] = '\0';
        GetData()->nDataLength = nLen;
    }
}

void CString::TrimLeft()
{
    int n = 0;
    while (n < GetLength() && isspace((unsigned char)m_pchData[n]))
        ++n;
    if (n != 0)
        *this = Mid(n);
}

void CString::TrimLeft(char chTarget)
{
    int n = 0;
    while (n < GetLength() && m_pchData[n] == chTarget)
        ++n;
    if (n != 0)
        *this = Mid(n);
}

// Searching

int CString::Find(char ch) const { return Find(ch, 0); }

int CString::Find(char ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
        return -1;
    LPCSTR p = strchr(m_pchData + nStart, ch);
    return p == NULL ? -1 : (int)(p - m_pchData);
}

int CString::Find(LPCSTR lpszSub) const { return Find(lpszSub, 0); }

int CString::Find(LPCSTR lpszSub, int nStart) const
{
    if (nStart < 0 || nStart > GetLength())
        return -1;
    LPCSTR p = strstr(m_pchData + nStart, lpszSub);
    return p == NULL ? -1 : (int)(p - m_pchData);
}

int CString::ReverseFind(char ch) const
{
    LPCSTR p = strrchr(m_pchData, ch);
    return p == NULL ? -1 : (int)(p - m_pchData);
}

int CString::FindOneOf(LPCSTR lpszCharSet) const
{
    LPCSTR p = strpbrk(m_pchData, lpszCharSet);
    return p == NULL ? -1 : (int)(p - m_pchData);
}

int CString::Replace(char chOld, char chNew)
{
    int nCount = 0;
    if (chOld == chNew)
        return 0;
    for (int i = 0; i < GetLength(); ++i)
    {
        if (m_pchData[i] == chOld)
        {
            CopyBeforeWrite();
            m_pchData[i] = chNew;
            ++nCount;
        }
    }
    return nCount;
}

int CString::Replace(LPCSTR lpszOld, LPCSTR lpszNew)
{
    int nOldLen = SafeStrlen(lpszOld);
    if (nOldLen == 0)
        return 0;
    CString strResult;
    int nCount = 0;
    int nPos = 0;
    for (int nFound; (nFound = Find(lpszOld, nPos)) >= 0; nPos = nFound + nOldLen)
    {
        strResult += Mid(nPos, nFound - nPos);
        strResult += lpszNew;
        ++nCount;
    }
    if (nCount != 0)
    {
        strResult += Mid(nPos);
        *this = strResult;
    }
    return nCount;
}

// Formatting

void CString::FormatV(LPCSTR lpszFormat, va_list argList)
{
    va_list argCount;
    va_copy(argCount, argList);
    int nLen = vsnprintf(NULL, 0, lpszFormat, argCount);
    va_end(argCount);
    if (nLen < 0)
        nLen = 0;
    CString strResult;
    LPSTR pBuf = strResult.GetBuffer(nLen);
    vsnprintf(pBuf, (size_t)nLen + 1, lpszFormat, argList);
    strResult.ReleaseBuffer(nLen);
    *this = strResult;
}

void AFX_CDECL CString::Format(LPCSTR lpszFormat, ...)
{
    va_list argList;
    va_start(argList, lpszFormat);
    FormatV(lpszFormat, argList);
    va_end(argList);
}

void AFX_CDECL CString::Format(UINT nFormatID, ...)
{
    CString strFormat;
    VERIFY(strFormat.LoadString(nFormatID));
    va_list argList;
    va_start(argList, nFormatID);
    FormatV(strFormat, argList);
    va_end(argList);
}

// Raw buffer access

LPSTR CString::GetBuffer(int nMinBufLength)
{
    ASSERT(nMinBufLength >= 0);
    if (GetData()->nRefs > 1 || nMinBufLength > GetData()->nAllocLength)
    {
        CStringData* pOldData = GetData();
        int nOldLen = pOldData->nDataLength;
        if (nMinBufLength < nOldLen)
            nMinBufLength = nOldLen;
        AllocBuffer(nMinBufLength);
        memcpy(m_pchData, pOldData->data(), nOldLen + 1);
        GetData()->nDataLength = nOldLen;
        Release(pOldData);
    }
    return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength)
{
    CopyBeforeWrite();
    if (nNewLength == -1)
        nNewLength = (int)strlen(m_pchData);
    ASSERT(nNewLength <= GetData()->nAllocLength);
    if (GetData() == &g_emptyString.data)
        return;
    GetData()->nDataLength = nNewLength;
    m_pchData[nNewLength] = '\0';
}

LPSTR CString::GetBufferSetLength(int nNewLength)
{
    GetBuffer(nNewLength);
    if (GetData() != &g_emptyString.data)
    {
        GetData()->nDataLength = nNewLength;
        m_pchData[nNewLength] = '\0';
    }
    return m_pchData;
}

void CString::FreeExtra()
{
    if (GetData()->nDataLength != GetData()->nAllocLength)
    {
        CStringData* pOldData = GetData();
        AllocBuffer(pOldData->nDataLength);
        memcpy(m_pchData, pOldData->data(), pOldData->nDataLength);
        Release(pOldData);
    }
}

LPSTR CString::LockBuffer()
{
    LPSTR lpsz = GetBuffer(0);
    if (GetData() != &g_emptyString.data)
        GetData()->nRefs = -1;
    return lpsz;
}

void CString::UnlockBuffer()
{
    if (GetData() != &g_emptyString.data)
        GetData()->nRefs = 1;
}
