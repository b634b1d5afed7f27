// The framework's private window messages, and a map entry for the ones that carry
// nothing.
#pragma once

#include "afxwin.h"

#define WM_QUERYAFXWNDPROC  0x0360  // 1 from a window whose procedure is AfxWndProc
#define WM_IDLEUPDATECMDUI  0x0363  // wParam TRUE: update the command user interface
#define WM_KICKIDLE         0x036A  // sent by modal loops while their queue is empty

// A message handled as void memberFxn().
#define ON_MESSAGE_VOID(message, memberFxn) \
    AFX_WND_ENTRY(message, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(void), memberFxn)
