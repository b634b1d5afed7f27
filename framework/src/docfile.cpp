// CDocument's file: opening and saving through an archive over it and the document's
// Serialize, and the file objects they work on.
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
