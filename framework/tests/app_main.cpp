// An application of its own: framework_main gives it its WinMain, which runs this
// application object through AfxWinMain. The exit status is the number of checks that
// failed, each also written to standard error.
#include <afxwin.h>

#include <stdio.h>

namespace {

class CTestApp : public CWinApp
{
public:
    CTestApp() : CWinApp("Framework App Test") {}

    BOOL InitApplication() override
    {
        m_bInitApplication = TRUE;
        return CWinApp::InitApplication();
    }
    BOOL InitInstance() override
    {
        Check(m_bInitApplication, "InitApplication ran first");
        Check(m_hInstance == GetModuleHandle(NULL), "the instance is the executable's");
        Check(strcmp(m_pszAppName, "Framework App Test") == 0, "the name given to the constructor stays");
        Check(strcmp(m_pszExeName, "framework_app_test") == 0, "the executable's name");
        Check(AfxGetApp() == this && AfxGetThread() == this, "the application is the thread's object");

        CFrameWnd* pFrame = new CFrameWnd;
        if (!pFrame->Create(NULL, m_pszAppName))
            return FALSE;
        m_pMainWnd = pFrame;
        pFrame->PostMessage(WM_CLOSE);
        return TRUE;
    }
    int ExitInstance() override
    {
        Check(m_pMainWnd == NULL, "closing the main frame ended the loop");
        Check(CWinApp::ExitInstance() == 0, "WM_QUIT's exit code");
        return m_nFailures;
    }

private:
    void Check(bool bOk, const char* pszWhat)
    {
        if (!bOk)
        {
            fprintf(stderr, "failed: %s\n", pszWhat);
            m_nFailures++;
        }
    }

    BOOL m_bInitApplication = FALSE;
    int m_nFailures = 0;
};

CTestApp theApp;

} // namespace
