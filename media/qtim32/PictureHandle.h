// A picture handle as the routines receive it: an unlocked global handle of the PICT
// bytes, locked here for the duration of one call.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

class CLockedPicture
{
public:
    // Locks hPict when it is a global handle of at least one byte; otherwise IsValid()
    // is false and nothing is locked.
    explicit CLockedPicture(HGLOBAL hPict);
    ~CLockedPicture();
    CLockedPicture(const CLockedPicture&) = delete;
    CLockedPicture& operator=(const CLockedPicture&) = delete;

    bool IsValid() const { return m_pData != NULL; }
    const uint8_t* Data() const { return m_pData; }
    size_t Size() const { return m_cbData; }

private:
    HGLOBAL m_hPict;
    const uint8_t* m_pData;
    size_t m_cbData;
};
