// EM_GETLINE for the edit controls: copies line nIndex into lpszBuffer (not terminated)
// and returns the number of characters.
#pragma once

#include "afxwin.h"

int AfxGetEditLine(HWND hWnd, int nIndex, LPTSTR lpszBuffer, int nMaxLength);
