// Windows-side classes of the framework: documents, message boxes, the wait cursor
// and the extension-library registration.
#pragma once

#include "afx.h"
#include "afxcoll.h"
#include "afxdll_.h"
#include "afxgdi_.h"
#include "afxwnd_.h"

// The part of the document that a resource file needs: the modified flag.
class AFX_FRAMEWORK CDocument : public CObject
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument() = default;

// Attributes
    BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

protected:
    BOOL m_bModified = FALSE;
};

// Shows the hourglass for the lifetime of the object and then restores the cursor.
class AFX_FRAMEWORK CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Shows the hourglass again, after a message box took the cursor away.
    void Restore();

private:
    HCURSOR m_hcurPrev;
};

// A message box owned by the active window, titled with the application's name.
AFX_FRAMEWORK int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
AFX_FRAMEWORK int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);
