// The native build's stand-in for the C runtime's <tchar.h>: the generic-text mappings
// of an ANSI build.
#pragma once

#include <stdio.h>
#include <string.h>

typedef char _TCHAR;
#define _T(x) x
#define _TEXT(x) x
#define _stprintf sprintf
#define _tcslen strlen
#define _tcscpy strcpy
#define _tcscmp strcmp
