// The small accessors of a packed DIB in memory, and the copy of a global block. They
// trust the caller's pointer to hold a whole header (ValidateDIB checks blocks).
#include "diblib/DIBHeader.h"
#include "diblib/GlobalBlock.h"

#include <stdint.h>
#include <string.h>

namespace {

// The header at lpDIB, whose size the caller vouches for.
BOOL ReadTrustedHeader(LPSTR lpDIB, DIBHEADER& header)
{
    return lpDIB != NULL && ReadDIBHeader(reinterpret_cast<const BYTE*>(lpDIB), SIZE_MAX, header);
}

} // namespace

DWORD WINAPI DIBWidth(LPSTR lpDIB)
{
    DIBHEADER header;
    if (!ReadTrustedHeader(lpDIB, header) || header.nWidth < 0)
        return 0;
    return (DWORD)header.nWidth;
}

DWORD WINAPI DIBHeight(LPSTR lpDIB)
{
    DIBHEADER header;
    if (!ReadTrustedHeader(lpDIB, header))
        return 0;
    return (DWORD)DIBRows(header);
}

LPSTR WINAPI FindDIBBits(LPSTR lpDIB)
{
    DIBHEADER header;
    if (!ReadTrustedHeader(lpDIB, header))
        return NULL;
    return lpDIB + header.cbHeader + header.cbMasks + DeclaredColors(header) * header.cbColorEntry;
}

HGLOBAL WINAPI CopyHandle(HGLOBAL h)
{
    CGlobalLock source(h);
    if (source.GetData() == NULL)
        return NULL;
    CGlobalBlock copy(source.GetSize(), GMEM_MOVEABLE);
    if (copy.GetData() == NULL)
        return NULL;
    memcpy(copy.GetData(), source.GetData(), source.GetSize());
    return copy.Detach();
}
