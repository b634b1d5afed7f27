// choiceboard: a board of choices that a switch user can operate. It shows a screen
// document (a container tree followed by its resources); every leaf container with a
// name is a choice that shows the picture of its name and plays the sound of its name
// when it is selected, by the mouse or by switch scanning, which follows the user's
// settings in "OKAPI_X.INI": Ctrl+Right and Ctrl+Left step, Ctrl+Down selects, Ctrl+Enter
// starts automatic scanning (and selects while it runs), Esc stops it.
//
//   choiceboard [DOC] [--log FILE]
//
// Without DOC it shows the demo's sample screen, "sample-screen.lmd" beside the program
// or in the folder "out" of the current folder. --log appends one line per event to
// FILE (EventLog.h). The exit status is 0, 1 when DOC cannot be shown (with a message on
// standard error), 2 for a command line it does not understand.
#include "ChoiceBoardFrame.h"
#include "ChoiceScreen.h"
#include "EventLog.h"
#include "res/resource.h"

#include "ExceptionText.h"

#include "hoard/resources/ResourceClass.h"
#include "hoard/sound/Wav.h"
#include "limn/containers/WndContainer.h"
#include "limn/scanning/ContainerHooks.h"

#include <stdio.h>
#include <stdlib.h>

#include <memory>

namespace {

const char szSampleScreen[] = "sample-screen.lmd";

enum ExitStatus
{
    exitShown = 0,
    exitCannotShow = 1,
    exitUsage = 2,
};

// Writes the string resource nID, formatted with the arguments, as one line on standard
// error.
template <class... Args>
void Say(UINT nID, Args... args)
{
    CString strFormat;
    strFormat.LoadString(nID);
    CString strLine;
    strLine.Format(strFormat, args...);
    fprintf(stderr, "%s\n", (LPCSTR)strLine);
}

BOOL FileExists(const CString& strPath)
{
    DWORD dwAttributes = ::GetFileAttributesA(strPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

CString ExeFolder()
{
    char szPath[MAX_PATH];
    DWORD nLen = ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    if (nLen == 0 || nLen >= MAX_PATH)
        return ".";
    CString strPath(szPath);
    return strPath.Left(strPath.ReverseFind('\\'));
}

class CChoiceBoardApp : public CWinApp
{
public:
    CChoiceBoardApp() : m_nExitStatus(exitShown) {}

    BOOL InitInstance() override;
    int ExitInstance() override;

private:
    // Reads the command line into m_strDoc and the log; FALSE (with the status set) when
    // it cannot be used.
    BOOL ParseCommandLine();
    // The sample screen, where it is found; FALSE (with the message) when it is not.
    BOOL FindSampleScreen();
    BOOL Fail(int nStatus)
    {
        m_nExitStatus = nStatus;
        return FALSE;
    }

    int m_nExitStatus;
    CString m_strDoc;
    CEventLog m_log;
    std::unique_ptr<CChoiceScreen> m_pScreen;
};

CChoiceBoardApp theApp;

BOOL CChoiceBoardApp::ParseCommandLine()
{
    for (int i = 1; i < __argc; ++i)
    {
        CString strArg = __argv[i];
        if (strArg == "--log" && i + 1 < __argc)
        {
            const char* pszLog = __argv[++i];
            if (!m_log.Open(pszLog))
            {
                Say(IDS_CANNOT_OPEN_LOG, pszLog);
                return Fail(exitCannotShow);
            }
        }
        else if (strArg.Left(1) == "-" || !m_strDoc.IsEmpty())
        {
            Say(IDS_USAGE);
            return Fail(exitUsage);
        }
        else
        {
            m_strDoc = strArg;
        }
    }
    return !m_strDoc.IsEmpty() || FindSampleScreen();
}

BOOL CChoiceBoardApp::FindSampleScreen()
{
    CString strBeside = ExeFolder() + '\\' + szSampleScreen;
    CString strOut = CString("out\\") + szSampleScreen;
    for (const CString& strPath : { strBeside, strOut })
    {
        if (FileExists(strPath))
        {
            m_strDoc = strPath;
            return TRUE;
        }
    }
    Say(IDS_NO_SAMPLE_SCREEN, (LPCSTR)strBeside, (LPCSTR)strOut);
    return Fail(exitCannotShow);
}

BOOL CChoiceBoardApp::InitInstance()
{
    if (!ParseCommandLine())
        return FALSE;
    CResourceClass::InitResourceClasses();

    m_pScreen = std::make_unique<CChoiceScreen>();
    CChoiceScreen::LoadResult result;
    try
    {
        result = m_pScreen->Load(m_strDoc, m_log.IsOpen() ? &m_log : NULL);
    }
    catch (CException* e)
    {
        Say(IDS_CANNOT_READ, (LPCSTR)m_strDoc, (LPCSTR)ExceptionText(e));
        e->Delete();
        return Fail(exitCannotShow);
    }
    static const UINT messages[] = { 0, IDS_NOT_SCREEN_DOCUMENT, IDS_NO_SCREEN, IDS_NO_CHOICES };
    if (result != CChoiceScreen::loaded)
    {
        Say(messages[result], (LPCSTR)m_strDoc);
        return Fail(exitCannotShow);
    }
    // The document's "Scan Sound" and "Select Sound" are the scanning sounds.
    m_pScreen->GetHoard().SetDocumentHoard();

    auto* pFrame = new CChoiceBoardFrame;
    if (!pFrame->Create(m_pszAppName, m_pScreen->GetRoot(), m_log.IsOpen() ? &m_log : NULL))
    {
        Say(IDS_NO_WINDOW);
        return Fail(exitCannotShow);
    }
    m_pMainWnd = pFrame;
    InstallContainerHooks(FALSE);
    pFrame->ShowWindow(m_nCmdShow);
    pFrame->UpdateWindow();
    pFrame->SetForegroundWindow();
    return TRUE;
}

// The window is gone by now; the sounds stop before the screen and its resources go.
int CChoiceBoardApp::ExitInstance()
{
    RemoveContainerHooks();
    CWav::StopAllSound();
    m_pScreen.reset();
    int nStatus = CWinApp::ExitInstance();
    return m_nExitStatus != exitShown ? m_nExitStatus : nStatus;
}

} // namespace
