// CReloadableData: the block's memory, its record in an archive, and the reading
// back of its stored bytes from the hoard file.
#include "hoard/data/ReloadableData.h"
#include "hoard/data/Compression.h"
#include "hoard/runtime/TempMem.h"

CString* CReloadableData::m_pCurFileReference = NULL;
const CObject* CReloadableData::m_pCurOwner = NULL;
CFile CReloadableData::m_tempFile;
WORD CReloadableData::m_wTempCount = 0;
DWORD CReloadableData::m_dwTempCount = 0;

namespace {

// A damaged block record or stream. The archive has no cause for damaged contents,
// so it is reported as generic.
[[noreturn]] void ThrowCorrupt(LPCSTR lpszFileName = NULL)
{
    AfxThrowArchiveException(CArchiveException::generic, lpszFileName);
}

HGLOBAL AllocMovable(SIZE_T n)
{
    return CFreeable::AllocWithRetry([n] { return GlobalAlloc(GMEM_MOVEABLE, n); });
}

HGLOBAL ReAllocMovable(HGLOBAL h, SIZE_T n, UINT uFlags = GMEM_MOVEABLE)
{
    return CFreeable::AllocWithRetry([h, n, uFlags] { return GlobalReAlloc(h, n, uFlags); });
}

UINT WidthOf(CReloadableData::CompressionType compression)
{
    return compression == CReloadableData::compressDWords ? 4 : (UINT)compression;
}

// Reads n bytes from the archive into new movable memory that grows with the bytes
// that actually arrive, so that a damaged size cannot allocate more than is there. When
// the file still holds the n bytes, they are allocated at once.
HGLOBAL ReadGrowing(CArchive& ar, DWORD n)
{
    ar.Flush();
    CFile* pFile = ar.GetFile();
    DWORD dwLength = pFile->GetLength(), dwPos = pFile->GetPosition();
    const DWORD nFirst = dwPos <= dwLength && dwLength - dwPos >= n ? n : 0x10000;
    HGLOBAL h = NULL;
    try
    {
        for (DWORD nHave = 0; nHave < n;)
        {
            DWORD nChunk = nHave < nFirst ? nFirst : nHave;
            if (nChunk > n - nHave)
                nChunk = n - nHave;
            HGLOBAL hNew = h == NULL ? AllocMovable(nChunk) : ReAllocMovable(h, nHave + nChunk);
            if (hNew == NULL)
                AfxThrowMemoryException();
            h = hNew;
            UINT nRead = ar.Read(static_cast<BYTE*>(GlobalLock(h)) + nHave, nChunk);
            GlobalUnlock(h);
            if (nRead != nChunk)
                AfxThrowArchiveException(CArchiveException::endOfFile, ar.GetFile()->GetFilePath());
            nHave += nChunk;
        }
    }
    catch (...)
    {
        if (h != NULL)
            GlobalFree(h);
        throw;
    }
    return h;
}

} // namespace

// One lock of a block, released at the end of the scope.
class CReloadableData::CLockScope
{
public:
    // With bThrow, bytes that cannot be read raise CFileException instead of giving null.
    CLockScope(const CReloadableData& data, BOOL bThrow)
        : m_data(data), m_p(bThrow ? data.LockOrThrow() : data.Lock())
    {
    }
    ~CLockScope()
    {
        if (m_p != NULL)
            m_data.Unlock();
    }
    CLockScope(const CLockScope&) = delete;
    CLockScope& operator=(const CLockScope&) = delete;

    unsigned char* Get() const { return m_p; }

private:
    const CReloadableData& m_data;
    unsigned char* m_p;
};

// Construction

CReloadableData::CReloadableData(DWORD size, void* data)
    : m_pFileReference(NULL), m_pOwner(NULL), m_compression(compressBytes), m_bModified(FALSE), m_dwSize(0),
      m_dwStoredSize(0), m_dwFilePos(0), m_hData(NULL), m_bCache(TRUE), m_wLockCount(0), m_pfnSizeCheck(NULL)
{
    if (size != 0 && data != NULL)
        SetData(size, data);
}

CReloadableData::CReloadableData(const CReloadableData& other) : CReloadableData()
{
    *this = other;
}

CReloadableData::~CReloadableData()
{
    ForgetPlace();
    if (m_hData != NULL)
        GlobalFree(m_hData);
}

// Locking

unsigned char* CReloadableData::LockWithCount() const
{
    if (m_hData == NULL)
        return NULL;
    ++m_wLockCount;
    return static_cast<unsigned char*>(GlobalLock(m_hData));
}

