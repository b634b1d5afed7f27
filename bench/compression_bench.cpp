// The run-length codec against memcpy: decoding and encoding 16 MB of bitmap-like
// bytes (runs of a background colour between stretches of varied pixels) as items of
// one byte. Targets: decoding at least 0.3 times memcpy's throughput, encoding at
// least 0.1 times.
#include "hoard/data/Compression.h"
#include "timing.h"

#include <stdio.h>

#include <vector>

namespace {

const DWORD nBytes = 16 << 20;

std::vector<BYTE> MakeBitmap()
{
    std::vector<BYTE> bytes;
    bytes.reserve(nBytes);
    DWORD dwSeed = 2024;
    auto next = [&dwSeed] {
        dwSeed = dwSeed * 1664525 + 1013904223;
        return dwSeed >> 8;
    };
    while (bytes.size() < nBytes)
    {
        bytes.insert(bytes.end(), 16 + next() % 240, (BYTE)(next() % 4));
        for (DWORD n = 8 + next() % 120; n != 0; --n)
            bytes.push_back((BYTE)next());
    }
    bytes.resize(nBytes);
    return bytes;
}

} // namespace

int main()
{
    std::vector<BYTE> bitmap = MakeBitmap();
    std::vector<BYTE> stream(nBytes);
    std::vector<BYTE> out(nBytes);

    DWORD nStored = EncodeRuns(bitmap.data(), nBytes, 1, stream.data());
    if (nStored == nBytes || !DecodeRuns(stream.data(), nStored, out.data(), nBytes) || out != bitmap)
    {
        printf("the codec does not round-trip the bitmap\n");
        return 1;
    }

    double dCopy = Best(7, [&] { memcpy(out.data(), bitmap.data(), nBytes); });
    double dDecode = Best(7, [&] { DecodeRuns(stream.data(), nStored, out.data(), nBytes); });
    double dEncode = Best(7, [&] { EncodeRuns(bitmap.data(), nBytes, 1, stream.data()); });

    printf("16 MB bitmap-like bytes, stored in %.1f%% of their size\n", 100.0 * nStored / nBytes);
    printf("memcpy: %.0f MB/s, decode: %.0f MB/s, encode: %.0f MB/s\n", 16 / dCopy, 16 / dDecode,
           16 / dEncode);
    printf("decode / memcpy throughput: %.2f (target 0.3)\n", dCopy / dDecode);
    printf("encode / memcpy throughput: %.2f (target 0.1)\n", dCopy / dEncode);
    return 0;
}
