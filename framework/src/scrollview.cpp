// CScrollView: the sizes in logical and device units, the bars that the window needs,
// the device context prepared for drawing, and fitting the parent to the document.
#include "afxwin.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_SIZE()
    ON_MESSAGE(WM_MOUSEWHEEL, HandleMouseWheel)
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault = { 0, 0 };

namespace {

// A logical size in device units of the screen under nMapMode, both sides positive.
CSize ToDevice(int nMapMode, SIZE size)
{
    CPoint pt(size.cx, size.cy);
    if (nMapMode != MM_TEXT)
    {
        CWindowDC dc(NULL);
        dc.SetMapMode(nMapMode);
        dc.LPtoDP(&pt);
    }
    return CSize(abs(pt.x), abs(pt.y));
}

// The side's amount, or when it is 0 (the default) a tenth of the larger amount; at
// least one pixel of a side that has any extent.
int OrTenth(int nAmount, int nWhole)
{
    if (nAmount == 0)
        nAmount = nWhole / 10;
    return nAmount == 0 && nWhole > 0 ? 1 : nAmount;
}

} // namespace

CScrollView::CScrollView() : m_nMapMode(0), m_bInsideUpdate(FALSE) {}

// Sizes

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    ASSERT(nMapMode > 0 && nMapMode != MM_ISOTROPIC && nMapMode != MM_ANISOTROPIC);
    ASSERT(sizeTotal.cx >= 0 && sizeTotal.cy >= 0);
    // A mode with free extents would scale by whatever extents the context had last.
    if (nMapMode <= 0 || nMapMode == MM_ISOTROPIC || nMapMode == MM_ANISOTROPIC)
        nMapMode = MM_TEXT;
    int nOldMapMode = m_nMapMode;
    m_nMapMode = nMapMode;
    m_totalLog = CSize(max(sizeTotal.cx, 0L), max(sizeTotal.cy, 0L));
    m_totalDev = ToDevice(nMapMode, m_totalLog);
    CSize page = ToDevice(nMapMode, sizePage);
    CSize line = ToDevice(nMapMode, sizeLine);
    m_pageDev = CSize(OrTenth(page.cx, m_totalDev.cx), OrTenth(page.cy, m_totalDev.cy));
    m_lineDev = CSize(OrTenth(line.cx, m_pageDev.cx), OrTenth(line.cy, m_pageDev.cy));

    if (m_hWnd == NULL)
        return;
    // Another mode draws the whole document at another scale.
    if (nOldMapMode != nMapMode)
        Invalidate(TRUE);
    UpdateBars();
}

void CScrollView::SetScaleToFitSize(SIZE sizeTotal)
{
    ASSERT(sizeTotal.cx > 0 && sizeTotal.cy > 0);
    m_nMapMode = MM_SCALETOFIT;
    m_totalLog = sizeTotal;
    m_pageDev = m_lineDev = CSize(0, 0);
    if (m_hWnd == NULL)
        return;
    UpdateBars();
    Invalidate(TRUE);
}

void CScrollView::GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const
{
    nMapMode = m_nMapMode == MM_SCALETOFIT ? MM_ANISOTROPIC : m_nMapMode;
    sizeTotal = m_totalDev;
    sizePage = m_pageDev;
    sizeLine = m_lineDev;
}

// Position

