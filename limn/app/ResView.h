// CResView: the view of a limn document. It attaches the document's tree to its window
// on its first paint, paints it through a canvas (and an off-screen buffer of the area to
// paint), prints it scaled to the page in points, turns the window's mouse messages into
// container events, and runs the 100 ms clock that drives switch scanning while the
// application's main window is in front.
#pragma once

#include "limn/containers/EventState.h"
#include "limn/limn_api.h"

class CCanvas;
class CContainer;
class CLimnDoc;
class CWndContainer;
class Message;

class LIMN_API CResView : public CView
{
    DECLARE_DYNCREATE(CResView)
protected:
    // Joins the list of views.
    CResView();

public:
    // Leaves the list, if its window never did.
    ~CResView() override;

// Attributes
    // Every view from its construction until its window is destroyed, oldest first.
    static CList<CResView*, CResView*>& GetViewList() { return m_viewList; }
    void SetOffScreenDrawEnable(int bOffScreen) { m_bOffScreenDraw = bOffScreen; }
    // The document's tree once the first paint attached it; NULL before.
    CWndContainer* GetContainer() const { return m_pContainer; }
    // The document, when it is a limn document.
    CLimnDoc* GetLimnDoc() const;

// Overridables
    // A hook for derived views; does nothing.
    virtual void OnMessage(Message* pMsg);

protected:
    // The first paint attaches the tree and draws nothing: the next paint draws it. Later
    // paints draw the area to paint, through a buffer unless printing or disabled.
    void OnDraw(CDC* pDC) override;
    // Draws the tree; derived views draw more.
    virtual void OnDraw(CCanvas& canvas);
    // Activating a view activates its limn document.
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    // A hint that names the attached tree (the document is replacing it) lets go of it;
    // the next paint attaches the new one.
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;

// Printing: the tree laid out on the page in points, without the containers that are
// not printable, and back in the window afterwards.
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    // The message being handled as an event: now, its cursor position and the modifiers.
    CEventState GetEventState();

    // WM_USER: realizes the shared palette in the main window, in the background unless
    // hWndFocus is this view's window.
    afx_msg LRESULT OnDoRealize(WPARAM hWndFocus, LPARAM lParam);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    // The clock: the tree learns when the main window leaves or takes the foreground,
    // and ticks while it is there.
    afx_msg void OnTimer(UINT nIDEvent);
    afx_msg void OnDestroy();
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);

    CWndContainer* m_pContainer;    // the document's, not owned
    BOOL m_bOffScreenDraw;

    static CList<CResView*, CResView*> m_viewList;
    // Whether the main window was in the foreground at the last tick of any view.
    static BOOL m_bWasForeground;

    DECLARE_MESSAGE_MAP()

private:
    // Attaches the document's tree to this window when none is: the client area becomes
    // its bounds, and it is laid out and shown. The tree, or NULL when the document has
    // none.
    CWndContainer* AttachContainer();
    // Lets go of the tree, taking it off this window when it is there.
    void DetachContainer();
    // The root handler of a mouse message, with the message's event.
    void RouteMouse(CPoint point, void (CContainer::*pfnHandler)(CPoint, const CEventState&));
    void LeaveViewList();

    // A paint found no tree to draw, or a hidden one: the clock asks for another.
    BOOL m_bAwaitingScreen;
};
