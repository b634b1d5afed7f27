// The Windows side of the framework: command targets and message maps, windows and
// their GDI, menus, the standard controls, dialogs and their data exchange, frames, the
// application and its thread, documents, views, document templates, the multiple-
// document frames, printing (afxprint_.h), message boxes, the wait cursor and the
// extension-library registration.
#pragma once

// The name MFC's own afxwin.h defines: wizard-made headers test it to ask for afxwin.h
// before themselves.
#ifndef __AFXWIN_H__
  #define __AFXWIN_H__
#endif

#include "afx.h"
#include "afxcoll.h"
#include "afxdll_.h"
#include "afxgdi_.h"
#include "afxcmdtarget_.h"
#include "afxmenu_.h"
#include "afxwnd_.h"
#include "afxctrl_.h"
#include "afxdialog_.h"
#include "afxframe_.h"
#include "afxthread_.h"
#include "afxdoc_.h"
#include "afxview_.h"
#include "afxscrollview_.h"
#include "afxctrlview_.h"
#include "afxdoctempl_.h"
#include "afxmdi_.h"
#include "afxprint_.h"
#include "afxmsg_.h"

// Shows the hourglass for the lifetime of the object and then restores the cursor.
class AFX_FRAMEWORK CWaitCursor
{
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    // Shows the hourglass again, after a message box took the cursor away.
    void Restore();

private:
    HCURSOR m_hcurPrev;
};

// A message box owned by the active window, titled with the application's name; with
// an application object, through its DoMessageBox.
AFX_FRAMEWORK int AFXAPI AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
AFX_FRAMEWORK int AFXAPI AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = (UINT)-1);

// Prompts with arguments: a string resource of the chain with %1 (and %2) replaced.
AFX_FRAMEWORK void AFXAPI AfxFormatString1(CString& rString, UINT nIDS, LPCTSTR lpsz1);
AFX_FRAMEWORK void AFXAPI AfxFormatString2(CString& rString, UINT nIDS, LPCTSTR lpsz1, LPCTSTR lpsz2);
// The iSubString-th field of lpszFullString, the fields separated by chSep; FALSE, with
// rString empty, when there are fewer.
AFX_FRAMEWORK BOOL AFXAPI AfxExtractSubString(CString& rString, LPCTSTR lpszFullString, int iSubString,
                                              TCHAR chSep = '\n');
// lpszFormat with each %1 ... %9 replaced by rglpsz[0] ... rglpsz[8]; one beyond
// nString is left out.
AFX_FRAMEWORK void AFXAPI AfxFormatStrings(CString& rString, LPCTSTR lpszFormat, LPCTSTR const* rglpsz, int nString);
