// CColorDialog over ChooseColor.
#include "afxdlgs.h"

IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)

namespace {

// What the colour dialog asks its hook before it accepts a colour, and what sets the
// colour it shows.
const UINT s_nMsgColorOK = ::RegisterWindowMessageA(COLOROKSTRINGA);
const UINT s_nMsgSetRGB = ::RegisterWindowMessageA(SETRGBSTRINGA);

} // namespace

BEGIN_MESSAGE_MAP(CColorDialog, CCommonDialog)
    ON_REGISTERED_MESSAGE(s_nMsgColorOK, HandleColorOK)
END_MESSAGE_MAP()

COLORREF CColorDialog::clrSavedCustom[16] = {
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
};

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd), m_cc()
{
    m_cc.lStructSize = sizeof m_cc;
    m_cc.lpCustColors = clrSavedCustom;
    m_cc.Flags = dwFlags | CC_ENABLEHOOK;
    m_cc.lpfnHook = HookProc;
    m_cc.rgbResult = clrInit;
    if (clrInit != 0)
        m_cc.Flags |= CC_RGBINIT;
}

int CColorDialog::DoModal()
{
    m_cc.hwndOwner = PreModal();
    m_cc.Flags |= CC_ENABLEHOOK;
    m_cc.lpfnHook = HookProc;
    m_cc.lCustData = (LPARAM)this;
    BOOL bChosen = ::ChooseColorA(&m_cc);
    PostModal();
    return bChosen ? IDOK : IDCANCEL;
}

void CColorDialog::SetCurrentColor(COLORREF clr)
{
    ASSERT(::IsWindow(m_hWnd));
    SendMessage(s_nMsgSetRGB, 0, (LPARAM)clr);
}

BOOL CColorDialog::OnColorOK() { return FALSE; }

LRESULT CColorDialog::HandleColorOK(WPARAM, LPARAM) { return OnColorOK(); }

UINT_PTR CALLBACK CColorDialog::HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
    {
        auto* pDlg = reinterpret_cast<CColorDialog*>(((CHOOSECOLORA*)lParam)->lCustData);
        return pDlg != NULL ? pDlg->HookInitDialog(hWnd, wParam, lParam) : 0;
    }
    // The question whether to accept the colour comes to the hook, not to the window.
    if (message == s_nMsgColorOK)
    {
        CWnd* pDlg = CWnd::FromHandlePermanent(hWnd);
        return pDlg != NULL ? (UINT_PTR)AfxCallWndProc(pDlg, hWnd, message, wParam, lParam) : 0;
    }
    return 0;
}
