// CTime and CTimeSpan: an absolute time and an interval, both in seconds held in a
// 64-bit time_t, over the C runtime's time functions.
//
// Classes: CTimeSpan, CTime.
#pragma once

#include "afxstr.h"

#include <time.h>

// winbase.h keeps the 16-bit GetCurrentTime() as a macro for GetTickCount(); it would
// rename CTime::GetCurrentTime.
#undef GetCurrentTime

class CArchive;

class AFX_FRAMEWORK CTimeSpan
{
public:
// Constructors
    CTimeSpan() : m_timeSpan(0) {}
    CTimeSpan(time_t time) : m_timeSpan(time) {}
    CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

// Attributes
    // The parts of the interval; a negative interval has negative parts.
    LONG GetDays() const { return (LONG)(m_timeSpan / (24 * 3600)); }
    LONG GetTotalHours() const { return (LONG)(m_timeSpan / 3600); }
    int GetHours() const { return (int)(GetTotalHours() - GetDays() * 24); }
    LONG GetTotalMinutes() const { return (LONG)(m_timeSpan / 60); }
    int GetMinutes() const { return (int)(GetTotalMinutes() - GetTotalHours() * 60); }
    // Truncated to a LONG, as the interval's type had it: exact up to 68 years.
    LONG GetTotalSeconds() const { return (LONG)m_timeSpan; }
    int GetSeconds() const { return (int)(m_timeSpan % 60); }
    time_t GetTimeSpan() const { return m_timeSpan; }

// Operations
    CTimeSpan operator-(CTimeSpan timeSpan) const { return m_timeSpan - timeSpan.m_timeSpan; }
    CTimeSpan operator+(CTimeSpan timeSpan) const { return m_timeSpan + timeSpan.m_timeSpan; }
    const CTimeSpan& operator+=(CTimeSpan timeSpan) { m_timeSpan += timeSpan.m_timeSpan; return *this; }
    const CTimeSpan& operator-=(CTimeSpan timeSpan) { m_timeSpan -= timeSpan.m_timeSpan; return *this; }
    BOOL operator==(CTimeSpan timeSpan) const { return m_timeSpan == timeSpan.m_timeSpan; }
    BOOL operator!=(CTimeSpan timeSpan) const { return m_timeSpan != timeSpan.m_timeSpan; }
    BOOL operator<(CTimeSpan timeSpan) const { return m_timeSpan < timeSpan.m_timeSpan; }
    BOOL operator>(CTimeSpan timeSpan) const { return m_timeSpan > timeSpan.m_timeSpan; }
    BOOL operator<=(CTimeSpan timeSpan) const { return m_timeSpan <= timeSpan.m_timeSpan; }
    BOOL operator>=(CTimeSpan timeSpan) const { return m_timeSpan >= timeSpan.m_timeSpan; }

    // %D days, %H hours (0-23), %M minutes, %S seconds, %% a percent sign; any other
    // character, and a '%' before any other character, is copied as it stands.
    CString Format(LPCSTR pFormat) const;
    CString Format(UINT nFormatID) const;

    // Stored as a LONG, as the archives of 32-bit time_t wrote it; storing an interval
    // that does not fit throws CArchiveException::generic.
    friend AFX_FRAMEWORK CArchive& AFXAPI operator<<(CArchive& ar, CTimeSpan timeSpan);
    friend AFX_FRAMEWORK CArchive& AFXAPI operator>>(CArchive& ar, CTimeSpan& rtimeSpan);

private:
    time_t m_timeSpan;
    friend class CTime;
};

class AFX_FRAMEWORK CTime
{
public:
// Constructors
    static CTime PASCAL GetCurrentTime();

    CTime() : m_time(0) {}
    CTime(time_t time) : m_time(time) {}
    // Local time; nDST 0 for standard time, > 0 for daylight saving time, < 0 to let
    // the C runtime decide. Fields that name no day or time (a month of 13, February
    // 30, an hour of 24) or a time the C runtime cannot convert give the time -1.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
    // An MS-DOS date and time, local.
    CTime(WORD wDosDate, WORD wDosTime, int nDST = -1);
    // A local SYSTEMTIME.
    CTime(const SYSTEMTIME& sysTime, int nDST = -1);
    // A FILETIME in UTC, as the file system keeps them.
    CTime(const FILETIME& fileTime, int nDST = -1);

// Attributes
    // The broken-down time in ptm, or in a buffer of the C runtime's that the next
    // call overwrites when ptm is NULL; NULL when the time is outside what the C
    // runtime can convert (before 1970 or after 3000).
    struct tm* GetGmtTm(struct tm* ptm = NULL) const;
    struct tm* GetLocalTm(struct tm* ptm = NULL) const;
    // The local time as a SYSTEMTIME; FALSE when it cannot be converted.
    BOOL GetAsSystemTime(SYSTEMTIME& timeDest) const;

    time_t GetTime() const { return m_time; }
    // Parts of the local time; -1 each when the time cannot be converted.
    int GetYear() const;
    int GetMonth() const;           // 1 = January
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;       // 1 = Sunday

// Operations
    CTimeSpan operator-(CTime time) const { return m_time - time.m_time; }
    CTime operator-(CTimeSpan timeSpan) const { return m_time - timeSpan.m_timeSpan; }
    CTime operator+(CTimeSpan timeSpan) const { return m_time + timeSpan.m_timeSpan; }
    const CTime& operator+=(CTimeSpan timeSpan) { m_time += timeSpan.m_timeSpan; return *this; }
    const CTime& operator-=(CTimeSpan timeSpan) { m_time -= timeSpan.m_timeSpan; return *this; }
    BOOL operator==(CTime time) const { return m_time == time.m_time; }
    BOOL operator!=(CTime time) const { return m_time != time.m_time; }
    BOOL operator<(CTime time) const { return m_time < time.m_time; }
    BOOL operator>(CTime time) const { return m_time > time.m_time; }
    BOOL operator<=(CTime time) const { return m_time <= time.m_time; }
    BOOL operator>=(CTime time) const { return m_time >= time.m_time; }

    // strftime's formats, in local time or in UTC; empty when the time cannot be
    // converted or the format makes nothing.
    CString Format(LPCSTR pFormat) const;
    CString FormatGmt(LPCSTR pFormat) const;
    CString Format(UINT nFormatID) const;
    CString FormatGmt(UINT nFormatID) const;

    // Stored as a DWORD, as the archives of 32-bit time_t wrote it (1970 to 2106);
    // storing a time outside that range throws CArchiveException::generic.
    friend AFX_FRAMEWORK CArchive& AFXAPI operator<<(CArchive& ar, CTime time);
    friend AFX_FRAMEWORK CArchive& AFXAPI operator>>(CArchive& ar, CTime& rtime);

private:
    time_t m_time;
};
