// Dialog data exchange: CDataExchange, which CWnd::UpdateData hands to DoDataExchange,
// and the DDX_ routines (a value to or from a control) and DDV_ routines (a check of
// the value just saved) that DoDataExchange calls. A value that does not convert or
// validate is reported in a message box from the framework's string table, the control
// gets the focus, and the exchange ends with a CUserException (UpdateData is FALSE).
#pragma once

#include "afxwnd_.h"

class AFX_FRAMEWORK CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);
    CDataExchange(const CDataExchange&) = delete;
    CDataExchange& operator=(const CDataExchange&) = delete;

// Attributes
    BOOL m_bSaveAndValidate;    // TRUE: controls to values, and checks; FALSE: values to controls
    CWnd* m_pDlgWnd;

// Operations, for the DDX_ routines
    // The control nIDC, which becomes the one a failure goes back to. A missing
    // control throws CNotSupportedException.
    HWND PrepareCtrl(int nIDC);
    // ... an edit control: a failure also selects its text.
    HWND PrepareEditCtrl(int nIDC);
    // Gives the last control the focus (selecting an edit's text) and throws
    // CUserException: the user has been told already.
    [[noreturn]] void Fail();

// Implementation
    HWND m_hWndLastControl;
    BOOL m_bEditLastControl;
};

// Text of a control as a value. Numbers that do not parse, or do not fit the type,
// fail with AFX_IDP_PARSE_INT, AFX_IDP_PARSE_UINT, AFX_IDP_PARSE_BYTE or
// AFX_IDP_PARSE_REAL; white space around a number is allowed.
AFX_FRAMEWORK void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
AFX_FRAMEWORK void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value);
AFX_FRAMEWORK void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
AFX_FRAMEWORK void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
AFX_FRAMEWORK void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value);
AFX_FRAMEWORK void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value);
AFX_FRAMEWORK void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
AFX_FRAMEWORK void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value);
AFX_FRAMEWORK void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value);

// Buttons: the state of a check box (0, 1, 2); the index of the checked radio button
// of the group that starts at nIDC (WS_GROUP), -1 for none.
AFX_FRAMEWORK void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
AFX_FRAMEWORK void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);

// List and combo boxes: the selected item as text (the first item starting with the
// text, or, with ...Exact, equal to it) or as an index (-1 for none). A combo box with
// an edit field exchanges the field's text.
AFX_FRAMEWORK void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
AFX_FRAMEWORK void AFXAPI DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value);
AFX_FRAMEWORK void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
AFX_FRAMEWORK void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
AFX_FRAMEWORK void AFXAPI DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
AFX_FRAMEWORK void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);

// The position of a scroll-bar control.
AFX_FRAMEWORK void AFXAPI DDX_Scroll(CDataExchange* pDX, int nIDC, int& value);

// Binds rControl to the control nIDC (subclassing it) the first time.
AFX_FRAMEWORK void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

// Range checks of the value the last DDX_ routine saved (AFX_IDP_PARSE_INT_RANGE,
// AFX_IDP_PARSE_REAL_RANGE); nothing when loading.
AFX_FRAMEWORK void AFXAPI DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
AFX_FRAMEWORK void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
AFX_FRAMEWORK void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
AFX_FRAMEWORK void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
AFX_FRAMEWORK void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal);
AFX_FRAMEWORK void AFXAPI DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal);
AFX_FRAMEWORK void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal);
// The length of a string (AFX_IDP_PARSE_STRING_SIZE); when loading, limits the edit
// control that was exchanged last to nChars.
AFX_FRAMEWORK void AFXAPI DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars);
