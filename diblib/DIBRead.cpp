// ReadDIBFile: a bitmap file into a packed DIB with a BITMAPINFOHEADER. Every size the
// file's headers give is checked against what the file holds before it is used, so
// that nothing is allocated for a claim alone.
#include "diblib/DIBRle.h"
#include "diblib/DIBRowReader.h"
#include "diblib/GlobalBlock.h"

#include <new>
#include <string.h>

namespace {

const DWORD FILE_HEADER_SIZE = 14;
const LONGLONG MAX_PELS_PER_METER = 1000000;

BOOL IsSaneDensity(LONG nPelsPerMeter)
{
    LONGLONG n = nPelsPerMeter;
    return -MAX_PELS_PER_METER <= n && n <= MAX_PELS_PER_METER;
}

// Bit-field masks that say what BI_RGB means for their bit count.
BOOL AreRGBMasks(const DIBHEADER& header)
{
    static const DWORD rgb555[3] = { 0x7C00, 0x03E0, 0x001F };
    static const DWORD rgb888[3] = { 0xFF0000, 0x00FF00, 0x0000FF };
    return memcmp(header.masks, header.wBitCount == 16 ? rgb555 : rgb888, sizeof header.masks) == 0;
}

// FALSE when the pixels of a valid DIB are not what a sound encoder writes: a
// run-length stream that the strict check refuses, or an index past the nTable entries
// that the file's colour table had.
BOOL ArePixelsSound(const DIBLAYOUT& layout, ULONGLONG nTable)
{
    const DIBINFO& info = layout.info;
    BYTE maxIndex = 0;
    if (IsRLE(info.dwCompression))
    {
        RLEIMAGE image = { layout.pBits, info.cbBits, info.wBitCount, info.nWidth, info.nHeight };
        if (!CheckRLE(image, &maxIndex))
            return FALSE;
    }
    else if (info.wBitCount <= 8 && nTable < (1u << info.wBitCount))
    {
        CDIBRowReader reader(layout);
        std::vector<BYTE> row((size_t)info.nWidth);
        for (LONG y = 0; y < info.nHeight; ++y)
        {
            reader.ReadIndices(y, row.data());
            for (BYTE index : row)
                maxIndex = index > maxIndex ? index : maxIndex;
        }
    }
    return info.wBitCount > 8 || maxIndex < nTable;
}

HDIB ReadDIB(CFile& file)
{
    const DWORD nStart = file.GetPosition();
    const DWORD nLength = file.GetLength();
    if (nLength < nStart)
        return NULL;
    const ULONGLONG cbFile = nLength - nStart;

    BYTE fileHeader[FILE_HEADER_SIZE];
    if (file.Read(fileHeader, FILE_HEADER_SIZE) != FILE_HEADER_SIZE || fileHeader[0] != 'B' || fileHeader[1] != 'M')
        return NULL;
    const DWORD cbDeclared = PeekDword(fileHeader + 2);
    const DWORD offBits = PeekDword(fileHeader + 10);
    if (cbDeclared > cbFile || offBits > cbFile || offBits < FILE_HEADER_SIZE + DIB_CORE_HEADER)
        return NULL;

    // The header, its masks and colour table, and any gap before the pixels.
    std::vector<BYTE> head(offBits - FILE_HEADER_SIZE);
    if (file.Read(head.data(), (UINT)head.size()) != head.size())
        return NULL;
    DIBHEADER header;
    if (!ReadDIBHeader(head.data(), head.size(), header) || !IsReadableFormat(header)
        || !IsSaneDensity(header.nXPelsPerMeter) || !IsSaneDensity(header.nYPelsPerMeter))
        return NULL;

    // The colour table: the one declared must be there, except that a core header's
    // may be cut short; entries past those an index can reach are left out.
    const UINT nIndexRange = header.wBitCount <= 8 ? 1u << header.wBitCount : 0;
    const BYTE* pTable = head.data() + header.cbHeader + header.cbMasks;
    const ULONGLONG cbTableRoom = head.size() - header.cbHeader - header.cbMasks;
    ULONGLONG nTable = DeclaredColors(header);
    if (header.cbHeader == DIB_CORE_HEADER)
        nTable = nTable < cbTableRoom / header.cbColorEntry ? nTable : cbTableRoom / header.cbColorEntry;
    else if (nTable * header.cbColorEntry > cbTableRoom)
        return NULL;
    nTable = nTable < nIndexRange ? nTable : nIndexRange;

    // The pixels.
    const ULONGLONG cbLeft = cbFile - offBits;
    if (header.dwSizeImage > cbLeft)
        return NULL;
    ULONGLONG cbBits;
    if (IsRLE(header.dwCompression))
    {
        cbBits = header.dwSizeImage != 0 ? header.dwSizeImage : cbLeft;
        if (!IsRLEExpansionAllowed(header, cbBits))
            return NULL;
    }
    else if (!MultiplySize(DIBRowBytes(header.nWidth, header.wBitCount), (ULONGLONG)DIBRows(header), cbBits))
        return NULL;
    if (cbBits > cbLeft || cbBits > MAXDWORD)
        return NULL;

    const BOOL bBitFields = header.dwCompression == BI_BITFIELDS && !AreRGBMasks(header);
    const DWORD cbMasks = bBitFields ? sizeof header.masks : 0;
    const SIZE_T cbPrefix = sizeof(BITMAPINFOHEADER) + cbMasks + nIndexRange * sizeof(RGBQUAD);
    CGlobalBlock block(cbPrefix + (SIZE_T)cbBits);
    if (block.GetData() == NULL)
        return NULL;
    BITMAPINFOHEADER* pHeader = reinterpret_cast<BITMAPINFOHEADER*>(block.GetData());
    pHeader->biSize = sizeof(BITMAPINFOHEADER);
    pHeader->biWidth = header.nWidth;
    pHeader->biHeight = header.nHeight;
    pHeader->biPlanes = 1;
    pHeader->biBitCount = header.wBitCount;
    pHeader->biCompression = header.dwCompression == BI_BITFIELDS && !bBitFields ? BI_RGB : header.dwCompression;
    pHeader->biSizeImage = (DWORD)cbBits;
    pHeader->biXPelsPerMeter = header.nXPelsPerMeter;
    pHeader->biYPelsPerMeter = header.nYPelsPerMeter;
    pHeader->biClrUsed = 0;
    pHeader->biClrImportant = header.dwClrImportant <= nIndexRange ? header.dwClrImportant : 0;
    memcpy(pHeader + 1, header.masks, cbMasks);
    RGBQUAD* pColors = reinterpret_cast<RGBQUAD*>(block.GetData() + sizeof(BITMAPINFOHEADER) + cbMasks);
    for (UINT i = 0; i < nTable; ++i)
    {
        const BYTE* pEntry = pTable + i * header.cbColorEntry;
        pColors[i] = { pEntry[0], pEntry[1], pEntry[2], 0 };
    }
    if (file.Read(block.GetData() + cbPrefix, (UINT)cbBits) != cbBits)
        return NULL;

    DIBLAYOUT layout;
    if (!GetDIBLayout(block.GetData(), cbPrefix + (SIZE_T)cbBits, layout) || !ArePixelsSound(layout, nTable))
        return NULL;
    return block.Detach();
}

} // namespace

HDIB WINAPI ReadDIBFile(CFile& file, int nFlags)
{
    try
    {
        return ReadDIB(file);
    }
    catch (const std::bad_alloc&)
    {
        return NULL;
    }
}
