// CDocument's file: opening and saving through an archive over it and the document's
// Serialize, the file objects they work on, and the File commands Save and Save As
// with the question whether to save a modified document.
#include "afxwin.h"

CFile* CDocument::GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    CFile* pFile = new CFile;
    if (!pFile->Open(lpszFileName, nOpenFlags, pError))
    {
        delete pFile;
        return NULL;
    }
    return pFile;
}

void CDocument::ReleaseFile(CFile* pFile, BOOL bAbort)
{
    // A file whose Close throws is freed all the same.
    struct CFreeFile
    {
        CFile* pFile;
        ~CFreeFile() { delete pFile; }
    } free{ pFile };
    if (bAbort)
        pFile->Abort();
    else
        pFile->Close();
}

void CDocument::SerializeThrough(CFile* pFile, UINT nMode)
{
    CArchive ar(pFile, nMode | CArchive::bNoFlushOnDelete);
    ar.m_pDocument = this;
    ar.m_bForceFlat = FALSE;
    try
    {
        CWaitCursor wait;
        Serialize(ar);
        ar.Close();
    }
    catch (...)
    {
        ar.Abort();
        ReleaseFile(pFile, TRUE);
        throw;
    }
    ReleaseFile(pFile, FALSE);
}

BOOL CDocument::OnOpenDocument(LPCTSTR lpszPathName)
{
    CFileException fe;
    CFile* pFile = GetFile(lpszPathName, CFile::modeRead | CFile::shareDenyWrite, &fe);
    if (pFile == NULL)
    {
        ReportSaveLoadException(lpszPathName, &fe, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        return FALSE;
    }

    DeleteContents();
    // Whatever the reading adds counts as a change until the whole file is in.
    SetModifiedFlag(TRUE);
    try
    {
        SerializeThrough(pFile, CArchive::load);
    }
    catch (CException* e)
    {
        DeleteContents();
        ReportSaveLoadException(lpszPathName, e, FALSE, AFX_IDP_FAILED_TO_OPEN_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(LPCTSTR lpszPathName)
{
    CFileException fe;
    CFile* pFile = GetFile(lpszPathName, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &fe);
    if (pFile == NULL)
    {
        ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_INVALID_FILENAME);
        return FALSE;
    }
    try
    {
        SerializeThrough(pFile, CArchive::store);
    }
    catch (CException* e)
    {
        ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}

// Save, Save As and the question

BOOL CDocument::SaveModified()
{
    if (!IsModified())
        return TRUE;
    // The file's name, or the title of a document that has none.
    CString strName = m_strPathName.IsEmpty() ? m_strTitle : m_strPathName.Mid(m_strPathName.ReverseFind('\\') + 1);
    if (strName.IsEmpty())
        strName.LoadString(AFX_IDS_UNTITLED);
    CString strPrompt;
    AfxFormatString1(strPrompt, AFX_IDP_ASK_TO_SAVE, strName);
    switch (AfxMessageBox(strPrompt, MB_YESNOCANCEL, AFX_IDP_ASK_TO_SAVE))
    {
    case IDYES:
        return DoFileSave();
    case IDNO:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CDocument::DoFileSave()
{
    // A file that is read-only or gone (no attributes) is saved as another.
    DWORD dwAttrib = m_strPathName.IsEmpty() ? INVALID_FILE_ATTRIBUTES : ::GetFileAttributesA(m_strPathName);
    if (dwAttrib == INVALID_FILE_ATTRIBUTES || (dwAttrib & FILE_ATTRIBUTE_READONLY))
        return DoSave(NULL);
    return DoSave(m_strPathName);
}

BOOL CDocument::DoSave(LPCTSTR lpszPathName, BOOL bReplace)
{
    CString strNewName = lpszPathName;
    if (strNewName.IsEmpty())
    {
        strNewName = m_strPathName;
        if (bReplace && strNewName.IsEmpty())
        {
            // The title up to the first character that a file name should not have,
            // with the template's extension.
            strNewName = m_strTitle;
            int nBad = strNewName.FindOneOf(" #%;/\\");
            if (nBad >= 0)
                strNewName = strNewName.Left(nBad);
            CString strExt;
            if (m_pDocTemplate != NULL && m_pDocTemplate->GetDocString(strExt, CDocTemplate::filterExt))
                strNewName += strExt;
        }
        CWinApp* pApp = AfxGetApp();
        if (pApp == NULL
            || !pApp->DoPromptFileName(strNewName, bReplace ? AFX_IDS_SAVEFILE : AFX_IDS_SAVEFILECOPY,
                                       OFN_HIDEREADONLY | OFN_PATHMUSTEXIST, FALSE, m_pDocTemplate))
            return FALSE;
    }

    // A file that the failed save created goes again; one that was there before stays.
    BOOL bExisted = ::GetFileAttributesA(strNewName) != INVALID_FILE_ATTRIBUTES;
    CWaitCursor wait;
    if (!OnSaveDocument(strNewName))
    {
        if (lpszPathName == NULL && !bExisted)
            ::DeleteFileA(strNewName);
        return FALSE;
    }
    if (bReplace)
        SetPathName(strNewName);
    return TRUE;
}

void CDocument::OnFileSave() { DoFileSave(); }

void CDocument::OnFileSaveAs() { DoSave(NULL); }
