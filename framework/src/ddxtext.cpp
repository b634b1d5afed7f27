// Dialog data exchange of texts and numbers (DDX_Text) and the checks of saved values
// (DDV_): parsing that accepts exactly one number of the type, and the framework's
// prompts when it does not.
#include "afxwin.h"
#include "windowtext.h"

#include <float.h>
#include <limits.h>
#include <math.h>
#include <stdlib.h>

namespace {

BOOL IsSpace(char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }

// An integer between minVal and maxVal, alone in psz but for white space around it:
// an optional sign and at least one digit.
BOOL ParseInteger(LPCSTR psz, LONGLONG minVal, LONGLONG maxVal, LONGLONG& result)
{
    while (IsSpace(*psz))
        psz++;
    BOOL bNegative = *psz == '-';
    if (*psz == '-' || *psz == '+')
        psz++;
    if (*psz < '0' || *psz > '9')
        return FALSE;
    // Magnitudes beyond any type's range stop the parse before they overflow.
    ULONGLONG nMagnitude = 0;
    for (; *psz >= '0' && *psz <= '9'; psz++)
    {
        ULONGLONG nDigit = (ULONGLONG)(*psz - '0');
        if (nMagnitude > ((ULONGLONG)LLONG_MAX - nDigit) / 10)
            return FALSE;
        nMagnitude = nMagnitude * 10 + nDigit;
    }
    while (IsSpace(*psz))
        psz++;
    if (*psz != '\0')
        return FALSE;
    LONGLONG n = bNegative ? -(LONGLONG)nMagnitude : (LONGLONG)nMagnitude;
    if (n < minVal || n > maxVal)
        return FALSE;
    result = n;
    return TRUE;
}

// A finite number no larger in size than maxAbs, alone in psz but for white space.
BOOL ParseReal(LPCSTR psz, double maxAbs, double& result)
{
    while (IsSpace(*psz))
        psz++;
    if (*psz == '\0')
        return FALSE;
    char* pszEnd;
    double d = strtod(psz, &pszEnd);
    while (IsSpace(*pszEnd))
        pszEnd++;
    if (*pszEnd != '\0' || !isfinite(d) || fabs(d) > maxAbs)
        return FALSE;
    result = d;
    return TRUE;
}

// Tells the user and goes back to the control.
[[noreturn]] void FailWith(CDataExchange* pDX, UINT nIDPrompt)
{
    AfxMessageBox(nIDPrompt);
    pDX->Fail();
}

// The integer in control nIDC when saving (nIDPrompt when it is not one between minVal
// and maxVal), else value, which the control then shows.
LONGLONG ExchangeInteger(CDataExchange* pDX, int nIDC, LONGLONG value, LONGLONG minVal, LONGLONG maxVal,
                         UINT nIDPrompt)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    CString strText;
    if (pDX->m_bSaveAndValidate)
    {
        AfxGetWindowText(hWndCtrl, strText);
        if (!ParseInteger(strText, minVal, maxVal, value))
            FailWith(pDX, nIDPrompt);
    }
    else
    {
        strText.Format("%lld", value);
        AfxSetWindowText(hWndCtrl, strText);
    }
    return value;
}

// The same for numbers with a fraction, shown with nDigits significant digits.
double ExchangeReal(CDataExchange* pDX, int nIDC, double value, int nDigits, double maxAbs)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    CString strText;
    if (pDX->m_bSaveAndValidate)
    {
        AfxGetWindowText(hWndCtrl, strText);
        if (!ParseReal(strText, maxAbs, value))
            FailWith(pDX, AFX_IDP_PARSE_REAL);
    }
    else
    {
        strText.Format("%.*g", nDigits, value);
        AfxSetWindowText(hWndCtrl, strText);
    }
    return value;
}

// A saved value outside its range: the prompt names the range. Values loaded out of
// range are shown as they are.
void FailRange(CDataExchange* pDX, UINT nIDPrompt, LPCSTR pszMin, LPCSTR pszMax)
{
    if (!pDX->m_bSaveAndValidate)
        return;
    CString strPrompt;
    AfxFormatString2(strPrompt, nIDPrompt, pszMin, pszMax);
    AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, nIDPrompt);
    pDX->Fail();
}

void CheckIntegerRange(CDataExchange* pDX, LONGLONG value, LONGLONG minVal, LONGLONG maxVal)
{
    if (value >= minVal && value <= maxVal)
        return;
    CString strMin;
    CString strMax;
    strMin.Format("%lld", minVal);
    strMax.Format("%lld", maxVal);
    FailRange(pDX, AFX_IDP_PARSE_INT_RANGE, strMin, strMax);
}

void CheckRealRange(CDataExchange* pDX, double value, double minVal, double maxVal, int nDigits)
{
    if (value >= minVal && value <= maxVal)
        return;
    CString strMin;
    CString strMax;
    strMin.Format("%.*g", nDigits, minVal);
    strMax.Format("%.*g", nDigits, maxVal);
    FailRange(pDX, AFX_IDP_PARSE_REAL_RANGE, strMin, strMax);
}

} // namespace

// DDX_Text

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value)
{
    value = (BYTE)ExchangeInteger(pDX, nIDC, value, 0, UCHAR_MAX, AFX_IDP_PARSE_BYTE);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value)
{
    value = (short)ExchangeInteger(pDX, nIDC, value, SHRT_MIN, SHRT_MAX, AFX_IDP_PARSE_INT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    value = (int)ExchangeInteger(pDX, nIDC, value, INT_MIN, INT_MAX, AFX_IDP_PARSE_INT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    value = (UINT)ExchangeInteger(pDX, nIDC, value, 0, UINT_MAX, AFX_IDP_PARSE_UINT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    value = (long)ExchangeInteger(pDX, nIDC, value, LONG_MIN, LONG_MAX, AFX_IDP_PARSE_INT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    value = (DWORD)ExchangeInteger(pDX, nIDC, value, 0, ULONG_MAX, AFX_IDP_PARSE_UINT);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        AfxGetWindowText(hWndCtrl, value);
    else
        AfxSetWindowText(hWndCtrl, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value)
{
    value = (float)ExchangeReal(pDX, nIDC, value, FLT_DIG, FLT_MAX);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    value = ExchangeReal(pDX, nIDC, value, DBL_DIG, DBL_MAX);
}

// DDV_

void AFXAPI DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal)
{
    CheckIntegerRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    CheckIntegerRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    CheckIntegerRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    CheckIntegerRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal)
{
    CheckIntegerRange(pDX, value, minVal, maxVal);
}

void AFXAPI DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal)
{
    CheckRealRange(pDX, value, minVal, maxVal, FLT_DIG);
}

void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal)
{
    CheckRealRange(pDX, value, minVal, maxVal, DBL_DIG);
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars)
{
    if (!pDX->m_bSaveAndValidate)
    {
        // The edit control takes no more than that from the user.
        if (pDX->m_hWndLastControl != NULL && pDX->m_bEditLastControl)
            ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, nChars, 0);
        return;
    }
    if (value.GetLength() <= nChars)
        return;
    CString strChars;
    strChars.Format("%d", nChars);
    CString strPrompt;
    AfxFormatString1(strPrompt, AFX_IDP_PARSE_STRING_SIZE, strChars);
    AfxMessageBox(strPrompt, MB_ICONEXCLAMATION, AFX_IDP_PARSE_STRING_SIZE);
    pDX->Fail();
}
