// CFindReplaceDialog over FindText and ReplaceText.
#include "afxdlgs.h"

IMPLEMENT_DYNAMIC(CFindReplaceDialog, CCommonDialog)

CFindReplaceDialog::CFindReplaceDialog() : CCommonDialog(NULL), m_fr(), m_szFindWhat(), m_szReplaceWith()
{
    m_fr.lStructSize = sizeof m_fr;
    m_fr.lpstrFindWhat = m_szFindWhat;
    m_fr.lpstrReplaceWith = m_szReplaceWith;
}

BOOL CFindReplaceDialog::Create(BOOL bFindDialogOnly, LPCTSTR lpszFindWhat, LPCTSTR lpszReplaceWith, DWORD dwFlags,
                                CWnd* pParentWnd)
{
    ASSERT(m_hWnd == NULL);
    if (pParentWnd == NULL)
        pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    if (pParentWnd == NULL)
        return FALSE;

    ::lstrcpynA(m_szFindWhat, lpszFindWhat != NULL ? lpszFindWhat : "", _countof(m_szFindWhat));
    ::lstrcpynA(m_szReplaceWith, lpszReplaceWith != NULL ? lpszReplaceWith : "", _countof(m_szReplaceWith));
    m_fr.hwndOwner = pParentWnd->m_hWnd;
    m_fr.Flags = dwFlags | FR_ENABLEHOOK;
    m_fr.lpfnHook = HookProc;
    m_fr.lpstrFindWhat = m_szFindWhat;
    m_fr.wFindWhatLen = _countof(m_szFindWhat);
    m_fr.lpstrReplaceWith = m_szReplaceWith;
    m_fr.wReplaceWithLen = _countof(m_szReplaceWith);
    m_fr.lCustData = (LPARAM)this;
    HWND hWnd = bFindDialogOnly ? ::FindTextA(&m_fr) : ::ReplaceTextA(&m_fr);
    // Not bound by the hook: the window (if any) goes without reaching the object.
    if (hWnd != NULL && m_hWnd != hWnd)
    {
        ::DestroyWindow(hWnd);
        return FALSE;
    }
    return hWnd != NULL;
}

CFindReplaceDialog* PASCAL CFindReplaceDialog::GetNotifier(LPARAM lParam)
{
    ASSERT(lParam != 0);
    return reinterpret_cast<CFindReplaceDialog*>(reinterpret_cast<LPFINDREPLACE>(lParam)->lCustData);
}

void CFindReplaceDialog::PostNcDestroy() { delete this; }

UINT_PTR CALLBACK CFindReplaceDialog::HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return 0;
    auto* pDlg = reinterpret_cast<CFindReplaceDialog*>(((LPFINDREPLACEA)lParam)->lCustData);
    return pDlg != NULL ? pDlg->HookInitDialog(hWnd, wParam, lParam) : 0;
}
