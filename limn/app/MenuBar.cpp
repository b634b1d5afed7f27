// CMenuBar: the lists of menus and items, the rebuilt Windows menu and the commands.
#include "limn/app/MenuBar.h"

#include <mbstring.h>

#include <memory>

CMenuBar CMenuBar::s_menuBar;
UINT CMenuBar::s_nNextID = 1000;
CWnd* CMenuBar::m_pWnd = NULL;

namespace {

const UINT nFirstID = 1000;
const char szSeparator[] = "-";

BOOL SameText(const char* psz1, const char* psz2)
{
    return _mbscmp(reinterpret_cast<const unsigned char*>(psz1), reinterpret_cast<const unsigned char*>(psz2)) == 0;
}

} // namespace

// CMenuItem

// A handler may register items, which is harmless, or destroy handlers, whose records go
// with them: the records are taken first, and each is called only while it is still
// registered.
std::vector<MenuItemHandler> CMenuItem::TakeRecords() const
{
    std::vector<MenuItemHandler> records;
    for (POSITION pos = m_handlers.GetHeadPosition(); pos != NULL;)
        records.push_back(m_handlers.GetNext(pos));
    return records;
}

void CMenuItem::RunCommand()
{
    for (const MenuItemHandler& record : TakeRecords())
    {
        if (record.m_pfnCommand != nullptr && m_handlers.Find(record) != NULL)
            (record.m_pHandler->*record.m_pfnCommand)(m_state);
    }
}

BOOL CMenuItem::AskEnabled()
{
    BOOL bAnswered = FALSE;
    BOOL bEnabled = FALSE;
    for (const MenuItemHandler& record : TakeRecords())
    {
        if (record.m_pfnEnable == nullptr || m_handlers.Find(record) == NULL)
            continue;
        bAnswered = TRUE;
        if ((record.m_pHandler->*record.m_pfnEnable)(m_state) != 0)
            bEnabled = TRUE;
    }
    return bAnswered ? bEnabled : m_state.m_bEnabled;
}

// CMenuItemMenu

CMenuItemMenu::~CMenuItemMenu()
{
    while (!IsEmpty())
        delete RemoveHead();
}

CMenuItem* CMenuItemMenu::GetItem(const char* pszName) const
{
    for (POSITION pos = GetHeadPosition(); pos != NULL;)
    {
        CMenuItem* pItem = GetNext(pos);
        if (SameText(pItem->m_state.m_strName, pszName))
            return pItem;
    }
    return NULL;
}

// CMenuBar

CMenuBar::~CMenuBar()
{
    DestroyMenus();
    while (!IsEmpty())
        delete RemoveHead();
}

CMenuItemMenu* CMenuBar::GetMenu(const char* pszName) const
{
    for (POSITION pos = GetHeadPosition(); pos != NULL;)
    {
        CMenuItemMenu* pMenu = GetNext(pos);
        if (SameText(pMenu->m_strName, pszName))
            return pMenu;
    }
    return NULL;
}

void CMenuBar::AddItem(const char* pszMenu, const CMenuItemState& state, const MenuItemHandler& handler)
{
    CMenuItemMenu* pMenu = GetMenu(pszMenu);
    if (pMenu == NULL)
    {
        auto pNew = std::make_unique<CMenuItemMenu>(pszMenu);
        AddTail(pNew.get());
        pMenu = pNew.release();
    }
    CMenuItem* pItem = pMenu->GetItem(state.m_strName);
    if (pItem != NULL)
    {
        pItem->m_handlers.AddTail(handler);
        return;
    }
    auto pNew = std::make_unique<CMenuItem>(state);
    pNew->m_handlers.AddTail(handler);
    pMenu->AddTail(pNew.get());
    pNew.release();
}

void CMenuBar::RemoveHandler(const CMenuItemHandler* pHandler)
{
    for (POSITION pos = GetHeadPosition(); pos != NULL;)
    {
        CMenuItemMenu* pMenu = GetNext(pos);
        for (POSITION posItem = pMenu->GetHeadPosition(); posItem != NULL;)
        {
            auto& handlers = pMenu->GetNext(posItem)->m_handlers;
            for (POSITION posRecord = handlers.GetHeadPosition(); posRecord != NULL;)
            {
                POSITION posThis = posRecord;
                if (handlers.GetNext(posRecord).m_pHandler == pHandler)
                    handlers.RemoveAt(posThis);
            }
        }
    }
}

