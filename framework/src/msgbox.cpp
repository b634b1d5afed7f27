// Message boxes, and exceptions reported in one.
#include "afxwin.h"

namespace {

// The application's name: its executable's file name without the extension.
CString AppName()
{
    char szPath[MAX_PATH];
    DWORD nLen = GetModuleFileNameA(NULL, szPath, MAX_PATH);
    if (nLen == 0 || nLen >= MAX_PATH)
        return CString();
    CString strName(szPath);
    strName = strName.Mid(strName.ReverseFind('\\') + 1);
    int nDot = strName.ReverseFind('.');
    return nDot > 0 ? strName.Left(nDot) : strName;
}

} // namespace

int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType, UINT)
{
    if ((nType & MB_ICONMASK) == 0)
    {
        switch (nType & MB_TYPEMASK)
        {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        default:
            break;
        }
    }
    HWND hWndOwner = GetActiveWindow();
    CString strTitle = AppName();
    return MessageBoxA(hWndOwner, lpszText, strTitle, nType);
}

int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString strPrompt;
    strPrompt.LoadString(nIDPrompt);
    return AfxMessageBox(strPrompt, nType, nIDHelp);
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
