// Counting resource pointers and the list of their records.
#include "hoard/resources/ResourcePtr.h"

#include "hoard/resources/Hoard.h"

CPtrList CResourcePtrData::m_listResPtrData(10);
BOOL CResourcePtrBase::m_bDestroyingAll = FALSE;

// CResourcePtrData

CResourcePtrData::CResourcePtrData(CResource* pRes, const CResourcePtrBase* pOwner)
    : m_pResource(pRes), m_pOwner(pOwner)
{
    m_listResPtrData.AddTail(this);
}

CResourcePtrData::~CResourcePtrData()
{
    if (POSITION pos = m_listResPtrData.Find(this))
        m_listResPtrData.RemoveAt(pos);
}

void CResourcePtrData::OnResourceDestroyed(CResource* pRes)
{
    for (POSITION pos = m_listResPtrData.GetHeadPosition(); pos != NULL;)
    {
        auto* pData = static_cast<CResourcePtrData*>(m_listResPtrData.GetNext(pos));
        if (pData->m_pResource == pRes)
            pData->m_pResource = NULL;
    }
}

void CResourcePtrData::OnResourceCollapsed(CResource* pKeep, CResource* pGone)
{
    for (POSITION pos = m_listResPtrData.GetHeadPosition(); pos != NULL;)
    {
        auto* pData = static_cast<CResourcePtrData*>(m_listResPtrData.GetNext(pos));
        if (pData->m_pResource == pGone)
        {
            pData->m_pResource = pKeep;
            if (pData->m_pOwner->m_bIncrementUsage)
            {
                pKeep->IncrementUsage();
                pGone->DecrementUsage();
            }
        }
    }
}

// CResourcePtrBase

CResourcePtrBase::CResourcePtrBase(CResource* pRes, BOOL bIncrementUsage)
    : m_pData(new CResourcePtrData(pRes, this)), m_bIncrementUsage(bIncrementUsage)
{
    CountIn();
}

CResourcePtrBase::CResourcePtrBase(const CResourcePtrBase& other)
    : CResourcePtrBase(other.GetResourcePtr(), other.m_bIncrementUsage)
{
}

CResourcePtrBase::~CResourcePtrBase()
{
    CountOut();
    delete m_pData;
}

void CResourcePtrBase::CountIn()
{
    if (m_pData->m_pResource != NULL && m_bIncrementUsage)
        m_pData->m_pResource->IncrementUsage();
}

void CResourcePtrBase::CountOut()
{
    if (m_pData->m_pResource != NULL && m_bIncrementUsage && !m_bDestroyingAll)
        m_pData->m_pResource->DecrementUsage();
}

CResourcePtrBase& CResourcePtrBase::operator=(CResource* pRes)
{
    if (pRes == m_pData->m_pResource)
        return *this;
    CountOut();
    m_pData->m_pResource = pRes;
    CountIn();
    return *this;
}

CResourcePtrBase& CResourcePtrBase::operator=(const CResourcePtrBase& other)
{
    return *this = other.GetResourcePtr();
}

void CResourcePtrBase::SetIncrementUsage(BOOL bIncrementUsage)
{
    if (bIncrementUsage == m_bIncrementUsage)
        return;
    if (!bIncrementUsage)
    {
        CountOut();
        m_bIncrementUsage = FALSE;
    }
    else
    {
        m_bIncrementUsage = TRUE;
        CountIn();
    }
}

void CResourcePtrBase::CopyBeforeWrite()
{
    CResource* pRes = m_pData->m_pResource;
    if (pRes == NULL || pRes->GetUsageCount() <= 1)
        return;
    // A type that cannot duplicate keeps its shared target rather than losing it.
    if (CResource* pCopy = pRes->UntypedDuplicate())
        *this = pCopy;
}

void CResourcePtrBase::RemoveIfIdentical()
{
    CResource* pRes = m_pData->m_pResource;
    if (pRes == NULL)
        return;
    CHoard* pHoard = pRes->GetHoard() != NULL ? pRes->GetHoard() : CHoard::GetCurSerializing();
    if (pHoard == NULL)
        return;
    CResource* pIdentical = pHoard->FindIdentical(pRes);
    if (pIdentical == NULL || pIdentical == pRes)
        return;
    OnResourceCollapsed(pIdentical, pRes);
    if (pRes->GetUsageCount() == 0)
        delete pRes;
}

void CResourcePtrBase::DeleteResource()
{
    CResource* pRes = m_pData->m_pResource;
    if (pRes == NULL)
        return;
    if (m_bIncrementUsage)
        pRes->DecrementUsage();
    if (pRes->GetUsageCount() == 0)
    {
        if (CHoard* pHoard = pRes->GetHoard())
            pHoard->DeleteResource(pRes);
        else
            delete pRes;
    }
    m_pData->m_pResource = NULL;
}
