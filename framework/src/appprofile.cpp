// CWinApp's profile: integers and strings in the private profile file
// m_pszProfileName or, after SetRegistryKey, in the registry under
// HKEY_CURRENT_USER\Software\<key>\<application>; and the standard settings kept there
// (the recent-file list).
#include "afxwin.h"
#include "afxpriv.h"

namespace {

const char szFileSection[] = "Recent File List";
const char szFileEntry[] = "File%d";

// Software\<key>\<application>, with \<lpszSection> unless NULL: the key of the
// profile (or of its section) under HKEY_CURRENT_USER; empty without a registry key,
// and for an empty section name, which would name the application's key itself.
CString ProfileKeyPath(const CWinApp* pApp, LPCTSTR lpszSection)
{
    if (pApp->m_pszRegistryKey == NULL || pApp->m_pszAppName == NULL
        || (lpszSection != NULL && *lpszSection == '\0'))
        return CString();
    CString strPath = CString("Software\\") + pApp->m_pszRegistryKey + "\\" + pApp->m_pszAppName;
    if (lpszSection != NULL)
        strPath += CString("\\") + lpszSection;
    return strPath;
}

// HKEY_CURRENT_USER's subkey strPath, made when missing (bCreate) or opened for
// reading; NULL when it cannot be, or for an empty path.
HKEY OpenUserKey(const CString& strPath, BOOL bCreate)
{
    if (strPath.IsEmpty())
        return NULL;
    HKEY hKey = NULL;
    LONG lResult = bCreate ? ::RegCreateKeyExA(HKEY_CURRENT_USER, strPath, 0, NULL, REG_OPTION_NON_VOLATILE,
                                               KEY_READ | KEY_WRITE, NULL, &hKey, NULL)
                           : ::RegOpenKeyExA(HKEY_CURRENT_USER, strPath, 0, KEY_READ, &hKey);
    return lResult == ERROR_SUCCESS ? hKey : NULL;
}

// Closes the key it holds when it goes.
class CHeldKey
{
public:
    explicit CHeldKey(HKEY hKey) : m_hKey(hKey) {}
    ~CHeldKey()
    {
        if (m_hKey != NULL)
            ::RegCloseKey(m_hKey);
    }
    CHeldKey(const CHeldKey&) = delete;
    CHeldKey& operator=(const CHeldKey&) = delete;
    operator HKEY() const { return m_hKey; }

private:
    HKEY m_hKey;
};

// The string value lpszEntry of hKey into strValue; FALSE when it is missing or not a
// string. The value need not end in a null, and may grow between asking for its size
// and reading it.
BOOL QueryString(HKEY hKey, LPCTSTR lpszEntry, CString& strValue)
{
    for (;;)
    {
        DWORD dwType = 0, cbData = 0;
        if (::RegQueryValueExA(hKey, lpszEntry, NULL, &dwType, NULL, &cbData) != ERROR_SUCCESS || dwType != REG_SZ
            || cbData >= 0x10000000)
            return FALSE;
        LPTSTR pszBuffer = strValue.GetBuffer((int)cbData + 1);
        LONG lResult = ::RegQueryValueExA(hKey, lpszEntry, NULL, &dwType, (LPBYTE)pszBuffer, &cbData);
        if (lResult != ERROR_SUCCESS || dwType != REG_SZ)
        {
            strValue.ReleaseBuffer(0);
            if (lResult == ERROR_MORE_DATA)
                continue;
            return FALSE;
        }
        pszBuffer[cbData] = '\0';
        strValue.ReleaseBuffer();
        return TRUE;
    }
}

// WriteProfileString in the registry: a NULL lpszEntry removes the section's key with
// all it holds, a NULL lpszValue the value; removing what is not there succeeds.
BOOL WriteRegistryString(CWinApp* pApp, LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    ASSERT(lpszSection != NULL);
    const CString strSectionPath = lpszSection != NULL ? ProfileKeyPath(pApp, lpszSection) : CString();
    // Never an empty path: that would name HKEY_CURRENT_USER itself.
    if (strSectionPath.IsEmpty())
        return FALSE;
    if (lpszEntry == NULL || lpszValue == NULL)
    {
        LONG lResult = lpszEntry == NULL ? ::RegDeleteTreeA(HKEY_CURRENT_USER, strSectionPath)
                                         : ::RegDeleteKeyValueA(HKEY_CURRENT_USER, strSectionPath, lpszEntry);
        return lResult == ERROR_SUCCESS || lResult == ERROR_FILE_NOT_FOUND;
    }
    CHeldKey key(OpenUserKey(strSectionPath, TRUE));
    return key != NULL
           && ::RegSetValueExA(key, lpszEntry, 0, REG_SZ, (const BYTE*)lpszValue, (DWORD)strlen(lpszValue) + 1)
                  == ERROR_SUCCESS;
}

} // namespace

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    ASSERT(lpszRegistryKey != NULL && *lpszRegistryKey != '\0');
    if (lpszRegistryKey == NULL || *lpszRegistryKey == '\0')
        return;
    LPCTSTR pszKey = _strdup(lpszRegistryKey);
    if (pszKey == NULL)
        return;
    free((void*)m_pszRegistryKey);
    m_pszRegistryKey = pszKey;
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString strKey;
    if (strKey.LoadString(nIDRegistryKey))
        SetRegistryKey(strKey);
}

HKEY CWinApp::GetAppRegistryKey() { return OpenUserKey(ProfileKeyPath(this, NULL), TRUE); }

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    ASSERT(lpszSection != NULL);
    return lpszSection != NULL ? OpenUserKey(ProfileKeyPath(this, lpszSection), TRUE) : NULL;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    if (m_pszRegistryKey != NULL)
    {
        CHeldKey key(OpenUserKey(ProfileKeyPath(this, lpszSection), FALSE));
        DWORD dwValue = 0, dwType = 0, cbData = sizeof dwValue;
        if (key == NULL
            || ::RegQueryValueExA(key, lpszEntry, NULL, &dwType, (LPBYTE)&dwValue, &cbData) != ERROR_SUCCESS
            || dwType != REG_DWORD || cbData != sizeof dwValue)
            return (UINT)nDefault;
        return dwValue;
    }
    if (m_pszProfileName == NULL)
        return (UINT)nDefault;
    return ::GetPrivateProfileIntA(lpszSection, lpszEntry, nDefault, m_pszProfileName);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    if (m_pszRegistryKey != NULL)
    {
        ASSERT(lpszEntry != NULL);
        CHeldKey key(GetSectionKey(lpszSection));
        DWORD dwValue = (DWORD)nValue;
        return key != NULL && lpszEntry != NULL
               && ::RegSetValueExA(key, lpszEntry, 0, REG_DWORD, (const BYTE*)&dwValue, sizeof dwValue)
                      == ERROR_SUCCESS;
    }
    CString strValue;
    strValue.Format("%d", nValue);
    return WriteProfileString(lpszSection, lpszEntry, strValue);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    if (lpszDefault == NULL)
        lpszDefault = "";
    if (m_pszRegistryKey != NULL)
    {
        CHeldKey key(OpenUserKey(ProfileKeyPath(this, lpszSection), FALSE));
        CString strValue;
        return key != NULL && QueryString(key, lpszEntry, strValue) ? strValue : CString(lpszDefault);
    }
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
    if (m_pszRegistryKey != NULL)
        return WriteRegistryString(this, lpszSection, lpszEntry, lpszValue);
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
