// Mapped strings: the file format and the lookup.
#include "hoard/runtime/MappedString.h"

#include <gtest/gtest.h>

namespace {

void LoadText(const char* pszText)
{
    CMemFile file((BYTE*)pszText, (UINT)strlen(pszText));
    CMappedString::Load(file);
}

struct MappedCase
{
    const char* pszFile;
    const char* pszKey;
    const char* pszExpected;     // the key itself when unmapped
};

TEST(MappedString, FileFormat)
{
    const MappedCase cases[] = {
        { "MsA1=Sound", "MsA1", "Sound" },                       // no line end at all
        { "MsB1=Play|Sound\r\n", "MsB1", "Play\nSound" },
        { "MsC1=B=C\r\n", "MsC1", "BC" },
        { "MsD1 = x\r\n", "MsD1 ", " x" },                       // nothing is trimmed
        { "MsD2 = x\r\n", "MsD2", "MsD2" },
        { "/MsE1=comment\r\nMsE2=kept\r\n", "MsE1", "MsE1" },
        { "MsF1=a\r\n/MsF2=comment\r\nMsF3=b", "MsF2", "MsF2" }, // comments anywhere
        { "MsF4=a\r\n/MsF5=comment\r\nMsF6=b", "MsF6", "b" },
        { "\r\n\r\n\n\rMsG1=blank lines\n\n", "MsG1", "blank lines" },
        { "MsH1\r\nMsH2=x", "MsH1", "MsH1" },                   // no '=': nothing
        { "MsI1=first\r\nMsI1=second\r\n", "MsI1", "second" },  // later lines win
        { "ms|J1=key break", "ms\nJ1", "key break" },
        { "MsK1=x\rMsK2=y\nMsK3=z", "MsK3", "z" },              // CR or LF alone
        // A comment ends at a line feed too, so files with Unix line ends keep the
        // entry that follows a comment.
        { "/comment\nMsL1=after", "MsL1", "after" },
        { "MsM1=", "MsM1", "" },
    };
    for (const auto& c : cases)
    {
        LoadText(c.pszFile);
        EXPECT_STREQ(c.pszExpected, (const char*)CMappedString(c.pszKey)) << "file: " << c.pszFile;
    }
}

TEST(MappedString, UnknownKeyShowsItself)
{
    const char* pszKey = "NoSuchKeyAnywhere";
    EXPECT_EQ(pszKey, (const char*)CMappedString(pszKey));
}

TEST(MappedString, LoadKeepsEarlierEntriesAndThrowsForMissingFiles)
{
    LoadText("MsN1=one");
    LoadText("MsN2=two");
    EXPECT_STREQ("one", (const char*)CMappedString("MsN1"));
    try
    {
        CMappedString::Load("Z:\\no\\such\\folder\\strings.txt");
        ADD_FAILURE() << "no exception";
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(CFileException::badPath, e->m_cause);
        e->Delete();
    }
}

} // namespace
