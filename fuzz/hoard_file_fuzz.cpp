// The resource-file reader over arbitrary bytes: a resource section, or a screen
// document (a container tree, then the section), read from a memory file (blocks read at
// once) or from a real file (blocks read on first use). Every block is then locked and
// decoded; every picture's bitmaps are checked, copied and flipped, and the picture
// copied and compared; the tree is drawn and hit-tested. What was read is written, read
// back and written again, which must give the same bytes. Every failure must be a
// framework exception.
#include "hoard/data/ReloadableData.h"
#include "hoard/resources/Hoard.h"
#include "hoard/resources/ResourceClass.h"
#include "limn/canvas/Canvas.h"
#include "limn/containers/MainContainerRecord.h"
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

// Outside a section nothing refers to the hoard that was read, whatever happened.
void CheckNothingSerializing()
{
    Check(CHoard::GetCurSerializing() == NULL);
    Check(CReloadableData::m_pCurFileReference == NULL);
    Check(CReloadableData::m_pCurOwner == NULL);
}

// What a file holds: its resources and, in a screen document, its main container.
struct CDocumentData
{
    explicit CDocumentData(BOOL bScreen) : m_bScreen(bScreen) {}
    ~CDocumentData() { delete m_pScreen; }
    void Serialize(CArchive& ar)
    {
        if (m_bScreen)
            CMainContainerRecord(m_pScreen).Serialize(ar);
        m_hoard.Serialize(ar);
    }

    BOOL m_bScreen;
    CHoard m_hoard;
    CWndContainer* m_pScreen = NULL;
};

// Draws the tree and finds the container under points in and around it.
void ExerciseTree(CWndContainer* pScreen)
{
    if (pScreen == NULL)
        return;
    CCanvas canvas;
    pScreen->Draw(canvas);
    Check(canvas.GetOrigin().x == 0 && canvas.GetOrigin().y == 0 && canvas.GetClipRect().IsRectEmpty());
    const CRect& rect = pScreen->GetBounds();
    for (int i = -1; i <= 4; ++i)
    {
        CPoint point(rect.left + (int)(((long long)rect.Width() * i) / 3), rect.top + (int)(((long long)rect.Height() * i) / 3));
        CContainer* pHit = pScreen->ChildFromPoint(point);
        Check(pHit != NULL);
        pHit->WindowToClient(&point);
        pHit->Invalidate();
    }
    pScreen->GetMinimumSize();
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

std::vector<BYTE> Store(CDocumentData& document)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    document.Serialize(ar);
    ar.Close();
    std::vector<BYTE> bytes(file.GetLength());
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

void LoadFromMemory(CDocumentData& document, const BYTE* data, size_t size)
{
    CMemFile file(const_cast<BYTE*>(data), (UINT)size);
    CArchive ar(&file, CArchive::load);
    document.Serialize(ar);
}

// A real file, so that blocks are read lazily through their file reference.
void LoadFromFile(CDocumentData& document, const BYTE* data, size_t size)
{
    char szPath[] = "/tmp/hoard-fuzz-XXXXXX";
    int fd = mkstemp(szPath);
    Check(fd >= 0);
    Check(write(fd, data, size) == (ssize_t)size);
    close(fd);
    try
    {
        if (document.m_bScreen)
            document.m_pScreen = CMainContainerRecord::LoadFile(szPath, document.m_hoard);
        else
            document.m_hoard.LoadFromFile(szPath);
        LockAll(document.m_hoard);
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
    // The first byte chooses how the rest is read: from a file (bit 0), as a screen
    // document (bit 1).
    BOOL bFromFile = data[0] & 1;
    BOOL bScreen = (data[0] & 2) != 0;
    ++data;
    --size;

    CDocumentData document(bScreen);
    try
    {
        if (bFromFile)
            LoadFromFile(document, data, size);
        else
            LoadFromMemory(document, data, size);
        LockAll(document.m_hoard);
    }
    catch (CException* e)
    {
        e->Delete();
        CheckNothingSerializing();
        return 0;
    }
    CheckNothingSerializing();
    ExerciseTree(document.m_pScreen);

    // Whatever was read writes and reads back to the same bytes.
    std::vector<BYTE> first = Store(document);
    CDocumentData copy(bScreen);
    LoadFromMemory(copy, first.data(), first.size());
    Check(Store(copy) == first);
    return 0;
}
