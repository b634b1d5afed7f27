// CBoardView: the window that shows a board, limn's view (CResView: the tree painted
// through an off-screen buffer, mouse messages routed into it, the 100 ms clock of
// switch scanning). After every tick, mouse event and activation it tells the event log
// where scanning went (ScanningLog.h); it logs the board's first showing and every
// printing ("print PAGES"), and sizes its frame to the board's stored size. No
// exception leaves its handlers: each is said on standard error.
#pragma once

#include "limn/app/ResView.h"

#include <functional>

class CBoardDoc;

class CBoardView : public CResView
{
    DECLARE_DYNCREATE(CBoardView)
protected:
    CBoardView() = default;

public:
    CBoardDoc* GetBoard() const;
    // The client area of the board's stored size (640 by 480 when that is not a size a
    // screen shows); the board is logged as open.
    void OnInitialUpdate() override;

protected:
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    // A board is one page.
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnTimer(UINT nIDEvent);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    // Runs a handler's work, saying on standard error what it threw, then logs what
    // happened to scanning.
    void Handle(const std::function<void()>& work);

    int m_nPagesPrinted = 0;
};
