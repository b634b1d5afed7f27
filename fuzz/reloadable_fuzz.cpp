// A reloadable block record from arbitrary bytes. The first byte picks where the
// record is read from (memory, or a named hoard file whose bytes stay there until the
// first Lock), the coding used to write it again, and whether it is locked before.
// The block is then locked, purged and locked again, copied, compared and written
// again; what is written must read back equal.
#include "hoard/data/ReloadableData.h"

#include <stdlib.h>
#include <string.h>
#include <unistd.h>
#include <vector>

namespace {

void Check(bool bCondition)
{
    if (!bCondition)
        abort();
}

// Sets the current file reference for a scope, as a hoard does while it serializes.
class CCurFileReference
{
public:
    explicit CCurFileReference(CString* pReference) { CReloadableData::m_pCurFileReference = pReference; }
    ~CCurFileReference() { CReloadableData::m_pCurFileReference = NULL; }
};

// The scratch hoard file of this process.
const CString& ScratchPath()
{
    static CString strPath = [] {
        char sz[] = "/tmp/reloadable_fuzz_XXXXXX";
        int fd = mkstemp(sz);
        Check(fd >= 0);
        close(fd);
        atexit([] { unlink(ScratchPath()); });
        return CString(sz);
    }();
    return strPath;
}

// Compares the bytes themselves: operator== may judge by the stored sizes alone.
bool SameBytes(const CReloadableData& a, const CReloadableData& b)
{
    if (a.GetSize() != b.GetSize())
        return false;
    if (a.GetSize() == 0)
        return true;
    const unsigned char* pA = a.Lock();
    const unsigned char* pB = b.Lock();
    bool bSame = pA != NULL && pB != NULL && memcmp(pA, pB, a.GetSize()) == 0;
    if (pA != NULL)
        a.Unlock();
    if (pB != NULL)
        b.Unlock();
    return bSame;
}

std::vector<BYTE> Store(CReloadableData& block)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    block.Serialize(ar);
    ar.Close();
    std::vector<BYTE> bytes(file.GetLength());
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

void Load(CReloadableData& block, std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    block.Serialize(ar);
}

void LoadFromFile(CReloadableData& block, CString* pReference, const uint8_t* pData, size_t nSize)
{
    {
        CFile file(*pReference, CFile::modeCreate | CFile::modeWrite);
        file.Write(pData, (UINT)nSize);
        file.Close();
    }
    CCurFileReference cur(pReference);
    CFile file(*pReference, CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    block.Serialize(ar);
    ar.Close();
}

void Fuzz(BYTE selector, const uint8_t* pData, size_t nSize)
{
    CString strReference = ScratchPath();
    CReloadableData block;
    if (selector & 1)
        LoadFromFile(block, &strReference, pData, nSize);
    else
        Load(block, std::vector<BYTE>(pData, pData + nSize));

    std::vector<BYTE> contents;
    if (const unsigned char* p = block.Lock())
    {
        contents.assign(p, p + block.GetSize());
        block.Unlock();
        // Purged and read again, the bytes are the same.
        CFreeable::FreeAll();
        p = block.Lock();
        Check(p != NULL && std::equal(contents.begin(), contents.end(), p));
        block.Unlock();
    }
    if (!(selector & 8))
        CFreeable::FreeAll();

    auto compression = (CReloadableData::CompressionType)((selector >> 1) & 3);
    CReloadableData copy;
    copy.SetCompression(compression);
    copy = block;
    Check(block.GetSize() == 0 || copy == block);

    // Written again, unread blocks verbatim and the copy with another coding, both
    // read back as the same bytes.
    block.SetCompression(compression);
    for (CReloadableData* p : { &block, &copy })
    {
        CReloadableData again;
        Load(again, Store(*p));
        Check(SameBytes(again, *p));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    if (nSize < 1)
        return 0;
    // Sizes above 16 MB are left out: a valid stream may rightly expand to them.
    DWORD dwFullSize = 0;
    memcpy(&dwFullSize, pData + 1, nSize >= 5 ? 4 : 0);
    if (dwFullSize > (1u << 24))
        return 0;
    try
    {
        Fuzz(pData[0], pData + 1, nSize - 1);
    }
    catch (CException* e)
    {
        e->Delete();
    }
    return 0;
}
