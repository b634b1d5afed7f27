// The hash of the canvas caches' keys: every byte of the record, so unused bytes of a
// key must be zero.
#pragma once

#include "limn/limn_api.h"

// h = h * 33 + b over the bytes in order, each byte signed, wrapping at 32 bits. Four bytes
// a step: h * 33^4 + b0 * 33^3 + b1 * 33^2 + b2 * 33 + b3 is the same value as four single
// steps, with one multiplication on the chain from step to step instead of four. Inline,
// so that the keys' fixed sizes unroll it.
inline UINT HashBytes(const void* pData, size_t nBytes)
{
    const signed char* p = static_cast<const signed char*>(pData);
    UINT h = 0;
    size_t i = 0;
    for (; i + 4 <= nBytes; i += 4)
        h = h * 1185921u + (UINT)(int)p[i] * 35937u + (UINT)(int)p[i + 1] * 1089u
            + (UINT)(int)p[i + 2] * 33u + (UINT)(int)p[i + 3];
    for (; i < nBytes; ++i)
        h = h * 33 + (UINT)(int)p[i];
    return h;
}
