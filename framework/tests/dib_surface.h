// Helpers of the GDI tests: a drawing surface, a memory device context with a 32-bit
// top-down DIB section selected whose pixels are read straight from the section's
// memory, and a rectangle comparison that prints both rectangles.
#pragma once

#include <afxwin.h>
#include <gtest/gtest.h>

inline ::testing::AssertionResult RectEq(const RECT& expected, const RECT& actual)
{
    if (EqualRect(&expected, &actual))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
        << "expected (" << expected.left << "," << expected.top << "," << expected.right << ","
        << expected.bottom << ") got (" << actual.left << "," << actual.top << ","
        << actual.right << "," << actual.bottom << ")";
}

class CDibSurface
{
public:
    CDibSurface(int cx, int cy, COLORREF crFill = RGB(255, 255, 255)) : m_cx(cx), m_cy(cy)
    {
        BITMAPINFO bmi = {};
        bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bmi.bmiHeader.biWidth = cx;
        bmi.bmiHeader.biHeight = -cy;
        bmi.bmiHeader.biPlanes = 1;
        bmi.bmiHeader.biBitCount = 32;
        bmi.bmiHeader.biCompression = BI_RGB;
        void* pBits = NULL;
        m_hBitmap = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
        m_pBits = static_cast<DWORD*>(pBits);
        m_dc.Attach(::CreateCompatibleDC(NULL));
        m_hOldBitmap = ::SelectObject(m_dc.m_hDC, m_hBitmap);
        Fill(crFill);
    }
    ~CDibSurface()
    {
        ::SelectObject(m_dc.m_hDC, m_hOldBitmap);
        m_dc.DeleteDC();
        ::DeleteObject(m_hBitmap);
    }
    CDibSurface(const CDibSurface&) = delete;
    CDibSurface& operator=(const CDibSurface&) = delete;

    void Fill(COLORREF crFill)
    {
        for (int i = 0; i < m_cx * m_cy; ++i)
            m_pBits[i] = Pixel(crFill);
    }

    // The colour at (x, y) of the device, as an RGB value.
    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        return Raw(x, y);
    }

    // The smallest rectangle that holds every pixel not of crBackground; empty if none.
    CRect PaintedBounds(COLORREF crBackground) const
    {
        ::GdiFlush();
        CRect rect;
        for (int y = 0; y < m_cy; ++y)
        {
            for (int x = 0; x < m_cx; ++x)
            {
                if (Raw(x, y) == crBackground)
                    continue;
                CRect rectPixel(x, y, x + 1, y + 1);
                rect |= rectPixel;
            }
        }
        return rect;
    }

    int Count(COLORREF crColor) const
    {
        ::GdiFlush();
        int n = 0;
        for (int y = 0; y < m_cy; ++y)
            for (int x = 0; x < m_cx; ++x)
                n += Raw(x, y) == crColor;
        return n;
    }

    CDC m_dc;

private:
    COLORREF Raw(int x, int y) const
    {
        DWORD dw = m_pBits[y * m_cx + x];
        return RGB((dw >> 16) & 0xFF, (dw >> 8) & 0xFF, dw & 0xFF);
    }
    static DWORD Pixel(COLORREF cr) { return (GetRValue(cr) << 16) | (GetGValue(cr) << 8) | GetBValue(cr); }

    int m_cx;
    int m_cy;
    HBITMAP m_hBitmap;
    HGDIOBJ m_hOldBitmap;
    DWORD* m_pBits;
};
