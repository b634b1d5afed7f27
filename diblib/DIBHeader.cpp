// Reading the fields of the six header kinds, and the checks of the format they give.
#include "diblib/DIBHeader.h"

namespace {

BOOL IsKnownHeaderSize(DWORD cb)
{
    switch (cb)
    {
    case DIB_CORE_HEADER:
    case DIB_INFO_HEADER:
    case DIB_V2_HEADER:
    case DIB_V3_HEADER:
    case DIB_V4_HEADER:
    case DIB_V5_HEADER:
        return TRUE;
    default:
        return FALSE;
    }
}

// A non-zero run of adjacent bits inside the pixel.
BOOL IsUsableMask(DWORD dwMask, WORD wBitCount)
{
    if (dwMask == 0 || (wBitCount == 16 && dwMask > 0xFFFF))
        return FALSE;
    DWORD dwLowest = dwMask & (~dwMask + 1);
    return ((dwMask + dwLowest) & dwMask) == 0;
}

} // namespace

BOOL ReadDIBHeader(const BYTE* p, SIZE_T cb, DIBHEADER& header)
{
    header = DIBHEADER();
    if (cb < 4)
        return FALSE;
    header.cbHeader = PeekDword(p);
    if (!IsKnownHeaderSize(header.cbHeader) || cb < header.cbHeader)
        return FALSE;

    if (header.cbHeader == DIB_CORE_HEADER)
    {
        header.nWidth = PeekWord(p + 4);
        header.nHeight = PeekWord(p + 6);
        header.wPlanes = PeekWord(p + 8);
        header.wBitCount = PeekWord(p + 10);
        header.dwCompression = BI_RGB;
        header.cbColorEntry = sizeof(RGBTRIPLE);
        return TRUE;
    }

    header.nWidth = (LONG)PeekDword(p + 4);
    header.nHeight = (LONG)PeekDword(p + 8);
    header.wPlanes = PeekWord(p + 12);
    header.wBitCount = PeekWord(p + 14);
    header.dwCompression = PeekDword(p + 16);
    header.dwSizeImage = PeekDword(p + 20);
    header.nXPelsPerMeter = (LONG)PeekDword(p + 24);
    header.nYPelsPerMeter = (LONG)PeekDword(p + 28);
    header.dwClrUsed = PeekDword(p + 32);
    header.dwClrImportant = PeekDword(p + 36);
    header.cbColorEntry = sizeof(RGBQUAD);
    if (header.dwCompression != BI_BITFIELDS)
        return TRUE;

    // Newer headers hold the masks; a BITMAPINFOHEADER is followed by them.
    const BYTE* pMasks = p + DIB_INFO_HEADER;
    if (header.cbHeader == DIB_INFO_HEADER)
    {
        header.cbMasks = 3 * sizeof(DWORD);
        if (cb - header.cbHeader < header.cbMasks)
            return FALSE;
    }
    for (int i = 0; i < 3; ++i)
        header.masks[i] = PeekDword(pMasks + 4 * i);
    return TRUE;
}

BOOL IsReadableFormat(const DIBHEADER& header)
{
    if (header.nWidth <= 0 || DIBRows(header) == 0 || header.wPlanes != 1)
        return FALSE;
    if (header.cbHeader == DIB_CORE_HEADER)
    {
        WORD w = header.wBitCount;
        return w == 1 || w == 4 || w == 8 || w == 24;
    }

    switch (header.dwCompression)
    {
    case BI_RGB:
        switch (header.wBitCount)
        {
        case 1: case 4: case 8: case 16: case 24: case 32:
            return TRUE;
        default:
            return FALSE;
        }
    case BI_RLE8:
        return header.wBitCount == 8 && header.nHeight > 0;
    case BI_RLE4:
        return header.wBitCount == 4 && header.nHeight > 0;
    case BI_BITFIELDS:
    {
        if (header.wBitCount != 16 && header.wBitCount != 32)
            return FALSE;
        for (DWORD dwMask : header.masks)
        {
            if (!IsUsableMask(dwMask, header.wBitCount))
                return FALSE;
        }
        const DWORD* m = header.masks;
        return (m[0] & m[1]) == 0 && (m[0] & m[2]) == 0 && (m[1] & m[2]) == 0;
    }
    default:
        return FALSE;
    }
}

ULONGLONG DeclaredColors(const DIBHEADER& header)
{
    if (header.dwClrUsed != 0 && header.cbHeader != DIB_CORE_HEADER)
        return header.dwClrUsed;
    return header.wBitCount <= 8 ? 1u << header.wBitCount : 0;
}

ULONGLONG DIBRowBytes(LONG nWidth, WORD wBitCount)
{
    return ((ULONGLONG)(DWORD)nWidth * wBitCount + 31) / 32 * 4;
}
