// A multiple-document program inside the test process, for the tests of documents,
// views, templates, MDI frames and the application's File commands: note documents of
// one line of text, a view that logs what reaches it, child frames and a main frame
// over USER's MDI client, all logging into one CMsgLog. The application answers its
// message boxes from a queue of answers and keeps their texts.
#pragma once

#include <afxwin.h>
#include <afxpriv.h>
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "msg_log.h"
#include "test_resource.h"

// Where the program's objects report; set by CNoteProgram.
extern CMsgLog* g_pNoteLog;

// A note file at lpszPath holding lpszText, as a note document stores it.
void WriteNoteFile(LPCSTR lpszPath, LPCSTR lpszText);
// The template of a single-document note program: notes in a plain frame.
CSingleDocTemplate* NewSingleNoteTemplate();

// The route logging of a level: each takes its own command, logs every one it is asked.
#define DECLARE_ROUTE_LOG() \
protected: \
    afx_msg BOOL OnRoute(UINT nID);

class CNoteDoc : public CDocument
{
    DECLARE_DYNCREATE(CNoteDoc)
public:
    CNoteDoc();
    ~CNoteDoc() override;
    void Serialize(CArchive& ar) override;
    void DeleteContents() override;
    // Refuses as a document that saves through a temporary file does when that
    // fails: the target stays untouched.
    BOOL OnSaveDocument(LPCTSTR lpszPathName) override;

    CString m_strText;
    BOOL m_bRefuseSave = FALSE;     // OnSaveDocument fails before it opens the file
    BOOL m_bFailWrite = FALSE;      // Serialize fails while writing
    static int s_nLive;

    DECLARE_ROUTE_LOG()
    DECLARE_MESSAGE_MAP()
};

class CNoteView : public CView
{
    DECLARE_DYNCREATE(CNoteView)
public:
    CNoteDoc* GetDocument() const { return static_cast<CNoteDoc*>(m_pDocument); }

    int m_nUpdates = 0;
    int m_nInitialUpdates = 0;
    // When set, the next update destroys this frame (a handler that closes a window).
    CFrameWnd* m_pFrameToDestroyOnUpdate = NULL;

    void OnInitialUpdate() override;
    // The view's log name: "view" and its document's title.
    std::string Name() const;

protected:
    void OnDraw(CDC* pDC) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = NULL) override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;

    DECLARE_ROUTE_LOG()
    DECLARE_MESSAGE_MAP()
};

class CNoteChild : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CNoteChild)
    DECLARE_ROUTE_LOG()
    DECLARE_MESSAGE_MAP()
};

class CNoteMain : public CMDIFrameWnd
{
    DECLARE_DYNCREATE(CNoteMain)
public:
    // The menu the frame was created with, as derived frames see it.
    HMENU DefaultMenu() const { return m_hMenuDefault; }

    DECLARE_ROUTE_LOG()
    DECLARE_MESSAGE_MAP()
};

class CNoteApp : public CWinApp
{
public:
    CNoteApp() : CWinApp("Notes") {}

    // The next answers of message boxes; IDOK when none is left.
    std::deque<int> m_answers;
    std::vector<std::string> m_boxes;

    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;

    DECLARE_ROUTE_LOG()
    DECLARE_MESSAGE_MAP()
};

// The program: the application with the note template (and, with bPlain, a second
// template of menu-less plain documents), a profile in a scratch folder, and the main
// frame, shown and in the foreground.
class CNoteProgram
{
public:
    explicit CNoteProgram(BOOL bPlain = FALSE);
    // Closes what is left without questions and drains the WM_QUIT of the main frame.
    ~CNoteProgram();
    CNoteProgram(const CNoteProgram&) = delete;
    CNoteProgram& operator=(const CNoteProgram&) = delete;

    CMsgLog m_log;
    CNoteApp m_app;
    CScratchFolder m_folder;
    CMultiDocTemplate* m_pNoteTemplate;
    CMultiDocTemplate* m_pPlainTemplate = NULL;
    CNoteMain* m_pMain = NULL;

    // A command as the menu gives it to the main frame.
    void Command(UINT nID) { m_pMain->SendMessage(WM_COMMAND, MAKEWPARAM(nID, 0), 0); }
    CNoteView* ActiveView() const;
    CNoteDoc* ActiveDoc() const;
    // A file holding a note with this text, in the scratch folder.
    CString WriteNote(LPCSTR lpszName, LPCSTR lpszText);
    // The text of a saved note; "" when the file cannot be read.
    static CString ReadNote(LPCSTR lpszPath);
};

// The window text.
inline std::string TextOf(CWnd* pWnd)
{
    CString str;
    pWnd->GetWindowText(str);
    return (LPCSTR)str;
}
