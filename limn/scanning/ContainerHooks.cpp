// The container hooks, dedicated scanning and the process-wide flags of scanning input.
#include "limn/scanning/ContainerHooks.h"

#include "limn/app/LimnModule.h"
#include "limn/containers/Container.h"
#include "limn/res/resource.h"
#include "limn/scanning/DedicatedScanningDlg.h"
#include "limn/scanning/ScanningPrefs.h"
#include "limn/scanning/SwitchPress.h"

BOOL m_bInMenuLoop = FALSE;

namespace {

struct HookEntry
{
    int nType;
    HOOKPROC pfnProc;
    HHOOK hHook;
};

HookEntry g_hooks[] = {
    { WH_KEYBOARD, ContainerKeyboardProc, NULL },
    { WH_MOUSE, ContainerMouseProc, NULL },
};
HookEntry& g_keyboardHook = g_hooks[0];
HookEntry& g_mouseHook = g_hooks[1];

BOOL g_bDedicatedAllowed = TRUE;
BOOL g_bDedicatedKeyboard = FALSE;
BOOL g_bDedicatedMouse = FALSE;
BOOL g_bAutoScan = FALSE;
// A press taken as the switch, whose release the hooks have not seen yet: that release
// is taken too.
BOOL g_bSwitchPressed = FALSE;

BOOL IsKeyDown(int nVirtKey) { return ::GetKeyState(nVirtKey) < 0; }

BOOL IsDigit(WPARAM key) { return key >= '0' && key <= '9'; }

// The keys of dedicated keyboard mode and the hot keys they stand for; 0 for others.
WPARAM DedicatedHotKey(WPARAM key)
{
    switch (key)
    {
    case VK_SPACE:
    case '1':
        return VK_RETURN;
    case '0':
        return VK_LEFT;
    case '2':
        return VK_RIGHT;
    case '3':
        return VK_DOWN;
    }
    return 0;
}

BOOL IsCtrlHotKey(WPARAM key)
{
    switch (key)
    {
    case VK_RETURN:
    case VK_SPACE:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_DELETE:
        return TRUE;
    }
    return FALSE;
}

void LeaveDedicatedScanning()
{
    g_bDedicatedKeyboard = g_bDedicatedMouse = FALSE;
    CString strText;
    strText.LoadString(LimnResourceHandle(), IDS_LEAVING_DEDICATED_SCANNING);
    AfxMessageBox(strText, MB_OK);
}

// TRUE when the key is taken as a hot key; wParam may come back mapped to one. bRepeat:
// the key was down already, and this is the keyboard's auto-repeat. A switch held down
// counts once; a held Esc that stopped automatic scanning does not also leave dedicated
// scanning. The switch timing decides when a Ctrl hot key or a dedicated key counts.
BOOL OnKeyDown(WPARAM& key, BOOL bRepeat)
{
    const UINT nPressed = (UINT)key;
    BOOL bCtrl = IsKeyDown(VK_CONTROL), bShift = IsKeyDown(VK_SHIFT), bAlt = IsKeyDown(VK_MENU);
    if (!bCtrl && !bShift && !bAlt)
    {
        if (g_bDedicatedAllowed && g_bDedicatedKeyboard && DedicatedHotKey(key) != 0)
        {
            if (bRepeat)
                return TRUE;
            key = DedicatedHotKey(key);
            bCtrl = TRUE;
        }
        else if (g_bAutoScan && (key == VK_ESCAPE || IsDigit(key)))
        {
            CContainer::SetHotKeyHit((BYTE)key);
            return TRUE;
        }
        else if (key == VK_ESCAPE && (g_bDedicatedKeyboard || g_bDedicatedMouse))
        {
            if (!bRepeat)
                LeaveDedicatedScanning();
            return FALSE;
        }
    }
    if (bCtrl && !bShift && !bAlt && IsCtrlHotKey(key))
    {
        PressSwitch((BYTE)key, nPressed, bRepeat);
        return TRUE;
    }
    return FALSE;
}

} // namespace

