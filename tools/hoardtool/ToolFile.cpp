#include "ToolFile.h"

#include "limn/containers/MainContainerRecord.h"

CToolFile::CToolFile(const char* pszPath, BOOL bMayBeMissing)
    : m_strPath(pszPath), m_bScreen(FALSE), m_pScreen(NULL)
{
    if (bMayBeMissing && GetFileAttributesA(pszPath) == INVALID_FILE_ATTRIBUTES)
        return;
    m_bScreen = IsScreenDocument(pszPath);
    if (m_bScreen)
        m_pScreen = CMainContainerRecord::LoadFile(pszPath, m_hoard);
    else
        m_hoard.LoadFromFile(pszPath);
}

CToolFile::~CToolFile() { delete m_pScreen; }

BOOL CToolFile::IsScreenDocument(const char* pszPath) { return CMainContainerRecord::IsScreenDocument(pszPath); }

void CToolFile::Save()
{
    if (m_bScreen)
        CMainContainerRecord::SaveFile(m_strPath, m_pScreen, m_hoard);
    else
        m_hoard.SaveToFile(m_strPath);
}
