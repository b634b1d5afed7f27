// The list editor: the list and its selection, the type's commands, renaming, deleting,
// creating, the preview and the Edit menu.
#include "hoard/dialogs/EditResDlg.h"

#include "hoard/dialogs/EditResDlgProxy.h"
#include "hoard/dialogs/NameDlg.h"
#include "hoard/res/resource.h"
#include "hoard/resources/ResourceClass.h"
#include "hoard/runtime/HoardModule.h"

#include <vector>

BEGIN_MESSAGE_MAP(CEditResDlg, CDialogWithMenu)
    ON_LBN_SELCHANGE(IDC_RESOURCE_LIST, OnSelchangeResourceList)
    ON_LBN_DBLCLK(IDC_RESOURCE_LIST, OnDblclkResourceList)
    ON_BN_CLICKED(IDC_DELETE, OnDelete)
    ON_BN_CLICKED(IDC_RENAME, OnRename)
    ON_BN_CLICKED(IDC_COMMAND1, OnCommand1)
    ON_BN_CLICKED(IDC_COMMAND2, OnCommand2)
    ON_BN_CLICKED(IDC_COMMAND3, OnCommand3)
    ON_BN_CLICKED(IDC_COMMAND4, OnCommand4)
    ON_WM_PAINT()
    ON_WM_INITMENU()
END_MESSAGE_MAP()

namespace {

const int nCommandButtons = 4;

} // namespace

CEditResDlg::CEditResDlg(CHoard& hoard, const char* pszType, BOOL bPreview, BOOL bPasteOnShow, CWnd* pParent)
    : CDialogWithMenu(bPreview ? IDD_EDIT_RESOURCES_PREVIEW : IDD_EDIT_RESOURCES, pParent), m_pHoard(&hoard),
      m_pszType(pszType), m_btnCommand{ &m_btnCommand1, &m_btnCommand2, &m_btnCommand3, &m_btnCommand4 },
      m_nCommands(0), m_bPreview(bPreview), m_bPasteOnShow(bPasteOnShow)
{
    HINSTANCE hInst = HoardResourceHandle();
    SetMenu(::LoadMenu(hInst, MAKEINTRESOURCE(IDR_EDIT_RESOURCES)),
            ::LoadAccelerators(hInst, MAKEINTRESOURCE(IDR_EDIT_RESOURCES)));
}

// The list and its selection

void CEditResDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialogWithMenu::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PREVIEW, m_btnPreview);
    DDX_Control(pDX, IDC_RENAME, m_btnRename);
    DDX_Control(pDX, IDC_DELETE, m_btnDelete);
    DDX_Control(pDX, IDC_COMMAND4, m_btnCommand4);
    DDX_Control(pDX, IDC_COMMAND3, m_btnCommand3);
    DDX_Control(pDX, IDC_COMMAND2, m_btnCommand2);
    DDX_Control(pDX, IDC_COMMAND1, m_btnCommand1);
    DDX_Control(pDX, IDC_RESOURCE_LIST, m_list);
    if (pDX->m_bSaveAndValidate)
        return;

    FillList(NULL);
    if (CResourceClass* pClass = CResourceClass::GetResourceClass(m_pszType))
    {
        const CStringArray& commands = pClass->GetCommandArray();
        m_nCommands = (WORD)commands.GetSize();
        for (int i = 0; i < m_nCommands && i < nCommandButtons; i++)
        {
            m_btnCommand[i]->SetWindowText(commands[i]);
            m_btnCommand[i]->ShowWindow(SW_SHOW);
        }
    }
    if (m_bPreview)
    {
        m_btnPreview.GetWindowRect(&m_rcPreview);
        ScreenToClient(&m_rcPreview);
        m_rcPreview.top += 12;
        m_rcPreview.DeflateRect(4, 4);
    }
    OnSelchangeResourceList();

    CString strTitle;
    GetWindowText(strTitle);
    SetWindowText(strTitle + " " + (const char*)CMappedString(m_pszType));
}

void CEditResDlg::FillList(const char* pszSelect)
{
    m_list.ResetContent();
    if (const CResourceList* pList = m_pHoard->GetResourceList(m_pszType))
    {
        for (POSITION pos = pList->GetHeadPosition(); pos != NULL;)
            m_list.AddString(pList->GetNext(pos)->GetName());
    }
    if (m_list.GetCount() == 0 || pszSelect == NULL)
        return;
    int nItem = m_list.FindString(-1, pszSelect);
    if (nItem == LB_ERR)
        nItem = 0;
    m_list.SetSel(-1, FALSE);
    m_list.SetSel(nItem, TRUE);
}

