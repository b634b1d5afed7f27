// Colours: the forms boards write, and text that only looks like a colour.
#include "Color.h"
#include "ObfError.h"

#include <gtest/gtest.h>

namespace {

TEST(Color, ReadsRgbAndRgba)
{
    struct Case
    {
        const char* text;
        obf::Color color;
    } cases[] = {
        {"rgb(255, 0, 0)", {255, 0, 0, 255}},
        {"rgb(1,2,3)", {1, 2, 3, 255}},
        {"  rgb( 10 , 20 ,30 ) ", {10, 20, 30, 255}},
        {"rgba(0, 128, 255, 0.5)", {0, 128, 255, 128}},
        {"rgba(0,0,0,0)", {0, 0, 0, 0}},
        {"rgba(0,0,0,1)", {0, 0, 0, 255}},
        {"rgba(0,0,0,1.0)", {0, 0, 0, 255}},
        {"rgba(0,0,0,.25)", {0, 0, 0, 64}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(obf::ParseColor(c.text), c.color);
    }
}

TEST(Color, RefusesWhatIsNoColour)
{
    const char* texts[] = {"", "red", "#ff0000", "rgb(256,0,0)", "rgb(-1,0,0)", "rgb(1,2)",
                           "rgb(1,2,3,4)", "rgba(1,2,3)", "rgba(1,2,3,1.5)", "rgba(1,2,3,0.5.5)",
                           "rgb(1,2,3", "rgb(1,,3)", "rgb(1 2,3)", "rgb(1000,0,0)", "rgba(1,2,3,)",
                           "rgb(1,2,3)x", "rgba(1,2,3,.)"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        EXPECT_THROW(obf::ParseColor(text), obf::Error);
    }
}

TEST(Color, FormatReadsBackTheSameColour)
{
    for (int alpha = 0; alpha <= 255; ++alpha) {
        obf::Color color{12, 200, 7, static_cast<uint8_t>(alpha)};
        EXPECT_EQ(obf::ParseColor(obf::FormatColor(color)), color) << obf::FormatColor(color);
    }
    EXPECT_EQ(obf::FormatColor({1, 2, 3, 255}), "rgb(1, 2, 3)");
}

} // namespace
