// Message boxes, and exceptions reported in one.
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

int ShowMessageBox(LPCSTR lpszText, UINT nType)
{
    return ::MessageBoxA(::GetActiveWindow(), lpszText, AfxGetAppName(), WithDefaultIcon(nType));
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

int CException::ReportError(UINT nType, UINT nMessageID)
{
    char szErrorMessage[512];
    if (GetErrorMessage(szErrorMessage, sizeof szErrorMessage))
        return AfxMessageBox(szErrorMessage, nType);
    if (nMessageID == 0)
        return AfxMessageBox("An unsupported operation was attempted.", nType);
    return AfxMessageBox(nMessageID, nType);
}
