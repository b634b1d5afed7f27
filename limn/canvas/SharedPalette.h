// The one 256-colour palette that every canvas, buffer and frame of limn uses: its
// logical description gLogPalette and the palette object made from it.
#pragma once

#include "limn/limn_api.h"

// A LOGPALETTE with room for all 256 entries.
struct LOGPALETTE256
{
    WORD palVersion;
    WORD palNumEntries;
    PALETTEENTRY palPalEntry[256];

    operator LOGPALETTE*() { return reinterpret_cast<LOGPALETTE*>(this); }
};

// Entries 0-9 and 246-255 are the static colours of a palette display; entry 10 (black,
// reserved) and 11-245 (greys and a 6-level colour cube) are not collapsed into them.
extern LIMN_API LOGPALETTE256 gLogPalette;

// The palette made from gLogPalette on first use; NULL when it cannot be created, in which
// case the next call tries again. It lives until the process ends.
LIMN_API CPalette* GetSharedPalette();

// The index of the entry of gLogPalette nearest to the colour: the smallest sum of the
// squared differences of red, green and blue, the lowest index on ties, as the
// platform's GetNearestPaletteIndex chooses over the shared palette.
LIMN_API BYTE NearestPaletteIndex(BYTE red, BYTE green, BYTE blue);
