// Routine 46: the picture as a new packed DIB (BITMAPINFOHEADER, bottom-up, BI_RGB) in a
// movable global block. A picture that is one indexed image covering its frame (the usual
// scanned or painted picture) becomes an 8-bit DIB of that image's indices and colours,
// exactly; any other picture is rendered at its frame's size over white into a 24-bit
// DIB section. A picture whose bytes break off before its end gives no DIB, so that its
// user keeps the bytes rather than a bitmap of part of it.
#include "media/qtim32/PictureHandle.h"
#include "media/qtim32/PictureRoutines.h"

#include "media/pict/PictReader.h"

#include <cstring>
#include <utility>

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

// Plays a picture without drawing it, to learn whether it is one indexed image that
// covers the frame, drawn whole, in copy mode, without a mask and unclipped within the
// frame; it keeps that image.
class CSingleImageSink : public pict::PictSink
{
public:
    explicit CSingleImageSink(const pict::Rect& frame) : m_frame(frame) {}

    // The image, when the picture was nothing else.
    const pict::Image* Image() const { return m_bSingle && m_image.IsIndexed() ? &m_image : NULL; }

    void SetClip(const pict::Region& clip) override
    {
        if (clip.rects.size() != 1 || !Contains(clip.rects[0], m_frame))
            m_bSingle = false;
    }
    void DrawLine(pict::Point, pict::Point, const pict::Style&) override { m_bSingle = false; }
    void DrawRect(const pict::Rect&, const pict::Style&) override { m_bSingle = false; }
    void DrawRoundRect(const pict::Rect&, int32_t, int32_t, const pict::Style&) override { m_bSingle = false; }
    void DrawOval(const pict::Rect&, const pict::Style&) override { m_bSingle = false; }
    void DrawArc(const pict::Rect&, int32_t, int32_t, const pict::Style&) override { m_bSingle = false; }
    void DrawPolygon(const std::vector<pict::Point>&, const pict::Style&) override { m_bSingle = false; }
    void DrawRegion(const pict::Region&, const pict::Style&) override { m_bSingle = false; }
    void DrawString(pict::Point, const std::string&, const pict::Font&) override { m_bSingle = false; }
    void DrawCompressed(const pict::CompressedImage&) override { m_bSingle = false; }
    void DrawImage(const pict::Image& image, const pict::Rect& src, const pict::Rect& dst, const pict::Region* mask,
                   pict::Transfer transfer) override
    {
        const pict::Rect whole{0, 0, image.width, image.height};
        if (!m_bSingle || !m_image.IsEmpty() || !image.IsIndexed() || !image.IsWhole() || mask != NULL ||
            transfer != pict::Transfer::Copy || !Same(src, whole) || !Same(dst, m_frame) ||
            whole.Width() != m_frame.Width() || whole.Height() != m_frame.Height())
        {
            m_bSingle = false;
            return;
        }
        m_image = image;
    }

private:
    static bool Same(const pict::Rect& a, const pict::Rect& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    static bool Contains(const pict::Rect& outer, const pict::Rect& inner)
    {
        return outer.left <= inner.left && outer.top <= inner.top && outer.right >= inner.right &&
               outer.bottom >= inner.bottom;
    }

    pict::Rect m_frame;
    bool m_bSingle = true;
    pict::Image m_image;
};

// An 8-bit packed DIB of an indexed image, its palette as the colour table.
HGLOBAL PackIndexedDIB(const pict::Image& image)
{
    const size_t width = static_cast<size_t>(image.width), stride = (width + 3) & ~static_cast<size_t>(3);
    const size_t cbBits = stride * static_cast<size_t>(image.height);
    const size_t cbHead = sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD);
    HGLOBAL hDIB = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, cbHead + cbBits);
    BYTE* p = hDIB != NULL ? static_cast<BYTE*>(::GlobalLock(hDIB)) : NULL;
    if (p == NULL)
    {
        if (hDIB != NULL)
            ::GlobalFree(hDIB);
        return NULL;
    }
    auto* pHeader = reinterpret_cast<BITMAPINFOHEADER*>(p);
    pHeader->biSize = sizeof(BITMAPINFOHEADER);
    pHeader->biWidth = image.width;
    pHeader->biHeight = image.height;
    pHeader->biPlanes = 1;
    pHeader->biBitCount = 8;
    pHeader->biCompression = BI_RGB;
    pHeader->biSizeImage = static_cast<DWORD>(cbBits);
    pHeader->biClrUsed = 256;
    auto* pColors = reinterpret_cast<RGBQUAD*>(pHeader + 1);
    for (int i = 0; i < 256; ++i)
        pColors[i] = RGBQUAD{static_cast<BYTE>(image.palette[i]), static_cast<BYTE>(image.palette[i] >> 8),
                             static_cast<BYTE>(image.palette[i] >> 16), 0};
    BYTE* pBits = p + cbHead;
    for (size_t y = 0; y < static_cast<size_t>(image.height); ++y)
        std::memcpy(pBits + (static_cast<size_t>(image.height) - 1 - y) * stride, image.indices.data() + y * width,
                    width);
    ::GlobalUnlock(hDIB);
    return hDIB;
}

// Whether a picture that ended so was read whole, or stopped cleanly at an opcode it
// cannot know; one whose bytes broke off is damaged.
bool EndedCleanly(pict::PictResult result)
{
    return result == pict::PictResult::Complete || result == pict::PictResult::Refused;
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

    CSingleImageSink probe(info.frame);
    if (!EndedCleanly(pict::ReadPicture(picture.Data(), picture.Size(), probe)))
        return NULL;
    if (const pict::Image* pImage = probe.Image())
        return PackIndexedDIB(*pImage);

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
