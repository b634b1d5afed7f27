// Validation of packed DIBs against the bytes that hold them. Every size is computed
// in 64 bits and compared with what is there before anything is read.
#include "diblib/DIBValidate.h"

#include "diblib/GlobalBlock.h"

BOOL IsRLEExpansionAllowed(const DIBHEADER& header, ULONGLONG cbStream)
{
    ULONGLONG cbRows;
    if (!MultiplySize(DIBRowBytes(header.nWidth, header.wBitCount), (ULONGLONG)DIBRows(header), cbRows))
        return FALSE;
    return cbRows <= DIB_RLE_MIN_LIMIT || (cbRows + DIB_RLE_EXPANSION - 1) / DIB_RLE_EXPANSION <= cbStream;
}

namespace {

// The header at p, when it is one these routines read, with the colour table's entries
// and its bytes, masks included.
BOOL ReadHeaderAndTable(const BYTE* p, SIZE_T cb, DIBHEADER& header, ULONGLONG& nColors, ULONGLONG& cbColorTable)
{
    if (p == NULL || !ReadDIBHeader(p, cb, header) || !IsReadableFormat(header))
        return FALSE;
    nColors = DeclaredColors(header);
    if (nColors > (header.wBitCount <= 8 ? 1u << header.wBitCount : 256u))
        return FALSE;
    cbColorTable = header.cbMasks + nColors * header.cbColorEntry;
    return TRUE;
}

} // namespace

BOOL GetDIBLayout(const void* pDIB, SIZE_T cbDIB, DIBLAYOUT& layout)
{
    layout = DIBLAYOUT();
    const BYTE* p = static_cast<const BYTE*>(pDIB);
    DIBHEADER& header = layout.header;
    ULONGLONG nColors, cbColorTable;
    if (!ReadHeaderAndTable(p, cbDIB, header, nColors, cbColorTable))
        return FALSE;
    ULONGLONG offBits = header.cbHeader + cbColorTable;
    if (offBits > cbDIB)
        return FALSE;
    ULONGLONG cbLeft = cbDIB - offBits;
    if (header.dwSizeImage > cbLeft)
        return FALSE;

    ULONGLONG cbRow = DIBRowBytes(header.nWidth, header.wBitCount);
    LONG nRows = DIBRows(header);
    ULONGLONG cbBits;
    if (IsRLE(header.dwCompression))
    {
        cbBits = header.dwSizeImage != 0 ? header.dwSizeImage : cbLeft;
        if (cbBits < 2 || cbBits > MAXDWORD || !IsRLEExpansionAllowed(header, cbBits))
            return FALSE;
    }
    else
    {
        if (!MultiplySize(cbRow, (ULONGLONG)nRows, cbBits) || cbBits > cbLeft || cbBits > MAXDWORD)
            return FALSE;
    }

    DIBINFO& info = layout.info;
    info.cbHeader = header.cbHeader;
    info.nWidth = header.nWidth;
    info.nHeight = nRows;
    info.bTopDown = header.nHeight < 0;
    info.wBitCount = header.wBitCount;
    info.dwCompression = header.dwCompression;
    info.nColors = (DWORD)nColors;
    info.cbColorTable = (DWORD)cbColorTable;
    info.cbRow = (DWORD)cbRow;
    info.cbBits = (DWORD)cbBits;
    layout.pColors = p + header.cbHeader + header.cbMasks;
    layout.pBits = p + offBits;
    return TRUE;
}

BOOL WINAPI ValidateDIB(const void* pDIB, SIZE_T cbDIB, DIBINFO* pInfo)
{
    DIBLAYOUT layout;
    if (!GetDIBLayout(pDIB, cbDIB, layout))
        return FALSE;
    if (pInfo != NULL)
        *pInfo = layout.info;
    return TRUE;
}

BOOL WINAPI ValidateDIBHandle(HGLOBAL hDIB, DIBINFO* pInfo)
{
    CGlobalLock lock(hDIB);
    return lock.GetData() != NULL && ValidateDIB(lock.GetData(), lock.GetSize(), pInfo);
}

ULONGLONG WINAPI DIBMaxSize(const void* pHead, SIZE_T cbHead)
{
    DIBHEADER header;
    ULONGLONG nColors, cbColorTable;
    if (!ReadHeaderAndTable(static_cast<const BYTE*>(pHead), cbHead, header, nColors, cbColorTable))
        return 0;
    const ULONGLONG nRows = (ULONGLONG)DIBRows(header);
    ULONGLONG cbBits;
    if (IsRLE(header.dwCompression))
    {
        // Two bytes for each pixel (a run of one), two for the end of each row, and two
        // for the end of the bitmap.
        if (!MultiplySize(2 * (ULONGLONG)header.nWidth + 2, nRows, cbBits))
            return 0;
        cbBits += 2;
    }
    else if (!MultiplySize(DIBRowBytes(header.nWidth, header.wBitCount), nRows, cbBits))
    {
        return 0;
    }
    ULONGLONG cbAll = header.cbHeader + cbColorTable + cbBits;
    return cbAll < cbBits ? 0 : cbAll;
}
