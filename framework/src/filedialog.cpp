// CFileDialog over GetOpenFileName and GetSaveFileName, Explorer style, with the object
// bound to the dialog's child window and the dialog's notifications to its virtuals.
#include "afxdlgs.h"

#include <string.h>

IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_szFileTitle(), m_szFileName(),
      m_bValidating(FALSE)
{
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = _MAX_PATH;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = _MAX_FNAME;
    m_ofn.lpstrDefExt = lpszDefExt;
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLEHOOK;
    m_ofn.lpfnHook = HookProc;
    m_ofn.hInstance = AfxGetResourceHandle();
    if (lpszFileName != NULL)
        lstrcpynA(m_szFileName, lpszFileName, _MAX_PATH);

    if (lpszFilter != NULL)
    {
        // The system wants text and pattern separated by NULs and the list ended by two,
        // also when the caller's filter does not end in '|'. The buffer is not released:
        // that would cut it at its first NUL.
        m_strFilter = lpszFilter;
        int nLen = m_strFilter.GetLength();
        LPSTR pch = m_strFilter.GetBufferSetLength(nLen + 1);
        pch[nLen] = '\0';
        for (int i = 0; i < nLen; i++)
        {
            if (pch[i] == '|')
                pch[i] = '\0';
        }
        m_ofn.lpstrFilter = pch;
    }
}

int CFileDialog::DoModal()
{
    // The list of a multiple choice ends in two NULs: nothing of the initial name may
    // be left behind it to be read as another file.
    if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) && m_ofn.lpstrFile != NULL && m_ofn.nMaxFile > 0)
    {
        size_t nLen = strnlen(m_ofn.lpstrFile, m_ofn.nMaxFile);
        memset(m_ofn.lpstrFile + nLen, 0, m_ofn.nMaxFile - nLen);
    }

    m_ofn.hwndOwner = PreModal();
    m_ofn.Flags |= OFN_EXPLORER | OFN_ENABLEHOOK;
    m_ofn.lpfnHook = HookProc;
    m_ofn.lCustData = (LPARAM)this;
    BOOL bChosen = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    PostModal();
    return bChosen ? IDOK : IDCANCEL;
}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Everything after WM_INITDIALOG reaches the object through its window procedure.
    if (message != WM_INITDIALOG)
        return 0;
    auto* pDlg = reinterpret_cast<CFileDialog*>(((OPENFILENAMEA*)lParam)->lCustData);
    return pDlg != NULL ? pDlg->HookInitDialog(hWnd, wParam, lParam) : 0;
}

// The choice

CString CFileDialog::QueryDialog(UINT nMsg) const
{
    CString strResult;
    HWND hWndFrame = ::GetParent(m_hWnd);
    int nSize = (int)::SendMessage(hWndFrame, nMsg, 0, 0);
    if (nSize > 0)
    {
        int nLen = (int)::SendMessage(hWndFrame, nMsg, nSize, (LPARAM)strResult.GetBuffer(nSize));
        strResult.ReleaseBuffer(nLen > 0 && nLen <= nSize ? nLen - 1 : 0);
    }
    return strResult;
}

CString CFileDialog::GetPathName() const
{
    if (AsksDialog())
        return QueryDialog(CDM_GETFILEPATH);
    return m_ofn.lpstrFile;
}

CString CFileDialog::GetFileName() const
{
    if (AsksDialog())
        return QueryDialog(CDM_GETSPEC);
    // From the path itself: the title buffer of the system's dialog may have been too
    // short for the name.
    CString strPath = m_ofn.lpstrFile;
    int nSlash = strPath.ReverseFind('\\');
    int nForward = strPath.ReverseFind('/');
    return strPath.Mid((nSlash > nForward ? nSlash : nForward) + 1);
}

CString CFileDialog::GetFileExt() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot >= 0 ? strName.Mid(nDot + 1) : CString();
}

CString CFileDialog::GetFileTitle() const
{
    CString strName = GetFileName();
    int nDot = strName.ReverseFind('.');
    return nDot >= 0 ? strName.Left(nDot) : strName;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    LPCSTR pszFolder = m_ofn.lpstrFile;
    size_t nFolderLen = strlen(pszFolder);
    // One file: the whole path in the first string. Several: the folder, then the names.
    if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT) || pszFolder[nFolderLen + 1] == '\0')
    {
        pos = NULL;
        return pszFolder;
    }
    LPCSTR pszName = (LPCSTR)pos;
    if (pszName == pszFolder)
        pszName += nFolderLen + 1;
    LPCSTR pszNext = pszName + strlen(pszName) + 1;
    pos = *pszNext != '\0' ? (POSITION)pszNext : NULL;

    CString strPath = pszFolder;
    if (nFolderLen > 0 && pszFolder[nFolderLen - 1] != '\\')
        strPath += '\\';
    return strPath + pszName;
}

// While the dialog is open

CString CFileDialog::GetFolderPath() const
{
    ASSERT(::IsWindow(m_hWnd));
    return QueryDialog(CDM_GETFOLDERPATH);
}

void CFileDialog::SetControlText(int nID, LPCSTR lpsz)
{
    ASSERT(::IsWindow(m_hWnd));
    ::SendMessage(::GetParent(m_hWnd), CDM_SETCONTROLTEXT, nID, (LPARAM)lpsz);
}

void CFileDialog::HideControl(int nID)
{
    ASSERT(::IsWindow(m_hWnd));
    ::SendMessage(::GetParent(m_hWnd), CDM_HIDECONTROL, nID, 0);
}

void CFileDialog::SetDefExt(LPCSTR lpsz)
{
    ASSERT(::IsWindow(m_hWnd));
    ::SendMessage(::GetParent(m_hWnd), CDM_SETDEFEXT, 0, (LPARAM)lpsz);
}

// Notifications

BOOL CFileDialog::OnFileNameOK() { return FALSE; }

UINT CFileDialog::OnShareViolation(LPCTSTR) { return OFN_SHAREWARN; }

void CFileDialog::OnInitDone() {}

void CFileDialog::OnFileNameChange() {}

void CFileDialog::OnFolderChange() {}

void CFileDialog::OnTypeChange() {}

BOOL CFileDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const OFNOTIFYA* pNotify = (const OFNOTIFYA*)lParam;
    LRESULT lResult = 0;
    switch (pNotify->hdr.code)
    {
    case CDN_INITDONE:
        OnInitDone();
        break;
    case CDN_SELCHANGE:
        OnFileNameChange();
        break;
    case CDN_FOLDERCHANGE:
        OnFolderChange();
        break;
    case CDN_TYPECHANGE:
        OnTypeChange();
        break;
    case CDN_FILEOK:
        // The dialog has put the name into m_ofn: the names come from there meanwhile.
        m_bValidating = TRUE;
        try
        {
            lResult = OnFileNameOK();
        }
        catch (...)
        {
            m_bValidating = FALSE;
            throw;
        }
        m_bValidating = FALSE;
        break;
    case CDN_SHAREVIOLATION:
        lResult = OnShareViolation(pNotify->pszFile);
        break;
    default:
        return CCommonDialog::OnNotify(wParam, lParam, pResult);
    }
    // The dialog reads the answer where a dialog procedure leaves it.
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, lResult);
    *pResult = lResult;
    return TRUE;
}
