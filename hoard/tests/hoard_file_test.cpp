// The resource section: its bytes, the trailer, lazy blocks, damage and safe saving.
#include "test_support.h"

#include "hoard/data/ReloadableData.h"
#include "sound_probe.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Bytes = std::vector<BYTE>;

Bytes ContentsOf(CMemFile& file)
{
    Bytes bytes(file.GetLength());
    DWORD dwPos = file.GetPosition();
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), (UINT)bytes.size());
    file.Seek((LONG)dwPos, CFile::begin);
    return bytes;
}

// Writes the hoard's section into a memory file after nPrefix bytes of other data.
Bytes StoreSection(CHoard& hoard, const Bytes& prefix = {})
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    if (!prefix.empty())
        ar.Write(prefix.data(), (UINT)prefix.size());
    hoard.Serialize(ar);
    ar.Close();
    return ContentsOf(file);
}

// Reads a section from bytes, the archive standing at nStart; returns where it stands after.
DWORD LoadSection(CHoard& hoard, const Bytes& bytes, DWORD nStart = 0)
{
    CMemFile file(const_cast<BYTE*>(bytes.data()), (UINT)bytes.size());
    file.Seek((LONG)nStart, CFile::begin);
    CArchive ar(&file, CArchive::load);
    hoard.Serialize(ar);
    ar.Flush();
    return file.GetPosition();
}

// The cause of the file exception that saving raises, or -1 when it raises none.
int CauseOfSave(CHoard& hoard, const char* pszPath)
{
    try
    {
        hoard.SaveToFile(pszPath);
    }
    catch (CFileException* e)
    {
        int nCause = e->m_cause;
        e->Delete();
        return nCause;
    }
    return -1;
}

DWORD DWordAt(const Bytes& bytes, size_t i)
{
    return bytes[i] | bytes[i + 1] << 8 | bytes[i + 2] << 16 | (DWORD)bytes[i + 3] << 24;
}

TEST(HoardFile, SectionBytesOfOneSound)
{
    CHoard hoard;
    CWav::New(hoard, NULL);
    const Bytes expected = {
        2, 0, 0, 0,                                 // version
        1, 0, 0, 0,                                 // one type
        58, 0, 0, 0,                                // the block's length
        4, 'C', 'W', 'a', 'v',                      // type name
        1, 0,                                       // one resource
        0xFF, 0xFF, 0, 0, 4, 0, 'C', 'W', 'a', 'v', // new class CWav, schema 0
        8, 'U', 'n', 't', 'i', 't', 'l', 'e', 'd',  // its name
        0, 0, 0, 0, 0, 0, 0, 0,                     // an empty block
        0, 0, 0, 0,                                 // max time
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0 }; // format
    EXPECT_EQ(expected, StoreSection(hoard));
    EXPECT_FALSE(hoard.IsModified());
}

TEST(HoardFile, EmptyFileIsVersionAndNoTypes)
{
    CHoard hoard;
    EXPECT_EQ((Bytes{ 2, 0, 0, 0, 0, 0, 0, 0 }), StoreSection(hoard));
}

TEST(HoardFile, SectionAfterOtherDataEndsInATrailer)
{
    CHoard hoard;
    NewSound(hoard, "Bell", "ding");
    const Bytes prefix = { 'H', 'E', 'A', 'D' };
    Bytes bytes = StoreSection(hoard, prefix);
    ASSERT_GE(bytes.size(), 16u);
    EXPECT_EQ(4u, DWordAt(bytes, bytes.size() - 8));
    EXPECT_EQ(0x104159AAu, DWordAt(bytes, bytes.size() - 4));

    // Read from the start of the file or from the section: either way the archive
    // stands where it stood.
    for (DWORD nStart : { 0u, 4u })
    {
        CHoard loaded;
        EXPECT_EQ(nStart, LoadSection(loaded, bytes, nStart));
        CWav* pWav = static_cast<CWav*>(loaded.GetResource("CWav", "Bell"));
        ASSERT_NE(nullptr, pWav) << "from " << nStart;
        EXPECT_EQ("ding", Samples(pWav));
    }
}

