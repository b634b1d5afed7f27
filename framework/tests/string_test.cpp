#include <afx.h>
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <tuple>
#include <utility>

#include "test_support.h"

// Every write to a copy leaves the original alone and gives the copy its own buffer.
TEST(CString, CopyOnWrite)
{
    const struct
    {
        const char* context;
        std::function<void(CString&)> write;
        const char* expected;
    } cases[] = {
        { "SetAt", [](CString& s) { s.SetAt(0, 'j'); }, "jello world" },
        { "MakeUpper", [](CString& s) { s.MakeUpper(); }, "HELLO WORLD" },
        { "MakeReverse", [](CString& s) { s.MakeReverse(); }, "dlrow olleh" },
        { "append", [](CString& s) { s += "!"; }, "hello world!" },
        { "Replace", [](CString& s) { s.Replace('o', '0'); }, "hell0 w0rld" },
        { "TrimRight", [](CString& s) { s.TrimRight('d'); }, "hello worl" },
        { "GetBuffer", [](CString& s) { s.GetBuffer(0)[4] = '!'; s.ReleaseBuffer(); }, "hell! world" },
        { "Empty", [](CString& s) { s.Empty(); }, "" },
        { "assign empty text", [](CString& s) { s = ""; }, "" },
        { "assign empty string", [](CString& s) { s = CString(); }, "" },
        { "assign shorter", [](CString& s) { s = "hi"; }, "hi" },
        { "Format", [](CString& s) { s.Format("%d", 7); }, "7" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.context);
        CString strOriginal("hello world");
        CString strCopy = strOriginal;
        EXPECT_EQ((LPCSTR)strOriginal, (LPCSTR)strCopy) << "a copy shares the buffer";
        c.write(strCopy);
        EXPECT_STREQ(c.expected, strCopy);
        EXPECT_EQ((int)strlen(c.expected), strCopy.GetLength());
        EXPECT_STREQ("hello world", strOriginal);
        EXPECT_NE((LPCSTR)strOriginal, (LPCSTR)strCopy);

        // The same write on a string that owns its buffer alone.
        CString strAlone("hello world");
        c.write(strAlone);
        EXPECT_STREQ(c.expected, strAlone);
        EXPECT_EQ((int)strlen(c.expected), strAlone.GetLength());
    }
}

TEST(CString, Buffer)
{
    CString s;
    LPSTR p = s.GetBuffer(10);
    strcpy(p, "abc");
    s.ReleaseBuffer();
    EXPECT_STREQ("abc", s);
    EXPECT_EQ(3, s.GetLength());

    // The buffer keeps its room: a shorter length, then the length given.
    EXPECT_EQ(p, s.GetBuffer(8));
    s.ReleaseBuffer(1);
    EXPECT_STREQ("a", s);
    EXPECT_EQ(1, s.GetLength());

    p = s.GetBufferSetLength(5);
    EXPECT_EQ(5, s.GetLength());
    EXPECT_EQ('\0', p[5]);
    memcpy(p, "vwxyz", 5);

    // A request smaller than the length keeps every character.
    s.GetBuffer(2);
    s.ReleaseBuffer();
    s.FreeExtra();
    EXPECT_STREQ("vwxyz", s);
}

TEST(CString, Extraction)
{
    const CString s("abcdef");
    const struct { const char* context; CString result; const char* expected; } cases[] = {
        { "Mid(2, 3)", s.Mid(2, 3), "cde" },
        { "Mid(2)", s.Mid(2), "cdef" },
        { "Mid(-1, 2)", s.Mid(-1, 2), "ab" },
        { "Mid(4, 10)", s.Mid(4, 10), "ef" },
        { "Mid(6)", s.Mid(6), "" },
        { "Mid(10)", s.Mid(10), "" },
        { "Mid(1, -2)", s.Mid(1, -2), "" },
        { "Mid(3, 0x7FFFFFFF)", s.Mid(3, 0x7FFFFFFF), "def" },
        { "Left(2)", s.Left(2), "ab" },
        { "Left(-1)", s.Left(-1), "" },
        { "Left(10)", s.Left(10), "abcdef" },
        { "Right(2)", s.Right(2), "ef" },
        { "Right(-1)", s.Right(-1), "" },
        { "Right(10)", s.Right(10), "abcdef" },
    };
    for (const auto& c : cases)
    {
        EXPECT_STREQ(c.expected, c.result) << c.context;
        EXPECT_EQ((int)strlen(c.expected), c.result.GetLength()) << c.context;
    }
}

