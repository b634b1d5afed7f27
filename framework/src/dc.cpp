// CDC: its handle map, the calls that act on both the output and the attribute handle,
// and the window device contexts.
#include "afxwin.h"
#include "handlemap.h"

IMPLEMENT_DYNCREATE(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

namespace {

CDC* NewTempDC(HDC hDC)
{
    CDC* pDC = new CDC;
    pDC->m_hDC = pDC->m_hAttribDC = hDC;
    return pDC;
}

void ReleaseTempDC(CDC* pDC) { pDC->m_hDC = pDC->m_hAttribDC = NULL; }

// Makes a setting on the output handle, when it is a handle of its own, and on the
// attribute handle; the result is the attribute handle's.
template <class TResult, class TCall>
TResult OnBothHandles(const CDC* pDC, TResult result, TCall call)
{
    if (pDC->m_hDC != pDC->m_hAttribDC)
        result = call(pDC->m_hDC);
    if (pDC->m_hAttribDC != NULL)
        result = call(pDC->m_hAttribDC);
    return result;
}

CHandleMap<CDC, HDC>& DCMap()
{
    static thread_local CHandleMap<CDC, HDC> map(NewTempDC, ReleaseTempDC);
    return map;
}

} // namespace

CDC::CDC() : m_hDC(NULL), m_hAttribDC(NULL), m_bPrinting(FALSE) {}

CDC::~CDC()
{
    if (m_hDC != NULL)
        ::DeleteDC(Detach());
}

CDC* PASCAL CDC::FromHandle(HDC hDC) { return DCMap().FromHandle(hDC); }

void PASCAL CDC::DeleteTempMap() { DCMap().DeleteTemp(); }

BOOL CDC::Attach(HDC hDC)
{
    ASSERT(m_hDC == NULL && m_hAttribDC == NULL);
    if (hDC == NULL)
        return FALSE;
    DCMap().SetPermanent(m_hDC = hDC, this);
    SetAttribDC(m_hDC);
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    if (hDC != NULL)
        DCMap().RemoveHandle(hDC, this);
    ReleaseAttribDC();
    m_hDC = NULL;
    return hDC;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC == NULL ? NULL : pDC->m_hDC));
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == NULL)
        return FALSE;
    return ::DeleteDC(Detach());
}

// Device-context state

int CDC::SaveDC()
{
    int nSavedDC = 0;
    if (m_hAttribDC != NULL)
        nSavedDC = ::SaveDC(m_hAttribDC);
    // Two stacks cannot share one level number; only "the last save" restores both.
    if (m_hDC != m_hAttribDC && ::SaveDC(m_hDC) != 0)
        nSavedDC = -1;
    return nSavedDC;
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    BOOL bResult = TRUE;
    if (m_hDC != m_hAttribDC)
        bResult = ::RestoreDC(m_hDC, nSavedDC);
    if (m_hAttribDC != NULL)
        bResult = ::RestoreDC(m_hAttribDC, nSavedDC) && bResult;
    return bResult;
}

// Drawing tools

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    return OnBothHandles(this, (HGDIOBJ)NULL, [=](HDC h) { return ::SelectObject(h, hObject); });
}

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    return CGdiObject::FromHandle(SelectObject(::GetStockObject(nIndex)));
}

CPen* CDC::SelectObject(CPen* pPen)
{
    return (CPen*)CGdiObject::FromHandle(SelectObject(pPen->m_hObject));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    return (CBrush*)CGdiObject::FromHandle(SelectObject(pBrush->m_hObject));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    return (CFont*)CGdiObject::FromHandle(SelectObject(pFont->m_hObject));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    return (CBitmap*)CGdiObject::FromHandle(SelectObject(pBitmap->m_hObject));
}

int CDC::SelectObject(CRgn* pRgn) { return SelectClipRgn(pRgn); }

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    return CGdiObject::FromHandle(SelectObject(pObject->m_hObject));
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    HPALETTE hPalette = pPalette == NULL ? NULL : (HPALETTE)pPalette->m_hObject;
    return (CPalette*)CGdiObject::FromHandle(::SelectPalette(m_hDC, hPalette, bForceBackground));
}

