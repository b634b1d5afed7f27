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
    const DWORD nFirst = ar.GetMapCount();
    // A resource that the record holds takes the blocks read after it as its own; the
    // blocks of the records that follow are the picture's again.
    const CObject* pOwner = CReloadableData::m_pCurOwner;
    CObject* pObject;
    try
    {
        pObject = ar.ReadObject(NULL);
    }
    catch (...)
    {
        KeepUnowned(ar, nFirst);
        throw;
    }
    CReloadableData::m_pCurOwner = pOwner;
    if (pObject != NULL && pObject->IsKindOf(RUNTIME_CLASS(CPictElem)))
    {
        auto* pElem = static_cast<CPictElem*>(pObject);
        if (ar.GetMapCount() == nFirst)
            return pElem->CreateCopy();     // a reference to an element already held
        return pElem;                       // new: it owns what its own data created
    }
    // Anything else reads as no element.
    KeepUnowned(ar, nFirst);
    return NULL;
}

namespace {

// The framework's collections of objects hold them without owning them.
BOOL HoldsWithoutOwning(const CRuntimeClass* pClass)
{
    return pClass == RUNTIME_CLASS(CObArray) || pClass == RUNTIME_CLASS(CObList) ||
           pClass == RUNTIME_CLASS(CMapStringToOb);
}

} // namespace

void CPictElemArray::KeepUnowned(CArchive& ar, DWORD nFirst)
{
    // Objects are numbered as they are created, each before what its own data creates,
    // and nEnd closes that span. The framework's collections hold objects without owning
    // them, so what they hold is looked at one object at a time. Any other object owns
    // what its data created (a picture its elements, a container its children): it is
    // skipped with all of that, also when its reading failed and the archive freed it.
    DWORD nIndex = nFirst;
    while (nIndex < ar.GetMapCount())
    {
        CObject* pObject;
        CRuntimeClass* pClass;
        DWORD nEnd;
        if (!ar.GetLoadedObject(nIndex, pObject, pClass, nEnd))
        {
            ++nIndex;
            continue;
        }
        auto* pResource = dynamic_cast<CResource*>(pObject);
        if (pObject != NULL && (pResource == NULL || pResource->GetHoard() == NULL))
            m_unused.emplace_back(pObject);
        nIndex = HoldsWithoutOwning(pClass) ? nIndex + 1 : nEnd;
    }
}
