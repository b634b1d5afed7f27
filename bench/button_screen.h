// The screen of the redraw benchmarks: 48 picture buttons (6 rows of 8, each a resource
// container in a 3D frame showing one of 8 photographs shrunk to fit) in a root that
// lays them out, filling 800 by 600 pixels.
#pragma once

#include "limn/containers/Container3DFrame.h"
#include "limn/containers/ResourceContainer.h"
#include "limn/containers/WndContainer.h"
#include "limn/pictures/DIBElem.h"
#include "limn/pictures/Picture.h"

#include <memory>
#include <vector>

namespace button_screen {

const CSize sizeScreen(800, 600);
const int nRows = 6;
const int nColumns = 8;
const int nPictures = 8;

// A 24-bit photograph-like picture: smooth gradients that differ with nSeed.
inline CPicture* NewPhoto(int nSeed)
{
    const int cx = 160, cy = 120;
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = cx;
    header.biHeight = cy;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const int nRow = (cx * 3 + 3) & ~3;
    header.biSizeImage = nRow * cy;
    HGLOBAL hDIB = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof header + header.biSizeImage);
    BYTE* pDIB = static_cast<BYTE*>(::GlobalLock(hDIB));
    memcpy(pDIB, &header, sizeof header);
    for (int y = 0; y < cy; ++y)
    {
        BYTE* pPixel = pDIB + sizeof header + y * nRow;
        for (int x = 0; x < cx; ++x, pPixel += 3)
        {
            pPixel[0] = (BYTE)(x * 255 / cx + nSeed * 29);
            pPixel[1] = (BYTE)(y * 255 / cy + nSeed * 53);
            pPixel[2] = (BYTE)((x + y) * 127 / (cx + cy) + nSeed * 71);
        }
    }
    ::GlobalUnlock(hDIB);
    auto* pPicture = new CPicture;
    pPicture->AddPictElem(new CDIBElem(hDIB));
    ::GlobalFree(hDIB);
    return pPicture;
}

inline std::vector<std::unique_ptr<CPicture>> NewPhotos()
{
    std::vector<std::unique_ptr<CPicture>> pictures;
    for (int i = 0; i < nPictures; ++i)
        pictures.emplace_back(NewPhoto(i));
    return pictures;
}

// The screen, whose pictures the caller keeps; *ppButton is the button of row 3,
// column 4.
inline CWndContainer* NewScreen(const std::vector<std::unique_ptr<CPicture>>& pictures, CContainer** ppButton)
{
    auto* pRoot = new CWndContainer;
    pRoot->SetArrangeMethod(arrangeVertical);
    pRoot->SetChildGap(CSize(8, 8));
    for (int r = 0; r < nRows; ++r)
    {
        auto* pRow = new CContainer(pRoot, arrangeHorizontal);
        pRow->SetChildGap(CSize(8, 0));
        for (int c = 0; c < nColumns; ++c)
        {
            auto* pButton = new CResourceContainer(pRow, pictures[(r * nColumns + c) % nPictures].get());
            pButton->SetFillColor(RGB(255, 255, 255));
            pButton->SetFrame(new CContainer3DFrame(RGB(0, 102, 204), 4, 1, 150, 150, 50, 50));
            if (r == 2 && c == 3)
                *ppButton = pButton;
        }
    }
    return pRoot;
}

} // namespace button_screen
