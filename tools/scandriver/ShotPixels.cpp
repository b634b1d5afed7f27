// CShotPixels.
#include "ShotPixels.h"

#include <stdio.h>
#include <stdlib.h>

BOOL CShotPixels::Read(const char* pszPath)
{
    m_size = CSize(0, 0);
    m_pixels.clear();
    FILE* pFile = fopen(pszPath, "rb");
    if (pFile == NULL)
        return FALSE;
    BITMAPFILEHEADER fileHeader;
    BITMAPINFOHEADER header;
    BOOL bRead = fread(&fileHeader, sizeof fileHeader, 1, pFile) == 1 && fread(&header, sizeof header, 1, pFile) == 1 &&
                 fileHeader.bfType == 0x4D42 && header.biBitCount == 24 && header.biCompression == BI_RGB &&
                 header.biWidth > 0 && header.biHeight > 0 && header.biWidth <= 0x4000 && header.biHeight <= 0x4000 &&
                 fseek(pFile, (long)fileHeader.bfOffBits, SEEK_SET) == 0;
    if (bRead)
    {
        const int cx = header.biWidth, cy = header.biHeight;
        std::vector<BYTE> row(((size_t)cx * 3 + 3) & ~(size_t)3);
        m_pixels.resize((size_t)cx * cy);
        for (int y = cy - 1; bRead && y >= 0; --y)
        {
            bRead = fread(row.data(), 1, row.size(), pFile) == row.size();
            for (int x = 0; bRead && x < cx; ++x)
                m_pixels[(size_t)y * cx + x] = RGB(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
        }
        if (bRead)
            m_size = CSize(cx, cy);
        else
            m_pixels.clear();
    }
    fclose(pFile);
    return bRead;
}

COLORREF CShotPixels::GetPixel(int x, int y) const { return m_pixels[(size_t)y * m_size.cx + x]; }

BOOL CShotPixels::Contains(COLORREF cr, const CRect& rect, int nTolerance) const
{
    CRect rectIn;
    if (!rectIn.IntersectRect(&rect, CRect(CPoint(0, 0), m_size)))
        return FALSE;
    for (int y = rectIn.top; y < rectIn.bottom; ++y)
    {
        for (int x = rectIn.left; x < rectIn.right; ++x)
        {
            COLORREF crPixel = GetPixel(x, y);
            if (abs(GetRValue(crPixel) - GetRValue(cr)) <= nTolerance &&
                abs(GetGValue(crPixel) - GetGValue(cr)) <= nTolerance &&
                abs(GetBValue(crPixel) - GetBValue(cr)) <= nTolerance)
                return TRUE;
        }
    }
    return FALSE;
}
