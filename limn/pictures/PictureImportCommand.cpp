// CPictureClass's import command: the open-file dialog, then the file imported.
#include "limn/pictures/PictureClass.h"
#include "limn/app/LimnModule.h"
#include "limn/res/resource.h"

#include <afxdlgs.h>

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
