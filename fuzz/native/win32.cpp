// The Win32 calls of the native build over POSIX and the C library: files on file
// descriptors, global memory on malloc with a header that keeps the size, MulDiv.
#include <windows.h>
#include <mbstring.h>

#include <ctype.h>
#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

thread_local DWORD g_dwLastError = NO_ERROR;

DWORD ErrnoToError(int nErrno)
{
    switch (nErrno)
    {
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
    case ENAMETOOLONG:
        return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
        return ERROR_ACCESS_DENIED;
    case EEXIST:
        return ERROR_ALREADY_EXISTS;
    case EMFILE:
    case ENFILE:
        return ERROR_TOO_MANY_OPEN_FILES;
    case EBADF:
        return ERROR_INVALID_HANDLE;
    case ENOSPC:
        return ERROR_DISK_FULL;
    case EINVAL:
        return ERROR_NEGATIVE_SEEK;
    default:
        return ERROR_GEN_FAILURE;
    }
}

BOOL Fail(int nErrno)
{
    g_dwLastError = ErrnoToError(nErrno);
    return FALSE;
}

int Fd(HANDLE h) { return (int)(intptr_t)h; }

// What precedes the bytes of a global memory block.
struct alignas(16) GlobalHeader
{
    SIZE_T nSize;
};

GlobalHeader* HeaderOf(HGLOBAL h) { return static_cast<GlobalHeader*>(h) - 1; }

} // namespace

DWORD GetLastError() { return g_dwLastError; }

void OutputDebugStringA(LPCSTR) {}

// Files

HANDLE CreateFileA(LPCSTR lpFileName, DWORD dwDesiredAccess, DWORD, SECURITY_ATTRIBUTES*,
                   DWORD dwCreationDisposition, DWORD, HANDLE)
{
    int nFlags = O_CLOEXEC;
    if ((dwDesiredAccess & GENERIC_READ) && (dwDesiredAccess & GENERIC_WRITE))
        nFlags |= O_RDWR;
    else if (dwDesiredAccess & GENERIC_WRITE)
        nFlags |= O_WRONLY;
    else
        nFlags |= O_RDONLY;
    if (dwCreationDisposition == CREATE_ALWAYS)
        nFlags |= O_CREAT | O_TRUNC;
    else if (dwCreationDisposition == OPEN_ALWAYS)
        nFlags |= O_CREAT;
    int fd = open(lpFileName, nFlags, 0666);
    if (fd < 0)
    {
        Fail(errno);
        return INVALID_HANDLE_VALUE;
    }
    g_dwLastError = NO_ERROR;
    return (HANDLE)(intptr_t)fd;
}

BOOL ReadFile(HANDLE hFile, LPVOID lpBuffer, DWORD nToRead, DWORD* lpRead, void*)
{
    DWORD nDone = 0;
    while (nDone < nToRead)
    {
        ssize_t n = read(Fd(hFile), static_cast<char*>(lpBuffer) + nDone, nToRead - nDone);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Fail(errno);
        if (n == 0)
            break;
        nDone += (DWORD)n;
    }
    *lpRead = nDone;
    return TRUE;
}

BOOL WriteFile(HANDLE hFile, const void* lpBuffer, DWORD nToWrite, DWORD* lpWritten, void*)
{
    DWORD nDone = 0;
    while (nDone < nToWrite)
    {
        ssize_t n = write(Fd(hFile), static_cast<const char*>(lpBuffer) + nDone, nToWrite - nDone);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Fail(errno);
        nDone += (DWORD)n;
    }
    *lpWritten = nDone;
    return TRUE;
}

DWORD SetFilePointer(HANDLE hFile, LONG lDistance, LONG* lpDistanceHigh, DWORD dwMoveMethod)
{
    off_t nOffset = lDistance;
    if (lpDistanceHigh != NULL)
        nOffset = (off_t)(((uint64_t)(uint32_t)*lpDistanceHigh << 32) | (uint32_t)lDistance);
    int nWhence = dwMoveMethod == FILE_BEGIN ? SEEK_SET : dwMoveMethod == FILE_CURRENT ? SEEK_CUR : SEEK_END;
    off_t nNew = lseek(Fd(hFile), nOffset, nWhence);
    if (nNew < 0)
    {
        Fail(errno);
        return INVALID_SET_FILE_POINTER;
    }
    if (lpDistanceHigh != NULL)
        *lpDistanceHigh = (LONG)((uint64_t)nNew >> 32);
    g_dwLastError = NO_ERROR;
    return (DWORD)nNew;
}

BOOL SetEndOfFile(HANDLE hFile)
{
    off_t nPos = lseek(Fd(hFile), 0, SEEK_CUR);
    if (nPos < 0 || ftruncate(Fd(hFile), nPos) != 0)
        return Fail(errno);
    return TRUE;
}

DWORD GetFileSize(HANDLE hFile, DWORD* lpFileSizeHigh)
{
    struct stat st;
    if (fstat(Fd(hFile), &st) != 0)
    {
        Fail(errno);
        return INVALID_FILE_SIZE;
    }
    if (lpFileSizeHigh != NULL)
        *lpFileSizeHigh = (DWORD)((uint64_t)st.st_size >> 32);
    g_dwLastError = NO_ERROR;
    return (DWORD)st.st_size;
}

BOOL FlushFileBuffers(HANDLE hFile) { return fsync(Fd(hFile)) == 0 ? TRUE : Fail(errno); }

