// CDocument: the data of an application, as a command target: its file's path and its
// title, the modified flag that tells whether it needs saving, and the reading and
// writing of its file through an archive and its Serialize, with the framework's
// prompts when that fails. Views and document templates attach to it later.
#pragma once

#include "afxcmdtarget_.h"
#include "afxstr.h"

class CException;
class CFile;
class CFileException;

class AFX_FRAMEWORK CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;

// Attributes
    const CString& GetTitle() const { return m_strTitle; }
    virtual void SetTitle(LPCTSTR lpszTitle);
    // The full path of the document's file; empty for a document without one.
    const CString& GetPathName() const { return m_strPathName; }
    // Keeps the full form of the path and makes the file's name the title. There is
    // no list of recent files, so bAddToMRU changes nothing.
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);

    virtual BOOL IsModified();
    virtual void SetModifiedFlag(BOOL bModified = TRUE);

    // OnCloseDocument destroys the document when this is set (the default).
    BOOL m_bAutoDelete;

// Overridables
    // Empties the document's data. Does nothing here.
    virtual void DeleteContents();
    // Empties the document and forgets its path; unmodified.
    virtual BOOL OnNewDocument();
    // Empties the document and reads it from the file with Serialize, unmodified
    // afterwards. A failure is reported (ReportSaveLoadException), leaves the document
    // emptied and gives FALSE.
    virtual BOOL OnOpenDocument(LPCTSTR lpszPathName);
    // Writes the document into the file with Serialize, unmodified afterwards. A
    // failure is reported and gives FALSE; the flag stays as it was.
    virtual BOOL OnSaveDocument(LPCTSTR lpszPathName);
    // Empties the document and destroys it when m_bAutoDelete is set.
    virtual void OnCloseDocument();
    // Shows why opening or saving lpszPathName failed: the prompt nIDPDefault and,
    // when e is a file or archive exception with a particular cause (not none or
    // generic), under it that cause with the exception's file name (lpszPathName when
    // it has none). A CUserException was reported already and shows nothing; e may be
    // NULL.
    virtual void ReportSaveLoadException(LPCTSTR lpszPathName, CException* e, BOOL bSaving,
                                         UINT nIDPDefault);
    // The file that OnOpenDocument and OnSaveDocument work on, opened; NULL, with the
    // cause in *pError, when it cannot be opened. ReleaseFile closes (or, with bAbort,
    // aborts) and frees it.
    virtual CFile* GetFile(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError);
    virtual void ReleaseFile(CFile* pFile, BOOL bAbort);

// Implementation
protected:
    // Serialize through an archive over pFile (CArchive::load or CArchive::store)
    // under the wait cursor, then ReleaseFile. When anything throws, the file is
    // aborted and released before the exception goes on.
    void SerializeThrough(CFile* pFile, UINT nMode);

    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified;

    DECLARE_MESSAGE_MAP()
};
