// Message boxes with prompts of the resource chain: the program's own strings before
// the framework's, prompts with arguments, and the owner that a box keeps disabled.
#include <afxwin.h>
#include <gtest/gtest.h>

#include <memory>

#include "dialog_driver.h"
#include "msg_log.h"

TEST(MessageBoxes, PromptsComeFromTheProgramThenTheFramework)
{
    CReleaseCheck check;
    const struct
    {
        UINT nIDPrompt;
        const char* pszText;
    } prompts[] = {
        { AFX_IDP_PARSE_INT, "Please enter an integer." },              // the framework's alone
        { AFX_IDP_PARSE_RADIO_BUTTON, "Choose one of the buttons." },   // the program's replaces it
    };
    for (const auto& p : prompts)
    {
        SCOPED_TRACE(p.pszText);
        std::string strShown;
        CDialogDriver driver;
        driver.Then("message box", DismissMessageBox(strShown));
        driver.Start();
        EXPECT_EQ(IDOK, AfxMessageBox(p.nIDPrompt));
        EXPECT_TRUE(driver.Done());
        EXPECT_EQ(p.pszText, strShown);
    }

    CString str;
    AfxFormatString2(str, AFX_IDP_PARSE_INT_RANGE, "1", "9");
    EXPECT_STREQ("Please enter an integer between 1 and 9.", str);
    AfxFormatString1(str, AFX_IDP_PARSE_STRING_SIZE, "30");
    EXPECT_STREQ("Please enter no more than 30 characters.", str);
}

namespace {

// A window of another thread in the foreground, for as long as the object lives: the
// program's own thread is in the background meanwhile. A thread of the system's own,
// which keeps no records of the C++ runtime behind.
class CForegroundElsewhere
{
public:
    CForegroundElsewhere()
    {
        m_hReady = CreateEventA(NULL, TRUE, FALSE, NULL);
        m_hThread = CreateThread(NULL, 0, Run, this, 0, &m_nThreadId);
        WaitForSingleObject(m_hReady, INFINITE);
    }
    ~CForegroundElsewhere()
    {
        PostThreadMessageA(m_nThreadId, WM_QUIT, 0, 0);
        WaitForSingleObject(m_hThread, INFINITE);
        CloseHandle(m_hThread);
        CloseHandle(m_hReady);
    }
    CForegroundElsewhere(const CForegroundElsewhere&) = delete;
    CForegroundElsewhere& operator=(const CForegroundElsewhere&) = delete;

private:
    static DWORD WINAPI Run(LPVOID pParam)
    {
        auto* pThis = (CForegroundElsewhere*)pParam;
        HWND hWnd = CreateWindowExA(0, "STATIC", "elsewhere", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 300, 120, 80,
                                    NULL, NULL, NULL, NULL);
        SetForegroundWindow(hWnd);
        // The queue exists now: WM_QUIT posted to the thread reaches it.
        SetEvent(pThis->m_hReady);
        MSG msg;
        while (GetMessageA(&msg, NULL, 0, 0))
            DispatchMessageA(&msg);
        DestroyWindow(hWnd);
        return 0;
    }

    HANDLE m_hReady;
    HANDLE m_hThread;
    DWORD m_nThreadId = 0;
};

} // namespace

TEST(MessageBoxes, TheSafeOwnerIsDisabledEvenWhenTheProgramIsInTheBackground)
{
    CReleaseCheck check;
    {
        CWinApp app;
        CFrameWnd* pMain = new CFrameWnd;
        ASSERT_TRUE(pMain->Create(NULL, "main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 300, 200)));
        app.m_pMainWnd = pMain;
        pMain->SetForegroundWindow();

        for (bool bBackground : { false, true })
        {
            SCOPED_TRACE(bBackground ? "in the background" : "in the foreground");
            std::unique_ptr<CForegroundElsewhere> pElsewhere;
            if (bBackground)
            {
                pElsewhere = std::make_unique<CForegroundElsewhere>();
                // The thread hears that it lost the foreground through its queue.
                EXPECT_TRUE(PumpUntil([] { return GetActiveWindow() == NULL; }))
                    << "a window of the program is still active";
            }
            HWND hWndOwner = NULL;
            bool bMainEnabled = true;
            std::string strShown;
            CDialogDriver driver;
            driver.Then("message box", [&] {
                      HWND hWndBox = FindMessageBox();
                      if (hWndBox == NULL)
                          return false;
                      hWndOwner = GetWindow(hWndBox, GW_OWNER);
                      bMainEnabled = IsWindowEnabled(pMain->m_hWnd);
                      SetForegroundWindow(hWndBox);
                      return true;
                  })
                .Then("dismissed", DismissMessageBox(strShown));
            driver.Start();
            EXPECT_EQ(IDOK, AfxMessageBox("Behind it, nothing moves."));
            EXPECT_TRUE(driver.Done());
            EXPECT_EQ("Behind it, nothing moves.", strShown);
            EXPECT_EQ(pMain->m_hWnd, hWndOwner);
            EXPECT_FALSE(bMainEnabled) << "the main window is disabled while the box is up";
            EXPECT_TRUE(IsWindowEnabled(pMain->m_hWnd)) << "and enabled again after it";
        }
        app.m_pMainWnd = NULL;
        pMain->DestroyWindow();
    }
}

TEST(MessageBoxes, FormatStringsReplacesNumberedArguments)
{
    const char* args[] = { "one", "two", NULL };
    const struct
    {
        const char* pszFormat;
        int nString;
        const char* pszExpected;
    } cases[] = {
        { "%1 and %2", 2, "one and two" },
        { "%2, %1, %2", 2, "two, one, two" },
        { "%2 left out", 1, " left out" },
        { "%3 is null", 3, " is null" },
        { "100% and %0 stay, %%1", 1, "100% and %0 stay, %one" },
        { "ends in %", 2, "ends in %" },
        { "", 2, "" },
    };
    for (const auto& c : cases)
    {
        CString str = "old";
        AfxFormatStrings(str, c.pszFormat, args, c.nString);
        EXPECT_STREQ(c.pszExpected, str) << c.pszFormat;
    }
}
