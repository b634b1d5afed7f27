// Threads and the application: CWinThread with its message loop (Run, PumpMessage,
// PreTranslateMessage through the window tree, OnIdle) and as a thread of its own
// (worker and user-interface threads of AfxBeginThread), CWinApp with
// its document templates, File commands, profile and recent-file list, and the global
// accessors. An application derives one CWinApp, constructs one global
// object of it and gets its WinMain from the framework_main library, which calls
// AfxWinMain. A program without a CWinApp can still create windows and pump messages
// (AfxPumpMessage).
#pragma once

#include "afxcmdline_.h"
#include "afxcoll.h"
#include "afxres.h"
#include "afxwnd_.h"

class CDocTemplate;
class CDocument;
class CPrintDialog;
class CRecentFileList;

// The recent-file list's length without a count of LoadStdProfileSettings, and its
// most.
#define _AFX_MRU_COUNT      4
#define _AFX_MRU_MAX_COUNT  16

// The controlling function of a worker thread; what it returns is the thread's exit code.
typedef UINT (AFX_CDECL* AFX_THREADPROC)(LPVOID);

class AFX_FRAMEWORK CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)
public:
    // A user-interface thread: CreateThread runs InitInstance, then Run, on the new
    // thread; when InitInstance fails, ExitInstance.
    CWinThread();
    // A worker thread: CreateThread runs pfnThreadProc(pParam) on the new thread.
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    // Closes the thread's handle.
    ~CWinThread() override;

    // Starts the thread (through the C runtime, which it sets up for the thread). By
    // the return the thread has its message queue, so that PostThreadMessage reaches
    // it at once, and m_hThread and m_nThreadID are set; CREATE_SUSPENDED holds it
    // before its own code until ResumeThread. With m_bAutoDelete the object deletes
    // itself when the thread ends, and must not be touched then: keep a duplicate of
    // the handle or clear m_bAutoDelete before it runs. An exception that escapes the
    // thread's own code ends the thread with the exit code 0xFFFFFFFF. FALSE when the
    // thread could not be made, or the object has a thread already.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0,
                      LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);

// Attributes
    CWnd* m_pMainWnd;       // closing it ends the message loop
    CWnd* m_pActiveWnd;
    BOOL m_bAutoDelete;
    HANDLE m_hThread;
    DWORD m_nThreadID;
    operator HANDLE() const { return m_hThread; }

    virtual CWnd* GetMainWnd() { return m_pMainWnd; }

// Operations, on the thread of m_hThread
    int GetThreadPriority() { return ::GetThreadPriority(m_hThread); }
    BOOL SetThreadPriority(int nPriority) { return ::SetThreadPriority(m_hThread, nPriority); }
    // The previous suspend count, or 0xFFFFFFFF on failure. A thread held by
    // CREATE_SUSPENDED counts as suspended once; resumed to 0, it goes on.
    DWORD SuspendThread();
    DWORD ResumeThread();
    // A message to the thread's queue (no window): PreTranslateMessage sees it.
    BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return ::PostThreadMessage(m_nThreadID, message, wParam, lParam);
    }

// Overridables
    virtual BOOL InitInstance();
    // The message loop: messages until WM_QUIT, OnIdle while the queue is empty; returns
    // ExitInstance's exit code.
    virtual int Run();
    // The main window's tree (from the message's window up), then the main window.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Takes one message and dispatches it; FALSE on WM_QUIT.
    virtual BOOL PumpMessage();
    // Background work while the queue is empty: lCount 0 updates the command user
    // interface of the main window, lCount 1 frees the temporary handle maps (CWnd,
    // CDC, CGdiObject, CMenu). TRUE while more idle work is wanted.
    virtual BOOL OnIdle(LONG lCount);
    // FALSE for messages after which idle work need not run again (repeated mouse
    // moves, paints, caret blinks).
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // The exit code of the thread: wParam of WM_QUIT.
    virtual int ExitInstance();
    // An exception that a window procedure handler threw: the default fails a WM_CREATE
    // (-1) and silently validates a window whose WM_PAINT threw. Any other is reported
    // unless it is a CUserException, with the failed-command prompt (AFX_IDP_COMMAND_
    // FAILURE) for a menu or accelerator command, which then counts as handled (TRUE),
    // else the internal-failure prompt (0). The prompt shows when the exception has no
    // message of its own. The result is the message's result.
    virtual LRESULT ProcessWndProcException(CException* e, const MSG* pMsg);

