// The mixing rule of palette indices.
#include "limn/pictures/MixedColors.h"
#include "limn/canvas/SharedPalette.h"

void MakeMixedColors(BYTE* table)
{
    const PALETTEENTRY* entries = gLogPalette.palPalEntry;
    for (int a = 0; a < 256; ++a)
    {
        for (int b = 0; b < 256; ++b)
        {
            BYTE& mix = table[a * 256 + b];
            if (a == 10)
            {
                mix = (BYTE)b;
                continue;
            }
            if (b == 10)
            {
                mix = (BYTE)a;
                continue;
            }
            int nShift = (a == 0 || b == 0) ? 1 : 0;
            BYTE red = (BYTE)(((entries[a].peRed >> 1) + (entries[b].peRed >> 1)) >> nShift);
            BYTE green = (BYTE)(((entries[a].peGreen >> 1) + (entries[b].peGreen >> 1)) >> nShift);
            BYTE blue = (BYTE)(((entries[a].peBlue >> 1) + (entries[b].peBlue >> 1)) >> nShift);
            mix = NearestPaletteIndex(red, green, blue);
        }
    }
}
