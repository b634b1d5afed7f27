// The colour space is cut into cells. For a cell, an entry can only be nearest to one of
// its colours when its smallest distance to the cell is no more than the smallest, over
// all entries, of the largest distance to the cell: any other entry is strictly further
// from every colour of the cell than that one, so it can neither win nor tie. A search
// then looks at the few candidates of the colour's cell, in index order, keeping the
// first of equal distances.
#include "diblib/NearestColor.h"

namespace {

// The smallest and the largest squared distance from v to the values lo..hi.
void Span(int v, int lo, int hi, int& nMin, int& nMax)
{
    int dMin = v < lo ? lo - v : v > hi ? v - hi : 0;
    int dMax = v - lo > hi - v ? v - lo : hi - v;
    nMin += dMin * dMin;
    nMax += dMax * dMax;
}

} // namespace

CNearestColor::CNearestColor(const PALETTEENTRY* pEntries, UINT nEntries)
    : m_entries(pEntries, pEntries + (nEntries < 256 ? nEntries : 256)),
      m_cellStart(CELL_COUNT, CELL_UNKNOWN),
      m_cellCount(CELL_COUNT, 0),
      m_cacheKeys(1u << CACHE_BITS, 0),
      m_cacheIndices(1u << CACHE_BITS, 0)
{
}

void CNearestColor::FindCandidates(DWORD nCell)
{
    const int nSide = 1 << CELL_SHIFT;
    const int nLevels = 1 << (8 - CELL_SHIFT);
    const int r0 = (int)(nCell / (nLevels * nLevels)) * nSide;
    const int g0 = (int)(nCell / nLevels % nLevels) * nSide;
    const int b0 = (int)(nCell % nLevels) * nSide;

    int mins[256];
    int nBound = 0x7FFFFFFF;
    for (size_t i = 0; i < m_entries.size(); ++i)
    {
        const PALETTEENTRY& e = m_entries[i];
        int nMin = 0, nMax = 0;
        Span(e.peRed, r0, r0 + nSide - 1, nMin, nMax);
        Span(e.peGreen, g0, g0 + nSide - 1, nMin, nMax);
        Span(e.peBlue, b0, b0 + nSide - 1, nMin, nMax);
        mins[i] = nMin;
        if (nMax < nBound)
            nBound = nMax;
    }
    m_cellStart[nCell] = (DWORD)m_candidates.size();
    for (size_t i = 0; i < m_entries.size(); ++i)
    {
        if (mins[i] <= nBound)
            m_candidates.push_back((BYTE)i);
    }
    m_cellCount[nCell] = (BYTE)(m_candidates.size() - m_cellStart[nCell] - 1);
}

BYTE CNearestColor::Search(DWORD rgb)
{
    const int r = (rgb >> 16) & 0xFF;
    const int g = (rgb >> 8) & 0xFF;
    const int b = rgb & 0xFF;
    const int nLevels = 1 << (8 - CELL_SHIFT);
    const DWORD nCell = (DWORD)(((r >> CELL_SHIFT) * nLevels + (g >> CELL_SHIFT)) * nLevels + (b >> CELL_SHIFT));
    if (m_cellStart[nCell] == CELL_UNKNOWN)
        FindCandidates(nCell);

    const BYTE* pCandidate = m_candidates.data() + m_cellStart[nCell];
    const BYTE* pEnd = pCandidate + m_cellCount[nCell] + 1;
    int nBest = 0x7FFFFFFF;
    BYTE best = 0;
    for (; pCandidate != pEnd; ++pCandidate)
    {
        const PALETTEENTRY& e = m_entries[*pCandidate];
        int dr = e.peRed - r, dg = e.peGreen - g, db = e.peBlue - b;
        int d = dr * dr + dg * dg + db * db;
        if (d < nBest)
        {
            nBest = d;
            best = *pCandidate;
        }
    }
    return best;
}
