// CTempMem: a scratch array of TYPE in fixed global memory.
#pragma once

#include "hoard/runtime/TempMemBase.h"

template <class TYPE>
class CTempMem : public CTempMemBase
{
public:
    CTempMem() = default;
    // Room for nCount elements, contents undefined; throws CMemoryException.
    explicit CTempMem(DWORD nCount) { SetCount(nCount); }

    TYPE* SetCount(DWORD nCount)
    {
        if (nCount > 0xFFFFFFFF / sizeof(TYPE))
            AfxThrowMemoryException();
        SetSize(nCount * (DWORD)sizeof(TYPE));
        return GetData();
    }
    TYPE* GetData() const { return static_cast<TYPE*>(CTempMemBase::GetData()); }
};
