// CReloadableData: one movable block of bytes that a resource owns. A block that came
// from a hoard file, or was saved into one, remembers where its stored bytes lie in
// that file: it is read on its first Lock, may be purged under memory pressure and
// read again, and is copied unread when the hoard is saved.
#pragma once

#include "hoard/runtime/Freeable.h"
#include "hoard/runtime/TempMem.h"

#include <afxtempl.h>

class HOARD_API CReloadableData : public CFreeable
{
public:
    // How the block is coded when it is written; the stream tag is the item width.
    enum CompressionType
    {
        compressNone = 0,       // stored raw
        compressBytes = 1,      // 1-byte items
        compressWords = 2,      // 2-byte items
        compressDWords = 3      // 4-byte items
    };

// Constructors
    // With a size and data, the block starts as a copy of those bytes.
    CReloadableData(DWORD size = 0, void* data = NULL);
    // Copies the bytes as assignment does; the copy has no file behind it.
    CReloadableData(const CReloadableData& other);
    ~CReloadableData() override;

// Attributes
    DWORD GetSize() const { return m_dwSize; }
    void* GetHandle() const { return m_hData; }
    int IsLoaded() const { return m_hData != NULL; }
    CompressionType GetCompression() const { return m_compression; }
    void SetCompression(CompressionType compression) { m_compression = compression; }
    // With FALSE the block is never purged.
    void SetCacheFlag(int bCache) { m_bCache = bCache; }

// Operations
    // The full bytes, read back from the file when they are not in memory; null when
    // the size is 0 or the file cannot give them. Every non-null result needs one
    // Unlock. Throws CMemoryException, and CArchiveException for a corrupt stream.
    unsigned char* Lock() const;
    void Unlock() const;
    // Grows the block to size if it is smaller (never shrinks it), marks it modified
    // and locks it.
    unsigned char* LockForWriting(DWORD size);

    // Replaces the contents with size bytes from data, or zeros when data is null.
    void SetData(DWORD size, const void* data);
    // Changes the length and keeps the leading bytes.
    void SetSize(DWORD size);

    // Copies the bytes; compression, cache flag and file reference stay.
    CReloadableData& operator=(const CReloadableData& other);
    // Whether both hold the same bytes; two empty blocks are not equal.
    int operator==(const CReloadableData& other) const;

    // The block record: full size N, stored size S, then S stored bytes.
    void Serialize(CArchive& ar);
    // Writes S and the stored bytes: unread blocks verbatim from the old file, others
    // encoded when that makes them shorter.
    void WriteCompressed(CArchive& ar);
    // A check of a full size against the first bytes of the data, for data whose first
    // bytes say how long it can be (a header): pHead holds nHead of them (all, when the
    // data is shorter than nSizeCheckHead).
    typedef BOOL (*SizeCheck)(const BYTE* pHead, DWORD nHead, DWORD nSize);
    static constexpr DWORD nSizeCheckHead = 256;
    // A stream whose first bytes fail the check reads as corrupt, before its full size
    // is allocated. Not copied with the bytes.
    void SetSizeCheck(SizeCheck pfnCheck) { m_pfnSizeCheck = pfnCheck; }

    // Expands the stream of nStored bytes that hData holds into a new handle of nSize
    // bytes; nothing happens when the two sizes are equal. Throws CArchiveException
    // for a corrupt stream, or one whose first bytes pfnCheck refuses, and
    // CMemoryException, leaving hData as it was.
    static void Decompress(void*& hData, DWORD nStored, DWORD nSize, SizeCheck pfnCheck = NULL);

    // The temporary spill file does not exist: these return at once.
    void FlushToTempFile() {}
    void RemoveTempFile() {}

