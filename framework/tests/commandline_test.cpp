// The command line at start: what CCommandLineInfo reads from the parameters, and what
// ProcessShellCommand makes of it in a single-document program.
#include "mdi_program.h"

#include "dialog_driver.h"

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
        auto* pTemplate = NewSingleNoteTemplate();
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
        WriteNoteFile(strPath, "from the command line");
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

TEST(ShellTypes, TemplatesWithARegistryTypeAreRegistered)
{
    CNoteApp app;
    app.AddDocTemplate(new CMultiDocTemplate(IDR_NOTETYPE, RUNTIME_CLASS(CNoteDoc), RUNTIME_CLASS(CNoteChild),
                                             RUNTIME_CLASS(CNoteView)));
    // Without a registry type: nothing is registered for it.
    app.AddDocTemplate(NewSingleNoteTemplate());
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "Note.Document");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".nte");

    auto value = [](const char* pszKey) {
        char sz[MAX_PATH] = "";
        LONG cb = sizeof sz;
        return RegQueryValueA(HKEY_CLASSES_ROOT, pszKey, sz, &cb) == ERROR_SUCCESS ? std::string(sz) : std::string("(none)");
    };
    char szExe[MAX_PATH];
    GetModuleFileNameA(NULL, szExe, MAX_PATH);
    const std::string strExe = std::string("\"") + szExe + "\"";

    app.RegisterShellFileTypes(TRUE);
    EXPECT_EQ("Note Document", value("Note.Document"));
    EXPECT_EQ(strExe + " \"%1\"", value("Note.Document\\shell\\open\\command"));
    EXPECT_EQ(strExe + " /p \"%1\"", value("Note.Document\\shell\\print\\command"));
    EXPECT_EQ(strExe + " /pt \"%1\" \"%2\" \"%3\" \"%4\"", value("Note.Document\\shell\\printto\\command"));
    EXPECT_EQ(std::string(szExe) + ",1", value("Note.Document\\DefaultIcon"));
    EXPECT_EQ("Note.Document", value(".nte"));

    // With the shell's DDE: the running program is asked to open the file.
    app.m_pszExeName = _strdup("NotesShellTest");
    app.EnableShellOpen();
    app.RegisterShellFileTypes();
    EXPECT_EQ(strExe + " /dde", value("Note.Document\\shell\\open\\command"));
    EXPECT_EQ("[open(\"%1\")]", value("Note.Document\\shell\\open\\ddeexec"));

    // An extension another program's type holds stays with it.
    RegSetValueA(HKEY_CLASSES_ROOT, ".nte", REG_SZ, "Other.Type", 10);
    app.RegisterShellFileTypes();
    EXPECT_EQ("Other.Type", value(".nte"));

    RegDeleteTreeA(HKEY_CLASSES_ROOT, "Note.Document");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".nte");
}

namespace {

// The client's side of a DDE conversation with the shell's commands, as the shell holds it.
class CDdeClient : public CWnd
{
public:
    CDdeClient() { CreateEx(0, AfxRegisterWndClass(0), "client", WS_POPUP, 0, 0, 10, 10, NULL, NULL); }

    HWND m_hWndServer = NULL;
    int m_nExecuteAcks = 0;
    BOOL m_bAccepted = FALSE;
    BOOL m_bTerminated = FALSE;

