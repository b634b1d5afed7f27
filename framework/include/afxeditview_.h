// CEditView: a view that is a multi-line edit control. The control holds the text;
// the view saves and loads it through its document's archive (Serialize with a length
// before the characters, SerializeRaw the characters alone, as a text file), marks the
// document modified when the user changes the text, and takes the Edit menu's
// commands: Cut, Copy, Paste, Undo, Select All and Clear, each enabled only when it
// would do something.
#pragma once

#include "afxwin.h"

class AFX_FRAMEWORK CEditView : public CCtrlView
{
    DECLARE_DYNCREATE(CEditView)
public:
    CEditView();
    ~CEditView() override;

    // The control's styles: multi-line, both scroll bars, scrolling as the caret
    // moves, and the selection shown without the focus.
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

protected:
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
    // Select All: any text.
    afx_msg void OnUpdateNeedText(CCmdUI* pCmdUI);

    DECLARE_MESSAGE_MAP()

private:
    // Sets the text as it was read; refuses text with a null character.
    void SetLoadedText(const CString& strText);
    BOOL IsReadOnly() const { return (GetStyle() & ES_READONLY) != 0; }

    // A CEdit over this view's window, not bound to it (the view is bound).
    mutable CEdit m_edit;
    mutable HLOCAL m_hLocked;       // the buffer LockBuffer locked
};
