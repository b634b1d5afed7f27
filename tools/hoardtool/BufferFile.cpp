// The options, the making and the file of render's and shot's buffers.
#include "BufferFile.h"
#include "BitmapFile.h"
#include "ToolError.h"

#include "limn/canvas/CanvasBuffer.h"
#include "limn/canvas/CanvasBufferLocker.h"
#include "limn/canvas/ScreenDepth.h"
#include "limn/canvas/SharedPalette.h"

#include <stdio.h>
#include <string.h>

BOOL ParseBufferOption(const char* pszOption, const char* pszValue, CSize& size, int& nDepth)
{
    int cx, cy, nEnd = 0;
    if (strcmp(pszOption, "--size") == 0 && sscanf(pszValue, "%dx%d%n", &cx, &cy, &nEnd) == 2 &&
        pszValue[nEnd] == '\0' && cx > 0 && cy > 0 && cx <= nMaxBufferSide && cy <= nMaxBufferSide)
    {
        size = CSize(cx, cy);
        return TRUE;
    }
    if (strcmp(pszOption, "--depth") == 0 && (strcmp(pszValue, "8") == 0 || strcmp(pszValue, "16") == 0))
    {
        nDepth = atoi(pszValue);
        return TRUE;
    }
    return FALSE;
}

void StartBuffer(CCanvasBuffer& buffer, CCanvas& canvas, const CRect& rect, int nDepth)
{
    ForceScreenBitsPerPixel(nDepth == 8 ? 8 : 32);
    buffer.StartBuffering(canvas, rect);
    ForceScreenBitsPerPixel(0);
    if (!buffer.IsAttached())
        Fail("cannot make a %dx%d buffer of %d bits", rect.Width(), rect.Height(), nDepth);
}

void WriteBufferFile(CCanvasBuffer& buffer, const char* pszOut)
{
    struct
    {
        BITMAPINFOHEADER header;
        RGBQUAD colors[256];
    } head = {};
    CSize size = buffer.GetBounds().Size();
    head.header.biSize = sizeof(BITMAPINFOHEADER);
    head.header.biWidth = size.cx;
    head.header.biHeight = size.cy;
    head.header.biPlanes = 1;
    head.header.biBitCount = (WORD)buffer.GetPixelBitSize();
    head.header.biCompression = BI_RGB;
    DWORD cbHead = sizeof head.header;
    if (buffer.GetPixelBitSize() == 8)
    {
        head.header.biClrUsed = 256;
        for (int i = 0; i < 256; ++i)
        {
            const PALETTEENTRY& entry = gLogPalette.palPalEntry[i];
            head.colors[i] = { entry.peBlue, entry.peGreen, entry.peRed, 0 };
        }
        cbHead += sizeof head.colors;
    }
    // The section is bottom-up: its memory from the lowest address is the DIB's rows.
    CCanvasBufferLocker lock(buffer);
    head.header.biSizeImage = lock.GetBufferSize();
    WriteBitmapFile(pszOut, &head, cbHead, lock.GetStartBuffer(), lock.GetBufferSize());
}
