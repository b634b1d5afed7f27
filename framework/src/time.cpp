// CTime and CTimeSpan: conversions through the C runtime's 64-bit time functions,
// formatting through strftime and the archive's 32-bit records.
#include <afx.h>

#include <limits.h>

// The format string of a string resource.
static CString LoadedFormat(UINT nFormatID)
{
    CString strFormat;
    VERIFY(strFormat.LoadString(nFormatID));
    return strFormat;
}

// CTimeSpan

CTimeSpan::CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
    : m_timeSpan(nSecs + 60 * (nMins + 60 * (nHours + (time_t)24 * lDays)))
{
}

CString CTimeSpan::Format(LPCSTR pFormat) const
{
    ASSERT(pFormat != NULL);
    CString str;
    char szPart[24];
    for (LPCSTR p = pFormat; *p != '\0'; ++p)
    {
        if (*p != '%' || p[1] == '\0')
        {
            str += *p;
            continue;
        }
        switch (*++p)
        {
        case '%': str += '%'; continue;
        case 'D': wsprintfA(szPart, "%ld", GetDays()); break;
        case 'H': wsprintfA(szPart, "%02d", GetHours()); break;
        case 'M': wsprintfA(szPart, "%02d", GetMinutes()); break;
        case 'S': wsprintfA(szPart, "%02d", GetSeconds()); break;
        default: szPart[0] = '%'; szPart[1] = *p; szPart[2] = '\0'; break;
        }
        str += szPart;
    }
    return str;
}

CString CTimeSpan::Format(UINT nFormatID) const
{
    return Format(LoadedFormat(nFormatID));
}

CArchive& AFXAPI operator<<(CArchive& ar, CTimeSpan timeSpan)
{
    if (timeSpan.m_timeSpan < LONG_MIN || timeSpan.m_timeSpan > LONG_MAX)
        AfxThrowArchiveException(CArchiveException::generic);
    return ar << (LONG)timeSpan.m_timeSpan;
}

CArchive& AFXAPI operator>>(CArchive& ar, CTimeSpan& rtimeSpan)
{
    LONG l;
    ar >> l;
    rtimeSpan.m_timeSpan = l;
    return ar;
}

// CTime

CTime PASCAL CTime::GetCurrentTime()
{
    return CTime(::time(NULL));
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    struct tm atm = {};
    atm.tm_sec = nSec;
    atm.tm_min = nMin;
    atm.tm_hour = nHour;
    atm.tm_mday = nDay;
    atm.tm_mon = nMonth - 1;
    atm.tm_year = nYear - 1900;
    atm.tm_isdst = nDST;
    // mktime would roll a 13th month into the next year and February 30 into March;
    // the fields must name a day that mktime keeps.
    bool bValid = nYear >= 1900 && nMonth >= 1 && nMonth <= 12 && nDay >= 1 && nDay <= 31 &&
                  nHour >= 0 && nHour <= 23 && nMin >= 0 && nMin <= 59 && nSec >= 0 && nSec <= 59;
    m_time = bValid ? ::mktime(&atm) : -1;
    if (m_time != -1 && (atm.tm_mday != nDay || atm.tm_mon != nMonth - 1))
        m_time = -1;
}

CTime::CTime(WORD wDosDate, WORD wDosTime, int nDST)
    : CTime((wDosDate >> 9) + 1980, (wDosDate >> 5) & 0xF, wDosDate & 0x1F,
            wDosTime >> 11, (wDosTime >> 5) & 0x3F, (wDosTime & 0x1F) * 2, nDST)
{
}

CTime::CTime(const SYSTEMTIME& sysTime, int nDST)
    : CTime(sysTime.wYear, sysTime.wMonth, sysTime.wDay, sysTime.wHour, sysTime.wMinute,
            sysTime.wSecond, nDST)
{
}

// The file time turns local through the system's time zone, then names its fields.
static SYSTEMTIME LocalSystemTime(const FILETIME& fileTime)
{
    FILETIME localTime;
    SYSTEMTIME sysTime = {};
    if (!::FileTimeToLocalFileTime(&fileTime, &localTime) ||
        !::FileTimeToSystemTime(&localTime, &sysTime))
    {
        sysTime = {};   // year 0 makes the invalid time
    }
    return sysTime;
}

