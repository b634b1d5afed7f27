// ChangeDIBFormat of an arbitrary packed DIB to 8 bits on a palette, 8 bits without one,
// 16, 24 and 32 bits. The first two bytes make the palette: its size (1 to 256) and the
// seed of its colours; the rest is the DIB. A conversion exists exactly when the DIB is
// valid, and the formats must agree with the 32-bit one: the same colours at 24 bits,
// their top 5 bits at 16, and at 8 bits the index that a plain search of the palette
// (the native GetNearestPaletteIndex) chooses. Images of more than 4096 pixels (a
// short run-length stream can claim a megabyte) are not converted, to keep the runs
// fast: the conversions take the same paths at any size.
#include "diblib/dibapi.h"

#include <stdlib.h>
#include <string.h>
#include <vector>

namespace {

void Check(bool bCondition)
{
    if (!bCondition)
        abort();
}

HPALETTE MakePalette(BYTE nSize, BYTE nSeed)
{
    std::vector<BYTE> bytes(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY));
    LOGPALETTE* pLog = reinterpret_cast<LOGPALETTE*>(bytes.data());
    pLog->palVersion = 0x300;
    pLog->palNumEntries = (WORD)(nSize + 1);
    DWORD dw = nSeed;
    for (UINT i = 0; i < pLog->palNumEntries; ++i)
    {
        dw = dw * 1664525u + 1013904223u;
        // Every fourth entry repeats an earlier one, so that ties are common.
        if (i % 4 == 3)
            pLog->palPalEntry[i] = pLog->palPalEntry[(dw >> 8) % i];
        else
            pLog->palPalEntry[i] = { BYTE(dw >> 8), BYTE(dw >> 16), BYTE(dw >> 24), 0 };
    }
    return CreatePalette(pLog);
}

// A converted DIB's pixels, rows from the top, as an array of values.
struct PIXELS
{
    LONG nWidth = 0, nHeight = 0;
    std::vector<DWORD> values;
    std::vector<RGBQUAD> colors;
};

PIXELS Pixels(HDIB hDIB, WORD wBitCount)
{
    PIXELS pixels;
    DIBINFO info;
    Check(hDIB != NULL && ValidateDIBHandle(hDIB, &info));
    Check(info.wBitCount == wBitCount && info.dwCompression == BI_RGB && !info.bTopDown && info.cbHeader == 40);
    const BYTE* p = static_cast<const BYTE*>(::GlobalLock(hDIB));
    pixels.nWidth = info.nWidth;
    pixels.nHeight = info.nHeight;
    const RGBQUAD* pColors = reinterpret_cast<const RGBQUAD*>(p + 40);
    pixels.colors.assign(pColors, pColors + info.nColors);
    const BYTE* pBits = p + 40 + info.cbColorTable;
    for (LONG y = 0; y < info.nHeight; ++y)
    {
        const BYTE* pRow = pBits + (size_t)(info.nHeight - 1 - y) * info.cbRow;
        for (LONG x = 0; x < info.nWidth; ++x)
        {
            const BYTE* q = pRow + (size_t)x * (wBitCount / 8);
            switch (wBitCount)
            {
            case 8:
                pixels.values.push_back(q[0]);
                break;
            case 16:
                pixels.values.push_back(q[0] | (q[1] << 8));
                break;
            case 24:
                pixels.values.push_back(q[0] | (q[1] << 8) | (q[2] << 16));
                break;
            default:
                Check(q[3] == 0);
                pixels.values.push_back(q[0] | (q[1] << 8) | (q[2] << 16));
                break;
            }
        }
    }
    ::GlobalUnlock(hDIB);
    ::GlobalFree(hDIB);
    return pixels;
}

DWORD QuadColor(const RGBQUAD& q) { return q.rgbBlue | (q.rgbGreen << 8) | (q.rgbRed << 16); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize < 2)
        return 0;
    HPALETTE hPal = MakePalette(pData[0], pData[1]);
    HGLOBAL hDIB = ::GlobalAlloc(GMEM_MOVEABLE, nSize - 2);
    memcpy(::GlobalLock(hDIB), pData + 2, nSize - 2);
    ::GlobalUnlock(hDIB);

    DIBINFO info;
    const BOOL bValid = ValidateDIBHandle(hDIB, &info);
    if (!bValid)
        Check(ChangeDIBFormat(hDIB, 32, BI_RGB, NULL) == NULL);
    else if ((ULONGLONG)info.nWidth * info.nHeight <= 4096)
    {
        PIXELS rgb = Pixels(ChangeDIBFormat(hDIB, 32, BI_RGB, NULL), 32);
        PIXELS rgb24 = Pixels(ChangeDIBFormat(hDIB, 24, BI_RGB, NULL), 24);
        PIXELS rgb16 = Pixels(ChangeDIBFormat(hDIB, 16, BI_RGB, NULL), 16);
        PIXELS mapped = Pixels(ChangeDIBFormat(hDIB, 8, BI_RGB, hPal), 8);
        PIXELS own = Pixels(ChangeDIBFormat(hDIB, 8, BI_RGB, NULL), 8);
        Check(rgb24.values == rgb.values);
        Check(mapped.colors.size() == (size_t)pData[0] + 1 && own.colors.size() <= 256);
        for (size_t i = 0; i < rgb.values.size(); ++i)
        {
            DWORD c = rgb.values[i];
            Check(rgb16.values[i] == (((c >> 9) & 0x7C00) | ((c >> 6) & 0x03E0) | ((c >> 3) & 0x1F)));
            Check(mapped.values[i] == GetNearestPaletteIndex(hPal, RGB(c >> 16, c >> 8, c)));
            Check(own.values[i] < own.colors.size());
        }
        // An image of few colours keeps them all.
        if (own.colors.size() < 256)
        {
            for (size_t i = 0; i < rgb.values.size(); ++i)
                Check(QuadColor(own.colors[own.values[i]]) == rgb.values[i]);
        }
    }
    ::GlobalFree(hDIB);
    DeleteObject(hPal);
    return 0;
}
