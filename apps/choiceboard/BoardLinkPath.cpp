// The folder a board link stays in.
#include "BoardLinkPath.h"

#include <windows.h>

namespace {

// A part that is only dots, other than ".", climbs or is no name at all.
BOOL IsNamePart(const CString& strPart)
{
    return !strPart.IsEmpty() && (strPart == "." || strPart.SpanIncluding(".") != strPart);
}

} // namespace

BOOL ResolveBoardLink(const CString& strBoardPath, const CString& strLink, CString* pstrPath)
{
    const int nSlash = strBoardPath.ReverseFind('\\');
    if (nSlash < 0 || strLink.IsEmpty() || strLink.Find(':') >= 0 || strLink[0] == '\\' || strLink[0] == '/')
        return FALSE;
    CString strRelative = strLink;
    strRelative.Replace('/', '\\');
    for (int nStart = 0;;)
    {
        int nEnd = strRelative.Find('\\', nStart);
        if (!IsNamePart(strRelative.Mid(nStart, (nEnd < 0 ? strRelative.GetLength() : nEnd) - nStart)))
            return FALSE;
        if (nEnd < 0)
            break;
        nStart = nEnd + 1;
    }
    // What the system makes of the path must still lie in the folder: a device's name
    // becomes a path of its own.
    const CString strFolder = strBoardPath.Left(nSlash + 1);
    char szPath[MAX_PATH];
    DWORD nLen = ::GetFullPathNameA(strFolder + strRelative, sizeof szPath, szPath, NULL);
    if (nLen == 0 || nLen >= sizeof szPath)
        return FALSE;
    CString strPath(szPath);
    if (strPath.GetLength() <= strFolder.GetLength() || strPath.Left(strFolder.GetLength()).CompareNoCase(strFolder) != 0)
        return FALSE;
    *pstrPath = strPath;
    return TRUE;
}
