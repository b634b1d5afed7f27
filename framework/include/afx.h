// The framework's core: objects and run-time classes, exceptions, strings, files
// and archives. Windows, GDI and documents are in afxwin.h, collections in
// afxcoll.h and afxtempl.h.
#pragma once

// The name MFC's own afx.h defines, which wizard-made headers test.
#ifndef __AFX_H__
  #define __AFX_H__
#endif

// First of all: it tells whether the program defined NOMINMAX itself.
#include "afxminmax_.h"

// What MFC programs take from afx.h: the generic-text mappings (_T, TCHAR, _stprintf ...,
// ANSI only), the C library's standard input and output, utilities, strings and time.
#include <tchar.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

#include "afxver_.h"
#include "afxobj_.h"
#include "afxstr.h"
#include "afxexc_.h"
#include "afxfile_.h"
#include "afxarc_.h"
#include "afxtime_.h"
