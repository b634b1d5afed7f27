// Document templates: CDocTemplate ties a document class to the frame and view classes
// that show it and to the resources named by one id (the document string, and for
// CMultiDocTemplate the menu and accelerators its frames share). A template creates
// documents and their frames, opens files into new documents and keeps the list of its
// open documents. The application owns its templates (CWinApp::AddDocTemplate).
#pragma once

#include "afxcmdtarget_.h"
#include "afxcoll.h"
#include "afxstr.h"

class CDocument;
class CFrameWnd;

class AFX_FRAMEWORK CDocTemplate : public CCmdTarget
{
    DECLARE_DYNAMIC(CDocTemplate)
protected:
    CDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                 CRuntimeClass* pViewClass);

public:
    // Documents still open lose their template.
    ~CDocTemplate() override;

// The fields of the document string: the string resource nIDResource, its fields
// separated by '\n' in this order.
    enum DocStringIndex
    {
        windowTitle,        // the main window's title (single-document applications)
        docName,            // the root of new documents' names ("Sheet" gives "Sheet1")
        fileNewName,        // the name in the File New choice of several templates
        filterName,         // the open and save dialogs' filter text ("Sheets (*.shx)")
        filterExt,          // its extension, with the dot (".shx")
        regFileTypeId,      // the registry's name of the type
        regFileTypeName,    // ... and its text
    };
    // FALSE, with rString empty, when the string lacks the field.
    virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;

// How well a file fits, for CWinApp::OpenDocumentFile: the best wins.
    enum Confidence
    {
        noAttempt,
        maybeAttemptForeign,
        maybeAttemptNative,
        yesAttemptForeign,
        yesAttemptNative,
        yesAlreadyOpen,
    };
    // yesAlreadyOpen (with the document in rpDocMatch) for a file one of the documents
    // has open, yesAttemptNative for the template's extension, else yesAttemptForeign.
    virtual Confidence MatchDocType(LPCTSTR lpszPathName, CDocument*& rpDocMatch);

// Documents
    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;
    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);

// Operations
    // Loads the document string (and the shared resources of derived templates);
    // AddDocTemplate calls it.
    virtual void LoadTemplate();
    // An object of the document class, added to this template; NULL when it cannot be made.
    virtual CDocument* CreateNewDocument();
    // A frame of the frame class, loaded from nIDResource, with a view of the view class
    // on pDoc (pOther: the frame it is made from, or NULL). NULL when it cannot be
    // created; nothing is left behind then.
    virtual CFrameWnd* CreateNewFrame(CDocument* pDoc, CFrameWnd* pOther);
    // The frame's initial update: views updated, and shown when bMakeVisible.
    virtual void InitialUpdateFrame(CFrameWnd* pFrame, CDocument* pDoc, BOOL bMakeVisible = TRUE);
    // Asks each modified document whether to save it; FALSE when the user cancelled.
    virtual BOOL SaveAllModified();
    // Closes every document of the template.
    virtual void CloseAllDocuments(BOOL bEndSession);
    // Opens lpszPathName in a new document and frame, or with NULL makes a new
    // document; NULL when that failed (the user has been told).
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) = 0;
    // The title of a new document.
    virtual void SetDefaultTitle(CDocument* pDocument) = 0;

// Implementation
    UINT m_nIDResource;
    CRuntimeClass* m_pDocClass;
    CRuntimeClass* m_pFrameClass;
    CRuntimeClass* m_pViewClass;
    CString m_strDocStrings;    // the document string, '\n'-separated
    BOOL m_bAutoDelete;         // the application deletes the template at its end

    DECLARE_MESSAGE_MAP()
};

// Any number of documents, each in frames of its own (MDI child frames): the frames
// share the template's menu and accelerators. New documents are named after the
// docName field, numbered from 1.
class AFX_FRAMEWORK CMultiDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    CMultiDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                      CRuntimeClass* pViewClass);
    // Destroys the shared menu.
    ~CMultiDocTemplate() override;

    // Also the shared menu and accelerators named nIDResource, when there are some.
    void LoadTemplate() override;
    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    void SetDefaultTitle(CDocument* pDocument) override;

// Implementation
    HMENU m_hMenuShared;        // NULL: the frames keep the main frame's menu
    HACCEL m_hAccelTable;
    CPtrList m_docList;
    UINT m_nUntitledCount;      // new documents made so far
};

// One document at a time, in the main frame: a new or opened document takes the place
// of the one before (after asking to save it), in the same document object and frame.
// New documents are "Untitled".
class AFX_FRAMEWORK CSingleDocTemplate : public CDocTemplate
{
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    CSingleDocTemplate(UINT nIDResource, CRuntimeClass* pDocClass, CRuntimeClass* pFrameClass,
                       CRuntimeClass* pViewClass);
    ~CSingleDocTemplate() override;

    POSITION GetFirstDocPosition() const override;
    CDocument* GetNextDoc(POSITION& rPos) const override;
    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    // The first document also makes the frame, which becomes the main window when
    // there is none. A file that fails to open into the document leaves it as it was
    // when the failure had not touched it, else makes it a new document.
    CDocument* OpenDocumentFile(LPCTSTR lpszPathName, BOOL bMakeVisible = TRUE) override;
    void SetDefaultTitle(CDocument* pDocument) override;

// Implementation
    CDocument* m_pOnlyDoc;
};