void CEditResDlg::Refill(const char* pszSelect)
{
    FillList(pszSelect);
    OnSelchangeResourceList();
}

void CEditResDlg::UpdateList() { Refill(m_pszType); }

CResource* CEditResDlg::GetSelectedResource()
{
    m_listSelected.RemoveAll();
    int nSelected = m_list.GetSelCount();
    if (nSelected <= 0)
        return NULL;
    std::vector<int> items(nSelected);
    nSelected = m_list.GetSelItems(nSelected, items.data());
    for (int i = 0; i < nSelected; i++)
    {
        CString strName;
        m_list.GetText(items[i], strName);
        // A name that finds nothing (an empty one), or a resource that two items of
        // the same name both find, is not listed (twice): every entry can be acted on
        // once.
        CResource* pRes = m_pHoard->GetResource(m_pszType, strName);
        if (pRes != NULL && m_listSelected.Find(pRes) == NULL)
            m_listSelected.AddTail(pRes);
    }
    return m_listSelected.GetCount() == 1 ? m_listSelected.GetHead() : NULL;
}

void CEditResDlg::OnSelchangeResourceList()
{
    CResource* pSelected = GetSelectedResource();
    if (CResourceClass* pClass = CResourceClass::GetResourceClass(m_pszType))
    {
        for (WORD i = 0; i < m_nCommands && i < nCommandButtons; i++)
            m_btnCommand[i]->EnableWindow(pClass->CanDoCommand(i, *m_pHoard, pSelected));
    }
    m_btnRename.EnableWindow(pSelected != NULL);
    BOOL bCanDelete = !m_listSelected.IsEmpty();
    for (POSITION pos = m_listSelected.GetHeadPosition(); pos != NULL;)
        bCanDelete = bCanDelete && m_listSelected.GetNext(pos)->GetUsageCount() == 0;
    m_btnDelete.EnableWindow(bCanDelete);
    UpdatePreview();
}

void CEditResDlg::OnDblclkResourceList()
{
    if (CResource* pRes = GetSelectedResource())
        pRes->OnDoubleClick();
}

// The type's commands

void CEditResDlg::OnCommand1() { OnCommand((WORD)0); }

void CEditResDlg::OnCommand2() { OnCommand((WORD)1); }

void CEditResDlg::OnCommand3() { OnCommand((WORD)2); }

void CEditResDlg::OnCommand4() { OnCommand((WORD)3); }

void CEditResDlg::OnCommand(WORD nCommand)
{
    CResourceClass* pClass = CResourceClass::GetResourceClass(m_pszType);
    if (pClass == NULL)
        return;
    CEditResDlgProxy proxy(this);
    pClass->OnCommand(nCommand, *m_pHoard, GetSelectedResource(), proxy);
}

// Names

int CEditResDlg::IsValidName(const char* pszName, CResource* pSelf)
{
    CResource* pRes = m_pHoard->GetResource(m_pszType, pszName);
    if (pRes == NULL || pRes == pSelf)
        return TRUE;
    CString strMessage;
    strMessage.Format(HoardLoadString(IDS_NAME_TAKEN), (const char*)CMappedString(m_pszType), pszName);
    AfxMessageBox(strMessage, MB_OK);
    return FALSE;
}

CResource* CEditResDlg::New(const char* pszName)
{
    CString strName;
    if (pszName != NULL)
    {
        strName = pszName;
        m_pHoard->MakeUniqueName(m_pszType, strName);
    }
    else
    {
        CNameDlg dlg(this);
        m_pHoard->MakeUniqueName(m_pszType, dlg.m_strName);
        if (dlg.DoModal() != IDOK || !IsValidName(dlg.m_strName, NULL))
            return NULL;
        strName = dlg.m_strName;
    }

    BOOL bWasModified = m_pHoard->IsModified();
    CResource* pRes = m_pHoard->NewResource(m_pszType, strName);
    if (pRes == NULL)
        return NULL;
    if (!pRes->OnNew())
    {
        m_pHoard->DeleteResource(pRes);
        m_pHoard->SetModified(bWasModified);
        return NULL;
    }
    // OnNew may have named the resource (the record dialog does).
    Refill(pRes->GetName());
    return pRes;
}

