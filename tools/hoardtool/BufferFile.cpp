// The options, the making and the file of render's and shot's buffers.
#include "BufferFile.h"
#include "BitmapFile.h"
#include "ToolError.h"

#include "diblib/dibapi.h"

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

HGLOBAL BufferDIB(CCanvasBuffer& buffer)
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
    HGLOBAL hDIB = ::GlobalAlloc(GMEM_MOVEABLE, cbHead + head.header.biSizeImage);
    if (hDIB == NULL)
        AfxThrowMemoryException();
    BYTE* pDIB = static_cast<BYTE*>(::GlobalLock(hDIB));
    memcpy(pDIB, &head, cbHead);
    memcpy(pDIB + cbHead, lock.GetStartBuffer(), head.header.biSizeImage);
    ::GlobalUnlock(hDIB);
    return hDIB;
}

void WriteBufferFile(CCanvasBuffer& buffer, const char* pszOut)
{
    HGLOBAL hDIB = BufferDIB(buffer);
    try
    {
        if (!WriteDIBFile(hDIB, pszOut))
            Fail("the drawing's pixels are no bitmap that can be written");
    }
    catch (...)
    {
        ::GlobalFree(hDIB);
        throw;
    }
    ::GlobalFree(hDIB);
}

BOOL WriteDIBFile(HGLOBAL hDIB, const char* pszOut)
{
    DIBINFO info;
    if (!ValidateDIBHandle(hDIB, &info))
        return FALSE;
    const BYTE* pDIB = static_cast<const BYTE*>(::GlobalLock(hDIB));
    try
    {
        const DWORD cbHead = info.cbHeader + info.cbColorTable;
        WriteBitmapFile(pszOut, pDIB, cbHead, pDIB + cbHead, info.cbBits);
    }
    catch (...)
    {
        ::GlobalUnlock(hDIB);
        throw;
    }
    ::GlobalUnlock(hDIB);
    return TRUE;
}
