// The shared palette: gLogPalette's entries and flags, and the palette made from it.
#include "limn/canvas/SharedPalette.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

namespace {

std::tuple<int, int, int> Colour(const PALETTEENTRY& entry)
{
    return { entry.peRed, entry.peGreen, entry.peBlue };
}

} // namespace

TEST(SharedPalette, FlagsByRange)
{
    EXPECT_EQ(0x300, gLogPalette.palVersion);
    EXPECT_EQ(256, gLogPalette.palNumEntries);
    for (int i = 0; i < 256; ++i)
    {
        BYTE expected = (i < 10 || i > 245) ? 0 : i == 10 ? (PC_RESERVED | PC_NOCOLLAPSE) : PC_NOCOLLAPSE;
        EXPECT_EQ(expected, gLogPalette.palPalEntry[i].peFlags) << "entry " << i;
    }
}

// Entries 29-232 are the six-level cube without black, the seven static cube colours
// and four blues and greens, each once.
TEST(SharedPalette, CubeEntries)
{
    const std::set<int> levels = { 0, 51, 102, 153, 204, 255 };
    std::set<std::tuple<int, int, int>> cube;
    for (int i = 29; i <= 232; ++i)
    {
        const PALETTEENTRY& e = gLogPalette.palPalEntry[i];
        EXPECT_TRUE(levels.count(e.peRed) && levels.count(e.peGreen) && levels.count(e.peBlue)) << "entry " << i;
        cube.insert(Colour(e));
    }
    EXPECT_EQ(204u, cube.size());
    const std::tuple<int, int, int> leftOut[] = {
        { 0, 0, 0 }, { 255, 0, 0 }, { 0, 255, 0 }, { 255, 255, 0 }, { 0, 0, 255 }, { 255, 0, 255 },
        { 0, 255, 255 }, { 255, 255, 255 }, { 51, 0, 255 }, { 51, 255, 0 }, { 0, 51, 255 }, { 0, 255, 51 },
    };
    for (const auto& colour : leftOut)
        EXPECT_EQ(0u, cube.count(colour)) << std::get<0>(colour) << "," << std::get<1>(colour) << "," << std::get<2>(colour);
}

TEST(SharedPalette, EntriesInOrder)
{
    const struct
    {
        int nIndex;
        std::tuple<int, int, int> colour;
    } cases[] = {
        { 0, { 0, 0, 0 } }, { 7, { 192, 192, 192 } }, { 9, { 166, 202, 240 } }, { 10, { 0, 0, 0 } },
        { 11, { 6, 6, 6 } }, { 18, { 85, 85, 85 } }, { 22, { 129, 129, 129 } }, { 23, { 129, 0, 0 } },
        { 28, { 0, 129, 129 } }, { 29, { 51, 0, 0 } }, { 57, { 102, 255, 0 } }, { 126, { 204, 255, 102 } },
        { 127, { 255, 0, 204 } }, { 139, { 51, 102, 153 } }, { 151, { 102, 204, 102 } },
        { 196, { 51, 0, 204 } }, { 232, { 102, 255, 255 } }, { 233, { 193, 193, 193 } },
        { 234, { 95, 95, 95 } }, { 245, { 248, 248, 248 } }, { 246, { 255, 251, 240 } },
        { 248, { 128, 128, 128 } }, { 249, { 255, 0, 0 } }, { 255, { 255, 255, 255 } },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.colour, Colour(gLogPalette.palPalEntry[c.nIndex])) << "entry " << c.nIndex;
}

TEST(SharedPalette, OnePaletteFromTheDescription)
{
    CPalette* pPalette = GetSharedPalette();
    ASSERT_NE(nullptr, pPalette);
    EXPECT_EQ(pPalette, GetSharedPalette());
    EXPECT_EQ(256, pPalette->GetEntryCount());
    PALETTEENTRY entries[256];
    ASSERT_EQ(256u, pPalette->GetPaletteEntries(0, 256, entries));
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(Colour(gLogPalette.palPalEntry[i]), Colour(entries[i])) << "entry " << i;
    EXPECT_EQ(139u, pPalette->GetNearestPaletteIndex(RGB(50, 100, 150)));
}
