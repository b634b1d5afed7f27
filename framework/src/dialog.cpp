// CDialog: templates through the resource chain, creation bound to the object, the
// modal dialog over the framework's modal loop, the dialog keys, OK and Cancel.
#include "afxcmn.h"
#include "afxwin.h"
#include "threadstate.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_MESSAGE(WM_SETFONT, HandleSetFont)
END_MESSAGE_MAP()

namespace {

// The dialog manager calls a dialog procedure; every message of a dialog of the
// framework reaches its object through AfxWndProc first, so this one leaves them all
// to the dialog manager's defaults.
INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

// A dialog template held for the time of a creation, and the module its controls take
// their resources from.
class CTemplateLock
{
public:
    // The resource named lpszTemplateName in the chain, else hTemplate (global memory),
    // else lpTemplate.
    CTemplateLock(LPCTSTR lpszTemplateName, HGLOBAL hTemplate, LPCDLGTEMPLATE lpTemplate)
        : m_lpTemplate(lpTemplate), m_hLocked(NULL), m_hInst(AfxGetResourceHandle())
    {
        if (lpszTemplateName != NULL)
        {
            m_hInst = AfxFindResourceHandle(lpszTemplateName, (LPCSTR)RT_DIALOG);
            HRSRC hResource = ::FindResourceA(m_hInst, lpszTemplateName, (LPCSTR)RT_DIALOG);
            HGLOBAL hResTemplate = hResource != NULL ? ::LoadResource(m_hInst, hResource) : NULL;
            m_lpTemplate = hResTemplate != NULL ? (LPCDLGTEMPLATE)::LockResource(hResTemplate) : NULL;
        }
        else if (hTemplate != NULL)
        {
            m_lpTemplate = (LPCDLGTEMPLATE)::GlobalLock(hTemplate);
            if (m_lpTemplate != NULL)
                m_hLocked = hTemplate;
        }
    }
    ~CTemplateLock()
    {
        if (m_hLocked != NULL)
            ::GlobalUnlock(m_hLocked);
    }
    CTemplateLock(const CTemplateLock&) = delete;
    CTemplateLock& operator=(const CTemplateLock&) = delete;

    LPCDLGTEMPLATE m_lpTemplate;    // NULL when there is none
    HGLOBAL m_hLocked;
    HINSTANCE m_hInst;
};

// Whether hWnd is an edit control.
BOOL IsEditControl(HWND hWnd)
{
    char szClass[8];
    return ::GetClassNameA(hWnd, szClass, sizeof szClass) > 0 && lstrcmpiA(szClass, "Edit") == 0;
}

} // namespace

// Creation of dialog windows

BOOL CWnd::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    ASSERT(lpDialogTemplate != NULL);
    ASSERT(m_hWnd == NULL);
    // Templates may hold sliders, progress bars and the other common controls.
    AfxInitCommonControls();
    if (hInst == NULL)
        hInst = AfxGetResourceHandle();

    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(hInst, lpDialogTemplate, pParentWnd->GetSafeHwnd(), AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate())
    {
        // Never bound: no message reached the object.
        if (hWnd != NULL)
            ::DestroyWindow(hWnd);
        return FALSE;
    }
    // A dialog whose creation failed after binding was unbound at WM_NCDESTROY.
    return hWnd != NULL;
}

// CDialog

CDialog::CDialog() { Init(NULL, NULL); }

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd) { Init(lpszTemplateName, pParentWnd); }

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
{
    Init(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
    m_nIDHelp = nIDTemplate;
}

void CDialog::Init(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_nIDHelp = 0;
    m_lpszTemplateName = lpszTemplateName;
    m_hDialogTemplate = NULL;
    m_lpDialogTemplate = NULL;
    m_pParentWnd = pParentWnd;
    m_hWndTop = NULL;
}

CDialog::~CDialog() = default;

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    ASSERT(lpszTemplateName != NULL);
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = LOWORD((UINT_PTR)lpszTemplateName);
    if (pParentWnd == NULL)
        pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;

    CTemplateLock lock(m_lpszTemplateName, NULL, NULL);
    return lock.m_lpTemplate != NULL && CreateDlgIndirect(lock.m_lpTemplate, pParentWnd, lock.m_hInst);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    if (pParentWnd == NULL)
        pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    return lpDialogTemplate != NULL && CreateDlgIndirect(lpDialogTemplate, pParentWnd, AfxGetResourceHandle());
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    CTemplateLock lock(NULL, hDialogTemplate, NULL);
    return CreateIndirect(lock.m_lpTemplate, pParentWnd);
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    m_lpszTemplateName = NULL;
    m_hDialogTemplate = NULL;
    m_lpDialogTemplate = lpDialogTemplate;
    m_pParentWnd = pParentWnd;
    return lpDialogTemplate != NULL;
}

BOOL CDialog::InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    m_lpszTemplateName = NULL;
    m_hDialogTemplate = hDialogTemplate;
    m_lpDialogTemplate = NULL;
    m_pParentWnd = pParentWnd;
    return hDialogTemplate != NULL;
}

// Modal dialogs

