// CLogPen: the key of the canvas's pen cache, a zero-filled LOGPEN.
#pragma once

#include "limn/canvas/HashBytes.h"

struct LIMN_API CLogPen : public LOGPEN
{
    CLogPen() { memset(static_cast<LOGPEN*>(this), 0, sizeof(LOGPEN)); }
    // A dashed pen, or a solid one drawn inside the frame of a shape, width by width. The
    // record has no padding, so its four words are all of its bytes.
    CLogPen(COLORREF color, WORD width, BOOL dashed)
        : LOGPEN{ (UINT)(dashed ? PS_DASH : PS_INSIDEFRAME), { width, width }, color }
    {
    }

    HGDIOBJ Create() const { return ::CreatePenIndirect(this); }
    // All four words.
    bool operator==(const CLogPen& other) const
    {
        return lopnStyle == other.lopnStyle && lopnWidth.x == other.lopnWidth.x
            && lopnWidth.y == other.lopnWidth.y && lopnColor == other.lopnColor;
    }
};

// The cache's bucket is this value modulo its 17 buckets.
template <>
inline UINT AFXAPI HashKey<const CLogPen&>(const CLogPen& key)
{
    return HashBytes(static_cast<const LOGPEN*>(&key), sizeof(LOGPEN)) >> 4;
}
