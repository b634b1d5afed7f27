// CPropertySheet: the system's sheet made modeless over the pages, bound to the object,
// and run in the framework's modal loop for DoModal.
#include "afxcmn.h"
#include "afxdlgs.h"
#include "threadstate.h"

#include <vector>

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

namespace {

// The styles of a sheet made by Create with dwStyle -1.
const DWORD dwDefaultSheetStyle = WS_SYSMENU | WS_POPUP | WS_CAPTION | DS_MODALFRAME | WS_VISIBLE;

// The head of an extended dialog template (signature 0xFFFF), as far as its styles.
struct DLGTEMPLATEEXHEAD
{
    WORD dlgVer;
    WORD signature;
    DWORD helpID;
    DWORD exStyle;
    DWORD style;
};

// The system's page for psp, its template taken from the resource chain; NULL when the
// template is missing (the sheet would open without the page).
HPROPSHEETPAGE MakePage(PROPSHEETPAGE& psp)
{
    if (!(psp.dwFlags & PSP_DLGINDIRECT))
    {
        psp.hInstance = AfxFindResourceHandle(psp.pszTemplate, (LPCSTR)RT_DIALOG);
        if (::FindResourceA(psp.hInstance, psp.pszTemplate, (LPCSTR)RT_DIALOG) == NULL)
            return NULL;
    }
    else if (psp.pResource == NULL)
    {
        return NULL;
    }
    return ::CreatePropertySheetPage(&psp);
}

} // namespace

CPropertySheet::CPropertySheet() { CommonConstruct(NULL, 0); }

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(nIDCaption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(pszCaption, pParentWnd, iSelectPage);
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption.LoadString(nIDCaption);
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption = pszCaption;
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage)
{
    m_psh = {};
    m_psh.dwSize = sizeof m_psh;
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
    m_dwStyle = (DWORD)-1;
    m_dwExStyle = 0;
    m_nEndID = IDCANCEL;
    m_hWndTop = NULL;
}

// Creation

BOOL CPropertySheet::CreateSheet(HWND hWndOwner)
{
    // One window at a time.
    if (m_hWnd != NULL)
        return FALSE;
    AfxInitCommonControls();
    std::vector<HPROPSHEETPAGE> pages;
    auto destroyPages = [&] {
        for (HPROPSHEETPAGE hPage : pages)
            ::DestroyPropertySheetPage(hPage);
    };
    for (int i = 0; i < GetPageCount(); i++)
    {
        HPROPSHEETPAGE hPage = MakePage(GetPage(i)->m_psp);
        if (hPage == NULL)
        {
            destroyPages();
            return FALSE;
        }
        pages.push_back(hPage);
    }

    // The sheet runs modeless under the framework's loop; the callback gives it the
    // styles asked for.
    PROPSHEETHEADER psh = m_psh;
    psh.dwFlags = (m_psh.dwFlags & ~(PSH_PROPSHEETPAGE | PSH_USEPSTARTPAGE | PSH_USEHICON)) | PSH_MODELESS
                  | PSH_USECALLBACK;
    psh.hwndParent = hWndOwner;
    psh.hInstance = AfxGetResourceHandle();
    psh.pszCaption = m_strCaption;
    psh.nPages = (UINT)pages.size();
    psh.nStartPage = m_psh.nStartPage < psh.nPages ? m_psh.nStartPage : 0;
    psh.phpage = pages.data();
    psh.pfnCallback = SheetCallback;

    m_nEndID = IDCANCEL;
    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::PropertySheet(&psh);
    if (!AfxUnhookWindowCreate())
    {
        // Never bound: no window, or one the object never saw.
        if (hWnd != NULL && hWnd != (HWND)-1)
            ::DestroyWindow(hWnd);
        return FALSE;
    }
    return m_hWnd != NULL;
}

int CALLBACK CPropertySheet::SheetCallback(HWND, UINT message, LPARAM lParam)
{
    // Before the sheet's window exists: the object that the creation hook will bind to
    // it asks for its styles.
    auto* pSheet = dynamic_cast<CPropertySheet*>(AfxGetThreadState()->m_pWndInit);
    if (message != PSCB_PRECREATE || pSheet == NULL || pSheet->m_dwStyle == (DWORD)-1)
        return 0;
    // The template's font stays: its description follows in the template.
    auto* pHead = (DLGTEMPLATEEXHEAD*)lParam;
    if (pHead->signature == 0xFFFF)
    {
        pHead->style = pSheet->m_dwStyle | (pHead->style & DS_SHELLFONT);
        pHead->exStyle = pSheet->m_dwExStyle;
    }
    else
    {
        auto* pTemplate = (DLGTEMPLATE*)lParam;
        pTemplate->style = pSheet->m_dwStyle | (pTemplate->style & DS_SHELLFONT);
        pTemplate->dwExtendedStyle = pSheet->m_dwExStyle;
    }
    return 0;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    if (pParentWnd != NULL)
        m_pParentWnd = pParentWnd;
    m_dwStyle = dwStyle == (DWORD)-1 ? dwDefaultSheetStyle : dwStyle;
    m_dwExStyle = dwExStyle;
    CWnd* pOwner = m_pParentWnd != NULL ? m_pParentWnd : AfxGetMainWnd();
    return CreateSheet(pOwner->GetSafeHwnd());
}

