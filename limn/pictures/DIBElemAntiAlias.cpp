// CDIBElem: the whole image shrunk into a buffer, each destination pixel a blend of the
// block of source pixels it covers. Blocks are found in 16.16 fixed point.
#include "limn/pictures/DIBElem.h"
#include "limn/pictures/MixedColors.h"
#include "limn/canvas/Canvas.h"

namespace {

const int nKey = 10;

inline BYTE Mix(BYTE a, BYTE b) { return mixArray[a * 256 + b]; }

// The first, second and last of cols pixels at p, blended: later blends weigh more.
inline BYTE MixRow(const BYTE* p, int nCols)
{
    BYTE c = p[0];
    if (p[nCols - 1] != c)
        c = Mix(c, p[nCols - 1]);
    if (nCols > 2 && p[1] != c)
        c = Mix(c, p[1]);
    return c;
}

// Reciprocals that turn a division by n (1 to 256) of a sum of up to 31 * n into a
// multiplication and a shift, exactly.
struct CReciprocals
{
    CReciprocals()
    {
        for (int n = 1; n <= 256; ++n)
            values[n] = (DWORD)((0x100000000ULL + n - 1) / n);
    }
    DWORD values[257];
} const g_reciprocals;

inline int Divide(DWORD nSum, DWORD nCount)
{
    return nCount <= 256 ? (int)(((ULONGLONG)nSum * g_reciprocals.values[nCount]) >> 32) : (int)(nSum / nCount);
}

} // namespace

void CDIBElem::DrawAntiAliased8(CCanvas& canvas, const CRect& dst, const CRect& part, BYTE* image,
                                BYTE* out) const
{
    const int w = part.Width();
    const int h = part.Height();
    const int xStep = (m_nOptWidth << 16) / dst.Width();
    const int yStep = (m_nOptHeight << 16) / dst.Height();
    const int nRowStep = canvas.GetBufferRowBytes();
    int sy = part.top * yStep;
    for (int y = 0; y < h; ++y, sy += yStep, out += nRowStep - w)
    {
        const int nRows = ((sy + yStep) >> 16) - (sy >> 16);
        const SIZE_T nLastRow = (SIZE_T)(nRows - 1) * m_nOptRowPixels;
        int sx = part.left * xStep;
        const BYTE* p = image + (SIZE_T)(sy >> 16) * m_nOptRowPixels + (sx >> 16);
        for (int x = 0; x < w; ++x, sx += xStep, ++out)
        {
            const int nCols = ((sx + xStep) >> 16) - (sx >> 16);
            BYTE c;
            if (nCols > 1)
            {
                c = MixRow(p, nCols);
                if (nRows > 1)
                {
                    BYTE d = MixRow(p + nLastRow, nCols);
                    if (d != c)
                        c = Mix(c, d);
                }
            }
            else
            {
                c = p[0];
                if (nRows > 1)
                    c = Mix(c, p[nLastRow]);
            }
            if (c != nKey)
                *out = c;
            p += nCols;
        }
    }
}

void CDIBElem::DrawAntiAliased16(CCanvas& canvas, const CRect& dst, const CRect& part, WORD* image,
                                 WORD* out) const
{
    const int w = part.Width();
    const int h = part.Height();
    const int xStep = (m_nOptWidth << 16) / dst.Width();
    const int yStep = (m_nOptHeight << 16) / dst.Height();
    const int nRowStep = canvas.GetBufferRowBytes() / 2;
    int sy = part.top * yStep;
    for (int y = 0; y < h; ++y, sy += yStep, out += nRowStep - w)
    {
        const int nRows = ((sy + yStep) >> 16) - (sy >> 16);
        int sx = part.left * xStep;
        const WORD* p = image + (SIZE_T)(sy >> 16) * m_nOptRowPixels + (sx >> 16);
        for (int x = 0; x < w; ++x, sx += xStep, ++out)
        {
            const int nCols = ((sx + xStep) >> 16) - (sx >> 16);
            if (nCols == 1 && nRows == 1)
            {
                if (p[0] != nKey)
                    *out = p[0];
                ++p;
                continue;
            }
            // The average of every pixel of the block that is not the key, field by field.
            DWORD nRed = 0, nGreen = 0, nBlue = 0, nCount = 0;
            const WORD* pRow = p;
            for (int j = 0; j < nRows; ++j, pRow += m_nOptRowPixels)
            {
                for (int i = 0; i < nCols; ++i)
                {
                    WORD pixel = pRow[i];
                    if (pixel == nKey)
                        continue;
                    nRed += (pixel >> 10) & 0x1F;
                    nGreen += (pixel >> 5) & 0x1F;
                    nBlue += pixel & 0x1F;
                    ++nCount;
                }
            }
            if (nCount != 0)
                *out = (WORD)((Divide(nRed, nCount) << 10) | (Divide(nGreen, nCount) << 5) | Divide(nBlue, nCount));
            p += nCols;
        }
    }
}
