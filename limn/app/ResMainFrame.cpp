// CResMainFrame: palette handling, activation, low memory, the menu loop and the menu
// bar's enabling. Menu protection is in MenuProtection.cpp.
#include "limn/app/ResMainFrame.h"
#include "limn/app/MenuBar.h"
#include "limn/app/MsgAppActivate.h"
#include "limn/app/ResView.h"
#include "limn/canvas/SharedPalette.h"
#include "limn/containers/Container.h"
#include "limn/scanning/ContainerHooks.h"

#include "hoard/runtime/Freeable.h"

IMPLEMENT_DYNCREATE(CResMainFrame, CMDIFrameWnd)

BOOL CResMainFrame::m_bForeground = FALSE;
BOOL CResMainFrame::m_bMenuProtection = FALSE;

MsgAppActivate::~MsgAppActivate() = default;

BEGIN_MESSAGE_MAP(CResMainFrame, CMDIFrameWnd)
    ON_WM_QUERYNEWPALETTE()
    ON_WM_PALETTECHANGED()
    ON_WM_ACTIVATE()
    ON_WM_COMPACTING()
    ON_WM_ACTIVATEAPP()
    ON_WM_TIMER()
    ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

CResMainFrame::CResMainFrame() = default;

CResMainFrame::~CResMainFrame()
{
    if (m_bMenuProtection)
    {
        m_bMenuProtection = FALSE;
        ShowTaskbar(TRUE);
    }
}

// Palette

BOOL CResMainFrame::OnQueryNewPalette()
{
    CPalette* pPalette = GetSharedPalette();
    if (pPalette == NULL)
        return FALSE;
    CWindowDC dc(this);
    CPalette* pOld = dc.SelectPalette(pPalette, FALSE);
    UINT nChanged = dc.RealizePalette();
    if (pOld != NULL)
        dc.SelectPalette(pOld, FALSE);
    dc.RealizePalette();
    if (nChanged != 0)
        InvalidateAllViews();
    return nChanged != 0;
}

void CResMainFrame::OnPaletteChanged(CWnd* pFocusWnd)
{
    if (pFocusWnd == NULL || pFocusWnd->m_hWnd != m_hWnd)
        SetNewPalette(m_bForeground);
}

BOOL CResMainFrame::SetNewPalette(BOOL bForeground)
{
    CPalette* pPalette = GetSharedPalette();
    if (pPalette == NULL)
        return FALSE;

    // Every entry black and not collapsed: realizing it empties the system palette.
    LOGPALETTE256 black = {};
    black.palVersion = 0x300;
    black.palNumEntries = 256;
    for (PALETTEENTRY& entry : black.palPalEntry)
        entry.peFlags = PC_NOCOLLAPSE;
    HPALETTE hBlack = ::CreatePalette(black);
    if (hBlack != NULL)
    {
        HDC hScreen = ::GetDC(NULL);
        HPALETTE hOld = ::SelectPalette(hScreen, hBlack, FALSE);
        ::RealizePalette(hScreen);
        ::SelectPalette(hScreen, hOld, FALSE);
        ::ReleaseDC(NULL, hScreen);
        ::DeleteObject(hBlack);
    }

    CWindowDC dc(this);
    CPalette* pOld = dc.SelectPalette(pPalette, !bForeground);
    if (pOld == NULL)
        return FALSE;
    if (dc.RealizePalette() != 0)
        InvalidateAllViews();
    dc.SelectPalette(pOld, FALSE);
    dc.RealizePalette();
    return TRUE;
}

void CResMainFrame::InvalidateAllViews()
{
    const auto& views = CResView::GetViewList();
    for (POSITION pos = views.GetHeadPosition(); pos != NULL;)
    {
        CResView* pView = views.GetNext(pos);
        if (pView->m_hWnd != NULL)
            pView->Invalidate(TRUE);
    }
}

// Activation, memory, the clock of protection

void CResMainFrame::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    m_bForeground = nState != WA_INACTIVE;
    SetNewPalette(m_bForeground);
    CMDIFrameWnd::OnActivate(nState, pWndOther, bMinimized);
}

void CResMainFrame::OnActivateApp(BOOL bActive, HTASK hTask)
{
    if (!bActive && m_bMenuProtection)
    {
        SetForegroundWindow();
        return;
    }
    CMDIFrameWnd::OnActivateApp(bActive, hTask);
    MsgAppActivate(bActive).Broadcast();
}

void CResMainFrame::OnCompacting(UINT nCpuTime)
{
    CMDIFrameWnd::OnCompacting(nCpuTime);
    CFreeable::FreeSomeMemory(FALSE);
}

void CResMainFrame::OnTimer(UINT nIDEvent)
{
    if (m_bMenuProtection)
        SetForegroundWindow();
    CMDIFrameWnd::OnTimer(nIDEvent);
}

// Menus

// A control's notification (lParam its window) is not a menu command.
BOOL CResMainFrame::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam == 0 && CMenuBar::OnCommand(LOWORD(wParam)))
        return TRUE;
    return CMDIFrameWnd::OnCommand(wParam, lParam);
}

void CResMainFrame::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CMDIFrameWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (!bSysMenu)
        CMenuBar::EnableMenuItems(pPopupMenu);
}
