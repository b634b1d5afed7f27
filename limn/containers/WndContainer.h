// CWndContainer: the root of a container tree on screen. It binds the tree to a window,
// whose client area becomes its bounds, and to a document; it turns the invalidations of
// every container below it into window invalidations, and routes the mouse events that
// the window receives to the container holding the capture, or else to the deepest
// container under the cursor, telling containers when the mouse enters and leaves them.
#pragma once

#include "limn/containers/Container.h"

class LIMN_API CWndContainer : public CContainer
{
    DECLARE_SERIAL(CWndContainer)
public:
    // Light grey; attached to pWnd when given.
    explicit CWndContainer(CWnd* pWnd = NULL);

// Window and document
    // The window's client area becomes the bounds; NULL detaches the tree, which keeps
    // its bounds.
    void AttachToWindow(CWnd* pWnd);
    void AttachToDoc(CLimnDoc* pDoc) { m_pDoc = pDoc; }
    // Broadcasts MsgWindowResized, then takes the window's client area as the bounds.
    // Without a window nothing changes size.
    void OnWindowSizeChange();
    CWnd* GetWindowPtr() override { return m_pWnd; }
    CLimnDoc* GetDocument() override { return m_pDoc; }

// Invalidation: rectangles in window client coordinates
    void Invalidate(const CRect& rect) override;
    using CContainer::Invalidate;
    // Invalidates pContainer's client area, erasing it, and paints the window at once.
    void ForceRedraw(int nFlag, CContainer* pContainer) override;

// Routing: points in window client coordinates
    void OnMouseMove(CPoint point, const CEventState& state) override;
    void OnLButtonDown(CPoint point, const CEventState& state) override;
    void OnLButtonUp(CPoint point, const CEventState& state) override;
    void OnRButtonDown(CPoint point, const CEventState& state) override;
    void OnRButtonUp(CPoint point, const CEventState& state) override;

    // A frame for derived roots to give themselves; none here.
    virtual CContainerFrame* CreateFrame() { return NULL; }

protected:
    HWND m_hWnd;
    CWnd* m_pWnd;
    CLimnDoc* m_pDoc;

private:
    // The container that receives an event at point: the one holding the capture, else
    // the deepest one under the point. point comes in window client coordinates and
    // leaves in the receiver's client coordinates.
    CContainer* GetMouseEventReceipient(CPoint& point);
    // Records state and passes a button event to its receiver; the bare root ignores it.
    void RouteButton(CPoint point, const CEventState& state,
                     void (CContainer::*pfnHandler)(CPoint, const CEventState&));
};
