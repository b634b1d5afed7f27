// CContainerCanvas: a canvas that draws straight into the window area of one container,
// outside the paint cycle, through a device context of the container's whole window. Its
// coordinates are the container's client coordinates.
#pragma once

#include "limn/canvas/Canvas.h"

class CContainer;

class LIMN_API CContainerCanvas : public CCanvas
{
public:
    // Throws CResourceException when the container is in no window, or its window has no
    // device context.
    explicit CContainerCanvas(CContainer* pContainer);
    // Puts back the palette the canvas selected and releases the context.
    ~CContainerCanvas() override;

private:
    CWindowDC m_dc;
};
