// What the framework's window-side sources give the core, for the native build: there
// are no string tables, and message boxes give a set answer.
#include <afxwin.h>

BOOL CString::LoadString(UINT)
{
    Empty();
    return FALSE;
}

BOOL CString::LoadString(HINSTANCE, UINT)
{
    Empty();
    return FALSE;
}

int CException::ReportError(UINT, UINT) { return 0; }

int g_nMessageBoxAnswer = IDCANCEL;

int AfxMessageBox(LPCSTR, UINT, UINT) { return g_nMessageBoxAnswer; }

void AfxFormatStrings(CString& rString, LPCSTR lpszFormat, LPCSTR const*, int) { rString = lpszFormat; }
