// The presses of the scanning switches, between the input hooks and the scanning clock,
// timed as the user's settings say:
//   "Acceptance Time"  a press counts only once its switch has been held this long:
//                      on the first tick of the clock that finds it held long enough,
//                      or at its release when that comes first; a shorter press does
//                      nothing;
//   "Ignore Repeat"    presses that go down within this time after the moment a press
//                      counted are ignored.
// With either on, a switch held down counts once: the keyboard's repeats are ignored.
// With both off, every press counts at once, as the hooks always did.
//
// A switch is what the hooks take as a hot key that steps or selects (Enter, Left,
// Right, Down), pressed by a key or by the left mouse button. The other hot keys (Esc,
// the digits, Ctrl+Delete ...) are commands, not switches: they count at once.
//
// A press that counts becomes the hot key (CContainer::SetHotKeyHit). Times are taken
// on the scanning clock (ScanClock.h). Nothing here throws.
#pragma once

#include <windows.h>

// A switch went down: hotKey is the hot key it stands for, nSwitch the virtual key that
// went down (VK_LBUTTON for the mouse button); bRepeat: the keyboard repeats a key held
// down.
void PressSwitch(BYTE hotKey, UINT nSwitch, BOOL bRepeat);
// The key or button nSwitch went up.
void ReleaseSwitch(UINT nSwitch);
// A tick of the scanning clock, before it reads the hot key: a switch held for the
// acceptance time counts now.
void AcceptHeldSwitch();
// Forgets a press that waits to be held long enough, whose release will not be seen
// (the hooks are removed, the window is no longer active).
void ForgetSwitchPress();
