// The resource-file reader over arbitrary bytes: a resource section read from a
// memory file (blocks read at once) or from a real file (blocks read on first use).
// Every block is then locked and decoded; every picture's bitmaps are checked, copied
// and flipped, and the picture copied and compared. What was read is written, read
// back and written again, which must give the same bytes. Every failure must be a
// framework exception.
#include "hoard/data/ReloadableData.h"
#include "hoard/resources/Hoard.h"
#include "hoard/resources/ResourceClass.h"
#include "limn/pictures/DIBElem.h"
#include "limn/pictures/Picture.h"

#include <stdlib.h>
#include <unistd.h>

#include <vector>

// A sound-like type: raw samples and a format record.
class CFuzzSound : public CResource
{
    DECLARE_SERIAL(CFuzzSound)
public:
    CFuzzSound() { m_data.SetCompression(CReloadableData::compressNone); }
    void Serialize(CArchive& ar) override
    {
        CResource::Serialize(ar);
        m_data.Serialize(ar);
        if (ar.IsStoring())
            ar << m_dwMaxTime << m_wTag << m_dwRate;
        else
            ar >> m_dwMaxTime >> m_wTag >> m_dwRate;
    }
    CResourceClass* GetResourceClass() override;
    BOOL IsSameAs(const CResource* pOther) const override
    {
        auto* p = dynamic_cast<const CFuzzSound*>(pOther);
        return p != NULL && p->m_dwRate == m_dwRate && p->m_data == m_data;
    }
    CReloadableData m_data;
    DWORD m_dwMaxTime = 0, m_dwRate = 0;
    WORD m_wTag = 0;
};

// A picture-like type: 16-bit pixels coded in words, and a caption.
class CFuzzPicture : public CResource
{
    DECLARE_SERIAL(CFuzzPicture)
public:
    CFuzzPicture() { m_bits.SetCompression(CReloadableData::compressWords); }
    void Serialize(CArchive& ar) override
    {
        CResource::Serialize(ar);
        if (ar.IsStoring())
            ar << m_strCaption;
        else
            ar >> m_strCaption;
        m_bits.Serialize(ar);
    }
    CResourceClass* GetResourceClass() override;
    CReloadableData m_bits;
    CString m_strCaption;
};

class CFuzzClass : public CResourceClass
{
public:
    explicit CFuzzClass(CRuntimeClass* pClass) : CResourceClass(pClass) {}
};

IMPLEMENT_SERIAL(CFuzzSound, CResource, 0)
IMPLEMENT_SERIAL(CFuzzPicture, CResource, 1)
static CFuzzClass g_soundClass(RUNTIME_CLASS(CFuzzSound));
static CFuzzClass g_pictureClass(RUNTIME_CLASS(CFuzzPicture));
CResourceClass* CFuzzSound::GetResourceClass() { return &g_soundClass; }
CResourceClass* CFuzzPicture::GetResourceClass() { return &g_pictureClass; }

namespace {

void Check(bool bCondition)
{
    if (!bCondition)
        abort();
}

// What the picture model does with the bitmaps it was given: checks each against the
// bytes that hold it, copies it, flips it both ways, and copies and compares the picture.
void UsePicture(CPicture& picture)
{
    const CPictElemArray& elems = picture.GetPictElems();
    for (INT_PTR i = 0; i < elems.GetSize(); ++i)
    {
        auto* pElem = dynamic_cast<CDIBElem*>(elems[i].m_pElem);
        if (pElem == NULL)
            continue;
        DIBINFO info;
        BOOL bValid = pElem->GetDIBInfo(&info);
        HDIB hCopy = pElem->CopyDIB();
        Check((hCopy != NULL) == bValid);
        if (hCopy != NULL)
        {
            Check(ValidateDIBHandle(hCopy, NULL));
            GlobalFree(hCopy);
        }
    }
    if (HDIB hDIB = picture.MakeDIB())
        GlobalFree(hDIB);
    picture.FlipHorizontally();
    picture.FlipVertically();
    CPicture copy(picture);
    Check(copy.GetPictElems().GetSize() == elems.GetSize());
    copy.IsSameAs(&picture);
}

// Locks every block of the hoard, which reads and decodes it, and uses every picture.
void LockAll(CHoard& hoard)
{
    for (UINT i = 0; i < hoard.GetNumTypes(); ++i)
    {
        CString strType = hoard.GetResourceType(i);
        const CResourceList* pList = hoard.GetResourceList(strType);
        for (POSITION pos = pList->GetHeadPosition(); pos != NULL;)
        {
            CResource* pRes = pList->GetNext(pos);
            if (auto* pPicture = dynamic_cast<CPicture*>(pRes))
                UsePicture(*pPicture);
            const CReloadableData* pData = NULL;
            if (auto* pSound = dynamic_cast<CFuzzSound*>(pRes))
                pData = &pSound->m_data;
            else if (auto* pPicture = dynamic_cast<CFuzzPicture*>(pRes))
                pData = &pPicture->m_bits;
            if (pData != NULL && pData->Lock() != NULL)
                pData->Unlock();
        }
    }
}

std::vector<BYTE> Store(CHoard& hoard)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    hoard.Serialize(ar);
    ar.Close();
    std::vector<BYTE> bytes(file.GetLength());
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

void LoadFromMemory(CHoard& hoard, const BYTE* data, size_t size)
{
    CMemFile file(const_cast<BYTE*>(data), (UINT)size);
    CArchive ar(&file, CArchive::load);
    hoard.Serialize(ar);
}

// A real file, so that blocks are read lazily through their file reference.
void LoadFromFile(CHoard& hoard, const BYTE* data, size_t size)
{
    char szPath[] = "/tmp/hoard-fuzz-XXXXXX";
    int fd = mkstemp(szPath);
    Check(fd >= 0);
    Check(write(fd, data, size) == (ssize_t)size);
    close(fd);
    try
    {
        hoard.LoadFromFile(szPath);
        LockAll(hoard);
    }
    catch (...)
    {
        unlink(szPath);
        throw;
    }
    unlink(szPath);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    CResourceClass::InitResourceClasses();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte chooses how the rest is read.
    BOOL bFromFile = data[0] & 1;
    ++data;
    --size;

    CHoard hoard;
    try
    {
        if (bFromFile)
            LoadFromFile(hoard, data, size);
        else
            LoadFromMemory(hoard, data, size);
        LockAll(hoard);
    }
    catch (CException* e)
    {
        e->Delete();
        return 0;
    }
    Check(CHoard::GetCurSerializing() == NULL);

    // Whatever was read writes and reads back to the same bytes.
    CReloadableData::m_pCurFileReference = NULL;
    std::vector<BYTE> first = Store(hoard);
    CHoard copy;
    LoadFromMemory(copy, first.data(), first.size());
    Check(Store(copy) == first);
    return 0;
}
