// CFrameWnd's side of the control bars: the list of its bars, docking them along a
// side, showing and hiding them (ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR), the delayed
// layout, the message bar with the prompts of menu items and the idle message, the
// key indicators and the tool tips of the bars' buttons.
#include "afxext.h"
#include "afxpriv.h"

// The bars

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (m_listControlBars.Find(pBar) == NULL)
        m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    if (POSITION pos = m_listControlBars.Find(pBar))
        m_listControlBars.RemoveAt(pos);
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    for (POSITION pos = m_listControlBars.GetHeadPosition(); pos != NULL;)
    {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if ((UINT)pBar->GetDlgCtrlID() == nID)
            return pBar;
    }
    return NULL;
}

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockSides = dwDockStyle & CBRS_ALIGN_ANY;
}

namespace {

// The CBRS_ALIGN_ side of a dock bar id; 0 for any other id.
DWORD AlignOfDockBar(UINT nDockBarID)
{
    switch (nDockBarID)
    {
    case AFX_IDW_DOCKBAR_TOP:
        return CBRS_ALIGN_TOP;
    case AFX_IDW_DOCKBAR_BOTTOM:
        return CBRS_ALIGN_BOTTOM;
    case AFX_IDW_DOCKBAR_LEFT:
        return CBRS_ALIGN_LEFT;
    case AFX_IDW_DOCKBAR_RIGHT:
        return CBRS_ALIGN_RIGHT;
    default:
        return 0;
    }
}

// The CBRS_BORDER_ bit of the side facing the view, for a bar along dwAlign.
DWORD InnerBorderOf(DWORD dwAlign)
{
    switch (dwAlign)
    {
    case CBRS_ALIGN_TOP:
        return CBRS_BORDER_BOTTOM;
    case CBRS_ALIGN_BOTTOM:
        return CBRS_BORDER_TOP;
    case CBRS_ALIGN_LEFT:
        return CBRS_BORDER_RIGHT;
    default:
        return CBRS_BORDER_LEFT;
    }
}

} // namespace

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT)
{
    ASSERT(pBar != NULL && pBar->m_hWnd != NULL);
    DWORD dwAllowed = m_dwDockSides & pBar->m_dwDockStyle;
    DWORD dwAlign = 0;
    if (nDockBarID != 0)
        dwAlign = AlignOfDockBar(nDockBarID) & dwAllowed;
    else
    {
        for (DWORD dwSide : { CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT })
        {
            if (dwAllowed & dwSide)
            {
                dwAlign = dwSide;
                break;
            }
        }
    }
    // Not a side that both the frame and the bar have enabled: the bar stays where it is.
    if (dwAlign == 0)
        return;

    // A bar with a border keeps it on the side that faces the view.
    DWORD dwStyle = (pBar->GetBarStyle() & ~CBRS_ALIGN_ANY) | dwAlign;
    if (dwStyle & CBRS_BORDER_ANY)
        dwStyle = (dwStyle & ~CBRS_BORDER_ANY) | InnerBorderOf(dwAlign);
    pBar->SetBarStyle(dwStyle);
    // The layout walks the bars in Z order, the first taking the outermost strip: the
    // bar goes after every other child, inside the bars already placed.
    pBar->SetWindowPos(&wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    ASSERT(pBar != NULL);
    pBar->ShowWindow(bShow ? SW_SHOWNOACTIVATE : SW_HIDE);
    if (bDelay)
        DelayRecalcLayout();
    else
        RecalcLayout();
}

void CFrameWnd::DelayRecalcLayout(BOOL) { m_bLayoutDelayed = TRUE; }

void CFrameWnd::OnIdleUpdateCmdUI()
{
    if (m_bLayoutDelayed)
        RecalcLayout();
    // The message bar starts with the idle message: a top-level frame's bar, not the one
    // a child frame borrows.
    if (m_nIDLastMessage == (UINT)-1 && !(GetStyle() & WS_CHILD) && GetMessageBar() != NULL)
        SetMessageText(AFX_IDS_IDLEMESSAGE);
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* pBar = GetControlBar(nID);
    if (pBar == NULL)
        return FALSE;
    ShowControlBar(pBar, !(pBar->GetStyle() & WS_VISIBLE), FALSE);
    return TRUE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* pBar = GetControlBar(pCmdUI->m_nID);
    if (pBar == NULL)
    {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
}

// The message bar

CWnd* CFrameWnd::GetMessageBar()
{
    if (CWnd* pBar = GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE))
        return pBar;
    // A child frame (an MDI child) shows its messages in its top-level frame's bar.
    CFrameWnd* pTopFrame = (GetStyle() & WS_CHILD) ? GetTopLevelFrame() : NULL;
    return pTopFrame != NULL && pTopFrame != this ? pTopFrame->GetMessageBar() : NULL;
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    rMessage.Empty();
    CString strFull;
    if (strFull.LoadString(nID))
        AfxExtractSubString(rMessage, strFull, 0);
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText) { SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)lpszText); }

