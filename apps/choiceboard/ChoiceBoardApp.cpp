// CChoiceBoardApp: start-up with its command line, the board template, reports.
#include "ChoiceBoardApp.h"
#include "BoardChildFrame.h"
#include "BoardDoc.h"
#include "BoardMainFrame.h"
#include "BoardView.h"
#include "CommandLine.h"
#include "res/resource.h"

#include "hoard/resources/ResourceClass.h"
#include "hoard/runtime/MappedString.h"
#include "hoard/sound/Wav.h"
#include "limn/scanning/ContainerHooks.h"

#include <afxpriv.h>

#include <stdio.h>

namespace {

const char szSampleScreen[] = "sample-screen.lmd";
// The recent files the File menu shows.
const UINT nRecentFiles = 4;

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

} // namespace

CString LoadResourceString(UINT nID)
{
    CString strText;
    strText.LoadString(nID);
    return strText;
}

BEGIN_MESSAGE_MAP(CChoiceBoardApp, CWinApp)
    ON_COMMAND(ID_FILE_NEW, OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
    ON_COMMAND_EX_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_LAST, OnOpenRecentFile)
    ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

CChoiceBoardApp::CChoiceBoardApp() : m_nExitStatus(exitShown), m_bStarting(TRUE), m_scanningLog(m_log) {}

CBoardMainFrame* CChoiceBoardApp::GetMainFrame() const { return dynamic_cast<CBoardMainFrame*>(m_pMainWnd); }

void CChoiceBoardApp::Report(const CString& strMessage)
{
    if (m_bStarting)
        fprintf(stderr, "choiceboard: %s\n", (LPCSTR)strMessage);
    else
        AfxMessageBox(strMessage, MB_OK | MB_ICONEXCLAMATION);
}

BOOL CChoiceBoardApp::InitInstance()
{
    return Start(std::vector<CString>(__argv + 1, __argv + __argc));
}

BOOL CChoiceBoardApp::Start(const std::vector<CString>& args)
{
    CBoardCommandLine commandLine;
    if (!commandLine.Parse(args))
    {
        Report(LoadResourceString(IDS_USAGE));
        return Fail(exitUsage);
    }
    if (!commandLine.m_strLog.IsEmpty() && !m_log.Open(commandLine.m_strLog))
    {
        Report(FormatResourceString(IDS_CANNOT_OPEN_LOG, (LPCSTR)commandLine.m_strLog));
        return Fail(exitCannotShow);
    }
    if (commandLine.m_docs.empty())
    {
        CString strSample = FindSampleScreen();
        if (strSample.IsEmpty())
            return Fail(exitCannotShow);
        commandLine.m_docs.push_back(strSample);
    }

    LoadMappedStrings();
    CResourceClass::InitResourceClasses();
    LoadStdProfileSettings(nRecentFiles);
    AddDocTemplate(new CMultiDocTemplate(IDR_BOARDTYPE, RUNTIME_CLASS(CBoardDoc), RUNTIME_CLASS(CBoardChildFrame),
                                         RUNTIME_CLASS(CBoardView)));

    auto* pFrame = new CBoardMainFrame;
    if (!pFrame->Create())
    {
        Report(LoadResourceString(IDS_NO_WINDOW));
        return Fail(exitCannotShow);
    }
    m_pMainWnd = pFrame;
    pFrame->BuildMenus();
    for (const CString& strDoc : commandLine.m_docs)
    {
        if (OpenDocumentFile(strDoc) == NULL)
            return Fail(exitCannotShow);
    }

    m_bStarting = FALSE;
    InstallContainerHooks(FALSE);
    pFrame->ShowWindow(m_nCmdShow);
    pFrame->UpdateWindow();
    pFrame->SetForegroundWindow();
    if (commandLine.m_bProtect)
        pFrame->Protect();
    return TRUE;
}

CString CChoiceBoardApp::FindSampleScreen()
{
    CString strBeside = ExeFolder() + '\\' + szSampleScreen;
    CString strOut = CString("out\\") + szSampleScreen;
    for (const CString& strPath : { strBeside, strOut })
    {
        if (FileExists(strPath))
            return strPath;
    }
    Report(FormatResourceString(IDS_NO_SAMPLE_SCREEN, (LPCSTR)strBeside, (LPCSTR)strOut));
    return CString();
}

// The table is a resource of the program, so it cannot go missing.
void CChoiceBoardApp::LoadMappedStrings()
{
    HRSRC hInfo = ::FindResourceA(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_MAPPED_STRINGS), RT_RCDATA);
    HGLOBAL hData = hInfo != NULL ? ::LoadResource(AfxGetResourceHandle(), hInfo) : NULL;
    if (hData == NULL)
        return;
    CMemFile file(static_cast<BYTE*>(::LockResource(hData)), ::SizeofResource(AfxGetResourceHandle(), hInfo));
    CMappedString::Load(file);
}

BOOL CChoiceBoardApp::Fail(int nStatus)
{
    m_nExitStatus = nStatus;
    if (m_pMainWnd != NULL)
    {
        CloseAllDocuments(TRUE);
        m_pMainWnd->DestroyWindow();
        m_pMainWnd = NULL;
    }
    return FALSE;
}

// The windows are gone by now; the sounds stop before the boards' resources go.
int CChoiceBoardApp::ExitInstance()
{
    RemoveContainerHooks();
    CWav::StopAllSound();
    int nStatus = CWinApp::ExitInstance();
    return m_nExitStatus != exitShown ? m_nExitStatus : nStatus;
}