void CReloadableData::UnlockWithCount() const
{
    if (m_hData == NULL)
        return;
    --m_wLockCount;
    GlobalUnlock(m_hData);
}

unsigned char* CReloadableData::Lock() const
{
    if (m_dwSize == 0)
        return NULL;
    unsigned char* p = LockWithCount();
    if (p == NULL)
    {
        // Not in memory, or memory that can no longer be locked: read the bytes in.
        if (m_hData != NULL)
        {
            UnlockWithCount();
            GlobalFree(m_hData);
            m_hData = NULL;
        }
        m_hData = ReadStored();
        if (m_hData == NULL)
            return NULL;
        p = LockWithCount();
        if (p == NULL)
        {
            UnlockWithCount();
            GlobalFree(m_hData);
            m_hData = NULL;
            AfxThrowMemoryException();
        }
    }
    Freshen();
    return p;
}

void CReloadableData::Unlock() const
{
    if (m_dwSize != 0)
        UnlockWithCount();
}

unsigned char* CReloadableData::LockOrThrow() const
{
    unsigned char* p = Lock();
    if (p == NULL && m_dwSize != 0)
    {
        // Open the file again only to tell why it cannot give the bytes.
        CFileException e(CFileException::generic);
        CFile file;
        OpenStored(file, m_dwStoredSize != 0 ? m_dwStoredSize : m_dwSize, &e);
        AfxThrowFileException(e.m_cause, e.m_lOsError, e.m_strFileName);
    }
    return p;
}

unsigned char* CReloadableData::LockForWriting(DWORD size)
{
    if (size > m_dwSize)
        SetSize(size);
    m_bModified = TRUE;
    unsigned char* p = Lock();
    // The caller changes the bytes: a stored size no longer describes them.
    if (p != NULL)
        m_dwStoredSize = 0;
    return p;
}

// Reading back from the file

BOOL CReloadableData::OpenStored(CFile& file, DWORD dwStored, CFileException* pError) const
{
    if (m_pFileReference == NULL)
        return FALSE;
    if (!file.Open(*m_pFileReference, CFile::modeRead | CFile::shareDenyWrite, pError))
        return FALSE;
    return SeekStored(file, dwStored, pError);
}

BOOL CReloadableData::SeekStored(CFile& file, DWORD dwStored, CFileException* pError) const
{
    DWORD dwLength = file.GetLength();
    if (m_dwFilePos > dwLength || dwLength - m_dwFilePos < dwStored)
    {
        if (pError != NULL)
        {
            pError->m_cause = CFileException::endOfFile;
            pError->m_strFileName = *m_pFileReference;
        }
        return FALSE;
    }
    file.Seek((LONG)m_dwFilePos, CFile::begin);
    return TRUE;
}

HGLOBAL CReloadableData::ReadStored() const
{
    DWORD dwStored = m_dwStoredSize != 0 ? m_dwStoredSize : m_dwSize;
    CFile file;
    if (!OpenStored(file, dwStored, NULL))
        return NULL;
    void* h = AllocMovable(dwStored);
    if (h == NULL)
        AfxThrowMemoryException();
    try
    {
        UINT nRead = file.Read(GlobalLock(h), dwStored);
        GlobalUnlock(h);
        if (nRead != dwStored)
        {
            GlobalFree(h);
            return NULL;
        }
        Decompress(h, dwStored, m_dwSize, m_pfnSizeCheck);
    }
    catch (...)
    {
        GlobalFree(h);
        throw;
    }
    return h;
}

void CReloadableData::Decompress(void*& hData, DWORD nStored, DWORD nSize, SizeCheck pfnCheck)
{
    if (nStored == nSize)
        return;
    // The stream, and the size its first bytes allow, are checked before the nSize
    // bytes are allocated for it.
    const BYTE* pStream = static_cast<const BYTE*>(GlobalLock(hData));
    BYTE head[nSizeCheckHead];
    const DWORD nHead = nSize < nSizeCheckHead ? nSize : nSizeCheckHead;
    BOOL bValid = DecodeRunsHead(pStream, nStored, nSize, head, nHead) &&
                  (pfnCheck == NULL || pfnCheck(head, nHead, nSize));
    HGLOBAL hNew = bValid ? AllocMovable(nSize) : NULL;
    if (hNew != NULL)
    {
        DecodeRuns(pStream, nStored, static_cast<BYTE*>(GlobalLock(hNew)), nSize);
        GlobalUnlock(hNew);
    }
    GlobalUnlock(hData);
    if (!bValid)
        ThrowCorrupt();
    if (hNew == NULL)
        AfxThrowMemoryException();
    GlobalFree(hData);
    hData = hNew;
}

