// CWnd operations that take more than one call: window text into a CString, styles,
// the window rectangle around a client rectangle, scroll limits,
// item texts of lists, relatives and descendants, radio buttons, centring, message
// boxes.
#include "afxwin.h"
#include "threadstate.h"
#include "windowtext.h"

void AfxGetWindowText(HWND hWnd, CString& rString)
{
    int nLen = ::GetWindowTextLength(hWnd);
    ::GetWindowText(hWnd, rString.GetBuffer(nLen), nLen + 1);
    rString.ReleaseBuffer();
}

void AfxSetWindowText(HWND hWnd, LPCTSTR lpszNew)
{
    CString strOld;
    AfxGetWindowText(hWnd, strOld);
    if (strOld != lpszNew)
        ::SetWindowText(hWnd, lpszNew);
}

void AfxGetItemText(HWND hWnd, int nIndex, UINT nLenMsg, UINT nTextMsg, CString& rString)
{
    int nLen = (int)::SendMessage(hWnd, nLenMsg, nIndex, 0);
    if (nLen <= 0)
    {
        rString.Empty();
        return;
    }
    nLen = (int)::SendMessage(hWnd, nTextMsg, nIndex, (LPARAM)rString.GetBuffer(nLen));
    rString.ReleaseBuffer(nLen > 0 ? nLen : 0);
}

void CWnd::GetWindowText(CString& rString) const { AfxGetWindowText(m_hWnd, rString); }

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    if (HWND hWnd = ::GetDlgItem(m_hWnd, nID))
        AfxGetWindowText(hWnd, rString);
    return rString.GetLength();
}

namespace {

BOOL ModifyStyleOf(HWND hWnd, int nStyleOffset, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLong(hWnd, nStyleOffset);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLong(hWnd, nStyleOffset, (LONG)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

} // namespace

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleOf(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleOf(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

// Relatives

HWND AfxGetParentOwner(HWND hWnd)
{
    // USER's GetParent gives the owner of a popup, but not of an overlapped window.
    if (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD)
        return ::GetParent(hWnd);
    return ::GetWindow(hWnd, GW_OWNER);
}

HWND AfxGetTopLevelParent(HWND hWnd)
{
    if (hWnd == NULL)
        return NULL;
    while (HWND hWndUp = AfxGetParentOwner(hWnd))
        hWnd = hWndUp;
    return hWnd;
}

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwStyle = GetStyle();
    if (nAdjustType == adjustOutside)
    {
        if (dwStyle & WS_VSCROLL)
            lpClientRect->right += ::GetSystemMetrics(SM_CXVSCROLL);
        if (dwStyle & WS_HSCROLL)
            lpClientRect->bottom += ::GetSystemMetrics(SM_CYHSCROLL);
    }
    ::AdjustWindowRectEx(lpClientRect, dwStyle, FALSE, GetExStyle());
}

int CWnd::GetScrollLimit(int nBar)
{
    SCROLLINFO info;
    if (!GetScrollInfo(nBar, &info, SIF_RANGE | SIF_PAGE))
        return 0;
    int nLimit = info.nPage > 1 ? info.nMax - (int)info.nPage + 1 : info.nMax;
    return nLimit > info.nMin ? nLimit : info.nMin;
}

CWnd* CWnd::GetTopLevelParent() const { return FromHandle(AfxGetTopLevelParent(GetSafeHwnd())); }

CFrameWnd* CWnd::GetParentFrame() const
{
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd != NULL; hWnd = ::GetParent(hWnd))
    {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return static_cast<CFrameWnd*>(pWnd);
    }
    return NULL;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CFrameWnd* pTopFrame = IsKindOf(RUNTIME_CLASS(CFrameWnd))
                               ? static_cast<CFrameWnd*>(const_cast<CWnd*>(this)) : GetParentFrame();
    while (pTopFrame != NULL)
    {
        CFrameWnd* pParent = pTopFrame->GetParentFrame();
        if (pParent == NULL)
            break;
        pTopFrame = pParent;
    }
    return pTopFrame;
}

namespace {

HWND FindDescendant(HWND hWnd, int nID, BOOL bOnlyPerm)
{
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        if (::GetDlgCtrlID(hWndChild) == nID && (!bOnlyPerm || CWnd::FromHandlePermanent(hWndChild) != NULL))
            return hWndChild;
        if (HWND hWndFound = FindDescendant(hWndChild, nID, bOnlyPerm))
            return hWndFound;
    }
    return NULL;
}

void SendToDescendants(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND hWndChild = ::GetTopWindow(hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT))
    {
        if (!bOnlyPerm)
            ::SendMessage(hWndChild, message, wParam, lParam);
        else if (CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild))
            AfxCallWndProc(pWnd, hWndChild, message, wParam, lParam);
        if (bDeep)
            SendToDescendants(hWndChild, message, wParam, lParam, bDeep, bOnlyPerm);
    }
}

} // namespace

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    return FromHandle(FindDescendant(m_hWnd, nID, bOnlyPerm));
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    SendToDescendants(m_hWnd, message, wParam, lParam, bDeep, bOnlyPerm);
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton)
{
    for (int nID = nIDFirstButton; nID <= nIDLastButton; nID++)
    {
        if (::IsDlgButtonChecked(m_hWnd, nID))
            return nID;
    }
    return 0;
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    HWND hWndCenter = pAlternateOwner->GetSafeHwnd();
    if (hWndCenter == NULL)
        hWndCenter = (GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER);
    if (hWndCenter == NULL && AfxGetMainWnd() != this)
        hWndCenter = AfxGetMainWnd()->GetSafeHwnd();

    // In the parent's client coordinates for a child; on the screen otherwise, over the
    // owner unless it is hidden or minimised.
    CRect rectArea;
    CRect rectCenter;
    if (GetStyle() & WS_CHILD)
    {
        HWND hWndParent = ::GetParent(m_hWnd);
        ::GetClientRect(hWndParent, &rectArea);
        if (hWndCenter != NULL && hWndCenter != hWndParent)
        {
            ::GetWindowRect(hWndCenter, &rectCenter);
            ::MapWindowPoints(NULL, hWndParent, (LPPOINT)&rectCenter, 2);
        }
        else
        {
            rectCenter = rectArea;
        }
    }
    else
    {
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &rectArea, 0);
        if (hWndCenter != NULL && ::IsWindowVisible(hWndCenter) && !::IsIconic(hWndCenter))
            ::GetWindowRect(hWndCenter, &rectCenter);
        else
            rectCenter = rectArea;
    }

    CRect rectWindow;
    GetWindowRect(&rectWindow);
    int x = (rectCenter.left + rectCenter.right - rectWindow.Width()) / 2;
    int y = (rectCenter.top + rectCenter.bottom - rectWindow.Height()) / 2;
    if (x + rectWindow.Width() > rectArea.right)
        x = rectArea.right - rectWindow.Width();
    if (x < rectArea.left)
        x = rectArea.left;
    if (y + rectWindow.Height() > rectArea.bottom)
        y = rectArea.bottom - rectWindow.Height();
    if (y < rectArea.top)
        y = rectArea.top;
    ::SetWindowPos(m_hWnd, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    if (lpszCaption == NULL)
        lpszCaption = AfxGetAppName();
    return ::MessageBox(m_hWnd, lpszText, lpszCaption, nType);
}
