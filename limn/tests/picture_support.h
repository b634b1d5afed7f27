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

// The bytes of a packed DIB as a ".bmp" file: a BITMAPFILEHEADER, then the DIB.
std::vector<BYTE> BitmapFileBytes(HDIB hDIB);
void WriteFileBytes(const char* pszPath, const std::vector<BYTE>& bytes);
std::vector<BYTE> ReadFileBytes(const char* pszPath);

// What an archive stores, and an archive loading stored bytes.
template <class Fn>
std::vector<BYTE> StoreBytes(Fn store)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
    }
    std::vector<BYTE> bytes((size_t)file.GetLength());
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

template <class Fn>
void LoadBytes(const std::vector<BYTE>& bytes, Fn load)
{
    CMemFile file(const_cast<BYTE*>(bytes.data()), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    load(ar);
}

// Appends the little-endian bytes of values, strings and raw blocks.
class CByteWriter
{
public:
    CByteWriter& Byte(BYTE by) { return Raw(&by, 1); }
    CByteWriter& Word(WORD w) { return Raw(&w, 2); }
    CByteWriter& Long(LONG l) { return Raw(&l, 4); }
    CByteWriter& Text(const char* psz) { return Raw(psz, strlen(psz)); }
    CByteWriter& Bytes(const std::vector<BYTE>& bytes) { return Raw(bytes.data(), bytes.size()); }
    CByteWriter& Raw(const void* pv, size_t n)
    {
        m_bytes.insert(m_bytes.end(), static_cast<const BYTE*>(pv), static_cast<const BYTE*>(pv) + n);
        return *this;
    }
    std::vector<BYTE> m_bytes;
};
