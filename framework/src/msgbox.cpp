// Message boxes, their prompts with arguments, and exceptions reported in one.
#include "afxwin.h"

namespace {

// The icon that goes with the buttons when the caller chose none.
UINT WithDefaultIcon(UINT nType)
{
    if ((nType & MB_ICONMASK) != 0)
        return nType;
    switch (nType & MB_TYPEMASK)
    {
    case MB_OK:
    case MB_OKCANCEL:
        return nType | MB_ICONEXCLAMATION;
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return nType | MB_ICONQUESTION;
    default:
        return nType;
    }
}

// Owned by the safe owner, not by whatever window is active: a box raised while the
// program is in the background must still keep the user out of the window behind it.
// The box disables its owner; GetSafeOwner disables that owner's top-level window.
int ShowMessageBox(LPCSTR lpszText, UINT nType)
{
    HWND hWndTop;
    HWND hWndOwner = CWnd::GetSafeOwner(NULL, &hWndTop)->GetSafeHwnd();
    int nResult = ::MessageBoxA(hWndOwner, lpszText, AfxGetAppName(), WithDefaultIcon(nType));
    if (hWndTop != NULL)
        ::EnableWindow(hWndTop, TRUE);
    return nResult;
}

} // namespace

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    return ShowMessageBox(lpszPrompt, nType);
}

int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (CWinApp* pApp = AfxGetApp())
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ShowMessageBox(lpszText, nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString strPrompt;
    strPrompt.LoadString(nIDPrompt);
    return AfxMessageBox(strPrompt, nType, nIDHelp == (UINT)-1 ? nIDPrompt : nIDHelp);
}

void AFXAPI AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString)
{
    CString strResult;
    for (LPCSTR pch = lpszFormat; *pch != '\0'; pch++)
    {
        if (pch[0] == '%' && pch[1] >= '1' && pch[1] <= '9')
        {
            int nArg = *++pch - '1';
            if (nArg < nString && rglpsz[nArg] != NULL)
                strResult += rglpsz[nArg];
        }
        else
        {
            strResult += *pch;
        }
    }
    rString = strResult;
}

void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1)
{
    CString strFormat;
    strFormat.LoadString(nIDS);
    AfxFormatStrings(rString, strFormat, &lpsz1, 1);
}

void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2)
{
    CString strFormat;
    strFormat.LoadString(nIDS);
    LPCTSTR rglpsz[2] = { lpsz1, lpsz2 };
    AfxFormatStrings(rString, strFormat, rglpsz, 2);
}

int CException::ReportError(UINT nType, UINT nMessageID)
{
    char szErrorMessage[512];
    if (GetErrorMessage(szErrorMessage, sizeof szErrorMessage))
        return AfxMessageBox(szErrorMessage, nType);
    if (nMessageID == 0)
        return AfxMessageBox("An unsupported operation was attempted.", nType);
    return AfxMessageBox(nMessageID, nType);
}
