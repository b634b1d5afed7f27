// CCanvasBuffer: an off-screen DIB section that a canvas draws into instead of its real
// device context, open to direct pixel access between LockData and UnlockData.
//
// The section matches the display: 8-bit palette indices (an identity table over the
// shared palette) on palette displays, 16-bit RGB555 otherwise. It is bottom-up, so the
// row step is negative and m_pBits addresses the top scan line: adding the row step moves
// one line down.
#pragma once

#include "limn/limn_api.h"

class CCanvas;

class LIMN_API CCanvasBuffer
{
public:
    CCanvasBuffer();
    explicit CCanvasBuffer(CCanvas& canvas);
    CCanvasBuffer(CCanvas& canvas, const CRect& rect);
    ~CCanvasBuffer();
    CCanvasBuffer(const CCanvasBuffer&) = delete;
    CCanvasBuffer& operator=(const CCanvasBuffer&) = delete;

    // Buffers the canvas's client rectangle.
    void StartBuffering(CCanvas& canvas);
    // Makes a section for rect, in the canvas's coordinates of the moment, and attaches it
    // as the canvas's newest buffer. A buffer that was buffering before is detached first
    // and its old section deleted. When no section can be made (an empty rect, no
    // memory) the buffer stays detached and the canvas keeps drawing to its real context.
    void StartBuffering(CCanvas& canvas, const CRect& rect);

    const CRect& GetBounds() const { return m_bounds; }
    int GetRowBytes() const { return m_nRowBytes; }
    int GetHeight() const { return m_nHeight; }
    int GetPixelBitSize() const { return m_nPixelBitSize; }
    // From the start of the pixel memory to the top scan line.
    DWORD GetTopScanLineOffset() const;

    // Finishes pending GDI drawing and gives the top scan line; NULL without a section.
    BYTE* LockData();
    void UnlockData() {}

    void DetachFromCanvas();
    BOOL IsAttached() const { return m_pCanvas != NULL; }

    // Copies src (canvas coordinates of the moment) to dst. The newest buffer of canvas
    // goes into the buffer beneath it (dst in the coordinates in force when this one was
    // added), or to the real context when it is the only one (dst in the real context's
    // own coordinates). A buffer with another on top of it, or not attached to canvas,
    // draws nothing.
    void Draw(CCanvas& canvas, const CRect& src, const CRect& dst);
    void Draw(const CRect& src, const CRect& dst);
    void Draw();

private:
    friend class CCanvas;

    struct BITMAPINFO256
    {
        BITMAPINFOHEADER bmiHeader;
        RGBQUAD bmiColors[256];
    };

    void DrawToRealContext(CCanvas& canvas, const CRect& src, const CRect& dst);
    void DrawToEnclosingBuffer(CCanvas& canvas, const CCanvasBuffer& enclosing,
                               const CRect& src, const CRect& dst);

    CRect m_bounds;
    CCanvas* m_pCanvas;
    CPoint m_savedOrigin;
    int m_nRowBytes;
    int m_nHeight;
    int m_nPixelBitSize;
    BYTE* m_pBits;
    BITMAPINFO256 m_bmi;
    CBitmap m_bitmap;           // the section; deleted with the buffer
};