TEST(CString, Find)
{
    const CString s("abcabc");
    const struct { const char* context; int nResult; int nExpected; } cases[] = {
        { "Find('c')", s.Find('c'), 2 },
        { "Find('z')", s.Find('z'), -1 },
        { "Find('a', 1)", s.Find('a', 1), 3 },
        { "Find('a', 6)", s.Find('a', 6), -1 },
        { "Find(\"bc\")", s.Find("bc"), 1 },
        { "Find(\"bc\", 2)", s.Find("bc", 2), 4 },
        { "Find(\"bc\", 5)", s.Find("bc", 5), -1 },
        { "Find(\"abcd\")", s.Find("abcd"), -1 },
        { "ReverseFind('a')", s.ReverseFind('a'), 3 },
        { "ReverseFind('z')", s.ReverseFind('z'), -1 },
        { "empty Find('a')", CString().Find('a'), -1 },
        { "empty ReverseFind('a')", CString().ReverseFind('a'), -1 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.nExpected, c.nResult) << c.context;
}

TEST(CString, FormatAndCompare)
{
    CString s("abc");
    s.Format("%d-%s-%05.1f-%c-%s", 42, "x", 3.14159, 'z', (LPCSTR)s);
    EXPECT_STREQ("42-x-003.1-z-abc", s);
    CString strLong('a', 1000);
    s.Format("<%s>", (LPCSTR)strLong);
    EXPECT_STREQ("<" + strLong + ">", s);
    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());

    const struct { const char* a; const char* b; int nSign; } cases[] = {
        { "abc", "ABC", 0 }, { "abc", "abd", -1 }, { "ABC", "abd", -1 },
        { "b", "A", 1 }, { "", "", 0 }, { "", "a", -1 }, { "ab", "A", 1 },
    };
    for (const auto& c : cases)
    {
        int n = CString(c.a).CompareNoCase(c.b);
        EXPECT_EQ(c.nSign, (n > 0) - (n < 0)) << c.a << " vs " << c.b;
    }
}

TEST(CString, FormatMessageInsertsByNumber)
{
    CString s;
    s.FormatMessage("%2 before %1, %3!d! and %4!5s!|", "one", "two", 42, "four");
    EXPECT_STREQ("two before one, 42 and  four|", s);
    s = "self";
    s.FormatMessage("[%1]", (LPCSTR)s);
    EXPECT_STREQ("[self]", s) << "the string itself as an insert";
    CString strLong('x', 5000);
    s.FormatMessage("<%1>", (LPCSTR)strLong);
    EXPECT_EQ(5002, s.GetLength());
    s = "kept?";
    s.FormatMessage("%");
    EXPECT_STREQ("", s) << "a format FormatMessage refuses";
}

TEST(CString, AnsiAndOemCodePages)
{
    CString strAnsi("caf\xE9 \xFC 12");
    CString s = strAnsi;
    s.AnsiToOem();
    char szOem[16];
    CharToOemA(strAnsi, szOem);
    EXPECT_STREQ(szOem, s);
    EXPECT_STRNE(strAnsi, s) << "the accented letters have other codes in the OEM page";
    EXPECT_STREQ("caf\xE9 \xFC 12", strAnsi) << "the copy it shared its characters with is untouched";
    s.OemToAnsi();
    EXPECT_STREQ(strAnsi, s) << "letters both pages have come back";
}

