// CLogBrush: the key of the canvas's brush cache, a zero-filled 12-byte LOGBRUSH32
// (style, colour, hatch), the same on every platform.
#pragma once

#include "limn/canvas/HashBytes.h"

struct LIMN_API CLogBrush : public LOGBRUSH32
{
    CLogBrush() { memset(static_cast<LOGBRUSH32*>(this), 0, sizeof(LOGBRUSH32)); }
    // A diagonally cross-hatched brush, or a solid one. The record has no padding, so its
    // three words are all of its bytes.
    CLogBrush(COLORREF color, BOOL hatched)
        : LOGBRUSH32{ (UINT)(hatched ? BS_HATCHED : BS_SOLID), color, HS_DIAGCROSS }
    {
    }

    HGDIOBJ Create() const;
    // All three words.
    bool operator==(const CLogBrush& other) const
    {
        return lbStyle == other.lbStyle && lbColor == other.lbColor && lbHatch == other.lbHatch;
    }
};

template <>
inline UINT AFXAPI HashKey<const CLogBrush&>(const CLogBrush& key)
{
    return HashBytes(static_cast<const LOGBRUSH32*>(&key), sizeof(LOGBRUSH32)) >> 4;
}
