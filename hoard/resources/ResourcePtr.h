// Resource pointers that count themselves in their resource's usage count, become
// null when it is destroyed and follow it when it is collapsed into an identical one.
#pragma once

#include "hoard/hoard_api.h"

class CResource;
class CResourcePtrBase;

// The target of one pointer. Every record is listed, so that all pointers to a
// resource can be found when it is destroyed or collapsed.
class HOARD_API CResourcePtrData
{
public:
    // Every record pointing at pRes becomes null.
    static void OnResourceDestroyed(CResource* pRes);
    // Every record pointing at pGone points at pKeep; the usage counts of counting
    // pointers move with them.
    static void OnResourceCollapsed(CResource* pKeep, CResource* pGone);

private:
    friend class CResourcePtrBase;

    CResourcePtrData(CResource* pRes, const CResourcePtrBase* pOwner);
    ~CResourcePtrData();
    CResourcePtrData(const CResourcePtrData&) = delete;
    CResourcePtrData& operator=(const CResourcePtrData&) = delete;

    CResource* m_pResource;
    const CResourcePtrBase* m_pOwner;   // whose counting flag applies

    static CPtrList m_listResPtrData;
};

// Base of the typed resource pointers.
class HOARD_API CResourcePtrBase
{
public:
    // Points at another resource, counting out of the old one and into the new one.
    CResourcePtrBase& operator=(CResource* pRes);
    // Takes the other pointer's target; the counting flag stays this pointer's own.
    CResourcePtrBase& operator=(const CResourcePtrBase& other);

    void SetIncrementUsage(BOOL bIncrementUsage);
    // Merges the target into an identical resource of its file, if there is one.
    void RemoveIfIdentical();
    // Lets go of the target, deleting it (with messages) when nobody else uses it.
    void DeleteResource();

    // TRUE while a resource file destroys all its resources: letting go of a resource
    // then leaves its count alone.
    static BOOL m_bDestroyingAll;

protected:
    explicit CResourcePtrBase(CResource* pRes = NULL, BOOL bIncrementUsage = TRUE);
    CResourcePtrBase(const CResourcePtrBase& other);
    ~CResourcePtrBase();

    CResource* GetResourcePtr() const { return m_pData->m_pResource; }
    // Gives the pointer a copy of its target when others share it.
    void CopyBeforeWrite();

    static void OnResourceDestroyed(CResource* pRes) { CResourcePtrData::OnResourceDestroyed(pRes); }
    static void OnResourceCollapsed(CResource* pKeep, CResource* pGone)
    {
        CResourcePtrData::OnResourceCollapsed(pKeep, pGone);
    }

private:
    friend class CResourcePtrData;

    void CountIn();
    void CountOut();

    CResourcePtrData* m_pData;      // owned
    BOOL m_bIncrementUsage;
};