void CEditResDlg::OnRename()
{
    CResource* pRes = GetSelectedResource();
    if (pRes == NULL)
        return;
    CNameDlg dlg(this);
    dlg.m_strName = pRes->GetName();
    if (dlg.DoModal() != IDOK || !IsValidName(dlg.m_strName, pRes))
        return;
    pRes->SetName(dlg.m_strName);
    m_pHoard->SetModified(TRUE);
    Refill(dlg.m_strName);
}

// Deleting

void CEditResDlg::OnDelete()
{
    GetSelectedResource();
    if (m_listSelected.IsEmpty())
        return;
    BOOL bMany = m_listSelected.GetCount() > 1;
    CString strKey = m_pszType;
    if (bMany)
        strKey += "Plural";
    CString strQuestion;
    strQuestion.Format(HoardLoadString(bMany ? IDS_DELETE_MANY : IDS_DELETE_ONE), (const char*)CMappedString(strKey));
    if (AfxMessageBox(strQuestion, MB_YESNO | MB_DEFBUTTON2) != IDYES)
        return;

    // The messages of a deletion may make their receivers delete other resources:
    // each is deleted only while it is still in the hoard.
    CResourceList selected;
    selected.AddTail(&m_listSelected);
    for (POSITION pos = selected.GetHeadPosition(); pos != NULL;)
    {
        CResource* pRes = selected.GetNext(pos);
        const CResourceList* pList = m_pHoard->GetResourceList(m_pszType);
        if (pList != NULL && pList->Find(pRes) != NULL)
            m_pHoard->DeleteResource(pRes);
    }
    Refill(NULL);
}

// The preview

void CEditResDlg::UpdatePreview()
{
    if (m_bPreview)
        InvalidateRect(&m_rcPreview, TRUE);
}

void CEditResDlg::OnPaint()
{
    CPaintDC dc(this);
    if (m_bPreview)
    {
        if (CResource* pRes = GetSelectedResource())
            pRes->DrawPreview(&dc, this, m_rcPreview);
    }
    if (m_bPasteOnShow)
    {
        m_bPasteOnShow = FALSE;
        PostMessage(WM_COMMAND, ID_EDIT_PASTE);
    }
}

// The Edit menu

void CEditResDlg::OnInitMenu(CMenu* pMenu)
{
    CDialogWithMenu::OnInitMenu(pMenu);
    GetSelectedResource();
    BOOL bSelected = !m_listSelected.IsEmpty();
    SetCommandEnable(ID_EDIT_COPY, bSelected);
    SetCommandEnable(ID_EDIT_CLEAR, bSelected);
    SetCommandEnable(ID_EDIT_CUT, bSelected);
    BOOL bCanPaste = CHoard::CanPasteGeneric(m_pszType);
    if (!bCanPaste)
    {
        CResourceClass* pClass = CResourceClass::GetResourceClass(m_pszType);
        bCanPaste = pClass != NULL && pClass->CanConvertClipboard() != clipNone;
    }
    SetCommandEnable(ID_EDIT_PASTE, bCanPaste);
}

BOOL CEditResDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam))
    {
    case ID_EDIT_CLEAR:
        OnEditClear();
        return TRUE;
    case ID_EDIT_COPY:
        OnEditCopy();
        return TRUE;
    case ID_EDIT_CUT:
        OnEditCut();
        return TRUE;
    case ID_EDIT_PASTE:
        OnEditPaste();
        return TRUE;
    default:
        return CDialogWithMenu::OnCommand(wParam, lParam);
    }
}

void CEditResDlg::OnEditCopy()
{
    // The selection as the list shows it now.
    if (CResource* pRes = GetSelectedResource())
        pRes->OnCopy();
    else
        m_pHoard->OnCopyGeneric(m_listSelected);
}

void CEditResDlg::OnEditCut()
{
    OnEditCopy();
    OnEditClear();
}

void CEditResDlg::OnEditPaste()
{
    CString strSelect;
    const char* pszSelect = NULL;
    if (CHoard::CanPasteGeneric(m_pszType))
    {
        CResourceList pasted;
        try
        {
            m_pHoard->OnPasteGeneric(pasted);
        }
        catch (CException*)
        {
            // What was pasted before the failure stays in the hoard: the list shows it.
            Refill(NULL);
            throw;
        }
    }
    else
    {
        CResource* pRes = m_pHoard->NewResource(m_pszType, NULL);
        if (pRes == NULL)
            return;
        pRes->OnPaste();
        strSelect = pRes->GetName();
        pszSelect = strSelect;
    }
    Refill(pszSelect);
}
