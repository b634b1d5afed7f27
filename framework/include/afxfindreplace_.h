// CFindReplaceDialog over FindText and ReplaceText: the system's modeless Find and
// Replace dialogs. The owner hears of each request through the registered message
// FINDMSGSTRING, whose lParam GetNotifier turns back into the dialog object. The object
// lives on the heap and deletes itself when its window is gone.
#pragma once

// The common dialogs' base, CCommonDialog.
#include "afxdlgs.h"

class AFX_FRAMEWORK CFindReplaceDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFindReplaceDialog)
public:
    // Only with new: the object deletes itself when the dialog closes.
    CFindReplaceDialog();

    // Shows the Find dialog (bFindDialogOnly) or the Replace dialog, owned by
    // pParentWnd (NULL: the main window), which receives FINDMSGSTRING. Longer texts
    // than the dialog holds (127 characters) are cut. FALSE when there is no owner or
    // the dialog cannot be created; the object then stays the caller's to delete.
    virtual BOOL Create(BOOL bFindDialogOnly, LPCTSTR lpszFindWhat, LPCTSTR lpszReplaceWith = NULL,
                        DWORD dwFlags = FR_DOWN, CWnd* pParentWnd = NULL);

    FINDREPLACE m_fr;

    // The dialog that sent a FINDMSGSTRING message, from the message's lParam.
    static CFindReplaceDialog* PASCAL GetNotifier(LPARAM lParam);

// The request of a FINDMSGSTRING message
    CString GetFindString() const { return m_fr.lpstrFindWhat; }
    CString GetReplaceString() const { return m_fr.lpstrReplaceWith; }
    BOOL SearchDown() const { return (m_fr.Flags & FR_DOWN) != 0; }
    BOOL FindNext() const { return (m_fr.Flags & FR_FINDNEXT) != 0; }
    BOOL MatchCase() const { return (m_fr.Flags & FR_MATCHCASE) != 0; }
    BOOL MatchWholeWord() const { return (m_fr.Flags & FR_WHOLEWORD) != 0; }
    BOOL ReplaceCurrent() const { return (m_fr.Flags & FR_REPLACE) != 0; }
    BOOL ReplaceAll() const { return (m_fr.Flags & FR_REPLACEALL) != 0; }
    // The dialog is closing: the last message, after which the object goes.
    BOOL IsTerminating() const { return (m_fr.Flags & FR_DIALOGTERM) != 0; }

protected:
    void PostNcDestroy() override;

    TCHAR m_szFindWhat[128];
    TCHAR m_szReplaceWith[128];

private:
    static UINT_PTR CALLBACK HookProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};
