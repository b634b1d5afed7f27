// CShotPixels: the pixels of a picture of the board's window, as the board writes it
// (a 24-bit bottom-up ".bmp" file), read back to look for the scanning highlight or a
// pressed choice.
#pragma once

#include <afxwin.h>

#include <vector>

class CShotPixels
{
public:
    // FALSE when the file cannot be read or is not a 24-bit uncompressed bitmap.
    BOOL Read(const char* pszPath);

    CSize GetSize() const { return m_size; }
    // The colour at (x, y), from the top-left corner; x and y must lie inside.
    COLORREF GetPixel(int x, int y) const;
    // Whether a pixel of rect (clipped to the picture) has the colour cr, each component
    // within nTolerance of it: the board draws through a buffer of the display's depth,
    // which may keep fewer bits of a colour.
    BOOL Contains(COLORREF cr, const CRect& rect, int nTolerance = 0) const;
    BOOL Contains(COLORREF cr) const { return Contains(cr, CRect(CPoint(0, 0), m_size)); }

private:
    CSize m_size;
    std::vector<COLORREF> m_pixels;     // rows from the top
};
