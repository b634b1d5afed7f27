// picturedemo: draws every picture of a resource file as a contact sheet and writes what
// reached the screen-side context as a 24-bit BMP.
//
//   picturedemo FILE.hrd SHEET.BMP
//
// Each picture has a row per buffer depth (16 bits, then 8 bits as on a 256-colour
// display): at its natural size, doubled, shrunk to half without and with anti-aliasing,
// recoloured, with a transparent background over a hatched ground, and flipped both ways.
#include "limn/canvas/Canvas.h"
#include "limn/canvas/CanvasBuffer.h"
#include "limn/canvas/ScreenDepth.h"
#include "limn/pictures/DIBElem.h"
#include "limn/pictures/Picture.h"

#include "hoard/resources/Hoard.h"
#include "hoard/resources/ResourceClass.h"

#include "ExceptionText.h"
#include "ScreenImage.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>

#include <algorithm>
#include <vector>

namespace {

const int nGap = 10;
const int nLabelWidth = 90;
const int nTitleHeight = 34;
const COLORREF crRecolour = RGB(204, 0, 0);

// One way of drawing a picture: its title, its size for an extent, and the drawing.
struct Variant
{
    const char* pszTitle;
    CSize (*pfnSize)(CSize extent);
    void (*pfnDraw)(CCanvas& canvas, CPicture& picture, const CRect& dst);
};

CSize Natural(CSize extent) { return extent; }
CSize Doubled(CSize extent) { return CSize(extent.cx * 2, extent.cy * 2); }
CSize Half(CSize extent) { return CSize(extent.cx / 2, extent.cy / 2); }

void Plain(CCanvas& canvas, CPicture& picture, const CRect& dst) { picture.Draw(canvas, dst); }

void AntiAliased(CCanvas& canvas, CPicture& picture, const CRect& dst)
{
    CDIBElem::SetAllowAntiAliasing(TRUE);
    picture.Draw(canvas, dst);
    CDIBElem::SetAllowAntiAliasing(FALSE);
}

void Recoloured(CCanvas& canvas, CPicture& picture, const CRect& dst)
{
    picture.SetColor(crRecolour);
    picture.Draw(canvas, dst);
    picture.SetDefaultColor();
}

void Transparent(CCanvas& canvas, CPicture& picture, const CRect& dst)
{
    canvas.SetBrush(RGB(0, 102, 204), TRUE);
    canvas.FillRectangle(CRect(dst.left, dst.top, dst.right + 1, dst.bottom + 1));
    picture.SetTransparentBackground(TRUE);
    picture.Draw(canvas, dst);
    picture.SetTransparentBackground(FALSE);
}

void FlippedLeftToRight(CCanvas& canvas, CPicture& picture, const CRect& dst)
{
    picture.FlipHorizontally();
    picture.Draw(canvas, dst);
    picture.FlipHorizontally();
}

void FlippedTopToBottom(CCanvas& canvas, CPicture& picture, const CRect& dst)
{
    picture.FlipVertically();
    picture.Draw(canvas, dst);
    picture.FlipVertically();
}

const Variant variants[] = {
    { "natural size", Natural, Plain },
    { "doubled", Doubled, Plain },
    { "half", Half, Plain },
    { "half, anti-aliased", Half, AntiAliased },
    { "recoloured", Natural, Recoloured },
    { "transparent background", Natural, Transparent },
    { "flipped left to right", Natural, FlippedLeftToRight },
    { "flipped top to bottom", Natural, FlippedTopToBottom },
};
const int nVariants = sizeof variants / sizeof variants[0];
const int depths[] = { 16, 8 };

std::vector<CPicture*> PicturesOf(CHoard& hoard)
{
    std::vector<CPicture*> pictures;
    if (const CResourceList* pList = hoard.GetResourceList("CPicture"))
    {
        for (POSITION pos = pList->GetHeadPosition(); pos != NULL;)
            pictures.push_back(static_cast<CPicture*>(pList->GetNext(pos)));
    }
    return pictures;
}

// FALSE when the file holds no pictures.
BOOL WriteSheet(const char* pszFile, const char* pszSheet)
{
    CHoard hoard;
    hoard.LoadFromFile(pszFile);
    std::vector<CPicture*> pictures = PicturesOf(hoard);
    if (pictures.empty())
        return FALSE;

    // Columns as wide as their widest variant, rows as high as their picture's tallest.
    std::vector<int> columnLeft(nVariants + 1, nLabelWidth + nGap);
    for (int i = 0; i < nVariants; ++i)
    {
        int nWidth = 0;
        for (CPicture* pPicture : pictures)
            nWidth = std::max(nWidth, (int)variants[i].pfnSize(pPicture->GetExtent()).cx);
        columnLeft[i + 1] = columnLeft[i] + std::max(nWidth, 70) + nGap;
    }
    std::vector<int> rowHeight;
    for (CPicture* pPicture : pictures)
        rowHeight.push_back(Doubled(pPicture->GetExtent()).cy + nGap);
    int nHeight = nTitleHeight;
    for (int h : rowHeight)
        nHeight += h * (int)(sizeof depths / sizeof depths[0]);

    CScreenImage image(columnLeft[nVariants], nHeight);
    {
        CCanvas canvas(&image.m_dc);
        canvas.SetBounds(CRect(0, 0, columnLeft[nVariants], nHeight));
        canvas.SetBrush(RGB(255, 255, 255), FALSE);
        canvas.FillRectangle(CRect(0, 0, columnLeft[nVariants] + 1, nHeight + 1));
        canvas.SetTextColor(RGB(0, 0, 0));
        canvas.SetFont(8, "Arial", TRUE, FALSE, FALSE);
        for (int i = 0; i < nVariants; ++i)
            canvas.DrawText(variants[i].pszTitle, CRect(columnLeft[i], 4, columnLeft[i + 1] - nGap, nTitleHeight), TRUE,
                            textTransparent);

        int y = nTitleHeight;
        for (int nDepth : depths)
        {
            for (size_t p = 0; p < pictures.size(); ++p)
            {
                CPicture& picture = *pictures[p];
                const CRect rectRow(nLabelWidth, y, columnLeft[nVariants], y + rowHeight[p] - nGap);
                ForceScreenBitsPerPixel(nDepth == 8 ? 8 : 32);
                {
                    CCanvasBuffer buffer(canvas, rectRow);
                    ForceScreenBitsPerPixel(0);
                    canvas.SetBrush(RGB(192, 192, 192), FALSE);
                    canvas.FillRectangle(CRect(rectRow.left, rectRow.top, rectRow.right + 1, rectRow.bottom + 1));
                    for (int i = 0; i < nVariants; ++i)
                    {
                        CSize size = variants[i].pfnSize(picture.GetExtent());
                        variants[i].pfnDraw(canvas, picture, CRect(CPoint(columnLeft[i], y), size));
                    }
                    buffer.Draw();
                }
                CString strLabel;
                strLabel.Format("%s\n%d-bit buffer", (LPCSTR)picture.GetName(), nDepth);
                canvas.SetFont(8, "Arial", FALSE, FALSE, FALSE);
                canvas.DrawText(strLabel, CRect(4, y, nLabelWidth, y + rowHeight[p]), FALSE, textTransparent);
                y += rowHeight[p];
            }
        }
    }
    image.WriteBitmapFile(pszSheet);
    CGdiObject::DeleteTempMap();
    return TRUE;
}

} // namespace

int main(int argc, char** argv)
{
    _setmode(_fileno(stderr), _O_BINARY);
    if (argc != 3)
    {
        fputs("usage: picturedemo FILE.hrd SHEET.BMP\n", stderr);
        return 2;
    }
    CResourceClass::InitResourceClasses();
    try
    {
        if (!WriteSheet(argv[1], argv[2]))
        {
            fprintf(stderr, "picturedemo: %s holds no pictures\n", argv[1]);
            return 1;
        }
    }
    catch (CException* e)
    {
        fprintf(stderr, "picturedemo: %s\n", (LPCSTR)ExceptionText(e));
        e->Delete();
        return 1;
    }
    CCanvas::Flush();
    return 0;
}
