// CClipboardMemFile: reserved address space committed as the file grows.
#include "hoard/resources/ClipboardMemFile.h"

namespace {

// As much as a memory file can hold.
const SIZE_T nReserved = 0xFFFFFFFF;

} // namespace

CClipboardMemFile::~CClipboardMemFile() { FreeBuffer(); }

void CClipboardMemFile::GrowFile(DWORD dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    // As for any memory file, no steps means that the file cannot grow.
    if (m_nGrowBytes == 0)
        AfxThrowMemoryException();
    if (m_lpBuffer == NULL)
    {
        m_lpBuffer = static_cast<BYTE*>(VirtualAlloc(NULL, nReserved, MEM_RESERVE, PAGE_READWRITE));
        if (m_lpBuffer == NULL)
            AfxThrowMemoryException();
    }
    ULONGLONG nCommit = ((ULONGLONG)dwNewLen + m_nGrowBytes - 1) / m_nGrowBytes * m_nGrowBytes;
    if (nCommit > nReserved)
        nCommit = nReserved;
    if (VirtualAlloc(m_lpBuffer + m_nBufferSize, (SIZE_T)(nCommit - m_nBufferSize), MEM_COMMIT, PAGE_READWRITE) == NULL)
        AfxThrowMemoryException();
    m_nBufferSize = (DWORD)nCommit;
}

void CClipboardMemFile::Free(BYTE* lpMem) { VirtualFree(lpMem, 0, MEM_RELEASE); }

HGLOBAL CClipboardMemFile::CopyToGlobal() const
{
    HGLOBAL hCopy = GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, m_nFileSize != 0 ? m_nFileSize : 1);
    if (hCopy == NULL)
        AfxThrowMemoryException();
    if (m_nFileSize != 0)
        memcpy(GlobalLock(hCopy), m_lpBuffer, m_nFileSize);
    else
        GlobalLock(hCopy);
    GlobalUnlock(hCopy);
    return hCopy;
}
