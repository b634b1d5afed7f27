// CWndContainer: the root of a container tree on screen. It binds the tree to a window,
// whose client area becomes its bounds, and to a document; it turns the invalidations of
// every container below it into window invalidations, and routes the mouse events that
// the window receives to the container holding the capture, or else to the deepest
// container under the cursor, telling containers when the mouse enters and leaves them.
// It also runs the scanning clock (OnTimer, every 100 ms from the view) and draws the
// scanning highlight straight onto the window, keeping the pixels under it.
#pragma once

#include "limn/containers/Container.h"

class CBitmap;

class LIMN_API CWndContainer : public CContainer
{
    DECLARE_SERIAL(CWndContainer)
public:
    // Light grey; attached to pWnd when given.
    explicit CWndContainer(CWnd* pWnd = NULL);
    // Forgets the pixels kept under the highlight.
    ~CWndContainer() override;

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

    // Dedicated scanning is allowed while active; deactivation stops scanning and drops a
    // pending hot key and a switch press that waits for its acceptance time. Then every
    // child hears of it.
    void OnActivate(int bActive) override;

    // A frame for derived roots to give themselves; none here.
    virtual CContainerFrame* CreateFrame() { return NULL; }

// Switch scanning
    // One tick of the scanning clock; the identifier is not examined. Idle time for the
    // visible tree; then, while the tree's document is active and no menu is open, a
    // switch held for the acceptance time, the hot key (only while the application's
    // main window, or without one the tree's own top-level window, is in the
    // foreground), the automatic step (not while the cue of auditory scanning plays) or
    // the highlight's time-out, and the flashing. A tree without a document counts as
    // active. A highlight that a paint took away is drawn again.
    void OnTimer(UINT nIDEvent);
    // Shows the highlight at the class-wide rectangle, keeping the window's pixels under
    // it the first time, and moves the cursor into it; or hides it, putting the pixels
    // back. Pixels kept for another rectangle are put back first.
    void DrawHilite(int bShow);
    // Forgets the pixels kept under the highlight.
    void FlushHilite();
    // A paint of rectPainted (window coordinates) is beginning: where it covers the
    // highlight, the kept pixels are put back and forgotten, since they may change.
    void DropHiliteUnder(const CRect& rectPainted);
    // Automatic steps happen only while the count is 1: a selection lowers it while it
    // runs, and so may an application, to hold automatic scanning.
    static void AllowScanning() { ++m_bAllowScanning; }
    static void DisallowScanning() { --m_bAllowScanning; }

protected:
    // Draws a highlight rectangle that is pending when called outside Draw (Draw empties
    // it first), in the scanning colour, and empties it.
    void DrawContents(CCanvas& canvas) override;

    CBitmap* m_pHiliteBits;     // the window's pixels under the highlight, owned
    CRect m_rectHiliteSaved;    // where they were taken from
    HWND m_hWnd;
    CWnd* m_pWnd;
    CLimnDoc* m_pDoc;

    static int m_bAllowScanning;

private:
    // The container that receives an event at point: the one holding the capture, else
    // the deepest one under the point. point comes in window client coordinates and
    // leaves in the receiver's client coordinates.
    CContainer* GetMouseEventReceipient(CPoint& point);
    // Records state and passes a button event to its receiver; the bare root ignores it.
    void RouteButton(CPoint point, const CEventState& state,
                     void (CContainer::*pfnHandler)(CPoint, const CEventState&));

    // The actions of the hot keys.
    void OnHotKey(BYTE key);
    // Enter or Down while automatic scanning runs: a selection of the focus; automatic
    // scanning goes on in a group, or restarts from the top after a leaf when
    // "Continuous Scanning" is on.
    void SelectWhileAutoScanning();
    // The automatic step or the time-out, and the flashing.
    static void StepAndFlash();
    // The time automatic scanning stays on the focus: the step interval, longer by "First
    // Item Delay" on the first entry of the level that can be scanned.
    static DWORD AutomaticStepInterval();
    // Copies the window's pixels under the highlight; FALSE when they cannot be kept.
    BOOL SaveHiliteBits(HDC hDC);
    // Puts the kept pixels back on the frame of the rectangle they came from: only the
    // highlight covered them.
    void RestoreHiliteBits();
};