// A file shorter than a section and its trailer has no trailer, also when it ends in
// the magic number; looking for one does not read before its start.
TEST(HoardFile, FileTooShortForATrailerHasNone)
{
    const Bytes magic = { 0xAA, 0x59, 0x41, 0x10 };
    for (size_t nLength = 0; nLength < 16; ++nLength)
    {
        // As much of the magic number as fits ends the file.
        Bytes bytes(nLength, 0);
        size_t nMagic = std::min(nLength, magic.size());
        std::copy(magic.end() - nMagic, magic.end(), bytes.end() - nMagic);
        CMemFile file(bytes.data(), (UINT)bytes.size());
        CArchive ar(&file, CArchive::load);
        DWORD dwSection = 12345;
        BOOL bTrailer = TRUE;
        EXPECT_NO_THROW(bTrailer = CHoard::FindTrailer(ar, dwSection)) << nLength << " bytes";
        EXPECT_FALSE(bTrailer) << nLength << " bytes";
    }
}

TEST(HoardFile, SectionWhoseDataEndsLikeATrailerStaysReadable)
{
    // The last bytes of the last resource are the trailer's magic number.
    const char szText[] = "text\xAA\x59\x41\x10";
    CHoard hoard;
    static_cast<CTestResource*>(hoard.NewResource("CTestResource", "Odd"))->m_strText = szText;
    Bytes bytes = StoreSection(hoard);
    // A trailer of its own keeps the payload's last bytes from passing for one.
    EXPECT_EQ(0u, DWordAt(bytes, bytes.size() - 8));
    EXPECT_EQ(0x104159AAu, DWordAt(bytes, bytes.size() - 4));
    for (int nWriter = 0; nWriter < 2; ++nWriter)
    {
        // The second time as a writer that did not add it: the offset that the
        // payload's bytes give is out of place and ignored.
        if (nWriter == 1)
            bytes.resize(bytes.size() - 8);
        CHoard loaded;
        LoadSection(loaded, bytes);
        auto* pOdd = static_cast<CTestResource*>(loaded.GetResource("CTestResource", "Odd"));
        ASSERT_NE(nullptr, pOdd) << "writer " << nWriter;
        EXPECT_STREQ(szText, pOdd->m_strText) << "writer " << nWriter;
    }
}

TEST(HoardFile, RoundTripKeepsTypesNamesAndData)
{
    CHoard hoard;
    NewSound(hoard, "Bell", "ding");
    NewSound(hoard, "Horn", "toot");
    auto* pText = static_cast<CTestResource*>(hoard.NewResource("CTestResource", "Note"));
    pText->m_strText = "hello";
    CMessageLog log;
    Bytes bytes = StoreSection(hoard);
    EXPECT_EQ(3u, std::count_if(log.m_lines.begin(), log.m_lines.end(),
                                [](const std::string& s) { return s.rfind("saved ", 0) == 0; }));

    CHoard loaded;
    loaded.SetModified(TRUE);
    LoadSection(loaded, bytes);
    EXPECT_FALSE(loaded.IsModified());
    EXPECT_EQ(2u, loaded.GetNumTypes());
    EXPECT_EQ("toot", Samples(static_cast<CWav*>(loaded.GetResource("CWav", "horn"))));
    auto* pNote = static_cast<CTestResource*>(loaded.GetResource("CTestResource", "Note"));
    ASSERT_NE(nullptr, pNote);
    EXPECT_STREQ("hello", pNote->m_strText);
    EXPECT_EQ(nullptr, CHoard::GetCurSerializing());
}

TEST(HoardFile, LoadingAddsToWhatIsThereWithNumberedNames)
{
    CHoard source;
    NewSound(source, "Bell", "new");
    Bytes bytes = StoreSection(source);
    CHoard hoard;
    NewSound(hoard, "Bell", "old");
    LoadSection(hoard, bytes);
    EXPECT_EQ("old", Samples(static_cast<CWav*>(hoard.GetResource("CWav", "Bell"))));
    EXPECT_EQ("new", Samples(static_cast<CWav*>(hoard.GetResource("CWav", "Bell2"))));
}

