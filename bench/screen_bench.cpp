// Redrawing a screen: an 800x600 window of 48 picture buttons (6 rows of 8, each a
// resource container in a 3D frame showing one of 8 photographs shrunk to fit), painted
// as a view paints, through a 16-bit off-screen buffer of the area to paint.
//
//   full redraw:  the whole client area invalidated and painted, against the floor of
//                 any painting through a buffer, one blit of a finished 16-bit buffer
//                 of the window's size (target: at most 20 times the blit)
//   one button:   a button pressed by the mouse, its area invalidated and painted again
//                 as a press redraws it, against the full redraw (target: at most a
//                 tenth of it)
#include "limn/canvas/Canvas.h"
#include "limn/canvas/CanvasBuffer.h"

#include "ScreenFrame.h"
#include "button_screen.h"
#include "timing.h"

#include <stdio.h>

using namespace button_screen;

namespace {

const int nRedraws = 20;

// A window DC redraw of the whole client area, painted at once.
void RedrawAll(CWnd* pWnd)
{
    pWnd->InvalidateRect(NULL, FALSE);
    pWnd->UpdateWindow();
}

} // namespace

int main()
{
    std::vector<std::unique_ptr<CPicture>> pictures = NewPhotos();
    CContainer* pButton = NULL;
    std::unique_ptr<CWndContainer> pRoot(NewScreen(pictures, &pButton));

    auto* pFrame = new CScreenFrame;
    if (!pFrame->Create("screen_bench", sizeScreen, pRoot.get()))
    {
        fputs("screen_bench: cannot make the window\n", stderr);
        return 1;
    }
    pFrame->ShowWindow(SW_SHOW);
    RedrawAll(pFrame);   // the first drawing converts every picture for the buffer
    CRect rectClient;
    pFrame->GetClientRect(&rectClient);
    printf("%dx%d, %d buttons\n", rectClient.Width(), rectClient.Height(), nRows * nColumns);

    double dFull = Best(5, [&] {
        for (int i = 0; i < nRedraws; ++i)
            RedrawAll(pFrame);
    }) / nRedraws;

    double dBlit;
    {
        CClientDC dc(pFrame);
        CCanvas canvas(&dc);
        canvas.SetBounds(rectClient);
        CCanvasBuffer buffer(canvas, rectClient);
        if (buffer.GetPixelBitSize() != 16)
            printf("the buffer has %d bits\n", buffer.GetPixelBitSize());
        pRoot->Draw(canvas);
        dBlit = Best(5, [&] {
            for (int i = 0; i < nRedraws; ++i)
                buffer.Draw();
        }) / nRedraws;
    }
    printf("full redraw through a 16-bit buffer: %.2f ms, one blit of a finished buffer %.2f ms: %.1fx the blit "
           "(target at most 20x)\n", dFull * 1e3, dBlit * 1e3, dFull / dBlit);

    // The button pressed by the mouse, which redrew it at once, and its area redrawn
    // again as a press redraws it: that area invalidated and painted.
    CRect rectButton;
    pButton->GetClientRect(&rectButton);
    pButton->ClientToWindow(&rectButton);
    const CPoint point = rectButton.CenterPoint();
    const CEventState state;
    pRoot->OnLButtonDown(point, state);
    double dButton = Best(5, [&] {
        for (int i = 0; i < nRedraws; ++i)
            pButton->ForceRedraw(FALSE, NULL);
    }) / nRedraws;
    pRoot->OnLButtonUp(point, state);
    printf("one pressed button redrawn through its area: %.3f ms: %.3f of a full redraw (target at most 0.1)\n",
           dButton * 1e3, dButton / dFull);

    pFrame->DestroyWindow();
    return 0;
}
