// CDIBElem: drawing, the plain way through GDI and the fast way into a buffer's memory.
#include "limn/pictures/DIBElem.h"
#include "limn/pictures/DIBElemLock.h"
#include "limn/canvas/Canvas.h"
#include "limn/canvas/CanvasBuffer.h"

#include <immintrin.h>

#include <string.h>

#include <algorithm>
#include <new>
#include <vector>

int gUseDIBBlit = 0;

namespace {

const int nKey = 10;            // the transparent pixel value of optimised images
const int nMaxRuns = 1024;      // source pixels a stretch can cover in each direction

// How many destination pixels each source pixel fills, for the last stretch drawn:
// the tables are made again only when the sizes change.
struct CRunTables
{
    int sw = 0, sh = 0, dw = 0, dh = 0;
    int horizontal[nMaxRuns];
    int vertical[nMaxRuns];
} g_runs;

// Runs of nSrc source pixels over nDst destination pixels, in 16.16 fixed point from a
// half: runs may be 0 and always add up to nDst.
void MakeRuns(int* pRuns, int nSrc, int nDst)
{
    LONGLONG nStep = ((LONGLONG)nDst << 16) / nSrc;
    LONGLONG nAcc = 0x8000;
    for (int i = 0; i < nSrc; ++i)
    {
        LONGLONG nPrev = nAcc >> 16;
        nAcc += nStep;
        pRuns[i] = (int)((nAcc >> 16) - nPrev);
    }
}

// A block of pixels. The plain way's copies run in the system's own native code; measured
// under Wine, memcpy here is no faster than they are, and moving 32 bytes at a time, where
// the processor and the system have the registers for it, is.
__attribute__((target("avx"))) void CopyBytesWide(BYTE* pDst, const BYTE* pSrc, size_t n)
{
    size_t i = 0;
    for (; i + 128 <= n; i += 128)
    {
        __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pSrc + i));
        __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pSrc + i + 32));
        __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pSrc + i + 64));
        __m256i d = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pSrc + i + 96));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pDst + i), a);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pDst + i + 32), b);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pDst + i + 64), c);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pDst + i + 96), d);
    }
    for (; i + 32 <= n; i += 32)
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(pDst + i),
                            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pSrc + i)));
    memcpy(pDst + i, pSrc + i, n - i);
}

void CopyBytes(BYTE* pDst, const BYTE* pSrc, size_t n)
{
    // libgcc checks that the system saves the 32-byte registers, not only the processor.
    static const bool bWide = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx") != 0;
    }();
    if (bWide)
        CopyBytesWide(pDst, pSrc, n);
    else
        memcpy(pDst, pSrc, n);
}

// Sixteen bytes of pixels: which are the key, and each pixel twice (the lower and the
// upper half).
inline __m128i KeyMask(__m128i pixels, BYTE) { return _mm_cmpeq_epi8(pixels, _mm_set1_epi8(nKey)); }
inline __m128i KeyMask(__m128i pixels, WORD) { return _mm_cmpeq_epi16(pixels, _mm_set1_epi16(nKey)); }
inline __m128i DoubleLow(__m128i pixels, BYTE) { return _mm_unpacklo_epi8(pixels, pixels); }
inline __m128i DoubleLow(__m128i pixels, WORD) { return _mm_unpacklo_epi16(pixels, pixels); }
inline __m128i DoubleHigh(__m128i pixels, BYTE) { return _mm_unpackhi_epi8(pixels, pixels); }
inline __m128i DoubleHigh(__m128i pixels, WORD) { return _mm_unpackhi_epi16(pixels, pixels); }

// Sixteen bytes of source over the buffer's at pDst, the buffer's kept where the source
// is the key.
template <class PIXEL>
inline void StoreKeyed(PIXEL* pDst, __m128i src, __m128i isKey)
{
    if (_mm_movemask_epi8(isKey) != 0)
    {
        __m128i dst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pDst));
        src = _mm_or_si128(_mm_and_si128(isKey, dst), _mm_andnot_si128(isKey, src));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pDst), src);
}

