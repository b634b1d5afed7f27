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
CImage SunWithAlpha()
{
    CImage image(64, 64, 32);
    image.Fill([](int x, int y) {
        const double dFace = DiscCoverage(x, y, 32, 32, 15);
        const double dRim = DiscCoverage(x, y, 32, 32, 19);
        // A ray: near one of twelve directions, between the rim and the edge.
        const double dAngle = atan2(y + 0.5 - 32, x + 0.5 - 32) * 6 / 3.14159265358979;
        const double dOff = fabs(dAngle - floor(dAngle + 0.5));
        const double dRadius = hypot(x + 0.5 - 32, y + 0.5 - 32);
        const double dRay = dRadius > 19 && dRadius < 31 ? std::max(0.0, 1 - dOff * 8) : 0;
        const DWORD dwAlpha = (DWORD)lround(std::max(dRim, dRay) * 255);
        return (dFace > 0.5 ? RGB(255, 220, 40) : RGB(255, 150, 20)) | dwAlpha << 24;
    });
    return image;
}

} // namespace

void WriteCodecPictures(const CString& strFolder, const CImage& landscape)
{
    WriteImage(strFolder + "\\landscape-photo.jpg", landscape.ToDIB(), IMAGE_JPEG);
    WriteImage(strFolder + "\\sun-alpha.png", SunWithAlpha().ToDIB(), IMAGE_PNG);
}
