// CDIBElem: the whole image shrunk into a buffer, each destination pixel a blend of the
// block of source pixels it covers. Blocks are found in 16.16 fixed point.
#include "limn/pictures/DIBElem.h"
#include "limn/pictures/MixedColors.h"
#include "limn/canvas/Canvas.h"

#include <emmintrin.h>
#include <string.h>

namespace {

const int nKey = 10;

inline BYTE Mix(BYTE a, BYTE b) { return mixArray[a * 256 + b]; }

// mixArray, except that a colour blended with itself stays as it is (which the table
// does not give for every colour): a blend of two pixels unless they are equal, in one
// look-up without a comparison.
struct CMixUnlessEqual
{
    CMixUnlessEqual()
    {
        memcpy(table, mixArray, sizeof table);
        for (int a = 0; a < 256; ++a)
            table[a * 257] = (BYTE)a;
    }
    BYTE table[65536];
} const g_mixUnlessEqual;

inline BYTE MixUnlessEqual(BYTE c, BYTE b) { return g_mixUnlessEqual.table[c * 256 + b]; }

// The first, second and last of cols pixels at p, blended: later blends weigh more.
inline BYTE MixRow(const BYTE* p, int nCols)
{
    BYTE c = MixUnlessEqual(p[0], p[nCols - 1]);
    return nCols > 2 ? MixUnlessEqual(c, p[1]) : c;
}

// The block of two by two at p0 and p1 (the pixel pairs of the two rows), blended into
// *pOut unless the blend is the key: each row's pair blended, then the two rows' blends.
// A pair read as one little-endian word is its own index into the table, which is
// symmetric.
inline void MixHalfBlock(const BYTE* p0, const BYTE* p1, BYTE* pOut)
{
    WORD w0, w1;
    memcpy(&w0, p0, sizeof w0);
    memcpy(&w1, p1, sizeof w1);
    BYTE c = MixUnlessEqual(g_mixUnlessEqual.table[w0], g_mixUnlessEqual.table[w1]);
    if (c != nKey)
        *pOut = c;
}

// The half-size shrink of rows p0 and p1 into nCount pixels at pOut, sixteen blocks at a
// time: a block of one colour is that colour, and only the others are blended.
void MixHalfRow(const BYTE* p0, const BYTE* p1, BYTE* pOut, int nCount)
{
    const __m128i lowBytes = _mm_set1_epi16(0x00FF);
    const __m128i key = _mm_set1_epi8(nKey);
    // A pair is one colour when it equals itself with its two bytes swapped.
    auto isFlat = [](__m128i a, __m128i b) {
        __m128i swapped = _mm_or_si128(_mm_slli_epi16(a, 8), _mm_srli_epi16(a, 8));
        return _mm_and_si128(_mm_cmpeq_epi16(a, b), _mm_cmpeq_epi16(a, swapped));
    };
    int x = 0;
    for (; x + 16 <= nCount; x += 16)
    {
        __m128i a0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p0 + 2 * x));
        __m128i a1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p0 + 2 * x + 16));
        __m128i b0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p1 + 2 * x));
        __m128i b1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p1 + 2 * x + 16));
        __m128i flat = _mm_packs_epi16(isFlat(a0, b0), isFlat(a1, b1));
        // The blocks of one colour that is not the key take their first pixel.
        __m128i c = _mm_packus_epi16(_mm_and_si128(a0, lowBytes), _mm_and_si128(a1, lowBytes));
        __m128i take = _mm_andnot_si128(_mm_cmpeq_epi8(c, key), flat);
        __m128i old = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pOut + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pOut + x),
                         _mm_or_si128(_mm_and_si128(take, c), _mm_andnot_si128(take, old)));
        for (unsigned nMixed = ~_mm_movemask_epi8(flat) & 0xFFFF; nMixed != 0; nMixed &= nMixed - 1)
        {
            const int i = x + __builtin_ctz(nMixed);
            MixHalfBlock(p0 + 2 * i, p1 + 2 * i, pOut + i);
        }
    }
    for (; x < nCount; ++x)
        MixHalfBlock(p0 + 2 * x, p1 + 2 * x, pOut + x);
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

