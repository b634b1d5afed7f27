// WriteImageFile: a packed DIB encoded by the imaging component as a PNG, JPEG, GIF,
// TIFF or BMP file.
#include "diblib/DIBValidate.h"
#include "diblib/GlobalBlock.h"
#include "diblib/WicSession.h"

#include <new>
#include <string.h>
#include <vector>

namespace {

// The pixels handed to the encoder: top row first, rows padded to 4 bytes.
struct ENCODERIMAGE
{
    UINT nWidth = 0;
    UINT nHeight = 0;
    UINT cbRow = 0;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    std::vector<BYTE> bits;
    std::vector<WICColor> colors; // the palette of an 8bppIndexed image
    double dpiX = 96;
    double dpiY = 96;
};

const double METERS_PER_INCH = 0.0254;

const GUID* ContainerOf(int nFormat)
{
    switch (nFormat)
    {
    case IMAGE_PNG:
        return &GUID_ContainerFormatPng;
    case IMAGE_JPEG:
        return &GUID_ContainerFormatJpeg;
    case IMAGE_GIF:
        return &GUID_ContainerFormatGif;
    case IMAGE_TIFF:
        return &GUID_ContainerFormatTiff;
    case IMAGE_BMP:
        return &GUID_ContainerFormatBmp;
    default:
        return NULL;
    }
}

// Whether a 32-bit DIB's fourth bytes say anything: the system's own 32-bit bitmaps
// leave them 0 everywhere, which means opaque, not invisible.
BOOL HasAlphaBytes(const DIBLAYOUT& layout)
{
    for (DWORD i = 3; i < layout.info.cbBits; i += 4)
    {
        if (layout.pBits[i] != 0)
            return TRUE;
    }
    return FALSE;
}

// The image of a valid BI_RGB DIB of 8, 24 or 32 bits, rows turned top first.
void CopyImage(const DIBLAYOUT& layout, ENCODERIMAGE& image)
{
    const DIBINFO& info = layout.info;
    image.nWidth = (UINT)info.nWidth;
    image.nHeight = (UINT)info.nHeight;
    image.cbRow = info.cbRow;
    image.bits.resize((SIZE_T)info.cbRow * info.nHeight);
    for (LONG y = 0; y < info.nHeight; ++y)
    {
        const LONG nSource = info.bTopDown ? y : info.nHeight - 1 - y;
        memcpy(image.bits.data() + (SIZE_T)y * info.cbRow, layout.pBits + (SIZE_T)nSource * info.cbRow, info.cbRow);
    }
    for (DWORD i = 0; i < info.nColors; ++i)
    {
        const BYTE* pEntry = layout.pColors + i * layout.header.cbColorEntry;
        image.colors.push_back(0xFF000000 | (pEntry[2] << 16) | (pEntry[1] << 8) | pEntry[0]);
    }
    if (layout.header.nXPelsPerMeter > 0 && layout.header.nYPelsPerMeter > 0)
    {
        image.dpiX = layout.header.nXPelsPerMeter * METERS_PER_INCH;
        image.dpiY = layout.header.nYPelsPerMeter * METERS_PER_INCH;
    }
}

// The DIB as the encoder takes it: 8-bit indices for a GIF, 32 bits with alpha when
// the DIB has them, else 24 bits; other layouts are converted by ChangeDIBFormat.
BOOL PrepareImage(HDIB hDIB, int nFormat, ENCODERIMAGE& image)
{
    DIBINFO info;
    if (!ValidateDIBHandle(hDIB, &info))
        return FALSE;
    {
        CGlobalLock lock(hDIB);
        DIBLAYOUT layout;
        if (nFormat != IMAGE_GIF && info.wBitCount == 32 && info.dwCompression == BI_RGB
            && GetDIBLayout(lock.GetData(), lock.GetSize(), layout) && HasAlphaBytes(layout))
        {
            image.format = GUID_WICPixelFormat32bppBGRA;
            CopyImage(layout, image);
            return TRUE;
        }
    }
    const WORD wBitCount = nFormat == IMAGE_GIF ? 8 : 24;
    HDIB hConverted = ChangeDIBFormat(hDIB, wBitCount, BI_RGB, NULL);
    if (hConverted == NULL)
        return FALSE;
    BOOL bCopied = FALSE;
    try
    {
        CGlobalLock lock(hConverted);
        DIBLAYOUT layout;
        image.format = wBitCount == 8 ? GUID_WICPixelFormat8bppIndexed : GUID_WICPixelFormat24bppBGR;
        bCopied = GetDIBLayout(lock.GetData(), lock.GetSize(), layout);
        if (bCopied)
            CopyImage(layout, image);
    }
    catch (...)
    {
        ::GlobalFree(hConverted);
        throw;
    }
    ::GlobalFree(hConverted);
    return bCopied;
}

// The bytes of a memory stream made by CreateStreamOnHGlobal.
BOOL StreamBytes(IStream* pStream, std::vector<BYTE>& bytes)
{
    HGLOBAL hStream = NULL;
    STATSTG stat = {};
    if (FAILED(::GetHGlobalFromStream(pStream, &hStream)) || FAILED(pStream->Stat(&stat, STATFLAG_NONAME))
        || stat.cbSize.QuadPart > MAXDWORD)
        return FALSE;
    CGlobalLock lock(hStream);
    if (lock.GetData() == NULL || lock.GetSize() < stat.cbSize.QuadPart)
        return FALSE;
    bytes.assign(lock.GetData(), lock.GetData() + stat.cbSize.QuadPart);
    return TRUE;
}

// One frame of the image in the container's format. The encoder may ask for another
// pixel format than the image's (a JPEG has no alpha nor palette): the image is
// converted to it.
BOOL Encode(IWICImagingFactory* pFactory, const GUID& container, ENCODERIMAGE& image, std::vector<BYTE>& bytes)
{
    CComRef<IWICBitmap> bitmap;
    if (FAILED(pFactory->CreateBitmapFromMemory(image.nWidth, image.nHeight, image.format, image.cbRow,
                                                (UINT)image.bits.size(), image.bits.data(), &bitmap)))
        return FALSE;
    CComRef<IWICPalette> palette;
    if (!image.colors.empty()
        && (FAILED(pFactory->CreatePalette(&palette))
            || FAILED(palette->InitializeCustom(image.colors.data(), (UINT)image.colors.size()))
            || FAILED(bitmap->SetPalette(palette.Get()))))
        return FALSE;

    CComRef<IStream> stream;
    CComRef<IWICBitmapEncoder> encoder;
    CComRef<IWICBitmapFrameEncode> frame;
    CComRef<IPropertyBag2> options;
    WICPixelFormatGUID format = image.format;
    if (FAILED(::CreateStreamOnHGlobal(NULL, TRUE, &stream)) || FAILED(pFactory->CreateEncoder(container, NULL, &encoder))
        || FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache))
        || FAILED(encoder->CreateNewFrame(&frame, &options)) || FAILED(frame->Initialize(options.Get()))
        || FAILED(frame->SetSize(image.nWidth, image.nHeight)) || FAILED(frame->SetResolution(image.dpiX, image.dpiY))
        || FAILED(frame->SetPixelFormat(&format)))
        return FALSE;
    if (palette.Get() != NULL && format == image.format && FAILED(frame->SetPalette(palette.Get())))
        return FALSE;
    CComRef<IWICBitmapSource> converted;
    if (format != image.format && FAILED(::WICConvertBitmapSource(format, bitmap.Get(), &converted)))
        return FALSE;
    IWICBitmapSource* pSource = converted.Get() != NULL ? converted.Get() : bitmap.Get();
    return SUCCEEDED(frame->WriteSource(pSource, NULL)) && SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit())
           && StreamBytes(stream.Get(), bytes);
}

} // namespace

BOOL WINAPI WriteImageFile(CFile& file, HDIB hDIB, int nFormat)
{
    const GUID* pContainer = ContainerOf(nFormat);
    std::vector<BYTE> bytes;
    try
    {
        ENCODERIMAGE image;
        if (pContainer == NULL || !PrepareImage(hDIB, nFormat, image))
            return FALSE;
        CWicSession session;
        if (session.GetFactory() == NULL || !Encode(session.GetFactory(), *pContainer, image, bytes))
            return FALSE;
    }
    catch (const std::bad_alloc&)
    {
        return FALSE;
    }
    file.Write(bytes.data(), (UINT)bytes.size());
    return TRUE;
}
