// CResMainFrame's menu protection, and the menu loop that pauses switch scanning.
#include "limn/app/MenuProtectionDlg.h"
#include "limn/app/LimnModule.h"
#include "limn/app/ResMainFrame.h"
#include "limn/containers/Container.h"
#include "limn/res/resource.h"
#include "limn/scanning/ContainerHooks.h"

#include "hoard/runtime/MappedString.h"

#include <mbstring.h>

namespace {

const UINT_PTR nProtectionTimer = 1;
const UINT nProtectionMS = 500;
const char szLeavingKey[] = "ID_LEAVINGMENUPROT";

// The system commands refused under protection. The low four bits of a command are the
// system's own (the border being dragged, a click on the caption), so they are masked
// off before comparing.
BOOL IsRefusedSysCommand(WPARAM wParam)
{
    switch (wParam & 0xFFF0)
    {
    case SC_SIZE:
    case SC_MINIMIZE:
    case SC_MAXIMIZE:
    case SC_CLOSE:
    case SC_RESTORE:
    case SC_TASKLIST:
    case SC_SCREENSAVE:
    case SC_DEFAULT:
    case SC_CONTEXTHELP:
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL IsRefusedUnderProtection(UINT message, WPARAM wParam)
{
    switch (message)
    {
    case WM_CLOSE:
    case WM_DESTROY:
    case WM_QUIT:
        return TRUE;
    case WM_SYSCOMMAND:
        return IsRefusedSysCommand(wParam);
    default:
        return FALSE;
    }
}

// Exact, in the multibyte code page.
BOOL IsSameTitle(const CString& str1, const CString& str2)
{
    return _mbscmp(reinterpret_cast<const unsigned char*>((LPCSTR)str1),
                   reinterpret_cast<const unsigned char*>((LPCSTR)str2)) == 0;
}

// The application's text for leaving protection, or limn's own when its string map
// has none.
CString LeavingProtectionText()
{
    const char* pszMapped = CMappedString(szLeavingKey);
    if (strcmp(pszMapped, szLeavingKey) != 0)
        return pszMapped;
    CString strText;
    strText.LoadString(LimnResourceHandle(), IDS_LEAVING_MENU_PROTECTION);
    return strText;
}

} // namespace

// The menu loop is followed under protection too: the kept menu pauses scanning as any
// menu does, and a loop that began before protection and ended under it would
// otherwise hold scanning for good.
LRESULT CResMainFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_bMenuProtection && IsRefusedUnderProtection(message, wParam))
        return 0;
    if (message == WM_ENTERMENULOOP || message == WM_EXITMENULOOP)
    {
        m_bInMenuLoop = message == WM_ENTERMENULOOP;
        CContainer::SetHotKeyHit(0);
    }
    return CMDIFrameWnd::WindowProc(message, wParam, lParam);
}

void CResMainFrame::OnMenuProtection()
{
    CWinThread* pThread = AfxGetThread();
    CWnd* pParent = pThread != NULL ? pThread->GetMainWnd() : NULL;
    if (CMenuProtectionDlg(IDD_MENU_PROTECTION, pParent).DoModal() != IDOK)
        return;
    if (CMenuProtectionDlg(IDD_MENU_PROTECTION_REMINDER, pParent).DoModal() != IDOK)
        return;
    EnterMenuProtection();
}

void CResMainFrame::ShowTaskbar(BOOL bShow)
{
    if (HWND hTaskbar = ::FindWindowA("Shell_TrayWnd", ""))
        ::ShowWindow(hTaskbar, bShow ? SW_SHOW : SW_HIDE);
}

void CResMainFrame::EnterMenuProtection()
{
    ShowTaskbar(FALSE);
    ShowWindow(SW_SHOWMAXIMIZED);

    if (CMenu* pSysMenu = GetSystemMenu(FALSE))
    {
        for (UINT i = 0; i < pSysMenu->GetMenuItemCount(); i++)
            pSysMenu->EnableMenuItem(i, MF_BYPOSITION | MF_DISABLED | MF_GRAYED);
    }
    if (CMDIChildWnd* pChild = MDIGetActive())
        ::SendMessage(m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)pChild->m_hWnd, 0);
    if (CMenu* pMenu = GetMenu())
    {
        for (UINT i = 0; i < pMenu->GetMenuItemCount(); i++)
        {
            CString strTitle;
            pMenu->GetMenuString(i, strTitle, MF_BYPOSITION);
            if (!IsSameTitle(strTitle, m_strKeepEnabledMenu))
                pMenu->EnableMenuItem(i, MF_BYPOSITION | MF_DISABLED | MF_GRAYED);
        }
    }
    DrawMenuBar();
    m_bMenuProtection = TRUE;
    SetTimer(nProtectionTimer, nProtectionMS, NULL);
}

void CResMainFrame::ExitMenuProtection()
{
    ShowTaskbar(TRUE);
    GetSystemMenu(TRUE);
    if (CMenu* pMenu = GetMenu())
    {
        for (UINT i = 0; i < pMenu->GetMenuItemCount(); i++)
            pMenu->EnableMenuItem(i, MF_BYPOSITION | MF_ENABLED);
    }
    DrawMenuBar();
    m_bMenuProtection = FALSE;
    KillTimer(nProtectionTimer);
    AfxMessageBox(LeavingProtectionText(), MB_OK);
}
