// CClipboardMemFile: the memory file that a copy writes a clipboard stream into. Its
// bytes lie in address space reserved once, committed in steps of nGrowBytes as the
// file grows, so that growing never moves them; the finished stream is copied once
// into the movable, shareable global block that the clipboard takes.
#pragma once

#include <afx.h>

class CClipboardMemFile : public CMemFile
{
public:
    explicit CClipboardMemFile(UINT nGrowBytes = 4096) : CMemFile(nGrowBytes) {}
    ~CClipboardMemFile() override;

    // A new global block holding the file's bytes (at least one byte long), which the
    // caller owns. Throws CMemoryException when it cannot be had.
    HGLOBAL CopyToGlobal() const;

protected:
    void GrowFile(DWORD dwNewLen) override;
    void Free(BYTE* lpMem) override;
};
