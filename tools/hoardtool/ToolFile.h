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
    // empty resource file. A file that is neither a resource file nor a screen
    // document fails before anything is read.
    explicit CToolFile(const char* pszPath, BOOL bMayBeMissing = FALSE);
    ~CToolFile();
    CToolFile(const CToolFile&) = delete;
    CToolFile& operator=(const CToolFile&) = delete;

    // Fails, naming the file, unless the file at pszPath is a resource file or a
    // screen document; TRUE for a screen document (its section has something ahead
    // of it).
    static BOOL CheckFile(const char* pszPath);

    // What a command that fails before saving says of the file: that it is unchanged,
    // or, for a file that did not exist, that it was not created.
    CString Unchanged() const;

    // Writes the file back through "TEMPSAVE.TMP" beside it. A failure says what went
    // wrong and that the file is unchanged.
    void Save();

    CHoard m_hoard;

private:
    CString m_strPath;
    BOOL m_bNew;
    BOOL m_bScreen;
    CWndContainer* m_pScreen;   // owned; NULL in a resource file
};

// Finds the resource section of the file that ar reads, as a reader at its start would,
// and fails naming pszPath when the file holds none.
void FindResourceSection(CArchive& ar, const char* pszPath, DWORD& dwSection, BOOL& bTrailer);
