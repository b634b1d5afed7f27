// CBoardMainFrame.
#include "BoardMainFrame.h"
#include "ChoiceBoardApp.h"
#include "ShotRequest.h"
#include "WindowShot.h"
#include "res/resource.h"

#include "ExceptionText.h"

#include <stdio.h>

#include <algorithm>

IMPLEMENT_DYNCREATE(CBoardMainFrame, CResMainFrame)

BEGIN_MESSAGE_MAP(CBoardMainFrame, CResMainFrame)
    ON_WM_INITMENUPOPUP()
    ON_WM_DESTROY()
    ON_COMMAND(ID_EXIT_MENU_PROTECTION, OnExitMenuProtection)
    ON_MESSAGE(WM_COPYDATA, OnCopyData)
    ON_MESSAGE(WM_FOLLOWLINK, OnFollowLink)
    ON_WM_TIMER()
END_MESSAGE_MAP()

namespace {

// Menu protection's clock is timer 1.
const UINT_PTR nFollowTimer = 2;
const UINT nFollowRetryMS = 100;

} // namespace

CBoardMainFrame::CBoardMainFrame() : m_menus(this)
{
    m_strKeepEnabledMenu = CBoardMenus::GetScanningMenuTitle();
}

BOOL CBoardMainFrame::Create()
{
    if (!CResMainFrame::Create(NULL, AfxGetAppName(), WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE))
        return FALSE;
    LoadAccelTable(MAKEINTRESOURCE(IDR_MAINFRAME));
    return TRUE;
}

void CBoardMainFrame::BuildMenus()
{
    m_menus.Register();
    CMenuBar::Install(this);
}

void CBoardMainFrame::FitChild(CWnd* pChild)
{
    CRect rectChild, rectClient, rectWork, rectFrame;
    if (IsZoomed() || IsIconic() || m_hWndMDIClient == NULL ||
        !::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rectWork, 0))
        return;
    pChild->GetWindowRect(&rectChild);
    ::GetClientRect(m_hWndMDIClient, &rectClient);
    ::ScreenToClient(m_hWndMDIClient, &rectChild.BottomRight());
    const int cxGrow = std::max(0, (int)(rectChild.right - rectClient.right));
    const int cyGrow = std::max(0, (int)(rectChild.bottom - rectClient.bottom));
    if (cxGrow == 0 && cyGrow == 0)
        return;
    GetWindowRect(&rectFrame);
    const int cx = std::min(rectFrame.Width() + cxGrow, rectWork.Width());
    const int cy = std::min(rectFrame.Height() + cyGrow, rectWork.Height());
    // Moved back into the work area as far as the new size needs.
    const int x = std::max((int)rectWork.left, std::min((int)rectFrame.left, (int)rectWork.right - cx));
    const int y = std::max((int)rectWork.top, std::min((int)rectFrame.top, (int)rectWork.bottom - cy));
    SetWindowPos(NULL, x, y, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Commands

void CBoardMainFrame::OnUpdateFrameMenu(HMENU) { CMenuBar::Install(this); }

void CBoardMainFrame::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    int nExit = -1;
    if (!bSysMenu && CBoardMenus::IsFileMenu(pPopupMenu, &nExit))
        ShowRecentFiles(pPopupMenu, nExit);
    CResMainFrame::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
}

// The bar's File menu has one separator, ahead of Exit; what lies between them was put
// there here.
void CBoardMainFrame::ShowRecentFiles(CMenu* pFile, int nExit)
{
    int nFirst = 0;
    while (nFirst < nExit && (pFile->GetMenuState(nFirst, MF_BYPOSITION) & MF_SEPARATOR) == 0)
        ++nFirst;
    if (nFirst == nExit)
        return;
    ++nFirst;
    for (; nExit > nFirst; --nExit)
        pFile->DeleteMenu(nFirst, MF_BYPOSITION);
    pFile->InsertMenu(nFirst, MF_BYPOSITION | MF_STRING, ID_FILE_MRU_FILE1, LoadResourceString(IDS_FILE_RECENT));
    pFile->InsertMenu(nFirst + 1, MF_BYPOSITION | MF_SEPARATOR);
}

void CBoardMainFrame::OnDestroy()
{
    ::SetMenu(m_hWnd, NULL);
    CResMainFrame::OnDestroy();
}

// Menu protection

void CBoardMainFrame::Protect()
{
    EnterMenuProtection();
    GetBoardApp().GetLog().Write("protect on");
}

void CBoardMainFrame::ProtectThroughDialogs()
{
    OnMenuProtection();
    if (InMenuProtection())
        GetBoardApp().GetLog().Write("protect on");
}

// The log hears of it first: leaving ends with a message box that waits for the user.
void CBoardMainFrame::OnExitMenuProtection()
{
    if (!InMenuProtection())
        return;
    GetBoardApp().GetLog().Write("protect off");
    ExitMenuProtection();
}

// Pictures

LRESULT CBoardMainFrame::OnCopyData(WPARAM, LPARAM lParam)
{
    const auto* pData = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (pData == NULL || pData->cbData == 0 || pData->lpData == NULL)
        return FALSE;
    const char* pszPath = static_cast<const char*>(pData->lpData);
    if (pszPath[pData->cbData - 1] != '\0')
        return FALSE;
    try
    {
        return WriteShot(pData->dwData, pszPath);
    }
    catch (CException* e)
    {
        fprintf(stderr, "choiceboard: %s\n", (LPCSTR)ExceptionText(e));
        e->Delete();
        return FALSE;
    }
}

BOOL CBoardMainFrame::WriteShot(ULONG_PTR dwRequest, const char* pszPath)
{
    if (dwRequest == dwWindowShotRequest)
        return WriteWindowShot(this, pszPath);
    if (dwRequest != dwShotRequest)
        return FALSE;
    CMDIChildWnd* pBoard = MDIGetActive();
    CView* pView = pBoard != NULL ? pBoard->GetActiveView() : NULL;
    return pView != NULL && WriteClientShot(pView, pszPath);
}

// Board links

LRESULT CBoardMainFrame::OnFollowLink(WPARAM, LPARAM)
{
    FollowLink();
    return 0;
}

void CBoardMainFrame::OnTimer(UINT nIDEvent)
{
    if (nIDEvent != nFollowTimer)
    {
        CResMainFrame::OnTimer(nIDEvent);
        return;
    }
    KillTimer(nFollowTimer);
    FollowLink();
}

void CBoardMainFrame::FollowLink()
{
    try
    {
        if (!GetBoardApp().GetLinks().FollowPending())
            SetTimer(nFollowTimer, nFollowRetryMS, NULL);
    }
    catch (CException* e)
    {
        GetBoardApp().Report(ExceptionText(e));
        e->Delete();
    }
}
