// Colours: the forms boards write, and text that only looks like a colour.
#include "Color.h"
#include "ObfError.h"

#include <gtest/gtest.h>

namespace {

struct Case
{
    const char* text;
    obf::Color color;
};

void ExpectColors(const std::vector<Case>& cases)
{
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(obf::ParseColor(c.text), c.color);
    }
}

TEST(Color, ReadsRgbAndRgba)
{
    ExpectColors({
        {"rgb(255, 0, 0)", {255, 0, 0, 255}},
        {"rgb(1,2,3)", {1, 2, 3, 255}},
        {"  rgb( 10 , 20 ,30 ) ", {10, 20, 30, 255}},
        {"RGB(1, 2, 3)", {1, 2, 3, 255}},
        {"rgba(0, 128, 255, 0.5)", {0, 128, 255, 128}},
        {"rgba(0,0,0,0)", {0, 0, 0, 0}},
        {"rgba(0,0,0,1)", {0, 0, 0, 255}},
        {"rgba(0,0,0,1.0)", {0, 0, 0, 255}},
        {"rgba(0,0,0,.25)", {0, 0, 0, 64}},
        {"rgb(100%, 50%, 0%)", {255, 128, 0, 255}},
        {"rgb(12.5%,0.0%,100.0%)", {32, 0, 255, 255}},
        {"rgba(0, 0, 0, 50%)", {0, 0, 0, 128}},
        {"rgba(100%, 0%, 0%, 0.2)", {255, 0, 0, 51}},
    });
}

TEST(Color, ReadsHexDigits)
{
    ExpectColors({
        {"#ff8000", {255, 128, 0, 255}},
        {"#FF8000", {255, 128, 0, 255}},
        {"#f80", {255, 136, 0, 255}},
        {"#0a1B2c", {10, 27, 44, 255}},
        {" #000 ", {0, 0, 0, 255}},
        {"#ff800080", {255, 128, 0, 128}},
        {"#f808", {255, 136, 0, 136}},
        {"#ffffff00", {255, 255, 255, 0}},
    });
}

TEST(Color, ReadsCssNamesInAnyCase)
{
    ExpectColors({
        {"red", {255, 0, 0, 255}},
        {"Red", {255, 0, 0, 255}},
        {" WHITE ", {255, 255, 255, 255}},
        {"black", {0, 0, 0, 255}},
        // The first and last names, and names that other colour lists give other values.
        {"aliceblue", {240, 248, 255, 255}},
        {"yellowgreen", {154, 205, 50, 255}},
        {"gray", {128, 128, 128, 255}},
        {"grey", {128, 128, 128, 255}},
        {"green", {0, 128, 0, 255}},
        {"lime", {0, 255, 0, 255}},
        {"maroon", {128, 0, 0, 255}},
        {"purple", {128, 0, 128, 255}},
        {"CornflowerBlue", {100, 149, 237, 255}},
        {"lightgoldenrodyellow", {250, 250, 210, 255}},
        {"rebeccapurple", {102, 51, 153, 255}},
        {"transparent", {0, 0, 0, 0}},
        {"Transparent", {0, 0, 0, 0}},
    });
}

TEST(Color, RefusesWhatIsNoColour)
{
    const char* texts[] = {
        "", " ", "rgb(256,0,0)", "rgb(-1,0,0)", "rgb(1,2)", "rgb(1,2,3,4)", "rgba(1,2,3)",
        "rgba(1,2,3,1.5)", "rgba(1,2,3,0.5.5)", "rgb(1,2,3", "rgb(1,,3)", "rgb(1 2,3)",
        "rgb(1000,0,0)", "rgba(1,2,3,)", "rgb(1,2,3,)", "rgb(1,2,3)x", "rgba(1,2,3,.)", "rgb()",
        "rgb(,,,,,,,,)", "rgb(1.5,0,0)",
        // Percentages: above 100%, mixed with integers, or no number at all.
        "rgb(101%,0%,0%)", "rgb(100%,0,0)", "rgb(0,0%,0%)", "rgb(%,0%,0%)", "rgba(0,0,0,101%)",
        "rgba(0,0,0,%)",
        // Hex: other lengths, other digits.
        "#", "#f", "#ff", "#fffff", "#fffffff", "#fffffffff", "#ggg", "# fff", "#ff 000", "##fff",
        "0xff0000", "ff0000",
        // Names CSS does not have, or not as colours.
        "bleu", "redd", "light blue", "currentcolor", "inherit", "none", "red;", "red blue",
        "transparen"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        EXPECT_THROW(obf::ParseColor(text), obf::Error);
    }
}

TEST(Color, TheRefusalQuotesTheText)
{
    try {
        obf::ParseColor("Bleu");
        FAIL() << "\"Bleu\" was read";
    } catch (const obf::Error& e) {
        EXPECT_EQ(std::string(e.what()), "\"Bleu\" is no colour of the form rgb(r, g, b), rgba(r, g, b, a), "
                                         "#rrggbb, #rgb or a CSS colour name");
    }
}

TEST(Color, FormatReadsBackTheSameColour)
{
    for (int alpha = 0; alpha <= 255; ++alpha) {
        obf::Color color{12, 200, 7, static_cast<uint8_t>(alpha)};
        EXPECT_EQ(obf::ParseColor(obf::FormatColor(color)), color) << obf::FormatColor(color);
    }
    EXPECT_EQ(obf::FormatColor({1, 2, 3, 255}), "rgb(1, 2, 3)");
    // Other forms are written as rgb() or rgba().
    EXPECT_EQ(obf::FormatColor(obf::ParseColor("#0a1b2c")), "rgb(10, 27, 44)");
    EXPECT_EQ(obf::FormatColor(obf::ParseColor("transparent")), "rgba(0, 0, 0, 0.000)");
}

} // namespace
