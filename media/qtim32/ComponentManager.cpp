// Asking CMGR32.DLL's "_EntryPoint" for a decompressor and running it.
#include "media/qtim32/ComponentManager.h"

#include "media/MediaEntry.h"

namespace
{

// A decoded pixel with its alpha composited over white: the image's 0x00RRGGBB.
uint32_t OverWhite(uint32_t bgra)
{
    const uint32_t alpha = bgra >> 24;
    uint32_t rgb = 0;
    for (int shift = 0; shift < 24; shift += 8)
    {
        const uint32_t c = (bgra >> shift) & 0xFF;
        rgb |= ((c * alpha + 255 * (255 - alpha) + 127) / 255) << shift;
    }
    return rgb;
}

// CMGR32.DLL when the process has it loaded, held loaded for this library's use of it so
// that another thread of its user cannot unload it meanwhile.
class CLoadedCmgr
{
public:
    CLoadedCmgr()
    {
        if (!::GetModuleHandleExA(0, "CMGR32.DLL", &m_hModule))
            m_hModule = NULL;
    }
    ~CLoadedCmgr()
    {
        if (m_hModule != NULL)
            ::FreeLibrary(m_hModule);
    }
    CLoadedCmgr(const CLoadedCmgr&) = delete;
    CLoadedCmgr& operator=(const CLoadedCmgr&) = delete;

    MEDIAENTRYPROC EntryPoint() const
    {
        return m_hModule == NULL ? NULL
                                 : reinterpret_cast<MEDIAENTRYPROC>(
                                       reinterpret_cast<void (*)()>(::GetProcAddress(m_hModule, "_EntryPoint")));
    }

private:
    HMODULE m_hModule = NULL;
};

} // namespace

bool DecompressWithComponentManager(const pict::CompressedImage& image, pict::Image& pixels)
{
    const CLoadedCmgr cmgr;
    const MEDIAENTRYPROC pEntry = cmgr.EntryPoint();
    if (pEntry == NULL || image.data == NULL || image.size == 0 || image.size > MAXDWORD)
        return false;
    const LONG_PTR component = pEntry(CMGR_FINDDECOMPRESSOR, static_cast<LONG_PTR>(image.codecType), 0, 0, 0);
    if (component == 0 || component == MEDIA_UNKNOWN_ROUTINE)
        return false;

    pixels.width = image.width;
    pixels.height = image.height;
    pixels.pixels.assign(static_cast<size_t>(image.width) * static_cast<size_t>(image.height), 0);
    CMGRDECOMPRESS job{};
    job.cbSize = sizeof(job);
    job.pData = image.data;
    job.cbData = static_cast<DWORD>(image.size);
    job.nWidth = image.width;
    job.nHeight = image.height;
    job.pBits = pixels.pixels.data();
    if (pEntry(CMGR_DECOMPRESSIMAGE, component, reinterpret_cast<LONG_PTR>(&job), 0, 0) != 0)
        return false;
    for (uint32_t& pixel : pixels.pixels)
        pixel = OverWhite(pixel);
    return true;
}
