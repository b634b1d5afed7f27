// Pictures of windows: a blit from the window's device context into a DIB section.
#include "WindowShot.h"

#include "ScreenImage.h"

namespace {

BOOL WriteShot(CDC& dc, CSize size, const char* pszPath)
{
    if (size.cx <= 0 || size.cy <= 0)
        return FALSE;
    CScreenImage image(size.cx, size.cy);
    image.m_dc.BitBlt(0, 0, size.cx, size.cy, &dc, 0, 0, SRCCOPY);
    image.WriteBitmapFile(pszPath);
    return TRUE;
}

} // namespace

BOOL WriteClientShot(CWnd* pWnd, const char* pszPath)
{
    CRect rect;
    pWnd->GetClientRect(&rect);
    CClientDC dc(pWnd);
    return WriteShot(dc, rect.Size(), pszPath);
}

// The window's context covers its children, and the pixels they painted are read
// through it.
BOOL WriteWindowShot(CWnd* pWnd, const char* pszPath)
{
    CRect rect;
    pWnd->GetWindowRect(&rect);
    CWindowDC dc(pWnd);
    return WriteShot(dc, rect.Size(), pszPath);
}
