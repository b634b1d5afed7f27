// A palette made from an image's own colours, for 8-bit conversions without one.
#pragma once

#include "diblib/DIBRowReader.h"

// Fills pEntries with at most 256 colours and returns their number: every colour of the
// image, in the order of first appearance, when there are no more than 256; otherwise
// the averages of 256 boxes of similar colours found by median cut.
UINT MakeImagePalette(CDIBRowReader& reader, PALETTEENTRY* pEntries);
