// Shared by the tests of the application frame: an application that answers message
// boxes, a main frame that records the system commands reaching it, a document and a
// view of the tests' own, and a main frame with its menus shown in the foreground, in
// which documents open in child frames.
#pragma once

#include "limn/app/LimnDoc.h"
#include "limn/app/ResMainFrame.h"
#include "limn/app/ResView.h"

#include "container_support.h"

#include <string>
#include <vector>

// Message boxes are answered with OK at once; their texts are kept.
class CLimnTestApp : public CWinApp
{
public:
    CLimnTestApp() : CWinApp("Limn App Tests") {}
    int DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT) override
    {
        m_boxes.push_back(lpszPrompt);
        return IDOK;
    }
    std::vector<std::string> m_boxes;
};

// Records every system command that reaches its handler, which passes the command on
// unless it is a move (whose loop would wait for the mouse), and the commands of its
// menus.
class CTestMainFrame : public CResMainFrame
{
public:
    CTestMainFrame() = default;
    std::vector<WPARAM> m_sysCommands;
    std::vector<UINT> m_commands;
    int m_nDestroys = 0;

protected:
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnDestroy();
    afx_msg void OnTestCommand(UINT nID);
    DECLARE_MESSAGE_MAP()
};

class CTestDoc : public CLimnDoc
{
    DECLARE_DYNCREATE(CTestDoc)
public:
    CTestDoc() = default;
};

// Opens the printing members to the tests and counts the paints that drew the tree.
class CTestView : public CResView
{
    DECLARE_DYNCREATE(CTestView)
public:
    CTestView() = default;
    using CResView::OnActivateView;
    using CResView::OnBeginPrinting;
    using CResView::OnEndPrinting;
    using CResView::OnPrint;
    int m_nTreeDraws = 0;

protected:
    void OnDraw(CCanvas& canvas) override
    {
        ++m_nTreeDraws;
        CResView::OnDraw(canvas);
    }
};

// A main frame of 640 by 480 at (20, 20) with the menus "&File", "&Edit" and
// "&Activity", the application's main window, shown and in the foreground.
class AppFrameTest : public ::testing::Test
{
protected:
    AppFrameTest();
    ~AppFrameTest() override;

    // A document whose screen is a root named "root", in a new child frame with a view;
    // the view. The document closes with the test unless it was closed before.
    CTestView* OpenDocument(CTestDoc*& pDoc);
    // Closes the documents that are still open.
    void CloseDocuments();
    // Handles messages for about dwMS milliseconds.
    static void PumpFor(DWORD dwMS);
    // Handles messages until done() or dwMS milliseconds have passed; done()'s answer.
    static bool PumpUntil(DWORD dwMS, const std::function<bool()>& done);

    CLimnTestApp m_app;
    CTestMainFrame* m_pFrame;
    std::vector<CTestDoc*> m_docs;
};

// A top-level window made and brought to the foreground by a thread of its own, as
// another program's window would; it goes with the object.
class COtherProgramWindow
{
public:
    COtherProgramWindow();
    ~COtherProgramWindow();
    COtherProgramWindow(const COtherProgramWindow&) = delete;
    COtherProgramWindow& operator=(const COtherProgramWindow&) = delete;

    HWND m_hWnd = NULL;

private:
    HANDLE m_hThread;
    HANDLE m_hReady;
    DWORD m_dwThreadId = 0;
    static DWORD WINAPI ThreadProc(LPVOID pParam);
};
