// CPictureClass: the picture type's registry entry, clipboard test and file import.
#include "limn/pictures/PictureClass.h"
#include "limn/pictures/Picture.h"

#include "hoard/resources/EditProxy.h"
#include "hoard/resources/Hoard.h"

CPictureClass::CPictureClass(CRuntimeClass* pRuntimeClass) : CResourceClass(pRuntimeClass)
{
    m_bCanPreview = TRUE;
}

void CPictureClass::OnInitClass() { AddCommand("ID_IMPORT"); }

ClipboardResult CPictureClass::CanConvertClipboard()
{
    return ::IsClipboardFormatAvailable(CF_DIB) ? clipPreferred : clipNone;
}

BOOL CPictureClass::ImportFile(const char* pszPath, const char* pszTitle, CEditProxy& proxy)
{
    CFile file(pszPath, CFile::modeRead | CFile::shareDenyWrite);
    CPicture* pPicture = DYNAMIC_DOWNCAST(CPicture, proxy.New(pszTitle));
    if (pPicture == NULL)
        return FALSE;
    if (pPicture->ImportFromFile(pszPath))
        return TRUE;
    if (CHoard* pHoard = pPicture->GetHoard())
        pHoard->DeleteResource(pPicture);
    else
        pPicture->Delete();
    return FALSE;
}
