// CPictElemArray: the stub list's archive form.
#include "limn/pictures/PictElemArray.h"

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

    // The array grows as stubs arrive, so that a damaged count cannot allocate at once.
    for (DWORD nCount = ar.ReadCount(); nCount != 0; --nCount)
    {
        CRect rect;
        ar >> rect.left >> rect.top >> rect.right >> rect.bottom;
        INT_PTR i = Add(CPictElemStub(NULL, rect));
        DWORD nNumbered = ar.GetMapCount();
        CPictElem* pElem = static_cast<CPictElem*>(ar.ReadObject(RUNTIME_CLASS(CPictElem)));
        if (pElem != NULL && ar.GetMapCount() == nNumbered)
            pElem = pElem->CreateCopy();    // a reference to an element already held
        ElementAt(i).m_pElem = pElem;
    }
}
