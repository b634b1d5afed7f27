// The GDI sink's images: decoded pixels stretched with StretchDIBits from a top-down DIB
// over them (32 bits, or 8 bits with a colour table for an indexed image), through the
// image's mask as an extra clip, and compressed images decoded through the component
// manager first.
//
// The transfer modes are raster operations on whole images: Transparent is an AND with
// a mask (white where the image is white, black elsewhere) followed by an OR with the
// image whose white turned black; Invert is an XOR with white where the image is black.
#include "media/qtim32/GdiPictSink.h"

#include "media/qtim32/ComponentManager.h"
#include "media/qtim32/GdiRegion.h"

#include "media/pict/PictReader.h"

#include <algorithm>
#include <vector>

namespace
{

// The image with each pixel replaced by onMatch when it is `match`, by otherwise when
// it is not (or kept when otherwise is keep).
constexpr uint32_t kKeep = 0xFFFFFFFF;

pict::Image Recolored(const pict::Image& image, pict::Color match, uint32_t onMatch, uint32_t otherwise)
{
    pict::Image result;
    result.width = image.width;
    result.height = image.height;
    result.pixels.resize(static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
    for (size_t i = 0; i < result.pixels.size(); ++i)
    {
        const uint32_t pixel = image.At(i) & 0xFFFFFF;
        result.pixels[i] = pixel == match ? onMatch : (otherwise == kKeep ? pixel : otherwise);
    }
    return result;
}

// A top-down DIB header of the image: 32 bits, or 8 bits with the palette as its colour
// table.
struct CImageHeader
{
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

void FillHeader(const pict::Image& image, CImageHeader& info)
{
    info.header = BITMAPINFOHEADER{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = image.width;
    info.header.biHeight = -image.height;
    info.header.biPlanes = 1;
    info.header.biBitCount = image.IsIndexed() ? 8 : 32;
    info.header.biCompression = BI_RGB;
    if (!image.IsIndexed())
        return;
    info.header.biClrUsed = 256;
    for (int i = 0; i < 256; ++i)
    {
        const uint32_t colour = image.palette[i];
        info.colors[i] = RGBQUAD{static_cast<BYTE>(colour), static_cast<BYTE>(colour >> 8),
                                 static_cast<BYTE>(colour >> 16), 0};
    }
}

} // namespace

void CGdiPictSink::StretchImage(const pict::Image& image, const pict::Rect& src, const pict::Rect& dst, DWORD rop)
{
    CImageHeader info;
    FillHeader(image, info);
    // An indexed image's rows are padded to whole DWORDs, as a DIB's are.
    const void* pBits = image.pixels.data();
    std::vector<uint8_t> padded;
    if (image.IsIndexed())
    {
        const size_t width = static_cast<size_t>(image.width), stride = (width + 3) & ~static_cast<size_t>(3);
        pBits = image.indices.data();
        if (stride != width)
        {
            padded.resize(stride * static_cast<size_t>(image.height));
            for (size_t y = 0; y < static_cast<size_t>(image.height); ++y)
                std::copy_n(image.indices.data() + y * width, width, padded.data() + y * stride);
            pBits = padded.data();
        }
    }
    // StretchDIBits counts ySrc from the DIB's last row upwards even in a top-down DIB.
    ::StretchDIBits(m_hdc, dst.left, dst.top, dst.Width(), dst.Height(), src.left, image.height - src.bottom,
                    src.Width(), src.Height(), pBits, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS,
                    rop);
}

void CGdiPictSink::DrawImage(const pict::Image& image, const pict::Rect& src, const pict::Rect& dst,
                             const pict::Region* mask, pict::Transfer transfer)
{
    if (image.width <= 0 || image.height <= 0 || dst.IsEmpty() || !image.IsWhole())
        return;
    const auto draw = [&] {
        switch (transfer)
        {
        case pict::Transfer::Copy:
            StretchImage(image, src, dst, SRCCOPY);
            break;
        case pict::Transfer::Transparent:
            StretchImage(Recolored(image, pict::kWhite, pict::kWhite, pict::kBlack), src, dst, SRCAND);
            StretchImage(Recolored(image, pict::kWhite, pict::kBlack, kKeep), src, dst, SRCPAINT);
            break;
        case pict::Transfer::Invert:
            StretchImage(Recolored(image, pict::kBlack, pict::kWhite, pict::kBlack), src, dst, SRCINVERT);
            break;
        }
    };
    if (mask == NULL)
    {
        draw();
        return;
    }
    CSavedClip clip(m_hdc);
    if (!clip.IsSaved())
        return;
    IntersectClipWithRects(m_hdc, mask->rects);
    draw();
}

void CGdiPictSink::DrawCompressed(const pict::CompressedImage& image)
{
    if (image.width <= 0 || image.height <= 0 ||
        static_cast<uint64_t>(image.width) * static_cast<uint64_t>(image.height) > pict::kMaxPixels)
        return;
    pict::Image pixels;
    if (!DecompressWithComponentManager(image, pixels))
        return;
    DrawImage(pixels, pict::Rect{0, 0, image.width, image.height}, image.dst, image.mask, image.transfer);
}
