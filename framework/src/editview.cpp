// CEditView: the edit control as a view, its text in archives, and the Edit commands.
#include "afxdlgs.h"
#include "afxext.h"

IMPLEMENT_DYNCREATE(CEditView, CCtrlView)

namespace {

const UINT s_nMsgFindReplace = ::RegisterWindowMessageA(FINDMSGSTRING);

} // namespace

BEGIN_MESSAGE_MAP(CEditView, CCtrlView)
    ON_CONTROL_REFLECT_EX(EN_CHANGE, OnEditChange)
    ON_COMMAND(ID_EDIT_CUT, OnEditCut)
    ON_COMMAND(ID_EDIT_COPY, OnEditCopy)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_COMMAND(ID_EDIT_UNDO, OnEditUndo)
    ON_COMMAND(ID_EDIT_SELECT_ALL, OnEditSelectAll)
    ON_COMMAND(ID_EDIT_CLEAR, OnEditClear)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CUT, OnUpdateNeedWritableSel)
    ON_UPDATE_COMMAND_UI(ID_EDIT_CLEAR, OnUpdateNeedWritableSel)
    ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, OnUpdateNeedSel)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateNeedClip)
    ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO, OnUpdateEditUndo)
    ON_UPDATE_COMMAND_UI(ID_EDIT_SELECT_ALL, OnUpdateNeedText)
    ON_WM_DESTROY()
    ON_COMMAND(ID_EDIT_FIND, OnEditFind)
    ON_COMMAND(ID_EDIT_REPLACE, OnEditReplace)
    ON_COMMAND(ID_EDIT_REPEAT, OnEditRepeat)
    ON_UPDATE_COMMAND_UI(ID_EDIT_FIND, OnUpdateNeedText)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REPLACE, OnUpdateNeedWritableText)
    ON_UPDATE_COMMAND_UI(ID_EDIT_REPEAT, OnUpdateNeedFind)
    ON_REGISTERED_MESSAGE(s_nMsgFindReplace, OnFindReplaceCmd)
END_MESSAGE_MAP()

const DWORD CEditView::dwStyleDefault = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL
                                        | ES_AUTOVSCROLL | ES_MULTILINE | ES_NOHIDESEL;

CEditView::CEditView() : CCtrlView("EDIT", dwStyleDefault), m_hLocked(NULL) {}

CEditView::~CEditView()
{
    // m_edit only borrows the handle; its own destructor must not destroy the window.
    m_edit.m_hWnd = NULL;
}

// Attributes

CEdit& CEditView::GetEditCtrl() const
{
    m_edit.m_hWnd = m_hWnd;
    return m_edit;
}

UINT CEditView::GetBufferLength() const { return (UINT)::GetWindowTextLength(m_hWnd); }

LPCTSTR CEditView::LockBuffer() const
{
    ASSERT(m_hLocked == NULL);
    HLOCAL hBuffer = (HLOCAL)::SendMessage(m_hWnd, EM_GETHANDLE, 0, 0);
    LPCTSTR lpsz = hBuffer != NULL ? (LPCTSTR)::LocalLock(hBuffer) : NULL;
    if (lpsz != NULL)
        m_hLocked = hBuffer;
    return lpsz;
}

void CEditView::UnlockBuffer() const
{
    if (m_hLocked != NULL)
        ::LocalUnlock(m_hLocked);
    m_hLocked = NULL;
}

void CEditView::GetSelectedText(CString& strResult) const
{
    int nStart, nEnd;
    GetEditCtrl().GetSel(nStart, nEnd);
    CString strText;
    GetWindowText(strText);
    nStart = max(0, min(nStart, strText.GetLength()));
    nEnd = max(nStart, min(nEnd, strText.GetLength()));
    strResult = strText.Mid(nStart, nEnd - nStart);
}

// Archives

namespace {

// Up to nMax characters from the archive, a block at a time, so that a length read
// from a damaged file costs no more memory than the file has characters; the count
// read is in nRead. More than a string can hold is a memory exception.
CString ReadChars(CArchive& ar, DWORD nMax, UINT& nRead)
{
    const UINT nBlock = 0x10000;
    CString strText;
    nRead = 0;
    while (nRead < nMax)
    {
        if (nRead > (UINT)INT_MAX - nBlock)
            AfxThrowMemoryException();
        UINT nWant = (UINT)min<DWORD>(nBlock, nMax - nRead);
        LPTSTR lpsz = strText.GetBuffer(nRead + nWant);
        UINT nGot = ar.Read(lpsz + nRead, nWant);
        nRead += nGot;
        strText.ReleaseBuffer(nRead);
        if (nGot < nWant)
            break;
    }
    return strText;
}

} // namespace

void CEditView::SetLoadedText(const CString& strText)
{
    // The control's text ends at a null character: whatever followed would be lost.
    if (::lstrlen(strText) != strText.GetLength())
        AfxThrowArchiveException(CArchiveException::generic);
    SetWindowText(strText);
}

void CEditView::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        CString strText;
        GetWindowText(strText);
        ar << (DWORD)strText.GetLength();
        ar.Write((LPCTSTR)strText, strText.GetLength());
        return;
    }
    DWORD nLength;
    ar >> nLength;
    UINT nRead;
    CString strText = ReadChars(ar, nLength, nRead);
    if (nRead != nLength)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    SetLoadedText(strText);
}

void CEditView::SerializeRaw(CArchive& ar)
{
    if (ar.IsStoring())
    {
        CString strText;
        GetWindowText(strText);
        ar.Write((LPCTSTR)strText, strText.GetLength());
        return;
    }
    UINT nRead;
    CString strText = ReadChars(ar, 0xFFFFFFFE, nRead);
    SetLoadedText(strText);
}

// Notifications and commands

BOOL CEditView::OnEditChange()
{
    if (m_pDocument != NULL)
        m_pDocument->SetModifiedFlag();
    return FALSE;
}

void CEditView::OnEditCut() { GetEditCtrl().Cut(); }

void CEditView::OnEditCopy() { GetEditCtrl().Copy(); }

void CEditView::OnEditPaste() { GetEditCtrl().Paste(); }

void CEditView::OnEditUndo() { GetEditCtrl().Undo(); }

void CEditView::OnEditSelectAll() { GetEditCtrl().SetSel(0, -1); }

void CEditView::OnEditClear() { GetEditCtrl().Clear(); }

void CEditView::OnUpdateNeedSel(CCmdUI* pCmdUI)
{
    int nStart, nEnd;
    GetEditCtrl().GetSel(nStart, nEnd);
    pCmdUI->Enable(nStart != nEnd);
}

void CEditView::OnUpdateNeedWritableSel(CCmdUI* pCmdUI)
{
    int nStart, nEnd;
    GetEditCtrl().GetSel(nStart, nEnd);
    pCmdUI->Enable(nStart != nEnd && !IsReadOnly());
}

void CEditView::OnUpdateNeedClip(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(::IsClipboardFormatAvailable(CF_TEXT) && !IsReadOnly());
}

void CEditView::OnUpdateEditUndo(CCmdUI* pCmdUI) { pCmdUI->Enable(GetEditCtrl().CanUndo() && !IsReadOnly()); }

void CEditView::OnUpdateNeedText(CCmdUI* pCmdUI) { pCmdUI->Enable(::GetWindowTextLength(m_hWnd) != 0); }

void CEditView::OnUpdateNeedWritableText(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(::GetWindowTextLength(m_hWnd) != 0 && !IsReadOnly());
}
