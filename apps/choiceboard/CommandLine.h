// CBoardCommandLine: what the board was asked for on its command line,
//
//   choiceboard [DOC...] [--log FILE] [--protect]
//
// the documents to open, in order, the log to append to, and whether to start in menu
// protection. Options and documents may come in any order.
#pragma once

#include <afx.h>

#include <vector>

class CBoardCommandLine
{
public:
    // FALSE for an argument it does not understand: an unknown option, or --log
    // without a file (another option after it is none).
    BOOL Parse(const std::vector<CString>& args);

    std::vector<CString> m_docs;
    CString m_strLog;           // empty: no log
    BOOL m_bProtect = FALSE;
};
