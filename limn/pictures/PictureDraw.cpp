// CPicture: drawing, element by element.
#include "limn/pictures/Picture.h"

void CPicture::Draw(CCanvas& canvas, const CRect& src, const CRect& dst) const
{
    // Converting a first element is a change made once, on the first draw.
    const_cast<CPicture*>(this)->ConvertMacPictElem();
    for (INT_PTR i = 0; i < m_elems.GetSize(); ++i)
    {
        if (const CPictElem* pElem = m_elems[i].m_pElem)
            pElem->Draw(canvas, src, dst);
    }
}

void CPicture::ConvertMacPictElem() {}