HWND CDialog::PreModal()
{
    return GetSafeOwner(m_pParentWnd, &m_hWndTop)->GetSafeHwnd();
}

void CDialog::PostModal()
{
    if (m_hWndTop != NULL && ::IsWindow(m_hWndTop))
        ::EnableWindow(m_hWndTop, TRUE);
    m_hWndTop = NULL;
}

int CDialog::DoModal()
{
    CTemplateLock lock(m_lpszTemplateName, m_hDialogTemplate, m_lpDialogTemplate);
    if (lock.m_lpTemplate == NULL)
        return -1;

    HWND hWndOwner = PreModal();
    BOOL bEnableOwner = hWndOwner != NULL && ::IsWindowEnabled(hWndOwner);
    if (bEnableOwner)
        ::EnableWindow(hWndOwner, FALSE);

    // The owner is enabled and active again before the dialog goes, so that the
    // activation returns to it and not to some other window.
    auto endModal = [&] {
        m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
        if (bEnableOwner)
            ::EnableWindow(hWndOwner, TRUE);
        PostModal();
        if (m_hWnd != NULL)
        {
            if (hWndOwner != NULL && ::GetActiveWindow() == m_hWnd)
                ::SetActiveWindow(hWndOwner);
            ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                           SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
            DestroyWindow();
        }
    };

    // OnInitDialog may end the dialog before the loop starts.
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    try
    {
        if (CreateDlgIndirect(lock.m_lpTemplate, CWnd::FromHandle(hWndOwner), lock.m_hInst)
            && (m_nFlags & WF_CONTINUEMODAL))
        {
            DWORD dwFlags = MLF_SHOWONIDLE;
            if (GetStyle() & DS_NOIDLEMSG)
                dwFlags |= MLF_NOIDLEMSG;
            RunModalLoop(dwFlags);
        }
    }
    catch (CException* e)
    {
        // A dialog that could not be created, or whose loop failed, ends with -1.
        e->Delete();
        m_nModalResult = -1;
    }
    catch (...)
    {
        endModal();
        throw;
    }
    endModal();
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    // A modal dialog is hidden and destroyed by DoModal once its loop has ended.
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    else
        ::EndDialog(m_hWnd, nResult);
}

// Messages and commands

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    PreInitDialog();
    HWND hWnd = m_hWnd;
    CRect rectBefore;
    ::GetWindowRect(hWnd, &rectBefore);
    BOOL bHiddenBefore = !(GetStyle() & WS_VISIBLE);
    BOOL bFocus = OnInitDialog();

    // A modal (its owner disabled) or unowned dialog that nothing placed is centred
    // (CenterWindow: on its owner, else the main window or the screen): still a hidden
    // popup where the template put it, its template asking for no place of its own.
    // OnInitDialog may have destroyed it, and a self-deleting object with it.
    if (!bHiddenBefore || !::IsWindow(hWnd) || (GetStyle() & (WS_VISIBLE | WS_CHILD)))
        return bFocus;
    CRect rect;
    GetWindowRect(&rect);
    HWND hWndOwner = ::GetWindow(hWnd, GW_OWNER);
    if (rect.TopLeft() == rectBefore.TopLeft() && (hWndOwner == NULL || !::IsWindowEnabled(hWndOwner))
        && CheckAutoCenter())
        CenterWindow();
    return bFocus;
}

BOOL CDialog::CheckAutoCenter() { return (GetStyle() & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN)) == 0; }

LRESULT CDialog::HandleSetFont(WPARAM wParam, LPARAM)
{
    OnSetFont(CFont::FromHandle((HFONT)wParam));
    return Default();
}

void CDialog::PreInitDialog() {}

void CDialog::OnSetFont(CFont*) {}

BOOL CDialog::OnInitDialog()
{
    if (!ExecuteDlgInit(m_lpszTemplateName) || !UpdateData(FALSE))
    {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    ::SendMessage(m_hWnd, WM_NEXTDLGCTL, (WPARAM)pWndCtrl->GetSafeHwnd(), TRUE);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // A multi-line edit keeps Esc to itself; in a dialog Esc still cancels, unless the
    // Cancel button is disabled.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_CANCEL)
        && (::GetWindowLong(pMsg->hwnd, GWL_STYLE) & ES_MULTILINE) && ::IsChild(m_hWnd, pMsg->hwnd)
        && IsEditControl(pMsg->hwnd))
    {
        HWND hWndCancel = ::GetDlgItem(m_hWnd, IDCANCEL);
        if (hWndCancel == NULL || ::IsWindowEnabled(hWndCancel))
        {
            SendMessage(WM_COMMAND, IDCANCEL, 0);
            return TRUE;
        }
    }
    return PreTranslateInput(pMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // Commands of menus and accelerators go on; control notifications and the system's
    // commands stay with the dialog.
    if ((nCode != CN_COMMAND && nCode != (int)CN_UPDATE_COMMAND_UI) || nID < 0x8000 || nID > 0xDFFF)
        return FALSE;
    CWnd* pOwner = GetParent();
    if (pOwner != NULL && pOwner->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
