// CScrollView: a view larger than its window, scrolled by the window's own scroll bars
// and the mouse wheel. The document is measured in the logical units of one mapping
// mode (MM_TEXT, MM_LOENGLISH, MM_HIMETRIC, MM_TWIPS ...); the view keeps the sizes in
// device units too, converted once by SetScrollSizes, and the scroll position in device
// units. OnPrepareDC sets the mapping mode and moves the viewport origin by the scroll
// position, so OnDraw draws the whole document in logical units and sees the part that
// is scrolled into view. A view scaled to fit (SetScaleToFitSize) shows the whole
// document stretched over its window instead, with no scroll bars.
#pragma once

#include "afxview_.h"

class AFX_FRAMEWORK CScrollView : public CView
{
    DECLARE_DYNAMIC(CScrollView)
protected:
    CScrollView();

public:
    // The default page (a tenth of the total) and line (a tenth of the page).
    static const SIZE sizeDefault;

// Sizes
    // The mapping mode (not MM_ISOTROPIC or MM_ANISOTROPIC) and the document's size,
    // page and line in its logical units; the scroll bars follow at once when the
    // window exists.
    void SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage = sizeDefault,
                        const SIZE& sizeLine = sizeDefault);
    // The whole document, sizeTotal in MM_TEXT units, stretched over the window.
    void SetScaleToFitSize(SIZE sizeTotal);
    // In logical units.
    CSize GetTotalSize() const { return m_totalLog; }
    // The mapping mode (MM_ANISOTROPIC when scaled to fit) and the sizes in device units.
    void GetDeviceScrollSizes(int& nMapMode, SIZE& sizeTotal, SIZE& sizePage, SIZE& sizeLine) const;

// Position
    // The document point at the window's top-left corner, in logical units (y is
    // negative in the modes whose y axis goes up).
    CPoint GetScrollPosition() const;
    // ... in device units, from the scroll bars (0 along a side without one).
    CPoint GetDeviceScrollPosition() const;
    // Scrolls so that pt (logical) is at the top-left corner, within the limits.
    void ScrollToPosition(POINT pt);
    // Scrolls so that ptCenter, a point of the client area in device units, comes to the
    // centre of the window, within the limits.
    void CenterOnPoint(CPoint ptCenter);

// Layout
    // Fills pBrush over the part of the client area that lies beyond the document (right
    // of it and below it); for OnEraseBkgnd. The device context's mapping stays as it was.
    void FillOutsideRect(CDC* pDC, CBrush* pBrush);
    // Sizes the parent frame so that the view shows the whole document; with
    // bShrinkOnly, the frame only gets smaller, never larger, along each side.
    void ResizeParentToFit(BOOL bShrinkOnly = TRUE);
    // Whether the window shows each bar at present.
    void CheckScrollBars(BOOL& bHasHorzBar, BOOL& bHasVertBar) const;

// Overridables
    // The mapping mode and, on the screen, the viewport origin moved by the scroll
    // position (or, scaled to fit, the window and viewport extents); a printer's page
    // starts at the document's origin.
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL) override;
    // nScrollCode: the horizontal SB_ code in the low byte, the vertical one in the high
    // byte (0xFF: none); nPos is the thumb's position for SB_THUMBTRACK and
    // SB_THUMBPOSITION. TRUE when the view would move; with bDoScroll it does.
    virtual BOOL OnScroll(UINT nScrollCode, UINT nPos, BOOL bDoScroll = TRUE);
    // Moves by sizeScroll device units, within the limits and along sides with a bar.
    virtual BOOL OnScrollBy(CSize sizeScroll, BOOL bDoScroll = TRUE);

protected:
// Implementation
    int m_nMapMode;         // MM_TEXT ... or MM_SCALETOFIT; 0 before the sizes are set
    CSize m_totalLog;       // the document in logical units
    CSize m_totalDev;       // ... in device units (scaled to fit: the client area)
    CSize m_pageDev;
    CSize m_lineDev;
    BOOL m_bInsideUpdate;   // UpdateBars is running: sizing the bars resizes the window

    // Shows the bars that the document needs in the window as it is and sets their
    // ranges, pages and positions; the position is kept within the new limits.
    void UpdateBars();
    // Scrolls the window contents to ptDev (device units, clamped to the limits).
    void ScrollToDevicePosition(POINT ptDev);

    // The scroll bar messages, by way of OnScroll.
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    // The wheel scrolls the vertical bar (the horizontal one when there is no vertical
    // one) by the system's lines per notch, or by a page; with Ctrl or Shift held the
    // message goes on to the parent as the default handling has it.
    afx_msg LRESULT HandleMouseWheel(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // The client area that the document can use: the window's client area with the
    // bars it shows at present taken back out.
    CSize GetTrueClientSize(CSize& sizeSb) const;
    // ptDev kept within the bars' limits; 0 along a side without a bar.
    CPoint ClampToLimits(POINT ptDev);
    // The position along one side after a scroll bar code.
    int NewPosition(int nBar, UINT nCode, UINT nPos, int nLine, int nPage) const;
};

// m_nMapMode of a view scaled to fit.
#define MM_SCALETOFIT (-1)
