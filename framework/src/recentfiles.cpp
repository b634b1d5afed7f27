// CRecentFileList: the recent files of the File menu, their place in the profile, and
// their names in the menu, shortened to fit.
#include "afxwin.h"
#include "afxpriv.h"

namespace {

// The length of the folder part of a path, its last backslash included.
int FolderLength(const CString& strPath)
{
    int nSlash = strPath.ReverseFind('\\');
    int nForward = strPath.ReverseFind('/');
    return (nSlash > nForward ? nSlash : nForward) + 1;
}

// The profile entry of place nIndex: the format with the place counted from 1.
CString EntryName(const CString& strFormat, int nIndex)
{
    CString strEntry;
    strEntry.Format(strFormat, nIndex + 1);
    return strEntry;
}

// The full path, or the name as given when the system cannot complete it.
CString FullPath(LPCTSTR lpszPathName)
{
    char szFull[MAX_PATH];
    DWORD nLen = ::GetFullPathNameA(lpszPathName, sizeof szFull, szFull, NULL);
    return nLen == 0 || nLen >= sizeof szFull ? CString(lpszPathName) : CString(szFull);
}

// Shortens the full path strPath to nMax characters: "C:\first\...\last\name.ext",
// keeping the drive with its first folder (or the "\\server\share" of a network
// path), and as many of the last folders as fit. When not even "<volume>\first\...\name" fits, the name
// alone, or nothing without bAtLeastName when the name itself is too long.
CString AbbreviatePath(const CString& strPath, int nMax, BOOL bAtLeastName)
{
    int nLen = strPath.GetLength();
    if (nLen <= nMax)
        return strPath;
    CString strName = strPath.Mid(FolderLength(strPath));
    if (strName.GetLength() > nMax)
        return bAtLeastName ? strName : CString();

    // The end of the kept head: after the share of a network path, after the first
    // folder below the drive of any other.
    int nHead;
    if (strPath.Left(2) == "\\\\")
    {
        nHead = strPath.Find('\\', 2);
        nHead = nHead < 0 ? -1 : strPath.Find('\\', nHead + 1);
    }
    else
    {
        nHead = strPath.Find('\\', 3);
    }
    // Only the name after the head: nothing to leave out.
    int nNameStart = nLen - strName.GetLength();
    if (nHead < 0 || nHead + 1 >= nNameStart || nHead + 4 + 1 + strName.GetLength() > nMax)
        return strName;

    // The tail starts at a backslash: the last folders that fit after "\...".
    int nTail = nHead;
    while (nHead + 4 + (nLen - nTail) > nMax)
        nTail = strPath.Find('\\', nTail + 1);
    return strPath.Left(nHead) + "\\..." + strPath.Mid(nTail);
}

} // namespace

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                                 int nMaxDispLen)
    : m_nSize(nSize > 0 ? nSize : 1), m_arrNames(new CString[m_nSize]), m_strSectionName(lpszSection),
      m_strEntryFormat(lpszEntryFormat), m_nStart(nStart), m_nMaxDisplayLength(nMaxDispLen)
{
}

CRecentFileList::~CRecentFileList() { delete[] m_arrNames; }

CString& CRecentFileList::operator[](int nIndex)
{
    ASSERT(nIndex >= 0 && nIndex < m_nSize);
    return m_arrNames[nIndex];
}

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    CString strPath = FullPath(lpszPathName);
    // Where it is already, or the last place, which drops out.
    int nPlace = 0;
    while (nPlace < m_nSize - 1 && m_arrNames[nPlace].CompareNoCase(strPath) != 0)
        nPlace++;
    for (; nPlace > 0; nPlace--)
        m_arrNames[nPlace] = m_arrNames[nPlace - 1];
    m_arrNames[0] = strPath;
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex < 0 || nIndex >= m_nSize)
        return;
    for (int i = nIndex; i < m_nSize - 1; i++)
        m_arrNames[i] = m_arrNames[i + 1];
    m_arrNames[m_nSize - 1].Empty();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const
{
    if (nIndex < 0 || nIndex >= m_nSize || m_arrNames[nIndex].IsEmpty())
        return FALSE;
    const CString& strPath = m_arrNames[nIndex];
    int nFolder = FolderLength(strPath);
    if (lpszCurDir != NULL && nFolder == nCurDir && strPath.Left(nFolder).CompareNoCase(lpszCurDir) == 0)
        strName = strPath.Mid(nFolder);
    else if (m_nMaxDisplayLength >= 0)
        strName = AbbreviatePath(strPath, m_nMaxDisplayLength, bAtLeastName);
    else
        strName = strPath;
    return TRUE;
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    CMenu* pMenu = pCmdUI->m_pMenu;
    if (m_strOriginal.IsEmpty() && pMenu != NULL)
        pMenu->GetMenuString(pCmdUI->m_nID, m_strOriginal, MF_BYCOMMAND);

    if (m_arrNames[0].IsEmpty())
    {
        // No files: the item as it was, disabled.
        if (!m_strOriginal.IsEmpty())
            pCmdUI->SetText(m_strOriginal);
        pCmdUI->Enable(FALSE);
        return;
    }
    if (pMenu == NULL)
        return;

    // The items of the last update go; the files take the item's place.
    UINT nFirstID = pCmdUI->m_nID;
    for (int i = 0; i < m_nSize; i++)
        pMenu->DeleteMenu(nFirstID + i, MF_BYCOMMAND);

    char szCurDir[MAX_PATH + 1];
    DWORD nCurDir = ::GetCurrentDirectoryA(MAX_PATH, szCurDir);
    if (nCurDir == 0 || nCurDir >= MAX_PATH)
        nCurDir = 0;
    else if (szCurDir[nCurDir - 1] != '\\')
        szCurDir[nCurDir++] = '\\';
    szCurDir[nCurDir] = '\0';

    UINT nIndex = pCmdUI->m_nIndex;
    CString strName;
    for (int i = 0; i < m_nSize && GetDisplayName(strName, i, szCurDir, (int)nCurDir); i++)
    {
        // An ampersand of the name is shown, not taken as a mnemonic.
        CString strItem;
        strItem.Format("&%u ", (i + 1 + m_nStart) % 10);
        for (int ch = 0; ch < strName.GetLength(); ch++)
        {
            if (strName[ch] == '&')
                strItem += '&';
            strItem += strName[ch];
        }
        pMenu->InsertMenu(nIndex + i, MF_STRING | MF_BYPOSITION, nFirstID + i, strItem);
        // The update goes on after the last file.
        pCmdUI->m_nIndex = nIndex + i;
        pCmdUI->m_nID = nFirstID + i;
    }
    pCmdUI->m_nIndexMax = pMenu->GetMenuItemCount();
    pCmdUI->m_bEnableChanged = TRUE;
}

void CRecentFileList::ReadList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    for (int i = 0; i < m_nSize; i++)
        m_arrNames[i] = pApp->GetProfileString(m_strSectionName, EntryName(m_strEntryFormat, i));
}

void CRecentFileList::WriteList()
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == NULL)
        return;
    // Places without a file lose their entry: a removed file does not come back.
    for (int i = 0; i < m_nSize; i++)
        pApp->WriteProfileString(m_strSectionName, EntryName(m_strEntryFormat, i),
                                 m_arrNames[i].IsEmpty() ? NULL : (LPCTSTR)m_arrNames[i]);
}