    // Asks every top-level window for the application and topic.
    void Initiate(const char* pszApp, const char* pszTopic)
    {
        ATOM aApp = GlobalAddAtomA(pszApp), aTopic = GlobalAddAtomA(pszTopic);
        ::SendMessage(HWND_BROADCAST, WM_DDE_INITIATE, (WPARAM)m_hWnd, MAKELPARAM(aApp, aTopic));
        GlobalDeleteAtom(aApp);
        GlobalDeleteAtom(aTopic);
    }
    void Execute(const char* pszCommand)
    {
        HGLOBAL hCommand = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, strlen(pszCommand) + 1);
        strcpy((char*)GlobalLock(hCommand), pszCommand);
        GlobalUnlock(hCommand);
        ::PostMessage(m_hWndServer, WM_DDE_EXECUTE, (WPARAM)m_hWnd, PackDDElParam(WM_DDE_EXECUTE, 0, (UINT_PTR)hCommand));
    }

protected:
    afx_msg LRESULT OnAck(WPARAM wParam, LPARAM lParam)
    {
        if (m_hWndServer == NULL)
        {
            // The answer to the initiate: its atoms are ours to delete.
            m_hWndServer = (HWND)wParam;
            GlobalDeleteAtom(LOWORD(lParam));
            GlobalDeleteAtom(HIWORD(lParam));
            return 0;
        }
        UINT_PTR uStatus, uCommand;
        UnpackDDElParam(WM_DDE_ACK, lParam, &uStatus, &uCommand);
        FreeDDElParam(WM_DDE_ACK, lParam);
        GlobalFree((HGLOBAL)uCommand);
        m_bAccepted = (uStatus & 0x8000) != 0;
        m_nExecuteAcks++;
        return 0;
    }
    afx_msg LRESULT OnTerminate(WPARAM, LPARAM)
    {
        m_bTerminated = TRUE;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDdeClient, CWnd)
    ON_MESSAGE(WM_DDE_ACK, OnAck)
    ON_MESSAGE(WM_DDE_TERMINATE, OnTerminate)
END_MESSAGE_MAP()

} // namespace

TEST(ShellTypes, TheRunningProgramOpensWhatTheShellSendsThroughDde)
{
    CMsgLog log;
    g_pNoteLog = &log;
    {
        CNoteApp app;
        CScratchFolder folder;
        app.m_pszExeName = _strdup("NotesDdeTest");
        app.AddDocTemplate(NewSingleNoteTemplate());
        app.EnableShellOpen();
        // Started by the shell with /dde: the main window waits hidden.
        CScopedArgs args({ "/dde" });
        CCommandLineInfo info;
        app.ParseCommandLine(info);
        ASSERT_TRUE(app.ProcessShellCommand(info));
        app.OnFileNew();
        ASSERT_NE(nullptr, app.m_pMainWnd);
        EXPECT_FALSE(app.m_pMainWnd->IsWindowVisible());

        CDdeClient client;
        client.Initiate("NotesDdeTest", "other topic");
        EXPECT_EQ(nullptr, client.m_hWndServer) << "another topic is not answered";
        client.Initiate("notesddetest", "System");
        ASSERT_EQ(app.m_pMainWnd->m_hWnd, client.m_hWndServer) << "names compare without case";

        CString strPath = folder.Path("shell.nte");
        WriteNoteFile(strPath, "opened by the shell");
        client.Execute("[open(\"" + strPath + "\")]");
        EXPECT_TRUE(PumpFrameworkUntil([&] { return client.m_nExecuteAcks == 1; }));
        EXPECT_TRUE(client.m_bAccepted);
        auto* pDoc = dynamic_cast<CNoteDoc*>(static_cast<CFrameWnd*>(app.m_pMainWnd)->GetActiveDocument());
        ASSERT_NE(nullptr, pDoc);
        EXPECT_STREQ("opened by the shell", pDoc->m_strText);
        EXPECT_TRUE(app.m_pMainWnd->IsWindowVisible()) << "the window shows with the document";

        // A command it does not know, or text that is no command, changes nothing.
        client.Execute("[close(\"x\")]");
        client.Execute("open(unbracketed");
        EXPECT_TRUE(PumpFrameworkUntil([&] { return client.m_nExecuteAcks == 3; }));
        EXPECT_STREQ("opened by the shell", pDoc->m_strText);

        ::PostMessage(client.m_hWndServer, WM_DDE_TERMINATE, (WPARAM)client.m_hWnd, 0);
        EXPECT_TRUE(PumpFrameworkUntil([&] { return client.m_bTerminated == TRUE; }));

        client.DestroyWindow();
        app.m_pMainWnd->DestroyWindow();
        MSG msg;
        PeekMessage(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
    }
    g_pNoteLog = NULL;
}
