// The pixel depth that off-screen buffers are made to match.
//
// Buffers are 8-bit palette buffers on a display of 256 colours or fewer, and 16-bit
// buffers otherwise. The depth comes from the screen's BITSPIXEL unless a depth has been
// forced: ForceScreenBitsPerPixel(8) runs the palette path as on a 256-colour display,
// which is how to use it where the screen has more colours (Wine's screen never has 8
// bits). Everything after that choice is real GDI.
#pragma once

#include "limn/limn_api.h"

// The forced depth, else BITSPIXEL of a screen context.
LIMN_API int GetScreenBitsPerPixel();
// Forces the depth that GetScreenBitsPerPixel reports; 0 reads the screen again.
LIMN_API void ForceScreenBitsPerPixel(int nBitsPerPixel);
