// hoardtool's commands on the resource file as a whole: its structure, its resources,
// and sounds and pictures moved in and out of it.
#include "Commands.h"
#include "FollowedResource.h"
#include "OutputNames.h"
#include "ToolError.h"
#include "ToolFile.h"
#include "TypeNames.h"
#include "WaveFile.h"

#include "hoard/resources/Hoard.h"
#include "hoard/resources/ResourceClass.h"
#include "hoard/sound/Wav.h"
#include "limn/pictures/Picture.h"

#include <stdio.h>
#include <string.h>

#include <memory>
#include <string>
#include <vector>

namespace {

void SeekArchive(CArchive& ar, DWORD dwPos)
{
    ar.Flush();
    ar.GetFile()->Seek((LONG)dwPos, CFile::begin);
}

// The section is read block by block without creating a resource.
int InfoOf(const char* pszPath)
{
    CFile file(pszPath, CFile::modeRead | CFile::shareDenyWrite);
    CArchive ar(&file, CArchive::load);
    DWORD dwSection;
    BOOL bTrailer;
    FindResourceSection(ar, pszPath, dwSection, bTrailer);
    SeekArchive(ar, dwSection);

    DWORD dwVersion, nTypes;
    ar >> dwVersion >> nTypes;
    std::vector<std::string> lines;
    for (DWORD i = 0; i < nTypes; ++i)
    {
        ar.Flush();
        DWORD dwBlock = file.GetPosition();
        DWORD dwBlockLength;
        CString strType;
        ar >> dwBlockLength >> strType;
        DWORD nResources = ar.ReadCount();
        ar.Flush();
        // The block holds at least its header, and more when it lists resources.
        ULONGLONG nEnd = (ULONGLONG)dwBlock + dwBlockLength, nHeaderEnd = file.GetPosition();
        if (nEnd < nHeaderEnd || (nResources != 0 && nEnd == nHeaderEnd))
            Fail("type block %lu (%s) at %lu claims %lu bytes, which do not fit the file", i + 1,
                 (LPCSTR)strType, dwBlock, dwBlockLength);
        char szLine[512];
        snprintf(szLine, sizeof szLine, "type %s bytes %lu resources %lu", (LPCSTR)strType,
                 dwBlockLength, nResources);
        lines.push_back(szLine);
        SeekArchive(ar, dwBlock + dwBlockLength);
    }
    printf("section %lu version %lu trailer %s\n", dwSection, dwVersion, bTrailer ? "yes" : "no");
    for (const std::string& line : lines)
        printf("%s\n", line.c_str());
    return 0;
}

// Calls fn for every resource of the file, types in the file's order.
template <class Fn>
void ForEachResource(CHoard& hoard, Fn fn)
{
    for (UINT i = 0; i < hoard.GetNumTypes(); ++i)
    {
        CString strType = hoard.GetResourceType(i);
        const CResourceList* pList = hoard.GetResourceList(strType);
        for (POSITION pos = pList->GetHeadPosition(); pos != NULL;)
            fn(strType, pList->GetNext(pos));
    }
}

// The bytes of a resource's data: a sound's samples, a picture's bitmap or Macintosh
// picture.
DWORD DataSizeOf(CResource* pRes)
{
    if (auto* pWav = DYNAMIC_DOWNCAST(CWav, pRes))
        return pWav->GetDataSize();
    if (auto* pPicture = DYNAMIC_DOWNCAST(CPicture, pRes))
        return PictureDataSize(pPicture);
    return 0;
}

// A picture's line adds the size and depth of its bitmap and the kinds of its elements.
int ListOf(const char* pszPath)
{
    CToolFile file(pszPath);
    ForEachResource(file.m_hoard, [](const CString& strType, CResource* pRes) {
        printf("%s\t%s\t%lu", (LPCSTR)strType, (LPCSTR)pRes->GetName(), DataSizeOf(pRes));
        if (auto* pPicture = DYNAMIC_DOWNCAST(CPicture, pRes))
            printf("\t%s\t%s", (LPCSTR)PictureFormat(pPicture), (LPCSTR)PictureElementKinds(pPicture));
        printf("\n");
    });
    return 0;
}

int CheckOf(const char* pszPath)
{
    CToolFile file(pszPath);
    CHoard& hoard = file.m_hoard;
    UINT nResources = 0, nBlocks = 0;
    ForEachResource(hoard, [&](const CString& strType, CResource* pRes) {
        ++nResources;
        if (auto* pPicture = DYNAMIC_DOWNCAST(CPicture, pRes))
        {
            nBlocks += CheckPicture(pPicture);
            return;
        }
        auto* pWav = DYNAMIC_DOWNCAST(CWav, pRes);
        if (pWav == NULL)
            return;
        ++nBlocks;
        if (pWav->GetDataSize() == 0)
            return;
        if (pWav->GetData() == NULL)
            Fail("the samples of %s \"%s\" cannot be read back from the file", (LPCSTR)strType,
                 (LPCSTR)pRes->GetName());
        pWav->ReleaseData();
    });
    printf("ok: %u types, %u resources, %u blocks\n", hoard.GetNumTypes(), nResources, nBlocks);
    return 0;
}

// What a file to import holds: a RIFF WAVE file is a sound, any other file may be a
// picture (the picture's import tells its kind by content).
enum ImportKind
{
    importSound,
    importPicture
};

ImportKind KindOf(const char* pszPath)
{
    CFile file(pszPath, CFile::modeRead | CFile::shareDenyWrite);
    char head[12] = {};
    UINT nRead = file.Read(head, sizeof head);
    if (nRead == sizeof head && memcmp(head, "RIFF", 4) == 0 && memcmp(head + 8, "WAVE", 4) == 0)
        return importSound;
    return importPicture;
}

// A resource that import added, with what is said of it once the file is saved.
struct AddedResource
{
    CString strName;
    CString strLine;
    std::unique_ptr<CFollowedResource> pFollowed;
};

// The new resource made from one file, and its line.
CResource* ImportOne(CHoard& hoard, const char* pszFile, CString& strLine)
{
    switch (KindOf(pszFile))
    {
    case importSound:
    {
        CWav* pWav = CWav::New(hoard, NULL);
        if (!pWav->ImportFromFile(pszFile))
            Fail("%s: not a readable WAVE sound", pszFile);
        strLine.Format("added sound %s, %lu bytes", (LPCSTR)pWav->GetName(), pWav->GetDataSize());
        return pWav;
    }
    case importPicture:
    {
        CPicture* pPicture = ImportPicture(hoard, pszFile);
        if (pPicture == NULL)
            Fail("%s: neither a WAVE sound nor a picture (bitmap, PNG, JPEG, GIF, TIFF or Macintosh picture)",
                 pszFile);
        // A picture that is not a bitmap says what it is.
        CString strKinds = PictureElementKinds(pPicture);
        strLine.Format("added picture %s, %s%s, %lu bytes", (LPCSTR)pPicture->GetName(),
                       (LPCSTR)PictureFormat(pPicture, pszFile), strKinds == "bitmap" ? "" : (LPCSTR)(", " + strKinds),
                       PictureDataSize(pPicture));
        return pPicture;
    }
    }
    return NULL;
}

// Nothing is said to be added before the file is saved: a file refused later, or a
// failed save, adds nothing at all. A resource that saving merged into an identical
// one is said to be kept once, under the name of the one kept.
int ImportInto(const char* pszPath, int nFiles, char** ppszFiles)
{
    CToolFile file(pszPath, TRUE);
    std::vector<AddedResource> added;
    for (int i = 0; i < nFiles; ++i)
    {
        AddedResource resource;
        CResource* pRes;
        try
        {
            pRes = ImportOne(file.m_hoard, ppszFiles[i], resource.strLine);
        }
        catch (ToolError& error)
        {
            Fail("%s; nothing added, %s", (LPCSTR)error.m_strMessage, (LPCSTR)file.Unchanged());
        }
        catch (CException* e)
        {
            CString strWhy = ToolExceptionText(e);
            e->Delete();
            Fail("%s; nothing added, %s", (LPCSTR)strWhy, (LPCSTR)file.Unchanged());
        }
        resource.strName = pRes->GetName();
        resource.pFollowed = std::make_unique<CFollowedResource>(pRes);
        added.push_back(std::move(resource));
    }
    file.Save();
    for (const AddedResource& resource : added)
    {
        CResource* pKept = resource.pFollowed->Get();
        if (pKept != NULL && pKept->GetName().CompareNoCase(resource.strName) != 0)
            printf("%s is the same %s as %s: kept once, as %s\n", (LPCSTR)resource.strName,
                   (LPCSTR)TypeNameOf(pKept), (LPCSTR)pKept->GetName(), (LPCSTR)pKept->GetName());
        else
            printf("%s\n", (LPCSTR)resource.strLine);
    }
    return 0;
}

int ExportFrom(const char* pszPath, const char* pszType, const char* pszName, const char* pszOut)
{
    CResourceClass* pClass = TypeNamed(pszType);
    CToolFile file(pszPath);
    CResource* pRes = file.m_hoard.GetResource(pClass->GetClassName(), pszName);
    if (pRes == NULL)
        Fail("there is no %s named \"%s\"", (LPCSTR)pClass->GetName(), pszName);
    if (auto* pPicture = DYNAMIC_DOWNCAST(CPicture, pRes))
    {
        CheckBitmapName(pszOut);
        ExportPicture(pPicture, pszOut);
        return 0;
    }
    auto* pWav = DYNAMIC_DOWNCAST(CWav, pRes);
    if (pWav == NULL)
        Fail("%s resources are neither sounds nor pictures and cannot be written out", (LPCSTR)pClass->GetName());
    CheckWaveName(pszOut);
    const std::vector<BYTE> bytes = SoundFileBytes(pWav);
    CFile out(pszOut, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive);
    out.Write(bytes.data(), (UINT)bytes.size());
    out.Close();
    return 0;
}

} // namespace

std::vector<BYTE> SoundFileBytes(CWav* pWav)
{
    const BYTE* pSamples = pWav->GetData();
    if (pSamples == NULL && pWav->GetDataSize() != 0)
        Fail("the samples of \"%s\" cannot be read back from the file", (LPCSTR)pWav->GetName());
    CMemFile file;
    try
    {
        WriteWaveFile(file, pWav->GetFormat(), pSamples, pWav->GetDataSize());
    }
    catch (...)
    {
        if (pSamples != NULL)
            pWav->ReleaseData();
        throw;
    }
    if (pSamples != NULL)
        pWav->ReleaseData();
    return MemoryFileBytes(file);
}

std::vector<BYTE> MemoryFileBytes(CMemFile& file)
{
    std::vector<BYTE> bytes(file.GetLength());
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

int Info(int argc, char** argv) { return InfoOf(argv[0]); }
int List(int argc, char** argv) { return ListOf(argv[0]); }
int Check(int argc, char** argv) { return CheckOf(argv[0]); }
int Import(int argc, char** argv) { return ImportInto(argv[0], argc - 1, argv + 1); }
int Export(int argc, char** argv) { return ExportFrom(argv[0], argv[1], argv[2], argv[3]); }
