// CFile over a Win32 file handle, and CMemFile over a block of memory.
#pragma once

#include "afxobj_.h"
#include "afxstr.h"
#include "afxtime_.h"

#include <stdio.h>

class CFileException;

// What the file system keeps about a file. Times of 0 stand for times the file system
// does not record.
struct CFileStatus
{
    CTime m_ctime;          // created
    CTime m_mtime;          // last written
    CTime m_atime;          // last read
    LONG m_size;            // bytes; the low 32 bits of larger files' sizes
    BYTE m_attribute;       // CFile::Attribute values
    BYTE m_padding;
    char m_szFullName[_MAX_PATH];
};

class AFX_FRAMEWORK CFile : public CObject
{
    DECLARE_DYNAMIC(CFile)
public:
// Flag values
    enum OpenFlags {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = (int)0x8000
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };
    enum Attribute {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20
    };

    static const HANDLE hFileNull;

// Constructors
    CFile();
    explicit CFile(HANDLE hFile);
    // Opens the file; throws CFileException when it cannot.
    CFile(LPCSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

// Attributes
    HANDLE m_hFile;                  // the handle this object wraps, or hFileNull

    virtual DWORD GetPosition() const;
    virtual CString GetFileName() const;
    // The name as the shell shows it (without the extension when it hides them).
    virtual CString GetFileTitle() const;
    virtual CString GetFilePath() const;
    virtual void SetFilePath(LPCSTR lpszNewName);
    // The status of the open file; FALSE when it cannot be read.
    BOOL GetStatus(CFileStatus& rStatus) const;
    // The status of a named file; FALSE when it does not exist or cannot be read.
    static BOOL PASCAL GetStatus(LPCSTR lpszFileName, CFileStatus& rStatus);
    // Sets the times (those after 1970; 0 leaves a time as it is) and the attributes;
    // throws CFileException when it cannot.
    static void PASCAL SetStatus(LPCSTR lpszFileName, const CFileStatus& status);

// Operations
    // Opens the file; FALSE and the cause in *pError when it cannot.
    virtual BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL);

    static void PASCAL Rename(LPCSTR lpszOldName, LPCSTR lpszNewName);
    static void PASCAL Remove(LPCSTR lpszFileName);

    DWORD SeekToEnd() { return Seek(0, CFile::end); }
    void SeekToBegin() { Seek(0, CFile::begin); }

// Overridables
    virtual LONG Seek(LONG lOff, UINT nFrom);
    virtual void SetLength(DWORD dwNewLen);
    virtual DWORD GetLength() const;

    virtual UINT Read(void* lpBuf, UINT nCount);
    virtual void Write(const void* lpBuf, UINT nCount);

    // A second CFile on a duplicate of the handle, at the same position (the two share
    // it), closed with its own object; throws CFileException when it cannot.
    virtual CFile* Duplicate() const;

    // Locks bytes of the file against other handles; throws CFileException when some
    // of them are locked already.
    virtual void LockRange(DWORD dwPos, DWORD dwCount);
    virtual void UnlockRange(DWORD dwPos, DWORD dwCount);

    // Closes without throwing: errors are ignored.
    virtual void Abort();
    virtual void Flush();
    virtual void Close();

// Implementation
protected:
    BOOL m_bCloseOnDelete;
    CString m_strFileName;
};

class AFX_FRAMEWORK CMemFile : public CFile
{
    DECLARE_DYNAMIC(CMemFile)
public:
// Constructors
    explicit CMemFile(UINT nGrowBytes = 1024);
    CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    ~CMemFile() override;

// Operations
    // Uses the caller's buffer; with nGrowBytes 0 the file cannot grow and holds
    // nBufferSize bytes, otherwise it starts empty and grows with realloc.
    void Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes = 0);
    // Gives the buffer to the caller (who frees it with free) and empties the file.
    BYTE* Detach();

// Overridables
    DWORD GetPosition() const override;
    LONG Seek(LONG lOff, UINT nFrom) override;
    void SetLength(DWORD dwNewLen) override;
    DWORD GetLength() const override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Abort() override;
    void Flush() override;
    void Close() override;

    // Not supported on memory: they throw CNotSupportedException.
    BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;
    CFile* Duplicate() const override;
    void LockRange(DWORD dwPos, DWORD dwCount) override;
    void UnlockRange(DWORD dwPos, DWORD dwCount) override;

protected:
    virtual BYTE* Alloc(DWORD nBytes);
    virtual BYTE* Realloc(BYTE* lpMem, DWORD nBytes);
    virtual BYTE* Memcpy(BYTE* lpMemTarget, const BYTE* lpMemSource, UINT nBytes);
    virtual void Free(BYTE* lpMem);
    virtual void GrowFile(DWORD dwNewLen);

// Implementation
protected:
    UINT m_nGrowBytes;
    DWORD m_nPosition;
    DWORD m_nBufferSize;
    DWORD m_nFileSize;
    BYTE* m_lpBuffer;
    BOOL m_bAutoDelete;

    void FreeBuffer();
};

// A CFile over a C runtime stream (FILE*), buffered, for text: ReadString and WriteString
// read and write lines. Opened with typeText (or neither type flag) the stream translates
// "\r\n" to "\n" when reading and back when writing; with typeBinary it passes bytes as
// they are. m_hFile is the stream's own handle, closed with the stream.
class AFX_FRAMEWORK CStdioFile : public CFile
{
    DECLARE_DYNAMIC(CStdioFile)
public:
// Constructors
    CStdioFile();
    // Wraps a stream the caller opened (stdin, stdout, _fdopen's ...); the destructor
    // leaves it open, Close closes it.
    explicit CStdioFile(FILE* pOpenStream);
    // Opens the file; throws CFileException when it cannot.
    CStdioFile(LPCSTR lpszFileName, UINT nOpenFlags);
    ~CStdioFile() override;

// Attributes
    FILE* m_pStream;                 // the stream, or NULL when closed

// Operations
    // Writes the text without its terminating null; throws CFileException on a write error.
    virtual void WriteString(LPCSTR lpsz);
    // Reads up to nMax - 1 characters, stopping after the first newline, which is kept;
    // always terminated. NULL at the end of the file with nothing read; throws
    // CFileException on a read error.
    virtual LPSTR ReadString(LPSTR lpsz, UINT nMax);
    // Reads one line of any length into rString, without its newline (in binary mode a
    // '\r' before it stays). FALSE at the end of the file with nothing read (an empty
    // line gives TRUE and an empty string).
    BOOL ReadString(CString& rString);

// Overridables
    BOOL Open(LPCSTR lpszFileName, UINT nOpenFlags, CFileException* pError = NULL) override;
    DWORD GetPosition() const override;
    LONG Seek(LONG lOff, UINT nFrom) override;
    DWORD GetLength() const override;
    UINT Read(void* lpBuf, UINT nCount) override;
    void Write(const void* lpBuf, UINT nCount) override;
    void Abort() override;
    void Flush() override;
    void Close() override;

    // Not supported on a stream: they throw CNotSupportedException.
    CFile* Duplicate() const override;
    void LockRange(DWORD dwPos, DWORD dwCount) override;
    void UnlockRange(DWORD dwPos, DWORD dwCount) override;
};
