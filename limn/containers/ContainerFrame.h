// CContainerFrame: the border a container may own. It draws the ring between the
// container's bounds and its client area and tells the container how wide the ring is.
// This one is flat, of one colour.
#pragma once

#include "limn/limn_api.h"

class CCanvas;

class LIMN_API CContainerFrame : public CObject
{
    DECLARE_SERIAL(CContainerFrame)
public:
    CContainerFrame(WORD wWidth, COLORREF color);
    // One pixel, black.
    CContainerFrame();

    void Serialize(CArchive& ar) override;

    // rect is the container's bounds, in the canvas coordinates in force.
    virtual void Draw(CCanvas& canvas, const CRect& rect);
    // Shrinks pRect by the width on every side.
    virtual void AdjustClientRect(CRect* pRect);

// Attributes: changing them neither lays out nor redraws the container
    WORD GetWidth() const { return m_wWidth; }
    void SetWidth(WORD wWidth) { m_wWidth = wWidth; }
    COLORREF GetColor() const { return m_color; }
    void SetColor(COLORREF color) { m_color = color; }

protected:
    WORD m_wWidth;
    COLORREF m_color;
};
