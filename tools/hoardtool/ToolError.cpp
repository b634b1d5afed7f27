#include "ToolError.h"

#include <stdarg.h>

void Fail(const char* pszFormat, ...)
{
    ToolError error;
    va_list args;
    va_start(args, pszFormat);
    error.m_strMessage.FormatV(pszFormat, args);
    va_end(args);
    throw error;
}
