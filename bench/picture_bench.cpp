// Bitmap elements drawn into off-screen buffers of their own depth: the fast way, which
// copies the element's converted image straight into the buffer's memory, against the
// plain way through GDI (gUseDIBBlit), for a 640x480 picture.
//
//   1:1:             the plain way's time over the fast way's (target: at least 0.95)
//   2:1:             the same, doubled (target: at least 5)
//   anti-aliasing:   shrinking to half with anti-aliasing over the plain fast shrink
//                    (target: at most 2)
//   1:1 against memcpy: memcpy's time over the fast way's for the same destination bytes,
//                    the fast copy's speed as a share of memcpy's (target: at least 0.5)
#include "limn/canvas/Canvas.h"
#include "limn/canvas/CanvasBuffer.h"
#include "limn/canvas/CanvasBufferLocker.h"
#include "limn/canvas/ScreenDepth.h"
#include "limn/canvas/SharedPalette.h"
#include "limn/pictures/DIBElem.h"

#include "timing.h"

#include <math.h>
#include <stdio.h>
#include <string.h>

#include <memory>
#include <vector>

namespace {

const int cx = 640;
const int cy = 480;
const int nRuns = 31;
// One draw of the whole picture takes microseconds: each time taken covers several, so
// that the clock's grain and a single interruption weigh little.
const int nDrawsPerRun = 10;

// A photo-like 640x480 DIB: smooth gradients and rings, no transparent key. 16 bits
// per pixel, or 8 bits of the shared palette's colours.
HDIB MakePhoto(WORD wBitCount)
{
    int nRow = ((cx * wBitCount + 31) / 32) * 4;
    DWORD nTable = wBitCount == 8 ? 256 * sizeof(RGBQUAD) : 0;
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + nTable + nRow * cy);
    BYTE* p = static_cast<BYTE*>(GlobalLock(h));
    auto* pHeader = reinterpret_cast<BITMAPINFOHEADER*>(p);
    pHeader->biSize = sizeof(BITMAPINFOHEADER);
    pHeader->biWidth = cx;
    pHeader->biHeight = cy;
    pHeader->biPlanes = 1;
    pHeader->biBitCount = wBitCount;
    pHeader->biCompression = BI_RGB;
    pHeader->biClrUsed = wBitCount == 8 ? 256 : 0;
    auto* pTable = reinterpret_cast<RGBQUAD*>(p + sizeof(BITMAPINFOHEADER));
    for (DWORD i = 0; i < nTable / sizeof(RGBQUAD); ++i)
    {
        const PALETTEENTRY& e = gLogPalette.palPalEntry[i];
        pTable[i] = { e.peBlue, e.peGreen, e.peRed, 0 };
    }
    BYTE* pBits = p + sizeof(BITMAPINFOHEADER) + nTable;
    for (int y = 0; y < cy; ++y)
    {
        for (int x = 0; x < cx; ++x)
        {
            double d = hypot(x - 320.0, y - 200.0);
            int r = (int)(128 + 100 * sin(d / 20)), g = y * 255 / cy, b = x * 255 / cx;
            if (wBitCount == 8)
                pBits[y * nRow + x] = NearestPaletteIndex((BYTE)r, (BYTE)g, (BYTE)b) == 10 ? 0 : NearestPaletteIndex((BYTE)r, (BYTE)g, (BYTE)b);
            else
                reinterpret_cast<WORD*>(pBits + y * nRow)[x] = (WORD)(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3) | 0x20);
        }
    }
    GlobalUnlock(h);
    return h;
}

// A canvas over a memory context drawing into a buffer of the given depth and size.
class CBench
{
public:
    CBench(int nBits, CSize size) : m_canvas((m_dc.CreateCompatibleDC(NULL), &m_dc))
    {
        m_canvas.SetBounds(CRect(CPoint(0, 0), size));
        ForceScreenBitsPerPixel(nBits == 8 ? 8 : 32);
        m_buffer.StartBuffering(m_canvas, CRect(CPoint(0, 0), size));
        ForceScreenBitsPerPixel(0);
    }

    CDC m_dc;
    CCanvas m_canvas;
    CCanvasBuffer m_buffer;
};

