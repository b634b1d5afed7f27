// CEventLog.
#include "EventLog.h"

CEventLog::~CEventLog()
{
    if (m_pFile != NULL)
        fclose(m_pFile);
}

BOOL CEventLog::Open(const char* pszPath)
{
    if (m_pFile != NULL)
        fclose(m_pFile);
    m_pFile = fopen(pszPath, "ab");
    return m_pFile != NULL;
}

void CEventLog::Write(const char* pszEvent, const char* pszName)
{
    if (m_pFile == NULL)
        return;
    CString strLine = pszEvent;
    if (pszName != NULL)
    {
        CString strName = *pszName != '\0' ? pszName : "-";
        for (int i = 0; i < strName.GetLength(); ++i)
        {
            if ((unsigned char)strName[i] < 0x20 || strName[i] == 0x7F)
                strName.SetAt(i, '?');
        }
        strLine += ' ' + strName;
    }
    strLine += '\n';
    fputs(strLine, m_pFile);
    fflush(m_pFile);
}
