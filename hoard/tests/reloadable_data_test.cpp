// Reloadable data blocks: their records, the deferred reading from a hoard file, the
// verbatim copy on save, purging, resizing and comparison.
#include "hoard/data/ReloadableData.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

typedef std::vector<BYTE> Bytes;

std::string Hex(const BYTE* p, size_t n)
{
    std::string s;
    char sz[4];
    for (size_t i = 0; i < n; ++i)
    {
        snprintf(sz, sizeof sz, i == 0 ? "%02X" : " %02X", p[i]);
        s += sz;
    }
    return s;
}

std::string Hex(const Bytes& bytes) { return Hex(bytes.data(), bytes.size()); }

Bytes Repeat(BYTE b, size_t n) { return Bytes(n, b); }

// 27 bytes that compress to twelve.
const Bytes g_example = [] {
    Bytes b{ 0x41, 0x42, 0x42, 0x42, 0x42, 0x42, 0x43 };
    b.resize(27, 0x00);
    return b;
}();
const char g_exampleRecord[] = "1B 00 00 00 0C 00 00 00 01 00 00 00 02 41 0B 42 02 43 29 00";

// The block's bytes through Lock, or "null".
std::string Contents(const CReloadableData& data)
{
    const unsigned char* p = data.Lock();
    if (p == NULL)
        return "null";
    std::string s = Hex(p, data.GetSize());
    data.Unlock();
    return s;
}

// Sets the current file reference for a scope, and ends the copying from old files
// when it clears it, as a hoard does while it serializes.
class CCurFileReference
{
public:
    explicit CCurFileReference(CString* pReference) { CReloadableData::m_pCurFileReference = pReference; }
    ~CCurFileReference()
    {
        CReloadableData::m_pCurFileReference = NULL;
        CReloadableData::EndCopying();
    }
};

// A file name in the temporary folder; the file is deleted at the end.
class CTempPath
{
public:
    CTempPath()
    {
        char szDir[MAX_PATH];
        GetTempPathA(MAX_PATH, szDir);
        GetTempFileNameA(szDir, "rld", 0, m_szPath);
    }
    ~CTempPath() { DeleteFileA(m_szPath); }
    operator LPCSTR() const { return m_szPath; }

private:
    char m_szPath[MAX_PATH];
};

const DWORD dwMarker = 0xCAFEF00D;

// Writes the blocks between two markers, as a hoard writes them into a named file.
void SaveBlocks(LPCSTR pszPath, CString* pReference, std::initializer_list<CReloadableData*> blocks)
{
    CCurFileReference cur(pReference);
    CFile file(pszPath, CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&file, CArchive::store);
    ar << dwMarker;
    for (CReloadableData* p : blocks)
        p->Serialize(ar);
    ar << dwMarker;
    ar.Close();
    file.Close();
}

// Reads them back; the closing marker shows that the reader skipped the bytes.
void LoadBlocks(LPCSTR pszPath, CString* pReference, std::initializer_list<CReloadableData*> blocks)
{
    CCurFileReference cur(pReference);
    CFile file(pszPath, CFile::modeRead);
    CArchive ar(&file, CArchive::load);
    DWORD dw;
    ar >> dw;
    for (CReloadableData* p : blocks)
        p->Serialize(ar);
    ar >> dw;
    EXPECT_EQ(dwMarker, dw);
}

Bytes FileBytes(LPCSTR pszPath)
{
    CFile file(pszPath, CFile::modeRead);
    Bytes bytes(file.GetLength());
    file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

void WriteFileBytes(LPCSTR pszPath, const Bytes& bytes)
{
    CFile file(pszPath, CFile::modeCreate | CFile::modeWrite);
    file.Write(bytes.data(), (UINT)bytes.size());
}

Bytes StoreToMemory(CReloadableData& data)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    data.Serialize(ar);
    ar.Close();
    Bytes bytes(file.GetLength());
    file.SeekToBegin();
    file.Read(bytes.data(), (UINT)bytes.size());
    return bytes;
}

void LoadFromMemory(CReloadableData& data, Bytes bytes)
{
    CMemFile file(bytes.data(), (UINT)bytes.size());
    CArchive ar(&file, CArchive::load);
    data.Serialize(ar);
}

// A block made from bytes with a coding.
struct CBlock : CReloadableData
{
    CBlock(const Bytes& bytes, CompressionType compression = compressBytes)
    {
        SetCompression(compression);
        SetData((DWORD)bytes.size(), bytes.data());
    }
};

} // namespace

