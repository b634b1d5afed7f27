// The type selection dialog: one item per type with commands, carrying its class.
#include "hoard/dialogs/DialogSelectType.h"

#include "hoard/res/resource.h"
#include "hoard/resources/ResourceClass.h"

CDialogSelectType::CDialogSelectType(CWnd* pParent) : CDialog(IDD_SELECT_TYPE, pParent) {}

void CDialogSelectType::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TYPE_LIST, m_list);
    DDX_LBString(pDX, IDC_TYPE_LIST, m_strType);
    if (pDX->m_bSaveAndValidate)
    {
        int nSel = m_list.GetCurSel();
        if (nSel != LB_ERR)
            m_strType = static_cast<CResourceClass*>(m_list.GetItemDataPtr(nSel))->GetClassName();
        return;
    }
    for (CResourceClass* pClass = CResourceClass::GetHead(); pClass != NULL; pClass = pClass->GetNext())
    {
        if (pClass->GetCommandArray().GetSize() == 0)
            continue;
        int nItem = m_list.AddString(pClass->GetName());
        if (nItem >= 0)
            m_list.SetItemDataPtr(nItem, pClass);
    }
    if (m_list.GetCount() > 0)
        m_list.SetCurSel(0);
}
