// The blend table of palette indices against the rule that makes it, and the nearest
// palette entry against GDI's.
#include "limn/pictures/MixedColors.h"
#include "limn/canvas/SharedPalette.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

BYTE Mix(int a, int b) { return mixArray[a * 256 + b]; }

} // namespace

TEST(MixedColors, TableIsTheRule)
{
    std::vector<BYTE> table(65536);
    MakeMixedColors(table.data());
    for (int i = 0; i < 65536; ++i)
        ASSERT_EQ(table[i], mixArray[i]) << "entry (" << i / 256 << ", " << i % 256 << ")";
}

TEST(MixedColors, Properties)
{
    int nSelf = 0;
    for (int a = 0; a < 256; ++a)
    {
        for (int b = 0; b < 256; ++b)
            ASSERT_EQ(Mix(a, b), Mix(b, a)) << a << ", " << b;
        ASSERT_EQ(a, Mix(10, a)) << "the key blends as nothing";
        ASSERT_EQ(a, Mix(a, 10));
        nSelf += Mix(a, a) == a;
    }
    EXPECT_EQ(248, nSelf) << "a colour blended with itself stays itself";
    // Black with white: each channel (0 + 127) >> 1.
    EXPECT_EQ(NearestPaletteIndex(63, 63, 63), Mix(0, 255));
    EXPECT_EQ(NearestPaletteIndex(127, 0, 127), Mix(249, 252)) << "red with blue";
}

// The nearest entry is the one the platform's GetNearestPaletteIndex finds in the shared
// palette.
TEST(MixedColors, NearestPaletteIndexIsGDIs)
{
    CPalette* pPalette = GetSharedPalette();
    ASSERT_NE(nullptr, pPalette);
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 17)
            for (int b = 0; b < 256; b += 5)
                ASSERT_EQ(pPalette->GetNearestPaletteIndex(RGB(r, g, b)), NearestPaletteIndex((BYTE)r, (BYTE)g, (BYTE)b))
                    << r << "," << g << "," << b;
}
