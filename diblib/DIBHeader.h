// The fields of a DIB header of any kind, read from its bytes, and the checks of what
// they describe. Shared by validation, the file reader and the accessors.
#pragma once

#include "diblib/dibapi.h"

// Header sizes: OS/2 core, info, info with masks (RGB, RGBA), V4, V5.
enum : DWORD
{
    DIB_CORE_HEADER = 12,
    DIB_INFO_HEADER = 40,
    DIB_V2_HEADER = 52,
    DIB_V3_HEADER = 56,
    DIB_V4_HEADER = 108,
    DIB_V5_HEADER = 124,
};

// What any header says, in the terms of a BITMAPINFOHEADER.
struct DIBHEADER
{
    DWORD cbHeader;       // one of the sizes above
    LONG nWidth;          // as stored
    LONG nHeight;         // as stored; negative for top-down rows
    WORD wPlanes;
    WORD wBitCount;
    DWORD dwCompression;
    DWORD dwSizeImage;
    LONG nXPelsPerMeter;
    LONG nYPelsPerMeter;
    DWORD dwClrUsed;
    DWORD dwClrImportant;
    DWORD masks[3];       // red, green, blue: BI_BITFIELDS only
    DWORD cbMasks;        // mask bytes stored after the header (a 40-byte header's)
    DWORD cbColorEntry;   // 3 (RGBTRIPLE) after a core header, else 4 (RGBQUAD)
};

// A little-endian value at any address.
inline WORD PeekWord(const BYTE* p) { return (WORD)(p[0] | (p[1] << 8)); }
inline DWORD PeekDword(const BYTE* p)
{
    return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}

// Reads the header at p, of which cb bytes may be read. FALSE when its size is not one
// of the known ones or the header (with the masks a 40-byte BI_BITFIELDS header is
// followed by) is longer than cb.
BOOL ReadDIBHeader(const BYTE* p, SIZE_T cb, DIBHEADER& header);

// TRUE when the header describes pixels these routines read: positive width, non-zero
// height, one plane, a bit count and compression that go together, bottom-up rows for
// RLE, and usable bit-field masks.
BOOL IsReadableFormat(const DIBHEADER& header);

// Entries of the colour table the header declares (biClrUsed, or all that the bit
// count can index when that is 0); not checked against any limit.
ULONGLONG DeclaredColors(const DIBHEADER& header);

// a * b in *pProduct; FALSE when it does not fit in 64 bits.
inline BOOL MultiplySize(ULONGLONG a, ULONGLONG b, ULONGLONG& product)
{
    return !__builtin_mul_overflow(a, b, &product);
}

// Bytes of one uncompressed row, padded to 4.
ULONGLONG DIBRowBytes(LONG nWidth, WORD wBitCount);

// The absolute value of the stored height (0 for one that has none).
inline LONG DIBRows(const DIBHEADER& header)
{
    return header.nHeight < 0 ? (header.nHeight == INT32_MIN ? 0 : -header.nHeight)
                              : header.nHeight;
}

inline BOOL IsRLE(DWORD dwCompression) { return dwCompression == BI_RLE8 || dwCompression == BI_RLE4; }
