// CEditResDlg: the New/Edit dialog for the resources of one type in a hoard: a sorted
// list of their names with multiple selection, Delete and Rename, up to four buttons
// for the type's own commands, optionally a preview pane drawn by the selected
// resource, and an Edit menu (Cut, Copy, Paste, Delete) with its accelerators.
#pragma once

#include "hoard/dialogs/DialogWithMenu.h"
#include "hoard/resources/Hoard.h"

class HOARD_API CEditResDlg : public CDialogWithMenu
{
public:
    // bPreview chooses the template with the preview pane; bPasteOnShow pastes once
    // the dialog has appeared.
    CEditResDlg(CHoard& hoard, const char* pszType, BOOL bPreview, BOOL bPasteOnShow, CWnd* pParent = NULL);

// Operations, also for the type's commands through CEditResDlgProxy
    // Creates a resource of the type named pszName (made unique), or, for null, named
    // by the user; null when the user cancelled, the name is taken, the type is
    // unknown or the resource's OnNew refused (the hoard's modified flag is then as it
    // was).
    CResource* New(const char* pszName);
    void UpdatePreview();
    // Refills the list, selecting the first name that begins with the type name.
    void UpdateList();

// Overridables
    // TRUE when no resource of the type other than pSelf has the name (ignoring
    // case); otherwise says so in a message box.
    virtual int IsValidName(const char* pszName, CResource* pSelf);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // The four edit commands; everything else takes the usual route.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    afx_msg void OnSelchangeResourceList();
    afx_msg void OnDblclkResourceList();
    afx_msg void OnDelete();
    afx_msg void OnRename();
    afx_msg void OnCommand1();
    afx_msg void OnCommand2();
    afx_msg void OnCommand3();
    afx_msg void OnCommand4();
    afx_msg void OnPaint();
    afx_msg void OnInitMenu(CMenu* pMenu);

    void OnEditClear() { OnDelete(); }
    void OnEditCopy();
    void OnEditCut();
    void OnEditPaste();

    DECLARE_MESSAGE_MAP()

public:
    CHoard* m_pHoard;
    const char* m_pszType;
    CButton m_btnPreview;
    CButton m_btnRename;
    CButton m_btnDelete;
    CButton m_btnCommand4;      // controls 9, 8, 7, 6
    CButton m_btnCommand3;
    CButton m_btnCommand2;
    CButton m_btnCommand1;
    CListBox m_list;
    CButton* m_btnCommand[4];   // the buttons of commands 0 to 3
    WORD m_nCommands;
    CRect m_rcPreview;          // client coordinates
    BOOL m_bPreview;
    BOOL m_bPasteOnShow;
    // The resources selected at the last GetSelectedResource, in list order.
    CResourceList m_listSelected;

private:
    // Empties the list, adds every name of the type and selects the first that
    // begins with pszSelect (ignoring case), or the first item; none for null.
    void FillList(const char* pszSelect);
    // FillList, then the buttons and preview for the new selection.
    void Refill(const char* pszSelect);
    // Rebuilds m_listSelected; its one resource, or null for none or several.
    CResource* GetSelectedResource();
    // Runs the type's command nCommand on the selection.
    void OnCommand(WORD nCommand);
};