// Copies n pixels, leaving the buffer's pixel wherever the source pixel is the key.
// Thirty-two bytes at a time; a group without the key is stored whole.
template <class PIXEL>
void CopyRowKeyed(PIXEL* pDst, const PIXEL* pSrc, int n)
{
    const int nLanes = 16 / sizeof(PIXEL);
    int i = 0;
    for (; i + 2 * nLanes <= n; i += 2 * nLanes)
    {
        __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pSrc + i));
        __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pSrc + i + nLanes));
        __m128i aKey = KeyMask(a, PIXEL());
        __m128i bKey = KeyMask(b, PIXEL());
        if (_mm_movemask_epi8(_mm_or_si128(aKey, bKey)) == 0)
        {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(pDst + i), a);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(pDst + i + nLanes), b);
            continue;
        }
        StoreKeyed(pDst + i, a, aKey);
        StoreKeyed(pDst + i + nLanes, b, bKey);
    }
    for (; i < n; ++i)
    {
        if (pSrc[i] != nKey)
            pDst[i] = pSrc[i];
    }
}

// Repeats each of the nSrc source pixels by its run, skipping the key.
template <class PIXEL>
void StretchRowKeyed(PIXEL* pDst, const PIXEL* pSrc, const int* pRuns, int nSrc)
{
    for (int i = 0; i < nSrc; ++i)
    {
        PIXEL pixel = pSrc[i];
        int nRun = pRuns[i];
        if (pixel != nKey)
        {
            for (int j = 0; j < nRun; ++j)
                pDst[j] = pixel;
        }
        pDst += nRun;
    }
}

// Whether any of the n pixels is the key.
template <class PIXEL>
bool HasKey(const PIXEL* p, int n)
{
    const int nLanes = 16 / sizeof(PIXEL);
    int i = 0;
    for (; i + nLanes <= n; i += nLanes)
    {
        if (_mm_movemask_epi8(KeyMask(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), PIXEL())) != 0)
            return true;
    }
    return std::find(p + i, p + n, (PIXEL)nKey) != p + n;
}

// Every pixel twice, for a row without the key, sixteen bytes of source at a time.
template <class PIXEL>
void DoubleRow(PIXEL* pDst, const PIXEL* pSrc, int nSrc)
{
    const int nLanes = 16 / sizeof(PIXEL);
    int i = 0;
    for (; i + nLanes <= nSrc; i += nLanes, pDst += 2 * nLanes)
    {
        __m128i src = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pSrc + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pDst), DoubleLow(src, PIXEL()));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(pDst + nLanes), DoubleHigh(src, PIXEL()));
    }
    for (; i < nSrc; ++i, pDst += 2)
        pDst[0] = pDst[1] = pSrc[i];
}

// How a row without the key is stretched: every pixel doubled, one pixel picked from
// several (a shrink, runs of 0 and 1 only: pPicks lists the source pixels kept), or any
// other mix of runs.
enum RowStretch
{
    rowDoubled,
    rowPicked,
    rowRuns
};

template <class PIXEL>
void StretchRow(PIXEL* pDst, const PIXEL* pSrc, const int* pRuns, int nSrc, RowStretch how, const int* pPicks,
                int nDst)
{
    switch (how)
    {
    case rowDoubled:
        DoubleRow(pDst, pSrc, nSrc);
        break;
    case rowPicked:
        for (int i = 0; i < nDst; ++i)
            pDst[i] = pSrc[pPicks[i]];
        break;
    case rowRuns:
        for (int i = 0; i < nSrc; ++i)
        {
            PIXEL pixel = pSrc[i];
            for (int j = pRuns[i]; j > 0; --j)
                *pDst++ = pixel;
        }
        break;
    }
}