// How a bitmap element draws: the plain way through GDI, or the fast way, anti-aliased
// when it shrinks or not.
struct CWay
{
    BOOL bPlain;
    BOOL bAntiAlias;
};
const CWay fast = { FALSE, FALSE };
const CWay plain = { TRUE, FALSE };
const CWay antiAliased = { FALSE, TRUE };

// The best times of two ways of drawing the whole element into dst, taken in turns, so
// that both see the machine as it is at the time.
std::pair<double, double> TimeTwoWays(CDIBElem& elem, CBench& bench, const CRect& dst, CWay a, CWay b)
{
    auto time = [&](CWay way) {
        gUseDIBBlit = way.bPlain;
        CDIBElem::SetAllowAntiAliasing(way.bAntiAlias);
        double d = Seconds([&] {
            for (int i = 0; i < nDrawsPerRun; ++i)
            {
                elem.Draw(bench.m_canvas, CRect(0, 0, cx, cy), dst);
                ::GdiFlush();
            }
        }) / nDrawsPerRun;
        gUseDIBBlit = 0;
        CDIBElem::SetAllowAntiAliasing(FALSE);
        return d;
    };
    time(a);    // makes the image first
    double dA = 1e30, dB = 1e30;
    for (int i = 0; i < nRuns; ++i)
    {
        dA = std::min(dA, time(a));
        dB = std::min(dB, time(b));
    }
    return { dA, dB };
}

void BenchDepth(int nBits)
{
    HDIB hPhoto = MakePhoto((WORD)nBits);
    CDIBElem elem(hPhoto);
    GlobalFree(hPhoto);

    CBench one(nBits, CSize(cx, cy));
    const CRect rectOne(0, 0, cx, cy);
    auto [dFast, dPlain] = TimeTwoWays(elem, one, rectOne, fast, plain);
    printf("%2d bits, 1:1        fast way %6.3f ms, plain way %7.3f ms: %5.2fx\n", nBits, dFast * 1e3, dPlain * 1e3,
           dPlain / dFast);

    CBench two(nBits, CSize(2 * cx, 2 * cy));
    const CRect rectTwo(0, 0, 2 * cx, 2 * cy);
    auto [dFast2, dPlain2] = TimeTwoWays(elem, two, rectTwo, fast, plain);
    printf("%2d bits, 2:1        fast way %6.3f ms, plain way %7.3f ms: %5.1fx\n", nBits, dFast2 * 1e3, dPlain2 * 1e3,
           dPlain2 / dFast2);

    const CRect rectHalf(0, 0, cx / 2, cy / 2);
    auto [dShrink, dAntiAlias] = TimeTwoWays(elem, one, rectHalf, fast, antiAliased);
    printf("%2d bits, 1:2        anti-aliased %6.3f ms, fast shrink %6.3f ms: %5.2fx the cost\n", nBits,
           dAntiAlias * 1e3, dShrink * 1e3, dAntiAlias / dShrink);

    // memcpy of the destination's bytes, row for row as the fast way writes them.
    CCanvasBufferLocker lock(one.m_buffer);
    int nRowStep = one.m_buffer.GetRowBytes();
    size_t nRowBytes = (size_t)cx * (nBits / 8);
    std::vector<BYTE> source(nRowBytes * cy, 0x5A);
    double dMemcpy = Best(nRuns, [&] {
        for (int i = 0; i < nDrawsPerRun; ++i)
        {
            BYTE* pRow = lock;
            for (int y = 0; y < cy; ++y, pRow += nRowStep)
                memcpy(pRow, &source[y * nRowBytes], nRowBytes);
        }
    }) / nDrawsPerRun;
    printf("%2d bits, 1:1 copy   fast way %6.3f ms, memcpy %6.3f ms: %5.2f of memcpy's speed\n", nBits, dFast * 1e3,
           dMemcpy * 1e3, dMemcpy / dFast);
}

} // namespace

int main()
{
    printf("a 640x480 bitmap into a buffer of its own depth, best of %d runs of %d draws\n", nRuns, nDrawsPerRun);
    BenchDepth(16);
    BenchDepth(8);
    CGdiObject::DeleteTempMap();
    CCanvas::Flush();
    return 0;
}
