// CEditView: a view that is a multi-line edit control. The control holds the text;
// the view saves and loads it through its document's archive (Serialize with a length
// before the characters, SerializeRaw the characters alone, as a text file), marks the
// document modified when the user changes the text, and takes the Edit menu's
// commands: Cut, Copy, Paste, Undo, Select All and Clear, each enabled only when it
// would do something, and Find, Replace and Repeat through the modeless find dialog.
// The process has one find dialog at a time and one remembered search (text, case,
// direction, replacement), which every edit view continues.
#pragma once

#include "afxwin.h"

class AFX_FRAMEWORK CEditView : public CCtrlView
{
    DECLARE_DYNCREATE(CEditView)
public:
    CEditView();
    ~CEditView() override;

    // The control's styles: a visible child with a border, multi-line, both scroll
    // bars, scrolling as the caret moves, and the selection shown without the focus.
    static const DWORD dwStyleDefault;

// Attributes
    // The control as a CEdit; it is this view's own window.
    CEdit& GetEditCtrl() const;
    // The number of characters of the text, without the terminating null.
    UINT GetBufferLength() const;
    // The control's own buffer, read-only, until UnlockBuffer; NULL when the control
    // gives no access to it.
    LPCTSTR LockBuffer() const;
    void UnlockBuffer() const;
    void GetSelectedText(CString& strResult) const;

// Operations
    // Stores the length (a DWORD) and then the characters; loading checks that the
    // characters are all there (CArchiveException::endOfFile when they are not).
    void Serialize(CArchive& ar) override;
    // The characters alone: storing writes the text, loading reads the rest of the
    // archive's file as the text. Text with a null character cannot be held by the
    // control and is refused (CArchiveException::generic), the view left as it was.
    void SerializeRaw(CArchive& ar);
    // Selects the next occurrence of lpszFind after the selection (bNext) or the one
    // before it, going round the end of the text; FALSE when there is none.
    BOOL FindText(LPCTSTR lpszFind, BOOL bNext = TRUE, BOOL bCase = TRUE);

protected:
// Searching, as the find dialog asks
    // FindText, else OnTextNotFound.
    virtual void OnFindNext(LPCTSTR lpszFind, BOOL bNext, BOOL bCase);
    // A selection that is lpszFind becomes lpszReplace (undoably); then the next one
    // is found.
    virtual void OnReplaceSel(LPCTSTR lpszFind, BOOL bNext, BOOL bCase, LPCTSTR lpszReplace);
    // Every occurrence, left to right and not overlapping, in one step that Undo takes
    // back; OnTextNotFound when there is none.
    virtual void OnReplaceAll(LPCTSTR lpszFind, LPCTSTR lpszReplace, BOOL bCase);
    // A beep.
    virtual void OnTextNotFound(LPCTSTR lpszFind);

    // EN_CHANGE: the user changed the text, so the document is modified; the parent
    // still hears of it.
    afx_msg BOOL OnEditChange();

    afx_msg void OnEditCut();
    afx_msg void OnEditCopy();
    afx_msg void OnEditPaste();
    afx_msg void OnEditUndo();
    afx_msg void OnEditSelectAll();
    afx_msg void OnEditClear();
    // Cut and Clear: a selection in a writable control; Copy: a selection.
    afx_msg void OnUpdateNeedSel(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNeedWritableSel(CCmdUI* pCmdUI);
    // Paste: text on the clipboard and a writable control.
    afx_msg void OnUpdateNeedClip(CCmdUI* pCmdUI);
    afx_msg void OnUpdateEditUndo(CCmdUI* pCmdUI);
    // Select All and Find: any text; Replace: any text in a writable control; Repeat:
    // any text and a search made before.
    afx_msg void OnUpdateNeedText(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNeedWritableText(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNeedFind(CCmdUI* pCmdUI);

    // Open the find dialog (or bring it forward), starting from the selection when it
    // is within a line, else from the remembered search.
    afx_msg void OnEditFind();
    afx_msg void OnEditReplace();
    // The remembered search once more.
    afx_msg void OnEditRepeat();
    // FINDMSGSTRING from the find dialog.
    afx_msg LRESULT OnFindReplaceCmd(WPARAM wParam, LPARAM lParam);
    // A find dialog that reports to this view closes with it.
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    // Sets the text as it was read; refuses text with a null character.
    void SetLoadedText(const CString& strText);
    BOOL IsReadOnly() const { return (GetStyle() & ES_READONLY) != 0; }
    void OnEditFindReplace(BOOL bFindOnly);

    // A CEdit over this view's window, not bound to it (the view is bound).
    mutable CEdit m_edit;
    mutable HLOCAL m_hLocked;       // the buffer LockBuffer locked
};
