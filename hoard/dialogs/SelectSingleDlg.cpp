// The single selection dialog: one item per resource of the type, carrying it.
#include "hoard/dialogs/SelectSingleDlg.h"

#include "hoard/res/resource.h"
#include "hoard/resources/Hoard.h"
#include "hoard/runtime/MappedString.h"

CSelectSingleDlg::CSelectSingleDlg(const CHoard& hoard, const char* pszType, CWnd* pParent)
    : CDialog(IDD_SELECT_ONE, pParent), m_pSelected(NULL), m_pszType(pszType), m_pHoard(&hoard)
{
}

void CSelectSingleDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_RESOURCE_LIST, m_list);
    if (pDX->m_bSaveAndValidate)
    {
        int nSel = m_list.GetCurSel();
        m_pSelected = nSel != LB_ERR ? static_cast<CResource*>(m_list.GetItemDataPtr(nSel)) : NULL;
        return;
    }
    if (const CResourceList* pList = m_pHoard->GetResourceList(m_pszType))
    {
        for (POSITION pos = pList->GetHeadPosition(); pos != NULL;)
        {
            CResource* pRes = pList->GetNext(pos);
            int nItem = m_list.AddString(pRes->GetName());
            if (nItem >= 0)
                m_list.SetItemDataPtr(nItem, pRes);
        }
    }
    if (m_pSelected == NULL)
        return;
    // The preset resource is shown selected; the list has a single selection.
    for (int nItem = m_list.GetCount() - 1; nItem >= 0; nItem--)
    {
        if (m_list.GetItemDataPtr(nItem) == m_pSelected)
        {
            m_list.SetCurSel(nItem);
            break;
        }
    }
    CString strTitle;
    GetWindowText(strTitle);
    SetWindowText(strTitle + " " + (const char*)CMappedString(m_pszType));
}
