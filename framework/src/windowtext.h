// Texts of windows as CStrings: a window's own text, set only when it changes (no
// flicker and no change notification for the same text), and the text of an item of a
// list or combo box.
#pragma once

#include "afxwin.h"

void AfxGetWindowText(HWND hWnd, CString& rString);
void AfxSetWindowText(HWND hWnd, LPCTSTR lpszNew);
// The text of item nIndex of a list box (LB_GETTEXTLEN, LB_GETTEXT) or a combo box
// (CB_GETLBTEXTLEN, CB_GETLBTEXT); empty for an item that is not there (-1: none
// selected).
void AfxGetItemText(HWND hWnd, int nIndex, UINT nLenMsg, UINT nTextMsg, CString& rString);
