// Merging identical resources of a type before a file is written.
#include "hoard/resources/Hoard.h"

#include "hoard/resources/ResourcePtr.h"

void CHoard::CollapseIdenticalResources()
{
    // Among identical resources the first of the list stays and takes over the
    // pointers to the others, which are destroyed once every type was compared.
    CPtrList listGone(10);          // in the order marked
    CMapPtrToPtr mapGone(10);       // the same, for lookup
    void* pUnused;
    POSITION posType = m_mapTypes.GetStartPosition();
    while (posType != NULL)
    {
        CString strType;
        CResourceList* pList;
        m_mapTypes.GetNextAssoc(posType, strType, pList);
        for (POSITION posA = pList->GetHeadPosition(); posA != NULL;)
        {
            CResource* pA = pList->GetNext(posA);
            if (mapGone.Lookup(pA, pUnused))
                continue;
            for (POSITION posB = pList->GetHeadPosition(); posB != NULL;)
            {
                CResource* pB = pList->GetNext(posB);
                if (pA == pB || mapGone.Lookup(pB, pUnused))
                    continue;
                if (pA->IsSameAs(pB))
                {
                    listGone.AddTail(pB);
                    mapGone.SetAt(pB, pB);
                    CResourcePtrData::OnResourceCollapsed(pA, pB);
                }
            }
        }
    }
    while (!listGone.IsEmpty())
        delete static_cast<CResource*>(listGone.RemoveHead());
}
