// Resource files: opening reads no block, and saving copies unread blocks verbatim.
//
//   open:  a file whose blocks total 256 MB against one with the same resources
//          holding 2 MB; blocks are read lazily, so the two should cost about the same
//   save:  CopyFileA of a 256 MB file against saving it with none of its blocks read,
//          which copies them from the old file unchanged
#include "hoard/data/ReloadableData.h"
#include "hoard/resources/Hoard.h"
#include "hoard/resources/ResourceClass.h"

#include "bench_temp_path.h"
#include "timing.h"

#include <stdio.h>

#include <vector>

// A resource that is nothing but one block. Outside the anonymous namespace: the
// archive operator that its serial declaration adds would be unused there.
class CBlob : public CResource
{
    DECLARE_SERIAL(CBlob)
public:
    CBlob() { m_data.SetCompression(CReloadableData::compressNone); }
    void Serialize(CArchive& ar) override
    {
        CResource::Serialize(ar);
        m_data.Serialize(ar);
    }
    CResourceClass* GetResourceClass() override;
    CReloadableData m_data;
};

class CBlobClass : public CResourceClass
{
public:
    CBlobClass() : CResourceClass(RUNTIME_CLASS(CBlob)) {}
} g_blobClass;

IMPLEMENT_SERIAL(CBlob, CResource, 0)
CResourceClass* CBlob::GetResourceClass() { return &g_blobClass; }

namespace {

const int nResources = 64;

void WriteFile(const char* pszPath, DWORD nBlockBytes)
{
    CHoard hoard;
    std::vector<BYTE> bytes(nBlockBytes);
    DWORD dwSeed = 12345;
    for (int i = 0; i < nResources; ++i)
    {
        for (BYTE& b : bytes)
            b = (BYTE)((dwSeed = dwSeed * 1103515245 + 12345) >> 16);
        auto* pBlob = static_cast<CBlob*>(hoard.NewResource("CBlob", NULL));
        pBlob->m_data.SetData(nBlockBytes, bytes.data());
    }
    hoard.SaveToFile(pszPath);
}

} // namespace

int main()
{
    CResourceClass::InitResourceClasses();
    CString strBig = BenchTempPath("hoard-bench", "big.hrd"), strSmall = BenchTempPath("hoard-bench", "small.hrd");
    CString strSaved = BenchTempPath("hoard-bench", "saved.hrd"), strCopied = BenchTempPath("hoard-bench", "copied.hrd");
    try
    {
        WriteFile(strBig, 4 * 1024 * 1024);
        WriteFile(strSmall, 32 * 1024);

        // Each sample opens the file 20 times: one open is too short to time alone.
        auto open20 = [](const CString& strPath) {
            for (int i = 0; i < 20; ++i)
                CHoard().LoadFromFile(strPath);
        };
        double dOpenBig = Best(7, [&] { open20(strBig); }) / 20;
        double dOpenSmall = Best(7, [&] { open20(strSmall); }) / 20;
        printf("open: 256 MB of blocks %.2f ms, 2 MB of blocks %.2f ms, ratio %.2f (target at most 1.5)\n",
               dOpenBig * 1e3, dOpenSmall * 1e3, dOpenBig / dOpenSmall);

        // Interleaved, so that a busy spell of the machine weighs on both sides alike,
        // and each into a new file.
        double dSave = 1e30, dCopy = 1e30;
        for (int i = 0; i < 5; ++i)
        {
            DeleteFileA(strSaved);
            DeleteFileA(strCopied);
            CHoard hoard;
            hoard.LoadFromFile(strBig);
            dSave = std::min(dSave, Seconds([&] { hoard.SaveToFile(strSaved); }));
            dCopy = std::min(dCopy, Seconds([&] { CopyFileA(strBig, strCopied, FALSE); }));
        }
        printf("save: unread 256 MB file %.1f ms, CopyFileA %.1f ms, speed ratio %.2f (target at least 0.8)\n",
               dSave * 1e3, dCopy * 1e3, dCopy / dSave);
    }
    catch (CException* e)
    {
        char szMessage[512];
        e->GetErrorMessage(szMessage, sizeof szMessage);
        fprintf(stderr, "hoard_file_bench: %s\n", szMessage);
        e->Delete();
        return 1;
    }
    for (const CString& strPath : { strBig, strSmall, strSaved, strCopied })
        DeleteFileA(strPath);
    return 0;
}
