// ReadDIBFile over arbitrary bytes in a memory file. What it returns must be a valid
// DIB with a BITMAPINFOHEADER, no larger than the file's bytes plus a full colour table
// and masks (sizes come from what the file holds, not from its claims), that converts
// to 32 bits.
#include "diblib/dibapi.h"

#include <stdlib.h>
#include <vector>

namespace {

void Check(bool bCondition)
{
    if (!bCondition)
        abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    std::vector<BYTE> bytes(pData, pData + nSize);
    CMemFile file(bytes.data(), (UINT)bytes.size());
    HDIB hDIB = ReadDIBFile(file, 0);
    if (hDIB == NULL)
        return 0;

    DIBINFO info;
    Check(ValidateDIBHandle(hDIB, &info));
    Check(info.cbHeader == sizeof(BITMAPINFOHEADER));
    Check(::GlobalSize(hDIB) <= nSize + sizeof(BITMAPINFOHEADER) + 3 * sizeof(DWORD) + 256 * sizeof(RGBQUAD));
    if (info.wBitCount <= 8)
        Check(info.nColors == (1u << info.wBitCount));
    else
        Check(info.nColors == 0);

    HDIB h32 = ChangeDIBFormat(hDIB, 32, BI_RGB, NULL);
    Check(h32 != NULL && ValidateDIBHandle(h32, NULL));
    ::GlobalFree(h32);
    ::GlobalFree(hDIB);
    return 0;
}
