// CResDoc's ways into the resource dialogs: editing the resources of a type the user
// chooses, through the type selection dialog and the resource list editor.
#include "hoard/resources/ResDoc.h"

#include "hoard/dialogs/DialogSelectType.h"
#include "hoard/dialogs/EditResDlg.h"
#include "hoard/resources/ResourceClass.h"

void CResDoc::EditResources()
{
    CString strType;
    if (!ChooseResourceType(strType))
        return;
    if (CResourceClass* pClass = CResourceClass::GetResourceClass(strType))
        ShowResourceEditor(pClass, FALSE);
}

BOOL CResDoc::ChooseResourceType(CString& strType)
{
    CDialogSelectType dlg(NULL);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    strType = dlg.m_strType;
    return TRUE;
}

void CResDoc::ShowResourceEditor(CResourceClass* pClass, BOOL bPasteOnShow)
{
    CEditResDlg dlg(m_hoard, pClass->GetClassName(), pClass->CanPreview(), bPasteOnShow, NULL);
    dlg.DoModal();
}
