// hoardtool's commands on pictures: a picture drawn into an off-screen buffer and written
// as a ".bmp" file of the buffer's depth, and what the file commands do with pictures.
#include "BufferFile.h"
#include "Commands.h"
#include "OutputNames.h"
#include "ToolError.h"
#include "ToolFile.h"
#include "BitmapFile.h"

#include "limn/canvas/Canvas.h"
#include "limn/canvas/CanvasBuffer.h"
#include "limn/pictures/DIBElem.h"
#include "limn/pictures/DrawEllipseElem.h"
#include "limn/pictures/DrawPolygonElem.h"
#include "limn/pictures/MacPictElem.h"
#include "limn/pictures/Picture.h"

#include "hoard/resources/Hoard.h"

#include <stdio.h>
#include <string.h>

namespace {

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
    BOOL bSave = FALSE;         // the file is saved after drawing
};

RenderOptions ParseOptions(int argc, char** argv)
{
    RenderOptions options;
    for (int i = 0; i < argc; ++i)
    {
        const char* pszOption = argv[i];
        const char* pszValue = i + 1 < argc ? argv[i + 1] : NULL;
        unsigned int rgb;
        if (strcmp(pszOption, "--plain") == 0)
            options.bPlain = TRUE;
        else if (strcmp(pszOption, "--antialias") == 0)
            options.bAntiAlias = TRUE;
        else if (strcmp(pszOption, "--transparent") == 0)
            options.bTransparent = TRUE;
        else if (strcmp(pszOption, "--save") == 0)
            options.bSave = TRUE;
        else if (pszValue == NULL)
            Fail("%s: unknown option, or its value is missing", pszOption);
        else if (ParseBufferOption(pszOption, pszValue, options.size, options.nDepth))
            ++i;
        else if (strcmp(pszOption, "--color") == 0 && strlen(pszValue) == 6 &&
                 strspn(pszValue, "0123456789abcdefABCDEF") == 6 && sscanf(pszValue, "%x", &rgb) == 1)
            options.bColor = TRUE, options.color = RGB(rgb >> 16, (rgb >> 8) & 0xFF, rgb & 0xFF), ++i;
        else if (strcmp(pszOption, "--flip") == 0 && (strcmp(pszValue, "h") == 0 || strcmp(pszValue, "v") == 0))
            options.chFlip = pszValue[0], ++i;
        else
            Fail("%s %s: unknown option or bad value (--size WxH up to %d, --depth 8|16, --color RRGGBB, "
                 "--flip h|v)", pszOption, pszValue, nMaxBufferSide);
    }
    return options;
}

// The picture drawn at size into an nDepth-bit buffer over the background colour: the
// buffer's pixels as a new packed DIB, the caller's.
HGLOBAL DrawPictureDIB(CPicture* pPicture, CSize size, int nDepth, COLORREF background)
{
    CDC dc;
    if (!dc.CreateCompatibleDC(NULL))
        Fail("cannot make a device context to draw in");
    HGLOBAL hDIB;
    {
        CCanvas canvas(&dc);
        const CRect rect(CPoint(0, 0), size);
        canvas.SetBounds(rect);
        CCanvasBuffer buffer;
        StartBuffer(buffer, canvas, rect, nDepth);
        canvas.SetBrush(background, FALSE);
        canvas.FillRectangle(CRect(0, 0, size.cx + 1, size.cy + 1));
        pPicture->Draw(canvas, CRect(CPoint(0, 0), pPicture->GetExtent()), rect);
        hDIB = BufferDIB(buffer);
    }
    CGdiObject::DeleteTempMap();
    return hDIB;
}

// Writes the DIB as a ".bmp" file, and frees it.
void WriteAndFreeDIB(HGLOBAL hDIB, CPicture* pPicture, const char* pszOut)
{
    try
    {
        if (!WriteDIBFile(hDIB, pszOut))
            Fail("picture \"%s\" holds no bitmap that can be read", (LPCSTR)pPicture->GetName());
    }
    catch (...)
    {
        GlobalFree(hDIB);
        throw;
    }
    GlobalFree(hDIB);
}

