// hoardtool's commands on pictures: a picture drawn into an off-screen buffer and written
// as a ".bmp" file of the buffer's depth, and what the file commands do with pictures.
#include "Commands.h"
#include "ToolError.h"
#include "ToolFile.h"
#include "BitmapFile.h"

#include "limn/canvas/Canvas.h"
#include "limn/canvas/CanvasBuffer.h"
#include "limn/canvas/CanvasBufferLocker.h"
#include "limn/canvas/ScreenDepth.h"
#include "limn/canvas/SharedPalette.h"
#include "limn/pictures/DIBElem.h"
#include "limn/pictures/Picture.h"

#include "hoard/resources/Hoard.h"

#include <stdio.h>
#include <string.h>

namespace {

const int nMaxRenderSide = 16384;

// How render draws.
struct RenderOptions
{
    CSize size;                 // (0, 0): the picture's extent
    int nDepth = 16;
    BOOL bPlain = FALSE;
    BOOL bAntiAlias = FALSE;
    BOOL bColor = FALSE;
    COLORREF color = 0;
    BOOL bTransparent = FALSE;
    char chFlip = 0;            // 'h', 'v' or 0
};

RenderOptions ParseOptions(int argc, char** argv)
{
    RenderOptions options;
    for (int i = 0; i < argc; ++i)
    {
        const char* pszOption = argv[i];
        const char* pszValue = i + 1 < argc ? argv[i + 1] : NULL;
        int cx, cy, nEnd = 0;
        unsigned int rgb;
        if (strcmp(pszOption, "--plain") == 0)
            options.bPlain = TRUE;
        else if (strcmp(pszOption, "--antialias") == 0)
            options.bAntiAlias = TRUE;
        else if (strcmp(pszOption, "--transparent") == 0)
            options.bTransparent = TRUE;
        else if (pszValue == NULL)
            Fail("%s: unknown option, or its value is missing", pszOption);
        else if (strcmp(pszOption, "--size") == 0 && sscanf(pszValue, "%dx%d%n", &cx, &cy, &nEnd) == 2 &&
                 pszValue[nEnd] == '\0' && cx > 0 && cy > 0 && cx <= nMaxRenderSide && cy <= nMaxRenderSide)
            options.size = CSize(cx, cy), ++i;
        else if (strcmp(pszOption, "--depth") == 0 && (strcmp(pszValue, "8") == 0 || strcmp(pszValue, "16") == 0))
            options.nDepth = atoi(pszValue), ++i;
        else if (strcmp(pszOption, "--color") == 0 && strlen(pszValue) == 6 &&
                 strspn(pszValue, "0123456789abcdefABCDEF") == 6 && sscanf(pszValue, "%x", &rgb) == 1)
            options.bColor = TRUE, options.color = RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF), ++i;
        else if (strcmp(pszOption, "--flip") == 0 && (strcmp(pszValue, "h") == 0 || strcmp(pszValue, "v") == 0))
            options.chFlip = pszValue[0], ++i;
        else
            Fail("%s %s: unknown option or bad value (--size WxH up to %d, --depth 8|16, --color RRGGBB, "
                 "--flip h|v)", pszOption, pszValue, nMaxRenderSide);
    }
    return options;
}

// The buffer's pixels as a bottom-up BI_RGB DIB of its own depth: 8 bits with the shared
// palette as colour table, or 16 bits of RGB555.
void WriteBuffer(CCanvasBuffer& buffer, const char* pszOut)
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

