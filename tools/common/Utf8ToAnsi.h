// Text of boards (UTF-8) in the system's ANSI code page, which documents and resource
// names use.
#pragma once

#include <afx.h>

#include <string_view>

// The text in the ANSI code page (CP_ACP), each character that the code page lacks as
// "?" and counted in nMissing, which this adds to. Characters are never replaced by
// look-alikes ("best fit"): a missing one always shows as "?". Bytes that are not UTF-8
// count as one missing character each. Control characters (line breaks, NUL) become
// spaces.
CString Utf8ToAnsi(std::string_view text, int& nMissing);
