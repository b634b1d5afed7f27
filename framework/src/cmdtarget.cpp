// CCmdTarget: the root message map, command routing through OnCmdMsg with dispatch by
// handler signature, the wait cursor; and CCmdUI, the state of a command's menu item or
// control, with the update of every item of an opening popup menu.
#include "afxwin.h"
#include "afxpriv.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, 0, AfxSig_end, (AFX_PMSG)0 } };
    static const AFX_MSGMAP map = { NULL, entries };
    return &map;
}

const AFX_MSGMAP_ENTRY* AFXAPI AfxFindMessageEntry(const AFX_MSGMAP_ENTRY* lpEntry, UINT nMsg,
                                                   UINT nCode, UINT nID)
{
    for (; lpEntry->nSig != AfxSig_end; lpEntry++)
    {
        if (lpEntry->nMessage == nMsg && lpEntry->nCode == nCode && nID >= lpEntry->nID
            && nID <= lpEntry->nLastID)
            return lpEntry;
    }
    return NULL;
}

namespace {

// Calls the command handler pfn of signature nSig; the result says whether the command
// was handled.
BOOL DispatchCmdMsg(CCmdTarget* pTarget, UINT nID, int nCode, AFX_PMSG pfn, void* pExtra,
                    UINT_PTR nSig)
{
    switch (nSig)
    {
    case AfxSigCmd_v:
        (pTarget->*pfn)();
        return TRUE;

    case AfxSigCmd_b:
        return (pTarget->*AfxMemberCast<BOOL (CCmdTarget::*)()>(pfn))();

    case AfxSigCmd_RANGE:
        (pTarget->*AfxMemberCast<void (CCmdTarget::*)(UINT)>(pfn))(nID);
        return TRUE;

    case AfxSigCmd_EX:
        return (pTarget->*AfxMemberCast<BOOL (CCmdTarget::*)(UINT)>(pfn))(nID);

    case AfxSigCmdUI:
    {
        // Only the update request carries a CCmdUI; the handler may pass it on.
        if (nCode != (int)CN_UPDATE_COMMAND_UI || pExtra == NULL)
            return FALSE;
        CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
        pCmdUI->m_bContinueRouting = FALSE;
        (pTarget->*AfxMemberCast<void (CCmdTarget::*)(CCmdUI*)>(pfn))(pCmdUI);
        BOOL bHandled = !pCmdUI->m_bContinueRouting;
        pCmdUI->m_bContinueRouting = FALSE;
        return bHandled;
    }

    case AfxSigNotify_v:
    case AfxSigNotify_b:
    case AfxSigNotify_RANGE:
    {
        if (pExtra == NULL)
            return FALSE;
        AFX_NOTIFY* pNotify = static_cast<AFX_NOTIFY*>(pExtra);
        LRESULT lDummy = 0;
        LRESULT* pResult = pNotify->pResult != NULL ? pNotify->pResult : &lDummy;
        if (nSig == AfxSigNotify_b)
            return (pTarget->*AfxMemberCast<BOOL (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR, pResult);
        if (nSig == AfxSigNotify_RANGE)
            (pTarget->*AfxMemberCast<void (CCmdTarget::*)(UINT, NMHDR*, LRESULT*)>(pfn))(nID, pNotify->pNMHDR, pResult);
        else
            (pTarget->*AfxMemberCast<void (CCmdTarget::*)(NMHDR*, LRESULT*)>(pfn))(pNotify->pNMHDR, pResult);
        return TRUE;
    }

    default:
        // A window-message signature in a command entry: the map is wrong, not the input.
        ASSERT(FALSE);
        return FALSE;
    }
}

} // namespace

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The message that carried the command is in the high word, except for updates.
    UINT nMsg = 0;
    if ((UINT)nCode != CN_UPDATE_COMMAND_UI)
    {
        nMsg = HIWORD(nCode);
        nCode = LOWORD(nCode);
    }
    if (nMsg == 0)
        nMsg = WM_COMMAND;

    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL;
         pMap = pMap->pfnGetBaseMap != NULL ? pMap->pfnGetBaseMap() : NULL)
    {
        const AFX_MSGMAP_ENTRY* lpEntry = AfxFindMessageEntry(pMap->lpEntries, nMsg, (UINT)nCode, nID);
        if (lpEntry == NULL)
            continue;
        if (pHandlerInfo != NULL)
        {
            pHandlerInfo->pTarget = this;
            pHandlerInfo->pmf = lpEntry->pfn;
            return TRUE;
        }
        return DispatchCmdMsg(this, nID, nCode, lpEntry->pfn, pExtra, lpEntry->nSig);
    }
    return FALSE;
}

// The wait cursor belongs to the application; without one there is none to show.

void CCmdTarget::BeginWaitCursor()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(1);
}

void CCmdTarget::EndWaitCursor()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(-1);
}

void CCmdTarget::RestoreWaitCursor()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(0);
}

// CCmdUI

