// The chunk checks of PNG files, which the imaging component leaves out: it decodes a
// PNG whose chunk CRCs are wrong or whose end chunk is missing, as long as the pixel
// data inflates.
#pragma once

#include "diblib/dibapi.h"

// TRUE when the cb bytes at p begin with the PNG signature.
BOOL IsPngSignature(const BYTE* p, SIZE_T cb);
// TRUE when the bytes after the PNG signature are whole chunks, each with its CRC
// right, up to and including the IEND chunk (bytes after it are ignored).
BOOL ArePngChunksSound(const BYTE* p, SIZE_T cb);