// Runs for the destination pixels nFrom to nFrom + nCount of a stretch whose runs over the
// whole destination are pRuns: the runs of the source pixels that cover them, the first
// and last cut to the part. Gives the number of those source pixels; the first is
// *piFirst.
int SliceRuns(const int* pRuns, int nFrom, int nCount, int* pSlice, int* piFirst)
{
    int i = 0;
    int nPos = 0;       // the first destination pixel of source pixel i
    while (nPos + pRuns[i] <= nFrom)
        nPos += pRuns[i++];
    *piFirst = i;
    int n = 0;
    const int nEnd = nFrom + nCount;
    for (int nAt = nFrom; nAt < nEnd; nPos += pRuns[i++])
    {
        int nRunEnd = std::min(nPos + pRuns[i], nEnd);
        pSlice[n++] = nRunEnd - nAt;
        nAt = nRunEnd;
    }
    return n;
}

// The visible part of a stretch from the source rows at pSrc, whose key flags are at
// pKeyRows: each source row repeated by its vertical run (none for a run of 0), each
// row's pixels by their horizontal runs. A row without the key is stretched once and
// then copied to the rows that repeat it.
template <class PIXEL>
void StretchImage(BYTE* pDst, int nRowStep, const PIXEL* pSrc, const BYTE* pKeyRows, int nSrcRowPixels,
                  const int* pRows, int nRows, const int* pCols, int nCols, int nDstCols)
{
    RowStretch how = rowRuns;
    int picks[nMaxRuns];
    if (std::all_of(pCols, pCols + nCols, [](int nRun) { return nRun == 2; }))
    {
        how = rowDoubled;
    }
    else if (std::all_of(pCols, pCols + nCols, [](int nRun) { return nRun <= 1; }))
    {
        how = rowPicked;
        for (int i = 0, n = 0; i < nCols; ++i)
        {
            if (pCols[i] != 0)
                picks[n++] = i;
        }
    }
    for (int y = 0; y < nRows; ++y, pSrc += nSrcRowPixels)
    {
        int n = pRows[y];
        if (n == 0)
            continue;
        if (pKeyRows[y])
        {
            for (; n > 0; --n, pDst += nRowStep)
                StretchRowKeyed(reinterpret_cast<PIXEL*>(pDst), pSrc, pCols, nCols);
            continue;
        }
        StretchRow(reinterpret_cast<PIXEL*>(pDst), pSrc, pCols, nCols, how, picks, nDstCols);
        const BYTE* pFirst = pDst;
        for (pDst += nRowStep; --n > 0; pDst += nRowStep)
            CopyBytes(pDst, pFirst, nDstCols * sizeof(PIXEL));
    }
}

// The rows one for one; a row without the key as a block.
template <class PIXEL>
void CopyImage(BYTE* pDst, int nRowStep, const PIXEL* pSrc, const BYTE* pKeyRows, int nSrcRowPixels,
               const CSize& size)
{
    for (int y = 0; y < size.cy; ++y, pDst += nRowStep, pSrc += nSrcRowPixels)
    {
        if (pKeyRows[y])
            CopyRowKeyed(reinterpret_cast<PIXEL*>(pDst), pSrc, size.cx);
        else
            CopyBytes(pDst, reinterpret_cast<const BYTE*>(pSrc), size.cx * sizeof(PIXEL));
    }
}

// The part of src that lies inside the image, and the part of dst it maps to. FALSE when
// src and the image do not meet.
BOOL ClipToImage(const CRect& src, const CRect& dst, const CRect& rectImage, CRect& srcPart, CRect& dstPart)
{
    if (!srcPart.IntersectRect(&src, &rectImage))
        return FALSE;
    dstPart.left = dst.left + ::MulDiv(srcPart.left - src.left, dst.Width(), src.Width());
    dstPart.top = dst.top + ::MulDiv(srcPart.top - src.top, dst.Height(), src.Height());
    dstPart.right = dst.left + ::MulDiv(srcPart.right - src.left, dst.Width(), src.Width());
    dstPart.bottom = dst.top + ::MulDiv(srcPart.bottom - src.top, dst.Height(), src.Height());
    return !dstPart.IsRectEmpty();
}

} // namespace

