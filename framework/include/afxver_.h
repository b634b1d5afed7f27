// Configuration shared by every framework header: the Win32 headers, the export
// macros of the framework DLL and of extension libraries, and the diagnostic macros.
#pragma once

#include <windows.h>
#include <stddef.h>
#include <stdarg.h>
#include <string.h>
#include <stdint.h>

// The framework DLL exports its classes and data; everyone else imports them.
#if !defined(_WIN32)
  #define AFX_FRAMEWORK
#elif defined(_AFX_BUILDING_FRAMEWORK)
  #define AFX_FRAMEWORK __declspec(dllexport)
#else
  #define AFX_FRAMEWORK __declspec(dllimport)
#endif

// Classes of an extension library built with _AFXEXT are exported; users import them.
#if !defined(_WIN32)
  #define AFX_EXT_CLASS
#elif defined(_AFXEXT)
  #define AFX_EXT_CLASS __declspec(dllexport)
#else
  #define AFX_EXT_CLASS __declspec(dllimport)
#endif

#define AFXAPI
#define AFX_CDECL
#define AFX_INLINE inline
#define AFX_DATA
#define AFX_NOVTABLE
#ifndef PASCAL
  #define PASCAL
#endif

// MFC code asks objects reached through pointers that may be null for their handles
// (pParentWnd->GetSafeHwnd()). The empty asm hides where the pointer came from, so that
// the compiler cannot assume 'this' to be non-null and drop the test for it.
template <class T>
inline const T* AfxUnassumed(const T* p)
{
    __asm__("" : "+r"(p));
    return p;
}

// Checks of the programmer's preconditions; never of data from files or users.
#ifdef _DEBUG
  AFX_FRAMEWORK BOOL AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine);
  #define ASSERT(f) ((void)((f) || (AfxAssertFailedLine(__FILE__, __LINE__), 0)))
  #define VERIFY(f) ASSERT(f)
#else
  #define ASSERT(f) ((void)0)
  #define VERIFY(f) ((void)(f))
#endif
#define ASSERT_VALID(pOb) ((void)0)
#define TRACE(...) ((void)0)
#define TRACE0(sz) ((void)0)
#define UNUSED(x) ((void)(x))

// Exceptions are thrown by pointer and deleted by the catcher.
#define TRY try
#define CATCH(class_name, e) catch (class_name* e)
#define AND_CATCH(class_name, e) catch (class_name* e)
#define CATCH_ALL(e) catch (CException* e)
#define AND_CATCH_ALL(e) catch (CException* e)
#define END_CATCH
#define END_CATCH_ALL
#define THROW(e) throw e
#define THROW_LAST() throw