int CPropertySheet::DoModal()
{
    HWND hWndOwner = CWnd::GetSafeOwner(m_pParentWnd, &m_hWndTop)->GetSafeHwnd();
    BOOL bEnableOwner = hWndOwner != NULL && ::IsWindowEnabled(hWndOwner);
    if (bEnableOwner)
        ::EnableWindow(hWndOwner, FALSE);

    // The owner is enabled and active again before the sheet goes, so that the
    // activation returns to it and not to some other window.
    auto endModal = [&] {
        m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
        if (bEnableOwner)
            ::EnableWindow(hWndOwner, TRUE);
        if (m_hWndTop != NULL && ::IsWindow(m_hWndTop))
            ::EnableWindow(m_hWndTop, TRUE);
        m_hWndTop = NULL;
        if (m_hWnd != NULL)
        {
            if (hWndOwner != NULL && ::GetActiveWindow() == m_hWnd)
                ::SetActiveWindow(hWndOwner);
            ::ShowWindow(m_hWnd, SW_HIDE);
            DestroyWindow();
        }
    };

    int nResult = -1;
    m_dwStyle = (DWORD)-1;
    m_nFlags |= WF_CONTINUEMODAL;
    try
    {
        if (CreateSheet(hWndOwner))
        {
            RunModalLoop(MLF_SHOWONIDLE);
            nResult = m_nEndID;
        }
    }
    catch (CException* e)
    {
        e->Delete();
        nResult = -1;
    }
    catch (...)
    {
        endModal();
        throw;
    }
    endModal();
    return nResult;
}

BOOL CPropertySheet::ContinueModal()
{
    // The system's sheet has no current page once OK, Cancel or Finish closed it.
    return CWnd::ContinueModal() && ::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
}

void CPropertySheet::EndDialog(int nEndID)
{
    m_nEndID = nEndID;
    if (m_nFlags & WF_MODALLOOP)
        EndModalLoop(nEndID);
    else
        DestroyWindow();
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    if (HIWORD(wParam) == BN_CLICKED && (nID == IDOK || nID == IDCANCEL || nID == ID_WIZFINISH))
        m_nEndID = nID;
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if ((pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
        && (pMsg->message < WM_MOUSEFIRST || pMsg->message > WM_MOUSELAST))
        return FALSE;
    return (BOOL)::SendMessage(m_hWnd, PSM_ISDIALOGMESSAGE, 0, (LPARAM)pMsg);
}

// Attributes

int CPropertySheet::GetPageIndex(CPropertyPage* pPage)
{
    for (int i = 0; i < GetPageCount(); i++)
    {
        if (GetPage(i) == pPage)
            return i;
    }
    return -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    int nPage = GetActiveIndex();
    return nPage >= 0 && nPage < GetPageCount() ? GetPage(nPage) : NULL;
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == NULL)
        return (int)m_psh.nStartPage;
    HWND hWndPage = (HWND)::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
    return hWndPage != NULL ? (int)::SendMessage(m_hWnd, PSM_HWNDTOINDEX, (WPARAM)hWndPage, 0) : -1;
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (m_hWnd == NULL)
    {
        m_psh.nStartPage = nPage;
        return TRUE;
    }
    return (BOOL)::SendMessage(m_hWnd, PSM_SETCURSEL, nPage, 0);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle)
{
    m_strCaption = lpszText;
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, PSM_SETTITLE, nStyle, (LPARAM)lpszText);
}

CTabCtrl* CPropertySheet::GetTabControl() const
{
    if (m_hWnd == NULL)
        return NULL;
    return reinterpret_cast<CTabCtrl*>(CWnd::FromHandle((HWND)::SendMessage(m_hWnd, PSM_GETTABCONTROL, 0, 0)));
}

// Wizards

void CPropertySheet::SetWizardButtons(DWORD dwFlags) { ::SendMessage(m_hWnd, PSM_SETWIZBUTTONS, 0, dwFlags); }

void CPropertySheet::SetFinishText(LPCTSTR lpszText) { ::SendMessage(m_hWnd, PSM_SETFINISHTEXT, 0, (LPARAM)lpszText); }

// Operations

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (pPage == NULL)
        return;
    if (m_hWnd != NULL)
    {
        HPROPSHEETPAGE hPage = MakePage(pPage->m_psp);
        if (hPage == NULL || !::SendMessage(m_hWnd, PSM_ADDPAGE, 0, (LPARAM)hPage))
        {
            if (hPage != NULL)
                ::DestroyPropertySheetPage(hPage);
            return;
        }
    }
    m_pages.Add(pPage);
}

void CPropertySheet::RemovePage(CPropertyPage* pPage) { RemovePage(GetPageIndex(pPage)); }

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return;
    if (m_hWnd != NULL)
        ::SendMessage(m_hWnd, PSM_REMOVEPAGE, nPage, 0);
    m_pages.RemoveAt(nPage);
}

BOOL CPropertySheet::PressButton(int nButton) { return (BOOL)::SendMessage(m_hWnd, PSM_PRESSBUTTON, nButton, 0); }
