// Dialog data exchange: UpdateData, CDataExchange, and the exchanges with buttons,
// list boxes, combo boxes, scroll bars and bound control objects.
#include "afxwin.h"
#include "threadstate.h"
#include "windowtext.h"

// UpdateData

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    ASSERT(::IsWindow(m_hWnd));
    CDataExchange dx(this, bSaveAndValidate);

    // Setting a control's value sends notifications that are not the user's doing.
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    HWND hWndOldLockout = pState->m_hLockoutNotifyWindow;
    pState->m_hLockoutNotifyWindow = m_hWnd;
    BOOL bOK = FALSE;
    try
    {
        DoDataExchange(&dx);
        bOK = TRUE;
    }
    catch (CUserException* e)
    {
        // A value failed and the user has been told.
        e->Delete();
    }
    catch (CException* e)
    {
        e->ReportError(MB_ICONEXCLAMATION, AFX_IDP_INTERNAL_FAILURE);
        e->Delete();
    }
    pState->m_hLockoutNotifyWindow = hWndOldLockout;
    return bOK;
}

// CDataExchange

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd), m_hWndLastControl(NULL),
      m_bEditLastControl(FALSE)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    ASSERT(nIDC != 0 && nIDC != -1);
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (hWndCtrl == NULL)
        AfxThrowNotSupportedException();
    m_hWndLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    // Only a failed save leads the user back to the control.
    if (m_bSaveAndValidate && m_hWndLastControl != NULL)
    {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

// Buttons

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        value = (int)::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0);
    }
    else
    {
        // Unchecked, checked or indeterminate; anything else shows unchecked.
        if (value < 0 || value > 2)
            value = 0;
        ::SendMessage(hWndCtrl, BM_SETCHECK, value, 0);
    }
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    ASSERT(::GetWindowLong(hWndCtrl, GWL_STYLE) & WS_GROUP);
    if (pDX->m_bSaveAndValidate)
        value = -1;

    // The radio buttons of the group, in the order of the windows, up to the next group;
    // other controls in the group are not counted.
    int nButton = 0;
    do
    {
        if (::SendMessage(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
        {
            if (!pDX->m_bSaveAndValidate)
                ::SendMessage(hWndCtrl, BM_SETCHECK, nButton == value, 0);
            else if (value == -1 && ::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0) != 0)
                value = nButton;
            nButton++;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != NULL && !(::GetWindowLong(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

// List and combo boxes

namespace {

void ListBoxString(CDataExchange* pDX, int nIDC, CString& value, BOOL bExact)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        AfxGetItemText(hWndCtrl, (int)::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0), LB_GETTEXTLEN, LB_GETTEXT, value);
    }
    else
    {
        // No item that fits: no selection, rather than one that would be saved back.
        int nIndex = (int)::SendMessage(hWndCtrl, bExact ? LB_FINDSTRINGEXACT : LB_FINDSTRING, (WPARAM)-1,
                                        (LPARAM)(LPCSTR)value);
        ::SendMessage(hWndCtrl, LB_SETCURSEL, nIndex, 0);
    }
}

BOOL HasEditField(HWND hWndCombo) { return (::GetWindowLong(hWndCombo, GWL_STYLE) & 0x3) != CBS_DROPDOWNLIST; }

void ComboBoxString(CDataExchange* pDX, int nIDC, CString& value, BOOL bExact)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        if (HasEditField(hWndCtrl))
            AfxGetWindowText(hWndCtrl, value);
        else
            AfxGetItemText(hWndCtrl, (int)::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0), CB_GETLBTEXTLEN,
                           CB_GETLBTEXT, value);
        return;
    }
    // No item that fits: no selection.
    int nIndex = (int)::SendMessage(hWndCtrl, bExact ? CB_FINDSTRINGEXACT : CB_FINDSTRING, (WPARAM)-1,
                                    (LPARAM)(LPCSTR)value);
    ::SendMessage(hWndCtrl, CB_SETCURSEL, nIndex, 0);
    // An edit field shows the text itself, found in the list or not.
    if (HasEditField(hWndCtrl))
        AfxSetWindowText(hWndCtrl, value);
}

} // namespace

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value) { ListBoxString(pDX, nIDC, value, FALSE); }

void AFXAPI DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value) { ListBoxString(pDX, nIDC, value, TRUE); }

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hWndCtrl, LB_SETCURSEL, index, 0);
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value) { ComboBoxString(pDX, nIDC, value, FALSE); }

void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value) { ComboBoxString(pDX, nIDC, value, TRUE); }

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hWndCtrl, CB_SETCURSEL, index, 0);
}

// Scroll bars and control objects

void AFXAPI DDX_Scroll(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ::GetScrollPos(hWndCtrl, SB_CTL);
    else
        ::SetScrollPos(hWndCtrl, SB_CTL, value, TRUE);
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != NULL)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    // Bound to another object already: a programming error, reported as unsupported.
    if (!rControl.SubclassWindow(hWndCtrl))
        AfxThrowNotSupportedException();
}
