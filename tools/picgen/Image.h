// CImage: a bottom-up BI_RGB DIB that picgen fills, pixel (x, y) counted from the top.
#pragma once

#include "BitmapFile.h"
#include "diblib/dibapi.h"

#include <math.h>

#include <algorithm>
#include <functional>
#include <vector>

class CImage
{
public:
    CImage(int cx, int cy, WORD wBitCount, const std::vector<RGBQUAD>& palette = {})
        : m_cx(cx), m_cy(cy), m_nRow(((cx * wBitCount + 31) / 32) * 4), m_palette(palette),
          m_bits((size_t)m_nRow * cy)
    {
        m_header.biSize = sizeof m_header;
        m_header.biWidth = cx;
        m_header.biHeight = cy;
        m_header.biPlanes = 1;
        m_header.biBitCount = wBitCount;
        m_header.biCompression = BI_RGB;
        m_header.biSizeImage = (DWORD)m_bits.size();
        m_header.biClrUsed = (DWORD)palette.size();
    }

    int Width() const { return m_cx; }
    int Height() const { return m_cy; }

    // For 24 bits: the colour of pixel (x, y) as 0x00RRGGBB.
    DWORD RGBAt(int x, int y) const
    {
        const BYTE* p = &m_bits[(size_t)(m_cy - 1 - y) * m_nRow + 3 * x];
        return (DWORD)p[2] << 16 | (DWORD)p[1] << 8 | p[0];
    }

    // For 24 bits: a colour; for 32 bits: a colour with alpha in its high byte; for 8 and
    // 1 bits: an index of the palette.
    void Set(int x, int y, DWORD value)
    {
        if (x < 0 || y < 0 || x >= m_cx || y >= m_cy)
            return;
        BYTE* pRow = &m_bits[(size_t)(m_cy - 1 - y) * m_nRow];
        switch (m_header.biBitCount)
        {
        case 1:
            pRow[x / 8] = (BYTE)((pRow[x / 8] & ~(0x80 >> x % 8)) | ((value & 1) << (7 - x % 8)));
            break;
        case 8:
            pRow[x] = (BYTE)value;
            break;
        case 32:
            pRow[4 * x] = GetBValue(value);
            pRow[4 * x + 1] = GetGValue(value);
            pRow[4 * x + 2] = GetRValue(value);
            pRow[4 * x + 3] = (BYTE)(value >> 24);
            break;
        default:
            pRow[3 * x] = GetBValue(value);
            pRow[3 * x + 1] = GetGValue(value);
            pRow[3 * x + 2] = GetRValue(value);
            break;
        }
    }

    void Fill(const std::function<DWORD(int x, int y)>& pixel)
    {
        for (int y = 0; y < m_cy; ++y)
            for (int x = 0; x < m_cx; ++x)
                Set(x, y, pixel(x, y));
    }

    // A line of the given width between two points.
    void Line(double x0, double y0, double x1, double y1, double dWidth, DWORD value)
    {
        double dLength = std::max(fabs(x1 - x0), fabs(y1 - y0));
        int nSteps = (int)(dLength * 2) + 1;
        for (int i = 0; i <= nSteps; ++i)
        {
            double x = x0 + (x1 - x0) * i / nSteps;
            double y = y0 + (y1 - y0) * i / nSteps;
            Disc(x, y, dWidth / 2, value);
        }
    }

    void Disc(double cx, double cy, double r, DWORD value)
    {
        for (int y = (int)floor(cy - r); y <= (int)ceil(cy + r); ++y)
            for (int x = (int)floor(cx - r); x <= (int)ceil(cx + r); ++x)
                if ((x + 0.5 - cx) * (x + 0.5 - cx) + (y + 0.5 - cy) * (y + 0.5 - cy) <= r * r)
                    Set(x, y, value);
    }

    // A new packed DIB of the image, which the caller frees.
    HDIB ToDIB() const
    {
        const SIZE_T cbPalette = m_palette.size() * sizeof(RGBQUAD);
        HDIB hDIB = ::GlobalAlloc(GMEM_MOVEABLE, sizeof m_header + cbPalette + m_bits.size());
        BYTE* p = hDIB != NULL ? static_cast<BYTE*>(::GlobalLock(hDIB)) : NULL;
        if (p == NULL)
            AfxThrowMemoryException();
        memcpy(p, &m_header, sizeof m_header);
        memcpy(p + sizeof m_header, m_palette.data(), cbPalette);
        memcpy(p + sizeof m_header + cbPalette, m_bits.data(), m_bits.size());
        ::GlobalUnlock(hDIB);
        return hDIB;
    }

    void Write(const CString& strPath) const
    {
        std::vector<BYTE> head((const BYTE*)&m_header, (const BYTE*)&m_header + sizeof m_header);
        head.insert(head.end(), (const BYTE*)m_palette.data(), (const BYTE*)(m_palette.data() + m_palette.size()));
        WriteBitmapFile(strPath, head.data(), (DWORD)head.size(), m_bits.data(), (DWORD)m_bits.size());
    }

private:
    int m_cx;
    int m_cy;
    int m_nRow;
    BITMAPINFOHEADER m_header = {};
    std::vector<RGBQUAD> m_palette;
    std::vector<BYTE> m_bits;
};