// Drawing attributes

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    return OnBothHandles(this, (COLORREF)CLR_INVALID, [=](HDC h) { return ::SetBkColor(h, crColor); });
}

int CDC::SetBkMode(int nBkMode)
{
    return OnBothHandles(this, 0, [=](HDC h) { return ::SetBkMode(h, nBkMode); });
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    return OnBothHandles(this, (COLORREF)CLR_INVALID, [=](HDC h) { return ::SetTextColor(h, crColor); });
}

int CDC::SetStretchBltMode(int nStretchMode)
{
    return OnBothHandles(this, 0, [=](HDC h) { return ::SetStretchBltMode(h, nStretchMode); });
}

int CDC::SetROP2(int nDrawMode)
{
    return OnBothHandles(this, 0, [=](HDC h) { return ::SetROP2(h, nDrawMode); });
}

int CDC::SetTextAlign(UINT nFlags)
{
    return OnBothHandles(this, 0, [=](HDC h) { return (int)::SetTextAlign(h, nFlags); });
}

int CDC::SetPolyFillMode(int nPolyFillMode)
{
    return OnBothHandles(this, 0, [=](HDC h) { return ::SetPolyFillMode(h, nPolyFillMode); });
}

int CDC::SetTextCharacterExtra(int nCharExtra)
{
    return OnBothHandles(this, (int)0x80000000, [=](HDC h) { return ::SetTextCharacterExtra(h, nCharExtra); });
}

int CDC::SetTextJustification(int nBreakExtra, int nBreakCount)
{
    return OnBothHandles(this, 0, [=](HDC h) { return (int)::SetTextJustification(h, nBreakExtra, nBreakCount); });
}

CPoint CDC::GetBrushOrg() const
{
    CPoint point;
    ::GetBrushOrgEx(m_hDC, &point);
    return point;
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    CPoint old;
    ::SetBrushOrgEx(m_hDC, x, y, &old);
    return old;
}

// Mapping

int CDC::SetMapMode(int nMapMode)
{
    return OnBothHandles(this, 0, [=](HDC h) { return ::SetMapMode(h, nMapMode); });
}

CPoint CDC::GetViewportOrg() const
{
    CPoint point;
    ::GetViewportOrgEx(m_hAttribDC, &point);
    return point;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    return OnBothHandles(this, CPoint(), [=](HDC h) {
        CPoint old;
        ::SetViewportOrgEx(h, x, y, &old);
        return old;
    });
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    return OnBothHandles(this, CPoint(), [=](HDC h) {
        CPoint old;
        ::OffsetViewportOrgEx(h, nWidth, nHeight, &old);
        return old;
    });
}

CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    return OnBothHandles(this, CSize(), [=](HDC h) {
        CSize old;
        ::ScaleViewportExtEx(h, xNum, xDenom, yNum, yDenom, &old);
        return old;
    });
}

CSize CDC::GetViewportExt() const
{
    CSize size;
    ::GetViewportExtEx(m_hAttribDC, &size);
    return size;
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    return OnBothHandles(this, CSize(), [=](HDC h) {
        CSize old;
        ::SetViewportExtEx(h, cx, cy, &old);
        return old;
    });
}

CPoint CDC::GetWindowOrg() const
{
    CPoint point;
    ::GetWindowOrgEx(m_hAttribDC, &point);
    return point;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    return OnBothHandles(this, CPoint(), [=](HDC h) {
        CPoint old;
        ::SetWindowOrgEx(h, x, y, &old);
        return old;
    });
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    return OnBothHandles(this, CPoint(), [=](HDC h) {
        CPoint old;
        ::OffsetWindowOrgEx(h, nWidth, nHeight, &old);
        return old;
    });
}