TEST(ReloadableData, EmptyBlockIsEightZeroBytes)
{
    CReloadableData empty;
    EXPECT_EQ("00 00 00 00 00 00 00 00", Hex(StoreToMemory(empty)));

    CReloadableData loaded;
    LoadFromMemory(loaded, Bytes(8, 0));
    EXPECT_EQ(0u, loaded.GetSize());
    EXPECT_FALSE(loaded.IsLoaded());
    EXPECT_EQ(NULL, loaded.Lock());
}

TEST(ReloadableData, RecordsHoldRawOrCodedBytes)
{
    Bytes varied;
    for (int i = 0; i < 40; ++i)
        varied.push_back((BYTE)(i * 37));
    struct
    {
        const char* pszContext;
        Bytes data;
        CReloadableData::CompressionType compression;
        std::string strRecord;
    } cases[] = {
        { "bytes", g_example, CReloadableData::compressBytes, g_exampleRecord },
        { "stored raw", Repeat(9, 12), CReloadableData::compressNone,
          "0C 00 00 00 0C 00 00 00 09 09 09 09 09 09 09 09 09 09 09 09" },
        { "words", Repeat(9, 16), CReloadableData::compressWords,
          "10 00 00 00 08 00 00 00 02 00 00 00 11 00 09 09" },
        { "double words: tag 4", Repeat(9, 28), CReloadableData::compressDWords,
          "1C 00 00 00 0C 00 00 00 04 00 00 00 0F 00 00 00 09 09 09 09" },
        { "odd length as words", Repeat(9, 17), CReloadableData::compressWords,
          "11 00 00 00 11 00 00 00 " + Hex(Repeat(9, 17)) },
        { "incompressible", varied, CReloadableData::compressBytes,
          "28 00 00 00 28 00 00 00 " + Hex(varied) },
    };
    for (const auto& c : cases)
    {
        CBlock block(c.data, c.compression);
        Bytes record = StoreToMemory(block);
        EXPECT_EQ(c.strRecord, Hex(record)) << c.pszContext;

        // Read without a hoard file, the bytes come into memory at once.
        CReloadableData loaded;
        LoadFromMemory(loaded, record);
        EXPECT_TRUE(loaded.IsLoaded()) << c.pszContext;
        EXPECT_EQ(Hex(c.data), Contents(loaded)) << c.pszContext;
    }
}

TEST(ReloadableData, RejectsDamagedRecords)
{
    struct
    {
        const char* pszContext;
        Bytes record;
        int nCause;
    } cases[] = {
        { "stored size above the size", { 4, 0, 0, 0, 5, 0, 0, 0, 1, 2, 3, 4, 5 }, CArchiveException::generic },
        { "no stored bytes for a size", { 4, 0, 0, 0, 0, 0, 0, 0 }, CArchiveException::generic },
        { "stored bytes for no size", { 0, 0, 0, 0, 4, 0, 0, 0, 1, 2, 3, 4 }, CArchiveException::generic },
        { "cut short", { 8, 0, 0, 0, 8, 0, 0, 0, 1, 2, 3 }, CArchiveException::endOfFile },
        { "a huge size with nothing behind it", { 0xF0, 0xFF, 0xFF, 0x7F, 0xF0, 0xFF, 0xFF, 0x7F, 1 },
          CArchiveException::endOfFile },
        { "a stream with tag 3", { 16, 0, 0, 0, 6, 0, 0, 0, 3, 0, 0, 0, 0x21, 0 }, CArchiveException::generic },
        { "a stream that falls short", { 16, 0, 0, 0, 6, 0, 0, 0, 1, 0, 0, 0, 0x1F, 0 },
          CArchiveException::generic },
        { "a stream that overshoots", { 16, 0, 0, 0, 6, 0, 0, 0, 1, 0, 0, 0, 0x23, 0 },
          CArchiveException::generic },
        { "a huge size from a short stream", { 0, 0, 0, 0x80, 6, 0, 0, 0, 1, 0, 0, 0, 0x23, 0 },
          CArchiveException::generic },
    };
    for (const auto& c : cases)
    {
        CBlock block(Repeat(1, 30));
        int nCause = -1;
        try
        {
            LoadFromMemory(block, c.record);
        }
        catch (CArchiveException* e)
        {
            nCause = e->m_cause;
            e->Delete();
        }
        EXPECT_EQ(c.nCause, nCause) << c.pszContext;
        // The block keeps what it held.
        EXPECT_EQ(Hex(Repeat(1, 30)), Contents(block)) << c.pszContext;
    }
}

