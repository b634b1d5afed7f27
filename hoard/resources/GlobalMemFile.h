// CGlobalMemFile: a memory file in movable, shareable global memory, which the
// clipboard takes over once the file is written.
#pragma once

#include <afx.h>

class CGlobalMemFile : public CMemFile
{
public:
    // Grows in whole steps of nGrowBytes, and by at least its size so far, so that
    // writing n bytes moves O(n) bytes however small the steps.
    explicit CGlobalMemFile(UINT nGrowBytes = 4096) : CMemFile(nGrowBytes), m_hMemory(NULL) {}
    ~CGlobalMemFile() override;

    // Gives the caller the block, unlocked and cut to the file's length (null when
    // nothing was written), and empties the file.
    HGLOBAL Detach();

protected:
    BYTE* Alloc(DWORD nBytes) override;
    BYTE* Realloc(BYTE* lpMem, DWORD nBytes) override;
    void Free(BYTE* lpMem) override;
    void GrowFile(DWORD dwNewLen) override;

private:
    HGLOBAL m_hMemory;      // owned while the file holds it; locked at m_lpBuffer
};
