// The command line at start: what CCommandLineInfo reads from the parameters, and what
// ProcessShellCommand makes of it in a single-document program.
#include "mdi_program.h"

#include <string>
#include <vector>

namespace {

// The process's parameters replaced for a test, and put back after.
class CScopedArgs
{
public:
    explicit CScopedArgs(std::vector<const char*> args) : m_args(std::move(args)), m_nOldArgc(__argc), m_ppszOldArgv(__argv)
    {
        m_args.insert(m_args.begin(), "program.exe");
        m_args.push_back(nullptr);
        __argc = (int)m_args.size() - 1;
        __argv = const_cast<char**>(m_args.data());
    }
    ~CScopedArgs()
    {
        __argc = m_nOldArgc;
        __argv = m_ppszOldArgv;
    }

private:
    std::vector<const char*> m_args;
    int m_nOldArgc;
    char** m_ppszOldArgv;
};

// Records every call of ParseParam, as an override sees it.
class CRecordingInfo : public CCommandLineInfo
{
public:
    void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast) override
    {
        m_calls.push_back(std::string(bFlag ? "flag " : "") + pszParam + (bLast ? " (last)" : ""));
        CCommandLineInfo::ParseParam(pszParam, bFlag, bLast);
    }
    std::vector<std::string> m_calls;
};

} // namespace

TEST(CommandLine, ParametersBecomeTheShellCommand)
{
    CWinApp app("Command Line");
    const struct
    {
        std::vector<const char*> args;
        int nCommand;
        const char* pszFile;
        BOOL bSplash;
    } cases[] = {
        { {}, CCommandLineInfo::FileNew, "", TRUE },
        { { "notes.nte" }, CCommandLineInfo::FileOpen, "notes.nte", TRUE },
        { { "first.nte", "second.nte" }, CCommandLineInfo::FileOpen, "first.nte", TRUE },
        { { "/p", "notes.nte" }, CCommandLineInfo::FilePrint, "notes.nte", TRUE },
        { { "-P", "notes.nte" }, CCommandLineInfo::FilePrint, "notes.nte", TRUE },
        { { "/dde" }, CCommandLineInfo::FileDDE, "", FALSE },
        { { "/unknown", "notes.nte" }, CCommandLineInfo::FileOpen, "notes.nte", TRUE },
        { { "/Embedding" }, CCommandLineInfo::FileNew, "", FALSE },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.args.empty() ? "(none)" : c.args[0]);
        CScopedArgs args(c.args);
        CCommandLineInfo info;
        app.ParseCommandLine(info);
        EXPECT_EQ(c.nCommand, (int)info.m_nShellCommand);
        EXPECT_STREQ(c.pszFile, info.m_strFileName);
        EXPECT_EQ(c.bSplash, info.m_bShowSplash);
    }

    // Printing on a named printer: the file, then the printer, its driver and port.
    CScopedArgs args({ "/pt", "notes.nte", "Office Printer", "winspool", "LPT1:" });
    CRecordingInfo info;
    app.ParseCommandLine(info);
    EXPECT_EQ(CCommandLineInfo::FilePrintTo, info.m_nShellCommand);
    EXPECT_STREQ("notes.nte", info.m_strFileName);
    EXPECT_STREQ("Office Printer", info.m_strPrinterName);
    EXPECT_STREQ("winspool", info.m_strDriverName);
    EXPECT_STREQ("LPT1:", info.m_strPortName);
    EXPECT_EQ((std::vector<std::string>{ "flag pt", "notes.nte", "Office Printer", "winspool", "LPT1: (last)" }),
              info.m_calls);
    EXPECT_FALSE(info.m_bRunEmbedded);
}

TEST(CommandLine, ProcessShellCommandMakesOrOpensTheDocument)
{
    CMsgLog log;
    g_pNoteLog = &log;
    {
        CNoteApp app;
        CScratchFolder folder;
        auto* pTemplate = new CSingleDocTemplate(IDR_SDINOTE, RUNTIME_CLASS(CNoteDoc), RUNTIME_CLASS(CFrameWnd),
                                                 RUNTIME_CLASS(CNoteView));
        app.AddDocTemplate(pTemplate);
        app.m_nCmdShow = SW_SHOW;

        // Nothing named: a new document in the main frame.
        CCommandLineInfo infoNew;
        EXPECT_TRUE(app.ProcessShellCommand(infoNew));
        auto* pFrame = dynamic_cast<CFrameWnd*>(app.m_pMainWnd);
        ASSERT_NE(nullptr, pFrame);
        EXPECT_STREQ("Untitled", pFrame->GetActiveDocument()->GetTitle());

        // A file named: opened.
        CString strPath = folder.Path("start.nte");
        {
            CFile file(strPath, CFile::modeCreate | CFile::modeWrite);
            CArchive ar(&file, CArchive::store);
            ar << CString("from the command line");
        }
        CScopedArgs args({ strPath });
        CCommandLineInfo infoOpen;
        app.ParseCommandLine(infoOpen);
        EXPECT_TRUE(app.ProcessShellCommand(infoOpen));
        auto* pDoc = dynamic_cast<CNoteDoc*>(pFrame->GetActiveDocument());
        ASSERT_NE(nullptr, pDoc);
        EXPECT_STREQ("from the command line", pDoc->m_strText);

        // A file that cannot be opened: FALSE, so that InitInstance can end the program.
        CCommandLineInfo infoMissing;
        infoMissing.m_nShellCommand = CCommandLineInfo::FileOpen;
        infoMissing.m_strFileName = folder.Path("missing.nte");
        EXPECT_FALSE(app.ProcessShellCommand(infoMissing));
        EXPECT_EQ(1u, app.m_boxes.size()) << "the user was told";

        CCommandLineInfo infoNothing;
        infoNothing.m_nShellCommand = CCommandLineInfo::FileNothing;
        EXPECT_TRUE(app.ProcessShellCommand(infoNothing));

        pFrame->DestroyWindow();
        MSG msg;
        PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    g_pNoteLog = NULL;
}
