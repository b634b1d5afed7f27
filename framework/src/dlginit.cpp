// Dialog-init data: the strings that a resource script lists for the combo and list
// boxes of a dialog (a DLGINIT statement, the RT_DLGINIT resource named like the
// dialog), added to the controls when the dialog initialises.
#include "afxwin.h"

#include <string.h>

namespace {

// Messages of the data, as 16-bit resource compilers wrote them and as Win32 has them.
const WORD WIN16_LB_ADDSTRING = WM_USER + 1;
const WORD WIN16_CB_ADDSTRING = WM_USER + 3;

// Each record: the control's id (WORD), the message (WORD), the length of what follows
// (DWORD), and that many bytes, a string for the add-string messages; a control id of
// 0 ends the data. Records of other messages are skipped. FALSE when a control refused
// a string or a record runs past the end of the data.
BOOL ExecuteDlgInitData(HWND hWnd, const BYTE* pData, DWORD cbData)
{
    const BYTE* p = pData;
    const BYTE* pEnd = pData + cbData;
    BOOL bSuccess = TRUE;
    for (;;)
    {
        WORD nIDC = 0;
        if (pEnd - p < (ptrdiff_t)sizeof nIDC)
            return FALSE;
        memcpy(&nIDC, p, sizeof nIDC);
        if (nIDC == 0)
            return bSuccess;

        WORD nMsg;
        DWORD dwLen;
        if (pEnd - p < (ptrdiff_t)(sizeof nIDC + sizeof nMsg + sizeof dwLen))
            return FALSE;
        memcpy(&nMsg, p + sizeof nIDC, sizeof nMsg);
        memcpy(&dwLen, p + sizeof nIDC + sizeof nMsg, sizeof dwLen);
        p += sizeof nIDC + sizeof nMsg + sizeof dwLen;
        if ((size_t)(pEnd - p) < dwLen)
            return FALSE;

        UINT nMsg32 = nMsg == WIN16_LB_ADDSTRING ? LB_ADDSTRING : nMsg == WIN16_CB_ADDSTRING ? CB_ADDSTRING : nMsg;
        if (nMsg32 == LB_ADDSTRING || nMsg32 == CB_ADDSTRING)
        {
            // The string ends at its terminator, or with the record if it has none.
            CString strItem((LPCSTR)p, (int)strnlen((LPCSTR)p, dwLen));
            // LB_ERR and CB_ERR, LB_ERRSPACE and CB_ERRSPACE.
            if ((int)::SendDlgItemMessageA(hWnd, nIDC, nMsg32, 0, (LPARAM)(LPCSTR)strItem) < 0)
                bSuccess = FALSE;
        }
        p += dwLen;
    }
}

} // namespace

BOOL CWnd::ExecuteDlgInit(LPCTSTR lpszResourceName)
{
    if (lpszResourceName == NULL)
        return TRUE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_DLGINIT);
    HRSRC hResource = ::FindResourceA(hInst, lpszResourceName, RT_DLGINIT);
    if (hResource == NULL)
        return TRUE;
    HGLOBAL hData = ::LoadResource(hInst, hResource);
    const BYTE* pData = hData != NULL ? (const BYTE*)::LockResource(hData) : NULL;
    return pData != NULL && ExecuteDlgInitData(m_hWnd, pData, ::SizeofResource(hInst, hResource));
}
