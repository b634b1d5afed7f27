// Helpers of the picture tests.
#include "picture_support.h"

#include "limn/canvas/SharedPalette.h"

namespace {

DWORD RowBytes(int nWidth, WORD wBitCount) { return ((nWidth * wBitCount + 31) / 32) * 4; }

// A block holding a BITMAPINFOHEADER, the colour table and nBits bytes of pixels.
CTestDIB NewDIB(int nWidth, int nHeight, WORD wBitCount, DWORD dwCompression, const std::vector<RGBQUAD>& palette,
                DWORD nBits, BOOL bTopDown)
{
    DWORD nHeader = sizeof(BITMAPINFOHEADER) + (DWORD)(palette.size() * sizeof(RGBQUAD));
    CTestDIB dib(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, nHeader + nBits));
    BITMAPINFOHEADER& header = dib.Header();
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = nWidth;
    header.biHeight = bTopDown ? -nHeight : nHeight;
    header.biPlanes = 1;
    header.biBitCount = wBitCount;
    header.biCompression = dwCompression;
    header.biSizeImage = nBits;
    header.biClrUsed = (DWORD)palette.size();
    memcpy(dib.Bytes() + sizeof(BITMAPINFOHEADER), palette.data(), palette.size() * sizeof(RGBQUAD));
    return dib;
}

} // namespace

CTestDIB MakeTestDIB(int nWidth, int nHeight, WORD wBitCount, const PixelFn& pixel,
                     const std::vector<RGBQUAD>& palette, BOOL bTopDown)
{
    DWORD nRow = RowBytes(nWidth, wBitCount);
    CTestDIB dib = NewDIB(nWidth, nHeight, wBitCount, BI_RGB, palette, nRow * nHeight, bTopDown);
    BYTE* pBits = dib.Bytes() + dib.Size() - nRow * nHeight;
    for (int y = 0; y < nHeight; ++y)
    {
        BYTE* pRow = pBits + (bTopDown ? y : nHeight - 1 - y) * nRow;
        for (int x = 0; x < nWidth; ++x)
        {
            DWORD v = pixel(x, y);
            switch (wBitCount)
            {
            case 1:
                pRow[x / 8] |= (BYTE)((v & 1) << (7 - x % 8));
                break;
            case 4:
                pRow[x / 2] |= (BYTE)((v & 15) << (x % 2 ? 0 : 4));
                break;
            case 8:
                pRow[x] = (BYTE)v;
                break;
            case 16:
                reinterpret_cast<WORD*>(pRow)[x] = (WORD)v;
                break;
            case 24:
                pRow[3 * x] = (BYTE)v;
                pRow[3 * x + 1] = (BYTE)(v >> 8);
                pRow[3 * x + 2] = (BYTE)(v >> 16);
                break;
            case 32:
                reinterpret_cast<DWORD*>(pRow)[x] = v;
                break;
            }
        }
    }
    return dib;
}

CTestDIB MakeRle8DIB(int nWidth, int nHeight, const PixelFn& pixel, const std::vector<RGBQUAD>& palette)
{
    std::vector<BYTE> stream;
    for (int y = nHeight - 1; y >= 0; --y)
    {
        for (int x = 0; x < nWidth; ++x)
        {
            stream.push_back(1);
            stream.push_back((BYTE)pixel(x, y));
        }
        stream.push_back(0);
        stream.push_back(0);        // end of line
    }
    stream.back() = 1;              // end of bitmap
    CTestDIB dib = NewDIB(nWidth, nHeight, 8, BI_RLE8, palette, (DWORD)stream.size(), FALSE);
    memcpy(dib.Bytes() + dib.Size() - stream.size(), stream.data(), stream.size());
    return dib;
}

DWORD DIBPixel(HDIB hDIB, int x, int y)
{
    const BYTE* pDIB = static_cast<const BYTE*>(GlobalLock(hDIB));
    const BITMAPINFOHEADER& header = *reinterpret_cast<const BITMAPINFOHEADER*>(pDIB);
    int nHeight = std::abs(header.biHeight);
    DWORD nRow = RowBytes(header.biWidth, header.biBitCount);
    const BYTE* pRow = reinterpret_cast<const BYTE*>(FindDIBBits((LPSTR)pDIB)) +
                       (header.biHeight < 0 ? y : nHeight - 1 - y) * nRow;
    DWORD v = 0;
    switch (header.biBitCount)
    {
    case 1: v = (pRow[x / 8] >> (7 - x % 8)) & 1; break;
    case 4: v = (pRow[x / 2] >> (x % 2 ? 0 : 4)) & 15; break;
    case 8: v = pRow[x]; break;
    case 16: v = reinterpret_cast<const WORD*>(pRow)[x]; break;
    case 24: v = pRow[3 * x] | (pRow[3 * x + 1] << 8) | (pRow[3 * x + 2] << 16); break;
    case 32: v = reinterpret_cast<const DWORD*>(pRow)[x]; break;
    }
    GlobalUnlock(hDIB);
    return v;
}

