// The nearest palette entry of a colour, chosen as GetNearestPaletteIndex chooses it:
// the smallest sum of squared red, green and blue differences, the lowest index on a
// tie. Colours already looked up come from a cache.
#pragma once

#include "diblib/dibapi.h"

#include <vector>

class CNearestColor
{
public:
    // 1 to 256 entries.
    CNearestColor(const PALETTEENTRY* pEntries, UINT nEntries);
    CNearestColor(const CNearestColor&) = delete;
    CNearestColor& operator=(const CNearestColor&) = delete;

// Operations
    // The index for a 0x00RRGGBB colour.
    BYTE Find(DWORD rgb)
    {
        DWORD nSlot = (rgb * 2654435761u) >> (32 - CACHE_BITS);
        if (m_cacheKeys[nSlot] != (rgb | CACHE_USED))
        {
            m_cacheKeys[nSlot] = rgb | CACHE_USED;
            m_cacheIndices[nSlot] = Search(rgb);
        }
        return m_cacheIndices[nSlot];
    }

private:
    enum : DWORD
    {
        CACHE_BITS = 14,
        CACHE_USED = 0x01000000,
    };

    struct ENTRY
    {
        int r, g, b;
        BYTE index;
    };

    BYTE Search(DWORD rgb) const;

    std::vector<ENTRY> m_byGreen; // sorted by green, then by index
    std::vector<DWORD> m_cacheKeys;
    std::vector<BYTE> m_cacheIndices;
};
