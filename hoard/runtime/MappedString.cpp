// The mapped-string table and the reader of mapped-string files.
//
// A file holds one entry a line: key=value. A '|' stands for a line break, further
// '=' characters in a line are dropped, nothing is trimmed, a line that starts with
// '/' is a comment, and runs of carriage returns and line feeds separate lines.
#include "hoard/runtime/MappedString.h"

#include <string>

CMapStringToString CMappedString::m_stringMap(10);

CMappedString::operator const char*() const
{
    // The copy shares the table's character buffer, which stays alive (and so the
    // returned pointer valid) for as long as the entry is not replaced.
    CString strText;
    if (m_pszKey != NULL && m_stringMap.Lookup(m_pszKey, strText))
        return strText;
    return m_pszKey;
}

void CMappedString::AddToMap(const char* pszKey, const char* pszText)
{
    m_stringMap.SetAt(pszKey, pszText);
}

void CMappedString::Load(const char* pszPath)
{
    CFile file(pszPath, CFile::modeRead | CFile::shareDenyWrite);
    Load(file);
}

void CMappedString::Load(CFile& file)
{
    std::string strKey, strValue;     // grow without reallocating for every byte
    BOOL bInValue = FALSE;      // an '=' was seen in this line
    BOOL bLineStart = TRUE;     // the next byte starts a line
    BOOL bInComment = FALSE;

    auto endLine = [&] {
        if (bInValue)
            AddToMap(strKey.c_str(), strValue.c_str());
        strKey.clear();
        strValue.clear();
        bInValue = FALSE;
        bInComment = FALSE;
        bLineStart = TRUE;
    };

    BYTE buffer[4096];
    for (UINT nRead; (nRead = file.Read(buffer, sizeof buffer)) != 0;)
    {
        for (UINT i = 0; i < nRead; ++i)
        {
            char ch = (char)buffer[i];
            BOOL bLineEnd = ch == '\r' || ch == '\n';
            if (bLineStart)
            {
                if (bLineEnd)
                    continue;           // blank lines and the rest of a CR LF pair
                bLineStart = FALSE;
                bInComment = ch == '/';
            }
            if (bLineEnd)
                endLine();
            else if (bInComment)
                continue;
            else if (ch == '=')
                bInValue = TRUE;
            else
                (bInValue ? strValue : strKey) += ch == '|' ? '\n' : ch;
        }
    }
    if (!bLineStart)
        endLine();
}
