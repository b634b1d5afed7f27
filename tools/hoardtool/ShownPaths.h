// The paths of hoardtool's messages as the user spelled them. A script that runs the
// tool on another system's paths (scripts/hoardtool under Wine) converts them first
// and tells the tool each pair; every message the tool prints then names the user's
// spelling, for the paths given and for files the tool makes beside them.
#pragma once

#include <afx.h>

// pszPath, as the tool is given it, is to be shown as pszShown.
void AddShownPath(const char* pszPath, const char* pszShown);

// The text with every path given to AddShownPath replaced by its spelling, and every
// file directly inside the folder of one of them named in that folder's spelling.
CString InUserTerms(const char* pszText);
