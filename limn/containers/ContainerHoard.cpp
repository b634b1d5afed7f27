// CContainer::GetHoard: the resource file of the tree's document.
#include "limn/containers/Container.h"

// A tree's document owns the resource file its containers show. No document class of
// limn attaches to a tree yet, so GetDocument is NULL for every tree and so is the file.
CHoard* CContainer::GetHoard()
{
    ASSERT(GetDocument() == NULL);
    return NULL;
}
