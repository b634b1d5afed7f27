// CCanvas: borrowed device context, cached drawing tools, origin and clipping, and the
// canvas side of the off-screen buffer stack.
#include "limn/canvas/Canvas.h"
#include "limn/canvas/CanvasBuffer.h"
#include "limn/canvas/GraphicsState.h"
#include "limn/canvas/SharedPalette.h"
#include "limn/app/ResMainFrame.h"

// Palette-relative colours: on a palette device they take the nearest palette colour
// instead of a dither.
#define PALETTE_RELATIVE 0x02000000

CMap<CLogPen, const CLogPen&, CPen*, CPen*> CCanvas::m_mapPen;
CMap<CLogBrush, const CLogBrush&, CBrush*, CBrush*> CCanvas::m_mapBrush;
CMap<CLogFont, const CLogFont&, CFont*, CFont*> CCanvas::m_mapFont;

namespace {

// Deletes the cached objects when limn.dll leaves the process; defined after the caches,
// so it runs before they are destroyed.
struct CCacheFlusher
{
    ~CCacheFlusher() { CCanvas::Flush(); }
} g_flushAtExit;

// The handle of key's cached object, created on first use. A failed creation is cached
// as an empty object, which selects nothing.
template <class TKey, class TObject>
HGDIOBJ CachedObject(CMap<TKey, const TKey&, TObject*, TObject*>& map, const TKey& key)
{
    TObject* pObject;
    if (!map.Lookup(key, pObject))
    {
        pObject = new TObject;
        pObject->Attach(key.Create());
        map.SetAt(key, pObject);
    }
    return pObject->m_hObject;
}

template <class TKey, class TObject>
void FlushCache(CMap<TKey, const TKey&, TObject*, TObject*>& map)
{
    while (!map.IsEmpty())
    {
        POSITION pos = map.GetStartPosition();
        TKey key;
        TObject* pObject;
        map.GetNextAssoc(pos, key, pObject);
        delete pObject;
        map.RemoveKey(key);
    }
}

} // namespace

CCanvas::CCanvas()
    : m_drawMode(drawFast), m_extent(32767, 32767), m_bIsPrinting(FALSE), m_bIsPreview(FALSE),
      m_pDC(this), m_hSavedDC(NULL), m_hSavedAttribDC(NULL), m_hOldPalette(NULL)
{
}

CCanvas::CCanvas(CDC* pDC) : CCanvas()
{
    SetDC(pDC);
    m_drawMode = drawFast;
}

CCanvas::~CCanvas() { DetachDC(); }

void CCanvas::DetachDC()
{
    ReleaseBuffer();
    if (m_hDC == NULL)
        return;
    if (m_hOldPalette != NULL)
    {
        ::SelectPalette(m_hDC, m_hOldPalette, TRUE);
        RealizePalette();
        m_hOldPalette = NULL;
    }
    SetDC(NULL);
    Detach();   // the handles are the caller's
}

