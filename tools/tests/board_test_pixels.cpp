// The pixels of the board tests' pictures.
#include "board_test_pixels.h"

#include "limn/pictures/MacPictElem.h"
#include "limn/pictures/Picture.h"

#include <gtest/gtest.h>

namespace board_test {

std::vector<BYTE> PixelRows(HDIB hDIB, int& nWidth, int& nHeight, bool bKeepAlpha)
{
    DIBINFO info;
    if (hDIB == NULL || !ValidateDIBHandle(hDIB, &info))
        return {};
    HDIB hPixels = bKeepAlpha && info.wBitCount == 32 && info.dwCompression == BI_RGB
                       ? CopyHandle(hDIB)
                       : ChangeDIBFormat(hDIB, 24, BI_RGB, NULL);
    DIBINFO pixels;
    EXPECT_TRUE(ValidateDIBHandle(hPixels, &pixels));
    EXPECT_FALSE(pixels.bTopDown);
    nWidth = pixels.nWidth;
    nHeight = pixels.nHeight;
    const BYTE* pBits = (const BYTE*)::GlobalLock(hPixels) + pixels.cbHeader + pixels.cbColorTable;
    std::vector<BYTE> rows(pBits, pBits + pixels.cbBits);
    ::GlobalUnlock(hPixels);
    ::GlobalFree(hPixels);
    return rows;
}

HDIB ShownDIB(CPicture* pPicture)
{
    const CPictElemArray& elems = pPicture->GetPictElems();
    auto* pMacPict = dynamic_cast<CMacPictElem*>(elems[0].m_pElem);
    HDIB hDIB = pMacPict != NULL ? pMacPict->MakeDIB() : pPicture->MakeDIB();
    DIBINFO info;
    if (hDIB == NULL || !ValidateDIBHandle(hDIB, &info) || info.wBitCount <= 16)
        return hDIB;
    HDIB hShown = ChangeDIBFormat(hDIB, 16, BI_RGB, NULL);
    ::GlobalFree(hDIB);
    return hShown;
}

} // namespace board_test