// Changing the contents

void CReloadableData::SetData(DWORD size, const void* data)
{
    // The new bytes are in place before the old ones go, so that a block that cannot
    // have the memory stays as it was. Freeing memory for them may purge the old
    // bytes; that loses nothing, as they were clean.
    HGLOBAL h = NULL;
    if (size != 0)
    {
        h = AllocMovable(size);
        if (h == NULL)
            AfxThrowMemoryException();
        void* p = GlobalLock(h);
        if (data != NULL)
            memcpy(p, data, size);
        else
            memset(p, 0, size);
        GlobalUnlock(h);
    }
    if (m_hData != NULL)
        GlobalFree(m_hData);
    m_hData = h;
    m_dwSize = size;
    m_dwStoredSize = 0;
    m_bModified = TRUE;
}

void CReloadableData::SetSize(DWORD size)
{
    if (m_hData != NULL && m_wLockCount == 0)
    {
        // Modified first, so that freeing memory for the new size cannot purge this
        // block's handle while it is being reallocated.
        m_bModified = TRUE;
        m_dwStoredSize = 0;
        if (size == 0)
        {
            GlobalFree(m_hData);
            m_hData = NULL;
        }
        else
        {
            HGLOBAL h = ReAllocMovable(m_hData, size, GMEM_MOVEABLE | GMEM_ZEROINIT);
            if (h == NULL)
                AfxThrowMemoryException();
            m_hData = h;
        }
        m_dwSize = size;
    }
    else if (m_bModified && size < m_dwSize)
    {
        // Locked: the buffer keeps its length and only the reported size changes.
        m_dwStoredSize = 0;
        m_dwSize = size;
    }
    else if (size == m_dwSize)
    {
        return;
    }
    else if (m_dwSize == 0)
    {
        SetData(size, NULL);
    }
    else
    {
        // Read in if need be, then a fresh block with the leading bytes.
        CTempMem<BYTE> bytes(size);
        {
            CLockScope lock(*this, TRUE);
            DWORD nKeep = size < m_dwSize ? size : m_dwSize;
            memcpy(bytes.GetData(), lock.Get(), nKeep);
            memset(bytes.GetData() + nKeep, 0, size - nKeep);
        }
        SetData(size, bytes.GetData());
    }
}

CReloadableData& CReloadableData::operator=(const CReloadableData& other)
{
    if (this != &other)
    {
        CLockScope lock(other, TRUE);
        SetData(other.GetSize(), lock.Get());
    }
    return *this;
}

int CReloadableData::operator==(const CReloadableData& other) const
{
    if (m_dwSize != other.m_dwSize)
        return FALSE;
    auto isCompressed = [](const CReloadableData& d) {
        return d.m_dwStoredSize != 0 && d.m_dwStoredSize != d.m_dwSize;
    };
    if (isCompressed(*this) && isCompressed(other) && m_dwStoredSize != other.m_dwStoredSize)
        return FALSE;
    CLockScope lock(*this, FALSE);
    CLockScope lockOther(other, FALSE);
    if (lock.Get() == NULL || lockOther.Get() == NULL)
        return FALSE;
    return memcmp(lock.Get(), lockOther.Get(), m_dwSize) == 0;
}

// The record in an archive

void CReloadableData::Serialize(CArchive& ar)
{
    if (ar.IsLoading())
    {
        LoadRecord(ar);
        return;
    }
    // Only a hoard written to a named file can give the bytes back later.
    BOOL bTracked = m_pCurFileReference != NULL && !ar.GetFile()->GetFilePath().IsEmpty();
    ar << m_dwSize;
    if (m_dwSize == 0)
    {
        ar << (DWORD)0;
        return;
    }
    ar.Flush();
    DWORD dwPos = ar.GetFile()->GetPosition() + 4;
    DWORD dwOldStored = m_dwStoredSize;
    if (bTracked)
        RememberPlace();
    WriteCompressed(ar);
    if (bTracked)
    {
        m_dwFilePos = dwPos;
        m_pFileReference = m_pCurFileReference;
        m_pOwner = m_pCurOwner;
    }
    else
    {
        // The block still reads back from its own file, where its stored bytes have
        // their old length.
        m_dwStoredSize = dwOldStored;
    }
}

