// Display texts looked up by key: an application renames or translates type names
// and command labels with a text file, without rebuilding.
#pragma once

#include "hoard/hoard_api.h"

class HOARD_API CMappedString
{
public:
    // Keeps the pointer: the caller owns the key text.
    CMappedString(const char* pszKey) : m_pszKey(pszKey) {}

    // The mapped text (owned by the table, valid until its entry is replaced), or the
    // key itself when the table does not know it.
    operator const char*() const;

    // Adds every entry of a mapped-string file; throws CFileException when it cannot
    // be opened. Entries already in the table stay unless the file replaces them.
    static void Load(const char* pszPath);
    // The same from a file that is already open, read from its current position.
    static void Load(CFile& file);
    // Forgets every entry, before loading another language's file for instance.
    static void Unload() { m_stringMap.RemoveAll(); }

private:
    static void AddToMap(const char* pszKey, const char* pszText);

    const char* m_pszKey;

    static CMapStringToString m_stringMap;
};
