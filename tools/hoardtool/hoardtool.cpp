// hoardtool: inspects resource files and moves sounds in and out of them.
//
//   hoardtool info FILE                     the section's structure, nothing created
//   hoardtool list FILE                     type, name and data size of every resource
//   hoardtool check FILE                    reads everything, decoding every block
//   hoardtool import FILE WAV...            adds WAVE files as sounds and saves
//   hoardtool export FILE TYPE NAME OUT     writes a sound out as a WAVE file
//
// A damaged file or a failure gives one line on standard error and exit status 1.
#include "hoard/resources/Hoard.h"
#include "hoard/resources/ResourceClass.h"
#include "hoard/sound/Wav.h"
#include "WaveFile.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>

#include <string>
#include <vector>

namespace {

const char szUsage[] =
    "usage: hoardtool info FILE\n"
    "       hoardtool list FILE\n"
    "       hoardtool check FILE\n"
    "       hoardtool import FILE WAV...\n"
    "       hoardtool export FILE TYPE NAME OUT\n";

// A failure that the tool reports in one line.
struct ToolError
{
    CString m_strMessage;
};

[[noreturn]] void Fail(const char* pszFormat, ...)
{
    ToolError error;
    va_list args;
    va_start(args, pszFormat);
    error.m_strMessage.FormatV(pszFormat, args);
    va_end(args);
    throw error;
}

void SeekArchive(CArchive& ar, DWORD dwPos)
{
    ar.Flush();
    ar.GetFile()->Seek((LONG)dwPos, CFile::begin);
}

// The section is read block by block without creating a resource.
int Info(const char* pszPath)
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
        if ((ULONGLONG)dwBlock + dwBlockLength > dwLength || dwBlock + dwBlockLength <= file.GetPosition())
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

int List(const char* pszPath)
{
    CHoard hoard;
    hoard.LoadFromFile(pszPath);
    ForEachResource(hoard, [](const CString& strType, CResource* pRes) {
        auto* pWav = DYNAMIC_DOWNCAST(CWav, pRes);
        printf("%s\t%s\t%lu\n", (LPCSTR)strType, (LPCSTR)pRes->GetName(),
               pWav != NULL ? pWav->GetDataSize() : 0UL);
    });
    return 0;
}

int Check(const char* pszPath)
{
    CHoard hoard;
    hoard.LoadFromFile(pszPath);
    UINT nResources = 0, nBlocks = 0;
    ForEachResource(hoard, [&](const CString& strType, CResource* pRes) {
        ++nResources;
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

int Import(const char* pszPath, int nWavs, char** ppszWavs)
{
    CHoard hoard;
    if (GetFileAttributesA(pszPath) != INVALID_FILE_ATTRIBUTES)
        hoard.LoadFromFile(pszPath);
    for (int i = 0; i < nWavs; ++i)
    {
        CWav* pWav = CWav::New(hoard, NULL);
        if (!pWav->ImportFromFile(ppszWavs[i]))
            Fail("%s: not a readable WAVE sound; %s is unchanged", ppszWavs[i], pszPath);
        printf("added sound %s, %lu bytes\n", (LPCSTR)pWav->GetName(), pWav->GetDataSize());
    }
    hoard.SaveToFile(pszPath);
    return 0;
}

int Export(const char* pszPath, const char* pszType, const char* pszName, const char* pszOut)
{
    CHoard hoard;
    hoard.LoadFromFile(pszPath);
    CResource* pRes = hoard.GetResource(pszType, pszName);
    if (pRes == NULL)
        Fail("there is no %s named \"%s\"", pszType, pszName);
    auto* pWav = DYNAMIC_DOWNCAST(CWav, pRes);
    if (pWav == NULL)
        Fail("%s resources are not sounds and cannot be written as WAVE files", pszType);
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

int Run(int argc, char** argv)
{
    if (argc < 3)
        return -1;
    CString strCommand = argv[1];
    if (strCommand == "info" && argc == 3)
        return Info(argv[2]);
    if (strCommand == "list" && argc == 3)
        return List(argv[2]);
    if (strCommand == "check" && argc == 3)
        return Check(argv[2]);
    if (strCommand == "import" && argc >= 4)
        return Import(argv[2], argc - 3, argv + 3);
    if (strCommand == "export" && argc == 6)
        return Export(argv[2], argv[3], argv[4], argv[5]);
    return -1;
}

} // namespace

int main(int argc, char** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    CResourceClass::InitResourceClasses();
    try
    {
        int nResult = Run(argc, argv);
        if (nResult < 0)
        {
            fputs(szUsage, stderr);
            return 2;
        }
        return nResult;
    }
    catch (const ToolError& error)
    {
        fprintf(stderr, "hoardtool: %s\n", (LPCSTR)error.m_strMessage);
    }
    catch (CException* e)
    {
        char szMessage[512];
        if (!e->GetErrorMessage(szMessage, sizeof szMessage))
            snprintf(szMessage, sizeof szMessage, "%s", e->GetRuntimeClass()->m_lpszClassName);
        fprintf(stderr, "hoardtool: %s\n", szMessage);
        e->Delete();
    }
    return 1;
}
