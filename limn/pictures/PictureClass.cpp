// CPictureClass: the picture type's import command and clipboard test.
#include "limn/pictures/PictureClass.h"
#include "limn/app/LimnModule.h"
#include "limn/pictures/Picture.h"
#include "limn/res/resource.h"

#include "hoard/resources/EditProxy.h"
#include "hoard/resources/Hoard.h"

#include <afxdlgs.h>

CPictureClass::CPictureClass(CRuntimeClass* pRuntimeClass) : CResourceClass(pRuntimeClass)
{
    m_bCanPreview = TRUE;
}

void CPictureClass::OnInitClass() { AddCommand("ID_IMPORT"); }

ClipboardResult CPictureClass::CanConvertClipboard()
{
    return ::IsClipboardFormatAvailable(CF_DIB) ? clipPreferred : clipNone;
}

void CPictureClass::OnCommand(WORD nCommand, const CHoard&, CResource*, CEditProxy& proxy)
{
    if (nCommand != 0)
        return;
    CFileDialog dlg(TRUE, "DIB", "*.DIB", OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "DIB Files (*.dib)|*.dib|");
    if (dlg.DoModal() != IDOK)
        return;
    if (!ImportFile(dlg.GetPathName(), dlg.GetFileTitle(), proxy))
    {
        CString strPrompt;
        strPrompt.LoadString(LimnResourceHandle(), IDS_PICTURE_IMPORT_FAILED);
        AfxMessageBox(strPrompt);
    }
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
