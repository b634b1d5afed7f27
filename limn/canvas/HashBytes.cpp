// HashBytes.
#include "limn/canvas/HashBytes.h"

UINT HashBytes(const void* pData, size_t nBytes)
{
    const signed char* p = static_cast<const signed char*>(pData);
    UINT h = 0;
    for (size_t i = 0; i < nBytes; ++i)
        h = h * 33 + (UINT)(int)p[i];
    return h;
}
