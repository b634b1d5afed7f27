// Redrawing a screen through the real view of the libraries: the 800x600 screen of 48
// picture buttons (button_screen.h) as the tree of a limn document, shown by a CResView
// in a maximized child of a CResMainFrame, which paints through an off-screen buffer of
// the area to paint.
//
//   one button:   one button's area invalidated and painted again, as a press redraws
//                 it, against a full repaint of the view measured in the same run
//                 (target: at most a tenth of it)
//   one pixel:    the same paint of a single pixel: what every paint costs whatever it
//                 draws. Above it, the share of the drawing itself is printed too.
//   empty window: the system's own paint of a pixel of a window that draws nothing, the
//                 floor under every paint of any program on this system.
#include "limn/app/LimnDoc.h"
#include "limn/app/ResMainFrame.h"
#include "limn/app/ResView.h"

#include "button_screen.h"
#include "timing.h"

#include <stdio.h>

#include <algorithm>

using namespace button_screen;

namespace {

const int nRedraws = 20;
const int nRuns = 15;

class CBenchFrame : public CResMainFrame
{
public:
    CBenchFrame() = default;
};

class CBenchDoc : public CLimnDoc
{
    DECLARE_DYNCREATE(CBenchDoc)
public:
    CBenchDoc() = default;
};
IMPLEMENT_DYNCREATE(CBenchDoc, CLimnDoc)

class CBenchView : public CResView
{
    DECLARE_DYNCREATE(CBenchView)
public:
    CBenchView() = default;
};
IMPLEMENT_DYNCREATE(CBenchView, CResView)

void RedrawAll(CWnd* pWnd)
{
    pWnd->InvalidateRect(NULL, FALSE);
    pWnd->UpdateWindow();
}

} // namespace

int main()
{
    CWinApp app("view_bench");
    std::vector<std::unique_ptr<CPicture>> pictures = NewPhotos();
    CContainer* pButton = NULL;
    auto* pDoc = static_cast<CBenchDoc*>(RUNTIME_CLASS(CBenchDoc)->CreateObject());
    pDoc->SetMainContainer(NewScreen(pictures, &pButton));

    auto* pFrame = new CBenchFrame;
    if (!pFrame->Create(NULL, "view_bench", WS_OVERLAPPEDWINDOW, CRect(0, 0, 900, 700)))
    {
        fputs("view_bench: cannot make the main frame\n", stderr);
        return 1;
    }
    app.m_pMainWnd = pFrame;
    pFrame->ShowWindow(SW_SHOW);

    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CBenchView);
    context.m_pCurrentDoc = pDoc;
    auto* pChild = new CMDIChildWnd;
    if (!pChild->Create(NULL, "screen", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | WS_MAXIMIZE,
                        CFrameWnd::rectDefault, pFrame, &context))
    {
        fputs("view_bench: cannot make the child frame\n", stderr);
        return 1;
    }
    pChild->InitialUpdateFrame(pDoc, TRUE);
    pChild->MDIMaximize();
    CView* pView = pChild->GetActiveView();
    // The main frame grows or shrinks until the maximized child's view has the screen's
    // size.
    CRect rectClient;
    pView->GetClientRect(&rectClient);
    CRect rectFrame;
    pFrame->GetWindowRect(&rectFrame);
    pFrame->SetWindowPos(NULL, 0, 0, rectFrame.Width() + sizeScreen.cx - rectClient.Width(),
                         rectFrame.Height() + sizeScreen.cy - rectClient.Height(), SWP_NOMOVE | SWP_NOZORDER);
    // The first paint attaches the tree; the second draws it and converts every picture
    // for the buffer.
    RedrawAll(pView);
    RedrawAll(pView);
    pView->GetClientRect(&rectClient);
    printf("view %dx%d, %d buttons\n", rectClient.Width(), rectClient.Height(), nRows * nColumns);

    // The best of many short runs: the machine's other work disturbs a run of small paints
    // more than the paints differ.
    double dFull = Best(nRuns, [&] {
        for (int i = 0; i < nRedraws; ++i)
            RedrawAll(pView);
    }) / nRedraws;
    double dButton = Best(nRuns, [&] {
        for (int i = 0; i < nRedraws; ++i)
            pButton->ForceRedraw(FALSE, NULL);
    }) / nRedraws;
    double dPixel = Best(nRuns, [&] {
        for (int i = 0; i < nRedraws; ++i)
        {
            pView->InvalidateRect(CRect(0, 0, 1, 1), FALSE);
            pView->UpdateWindow();
        }
    }) / nRedraws;
    CWnd empty;
    empty.CreateEx(0, AfxRegisterWndClass(0), "empty", WS_POPUP | WS_VISIBLE, 0, 0, sizeScreen.cx, sizeScreen.cy,
                   NULL, NULL);
    double dEmpty = Best(nRuns, [&] {
        for (int i = 0; i < nRedraws; ++i)
        {
            empty.InvalidateRect(CRect(0, 0, 1, 1), FALSE);
            empty.UpdateWindow();
        }
    }) / nRedraws;
    empty.DestroyWindow();
    printf("full repaint of the view: %.2f ms\n", dFull * 1e3);
    printf("one button's area repainted: %.3f ms: %.3f of a full repaint (target at most 0.1)\n", dButton * 1e3,
           dButton / dFull);
    printf("one pixel repainted: %.3f ms, the cost of any paint; above it, one button draws in %.3f of the\n"
           "  time a full repaint draws in\n",
           dPixel * 1e3, dFull > dPixel ? std::max(dButton - dPixel, 0.0) / (dFull - dPixel) : 0.0);
    printf("an empty window's pixel repainted by the system: %.3f ms, %.3f of the view's full repaint\n",
           dEmpty * 1e3, dEmpty / dFull);

    pDoc->OnCloseDocument();
    pFrame->DestroyWindow();
    app.m_pMainWnd = NULL;
    return 0;
}
