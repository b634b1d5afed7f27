// The command line at start: CCommandLineInfo reads it, CWinApp::ParseCommandLine feeds it
// the parameters, CWinApp::ProcessShellCommand does what it asks.
#include "afxwin.h"

#include <stdlib.h>

CCommandLineInfo::CCommandLineInfo()
    : m_bShowSplash(TRUE), m_bRunEmbedded(FALSE), m_bRunAutomated(FALSE), m_nShellCommand(FileNew)
{
}

CCommandLineInfo::~CCommandLineInfo() = default;

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL)
{
    if (bFlag)
        ParseParamFlag(pszParam);
    else
        ParseParamNotFlag(pszParam);
}

void CCommandLineInfo::ParseParamFlag(const char* pszParam)
{
    m_nPrintToParams = 0;
    if (lstrcmpiA(pszParam, "pt") == 0)
    {
        m_nShellCommand = FilePrintTo;
        m_nPrintToParams = 1;
    }
    else if (lstrcmpiA(pszParam, "p") == 0)
    {
        m_nShellCommand = FilePrint;
    }
    else if (lstrcmpiA(pszParam, "dde") == 0)
    {
        m_nShellCommand = FileDDE;
        m_bShowSplash = FALSE;
    }
    else if (lstrcmpiA(pszParam, "Embedding") == 0)
    {
        m_bRunEmbedded = TRUE;
        m_bShowSplash = FALSE;
    }
    else if (lstrcmpiA(pszParam, "Automation") == 0)
    {
        m_bRunAutomated = TRUE;
        m_bShowSplash = FALSE;
    }
}

void CCommandLineInfo::ParseParamNotFlag(const char* pszParam)
{
    // After /pt: the file, then the printer, its driver and its port.
    switch (m_nPrintToParams)
    {
    case 1:
        m_strFileName = pszParam;
        m_nPrintToParams++;
        return;
    case 2:
        m_strPrinterName = pszParam;
        m_nPrintToParams++;
        return;
    case 3:
        m_strDriverName = pszParam;
        m_nPrintToParams++;
        return;
    case 4:
        m_strPortName = pszParam;
        m_nPrintToParams = 0;
        return;
    }
    // The first name that is not a flag's is the file; the others are ignored.
    if (!m_strFileName.IsEmpty())
        return;
    m_strFileName = pszParam;
    if (m_nShellCommand == FileNew)
        m_nShellCommand = FileOpen;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    for (int i = 1; i < __argc; i++)
    {
        const char* pszParam = __argv[i];
        BOOL bFlag = pszParam[0] == '-' || pszParam[0] == '/';
        rCmdInfo.ParseParam(bFlag ? pszParam + 1 : pszParam, bFlag, i == __argc - 1);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand)
    {
    case CCommandLineInfo::FileNew:
        // The application's own ID_FILE_NEW handler when it has one.
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, NULL, NULL))
            OnFileNew();
        return m_pMainWnd != NULL;

    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != NULL;

    case CCommandLineInfo::FilePrintTo:
    case CCommandLineInfo::FilePrint:
    {
        // Printed without showing anything, then the program ends: FALSE.
        m_nCmdShow = SW_HIDE;
        if (rCmdInfo.m_nShellCommand == CCommandLineInfo::FilePrintTo
            && !SelectPrinter(rCmdInfo.m_strDriverName, rCmdInfo.m_strPrinterName, rCmdInfo.m_strPortName))
        {
            return FALSE;
        }
        if (OpenDocumentFile(rCmdInfo.m_strFileName) != NULL && m_pMainWnd != NULL)
            m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
        return FALSE;
    }

    case CCommandLineInfo::FileDDE:
        // The shell sends what to open through DDE once the program is up.
        m_nCmdShow = SW_HIDE;
        return TRUE;

    default:
        return TRUE;
    }
}
