// CMacPictElem: the picture's bytes and their archive form.
#include "limn/pictures/MacPictElem.h"

IMPLEMENT_SERIAL(CMacPictElem, CPictElemFreeable, 0)

CMacPictElem::CMacPictElem(void* hPict)
{
    if (hPict == NULL)
        return;
    const SIZE_T nSize = ::GlobalSize(hPict);
    if (nSize > MAXDWORD)
        AfxThrowMemoryException();
    const void* pBytes = ::GlobalLock(hPict);
    if (pBytes == NULL)
        AfxThrowMemoryException();
    try
    {
        m_pict.SetData((DWORD)nSize, pBytes);
    }
    catch (...)
    {
        ::GlobalUnlock(hPict);
        throw;
    }
    ::GlobalUnlock(hPict);
}

CMacPictElem::~CMacPictElem() = default;

void CMacPictElem::Serialize(CArchive& ar)
{
    m_pict.Serialize(ar);
    CDrawable::Serialize(ar);
}
