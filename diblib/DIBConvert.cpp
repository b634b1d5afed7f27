// ChangeDIBFormat: any readable DIB to a bottom-up BI_RGB DIB of 8 bits on a palette, or
// of 16 (RGB555, each channel's top 5 bits), 24 or 32 bits (the fourth byte 0).
#include "diblib/GlobalBlock.h"
#include "diblib/ImagePalette.h"
#include "diblib/NearestColor.h"

#include <new>
#include <string.h>

namespace {

// A new packed DIB with a BITMAPINFOHEADER, a colour table and zeroed rows.
class CDIBWriter
{
public:
    // IsOpen() is FALSE when the DIB would not fit in the header's sizes or in memory.
    CDIBWriter(LONG nWidth, LONG nHeight, WORD wBitCount, const PALETTEENTRY* pEntries, UINT nEntries)
        : m_nHeight(nHeight),
          m_cbRow(DIBRowBytes(nWidth, wBitCount)),
          m_cbHeader(sizeof(BITMAPINFOHEADER) + nEntries * sizeof(RGBQUAD)),
          m_block(BlockSize(m_cbHeader, m_cbRow, nHeight))
    {
        if (!IsOpen())
            return;
        BITMAPINFOHEADER* pHeader = reinterpret_cast<BITMAPINFOHEADER*>(m_block.GetData());
        pHeader->biSize = sizeof(BITMAPINFOHEADER);
        pHeader->biWidth = nWidth;
        pHeader->biHeight = nHeight;
        pHeader->biPlanes = 1;
        pHeader->biBitCount = wBitCount;
        pHeader->biCompression = BI_RGB;
        pHeader->biSizeImage = (DWORD)(m_cbRow * (SIZE_T)nHeight);
        pHeader->biClrUsed = nEntries;
        RGBQUAD* pColors = reinterpret_cast<RGBQUAD*>(pHeader + 1);
        for (UINT i = 0; i < nEntries; ++i)
            pColors[i] = { pEntries[i].peBlue, pEntries[i].peGreen, pEntries[i].peRed, 0 };
    }

    BOOL IsOpen() const { return m_block.GetData() != NULL; }
    // Row y counted from the top; rows are stored bottom-up.
    BYTE* Row(LONG y) const
    {
        return m_block.GetData() + m_cbHeader + (SIZE_T)(m_nHeight - 1 - y) * m_cbRow;
    }
    HDIB Detach() { return m_block.Detach(); }

private:
    // 0 when the pixels would not fit in biSizeImage.
    static SIZE_T BlockSize(SIZE_T cbHeader, ULONGLONG cbRow, LONG nHeight)
    {
        ULONGLONG cbBits;
        if (!MultiplySize(cbRow, (ULONGLONG)nHeight, cbBits) || cbBits > MAXDWORD)
            return 0;
        return cbHeader + (SIZE_T)cbBits;
    }

    LONG m_nHeight;
    SIZE_T m_cbRow;
    SIZE_T m_cbHeader;
    CGlobalBlock m_block;
};

HDIB ConvertTo8(CDIBRowReader& reader, HPALETTE hPal)
{
    PALETTEENTRY entries[256];
    UINT nEntries;
    if (hPal != NULL)
    {
        // An 8-bit index reaches the first 256 entries.
        nEntries = ::GetPaletteEntries(hPal, 0, 256, entries);
        if (nEntries == 0)
            return NULL;
    }
    else if (reader.IsIndexed())
    {
        // The image's own table, whole, so that every index stays what it was.
        nEntries = reader.GetIndexRange();
        for (UINT i = 0; i < nEntries; ++i)
        {
            DWORD rgb = reader.GetColorTable()[i];
            entries[i] = { BYTE(rgb >> 16), BYTE(rgb >> 8), BYTE(rgb), 0 };
        }
    }
    else
        nEntries = MakeImagePalette(reader, entries);

    const LONG nWidth = reader.GetWidth();
    CDIBWriter writer(nWidth, reader.GetHeight(), 8, entries, nEntries);
    if (!writer.IsOpen())
        return NULL;
    if (reader.IsIndexed())
    {
        BYTE map[256];
        for (UINT i = 0; i < 256; ++i)
            map[i] = (BYTE)i;
        if (hPal != NULL)
        {
            CNearestColor nearest(entries, nEntries);
            for (UINT i = 0; i < 256; ++i)
                map[i] = nearest.Find(reader.GetColorTable()[i]);
        }
        for (LONG y = 0; y < reader.GetHeight(); ++y)
        {
            BYTE* pRow = writer.Row(y);
            reader.ReadIndices(y, pRow);
            for (LONG x = 0; x < nWidth; ++x)
                pRow[x] = map[pRow[x]];
        }
    }
    else
    {
        CNearestColor nearest(entries, nEntries);
        std::vector<DWORD> colors((size_t)nWidth);
        for (LONG y = 0; y < reader.GetHeight(); ++y)
        {
            BYTE* pRow = writer.Row(y);
            reader.ReadColors(y, colors.data());
            for (LONG x = 0; x < nWidth; ++x)
                pRow[x] = nearest.Find(colors[x]);
        }
    }
    return writer.Detach();
}

HDIB ConvertToRGB(CDIBRowReader& reader, WORD wBitCount)
{
    const LONG nWidth = reader.GetWidth();
    CDIBWriter writer(nWidth, reader.GetHeight(), wBitCount, NULL, 0);
    if (!writer.IsOpen())
        return NULL;
    std::vector<DWORD> colors((size_t)nWidth);
    for (LONG y = 0; y < reader.GetHeight(); ++y)
    {
        BYTE* pRow = writer.Row(y);
        reader.ReadColors(y, colors.data());
        switch (wBitCount)
        {
        case 16:
            for (LONG x = 0; x < nWidth; ++x, pRow += 2)
            {
                DWORD rgb = colors[x];
                WORD w = (WORD)(((rgb >> 9) & 0x7C00) | ((rgb >> 6) & 0x03E0) | ((rgb >> 3) & 0x001F));
                pRow[0] = BYTE(w);
                pRow[1] = BYTE(w >> 8);
            }
            break;
        case 24:
            for (LONG x = 0; x < nWidth; ++x, pRow += 3)
            {
                DWORD rgb = colors[x];
                pRow[0] = BYTE(rgb);
                pRow[1] = BYTE(rgb >> 8);
                pRow[2] = BYTE(rgb >> 16);
            }
            break;
        default:
            memcpy(pRow, colors.data(), (SIZE_T)nWidth * 4);
            break;
        }
    }
    return writer.Detach();
}

} // namespace

HDIB WINAPI ChangeDIBFormat(HDIB hDIB, WORD wBitCount, DWORD dwCompression, HPALETTE hPal)
{
    if (dwCompression != BI_RGB || (wBitCount != 8 && wBitCount != 16 && wBitCount != 24 && wBitCount != 32))
        return NULL;
    CGlobalLock source(hDIB);
    DIBLAYOUT layout;
    if (!GetDIBLayout(source.GetData(), source.GetSize(), layout))
        return NULL;
    try
    {
        CDIBRowReader reader(layout);
        return wBitCount == 8 ? ConvertTo8(reader, hPal) : ConvertToRGB(reader, wBitCount);
    }
    catch (const std::bad_alloc&)
    {
        return NULL;
    }
}
