// CTitledFileDialog: an open or save dialog with the caller's title.
#pragma once

#include "hoard/hoard_api.h"

#include <afxdlgs.h>

class HOARD_API CTitledFileDialog : public CFileDialog
{
    DECLARE_DYNAMIC(CTitledFileDialog)
public:
    // The arguments other than pszTitle are CFileDialog's.
    CTitledFileDialog(int bOpenFileDialog, const char* pszTitle, const char* pszDefExt = NULL,
                      const char* pszFileName = NULL, DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                      const char* pszFilter = NULL, CWnd* pParent = NULL);

    CString m_strTitle;

protected:
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);

    DECLARE_MESSAGE_MAP()
};
