// The dialog with a menu: its keyboard hook, the active dialog and the menu's state.
#include "hoard/dialogs/DialogWithMenu.h"

#include "hoard/runtime/HoardModule.h"

#include <afxpriv.h>

int CDialogWithMenu::m_nHookCount = 0;
HHOOK CDialogWithMenu::m_hNextHook = NULL;
CDialogWithMenu* CDialogWithMenu::m_pDialog = NULL;
HWND CDialogWithMenu::m_hDlgWnd = NULL;
HACCEL CDialogWithMenu::m_hDlgAccel = NULL;

BEGIN_MESSAGE_MAP(CDialogWithMenu, CDialog)
    ON_WM_ACTIVATE()
    ON_WM_DESTROY()
    ON_WM_INITMENUPOPUP()
END_MESSAGE_MAP()

CDialogWithMenu::CDialogWithMenu() : m_hMenu(NULL), m_hAccel(NULL), m_bHookCounted(FALSE) {}

CDialogWithMenu::CDialogWithMenu(UINT nIDTemplate, CWnd* pParent)
    : CDialog(nIDTemplate, pParent), m_hMenu(NULL), m_hAccel(NULL), m_bHookCounted(FALSE)
{
}

CDialogWithMenu::~CDialogWithMenu()
{
    // A dialog still open is destroyed while this class's OnDestroy can run: it leaves
    // the hook and the active dialog, and gives the menu back.
    if (m_hWnd != NULL)
        DestroyWindow();
    if (m_hMenu != NULL)
        ::DestroyMenu(m_hMenu);
}

void CDialogWithMenu::SetMenu(HMENU hMenu, HACCEL hAccel)
{
    HMENU hOld = m_hMenu;
    m_hMenu = hMenu;
    m_hAccel = hAccel;
    if (m_hWnd != NULL)
        ::SetMenu(m_hWnd, hMenu);
    if (hOld != NULL && hOld != hMenu)
        ::DestroyMenu(hOld);
}

void CDialogWithMenu::SetCommandEnable(UINT nID, int bEnable)
{
    HMENU hMenu = m_hWnd != NULL ? ::GetMenu(m_hWnd) : NULL;
    if (hMenu == NULL)
        return;
    // Only the enabled state changes; a check mark or default state stays.
    MENUITEMINFO mii = {};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_STATE;
    if (!::GetMenuItemInfo(hMenu, nID, FALSE, &mii))
        return;
    mii.fState &= ~(MFS_GRAYED | MFS_DISABLED);
    if (!bEnable)
        mii.fState |= MFS_GRAYED | MFS_DISABLED;
    ::SetMenuItemInfo(hMenu, nID, FALSE, &mii);
}

int CDialogWithMenu::TranslateAccel(UINT nVirtKey)
{
    MSG msg = {};
    msg.hwnd = m_hDlgWnd;
    msg.message = WM_KEYDOWN;
    msg.wParam = nVirtKey;
    msg.lParam = 0;
    msg.time = ::GetTickCount();
    return ::TranslateAccelerator(m_hDlgWnd, m_hDlgAccel, &msg);
}

void CDialogWithMenu::DoDataExchange(CDataExchange*) {}

BOOL CDialogWithMenu::OnInitDialog()
{
    // Counted before the controls are loaded, which may end the dialog by an exception:
    // its destruction then uncounts it.
    if (m_nHookCount == 0)
        m_hNextHook = ::SetWindowsHookEx(WH_KEYBOARD, DlgKeyboardProc, HoardResourceHandle(), ::GetCurrentThreadId());
    m_nHookCount++;
    m_bHookCounted = TRUE;
    CDialog::OnInitDialog();

    // The menu of the template (if any) makes way for the dialog's own.
    HMENU hTemplateMenu = ::GetMenu(m_hWnd);
    ::SetMenu(m_hWnd, m_hMenu);
    if (hTemplateMenu != NULL && hTemplateMenu != m_hMenu)
        ::DestroyMenu(hTemplateMenu);

    m_hDlgWnd = m_hWnd;
    return TRUE;
}

void CDialogWithMenu::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CDialog::OnActivate(nState, pWndOther, bMinimized);
    if (nState == WA_INACTIVE)
    {
        m_hDlgWnd = NULL;
        m_pDialog = NULL;
        return;
    }
    m_hDlgAccel = m_hAccel;
    m_hDlgWnd = m_hWnd;
    m_pDialog = this;
}

void CDialogWithMenu::OnDestroy()
{
    if (m_bHookCounted && --m_nHookCount == 0)
    {
        ::UnhookWindowsHookEx(m_hNextHook);
        m_hNextHook = NULL;
    }
    m_bHookCounted = FALSE;
    if (m_pDialog == this)
        m_pDialog = NULL;
    // The object keeps its menu: the window would destroy it with itself.
    if (::GetMenu(m_hWnd) == m_hMenu)
        ::SetMenu(m_hWnd, NULL);
    CDialog::OnDestroy();
}

void CDialogWithMenu::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CDialog::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    // Items that no update handler takes keep the state OnInitMenu gave them.
    if (!bSysMenu)
        AfxUpdateMenuPopup(pPopupMenu, this, FALSE);
}

// Only key presses (bit 31 of lParam clear) of the active dialog are translated; a
// translated key is eaten. Nothing thrown while translating leaves the hook.
LRESULT CALLBACK CDialogWithMenu::DlgKeyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (m_pDialog != NULL && m_hDlgWnd != NULL && code == HC_ACTION && (lParam & 0x80000000) == 0)
    {
        try
        {
            if (m_pDialog->TranslateAccel((UINT)wParam))
                return 1;
        }
        catch (CException* e)
        {
            e->Delete();
        }
        catch (...)
        {
        }
    }
    return ::CallNextHookEx(m_hNextHook, code, wParam, lParam);
}
