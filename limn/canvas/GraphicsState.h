// CGraphicsState: a saved state of a canvas. Built on a canvas, it saves the device
// context (pen, brush, font, colours, mapping and clip region) and the canvas's own
// drawing origin and clip rectangle, and restores them all when it goes out of scope.
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
    CPoint m_origin;
    CRect m_clipRect;
};
