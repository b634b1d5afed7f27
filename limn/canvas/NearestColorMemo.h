// CNearestColorMemo: what a context answered when the canvas asked it for the nearest
// colour it can show. SetBrush asks for every brush it selects, and the answer depends only
// on the surface and the palette selected in the context, so the canvas keeps the answers
// and forgets them all whenever it changes either.
#pragma once

#include "limn/limn_api.h"

class LIMN_API CNearestColorMemo
{
public:
    CNearestColorMemo() { Forget(); }

    // GetNearestColor(hDC, color), asked of the context only for a colour not yet known.
    COLORREF Nearest(HDC hDC, COLORREF color)
    {
        Entry& entry = m_entries[Slot(color)];
        if (!entry.bKnown || entry.color != color)
        {
            entry.color = color;
            entry.nearest = ::GetNearestColor(hDC, color);
            entry.bKnown = TRUE;
        }
        return entry.nearest;
    }

    void Forget()
    {
        for (Entry& entry : m_entries)
            entry.bKnown = FALSE;
    }

private:
    struct Entry
    {
        COLORREF color;
        COLORREF nearest;
        BOOL bKnown;
    };
    enum { nSlots = 32 };   // a power of two

    static UINT Slot(COLORREF color) { return (color ^ (color >> 7) ^ (color >> 15)) & (nSlots - 1); }

    Entry m_entries[nSlots];
};