void CDIBElem::FindKeyRows(const BYTE* pImage, std::vector<BYTE>& rows) const
{
    try
    {
        rows.resize(m_nOptHeight);
    }
    catch (const std::bad_alloc&)
    {
        rows.clear();       // no notes: the image is left to the plain way
        return;
    }
    const SIZE_T nRowBytes = (SIZE_T)m_nOptBytesPerPixel * m_nOptRowPixels;
    for (int y = 0; y < m_nOptHeight; ++y, pImage += nRowBytes)
    {
        rows[y] = m_nOptBytesPerPixel == 1 ? HasKey(pImage, m_nOptWidth)
                                           : HasKey(reinterpret_cast<const WORD*>(pImage), m_nOptWidth);
    }
}

void CDIBElem::Draw(CCanvas& canvas, const CRect& src, const CRect& dst) const
{
    if (gUseDIBBlit == 0 && canvas.GetDrawMode() == drawFast && canvas.IsDrawingToBuffer() &&
        Optimize(canvas) && DrawOptimized(canvas, src, dst))
        return;
    DrawPlain(canvas, src, dst);
}

void CDIBElem::DrawPlain(CCanvas& canvas, const CRect& src, const CRect& dst) const
{
    ::SetStretchBltMode(canvas.m_hDC, COLORONCOLOR);
    CDIBLock lock(m_dib);
    if (lock.Get() == NULL)
        return;
    const DIBINFO& info = lock.Info();
    std::vector<BYTE> header;
    const BITMAPINFO* pInfo = lock.HeaderForGDI(header);
    // GDI counts the source's y from the bottom row, whatever the DIB's orientation.
    int ySrc = info.nHeight - src.bottom;
    // SetDIBitsToDevice copies pixel for device pixel: it serves only a 1:1 copy onto a
    // context that counts in pixels. A printer's context counts in points, so there a
    // picture of its own size is stretched to it like any other.
    if (src.Width() != dst.Width() || src.Height() != dst.Height() || ::GetMapMode(canvas.m_hDC) != MM_TEXT)
        ::StretchDIBits(canvas.m_hDC, dst.left, dst.top, dst.Width(), dst.Height(), src.left, ySrc,
                        src.Width(), src.Height(), lock.Bits(), pInfo, DIB_RGB_COLORS, SRCCOPY);
    else
        ::SetDIBitsToDevice(canvas.m_hDC, dst.left, dst.top, dst.Width(), dst.Height(), src.left, ySrc, 0,
                            info.nHeight, lock.Bits(), pInfo, DIB_RGB_COLORS);
}