TEST(HoardFile, UnknownTypeBlocksAreSkipped)
{
    CHoard hoard;
    NewSound(hoard, "Bell", "ding");
    static_cast<CTestResource*>(hoard.NewResource("CTestResource", "Note"))->m_strText = "kept";
    Bytes bytes = StoreSection(hoard);

    // Rename the sound type in its block header so that no class answers to it.
    const char szType[] = "\x04" "CWav";
    auto it = std::search(bytes.begin(), bytes.end(), szType, szType + 5);
    ASSERT_NE(bytes.end(), it);
    it[4] = 'x';

    CHoard loaded;
    LoadSection(loaded, bytes);
    EXPECT_EQ(1u, loaded.GetNumTypes());
    auto* pNote = static_cast<CTestResource*>(loaded.GetResource("CTestResource", "Note"));
    ASSERT_NE(nullptr, pNote);
    EXPECT_STREQ("kept", pNote->m_strText);
}

TEST(HoardFile, DamagedSectionsRaiseFrameworkExceptions)
{
    CHoard hoard;
    NewSound(hoard, "Bell", std::string(40, 'a') + "bcd");
    static_cast<CTestResource*>(hoard.NewResource("CTestResource", "Note"))->m_strText = "text";
    const Bytes good = StoreSection(hoard, { 1, 2, 3 });

    // Every shortened file, and every single damaged byte, either reads or throws.
    int nThrown = 0;
    auto tryLoad = [&](const Bytes& bytes) {
        CHoard loaded;
        try
        {
            LoadSection(loaded, bytes);
        }
        catch (CException* e)
        {
            ++nThrown;
            e->Delete();
        }
    };
    for (size_t n = 0; n < good.size(); ++n)
        tryLoad(Bytes(good.begin(), good.begin() + n));
    for (size_t i = 0; i < good.size(); ++i)
    {
        for (BYTE value : { 0x00, 0x7F, 0xFF })
        {
            Bytes bad = good;
            bad[i] = value;
            tryLoad(bad);
        }
    }
    EXPECT_GT(nThrown, (int)good.size());
    EXPECT_EQ(nullptr, CHoard::GetCurSerializing());
}

TEST(HoardFile, UnknownBlockWithoutProgressIsDamage)
{
    // Two types claimed, the first unknown with a length that leads nowhere.
    Bytes bytes = { 2, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 3, 'C', 'Z', 'z', 0, 0, 0, 0 };
    CHoard hoard;
    try
    {
        LoadSection(hoard, bytes);
        ADD_FAILURE() << "no exception";
    }
    catch (CArchiveException* e)
    {
        e->Delete();
    }
}

TEST(HoardFile, ObjectsThatAreNotResourcesAreDamage)
{
    // A known type whose list holds a framework list object instead of a resource.
    Bytes bytes = { 2, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 4, 'C', 'W', 'a', 'v', 1, 0,
                    0xFF, 0xFF, 0, 0, 7, 0, 'C', 'O', 'b', 'L', 'i', 's', 't', 0, 0 };
    bytes[8] = (BYTE)(bytes.size() - 8);
    CHoard hoard;
    try
    {
        LoadSection(hoard, bytes);
        ADD_FAILURE() << "no exception";
    }
    catch (CArchiveException* e)
    {
        EXPECT_EQ(CArchiveException::badClass, e->m_cause);
        e->Delete();
    }
    EXPECT_EQ(0u, hoard.GetNumTypes());
}

