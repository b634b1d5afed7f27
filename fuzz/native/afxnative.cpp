// What the framework's window-side sources give the core, for the native build: there
// are no string tables and no message boxes here.
#include <afx.h>

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
