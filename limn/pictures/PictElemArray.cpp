// CPictElemArray: the stub list's archive form.
#include "limn/pictures/PictElemArray.h"

#include "hoard/data/ReloadableData.h"
#include "hoard/resources/Resource.h"

void CPictElemArray::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar.WriteCount((DWORD)GetSize());
        for (INT_PTR i = 0; i < GetSize(); ++i)
        {
            const CPictElemStub& stub = ElementAt(i);
            ar << stub.m_rect.left << stub.m_rect.top << stub.m_rect.right << stub.m_rect.bottom;
            ar << static_cast<const CObject*>(stub.m_pElem);
        }
        return;
    }

    // The archive that read the objects kept so far is done with them.
    m_unused.clear();
    // The array grows as stubs arrive, so that a damaged count cannot allocate at once.
    for (DWORD nCount = ar.ReadCount(); nCount != 0; --nCount)
    {
        CRect rect;
        ar >> rect.left >> rect.top >> rect.right >> rect.bottom;
        INT_PTR i = Add(CPictElemStub(NULL, rect));
        ElementAt(i).m_pElem = ReadElem(ar);
    }
}

CPictElem* CPictElemArray::ReadElem(CArchive& ar)
{
    DWORD nNumbered = ar.GetMapCount();
    // A resource that the record holds takes the blocks read after it as its own; the
    // blocks of the records that follow are the picture's again.
    const CObject* pOwner = CReloadableData::m_pCurOwner;
    CObject* pObject = ar.ReadObject(NULL);
    CReloadableData::m_pCurOwner = pOwner;
    if (pObject == NULL)
        return NULL;
    const BOOL bNew = ar.GetMapCount() != nNumbered;
    if (pObject->IsKindOf(RUNTIME_CLASS(CPictElem)))
    {
        auto* pElem = static_cast<CPictElem*>(pObject);
        return bNew ? pElem : pElem->CreateCopy();      // a reference to an element already held
    }
    // Anything else reads as no element. A new object is kept here unless it is a
    // resource that the resource file being read took.
    auto* pResource = dynamic_cast<CResource*>(pObject);
    if (bNew && (pResource == NULL || pResource->GetHoard() == NULL))
    {
        std::unique_ptr<CObject> pUnused(pObject);
        m_unused.push_back(std::move(pUnused));
    }
    return NULL;
}
