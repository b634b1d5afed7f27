// CPictElem: the element base and the copy made by class name.
#include "limn/pictures/PictElem.h"

IMPLEMENT_DYNAMIC(CPictElem, CObject)

CPictElem::~CPictElem() = default;

void CPictElem::CopyFrom(const CPictElem*) {}

void CPictElem::FlipHorizontally() {}

void CPictElem::FlipVertically() {}

CPoint CPictElem::GetPosition() { return CPoint(0, 0); }

CPictElem* CPictElem::CreateCopy() const
{
    CObject* pObject = GetRuntimeClass()->CreateObject();
    if (pObject == NULL)
        return NULL;
    CPictElem* pCopy = static_cast<CPictElem*>(pObject);
    try
    {
        pCopy->CopyFrom(this);
    }
    catch (...)
    {
        delete pCopy;
        throw;
    }
    return pCopy;
}
