// CToolTipCtrl: a tool tip control ("tooltips_class32"), a pop-up window that shows a
// tool's text when the mouse rests over the tool. A tool is a window (nIDTool 0) or a
// rectangle of a window with an id of its own. The tip sees the mouse only through
// RelayEvent, which the owner calls from PreTranslateMessage. A text of
// LPSTR_TEXTCALLBACK is asked with TTN_NEEDTEXT each time, of the window that holds the
// tool: the window given, or the parent of a tool that is a window.
#pragma once

#include "afxwin.h"

#include <commctrl.h>

class AFX_FRAMEWORK CToolTipCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    CToolTipCtrl() = default;
    // A pop-up owned by pParentWnd; dwStyle may add TTS_ALWAYSTIP and TTS_NOPREFIX.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

// Attributes
    // Empty when the tool is not there.
    void GetText(CString& str, CWnd* pWnd, UINT nIDTool = 0) const;
    // Fills lpToolInfo (its text excluded) for the tool; FALSE when it is not there.
    BOOL GetToolInfo(LPTOOLINFO lpToolInfo, CWnd* pWnd, UINT nIDTool = 0) const;
    void SetToolInfo(LPTOOLINFO lpToolInfo) { ::SendMessage(m_hWnd, TTM_SETTOOLINFO, 0, (LPARAM)lpToolInfo); }
    // The tool's rectangle, in the client coordinates of pWnd.
    void SetToolRect(CWnd* pWnd, UINT nIDTool, LPCRECT lpRect);
    int GetToolCount() const { return (int)::SendMessage(m_hWnd, TTM_GETTOOLCOUNT, 0, 0); }
    // nDelay milliseconds before the tip shows (TTDT_INITIAL).
    void SetDelayTime(UINT nDelay) { ::SendMessage(m_hWnd, TTM_SETDELAYTIME, TTDT_INITIAL, nDelay); }

// Operations
    // An inactive control shows no tips.
    void Activate(BOOL bActivate) { ::SendMessage(m_hWnd, TTM_ACTIVATE, bActivate, 0); }
    // A tool of pWnd: the whole window when nIDTool is 0, else the rectangle
    // lpRectTool (client coordinates of pWnd) under that id. The text is a string
    // resource, or LPSTR_TEXTCALLBACK.
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = NULL, UINT nIDTool = 0);
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = NULL, UINT nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT nIDTool = 0);
    // The tool of pWnd under pt (client coordinates of pWnd) into lpToolInfo.
    BOOL HitTest(CWnd* pWnd, CPoint pt, LPTOOLINFO lpToolInfo) const;
    // Hands a mouse message to the tip, which decides from it when to show itself.
    void RelayEvent(LPMSG lpMsg) { ::SendMessage(m_hWnd, TTM_RELAYEVENT, 0, (LPARAM)lpMsg); }
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT nIDTool = 0);
    void UpdateTipText(UINT nIDText, CWnd* pWnd, UINT nIDTool = 0);

private:
    // A TOOLINFO naming the tool nIDTool of pWnd (pWnd's window itself for 0).
    void FillInToolInfo(TOOLINFO& ti, CWnd* pWnd, UINT nIDTool) const;
};
