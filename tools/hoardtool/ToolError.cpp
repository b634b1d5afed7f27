#include "ToolError.h"
#include "ExceptionText.h"

#include <stdarg.h>

void Fail(const char* pszFormat, ...)
{
    ToolError error;
    va_list args;
    va_start(args, pszFormat);
    error.m_strMessage.FormatV(pszFormat, args);
    va_end(args);
    throw error;
}

namespace {

BOOL IsFolder(const char* pszPath)
{
    DWORD dwAttributes = GetFileAttributesA(pszPath);
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// What the framework calls denied access or a bad path, when it is a folder in the
// place of a file or a folder that is not there.
CString FileText(const CFileException& e)
{
    CString strText;
    const CString& strPath = e.m_strFileName;
    int nFolder = strPath.ReverseFind('\\');
    if (strPath.IsEmpty())
        return strText;
    if (IsFolder(strPath))
        strText.Format("%s is a folder, not a file", (LPCSTR)strPath);
    else if ((e.m_cause == CFileException::badPath || e.m_cause == CFileException::fileNotFound) && nFolder > 0 &&
             !IsFolder(strPath.Left(nFolder)))
        strText.Format("the folder of %s does not exist", (LPCSTR)strPath);
    return strText;
}

} // namespace

CString ToolExceptionText(CException* e)
{
    CString strText;
    if (auto* pFileException = DYNAMIC_DOWNCAST(CFileException, e))
        strText = FileText(*pFileException);
    if (strText.IsEmpty())
    {
        strText = ExceptionText(e);
        strText.TrimRight('.');
    }
    return strText;
}
