// CGraphicsState.
#include "limn/canvas/GraphicsState.h"
#include "limn/canvas/Canvas.h"

CGraphicsState::CGraphicsState(CCanvas& canvas) : m_pCanvas(&canvas), m_nSavedDC(-1)
{
    canvas.GetState(*this);
}

CGraphicsState::~CGraphicsState()
{
    if (m_pCanvas != NULL)
        m_pCanvas->SetState(*this);
}
