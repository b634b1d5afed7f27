// CContainerEdit: the edit window's place, its text and font, and the value it holds.
#include "limn/containers/ContainerEdit.h"
#include "limn/containers/ContainerMessages.h"
#include "limn/containers/WndContainer.h"

#include <algorithm>
#include <stdlib.h>

IMPLEMENT_DYNAMIC(CContainerEdit, CContainer)

namespace {

// The rich edit control's largest character size.
const int nMaxPointSize = 1638;

} // namespace

// Linked only once constructed: the parent's layout calls SetBounds, which must be this
// class's, or the container would take bounds of its own.
CContainerEdit::CContainerEdit(CContainer* pParent)
    : CContainerControl(NULL, arrangeNone), m_edit(this), m_nFontSize(defaultFontSize), m_bLaidOut(FALSE)
{
    SetFillColor(RGB(0xFF, 0xFF, 0xFF));
    SetParent(pParent);
}

// Layout and showing

void CContainerEdit::SetBounds(const CRect& rect)
{
    CRect rectWindow = rect;
    ClientToWindow(&rectWindow);
    rectWindow.DeflateRect(1, 1);
    m_rectWindow = rectWindow;
    m_bLaidOut = TRUE;
    CreateOrMoveWindow(rectWindow);
}

void CContainerEdit::OnMessage(Message* pMsg)
{
    auto* pResized = dynamic_cast<MsgWindowResized*>(pMsg);
    if (pResized != NULL && m_bLaidOut && m_edit.m_hWnd == NULL &&
        static_cast<CContainer*>(pResized->m_pWndContainer) == GetTopParent())
        CreateOrMoveWindow(m_rectWindow);
    CContainerControl::OnMessage(pMsg);
}

// The window is shown only when the container and every container around it are: a
// layout inside a hidden part of the screen must not bring the window up.
void CContainerEdit::CreateOrMoveWindow(const CRect& rect)
{
    if (m_edit.m_hWnd != NULL)
    {
        m_edit.MoveWindow(&rect, TRUE);
    }
    else
    {
        CWnd* pWnd = GetWindowPtr();
        if (pWnd != NULL && pWnd->m_hWnd != NULL && m_edit.Create(ES_WANTRETURN, rect, pWnd, 0))
            SetFont(m_nFontSize, m_strFace);
    }
    if (IsReallyVisible())
        OnShow();
}

void CContainerEdit::OnShow()
{
    if (m_edit.m_hWnd != NULL)
        m_edit.ShowWindow(SW_SHOW);
    CContainerControl::OnShow();
}

void CContainerEdit::OnHide()
{
    if (m_edit.m_hWnd != NULL)
        m_edit.ShowWindow(SW_HIDE);
    CContainerControl::OnHide();
}

// While the screen's document is active, a view that has the focus gives it to the edit.
void CContainerEdit::OnIdle(DWORD)
{
    if (m_edit.m_hWnd == NULL || !IsDocActive())
        return;
    CWnd* pFocus = CWnd::FromHandlePermanent(::GetFocus());
    if (pFocus != NULL && pFocus->IsKindOf(RUNTIME_CLASS(CView)))
        m_edit.SetFocus();
}

// Text

void CContainerEdit::SetText(const char* pszText)
{
    if (m_edit.m_hWnd != NULL)
        m_edit.SetWindowText(pszText);
    SetFont(m_nFontSize, m_strFace);
}

void CContainerEdit::GetText(CString& strText) const
{
    if (m_edit.m_hWnd != NULL)
        m_edit.GetWindowText(strText);
}

long CContainerEdit::GetTextLength() const { return m_edit.m_hWnd != NULL ? m_edit.GetTextLength() : 0; }

void CContainerEdit::GetSelection(long& nStart, long& nEnd) const
{
    if (m_edit.m_hWnd != NULL)
        m_edit.GetSel(nStart, nEnd);
    else
        nStart = nEnd = 0;
}

void CContainerEdit::SetSelection(long nStart, long nEnd)
{
    if (m_edit.m_hWnd != NULL)
        m_edit.SetSel(nStart, nEnd);
}

void CContainerEdit::SetFont(int nPointSize, const char* pszFace)
{
    // A copy first: pszFace may be m_strFace's own text.
    CString strFace = pszFace != NULL ? pszFace : "";
    if (m_edit.m_hWnd != NULL)
    {
        CHARFORMAT cf = {};
        cf.dwMask = CFM_SIZE;
        cf.yHeight = std::clamp(nPointSize, 1, nMaxPointSize) * 20;
        if (!strFace.IsEmpty())
        {
            cf.dwMask |= CFM_FACE;
            lstrcpynA(cf.szFaceName, strFace, LF_FACESIZE);
        }
        m_edit.SetDefaultCharFormat(cf);
        m_edit.SetSelectionCharFormat(cf);
    }
    m_strFace = strFace;
    m_nFontSize = nPointSize;
}

// Value

void CContainerEdit::SetValue(const char* pszValue) { SetText(pszValue); }

void CContainerEdit::SetValue(int nValue)
{
    CString strValue;
    strValue.Format("%d", nValue);
    SetValue((const char*)strValue);
}

void CContainerEdit::SetValue(double dValue)
{
    CString strValue;
    strValue.Format("%f", dValue);
    SetValue((const char*)strValue);
}

// long is int's size here, and strtol gives the limit that an overflow passed.
CContainerEdit::operator int()
{
    CString strText;
    GetText(strText);
    return (int)strtol(strText, NULL, 10);
}

CContainerEdit::operator double()
{
    CString strText;
    GetText(strText);
    return strtod(strText, NULL);
}

CContainerEdit::operator CString()
{
    CString strText;
    GetText(strText);
    return strText;
}
