// CPicture: drawing, element by element, after a first Macintosh element has become a
// bitmap element.
#include "limn/pictures/Picture.h"
#include "limn/pictures/DIBElem.h"
#include "limn/pictures/MacPictElem.h"

#include <memory>

void CPicture::Draw(CCanvas& canvas, const CRect& src, const CRect& dst) const
{
    // Converting a first element is a change made once, on the first draw.
    const_cast<CPicture*>(this)->ConvertMacPictElem();
    ForEachElem([&](const CPictElem* pElem) { pElem->Draw(canvas, src, dst); });
}

void CPicture::ConvertMacPictElem()
{
    if (m_elems.GetSize() == 0)
        return;
    auto* pMacPict = dynamic_cast<CMacPictElem*>(m_elems[0].m_pElem);
    if (pMacPict == NULL)
        return;
    HDIB hDIB = pMacPict->MakeDIB();
    if (hDIB == NULL)
        return;
    std::unique_ptr<CDIBElem> pElem;
    try
    {
        pElem.reset(new CDIBElem(hDIB));
    }
    catch (...)
    {
        ::GlobalFree(hDIB);
        throw;
    }
    ::GlobalFree(hDIB);
    if (pElem->GetDIBSize() == 0)
        return;
    // The new element takes the settings that the picture gave the old one.
    if (pMacPict->IsColorSet())
        pElem->SetColor(pMacPict->GetColor());
    pElem->SetTransparentBackground(pMacPict->IsTransparentBackground());
    ReleasePictElem(pMacPict);
    m_elems[0].m_pElem = pElem.release();
    LinkSelfPointer(m_elems[0].m_pElem);
}
