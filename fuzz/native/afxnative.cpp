// What the framework's window-side sources give the core, for the native build: there
// are no string tables, message boxes give a set answer, and files have no shell
// titles and no locks.
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

CString CFile::GetFileTitle() const { return GetFileName(); }

void CFile::LockRange(DWORD, DWORD) {}

void CFile::UnlockRange(DWORD, DWORD) {}
