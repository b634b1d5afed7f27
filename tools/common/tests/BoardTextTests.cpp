// The text of imported boards: labels in the ANSI code page with the characters it lacks
// counted, and documents' file names made from boards' names.
#include "BoardDocumentNames.h"
#include "Utf8ToAnsi.h"

#include <gtest/gtest.h>

namespace {

// The tests run with the ANSI code page 1252 (Western European), Wine's default here.
TEST(Utf8ToAnsi, CharactersOfTheCodePageStayAndOthersBecomeQuestionMarks)
{
    int nMissing = 0;
    // "Crème brûlée" keeps its accents; a snowman (3 bytes) and a smiling face (4
    // bytes, a surrogate pair) are one "?" each.
    EXPECT_STREQ("Cr\xE8me br\xFBl\xE9" "e ? ?", Utf8ToAnsi("Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9" "e \xE2\x98\x83 \xF0\x9F\x98\x80", nMissing));
    EXPECT_EQ(2, nMissing);
    // A character with a look-alike in the code page is still missing: no best fit.
    EXPECT_STREQ("?", Utf8ToAnsi("\xC4\x81", nMissing)); // a with macron
    EXPECT_EQ(3, nMissing);
    // A "?" of the text itself is not counted.
    EXPECT_STREQ("why?", Utf8ToAnsi("why?", nMissing));
    EXPECT_EQ(3, nMissing);
}

TEST(Utf8ToAnsi, BrokenUtf8AndControlCharacters)
{
    int nMissing = 0;
    // A lone continuation byte, an overlong form, a sequence cut short at the end.
    EXPECT_STREQ("a?b??c??", Utf8ToAnsi("a\x80" "b\xC0\xAF" "c\xE2\x98", nMissing));
    EXPECT_EQ(5, nMissing);
    nMissing = 0;
    EXPECT_STREQ("good morning  x", Utf8ToAnsi(std::string_view("good\nmorning\t\0x", 15), nMissing));
    EXPECT_EQ(0, nMissing);
}

TEST(BoardDocumentNames, SafeLowerCaseNamesNumberedWhenTaken)
{
    CBoardDocumentNames names("Home.lmd");
    EXPECT_STREQ("food.lmd", names.Take("Food"));
    EXPECT_STREQ("food2.lmd", names.Take("FOOD"));
    EXPECT_STREQ("food3.lmd", names.Take("food"));
    // The first board's own name is taken, in any case.
    EXPECT_STREQ("home2.lmd", names.Take("home"));
    EXPECT_STREQ("my-drinks-hot.lmd", names.Take("  My drinks: hot!  "));
    EXPECT_STREQ("pr-ci.lmd", names.Take("..\\pr\xE9\\ci"));
    EXPECT_STREQ("board.lmd", names.Take(""));
    EXPECT_STREQ("board2.lmd", names.Take("???"));
    EXPECT_STREQ("con-board.lmd", names.Take("CON"));
    EXPECT_STREQ("com1-board.lmd", names.Take("com1"));
    EXPECT_STREQ("com10.lmd", names.Take("com10"));
    const CString strLong = names.Take(CString('x', 200));
    EXPECT_EQ(64, strLong.GetLength());
}

} // namespace
