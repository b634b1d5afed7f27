// Helpers of the picture tests: packed DIBs made in memory, and a canvas that draws into
// an off-screen buffer of either depth over a real DIB section.
#pragma once

#include "limn/canvas/Canvas.h"
#include "limn/canvas/CanvasBuffer.h"
#include "limn/canvas/CanvasBufferLocker.h"
#include "limn/canvas/ScreenDepth.h"

#include "diblib/dibapi.h"

#include <functional>
#include <vector>

#include "framework/tests/dib_surface.h"

// A packed DIB in movable memory, freed with the object unless detached.
class CTestDIB
{
public:
    CTestDIB() : m_h(NULL) {}
    explicit CTestDIB(HDIB h) : m_h(h) {}
    ~CTestDIB()
    {
        if (m_h != NULL)
            GlobalFree(m_h);
    }
    CTestDIB(const CTestDIB&) = delete;
    CTestDIB& operator=(const CTestDIB&) = delete;
    CTestDIB(CTestDIB&& other) : m_h(other.Detach()) {}

    operator HDIB() const { return m_h; }
    HDIB Detach()
    {
        HDIB h = m_h;
        m_h = NULL;
        return h;
    }
    BYTE* Bytes() const { return static_cast<BYTE*>(GlobalLock(m_h)); }   // fixed memory
    SIZE_T Size() const { return GlobalSize(m_h); }
    BITMAPINFOHEADER& Header() const { return *reinterpret_cast<BITMAPINFOHEADER*>(Bytes()); }

private:
    HDIB m_h;
};

// The raw value of pixel (x, y), y counted from the top: a colour-table index for 8 bits
// and fewer, RGB555 for 16 bits, 0x00RRGGBB for 24 and 32 bits.
typedef std::function<DWORD(int x, int y)> PixelFn;

// A BI_RGB DIB with a BITMAPINFOHEADER; palette is its colour table (for 1, 4 and 8 bits).
CTestDIB MakeTestDIB(int nWidth, int nHeight, WORD wBitCount, const PixelFn& pixel,
                     const std::vector<RGBQUAD>& palette = {}, BOOL bTopDown = FALSE);
// An 8-bit run-length coded DIB (BI_RLE8) of the same pixels, one run per pixel.
CTestDIB MakeRle8DIB(int nWidth, int nHeight, const PixelFn& pixel, const std::vector<RGBQUAD>& palette);
// The raw value of pixel (x, y) of a BI_RGB DIB, y counted from the top.
DWORD DIBPixel(HDIB hDIB, int x, int y);

RGBQUAD Quad(COLORREF color);
// The shared palette as a colour table: a DIB of these indices shows them unchanged in an
// 8-bit buffer.
std::vector<RGBQUAD> SharedPaletteTable();
WORD RGB555(COLORREF color);

// A canvas over a 32-bit surface, bounded to the surface, drawing into an off-screen
// buffer of nBits (8 or 16) over rectBuffer (the whole surface when empty), first filled
// with light grey.
class CBufferedCanvas
{
public:
    CBufferedCanvas(int cx, int cy, int nBits, const CRect& rectBuffer = CRect());
    ~CBufferedCanvas();
    CBufferedCanvas(const CBufferedCanvas&) = delete;
    CBufferedCanvas& operator=(const CBufferedCanvas&) = delete;

    // The buffer's pixel value at (x, y) of the buffer, from its memory.
    DWORD Pixel(int x, int y);
    // The value that light grey has in the buffer.
    DWORD Grey() const;
    // The smallest rectangle of buffer pixels whose value is not grey.
    CRect PaintedBounds();
    void FillGrey();

    CDibSurface m_surface;
    CCanvas m_canvas;
    CCanvasBuffer m_buffer;
};
