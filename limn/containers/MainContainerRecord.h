// CMainContainerRecord: what a screen document keeps ahead of its resources, the main
// container of its screen as one object record (a CWndContainer tree, or null). The
// document file is that record followed by the resource section with its trailer; the
// two file operations here read and write such a file whole.
#pragma once

#include "limn/containers/WndContainer.h"

class CHoard;

class LIMN_API CMainContainerRecord : public CObject
{
public:
    // Serialize reads into and writes from rpMain.
    explicit CMainContainerRecord(CWndContainer*& rpMain) : m_rpMain(rpMain) {}

    // Storing writes the main container; loading reads a tree, which replaces (and
    // destroys) the one rpMain named, once it was read whole.
    void Serialize(CArchive& ar) override;

    // Whether the file at pszPath is a screen document: its resource section has
    // something ahead of it. Throws CFileException when it cannot be opened.
    static BOOL IsScreenDocument(const char* pszPath);
    // Reads a screen document: its main container (returned, the caller's) and its
    // resources, which are added to hoard; its choice links are resolved (ChoiceLink.h).
    static CWndContainer* LoadFile(const char* pszPath, CHoard& hoard);
    // Writes a screen document through "TEMPSAVE.TMP" beside it, as CHoard::SaveToFile
    // does: the file changes only once it was written whole.
    static void SaveFile(const char* pszPath, CWndContainer* pMain, CHoard& hoard);

private:
    CWndContainer*& m_rpMain;
};