// A size check sees the first bytes of the data before its full size is allocated; a
// stream it refuses reads as corrupt, whether it is read at once or from the file.
TEST(ReloadableData, SizeCheckBeforeExpanding)
{
    static Bytes s_seen;
    static DWORD s_nLimit;
    auto check = [](const BYTE* pHead, DWORD nHead, DWORD nSize) -> BOOL {
        s_seen.assign(pHead, pHead + nHead);
        return nSize <= s_nLimit;
    };
    Bytes data = Repeat(0, 1000);
    data[0] = 0x41;
    CBlock coded(data);
    const Bytes record = StoreToMemory(coded);
    for (DWORD nLimit : { 1000u, 999u })
    {
        s_nLimit = nLimit;
        CReloadableData block;
        block.SetSizeCheck(check);
        s_seen.clear();
        if (nLimit == 1000)
        {
            LoadFromMemory(block, record);
            EXPECT_EQ(Hex(data), Contents(block));
        }
        else
        {
            EXPECT_THROW(LoadFromMemory(block, record), CArchiveException*);
        }
        EXPECT_EQ(Hex(Bytes(data.begin(), data.begin() + CReloadableData::nSizeCheckHead)), Hex(s_seen));
    }

    CTempPath path;
    CString reference(path);
    SaveBlocks(path, &reference, { &coded });
    CReloadableData block;
    block.SetSizeCheck(check);
    LoadBlocks(path, &reference, { &block });
    EXPECT_THROW(block.Lock(), CArchiveException*);
    EXPECT_FALSE(block.IsLoaded());
    s_nLimit = 1000;
    EXPECT_EQ(Hex(data), Contents(block));
}

TEST(ReloadableData, ReadsFromTheHoardFileOnFirstLock)
{
    CTempPath path;
    CString reference(path);
    CBlock coded(g_example);
    CBlock raw(Repeat(0x77, 100), CReloadableData::compressNone);
    SaveBlocks(path, &reference, { &coded, &raw });
    Bytes fileBytes = FileBytes(path);

    CReloadableData a, b;
    LoadBlocks(path, &reference, { &a, &b });
    EXPECT_FALSE(a.IsLoaded());
    EXPECT_FALSE(b.IsLoaded());
    EXPECT_EQ(27u, a.GetSize());
    EXPECT_EQ(Hex(g_example), Contents(a));
    EXPECT_TRUE(a.IsLoaded());
    EXPECT_EQ(Hex(Repeat(0x77, 100)), Contents(b));

    // A purged block that cannot find its bytes gives null and tries again next time.
    CFreeable::FreeAll();
    EXPECT_FALSE(a.IsLoaded());
    WriteFileBytes(path, Bytes(fileBytes.begin(), fileBytes.begin() + 20));
    EXPECT_EQ("null", Contents(a));
    EXPECT_FALSE(a.IsLoaded());
    WriteFileBytes(path, fileBytes);
    EXPECT_EQ(Hex(g_example), Contents(a));

    // A damaged stream is reported, and the block stays out of memory.
    CFreeable::FreeAll();
    Bytes damaged = fileBytes;
    damaged[12] = 3;    // the tag of the first block's stream
    WriteFileBytes(path, damaged);
    EXPECT_THROW(a.Lock(), CArchiveException*);
    EXPECT_FALSE(a.IsLoaded());
}

TEST(ReloadableData, TruncatedHoardFileFailsToLoad)
{
    CTempPath path;
    CString reference(path);
    CBlock raw(Repeat(0x77, 100), CReloadableData::compressNone);
    SaveBlocks(path, &reference, { &raw });
    Bytes fileBytes = FileBytes(path);
    WriteFileBytes(path, Bytes(fileBytes.begin(), fileBytes.begin() + 50));

    CReloadableData block;
    try
    {
        LoadBlocks(path, &reference, { &block });
        ADD_FAILURE() << "loaded";
    }
    catch (CArchiveException* e)
    {
        EXPECT_EQ(CArchiveException::endOfFile, e->m_cause);
        e->Delete();
    }
    EXPECT_EQ(0u, block.GetSize());
}

