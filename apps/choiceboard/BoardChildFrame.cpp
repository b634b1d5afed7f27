// CBoardChildFrame.
#include "BoardChildFrame.h"
#include "BoardMainFrame.h"

#include "limn/app/ResMainFrame.h"

IMPLEMENT_DYNCREATE(CBoardChildFrame, CMDIChildWnd)

void CBoardChildFrame::FitView(CWnd* pView, CSize sizeView)
{
    if (IsZoomed() || IsIconic())
        return;
    CRect rectViewClient, rectFrame;
    pView->GetClientRect(&rectViewClient);
    GetWindowRect(&rectFrame);
    // What the frame and the view's border add around the view's client area stays.
    const CSize sizeFrame = sizeView + (rectFrame.Size() - rectViewClient.Size());
    SetWindowPos(NULL, 0, 0, sizeFrame.cx, sizeFrame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (auto* pMain = dynamic_cast<CBoardMainFrame*>(GetMDIFrame()))
        pMain->FitChild(this);
}

LRESULT CBoardChildFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CResMainFrame::InMenuProtection())
    {
        if (message == WM_CLOSE)
            return 0;
        if (message == WM_SYSCOMMAND)
        {
            switch (wParam & 0xFFF0)
            {
            case SC_CLOSE:
            case SC_MINIMIZE:
            case SC_RESTORE:
            case SC_SIZE:
                return 0;
            }
        }
    }
    return CMDIChildWnd::WindowProc(message, wParam, lParam);
}