// Implementation
    // Deletes the object when m_bAutoDelete is set; called as its thread ends.
    virtual void Delete();

    LPVOID m_pThreadParams;             // the worker's parameter
    AFX_THREADPROC m_pfnThreadProc;     // NULL for a user-interface thread
    // A thread held by CREATE_SUSPENDED waits for this event before its own code, with
    // m_nHoldCount as its suspend count. The thread is never suspended by the system
    // while it waits in the system: under Wine, resuming one suspended in a wait can
    // lose its place.
    HANDLE m_hHoldGo = NULL;
    DWORD m_nHoldCount = 0;
    MSG m_msgCur;           // the message being pumped
    CPoint m_ptCursorLast;  // of the last mouse move, for IsIdleMessage
    UINT m_nMsgLast;
};

class AFX_FRAMEWORK CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)
public:
    // The application's name; NULL: the string resource AFX_IDS_APP_TITLE (afxres.h),
    // else the executable's name.
    explicit CWinApp(LPCTSTR lpszAppName = NULL);
    ~CWinApp() override;

// Attributes, set by AfxWinInit; the strings are allocated with malloc
    HINSTANCE m_hInstance;
    HINSTANCE m_hPrevInstance;
    LPTSTR m_lpCmdLine;
    int m_nCmdShow;
    LPCTSTR m_pszAppName;
    LPCTSTR m_pszExeName;   // the executable's file name without extension
    // The private profile file of the profile functions: the executable's name with
    // ".INI" (in the Windows folder), set by AfxWinInit unless set before. The
    // application frees it with free: a program that sets another allocates it with
    // malloc and frees the one it replaces.
    LPCTSTR m_pszProfileName;
    // The key of SetRegistryKey (usually the maker's name); NULL while the profile is
    // the private profile file. Allocated with malloc.
    LPCTSTR m_pszRegistryKey;
    // The help file of WinHelp: the executable's path with ".HLP", set by AfxWinInit
    // unless set before. Allocated with malloc, like m_pszProfileName.
    LPCTSTR m_pszHelpFilePath;
    // The recent files of the File menu, made by LoadStdProfileSettings; NULL before.
    CRecentFileList* m_pRecentFileList;

// The command line
    // Each parameter of the command line to rCmdInfo.ParseParam, without its leading
    // '/' or '-'.
    void ParseCommandLine(CCommandLineInfo& rCmdInfo);
    // Does what rCmdInfo asks: a new document (the application's ID_FILE_NEW handler,
    // else OnFileNew), the named document, or that document printed on the application's
    // printer or the one named (then FALSE, since the program has done its work and
    // ends). FALSE too when the document cannot be made or opened. FileDDE shows the
    // main window hidden (SW_HIDE in m_nCmdShow), for the shell's DDE commands.
    BOOL ProcessShellCommand(CCommandLineInfo& rCmdInfo);

// The shell
    // The running program answers the shell's DDE conversation (the application is
    // m_pszExeName, the topic "system") in its main frame, and RegisterShellFileTypes
    // registers opening through it. Once, before the main frame is made.
    void EnableShellOpen();
    // Registers with the shell, under HKEY_CLASSES_ROOT, each template whose document
    // string has a registry type: its name, the command that opens a file of it, and its
    // extension (unless another type has it). bCompat adds the print and print-to
    // commands and the template's icon.
    void RegisterShellFileTypes(BOOL bCompat = FALSE);
    // A command of the shell's DDE execute: [open("file")], [print("file")] and
    // [printto("file","printer","driver","port")]; FALSE when it is none of these or fails.
    virtual BOOL OnDDECommand(LPTSTR lpszCommand);
    ATOM m_atomApp = 0;             // set by EnableShellOpen
    ATOM m_atomSystemTopic = 0;

// Document templates; the application owns them and deletes them at its end
    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const;
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const;

// Documents
    // The document of lpszFileName: one that has it open already is activated, else
    // the template that fits the file best opens it. NULL when it cannot be opened
    // (the user has been told).
    virtual CDocument* OpenDocumentFile(LPCTSTR lpszFileName);
    // Puts the full path at the top of the recent-file list, when there is one.
    virtual void AddToRecentFileList(LPCTSTR lpszPathName);
    // The Open (bOpenFileDialog) or Save As dialog titled with string nIDSTitle, with
    // the filters of pTemplate or, for NULL, of every template, then "All Files (*.*)";
    // fileName is the initial name and the choice. FALSE when cancelled.
    BOOL DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags, BOOL bOpenFileDialog,
                          CDocTemplate* pTemplate);
    // Closes every document of every template.
    void CloseAllDocuments(BOOL bEndSession);
    // The number of open documents of every template.
    int GetOpenDocumentCount();

