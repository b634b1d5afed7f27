// Pictures of the board's windows, as they are on screen, written as 24-bit ".bmp"
// files: a board's client area (its view), or the whole main window with its frame,
// menu bar and every board in it. A window's pixels can only be read in its own
// process, so the board writes them on request (ShotRequest.h).
#pragma once

#include <afxwin.h>

// FALSE when the window has no area to take.
BOOL WriteClientShot(CWnd* pWnd, const char* pszPath);
BOOL WriteWindowShot(CWnd* pWnd, const char* pszPath);
