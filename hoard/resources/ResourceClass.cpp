// The registry of resource types.
#include "hoard/resources/ResourceClass.h"

CResourceClass* CResourceClass::m_pHead = NULL;
CMapStringToPtr CResourceClass::m_mapResourceInfo(10);

CResourceClass::CResourceClass(CRuntimeClass* pRuntimeClass)
    : m_pRuntimeClass(pRuntimeClass), m_pNext(m_pHead), m_bCanPreview(FALSE), m_bIsVisual(FALSE),
      m_bWantsNotifications(FALSE), m_nUserLevel(userLevelBasic), m_bWrittenLast(FALSE)
{
    m_pHead = this;
}

void CResourceClass::InitResourceClasses()
{
    for (CResourceClass* pClass = m_pHead; pClass != NULL; pClass = pClass->m_pNext)
    {
        pClass->OnInitClass();
        m_mapResourceInfo.SetAt(pClass->GetClassName(), pClass);
    }
}

CResourceClass* CResourceClass::GetResourceClass(const char* pszType)
{
    void* pClass;
    if (pszType == NULL || !m_mapResourceInfo.Lookup(pszType, pClass))
        return NULL;
    return static_cast<CResourceClass*>(pClass);
}

void CResourceClass::AddCommand(CMappedString label) { m_arrCommands.Add(label); }

void CResourceClass::OnInitClass() {}

ClipboardResult CResourceClass::CanConvertClipboard() { return clipNone; }

CResource* CResourceClass::GetDefaultResource(CHoard&) { return NULL; }

BOOL CResourceClass::CanDoCommand(WORD, const CHoard&, const CResource*) { return TRUE; }

void CResourceClass::OnCommand(WORD, const CHoard&, CResource*, CEditProxy&) {}
