// CWinApp's profile: integers and strings in the private profile file
// m_pszProfileName, and the standard settings kept there (the recent-file list).
#include "afxwin.h"
#include "afxpriv.h"

namespace {

const char szFileSection[] = "Recent File List";
const char szFileEntry[] = "File%d";

} // namespace

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (m_pszProfileName == NULL)
        return (UINT)nDefault;
    return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    CString strValue;
    strValue.Format("%d", nValue);
    return WriteProfileString(lpszSection, lpszEntry, strValue);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    if (lpszDefault == NULL)
        lpszDefault = "";
    if (m_pszProfileName == NULL)
        return lpszDefault;
    // The system cuts a value that does not fit, two characters short of the buffer:
    // read again with more room until it fits.
    CString strValue;
    for (DWORD nSize = 256;; nSize *= 2)
    {
        DWORD nLen = ::GetPrivateProfileStringA(lpszSection, lpszEntry, lpszDefault, strValue.GetBuffer((int)nSize),
                                                nSize, m_pszProfileName);
        strValue.ReleaseBuffer(nLen < nSize ? (int)nLen : (int)nSize - 1);
        if (nLen < nSize - 2 || nSize >= 0x100000)
            return strValue;
    }
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (m_pszProfileName == NULL)
        return FALSE;
    return ::WritePrivateProfileStringA(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    delete m_pRecentFileList;
    m_pRecentFileList = NULL;
    if (nMaxMRU > _AFX_MRU_MAX_COUNT)
        nMaxMRU = _AFX_MRU_MAX_COUNT;
    if (nMaxMRU == 0)
        return;
    m_pRecentFileList = new CRecentFileList(0, szFileSection, szFileEntry, (int)nMaxMRU);
    m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList != NULL)
        m_pRecentFileList->WriteList();
}
