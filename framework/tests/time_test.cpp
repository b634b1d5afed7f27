// CTime and CTimeSpan: parts, arithmetic, the constructors from Win32's and MS-DOS's
// times, formatting and the archive records. Checks that depend on the time zone
// compare local parts with the C runtime's, or go through UTC.
#include <afx.h>
#include <gtest/gtest.h>

#include "test_resource.h"
#include "test_support.h"

#include <string>

TEST(TimeSpan, PartsOfPositiveNegativeAndLongIntervals)
{
    const struct
    {
        time_t span;
        LONG lDays;
        int nHours, nMins, nSecs;
        LONG lTotalHours, lTotalMinutes;
    } cases[] = {
        { 0, 0, 0, 0, 0, 0, 0 },
        { 59, 0, 0, 0, 59, 0, 0 },
        { 90061, 1, 1, 1, 1, 25, 1501 },
        { -90061, -1, -1, -1, -1, -25, -1501 },
        { 86399, 0, 23, 59, 59, 23, 1439 },
        // Two hundred years: beyond a 32-bit count of seconds.
        { (time_t)73000 * 86400 + 7200, 73000, 2, 0, 0, 1752002, 105120120 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "span " << (long long)c.span);
        CTimeSpan span(c.span);
        EXPECT_EQ(c.lDays, span.GetDays());
        EXPECT_EQ(c.nHours, span.GetHours());
        EXPECT_EQ(c.nMins, span.GetMinutes());
        EXPECT_EQ(c.nSecs, span.GetSeconds());
        EXPECT_EQ(c.lTotalHours, span.GetTotalHours());
        EXPECT_EQ(c.lTotalMinutes, span.GetTotalMinutes());
        EXPECT_EQ(c.span, span.GetTimeSpan());
    }
    EXPECT_EQ(CTimeSpan(90061), CTimeSpan(1, 1, 1, 1));
    EXPECT_EQ(CTimeSpan(-3600), CTimeSpan(0, -1, 0, 0));
    EXPECT_EQ((time_t)73000 * 86400, CTimeSpan(73000, 0, 0, 0).GetTimeSpan()) << "no 32-bit overflow";
}

TEST(TimeSpan, ArithmeticAndComparisons)
{
    CTimeSpan a(1, 0, 0, 0), b(0, 12, 0, 0);
    EXPECT_EQ(CTimeSpan(0, 36, 0, 0), a + b);
    EXPECT_EQ(CTimeSpan(0, 12, 0, 0), a - b);
    EXPECT_EQ(CTimeSpan(0, -12, 0, 0), b - a);
    a += b;
    EXPECT_EQ(129600, a.GetTotalSeconds());
    a -= b;
    a -= b;
    EXPECT_EQ(b, a);
    EXPECT_TRUE(b < CTimeSpan(0, 12, 0, 1));
    EXPECT_TRUE(b <= b);
    EXPECT_TRUE(b >= b);
    EXPECT_TRUE(CTimeSpan(1) > CTimeSpan(-1));
    EXPECT_TRUE(b != CTimeSpan(0));
}

TEST(TimeSpan, FormatsDaysHoursMinutesAndSeconds)
{
    const struct
    {
        time_t span;
        const char* pszFormat;
        const char* pszExpected;
    } cases[] = {
        { 90061, "%D days %H:%M:%S", "1 days 01:01:01" },
        { 3 * 86400 + 5, "%D:%H:%M:%S", "3:00:00:05" },
        { 42, "100%% after %S s", "100% after 42 s" },
        { 42, "%X %y and a last %", "%X %y and a last %" },
        { 42, "", "" },
        { (time_t)73000 * 86400, "%D", "73000" },
        { -90061, "%D %H %M %S", "-1 -1 -1 -1" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszFormat);
        EXPECT_STREQ(c.pszExpected, CTimeSpan(c.span).Format(c.pszFormat));
    }
}

TEST(Time, FieldsRoundTripThroughLocalTime)
{
    const struct
    {
        int nYear, nMonth, nDay, nHour, nMin, nSec;
        int nDayOfWeek;     // 1 = Sunday
    } cases[] = {
        { 1999, 12, 31, 23, 59, 58, 6 },
        { 2000, 2, 29, 12, 0, 0, 3 },
        { 2001, 1, 1, 0, 0, 0, 2 },
        // Beyond the 32-bit time_t of 2038.
        { 2040, 6, 15, 8, 30, 0, 6 },
        { 2999, 12, 31, 12, 0, 0, 3 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.nYear << "-" << c.nMonth << "-" << c.nDay);
        CTime time(c.nYear, c.nMonth, c.nDay, c.nHour, c.nMin, c.nSec);
        ASSERT_NE(-1, time.GetTime());
        EXPECT_EQ(c.nYear, time.GetYear());
        EXPECT_EQ(c.nMonth, time.GetMonth());
        EXPECT_EQ(c.nDay, time.GetDay());
        EXPECT_EQ(c.nHour, time.GetHour());
        EXPECT_EQ(c.nMin, time.GetMinute());
        EXPECT_EQ(c.nSec, time.GetSecond());
        EXPECT_EQ(c.nDayOfWeek, time.GetDayOfWeek());

        struct tm atm = {};
        ASSERT_EQ(&atm, time.GetLocalTm(&atm));
        EXPECT_EQ(c.nYear - 1900, atm.tm_year);
        time_t t = time.GetTime();
        EXPECT_EQ(localtime(&t)->tm_mday, time.GetLocalTm()->tm_mday);

        SYSTEMTIME st = {};
        ASSERT_TRUE(time.GetAsSystemTime(st));
        EXPECT_EQ(c.nYear, st.wYear);
        EXPECT_EQ(c.nSec, st.wSecond);
        EXPECT_EQ(c.nDayOfWeek - 1, st.wDayOfWeek);
        EXPECT_EQ(time, CTime(st));
    }
}

