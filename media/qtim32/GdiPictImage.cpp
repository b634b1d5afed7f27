// The GDI sink's images: decoded pixels stretched with StretchDIBits from a 32-bit
// top-down DIB over them, through the image's mask as an extra clip, and compressed
// images decoded through the component manager first.
//
// The transfer modes are raster operations on whole images: Transparent is an AND with
// a mask (white where the image is white, black elsewhere) followed by an OR with the
// image whose white turned black; Invert is an XOR with white where the image is black.
#include "media/qtim32/GdiPictSink.h"

#include "media/qtim32/ComponentManager.h"
#include "media/qtim32/GdiRegion.h"

#include "media/pict/PictReader.h"

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
    result.pixels.resize(image.pixels.size());
    for (size_t i = 0; i < image.pixels.size(); ++i)
    {
        const uint32_t pixel = image.pixels[i] & 0xFFFFFF;
        result.pixels[i] = pixel == match ? onMatch : (otherwise == kKeep ? pixel : otherwise);
    }
    return result;
}

} // namespace

void CGdiPictSink::StretchImage(const pict::Image& image, const pict::Rect& src, const pict::Rect& dst, DWORD rop)
{
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = image.width;
    bmi.bmiHeader.biHeight = -image.height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    // StretchDIBits counts ySrc from the DIB's last row upwards even in a top-down DIB.
    ::StretchDIBits(m_hdc, dst.left, dst.top, dst.Width(), dst.Height(), src.left, image.height - src.bottom,
                    src.Width(), src.Height(), image.pixels.data(), &bmi, DIB_RGB_COLORS, rop);
}

void CGdiPictSink::DrawImage(const pict::Image& image, const pict::Rect& src, const pict::Rect& dst,
                             const pict::Region* mask, pict::Transfer transfer)
{
    if (image.width <= 0 || image.height <= 0 || dst.IsEmpty() ||
        image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
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
