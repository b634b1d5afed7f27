// CGlobalMemFile: the memory file's block as movable global memory, locked while the
// file writes into it.
#include "hoard/resources/GlobalMemFile.h"

CGlobalMemFile::~CGlobalMemFile() { FreeBuffer(); }

BYTE* CGlobalMemFile::Alloc(DWORD nBytes)
{
    ASSERT(m_hMemory == NULL);
    m_hMemory = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, nBytes);
    return m_hMemory != NULL ? static_cast<BYTE*>(GlobalLock(m_hMemory)) : NULL;
}

BYTE* CGlobalMemFile::Realloc(BYTE*, DWORD nBytes)
{
    // The file keeps its old block when the new one cannot be had.
    GlobalUnlock(m_hMemory);
    HGLOBAL hNew = GlobalReAlloc(m_hMemory, nBytes, GMEM_MOVEABLE);
    if (hNew != NULL)
        m_hMemory = hNew;
    BYTE* lpMem = static_cast<BYTE*>(GlobalLock(m_hMemory));
    return hNew != NULL ? lpMem : NULL;
}

void CGlobalMemFile::Free(BYTE*)
{
    GlobalUnlock(m_hMemory);
    GlobalFree(m_hMemory);
    m_hMemory = NULL;
}

void CGlobalMemFile::GrowFile(DWORD dwNewLen)
{
    // Doubling keeps the number of moves of the block logarithmic.
    if (dwNewLen > m_nBufferSize && m_nBufferSize > dwNewLen - m_nBufferSize)
        dwNewLen = m_nBufferSize > 0x7FFFFFFF ? 0xFFFFFFFF : m_nBufferSize * 2;
    CMemFile::GrowFile(dwNewLen);
}

HGLOBAL CGlobalMemFile::Detach()
{
    HGLOBAL hMemory = m_hMemory;
    DWORD dwLength = m_nFileSize;
    if (hMemory != NULL)
    {
        GlobalUnlock(hMemory);
        // Shrinking gives the spare steps back; should it fail, the block is only longer.
        if (HGLOBAL hShrunk = GlobalReAlloc(hMemory, dwLength != 0 ? dwLength : 1, GMEM_MOVEABLE))
            hMemory = hShrunk;
    }
    m_hMemory = NULL;
    m_lpBuffer = NULL;
    FreeBuffer();
    return hMemory;
}