void CCanvas::SetDC(CDC* pDC)
{
    m_clipRect.SetRectEmpty();
    m_bIsPreview = m_bIsPrinting = FALSE;
    ReleaseBuffer();
    m_nearestColors.Forget();
    if (pDC == NULL)
    {
        if (m_hDC != NULL)
            SelectStockTools();
        return;
    }

    m_bIsPrinting = pDC->m_bPrinting;
    if (m_bIsPrinting)
    {
        // One logical unit is a point, 1/72 inch.
        pDC->SetMapMode(MM_ANISOTROPIC);
        pDC->SetWindowExt(72, 72);
        pDC->SetViewportExt(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
    }
    m_hDC = pDC->m_hDC;
    m_hAttribDC = pDC->m_hAttribDC;

    if (HPALETTE hOldPalette = SelectSharedPalette())
        m_hOldPalette = hOldPalette;

    SIZE size;
    if (!::GetWindowExtEx(m_hAttribDC, &size))
        size.cx = size.cy = -1;
    m_extent = size;
    SetStretchBltMode(HALFTONE);
}

void CCanvas::SelectStockTools()
{
    CDC::SelectObject(::GetStockObject(WHITE_BRUSH));
    CDC::SelectObject(::GetStockObject(BLACK_PEN));
    CDC::SelectObject(::GetStockObject(DEVICE_DEFAULT_FONT));
}

// Selects the shared palette into the output handle, as a background palette while the
// main frame is not the active window, and realises it. Gives the palette that was
// selected before, or NULL without a shared palette. The handle, not a temporary
// CPalette, so that it outlives the framework's idle-time clean-up.
HPALETTE CCanvas::SelectSharedPalette()
{
    CPalette* pPalette = GetSharedPalette();
    if (pPalette == NULL)
        return NULL;
    HPALETTE hOldPalette = ::SelectPalette(m_hDC, *pPalette, !CResMainFrame::IsForeground());
    RealizePalette();
    return hOldPalette;
}

// Coordinates and clipping

void CCanvas::SetBounds(const CRect& rect)
{
    SetOrigin(rect.TopLeft());
    m_extent = rect.Size();
}

void CCanvas::SetOrigin(CPoint origin)
{
    m_origin = origin;
    SetWindowOrg(-m_origin.x, -m_origin.y);
}

void CCanvas::OffsetOrigin(CPoint delta) { SetOrigin(m_origin + delta); }

void CCanvas::ClipToRect(const CRect& rect)
{
    m_clipRect = rect;
    if (m_bIsPrinting || m_bIsPreview)
        return;
    m_clipRgn.DeleteObject();
    CRect rectDevice = rect + m_origin;
    m_clipRgn.CreateRectRgnIndirect(&rectDevice);
    SelectClipRgn(&m_clipRgn);
}

void CCanvas::TurnOffClipping()
{
    m_clipRect.SetRectEmpty();
    if (!m_bIsPrinting && !m_bIsPreview)
        SelectClipRgn(NULL);
}

// Drawing

void CCanvas::Line(CPoint from, CPoint to)
{
    MoveTo(from);
    LineTo(to);
}

BOOL CCanvas::Polygon(const CArray<CPoint, CPoint>& points)
{
    return CDC::Polygon(const_cast<CPoint*>(points.GetData()), (int)points.GetSize());
}

template <class TDraw>
void CCanvas::DrawWithStockObject(int nStockObject, TDraw draw)
{
    HGDIOBJ hOldObject = CDC::SelectObject(::GetStockObject(nStockObject));
    draw();
    CDC::SelectObject(hOldObject);
}

void CCanvas::FillRectangle(const CRect& rect)
{
    DrawWithStockObject(NULL_PEN, [&] { Rectangle(rect); });
}

void CCanvas::FillEllipse(const CRect& rect)
{
    DrawWithStockObject(NULL_PEN, [&] { Ellipse(rect); });
}

void CCanvas::FillRoundRect(const CRect& rect, CPoint corner)
{
    DrawWithStockObject(NULL_PEN, [&] { RoundRect(rect, corner); });
}

void CCanvas::FillPolygon(const CArray<CPoint, CPoint>& points)
{
    if (!points.IsEmpty())
        DrawWithStockObject(NULL_PEN, [&] { Polygon(points); });
}

void CCanvas::FrameRectangle(const CRect& rect)
{
    DrawWithStockObject(NULL_BRUSH, [&] { Rectangle(rect); });
}

void CCanvas::FrameEllipse(const CRect& rect)
{
    DrawWithStockObject(NULL_BRUSH, [&] { Ellipse(rect); });
}

void CCanvas::FrameRoundRect(const CRect& rect, CPoint corner)
{
    DrawWithStockObject(NULL_BRUSH, [&] { RoundRect(rect, corner); });
}

void CCanvas::FramePolygon(const CArray<CPoint, CPoint>& points)
{
    if (!points.IsEmpty())
        DrawWithStockObject(NULL_BRUSH, [&] { Polygon(points); });
}

// Cached drawing tools

void CCanvas::SelectObject(const CLogPen& key) { CDC::SelectObject(CachedObject(m_mapPen, key)); }

void CCanvas::SelectObject(const CLogBrush& key) { CDC::SelectObject(CachedObject(m_mapBrush, key)); }

void CCanvas::SelectObject(const CLogFont& key) { CDC::SelectObject(CachedObject(m_mapFont, key)); }

void CCanvas::SetPen(COLORREF color, WORD width, BOOL dashed)
{
    SelectObject(CLogPen(color | PALETTE_RELATIVE, width, dashed));
}

void CCanvas::SetBrush(COLORREF color, BOOL hatched)
{
    COLORREF nearest = m_nearestColors.Nearest(m_hAttribDC, color | PALETTE_RELATIVE);
    SelectObject(CLogBrush(nearest | PALETTE_RELATIVE, hatched));
}

void CCanvas::SetFont(WORD pointSize, const char* face, BOOL bold, BOOL underline, BOOL italic)
{
    SelectObject(CLogFont(-::MulDiv(pointSize, 96, 72), face, bold, underline, italic));
}

void CCanvas::Flush()
{
    FlushCache(m_mapPen);
    FlushCache(m_mapBrush);
    FlushCache(m_mapFont);
}

// Text

void CCanvas::DrawText(const char* text, const CRect& rect, BOOL centred, TextMode mode)
{
    int nOldMode = SetBkMode(mode == textOpaque ? OPAQUE : TRANSPARENT);
    CRect rectText = rect;
    CDC::DrawText(text, -1, &rectText, DT_WORDBREAK | (centred ? DT_CENTER : DT_LEFT));
    SetBkMode(nOldMode);
}

CSize CCanvas::GetTextDimensions(const char* text) { return GetTextExtent(text, lstrlenA(text)); }

CSize CCanvas::GetTextDimensions(const char* text, int width)
{
    CRect rect(0, 0, width, 0);
    CDC::DrawText(text, -1, &rect, DT_CALCRECT | DT_WORDBREAK);
    return rect.Size();
}

COLORREF CCanvas::SetTextColor(COLORREF crColor) { return CDC::SetTextColor(crColor); }

// State

void CCanvas::GetState(CGraphicsState& state)
{
    state.m_nSavedDC = SaveDC();
    state.m_origin = m_origin;
    state.m_clipRect = m_clipRect;
}

// The context's window origin and clip region come back with the saved level; the
// canvas's own record of them must follow, or later drawing lands where the context no
// longer is.
void CCanvas::SetState(const CGraphicsState& state)
{
    RestoreDC(state.m_nSavedDC);   // may put back another surface or palette
    m_nearestColors.Forget();
    m_origin = state.m_origin;
    m_clipRect = state.m_clipRect;
}

// Off-screen buffers

void CCanvas::AddBuffer(CCanvasBuffer* pBuffer)
{
    if (m_hSavedDC == NULL)
    {
        HDC hMemDC = ::CreateCompatibleDC(m_hDC);
        if (hMemDC == NULL)
        {
            pBuffer->m_pCanvas = NULL;  // drawing stays on the real context
            return;
        }
        m_hSavedDC = m_hDC;
        m_hSavedAttribDC = m_hAttribDC;
        m_hDC = m_hAttribDC = hMemDC;
        SelectSharedPalette();
    }
    pBuffer->m_savedOrigin = m_origin;
    m_bufferList.AddTail(pBuffer);
    CDC::SelectObject(pBuffer->m_bitmap.m_hObject);
    m_nearestColors.Forget();
    // Every buffer, nested or not, has canvas point bounds.TopLeft() at its pixel (0, 0).
    SetOrigin(-pBuffer->m_bounds.TopLeft());
}

void CCanvas::RemoveBuffer(CCanvasBuffer* pBuffer)
{
    POSITION pos = m_bufferList.Find(pBuffer);
    ASSERT(pos != NULL);
    if (pos == NULL)
        return;
    POSITION posAbove = pos;
    m_bufferList.GetNext(posAbove);
    m_bufferList.RemoveAt(pos);

    if (posAbove != NULL)
    {
        // Taken from the middle: the newest buffer keeps the drawing, and the one just
        // above returns, when it goes, to the coordinates in force beneath this one.
        CCanvasBuffer* pAbove = m_bufferList.GetAt(posAbove);
        pAbove->m_savedOrigin += pBuffer->m_bounds.TopLeft() + pBuffer->m_savedOrigin;
        return;
    }

    if (!m_bufferList.IsEmpty())
    {
        CDC::SelectObject(m_bufferList.GetTail()->m_bitmap.m_hObject);
    }
    else
    {
        // No cached tool may stay selected in a context that is deleted.
        SelectStockTools();
        ::DeleteDC(m_hDC);
        m_hDC = m_hSavedDC;
        m_hAttribDC = m_hSavedAttribDC;
        m_hSavedDC = m_hSavedAttribDC = NULL;
    }
    m_nearestColors.Forget();
    SetOrigin(pBuffer->m_savedOrigin);
}

void CCanvas::ReleaseBuffer()
{
    while (!m_bufferList.IsEmpty())
    {
        CCanvasBuffer* pBuffer = m_bufferList.GetTail();
        RemoveBuffer(pBuffer);
        pBuffer->m_pCanvas = NULL;
    }
}

CCanvasBuffer* CCanvas::GetCurrentBuffer() const
{
    return m_bufferList.IsEmpty() ? NULL : m_bufferList.GetTail();
}

CPoint CCanvas::GetBufferOrigin() const
{
    ASSERT(IsDrawingToBuffer());
    return GetCurrentBuffer()->GetBounds().TopLeft();
}

int CCanvas::GetBufferRowBytes() const
{
    ASSERT(IsDrawingToBuffer());
    return GetCurrentBuffer()->GetRowBytes();
}

int CCanvas::GetBufferHeight() const
{
    ASSERT(IsDrawingToBuffer());
    return GetCurrentBuffer()->GetBounds().Height();
}

BYTE* CCanvas::LockBufferData()
{
    ASSERT(IsDrawingToBuffer());
    return GetCurrentBuffer()->LockData();
}

void CCanvas::UnlockBufferData()
{
    ASSERT(IsDrawingToBuffer());
    GetCurrentBuffer()->UnlockData();
}