// Bytes whose frame is not a section's are refused before any resource is made: a
// version other than 2, type blocks that end short of the section's end or before they
// begin. Blocks that run past the end are a file cut short.
TEST(HoardFile, FilesFramedOtherThanASectionAreRefusedWhole)
{
    CHoard source;
    NewSound(source, "Bell", "ding");
    const Bytes good = StoreSection(source);
    const Bytes withTrailer = StoreSection(source, { 'T', 'R', 'E', 'E' });
    auto withByte = [](Bytes bytes, size_t i, BYTE value) {
        bytes[i] = value;
        return bytes;
    };
    auto inserted = [](Bytes bytes, size_t i, const Bytes& extra) {
        bytes.insert(bytes.begin() + (std::ptrdiff_t)i, extra.begin(), extra.end());
        return bytes;
    };
    // A small bitmap file: "BM", its length, two reserved words of 0, then its header.
    Bytes bitmap = { 'B', 'M', 0x46, 0x0E, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0, 40, 0, 0, 0 };
    bitmap.resize(0x0E46, 0x7F);
    struct
    {
        const char* pszWhat;
        Bytes bytes;
        int cause;
    } cases[] = {
        { "a bitmap file", bitmap, CArchiveException::badIndex },
        { "version 3", withByte(good, 0, 3), CArchiveException::badIndex },
        { "a byte after the section", inserted(good, good.size(), { 0 }), CArchiveException::badIndex },
        { "a byte between the section and its trailer", inserted(withTrailer, withTrailer.size() - 8, { 0 }),
          CArchiveException::badIndex },
        { "no type block for the bytes that follow", withByte(good, 4, 0), CArchiveException::badIndex },
        { "a block too short for its header", withByte(good, 8, 6), CArchiveException::badIndex },
        { "a block longer than the file", withByte(good, 8, (BYTE)(good[8] + 1)), CArchiveException::endOfFile },
        { "more blocks than the file holds", withByte(good, 4, 2), CArchiveException::endOfFile },
        { "a block that runs into the trailer", withByte(withTrailer, 12, (BYTE)(withTrailer[12] + 4)),
          CArchiveException::endOfFile },
        { "nothing at all", {}, CArchiveException::badIndex },
        { "two bytes", Bytes{ 'B', 'M' }, CArchiveException::badIndex },
    };
    for (const auto& c : cases)
    {
        CHoard hoard;
        CMessageLog log;
        try
        {
            LoadSection(hoard, c.bytes);
            ADD_FAILURE() << c.pszWhat << ": no exception";
        }
        catch (CArchiveException* e)
        {
            EXPECT_EQ(c.cause, e->m_cause) << c.pszWhat;
            e->Delete();
        }
        EXPECT_EQ(0u, hoard.GetNumTypes()) << c.pszWhat;
        EXPECT_TRUE(log.m_lines.empty()) << c.pszWhat << ": " << log.m_lines.front();
        EXPECT_EQ(nullptr, CHoard::GetCurSerializing()) << c.pszWhat;
    }
}

// A block that leads to the section's end but whose list ends sooner is damaged.
TEST(HoardFile, ListThatEndsBeforeItsBlockIsDamage)
{
    CHoard source;
    NewSound(source, "Bell", "ding");
    Bytes bytes = StoreSection(source);
    ++bytes[8];
    bytes.push_back(0);
    CHoard hoard;
    try
    {
        LoadSection(hoard, bytes);
        ADD_FAILURE() << "no exception";
    }
    catch (CArchiveException* e)
    {
        EXPECT_EQ(CArchiveException::badIndex, e->m_cause);
        e->Delete();
    }
}

TEST(HoardFile, FindSectionTellsASectionFromOtherBytes)
{
    CHoard source, empty;
    NewSound(source, "Bell", "ding");
    struct
    {
        const char* pszWhat;
        Bytes bytes;
        DWORD nStart;
        BOOL bSection;
        DWORD dwSection;
        BOOL bTrailer;
    } cases[] = {
        { "a section alone", StoreSection(source), 0, TRUE, 0, FALSE },
        { "after other data, read from the start", StoreSection(source, { 1, 2, 3 }), 0, TRUE, 3, TRUE },
        { "after other data, read from the section", StoreSection(source, { 1, 2, 3 }), 3, TRUE, 3, TRUE },
        { "an empty section", StoreSection(empty), 0, TRUE, 0, FALSE },
        { "text", Bytes{ 'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd' }, 0, FALSE, 0, FALSE },
    };
    for (const auto& c : cases)
    {
        CMemFile file(const_cast<BYTE*>(c.bytes.data()), (UINT)c.bytes.size());
        CArchive ar(&file, CArchive::load);
        DWORD dwSection = 12345;
        BOOL bTrailer = -1;
        EXPECT_EQ(c.bSection, CHoard::FindSection(ar, c.nStart, dwSection, bTrailer)) << c.pszWhat;
        if (!c.bSection)
            continue;
        EXPECT_EQ(c.dwSection, dwSection) << c.pszWhat;
        EXPECT_EQ(c.bTrailer, bTrailer) << c.pszWhat;
    }
}