CSize CDC::GetWindowExt() const
{
    CSize size;
    ::GetWindowExtEx(m_hAttribDC, &size);
    return size;
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    return OnBothHandles(this, CSize(), [=](HDC h) {
        CSize old;
        ::SetWindowExtEx(h, cx, cy, &old);
        return old;
    });
}

// Clipping

int CDC::SelectClipRgn(CRgn* pRgn)
{
    HRGN hRgn = pRgn == NULL ? NULL : (HRGN)pRgn->m_hObject;
    return OnBothHandles(this, ERROR, [=](HDC h) { return ::SelectClipRgn(h, hRgn); });
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    HRGN hRgn = pRgn == NULL ? NULL : (HRGN)pRgn->m_hObject;
    return OnBothHandles(this, ERROR, [=](HDC h) { return ::ExtSelectClipRgn(h, hRgn, nMode); });
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    return OnBothHandles(this, ERROR, [=](HDC h) { return ::IntersectClipRect(h, x1, y1, x2, y2); });
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    return OnBothHandles(this, ERROR, [=](HDC h) { return ::ExcludeClipRect(h, x1, y1, x2, y2); });
}

// Lines and shapes

CPoint CDC::GetCurrentPosition() const
{
    CPoint point;
    ::GetCurrentPositionEx(m_hAttribDC, &point);
    return point;
}

CPoint CDC::MoveTo(int x, int y)
{
    return OnBothHandles(this, CPoint(), [=](HDC h) {
        CPoint old;
        ::MoveToEx(h, x, y, &old);
        return old;
    });
}

BOOL CDC::LineTo(int x, int y)
{
    // The attribute handle follows the current position that the line leaves.
    if (m_hAttribDC != NULL && m_hAttribDC != m_hDC)
        ::MoveToEx(m_hAttribDC, x, y, NULL);
    return ::LineTo(m_hDC, x, y);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    ::SetBkColor(m_hDC, clr);
    ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, lpRect, NULL, 0, NULL);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    CRect rect(x, y, x + cx, y + cy);
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF crTopLeft, COLORREF crBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
               crTopLeft, crBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF crTopLeft, COLORREF crBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, crTopLeft);
    FillSolidRect(x, y, 1, cy - 1, crTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, crBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, crBottomRight);
}

// Bitmaps

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC == NULL ? NULL : pSrcDC->m_hDC,
                    xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                     int nSrcWidth, int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC == NULL ? NULL : pSrcDC->m_hDC,
                        xSrc, ySrc, nSrcWidth, nSrcHeight, dwRop);
}

// Text

namespace {

CSize TextExtent(HDC hDC, LPCTSTR lpszString, int nCount)
{
    SIZE size = { 0, 0 };
    ::GetTextExtentPoint32(hDC, lpszString, nCount, &size);
    return size;
}

} // namespace

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const { return TextExtent(m_hAttribDC, lpszString, nCount); }

CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const { return TextExtent(m_hDC, lpszString, nCount); }

int CDC::GetTextFace(CString& rString) const
{
    int nLen = ::GetTextFace(m_hAttribDC, LF_FACESIZE, rString.GetBuffer(LF_FACESIZE));
    rString.ReleaseBuffer(nLen > 0 ? -1 : 0);
    return nLen;
}

// CPaintDC, CClientDC, CWindowDC

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd)
{
    if (!Attach(::BeginPaint(m_hWnd, &m_ps)))
        AfxThrowResourceException();
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd == NULL ? NULL : pWnd->m_hWnd)
{
    if (!Attach(::GetDC(m_hWnd)))
        AfxThrowResourceException();
}

CClientDC::~CClientDC() { ::ReleaseDC(m_hWnd, Detach()); }

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd == NULL ? NULL : pWnd->m_hWnd)
{
    if (!Attach(::GetWindowDC(m_hWnd)))
        AfxThrowResourceException();
}

CWindowDC::~CWindowDC() { ::ReleaseDC(m_hWnd, Detach()); }
