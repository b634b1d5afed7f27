// CResDoc's Paste: the resource class that takes what is on the clipboard, and the
// command that opens its list editor.
#include "hoard/resources/ResDoc.h"

#include "hoard/resources/ResourceClass.h"

CResourceClass* CResDoc::ChoosePasteClass(CResourceClass* pFirst)
{
    CResourceClass* pCanConvert = NULL;
    for (CResourceClass* pClass = pFirst; pClass != NULL; pClass = pClass->GetNext())
    {
        ClipboardResult result = pClass->CanConvertClipboard();
        if (result == clipPreferred)
            return pClass;
        if (result == clipCanConvert && pCanConvert == NULL)
            pCanConvert = pClass;
    }
    return pCanConvert;
}

BOOL CResDoc::CanAnyClassPaste(CResourceClass* pFirst)
{
    for (CResourceClass* pClass = pFirst; pClass != NULL; pClass = pClass->GetNext())
        if (pClass->CanConvertClipboard() != clipNone)
            return TRUE;
    return FALSE;
}

void CResDoc::OnUpdateEditPaste(CCmdUI* pCmdUI) { pCmdUI->Enable(CanAnyClassPaste(CResourceClass::GetHead())); }

void CResDoc::OnEditPaste()
{
    if (CResourceClass* pClass = ChoosePasteClass(CResourceClass::GetHead()))
        ShowResourceEditor(pClass, TRUE);
}
