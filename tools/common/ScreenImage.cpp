// CScreenImage: the section, its context and its file.
#include "ScreenImage.h"
#include "BitmapFile.h"

CScreenImage::CScreenImage(int cx, int cy) : m_hOldBitmap(NULL), m_pBits(NULL)
{
    m_bmi.biSize = sizeof(BITMAPINFOHEADER);
    m_bmi.biWidth = cx;
    m_bmi.biHeight = cy;
    m_bmi.biPlanes = 1;
    m_bmi.biBitCount = 24;
    m_bmi.biCompression = BI_RGB;
    m_bmi.biSizeImage = ((cx * 3 + 3) & ~3) * cy;
    HBITMAP hBitmap = ::CreateDIBSection(NULL, reinterpret_cast<BITMAPINFO*>(&m_bmi), DIB_RGB_COLORS, &m_pBits, NULL, 0);
    if (hBitmap == NULL)
        AfxThrowResourceException();
    m_bitmap.Attach(hBitmap);
    if (!m_dc.CreateCompatibleDC(NULL))
        AfxThrowResourceException();
    m_hOldBitmap = m_dc.SelectObject(m_bitmap.m_hObject);
}

CScreenImage::~CScreenImage() { m_dc.SelectObject(m_hOldBitmap); }

void CScreenImage::WriteBitmapFile(LPCSTR lpszPath)
{
    ::GdiFlush();
    ::WriteBitmapFile(lpszPath, &m_bmi, sizeof m_bmi, m_pBits, m_bmi.biSizeImage);
}
