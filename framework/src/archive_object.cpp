// CArchive's object and class records. Objects and classes share one index
// sequence that starts at 1 (0 is the null object) and runs through the archive.
#include "afx.h"
#include "archive_maps.h"

#include <new>

namespace {

const WORD wNullTag = 0;            // a null object
const WORD wNewClassTag = 0xFFFF;   // a class record follows
const WORD wClassTag = 0x8000;      // an index with this bit names a class
const DWORD dwBigClassTag = 0x80000000;
const WORD wBigObjectTag = 0x7FFF;  // a 32-bit index follows
const DWORD nMaxMapCount = 0x3FFFFFFE;
const int nMaxClassName = 64;

} // namespace

namespace {

CArchiveMaps& MapsOf(CArchiveMaps*& pMaps)
{
    if (pMaps == NULL)
    {
        pMaps = new (std::nothrow) CArchiveMaps;
        if (pMaps == NULL)
            AfxThrowMemoryException();
    }
    return *pMaps;
}

} // namespace

UINT CArchive::GetObjectSchema()
{
    UINT nResult = m_nObjectSchema;
    m_nObjectSchema = (UINT)-1;
    return nResult;
}

void CArchive::CheckIndex(DWORD nIndex) const
{
    if (nIndex == 0 || nIndex >= m_nMapCount)
        ThrowArchive(CArchiveException::badIndex);
}

void CArchive::MapObject(const CObject* pOb)
{
    CArchiveMaps& maps = MapsOf(m_pMaps);
    if (m_nMapCount >= nMaxMapCount)
        ThrowArchive(CArchiveException::badIndex);
    if (IsStoring())
    {
        if (pOb != NULL && maps.store.emplace(pOb, m_nMapCount).second)
            ++m_nMapCount;
    }
    else
    {
        maps.load.push_back({ const_cast<CObject*>(pOb), 0, false });
        ++m_nMapCount;
    }
}

// Class records

void CRuntimeClass::Store(CArchive& ar) const
{
    WORD nLen = (WORD)strlen(m_lpszClassName);
    ar << (WORD)m_wSchema << nLen;
    ar.Write(m_lpszClassName, nLen);
}

CRuntimeClass* PASCAL CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD wSchema, nLen;
    ar >> wSchema >> nLen;
    if (nLen >= nMaxClassName)
        return NULL;
    char szClassName[nMaxClassName];
    for (WORD i = 0; i < nLen; ++i)
        ar >> szClassName[i];       // a short record ends in endOfFile
    szClassName[nLen] = '\0';
    *pwSchemaNum = wSchema;
    return FromName(szClassName);
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    ASSERT(IsStoring());
    if (pClassRef->m_wSchema == 0xFFFF)
        AfxThrowNotSupportedException();

    CArchiveMaps& maps = MapsOf(m_pMaps);
    auto it = maps.store.find(pClassRef);
    if (it != maps.store.end())
    {
        DWORD nClassIndex = it->second;
        if (nClassIndex < wBigObjectTag)
        {
            *this << (WORD)(wClassTag | nClassIndex);
        }
        else
        {
            *this << wBigObjectTag;
            *this << (DWORD)(dwBigClassTag | nClassIndex);
        }
        return;
    }
    if (m_nMapCount >= nMaxMapCount)
        ThrowArchive(CArchiveException::badIndex);
    *this << wNewClassTag;
    pClassRef->Store(*this);
    maps.store.emplace(pClassRef, m_nMapCount++);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema,
                                   DWORD* pObTag)
{
    ASSERT(IsLoading());
    // The requested class only filters what may be read, so it may be an abstract
    // base such as one that is not serializable itself.

    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == wBigObjectTag)
        *this >> obTag;
    else
        obTag = ((DWORD)(wTag & wClassTag) << 16) | (wTag & ~wClassTag);

    if (!(obTag & dwBigClassTag))
    {
        if (pObTag == NULL)
            ThrowArchive(CArchiveException::badIndex);
        *pObTag = obTag;
        return NULL;
    }

    CArchiveMaps& maps = MapsOf(m_pMaps);
    CRuntimeClass* pClassRef;
    UINT nSchema;
    if (wTag == wNewClassTag)
    {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        if (pClassRef == NULL || pClassRef->m_wSchema == 0xFFFF)
            ThrowArchive(CArchiveException::badClass);
        if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema &&
            !(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
            ThrowArchive(CArchiveException::badSchema);
        if (m_nMapCount >= nMaxMapCount)
            ThrowArchive(CArchiveException::badIndex);
        maps.load.push_back({ pClassRef, nSchema, true });
        ++m_nMapCount;
    }
    else
    {
        DWORD nClassIndex = obTag & ~dwBigClassTag;
        CheckIndex(nClassIndex);
        const CArchiveMaps::Loaded& entry = maps.load[nClassIndex];
        if (!entry.bClass)
            ThrowArchive(CArchiveException::badIndex);
        pClassRef = static_cast<CRuntimeClass*>(entry.p);
        nSchema = entry.nSchema;
    }

    if (pClassRefRequested != NULL && !pClassRef->IsDerivedFrom(pClassRefRequested))
        ThrowArchive(CArchiveException::badClass);
    if (pSchema != NULL)
        *pSchema = nSchema;
    if (pObTag != NULL)
        *pObTag = obTag;
    return pClassRef;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef);
}

