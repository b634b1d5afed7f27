// Helpers shared by the framework tests: the C runtime's heap in use, a scratch
// folder for real files, file contents, archives over memory and thrown exceptions.
#pragma once

#include <afx.h>
#include <malloc.h>

#include <functional>
#include <string>

// Bytes of the C runtime heap in busy blocks; malloc and operator new of every
// module allocate from it.
inline size_t HeapInUse()
{
    HANDLE hHeap = (HANDLE)_get_heap_handle();
    PROCESS_HEAP_ENTRY entry = {};
    size_t nBytes = 0;
    HeapLock(hHeap);
    while (HeapWalk(hHeap, &entry))
    {
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
            nBytes += entry.cbData;
    }
    HeapUnlock(hHeap);
    return nBytes;
}

// A fresh folder under the temporary path, removed with what is left in it.
class CScratchFolder
{
public:
    CScratchFolder()
    {
        char szTemp[MAX_PATH];
        GetTempPathA(MAX_PATH, szTemp);
        m_strPath.Format("%sfwtest%lu-%lu\\", szTemp, GetCurrentProcessId(), GetTickCount());
        CreateDirectoryA(m_strPath, NULL);
    }
    ~CScratchFolder()
    {
        WIN32_FIND_DATAA fd;
        HANDLE hFind = FindFirstFileA(m_strPath + "*", &fd);
        if (hFind != INVALID_HANDLE_VALUE)
        {
            do
            {
                SetFileAttributesA(Path(fd.cFileName), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(Path(fd.cFileName));
            } while (FindNextFileA(hFind, &fd));
            FindClose(hFind);
        }
        RemoveDirectoryA(m_strPath);
    }
    CScratchFolder(const CScratchFolder&) = delete;
    CScratchFolder& operator=(const CScratchFolder&) = delete;

    CString Path(LPCSTR lpszName) const { return m_strPath + lpszName; }
    const CString& Folder() const { return m_strPath; }

private:
    CString m_strPath;
};

// The whole file; leaves the position at the end.
inline std::string Contents(CFile& file)
{
    std::string str(file.GetLength(), '?');
    file.SeekToBegin();
    str.resize(file.Read(str.data(), (UINT)str.size()));
    return str;
}

// The bytes that f stores through an archive over a memory file.
inline std::string Store(const std::function<void(CArchive&)>& f)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    f(ar);
    ar.Close();
    return Contents(file);
}

// Loads from a memory file that holds the bytes.
inline void Load(const std::string& strBytes, const std::function<void(CArchive&)>& f, CMemFile&& file = CMemFile())
{
    file.Write(strBytes.data(), (UINT)strBytes.size());
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    f(ar);
}

// The exception of class E that f throws (the caller deletes it), or null.
template <class E, class F>
E* Thrown(F f)
{
    try
    {
        f();
    }
    catch (E* e)
    {
        return e;
    }
    return NULL;
}

// The cause of the file or archive exception that f throws, or -1; also its file name.
template <class E, class F>
int CauseOf(F f, CString* pstrFileName = NULL)
{
    E* e = Thrown<E>(f);
    if (e == NULL)
        return -1;
    int nCause = e->m_cause;
    if (pstrFileName != NULL)
        *pstrFileName = e->m_strFileName;
    e->Delete();
    return nCause;
}
