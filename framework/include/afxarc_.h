// CArchive: the buffered binary archive over a CFile, with the object and class
// records through which objects are stored and created again by class name.
#pragma once

#include "afxobj_.h"
#include "afxstr.h"

class CFile;
class CDocument;
struct CArchiveMaps;

class AFX_FRAMEWORK CArchive
{
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    // The archive does not own the file; lpBuf, when given, is the caller's buffer.
    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
    ~CArchive();

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

// Attributes
    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    // Whether a loading archive has no unread bytes in its buffer.
    BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
    CFile* GetFile() const { return m_pFile; }
    // The schema of the object being loaded; reading it resets it to (UINT)-1.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    CDocument* m_pDocument;     // for the application's use; the archive ignores it
    BOOL m_bForceFlat;          // for the application's use; TRUE unless it clears it

// Operations
    // Reads up to nMax bytes and returns how many arrived; short only at the end.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Writes the buffer out when storing; when loading gives the unread bytes back to
    // the file, so that the file position equals the archive's position.
    void Flush();
    void Close();
    // Detaches from the file without flushing; never throws.
    void Abort();

    // Little-endian values.
    CArchive& operator<<(BYTE by);
    CArchive& operator<<(WORD w);
    CArchive& operator<<(LONG l);
    CArchive& operator<<(DWORD dw);
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);
#ifdef _WIN32
    CArchive& operator<<(int i) { return *this << (LONG)i; }
    CArchive& operator<<(unsigned u) { return *this << (DWORD)u; }
#endif
    CArchive& operator<<(short w) { return *this << (WORD)w; }
    CArchive& operator<<(char ch) { return *this << (BYTE)ch; }

    CArchive& operator>>(BYTE& by);
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(LONG& l);
    CArchive& operator>>(DWORD& dw);
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);
#ifdef _WIN32
    CArchive& operator>>(int& i) { return *this >> (LONG&)i; }
    CArchive& operator>>(unsigned& u) { return *this >> (DWORD&)u; }
#endif
    CArchive& operator>>(short& w) { return *this >> (WORD&)w; }
    CArchive& operator>>(char& ch) { return *this >> (BYTE&)ch; }

    // Object records.
    CArchive& operator<<(const CObject* pOb) { WriteObject(pOb); return *this; }
    CArchive& operator>>(CObject*& pOb) { pOb = ReadObject(NULL); return *this; }
    CArchive& operator>>(const CObject*& pOb) { pOb = ReadObject(NULL); return *this; }

    // Reads an object record: a new object created by class name, an earlier object,
    // or null. Throws badClass when the object is not of pClass.
    CObject* ReadObject(const CRuntimeClass* pClass);
    void WriteObject(const CObject* pOb);

    // Reads a class record. Returns null for an object reference, whose index then
    // goes to *pObTag; without pObTag an object reference throws badIndex.
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = NULL,
                             UINT* pSchema = NULL, DWORD* pObTag = NULL);
    void WriteClass(const CRuntimeClass* pClassRef);
    void SerializeClass(const CRuntimeClass* pClassRef);

    // Registers an object as already stored or loaded, so that later records can
    // refer to it by index.
    void MapObject(const CObject* pOb);

    // Element counts: 16 bits, or 0xFFFF and 32 bits.
    void WriteCount(DWORD dwCount);
    DWORD ReadCount();

    void SetStoreParams(UINT nHashSize = 2053, UINT nBlockSize = 128) {}
    void SetLoadParams(UINT nGrowBy = 1024) {}

// Implementation
public:
    // Makes at least nBytesNeeded unread bytes available; throws endOfFile otherwise.
    void FillBuffer(UINT nBytesNeeded);
    // Records numbered so far, the null index included. Reading an object record that
    // creates an object raises it; a reference to an earlier object leaves it alone.
    DWORD GetMapCount() const { return m_nMapCount; }
    // Loading: what object record nIndex created. pOb is the object, NULL if its data
    // failed to read and the archive freed it; pClass its class; nEnd the map count when
    // its record ended, so that the objects its data created are numbered in between.
    // FALSE for a class record, an object that MapObject numbered, or a number not given.
    BOOL GetLoadedObject(DWORD nIndex, CObject*& pOb, CRuntimeClass*& pClass, DWORD& nEnd) const;

protected:
    UINT m_nMode;
    BOOL m_bUserBuf;
    int m_nBufSize;
    CFile* m_pFile;
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;
    BYTE* m_lpBufStart;
    UINT m_nObjectSchema;
    CString m_strFileName;

    // Object and class numbering shared by the whole archive; index 0 is null.
    DWORD m_nMapCount;
    CArchiveMaps* m_pMaps;

    [[noreturn]] void ThrowArchive(int cause) const;
    void StoreFixed(const void* pv, UINT nBytes);
    void LoadFixed(void* pv, UINT nBytes);
    void CheckIndex(DWORD nIndex) const;
};
