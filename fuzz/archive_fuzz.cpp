// A loading archive over arbitrary bytes. The first byte gives the number of reads
// (up to 15), the next bytes pick each read: strings, counts, numbers, objects of a
// few registered test classes, and the Serialize of CObList, CStringArray and
// CMapStringToOb. Every failure must be a framework exception. What was read is
// stored again and read back, and must come out the same.
#include <afxcoll.h>

// The archive's numbering, to free every object it created.
#include "framework/src/archive_maps.h"

#include <sanitizer/asan_interface.h>
#include <stdlib.h>
#include <vector>

// The registered test classes; the archive creates them by name.

class CFuzzPoint : public CObject
{
    DECLARE_SERIAL(CFuzzPoint)
public:
    LONG m_x = 0, m_y = 0;
    CString m_strName;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_x << m_y << m_strName;
        else
            ar >> m_x >> m_y >> m_strName;
    }
};
IMPLEMENT_SERIAL(CFuzzPoint, CObject, 1)

// Refers to another object, which may be itself or one read before.
class CFuzzNode : public CObject
{
    DECLARE_SERIAL(CFuzzNode)
public:
    CObject* m_pChild = NULL;
    CStringArray m_names;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_pChild;
        else
            ar >> m_pChild;
        m_names.Serialize(ar);
    }
};
IMPLEMENT_SERIAL(CFuzzNode, CObject, 2)

// Holds collections of its own; their objects belong to the archive.
class CFuzzBag : public CObject
{
    DECLARE_SERIAL(CFuzzBag)
public:
    CObList m_list;
    CMapStringToOb m_map;
    WORD m_wTag = 0;
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_wTag;
        else
            ar >> m_wTag;
        m_list.Serialize(ar);
        m_map.Serialize(ar);
    }
};
IMPLEMENT_SERIAL(CFuzzBag, CObject, 0)

namespace {

void Check(bool bCondition)
{
    if (!bCondition)
        abort();
}

// An archive that can free the objects it created. An object is numbered before the
// objects that its own data holds, so an owner (a picture owns its elements) comes
// first: what it freed is freed memory by the time its turn comes, and is left alone.
class CFuzzArchive : public CArchive
{
public:
    using CArchive::CArchive;
    void DeleteLoadedObjects()
    {
        if (m_pMaps == NULL)
            return;
        for (CArchiveMaps::Loaded& entry : m_pMaps->load)
        {
            if (!entry.bClass && entry.p != NULL && !__asan_address_is_poisoned(entry.p))
                delete static_cast<CObject*>(entry.p);
            entry.p = NULL;
        }
    }
};

// Stores a collection into memory and loads it into a fresh one of its class.
template <class COLLECTION>
void RoundTrip(COLLECTION& collection)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        collection.Serialize(ar);
        ar.Close();
    }
    file.SeekToBegin();
    COLLECTION again;
    CFuzzArchive ar(&file, CArchive::load);
    try
    {
        again.Serialize(ar);
    }
    catch (CException* e)
    {
        e->Delete();
        Check(false);
    }
    Check(again.GetCount() == collection.GetCount());
    ar.DeleteLoadedObjects();
}

void ReadOne(CFuzzArchive& ar, BYTE op)
{
    switch (op % 10)
    {
    case 0:
    {
        CString str;
        ar >> str;
        break;
    }
    case 1:
        ar.ReadCount();
        break;
    case 2:
    {
        DWORD dw;
        WORD w;
        double d;
        ar >> dw >> w >> d;
        break;
    }
    case 3:
        ar.ReadObject(NULL);
        break;
    case 4:
        ar.ReadObject(RUNTIME_CLASS(CFuzzPoint));
        break;
    case 5:
        ar.ReadClass(NULL, NULL, NULL);
        break;
    case 6:
    {
        CObList list;
        list.Serialize(ar);
        RoundTrip(list);
        break;
    }
    case 7:
    {
        CStringArray strings;
        strings.Serialize(ar);
        RoundTrip(strings);
        break;
    }
    case 8:
    {
        CMapStringToOb map;
        map.Serialize(ar);
        RoundTrip(map);
        break;
    }
    case 9:
    {
        BYTE buf[64];
        ar.Read(buf, op / 10 % sizeof buf);
        break;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize < 1)
        return 0;
    size_t nOps = pData[0] & 0x0F;
    if (nSize < 1 + nOps)
        return 0;
    const BYTE* pOps = pData + 1;
    std::vector<BYTE> bytes(pData + 1 + nOps, pData + nSize);
    CMemFile file(bytes.data(), (UINT)bytes.size());
    CFuzzArchive ar(&file, CArchive::load, 128);
    try
    {
        for (size_t i = 0; i < nOps; ++i)
            ReadOne(ar, pOps[i]);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    ar.DeleteLoadedObjects();
    return 0;
}
