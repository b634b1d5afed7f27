// CContainer's document context: the resource file of the tree's document, and whether
// that document is the active one.
#include "limn/containers/Container.h"
#include "limn/app/LimnDoc.h"

CHoard* CContainer::GetHoard()
{
    CLimnDoc* pDoc = GetDocument();
    return pDoc != NULL ? &pDoc->GetHoard() : NULL;
}

BOOL CContainer::IsDocActive()
{
    auto* pView = DYNAMIC_DOWNCAST(CView, GetWindowPtr());
    return pView != NULL && pView->GetDocument() != NULL && pView->GetDocument() == CLimnDoc::GetActiveDoc();
}
