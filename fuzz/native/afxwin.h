// The native build's stand-in for the framework's <afxwin.h>: there are no windows,
// GDI or documents here, only the core and the collections that the fuzzed sources use.
#pragma once

#include "afx.h"
#include "afxcoll.h"
