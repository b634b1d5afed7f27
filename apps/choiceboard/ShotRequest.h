// How a program that drives the board (the demo's scan driver, the tests) asks it for a
// picture of its window: WM_COPYDATA to the board's main window, with dwData
// dwShotRequest and the path of the ".bmp" file to write as a terminated string. The
// board answers TRUE once the file holds the window's client area as it is on screen,
// scanning highlight included. A window's pixels can only be read in its own process.
#pragma once

#include <windows.h>

const ULONG_PTR dwShotRequest = 0x544F4853;     // "SHOT"
