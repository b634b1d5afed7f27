// Label pictures: text drawn into a DIB section, kept as a picture's bitmap.
#include "LabelPicture.h"

#include "limn/pictures/DIBElem.h"
#include "limn/pictures/Picture.h"

#include <memory>

CPicture* AddLabel(CHoard& hoard, const char* pszName, const char* pszText, CSize size, int nHeight, COLORREF crText,
                   COLORREF crBack)
{
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = size.cx;
    header.biHeight = size.cy;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = ((size.cx * 3 + 3) & ~3) * size.cy;
    void* pBits = NULL;
    CBitmap bitmap;
    if (!bitmap.Attach(::CreateDIBSection(NULL, (BITMAPINFO*)&header, DIB_RGB_COLORS, &pBits, NULL, 0)))
        AfxThrowResourceException();
    CDC dc;
    if (!dc.CreateCompatibleDC(NULL))
        AfxThrowResourceException();
    CFont font;
    if (!font.CreateFont(-nHeight, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial"))
        AfxThrowResourceException();
    CBitmap* pOldBitmap = dc.SelectObject(&bitmap);
    CFont* pOldFont = dc.SelectObject(&font);
    dc.FillSolidRect(0, 0, size.cx, size.cy, crBack);
    dc.SetTextColor(crText);
    dc.SetBkMode(TRANSPARENT);
    CRect rect(0, 0, size.cx, size.cy);
    dc.DrawText(pszText, -1, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc.SelectObject(pOldFont);
    dc.SelectObject(pOldBitmap);
    ::GdiFlush();

    HGLOBAL hDIB = ::GlobalAlloc(GMEM_MOVEABLE, sizeof header + header.biSizeImage);
    if (hDIB == NULL)
        AfxThrowMemoryException();
    BYTE* pDIB = static_cast<BYTE*>(::GlobalLock(hDIB));
    memcpy(pDIB, &header, sizeof header);
    memcpy(pDIB + sizeof header, pBits, header.biSizeImage);
    ::GlobalUnlock(hDIB);
    std::unique_ptr<CDIBElem> pElem(new CDIBElem(hDIB));
    ::GlobalFree(hDIB);
    CPicture* pPicture = CPicture::New(hoard, pszName);
    pPicture->AddPictElem(pElem.release());
    return pPicture;
}

