// CWaitCursor: the hourglass for the lifetime of a scope.
#include "afxwin.h"

CWaitCursor::CWaitCursor() : m_hcurPrev(SetCursor(LoadCursorA(NULL, (LPCSTR)IDC_WAIT))) {}

CWaitCursor::~CWaitCursor() { SetCursor(m_hcurPrev); }

void CWaitCursor::Restore() { SetCursor(LoadCursorA(NULL, (LPCSTR)IDC_WAIT)); }
