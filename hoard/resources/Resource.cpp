// CResource: names, usage counts, serialization of the name and copying.
#include "hoard/resources/Resource.h"

#include "hoard/data/ReloadableData.h"
#include "hoard/resources/Hoard.h"
#include "hoard/resources/ResourceMessages.h"
#include "hoard/resources/ResourcePtr.h"

IMPLEMENT_DYNAMIC(CResource, CObject)

CResource::CResource() : m_pHoard(NULL), m_nUsageCount(0) {}

CResource::~CResource()
{
    RemoveFromMap();
    CResourcePtrData::OnResourceDestroyed(this);
}

void CResource::Serialize(CArchive& ar)
{
    // While a hoard is read from or written to its file, the blocks of the payload
    // that follows belong to this resource.
    if (CReloadableData::m_pCurFileReference != NULL)
        CReloadableData::m_pCurOwner = this;
    if (ar.IsStoring())
    {
        ar << m_strName;
        MsgSavedResource(this).Broadcast();
        return;
    }
    ar >> m_strName;
    if (CHoard* pHoard = CHoard::GetCurSerializing())
        pHoard->AddToMap(this);
}

CResource* CResource::UntypedDuplicate() { return NULL; }

CResourceClass* CResource::GetResourceClass() { return NULL; }

BOOL CResource::IsSameAs(const CResource*) const { return FALSE; }

BOOL CResource::OnNew() { return TRUE; }

void CResource::OnDeleteResource() {}

void CResource::OnPaste() {}

void CResource::OnDoubleClick() {}

void CResource::OnCopy()
{
    if (m_pHoard == NULL)
        return;
    CResourceList list;
    list.AddTail(this);
    m_pHoard->OnCopyGeneric(list);
}

void CResource::DrawPreview(CDC*, CWnd*, const CRect&) {}

void CResource::OnClickPreview(CWnd*, const CRect&) {}

void CResource::SetName(const char* pszNew)
{
    CString strOld = m_strName;
    m_strName = pszNew;
    // A copy of the new name, so that the message stays valid if a receiver renames.
    CString strNew = m_strName;
    if (strOld.CompareNoCase(strNew) != 0 && m_pHoard != NULL)
        MsgRenamedResource(this, strOld, strNew).Broadcast();
}

void CResource::SetNameFromPath(const char* pszPath)
{
    CString strName = pszPath;
    strName = strName.Mid(strName.ReverseFind('\\') + 1);
    int nDot = strName.Find('.');
    if (nDot >= 0)
        strName = strName.Left(nDot);
    if (m_pHoard != NULL)
    {
        const char* pszType = GetRuntimeClass()->m_lpszClassName;
        CResource* pSameName = m_pHoard->GetResource(pszType, strName);
        if (pSameName != NULL && pSameName != this)
            m_pHoard->MakeUniqueName(pszType, strName);
    }
    SetName(strName);
}

void CResource::SetModified()
{
    ASSERT(m_pHoard != NULL);
    m_pHoard->SetModified(TRUE);
}

CResource* CResource::IncrementUsage()
{
    ++m_nUsageCount;
    return this;
}

CResource* CResource::DecrementUsage()
{
    if (m_nUsageCount != 0)
        --m_nUsageCount;
    return this;
}

CResource* CResource::UntypedCopyBeforeWrite()
{
    return m_nUsageCount == 0 ? this : UntypedDuplicate();
}

BOOL CResource::CopyTo(CHoard& dest)
{
    CResource* pCopy = UntypedDuplicate();
    if (pCopy == NULL)
        return FALSE;
    pCopy->RemoveFromMap();
    dest.AddToMap(pCopy);
    pCopy->SetName(m_strName);
    return TRUE;
}

void CResource::Delete()
{
    if (m_nUsageCount == 0)
        delete this;
}

void CResource::RemoveFromMap()
{
    if (m_pHoard != NULL)
        m_pHoard->RemoveFromMap(this);
}
