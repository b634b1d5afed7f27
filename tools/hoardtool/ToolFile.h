// A file as hoardtool opens it: a resource file, or a screen document, whose main
// container tree stands ahead of the resource section. The section's records are
// numbered on from the tree's, so a screen document's resources are read after its tree;
// saving writes the tree back in front of them.
#pragma once

#include "hoard/resources/Hoard.h"

class CWndContainer;

class CToolFile
{
public:
    // Reads the file whole; bMayBeMissing lets a file that does not exist be a new,
    // empty resource file.
    explicit CToolFile(const char* pszPath, BOOL bMayBeMissing = FALSE);
    ~CToolFile();
    CToolFile(const CToolFile&) = delete;
    CToolFile& operator=(const CToolFile&) = delete;

    // Whether the section of the file at pszPath has something ahead of it: the main
    // container of a screen document.
    static BOOL IsScreenDocument(const char* pszPath);

    // Writes the file back through "TEMPSAVE.TMP" beside it.
    void Save();

    CHoard m_hoard;

private:
    CString m_strPath;
    BOOL m_bScreen;
    CWndContainer* m_pScreen;   // owned; NULL in a resource file
};
