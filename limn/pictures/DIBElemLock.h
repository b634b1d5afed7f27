// CDIBElem::CDIBLock: one lock of a bitmap element's stored DIB for the lifetime of a
// scope, checked with ValidateDIB against the size of the block that holds it.
#pragma once

#include "limn/pictures/DIBElem.h"

#include <vector>

class CDIBElem::CDIBLock
{
public:
    // Locks for reading; with bForWriting the block is marked modified.
    explicit CDIBLock(const CReloadableData& dib);
    CDIBLock(CReloadableData& dib, BOOL bForWriting);
    ~CDIBLock();
    CDIBLock(const CDIBLock&) = delete;
    CDIBLock& operator=(const CDIBLock&) = delete;

    // The packed DIB; NULL when the block is empty, its bytes cannot be had (the file is
    // gone, the stored stream is damaged or claims more than its DIB can use, memory is
    // short) or they do not hold a valid DIB.
    BYTE* Get() const { return m_p; }
    const DIBINFO& Info() const { return m_info; }
    // The first pixel byte.
    BYTE* Bits() const { return reinterpret_cast<BYTE*>(FindDIBBits(reinterpret_cast<LPSTR>(m_p))); }

    // A run-length stream whose header gives no length (biSizeImage 0) runs to the end of
    // the block, but GDI draws nothing of it. These give such a header the stream's length.
    // The header and colour table for GDI: the DIB's own, or a copy made in copy.
    const BITMAPINFO* HeaderForGDI(std::vector<BYTE>& copy) const;
    // Sets the length in pDIB, a copy of this DIB.
    void CompleteHeader(BYTE* pDIB) const;

private:
    void Check();
    BOOL LacksStreamLength() const;

    const CReloadableData& m_dib;
    BYTE* m_p;
    DIBINFO m_info;
};
