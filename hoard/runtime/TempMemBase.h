// CTempMemBase: the single owner of one block of fixed global memory used as scratch
// space; derived classes give it a type.
#pragma once

#include "hoard/hoard_api.h"

class HOARD_API CTempMemBase
{
public:
    CTempMemBase(const CTempMemBase&) = delete;
    CTempMemBase& operator=(const CTempMemBase&) = delete;

// Operations
    // Releases the block, if any.
    void FreeAll();

protected:
    CTempMemBase() : m_pData(NULL) {}
    ~CTempMemBase() { FreeAll(); }

    // Replaces the block with one of n bytes; throws CMemoryException, holding no
    // block, when the memory cannot be had even after freeable memory was released.
    void SetSize(DWORD n);
    void* GetData() const { return m_pData; }

private:
    void* m_pData;      // fixed global memory, owned; null when there is none
};
