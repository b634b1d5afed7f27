// The media tests' helpers.
#include "media/tests/media_test_util.h"

#include <objbase.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <cstdlib>
#include <cstring>
#include <utility>

using Microsoft::WRL::ComPtr;

CMediaModule::CMediaModule(const char* pszName) : m_hModule(::LoadLibraryA(pszName)), m_pEntry(NULL)
{
    if (m_hModule != NULL)
        m_pEntry = reinterpret_cast<MEDIAENTRYPROC>(
            reinterpret_cast<void (*)()>(::GetProcAddress(m_hModule, "_EntryPoint")));
    if (m_pEntry == NULL)
        ADD_FAILURE() << pszName << " or its _EntryPoint is missing";
}

CMediaModule::~CMediaModule()
{
    if (m_hModule != NULL)
        ::FreeLibrary(m_hModule);
}

CQtim::CQtim() : CMediaModule("QTIM32.DLL")
{
    EXPECT_EQ(0, Call(QTIM_INITIALIZE));
}

CQtim::~CQtim()
{
    EXPECT_EQ(0, Call(QTIM_TERMINATE));
}

LONG_PTR CQtim::Draw(HDC hdc, HGLOBAL hPict, const RECT& rcDst) const
{
    return Call(QTIM_DRAWPICTURE, reinterpret_cast<LONG_PTR>(hdc), reinterpret_cast<LONG_PTR>(hPict),
                reinterpret_cast<LONG_PTR>(&rcDst), 0);
}

HGLOBAL CQtim::ToDIB(HGLOBAL hPict) const
{
    return reinterpret_cast<HGLOBAL>(Call(QTIM_PICTURETODIB, reinterpret_cast<LONG_PTR>(hPict)));
}

CCmgr::CCmgr() : CMediaModule("CMGR32.DLL")
{
    const auto pInitialize = reinterpret_cast<CMGRINITIALIZEPROC>(
        reinterpret_cast<void (*)()>(Export("_CMgrInitialize")));
    EXPECT_TRUE(pInitialize != NULL && pInitialize() == 0);
}

CCmgr::~CCmgr()
{
    const auto pTerminate =
        reinterpret_cast<CMGRTERMINATEPROC>(reinterpret_cast<void (*)()>(Export("_CMgrTerminate")));
    if (pTerminate != NULL)
        pTerminate();
}

pict::Image ImageOf(int32_t width, int32_t height, std::vector<uint32_t> pixels)
{
    pict::Image image;
    image.width = width;
    image.height = height;
    image.pixels = std::move(pixels);
    return image;
}

pict::Placement PlacedAt(const pict::Rect& src, const pict::Rect& dst)
{
    pict::Placement place;
    place.src = src;
    place.dst = dst;
    return place;
}

HGLOBAL PictureHandleOf(const std::vector<uint8_t>& bytes)
{
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (h != NULL && !bytes.empty())
    {
        std::memcpy(::GlobalLock(h), bytes.data(), bytes.size());
        ::GlobalUnlock(h);
    }
    return h;
}

uint32_t DIBPixel(HGLOBAL hDIB, int x, int y)
{
    const BYTE* p = static_cast<const BYTE*>(::GlobalLock(hDIB));
    const BITMAPINFOHEADER& bih = *reinterpret_cast<const BITMAPINFOHEADER*>(p);
    const size_t cbPixel = bih.biBitCount / 8;
    const size_t cbTable = bih.biBitCount == 8 ? (bih.biClrUsed != 0 ? bih.biClrUsed : 256) * sizeof(RGBQUAD) : 0;
    const size_t stride = (static_cast<size_t>(bih.biWidth) * cbPixel + 3) & ~size_t{3};
    const BYTE* px = p + bih.biSize + cbTable + stride * static_cast<size_t>(bih.biHeight - 1 - y) + cbPixel * x;
    if (bih.biBitCount == 8)
        px = reinterpret_cast<const BYTE*>(&reinterpret_cast<const RGBQUAD*>(p + bih.biSize)[*px]);
    const uint32_t rgb = (uint32_t{px[2]} << 16) | (uint32_t{px[1]} << 8) | px[0];
    ::GlobalUnlock(hDIB);
    return rgb;
}

CSurface::CSurface(int width, int height, uint32_t fill)
    : m_width(width), m_height(height), m_hdc(::CreateCompatibleDC(NULL)), m_hbm(NULL), m_hbmOld(NULL),
      m_pBits(NULL)
{
    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = width;
    bmi.bmiHeader.biHeight = -height;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    m_hbm = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    m_pBits = static_cast<uint32_t*>(pBits);
    m_hbmOld = ::SelectObject(m_hdc, m_hbm);
    for (int i = 0; i < width * height; ++i)
        m_pBits[i] = fill;
}

CSurface::~CSurface()
{
    ::SelectObject(m_hdc, m_hbmOld);
    ::DeleteObject(m_hbm);
    ::DeleteDC(m_hdc);
}

uint32_t CSurface::Pixel(int x, int y) const
{
    ::GdiFlush();
    return m_pBits[y * m_width + x] & 0xFFFFFF;
}

int CSurface::CountChangedOutside(const RECT& rc, uint32_t fill) const
{
    ::GdiFlush();
    int nChanged = 0;
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x)
        {
            const POINT pt{x, y};
            if (!::PtInRect(&rc, pt) && (m_pBits[y * m_width + x] & 0xFFFFFF) != fill)
                ++nChanged;
        }
    return nChanged;
}

bool NearColor(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift = 0; shift < 24; shift += 8)
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
            return false;
    return true;
}

std::vector<uint8_t> MakeJpeg(int width, int height, uint32_t left, uint32_t right)
{
    std::vector<BYTE> pixels(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const uint32_t rgb = x < width / 2 ? left : right;
            BYTE* px = &pixels[(static_cast<size_t>(y) * width + x) * 3];
            px[0] = rgb & 0xFF;
            px[1] = (rgb >> 8) & 0xFF;
            px[2] = (rgb >> 16) & 0xFF;
        }

    std::vector<uint8_t> jpeg;
    const HRESULT hrCom = ::CoInitializeEx(NULL, COINIT_MULTITHREADED);
    {
        ComPtr<IWICImagingFactory> factory;
        ComPtr<IStream> stream;
        ComPtr<IWICBitmapEncoder> encoder;
        ComPtr<IWICBitmapFrameEncode> frame;
        ComPtr<IPropertyBag2> props;
        WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
        HGLOBAL hStream = NULL;
        STATSTG stat{};
        if (SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))) &&
            SUCCEEDED(::CreateStreamOnHGlobal(NULL, TRUE, &stream)) &&
            SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatJpeg, NULL, &encoder)) &&
            SUCCEEDED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) &&
            SUCCEEDED(encoder->CreateNewFrame(&frame, &props)) && SUCCEEDED(frame->Initialize(props.Get())) &&
            SUCCEEDED(frame->SetSize(width, height)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
            format == GUID_WICPixelFormat24bppBGR &&
            SUCCEEDED(frame->WritePixels(height, width * 3, static_cast<UINT>(pixels.size()), pixels.data())) &&
            SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit()) &&
            SUCCEEDED(::GetHGlobalFromStream(stream.Get(), &hStream)) &&
            SUCCEEDED(stream->Stat(&stat, STATFLAG_NONAME)))
        {
            const BYTE* p = static_cast<const BYTE*>(::GlobalLock(hStream));
            jpeg.assign(p, p + stat.cbSize.QuadPart);
            ::GlobalUnlock(hStream);
        }
    }
    if (SUCCEEDED(hrCom))
        ::CoUninitialize();
    return jpeg;
}
