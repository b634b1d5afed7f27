// CEditResDlgProxy: the list editor as a resource type's command reaches it.
#pragma once

#include "hoard/resources/EditProxy.h"

class CEditResDlg;

class HOARD_API CEditResDlgProxy : public CEditProxy
{
public:
    explicit CEditResDlgProxy(CEditResDlg* pDlg) : m_pDlg(pDlg) {}

    CResource* New(const char* pszName) override;
    void UpdatePreview() override;
    void UpdateList() override;

    CEditResDlg* m_pDlg;
};
