// What a window receives from its menus and controls: commands (OnCommand), WM_NOTIFY
// (OnNotify), and the reflection of a control's notifications back to the control's own
// object (ReflectLastMsg, OnChildNotify, ReflectChildNotify). CWnd's message map holds
// the default handlers of the messages that a parent receives about its controls: each
// offers the message to the control first.
#include "afxwin.h"
#include "afxpriv.h"
#include "threadstate.h"

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_NCDESTROY()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_DELETEITEM()
    ON_WM_COMPAREITEM()
    ON_WM_CHARTOITEM()
    ON_WM_VKEYTOITEM()
    ON_WM_CTLCOLOR()
    ON_WM_HSCROLL()
    ON_WM_VSCROLL()
    ON_WM_PARENTNOTIFY()
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

namespace {

BOOL IsCtlColorMessage(UINT message) { return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC; }

// The control a list-box message is about: the control classes are not all complete here.
HWND HandleOf(CListBox* pListBox) { return reinterpret_cast<CWnd*>(pListBox)->GetSafeHwnd(); }

} // namespace

// Commands and notifications

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);
    if (hWndCtrl == NULL)
    {
        // A menu item or an accelerator: a command its route disables is not carried out.
        if (nID == 0)
            return FALSE;
        if (!AfxIsCommandEnabled(this, nID, FALSE))
            return TRUE;
        nCode = CN_COMMAND;
    }
    else
    {
        // None while UpdateData exchanges this window's data: setting a control's
        // value is not the user's doing.
        if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
            return TRUE;
        // A control's notification goes to the control's own map first.
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (pNMHDR == NULL)
        return FALSE;
    if (ReflectLastMsg(pNMHDR->hwndFrom, pResult))
        return TRUE;
    AFX_NOTIFY notify = { pResult, pNMHDR };
    return OnCmdMsg((UINT)(WORD)pNMHDR->idFrom, MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, NULL);
}

// Reflection

BOOL PASCAL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    return pWnd != NULL && pWnd->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // Only this object's own map: reflected messages do not travel a command route.
    switch (message)
    {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
        return CWnd::OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);

    case WM_COMMAND:
        if (!CWnd::OnCmdMsg(0, MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND), NULL, NULL))
            return FALSE;
        if (pResult != NULL)
            *pResult = 1;
        return TRUE;

    case WM_NOTIFY:
    {
        NMHDR* pNMHDR = (NMHDR*)lParam;
        AFX_NOTIFY notify = { pResult, pNMHDR };
        return CWnd::OnCmdMsg(0, MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, NULL);
    }

    default:
        if (IsCtlColorMessage(message))
        {
            AFX_CTLCOLOR ctl = { m_hWnd, (HDC)wParam, message - WM_CTLCOLORMSGBOX };
            return CWnd::OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, 0, (LPARAM)&ctl, pResult);
        }
        return FALSE;
    }
}

// The permanent CMenu object of the menu, or of the submenu of it, that holds the item
// nID; NULL when none does or its menu has no permanent object. Submenus deeper than
// any real menu are not looked into, so that a menu made to hold itself ends the walk.
static CMenu* FindMenuOfItem(HMENU hMenu, UINT nID, int nDepth = 0)
{
    if (hMenu == NULL || nDepth > 32)
        return NULL;
    int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++)
    {
        if (HMENU hSubMenu = ::GetSubMenu(hMenu, i))
        {
            if (CMenu* pMenu = FindMenuOfItem(hSubMenu, nID, nDepth + 1))
                return pMenu;
        }
        else if (::GetMenuItemID(hMenu, i) == nID)
        {
            return CMenu::FromHandlePermanent(hMenu);
        }
    }
    return NULL;
}

// The parent's default handlers

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType == ODT_MENU)
    {
        // The item's menu comes in the message.
        if (CMenu* pMenu = CMenu::FromHandlePermanent((HMENU)lpDrawItemStruct->hwndItem))
        {
            pMenu->DrawItem(lpDrawItemStruct);
            return;
        }
    }
    else if (ReflectLastMsg(lpDrawItemStruct->hwndItem))
    {
        return;
    }
    Default();
}

void CWnd::OnMeasureItem(int, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType == ODT_MENU)
    {
        // Only the item's id comes: it is looked for in the popup being tracked, then in
        // the menu bar of this window's top-level window.
        UINT nID = lpMeasureItemStruct->itemID;
        CMenu* pMenu = FindMenuOfItem(AfxGetThreadState()->m_hTrackingMenu, nID);
        if (pMenu == NULL)
            pMenu = FindMenuOfItem(::GetMenu(AfxGetTopLevelParent(m_hWnd)), nID);
        if (pMenu != NULL)
        {
            pMenu->MeasureItem(lpMeasureItemStruct);
            return;
        }
    }
    else
    {
        // The control has no handle in the message: it is found by its id.
        CWnd* pChild = GetDescendantWindow(lpMeasureItemStruct->CtlID, TRUE);
        if (pChild != NULL && pChild->SendChildNotifyLastMsg())
            return;
    }
    Default();
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    if (ReflectLastMsg(lpDeleteItemStruct->hwndItem))
        return;
    Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    LRESULT lResult;
    if (ReflectLastMsg(lpCompareItemStruct->hwndItem, &lResult))
        return (int)lResult;
    return (int)Default();
}

int CWnd::OnCharToItem(UINT, CListBox* pListBox, UINT)
{
    LRESULT lResult;
    if (ReflectLastMsg(HandleOf(pListBox), &lResult))
        return (int)lResult;
    return (int)Default();
}

int CWnd::OnVKeyToItem(UINT, CListBox* pListBox, UINT)
{
    LRESULT lResult;
    if (ReflectLastMsg(HandleOf(pListBox), &lResult))
        return (int)lResult;
    return (int)Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult;
    if (ReflectLastMsg(pWnd->GetSafeHwnd(), &lResult))
        return (HBRUSH)lResult;
    return (HBRUSH)Default();
}

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (ReflectLastMsg(pScrollBar->GetSafeHwnd()))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (ReflectLastMsg(pScrollBar->GetSafeHwnd()))
        return;
    Default();
}

void CWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    // Creation and destruction of a child name it; clicks carry a point instead.
    if ((LOWORD(message) == WM_CREATE || LOWORD(message) == WM_DESTROY) && ReflectLastMsg((HWND)lParam))
        return;
    Default();
}
