// The framework's core: objects and run-time classes, exceptions, strings, files
// and archives. Windows, GDI and documents are in afxwin.h, collections in
// afxcoll.h and afxtempl.h.
#pragma once

#include "afxver_.h"
#include "afxobj_.h"
#include "afxstr.h"
#include "afxexc_.h"
#include "afxfile_.h"
#include "afxarc_.h"
#include "afxtime_.h"
