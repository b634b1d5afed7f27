// Routine 46: the picture rendered at its frame's size over white into a 24-bit DIB
// section, copied into a new packed DIB (BITMAPINFOHEADER, bottom-up, BI_RGB, no colour
// table) in a movable global block.
#include "media/qtim32/PictureHandle.h"
#include "media/qtim32/PictureRoutines.h"

#include "media/pict/PictReader.h"

#include <cstring>

namespace
{

// A memory DC with a 24-bit bottom-up DIB section selected, released with its scope.
class CFrameSurface
{
public:
    CFrameSurface(LONG width, LONG height)
    {
        m_bih.biSize = sizeof(BITMAPINFOHEADER);
        m_bih.biWidth = width;
        m_bih.biHeight = height;
        m_bih.biPlanes = 1;
        m_bih.biBitCount = 24;
        m_bih.biCompression = BI_RGB;
        m_bih.biSizeImage = static_cast<DWORD>(((width * 3 + 3) & ~3) * height);
        m_hdc = ::CreateCompatibleDC(NULL);
        m_hbm = ::CreateDIBSection(NULL, reinterpret_cast<const BITMAPINFO*>(&m_bih), DIB_RGB_COLORS,
                                   &m_pBits, NULL, 0);
        if (m_hdc != NULL && m_hbm != NULL)
            m_hbmOld = ::SelectObject(m_hdc, m_hbm);
    }
    ~CFrameSurface()
    {
        if (m_hbmOld != NULL)
            ::SelectObject(m_hdc, m_hbmOld);
        if (m_hbm != NULL)
            ::DeleteObject(m_hbm);
        if (m_hdc != NULL)
            ::DeleteDC(m_hdc);
    }
    CFrameSurface(const CFrameSurface&) = delete;
    CFrameSurface& operator=(const CFrameSurface&) = delete;

    bool IsReady() const { return m_hbmOld != NULL && m_pBits != NULL; }
    HDC DC() const { return m_hdc; }
    const BITMAPINFOHEADER& Header() const { return m_bih; }
    const void* Bits() const { return m_pBits; }

private:
    BITMAPINFOHEADER m_bih{};
    HDC m_hdc = NULL;
    HBITMAP m_hbm = NULL;
    HGDIOBJ m_hbmOld = NULL;
    void* m_pBits = NULL;
};

HGLOBAL PackDIB(const CFrameSurface& surface)
{
    const BITMAPINFOHEADER& bih = surface.Header();
    HGLOBAL hDIB = ::GlobalAlloc(GMEM_MOVEABLE, sizeof(BITMAPINFOHEADER) + bih.biSizeImage);
    if (hDIB == NULL)
        return NULL;
    BYTE* p = static_cast<BYTE*>(::GlobalLock(hDIB));
    if (p == NULL)
    {
        ::GlobalFree(hDIB);
        return NULL;
    }
    std::memcpy(p, &bih, sizeof(bih));
    std::memcpy(p + sizeof(bih), surface.Bits(), bih.biSizeImage);
    ::GlobalUnlock(hDIB);
    return hDIB;
}

} // namespace

HGLOBAL PictureToDIB(HGLOBAL hPict)
{
    CLockedPicture picture(hPict);
    if (!picture.IsValid())
        return NULL;
    pict::PictInfo info;
    if (!pict::ReadPictHeader(picture.Data(), picture.Size(), info) || info.frame.IsEmpty())
        return NULL;
    const LONG width = info.frame.Width();
    const LONG height = info.frame.Height();
    if (static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > pict::kMaxPixels)
        return NULL;

    CFrameSurface surface(width, height);
    if (!surface.IsReady())
        return NULL;
    const RECT rcFrame{0, 0, width, height};
    ::FillRect(surface.DC(), &rcFrame, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    if (DrawPictureBytes(surface.DC(), picture.Data(), picture.Size(), info.frame, rcFrame) != 0)
        return NULL;
    ::GdiFlush();
    return PackDIB(surface);
}
