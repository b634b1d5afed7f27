// The search walks outward from the target's green in the entries sorted by green, and
// stops in each direction once the green difference alone exceeds the best distance:
// no entry further out can be as near. An entry at exactly that distance can still tie
// with a lower index, so equality does not stop the walk.
#include "diblib/NearestColor.h"

#include <algorithm>

CNearestColor::CNearestColor(const PALETTEENTRY* pEntries, UINT nEntries)
    : m_cacheKeys(1u << CACHE_BITS, 0), m_cacheIndices(1u << CACHE_BITS, 0)
{
    m_byGreen.reserve(nEntries);
    for (UINT i = 0; i < nEntries && i < 256; ++i)
        m_byGreen.push_back({ pEntries[i].peRed, pEntries[i].peGreen, pEntries[i].peBlue, (BYTE)i });
    std::stable_sort(m_byGreen.begin(), m_byGreen.end(),
                     [](const ENTRY& a, const ENTRY& b) { return a.g < b.g; });
}

BYTE CNearestColor::Search(DWORD rgb) const
{
    const int r = (rgb >> 16) & 0xFF;
    const int g = (rgb >> 8) & 0xFF;
    const int b = rgb & 0xFF;
    int nBest = 0x7FFFFFFF;
    BYTE best = 0;
    auto consider = [&](const ENTRY& e) {
        int dr = e.r - r, dg = e.g - g, db = e.b - b;
        int d = dr * dr + dg * dg + db * db;
        if (d < nBest || (d == nBest && e.index < best))
        {
            nBest = d;
            best = e.index;
        }
    };

    const int n = (int)m_byGreen.size();
    int nUp = (int)(std::lower_bound(m_byGreen.begin(), m_byGreen.end(), g,
                                     [](const ENTRY& e, int green) { return e.g < green; })
                    - m_byGreen.begin());
    int nDown = nUp - 1;
    while (nUp < n || nDown >= 0)
    {
        if (nUp < n)
        {
            int dg = m_byGreen[nUp].g - g;
            if (dg * dg > nBest)
                nUp = n;
            else
                consider(m_byGreen[nUp++]);
        }
        if (nDown >= 0)
        {
            int dg = g - m_byGreen[nDown].g;
            if (dg * dg > nBest)
                nDown = -1;
            else
                consider(m_byGreen[nDown--]);
        }
    }
    return best;
}
