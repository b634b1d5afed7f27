// The list editor's proxy passes each call on to its dialog.
#include "hoard/dialogs/EditResDlgProxy.h"

#include "hoard/dialogs/EditResDlg.h"

CResource* CEditResDlgProxy::New(const char* pszName) { return m_pDlg->New(pszName); }

void CEditResDlgProxy::UpdatePreview() { m_pDlg->UpdatePreview(); }

void CEditResDlgProxy::UpdateList() { m_pDlg->UpdateList(); }
