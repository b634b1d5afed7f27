// The hash of the canvas caches' keys: every byte of the record, so unused bytes of a
// key must be zero.
#pragma once

#include "limn/limn_api.h"

// h = h * 33 + b over the bytes in order, each byte signed, wrapping at 32 bits.
LIMN_API UINT HashBytes(const void* pData, size_t nBytes);