// Object records

void CArchive::WriteObject(const CObject* pOb)
{
    ASSERT(IsStoring());
    if (pOb == NULL)
    {
        *this << wNullTag;
        return;
    }

    CArchiveMaps& maps = MapsOf(m_pMaps);
    auto it = maps.store.find(pOb);
    if (it != maps.store.end())
    {
        DWORD nObIndex = it->second;
        if (nObIndex < wBigObjectTag)
        {
            *this << (WORD)nObIndex;
        }
        else
        {
            *this << wBigObjectTag;
            *this << nObIndex;
        }
        return;
    }

    WriteClass(pOb->GetRuntimeClass());
    if (m_nMapCount >= nMaxMapCount)
        ThrowArchive(CArchiveException::badIndex);
    maps.store.emplace(pOb, m_nMapCount++);
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    ASSERT(IsLoading());
    UINT nSchema;
    DWORD obTag;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);

    CArchiveMaps& maps = MapsOf(m_pMaps);
    if (pClassRef == NULL)
    {
        if (obTag == wNullTag)
            return NULL;
        CheckIndex(obTag);
        const CArchiveMaps::Loaded& entry = maps.load[obTag];
        if (entry.bClass)
            ThrowArchive(CArchiveException::badIndex);
        CObject* pOb = static_cast<CObject*>(entry.p);
        if (pOb != NULL && pClassRefRequested != NULL && !pOb->IsKindOf(pClassRefRequested))
            ThrowArchive(CArchiveException::badClass);
        return pOb;
    }

    CObject* pOb = pClassRef->CreateObject();
    if (pOb == NULL)
        AfxThrowMemoryException();
    if (m_nMapCount >= nMaxMapCount)
    {
        delete pOb;
        ThrowArchive(CArchiveException::badIndex);
    }
    // Numbered before its data is read, so that the data can refer to it.
    size_t nEntry = maps.load.size();
    maps.load.push_back({ pOb, 0, false, pClassRef });
    ++m_nMapCount;
    m_nObjectSchema = nSchema;
    try
    {
        pOb->Serialize(*this);
    }
    catch (...)
    {
        // Nobody holds a half-read object: free it and forget its number.
        maps.load[nEntry].p = NULL;
        maps.load[nEntry].nEnd = m_nMapCount;
        delete pOb;
        throw;
    }
    maps.load[nEntry].nEnd = m_nMapCount;
    return pOb;
}

BOOL CArchive::GetLoadedObject(DWORD nIndex, CObject*& pOb, CRuntimeClass*& pClass, DWORD& nEnd) const
{
    ASSERT(IsLoading());
    if (m_pMaps == NULL || nIndex == 0 || nIndex >= m_pMaps->load.size())
        return FALSE;
    const CArchiveMaps::Loaded& entry = m_pMaps->load[nIndex];
    if (entry.pObClass == NULL)
        return FALSE;
    pOb = static_cast<CObject*>(entry.p);
    pClass = entry.pObClass;
    nEnd = entry.nEnd;
    return TRUE;
}
