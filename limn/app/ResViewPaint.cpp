// CResView's painting and printing.
#include "limn/app/ResView.h"
#include "limn/canvas/Canvas.h"
#include "limn/canvas/CanvasBuffer.h"
#include "limn/containers/WndContainer.h"

namespace {

const COLORREF crBufferGround = RGB(0xC0, 0xC0, 0xC0);

} // namespace

// The tree paints every pixel.
BOOL CResView::OnEraseBkgnd(CDC*) { return TRUE; }

void CResView::OnPaint() { CView::OnPaint(); }

// The first paint attaches the tree and asks for the paint that draws it: attaching
// need not change the tree's size or visibility, so it may invalidate nothing itself.
// Without a tree, or with a hidden one, the clock asks for paints until there is one to
// draw.
void CResView::OnDraw(CDC* pDC)
{
    CRect clip;
    pDC->GetClipBox(&clip);
    if (m_pContainer == NULL)
    {
        m_bAwaitingScreen = AttachContainer() == NULL;
        if (!m_bAwaitingScreen)
            Invalidate(FALSE);
        return;
    }

    CRect rc;
    GetClientRect(&rc);
    m_bAwaitingScreen = !m_pContainer->IsVisible();
    if (m_bAwaitingScreen)
    {
        pDC->FillSolidRect(&rc, m_pContainer->GetFillColor());
        return;
    }
    CCanvas canvas(pDC);
    canvas.SetBounds(rc);
    if (clip.IsRectEmpty())
        clip = rc;

    // Only the area to paint is buffered and drawn: the tree passes by the containers
    // outside the clip.
    const BOOL bBuffered = !pDC->IsPrinting() && m_bOffScreenDraw;
    CCanvasBuffer buffer;
    if (bBuffered)
    {
        buffer.StartBuffering(canvas, clip);
        canvas.SetBrush(crBufferGround, FALSE);
        // A rectangle without a pen stops short of its right and bottom edges.
        canvas.FillRectangle(CRect(clip.left, clip.top, clip.right + 1, clip.bottom + 1));
    }
    canvas.ClipToRect(clip);
    OnDraw(canvas);
    if (bBuffered)
        buffer.Draw();
}

void CResView::OnDraw(CCanvas& canvas)
{
    if (m_pContainer != NULL)
        m_pContainer->Draw(canvas);
}

// Printing

void CResView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    SendMessage(WM_SETREDRAW, FALSE);
    CView::OnBeginPrinting(pDC, pInfo);
}

// A view printed before it was ever painted attaches its tree first.
void CResView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    CWndContainer* pRoot = AttachContainer();
    if (pRoot == NULL)
        return;
    CCanvas::Flush();
    pRoot->OnBeginPrint(pInfo);

    HDC hAttribDC = pDC->m_hAttribDC != NULL ? pDC->m_hAttribDC : pDC->m_hDC;
    CRect page = pInfo->m_rectDraw;
    page.right = ::MulDiv(page.right, 72, ::GetDeviceCaps(hAttribDC, LOGPIXELSX));
    page.bottom = ::MulDiv(page.bottom, 72, ::GetDeviceCaps(hAttribDC, LOGPIXELSY));
    pRoot->SetBounds(page);
    pRoot->ArrangeChildren();
    {
        CCanvas canvas(pDC);
        canvas.SetPreview(pInfo->m_bPreview);
        canvas.SetBounds(page);
        OnDraw(canvas);
    }
    pRoot->OnEndPrint(pInfo);
    pRoot->OnWindowSizeChange();
}

void CResView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    CView::OnEndPrinting(pDC, pInfo);
    CCanvas::Flush();
    SendMessage(WM_SETREDRAW, TRUE);
    if (m_pContainer != NULL)
        m_pContainer->OnWindowSizeChange();
}
