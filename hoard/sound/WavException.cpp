// Wave-device errors as exceptions.
#include "hoard/sound/WavException.h"

#include "hoard/sound/Wav.h"

#include <stdio.h>

IMPLEMENT_DYNAMIC(CWavException, CException)

BOOL CWavException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    snprintf(lpszError, nMaxError, "%s", (LPCSTR)m_strError);
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    return TRUE;
}

void CWav::CheckError(UINT result)
{
    if (result == MMSYSERR_NOERROR)
        return;
    // The output side's texts cover the input side's errors too.
    static char szError[128];
    if (waveOutGetErrorTextA(result, szError, sizeof szError) != MMSYSERR_NOERROR)
        snprintf(szError, sizeof szError, "wave device error %u", result);
    throw new CWavException(szError);
}