BOOL CloseHandle(HANDLE hObject) { return close(Fd(hObject)) == 0 ? TRUE : Fail(errno); }

HANDLE GetCurrentProcess() { return (HANDLE)(intptr_t)-1; }

BOOL DuplicateHandle(HANDLE, HANDLE hSource, HANDLE, HANDLE* lpTarget, DWORD, BOOL, DWORD)
{
    int fd = fcntl(Fd(hSource), F_DUPFD_CLOEXEC, 0);
    if (fd == -1)
        return Fail(errno);
    *lpTarget = (HANDLE)(intptr_t)fd;
    return TRUE;
}

DWORD GetFullPathNameA(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer, LPSTR*)
{
    char szPath[4096] = "";
    if (lpFileName[0] != '/')
    {
        if (getcwd(szPath, sizeof szPath - 1) == NULL)
            return Fail(errno);
        strcat(szPath, "/");
    }
    if (strlen(szPath) + strlen(lpFileName) >= sizeof szPath)
        return Fail(ENAMETOOLONG);
    strcat(szPath, lpFileName);
    DWORD nLen = (DWORD)strlen(szPath);
    if (nLen >= nBufferLength)
        return nLen + 1;
    memcpy(lpBuffer, szPath, nLen + 1);
    return nLen;
}

BOOL MoveFileA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName)
{
    // Unlike rename, MoveFile does not replace an existing file.
    if (access(lpNewFileName, F_OK) == 0)
        return Fail(EEXIST);
    return rename(lpExistingFileName, lpNewFileName) == 0 ? TRUE : Fail(errno);
}

BOOL MoveFileExA(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags)
{
    if (!(dwFlags & MOVEFILE_REPLACE_EXISTING))
        return MoveFileA(lpExistingFileName, lpNewFileName);
    return rename(lpExistingFileName, lpNewFileName) == 0 ? TRUE : Fail(errno);
}

BOOL DeleteFileA(LPCSTR lpFileName) { return unlink(lpFileName) == 0 ? TRUE : Fail(errno); }

// Read-only is a file that cannot be written.
DWORD GetFileAttributesA(LPCSTR lpFileName)
{
    struct stat st;
    if (stat(lpFileName, &st) != 0)
    {
        Fail(errno);
        return INVALID_FILE_ATTRIBUTES;
    }
    if (S_ISDIR(st.st_mode))
        return FILE_ATTRIBUTE_DIRECTORY;
    return access(lpFileName, W_OK) == 0 ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
}

// Global memory

HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes)
{
    void* pv = (uFlags & GMEM_ZEROINIT) ? calloc(1, sizeof(GlobalHeader) + dwBytes)
                                       : malloc(sizeof(GlobalHeader) + dwBytes);
    if (pv == NULL)
        return NULL;
    GlobalHeader* pHeader = static_cast<GlobalHeader*>(pv);
    pHeader->nSize = dwBytes;
    return pHeader + 1;
}

HGLOBAL GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags)
{
    SIZE_T nOld = HeaderOf(hMem)->nSize;
    void* pv = realloc(HeaderOf(hMem), sizeof(GlobalHeader) + dwBytes);
    if (pv == NULL)
        return NULL;
    GlobalHeader* pHeader = static_cast<GlobalHeader*>(pv);
    pHeader->nSize = dwBytes;
    if ((uFlags & GMEM_ZEROINIT) && dwBytes > nOld)
        memset(reinterpret_cast<BYTE*>(pHeader + 1) + nOld, 0, dwBytes - nOld);
    return pHeader + 1;
}

HGLOBAL GlobalFree(HGLOBAL hMem)
{
    if (hMem != NULL)
        free(HeaderOf(hMem));
    return NULL;
}

LPVOID GlobalLock(HGLOBAL hMem) { return hMem; }

SIZE_T GlobalSize(HGLOBAL hMem) { return hMem != NULL ? HeaderOf(hMem)->nSize : 0; }

BOOL GlobalUnlock(HGLOBAL) { return TRUE; }

// Arithmetic

int MulDiv(int nNumber, int nNumerator, int nDenominator)
{
    if (nDenominator == 0)
        return -1;
    long long product = (long long)nNumber * nNumerator;
    long long denominator = nDenominator;
    if (denominator < 0)
    {
        product = -product;
        denominator = -denominator;
    }
    long long half = denominator / 2;
    long long result = product >= 0 ? (product + half) / denominator : -((-product + half) / denominator);
    return result > INT32_MAX || result < INT32_MIN ? -1 : (int)result;
}

// C runtime

int _stricoll(const char* string1, const char* string2) { return strcasecmp(string1, string2); }

char* _strrev(char* str)
{
    for (char *p = str, *q = str + strlen(str); p < q--; ++p)
    {
        char ch = *p;
        *p = *q;
        *q = ch;
    }
    return str;
}

int _mbsicmp(const unsigned char* string1, const unsigned char* string2)
{
    return strcasecmp(reinterpret_cast<const char*>(string1), reinterpret_cast<const char*>(string2));
}

unsigned char* _mbsupr(unsigned char* str)
{
    for (unsigned char* p = str; *p != 0; ++p)
        *p = (unsigned char)toupper(*p);
    return str;
}

unsigned char* _mbslwr(unsigned char* str)
{
    for (unsigned char* p = str; *p != 0; ++p)
        *p = (unsigned char)tolower(*p);
    return str;
}
