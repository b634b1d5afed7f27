// The registered decompressors. Each decodes one container format through the Windows
// Imaging Component; the registry is a fixed table, built in, so that finding one needs
// no state beyond the library's user count.
#include "media/cmgr32/Decompressors.h"

#include "media/cmgr32/WicDecode.h"

#include <iterator>

namespace
{

struct Decompressor
{
    DWORD fccType;
    const GUID* container;
};

const Decompressor kDecompressors[] = {
    {CMGR_FOURCC('j', 'p', 'e', 'g'), &GUID_ContainerFormatJpeg},
    {CMGR_FOURCC('p', 'n', 'g', ' '), &GUID_ContainerFormatPng},
};

} // namespace

LONG_PTR FindDecompressor(DWORD fccType)
{
    for (size_t i = 0; i < std::size(kDecompressors); ++i)
        if (kDecompressors[i].fccType == fccType)
            return static_cast<LONG_PTR>(i + 1);
    return 0;
}

LONG_PTR DecompressImage(LONG_PTR component, const CMGRDECOMPRESS& job)
{
    if (component < 1 || component > static_cast<LONG_PTR>(std::size(kDecompressors)))
        return CMGR_ERR_BADARGUMENT;
    return WicDecode(*kDecompressors[component - 1].container, job);
}
