// CHoard's resource section: the version, the type blocks, the trailer that finds
// the section at the end of a larger file, and saving through a temporary file.
//
//   version (4)  type count T (4)  T blocks: [length L (4), type name, list of resources]
//   trailer, when the section does not start the file: [offset S (4), 0x104159AA (4)]
#include "hoard/resources/Hoard.h"

#include "hoard/data/ReloadableData.h"
#include "hoard/resources/ResourceClass.h"

namespace {

const DWORD dwSectionVersion = 2;
const DWORD dwTrailerMagic = 0x104159AA;

// Brings the archive's buffer in line with the file and returns the file position.
DWORD SyncedPosition(CArchive& ar)
{
    ar.Flush();
    return ar.GetFile()->GetPosition();
}

void SeekTo(CArchive& ar, DWORD dwPos)
{
    ar.Flush();
    ar.GetFile()->Seek((LONG)dwPos, CFile::begin);
}

// Makes the hoard the file being serialized for the lifetime of the object: the
// hoard itself, the file reference that its blocks take and the resource that owns
// them are cleared when it ends, also when an exception ends it, so that nothing
// refers to the hoard between sections; the file that unread blocks were copied from
// is closed.
class CSerializingScope
{
public:
    CSerializingScope(CHoard*& pCurSerializing, const CHoard& hoard) : m_pCur(pCurSerializing)
    {
        hoard.PreSerialize();
        CReloadableData::m_pCurOwner = NULL;
    }
    ~CSerializingScope()
    {
        m_pCur = NULL;
        CReloadableData::m_pCurFileReference = NULL;
        CReloadableData::m_pCurOwner = NULL;
        CReloadableData::EndCopying();
    }
    CSerializingScope(const CSerializingScope&) = delete;
    CSerializingScope& operator=(const CSerializingScope&) = delete;

private:
    CHoard*& m_pCur;
};

} // namespace

void CHoard::PreSerialize() const
{
    m_pCurSerializing = const_cast<CHoard*>(this);
    CReloadableData::m_pCurFileReference = const_cast<CString*>(&m_strFileReference);
}

void CHoard::Serialize(CArchive& ar)
{
    CSerializingScope scope(m_pCurSerializing, *this);
    if (ar.IsStoring())
        WriteSection(ar);
    else
        ReadSection(ar);
    SetModified(FALSE);
}

void CHoard::WriteSection(CArchive& ar)
{
    DWORD dwStart = SyncedPosition(ar);
    ar << dwSectionVersion;
    CollapseIdenticalResources();
    // Places kept by an earlier write that nobody committed or abandoned are stale.
    CReloadableData::CommitSave();

    // The types that are written last come after all others, so that a reader that
    // skips them reads every other block with the numbering it was written with.
    ar << (DWORD)m_mapTypes.GetCount();
    for (BOOL bLast : { FALSE, TRUE })
    {
        POSITION pos = m_mapTypes.GetStartPosition();
        while (pos != NULL)
        {
            CString strType;
            CResourceList* pList;
            m_mapTypes.GetNextAssoc(pos, strType, pList);
            const CResourceClass* pClass = CResourceClass::GetResourceClass(strType);
            if ((pClass != NULL && pClass->IsWrittenLast()) != bLast)
                continue;

            // The block's length is patched in once the block is written.
            DWORD dwBlock = SyncedPosition(ar);
            ar << (DWORD)0xFFFFFFFF;
            ar << strType;
            pList->Serialize(ar);
            DWORD dwEnd = SyncedPosition(ar);
            SeekTo(ar, dwBlock);
            ar << (DWORD)(dwEnd - dwBlock);
            SeekTo(ar, dwEnd);
        }
    }

    // A section that does not start its file ends in a trailer. One that does start
    // it gets one too when its last bytes happen to be the magic number, which would
    // otherwise pass for a trailer.
    if (dwStart != 0 || EndsInMagic(ar))
        ar << dwStart << dwTrailerMagic;
}

