#include "ToolFile.h"
#include "ToolError.h"

#include "limn/containers/MainContainerRecord.h"

CToolFile::CToolFile(const char* pszPath, BOOL bMayBeMissing)
    : m_strPath(pszPath), m_bNew(FALSE), m_bScreen(FALSE), m_pScreen(NULL)
{
    if (bMayBeMissing && GetFileAttributesA(pszPath) == INVALID_FILE_ATTRIBUTES &&
        GetLastError() == ERROR_FILE_NOT_FOUND)
    {
        m_bNew = TRUE;
        return;
    }
    m_bScreen = CheckFile(pszPath);
    if (m_bScreen)
        m_pScreen = CMainContainerRecord::LoadFile(pszPath, m_hoard);
    else
        m_hoard.LoadFromFile(pszPath);
}

CToolFile::~CToolFile() { delete m_pScreen; }

BOOL CToolFile::CheckFile(const char* pszPath)
{
    CFile file(pszPath, CFile::modeRead | CFile::shareDenyWrite);
    CArchive ar(&file, CArchive::load);
    DWORD dwSection;
    BOOL bTrailer;
    FindResourceSection(ar, pszPath, dwSection, bTrailer);
    return dwSection != 0;
}

CString CToolFile::Unchanged() const
{
    CString strText;
    strText.Format(m_bNew ? "%s was not created" : "%s is unchanged", (LPCSTR)m_strPath);
    return strText;
}

void CToolFile::Save()
{
    try
    {
        if (m_bScreen)
            CMainContainerRecord::SaveFile(m_strPath, m_pScreen, m_hoard);
        else
            m_hoard.SaveToFile(m_strPath);
    }
    catch (CException* e)
    {
        CString strWhy = ToolExceptionText(e);
        e->Delete();
        Fail("%s; %s", (LPCSTR)strWhy, (LPCSTR)Unchanged());
    }
}

void FindResourceSection(CArchive& ar, const char* pszPath, DWORD& dwSection, BOOL& bTrailer)
{
    if (!CHoard::FindSection(ar, 0, dwSection, bTrailer))
        Fail("%s is not a resource file", pszPath);
}
