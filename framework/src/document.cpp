// CDocument: the modified flag.
#include "afxwin.h"

IMPLEMENT_DYNAMIC(CDocument, CObject)
