// CWavException: a wave-device error, thrown by pointer by CWav::CheckError and caught
// inside the sound engine, which goes on without the device. Its text is never shown.
#pragma once

#include "hoard/hoard_api.h"

class HOARD_API CWavException : public CException
{
    DECLARE_DYNAMIC(CWavException)
public:
    explicit CWavException(const char* pszError) : m_strError(pszError) {}

    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

    CString m_strError;     // the device's own text of the error
};