void CReloadableData::LoadRecord(CArchive& ar)
{
    CFile* pFile = ar.GetFile();
    DWORD dwSize, dwStored;
    ar >> dwSize >> dwStored;
    // S is 0 exactly when N is, and never larger.
    if (dwStored > dwSize || (dwStored == 0) != (dwSize == 0))
        ThrowCorrupt(pFile->GetFilePath());

    // Bytes in a file without a name cannot be read back later: they are read now.
    BOOL bDeferred = m_pCurFileReference != NULL && !pFile->GetFilePath().IsEmpty();
    void* hData = NULL;
    DWORD dwFilePos = 0;
    if (dwSize != 0 && bDeferred)
    {
        // The bytes stay in the file until the first Lock: note where they are, after
        // checking that they are there, and skip them.
        ar.Flush();
        dwFilePos = pFile->GetPosition();
        DWORD dwLength = pFile->GetLength();
        if (dwFilePos > dwLength || dwLength - dwFilePos < dwStored)
            AfxThrowArchiveException(CArchiveException::endOfFile, pFile->GetFilePath());
        pFile->Seek((LONG)(dwFilePos + dwStored), CFile::begin);
    }
    else if (dwSize != 0)
    {
        hData = ReadGrowing(ar, dwStored);
        try
        {
            Decompress(hData, dwStored, dwSize, m_pfnSizeCheck);
        }
        catch (...)
        {
            GlobalFree(hData);
            throw;
        }
    }

    // The record is good: it replaces what the block held.
    if (m_hData != NULL)
        GlobalFree(m_hData);
    m_hData = hData;
    m_pFileReference = bDeferred ? m_pCurFileReference : NULL;
    m_pOwner = bDeferred ? m_pCurOwner : NULL;
    m_dwSize = dwSize;
    m_dwStoredSize = dwStored;
    m_dwFilePos = dwFilePos;
    if (hData != NULL)
        Freshen();
}

void CReloadableData::WriteCompressed(CArchive& ar)
{
    // A block that was never read in goes over unchanged from the old file.
    if (m_hData == NULL && m_dwStoredSize != 0 && CopyStored(ar))
        return;

    CLockScope lock(*this, TRUE);
    const BYTE* pData = lock.Get();
    CTempMem<BYTE> stream;
    DWORD dwStored = m_dwSize;
    if (m_compression != compressNone && pData != NULL)
        dwStored = EncodeRuns(pData, m_dwSize, WidthOf(m_compression), stream.SetCount(m_dwSize));
    ar << dwStored;
    ar.Write(dwStored == m_dwSize ? pData : stream.GetData(), dwStored);
    m_dwStoredSize = dwStored;
}

BOOL CReloadableData::CopyStored(CArchive& ar) const
{
    // Within a hoard's section the file stays open for the next block, and the hoard
    // closes it when the section ends; outside one, nothing would close it later.
    struct CCloseOutsideSection
    {
        ~CCloseOutsideSection()
        {
            if (m_pCurFileReference == NULL)
                EndCopying();
        }
    } closer;
    CFile* pSource = OpenCopySource();
    if (pSource == NULL)
        return FALSE;
    ar << m_dwStoredSize;
    // Straight from file to file in pieces of 1 MB, through a scratch buffer that stays
    // with the open source file from one block to the next: few transfers, and pages
    // touched once. The file was checked to hold the bytes; should it still come up
    // short, the save fails rather than write a record that promises missing bytes.
    ar.Flush();
    CFile* pOut = ar.GetFile();
    const DWORD nPiece = 0x100000;
    if (m_copyPiece.GetData() == NULL)
        m_copyPiece.SetCount(nPiece);
    for (DWORD nLeft = m_dwStoredSize; nLeft != 0;)
    {
        UINT nWant = nLeft < nPiece ? nLeft : nPiece;
        if (pSource->Read(m_copyPiece.GetData(), nWant) != nWant)
            AfxThrowFileException(CFileException::endOfFile, -1, pSource->GetFilePath());
        pOut->Write(m_copyPiece.GetData(), nWant);
        nLeft -= nWant;
    }
    return TRUE;
}

void CReloadableData::UpdateFile(void* data) const
{
    if (m_dwSize == 0)
        return;
    // Bytes written in place must replace a raw copy of the same length.
    if (m_pFileReference == NULL || m_dwStoredSize != m_dwSize)
        AfxThrowNotSupportedException();
    CFile file(*m_pFileReference, CFile::modeWrite);
    file.Seek((LONG)m_dwFilePos, CFile::begin);
    file.Write(data, m_dwSize);
    file.Close();
}

// Releasing memory

DWORD CReloadableData::FreeUnusedMemory()
{
    if (!m_bCache || m_wLockCount != 0 || m_hData == NULL || m_bModified ||
        m_pFileReference == NULL)
        return 0;
    GlobalFree(m_hData);
    m_hData = NULL;
    return m_dwSize;
}
