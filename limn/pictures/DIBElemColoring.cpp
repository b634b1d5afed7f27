// CDIBElem: the optimised image recoloured to the set colour and with its background
// made transparent. 8-bit images are recoloured through a map of the 256 palette indices;
// 16-bit images pixel by pixel.
#include "limn/pictures/DIBElem.h"
#include "limn/canvas/SharedPalette.h"

#include <algorithm>

namespace {

const BYTE byKey = 10;          // the transparent key, also the reserved black entry
const WORD wKey = 10;

const PALETTEENTRY& Entry(int i) { return gLogPalette.palPalEntry[i]; }

BYTE NearestIndexOf(COLORREF color)
{
    return NearestPaletteIndex(GetRValue(color), GetGValue(color), GetBValue(color));
}

// The last recolouring map, for the set of used indices and the colour it was made for.
// It depends on nothing else, so an image with the same colours reuses it.
struct CRecolorCache
{
    BOOL bValid = FALSE;
    COLORREF color = 0;
    BYTE used[256] = {};
    BYTE map[256] = {};
} g_recolorCache;

// The map that recolours an 8-bit image whose used palette indices are flagged in used.
const BYTE* RecolorMap(const BYTE used[256], COLORREF color)
{
    if (g_recolorCache.bValid && g_recolorCache.color == color &&
        memcmp(g_recolorCache.used, used, 256) == 0)
        return g_recolorCache.map;

    // The most colourful used index that is not white; the higher index on ties.
    int nUsed = 0;
    int iColorful = -1;
    long nBestScore = -1;
    for (int i = 0; i < 256; ++i)
    {
        if (!used[i])
            continue;
        ++nUsed;
        const PALETTEENTRY& e = Entry(i);
        if (e.peRed == 255 && e.peGreen == 255 && e.peBlue == 255)
            continue;
        int nMin = std::min({ e.peRed, e.peGreen, e.peBlue });
        int nMax = std::max({ e.peRed, e.peGreen, e.peBlue });
        long nScore = (long)(255 - nMin) * nMax;
        if (nScore >= nBestScore)
        {
            nBestScore = nScore;
            iColorful = i;
        }
    }

    BYTE* map = g_recolorCache.map;
    if (nUsed < 3)
    {
        // A line drawing: its black takes the colour, nothing else changes.
        for (int k = 0; k < 256; ++k)
            map[k] = (BYTE)k;
        map[0] = NearestIndexOf(color);
    }
    else
    {
        BOOL bWhite = (color & 0xFFFFFF) == 0xFFFFFF;
        for (int k = 0; k < 256; ++k)
        {
            const PALETTEENTRY& e = Entry(k);
            if (k == 0 || k == byKey || k == 255)
                map[k] = (BYTE)k;
            else if (k == iColorful)
                map[k] = NearestIndexOf(color);
            else if (bWhite)
                map[k] = (e.peRed | e.peGreen | e.peBlue) == 0 ? NearestPaletteIndex(0, 0, 0)
                                                                : NearestPaletteIndex(255, 255, 255);
            else
            {
                // The colour's hue at the entry's lightness.
                int nMin = std::min({ e.peRed, e.peGreen, e.peBlue });
                int nMax = std::max({ e.peRed, e.peGreen, e.peBlue });
                int h = nMin >> 1;
                int nScale = nMax * (255 - h);
                map[k] = NearestPaletteIndex((BYTE)((::MulDiv(GetRValue(color), nScale, 65535) + h) & 0xFF),
                                             (BYTE)((::MulDiv(GetGValue(color), nScale, 65535) + h) & 0xFF),
                                             (BYTE)((::MulDiv(GetBValue(color), nScale, 65535) + h) & 0xFF));
            }
        }
    }
    g_recolorCache.color = color;
    memcpy(g_recolorCache.used, used, 256);
    g_recolorCache.bValid = TRUE;
    return map;
}

// Of the corners of an 8-bit image (top-left, bottom-left, top-right, bottom-right) that
// are not black, the lightest; the first on ties. -1 when every corner is black.
int LightestCorner(const BYTE* pImage, int nWidth, int nRowPixels, int nHeight)
{
    const BYTE* pBottom = pImage + (SIZE_T)(nHeight - 1) * nRowPixels;
    const BYTE corners[4] = { pImage[0], pBottom[0], pImage[nWidth - 1], pBottom[nWidth - 1] };
    int iCorner = -1;
    int nBest = -1;
    for (BYTE index : corners)
    {
        if (index == 0)
            continue;
        int nSum = Entry(index).peRed + Entry(index).peGreen + Entry(index).peBlue;
        if (nSum > nBest)
        {
            nBest = nSum;
            iCorner = index;
        }
    }
    return iCorner;
}

int Red5(WORD w) { return (w >> 10) & 31; }
int Green5(WORD w) { return (w >> 5) & 31; }
int Blue5(WORD w) { return w & 31; }

WORD RGB555(COLORREF color)
{
    return (WORD)(((GetRValue(color) >> 3) << 10) | ((GetGValue(color) >> 3) << 5) | (GetBValue(color) >> 3));
}

// Colourises the nCount RGB555 values at pIn into pOut; see BuildColored.
void Colorize16(const WORD* pIn, WORD* pOut, DWORD nCount, WORD wBackground, BOOL bUseColor, COLORREF color)
{
    const int t5[3] = { GetRValue(color) >> 3, GetGValue(color) >> 3, GetBValue(color) >> 3 };
    BOOL bHaveLast = FALSE;
    WORD wLastIn = 0, wLastOut = 0;
    int nMaxK = -1;
    WORD wMaxOut = 0;
    for (DWORD i = 0; i < nCount; ++i)
    {
        WORD w = pIn[i];
        if (w == wKey)
            w = wKey + 1;       // must not read as transparent
        if (w == wBackground)
            pOut[i] = wKey;
        else if (!bUseColor || w == 0 || w == 0x7FFF)
            pOut[i] = w;
        else if (bHaveLast && w == wLastIn)
            pOut[i] = wLastOut;
        else
        {
            int nMin = std::min({ Red5(w), Green5(w), Blue5(w) });
            int nMax = std::max({ Red5(w), Green5(w), Blue5(w) });
            int k = (31 - nMin) * nMax;
            WORD wOut = (WORD)(((((k * t5[0]) >> 10) + nMin) << 10) | ((((k * t5[1]) >> 10) + nMin) << 5) |
                               (((k * t5[2]) >> 10) + nMin));
            pOut[i] = wOut;
            bHaveLast = TRUE;
            wLastIn = w;
            wLastOut = wOut;
            if (k > nMaxK)
            {
                nMaxK = k;
                wMaxOut = wOut;
            }
        }
    }
    if (!bUseColor)
        return;
    // The most colourful result becomes exactly the colour; an image with nothing to
    // colourise is a line drawing, whose black takes the colour.
    WORD wFrom = nMaxK >= 0 ? wMaxOut : 0;
    WORD wTo = RGB555(color);
    for (DWORD i = 0; i < nCount; ++i)
    {
        if (pOut[i] == wFrom)
            pOut[i] = wTo;
    }
}

// Of the corners of a 16-bit image (top-left, top-right, bottom-left, bottom-right), the
// one with the largest sum of its three fields; the first on ties.
WORD LightestCorner16(const WORD* pImage, int nWidth, int nRowPixels, int nHeight)
{
    const WORD* pBottom = pImage + (SIZE_T)(nHeight - 1) * nRowPixels;
    const WORD corners[4] = { pImage[0], pImage[nWidth - 1], pBottom[0], pBottom[nWidth - 1] };
    WORD wBest = corners[0];
    for (WORD w : corners)
    {
        if (Red5(w) + Green5(w) + Blue5(w) > Red5(wBest) + Green5(wBest) + Blue5(wBest))
            wBest = w;
    }
    return wBest;
}

} // namespace