// The profile: the private profile file m_pszProfileName or, after SetRegistryKey, the
// registry. Without either the reads give the default and the writes fail.
    UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
    BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
    CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = NULL);
    // A NULL lpszEntry removes the section, a NULL lpszValue the entry.
    BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
    // Makes the recent-file list of nMaxMRU files (at most 16; 0: none) and reads it
    // from the profile's section "Recent File List" (File1, File2 ...).
    void LoadStdProfileSettings(UINT nMaxMRU = _AFX_MRU_COUNT);
    // Writes the recent-file list back; ExitInstance does.
    void SaveStdProfileSettings();
    // Moves the profile (and with it the recent-file list) into the registry: sections
    // become the keys
    //     HKEY_CURRENT_USER\Software\<lpszRegistryKey>\<m_pszAppName>\<section>,
    // integers REG_DWORD values and strings REG_SZ values. The UINT form
    // takes the key from a string resource; a missing or empty key leaves the profile
    // where it was.
    void SetRegistryKey(LPCTSTR lpszRegistryKey);
    void SetRegistryKey(UINT nIDRegistryKey);
    // HKEY_CURRENT_USER\Software\<key>\<m_pszAppName>, and its subkey lpszSection,
    // made when missing; the caller closes it with RegCloseKey. NULL without
    // SetRegistryKey or when the registry refuses.
    HKEY GetAppRegistryKey();
    HKEY GetSectionKey(LPCTSTR lpszSection);

// Overridables
    virtual BOOL InitApplication();
    // The thread's message loop; a program whose InitInstance made no main window has
    // nothing that would ever end it, so it quits at once.
    int Run() override;
    // Saves the profile settings; the exit code.
    int ExitInstance() override;
    // Asks every open document of every template to save its changes; FALSE when the
    // user cancelled.
    virtual BOOL SaveAllModified();
    // Shows a message box for AfxMessageBox, titled with the application's name.
    virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);
    // nCode 1 shows the hourglass, -1 takes one away, 0 shows it again after a box.
    virtual void DoWaitCursor(int nCode);
    // Starts the system's help on m_pszHelpFilePath for the main window (nCmd and
    // dwData as ::WinHelp takes them); tells the user when it cannot.
    virtual void WinHelp(DWORD_PTR dwData, UINT nCmd = HELP_CONTEXT);

// Operations
    // Nothing to do: the system draws dialogs and controls in 3D itself, without the
    // separate library that once did it. TRUE, so that programs go on as when that
    // library loaded.
    BOOL Enable3dControls() { return TRUE; }
    BOOL Enable3dControlsStatic() { return TRUE; }

// Commands
    // ID_APP_EXIT: closes the main window, which asks to save the modified documents
    // and ends the application.
    afx_msg void OnAppExit();
    // For the application's own message map (ON_COMMAND(ID_FILE_NEW, OnFileNew) ...):
    // a new document of the only template, or of the one the user chooses.
    afx_msg void OnFileNew();
    // The Open dialog, then OpenDocumentFile.
    afx_msg void OnFileOpen();
    // ID_FILE_MRU_FILE1 ... 16: opens that recent file; one that cannot be opened
    // leaves the list.
    afx_msg BOOL OnOpenRecentFile(UINT nID);
    // Puts the recent files into the menu at ID_FILE_MRU_FILE1.
    afx_msg void OnUpdateRecentFileMenu(CCmdUI* pCmdUI);
    // ID_HELP (F1), for the application's message map (ON_COMMAND(ID_HELP,
    // CWinApp::OnHelp)): WM_COMMANDHELP goes to the active window, then to its parents,
    // until one answers TRUE; when none does, the help of the active dialog's template
    // (HID_BASE_RESOURCE + its id), else the help file's contents.
    afx_msg void OnHelp();
    // ID_HELP_INDEX, ID_HELP_FINDER and ID_HELP_USING, for the application's message map:
    // the help file's index, its finder, and the help on using help.
    afx_msg void OnHelpIndex();
    afx_msg void OnHelpFinder();
    afx_msg void OnHelpUsing();