int RenderPicture(const char* pszPath, const char* pszName, const char* pszOut, const RenderOptions& options)
{
    CToolFile file(pszPath);
    auto* pPicture = static_cast<CPicture*>(file.m_hoard.GetResource("CPicture", pszName));
    if (pPicture == NULL)
        Fail("there is no picture named \"%s\"", pszName);
    CSize extent = pPicture->GetExtent();
    CSize size = options.size != CSize(0, 0) ? options.size : extent;
    if (size.cx <= 0 || size.cy <= 0 || size.cx > nMaxRenderSide || size.cy > nMaxRenderSide)
        Fail("picture \"%s\" is %ldx%ld: give a --size of up to %dx%d", pszName, extent.cx, extent.cy,
             nMaxRenderSide, nMaxRenderSide);

    if (options.chFlip == 'h')
        pPicture->FlipHorizontally();
    else if (options.chFlip == 'v')
        pPicture->FlipVertically();
    if (options.bColor)
        pPicture->SetColor(options.color);
    pPicture->SetTransparentBackground(options.bTransparent);
    gUseDIBBlit = options.bPlain;
    CDIBElem::SetAllowAntiAliasing(options.bAntiAlias);

    CDC dc;
    if (!dc.CreateCompatibleDC(NULL))
        Fail("cannot make a device context to draw in");
    {
        CCanvas canvas(&dc);
        const CRect rect(CPoint(0, 0), size);
        canvas.SetBounds(rect);
        ForceScreenBitsPerPixel(options.nDepth == 8 ? 8 : 32);
        CCanvasBuffer buffer(canvas, rect);
        ForceScreenBitsPerPixel(0);
        if (!buffer.IsAttached())
            Fail("cannot make a %ldx%ld buffer of %d bits", size.cx, size.cy, options.nDepth);
        canvas.SetBrush(RGB(192, 192, 192), FALSE);
        canvas.FillRectangle(CRect(0, 0, size.cx + 1, size.cy + 1));
        pPicture->Draw(canvas, CRect(CPoint(0, 0), extent), rect);
        WriteBuffer(buffer, pszOut);
    }
    CGdiObject::DeleteTempMap();
    return 0;
}

} // namespace

int Render(int argc, char** argv)
{
    return RenderPicture(argv[0], argv[1], argv[2], ParseOptions(argc - 3, argv + 3));
}

CPicture* ImportPicture(CHoard& hoard, const char* pszPath)
{
    CPicture* pPicture = CPicture::New(hoard, NULL);
    if (pPicture == NULL || !pPicture->ImportFromFile(pszPath))
        return NULL;
    return pPicture;
}

DWORD PictureBitmapSize(CPicture* pPicture)
{
    const CPictElemArray& elems = pPicture->GetPictElems();
    for (INT_PTR i = 0; i < elems.GetSize(); ++i)
    {
        if (auto* pElem = dynamic_cast<CDIBElem*>(elems[i].m_pElem))
            return pElem->GetDIBSize();
    }
    return 0;
}

UINT CheckPicture(CPicture* pPicture)
{
    UINT nBitmaps = 0;
    const CPictElemArray& elems = pPicture->GetPictElems();
    for (INT_PTR i = 0; i < elems.GetSize(); ++i)
    {
        auto* pElem = dynamic_cast<CDIBElem*>(elems[i].m_pElem);
        if (pElem == NULL)
            continue;
        ++nBitmaps;
        if (pElem->GetDIBSize() != 0 && !pElem->GetDIBInfo(NULL))
            Fail("bitmap %u of picture \"%s\" cannot be read back from the file or is not a valid DIB", nBitmaps,
                 (LPCSTR)pPicture->GetName());
    }
    return nBitmaps;
}

void ExportPicture(CPicture* pPicture, const char* pszOut)
{
    HDIB hDIB = pPicture->MakeDIB();
    if (hDIB == NULL)
        Fail("picture \"%s\" holds no bitmap that can be read", (LPCSTR)pPicture->GetName());
    DIBINFO info;
    const BYTE* pDIB = static_cast<const BYTE*>(GlobalLock(hDIB));
    try
    {
        if (!ValidateDIB(pDIB, GlobalSize(hDIB), &info))
            Fail("picture \"%s\" holds no bitmap that can be read", (LPCSTR)pPicture->GetName());
        DWORD cbHead = info.cbHeader + info.cbColorTable;
        WriteBitmapFile(pszOut, pDIB, cbHead, pDIB + cbHead, info.cbBits);
    }
    catch (...)
    {
        GlobalUnlock(hDIB);
        GlobalFree(hDIB);
        throw;
    }
    GlobalUnlock(hDIB);
    GlobalFree(hDIB);
}
