// The native build's stand-in for the framework's <afxwin.h>: there are no windows or
// GDI here, only the core, the collections, CPoint, CSize and CRect, the little of
// documents, message boxes and cursors that a resource file uses and a window that a
// container tree is never attached to.
#pragma once

#include "afx.h"
#include "afxcoll.h"
#include "afxrect_.h"

// A resource file tells its document when it changes.
class CDocument
{
public:
    virtual ~CDocument() = default;
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

protected:
    BOOL m_bModified = FALSE;
};

// Nobody sees a message box: each gives the answer that the program set last (Cancel
// until it sets one). A prompt's arguments are not filled in.
extern int g_nMessageBoxAnswer;
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
void AfxFormatStrings(CString& rString, LPCSTR lpszFormat, LPCSTR const* rglpsz, int nString);

// There is no cursor to show.
class CWaitCursor
{
public:
    CWaitCursor() {}
    ~CWaitCursor() {}
    void Restore() {}
};

// No tree is attached to a window here.
class CWnd : public CObject
{
public:
    HWND GetSafeHwnd() const { return m_hWnd; }
    void GetClientRect(LPRECT lpRect) const { ::SetRectEmpty(lpRect); }

    HWND m_hWnd = NULL;
};
