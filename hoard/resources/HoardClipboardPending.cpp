// Placeholders for the clipboard transfer of resources, which is built on another
// branch: they let this branch build and run alone and copy and paste nothing. This
// file, and its line in fuzz/CMakeLists.txt, go when that branch's implementation is
// merged.
#include "hoard/resources/Hoard.h"

void CResource::OnCopy()
{
    if (m_pHoard != NULL)
    {
        CResourceList list;
        list.AddTail(this);
        m_pHoard->OnCopyGeneric(list);
    }
}

void CHoard::OnCopyGeneric(const CTypedPtrList<CObList, CResource*>&) {}

BOOL CHoard::CanPasteGeneric(const char*) { return FALSE; }

void CHoard::OnPasteGeneric(CTypedPtrList<CObList, CResource*>&) {}
