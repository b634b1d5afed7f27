// CResDoc: the resource file as the document's content, and the document's file.
#include "hoard/resources/ResDoc.h"

MsgDocOpened::~MsgDocOpened() = default;

IMPLEMENT_DYNCREATE(CResDoc, CDocument)

BEGIN_MESSAGE_MAP(CResDoc, CDocument)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditPaste)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
END_MESSAGE_MAP()

CResDoc::CResDoc() { m_hoard.SetDocument(this); }

CResDoc::~CResDoc() = default;

void CResDoc::Serialize(CArchive& ar)
{
    m_hoard.SetDocumentHoard();
    m_hoard.Serialize(ar);
    if (ar.IsLoading())
        MsgDocOpened().Broadcast();
}

BOOL CResDoc::IsModified() { return m_bModified; }

void CResDoc::SetModifiedFlag(BOOL bModified) { m_bModified = bModified; }

void CResDoc::DeleteContents() {}

BOOL CResDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    m_hoard.RemoveContents();
    m_hoard.SetDocumentHoard();
    return TRUE;
}

BOOL CResDoc::OnOpenDocument(LPCTSTR lpszPathName)
{
    if (!CDocument::OnOpenDocument(lpszPathName))
        return FALSE;
    m_hoard.SetDocumentHoard();
    return TRUE;
}

// A save that fails leaves the resource file and the document modified, also where
// writing had already cleared the flags: the file does not hold what the document does,
// and saving is to be offered again.
BOOL CResDoc::OnSaveDocument(LPCTSTR lpszPathName)
{
    CString strTempPath;
    CFileException fe(CFileException::accessDenied, ERROR_ACCESS_DENIED);
    CFile* pFile = NULL;
    if (CHoard::GetTempSavePath(lpszPathName, strTempPath))
        pFile = GetFile(strTempPath, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive, &fe);
    else
        fe.m_strFileName = lpszPathName;
    if (pFile == NULL)
    {
        m_hoard.SetModified(TRUE);
        ReportSaveLoadException(lpszPathName, &fe, TRUE, AFX_IDP_INVALID_FILENAME);
        return FALSE;
    }

    try
    {
        SerializeThrough(pFile, CArchive::store);
        m_hoard.ReplaceWithSaved(strTempPath, lpszPathName);
    }
    catch (CException* e)
    {
        CHoard::DiscardSave(strTempPath);
        m_hoard.SetModified(TRUE);
        ReportSaveLoadException(lpszPathName, e, TRUE, AFX_IDP_FAILED_TO_SAVE_DOC);
        e->Delete();
        return FALSE;
    }
    SetModifiedFlag(FALSE);
    return TRUE;
}
