// The application, frame, document and view of the frame tests, and another program's
// window.
#include "app_support.h"
#include "app_resource.h"

#include "limn/containers/WndContainer.h"

IMPLEMENT_DYNCREATE(CTestDoc, CLimnDoc)
IMPLEMENT_DYNCREATE(CTestView, CResView)

BEGIN_MESSAGE_MAP(CTestMainFrame, CResMainFrame)
    ON_WM_SYSCOMMAND()
    ON_WM_DESTROY()
    ON_COMMAND_RANGE(ID_TEST_CLOSE, ID_TEST_GO, OnTestCommand)
END_MESSAGE_MAP()

void CTestMainFrame::OnTestCommand(UINT nID) { m_commands.push_back(nID); }

void CTestMainFrame::OnSysCommand(UINT nID, LPARAM lParam)
{
    m_sysCommands.push_back(nID);
    if ((nID & 0xFFF0) != SC_MOVE)
        CResMainFrame::OnSysCommand(nID, lParam);
}

void CTestMainFrame::OnDestroy()
{
    ++m_nDestroys;
    CResMainFrame::OnDestroy();
}

AppFrameTest::AppFrameTest()
{
    m_pFrame = new CTestMainFrame;
    if (!m_pFrame->Create(NULL, "Limn Test", WS_OVERLAPPEDWINDOW, CRect(20, 20, 660, 500), NULL,
                          MAKEINTRESOURCE(IDR_TEST_MAINFRAME)))
    {
        m_pFrame = NULL;
        ADD_FAILURE() << "the main frame cannot be made";
        return;
    }
    m_pFrame->m_strKeepEnabledMenu = "&Activity";
    m_app.m_pMainWnd = m_pFrame;
    m_pFrame->ShowWindow(SW_SHOW);
    m_pFrame->UpdateWindow();
    m_pFrame->SetForegroundWindow();
    PumpMessages();
}

AppFrameTest::~AppFrameTest()
{
    CloseDocuments();
    if (m_pFrame != NULL)
    {
        if (CResMainFrame::InMenuProtection())
            m_pFrame->ExitMenuProtection();
        m_pFrame->DestroyWindow();
    }
    m_app.m_pMainWnd = NULL;
    PumpMessages();
}

void AppFrameTest::CloseDocuments()
{
    while (!m_docs.empty())
    {
        CTestDoc* pDoc = m_docs.back();
        m_docs.pop_back();
        pDoc->OnCloseDocument();
    }
    PumpMessages();
}

CTestView* AppFrameTest::OpenDocument(CTestDoc*& pDoc)
{
    pDoc = static_cast<CTestDoc*>(RUNTIME_CLASS(CTestDoc)->CreateObject());
    auto* pRoot = new CWndContainer;
    pRoot->SetName("root");
    pDoc->SetMainContainer(pRoot);
    m_docs.push_back(pDoc);

    CCreateContext context;
    context.m_pNewViewClass = RUNTIME_CLASS(CTestView);
    context.m_pCurrentDoc = pDoc;
    auto* pChild = new CMDIChildWnd;
    if (!pChild->Create(NULL, "doc", WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, CRect(0, 0, 400, 300), m_pFrame,
                        &context))
        return NULL;
    pChild->InitialUpdateFrame(pDoc, TRUE);
    PumpMessages();
    return static_cast<CTestView*>(pChild->GetActiveView());
}

void AppFrameTest::PumpFor(DWORD dwMS)
{
    PumpUntil(dwMS, [] { return false; });
}

bool AppFrameTest::PumpUntil(DWORD dwMS, const std::function<bool()>& done)
{
    DWORD dwStart = ::GetTickCount();
    while (!done())
    {
        DWORD dwElapsed = ::GetTickCount() - dwStart;
        if (dwElapsed >= dwMS)
            return false;
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, dwMS - dwElapsed, QS_ALLINPUT);
        PumpMessages();
    }
    return true;
}

// Other programs' windows

COtherProgramWindow::COtherProgramWindow()
{
    m_hReady = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    m_hThread = ::CreateThread(NULL, 0, ThreadProc, this, 0, &m_dwThreadId);
    ::WaitForSingleObject(m_hReady, 5000);
}

COtherProgramWindow::~COtherProgramWindow()
{
    ::PostThreadMessageA(m_dwThreadId, WM_QUIT, 0, 0);
    ::WaitForSingleObject(m_hThread, 5000);
    ::CloseHandle(m_hThread);
    ::CloseHandle(m_hReady);
    PumpMessages();
}

DWORD WINAPI COtherProgramWindow::ThreadProc(LPVOID pParam)
{
    auto* pThis = static_cast<COtherProgramWindow*>(pParam);
    HWND hWnd = ::CreateWindowExA(0, "STATIC", "other program", WS_POPUP | WS_VISIBLE, 700, 100, 100, 100, NULL, NULL,
                                  NULL, NULL);
    ::SetForegroundWindow(hWnd);
    pThis->m_hWnd = hWnd;
    ::SetEvent(pThis->m_hReady);
    MSG msg;
    while (::GetMessageA(&msg, NULL, 0, 0) > 0)
        ::DispatchMessageA(&msg);
    ::DestroyWindow(hWnd);
    return 0;
}
