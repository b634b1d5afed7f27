// AfxExtractSubString: one field of a string whose fields are separated by a character,
// as document strings and frames' title strings are.
#include "afxwin.h"

#include <string.h>

BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString, TCHAR chSep)
{
    rString.Empty();
    // A NUL separator would lead past the end of the string.
    if (lpszFullString == NULL || iSubString < 0 || (chSep == '\0' && iSubString > 0))
        return FALSE;
    for (; iSubString > 0; iSubString--)
    {
        lpszFullString = strchr(lpszFullString, chSep);
        if (lpszFullString == NULL)
            return FALSE;
        lpszFullString++;
    }
    LPCTSTR lpchEnd = chSep != '\0' ? strchr(lpszFullString, chSep) : NULL;
    int nLen = lpchEnd == NULL ? (int)strlen(lpszFullString) : (int)(lpchEnd - lpszFullString);
    memcpy(rString.GetBufferSetLength(nLen), lpszFullString, nLen);
    return TRUE;
}
