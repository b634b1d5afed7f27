// CPicture: drawing, element by element.
#include "limn/pictures/Picture.h"

void CPicture::Draw(CCanvas& canvas, const CRect& src, const CRect& dst) const
{
    // Converting a first element is a change made once, on the first draw.
    const_cast<CPicture*>(this)->ConvertMacPictElem();
    ForEachElem([&](const CPictElem* pElem) { pElem->Draw(canvas, src, dst); });
}

void CPicture::ConvertMacPictElem() {}
