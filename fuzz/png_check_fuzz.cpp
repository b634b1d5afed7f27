// The PNG chunk checks that guard the imaging component's PNG decoder, on arbitrary
// bytes: they must stay inside the bytes they are given, and chunks they call sound must
// end with an IEND chunk inside the bytes.
#include "diblib/PngCheck.h"

#include <stdlib.h>
#include <string.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    // An exact-sized copy, so that the sanitizer sees any step outside it.
    std::vector<BYTE> bytes(pData, pData + nSize);
    const BYTE* p = bytes.empty() ? NULL : bytes.data();
    IsPngSignature(p, bytes.size());
    if (ArePngChunksSound(p, bytes.size()))
    {
        static const BYTE iend[] = {'I', 'E', 'N', 'D'};
        if (bytes.size() < 8 + 12)
            abort();
        bool bEnd = false;
        for (size_t i = 8; i + 4 <= bytes.size() && !bEnd; ++i)
            bEnd = memcmp(&bytes[i], iend, 4) == 0;
        if (!bEnd)
            abort();
    }
    return 0;
}