// The average of every pixel of a block that is not the key, field by field, into *pOut;
// nothing when every pixel is the key.
void AverageBlock(const WORD* p, int nRowPixels, int nCols, int nRows, WORD* pOut)
{
    DWORD nRed = 0, nGreen = 0, nBlue = 0, nCount = 0;
    for (int j = 0; j < nRows; ++j, p += nRowPixels)
    {
        for (int i = 0; i < nCols; ++i)
        {
            WORD pixel = p[i];
            if (pixel == nKey)
                continue;
            nRed += (pixel >> 10) & 0x1F;
            nGreen += (pixel >> 5) & 0x1F;
            nBlue += pixel & 0x1F;
            ++nCount;
        }
    }
    if (nCount != 0)
        *pOut = (WORD)((Divide(nRed, nCount) << 10) | (Divide(nGreen, nCount) << 5) | Divide(nBlue, nCount));
}

// Blocks of two by two from rows p0 and p1 into pOut, eight at a time, for as long as
// no block holds the key: the sums of four pixels' red and blue fields fit one 32-bit
// lane, as do those of their green fields, and a quarter of each is the average.
// Gives the number of destination pixels written, a multiple of 8 up to nCount.
int AverageHalfRow(const WORD* p0, const WORD* p1, WORD* pOut, int nCount)
{
    const __m128i key = _mm_set1_epi16(nKey);
    const __m128i redBlue = _mm_set1_epi16(0x7C1F);
    const __m128i green = _mm_set1_epi16(0x03E0);
    const __m128i ones = _mm_set1_epi16(1);
    int x = 0;
    for (; x + 8 <= nCount; x += 8)
    {
        __m128i a0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p0 + 2 * x));
        __m128i a1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p0 + 2 * x + 8));
        __m128i b0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p1 + 2 * x));
        __m128i b1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p1 + 2 * x + 8));
        __m128i keys = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi16(a0, key), _mm_cmpeq_epi16(a1, key)),
                                    _mm_or_si128(_mm_cmpeq_epi16(b0, key), _mm_cmpeq_epi16(b1, key)));
        if (_mm_movemask_epi8(keys) != 0)
            break;
        auto quarter = [&](__m128i a, __m128i b, __m128i mask) {
            __m128i sums = _mm_add_epi32(_mm_madd_epi16(_mm_and_si128(a, mask), ones),
                                         _mm_madd_epi16(_mm_and_si128(b, mask), ones));
            return _mm_and_si128(_mm_srli_epi32(sums, 2), _mm_unpacklo_epi16(mask, _mm_setzero_si128()));
        };
        __m128i lo = _mm_or_si128(quarter(a0, b0, redBlue), quarter(a0, b0, green));
        __m128i hi = _mm_or_si128(quarter(a1, b1, redBlue), quarter(a1, b1, green));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pOut + x), _mm_packs_epi32(lo, hi));
    }
    return x;
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
    for (int y = 0; y < h; ++y, sy += yStep, out += nRowStep)
    {
        const int nRows = ((sy + yStep) >> 16) - (sy >> 16);
        const SIZE_T nLastRow = (SIZE_T)(nRows - 1) * m_nOptRowPixels;
        int sx = part.left * xStep;
        const BYTE* p = image + (SIZE_T)(sy >> 16) * m_nOptRowPixels + (sx >> 16);
        if (xStep == 0x20000 && nRows == 2)
        {
            MixHalfRow(p, p + m_nOptRowPixels, out, w);
            continue;
        }
        for (int x = 0; x < w; ++x, sx += xStep)
        {
            const int nCols = ((sx + xStep) >> 16) - (sx >> 16);
            BYTE c;
            if (nCols > 1)
            {
                c = MixRow(p, nCols);
                if (nRows > 1)
                    c = MixUnlessEqual(c, MixRow(p + nLastRow, nCols));
            }
            else
            {
                c = p[0];
                if (nRows > 1)
                    c = Mix(c, p[nLastRow]);
            }
            if (c != nKey)
                out[x] = c;
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
    for (int y = 0; y < h; ++y, sy += yStep, out += nRowStep)
    {
        const int nRows = ((sy + yStep) >> 16) - (sy >> 16);
        int sx = part.left * xStep;
        const WORD* p = image + (SIZE_T)(sy >> 16) * m_nOptRowPixels + (sx >> 16);
        int x = 0;
        // Exactly half: eight blocks of two by two at a time while none holds the key.
        if (xStep == 0x20000 && nRows == 2)
            x = AverageHalfRow(p, p + m_nOptRowPixels, out, w);
        for (p += 2 * x, sx += x * xStep; x < w; ++x, sx += xStep)
        {
            const int nCols = ((sx + xStep) >> 16) - (sx >> 16);
            if (nCols == 1 && nRows == 1)
            {
                if (p[0] != nKey)
                    out[x] = p[0];
            }
            else
            {
                AverageBlock(p, m_nOptRowPixels, nCols, nRows, &out[x]);
            }
            p += nCols;
        }
    }
}