CPoint CScrollView::GetDeviceScrollPosition() const
{
    return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const
{
    if (m_nMapMode == MM_SCALETOFIT)
        return CPoint(0, 0);
    CPoint pt = GetDeviceScrollPosition();
    if (m_nMapMode != MM_TEXT && m_nMapMode != 0)
    {
        CWindowDC dc(NULL);
        dc.SetMapMode(m_nMapMode);
        dc.DPtoLP(&pt);
    }
    return pt;
}

void CScrollView::CheckScrollBars(BOOL& bHasHorzBar, BOOL& bHasVertBar) const
{
    DWORD dwStyle = GetStyle();
    bHasHorzBar = (dwStyle & WS_HSCROLL) != 0;
    bHasVertBar = (dwStyle & WS_VSCROLL) != 0;
}

// The bars

CSize CScrollView::GetTrueClientSize(CSize& sizeSb) const
{
    CRect rect;
    GetClientRect(&rect);
    sizeSb = CSize(::GetSystemMetrics(SM_CXVSCROLL), ::GetSystemMetrics(SM_CYHSCROLL));
    BOOL bHasHorzBar, bHasVertBar;
    CheckScrollBars(bHasHorzBar, bHasVertBar);
    CSize size = rect.Size();
    if (bHasVertBar)
        size.cx += sizeSb.cx;
    if (bHasHorzBar)
        size.cy += sizeSb.cy;
    return size;
}

void CScrollView::UpdateBars()
{
    // Showing or hiding a bar resizes the client area, which comes back here.
    if (m_bInsideUpdate || m_hWnd == NULL || m_nMapMode == 0)
        return;
    m_bInsideUpdate = TRUE;

    CSize sizeSb;
    CSize sizeClient = GetTrueClientSize(sizeSb);
    BOOL bNeedHorz = FALSE, bNeedVert = FALSE;
    if (m_nMapMode == MM_SCALETOFIT)
        m_totalDev = sizeClient;
    else
    {
        bNeedHorz = m_totalDev.cx > sizeClient.cx;
        bNeedVert = m_totalDev.cy > sizeClient.cy;
        // One bar takes room from the other side, which may then need its bar too.
        if (bNeedHorz && !bNeedVert)
            bNeedVert = m_totalDev.cy > sizeClient.cy - sizeSb.cy;
        if (bNeedVert && !bNeedHorz)
            bNeedHorz = m_totalDev.cx > sizeClient.cx - sizeSb.cx;
    }
    CSize sizeView = sizeClient;
    if (bNeedVert)
        sizeView.cx -= sizeSb.cx;
    if (bNeedHorz)
        sizeView.cy -= sizeSb.cy;

    // The position stays within the new limits; the contents follow it.
    CPoint ptOld = GetDeviceScrollPosition();
    CPoint ptNew(bNeedHorz ? min(ptOld.x, max(m_totalDev.cx - sizeView.cx, 0L)) : 0,
                 bNeedVert ? min(ptOld.y, max(m_totalDev.cy - sizeView.cy, 0L)) : 0);

    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_PAGE | SIF_RANGE | SIF_POS;
    info.nMax = bNeedHorz ? m_totalDev.cx - 1 : 0;
    info.nPage = bNeedHorz ? sizeView.cx : 0;
    info.nPos = ptNew.x;
    ::SetScrollInfo(m_hWnd, SB_HORZ, &info, TRUE);
    info.nMax = bNeedVert ? m_totalDev.cy - 1 : 0;
    info.nPage = bNeedVert ? sizeView.cy : 0;
    info.nPos = ptNew.y;
    ::SetScrollInfo(m_hWnd, SB_VERT, &info, TRUE);
    ::ShowScrollBar(m_hWnd, SB_HORZ, bNeedHorz);
    ::ShowScrollBar(m_hWnd, SB_VERT, bNeedVert);
    if (ptNew != ptOld)
        ScrollWindow(ptOld.x - ptNew.x, ptOld.y - ptNew.y);

    m_bInsideUpdate = FALSE;
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
    // Scaled to fit, every pixel depends on the size.
    if (m_nMapMode == MM_SCALETOFIT)
        Invalidate(TRUE);
}

// Drawing

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    ASSERT(m_nMapMode != 0);
    if (m_nMapMode == MM_SCALETOFIT)
    {
        pDC->SetMapMode(MM_ANISOTROPIC);
        pDC->SetWindowExt(m_totalLog);
        // On paper, the document fills the printable page.
        if (pDC->IsPrinting())
            pDC->SetViewportExt(pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
        else
            pDC->SetViewportExt(m_totalDev);
    }
    else
        pDC->SetMapMode(m_nMapMode == 0 ? MM_TEXT : m_nMapMode);

    CPoint ptOrg(0, 0);
    if (!pDC->IsPrinting() && m_nMapMode != MM_SCALETOFIT)
        ptOrg = -GetDeviceScrollPosition();
    pDC->SetViewportOrg(ptOrg);
    CView::OnPrepareDC(pDC, pInfo);
}

void CScrollView::FillOutsideRect(CDC* pDC, CBrush* pBrush)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    CPoint ptScroll = GetDeviceScrollPosition();
    int nRight = m_totalDev.cx - ptScroll.x;
    int nBottom = m_totalDev.cy - ptScroll.y;

    // In device units whatever mapping the context has.
    int nSaved = pDC->SaveDC();
    pDC->SetMapMode(MM_TEXT);
    pDC->SetViewportOrg(0, 0);
    pDC->SetWindowOrg(0, 0);
    if (nRight < rectClient.right)
        pDC->FillRect(CRect(max(nRight, 0), 0, rectClient.right, rectClient.bottom), pBrush);
    if (nBottom < rectClient.bottom)
        pDC->FillRect(CRect(0, max(nBottom, 0), min(max(nRight, 0), (int)rectClient.right), rectClient.bottom), pBrush);
    pDC->RestoreDC(nSaved);
}

// The parent

void CScrollView::ResizeParentToFit(BOOL bShrinkOnly)
{
    ASSERT(m_nMapMode != MM_SCALETOFIT);
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == NULL || m_nMapMode == MM_SCALETOFIT)
        return;
    // The view's window around the whole document, without bars.
    CRect rectWanted(CPoint(0, 0), m_totalDev);
    CalcWindowRect(&rectWanted, adjustBorder);
    CRect rectView;
    GetWindowRect(&rectView);
    CSize sizeDelta = rectWanted.Size() - rectView.Size();
    if (bShrinkOnly)
    {
        sizeDelta.cx = min(sizeDelta.cx, 0L);
        sizeDelta.cy = min(sizeDelta.cy, 0L);
    }
    if (sizeDelta == CSize(0, 0))
        return;
    CRect rectFrame;
    pFrame->GetWindowRect(&rectFrame);
    pFrame->SetWindowPos(NULL, 0, 0, rectFrame.Width() + sizeDelta.cx, rectFrame.Height() + sizeDelta.cy,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
