// What the command line asks the application to do at start: CCommandLineInfo, filled by
// CWinApp::ParseCommandLine and carried out by CWinApp::ProcessShellCommand.
#pragma once

#include "afx.h"

class AFX_FRAMEWORK CCommandLineInfo : public CObject
{
public:
    // A new document, unless the command line says otherwise.
    CCommandLineInfo();
    ~CCommandLineInfo() override;

    // One parameter of the command line: bFlag when it began with '/' or '-' (which
    // pszParam no longer holds), bLast for the last one. The default reads
    //   NAME                       open NAME
    //   /p NAME                    print NAME on the default printer
    //   /pt NAME PRINTER DRIVER PORT   print NAME on that printer
    //   /dde                       wait for the shell's DDE commands
    //   /Embedding, /Automation    started by OLE
    // (flags in any case); other flags are ignored.
    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);

    BOOL m_bShowSplash;     // FALSE when started by OLE or the shell
    BOOL m_bRunEmbedded;
    BOOL m_bRunAutomated;
    enum { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, FileNothing = -1 } m_nShellCommand;

    // Not valid for FileNew.
    CString m_strFileName;
    // For FilePrintTo only.
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;

protected:
    void ParseParamFlag(const char* pszParam);
    void ParseParamNotFlag(const char* pszParam);

    // How many parameters after /pt were read: the file, printer, driver and port follow.
    int m_nPrintToParams = 0;
};
