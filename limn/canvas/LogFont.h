// CLogFont: the key of the canvas's font cache, a zero-filled LOGFONTA. Two keys are
// equal when height, weight, italic and underline flags and the face name (case
// sensitive) are.
#pragma once

#include "limn/canvas/HashBytes.h"

struct LIMN_API CLogFont : public LOGFONTA
{
    CLogFont() { memset(static_cast<LOGFONTA*>(this), 0, sizeof(LOGFONTA)); }
    // A draft-quality ANSI font; a face name longer than 31 characters is cut to 31,
    // and NULL leaves it empty.
    CLogFont(LONG height, const char* face, BOOL bold, BOOL underline, BOOL italic);

    HGDIOBJ Create() const { return ::CreateFontIndirectA(this); }
    bool operator==(const CLogFont& other) const;
};

template <>
inline UINT AFXAPI HashKey<const CLogFont&>(const CLogFont& key)
{
    return HashBytes(static_cast<const LOGFONTA*>(&key), sizeof(LOGFONTA)) >> 4;
}
