#include <afx.h>
#include <gtest/gtest.h>

TEST(CString, Basics)
{
    CString s("abc");
    EXPECT_EQ(3, s.GetLength());
    EXPECT_STREQ("abc", (LPCSTR)s);
}