TEST(Time, FieldsThatNameNoTimeGiveMinusOne)
{
    const int cases[][6] = {
        { 1999, 13, 1, 0, 0, 0 },
        { 1999, 0, 1, 0, 0, 0 },
        { 1999, 1, 0, 0, 0, 0 },
        { 1999, 1, 32, 0, 0, 0 },
        { 1999, 2, 29, 0, 0, 0 },
        { 2000, 2, 30, 0, 0, 0 },
        { 2001, 4, 31, 0, 0, 0 },
        { 1999, 1, 1, 24, 0, 0 },
        { 1999, 1, 1, 0, 60, 0 },
        { 1999, 1, 1, 0, 0, -1 },
        { 1899, 1, 1, 0, 0, 0 },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c[0] << "-" << c[1] << "-" << c[2] << " " << c[3]
                                        << ":" << c[4] << ":" << c[5]);
        EXPECT_EQ(-1, CTime(c[0], c[1], c[2], c[3], c[4], c[5]).GetTime());
    }
}

TEST(Time, TimesTheRuntimeCannotConvertHaveNoParts)
{
    for (time_t t : { (time_t)-1, (time_t)-86400 * 400, (time_t)1 << 40 })
    {
        SCOPED_TRACE((long long)t);
        CTime time(t);
        EXPECT_EQ(nullptr, time.GetLocalTm(NULL));
        struct tm atm;
        EXPECT_EQ(nullptr, time.GetGmtTm(&atm));
        EXPECT_EQ(-1, time.GetYear());
        EXPECT_EQ(-1, time.GetDayOfWeek());
        SYSTEMTIME st;
        EXPECT_FALSE(time.GetAsSystemTime(st));
        EXPECT_STREQ("", time.Format("%Y"));
        EXPECT_STREQ("", time.FormatGmt("%Y"));
    }
}

TEST(Time, UtcPartsAndFormats)
{
    const struct
    {
        time_t t;
        const char* pszExpected;
    } cases[] = {
        { 0, "1970-01-01 00:00:00 Thursday" },
        { 951825600, "2000-02-29 12:00:00 Tuesday" },
        { 2147483648LL, "2038-01-19 03:14:08 Tuesday" },
        { 4102444800LL, "2100-01-01 00:00:00 Friday" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.pszExpected);
        CTime time(c.t);
        EXPECT_STREQ(c.pszExpected, time.FormatGmt("%Y-%m-%d %H:%M:%S %A"));
        struct tm* ptm = time.GetGmtTm();
        ASSERT_NE(nullptr, ptm);
        EXPECT_EQ(atoi(c.pszExpected) - 1900, ptm->tm_year);
    }
}

TEST(Time, LocalFormatMatchesTheParts)
{
    CTime time(2003, 7, 4, 9, 5, 3);
    EXPECT_STREQ("2003-07-04 09:05:03", time.Format("%Y-%m-%d %H:%M:%S"));
    EXPECT_STREQ("Friday, July 04, 2003", time.Format("%A, %B %d, %Y"));
    EXPECT_STREQ("100%", time.Format("100%%"));
    EXPECT_STREQ("", time.Format(""));
    EXPECT_STREQ("", time.Format("%Q")) << "a format strftime refuses makes nothing";
    EXPECT_STREQ("Bare Frame", time.Format(IDR_BARE)) << "a format from the string table";
    EXPECT_STREQ("Bare Frame", time.FormatGmt(IDR_BARE));
    EXPECT_STREQ("Bare Frame", CTimeSpan(5).Format(IDR_BARE));
}

TEST(Time, LongResultsAreWhole)
{
    CTime time(2003, 7, 4, 9, 5, 3);
    std::string strFormat, strExpected;
    for (int i = 0; i < 200; i++)
    {
        strFormat += "%A %B|";
        strExpected += "Friday July|";
    }
    CString str = time.Format(strFormat.c_str());
    EXPECT_EQ(strExpected.size(), (size_t)str.GetLength());
    EXPECT_EQ(strExpected, (LPCSTR)str);
}

