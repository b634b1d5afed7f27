// PNG chunk checks: every chunk whole and its CRC (of its type and data) right.
#include "diblib/PngCheck.h"
#include "diblib/DIBHeader.h"

#include <array>
#include <string.h>

namespace {

const BYTE PNG_SIGNATURE[8] = { 0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n' };
const SIZE_T CHUNK_FRAME = 12; // length, type and CRC around the data

DWORD PeekBigEndian(const BYTE* p) { return (DWORD)p[0] << 24 | (DWORD)p[1] << 16 | (DWORD)p[2] << 8 | p[3]; }

// The CRC-32 of ISO 3309 that PNG uses, a byte at a time through a table.
DWORD Crc32(const BYTE* p, SIZE_T cb)
{
    static const std::array<DWORD, 256> table = [] {
        std::array<DWORD, 256> t;
        for (DWORD n = 0; n < 256; ++n)
        {
            DWORD c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320 ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    DWORD crc = 0xFFFFFFFF;
    for (SIZE_T i = 0; i < cb; ++i)
        crc = table[(crc ^ p[i]) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

} // namespace

BOOL IsPngSignature(const BYTE* p, SIZE_T cb)
{
    return cb >= sizeof PNG_SIGNATURE && memcmp(p, PNG_SIGNATURE, sizeof PNG_SIGNATURE) == 0;
}

BOOL ArePngChunksSound(const BYTE* p, SIZE_T cb)
{
    SIZE_T nAt = sizeof PNG_SIGNATURE;
    while (cb >= nAt && cb - nAt >= CHUNK_FRAME)
    {
        const SIZE_T cbData = PeekBigEndian(p + nAt);
        if (cbData > cb - nAt - CHUNK_FRAME)
            return FALSE;
        const BYTE* pType = p + nAt + 4;
        if (Crc32(pType, 4 + cbData) != PeekBigEndian(pType + 4 + cbData))
            return FALSE;
        if (memcmp(pType, "IEND", 4) == 0)
            return TRUE;
        nAt += CHUNK_FRAME + cbData;
    }
    return FALSE;
}