    // The file-reference string of the hoard being read from or written to a named
    // file; null at all other times. The hoard sets and clears it.
    static CString* m_pCurFileReference;
    // The object whose data is being read from or written to that file (a resource):
    // every block that takes the file reference notes it as its owner, so that the
    // blocks of one resource can be told from the others of the same file. Null
    // outside a hoard's serialization.
    static const CObject* m_pCurOwner;

    // Writing a hoard to a named file moves each written block's stored bytes into the
    // new file. Until the new file has replaced the old one, the blocks keep the old
    // places as well: a save that fails puts them back, one that succeeds forgets them.
    static void CommitSave();
    static void AbandonSave();
    // Unread blocks copy their stored bytes from the file they were read from, which
    // stays open from one block to the next while m_pCurFileReference is set; whoever
    // clears it after a write (the hoard, when its section ends) closes the file with
    // this, so that the file can be replaced.
    static void EndCopying();
    // Reads into memory every block whose stored bytes lie in the file named by
    // *pFileReference (only those owned by pOwner, when it is given) and ties it to no
    // file, so that the string can name another file or the blocks can leave the file's
    // hoard. Throws CFileException when the bytes cannot be read; the blocks read
    // before that stay read.
    static void DetachFromFile(const CString* pFileReference, const CObject* pOwner = NULL);

// Overridables
protected:
    // Purges a clean, unlocked, file-backed block; returns the bytes released.
    DWORD FreeUnusedMemory() override;

// Implementation
private:
    CString* m_pFileReference;      // the owning hoard's path string; not owned
    const CObject* m_pOwner;        // m_pCurOwner when the file reference was taken
    CompressionType m_compression;
    BOOL m_bModified;
    DWORD m_dwSize;                 // full length
    DWORD m_dwStoredSize;           // length in the file; 0 when never stored
    DWORD m_dwFilePos;              // offset of the first stored byte
    mutable HGLOBAL m_hData;        // movable memory, owned; null when not in memory
    BOOL m_bCache;
    mutable WORD m_wLockCount;
    SizeCheck m_pfnSizeCheck;       // null: any size that the stream gives

    // Members of the temp-file facility; nothing uses them.
    static CFile m_tempFile;
    static WORD m_wTempCount;
    static DWORD m_dwTempCount;
    void CreateTempFile() {}
    void UnuseTempFile() {}

    class CLockScope;
    struct CSavedPlace;

    // Where the blocks written by the save in progress found their bytes before.
    static CList<CSavedPlace, const CSavedPlace&> m_listSavedPlaces;
    void RememberPlace();
    void ForgetPlace();

    unsigned char* LockWithCount() const;
    void UnlockWithCount() const;
    // Lock, or CFileException when the stored bytes cannot be had.
    unsigned char* LockOrThrow() const;
    // Opens the file of the stored bytes at their first byte after checking that it
    // holds dwStored of them; FALSE, with the reason in *pError, when it cannot.
    BOOL OpenStored(CFile& file, DWORD dwStored, CFileException* pError) const;
    // Moves an open file to the first stored byte after checking that it holds
    // dwStored of them; FALSE, with the reason in *pError, when it does not.
    BOOL SeekStored(CFile& file, DWORD dwStored, CFileException* pError) const;
    // The file that the last block copied from, kept open, and its name as the
    // blocks give it.
    static CFile m_copySource;
    static CString m_strCopySource;
    static CTempMem<BYTE> m_copyPiece;      // the copy's scratch buffer, kept as long as the file
    // m_copySource open on this block's file and standing at its first stored byte;
    // null when the file cannot give the bytes.
    CFile* OpenCopySource() const;
    // The bytes read back from the file and decoded, in new movable memory; null
    // when the file cannot give them.
    HGLOBAL ReadStored() const;
    // Writes S and the stored bytes copied unread from the file; FALSE when the file
    // cannot give them.
    BOOL CopyStored(CArchive& ar) const;
    void LoadRecord(CArchive& ar);
    // Writes bytes back in place; valid only for a block stored raw.
    void UpdateFile(void* data) const;
};