void CFrameWnd::SetMessageText(UINT nID) { SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID); }

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT nIDLast = m_nIDLastMessage;
    m_nIDLastMessage = m_nIDTracking = (UINT)wParam;
    if (CWnd* pMessageBar = GetMessageBar())
    {
        CString strMessage;
        if (wParam != 0)
            GetMessageString((UINT)wParam, strMessage);
        else if (lParam != 0)
            strMessage = (LPCTSTR)lParam;
        pMessageBar->SetWindowText(strMessage);
    }
    return nIDLast;
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && hSysMenu == NULL)
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;    // the menu has closed
    else if (nItemID == 0 || (nFlags & (MF_SEPARATOR | MF_POPUP)))
        m_nIDTracking = 0;                      // nothing to say about a popup
    else
        m_nIDTracking = nItemID;
    if (m_nIDTracking != m_nIDLastMessage)
        SetMessageText(m_nIDTracking);
    Default();
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    int nVirtKey = pCmdUI->m_nID == ID_INDICATOR_CAPS ? VK_CAPITAL
                   : pCmdUI->m_nID == ID_INDICATOR_NUM ? VK_NUMLOCK
                                                       : VK_SCROLL;
    pCmdUI->Enable(::GetKeyState(nVirtKey) & 1);
}

// Tool tips

BOOL CFrameWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CWnd::OnNotify(wParam, lParam, pResult))
        return TRUE;
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (pNMHDR != NULL && (pNMHDR->code == TTN_NEEDTEXTA || pNMHDR->code == TTN_NEEDTEXTW))
        return OnToolTipText(0, pNMHDR, pResult);
    return FALSE;
}

BOOL CFrameWnd::OnToolTipText(UINT, NMHDR* pNMHDR, LRESULT* pResult)
{
    BOOL bWide = pNMHDR->code == TTN_NEEDTEXTW;
    TOOLTIPTEXTA* pTTTA = (TOOLTIPTEXTA*)pNMHDR;
    TOOLTIPTEXTW* pTTTW = (TOOLTIPTEXTW*)pNMHDR;
    UINT_PTR nID = pNMHDR->idFrom;
    if ((bWide ? pTTTW->uFlags : pTTTA->uFlags) & TTF_IDISHWND)
        nID = (UINT)::GetDlgCtrlID((HWND)nID);

    CString strTip;
    CString strFull;
    if (nID != 0 && strFull.LoadString((UINT)nID))
        AfxExtractSubString(strTip, strFull, 1);
    // The tip goes into the notification's own buffer, cut to its size.
    if (bWide)
    {
        int nChars = ::MultiByteToWideChar(CP_ACP, 0, strTip, -1, pTTTW->szText, _countof(pTTTW->szText));
        if (nChars == 0)
            pTTTW->szText[_countof(pTTTW->szText) - 1] = L'\0';
        pTTTW->lpszText = pTTTW->szText;
        pTTTW->hinst = NULL;
    }
    else
    {
        ::lstrcpynA(pTTTA->szText, strTip, _countof(pTTTA->szText));
        pTTTA->lpszText = pTTTA->szText;
        pTTTA->hinst = NULL;
    }
    if (pResult != NULL)
        *pResult = 0;
    return TRUE;
}
