// CChoiceBoardFrame: the board's main window, a screen frame (ScreenFrame.h: the tree
// painted through an off-screen buffer, mouse messages to the root as CEventState
// events) that also drives switch scanning as a view does: a 100 ms timer runs the
// root's scanning clock while the window is in the foreground, activation goes to the
// root, and the window becoming active makes the root's level the one scanned. After
// every tick, activation and mouse event it tells the event log where the scanning
// focus went and when automatic scanning ended. It writes pictures of itself on request
// (ShotRequest.h). No exception leaves its handlers: each is said on standard error.
#pragma once

#include "ScreenFrame.h"

#include <functional>

class CContainer;
class CEventLog;

class CChoiceBoardFrame : public CScreenFrame
{
public:
    CChoiceBoardFrame();

    // A frame titled lpszTitle whose client area has the root's stored size (or 640 by
    // 480 when that is not a size a screen shows), showing pRoot, which the caller
    // keeps. pLog may be NULL. FALSE (and the object deleted) when the window cannot be
    // made.
    BOOL Create(LPCTSTR lpszTitle, CWndContainer* pRoot, CEventLog* pLog);

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
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
    // Runs a handler's work, saying on standard error what it threw, then logs what
    // happened to scanning.
    void Handle(const std::function<void()>& work);
    // Tells the root of a change of the window's activation; an activation starts
    // scanning over on the screen.
    void Activate(BOOL bActive);
    // Logs a scanning focus that moved and an automatic scanning that ended.
    void LogScanning();
    // Writes the client area's pixels as a ".bmp" file; FALSE when it cannot.
    BOOL WriteShot(const char* pszPath);

    CEventLog* m_pLog;
    BOOL m_bActive;                 // as the root was last told
    const CContainer* m_pLoggedFocus;
    BOOL m_bLoggedAutoScan;
};