CTime::CTime(const FILETIME& fileTime, int nDST) : CTime(LocalSystemTime(fileTime), nDST)
{
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
    if (ptm == NULL)
        return ::gmtime(&m_time);
    return ::gmtime_s(ptm, &m_time) == 0 ? ptm : NULL;
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    if (ptm == NULL)
        return ::localtime(&m_time);
    return ::localtime_s(ptm, &m_time) == 0 ? ptm : NULL;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& timeDest) const
{
    struct tm atm;
    if (GetLocalTm(&atm) == NULL)
        return FALSE;
    timeDest.wYear = (WORD)(atm.tm_year + 1900);
    timeDest.wMonth = (WORD)(atm.tm_mon + 1);
    timeDest.wDayOfWeek = (WORD)atm.tm_wday;
    timeDest.wDay = (WORD)atm.tm_mday;
    timeDest.wHour = (WORD)atm.tm_hour;
    timeDest.wMinute = (WORD)atm.tm_min;
    timeDest.wSecond = (WORD)atm.tm_sec;
    timeDest.wMilliseconds = 0;
    return TRUE;
}

// One field of the local time, or -1 when the time cannot be converted.
static int LocalPart(const CTime& time, int tm::*pField, int nOffset)
{
    struct tm atm;
    return time.GetLocalTm(&atm) != NULL ? atm.*pField + nOffset : -1;
}

int CTime::GetYear() const { return LocalPart(*this, &tm::tm_year, 1900); }
int CTime::GetMonth() const { return LocalPart(*this, &tm::tm_mon, 1); }
int CTime::GetDay() const { return LocalPart(*this, &tm::tm_mday, 0); }
int CTime::GetHour() const { return LocalPart(*this, &tm::tm_hour, 0); }
int CTime::GetMinute() const { return LocalPart(*this, &tm::tm_min, 0); }
int CTime::GetSecond() const { return LocalPart(*this, &tm::tm_sec, 0); }
int CTime::GetDayOfWeek() const { return LocalPart(*this, &tm::tm_wday, 1); }

// strftime of the time's fields into a buffer that grows until the result fits; a
// result that never fits, or a format that makes nothing, gives an empty string.
static CString FormatTm(const struct tm* ptm, LPCSTR pFormat)
{
    ASSERT(pFormat != NULL);
    CString str;
    if (ptm == NULL || *pFormat == '\0')
        return str;
    const size_t nMax = (strlen(pFormat) + 1) * 256;
    for (size_t nSize = 128; nSize <= nMax; nSize *= 2)
    {
        size_t nLength = ::strftime(str.GetBuffer((int)nSize), nSize, pFormat, ptm);
        str.ReleaseBuffer((int)nLength);
        if (nLength != 0)
            break;
    }
    str.FreeExtra();
    return str;
}

CString CTime::Format(LPCSTR pFormat) const
{
    struct tm atm;
    return FormatTm(GetLocalTm(&atm), pFormat);
}

CString CTime::FormatGmt(LPCSTR pFormat) const
{
    struct tm atm;
    return FormatTm(GetGmtTm(&atm), pFormat);
}

CString CTime::Format(UINT nFormatID) const
{
    return Format(LoadedFormat(nFormatID));
}

CString CTime::FormatGmt(UINT nFormatID) const
{
    return FormatGmt(LoadedFormat(nFormatID));
}

CArchive& AFXAPI operator<<(CArchive& ar, CTime time)
{
    if (time.m_time < 0 || time.m_time > (time_t)ULONG_MAX)
        AfxThrowArchiveException(CArchiveException::generic);
    return ar << (DWORD)time.m_time;
}

CArchive& AFXAPI operator>>(CArchive& ar, CTime& rtime)
{
    DWORD dw;
    ar >> dw;
    rtime.m_time = dw;
    return ar;
}