void InstallContainerHooks(int bSystemWide)
{
    RemoveContainerHooks();
    HINSTANCE hModule = bSystemWide ? LimnInstanceHandle() : NULL;
    DWORD dwThreadId = bSystemWide ? 0 : ::GetCurrentThreadId();
    for (HookEntry& hook : g_hooks)
        hook.hHook = ::SetWindowsHookExA(hook.nType, hook.pfnProc, hModule, dwThreadId);
}

// A release that comes while no hook is in place is not seen: a switch pressed before
// does not outlive the hooks.
void RemoveContainerHooks()
{
    for (HookEntry& hook : g_hooks)
    {
        if (hook.hHook != NULL)
            ::UnhookWindowsHookEx(hook.hHook);
        hook.hHook = NULL;
    }
    g_bSwitchPressed = FALSE;
    ForgetSwitchPress();
}

void SetAutoScan(int bAutoScan) { g_bAutoScan = bAutoScan; }

void EnableDedicatedScanning(int bEnable) { g_bDedicatedAllowed = bEnable; }

void OnDedicatedScanning()
{
    CDedicatedScanningDlg dlg;
    switch (dlg.DoModal())
    {
    case IDC_DEDICATED_MOUSE:
        g_bDedicatedMouse = TRUE;
        g_bDedicatedKeyboard = FALSE;
        break;
    case IDC_DEDICATED_KEYBOARD:
        g_bDedicatedKeyboard = TRUE;
        g_bDedicatedMouse = FALSE;
        break;
    }
}

BOOL IsDedicatedKeyboardMode() { return g_bDedicatedKeyboard; }

BOOL IsDedicatedMouseMode() { return g_bDedicatedMouse; }

// Only a key going down is taken: bit 31 of the flags is the transition state, bit 30
// the key's state before (set for the keyboard's repeats). A key going up ends the
// press of its switch and goes on. A key that is not taken goes on, mapped when
// dedicated keyboard mode mapped it. Nothing thrown (by the message box on leaving
// dedicated scanning) leaves the hook.
LRESULT CALLBACK ContainerKeyboardProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && (lParam & 0x80000000) != 0)
        ReleaseSwitch((UINT)wParam);
    else if (nCode == HC_ACTION &&
        (gScanningPrefs.m_bScanningEnabled || g_bDedicatedKeyboard || g_bDedicatedMouse))
    {
        try
        {
            if (OnKeyDown(wParam, (lParam & 0x40000000) != 0))
                return 1;
        }
        catch (CException* e)
        {
            e->Delete();
        }
        catch (...)
        {
        }
    }
    return ::CallNextHookEx(g_keyboardHook.hHook, nCode, wParam, lParam);
}

// A second press soon after the first comes as a double-click in windows that ask for
// them: it is the switch as well. The release of a press taken as the switch is taken
// too, wherever it happens, so that no part of a click reaches a window.
LRESULT CALLBACK ContainerMouseProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION)
    {
        switch (wParam)
        {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_NCLBUTTONDOWN:
        case WM_NCLBUTTONDBLCLK:
            g_bSwitchPressed = g_bDedicatedAllowed && g_bDedicatedMouse && !m_bInMenuLoop &&
                               ((const MOUSEHOOKSTRUCT*)lParam)->wHitTestCode == HTCLIENT;
            if (g_bSwitchPressed)
            {
                PressSwitch(VK_RETURN, VK_LBUTTON, FALSE);
                return 1;
            }
            break;
        case WM_LBUTTONUP:
        case WM_NCLBUTTONUP:
            if (g_bSwitchPressed)
            {
                g_bSwitchPressed = FALSE;
                ReleaseSwitch(VK_LBUTTON);
                return 1;
            }
            break;
        }
    }
    return ::CallNextHookEx(g_mouseHook.hHook, nCode, wParam, lParam);
}
