// CCanvasBufferLocker.
#include "limn/canvas/CanvasBufferLocker.h"

#include <stdlib.h>

unsigned char* CCanvasBufferLocker::GetStartBuffer() const
{
    if (m_pData == NULL)
        return NULL;
    return m_pData - m_pBuffer->GetTopScanLineOffset();
}

DWORD CCanvasBufferLocker::GetBufferSize() const
{
    return (DWORD)abs(m_pBuffer->GetHeight() * m_pBuffer->GetRowBytes());
}
