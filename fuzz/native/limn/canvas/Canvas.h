// The native build's stand-in for limn's canvas. Drawing is not fuzzed: this canvas
// draws nothing and keeps only the origin and clip rectangle that containers move while
// they draw.
#pragma once

#include "limn/limn_api.h"

class CCanvas
{
public:
    void SetPen(COLORREF, WORD, BOOL) {}
    void SetBrush(COLORREF, BOOL) {}
    void FrameRectangle(const CRect&) {}
    void FillPolygon(const CArray<CPoint, CPoint>&) {}

    CPoint GetOrigin() const { return m_origin; }
    void SetOrigin(CPoint origin) { m_origin = origin; }
    void OffsetOrigin(CPoint delta) { m_origin += delta; }
    const CRect& GetClipRect() const { return m_clipRect; }
    void ClipToRect(const CRect& rect) { m_clipRect = rect; }
    void TurnOffClipping() { m_clipRect.SetRectEmpty(); }
    BOOL IsPrinting() const { return FALSE; }
    BOOL IsInPreview() const { return FALSE; }

private:
    CPoint m_origin;
    CRect m_clipRect;
};