RGBQUAD Quad(COLORREF color)
{
    RGBQUAD quad = { GetBValue(color), GetGValue(color), GetRValue(color), 0 };
    return quad;
}

std::vector<RGBQUAD> SharedPaletteTable()
{
    std::vector<RGBQUAD> table;
    for (const PALETTEENTRY& e : gLogPalette.palPalEntry)
        table.push_back(Quad(RGB(e.peRed, e.peGreen, e.peBlue)));
    return table;
}

WORD RGB555(COLORREF color)
{
    return (WORD)(((GetRValue(color) >> 3) << 10) | ((GetGValue(color) >> 3) << 5) | (GetBValue(color) >> 3));
}

// CBufferedCanvas

CBufferedCanvas::CBufferedCanvas(int cx, int cy, int nBits, const CRect& rectBuffer)
    : m_surface(cx, cy), m_canvas(&m_surface.m_dc)
{
    ForceScreenBitsPerPixel(nBits == 8 ? 8 : 32);
    m_canvas.SetBounds(CRect(0, 0, cx, cy));
    m_buffer.StartBuffering(m_canvas, rectBuffer.IsRectEmpty() ? CRect(0, 0, cx, cy) : rectBuffer);
    ForceScreenBitsPerPixel(0);
    FillGrey();
}

CBufferedCanvas::~CBufferedCanvas() { CGdiObject::DeleteTempMap(); }

void CBufferedCanvas::FillGrey()
{
    CRect rect = m_buffer.GetBounds();
    m_canvas.SetBrush(RGB(192, 192, 192), FALSE);
    m_canvas.FillRectangle(CRect(rect.left, rect.top, rect.right + 1, rect.bottom + 1));
}

DWORD CBufferedCanvas::Pixel(int x, int y)
{
    CCanvasBufferLocker lock(m_buffer);
    const BYTE* pRow = (unsigned char*)lock + y * m_buffer.GetRowBytes();
    return m_buffer.GetPixelBitSize() == 8 ? pRow[x] : reinterpret_cast<const WORD*>(pRow)[x];
}

DWORD CBufferedCanvas::Grey() const { return m_buffer.GetPixelBitSize() == 8 ? 7 : RGB555(RGB(192, 192, 192)); }

CRect CBufferedCanvas::PaintedBounds()
{
    CRect rect;
    for (int y = 0; y < m_buffer.GetBounds().Height(); ++y)
    {
        for (int x = 0; x < m_buffer.GetBounds().Width(); ++x)
        {
            if (Pixel(x, y) != Grey())
                rect |= CRect(x, y, x + 1, y + 1);
        }
    }
    return rect;
}

// Files

std::vector<BYTE> BitmapFileBytes(HDIB hDIB)
{
    const BYTE* pDIB = static_cast<const BYTE*>(GlobalLock(hDIB));
    DWORD nDIB = (DWORD)GlobalSize(hDIB);
    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;
    header.bfSize = sizeof header + nDIB;
    header.bfOffBits = sizeof header + (DWORD)((const BYTE*)FindDIBBits((LPSTR)pDIB) - pDIB);
    std::vector<BYTE> bytes(sizeof header + nDIB);
    memcpy(bytes.data(), &header, sizeof header);
    memcpy(bytes.data() + sizeof header, pDIB, nDIB);
    GlobalUnlock(hDIB);
    return bytes;
}

void WriteFileBytes(const char* pszPath, const std::vector<BYTE>& bytes)
{
    CFile file(pszPath, CFile::modeCreate | CFile::modeWrite);
    if (!bytes.empty())
        file.Write(bytes.data(), (UINT)bytes.size());
}

std::vector<BYTE> ReadFileBytes(const char* pszPath)
{
    CFile file(pszPath, CFile::modeRead | CFile::shareDenyNone);
    std::vector<BYTE> bytes((size_t)file.GetLength());
    if (!bytes.empty())
        file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}
