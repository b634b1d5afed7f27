// CDocument: the data of an application, as a command target with the modified flag
// that tells whether it needs saving.
#pragma once

#include "afxcmdtarget_.h"

class AFX_FRAMEWORK CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument() = default;

// Attributes
    virtual BOOL IsModified() { return m_bModified; }
    virtual void SetModifiedFlag(BOOL bModified = TRUE) { m_bModified = bModified; }

protected:
    BOOL m_bModified = FALSE;

    DECLARE_MESSAGE_MAP()
};
