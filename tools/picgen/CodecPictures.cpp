// picgen's pictures written by the system's encoders (through diblib).
#include "Samples.h"

#include <math.h>

namespace {

void WriteImage(const CString& strPath, HDIB hDIB, int nFormat)
{
    CFile file(strPath, CFile::modeCreate | CFile::modeWrite);
    const BOOL bWritten = WriteImageFile(file, hDIB, nFormat);
    ::GlobalFree(hDIB);
    if (!bWritten)
        AfxThrowFileException(CFileException::generic, -1, strPath);
}

// The share of pixel (x, y) that a disc covers, from 4 x 4 samples.
double DiscCoverage(int x, int y, double cx, double cy, double r)
{
    int nInside = 0;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            nInside += hypot(x + (i + 0.5) / 4 - cx, y + (j + 0.5) / 4 - cy) <= r;
    return nInside / 16.0;
}

// A 64 x 64 sun: an orange rim around a yellow face, twelve rays, on nothing. Alpha is
// the share of each pixel that the sun covers, so its edges are soft.
HDIB SunWithAlpha()
{
    const int cx = 64, cy = 64;
    HDIB hDIB = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(BITMAPINFOHEADER) + cx * cy * 4);
    auto* pHeader = hDIB != NULL ? static_cast<BITMAPINFOHEADER*>(::GlobalLock(hDIB)) : NULL;
    if (pHeader == NULL)
        AfxThrowMemoryException();
    pHeader->biSize = sizeof(BITMAPINFOHEADER);
    pHeader->biWidth = cx;
    pHeader->biHeight = cy;
    pHeader->biPlanes = 1;
    pHeader->biBitCount = 32;
    BYTE* pBits = reinterpret_cast<BYTE*>(pHeader + 1);
    for (int y = 0; y < cy; ++y)
    {
        for (int x = 0; x < cx; ++x)
        {
            const double dFace = DiscCoverage(x, y, 32, 32, 15);
            const double dRim = DiscCoverage(x, y, 32, 32, 19);
            // A ray: near one of twelve directions, between the rim and the edge.
            const double dAngle = atan2(y + 0.5 - 32, x + 0.5 - 32) * 6 / 3.14159265358979;
            const double dOff = fabs(dAngle - floor(dAngle + 0.5));
            const double dRadius = hypot(x + 0.5 - 32, y + 0.5 - 32);
            const double dRay = dRadius > 19 && dRadius < 31 ? std::max(0.0, 1 - dOff * 8) : 0;
            const double dAlpha = std::max(dRim, dRay);
            BYTE* p = pBits + ((size_t)(cy - 1 - y) * cx + x) * 4;
            const BOOL bFace = dFace > 0.5;
            p[0] = bFace ? 40 : 20;             // blue
            p[1] = bFace ? 220 : 150;           // green
            p[2] = 255;                         // red
            p[3] = (BYTE)lround(dAlpha * 255);
        }
    }
    ::GlobalUnlock(hDIB);
    return hDIB;
}

} // namespace

void WriteCodecPictures(const CString& strFolder, const CImage& landscape)
{
    WriteImage(strFolder + "\\landscape-photo.jpg", landscape.ToDIB(), IMAGE_JPEG);
    WriteImage(strFolder + "\\sun-alpha.png", SunWithAlpha(), IMAGE_PNG);
}
