// CResDoc's two ways into the resource dialogs: the type selection dialog and the
// resource list editor.
//
// PLACEHOLDER: the two dialogs are not in the library yet. Until they are, no type
// is chosen and no editor opens; with them, the bodies are:
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

BOOL CResDoc::ChooseResourceType(CString& strType)
{
    strType.Empty();
    return FALSE;
}

void CResDoc::ShowResourceEditor(CResourceClass*, BOOL) {}
