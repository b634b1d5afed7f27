// The paste of clipboard streams over arbitrary bytes, into a hoard that already holds
// sounds and a picture, each kept by a counting pointer as a document would. The first
// byte answers the question about names already taken (Yes, No or Cancel) and says which
// streams there are; two bytes give the descriptor's length; the descriptor and the
// resource stream follow. Every failure must be a framework exception; afterwards
// nothing refers to the hoard as being pasted into, the pasted resources are listed
// once each and are in the file, and each resource that was there before is
// still there with its name and its content, or, answered Yes, was replaced by a
// pasted resource of its name that took over its pointers. What the hoard then holds
// is written and read back.
#include "hoard/data/ReloadableData.h"
#include "hoard/resources/Hoard.h"
#include "hoard/resources/ResourceClass.h"
#include "hoard/resources/ResourcePtr.h"
#include "limn/pictures/Picture.h"

#include <stdlib.h>
#include <string.h>

#include <memory>
#include <string>
#include <vector>

// A sound-like type: one block of samples and a rate.
class CPasteSound : public CResource
{
    DECLARE_SERIAL(CPasteSound)
public:
    CPasteSound() { m_data.SetCompression(CReloadableData::compressNone); }
    void Serialize(CArchive& ar) override
    {
        CResource::Serialize(ar);
        m_data.Serialize(ar);
        if (ar.IsStoring())
            ar << m_dwRate;
        else
            ar >> m_dwRate;
    }
    CResourceClass* GetResourceClass() override;
    CReloadableData m_data;
    DWORD m_dwRate = 0;
};

class CPasteSoundClass : public CResourceClass
{
public:
    CPasteSoundClass() : CResourceClass(RUNTIME_CLASS(CPasteSound)) {}
} g_pasteSoundClass;

IMPLEMENT_SERIAL(CPasteSound, CResource, 0)
CResourceClass* CPasteSound::GetResourceClass() { return &g_pasteSoundClass; }

namespace {

void Check(bool bCondition)
{
    if (!bCondition)
        abort();
}

// A counting pointer, as a document holds its resources.
class CHeld : public CResourcePtrBase
{
public:
    explicit CHeld(CResource* pRes) : CResourcePtrBase(pRes, TRUE) {}
    CResource* Get() const { return GetResourcePtr(); }
};

// The bytes of a sound's block, or of a picture as it writes itself.
std::string ContentOf(CResource* pRes)
{
    if (auto* pSound = dynamic_cast<CPasteSound*>(pRes))
    {
        const BYTE* p = pSound->m_data.Lock();
        if (p == NULL)
            return std::to_string(pSound->m_dwRate);
        std::string s((const char*)p, pSound->m_data.GetSize());
        pSound->m_data.Unlock();
        return s + std::to_string(pSound->m_dwRate);
    }
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    pRes->Serialize(ar);
    ar.Close();
    std::string s(file.GetLength(), '\0');
    file.SeekToBegin();
    file.Read(s.data(), (UINT)s.size());
    return s;
}

// A resource that was in the file before the paste.
struct Original
{
    Original(CResource* pRes) : strType(pRes->GetRuntimeClass()->m_lpszClassName), strName(pRes->GetName()),
                                content(ContentOf(pRes)), pOriginal(pRes), held(pRes) {}
    CString strType;
    CString strName;
    std::string content;
    CResource* pOriginal;   // compared, never followed
    CHeld held;
};

void AddSound(CHoard& hoard, const char* pszName, const char* pszSamples, DWORD dwRate)
{
    auto* pSound = static_cast<CPasteSound*>(hoard.NewResource("CPasteSound", pszName));
    pSound->m_data.SetData((DWORD)strlen(pszSamples), pszSamples);
    pSound->m_dwRate = dwRate;
}

BOOL InFile(const CHoard& hoard, CResource* pRes)
{
    const CResourceList* pList = hoard.GetResourceList(pRes->GetRuntimeClass()->m_lpszClassName);
    return pList != NULL && pList->Find(pRes) != NULL;
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

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    CResourceClass::InitResourceClasses();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    static const int answers[] = { IDYES, IDNO, IDCANCEL, IDCANCEL };
    g_nMessageBoxAnswer = answers[data[0] & 3];
    BOOL bDescriptor = (data[0] & 4) != 0, bResources = (data[0] & 8) == 0;
    size_t nDescriptor = data[1] | (data[2] << 8);
    data += 3;
    size -= 3;
    if (nDescriptor > size)
        nDescriptor = size;

    CHoard hoard;
    AddSound(hoard, "Bell", "ding", 11025);
    AddSound(hoard, "Horn", "honk", 22050);
    hoard.NewResource("CPicture", "Sun");
    std::vector<std::unique_ptr<Original>> originals;
    for (const char* pszType : { "CPasteSound", "CPicture" })
    {
        const CResourceList* pList = hoard.GetResourceList(pszType);
        for (POSITION pos = pList->GetHeadPosition(); pos != NULL;)
            originals.push_back(std::make_unique<Original>(pList->GetNext(pos)));
    }

    CResourceList pasted;
    try
    {
        hoard.PasteStreams(bDescriptor ? data : NULL, (UINT)nDescriptor, bResources ? data + nDescriptor : NULL,
                           (UINT)(size - nDescriptor), pasted);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    Check(CHoard::GetCurSerializing() == NULL);
    Check(CReloadableData::m_pCurFileReference == NULL);

    // The pasted resources are in the file, once each, and readable.
    for (POSITION pos = pasted.GetHeadPosition(); pos != NULL;)
    {
        CResource* pRes = pasted.GetNext(pos);
        Check(InFile(hoard, pRes) && pRes->GetHoard() == &hoard);
        Check(pasted.Find(pRes, pasted.Find(pRes)) == NULL);
        ContentOf(pRes);
    }
    // The file's earlier resources, or their replacements.
    for (const auto& pOriginal : originals)
    {
        CResource* pNow = pOriginal->held.Get();
        Check(pNow != NULL && InFile(hoard, pNow));
        Check(pNow->GetName().CompareNoCase(pOriginal->strName) == 0);
        if (pNow == pOriginal->pOriginal)
            Check(ContentOf(pNow) == pOriginal->content);
        else
            Check(g_nMessageBoxAnswer == IDYES && pasted.Find(pNow) != NULL && pNow->GetUsageCount() >= 1);
    }
    // Every resource of the file knows its file.
    for (UINT i = 0; i < hoard.GetNumTypes(); ++i)
    {
        const CResourceList* pList = hoard.GetResourceList(hoard.GetResourceType(i));
        for (POSITION pos = pList->GetHeadPosition(); pos != NULL;)
            Check(pList->GetNext(pos)->GetHoard() == &hoard);
    }

    // What the hoard holds writes and reads back to the same bytes.
    std::vector<BYTE> first = Store(hoard);
    CHoard copy;
    {
        CMemFile file(first.data(), (UINT)first.size());
        CArchive ar(&file, CArchive::load);
        copy.Serialize(ar);
    }
    Check(Store(copy) == first);
    return 0;
}
