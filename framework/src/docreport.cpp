// CDocument::ReportSaveLoadException: the message box that says which file could not
// be opened or saved, and why.
#include "afxwin.h"

namespace {

// The prompt of an exception's cause, with the file's name in it; empty when the
// exception names no particular cause (none, generic, or not a file or archive one).
CString CausePrompt(CException* e, LPCTSTR lpszPathName)
{
    UINT nIDPrompt = 0;
    CString strFileName;
    if (auto* pFileException = dynamic_cast<CFileException*>(e))
    {
        if (pFileException->m_cause > CFileException::generic && pFileException->m_cause <= CFileException::endOfFile)
            nIDPrompt = AFX_IDP_FILE_NONE + pFileException->m_cause;
        strFileName = pFileException->m_strFileName;
    }
    else if (auto* pArchiveException = dynamic_cast<CArchiveException*>(e))
    {
        if (pArchiveException->m_cause > CArchiveException::generic &&
            pArchiveException->m_cause <= CArchiveException::badSchema)
            nIDPrompt = AFX_IDP_ARCH_NONE + pArchiveException->m_cause;
        strFileName = pArchiveException->m_strFileName;
    }
    CString strPrompt;
    if (nIDPrompt != 0)
        AfxFormatString1(strPrompt, nIDPrompt, strFileName.IsEmpty() ? lpszPathName : (LPCTSTR)strFileName);
    return strPrompt;
}

} // namespace

void CDocument::ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL, UINT nIDPDefault)
{
    if (e != NULL && e->IsKindOf(RUNTIME_CLASS(CUserException)))
        return;
    CString strPrompt;
    AfxFormatString1(strPrompt, nIDPDefault, lpszPathName);
    CString strCause = CausePrompt(e, lpszPathName);
    if (!strCause.IsEmpty())
        strPrompt += "\n\n" + strCause;
    AfxMessageBox(strPrompt, MB_ICONEXCLAMATION);
}
