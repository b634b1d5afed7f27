// Paths inside a package: their canonical form, and every way out of the package.
#include "ObfError.h"
#include "PackagePath.h"

#include <gtest/gtest.h>

namespace {

TEST(PackagePath, GivesTheCanonicalForm)
{
    const char* cases[][2] = {
        {"board.obf", "board.obf"},       {"boards/a.obf", "boards/a.obf"},
        {"boards\\a.obf", "boards/a.obf"}, {"./images//x.png", "images/x.png"},
        {"a/./b/", "a/b"},                {"..a/b..", "..a/b.."},
        {"caf\xc3\xa9.png", "caf\xc3\xa9.png"},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c[0]);
        EXPECT_EQ(obf::CheckPackagePath(c[0]), c[1]);
    }
}

TEST(PackagePath, RefusesPathsThatLeaveOrNameNothing)
{
    struct Case
    {
        std::string path;
        const char* why;
    } cases[] = {
        {"", "is empty"},
        {".", "names no file"},
        {"./", "names no file"},
        {"..", "leaves the package"},
        {"../a", "leaves the package"},
        {"a/../../b", "leaves the package"},
        {"a/../b", "leaves the package"},
        {"a\\..\\b", "leaves the package"},
        {"/etc/passwd", "is absolute"},
        {"\\\\server\\share\\x", "is absolute"},
        {"C:/Windows/x", "names a drive"},
        {"c:x", "names a drive"},
        {"a/b:stream", "names a drive"},
        {std::string("a\0b", 3), "control character"},
        {"a\nb", "control character"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        try {
            obf::CheckPackagePath(c.path);
            ADD_FAILURE() << "accepted";
        } catch (const obf::Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.why), std::string::npos) << e.what();
        }
    }
}

} // namespace
