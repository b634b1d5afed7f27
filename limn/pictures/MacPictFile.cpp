// CMacPictElem: pictures read from ".pct" and ".pict" files.
#include "limn/pictures/MacPictElem.h"

#include <memory>
#include <vector>

namespace {

// The size of a picture file's header, which a picture handle lacks.
constexpr DWORD cbFileHeader = 512;

int BigEndian16(const BYTE* p) { return (short)((p[0] << 8) | p[1]); }

// Whether a picture begins at pBytes: a size word and a frame, then the version opcode
// of version 1 (11 01) or of version 2 (0011 02FF).
BOOL StartsPicture(const BYTE* pBytes, size_t cb)
{
    static const BYTE v1[] = {0x11, 0x01};
    static const BYTE v2[] = {0x00, 0x11, 0x02, 0xFF};
    return (cb >= 12 && memcmp(pBytes + 10, v1, sizeof v1) == 0) ||
           (cb >= 14 && memcmp(pBytes + 10, v2, sizeof v2) == 0);
}

} // namespace

CMacPictElem* CMacPictElem::ReadFile(CFile& file)
{
    const ULONGLONG nLength = file.GetLength() - file.GetPosition();
    if (nLength > nMaxFileSize)
        return NULL;
    std::vector<BYTE> bytes((size_t)nLength);
    if (file.Read(bytes.data(), (UINT)bytes.size()) != bytes.size())
        return NULL;
    size_t iStart = 0;
    if (!StartsPicture(bytes.data(), bytes.size()))
    {
        iStart = cbFileHeader;
        if (bytes.size() < iStart || !StartsPicture(bytes.data() + iStart, bytes.size() - iStart))
            return NULL;
    }
    // The frame: top, left, bottom, right.
    const BYTE* pFrame = bytes.data() + iStart + 2;
    const CSize extent(BigEndian16(pFrame + 6) - BigEndian16(pFrame + 2),
                       BigEndian16(pFrame + 4) - BigEndian16(pFrame));
    if (extent.cx <= 0 || extent.cy <= 0)
        return NULL;
    auto pElem = std::make_unique<CMacPictElem>();
    pElem->m_pict.SetData((DWORD)(bytes.size() - iStart), bytes.data() + iStart);
    pElem->SetExtent(extent);
    return pElem.release();
}