int RenderPicture(const char* pszPath, const char* pszName, const char* pszOut, const RenderOptions& options)
{
    CheckBitmapName(pszOut);
    CToolFile file(pszPath);
    auto* pPicture = static_cast<CPicture*>(file.m_hoard.GetResource("CPicture", pszName));
    if (pPicture == NULL)
        Fail("there is no picture named \"%s\"", pszName);
    CSize extent = pPicture->GetExtent();
    CSize size = options.size != CSize(0, 0) ? options.size : extent;
    if (size.cx <= 0 || size.cy <= 0 || size.cx > nMaxBufferSide || size.cy > nMaxBufferSide)
        Fail("picture \"%s\" is %ldx%ld: give a --size of up to %dx%d", pszName, extent.cx, extent.cy,
             nMaxBufferSide, nMaxBufferSide);

    if (options.chFlip == 'h')
        pPicture->FlipHorizontally();
    else if (options.chFlip == 'v')
        pPicture->FlipVertically();
    if (options.bColor)
        pPicture->SetColor(options.color);
    pPicture->SetTransparentBackground(options.bTransparent);
    gUseDIBBlit = options.bPlain;
    CDIBElem::SetAllowAntiAliasing(options.bAntiAlias);
    WriteAndFreeDIB(DrawPictureDIB(pPicture, size, options.nDepth, RGB(192, 192, 192)), pPicture, pszOut);
    if (options.bSave)
        file.Save();
    return 0;
}

// The first element of class Elem in the picture, or NULL.
template <class Elem>
Elem* FirstElemOf(CPicture* pPicture)
{
    const CPictElemArray& elems = pPicture->GetPictElems();
    for (INT_PTR i = 0; i < elems.GetSize(); ++i)
    {
        if (auto* pElem = dynamic_cast<Elem*>(elems[i].m_pElem))
            return pElem;
    }
    return NULL;
}

CDIBElem* FirstBitmapOf(CPicture* pPicture) { return FirstElemOf<CDIBElem>(pPicture); }

// What an element is, in words.
CString KindOf(const CPictElem* pElem)
{
    if (pElem == NULL)
        return "nothing";
    if (dynamic_cast<const CDIBElem*>(pElem) != NULL)
        return "bitmap";
    if (dynamic_cast<const CMacPictElem*>(pElem) != NULL)
        return "Macintosh picture";
    if (dynamic_cast<const CDrawEllipseElem*>(pElem) != NULL)
        return "ellipse";
    if (dynamic_cast<const CDrawPolygonElem*>(pElem) != NULL)
        return "polygon";
    return pElem->GetRuntimeClass()->m_lpszClassName;
}

// A new DIB of the picture when its first element is a Macintosh picture that the media
// library converts; NULL otherwise.
HDIB MacPictDIBOf(CPicture* pPicture)
{
    const CPictElemArray& elems = pPicture->GetPictElems();
    auto* pElem = elems.GetSize() != 0 ? dynamic_cast<CMacPictElem*>(elems[0].m_pElem) : NULL;
    return pElem != NULL ? pElem->MakeDIB() : NULL;
}

