// File names made from board names.
#include "BoardDocumentNames.h"

namespace {

const int nMaxBase = 60;

BOOL IsDeviceName(const CString& strBase)
{
    static const char* const devices[] = { "con", "prn", "aux", "nul" };
    for (const char* pszDevice : devices)
    {
        if (strBase == pszDevice)
            return TRUE;
    }
    return strBase.GetLength() == 4 && (strBase.Left(3) == "com" || strBase.Left(3) == "lpt") && strBase[3] >= '1' &&
           strBase[3] <= '9';
}

CString SafeBase(const CString& strName)
{
    CString strBase;
    for (int i = 0; i < strName.GetLength() && strBase.GetLength() < nMaxBase; ++i)
    {
        const char c = strName[i];
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
            strBase += c;
        else if (c >= 'A' && c <= 'Z')
            strBase += (char)(c - 'A' + 'a');
        else if (!strBase.IsEmpty() && strBase[strBase.GetLength() - 1] != '-')
            strBase += '-';
    }
    strBase.TrimRight('-');
    if (strBase.IsEmpty())
        return "board";
    if (IsDeviceName(strBase))
        strBase += "-board";
    return strBase;
}

} // namespace

CBoardDocumentNames::CBoardDocumentNames(const CString& strTaken)
{
    CString strLower = strTaken;
    strLower.MakeLower();
    m_taken.insert(strLower);
}

CString CBoardDocumentNames::Take(const CString& strBoardName)
{
    const CString strBase = SafeBase(strBoardName);
    CString strName = strBase + ".lmd";
    for (int n = 2; m_taken.count(strName) != 0; ++n)
        strName.Format("%s%d.lmd", (LPCSTR)strBase, n);
    m_taken.insert(strName);
    return strName;
}
