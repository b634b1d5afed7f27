// CLogBrush: the key of the canvas's brush cache, a zero-filled 12-byte LOGBRUSH32
// (style, colour, hatch), the same on every platform.
#pragma once

#include "limn/canvas/HashBytes.h"

struct LIMN_API CLogBrush : public LOGBRUSH32
{
    CLogBrush() { memset(static_cast<LOGBRUSH32*>(this), 0, sizeof(LOGBRUSH32)); }
    // A diagonally cross-hatched brush, or a solid one.
    CLogBrush(COLORREF color, BOOL hatched);

    HGDIOBJ Create() const;
    bool operator==(const CLogBrush& other) const { return memcmp(this, &other, sizeof(LOGBRUSH32)) == 0; }
};

template <>
inline UINT AFXAPI HashKey<CLogBrush>(CLogBrush key)
{
    return HashBytes(static_cast<LOGBRUSH32*>(&key), sizeof(LOGBRUSH32)) >> 4;
}
