// Decodes one compressed image with WIC: a stream over the caller's bytes, the decoder of
// the component's container format (so that a 'jpeg' component never decodes a PNG), its
// first frame converted to 32bppBGRA and, when its size is not the one asked for,
// scaled to it.
#include "media/cmgr32/WicDecode.h"

#include <objbase.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace
{

// COM on the calling thread for one call. A thread that already runs in the other
// apartment model (RPC_E_CHANGED_MODE) keeps it: WIC's objects work in either.
class CComScope
{
public:
    CComScope() : m_hr(::CoInitializeEx(NULL, COINIT_MULTITHREADED)) {}
    ~CComScope()
    {
        if (SUCCEEDED(m_hr))
            ::CoUninitialize();
    }
    CComScope(const CComScope&) = delete;
    CComScope& operator=(const CComScope&) = delete;

    bool Usable() const { return SUCCEEDED(m_hr) || m_hr == RPC_E_CHANGED_MODE; }

private:
    HRESULT m_hr;
};

bool ValidJob(const CMGRDECOMPRESS& job)
{
    return job.cbSize >= sizeof(CMGRDECOMPRESS) && job.pData != NULL && job.cbData > 0 &&
           job.pBits != NULL && job.nWidth > 0 && job.nHeight > 0 &&
           static_cast<unsigned long long>(job.nWidth) * static_cast<unsigned long long>(job.nHeight) <=
               kMaxDecodePixels;
}

LONG_PTR Decode(IWICImagingFactory* factory, const GUID& container, const CMGRDECOMPRESS& job)
{
    ComPtr<IWICStream> stream;
    if (FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(static_cast<BYTE*>(const_cast<void*>(job.pData)), job.cbData)))
        return CMGR_ERR_NOMEMORY;

    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    if (FAILED(factory->CreateDecoder(container, NULL, &decoder)) ||
        FAILED(decoder->Initialize(stream.Get(), WICDecodeMetadataCacheOnDemand)) ||
        FAILED(decoder->GetFrame(0, &frame)))
        return CMGR_ERR_DECODE;

    UINT width = 0, height = 0;
    if (FAILED(frame->GetSize(&width, &height)) || width == 0 || height == 0 ||
        static_cast<unsigned long long>(width) * height > kMaxDecodePixels)
        return CMGR_ERR_DECODE;

    ComPtr<IWICFormatConverter> converter;
    if (FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone,
                                     NULL, 0.0, WICBitmapPaletteTypeCustom)))
        return CMGR_ERR_DECODE;

    ComPtr<IWICBitmapSource> source = converter;
    if (width != static_cast<UINT>(job.nWidth) || height != static_cast<UINT>(job.nHeight))
    {
        ComPtr<IWICBitmapScaler> scaler;
        if (FAILED(factory->CreateBitmapScaler(&scaler)) ||
            FAILED(scaler->Initialize(converter.Get(), job.nWidth, job.nHeight,
                                      WICBitmapInterpolationModeFant)))
            return CMGR_ERR_DECODE;
        source = scaler;
    }

    const UINT stride = static_cast<UINT>(job.nWidth) * 4;
    const UINT cbBits = stride * static_cast<UINT>(job.nHeight);
    if (FAILED(source->CopyPixels(NULL, stride, cbBits, static_cast<BYTE*>(job.pBits))))
        return CMGR_ERR_DECODE;
    return 0;
}

} // namespace

LONG_PTR WicDecode(const GUID& container, const CMGRDECOMPRESS& job)
{
    if (!ValidJob(job))
        return CMGR_ERR_BADARGUMENT;
    CComScope com;
    if (!com.Usable())
        return CMGR_ERR_NOMEMORY;
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER,
                                  IID_PPV_ARGS(&factory))))
        return CMGR_ERR_NOMEMORY;
    return Decode(factory.Get(), container, job);
}
