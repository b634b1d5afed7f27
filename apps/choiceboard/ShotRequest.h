// How a program that drives the board (the demo's scan driver, the tests, the
// benchmarks) asks it for a picture: WM_COPYDATA to the board's main window, with
// dwData dwShotRequest (the active board's client area, as it is on screen, scanning
// highlight included) or dwWindowShotRequest (the whole main window) and the path of the
// ".bmp" file to write as a terminated string. The board answers TRUE once the file is
// written. A window's pixels can only be read in its own process.
#pragma once

#include <windows.h>

const ULONG_PTR dwShotRequest = 0x544F4853;         // "SHOT"
const ULONG_PTR dwWindowShotRequest = 0x444E4957;   // "WIND"