// A window that goes destroys the menu it shows, so a handle may be gone already.
void CMenuBar::DestroyMenus()
{
    for (POSITION pos = GetHeadPosition(); pos != NULL;)
        GetNext(pos)->m_menu.Detach();
    HMENU hMenu = m_menu.Detach();
    if (hMenu != NULL && ::IsMenu(hMenu))
        ::DestroyMenu(hMenu);
}

void CMenuBar::UpdateMenus()
{
    s_nNextID = nFirstID;
    DestroyMenus();
    m_menu.CreateMenu();
    for (POSITION pos = GetHeadPosition(); pos != NULL;)
    {
        CMenuItemMenu* pMenu = GetNext(pos);
        CMenu& popup = pMenu->m_menu;
        if (!popup.CreatePopupMenu())
            continue;
        for (POSITION posItem = pMenu->GetHeadPosition(); posItem != NULL;)
        {
            CMenuItem* pItem = pMenu->GetNext(posItem);
            if (!pItem->m_state.m_bInMenu)
                continue;
            if (pItem->m_state.m_strName == szSeparator)
                popup.AppendMenu(MF_SEPARATOR, s_nNextID);
            else
                popup.AppendMenu(MF_STRING, s_nNextID, pItem->m_state.m_strName);
            pItem->m_nID = s_nNextID++;
        }
        // Once in the bar, the pop-up is destroyed with it.
        if (!m_menu.AppendMenu(MF_POPUP, (UINT_PTR)popup.m_hMenu, pMenu->m_strName))
            popup.DestroyMenu();
    }
    CWinThread* pThread = AfxGetThread();
    CWnd* pMainWnd = pThread != NULL ? pThread->GetMainWnd() : NULL;
    if (pMainWnd != NULL && pMainWnd->GetSafeHwnd() != NULL)
        pMainWnd->SetMenu(&m_menu);
}

void CMenuBar::Install(CWnd* pWnd)
{
    ASSERT(pWnd != NULL);
    ::SetMenu(pWnd->GetSafeHwnd(), s_menuBar.m_menu.m_hMenu);
}

int CMenuBar::OnCommand(DWORD nID) { return s_menuBar.DoOnCommand(nID); }

// The items are found first: a handler that registers an item renumbers the bar, and
// the command belongs to the item that carried the identifier when it was chosen. Items
// live as long as the bar. An item never put in a menu has no identifier to match.
int CMenuBar::DoOnCommand(DWORD nID)
{
    CArray<CMenuItem*, CMenuItem*> matches;
    for (POSITION pos = GetHeadPosition(); pos != NULL;)
    {
        CMenuItemMenu* pMenu = GetNext(pos);
        for (POSITION posItem = pMenu->GetHeadPosition(); posItem != NULL;)
        {
            CMenuItem* pItem = pMenu->GetNext(posItem);
            if (pItem->m_nID != 0 && pItem->m_nID == nID)
                matches.Add(pItem);
        }
    }
    for (INT_PTR i = 0; i < matches.GetSize(); i++)
        matches[i]->RunCommand();
    return matches.GetSize() != 0;
}

// An enable function that registers an item rebuilds the bar and with it the pop-up
// being asked about: the new one is asked in turn when it opens.
BOOL CMenuBar::EnableMenuItems(CMenu* pPopup)
{
    HMENU hPopup = pPopup != NULL ? pPopup->m_hMenu : NULL;
    CMenuItemMenu* pMenu = NULL;
    for (POSITION pos = s_menuBar.GetHeadPosition(); pos != NULL && pMenu == NULL;)
    {
        CMenuItemMenu* pCandidate = s_menuBar.GetNext(pos);
        if (hPopup != NULL && pCandidate->m_menu.m_hMenu == hPopup)
            pMenu = pCandidate;
    }
    if (pMenu == NULL)
        return FALSE;
    for (POSITION pos = pMenu->GetHeadPosition(); pos != NULL && pMenu->m_menu.m_hMenu == hPopup;)
    {
        CMenuItem* pItem = pMenu->GetNext(pos);
        if (!pItem->m_state.m_bInMenu || pItem->m_state.m_strName == szSeparator)
            continue;
        BOOL bEnabled = pItem->AskEnabled();
        if (pMenu->m_menu.m_hMenu != hPopup)
            break;
        ::EnableMenuItem(hPopup, pItem->m_nID, MF_BYCOMMAND | (bEnabled ? MF_ENABLED : MF_GRAYED));
        ::CheckMenuItem(hPopup, pItem->m_nID, MF_BYCOMMAND | (pItem->m_state.m_bChecked ? MF_CHECKED : MF_UNCHECKED));
    }
    return TRUE;
}
