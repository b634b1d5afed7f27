// diblib's pictures through the Windows Imaging Component, for the native build: there
// is no imaging component here, so no picture but a bitmap file is read or written.
#include "diblib/dibapi.h"

HDIB WINAPI ReadImageFile(CFile&, int) { return NULL; }
BOOL WINAPI WriteImageFile(CFile&, HDIB, int) { return FALSE; }
