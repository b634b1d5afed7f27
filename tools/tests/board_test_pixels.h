// The pixels of pictures, for tests that compare what boards show.
#pragma once

#include "diblib/dibapi.h"

#include <vector>

class CPicture;

namespace board_test {

// The rows of a DIB's pixels, bottom-up: 32 bits where it has them (with its alpha)
// and bKeepAlpha, else 24, the colours it draws.
std::vector<BYTE> PixelRows(HDIB hDIB, int& nWidth, int& nHeight, bool bKeepAlpha = true);
// What the picture shows on a board: its bitmap as the bitmap element keeps it, in at
// most 16 bits (a Macintosh picture's as its first draw converts it).
HDIB ShownDIB(CPicture* pPicture);

} // namespace board_test
