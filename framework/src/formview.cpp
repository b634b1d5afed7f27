// CFormView: a dialog template as a view, its data exchange and its dialog keys.
#include "afxext.h"

IMPLEMENT_DYNAMIC(CFormView, CScrollView)

BEGIN_MESSAGE_MAP(CFormView, CScrollView)
    ON_WM_CREATE()
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

namespace {

// The style of a template in either form (DLGTEMPLATE, or DLGTEMPLATEEX, whose second
// word is 0xFFFF and whose style follows the help id and extended style).
DWORD TemplateStyle(LPCDLGTEMPLATE lpTemplate)
{
    const WORD* pWords = reinterpret_cast<const WORD*>(lpTemplate);
    if (pWords[1] == 0xFFFF)
        return *reinterpret_cast<const DWORD*>(pWords + 6);
    return lpTemplate->style;
}

} // namespace

CFormView::CFormView(LPCTSTR lpszTemplateName)
    : m_lpszTemplateName(lpszTemplateName), m_pCreateContext(NULL), m_hWndFocus(NULL), m_pbDestroyed(NULL)
{
}

CFormView::CFormView(UINT nIDTemplate) : CFormView(MAKEINTRESOURCE(nIDTemplate)) {}

BOOL CFormView::Create(LPCTSTR, LPCTSTR, DWORD dwRequestedStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                       CCreateContext* pContext)
{
    ASSERT(pParentWnd != NULL && m_lpszTemplateName != NULL);
    HINSTANCE hInst = AfxFindResourceHandle(m_lpszTemplateName, (LPCSTR)RT_DIALOG);
    HRSRC hResource = ::FindResourceA(hInst, m_lpszTemplateName, (LPCSTR)RT_DIALOG);
    HGLOBAL hTemplate = hResource != NULL ? ::LoadResource(hInst, hResource) : NULL;
    auto lpTemplate = hTemplate != NULL ? (LPCDLGTEMPLATE)::LockResource(hTemplate) : NULL;
    // A template of a popup would make a window of its own outside the frame.
    if (lpTemplate == NULL || (TemplateStyle(lpTemplate) & WS_CHILD) == 0)
    {
        TRACE("CFormView: no child dialog template for the view\n");
        PostNcDestroy();
        return FALSE;
    }

    // A creation that fails after the window was bound deletes the object.
    BOOL bDestroyed = FALSE;
    m_pbDestroyed = &bDestroyed;
    m_pCreateContext = pContext;
    BOOL bCreated = CreateDlgIndirect(lpTemplate, pParentWnd, hInst);
    if (bDestroyed)
        return FALSE;
    m_pbDestroyed = NULL;
    m_pCreateContext = NULL;
    if (!bCreated)
    {
        PostNcDestroy();
        return FALSE;
    }

    // The form's size as the template gives it is the size of what the view scrolls.
    CRect rectTemplate;
    GetWindowRect(&rectTemplate);
    SetScrollSizes(MM_TEXT, rectTemplate.Size());

    SetDlgCtrlID(nID);
    if (dwRequestedStyle & WS_BORDER)
        ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    SetWindowPos(NULL, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (dwRequestedStyle & WS_VISIBLE)
        ShowWindow(SW_SHOWNORMAL);
    return TRUE;
}

void CFormView::PostNcDestroy()
{
    if (m_pbDestroyed != NULL)
        *m_pbDestroyed = TRUE;
    CScrollView::PostNcDestroy();
}

int CFormView::OnCreate(LPCREATESTRUCT lpcs)
{
    // The dialog manager's creation carries no creation context of ours.
    CREATESTRUCT cs = *lpcs;
    cs.lpCreateParams = m_pCreateContext;
    return CScrollView::OnCreate(&cs);
}

LRESULT CFormView::HandleInitDialog(WPARAM, LPARAM)
{
    ExecuteDlgInit(m_lpszTemplateName);
    return FALSE;
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
    CScrollView::OnInitialUpdate();
}

void CFormView::OnDraw(CDC*) {}

// Keys and focus

BOOL CFormView::PreTranslateMessage(MSG* pMsg)
{
    if (CScrollView::PreTranslateMessage(pMsg))
        return TRUE;
    // IsDialogMessage dispatches every key of the form itself, the frames' accelerators
    // among them: the frames translate first. A frame that handled the key may be gone
    // with this view, so nothing is touched after it.
    for (CFrameWnd* pFrame = GetParentFrame(); pFrame != NULL; pFrame = pFrame->GetParentFrame())
    {
        if (pFrame->PreTranslateMessage(pMsg))
            return TRUE;
    }
    return PreTranslateInput(pMsg);
}

void CFormView::SaveFocusControl()
{
    HWND hWndFocus = ::GetFocus();
    if (hWndFocus != NULL && ::IsChild(m_hWnd, hWndFocus))
        m_hWndFocus = hWndFocus;
}

void CFormView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    if (!bActivate)
        SaveFocusControl();
    CScrollView::OnActivateView(bActivate, pActivateView, pDeactiveView);
}

void CFormView::OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd)
{
    if (nState == WA_INACTIVE)
        SaveFocusControl();
    CScrollView::OnActivateFrame(nState, pFrameWnd);
}

void CFormView::OnSetFocus(CWnd* pOldWnd)
{
    if (m_hWndFocus == NULL || !::IsWindow(m_hWndFocus) || !::IsChild(m_hWnd, m_hWndFocus))
        m_hWndFocus = ::GetNextDlgTabItem(m_hWnd, NULL, FALSE);
    if (m_hWndFocus != NULL)
        ::SetFocus(m_hWndFocus);
    else
        CScrollView::OnSetFocus(pOldWnd);
}
