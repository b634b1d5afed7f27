// CScreenFrame: a main frame that shows a container tree in its client area, as a view
// of the libraries shows a screen: the tree takes the client area as its bounds, mouse
// messages go to the root as CEventState events, and painting draws the tree through an
// off-screen buffer of the area to paint, which is then blitted to the window. The demo
// and the screen benchmark show their screens in it.
#pragma once

#include <afxwin.h>

class CContainer;
class CEventState;
class CWndContainer;

class CScreenFrame : public CFrameWnd
{
public:
    CScreenFrame() : m_pRoot(NULL) {}

    // A frame whose client area is sizeClient, showing pRoot, which the caller keeps
    // and which is detached when the window goes. FALSE (and the object deleted) when
    // the window cannot be made.
    BOOL Create(LPCTSTR lpszTitle, CSize sizeClient, CWndContainer* pRoot);
    CWndContainer* GetRoot() const { return m_pRoot; }

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnDestroy();
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    // Passes the mouse message being handled to the root's handler of its name.
    void RouteMouse(CPoint point, void (CContainer::*pfnHandler)(CPoint, const CEventState&));

    CWndContainer* m_pRoot;
};
