// The file names of the documents that boards of a package are imported into, beside
// the first board's document: each made from its board's name, safe in any folder, and
// numbered where two boards would share one.
#pragma once

#include <afx.h>

#include <set>

class CBoardDocumentNames
{
public:
    // strTaken: the file name that no board may get (the first board's own).
    explicit CBoardDocumentNames(const CString& strTaken);

    // A new file name for the board named strBoardName: its ASCII letters and digits in
    // lower case, every run of other characters one '-', at most 60 characters, "board"
    // when nothing is left, a device name (CON, NUL, COM1, ...) followed by "-board";
    // numbered from 2 ("food2.lmd") when the name is taken; ".lmd" at the end.
    CString Take(const CString& strBoardName);

private:
    std::set<CString> m_taken; // lower case
};
