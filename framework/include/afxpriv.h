// The framework's private window messages, a map entry for the ones that carry
// nothing, and the update of a popup menu's items through the command route.
#pragma once

#include "afxwin.h"

#define WM_QUERYAFXWNDPROC  0x0360  // 1 from a window whose procedure is AfxWndProc
#define WM_IDLEUPDATECMDUI  0x0363  // wParam TRUE: update the command user interface
#define WM_KICKIDLE         0x036A  // sent by modal loops while their queue is empty

// A message handled as void memberFxn().
#define ON_MESSAGE_VOID(message, memberFxn) \
    AFX_WND_ENTRY(message, AfxSig_vv, void (AFX_MSG_CALL CWnd::*)(void), memberFxn)

// Offers each command item of a popup menu that is opening to pTarget's command routing
// as a CCmdUI, as frame windows do on WM_INITMENUPOPUP, so that ON_UPDATE_COMMAND_UI
// handlers set its state; with bDisableIfNoHndler, an item that no handler takes is
// disabled (the system's commands, 0xF000 and up, never are).
AFX_FRAMEWORK void AFXAPI AfxUpdateMenuPopup(CMenu* pMenu, CCmdTarget* pTarget, BOOL bDisableIfNoHndler);
