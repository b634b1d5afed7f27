// CString: a reference-counted, copy-on-write 8-bit string the size of one pointer.
#pragma once

#include "afxver_.h"

#if __cplusplus >= 202002L
#include <compare>
#endif

class CArchive;

// The header that precedes a string's characters.
struct CStringData
{
    long nRefs;         // -1 for the shared empty string
    int nDataLength;
    int nAllocLength;   // characters, not counting the terminator

    char* data() { return reinterpret_cast<char*>(this + 1); }
};

class AFX_FRAMEWORK CString
{
public:
// Constructors
    CString();
    CString(const CString& stringSrc);
    CString(char ch, int nRepeat = 1);
    CString(LPCSTR lpsz);
    CString(LPCSTR lpch, int nLength);
    CString(const unsigned char* psz);
    // Wide text converted to the ANSI code page; characters it lacks become '?'.
    CString(LPCWSTR lpsz);
    CString(LPCWSTR lpch, int nLength);
    ~CString();

// Attributes
    int GetLength() const { return GetData()->nDataLength; }
    BOOL IsEmpty() const { return GetData()->nDataLength == 0; }
    void Empty();

    char GetAt(int nIndex) const;
    char operator[](int nIndex) const { return GetAt(nIndex); }
    void SetAt(int nIndex, char ch);
    operator LPCSTR() const { return m_pchData; }

// Assignment and concatenation
    const CString& operator=(const CString& stringSrc);
    const CString& operator=(char ch);
    const CString& operator=(LPCSTR lpsz);
    const CString& operator=(const unsigned char* psz);
    const CString& operator=(LPCWSTR lpsz);

    const CString& operator+=(const CString& string);
    const CString& operator+=(char ch);
    const CString& operator+=(LPCSTR lpsz);

    friend AFX_FRAMEWORK CString AFXAPI operator+(const CString& string1, const CString& string2);
    friend AFX_FRAMEWORK CString AFXAPI operator+(const CString& string, char ch);
    friend AFX_FRAMEWORK CString AFXAPI operator+(char ch, const CString& string);
    friend AFX_FRAMEWORK CString AFXAPI operator+(const CString& string, LPCSTR lpsz);
    friend AFX_FRAMEWORK CString AFXAPI operator+(LPCSTR lpsz, const CString& string);

// Comparison
    int Compare(LPCSTR lpsz) const { return strcmp(m_pchData, lpsz); }
    // Case-insensitive multibyte comparison.
    int CompareNoCase(LPCSTR lpsz) const;
    int Collate(LPCSTR lpsz) const;
    int CollateNoCase(LPCSTR lpsz) const;

// Extraction
    CString Mid(int nFirst, int nCount) const;
    CString Mid(int nFirst) const;
    CString Left(int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCSTR lpszCharSet) const;
    CString SpanExcluding(LPCSTR lpszCharSet) const;

// Upper, lower, reverse, trimming
    void MakeUpper();
    void MakeLower();
    void MakeReverse();
    // Between the ANSI and the OEM code page, in place.
    void AnsiToOem();
    void OemToAnsi();
    void TrimRight();
    void TrimLeft();
    void TrimRight(char chTarget);
    void TrimLeft(char chTarget);

// Searching; results are indices, or -1
    int Find(char ch) const;
    int Find(char ch, int nStart) const;
    int Find(LPCSTR lpszSub) const;
    int Find(LPCSTR lpszSub, int nStart) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR lpszCharSet) const;
    int Replace(char chOld, char chNew);
    int Replace(LPCSTR lpszOld, LPCSTR lpszNew);

// Formatting
    void AFX_CDECL Format(LPCSTR lpszFormat, ...);
    void AFX_CDECL Format(UINT nFormatID, ...);
    void FormatV(LPCSTR lpszFormat, va_list argList);
    // FormatMessage's inserts (%1, %2!d! ...); a format that FormatMessage refuses
    // leaves the string empty.
    void AFX_CDECL FormatMessage(LPCSTR lpszFormat, ...);
    void AFX_CDECL FormatMessage(UINT nFormatID, ...);

// Loads a string from the string tables of the resource chain, or of one module.
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

// Raw access to the characters
    LPSTR GetBuffer(int nMinBufLength);
    void ReleaseBuffer(int nNewLength = -1);
    LPSTR GetBufferSetLength(int nNewLength);
    void FreeExtra();
    LPSTR LockBuffer();
    void UnlockBuffer();

// Serialization: the archive's length-prefixed string
    friend AFX_FRAMEWORK CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
    friend AFX_FRAMEWORK CArchive& AFXAPI operator>>(CArchive& ar, CString& string);

// Implementation
protected:
    LPSTR m_pchData;

    CStringData* GetData() const { return reinterpret_cast<CStringData*>(m_pchData) - 1; }
    void Init();
    void AllocBuffer(int nLen);
    void AllocCopy(CString& dest, int nCopyLen, int nCopyIndex, int nExtraLen) const;
    void AssignCopy(int nSrcLen, LPCSTR lpszSrcData);
    void ConcatCopy(int nSrc1Len, LPCSTR lpszSrc1Data, int nSrc2Len, LPCSTR lpszSrc2Data);
    void ConcatInPlace(int nSrcLen, LPCSTR lpszSrcData);
    void CopyBeforeWrite();
    void AllocBeforeWrite(int nLen);
    void Release();
    static void PASCAL Release(CStringData* pData);
};

inline bool AFXAPI operator==(const CString& s1, const CString& s2) { return s1.Compare(s2) == 0; }
inline bool AFXAPI operator==(const CString& s1, LPCSTR s2) { return s1.Compare(s2) == 0; }
inline bool AFXAPI operator==(LPCSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
inline bool AFXAPI operator!=(const CString& s1, const CString& s2) { return s1.Compare(s2) != 0; }
inline bool AFXAPI operator!=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) != 0; }
inline bool AFXAPI operator!=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
inline bool AFXAPI operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
inline bool AFXAPI operator<(const CString& s1, LPCSTR s2) { return s1.Compare(s2) < 0; }
inline bool AFXAPI operator<(LPCSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
inline bool AFXAPI operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
inline bool AFXAPI operator>(const CString& s1, LPCSTR s2) { return s1.Compare(s2) > 0; }
inline bool AFXAPI operator>(LPCSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
inline bool AFXAPI operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
inline bool AFXAPI operator<=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) <= 0; }
inline bool AFXAPI operator<=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) >= 0; }
inline bool AFXAPI operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
inline bool AFXAPI operator>=(const CString& s1, LPCSTR s2) { return s1.Compare(s2) >= 0; }
inline bool AFXAPI operator>=(LPCSTR s1, const CString& s2) { return s2.Compare(s1) <= 0; }
#if __cplusplus >= 202002L
// C++20 compares pairs, tuples and containers of strings through <=>; without these it
// would reach the built-in comparison of the LPCSTRs that strings convert to, and
// compare addresses instead of text.
inline std::strong_ordering AFXAPI operator<=>(const CString& s1, const CString& s2) { return s1.Compare(s2) <=> 0; }
inline std::strong_ordering AFXAPI operator<=>(const CString& s1, LPCSTR s2) { return s1.Compare(s2) <=> 0; }
#endif
