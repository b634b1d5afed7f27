// The objects that put items on the menu bar (MenuBar.h): CMenuItemHandler, the base of
// every object that registers items with two of its member functions, one that runs the
// command and one that says whether the item is enabled; CMenuItemState, the text and
// the four values an item is registered with; and MenuItemHandler, one registration.
#pragma once

#include "limn/limn_api.h"

#include <type_traits>

class CMenuItemHandler;

// An item as it is registered. The text "-" makes the item a separator.
class LIMN_API CMenuItemState
{
public:
    explicit CMenuItemState(const char* pszName, BOOL bEnabled = TRUE, BOOL bChecked = FALSE, BOOL bInMenu = TRUE,
                            DWORD dwData = 0)
        : m_strName(pszName), m_bEnabled(bEnabled), m_bChecked(bChecked), m_bInMenu(bInMenu), m_dwData(dwData)
    {
    }

    // The item's text, and its key within its menu (compared exactly).
    CString m_strName;
    // Whether the item can be chosen while no enable function of it answers; an enable
    // function may change it for its own later calls.
    BOOL m_bEnabled;
    // Whether the item shows a check mark; enable functions may set it.
    BOOL m_bChecked;
    // Whether the item is put into its menu at all.
    BOOL m_bInMenu;
    // The registrant's own value, which the library never reads.
    DWORD m_dwData;
};

// The command member function, and the enable member function: non-zero when the item
// can be chosen.
typedef void (CMenuItemHandler::*MenuCommandProc)(const CMenuItemState& state);
typedef int (CMenuItemHandler::*MenuEnableProc)(CMenuItemState& state);

// One registration of an item. A member-function pointer of a class derived from
// CMenuItemHandler, in any way, keeps the adjustment that takes the handler object back
// to that class, so that the call lands on the object registered.
struct LIMN_API MenuItemHandler
{
    CMenuItemHandler* m_pHandler;
    MenuCommandProc m_pfnCommand;   // NULL for none, as a separator has
    MenuEnableProc m_pfnEnable;     // NULL for none

    BOOL operator==(const MenuItemHandler& other) const
    {
        return m_pHandler == other.m_pHandler && m_pfnCommand == other.m_pfnCommand &&
               m_pfnEnable == other.m_pfnEnable;
    }
};

class LIMN_API CMenuItemHandler
{
public:
    CMenuItemHandler() = default;
    // Registrations belong to the object, not to its value.
    CMenuItemHandler(const CMenuItemHandler&) {}
    CMenuItemHandler& operator=(const CMenuItemHandler&) { return *this; }

    // Has no effect.
    static void OnSelect(const char* pszMenu, const char* pszItem);

protected:
    // Takes this object's registrations off the bar: its items stay, and their commands
    // no longer reach it.
    ~CMenuItemHandler();

    // Registers an item of the menu named pszMenu and rebuilds the bar. A second
    // registration of the same text in the same menu adds this handler to the item that
    // is there, whose state stays as it was first registered.
    void _AddMenuItem(const char* pszMenu, CMenuItemState& state, MenuCommandProc pfnCommand,
                      MenuEnableProc pfnEnable);
    // The same with member functions of the registering class itself.
    template <class T>
    void AddMenuItem(const char* pszMenu, CMenuItemState& state, void (T::*pfnCommand)(const CMenuItemState&),
                     int (T::*pfnEnable)(CMenuItemState&) = nullptr)
    {
        static_assert(std::is_base_of_v<CMenuItemHandler, T>, "handlers derive from CMenuItemHandler");
        _AddMenuItem(pszMenu, state, static_cast<MenuCommandProc>(pfnCommand), static_cast<MenuEnableProc>(pfnEnable));
    }
    // Registers a separator ("-", values 1, 0, 1, 0, no member functions): a menu shows
    // one however often it is added.
    void AddMenuSeparator(const char* pszMenu);
};
