// Paths of the files a benchmark writes: in the temporary folder, named after the
// benchmark and its process, so that runs side by side keep apart.
#pragma once

#include <afx.h>

inline CString BenchTempPath(const char* pszBench, const char* pszName)
{
    char szTemp[MAX_PATH];
    GetTempPathA(MAX_PATH, szTemp);
    CString strPath;
    strPath.Format("%s%s-%lu-%s", szTemp, pszBench, GetCurrentProcessId(), pszName);
    return strPath;
}
