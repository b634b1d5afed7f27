// CCanvasBufferLocker: direct access to a buffer's pixels for the lifetime of a scope.
// No GDI drawing may touch the buffer meanwhile.
#pragma once

#include "limn/canvas/CanvasBuffer.h"

class LIMN_API CCanvasBufferLocker
{
public:
    explicit CCanvasBufferLocker(CCanvasBuffer& buffer)
        : m_pBuffer(&buffer), m_pData(buffer.LockData()) {}
    ~CCanvasBufferLocker() { m_pBuffer->UnlockData(); }
    CCanvasBufferLocker(const CCanvasBufferLocker&) = delete;
    CCanvasBufferLocker& operator=(const CCanvasBufferLocker&) = delete;

    // The top scan line; NULL when the buffer has no section.
    operator unsigned char*() const { return m_pData; }
    // The lowest address of the pixel memory.
    unsigned char* GetStartBuffer() const;
    // Bytes of pixel memory, row padding included.
    DWORD GetBufferSize() const;

private:
    CCanvasBuffer* m_pBuffer;
    unsigned char* m_pData;
};
