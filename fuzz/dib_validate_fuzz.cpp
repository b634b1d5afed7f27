// ValidateDIB on arbitrary bytes. Whenever it accepts them, every byte it promised (the
// header, the colour table or masks, every pixel byte) is read, inside an exact-sized
// copy where the sanitizer sees any step outside, and what it reported must agree with
// the accessors and with the arithmetic of rows.
#include "diblib/dibapi.h"

#include <stdlib.h>
#include <vector>

namespace {

void Check(bool bCondition)
{
    if (!bCondition)
        abort();
}

volatile BYTE g_sink;

void Touch(const BYTE* p, size_t cb)
{
    BYTE sum = 0;
    for (size_t i = 0; i < cb; ++i)
        sum ^= p[i];
    g_sink = sum;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    std::vector<BYTE> bytes(pData, pData + nSize);
    DIBINFO info;
    if (!ValidateDIB(bytes.data(), bytes.size(), &info))
        return 0;

    const size_t offBits = (size_t)info.cbHeader + info.cbColorTable;
    Check(offBits + info.cbBits <= nSize);
    Touch(bytes.data(), offBits + info.cbBits);

    LPSTR lpDIB = reinterpret_cast<LPSTR>(bytes.data());
    Check(FindDIBBits(lpDIB) == lpDIB + offBits);
    Check(DIBWidth(lpDIB) == (DWORD)info.nWidth && DIBHeight(lpDIB) == (DWORD)info.nHeight);
    Check(info.nWidth > 0 && info.nHeight > 0);
    Check(info.cbRow == ((ULONGLONG)info.nWidth * info.wBitCount + 31) / 32 * 4);
    if (info.dwCompression == BI_RGB || info.dwCompression == BI_BITFIELDS)
        Check(info.cbBits == (ULONGLONG)info.cbRow * info.nHeight);
    else
        Check(info.cbBits >= 2 && !info.bTopDown);
    if (info.wBitCount <= 8)
        Check(info.nColors >= 1 && info.nColors <= (1u << info.wBitCount));

    // One byte fewer never holds the same DIB.
    Check(!ValidateDIB(bytes.data(), offBits + info.cbBits - 1, NULL)
          || info.dwCompression == BI_RLE8 || info.dwCompression == BI_RLE4);
    return 0;
}
