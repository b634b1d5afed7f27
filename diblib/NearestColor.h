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
        CELL_SHIFT = 4,                           // cells of 16 x 16 x 16 colours
        CELL_COUNT = 1u << (3 * (8 - CELL_SHIFT)),
        CELL_UNKNOWN = 0xFFFFFFFF,
    };

    BYTE Search(DWORD rgb);
    void FindCandidates(DWORD nCell);

    std::vector<PALETTEENTRY> m_entries;
    // The entries that can be nearest to some colour of a cell, in index order: cell n's
    // are m_candidates[m_cellStart[n]] up to the next cell's start, found on first use.
    std::vector<DWORD> m_cellStart;
    std::vector<BYTE> m_cellCount;
    std::vector<BYTE> m_candidates;
    std::vector<DWORD> m_cacheKeys;
    std::vector<BYTE> m_cacheIndices;
};