TEST(Time, ArithmeticWithSpans)
{
    CTime start(951825600);     // 2000-02-29 12:00 UTC
    CTime next = start + CTimeSpan(1, 0, 0, 0);
    EXPECT_STREQ("2000-03-01 12:00", next.FormatGmt("%Y-%m-%d %H:%M"));
    EXPECT_EQ(CTimeSpan(1, 0, 0, 0), next - start);
    EXPECT_EQ(CTimeSpan(-1, 0, 0, 0), start - next);
    EXPECT_EQ(start, next - CTimeSpan(86400));
    CTime moving = start;
    moving += CTimeSpan(0, 0, 0, 30);
    EXPECT_EQ(start.GetTime() + 30, moving.GetTime());
    moving -= CTimeSpan(0, 0, 1, 0);
    EXPECT_EQ(start.GetTime() - 30, moving.GetTime());
    EXPECT_TRUE(moving < start);
    EXPECT_TRUE(next > start);
    EXPECT_TRUE(start <= start && start >= start);
    EXPECT_TRUE(start != next);

    // Across 2038 and over centuries, with 64-bit seconds.
    CTime later = CTime(2147483000LL) + CTimeSpan(36500, 0, 0, 0);
    EXPECT_EQ(2147483000LL + 36500LL * 86400, later.GetTime());
    EXPECT_EQ(36500, (later - CTime(2147483000LL)).GetDays());
}

TEST(Time, CurrentTimeIsTheRuntimesTime)
{
    time_t before = time(NULL);
    CTime now = CTime::GetCurrentTime();
    time_t after = time(NULL);
    EXPECT_LE(before, now.GetTime());
    EXPECT_GE(after, now.GetTime());
}

TEST(Time, FromFileTimeSystemTimeAndDosTime)
{
    // A file time is UTC: it names the same moment whatever the zone.
    SYSTEMTIME stUtc = { 2001, 3, 0, 14, 12, 30, 10, 0 };
    FILETIME ft;
    ASSERT_TRUE(SystemTimeToFileTime(&stUtc, &ft));
    CTime fromFile(ft);
    EXPECT_STREQ("2001-03-14 12:30:10", fromFile.FormatGmt("%Y-%m-%d %H:%M:%S"));

    // A SYSTEMTIME and an MS-DOS time are local.
    SYSTEMTIME stLocal = { 2001, 3, 0, 14, 12, 30, 10, 0 };
    CTime fromSystem(stLocal);
    EXPECT_STREQ("2001-03-14 12:30:10", fromSystem.Format("%Y-%m-%d %H:%M:%S"));
    WORD wDosDate = (WORD)((21 << 9) | (3 << 5) | 14);
    WORD wDosTime = (WORD)((12 << 11) | (30 << 5) | 5);
    EXPECT_EQ(fromSystem, CTime(wDosDate, wDosTime));

    // The file time's local fields, through the system's zone, are those of the CTime.
    FILETIME ftLocal;
    SYSTEMTIME stConverted;
    ASSERT_TRUE(FileTimeToLocalFileTime(&ft, &ftLocal));
    ASSERT_TRUE(FileTimeToSystemTime(&ftLocal, &stConverted));
    EXPECT_EQ(stConverted.wHour, fromFile.GetHour());
    EXPECT_EQ(stConverted.wDay, fromFile.GetDay());
}

TEST(TimeArchive, RecordsAreThirtyTwoBitsLittleEndian)
{
    std::string strBytes = Store([](CArchive& ar) {
        ar << CTime(0x87654321LL) << CTimeSpan(-2) << CTimeSpan(0x01020304);
    });
    EXPECT_EQ(std::string("\x21\x43\x65\x87" "\xFE\xFF\xFF\xFF" "\x04\x03\x02\x01", 12), strBytes);

    CTime time;
    CTimeSpan span1, span2;
    Load(strBytes, [&](CArchive& ar) { ar >> time >> span1 >> span2; });
    EXPECT_EQ(0x87654321LL, time.GetTime()) << "a time past 2038 is read unsigned";
    EXPECT_EQ(-2, span1.GetTimeSpan());
    EXPECT_EQ(0x01020304, span2.GetTimeSpan());
}

TEST(TimeArchive, ValuesThatDoNotFitAreRefusedNotCut)
{
    for (time_t t : { (time_t)-1, (time_t)0x100000000LL })
    {
        SCOPED_TRACE((long long)t);
        EXPECT_EQ(CArchiveException::generic,
                  CauseOf<CArchiveException>([&] { Store([&](CArchive& ar) { ar << CTime(t); }); }));
    }
    for (time_t t : { (time_t)0x80000000LL, (time_t)-0x80000001LL })
    {
        SCOPED_TRACE((long long)t);
        EXPECT_EQ(CArchiveException::generic,
                  CauseOf<CArchiveException>([&] { Store([&](CArchive& ar) { ar << CTimeSpan(t); }); }));
    }
    EXPECT_EQ(8u, Store([](CArchive& ar) { ar << CTime(0xFFFFFFFFLL) << CTimeSpan(-0x80000000LL); }).size())
        << "the limits themselves fit";
}

TEST(TimeArchive, AShortRecordThrowsEndOfFile)
{
    CTime time;
    EXPECT_EQ(CArchiveException::endOfFile, CauseOf<CArchiveException>([&] {
                  Load(std::string("\x01\x02", 2), [&](CArchive& ar) { ar >> time; });
              }));
}
