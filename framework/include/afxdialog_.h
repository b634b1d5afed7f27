// CDialog: a dialog box from a template, modal (DoModal runs the framework's own modal
// loop with the owner disabled, and centres the dialog on it unless OnInitDialog placed
// it) or modeless (Create). Templates named by id or name are found through the
// resource chain, so a template of an extension library opens from code in any module.
// The dialog's window is bound to the object before its first message; WM_INITDIALOG
// reaches OnInitDialog, which fills the combo and list boxes from the template's
// dialog-init data and loads the controls from the members (UpdateData(FALSE)); OK
// saves and validates them (UpdateData(TRUE)) before the dialog ends. The dialog keys
// (Tab, arrows, Enter, Esc) work through PreTranslateMessage, in modal and modeless
// dialogs alike.
#pragma once

#include "afxdata_.h"

class AFX_FRAMEWORK CDialog : public CWnd
{
    DECLARE_DYNAMIC(CDialog)
public:
    // For a modeless dialog (Create) or InitModalIndirect.
    CDialog();
    // For a modal dialog: the template, and the window whose top-level window owns it
    // (NULL: the main window's last active popup, the main window itself when it has
    // none; see GetSafeOwner).
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    ~CDialog() override;

// Modeless
    // FALSE when the template is missing or the window cannot be created. NULL parent:
    // the main window.
    virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL);
    virtual BOOL CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = NULL);

// Modal
    // A template in memory for DoModal; the caller keeps it while the dialog runs.
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = NULL);
    BOOL InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd = NULL);
    // Runs the dialog until EndDialog; its result, or -1 when the template is missing,
    // the dialog cannot be created, its window was destroyed without EndDialog or a
    // framework exception ended it (the exception is deleted). Any other exception
    // leaves with the owner enabled and the window gone.
    virtual int DoModal();
    // Ends a modal dialog with nResult; hides a modeless one.
    void EndDialog(int nResult);

// Operations
    // Dialog units to pixels.
    void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }
    void SetHelpID(UINT nIDR) { m_nIDHelp = nIDR; }
    // Focus to the next or previous control of the tab order, or to pWndCtrl.
    void NextDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
    void GotoDlgCtrl(CWnd* pWndCtrl);
    // The default push button; GetDefID gives DC_HASDEFID in the high word with it.
    void SetDefID(UINT nID) { ::SendMessage(m_hWnd, DM_SETDEFID, nID, 0); }
    DWORD GetDefID() const { return (DWORD)::SendMessage(m_hWnd, DM_GETDEFID, 0, 0); }

// Overridables
    // After the controls are created: fills them with the template's dialog-init data
    // (ExecuteDlgInit), then loads them from the members; TRUE lets the dialog give the
    // focus to its first control. A failure of either ends the dialog with -1.
    virtual BOOL OnInitDialog();
    // Whether a dialog that OnInitDialog left where it was is centred on its owner: not
    // when its template places it (DS_CENTER, DS_CENTERMOUSE, DS_ABSALIGN).
    virtual BOOL CheckAutoCenter();
    // The font of the template, before the controls are created.
    virtual void OnSetFont(CFont* pFont);

protected:
    // The OK button: saves and validates the data, then ends the dialog with IDOK; a
    // failure keeps the dialog open.
    virtual void OnOK();
    // The Cancel button, Esc and closing: ends the dialog with IDCANCEL.
    virtual void OnCancel();

// Implementation
public:
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The dialog's own map; then commands (ids 0x8000-0xDFFF) go on to its owner and
    // to the application.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    UINT m_nIDHelp;
    LPCTSTR m_lpszTemplateName;         // a name, or MAKEINTRESOURCE of an id
    HGLOBAL m_hDialogTemplate;          // InitModalIndirect's or CreateIndirect's template
    LPCDLGTEMPLATE m_lpDialogTemplate;
    CWnd* m_pParentWnd;
    HWND m_hWndTop;                     // disabled by DoModal besides the owner

protected:
    // Before the controls of the template exist: nothing by default.
    virtual void PreInitDialog();
    // The owner for DoModal, with what must be disabled; PostModal undoes it.
    HWND PreModal();
    void PostModal();

    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT HandleSetFont(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void Init(LPCTSTR lpszTemplateName, CWnd* pParentWnd);
};