// Files on disk

TEST(HoardFile, BlocksAreReadLazilyAndCopiedUnreadOnSave)
{
    CScratchFile path("lazy.hrd");
    CScratchFile copyPath("lazy-copy.hrd");
    {
        CHoard hoard;
        NewSound(hoard, "Bell", std::string(1000, 'b'));
        NewSound(hoard, "Horn", "toot");
        hoard.SaveToFile(path);
        EXPECT_STREQ(path.Path(), hoard.GetFileReference());
    }
    CHoard hoard;
    hoard.LoadFromFile(path);
    auto* pBell = static_cast<CSampledWav*>(hoard.GetResource("CWav", "Bell"));
    ASSERT_NE(nullptr, pBell);
    EXPECT_FALSE(pBell->Data().IsLoaded());

    hoard.SaveToFile(copyPath);
    EXPECT_FALSE(pBell->Data().IsLoaded());
    EXPECT_EQ(ReadAllBytes(path), ReadAllBytes(copyPath));
    EXPECT_EQ(std::string(1000, 'b'), Samples(pBell));   // now from the copy
    EXPECT_STREQ(copyPath.Path(), hoard.GetFileReference());
}

// Whatever part of a damaged file gives out, the exception names the file.
TEST(HoardFile, DamageInsideAFileNamesIt)
{
    CScratchFile path("named.hrd");
    {
        CHoard hoard;
        NewSound(hoard, "Bell", "ding");
        hoard.SaveToFile(path);
    }
    const Bytes good = ReadAllBytes(path);
    const char szName[] = "\x04" "Bell";
    const size_t nName = std::search(good.begin(), good.end(), szName, szName + 5) - good.begin();
    ASSERT_LT(nName, good.size());
    struct
    {
        const char* pszWhat;
        size_t nAt;
        BYTE value;
        int cause;
    } cases[] = {
        { "a name longer than the file", nName, 0xFE, CArchiveException::endOfFile },
        { "not a section", 0, 9, CArchiveException::badIndex },
    };
    for (const auto& c : cases)
    {
        Bytes bad = good;
        bad[c.nAt] = c.value;
        WriteAllBytes(path, bad);
        CHoard hoard;
        try
        {
            hoard.LoadFromFile(path);
            ADD_FAILURE() << c.pszWhat << ": no exception";
        }
        catch (CArchiveException* e)
        {
            EXPECT_EQ(c.cause, e->m_cause) << c.pszWhat;
            EXPECT_EQ(0, e->m_strFileName.CompareNoCase(path.Path())) << c.pszWhat << ": " << e->m_strFileName;
            e->Delete();
        }
    }
}

TEST(HoardFile, FailedSaveLeavesTargetAndBlocksAsTheyWere)
{
    CScratchFile path("failing.hrd");
    {
        CHoard hoard;
        NewSound(hoard, "Bell", std::string(500, 'b'));
        NewSound(hoard, "Horn", std::string(300, 'h'));
        hoard.SaveToFile(path);
    }
    const Bytes before = ReadAllBytes(path);

    CHoard hoard;
    hoard.LoadFromFile(path);
    // A longer name moves the blocks that follow it in the new file.
    hoard.GetResource("CWav", "Bell")->SetName("Bell with a longer name");
    hoard.NewResource("CTestResource", "Breaks");     // written after the sounds
    CTestResource::s_bFailStoring = TRUE;
    try
    {
        hoard.SaveToFile(path);
        ADD_FAILURE() << "no exception";
    }
    catch (CArchiveException* e)
    {
        EXPECT_EQ(CArchiveException::generic, e->m_cause);
        e->Delete();
    }
    CTestResource::s_bFailStoring = FALSE;

    EXPECT_EQ(before, ReadAllBytes(path));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(path.Folder() + "\\TEMPSAVE.TMP"));
    EXPECT_EQ(nullptr, CReloadableData::m_pCurFileReference);
    // The unread blocks still find their bytes in the old file.
    EXPECT_EQ(std::string(500, 'b'),
              Samples(static_cast<CWav*>(hoard.GetResource("CWav", "Bell with a longer name"))));
    EXPECT_EQ(std::string(300, 'h'), Samples(static_cast<CWav*>(hoard.GetResource("CWav", "Horn"))));
}

