// ReadImageFile: any picture the imaging component decodes, as a packed DIB of 24 bits,
// or of 32 with straight alpha when the picture can be transparent.
#include "diblib/DIBHeader.h"
#include "diblib/GlobalBlock.h"
#include "diblib/PngCheck.h"
#include "diblib/WicSession.h"

#include <math.h>
#include <new>
#include <string.h>
#include <vector>

namespace {

const double METERS_PER_INCH = 0.0254;
const double MAX_PELS_PER_METER = 1000000;

BOOL IsWithinPixelCap(UINT nWidth, UINT nHeight)
{
    return nWidth != 0 && nHeight != 0 && nWidth <= IMAGE_MAX_SIDE && nHeight <= IMAGE_MAX_SIDE
           && (ULONGLONG)nWidth * nHeight <= IMAGE_MAX_PIXELS;
}

BOOL IsIndexed(const WICPixelFormatGUID& format)
{
    return format == GUID_WICPixelFormat1bppIndexed || format == GUID_WICPixelFormat2bppIndexed
           || format == GUID_WICPixelFormat4bppIndexed || format == GUID_WICPixelFormat8bppIndexed;
}

// Whether the frame's pixels can be other than opaque: an indexed frame whose palette
// has a colour with alpha (a GIF's transparent index, a PNG's tRNS chunk), or a pixel
// format that carries transparency.
BOOL HasAlpha(IWICImagingFactory* pFactory, IWICBitmapFrameDecode* pFrame)
{
    WICPixelFormatGUID format;
    if (FAILED(pFrame->GetPixelFormat(&format)))
        return FALSE;
    if (IsIndexed(format))
    {
        CComRef<IWICPalette> palette;
        BOOL bAlpha = FALSE;
        return SUCCEEDED(pFactory->CreatePalette(&palette)) && SUCCEEDED(pFrame->CopyPalette(palette.Get()))
               && SUCCEEDED(palette->HasAlpha(&bAlpha)) && bAlpha;
    }
    CComRef<IWICComponentInfo> info;
    CComRef<IWICPixelFormatInfo2> formatInfo;
    BOOL bTransparent = FALSE;
    return SUCCEEDED(pFactory->CreateComponentInfo(format, &info))
           && SUCCEEDED(info->QueryInterface(IID_IWICPixelFormatInfo2, reinterpret_cast<void**>(&formatInfo)))
           && SUCCEEDED(formatInfo->SupportsTransparency(&bTransparent)) && bTransparent;
}

LONG PelsPerMeter(double dpi)
{
    double ppm = floor(dpi / METERS_PER_INCH + 0.5);
    return ppm > 0 && ppm <= MAX_PELS_PER_METER ? (LONG)ppm : 0;
}

// The first frame of the picture in the bytes, converted and turned bottom-up.
HDIB DecodeFirstFrame(IWICImagingFactory* pFactory, std::vector<BYTE>& bytes)
{
    CComRef<IWICStream> stream;
    CComRef<IWICBitmapDecoder> decoder;
    CComRef<IWICBitmapFrameDecode> frame;
    UINT nWidth = 0;
    UINT nHeight = 0;
    if (FAILED(pFactory->CreateStream(&stream)) || FAILED(stream->InitializeFromMemory(bytes.data(), (DWORD)bytes.size()))
        || FAILED(pFactory->CreateDecoderFromStream(stream.Get(), NULL, WICDecodeMetadataCacheOnDemand, &decoder))
        || FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&nWidth, &nHeight))
        || !IsWithinPixelCap(nWidth, nHeight))
        return NULL;

    // The component converts any of its pixel formats to 32-bit BGRA; to 24 bits it
    // converts only some (not grey, palette nor 16-bit channels), so 24 bits are packed
    // here from the 32.
    const WORD wBitCount = HasAlpha(pFactory, frame.Get()) ? 32 : 24;
    CComRef<IWICFormatConverter> converter;
    if (FAILED(pFactory->CreateFormatConverter(&converter))
        || FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, NULL, 0.0,
                                        WICBitmapPaletteTypeCustom)))
        return NULL;

    // Within the cap, a row and the whole image fit a UINT.
    const UINT cbRow = (UINT)DIBRowBytes((LONG)nWidth, wBitCount);
    const UINT cbBits = cbRow * nHeight;
    CGlobalBlock block(sizeof(BITMAPINFOHEADER) + (SIZE_T)cbBits);
    if (block.GetData() == NULL)
        return NULL;
    BYTE* pBits = block.GetData() + sizeof(BITMAPINFOHEADER);
    std::vector<BYTE> row((SIZE_T)nWidth * 4);
    for (UINT y = 0; y < nHeight; ++y)
    {
        const WICRect rect = { 0, (INT)y, (INT)nWidth, 1 };
        if (FAILED(converter->CopyPixels(&rect, nWidth * 4, (UINT)row.size(), row.data())))
            return NULL;
        BYTE* pRow = pBits + (SIZE_T)(nHeight - 1 - y) * cbRow;
        if (wBitCount == 32)
            memcpy(pRow, row.data(), row.size());
        else
        {
            for (UINT x = 0; x < nWidth; ++x)
                memcpy(pRow + x * 3, &row[x * 4], 3);
        }
    }

    double dpiX = 0;
    double dpiY = 0;
    if (FAILED(frame->GetResolution(&dpiX, &dpiY)))
        dpiX = dpiY = 0;
    BITMAPINFOHEADER* pHeader = reinterpret_cast<BITMAPINFOHEADER*>(block.GetData());
    pHeader->biSize = sizeof(BITMAPINFOHEADER);
    pHeader->biWidth = (LONG)nWidth;
    pHeader->biHeight = (LONG)nHeight;
    pHeader->biPlanes = 1;
    pHeader->biBitCount = wBitCount;
    pHeader->biCompression = BI_RGB;
    pHeader->biSizeImage = cbBits;
    pHeader->biXPelsPerMeter = PelsPerMeter(dpiX);
    pHeader->biYPelsPerMeter = PelsPerMeter(dpiY);
    return block.Detach();
}

} // namespace

HDIB WINAPI ReadImageFile(CFile& file, int nFlags)
{
    const DWORD nStart = file.GetPosition();
    const DWORD nLength = file.GetLength();
    if (nLength <= nStart)
        return NULL;
    try
    {
        std::vector<BYTE> bytes(nLength - nStart);
        if (file.Read(bytes.data(), (UINT)bytes.size()) != bytes.size()
            || (IsPngSignature(bytes.data(), bytes.size()) && !ArePngChunksSound(bytes.data(), bytes.size())))
            return NULL;
        CWicSession session;
        return session.GetFactory() != NULL ? DecodeFirstFrame(session.GetFactory(), bytes) : NULL;
    }
    catch (const std::bad_alloc&)
    {
        return NULL;
    }
}
