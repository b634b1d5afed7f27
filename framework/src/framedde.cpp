// The main frame's side of the shell's DDE conversation: it acknowledges the
// application's "system" topic, hands each execute's command to the application and
// answers the end of the conversation.
#include "afxwin.h"

#include <dde.h>

LRESULT CFrameWnd::OnDDEInitiate(WPARAM wParam, LPARAM lParam)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL || pApp->m_atomApp == 0 || pApp->m_pMainWnd != this)
        return 0;
    if ((ATOM)LOWORD(lParam) != pApp->m_atomApp || (ATOM)HIWORD(lParam) != pApp->m_atomSystemTopic)
        return 0;
    // The acknowledgement carries atoms of its own, which the client deletes.
    char szApp[256], szTopic[256];
    if (::GlobalGetAtomNameA(pApp->m_atomApp, szApp, sizeof szApp) == 0
        || ::GlobalGetAtomNameA(pApp->m_atomSystemTopic, szTopic, sizeof szTopic) == 0)
        return 0;
    ::SendMessage((HWND)wParam, WM_DDE_ACK, (WPARAM)m_hWnd,
                  MAKELPARAM(::GlobalAddAtomA(szApp), ::GlobalAddAtomA(szTopic)));
    return 0;
}

LRESULT CFrameWnd::OnDDEExecute(WPARAM wParam, LPARAM lParam)
{
    UINT_PTR uUnused;
    UINT_PTR uCommands;
    if (!::UnpackDDElParam(WM_DDE_EXECUTE, lParam, &uUnused, &uCommands))
        return 0;
    // The client's text, read no further than its memory reaches.
    HGLOBAL hCommands = (HGLOBAL)uCommands;
    CString strCommand;
    if (auto* pszCommands = (const char*)::GlobalLock(hCommands))
    {
        SIZE_T cbCommands = ::GlobalSize(hCommands);
        const void* pEnd = memchr(pszCommands, '\0', cbCommands);
        strCommand = CString(pszCommands, pEnd != NULL ? (int)((const char*)pEnd - pszCommands) : (int)cbCommands);
        ::GlobalUnlock(hCommands);
    }

    // Acknowledged first, as the protocol asks, with the commands' memory given back to
    // the client; then carried out.
    CWinApp* pApp = AfxGetApp();
    BOOL bAccepted = pApp != NULL && !strCommand.IsEmpty();
    ::PostMessage((HWND)wParam, WM_DDE_ACK, (WPARAM)m_hWnd,
                  ::ReuseDDElParam(lParam, WM_DDE_EXECUTE, WM_DDE_ACK, bAccepted ? 0x8000 : 0, uCommands));
    if (bAccepted)
        pApp->OnDDECommand(strCommand.GetBuffer(0));
    return 0;
}

LRESULT CFrameWnd::OnDDETerminate(WPARAM wParam, LPARAM lParam)
{
    ::PostMessage((HWND)wParam, WM_DDE_TERMINATE, (WPARAM)m_hWnd, lParam);
    return 0;
}
