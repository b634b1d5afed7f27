// CChoiceBoardFrame: the board's main window. Its client area shows the screen's tree,
// painted through an off-screen buffer of the area to paint; mouse messages go to the
// root as CEventState events; a 100 ms timer drives the root's scanning clock while the
// window is in the foreground; activation goes to the root, and the window becoming
// active makes the root's level the one scanned. After every tick and every mouse event
// the frame tells the event log where the scanning focus went and when automatic
// scanning ended. It also writes pictures of itself on request (ShotRequest.h).
#pragma once

#include <afxwin.h>

class CContainer;
class CEventLog;
class CEventState;
class CWndContainer;

class CChoiceBoardFrame : public CFrameWnd
{
public:
    CChoiceBoardFrame();

    // A frame titled lpszTitle whose client area has the root's stored size (within
    // what a screen shows), showing pRoot, which the caller keeps and which is detached
    // when the window goes. pLog may be NULL. FALSE (and the object deleted) when the
    // window cannot be made.
    BOOL Create(LPCTSTR lpszTitle, CWndContainer* pRoot, CEventLog* pLog);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnTimer(UINT nIDEvent);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnCopyData(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // Tells the root of a change of the window's activation; an activation starts
    // scanning over on the screen.
    void Activate(BOOL bActive);
    // Passes the mouse message being handled to the root's handler of its name.
    void RouteMouse(CPoint point, void (CContainer::*pfnHandler)(CPoint, const CEventState&));
    // Logs a scanning focus that moved and an automatic scanning that ended.
    void LogScanning();
    // Writes the client area's pixels as a ".bmp" file; FALSE when it cannot.
    BOOL WriteShot(const char* pszPath);
    // Says on standard error what went wrong in a handler; the board goes on.
    static void Report(CException* e);

    CWndContainer* m_pRoot;
    CEventLog* m_pLog;
    BOOL m_bActive;                 // as the root was last told
    const CContainer* m_pLoggedFocus;
    BOOL m_bLoggedAutoScan;
};