TEST(HoardFile, SaveWhereNoTemporaryFileCanBeMadeChangesNothing)
{
    CHoard hoard;
    NewSound(hoard, "Bell", "ding");
    try
    {
        hoard.SaveToFile("Z:\\no\\such\\folder\\x.hrd");
        ADD_FAILURE() << "no exception";
    }
    catch (CFileException* e)
    {
        EXPECT_EQ(CFileException::badPath, e->m_cause);
        e->Delete();
    }
    EXPECT_TRUE(hoard.GetFileReference().IsEmpty());
    EXPECT_TRUE(hoard.IsModified());
}

// A target that is read-only, open elsewhere, or itself named as the temporary file
// is refused whole, and the hoard's blocks still read from it.
TEST(HoardFile, SaveThatCannotReplaceTheTargetLeavesIt)
{
    CScratchFile path("refused.hrd");
    CScratchFile tempNamed("TEMPSAVE.TMP");
    const struct
    {
        const char* context;
        const CScratchFile& target;
        BOOL bReadOnly;
        BOOL bOpen;
    } cases[] = {
        { "read-only", path, TRUE, FALSE },
        { "open elsewhere", path, FALSE, TRUE },
        { "named as the temporary file", tempNamed, FALSE, FALSE },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.context);
        {
            CHoard hoard;
            NewSound(hoard, "Bell", std::string(400, 'b'));
            hoard.SaveToFile(path);
        }
        MoveFileExA(path, c.target, MOVEFILE_REPLACE_EXISTING);
        const Bytes before = ReadAllBytes(c.target);
        CHoard hoard;
        hoard.LoadFromFile(c.target);
        hoard.GetResource("CWav", "Bell")->SetName("Bell with a longer name");
        if (c.bReadOnly)
            SetFileAttributesA(c.target, FILE_ATTRIBUTE_READONLY);
        HANDLE hOpen = c.bOpen ? CreateFileA(c.target, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL)
                               : INVALID_HANDLE_VALUE;
        EXPECT_EQ(CFileException::accessDenied, CauseOfSave(hoard, c.target));
        if (hOpen != INVALID_HANDLE_VALUE)
            CloseHandle(hOpen);
        SetFileAttributesA(c.target, FILE_ATTRIBUTE_NORMAL);

        EXPECT_EQ(before, ReadAllBytes(c.target));
        EXPECT_EQ(std::string(400, 'b'),
                  Samples(static_cast<CWav*>(hoard.GetResource("CWav", "Bell with a longer name"))));
        if (&c.target != &tempNamed)
        {
            EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(tempNamed));
        }
    }
}

TEST(HoardFile, LoadingAnotherFileKeepsEarlierBlocksReadable)
{
    CScratchFile first("first.hrd"), second("second.hrd");
    {
        CHoard hoard;
        NewSound(hoard, "One", std::string(200, '1'));
        hoard.SaveToFile(first);
    }
    {
        CHoard hoard;
        NewSound(hoard, "Two", std::string(50, '2'));
        hoard.SaveToFile(second);
    }
    CHoard hoard;
    hoard.LoadFromFile(first);
    hoard.LoadFromFile(second);
    EXPECT_EQ(std::string(200, '1'), Samples(static_cast<CWav*>(hoard.GetResource("CWav", "One"))));
    EXPECT_EQ(std::string(50, '2'), Samples(static_cast<CWav*>(hoard.GetResource("CWav", "Two"))));
}

TEST(HoardFile, MapResourcesNumbersEveryResource)
{
    CHoard hoard;
    CResource* pBell = NewSound(hoard, "Bell", "ding");
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    hoard.MapResources(ar);
    ar << (CObject*)pBell;      // a reference to the mapped object: its index
    ar.Close();
    EXPECT_EQ((Bytes{ 1, 0 }), ContentsOf(file));
}

