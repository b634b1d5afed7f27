// CResDoc's ways into the resource dialogs: editing the resources of a type the user
// chooses, through the type selection dialog and the resource list editor.
//
// PLACEHOLDER: the two dialogs are not in the library yet. Until they are, no type
// is chosen and no editor opens (ChooseResourceType and ShowResourceEditor below);
// with them, their bodies are, in that order:
//
//     #include "hoard/dialogs/DialogSelectType.h"
//     CDialogSelectType dlg(NULL);
//     if (dlg.DoModal() != IDOK)
//         return FALSE;
//     strType = dlg.m_strType;
//     return TRUE;
//
//     #include "hoard/dialogs/EditResDlg.h"
//     CEditResDlg dlg(m_hoard, pClass->GetClassName(), pClass->CanPreview(), bPasteOnShow, NULL);
//     dlg.DoModal();
#include "hoard/resources/ResDoc.h"

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
    strType.Empty();
    return FALSE;
}

void CResDoc::ShowResourceEditor(CResourceClass*, BOOL) {}
