// CPropertyPage: a page's description for the system's sheet, its binding at creation
// and the sheet's notifications to its overridables.
#include "afxdlgs.h"
#include "threadstate.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

namespace {

// The dialog procedure the sheet gives the page: every message of the page reaches its
// object through AfxWndProc first, so this one leaves them to the dialog manager.
INT_PTR CALLBACK AfxPageDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

} // namespace

CPropertyPage::CPropertyPage() { m_psp = {}; }

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) { Construct(nIDTemplate, nIDCaption); }

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption) { Construct(lpszTemplateName, nIDCaption); }

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
    Construct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
    m_nIDHelp = nIDTemplate;
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    m_lpszTemplateName = lpszTemplateName;
    m_psp = {};
    m_psp.dwSize = sizeof m_psp;
    m_psp.dwFlags = PSP_USECALLBACK;
    m_psp.pszTemplate = lpszTemplateName;
    m_psp.pfnDlgProc = AfxPageDlgProc;
    m_psp.pfnCallback = PageCallback;
    m_psp.lParam = (LPARAM)this;
    if (nIDCaption != 0 && m_strCaption.LoadString(nIDCaption))
    {
        m_psp.dwFlags |= PSP_USETITLE;
        m_psp.pszTitle = m_strCaption;
    }
}

UINT CALLBACK CPropertyPage::PageCallback(HWND, UINT message, LPPROPSHEETPAGE ppsp)
{
    // The sheet is about to create the page's window (ppsp is the sheet's copy of
    // m_psp): the creation hook binds it to the object. Nothing may be thrown here.
    if (message != PSPCB_CREATE)
        return TRUE;
    try
    {
        AfxHookWindowCreate((CPropertyPage*)ppsp->lParam);
        return TRUE;
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }
}

void CPropertyPage::PreInitDialog() { AfxUnhookWindowCreate(); }

// Operations

void CPropertyPage::CancelToClose() { ::SendMessage(::GetParent(m_hWnd), PSM_CANCELTOCLOSE, 0, 0); }

void CPropertyPage::SetModified(BOOL bChanged)
{
    if (m_hWnd != NULL)
        ::SendMessage(::GetParent(m_hWnd), bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam)
{
    return ::SendMessage(::GetParent(m_hWnd), PSM_QUERYSIBLINGS, wParam, lParam);
}

// Overridables

BOOL CPropertyPage::OnSetActive() { return TRUE; }

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

void CPropertyPage::OnOK() { SetModified(FALSE); }

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnCancel() { SetModified(FALSE); }

void CPropertyPage::OnReset() { OnCancel(); }

BOOL CPropertyPage::OnQueryCancel() { return TRUE; }

LRESULT CPropertyPage::OnWizardBack() { return 0; }

LRESULT CPropertyPage::OnWizardNext() { return 0; }

BOOL CPropertyPage::OnWizardFinish()
{
    // The sheet does not tell the last page it is left: its data is saved here.
    return UpdateData(TRUE);
}

// Implementation

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    // Not the page's own dialog keys: the sheet's, which walks its buttons and tabs too.
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = (NMHDR*)lParam;
    if (pNMHDR == NULL || pNMHDR->hwndFrom != ::GetParent(m_hWnd))
        return CDialog::OnNotify(wParam, lParam, pResult);
    LRESULT lResult = 0;
    switch (pNMHDR->code)
    {
    case PSN_SETACTIVE:
        lResult = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        lResult = !OnKillActive();
        break;
    case PSN_APPLY:
        lResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        break;
    case PSN_RESET:
        OnReset();
        break;
    case PSN_QUERYCANCEL:
        lResult = !OnQueryCancel();
        break;
    case PSN_WIZBACK:
        lResult = OnWizardBack();
        break;
    case PSN_WIZNEXT:
        lResult = OnWizardNext();
        break;
    case PSN_WIZFINISH:
        lResult = !OnWizardFinish();
        break;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
    // A handler may have destroyed the sheet, and the page's window with it: only the
    // caller's result is touched.
    if (pResult != NULL)
        *pResult = lResult;
    return TRUE;
}
