// CWinApp's help: the system's help program on the application's help file, and F1
// (ID_HELP), which asks the active window for the help of what the user does there;
// F1 where no accelerator takes it (WM_HELP, in dialogs) becomes ID_HELP.
#include "afxwin.h"
#include "afxpriv.h"

void CWinApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    HWND hWndMain = m_pMainWnd != NULL ? m_pMainWnd->GetSafeHwnd() : NULL;
    if (m_pszHelpFilePath == NULL || !::WinHelpA(hWndMain, m_pszHelpFilePath, nCmd, dwData))
        AfxMessageBox(AFX_IDP_FAILED_TO_LAUNCH_HELP);
}

void CWinApp::OnHelp()
{
    HWND hWndActive = ::GetActiveWindow();
    // Each window may destroy itself, or its parents, while it answers: the next one is
    // looked up only after, from a window that still exists.
    for (HWND hWnd = hWndActive; hWnd != NULL && ::IsWindow(hWnd); hWnd = ::GetParent(hWnd))
    {
        if (::SendMessage(hWnd, WM_COMMANDHELP, 0, 0))
            return;
    }
    auto* pDialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWndActive));
    if (pDialog != NULL && pDialog->m_nIDHelp != 0)
        WinHelp(HID_BASE_RESOURCE + pDialog->m_nIDHelp);
    else
        WinHelp(0, HELP_CONTENTS);
}

void CWinApp::OnHelpIndex() { WinHelp(0, HELP_INDEX); }

void CWinApp::OnHelpFinder() { WinHelp(0, HELP_FINDER); }

void CWinApp::OnHelpUsing() { WinHelp(0, HELP_HELPONHELP); }

BOOL CWnd::OnHelpInfo(HELPINFO*)
{
    // The system sends WM_HELP to the focus, and each child passes it to its parent:
    // the top-level window turns it into the command F1 gives everywhere else.
    if (!(GetStyle() & WS_CHILD))
    {
        CWnd* pMainWnd = AfxGetMainWnd();
        if (pMainWnd != NULL && ::IsWindow(pMainWnd->m_hWnd))
        {
            pMainWnd->SendMessage(WM_COMMAND, ID_HELP);
            return TRUE;
        }
    }
    return (BOOL)Default();
}
