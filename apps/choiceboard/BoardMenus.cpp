// CBoardMenus.
#include "BoardMenus.h"
#include "BoardMainFrame.h"
#include "ChoiceBoardApp.h"
#include "res/resource.h"

#include <afxpriv.h>

#include "limn/scanning/ContainerHooks.h"
#include "limn/scanning/ScanningPrefs.h"

void CBoardMenus::AddCommandItem(UINT nMenu, UINT nItem, UINT nCommand)
{
    CMenuItemState state(LoadResourceString(nItem), TRUE, FALSE, TRUE, nCommand);
    AddMenuItem(LoadResourceString(nMenu), state, &CBoardMenus::RunCommand, &CBoardMenus::IsCommandEnabled);
}

void CBoardMenus::Register()
{
    AddCommandItem(IDS_MENU_FILE, IDS_FILE_NEW, ID_FILE_NEW);
    AddCommandItem(IDS_MENU_FILE, IDS_FILE_OPEN, ID_FILE_OPEN);
    AddCommandItem(IDS_MENU_FILE, IDS_FILE_CLOSE, ID_FILE_CLOSE);
    AddCommandItem(IDS_MENU_FILE, IDS_FILE_SAVE, ID_FILE_SAVE);
    AddCommandItem(IDS_MENU_FILE, IDS_FILE_SAVE_AS, ID_FILE_SAVE_AS);
    AddCommandItem(IDS_MENU_FILE, IDS_FILE_PRINT, ID_FILE_PRINT);
    AddMenuSeparator(LoadResourceString(IDS_MENU_FILE));
    AddCommandItem(IDS_MENU_FILE, IDS_FILE_EXIT, ID_APP_EXIT);

    AddCommandItem(IDS_MENU_EDIT, IDS_EDIT_PASTE, ID_EDIT_PASTE);
    AddCommandItem(IDS_MENU_EDIT, IDS_EDIT_RESOURCES, ID_EDIT_RESOURCES);

    const CString strScanning = LoadResourceString(IDS_MENU_SCANNING);
    CMenuItemState prefs(LoadResourceString(IDS_SCANNING_PREFS));
    AddMenuItem(strScanning, prefs, &CBoardMenus::OnScanningPrefs);
    CMenuItemState dedicated(LoadResourceString(IDS_DEDICATED_SCANNING));
    AddMenuItem(strScanning, dedicated, &CBoardMenus::OnDedicatedScanning);
    CMenuItemState timing(LoadResourceString(IDS_SWITCH_TIMING));
    AddMenuItem(strScanning, timing, &CBoardMenus::OnSwitchTiming);

    CMenuItemState protection(LoadResourceString(IDS_MENU_PROTECTION));
    AddMenuItem(LoadResourceString(IDS_MENU_OPTIONS), protection, &CBoardMenus::OnMenuProtection);
}

BOOL CBoardMenus::IsFileMenu(CMenu* pPopup, int* pnExit)
{
    const CString strFile = LoadResourceString(IDS_MENU_FILE);
    const CMenuBar& bar = CMenuBar::GetMenuBar();
    const CMenuItemMenu* pFile = NULL;
    for (POSITION pos = bar.GetHeadPosition(); pos != NULL && pFile == NULL;)
    {
        const CMenuItemMenu* pMenu = bar.GetNext(pos);
        if (pMenu->m_strName == strFile)
            pFile = pMenu;
    }
    if (pFile == NULL || pFile->m_menu.m_hMenu != pPopup->m_hMenu)
        return FALSE;
    const CMenuItem* pExit = pFile->GetItem(LoadResourceString(IDS_FILE_EXIT));
    *pnExit = -1;
    for (int i = 0; pExit != NULL && i < (int)pPopup->GetMenuItemCount(); ++i)
    {
        if (pPopup->GetMenuItemID(i) == pExit->m_nID)
            *pnExit = i;
    }
    return *pnExit >= 0;
}

CString CBoardMenus::GetScanningMenuTitle() { return LoadResourceString(IDS_MENU_SCANNING); }

void CBoardMenus::RunCommand(const CMenuItemState& state)
{
    m_pFrame->SendMessage(WM_COMMAND, state.m_dwData);
}

int CBoardMenus::IsCommandEnabled(CMenuItemState& state)
{
    return AfxIsCommandEnabled(m_pFrame, (UINT)state.m_dwData, TRUE);
}

void CBoardMenus::OnScanningPrefs(const CMenuItemState&) { gScanningPrefs.OnEditPrefs(); }

void CBoardMenus::OnDedicatedScanning(const CMenuItemState&) { ::OnDedicatedScanning(); }

void CBoardMenus::OnSwitchTiming(const CMenuItemState&) { gScanningPrefs.OnEditSwitchTiming(); }

void CBoardMenus::OnMenuProtection(const CMenuItemState&) { m_pFrame->ProtectThroughDialogs(); }