BOOL CHoard::EndsInMagic(CArchive& ar)
{
    CFile* pFile = ar.GetFile();
    DWORD dwEnd = SyncedPosition(ar);
    if (dwEnd < 8)
        return FALSE;
    DWORD dwLast = 0;
    try
    {
        pFile->Seek((LONG)(dwEnd - 4), CFile::begin);
        if (pFile->Read(&dwLast, 4) != 4)
            dwLast = dwTrailerMagic;
    }
    catch (CFileException* e)
    {
        // A file that cannot be read back may end in anything: mark the end.
        e->Delete();
        dwLast = dwTrailerMagic;
    }
    pFile->Seek((LONG)dwEnd, CFile::begin);
    return dwLast == dwTrailerMagic;
}

void CHoard::ReadSection(CArchive& ar)
{
    CFile* pFile = ar.GetFile();
    DWORD dwStart = SyncedPosition(ar);

    // Nothing is read from a file whose frame is not a section's, so that reading
    // something else as a resource file adds nothing.
    DWORD dwSection;
    BOOL bTrailer;
    if (!FindSection(ar, dwStart, dwSection, bTrailer))
        AfxThrowArchiveException(CArchiveException::badIndex, pFile->GetFilePath());
    SeekTo(ar, dwSection + 4);

    // Blocks are read lazily from this file later; a file without a path (memory)
    // cannot be read again, so its blocks are read in full now. Blocks that this hoard
    // already holds from another file are read in before the path changes.
    CString strPath = pFile->GetFilePath();
    if (!m_strFileReference.IsEmpty() && m_strFileReference.CompareNoCase(strPath) != 0)
        CReloadableData::DetachFromFile(&m_strFileReference);
    m_strFileReference = strPath;
    CReloadableData::m_pCurFileReference = m_strFileReference.IsEmpty() ? NULL : &m_strFileReference;

    DWORD nTypes;
    ar >> nTypes;
    for (DWORD i = 0; i < nTypes; ++i)
    {
        DWORD dwBlock = SyncedPosition(ar);
        DWORD dwLength;
        CString strType;
        ar >> dwLength >> strType;
        if (CResourceClass::GetResourceClass(strType) != NULL)
        {
            // The type's list: each resource enters this file as it is read. Anything
            // that is not a resource would belong to nobody, so it is damage, and so
            // is a list that does not end where its block does.
            for (DWORD nResources = ar.ReadCount(); nResources != 0; --nResources)
                ar.ReadObject(RUNTIME_CLASS(CResource));
            if (SyncedPosition(ar) != dwBlock + dwLength)
                AfxThrowArchiveException(CArchiveException::badIndex, strPath);
            continue;
        }
        // An unknown type is skipped whole; FindSection saw its length lead on.
        SeekTo(ar, dwBlock + dwLength);
    }

    if (bTrailer)
        SeekTo(ar, dwStart);
}

BOOL CHoard::FindTrailer(CArchive& ar, DWORD& dwSection)
{
    // The file's last eight bytes: the section's offset and the magic number. An
    // offset that leaves no room for a section before the trailer means that the
    // bytes are a section's own payload.
    DWORD dwLength = ar.GetFile()->GetLength();
    // A file too short for a section and a trailer has none, whatever it ends in.
    if (dwLength < 16)
        return FALSE;
    SeekTo(ar, dwLength - 8);
    DWORD dwMagic;
    ar >> dwSection >> dwMagic;
    return dwMagic == dwTrailerMagic && dwSection <= dwLength - 16;
}

