// The input of switch scanning: a keyboard hook and a mouse hook that turn key presses
// and clicks into the one-byte hot key that the root's timer consumes
// (CContainer::SetHotKeyHit), and dedicated scanning, in which plain keys or any click
// in a client area act as the switches.
//
// With "Scanning Enabled", Ctrl+Enter starts automatic scanning or selects, Ctrl+Left
// steps back, Ctrl+Right steps forward, Ctrl+Down selects, Ctrl+Delete opens the
// "Dedicated Scanning" dialog, Ctrl+Space and Ctrl+Up are taken too; while automatic
// scanning runs, plain Esc stops it and plain digits set the speed. In dedicated
// keyboard mode 1 or Space starts automatic scanning or selects, 0 steps back, 2 steps
// forward and 3 selects; Esc leaves the mode (a running automatic scan takes a first Esc
// to stop). In dedicated mouse mode a left press in any client area is Enter.
//
// The presses that step or select are timed by "Acceptance Time" and "Ignore Repeat"
// (SwitchPress.h) before they become the hot key.
//
// Every flag here is process-wide and touched on the user-interface thread; the hooks
// only note switch presses, set the hot key or clear the dedicated modes.
#pragma once

#include "limn/limn_api.h"

// Installs both hooks, for the calling thread (bSystemWide 0) or for every thread with
// limn's module. Installing again replaces the hooks; one that cannot be installed stays
// absent.
LIMN_API void InstallContainerHooks(int bSystemWide);
// Removes the installed hooks; removing twice does nothing.
LIMN_API void RemoveContainerHooks();
// Tells the keyboard hook whether automatic scanning runs: plain Esc and digits are
// then hot keys. The engine calls it when automatic scanning starts and stops.
LIMN_API void SetAutoScan(int bAutoScan);
// Whether dedicated scanning is allowed: the root container allows it while its window
// is active.
LIMN_API void EnableDedicatedScanning(int bEnable);
// Runs the "Dedicated Scanning" dialog: Mouse or Keyboard turns that mode on (and the
// other off); Cancel changes nothing.
LIMN_API void OnDedicatedScanning();
LIMN_API BOOL IsDedicatedKeyboardMode();
LIMN_API BOOL IsDedicatedMouseMode();

// The hook procedures.
LIMN_API LRESULT CALLBACK ContainerKeyboardProc(int nCode, WPARAM wParam, LPARAM lParam);
LIMN_API LRESULT CALLBACK ContainerMouseProc(int nCode, WPARAM wParam, LPARAM lParam);

// Set while a menu of the main frame is open: the scanning timer and the mouse hook stay
// idle meanwhile. The main frame sets and clears it; nothing else does.
LIMN_API extern BOOL m_bInMenuLoop;
