// CHoard: resources grouped by type, unique names, deletion and the modified flag.
#include "hoard/resources/Hoard.h"

#include "hoard/data/ReloadableData.h"
#include "hoard/res/resource.h"
#include "hoard/resources/ResourceClass.h"
#include "hoard/resources/ResourceMessages.h"
#include "hoard/resources/ResourcePtr.h"
#include "hoard/runtime/HoardModule.h"

#include <ctype.h>
#include <stdlib.h>

CHoard* CHoard::m_pDocumentHoard = NULL;
CHoard* CHoard::m_pApplicationHoard = NULL;
CHoard* CHoard::m_pCurSerializing = NULL;

CHoard::CHoard() : m_mapTypes(10), m_bModified(FALSE), m_bLocked(FALSE), m_pDocument(NULL) {}

CHoard::~CHoard()
{
    RemoveContents();
    if (m_pDocumentHoard == this)
        m_pDocumentHoard = NULL;
    if (m_pApplicationHoard == this)
        m_pApplicationHoard = NULL;
    if (m_pCurSerializing == this)
        m_pCurSerializing = NULL;
    if (CReloadableData::m_pCurFileReference == &m_strFileReference)
        CReloadableData::m_pCurFileReference = NULL;
}

// Lookup

CResourceList* CHoard::FindList(const char* pszType) const
{
    CResourceList* pList;
    return m_mapTypes.Lookup(pszType, pList) ? pList : NULL;
}

// The list that holds the resource, searched in map order, and its type name.
CResourceList* CHoard::ListOf(CResource* pRes, CString* pstrType) const
{
    POSITION pos = m_mapTypes.GetStartPosition();
    while (pos != NULL)
    {
        CString strType;
        CResourceList* pList;
        m_mapTypes.GetNextAssoc(pos, strType, pList);
        if (pList->Find(pRes) != NULL)
        {
            if (pstrType != NULL)
                *pstrType = strType;
            return pList;
        }
    }
    return NULL;
}

CResource* CHoard::GetResource(const char* pszType, const char* pszName)
{
    if (pszName == NULL || *pszName == '\0')
        return NULL;
    CResourceList* pList = FindList(pszType);
    if (pList == NULL)
        return NULL;
    for (POSITION pos = pList->GetHeadPosition(); pos != NULL;)
    {
        CResource* pRes = pList->GetNext(pos);
        if (pRes->GetName().CompareNoCase(pszName) == 0)
            return pRes;
    }
    return NULL;
}

const CResource* CHoard::GetResource(const char* pszType, const char* pszName) const
{
    return const_cast<CHoard*>(this)->GetResource(pszType, pszName);
}

const CResourceList* CHoard::GetResourceList(const char* pszType) const
{
    return FindList(pszType);
}

const char* CHoard::GetResourceType(UINT i) const
{
    static CString s_strType;
    if (i >= GetNumTypes())
        return NULL;
    POSITION pos = m_mapTypes.GetStartPosition();
    CResourceList* pList;
    do
        m_mapTypes.GetNextAssoc(pos, s_strType, pList);
    while (i-- != 0);
    return s_strType;
}

// Creation and membership

CResource* CHoard::NewResource(const char* pszType, const char* pszName)
{
    CResourceClass* pClass = CResourceClass::GetResourceClass(pszType);
    if (pClass == NULL)
        return NULL;
    CObject* pObject = pClass->GetRuntimeClass()->CreateObject();
    CResource* pRes = DYNAMIC_DOWNCAST(CResource, pObject);
    if (pRes == NULL)
    {
        delete pObject;
        return NULL;
    }
    pRes->SetHoard(this);
    CString strUntitled;
    if (pszName == NULL)
        pszName = strUntitled = HoardLoadString(IDS_UNTITLED);
    pRes->SetName(pszName);
    AddToMap(pRes);
    return pRes;
}

void CHoard::AddToMap(CResource* pRes)
{
    // A resource is in one file at a time, and in it once. One that comes from another
    // file first reads in the blocks that it left in that file: they would otherwise go
    // on naming a file that only its old hoard keeps up to date, which that hoard may
    // rewrite or replace at any save, and whose name dies with that hoard.
    if (pRes->m_pHoard != NULL && pRes->m_pHoard != this)
    {
        CReloadableData::DetachFromFile(&pRes->m_pHoard->m_strFileReference, pRes);
        pRes->m_pHoard->RemoveFromMap(pRes);
    }
    pRes->SetHoard(this);
    const char* pszType = pRes->GetRuntimeClass()->m_lpszClassName;
    CResourceList* pList = FindList(pszType);
    if (pList == NULL)
    {
        pList = new CResourceList(10);
        m_mapTypes.SetAt(pszType, pList);
    }
    else if (pList->Find(pRes) != NULL)
    {
        return;
    }
    if (!pRes->GetName().IsEmpty())
    {
        CString strName = pRes->GetName();
        if (MakeUniqueName(pszType, strName))
            pRes->SetName(strName);
    }
    pList->AddTail(pRes);
    MsgAddedResource(pRes).Broadcast();
    SetModified(TRUE);
}

