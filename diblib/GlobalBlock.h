// Owning and locking wrappers of movable global memory blocks.
#pragma once

#include "diblib/dibapi.h"

// A new movable block, locked while this object owns it. Detach gives the unlocked
// handle to the caller; otherwise the block is freed with this object.
class CGlobalBlock
{
public:
    // An empty object (GetData() is NULL) for 0 bytes or when the block cannot be had.
    explicit CGlobalBlock(SIZE_T cb, UINT nFlags = GMEM_MOVEABLE | GMEM_ZEROINIT)
        : m_hBlock(cb != 0 ? ::GlobalAlloc(nFlags, cb) : NULL)
    {
        m_pData = m_hBlock != NULL ? static_cast<BYTE*>(::GlobalLock(m_hBlock)) : NULL;
    }
    ~CGlobalBlock()
    {
        if (m_hBlock == NULL)
            return;
        if (m_pData != NULL)
            ::GlobalUnlock(m_hBlock);
        ::GlobalFree(m_hBlock);
    }
    CGlobalBlock(const CGlobalBlock&) = delete;
    CGlobalBlock& operator=(const CGlobalBlock&) = delete;

// Attributes
    BYTE* GetData() const { return m_pData; }

// Operations
    HGLOBAL Detach()
    {
        HGLOBAL hBlock = m_hBlock;
        if (m_pData != NULL)
            ::GlobalUnlock(hBlock);
        m_hBlock = NULL;
        m_pData = NULL;
        return hBlock;
    }

private:
    HGLOBAL m_hBlock;
    BYTE* m_pData;
};

// A lock on a block that someone else owns, with the block's size, for the lifetime of
// this object.
class CGlobalLock
{
public:
    explicit CGlobalLock(HGLOBAL hBlock)
        : m_hBlock(hBlock),
          m_pData(hBlock != NULL ? static_cast<const BYTE*>(::GlobalLock(hBlock)) : NULL),
          m_cbData(m_pData != NULL ? ::GlobalSize(hBlock) : 0)
    {
    }
    ~CGlobalLock()
    {
        if (m_pData != NULL)
            ::GlobalUnlock(m_hBlock);
    }
    CGlobalLock(const CGlobalLock&) = delete;
    CGlobalLock& operator=(const CGlobalLock&) = delete;

// Attributes
    const BYTE* GetData() const { return m_pData; }
    SIZE_T GetSize() const { return m_cbData; }

private:
    HGLOBAL m_hBlock;
    const BYTE* m_pData;
    SIZE_T m_cbData;
};
