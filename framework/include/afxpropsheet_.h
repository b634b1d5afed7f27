// CPropertySheet and CPropertyPage over the system's property sheets (comctl32.dll's
// PropertySheet). A page is a CDialog made from its template (the tab shows the
// template's caption unless the page names a string of its own); it is created when
// first shown and bound to its object before its first message. Its controls are
// loaded from the members when it is created (OnInitDialog) and saved back when it
// is left (OnKillActive), so that pages exchange their data through DDX like dialogs.
// The sheet is bound to its object as well. DoModal runs the framework's modal loop
// over the sheet; Create makes a modeless sheet, which the program destroys when the
// sheet is done (GetActivePage NULL after OK or Cancel).
#pragma once

#include "afxwin.h"

#include <commctrl.h>
#include <prsht.h>

class CTabCtrl;

class AFX_FRAMEWORK CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    // For Construct.
    CPropertyPage();
    // nIDCaption: a string resource for the tab; 0 takes the template's caption.
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    // What the sheet makes the page from: template, caption, flags. The page's own
    // members; a program may add flags (PSP_HASHELP ...) before the page is added.
    PROPSHEETPAGE m_psp;

// Operations, while the page is open in a sheet
    // Replaces Cancel with Close: the changes made cannot be undone.
    void CancelToClose();
    // Enables (TRUE) the sheet's Apply button for this page's changes, or withdraws them.
    void SetModified(BOOL bChanged = TRUE);
    // Sends PSM_QUERYSIBLINGS to every other page of the sheet, which answer through
    // ON_MESSAGE; the first nonzero answer, or 0.
    LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);

// Overridables
    // The page becomes the sheet's current page: FALSE keeps it from showing (the sheet
    // moves on to the next). TRUE by default.
    virtual BOOL OnSetActive();
    // The page is about to be left (for another page, OK or Apply): saves the controls
    // into the members (UpdateData(TRUE)); FALSE, when they do not validate, keeps it.
    virtual BOOL OnKillActive();
    // OK or Apply, after OnKillActive: OnApply calls OnOK, which marks the page unchanged;
    // OnApply returns FALSE to keep the sheet open on this page.
    virtual void OnOK();
    virtual BOOL OnApply();
    // Cancel: OnReset calls OnCancel, which marks the page unchanged.
    virtual void OnCancel();
    virtual void OnReset();
    // Cancel asked for: FALSE keeps the sheet open. TRUE by default.
    virtual BOOL OnQueryCancel();
    // Wizard buttons: 0 goes on to the next (previous) page, -1 stays, a template id
    // goes to that page. 0 by default.
    virtual LRESULT OnWizardBack();
    virtual LRESULT OnWizardNext();
    // Finish: saves the controls into the members as OnKillActive does (the sheet does
    // not tell the last page it is left); FALSE keeps the wizard open.
    virtual BOOL OnWizardFinish();

// Implementation
public:
    // The sheet handles the dialog keys of its pages.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    // The sheet's PSN_ notifications to the overridables above.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    // The page's creation hook has done its work.
    void PreInitDialog() override;

private:
    CString m_strCaption;

    // Called by the sheet around the page's window: binds it at creation.
    static UINT CALLBACK PageCallback(HWND hWnd, UINT message, LPPROPSHEETPAGE ppsp);
};

class AFX_FRAMEWORK CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    // For Construct.
    CPropertySheet();
    // The caption, a string resource or a text; the owner (NULL: the main window) and the
    // page shown first.
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    void Construct(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);

    // The header DoModal and Create give the system; a program may add flags
    // (PSH_NOAPPLYNOW, PSH_HASHELP ...) first. The pages, the caption, the owner and
    // the start page are filled in by DoModal and Create.
    PROPSHEETHEADER m_psh;

// Creation
    // A modeless sheet, visible, owned by pParentWnd (NULL: the main window). dwStyle
    // -1: a popup with a caption, a system menu and a dialog frame. FALSE when a page's
    // template is missing, the sheet is open already or cannot be made.
    BOOL Create(CWnd* pParentWnd = NULL, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);
    // Runs the sheet with its owner disabled: IDOK, IDCANCEL, ID_WIZFINISH (a wizard
    // finished) or the result given to EndDialog; -1 when a page's template is missing
    // or the sheet cannot be made.
    virtual int DoModal();

// Attributes
    int GetPageCount() const { return (int)m_pages.GetSize(); }
    CPropertyPage* GetPage(int nPage) const { return (CPropertyPage*)m_pages[nPage]; }
    // -1 for a page that is not in the sheet.
    int GetPageIndex(CPropertyPage* pPage);
    // The page shown (the one to be shown first before the sheet opens); NULL when an
    // open sheet is done.
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    // nStyle PSH_PROPTITLE makes it "Properties for" the text.
    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
    // The sheet's tabs (a temporary object); NULL before the sheet opens.
    CTabCtrl* GetTabControl() const;

// Wizards
    // Before the sheet opens: Back, Next and Finish instead of tabs, OK and Cancel.
    void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }
    // PSWIZB_BACK, PSWIZB_NEXT, PSWIZB_FINISH, PSWIZB_DISABLEDFINISH; typically from
    // the pages' OnSetActive.
    void SetWizardButtons(DWORD dwFlags);
    // Replaces Next and Back by one Finish button showing lpszText.
    void SetFinishText(LPCTSTR lpszText);

// Operations
    // The sheet does not own the pages; they must outlive it. An open sheet shows a page
    // added at once, unless its template is missing.
    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    // Presses PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW, PSBTN_BACK, PSBTN_NEXT, PSBTN_FINISH
    // ...; the system's sheet answers nothing (Wine's: FALSE).
    BOOL PressButton(int nButton);
    // Ends a modal sheet with nEndID, without asking its pages; destroys a modeless one.
    void EndDialog(int nEndID);

// Implementation
public:
    // The sheet's dialog keys (Tab, Ctrl+Tab, Enter, Esc) for it and its pages.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL ContinueModal() override;

protected:
    // Notes the button that may end the sheet.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    CPtrArray m_pages;
    CString m_strCaption;
    CWnd* m_pParentWnd;
    DWORD m_dwStyle;
    DWORD m_dwExStyle;
    int m_nEndID;           // the button that ends the sheet, or EndDialog's result
    HWND m_hWndTop;

    void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
    // Makes the modeless sheet over its pages, owned by hWndOwner; FALSE when a page's
    // template is missing or the system failed.
    BOOL CreateSheet(HWND hWndOwner);
    static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);
};
