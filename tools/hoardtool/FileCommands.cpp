// hoardtool's commands on the resource file as a whole: its structure, its resources,
// and sounds and pictures moved in and out of it.
#include "Commands.h"
#include "ToolError.h"
#include "ToolFile.h"
#include "WaveFile.h"

#include "hoard/resources/Hoard.h"
#include "hoard/sound/Wav.h"
#include "limn/pictures/Picture.h"

#include <stdio.h>
#include <string.h>

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
    DWORD dwLength = file.GetLength();
    // Without a trailer the section is the whole file.
    DWORD dwSection;
    BOOL bTrailer = CHoard::FindTrailer(ar, dwSection);
    if (!bTrailer)
        dwSection = 0;
    if (dwSection >= dwLength)
        Fail("the trailer puts the section at %lu, past the end of the file (%lu bytes)",
             dwSection, dwLength);
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
        if (nEnd > dwLength || nEnd < nHeaderEnd || (nResources != 0 && nEnd == nHeaderEnd))
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

// The bytes of a resource's data: a sound's samples, a picture's bitmap.
DWORD DataSizeOf(CResource* pRes)
{
    if (auto* pWav = DYNAMIC_DOWNCAST(CWav, pRes))
        return pWav->GetDataSize();
    if (auto* pPicture = DYNAMIC_DOWNCAST(CPicture, pRes))
        return PictureBitmapSize(pPicture);
    return 0;
}

int ListOf(const char* pszPath)
{
    CToolFile file(pszPath);
    ForEachResource(file.m_hoard, [](const CString& strType, CResource* pRes) {
        printf("%s\t%s\t%lu\n", (LPCSTR)strType, (LPCSTR)pRes->GetName(), DataSizeOf(pRes));
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

// What a file to import holds, from its first bytes.
enum ImportKind
{
    importSound,        // a RIFF WAVE file
    importPicture,      // a ".bmp" or ".dib" file
    importUnknown
};

ImportKind KindOf(const char* pszPath)
{
    CFile file(pszPath, CFile::modeRead | CFile::shareDenyWrite);
    char head[12] = {};
    UINT nRead = file.Read(head, sizeof head);
    if (nRead == sizeof head && memcmp(head, "RIFF", 4) == 0 && memcmp(head + 8, "WAVE", 4) == 0)
        return importSound;
    if (nRead >= 2 && memcmp(head, "BM", 2) == 0)
        return importPicture;
    return importUnknown;
}

int ImportInto(const char* pszPath, int nFiles, char** ppszFiles)
{
    CToolFile file(pszPath, TRUE);
    for (int i = 0; i < nFiles; ++i)
    {
        const char* pszFile = ppszFiles[i];
        switch (KindOf(pszFile))
        {
        case importSound:
        {
            CWav* pWav = CWav::New(file.m_hoard, NULL);
            if (!pWav->ImportFromFile(pszFile))
                Fail("%s: not a readable WAVE sound; %s is unchanged", pszFile, pszPath);
            printf("added sound %s, %lu bytes\n", (LPCSTR)pWav->GetName(), pWav->GetDataSize());
            break;
        }
        case importPicture:
        {
            CPicture* pPicture = ImportPicture(file.m_hoard, pszFile);
            if (pPicture == NULL)
                Fail("%s: not a readable bitmap; %s is unchanged", pszFile, pszPath);
            printf("added picture %s, %ldx%ld, %lu bytes\n", (LPCSTR)pPicture->GetName(), pPicture->GetExtent().cx,
                   pPicture->GetExtent().cy, PictureBitmapSize(pPicture));
            break;
        }
        case importUnknown:
            Fail("%s: neither a WAVE sound nor a bitmap; %s is unchanged", pszFile, pszPath);
        }
    }
    file.Save();
    return 0;
}

int ExportFrom(const char* pszPath, const char* pszType, const char* pszName, const char* pszOut)
{
    CToolFile file(pszPath);
    CResource* pRes = file.m_hoard.GetResource(pszType, pszName);
    if (pRes == NULL)
        Fail("there is no %s named \"%s\"", pszType, pszName);
    if (auto* pPicture = DYNAMIC_DOWNCAST(CPicture, pRes))
    {
        ExportPicture(pPicture, pszOut);
        return 0;
    }
    auto* pWav = DYNAMIC_DOWNCAST(CWav, pRes);
    if (pWav == NULL)
        Fail("%s resources are neither sounds nor pictures and cannot be written out", pszType);
    const BYTE* pSamples = pWav->GetData();
    if (pSamples == NULL && pWav->GetDataSize() != 0)
        Fail("the samples of \"%s\" cannot be read back from the file", pszName);
    try
    {
        WriteWaveFile(pszOut, pWav->GetFormat(), pSamples, pWav->GetDataSize());
    }
    catch (...)
    {
        if (pSamples != NULL)
            pWav->ReleaseData();
        throw;
    }
    if (pSamples != NULL)
        pWav->ReleaseData();
    return 0;
}

} // namespace

int Info(int argc, char** argv) { return InfoOf(argv[0]); }
int List(int argc, char** argv) { return ListOf(argv[0]); }
int Check(int argc, char** argv) { return CheckOf(argv[0]); }
int Import(int argc, char** argv) { return ImportInto(argv[0], argc - 1, argv + 1); }
int Export(int argc, char** argv) { return ExportFrom(argv[0], argv[1], argv[2], argv[3]); }
