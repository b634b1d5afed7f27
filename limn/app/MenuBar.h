// CMenuBar: the main window's menu bar, built at run time from the items that objects
// register (MenuItemHandler.h). Items are grouped into top-level menus by menu name, in
// the order of their first registration; every registration rebuilds the whole bar and
// hands the command identifiers out afresh, from 1000 on. There is one bar per process,
// a static object of limn; it only grows, and goes when the library unloads.
//
// The identifiers of WM_COMMAND messages go to OnCommand, which runs every handler
// registered for the item that carries the identifier; EnableMenuItems consults the
// enable functions of the items of a menu about to open. CResMainFrame does both; a
// main window of another class calls them itself.
#pragma once

#include "limn/app/MenuItemHandler.h"

#include <vector>

// One item: the state it was first registered with and every registration of it.
class LIMN_API CMenuItem
{
public:
    explicit CMenuItem(const CMenuItemState& state) : m_state(state), m_handlers(10), m_nID(0) {}

    // The registrations whose command function the item's command runs, in order; the
    // list can change during any of the calls.
    void RunCommand();
    // Whether the item can be chosen: any enable function that answers non-zero, the
    // state's m_bEnabled while none answers.
    BOOL AskEnabled();

    CMenuItemState m_state;
    CList<MenuItemHandler, const MenuItemHandler&> m_handlers;
    UINT m_nID;     // given at the last rebuild that put the item in its menu; 0 before

private:
    std::vector<MenuItemHandler> TakeRecords() const;
};

// One top-level menu: its items in the order of their first registration.
class LIMN_API CMenuItemMenu : public CList<CMenuItem*, CMenuItem*>
{
public:
    explicit CMenuItemMenu(const char* pszName) : CList<CMenuItem*, CMenuItem*>(10), m_strName(pszName) {}
    // Deletes the items; the pop-up goes with the bar it is in.
    ~CMenuItemMenu() override;

    // The item of exactly that text, or NULL.
    CMenuItem* GetItem(const char* pszName) const;

    CString m_strName;      // the title, and the key (compared exactly)
    CMenu m_menu;           // the pop-up as last built
};

class LIMN_API CMenuBar : public CList<CMenuItemMenu*, CMenuItemMenu*>
{
public:
    CMenuBar() : CList<CMenuItemMenu*, CMenuItemMenu*>(10) {}
    // Deletes the menus and destroys the Windows menu.
    ~CMenuBar() override;
    CMenuBar(const CMenuBar&) = delete;
    CMenuBar& operator=(const CMenuBar&) = delete;

    // The bar of the process.
    static CMenuBar& GetMenuBar() { return s_menuBar; }

    // Rebuilds the Windows menu from the lists, numbering the items shown from 1000, and
    // puts it on the thread's main window when there is one. Items left out keep the
    // identifier an earlier rebuild gave them.
    void UpdateMenus();
    // Puts the bar's menu (none before the first registration) on pWnd's window.
    static void Install(CWnd* pWnd);
    // Runs the handlers of every item whose identifier is nID; TRUE when some item has it.
    static int OnCommand(DWORD nID);
    // When pPopup is one of the bar's menus: enables or greys each item that it shows as
    // its enable functions answer (CMenuItem::AskEnabled), checks it as its state says,
    // and returns TRUE. Any other menu is left alone (FALSE).
    static BOOL EnableMenuItems(CMenu* pPopup);

    // Kept for applications: the bar neither sets nor reads it.
    static CWnd* m_pWnd;

    CMenu m_menu;   // the Windows menu bar built last

private:
    friend class CMenuItemHandler;

    // The top-level menu of exactly that name, or NULL.
    CMenuItemMenu* GetMenu(const char* pszName) const;
    // Finds or makes the item and adds the registration.
    void AddItem(const char* pszMenu, const CMenuItemState& state, const MenuItemHandler& handler);
    // Takes every registration of pHandler off the items.
    void RemoveHandler(const CMenuItemHandler* pHandler);
    int DoOnCommand(DWORD nID);
    // Destroys the Windows menus: the bar, and with it the pop-ups in it.
    void DestroyMenus();

    static CMenuBar s_menuBar;
    static UINT s_nNextID;
};
