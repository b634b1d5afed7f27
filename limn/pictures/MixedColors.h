// The blend of two colours of the shared palette, as one table look-up per pair.
#pragma once

#include "limn/limn_api.h"

// mixArray[a * 256 + b] is the palette index of the blend of indices a and b (see
// MakeMixedColors). The table is symmetric, and index 10, the transparent key, blends as
// nothing: mixArray[10 * 256 + b] is b.
extern LIMN_API const BYTE mixArray[65536];

// Fills the 65536 bytes of table by the mixing rule: for indices a and b that are not 10,
// each channel of the blend is half of a's plus half of b's (both halved before adding),
// halved once more when either is index 0 (black); the entry is the nearest palette index
// of the blend. mixArray is this table, generated offline by tools/mixgen.
LIMN_API void MakeMixedColors(BYTE* table);
