// ShowNamedPictures: plain leaf containers replaced by resource containers of the same
// record.
#include "limn/containers/NamedPictures.h"
#include "limn/pictures/DrawableResource.h"

#include "hoard/resources/Hoard.h"

#include <memory>
#include <typeinfo>

namespace {

CResourceContainer* NewResourceContainer(CDrawableResource* pResource)
{
    return new CResourceContainer(NULL, pResource);
}

// Gives pTo the record of pFrom, a container without children, as storage would.
void CopyRecord(CContainer* pFrom, CContainer* pTo)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        pFrom->Serialize(ar);
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    pTo->Serialize(ar);
}

CDrawableResource* PictureNamed(CHoard& hoard, const CContainer* pContainer)
{
    if (typeid(*pContainer) != typeid(CContainer) || !pContainer->GetChildList().IsEmpty())
        return NULL;
    return dynamic_cast<CDrawableResource*>(hoard.GetResource("CPicture", pContainer->GetName()));
}

} // namespace

int ShowNamedPictures(CContainer* pRoot, CHoard& hoard, PFN_NEWRESOURCECONTAINER pfnNew)
{
    if (pfnNew == NULL)
        pfnNew = NewResourceContainer;
    int nReplaced = 0;
    const auto& children = pRoot->GetChildList();
    for (POSITION pos = children.GetHeadPosition(); pos != NULL;)
    {
        CContainer* pChild = children.GetNext(pos);
        CDrawableResource* pPicture = PictureNamed(hoard, pChild);
        if (pPicture == NULL)
        {
            nReplaced += ShowNamedPictures(pChild, hoard, pfnNew);
            continue;
        }
        std::unique_ptr<CContainer> pShowing(pfnNew(pPicture));
        CopyRecord(pChild, pShowing.get());
        pRoot->ReplaceChild(pChild, pShowing.release());
        delete pChild;
        ++nReplaced;
    }
    return nReplaced;
}
