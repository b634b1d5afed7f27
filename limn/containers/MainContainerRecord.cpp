// CMainContainerRecord.
#include "limn/containers/MainContainerRecord.h"
#include "limn/containers/ChoiceLink.h"
#include "limn/containers/OwnedObject.h"

#include "hoard/resources/Hoard.h"

void CMainContainerRecord::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << m_rpMain;
        return;
    }
    CWndContainer* pMain = ReadOwnedObject<CWndContainer>(ar);
    delete m_rpMain;
    m_rpMain = pMain;
}

BOOL CMainContainerRecord::IsScreenDocument(const char* pszPath)
{
    CFile file(pszPath, CFile::modeRead | CFile::shareDenyWrite);
    CArchive ar(&file, CArchive::load);
    DWORD dwSection;
    return CHoard::FindTrailer(ar, dwSection) && dwSection != 0;
}

CWndContainer* CMainContainerRecord::LoadFile(const char* pszPath, CHoard& hoard)
{
    CWndContainer* pMain = NULL;
    CMainContainerRecord record(pMain);
    try
    {
        hoard.LoadFromFile(pszPath, &record);
        CChoiceLink::ResolveAll(hoard);
    }
    catch (CException*)
    {
        delete pMain;
        throw;
    }
    return pMain;
}

void CMainContainerRecord::SaveFile(const char* pszPath, CWndContainer* pMain, CHoard& hoard)
{
    CMainContainerRecord record(pMain);
    hoard.SaveToFile(pszPath, &record);
}
