// CDocument: the data of an application, as a command target: its file's path and its
// title, the modified flag that tells whether it needs saving, and the reading and
// writing of its file through an archive and its Serialize, with the framework's
// prompts when that fails. Its views show it; its template made it. The File commands
// Close, Save and Save As are the document's, and so is the question whether to save
// a modified document before it goes.
#pragma once

#include "afxcmdtarget_.h"
#include "afxcoll.h"
#include "afxstr.h"

class CDocTemplate;
class CException;
class CFile;
class CFileException;
class CFrameWnd;
class CView;

class AFX_FRAMEWORK CDocument : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument();
    ~CDocument() override;

// Attributes
    const CString& GetTitle() const { return m_strTitle; }
    // Also the titles of the frames that show the document.
    virtual void SetTitle(LPCTSTR lpszTitle);
    // The full path of the document's file; empty for a document without one.
    const CString& GetPathName() const { return m_strPathName; }
    // Keeps the full form of the path and makes the file's name the title; with
    // bAddToMRU the path goes to the top of the application's recent-file list.
    virtual void SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU = TRUE);
    // The template that made the document, or NULL.
    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    virtual BOOL IsModified();
    virtual void SetModifiedFlag(BOOL bModified = TRUE);

    // OnCloseDocument destroys the document when this is set (the default), and so
    // does the going of its last view.
    BOOL m_bAutoDelete;

// Views
    virtual POSITION GetFirstViewPosition() const;
    virtual CView* GetNextView(POSITION& rPosition) const;
    // The view shows this document from now on (it leaves the document it showed).
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    // OnUpdate of every view but pSender. A view that an update destroys is not
    // updated after that.
    void UpdateAllViews(CView* pSender, LPARAM lHint = 0L, CObject* pHint = NULL);

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
    // Destroys the frames of the document's views, empties the document and destroys
    // it when m_bAutoDelete is set.
    virtual void OnCloseDocument();
    // After a view came or went: an auto-delete document without views closes,
    // otherwise the frames are numbered and titled again.
    virtual void OnChangedViewList();
    // Numbers the frames of the views (m_nWindow: 0 for an only frame, else 1, 2 ...)
    // and updates their titles.
    virtual void UpdateFrameCounts();

// Closing and saving
    // Whether pFrame may close: another frame still shows the document, or
    // SaveModified agrees.
    virtual BOOL CanCloseFrame(CFrameWnd* pFrame);
    // TRUE when the document may go: it is not modified, or the user answered the
    // question "Save changes to <name>?" with No, or with Yes and the save worked.
    // FALSE on Cancel or a failed save.
    virtual BOOL SaveModified();
    // Before pFrame closes while the document stays. Does nothing here.
    virtual void PreCloseFrame(CFrameWnd* pFrame);
    // Saves into lpszPathName, or with NULL into a file the Save As dialog asks for
    // (bReplace: the document takes the new path; otherwise a copy is saved). FALSE
    // when it was cancelled or failed.
    virtual BOOL DoSave(LPCTSTR lpszPathName, BOOL bReplace = TRUE);
    // Saves into the document's file; Save As when it has none, or when the file is
    // read-only or no longer there.
    virtual BOOL DoFileSave();
    // The menu and accelerators the document brings to its frames; NULL: the
    // template's.
    virtual HMENU GetDefaultMenu();
    virtual HACCEL GetDefaultAccelerator();

    // The document's own map, then its template's.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
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
    CDocTemplate* m_pDocTemplate;
    CPtrList m_viewList;

    // ID_FILE_CLOSE: asks to save, then closes the document.
    afx_msg void OnFileClose();
    // ID_FILE_SAVE, ID_FILE_SAVE_AS.
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();

    friend class CDocTemplate;
    friend class CMultiDocTemplate;
    friend class CSingleDocTemplate;

    DECLARE_MESSAGE_MAP()

private:
    // Walks over the views that call out to them learn here whether a view's handler
    // destroyed the document (see UpdateAllViews).
    struct CDocumentWatch* m_pDestroyWatch;
    friend struct CDocumentWatch;
};
