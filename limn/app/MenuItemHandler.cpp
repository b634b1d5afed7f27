// CMenuItemHandler: registering items on the process's menu bar.
#include "limn/app/MenuItemHandler.h"
#include "limn/app/MenuBar.h"

CMenuItemHandler::~CMenuItemHandler() { CMenuBar::GetMenuBar().RemoveHandler(this); }

void CMenuItemHandler::OnSelect(const char*, const char*) {}

void CMenuItemHandler::_AddMenuItem(const char* pszMenu, CMenuItemState& state, MenuCommandProc pfnCommand,
                                    MenuEnableProc pfnEnable)
{
    CMenuBar& bar = CMenuBar::GetMenuBar();
    bar.AddItem(pszMenu, state, MenuItemHandler{ this, pfnCommand, pfnEnable });
    bar.UpdateMenus();
}

void CMenuItemHandler::AddMenuSeparator(const char* pszMenu)
{
    CMenuItemState state("-", TRUE, FALSE, TRUE, 0);
    _AddMenuItem(pszMenu, state, nullptr, nullptr);
}
