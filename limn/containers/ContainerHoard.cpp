// CContainer::GetHoard: the resource file of the tree's document. The document of a tree
// is a CLimnDoc, a CResDoc that owns its resource file. Where the library is built
// without the document class, no tree can have a document, and none has a file.
#include "limn/containers/Container.h"

#if __has_include("limn/app/LimnDoc.h")
#include "limn/app/LimnDoc.h"

CHoard* CContainer::GetHoard()
{
    CLimnDoc* pDoc = GetDocument();
    return pDoc != NULL ? &pDoc->GetHoard() : NULL;
}
#else
CHoard* CContainer::GetHoard()
{
    ASSERT(GetDocument() == NULL);
    return NULL;
}
#endif