// Cursors and icons of the resource chain or of the system
    HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
    HCURSOR LoadCursor(UINT nIDResource) const { return LoadCursor(MAKEINTRESOURCE(nIDResource)); }
    HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursor(NULL, lpszCursorName); }
    HICON LoadIcon(LPCTSTR lpszResourceName) const;
    HICON LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCE(nIDResource)); }
    HICON LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIcon(NULL, lpszIconName); }

// The application's printer (appprint.cpp): its DEVMODE and DEVNAMES, NULL until first
// needed; freed with the application.
    HGLOBAL m_hDevMode = NULL;
    HGLOBAL m_hDevNames = NULL;
    // The printer into pPrintDlg's hDevMode and hDevNames (the application keeps owning
    // them), the default printer when none was chosen; FALSE when there is no printer.
    BOOL GetPrinterDeviceDefaults(PRINTDLG* pPrintDlg);
    // The Print or Print Setup dialog on the application's printer; what the user
    // chose there becomes the application's printer. IDOK or IDCANCEL.
    int DoPrintDialog(CPrintDialog* pPD);
    // A printer chosen in a dialog stays; one taken as the system's default follows the
    // default when it has changed (or is gone). bForceDefaults takes the default anyway.
    void UpdatePrinterSelection(BOOL bForceDefaults);
    // The application's printer from now on; bFreeOld frees the one before.
    void SelectPrinter(HANDLE hDevNames, HANDLE hDevMode, BOOL bFreeOld = TRUE);
    // ... named by its driver, device and port, with the printer's defaults; FALSE when
    // the names are too long for a DEVNAMES.
    BOOL SelectPrinter(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszPortName);
    // A device context for the application's printer into dc; FALSE without a printer.
    BOOL CreatePrinterDC(CDC& dc);
    // ID_FILE_PRINT_SETUP, for the application's message map: the Print Setup dialog,
    // or the no-printer message.
    afx_msg void OnFilePrintSetup();

// Implementation
    int m_nWaitCursorCount;
    HCURSOR m_hcurWaitCursorRestore;
    CPtrList m_templateList;

    DECLARE_MESSAGE_MAP()

private:
    void FreePrinterSelection();
};

// A worker thread running pfnThreadProc(pParam), or a user-interface thread of the
// class pThreadClass (a CWinThread made with DECLARE_DYNCREATE), at priority nPriority.
// The thread object, or NULL (and nothing left behind) when the thread could not be
// made. See CWinThread::CreateThread for the object's lifetime.
AFX_FRAMEWORK CWinThread* AFXAPI AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam,
                                               int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                               DWORD dwCreateFlags = 0,
                                               LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
AFX_FRAMEWORK CWinThread* AFXAPI AfxBeginThread(CRuntimeClass* pThreadClass,
                                               int nPriority = THREAD_PRIORITY_NORMAL, UINT nStackSize = 0,
                                               DWORD dwCreateFlags = 0,
                                               LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
// Ends the calling thread with nExitCode, from anywhere inside it; bDelete deletes its
// thread object when that has m_bAutoDelete. Objects on the thread's stack are not
// destroyed: their destructors (an unlocking CSingleLock's) do not run.
[[noreturn]] AFX_FRAMEWORK void AFXAPI AfxEndThread(UINT nExitCode, BOOL bDelete = TRUE);

AFX_FRAMEWORK CWinApp* AFXAPI AfxGetApp();
// The thread object of the calling thread: the application on its thread, the object
// of AfxBeginThread on the threads it made; NULL on any other thread.
AFX_FRAMEWORK CWinThread* AFXAPI AfxGetThread();
AFX_FRAMEWORK CWnd* AFXAPI AfxGetMainWnd();
// The application's name, or the executable's when there is no application object.
AFX_FRAMEWORK LPCTSTR AFXAPI AfxGetAppName();

// Start and end of an application: what WinMain does.
AFX_FRAMEWORK BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
AFX_FRAMEWORK int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
AFX_FRAMEWORK void AFXAPI AfxWinTerm();
AFX_FRAMEWORK void AFXAPI AfxPostQuitMessage(int nExitCode);

// One message through the thread's PumpMessage, or the same steps without a thread
// object; FALSE on WM_QUIT.
AFX_FRAMEWORK BOOL AFXAPI AfxPumpMessage();

// Temporary handle objects stay while the maps are locked: a nested loop's idle time
// must not free what an outer handler still uses. Unlocking the last lock frees them
// (with bDeleteTemps); TRUE when they were freed.
AFX_FRAMEWORK void AFXAPI AfxLockTempMaps();
AFX_FRAMEWORK BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);
