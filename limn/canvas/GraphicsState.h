// CGraphicsState: a saved level of a canvas's device context. Built on a canvas, it
// saves the context and restores it when it goes out of scope: pen, brush, font, colours,
// mapping and clip region. The canvas's own origin and clip rectangle are not part of it.
#pragma once

#include "limn/limn_api.h"

class CCanvas;

class LIMN_API CGraphicsState
{
public:
    CGraphicsState() : m_pCanvas(NULL), m_nSavedDC(-1) {}
    explicit CGraphicsState(CCanvas& canvas);
    ~CGraphicsState();
    CGraphicsState(const CGraphicsState&) = default;
    CGraphicsState& operator=(const CGraphicsState&) = default;

    CCanvas* m_pCanvas;
    int m_nSavedDC;
};
