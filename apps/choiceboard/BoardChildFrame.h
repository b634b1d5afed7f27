// CBoardChildFrame: the frame of one board inside the main window. It takes the size
// that shows its board whole, and while menu protection is on it refuses what would
// take the board away: closing it (its close box, Control+F4), minimizing and restoring
// it (protection keeps the active board maximized).
#pragma once

#include <afxwin.h>

class CBoardChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CBoardChildFrame)
protected:
    CBoardChildFrame() = default;

public:
    // Sizes the frame so that pView's client area is sizeView, and the main window so
    // that it shows the frame whole, as far as the screen allows; a maximized frame
    // stays as it is.
    void FitView(CWnd* pView, CSize sizeView);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
