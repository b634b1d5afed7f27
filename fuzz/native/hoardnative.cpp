// What hoard's module and its clipboard give the resource code, for the native build:
// there is no string table here, and no clipboard to copy to.
#include "hoard/resources/Hoard.h"
#include "hoard/runtime/HoardModule.h"

CString HoardLoadString(UINT) { return CString(); }

void CHoard::OnCopyGeneric(const CResourceList&) {}
