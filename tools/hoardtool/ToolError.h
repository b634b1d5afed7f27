// The one way hoardtool reports a failure: a line of text that main prints on standard
// error before it exits with status 1.
#pragma once

#include <afx.h>

struct ToolError
{
    CString m_strMessage;
};

// Throws a ToolError with the formatted text.
[[noreturn]] void Fail(const char* pszFormat, ...);

// A framework exception as the tool's text, without a closing full stop: a file that
// is a folder, or whose folder does not exist, is said to be so; anything else gives
// the exception's own description.
CString ToolExceptionText(CException* e);
