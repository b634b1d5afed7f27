// CFontDialog over ChooseFont.
#include "afxdlgs.h"

IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)

CFontDialog::CFontDialog(LPLOGFONT lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_cf(), m_lf(), m_szStyleName()
{
    m_cf.lStructSize = sizeof m_cf;
    m_cf.lpLogFont = &m_lf;
    m_cf.lpszStyle = m_szStyleName;
    m_cf.Flags = dwFlags | CF_ENABLEHOOK;
    m_cf.lpfnHook = HookProc;
    if (lplfInitial != NULL)
    {
        m_lf = *lplfInitial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
    if (pdcPrinter != NULL)
    {
        m_cf.hDC = pdcPrinter->GetSafeHdc();
        m_cf.Flags |= CF_PRINTERFONTS;
    }
}

int CFontDialog::DoModal()
{
    m_cf.hwndOwner = PreModal();
    m_cf.lpLogFont = &m_lf;
    m_cf.lpszStyle = m_szStyleName;
    m_cf.Flags |= CF_ENABLEHOOK;
    m_cf.lpfnHook = HookProc;
    m_cf.lCustData = (LPARAM)this;
    BOOL bChosen = ::ChooseFontA(&m_cf);
    PostModal();
    return bChosen ? IDOK : IDCANCEL;
}

void CFontDialog::GetCurrentFont(LPLOGFONT lplf)
{
    if (m_hWnd != NULL)
        SendMessage(WM_CHOOSEFONT_GETLOGFONT, 0, (LPARAM)lplf);
    else
        *lplf = m_lf;
}

UINT_PTR CALLBACK CFontDialog::HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return 0;
    auto* pDlg = reinterpret_cast<CFontDialog*>(((CHOOSEFONTA*)lParam)->lCustData);
    return pDlg != NULL ? pDlg->HookInitDialog(hWnd, wParam, lParam) : 0;
}
