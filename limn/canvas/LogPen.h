// CLogPen: the key of the canvas's pen cache, a zero-filled LOGPEN.
#pragma once

#include "limn/canvas/HashBytes.h"

struct LIMN_API CLogPen : public LOGPEN
{
    CLogPen() { memset(static_cast<LOGPEN*>(this), 0, sizeof(LOGPEN)); }
    // A dashed pen, or a solid one drawn inside the frame of a shape, width by width.
    CLogPen(COLORREF color, WORD width, BOOL dashed);

    HGDIOBJ Create() const { return ::CreatePenIndirect(this); }
    bool operator==(const CLogPen& other) const { return memcmp(this, &other, sizeof(LOGPEN)) == 0; }
};

// The cache's bucket is this value modulo its 17 buckets.
template <>
inline UINT AFXAPI HashKey<CLogPen>(CLogPen key)
{
    return HashBytes(static_cast<LOGPEN*>(&key), sizeof(LOGPEN)) >> 4;
}
