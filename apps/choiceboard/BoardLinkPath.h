// Where a board link may lead: a file in the folder of the board that links to it, or
// in a folder below it, named relative to that folder.
#pragma once

#include <afx.h>

// The file that strLink names relative to the folder of the board file strBoardPath (a
// full path), in *pstrPath as a full path; FALSE when strLink does not name a file in
// that folder or a folder below it: empty, absolute, with a drive, a stream (':'), a
// part that is empty or only dots (other than "."), or a device's name.
BOOL ResolveBoardLink(const CString& strBoardPath, const CString& strLink, CString* pstrPath);
