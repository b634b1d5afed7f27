// Walking BI_RLE8 and BI_RLE4 streams: expanding them as the system's blits draw them,
// and checking them strictly, as the file reader does.
#pragma once

#include "diblib/dibapi.h"

struct RLEIMAGE
{
    const BYTE* pStream;
    SIZE_T cbStream;
    WORD wBitCount; // 8 or 4
    LONG nWidth;
    LONG nRows;     // bottom-up: the stream starts with the bottom row
};

// Writes the pixels the stream sets into pIndices (nWidth * nRows colour indices, top
// row first), leaving the others as they are. A run that crosses the end of its row is
// cut there; a step past the image or past the stream's end ends the stream.
void ExpandRLE(const RLEIMAGE& image, BYTE* pIndices);

// FALSE when the stream does what a sound encoder never writes: a run that crosses the
// end of its row, a delta that leaves the image, pixels after the last row, or a step
// cut off by the stream's end. Otherwise TRUE, with the highest colour index a pixel
// gets in *pMaxIndex (0 when no pixel is set). Allocates nothing.
BOOL CheckRLE(const RLEIMAGE& image, BYTE* pMaxIndex);
