// CResource::OnRename: renaming by the user through the name dialog.
#include "hoard/resources/Resource.h"

#include "hoard/dialogs/NameDlg.h"
#include "hoard/res/resource.h"
#include "hoard/resources/Hoard.h"
#include "hoard/runtime/HoardModule.h"
#include "hoard/runtime/MappedString.h"

BOOL CResource::OnRename()
{
    CNameDlg dlg;
    dlg.m_strName = m_strName;
    if (dlg.DoModal() != IDOK || dlg.m_strName == m_strName)
        return FALSE;
    // The lookup ignores case: a change of letter case finds this resource itself.
    const char* pszType = GetRuntimeClass()->m_lpszClassName;
    if (m_pHoard == NULL || m_pHoard->GetResource(pszType, dlg.m_strName) == NULL)
    {
        SetName(dlg.m_strName);
        return TRUE;
    }
    CString strMessage;
    strMessage.Format(HoardLoadString(IDS_NAME_TAKEN), (const char*)CMappedString(pszType),
                      (const char*)dlg.m_strName);
    AfxMessageBox(strMessage, MB_OK);
    return FALSE;
}
