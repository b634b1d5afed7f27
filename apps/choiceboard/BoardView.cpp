// CBoardView.
#include "BoardView.h"
#include "BoardChildFrame.h"
#include "BoardDoc.h"
#include "ChoiceBoardApp.h"

#include "ExceptionText.h"

#include "limn/containers/WndContainer.h"

#include <stdio.h>

IMPLEMENT_DYNCREATE(CBoardView, CResView)

BEGIN_MESSAGE_MAP(CBoardView, CResView)
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONDBLCLK()
    ON_WM_RBUTTONUP()
    ON_COMMAND(ID_FILE_PRINT, OnFilePrint)
END_MESSAGE_MAP()

namespace {

// The client area of a board whose stored size is unusable, and the smallest one.
const CSize sizeDefault(640, 480);
const CSize sizeSmallest(160, 120);

} // namespace

CBoardDoc* CBoardView::GetBoard() const { return dynamic_cast<CBoardDoc*>(GetDocument()); }

void CBoardView::OnInitialUpdate()
{
    CResView::OnInitialUpdate();
    CBoardDoc* pBoard = GetBoard();
    if (pBoard == NULL)
        return;
    CWndContainer* pRoot = pBoard->GetMainContainer();
    CSize size = pRoot != NULL ? pRoot->GetSize() : sizeDefault;
    const CSize sizeScreen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    if (size.cx < sizeSmallest.cx || size.cy < sizeSmallest.cy || size.cx > sizeScreen.cx ||
        size.cy > sizeScreen.cy)
        size = sizeDefault;
    if (auto* pFrame = dynamic_cast<CBoardChildFrame*>(GetParentFrame()))
        pFrame->FitView(this, size);
    pBoard->OnShown();
    GetBoardApp().GetScanningLog().Note();
}

void CBoardView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    Handle([&] { CResView::OnActivateView(bActivate, pActivateView, pDeactiveView); });
}

void CBoardView::Handle(const std::function<void()>& work)
{
    try
    {
        work();
    }
    catch (CException* e)
    {
        fprintf(stderr, "choiceboard: %s\n", (LPCSTR)ExceptionText(e));
        e->Delete();
    }
    GetBoardApp().GetScanningLog().Note();
}

void CBoardView::OnPaint()
{
    Handle([&] { CResView::OnPaint(); });
}

void CBoardView::OnSize(UINT nType, int cx, int cy)
{
    Handle([&] { CResView::OnSize(nType, cx, cy); });
}

void CBoardView::OnTimer(UINT nIDEvent)
{
    Handle([&] { CResView::OnTimer(nIDEvent); });
}

// The mouse

void CBoardView::OnMouseMove(UINT nFlags, CPoint point)
{
    Handle([&] { CResView::OnMouseMove(nFlags, point); });
}

void CBoardView::OnLButtonDown(UINT nFlags, CPoint point)
{
    Handle([&] { CResView::OnLButtonDown(nFlags, point); });
}

void CBoardView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    Handle([&] { CResView::OnLButtonDblClk(nFlags, point); });
}

void CBoardView::OnLButtonUp(UINT nFlags, CPoint point)
{
    Handle([&] { CResView::OnLButtonUp(nFlags, point); });
}

void CBoardView::OnRButtonDown(UINT nFlags, CPoint point)
{
    Handle([&] { CResView::OnRButtonDown(nFlags, point); });
}

void CBoardView::OnRButtonDblClk(UINT nFlags, CPoint point)
{
    Handle([&] { CResView::OnRButtonDblClk(nFlags, point); });
}

void CBoardView::OnRButtonUp(UINT nFlags, CPoint point)
{
    Handle([&] { CResView::OnRButtonUp(nFlags, point); });
}

// Printing

BOOL CBoardView::OnPreparePrinting(CPrintInfo* pInfo)
{
    pInfo->SetMaxPage(1);
    return DoPreparePrinting(pInfo);
}

void CBoardView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    m_nPagesPrinted = 0;
    CResView::OnBeginPrinting(pDC, pInfo);
}

void CBoardView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    CResView::OnPrint(pDC, pInfo);
    ++m_nPagesPrinted;
}

void CBoardView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    CResView::OnEndPrinting(pDC, pInfo);
    CString strPages;
    strPages.Format("%d", m_nPagesPrinted);
    GetBoardApp().GetLog().Write("print", strPages);
}