// The hoard's file reference is given to blocks only while its section is read or
// written. Outside that, a block read from a named file reads its bytes at once: it
// belongs to no hoard that would keep the file up to date.
BOOL BlockOutsideAHoardIsReadAtOnce()
{
    CScratchFile path("outside.blk");
    {
        CFile file(path, CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&file, CArchive::store);
        CReloadableData block(4, (void*)"abcd");
        block.Serialize(ar);
    }
    CReloadableData loaded;
    {
        CFile file(path, CFile::modeRead);
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    return loaded.IsLoaded();
}

TEST(HoardFile, NothingRefersToTheHoardOutsideItsSection)
{
    CScratchFile path("pointers.hrd");
    CScratchFile damaged("damaged.hrd");
    {
        CHoard hoard;
        NewSound(hoard, "Bell", std::string(100, 'b'));
        hoard.SaveToFile(path);
    }
    Bytes bytes = ReadAllBytes(path);
    WriteAllBytes(damaged, Bytes(bytes.begin(), bytes.begin() + 30));

    struct
    {
        const char* pszWhat;
        void (*pfnRun)(CHoard& hoard, const char* pszPath, const char* pszDamaged);
    } cases[] = {
        { "LoadFromFile", [](CHoard& h, const char* p, const char*) { h.LoadFromFile(p); } },
        { "SaveToFile", [](CHoard& h, const char* p, const char*) {
              h.LoadFromFile(p);
              h.SaveToFile(p);
          } },
        { "Serialize reading a named file", [](CHoard& h, const char* p, const char*) {
              CFile file(p, CFile::modeRead);
              CArchive ar(&file, CArchive::load);
              h.Serialize(ar);
          } },
        { "Serialize writing a named file", [](CHoard& h, const char* p, const char*) {
              h.LoadFromFile(p);
              CScratchFile other("pointers-other.hrd");
              CFile file(other, CFile::modeCreate | CFile::modeReadWrite);
              CArchive ar(&file, CArchive::store);
              h.Serialize(ar);
          } },
        { "LoadFromFile of a damaged file", [](CHoard& h, const char*, const char* d) {
              h.LoadFromFile(d);
          } },
        { "SaveToFile that cannot make its temporary file", [](CHoard& h, const char* p, const char*) {
              h.LoadFromFile(p);
              h.SaveToFile("Z:\\no\\such\\folder\\x.hrd");
          } },
        { "SaveToFile whose writing fails", [](CHoard& h, const char* p, const char*) {
              h.LoadFromFile(p);
              h.NewResource("CTestResource", "Breaks");
              CTestResource::s_bFailStoring = TRUE;
              h.SaveToFile(p);
          } },
    };
    for (const auto& c : cases)
    {
        {
            CHoard hoard;
            try
            {
                c.pfnRun(hoard, path, damaged);
            }
            catch (CException* e)
            {
                e->Delete();
            }
            CTestResource::s_bFailStoring = FALSE;
            EXPECT_EQ(nullptr, CHoard::GetCurSerializing()) << c.pszWhat;
            EXPECT_EQ(nullptr, CReloadableData::m_pCurFileReference) << c.pszWhat;
            EXPECT_EQ(nullptr, CReloadableData::m_pCurOwner) << c.pszWhat;
            // While the hoard lives, and after it is gone.
            EXPECT_TRUE(BlockOutsideAHoardIsReadAtOnce()) << c.pszWhat;
        }
        EXPECT_TRUE(BlockOutsideAHoardIsReadAtOnce()) << c.pszWhat << ", hoard destroyed";
    }
}

// A file of two sounds whose samples are written raw.
void SaveBellAndHorn(const char* pszPath)
{
    CHoard hoard;
    NewSound(hoard, "Bell", std::string(300, 'b'));
    NewSound(hoard, "Horn", std::string(200, 'h'));
    hoard.SaveToFile(pszPath);
}

TEST(HoardFile, MovedSoundStaysReadableWhateverItsOldHoardDoes)
{
    struct
    {
        const char* pszWhat;
        void (*pfnAfterMove)(CHoard*& pOld, const char* pszPath, const char* pszOther);
    } cases[] = {
        { "old hoard destroyed", [](CHoard*& pOld, const char*, const char*) {
              delete pOld;
              pOld = NULL;
          } },
        { "old hoard saved elsewhere", [](CHoard*& pOld, const char*, const char* pszOther) {
              pOld->SaveToFile(pszOther);
          } },
        { "old hoard saved over its file, its blocks moved", [](CHoard*& pOld, const char* pszPath,
                                                                 const char*) {
              pOld->GetResource("CWav", "Horn")->SetName("Horn with a much longer name");
              pOld->SaveToFile(pszPath);
          } },
        { "old file deleted", [](CHoard*&, const char* pszPath, const char*) {
              DeleteFileA(pszPath);
          } },
    };
    CScratchFile path("moving.hrd"), otherPath("moving-other.hrd"), targetPath("moving-target.hrd");
    for (const auto& c : cases)
    {
        SaveBellAndHorn(path);
        CHoard* pOld = new CHoard;
        pOld->LoadFromFile(path);
        auto* pBell = static_cast<CSampledWav*>(pOld->GetResource("CWav", "Bell"));
        auto* pHorn = static_cast<CSampledWav*>(pOld->GetResource("CWav", "Horn"));
        ASSERT_NE(nullptr, pBell);
        ASSERT_NE(nullptr, pHorn);
        ASSERT_FALSE(pBell->Data().IsLoaded());

        CHoard target;
        target.AddToMap(pBell);
        EXPECT_EQ(&target, pBell->GetHoard()) << c.pszWhat;
        EXPECT_EQ(nullptr, pOld->GetResource("CWav", "Bell")) << c.pszWhat;
        // Only the moved sound's samples were read.
        EXPECT_FALSE(pHorn->Data().IsLoaded()) << c.pszWhat;

        c.pfnAfterMove(pOld, path, otherPath);
        EXPECT_EQ(std::string(300, 'b'), Samples(pBell)) << c.pszWhat;
        // Its new hoard writes it out and reads it back.
        target.SaveToFile(targetPath);
        CHoard reread;
        reread.LoadFromFile(targetPath);
        EXPECT_EQ(std::string(300, 'b'), Samples(static_cast<CWav*>(reread.GetResource("CWav", "Bell"))))
            << c.pszWhat;
        delete pOld;
    }
}

TEST(HoardFile, MoveWhoseSamplesCannotBeReadLeavesTheSoundWhereItWas)
{
    CScratchFile path("unreadable.hrd");
    SaveBellAndHorn(path);
    CHoard old;
    old.LoadFromFile(path);
    CResource* pBell = old.GetResource("CWav", "Bell");
    ASSERT_NE(nullptr, pBell);
    DeleteFileA(path);

    CHoard target;
    try
    {
        target.AddToMap(pBell);
        ADD_FAILURE() << "no exception";
    }
    catch (CFileException* e)
    {
        e->Delete();
    }
    EXPECT_EQ(&old, pBell->GetHoard());
    EXPECT_EQ(pBell, old.GetResource("CWav", "Bell"));
    EXPECT_EQ(0u, target.GetNumTypes());
}

// Unread blocks are copied from their old file, which stays open only while the
// section is written: afterwards the file can be written and replaced, also when the
// copy was made outside any section.
TEST(HoardFile, CopyingUnreadBlocksLeavesTheOldFileFree)
{
    CScratchFile path("copied-from.hrd");
    struct
    {
        const char* pszWhat;
        void (*pfnWrite)(CHoard& hoard, CArchive& ar);
    } cases[] = {
        { "the section", [](CHoard& hoard, CArchive& ar) { hoard.Serialize(ar); } },
        { "one sound outside a section", [](CHoard& hoard, CArchive& ar) {
              hoard.GetResource("CWav", "Horn")->Serialize(ar);
          } },
    };
    for (const auto& c : cases)
    {
        SaveBellAndHorn(path);
        CHoard hoard;
        hoard.LoadFromFile(path);
        CMemFile memory;
        {
            CArchive ar(&memory, CArchive::store);
            c.pfnWrite(hoard, ar);
        }
        const Bytes written = ContentsOf(memory);
        const std::string horn(200, 'h');
        EXPECT_NE(written.end(), std::search(written.begin(), written.end(), horn.begin(), horn.end()))
            << c.pszWhat;
        CFile file;
        EXPECT_TRUE(file.Open(path, CFile::modeWrite | CFile::shareExclusive)) << c.pszWhat;
    }
}

} // namespace