void CDIBElem::BuildColored() const
{
    DWORD nSize = m_optimized.GetSize();
    m_colored.SetSize(0);
    BYTE* pColored = m_colored.LockForWriting(nSize);
    const BYTE* pImage = m_optimized.Lock();
    m_bColoredTransparent = m_bTransparent;
    m_bColoredUseColor = m_bUseColor;
    m_coloredColor = m_color;

    if (m_nOptBytesPerPixel == 2)
    {
        const WORD* pIn = reinterpret_cast<const WORD*>(pImage);
        WORD wBackground = m_bTransparent ? LightestCorner16(pIn, m_nOptWidth, m_nOptRowPixels, m_nOptHeight) : wKey;
        Colorize16(pIn, reinterpret_cast<WORD*>(pColored), nSize / 2, wBackground, m_bUseColor, m_color);
    }
    else
    {
        BYTE map[256];
        if (m_bUseColor)
            memcpy(map, RecolorMap(m_colorUsed, m_color), sizeof map);
        else
        {
            for (int k = 0; k < 256; ++k)
                map[k] = (BYTE)k;
        }
        if (m_bTransparent)
        {
            int iCorner = LightestCorner(pImage, m_nOptWidth, m_nOptRowPixels, m_nOptHeight);
            if (iCorner >= 0)
                map[iCorner] = byKey;
        }
        for (DWORD i = 0; i < nSize; ++i)
            pColored[i] = map[pImage[i]];
    }
    FindKeyRows(pColored, m_coloredKeyRows);
    m_optimized.Unlock();
    m_colored.Unlock();
}
