// CTempMemBase: one block of fixed global memory.
#include "hoard/runtime/TempMemBase.h"
#include "hoard/runtime/Freeable.h"

void CTempMemBase::FreeAll()
{
    if (m_pData != NULL)
        GlobalFree(m_pData);
    m_pData = NULL;
}

void CTempMemBase::SetSize(DWORD n)
{
    FreeAll();
    m_pData = CFreeable::AllocWithRetry([n] { return (void*)GlobalAlloc(GMEM_FIXED, n); });
    if (m_pData == NULL)
        AfxThrowMemoryException();
}
