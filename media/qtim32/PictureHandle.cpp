// Locking a caller's picture handle. GlobalSize and GlobalLock both check the handle
// (a value that is no global handle gives 0 and NULL), so a stale or made-up handle is
// refused rather than read.
#include "media/qtim32/PictureHandle.h"

CLockedPicture::CLockedPicture(HGLOBAL hPict) : m_hPict(hPict), m_pData(NULL), m_cbData(0)
{
    if (hPict == NULL)
        return;
    const SIZE_T cbData = ::GlobalSize(hPict);
    if (cbData == 0)
        return;
    m_pData = static_cast<const uint8_t*>(::GlobalLock(hPict));
    if (m_pData != NULL)
        m_cbData = cbData;
}

CLockedPicture::~CLockedPicture()
{
    if (m_pData != NULL)
        ::GlobalUnlock(m_hPict);
}
