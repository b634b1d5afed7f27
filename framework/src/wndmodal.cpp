// Modal loops of windows (RunModalLoop, EndModalLoop) and the owner of a modal window.
#include "afxwin.h"
#include "afxpriv.h"
#include "threadstate.h"

int CWnd::RunModalLoop(DWORD dwFlags)
{
    ASSERT(::IsWindow(m_hWnd));
    ASSERT(!(m_nFlags & WF_MODALLOOP));

    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hWndOwner = ::GetWindow(m_hWnd, GW_OWNER);
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    MSG* pMsg = AfxGetPumpedMessage();

    while (ContinueModal())
    {
        // While the queue is empty: show the window once, tell the owner, and give the
        // window its idle time until it wants no more.
        while (bIdle && !::PeekMessage(pMsg, NULL, 0, 0, PM_NOREMOVE))
        {
            if (bShowIdle)
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!(dwFlags & MLF_NOIDLEMSG) && hWndOwner != NULL && lIdleCount == 0)
                ::SendMessage(hWndOwner, WM_ENTERIDLE, MSGF_DIALOGBOX, (LPARAM)m_hWnd);
            if ((dwFlags & MLF_NOKICKIDLE) || !SendMessage(WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = FALSE;
        }

        // Then every message that is waiting.
        do
        {
            if (!AfxPumpMessage())
            {
                // WM_QUIT: it belongs to the outer loop, which gets it again.
                AfxPostQuitMessage((int)pMsg->wParam);
                m_nModalResult = -1;
                m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            // A key pressed before the window showed shows it at once.
            if (bShowIdle && (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN))
            {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!ContinueModal())
                break;
            if (AfxIsIdleMessage(pMsg))
            {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessage(pMsg, NULL, 0, 0, PM_NOREMOVE));
    }
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

BOOL CWnd::ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL)
    {
        m_nFlags &= ~WF_CONTINUEMODAL;
        // Wakes the loop if it waits for a message.
        PostMessage(WM_NULL);
    }
}

CWnd* PASCAL CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    HWND hWndParent = pParent->GetSafeHwnd();
    HWND hWnd = hWndParent != NULL ? hWndParent : AfxGetMainWnd()->GetSafeHwnd();
    // A child window cannot own a popup: its first ancestor that is no child does.
    while (hWnd != NULL && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    HWND hWndTop = AfxGetTopLevelParent(hWnd);
    // Without a parent, a popup already open over the main window owns what comes next;
    // a parent given is the owner asked for.
    if (hWndParent == NULL && hWnd != NULL)
        hWnd = ::GetLastActivePopup(hWnd);

    if (pWndTop != NULL)
    {
        if (hWndTop != NULL && hWndTop != hWnd && ::IsWindowEnabled(hWndTop))
        {
            *pWndTop = hWndTop;
            ::EnableWindow(hWndTop, FALSE);
        }
        else
        {
            *pWndTop = NULL;
        }
    }
    return FromHandle(hWnd);
}