TEST(CString, FromWideText)
{
    ASSERT_EQ(1252u, GetACP()) << "the cases below are written for the Western code page";
    CString s(L"caf\u00E9 \u4E2D");
    EXPECT_STREQ("caf\xE9 ?", s) << "a character the code page lacks becomes '?'";
    EXPECT_STREQ("ca", CString(L"caf\u00E9", 2));
    EXPECT_STREQ("", CString(static_cast<LPCWSTR>(NULL)));
    EXPECT_STREQ("", CString(L""));
    CString strShared = s;
    s = L"\u00FC";
    EXPECT_STREQ("\xFC", s);
    EXPECT_STREQ("caf\xE9 ?", strShared) << "the copy it shared its characters with is untouched";
    s = static_cast<LPCWSTR>(NULL);
    EXPECT_TRUE(s.IsEmpty());
}

// Pairs, tuples and sets of strings order them by their text, never by where it lies.
TEST(CString, OrderedInPairsAndSets)
{
    const char szText[] = "same";
    const std::pair<CString, int> first(CString(szText), 1), second(CString(szText), 1);
    EXPECT_TRUE(first == second);
    EXPECT_FALSE(first < second || second < first);
    EXPECT_TRUE(std::make_pair(CString("a"), 2) < std::make_pair(CString("b"), 1));
    std::set<std::pair<CString, CString>> seen;
    EXPECT_TRUE(seen.insert({ CString("x"), CString("y") }).second);
    EXPECT_FALSE(seen.insert({ CString("x"), CString("y") }).second);
    EXPECT_TRUE(std::tuple<CString>("b") > std::tuple<CString>("a"));
}

// Concatenation and assignment whose source lies in the target's own buffer.
TEST(CString, Aliasing)
{
    for (int nRoom : { 3, 100 })
    {
        SCOPED_TRACE(nRoom == 100 ? "with room to grow in place" : "without room");
        CString s;
        strcpy(s.GetBuffer(nRoom), "abc");
        s.ReleaseBuffer();

        s += s;
        EXPECT_STREQ("abcabc", s);
        s += (LPCSTR)s + 4;
        EXPECT_STREQ("abcabcbc", s);
        s = s + s;
        EXPECT_STREQ("abcabcbcabcabcbc", s);
        s = (LPCSTR)s + 10;
        EXPECT_STREQ("cabcbc", s);
        EXPECT_EQ(6, s.GetLength());
        s = s;
        EXPECT_STREQ("cabcbc", s);
        EXPECT_EQ(2, s.Replace("b", (LPCSTR)s + 3));
        EXPECT_STREQ("cacbcccbcc", s);
    }
}

TEST(CString, LockBuffer)
{
    CString s("locked");
    LPSTR p = s.LockBuffer();
    EXPECT_EQ((LPCSTR)s, p);

    // Copies of a locked string get their own buffer; writes through it show.
    CString strCopy = s;
    CString strAssigned;
    strAssigned = s;
    p[0] = 'L';
    EXPECT_STREQ("Locked", s);
    EXPECT_STREQ("locked", strCopy);
    EXPECT_STREQ("locked", strAssigned);

    // Assignments that fit and Empty keep the locked buffer.
    s = "block";
    EXPECT_EQ((LPCSTR)s, p);
    s.Empty();
    EXPECT_EQ((LPCSTR)s, p);
    EXPECT_STREQ("", p);

    s.UnlockBuffer();
    s = "shared";
    CString strShared = s;
    EXPECT_EQ((LPCSTR)strShared, (LPCSTR)s);
}

// A string destroyed or reallocated while locked gives its buffer back.
TEST(CString, LockedStringIsFreed)
{
    size_t nBefore = HeapInUse();
    {
        CString s('x', 100000);
        s.LockBuffer();
        CString strOther('x', 100000);
        strOther.LockBuffer();
        strOther = CString('y', 200000);
    }
    EXPECT_EQ(nBefore, HeapInUse());
}
