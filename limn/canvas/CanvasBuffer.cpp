// CCanvasBuffer: the DIB section, its description and the copies out of it.
#include "limn/canvas/CanvasBuffer.h"
#include "limn/canvas/Canvas.h"
#include "limn/canvas/ScreenDepth.h"

CCanvasBuffer::CCanvasBuffer()
    : m_pCanvas(NULL), m_nRowBytes(0), m_nHeight(0), m_nPixelBitSize(0), m_pBits(NULL), m_bmi{}
{
}

CCanvasBuffer::CCanvasBuffer(CCanvas& canvas) : CCanvasBuffer() { StartBuffering(canvas); }

CCanvasBuffer::CCanvasBuffer(CCanvas& canvas, const CRect& rect) : CCanvasBuffer()
{
    StartBuffering(canvas, rect);
}

CCanvasBuffer::~CCanvasBuffer() { DetachFromCanvas(); }

void CCanvasBuffer::StartBuffering(CCanvas& canvas)
{
    CRect rect;
    canvas.GetClientRect(&rect);
    StartBuffering(canvas, rect);
}

void CCanvasBuffer::StartBuffering(CCanvas& canvas, const CRect& rect)
{
    DetachFromCanvas();
    m_bitmap.DeleteObject();
    m_pBits = NULL;
    m_nRowBytes = m_nHeight = m_nPixelBitSize = 0;
    m_bounds = rect;
    if (rect.IsRectEmpty())
        return;

    // Bottom-up (positive height), in the display's format.
    m_bmi = {};
    m_bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    m_bmi.bmiHeader.biWidth = rect.Width();
    m_bmi.bmiHeader.biHeight = rect.Height();
    m_bmi.bmiHeader.biPlanes = 1;
    m_bmi.bmiHeader.biBitCount = GetScreenBitsPerPixel() > 8 ? 16 : 8;
    m_bmi.bmiHeader.biCompression = BI_RGB;
    // Colour i is index i of the palette selected into the canvas: the shared palette.
    WORD* pIndices = reinterpret_cast<WORD*>(m_bmi.bmiColors);
    for (int i = 0; i < 256; ++i)
        pIndices[i] = (WORD)i;

    void* pBits = NULL;
    HBITMAP hBitmap = ::CreateDIBSection(canvas.m_hDC, reinterpret_cast<BITMAPINFO*>(&m_bmi),
                                         DIB_PAL_COLORS, &pBits, NULL, 0);
    if (hBitmap == NULL)
        return;
    m_bitmap.Attach(hBitmap);

    DIBSECTION section;
    m_bitmap.GetObject(sizeof(section), &section);
    m_nRowBytes = (section.dsBm.bmWidthBytes + 3) & ~3;
    m_nPixelBitSize = section.dsBm.bmBitsPixel;
    m_nHeight = section.dsBmih.biHeight;
    m_pBits = static_cast<BYTE*>(pBits);
    if (m_nHeight > 0)
    {
        m_pBits += (m_nHeight - 1) * m_nRowBytes;
        m_nRowBytes = -m_nRowBytes;
    }

    m_pCanvas = &canvas;
    canvas.AddBuffer(this);
}

DWORD CCanvasBuffer::GetTopScanLineOffset() const
{
    return m_nRowBytes >= 0 ? 0 : (DWORD)(-(m_nHeight - 1) * m_nRowBytes);
}

BYTE* CCanvasBuffer::LockData()
{
    ::GdiFlush();
    return m_pBits;
}

void CCanvasBuffer::DetachFromCanvas()
{
    if (m_pCanvas != NULL)
        m_pCanvas->RemoveBuffer(this);
    m_pCanvas = NULL;
}

void CCanvasBuffer::Draw(CCanvas& canvas, const CRect& src, const CRect& dst)
{
    if (m_pCanvas != &canvas)
        return;
    // Only the newest buffer's section is in the memory context, so only it is drawn.
    CTypedPtrList<CPtrList, CCanvasBuffer*>& list = canvas.m_bufferList;
    POSITION pos = list.GetTailPosition();
    if (list.GetAt(pos) != this)
        return;
    list.GetPrev(pos);
    if (pos == NULL)
        DrawToRealContext(canvas, src, dst);
    else
        DrawToEnclosingBuffer(canvas, *list.GetAt(pos), src, dst);
}

void CCanvasBuffer::Draw(const CRect& src, const CRect& dst)
{
    if (m_pCanvas != NULL)
        Draw(*m_pCanvas, src, dst);
}

void CCanvasBuffer::Draw() { Draw(m_bounds, m_bounds); }

// src is read under the memory context's origin, dst written in the real context's own
// coordinates, which kept the origin they had when buffering started.
void CCanvasBuffer::DrawToRealContext(CCanvas& canvas, const CRect& src, const CRect& dst)
{
    ::BitBlt(canvas.m_hSavedDC, dst.left, dst.top, dst.Width(), dst.Height(),
             canvas.m_hDC, src.left, src.top, SRCCOPY);
}

// dst is in the coordinates that were in force when this buffer was added, which the
// saved origin turns into the enclosing buffer's pixels.
void CCanvasBuffer::DrawToEnclosingBuffer(CCanvas& canvas, const CCanvasBuffer& enclosing,
                                          const CRect& src, const CRect& dst)
{
    CRect rectTarget = dst + m_savedOrigin;
    CDC dcEnclosing;
    if (!dcEnclosing.CreateCompatibleDC(&canvas))
        return;
    HGDIOBJ hOldBitmap = dcEnclosing.SelectObject(enclosing.m_bitmap.m_hObject);
    dcEnclosing.BitBlt(rectTarget.left, rectTarget.top, rectTarget.Width(), rectTarget.Height(),
                       &canvas, src.left, src.top, SRCCOPY);
    dcEnclosing.SelectObject(hOldBitmap);
}
