// The exception classes. Exceptions are thrown by pointer; the catcher calls Delete.
#pragma once

#include "afxobj_.h"
#include "afxstr.h"

class AFX_FRAMEWORK CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}

    // Frees an exception that was allocated with new; static ones stay.
    void Delete();

    // Writes a readable description into the buffer; FALSE when there is none.
    virtual BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL);
    // Shows the description in a message box.
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

protected:
    BOOL m_bAutoDelete;
};

class AFX_FRAMEWORK CMemoryException : public CException
{
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException() = default;
    explicit CMemoryException(BOOL bAutoDelete) : CException(bAutoDelete) {}
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;
};

class AFX_FRAMEWORK CNotSupportedException : public CException
{
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    CNotSupportedException() = default;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;
};

class AFX_FRAMEWORK CResourceException : public CException
{
    DECLARE_DYNAMIC(CResourceException)
public:
    CResourceException() = default;
    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;
};

// Thrown after the user has already been told what went wrong (a failed validation):
// whoever catches it reports nothing more.
class AFX_FRAMEWORK CUserException : public CException
{
    DECLARE_DYNAMIC(CUserException)
public:
    CUserException() = default;
};

class AFX_FRAMEWORK CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none, generic, fileNotFound, badPath, tooManyOpenFiles, accessDenied,
        invalidFile, removeCurrentDir, directoryFull, badSeek, hardIO,
        sharingViolation, lockViolation, diskFull, endOfFile
    };

    explicit CFileException(int cause = CFileException::none, LONG lOsError = -1)
        : m_cause(cause), m_lOsError(lOsError) {}

    // Maps a Win32 error code to a cause.
    static int PASCAL OsErrorToException(LONG lOsError);
    [[noreturn]] static void PASCAL ThrowOsError(LONG lOsError, LPCSTR lpszFileName = NULL);
    // Maps a C runtime errno value to a cause.
    static int PASCAL ErrnoToException(int nErrno);
    [[noreturn]] static void PASCAL ThrowErrno(int nErrno, LPCSTR lpszFileName = NULL);

    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

// Attributes
    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class AFX_FRAMEWORK CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum {
        none, generic, readOnly, endOfFile, writeOnly, badIndex, badClass, badSchema
    };

    explicit CArchiveException(int cause = CArchiveException::none, LPCSTR lpszArchiveName = NULL)
        : m_cause(cause), m_strFileName(lpszArchiveName) {}

    BOOL GetErrorMessage(LPSTR lpszError, UINT nMaxError, PUINT pnHelpContext = NULL) override;

// Attributes
    int m_cause;
    CString m_strFileName;
};

[[noreturn]] AFX_FRAMEWORK void AFXAPI AfxThrowMemoryException();
[[noreturn]] AFX_FRAMEWORK void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] AFX_FRAMEWORK void AFXAPI AfxThrowResourceException();
[[noreturn]] AFX_FRAMEWORK void AFXAPI AfxThrowUserException();
[[noreturn]] AFX_FRAMEWORK void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1,
                                                            LPCSTR lpszFileName = NULL);
[[noreturn]] AFX_FRAMEWORK void AFXAPI AfxThrowArchiveException(int cause,
                                                               LPCSTR lpszArchiveName = NULL);
