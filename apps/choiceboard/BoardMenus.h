// CBoardMenus: the items the choice board puts on limn's menu bar, and what they do.
//
//   File      New, Open..., Close, Save, Save As..., Print..., the recent files, Exit
//   Edit      Paste, Edit Resources...
//   Scanning  Preferences..., Dedicated Scanning..., Switch Timing...
//   Options   Menu Protection...
//
// Most items run a command of the framework's document/view (ID_FILE_NEW ...) through
// the main frame, so that the active board, its document or the application does the
// work, and are enabled when that command is: when something on the frame's command
// route handles it and, where it has an update handler, that handler enables it. The
// recent files are not the bar's: the main frame shows them in the File menu as the
// framework keeps them.
#pragma once

#include "limn/app/MenuBar.h"

class CBoardMainFrame;

class CBoardMenus : public CMenuItemHandler
{
public:
    explicit CBoardMenus(CBoardMainFrame* pFrame) : m_pFrame(pFrame) {}
    ~CBoardMenus() = default;

    // Registers every item; the bar goes on the thread's main window.
    void Register();
    // Whether pPopup is the File menu as the bar built it last; the position of its
    // Exit item in *pnExit.
    static BOOL IsFileMenu(CMenu* pPopup, int* pnExit);
    // The titles of the menus.
    static CString GetScanningMenuTitle();

private:
    // Registers an item that runs the framework's command nCommand.
    void AddCommandItem(UINT nMenu, UINT nItem, UINT nCommand);

    // The item's m_dwData is the command id.
    void RunCommand(const CMenuItemState& state);
    int IsCommandEnabled(CMenuItemState& state);
    void OnScanningPrefs(const CMenuItemState& state);
    void OnDedicatedScanning(const CMenuItemState& state);
    void OnSwitchTiming(const CMenuItemState& state);
    void OnMenuProtection(const CMenuItemState& state);

    CBoardMainFrame* m_pFrame;
};