BOOL CHoard::FindSection(CArchive& ar, DWORD dwStart, DWORD& dwSection, BOOL& bTrailer)
{
    CFile* pFile = ar.GetFile();
    bTrailer = FindTrailer(ar, dwSection);
    if (!bTrailer)
        dwSection = dwStart;
    // The blocks' lengths are read straight from the file, past the archive's buffer.
    ar.Flush();
    const ULONGLONG nLength = pFile->GetLength();
    const ULONGLONG nEnd = bTrailer ? nLength - 8 : nLength;
    auto readAt = [&](ULONGLONG nPos, DWORD& dwValue) {
        if (nPos + 4 > nEnd)
            AfxThrowArchiveException(CArchiveException::endOfFile, pFile->GetFilePath());
        pFile->Seek((LONG)nPos, CFile::begin);
        if (pFile->Read(&dwValue, 4) != 4)
            AfxThrowArchiveException(CArchiveException::endOfFile, pFile->GetFilePath());
    };

    // Too short for the version and the type count, the bytes are no section.
    if ((ULONGLONG)dwSection + 8 > nEnd)
        return FALSE;
    DWORD dwVersion, nTypes;
    readAt(dwSection, dwVersion);
    if (dwVersion != dwSectionVersion)
        return FALSE;
    readAt((ULONGLONG)dwSection + 4, nTypes);
    // Each block holds at least its length, a type name and a count, so the walk
    // ends within the file whatever the count claims.
    const DWORD dwShortestBlock = 4 + 1 + 2;
    ULONGLONG nBlock = (ULONGLONG)dwSection + 8;
    for (DWORD i = 0; i < nTypes; ++i)
    {
        DWORD dwLength;
        readAt(nBlock, dwLength);
        if (dwLength < dwShortestBlock)
            return FALSE;
        nBlock += dwLength;
        if (nBlock > nEnd)
            AfxThrowArchiveException(CArchiveException::endOfFile, pFile->GetFilePath());
    }
    return nBlock == nEnd;
}

void CHoard::MapResources(CArchive& ar)
{
    POSITION pos = m_mapTypes.GetStartPosition();
    while (pos != NULL)
    {
        CString strType;
        CResourceList* pList;
        m_mapTypes.GetNextAssoc(pos, strType, pList);
        for (POSITION posRes = pList->GetHeadPosition(); posRes != NULL;)
            ar.MapObject(pList->GetNext(posRes));
    }
}

// Serialize makes this the file being serialized itself and clears that when it
// ends, so that no block or resource read or written later refers to this hoard.
void CHoard::LoadFromFile(const char* pszPath, CObject* pLeading)
{
    CFile file(pszPath, CFile::modeRead | CFile::shareDenyWrite);
    CArchive ar(&file, CArchive::load, 4096);
    if (pLeading != NULL)
        pLeading->Serialize(ar);
    Serialize(ar);
    ar.Close();
    file.Close();
}

void CHoard::SaveToFile(const char* pszPath, CObject* pLeading)
{
    CString strTempPath;
    if (!GetTempSavePath(pszPath, strTempPath))
        AfxThrowFileException(CFileException::accessDenied, ERROR_ACCESS_DENIED, pszPath);
    CFile file(strTempPath, CFile::modeCreate | CFile::modeReadWrite | CFile::shareExclusive);
    try
    {
        CWaitCursor wait;
        CArchive ar(&file, CArchive::store | CArchive::bNoFlushOnDelete, 4096);
        if (pLeading != NULL)
            pLeading->Serialize(ar);
        Serialize(ar);
        ar.Close();
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        file.Abort();
        DiscardSave(strTempPath);
        AfxThrowArchiveException(CArchiveException::generic, pszPath);
    }
    ReplaceWithSaved(strTempPath, pszPath);
}

BOOL CHoard::GetTempSavePath(const char* pszPath, CString& strTempPath)
{
    CString strPath = pszPath;
    strTempPath = strPath.Left(strPath.ReverseFind('\\') + 1) + "TEMPSAVE.TMP";
    return strTempPath.CompareNoCase(strPath) != 0;
}

void CHoard::ReplaceWithSaved(const char* pszTempPath, const char* pszPath)
{
    // The new file replaces the old one in a single step, so that a failure here
    // leaves the old file whole. Under Wine MoveFileEx replaces a read-only file, which
    // Windows refuses to do: the attribute is checked first, so that neither does.
    DWORD dwAttributes = GetFileAttributesA(pszPath);
    BOOL bReadOnly = dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (bReadOnly || !MoveFileExA(pszTempPath, pszPath, MOVEFILE_REPLACE_EXISTING))
    {
        LONG lOsError = bReadOnly ? ERROR_ACCESS_DENIED : (LONG)GetLastError();
        DiscardSave(pszTempPath);
        CFileException::ThrowOsError(lOsError, pszPath);
    }
    CReloadableData::CommitSave();
    m_strFileReference = pszPath;
}

void CHoard::DiscardSave(const char* pszTempPath)
{
    CReloadableData::AbandonSave();
    DeleteFileA(pszTempPath);
}
