// CScrollView: moving the document under the window, by position, by the scroll bars'
// codes and by the mouse wheel. Positions are in device units and never leave the
// range from 0 to the bar's limit; a side without a bar stays at 0.
#include "afxwin.h"

CPoint CScrollView::ClampToLimits(POINT ptDev)
{
    BOOL bHasHorzBar, bHasVertBar;
    CheckScrollBars(bHasHorzBar, bHasVertBar);
    return CPoint(bHasHorzBar ? max(0L, min(ptDev.x, (LONG)GetScrollLimit(SB_HORZ))) : 0,
                  bHasVertBar ? max(0L, min(ptDev.y, (LONG)GetScrollLimit(SB_VERT))) : 0);
}

void CScrollView::ScrollToDevicePosition(POINT ptDev)
{
    CPoint ptNew = ClampToLimits(ptDev);
    CPoint ptOld = GetDeviceScrollPosition();
    if (ptNew == ptOld)
        return;
    SetScrollPos(SB_HORZ, ptNew.x);
    SetScrollPos(SB_VERT, ptNew.y);
    ScrollWindow(ptOld.x - ptNew.x, ptOld.y - ptNew.y);
}

void CScrollView::ScrollToPosition(POINT pt)
{
    ASSERT(m_nMapMode != MM_SCALETOFIT);
    if (m_nMapMode == MM_SCALETOFIT)
        return;
    if (m_nMapMode != MM_TEXT)
    {
        CWindowDC dc(NULL);
        dc.SetMapMode(m_nMapMode);
        dc.LPtoDP(&pt);
    }
    ScrollToDevicePosition(pt);
}

void CScrollView::CenterOnPoint(CPoint ptCenter)
{
    CRect rect;
    GetClientRect(&rect);
    ScrollToDevicePosition(GetDeviceScrollPosition() + (ptCenter - rect.CenterPoint()));
}

BOOL CScrollView::OnScrollBy(CSize sizeScroll, BOOL bDoScroll)
{
    CPoint ptOld = GetDeviceScrollPosition();
    CPoint ptNew = ClampToLimits(CPoint(ptOld.x + sizeScroll.cx, ptOld.y + sizeScroll.cy));
    if (ptNew == ptOld)
        return FALSE;
    if (bDoScroll)
        ScrollToDevicePosition(ptNew);
    return TRUE;
}

int CScrollView::NewPosition(int nBar, UINT nCode, UINT nPos, int nLine, int nPage) const
{
    int nCurrent = GetScrollPos(nBar);
    switch (nCode)
    {
    case SB_TOP:
        return 0;
    case SB_BOTTOM:
        return INT_MAX / 2;     // clamped to the limit by OnScrollBy
    case SB_LINEUP:
        return nCurrent - nLine;
    case SB_LINEDOWN:
        return nCurrent + nLine;
    case SB_PAGEUP:
        return nCurrent - nPage;
    case SB_PAGEDOWN:
        return nCurrent + nPage;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        return (int)nPos;
    default:
        return nCurrent;
    }
}

BOOL CScrollView::OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll)
{
    CPoint ptOld = GetDeviceScrollPosition();
    int x = NewPosition(SB_HORZ, LOBYTE(nScrollCode), nPos, m_lineDev.cx, m_pageDev.cx);
    int y = NewPosition(SB_VERT, HIBYTE(nScrollCode), nPos, m_lineDev.cy, m_pageDev.cy);
    return OnScrollBy(CSize(x - ptOld.x, y - ptOld.y), bDoScroll);
}

namespace {

// The thumb's position in full: the message's nPos holds only 16 bits of it.
UINT ThumbPosition(HWND hWnd, int nBar, UINT nSBCode, UINT nPos)
{
    if (nSBCode != SB_THUMBTRACK && nSBCode != SB_THUMBPOSITION)
        return nPos;
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    return ::GetScrollInfo(hWnd, nBar, &info) ? (UINT)info.nTrackPos : nPos;
}

} // namespace

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    // A scroll bar control of the view's own is not the view's bar.
    if (pScrollBar != NULL)
    {
        CView::OnHScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    OnScroll(MAKEWORD(nSBCode, 0xFF), ThumbPosition(m_hWnd, SB_HORZ, nSBCode, nPos));
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    if (pScrollBar != NULL)
    {
        CView::OnVScroll(nSBCode, nPos, pScrollBar);
        return;
    }
    OnScroll(MAKEWORD(0xFF, nSBCode), ThumbPosition(m_hWnd, SB_VERT, nSBCode, nPos));
}

LRESULT CScrollView::HandleMouseWheel(WPARAM wParam, LPARAM)
{
    UINT nFlags = LOWORD(wParam);
    int zDelta = (short)HIWORD(wParam);
    BOOL bHasHorzBar, bHasVertBar;
    CheckScrollBars(bHasHorzBar, bHasVertBar);
    if ((nFlags & (MK_SHIFT | MK_CONTROL)) != 0 || (!bHasHorzBar && !bHasVertBar))
        return Default();

    UINT nLines = 3;
    ::SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &nLines, 0);
    // Along the vertical bar when there is one; a notch forward moves up (or left).
    int nLine = bHasVertBar ? m_lineDev.cy : m_lineDev.cx;
    int nPage = bHasVertBar ? m_pageDev.cy : m_pageDev.cx;
    int nPerNotch = nLines == WHEEL_PAGESCROLL ? nPage : (int)nLines * nLine;
    int nAmount = -MulDiv(zDelta, nPerNotch, WHEEL_DELTA);
    OnScrollBy(bHasVertBar ? CSize(0, nAmount) : CSize(nAmount, 0));
    return 0;
}
