// The GDI calls of the native build: logical palettes as plain blocks of entries.
#include <windows.h>

#include <string.h>
#include <vector>

struct NATIVEPALETTE
{
    std::vector<PALETTEENTRY> entries;
};

HPALETTE CreatePalette(const LOGPALETTE* plpal)
{
    if (plpal == NULL || plpal->palNumEntries == 0)
        return NULL;
    HPALETTE hPal = new NATIVEPALETTE;
    hPal->entries.assign(plpal->palPalEntry, plpal->palPalEntry + plpal->palNumEntries);
    return hPal;
}

UINT GetPaletteEntries(HPALETTE hpal, UINT iStart, UINT cEntries, PALETTEENTRY* pPalEntries)
{
    if (hpal == NULL)
        return 0;
    UINT nCount = (UINT)hpal->entries.size();
    if (pPalEntries == NULL)
        return nCount;
    if (iStart >= nCount)
        return 0;
    UINT n = cEntries < nCount - iStart ? cEntries : nCount - iStart;
    memcpy(pPalEntries, hpal->entries.data() + iStart, n * sizeof(PALETTEENTRY));
    return n;
}

UINT GetNearestPaletteIndex(HPALETTE h, COLORREF color)
{
    UINT nIndex = 0;
    int nBest = 0x7FFFFFFF;
    for (UINT i = 0; h != NULL && i < h->entries.size() && nBest != 0; ++i)
    {
        const PALETTEENTRY& e = h->entries[i];
        int r = e.peRed - (int)(color & 0xFF);
        int g = e.peGreen - (int)((color >> 8) & 0xFF);
        int b = e.peBlue - (int)((color >> 16) & 0xFF);
        int d = r * r + g * g + b * b;
        if (d < nBest)
        {
            nIndex = i;
            nBest = d;
        }
    }
    return nIndex;
}

BOOL DeleteObject(HGDIOBJ ho)
{
    delete static_cast<HPALETTE>(ho);
    return ho != NULL;
}
