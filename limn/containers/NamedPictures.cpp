// ShowNamedPictures: plain leaf containers replaced by resource containers of the same
// record.
#include "limn/containers/NamedPictures.h"
#include "limn/containers/ChildWalk.h"
#include "limn/containers/ChoiceLink.h"
#include "limn/pictures/DrawableResource.h"

#include "hoard/resources/Hoard.h"

#include <memory>
#include <typeinfo>

namespace {

CResourceContainer* NewResourceContainer(CDrawableResource* pResource)
{
    return new CResourceContainer(NULL, pResource);
}

CDrawableResource* PictureNamed(CHoard& hoard, const CContainer* pContainer)
{
    if (typeid(*pContainer) != typeid(CContainer) || !pContainer->GetChildList().IsEmpty())
        return NULL;
    return dynamic_cast<CDrawableResource*>(CChoiceLink::ResourceOf(hoard, pContainer->GetName(), "CPicture"));
}

} // namespace

int ShowNamedPictures(CContainer* pRoot, CHoard& hoard, PFN_NEWRESOURCECONTAINER pfnNew)
{
    if (pfnNew == NULL)
        pfnNew = NewResourceContainer;
    int nReplaced = 0;
    // A replacement lays the parent out again, and SetBounds handlers may destroy
    // containers.
    CChildWalk walk(pRoot);
    while (CContainer* pChild = walk.Next())
    {
        CDrawableResource* pPicture = PictureNamed(hoard, pChild);
        if (pPicture == NULL)
        {
            nReplaced += ShowNamedPictures(pChild, hoard, pfnNew);
            continue;
        }
        ReplaceLeaf(pChild, pfnNew(pPicture));
        ++nReplaced;
    }
    return nReplaced;
}

// The record goes through storage, as reading it back from a document would.
void ReplaceLeaf(CContainer* pOld, CContainer* pNew)
{
    std::unique_ptr<CContainer> pOwned(pNew);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        pOld->Serialize(ar);
    }
    file.SeekToBegin();
    {
        CArchive ar(&file, CArchive::load);
        pNew->Serialize(ar);
    }
    pOld->GetParent()->ReplaceChild(pOld, pOwned.release());
    delete pOld;
}