TEST(ReloadableData, CopiesUnreadBlocksVerbatimOnSave)
{
    CTempPath oldPath, newPath;
    CString reference(oldPath);
    CBlock original(g_example);
    SaveBlocks(oldPath, &reference, { &original });

    CReloadableData block;
    LoadBlocks(oldPath, &reference, { &block });
    // Re-encoding would now store the bytes raw; the copy keeps the old stream.
    block.SetCompression(CReloadableData::compressNone);
    SaveBlocks(newPath, &reference, { &block });
    EXPECT_FALSE(block.IsLoaded());
    EXPECT_EQ(Hex(FileBytes(oldPath)), Hex(FileBytes(newPath)));

    // The save is complete: the hoard names the new file and the old one goes.
    reference = (LPCSTR)newPath;
    DeleteFileA(oldPath);
    EXPECT_EQ(Hex(g_example), Contents(block));
}

TEST(ReloadableData, SaveFailsWhenTheOldFileIsGone)
{
    CTempPath oldPath, newPath;
    CString reference(oldPath);
    CBlock original(g_example);
    SaveBlocks(oldPath, &reference, { &original });
    CReloadableData block;
    LoadBlocks(oldPath, &reference, { &block });
    DeleteFileA(oldPath);

    int nCause = -1;
    try
    {
        SaveBlocks(newPath, &reference, { &block });
    }
    catch (CFileException* e)
    {
        nCause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(CFileException::fileNotFound, nCause);
}

TEST(ReloadableData, SavingElsewhereKeepsTheBlockOnItsOwnFile)
{
    CTempPath path, otherPath;
    CString reference(path);
    CBlock original(g_example);
    SaveBlocks(path, &reference, { &original });
    struct
    {
        const char* pszContext;
        BOOL bNamedFile;
    } cases[] = {
        { "into memory", FALSE },
        { "into a named file, no hoard being saved", TRUE },
    };
    for (const auto& c : cases)
    {
        CReloadableData block;
        LoadBlocks(path, &reference, { &block });
        const unsigned char* p = block.Lock();
        ASSERT_NE(nullptr, p) << c.pszContext;
        // Stored raw this time, 27 bytes instead of 12.
        block.SetCompression(CReloadableData::compressNone);
        if (c.bNamedFile)
        {
            CFile file(otherPath, CFile::modeCreate | CFile::modeWrite);
            CArchive ar(&file, CArchive::store);
            block.Serialize(ar);
        }
        else
        {
            StoreToMemory(block);
        }
        block.Unlock();
        CFreeable::FreeAll();
        ASSERT_FALSE(block.IsLoaded()) << c.pszContext;
        EXPECT_EQ(Hex(g_example), Contents(block)) << c.pszContext;
    }
}

TEST(ReloadableData, FreeAllPurgesCleanBlocksOnly)
{
    CTempPath path;
    CString reference(path);
    CBlock original(Repeat(0x10, 64));
    SaveBlocks(path, &reference, { &original, &original, &original, &original });

    CReloadableData clean, locked, uncached, modified, inMemory;
    LoadBlocks(path, &reference, { &clean, &locked, &uncached, &modified });
    LoadFromMemory(inMemory, StoreToMemory(original));
    uncached.SetCacheFlag(FALSE);
    for (CReloadableData* p : { &clean, &uncached, &modified })
        EXPECT_EQ(Hex(Repeat(0x10, 64)), Contents(*p));
    ASSERT_NE(nullptr, locked.Lock());
    modified.LockForWriting(64)[0] = 0x99;
    modified.Unlock();

    CFreeable::FreeAll();
    EXPECT_FALSE(clean.IsLoaded());
    EXPECT_TRUE(locked.IsLoaded());
    EXPECT_TRUE(uncached.IsLoaded());
    EXPECT_TRUE(modified.IsLoaded());
    EXPECT_TRUE(inMemory.IsLoaded());     // no file to read it back from
    locked.Unlock();

    // The purged block reads back.
    EXPECT_EQ(Hex(Repeat(0x10, 64)), Contents(clean));
    EXPECT_EQ("99 " + Hex(Repeat(0x10, 63)), Contents(modified));
}

TEST(ReloadableData, ResizesKeepingTheLeadingBytes)
{
    CTempPath path;
    CString reference(path);
    CBlock original(g_example);
    SaveBlocks(path, &reference, { &original });
    const std::string strExample = Hex(g_example);

    struct
    {
        const char* pszContext;
        void (*pfnChange)(CReloadableData& block);
        DWORD dwSize;
        std::string strContents;
    } cases[] = {
        { "LockForWriting smaller keeps the size",
          [](CReloadableData& b) { b.LockForWriting(5); b.Unlock(); }, 27, strExample },
        { "LockForWriting larger grows with zeros",
          [](CReloadableData& b) { b.LockForWriting(30); b.Unlock(); }, 30, strExample + " 00 00 00" },
        { "SetSize smaller", [](CReloadableData& b) { b.SetSize(3); }, 3, "41 42 42" },
        { "SetSize larger", [](CReloadableData& b) { b.SetSize(28); }, 28, strExample + " 00" },
        { "SetSize to the same size", [](CReloadableData& b) { b.SetSize(27); }, 27, strExample },
        { "SetSize to 0", [](CReloadableData& b) { b.SetSize(0); }, 0, "null" },
        { "SetSize smaller while locked and modified",
          [](CReloadableData& b) {
              b.LockForWriting(0);
              b.SetSize(2);
              b.Unlock();
          },
          2, "41 42" },
    };
    for (BOOL bRead : { FALSE, TRUE })
    {
        for (const auto& c : cases)
        {
            CReloadableData block;
            LoadBlocks(path, &reference, { &block });
            if (bRead)
                Contents(block);
            c.pfnChange(block);
            EXPECT_EQ(c.dwSize, block.GetSize()) << c.pszContext << (bRead ? ", read" : ", unread");
            EXPECT_EQ(c.strContents, Contents(block)) << c.pszContext << (bRead ? ", read" : ", unread");
        }
    }

    CReloadableData empty;
    empty.SetSize(4);
    EXPECT_EQ("00 00 00 00", Contents(empty));
}

TEST(ReloadableData, ComparesBytes)
{
    CTempPath path;
    CString reference(path);
    Bytes data = Repeat(0x20, 32);
    CBlock asBytes(data, CReloadableData::compressBytes);
    CBlock asWords(data, CReloadableData::compressWords);
    CBlock raw(data, CReloadableData::compressNone);
    SaveBlocks(path, &reference, { &asBytes, &asWords, &raw });
    CReloadableData storedBytes, storedWords, storedRaw;
    LoadBlocks(path, &reference, { &storedBytes, &storedWords, &storedRaw });

    CReloadableData empty1, empty2;
    CBlock freshBytes(data, CReloadableData::compressBytes);
    CBlock freshWords(data, CReloadableData::compressWords);
    CBlock other(Repeat(0x21, 32));
    CBlock shorter(Repeat(0x20, 31));
    struct
    {
        const char* pszContext;
        const CReloadableData& a;
        const CReloadableData& b;
        int bEqual;
    } cases[] = {
        { "two empty blocks", empty1, empty2, FALSE },
        { "same bytes, other coding", freshBytes, freshWords, TRUE },
        { "itself", freshBytes, freshBytes, TRUE },
        { "other bytes", freshBytes, other, FALSE },
        { "other size", freshBytes, shorter, FALSE },
        { "both saved coded, other stored sizes", asBytes, asWords, FALSE },
        { "both stored coded, other stored sizes", storedBytes, storedWords, FALSE },
        { "stored coded and stored raw", storedBytes, storedRaw, TRUE },
        { "stored coded and new", storedWords, freshBytes, TRUE },
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.bEqual, c.a == c.b) << c.pszContext;

    // Written through LockForWriting, the stored sizes no longer speak for the bytes.
    CReloadableData bytesAgain, wordsChanged, rawAgain;
    LoadBlocks(path, &reference, { &bytesAgain, &wordsChanged, &rawAgain });
    EXPECT_FALSE(storedBytes == wordsChanged);
    wordsChanged.LockForWriting(0);
    wordsChanged.Unlock();
    EXPECT_TRUE(storedBytes == wordsChanged);
}

TEST(ReloadableData, CopiesOwnTheirBytes)
{
    CTempPath path;
    CString reference(path);
    CBlock original(g_example, CReloadableData::compressWords);
    SaveBlocks(path, &reference, { &original });
    CReloadableData stored;
    LoadBlocks(path, &reference, { &stored });

    CReloadableData copy(stored);
    EXPECT_EQ(Hex(g_example), Contents(copy));
    EXPECT_NE(copy.GetHandle(), stored.GetHandle());
    EXPECT_EQ(CReloadableData::compressBytes, copy.GetCompression());

    CReloadableData assigned;
    assigned = original;
    assigned = assigned;
    EXPECT_EQ(Hex(g_example), Contents(assigned));

    // A block whose bytes are gone cannot be copied.
    CFreeable::FreeAll();
    DeleteFileA(path);
    EXPECT_THROW(assigned = stored, CFileException*);
    EXPECT_EQ(Hex(g_example), Contents(assigned));
}