CCmdUI::CCmdUI()
    : m_nID(0), m_nIndex(0), m_pMenu(NULL), m_pSubMenu(NULL), m_pOther(NULL),
      m_bEnableChanged(FALSE), m_bContinueRouting(FALSE), m_nIndexMax(0), m_pParentMenu(NULL)
{
}

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu != NULL)
    {
        // A popup is not changed through the command of its first item.
        if (m_pSubMenu != NULL)
            return;
        m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : MF_DISABLED | MF_GRAYED));
    }
    else if (m_pOther != NULL)
    {
        // A control losing its enabled state gives the focus to the next one first.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd)
        {
            if (HWND hWndParent = ::GetParent(m_pOther->m_hWnd))
                ::SendMessage(hWndParent, WM_NEXTDLGCTL, 0, FALSE);
        }
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu != NULL)
    {
        if (m_pSubMenu != NULL)
            return;
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    }
    else if (m_pOther != NULL)
    {
        // Only buttons have a check state.
        if (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON)
            m_pOther->SendMessage(BM_SETCHECK, nCheck);
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu != NULL && m_pSubMenu == NULL)
    {
        // A radio item shows a bullet instead of a check mark.
        MENUITEMINFO mii = {};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_FTYPE;
        if (m_pMenu->GetMenuItemInfo(m_nIndex, &mii, TRUE))
        {
            mii.fType |= MFT_RADIOCHECK;
            m_pMenu->SetMenuItemInfo(m_nIndex, &mii, TRUE);
        }
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_pMenu != NULL)
    {
        if (m_pSubMenu != NULL)
            return;
        // The item keeps its state; only its text changes.
        UINT nState = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION)
                      & (MF_CHECKED | MF_DISABLED | MF_GRAYED | MF_MENUBARBREAK | MF_MENUBREAK);
        m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | nState, m_nID, lpszText);
    }
    else if (m_pOther != NULL)
    {
        // Setting the same text again would only make the control flicker.
        CString strOld;
        m_pOther->GetWindowText(strOld);
        if (strOld != lpszText)
            m_pOther->SetWindowText(lpszText);
    }
}

namespace {

// Whether the window of pWnd (NULL: none) is gone since its handle was hWnd.
BOOL IsWindowGone(CWnd* pWnd, HWND hWnd)
{
    return hWnd != NULL && CWnd::FromHandlePermanent(hWnd) != pWnd;
}

} // namespace

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    ASSERT(pTarget != NULL);
    m_bEnableChanged = FALSE;
    // A handler may destroy the target's window or the item's: neither is asked again.
    CWnd* pWndTarget = dynamic_cast<CWnd*>(pTarget);
    HWND hWndTarget = pWndTarget != NULL ? pWndTarget->m_hWnd : NULL;
    CWnd* pWndOther = m_pOther;
    HWND hWndOther = pWndOther != NULL ? pWndOther->m_hWnd : NULL;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, NULL);
    if (IsWindowGone(pWndTarget, hWndTarget) || IsWindowGone(pWndOther, hWndOther))
        return bResult;
    if (bDisableIfNoHndler && !m_bEnableChanged)
    {
        AFX_CMDHANDLERINFO info = { NULL, NULL };
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return bResult;
}

namespace {

// Records whether a command's route enables it, changing nothing.
class CTestCmdUI : public CCmdUI
{
public:
    BOOL m_bEnabled = TRUE;

    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
};

} // namespace

BOOL AFXAPI AfxIsCommandEnabled(CCmdTarget* pTarget, UINT nID, BOOL bDisableIfNoHndler)
{
    CTestCmdUI state;
    state.m_nID = nID;
    state.DoUpdate(pTarget, bDisableIfNoHndler);
    return state.m_bEnabled;
}

void AFXAPI AfxUpdateMenuPopup(CMenu* pMenu, CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    CCmdUI state;
    state.m_pMenu = pMenu;
    state.m_nIndexMax = pMenu->GetMenuItemCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        state.m_nID = pMenu->GetMenuItemID(state.m_nIndex);
        // Separators have no command, and popups are left as they are.
        if (state.m_nID == 0 || state.m_nID == (UINT)-1)
            continue;
        // The system's commands are not the application's to disable.
        state.DoUpdate(pTarget, bDisableIfNoHndler && state.m_nID < 0xF000);

        // A handler may have added or removed items: go on after the item just updated,
        // or, when it is gone, with the item now at its place (the unsigned index wraps
        // to the start at 0).
        UINT nCount = pMenu->GetMenuItemCount();
        if (nCount != state.m_nIndexMax)
        {
            UINT nFound = 0;
            while (nFound < nCount && pMenu->GetMenuItemID(nFound) != state.m_nID)
                nFound++;
            state.m_nIndex = nFound < nCount ? nFound : (state.m_nIndex < nCount ? state.m_nIndex : nCount) - 1;
        }
        state.m_nIndexMax = nCount;
    }
}
