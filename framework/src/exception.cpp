// The exception classes and the functions that throw them.
#include "afx.h"

#include <new>
#include <stdio.h>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CMemoryException, CException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CException)
IMPLEMENT_DYNAMIC(CResourceException, CException)
IMPLEMENT_DYNAMIC(CUserException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

namespace {

// The one memory exception; it is static, so Delete leaves it alone.
CMemoryException g_memoryException(FALSE);

BOOL CopyMessage(LPSTR lpszError, UINT nMaxError, LPCSTR lpszText)
{
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    snprintf(lpszError, nMaxError, "%s", lpszText);
    return TRUE;
}

const char* const g_szFileCauses[] = {
    "No error occurred.",
    "An unspecified error occurred while accessing %s.",
    "%s was not found.",
    "%s contains an invalid path.",
    "%s could not be opened because there are too many open files.",
    "Access to %s was denied.",
    "An invalid file handle was associated with %s.",
    "%s could not be removed because it is the current directory.",
    "%s could not be created because the directory is full.",
    "Seek failed on %s.",
    "A hardware I/O error was reported while accessing %s.",
    "A sharing violation occurred while accessing %s.",
    "A locking violation occurred while accessing %s.",
    "Disk full while accessing %s.",
    "An attempt was made to access %s past its end.",
};

const char* const g_szArchiveCauses[] = {
    "No error occurred.",
    "An unexpected error occurred while reading %s.",
    "An attempt was made to write to the reading archive %s.",
    "An unexpected end of file was found while reading %s.",
    "An attempt was made to read from the writing archive %s.",
    "%s has an invalid format.",
    "%s contained an unexpected object.",
    "%s contains an incorrect schema.",
};

BOOL FormatCause(LPSTR lpszError, UINT nMaxError, const char* const* ppszCauses, int nCauses,
                 int cause, const CString& strFileName)
{
    if (lpszError == NULL || nMaxError == 0)
        return FALSE;
    if (cause < 0 || cause >= nCauses)
        cause = 1;
    LPCSTR lpszName = strFileName.IsEmpty() ? "an unnamed file" : (LPCSTR)strFileName;
    snprintf(lpszError, nMaxError, ppszCauses[cause], lpszName);
    return TRUE;
}

template <class E>
[[noreturn]] void ThrowNew()
{
    E* e = new (std::nothrow) E;
    if (e == NULL)
        throw &g_memoryException;
    throw e;
}

} // namespace

// CException

void CException::Delete()
{
    if (m_bAutoDelete > 0)
        delete this;
}

BOOL CException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext)
{
    if (pnHelpContext != NULL)
        *pnHelpContext = 0;
    if (lpszError != NULL && nMaxError != 0)
        *lpszError = '\0';
    return FALSE;
}

BOOL CMemoryException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT)
{
    return CopyMessage(lpszError, nMaxError, "Out of memory.");
}

BOOL CNotSupportedException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT)
{
    return CopyMessage(lpszError, nMaxError, "Unsupported operation was attempted.");
}

BOOL CResourceException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT)
{
    return CopyMessage(lpszError, nMaxError, "A required resource was unavailable.");
}

BOOL CFileException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT)
{
    return FormatCause(lpszError, nMaxError, g_szFileCauses,
                       (int)(sizeof g_szFileCauses / sizeof g_szFileCauses[0]), m_cause,
                       m_strFileName);
}

BOOL CArchiveException::GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT)
{
    return FormatCause(lpszError, nMaxError, g_szArchiveCauses,
                       (int)(sizeof g_szArchiveCauses / sizeof g_szArchiveCauses[0]), m_cause,
                       m_strFileName);
}

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError)
    {
    case NO_ERROR:
        return CFileException::none;
    case ERROR_FILE_NOT_FOUND:
        return CFileException::fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE:
        return CFileException::badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
        return CFileException::tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return CFileException::accessDenied;
    case ERROR_INVALID_HANDLE:
        return CFileException::invalidFile;
    case ERROR_CURRENT_DIRECTORY:
        return CFileException::removeCurrentDir;
    case ERROR_CANNOT_MAKE:
        return CFileException::directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK:
        return CFileException::badSeek;
    case ERROR_SHARING_VIOLATION:
        return CFileException::sharingViolation;
    case ERROR_LOCK_VIOLATION:
        return CFileException::lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return CFileException::diskFull;
    case ERROR_HANDLE_EOF:
        return CFileException::endOfFile;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
        return CFileException::hardIO;
    default:
        return CFileException::generic;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCSTR lpszFileName)
{
    AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

// Throwing

void AFXAPI AfxThrowMemoryException() { throw &g_memoryException; }

void AFXAPI AfxThrowNotSupportedException() { ThrowNew<CNotSupportedException>(); }

void AFXAPI AfxThrowResourceException() { ThrowNew<CResourceException>(); }

void AFXAPI AfxThrowUserException() { ThrowNew<CUserException>(); }

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCSTR lpszFileName)
{
    CFileException* e = new (std::nothrow) CFileException(cause, lOsError);
    if (e == NULL)
        throw &g_memoryException;
    try
    {
        e->m_strFileName = lpszFileName;
    }
    catch (CException* eMem)
    {
        // No room for the name: report the file error without it.
        eMem->Delete();
    }
    throw e;
}

void AFXAPI AfxThrowArchiveException(int cause, LPCSTR lpszArchiveName)
{
    CArchiveException* e = new (std::nothrow) CArchiveException(cause);
    if (e == NULL)
        throw &g_memoryException;
    try
    {
        e->m_strFileName = lpszArchiveName;
    }
    catch (CException* eMem)
    {
        eMem->Delete();
    }
    throw e;
}
