// The screen depth that buffers read, and its override.
#include "limn/canvas/ScreenDepth.h"

namespace {

int g_nForcedBitsPerPixel = 0;

} // namespace

int GetScreenBitsPerPixel()
{
    if (g_nForcedBitsPerPixel != 0)
        return g_nForcedBitsPerPixel;
    HDC hScreenDC = ::GetDC(NULL);
    int nBitsPerPixel = ::GetDeviceCaps(hScreenDC, BITSPIXEL);
    ::ReleaseDC(NULL, hScreenDC);
    return nBitsPerPixel;
}

void ForceScreenBitsPerPixel(int nBitsPerPixel) { g_nForcedBitsPerPixel = nBitsPerPixel; }