// The depth of the bitmap in a ".bmp" or ".dib" file, or 0 when the file holds no
// bitmap that can be read; a file that cannot be opened or read raises its exception.
WORD BitmapFileDepth(const char* pszPath)
{
    CFile file(pszPath, CFile::modeRead | CFile::shareDenyWrite);
    HDIB hDIB = ReadDIBFile(file, 0);
    DIBINFO info = {};
    if (hDIB != NULL && !ValidateDIBHandle(hDIB, &info))
        info.wBitCount = 0;
    if (hDIB != NULL)
        GlobalFree(hDIB);
    return info.wBitCount;
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

DWORD PictureDataSize(CPicture* pPicture)
{
    if (CDIBElem* pElem = FirstBitmapOf(pPicture))
        return pElem->GetDIBSize();
    CMacPictElem* pMacPict = FirstElemOf<CMacPictElem>(pPicture);
    return pMacPict != NULL ? pMacPict->GetPict().GetSize() : 0;
}

CString PictureFormat(CPicture* pPicture, const char* pszSource)
{
    CDIBElem* pElem = FirstBitmapOf(pPicture);
    DIBINFO info;
    CString strFormat;
    if (pElem == NULL)
    {
        // Without a bitmap, the picture's own size.
        const CSize extent = pPicture->GetExtent();
        strFormat.Format("%ldx%ld", extent.cx, extent.cy);
        return strFormat;
    }
    if (!pElem->GetDIBInfo(&info))
        return "no readable bitmap";
    WORD wSourceDepth = pszSource != NULL ? BitmapFileDepth(pszSource) : 0;
    if (wSourceDepth > info.wBitCount)
        strFormat.Format("%ldx%ld, %u bits stored as %u", info.nWidth, info.nHeight, wSourceDepth, info.wBitCount);
    else
        strFormat.Format("%ldx%ld, %u bit%s", info.nWidth, info.nHeight, info.wBitCount,
                         info.wBitCount == 1 ? "" : "s");
    return strFormat;
}

CString PictureElementKinds(CPicture* pPicture)
{
    const CPictElemArray& elems = pPicture->GetPictElems();
    if (elems.GetSize() == 0)
        return "no elements";
    CString strKinds;
    for (INT_PTR i = 0; i < elems.GetSize(); ++i)
        strKinds += (i == 0 ? "" : ", ") + KindOf(elems[i].m_pElem);
    return strKinds;
}

UINT CheckPicture(CPicture* pPicture)
{
    UINT nBlocks = 0;
    const CPictElemArray& elems = pPicture->GetPictElems();
    for (INT_PTR i = 0; i < elems.GetSize(); ++i)
    {
        if (auto* pElem = dynamic_cast<CDIBElem*>(elems[i].m_pElem))
        {
            ++nBlocks;
            if (pElem->GetDIBSize() != 0 && !pElem->GetDIBInfo(NULL))
                Fail("element %u of picture \"%s\", a bitmap, cannot be read back from the file or is not a valid DIB",
                     (UINT)i + 1, (LPCSTR)pPicture->GetName());
        }
        else if (auto* pMacPict = dynamic_cast<CMacPictElem*>(elems[i].m_pElem))
        {
            // The picture's bytes are only read: the media library alone understands them.
            ++nBlocks;
            const CReloadableData& pict = pMacPict->GetPict();
            if (pict.GetSize() != 0 && pict.Lock() == NULL)
                Fail("the Macintosh picture of picture \"%s\" cannot be read back from the file",
                     (LPCSTR)pPicture->GetName());
            if (pict.GetSize() != 0)
                pict.Unlock();
        }
    }
    return nBlocks;
}

HGLOBAL ExportedPictureDIB(CPicture* pPicture)
{
    HDIB hDIB = MacPictDIBOf(pPicture);
    if (hDIB == NULL)
        hDIB = pPicture->MakeDIB();
    if (hDIB != NULL)
        return hDIB;
    const CSize extent = pPicture->GetExtent();
    CString strKinds = PictureElementKinds(pPicture);
    if (strKinds == "Macintosh picture")
        Fail("picture \"%s\" is a Macintosh picture, and the media library that converts it (QTIM32.DLL) "
             "cannot be loaded", (LPCSTR)pPicture->GetName());
    if (extent.cx <= 0 || extent.cy <= 0 || extent.cx > nMaxBufferSide || extent.cy > nMaxBufferSide)
        Fail("picture \"%s\" (%s) is %ldx%ld, which cannot be drawn into a bitmap", (LPCSTR)pPicture->GetName(),
             (LPCSTR)strKinds, extent.cx, extent.cy);
    return DrawPictureDIB(pPicture, extent, 16, RGB(255, 255, 255));
}

void ExportPicture(CPicture* pPicture, const char* pszOut)
{
    WriteAndFreeDIB(ExportedPictureDIB(pPicture), pPicture, pszOut);
}
