// What hoard's module gives the resource code, for the native build: there is no
// string table here.
#include "hoard/runtime/HoardModule.h"

CString HoardLoadString(UINT) { return CString(); }
