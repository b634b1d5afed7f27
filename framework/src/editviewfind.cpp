// CEditView: searching and replacing in the text, and the find dialog that asks for it.
#include "afxdlgs.h"
#include "afxext.h"

namespace {

// The one find dialog of the process and the search it last asked for. The dialog is
// kept by its window, which may go without telling (with its owner's top-level
// window), so the object is looked up again through the handle map.
struct CEditFindState
{
    HWND hWndDialog = NULL;
    BOOL bFindOnly = TRUE;
    CString strFind;
    CString strReplace;
    BOOL bCase = FALSE;
    BOOL bNext = TRUE;

    CFindReplaceDialog* Dialog() const
    {
        return dynamic_cast<CFindReplaceDialog*>(CWnd::FromHandlePermanent(hWndDialog));
    }
};

CEditFindState& FindState()
{
    static CEditFindState state;
    return state;
}

// Whether lpszFind occurs in strText at nPos.
BOOL MatchesAt(const CString& strText, int nPos, LPCTSTR lpszFind, int nFind, BOOL bCase)
{
    LPCTSTR lpsz = (LPCTSTR)strText + nPos;
    return bCase ? strncmp(lpsz, lpszFind, nFind) == 0 : _strnicmp(lpsz, lpszFind, nFind) == 0;
}

} // namespace

BOOL CEditView::FindText(LPCTSTR lpszFind, BOOL bNext, BOOL bCase)
{
    int nFind = lpszFind != NULL ? lstrlen(lpszFind) : 0;
    CString strText;
    GetWindowText(strText);
    int nLast = strText.GetLength() - nFind;     // the last place an occurrence can start
    if (nFind == 0 || nLast < 0)
        return FALSE;

    int nStart, nEnd;
    GetEditCtrl().GetSel(nStart, nEnd);
    // Forward from the selection's end, backward from just before its start; each goes
    // round the end of the text once.
    int nFrom = bNext ? nEnd : min(nStart - 1, nLast);
    int nStep = bNext ? 1 : -1;
    int nCount = nLast + 1;
    for (int i = 0, nPos = nFrom; i < nCount; i++, nPos += nStep)
    {
        if (nPos > nLast)
            nPos = 0;
        else if (nPos < 0)
            nPos = nLast;
        if (MatchesAt(strText, nPos, lpszFind, nFind, bCase))
        {
            GetEditCtrl().SetSel(nPos, nPos + nFind);
            return TRUE;
        }
    }
    return FALSE;
}

void CEditView::OnFindNext(LPCTSTR lpszFind, BOOL bNext, BOOL bCase)
{
    if (!FindText(lpszFind, bNext, bCase))
        OnTextNotFound(lpszFind);
}

void CEditView::OnReplaceSel(LPCTSTR lpszFind, BOOL bNext, BOOL bCase, LPCTSTR lpszReplace)
{
    // The dialog may have been opened before the text became read-only.
    if (IsReadOnly())
    {
        ::MessageBeep(MB_ICONHAND);
        return;
    }
    CString strSelected;
    GetSelectedText(strSelected);
    int nFind = lstrlen(lpszFind);
    if (nFind != 0 && strSelected.GetLength() == nFind && MatchesAt(strSelected, 0, lpszFind, nFind, bCase))
        GetEditCtrl().ReplaceSel(lpszReplace, TRUE);
    OnFindNext(lpszFind, bNext, bCase);
}

void CEditView::OnReplaceAll(LPCTSTR lpszFind, LPCTSTR lpszReplace, BOOL bCase)
{
    if (IsReadOnly())
    {
        ::MessageBeep(MB_ICONHAND);
        return;
    }
    int nFind = lstrlen(lpszFind);
    CString strText;
    GetWindowText(strText);
    CString strResult;
    int nReplaced = 0;
    int nCopied = 0;        // the text before this is in strResult
    for (int nPos = 0; nFind != 0 && nPos + nFind <= strText.GetLength();)
    {
        if (!MatchesAt(strText, nPos, lpszFind, nFind, bCase))
        {
            nPos++;
            continue;
        }
        strResult += strText.Mid(nCopied, nPos - nCopied);
        strResult += lpszReplace;
        nPos += nFind;
        nCopied = nPos;
        nReplaced++;
    }
    strResult += strText.Mid(nCopied);
    if (nReplaced == 0)
    {
        OnTextNotFound(lpszFind);
        return;
    }
    GetEditCtrl().SetSel(0, -1);
    GetEditCtrl().ReplaceSel(strResult, TRUE);
}

void CEditView::OnTextNotFound(LPCTSTR) { ::MessageBeep(MB_ICONHAND); }

// The find dialog

void CEditView::OnEditFind() { OnEditFindReplace(TRUE); }

void CEditView::OnEditReplace() { OnEditFindReplace(FALSE); }

void CEditView::OnEditFindReplace(BOOL bFindOnly)
{
    CEditFindState& state = FindState();
    if (CFindReplaceDialog* pDlg = state.Dialog())
    {
        if (state.bFindOnly == bFindOnly)
        {
            pDlg->SetActiveWindow();
            pDlg->ShowWindow(SW_SHOW);
            return;
        }
        // The other kind: this one goes (deleting its object) and the new one comes.
        pDlg->DestroyWindow();
    }
    state.hWndDialog = NULL;

    CString strSelected;
    GetSelectedText(strSelected);
    if (!strSelected.IsEmpty() && strSelected.FindOneOf("\r\n") < 0)
        state.strFind = strSelected;
    auto* pDlg = new CFindReplaceDialog;
    DWORD dwFlags = (state.bNext ? FR_DOWN : 0) | (state.bCase ? FR_MATCHCASE : 0);
    if (!pDlg->Create(bFindOnly, state.strFind, state.strReplace, dwFlags, this))
    {
        delete pDlg;
        return;
    }
    state.hWndDialog = pDlg->m_hWnd;
    state.bFindOnly = bFindOnly;
}

void CEditView::OnEditRepeat()
{
    const CEditFindState& state = FindState();
    OnFindNext(state.strFind, state.bNext, state.bCase);
}

void CEditView::OnUpdateNeedFind(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(::GetWindowTextLength(m_hWnd) != 0 && !FindState().strFind.IsEmpty());
}

LRESULT CEditView::OnFindReplaceCmd(WPARAM, LPARAM lParam)
{
    CFindReplaceDialog* pDlg = CFindReplaceDialog::GetNotifier(lParam);
    CEditFindState& state = FindState();
    if (pDlg->IsTerminating())
    {
        if (pDlg->m_hWnd == state.hWndDialog)
            state.hWndDialog = NULL;
        return 0;
    }
    // Remembered first: the search goes on from here with Repeat, in any edit view.
    state.strFind = pDlg->GetFindString();
    state.strReplace = pDlg->GetReplaceString();
    state.bCase = pDlg->MatchCase();
    state.bNext = pDlg->SearchDown();
    if (pDlg->FindNext())
        OnFindNext(state.strFind, state.bNext, state.bCase);
    else if (pDlg->ReplaceCurrent())
        OnReplaceSel(state.strFind, state.bNext, state.bCase, state.strReplace);
    else if (pDlg->ReplaceAll())
        OnReplaceAll(state.strFind, state.strReplace, state.bCase);
    return 0;
}

void CEditView::OnDestroy()
{
    CEditFindState& state = FindState();
    CFindReplaceDialog* pDlg = state.Dialog();
    if (pDlg != NULL && pDlg->m_fr.hwndOwner == m_hWnd)
    {
        state.hWndDialog = NULL;
        pDlg->DestroyWindow();
    }
    CCtrlView::OnDestroy();
}
