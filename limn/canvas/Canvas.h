// CCanvas: the drawing surface of limn. It borrows the handles of a CDC that its caller
// owns and adds cached pens, brushes and fonts, the shared palette, a drawing origin and
// clip rectangle in canvas coordinates, printing flags, and a stack of off-screen buffers
// that takes all drawing while it is not empty.
#pragma once

#include "limn/canvas/LogBrush.h"
#include "limn/canvas/LogFont.h"
#include "limn/canvas/LogPen.h"
#include "limn/canvas/NearestColorMemo.h"

class CCanvasBuffer;
class CGraphicsState;

// 0 lets bitmap elements take their fast path that writes the screen buffer directly;
// any other value makes them draw through GDI.
enum DrawQuality
{
    drawFast = 0,
    drawThroughGDI = 1,
};

enum TextMode
{
    textOpaque = 0,
    textTransparent = 1,
};

class LIMN_API CCanvas : public CDC
{
public:
    // Takes pDC's handles; pDC keeps them and must outlive the canvas.
    explicit CCanvas(CDC* pDC);
    ~CCanvas() override;
    CCanvas(const CCanvas&) = delete;
    CCanvas& operator=(const CCanvas&) = delete;

protected:
    // A canvas without a context; the subclass calls SetDC.
    CCanvas();
    // Gives the current context back (buffers released, stock objects selected) and takes
    // pDC's handles, in points on a printer; NULL just gives the current one back.
    void SetDC(CDC* pDC);
    // Gives the context back for good: buffers released, the palette that SetDC replaced
    // put back and realised, stock objects selected and the handles detached. The
    // destructor does it; a subclass that owns the context does it first.
    void DetachDC();

public:
    // The canvas itself, which draws into the current buffer while there is one.
    CDC* GetDC() { return m_pDC; }

// Coordinates and clipping
    CSize GetExtent() const { return m_extent; }
    void GetClientRect(CRect* pRect) const { pRect->SetRect(0, 0, m_extent.cx, m_extent.cy); }
    void SetBounds(const CRect& rect);
    CPoint GetOrigin() const { return m_origin; }
    // Canvas point (x, y) lands on device pixel (x + origin.x, y + origin.y).
    void SetOrigin(CPoint origin);
    void OffsetOrigin(CPoint delta);
    const CRect& GetClipRect() const { return m_clipRect; }
    // Clips to rect, in canvas coordinates; while printing or previewing the rectangle is
    // only recorded.
    void ClipToRect(const CRect& rect);
    void TurnOffClipping();

// Flags
    BOOL IsPrinting() const { return m_bIsPrinting; }
    void SetPrinting(BOOL bPrinting) { m_bIsPrinting = bPrinting; }
    BOOL IsInPreview() const { return m_bIsPreview; }
    void SetPreview(BOOL bPreview) { m_bIsPreview = bPreview; }
    DrawQuality GetDrawMode() const { return m_drawMode; }
    void SetDrawMode(DrawQuality drawMode) { m_drawMode = drawMode; }

// Drawing, in canvas coordinates, with the selected pen and brush. MoveTo, LineTo,
// Rectangle, Ellipse and RoundRect are CDC's.
    using CDC::Polygon;
    void Line(CPoint from, CPoint to);
    BOOL Polygon(const CArray<CPoint, CPoint>& points);
    // The interior alone: no pen.
    void FillRectangle(const CRect& rect);
    void FillEllipse(const CRect& rect);
    void FillRoundRect(const CRect& rect, CPoint corner);
    void FillPolygon(const CArray<CPoint, CPoint>& points);
    // The outline alone: no brush.
    void FrameRectangle(const CRect& rect);
    void FrameEllipse(const CRect& rect);
    void FrameRoundRect(const CRect& rect, CPoint corner);
    void FramePolygon(const CArray<CPoint, CPoint>& points);

// Cached drawing tools; colours are made palette-relative
    using CDC::SelectObject;
    void SetPen(COLORREF color, WORD width, BOOL dashed);
    void SetBrush(COLORREF color, BOOL hatched);
    // pointSize is turned into a character height at 96 per 72 whatever the device.
    void SetFont(WORD pointSize, const char* face, BOOL bold, BOOL underline, BOOL italic);
    // Deletes every cached pen, brush and font.
    static void Flush();

// Text, with the selected font and text colour
    using CDC::DrawText;
    // Word-wrapped in rect, centred or left-aligned.
    void DrawText(const char* text, const CRect& rect, BOOL centred, TextMode mode);
    CSize GetTextDimensions(const char* text);
    // The size of the text wrapped at width.
    CSize GetTextDimensions(const char* text, int width);
    COLORREF SetTextColor(COLORREF crColor) override;

// State: the context's saved level with the origin and clip rectangle
    void GetState(CGraphicsState& state);
    void SetState(const CGraphicsState& state);

// Off-screen buffers
    // Attaches buffer as the newest one; canvas point bounds.TopLeft() becomes its pixel
    // (0, 0). CCanvasBuffer::StartBuffering calls it.
    void AddBuffer(CCanvasBuffer* pBuffer);
    // Detaches pBuffer, which must be attached to this canvas.
    void RemoveBuffer(CCanvasBuffer* pBuffer);
    CCanvasBuffer* GetCurrentBuffer() const;
    BOOL IsDrawingToBuffer() const { return GetCurrentBuffer() != NULL; }
    // These need a current buffer.
    CPoint GetBufferOrigin() const;
    int GetBufferRowBytes() const;
    int GetBufferHeight() const;
    BYTE* LockBufferData();
    void UnlockBufferData();

private:
    friend class CCanvasBuffer;

    // Selects the cached object of the key, creating it on first use.
    void SelectObject(const CLogPen& key);
    void SelectObject(const CLogBrush& key);
    void SelectObject(const CLogFont& key);
    // Draws with a stock pen or brush selected, then puts the previous one back.
    template <class TDraw>
    void DrawWithStockObject(int nStockObject, TDraw draw);
    void SelectStockTools();
    HPALETTE SelectSharedPalette();
    // Removes every buffer, newest first; each is left detached.
    void ReleaseBuffer();

    DrawQuality m_drawMode;
    CSize m_extent;
    BOOL m_bIsPrinting;
    BOOL m_bIsPreview;
    CTypedPtrList<CPtrList, CCanvasBuffer*> m_bufferList;
    CDC* m_pDC;
    CRect m_clipRect;
    HDC m_hSavedDC;
    HDC m_hSavedAttribDC;
    CRgn m_clipRgn;
    HPALETTE m_hOldPalette;     // put back on destruction
    CPoint m_origin;
    // Forgotten wherever the canvas changes its context's surface or palette: SetDC,
    // AddBuffer, RemoveBuffer and SetState.
    CNearestColorMemo m_nearestColors;

    static CMap<CLogPen, const CLogPen&, CPen*, CPen*> m_mapPen;
    static CMap<CLogBrush, const CLogBrush&, CBrush*, CBrush*> m_mapBrush;
    static CMap<CLogFont, const CLogFont&, CFont*, CFont*> m_mapFont;
};
