// The text of a framework exception for a tool's one line on standard error: its own
// description, or the name of its class when it has none.
#pragma once

#include <afx.h>

inline CString ExceptionText(CException* e)
{
    char szMessage[512];
    if (!e->GetErrorMessage(szMessage, sizeof szMessage))
        return e->GetRuntimeClass()->m_lpszClassName;
    return szMessage;
}
