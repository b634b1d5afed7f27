// CPictElemStub: one entry of a picture, an element and its rectangle in the picture.
#pragma once

#include "limn/pictures/PictElem.h"

class CPictElemStub
{
public:
    CPictElemStub() : m_pElem(NULL) {}
    // The rectangle (0, 0, the element's extent).
    explicit CPictElemStub(CPictElem* pElem)
        : m_pElem(pElem), m_rect(CPoint(0, 0), pElem->GetExtent()) {}
    CPictElemStub(CPictElem* pElem, const CRect& rect) : m_pElem(pElem), m_rect(rect) {}

    CPictElem* m_pElem;         // NULL for a stored null element; see CPicture
    CRect m_rect;
};
