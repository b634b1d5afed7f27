// CScreenImage: the screen side of the demos, a 24-bit bottom-up DIB section selected
// into a memory context, written out as a ".bmp" file.
#pragma once

#include <afxwin.h>

class CScreenImage
{
public:
    // Throws CResourceException when the section or the context cannot be made.
    CScreenImage(int cx, int cy);
    ~CScreenImage();
    CScreenImage(const CScreenImage&) = delete;
    CScreenImage& operator=(const CScreenImage&) = delete;

    // Finishes GDI's drawing and writes the pixels; throws CFileException.
    void WriteBitmapFile(LPCSTR lpszPath);

    CDC m_dc;

private:
    BITMAPINFOHEADER m_bmi = {};
    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap;
    void* m_pBits;
};
