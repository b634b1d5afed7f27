// The layout of a packed DIB that validation accepted: its header's fields, what
// ValidateDIB reports, and where the colour table and the pixels are.
#pragma once

#include "diblib/DIBHeader.h"

// Run-length streams may expand to their uncompressed rows up to this many bytes, or
// to DIB_RLE_EXPANSION times their own length if that is more: a stream can claim
// any size, and what it expands to is allocated.
const ULONGLONG DIB_RLE_MIN_LIMIT = 1 << 20;
const ULONGLONG DIB_RLE_EXPANSION = 256;

struct DIBLAYOUT
{
    DIBHEADER header;
    DIBINFO info;
    const BYTE* pColors; // info.nColors entries of header.cbColorEntry bytes
    const BYTE* pBits;   // info.cbBits bytes
};

// ValidateDIB with the addresses of the parts.
BOOL GetDIBLayout(const void* pDIB, SIZE_T cbDIB, DIBLAYOUT& layout);

// TRUE when a run-length stream of cbStream bytes may expand to the rows of the
// header's image.
BOOL IsRLEExpansionAllowed(const DIBHEADER& header, ULONGLONG cbStream);
