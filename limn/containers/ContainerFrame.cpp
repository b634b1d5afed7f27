// CContainerFrame.
#include "limn/containers/ContainerFrame.h"
#include "limn/canvas/Canvas.h"

IMPLEMENT_SERIAL(CContainerFrame, CObject, 0)

CContainerFrame::CContainerFrame(WORD wWidth, COLORREF color) : m_wWidth(wWidth), m_color(color) {}

CContainerFrame::CContainerFrame() : CContainerFrame(1, RGB(0, 0, 0)) {}

void CContainerFrame::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_wWidth << (DWORD)m_color;
    else
        ar >> m_wWidth >> m_color;
}

// The pen draws inside the rectangle, so the ring is exactly the frame's width.
void CContainerFrame::Draw(CCanvas& canvas, const CRect& rect)
{
    canvas.SetPen(m_color, m_wWidth, FALSE);
    canvas.FrameRectangle(rect);
}

void CContainerFrame::AdjustClientRect(CRect* pRect) { pRect->DeflateRect(m_wWidth, m_wWidth); }
