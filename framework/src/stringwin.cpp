// CString through Win32's text services: FormatMessage's numbered inserts, wide text and
// the conversions between the ANSI and the OEM code page. Kept apart from the string's own
// code, which builds without Win32 for the fuzz targets.
#include "afx.h"

// The message formatted into a buffer that FormatMessage allocates and LocalFree frees.
static CString FormatMessageV(LPCSTR lpszFormat, va_list argList)
{
    ASSERT(lpszFormat != NULL);
    LPSTR lpszBuffer = NULL;
    if (::FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, lpszFormat, 0, 0,
                         reinterpret_cast<LPSTR>(&lpszBuffer), 0, &argList) == 0)
    {
        return CString();
    }
    CString str(lpszBuffer);
    ::LocalFree(lpszBuffer);
    return str;
}

void AFX_CDECL CString::FormatMessage(LPCSTR lpszFormat, ...)
{
    va_list argList;
    va_start(argList, lpszFormat);
    *this = FormatMessageV(lpszFormat, argList);
    va_end(argList);
}

void AFX_CDECL CString::FormatMessage(UINT nFormatID, ...)
{
    CString strFormat;
    VERIFY(strFormat.LoadString(nFormatID));
    va_list argList;
    va_start(argList, nFormatID);
    *this = FormatMessageV(strFormat, argList);
    va_end(argList);
}

void CString::AnsiToOem()
{
    CopyBeforeWrite();
    ::CharToOemA(m_pchData, m_pchData);
}

void CString::OemToAnsi()
{
    CopyBeforeWrite();
    ::OemToCharA(m_pchData, m_pchData);
}

// nLength wide characters (-1: up to the terminating null) in the ANSI code page.
static CString FromWide(LPCWSTR lpch, int nLength)
{
    CString str;
    if (lpch == NULL || nLength == 0)
        return str;
    int nBytes = ::WideCharToMultiByte(CP_ACP, 0, lpch, nLength, NULL, 0, NULL, NULL);
    if (nBytes <= 0)
        return str;
    LPSTR lpszBuffer = str.GetBuffer(nBytes);
    nBytes = ::WideCharToMultiByte(CP_ACP, 0, lpch, nLength, lpszBuffer, nBytes, NULL, NULL);
    // With -1 the count includes the terminating null.
    if (nLength == -1 && nBytes > 0)
        nBytes--;
    str.ReleaseBuffer(nBytes > 0 ? nBytes : 0);
    return str;
}

CString::CString(LPCWSTR lpsz) : CString(FromWide(lpsz, -1)) {}

CString::CString(LPCWSTR lpch, int nLength) : CString(FromWide(lpch, nLength)) {}

const CString& CString::operator=(LPCWSTR lpsz)
{
    *this = FromWide(lpsz, -1);
    return *this;
}