BOOL CHoard::MakeUniqueName(const char* pszType, CString& strName)
{
    if (FindList(pszType) == NULL || GetResource(pszType, strName) == NULL)
        return FALSE;

    // Trailing digits give the number to count on from; otherwise start after 1.
    int nDigits = 0;
    while (nDigits < strName.GetLength() &&
           isdigit((unsigned char)strName[strName.GetLength() - 1 - nDigits]))
        ++nDigits;
    CString strStem = strName;
    ULONGLONG nNumber = 1;
    if (nDigits != 0 && nDigits <= 18)
    {
        strStem = strName.Left(strName.GetLength() - nDigits);
        nNumber = strtoull(strName.Mid(strName.GetLength() - nDigits), NULL, 10);
    }

    CString strCandidate;
    do
        strCandidate.Format("%s%llu", (LPCSTR)strStem, ++nNumber);
    while (GetResource(pszType, strCandidate) != NULL);
    strName = strCandidate;
    return TRUE;
}

void CHoard::RemoveFromMap(CResource* pRes)
{
    CString strType;
    CResourceList* pList = ListOf(pRes, &strType);
    if (pList == NULL)
        return;
    pList->RemoveAt(pList->Find(pRes));
    if (pList->IsEmpty())
        DestroyList(strType, pList);
    SetModified(TRUE);
}

void CHoard::DestroyList(const char* pszType, CResourceList* pList)
{
    m_mapTypes.RemoveKey(pszType);
    delete pList;
}

// Deletion

void CHoard::DeleteResource(CResource* pRes)
{
    if (pRes->GetUsageCount() != 0)
        return;
    MsgDeletingResource(pRes).Broadcast();
    SetModified(TRUE);
    pRes->OnDeleteResource();
    RemoveFromMap(pRes);
    CString strType = pRes->GetRuntimeClass()->m_lpszClassName;
    CString strName = pRes->GetName();
    delete pRes;
    MsgDeletedResource(strType, strName).Broadcast();
}

int CHoard::RemoveUnused(const char* pszType, BOOL bDelete)
{
    int nCount = 0;
    if (!bDelete)
    {
        if (const CResourceList* pList = FindList(pszType))
        {
            for (POSITION pos = pList->GetHeadPosition(); pos != NULL;)
            {
                if (pList->GetNext(pos)->GetUsageCount() == 0)
                    ++nCount;
            }
        }
        return nCount;
    }
    // Each destruction may change the list (and remove it), so every pass starts over.
    for (;;)
    {
        CResourceList* pList = FindList(pszType);
        CResource* pUnused = NULL;
        for (POSITION pos = pList != NULL ? pList->GetHeadPosition() : NULL; pos != NULL;)
        {
            CResource* pRes = pList->GetNext(pos);
            if (pRes->GetUsageCount() == 0)
            {
                pUnused = pRes;
                break;
            }
        }
        if (pUnused == NULL)
            return nCount;
        delete pUnused;
        ++nCount;
    }
}

void CHoard::RemoveContents()
{
    CResourcePtrBase::m_bDestroyingAll = TRUE;
    // The map is looked at afresh for every resource, so a destructor that takes
    // other resources out of this file leaves nothing behind to be freed twice.
    while (!m_mapTypes.IsEmpty())
    {
        POSITION pos = m_mapTypes.GetStartPosition();
        CString strType;
        CResourceList* pList;
        m_mapTypes.GetNextAssoc(pos, strType, pList);
        if (pList->IsEmpty())
        {
            DestroyList(strType, pList);
            continue;
        }
        CResource* pRes = pList->RemoveHead();
        pRes->m_pHoard = NULL;
        delete pRes;
    }
    CResourcePtrBase::m_bDestroyingAll = FALSE;
}

// State

void CHoard::SetModified(BOOL bModified)
{
    m_bModified = bModified;
    if (m_pDocument != NULL)
        m_pDocument->SetModifiedFlag(bModified);
}