BOOL CDIBElem::DrawOptimized(CCanvas& canvas, const CRect& srcAll, const CRect& dstAll) const
{
    const BOOL bColored = m_colored.IsLoaded();
    const CReloadableData& image = bColored ? m_colored : m_optimized;
    const std::vector<BYTE>& keyRows = bColored ? m_coloredKeyRows : m_optKeyRows;
    if (!image.IsLoaded() || keyRows.size() != (size_t)m_nOptHeight)
        return FALSE;
    const BYTE* pKeyRows = keyRows.data();
    if (srcAll.IsRectEmpty() || dstAll.IsRectEmpty())
        return TRUE;
    // Only the part of src inside the image is drawn, where it lands in dst.
    const CRect rectImage(0, 0, m_nOptWidth, m_nOptHeight);
    CRect src, dst;
    if (!ClipToImage(srcAll, dstAll, rectImage, src, dst))
        return TRUE;

    // The visible part of the destination in buffer pixels: inside the buffer, and then
    // inside the canvas's drawable area and the context's clipping, outside which the
    // plain way decides.
    const CPoint origin = canvas.GetOrigin();
    const CRect rectDst = dst + origin;
    CRect visible;
    if (!visible.IntersectRect(&rectDst, CRect(CPoint(0, 0), canvas.GetCurrentBuffer()->GetBounds().Size())))
        return TRUE;
    CRect rectCanvas = CRect(CPoint(0, 0), canvas.GetExtent()) + origin;
    CRect rectClip;
    if (::GetClipBox(canvas.m_hDC, &rectClip) == ERROR)
        return FALSE;
    rectClip += origin;
    if (!visible.IntersectRect(&visible, &rectCanvas) || !visible.IntersectRect(&visible, &rectClip))
        return FALSE;

    const CSize sizeSrc = src.Size();
    const CSize sizeDst = dst.Size();
    const BOOL bStretched = sizeSrc != sizeDst;
    // Stretches of more source pixels than the run tables hold go the plain way.
    if (bStretched && (sizeSrc.cx >= nMaxRuns || sizeSrc.cy >= nMaxRuns))
        return FALSE;

    BYTE* pTop = canvas.LockBufferData();
    if (pTop == NULL)
        return FALSE;
    const int nRowStep = canvas.GetBufferRowBytes();
    const int B = m_nOptBytesPerPixel;
    BYTE* pOut = pTop + visible.top * nRowStep + B * visible.left;
    const CRect part = visible - rectDst.TopLeft();     // the visible part, within dst
    BYTE* pImage = image.Lock();

    if (m_bAllowAntiAliasing && src == rectImage && sizeDst.cx < m_nOptWidth && sizeDst.cy < m_nOptHeight)
    {
        if (B == 1)
            DrawAntiAliased8(canvas, dst, part, pImage, pOut);
        else
            DrawAntiAliased16(canvas, dst, part, reinterpret_cast<WORD*>(pImage), reinterpret_cast<WORD*>(pOut));
    }
    else if (!bStretched)
    {
        const int nTop = src.top + part.top;
        const BYTE* pIn = pImage + B * ((SIZE_T)nTop * m_nOptRowPixels + src.left + part.left);
        if (B == 1)
            CopyImage(pOut, nRowStep, pIn, pKeyRows + nTop, m_nOptRowPixels, part.Size());
        else
            CopyImage(pOut, nRowStep, reinterpret_cast<const WORD*>(pIn), pKeyRows + nTop, m_nOptRowPixels,
                      part.Size());
    }
    else
    {
        // The runs of the whole stretch, sliced to the visible part, so that every part
        // of a destination draws the pixels the whole would have there.
        if (g_runs.sw != sizeSrc.cx || g_runs.sh != sizeSrc.cy || g_runs.dw != sizeDst.cx || g_runs.dh != sizeDst.cy)
        {
            MakeRuns(g_runs.horizontal, sizeSrc.cx, sizeDst.cx);
            MakeRuns(g_runs.vertical, sizeSrc.cy, sizeDst.cy);
            g_runs.sw = sizeSrc.cx;
            g_runs.sh = sizeSrc.cy;
            g_runs.dw = sizeDst.cx;
            g_runs.dh = sizeDst.cy;
        }
        int cols[nMaxRuns], rows[nMaxRuns];
        int iFirstCol, iFirstRow;
        int nCols = SliceRuns(g_runs.horizontal, part.left, part.Width(), cols, &iFirstCol);
        int nRows = SliceRuns(g_runs.vertical, part.top, part.Height(), rows, &iFirstRow);
        const int nTop = src.top + iFirstRow;
        const BYTE* pIn = pImage + B * ((SIZE_T)nTop * m_nOptRowPixels + src.left + iFirstCol);
        if (B == 1)
            StretchImage(pOut, nRowStep, pIn, pKeyRows + nTop, m_nOptRowPixels, rows, nRows, cols, nCols,
                         part.Width());
        else
            StretchImage(pOut, nRowStep, reinterpret_cast<const WORD*>(pIn), pKeyRows + nTop, m_nOptRowPixels, rows,
                         nRows, cols, nCols, part.Width());
    }
    image.Unlock();
    canvas.UnlockBufferData();
    return TRUE;
}
