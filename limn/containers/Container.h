// CContainer: a node of the tree that describes a screen. It owns a rectangle in its
// parent, an optional frame, a fill colour, a name, a scroll offset and its children; it
// lays the children out, draws itself and them through a canvas, finds the deepest child
// under a point, passes broadcast messages down the tree, behaves as a push button under
// the mouse and carries the per-container part of switch scanning. The root of a tree on
// screen is a CWndContainer.
//
// Three frames of reference: m_rectBounds is in the parent's content coordinates; adding
// the parent's scroll offset gives the parent's client coordinates (GetContainerRect);
// a container's own client coordinates start at the inner top-left corner of its frame.
#pragma once

#include "limn/containers/EventState.h"
#include "limn/limn_api.h"

class CCanvas;
class CChildWalk;
class CContainerFrame;
class CHoard;
class CLimnDoc;
class CWndContainer;
class Message;
struct CPrintInfo;

enum ArrangeMethod : int
{
    arrangeNone = 0,        // children keep the bounds they are given
    arrangeVertical = 1,    // stacked top to bottom
    arrangeHorizontal = 2,  // placed left to right, as is every higher value
};

class LIMN_API CContainer : public CObject
{
    DECLARE_SERIAL(CContainer)
public:
    enum
    {
        stateNormal = 0,
        statePressed = 1,
        stateDisabled = 2,
        stateScanFocus = 3,
    };
    // Stored geometry lies within this many units of the origin; layout keeps the bounds
    // it computes there too, so that no sum of coordinates down a tree can overflow.
    enum { maxCoordinate = 0x100000 };
    // The width of the scanning highlight, a frame drawn outside the container.
    enum { scanHiliteWidth = 8 };

    // Linked at the tail of pParent, when given.
    CContainer(CContainer* pParent, ArrangeMethod method);
    CContainer();
    // Destroys the children and the frame, leaves the parent's list and clears every
    // class-wide pointer that names this container.
    ~CContainer() override;

    void Serialize(CArchive& ar) override;

// Context
    virtual CLimnDoc* GetDocument();
    // The document's resource file; NULL without a document.
    CHoard* GetHoard();
    // Whether the tree's window is a view whose document is the active one; FALSE when
    // the window is not a view.
    BOOL IsDocActive();
    // Whether the foreground window is the main window of the current thread; in a
    // program without a thread object, whether no window is in the foreground.
    BOOL IsWindowActive() const;
    virtual void OnMessage(Message* pMsg);
    // OnMessage on this container, then on every descendant, parents first. This walk and
    // the others that call handlers on the children (Idle, OnActivate, OnShow, OnHide,
    // printing, layout, drawing) go on past any container a handler destroys, and end
    // where the one they are in is destroyed.
    void BroadcastMessage(Message* pMsg);
    // OnIdle on this container, then on every descendant, parents first.
    void Idle(DWORD dwNow);

// Tree
    CContainer* GetParent() const { return m_pParent; }
    // The root: the container itself when it has no parent.
    CContainer* GetTopParent();
    // Moves this container to the tail of pParent, or out of its parent for NULL. A
    // container of its own subtree is refused, and nothing changes.
    void SetParent(CContainer* pParent);
    void AddChild(CContainer* pChild) { AddChild(pChild, FALSE); }
    // At the head or the tail, or in name order when the children are kept sorted. A
    // child of another parent leaves it first; when that parent's layout destroys either
    // container or links pChild elsewhere, nothing more happens. The same holds for the
    // container that ReplaceChild puts in, and for the child that MoveChildInList moves.
    void AddChild(CContainer* pChild, int bAtHead);
    // Unlinks pChild without destroying it; re-arranges in any case.
    void RemoveChild(CContainer* pChild);
    // Puts pNew at pOld's place in the list, whatever the order; pOld leaves the tree
    // without being destroyed. Re-arranges; nothing happens when pOld is not a child, or
    // no longer is one once pNew has left its old parent.
    void ReplaceChild(CContainer* pOld, CContainer* pNew);
    // Destroys every child.
    void RemoveAllChildren();
    void MoveChildInList(CContainer* pChild, int bAtHead);
    void MoveChildToTop(CContainer* pChild) { MoveChildInList(pChild, TRUE); }
    void MoveChildToBottom(CContainer* pChild) { MoveChildInList(pChild, FALSE); }
    const CTypedPtrList<CObList, CContainer*>& GetChildList() const { return m_childList; }
    // Whether pChild is a direct child.
    BOOL Contains(const CContainer* pChild) const;
    int GetNumVisibleChildren() const;
    // The first container, this one or a descendant depth-first, whose class name and
    // name match, ignoring case; NULL for either matches anything.
    CContainer* FindSubContainer(const char* pszClassName, const char* pszName);
    // The same search from the root.
    CContainer* FindContainer(const char* pszClassName, const char* pszName);

// Scrolling
    virtual void ScrollBy(CSize delta);
    void SetScrollPos(CPoint point);
    CPoint GetScrollPos() const { return m_ptScroll; }
    CSize GetScrollExtent() const { return m_sizeScrollExtent; }
    // The extent is only ever computed.
    void SetScrollExtent(CSize) {}
    // How far the union of the children exceeds the client area.
    void ComputeScrollExtent();
    virtual void OnScrollExtentChanged();

// Geometry
    virtual void SetBounds(const CRect& rect);
    const CRect& GetBounds() const { return m_rectBounds; }
    CSize GetSize() const { return m_rectBounds.Size(); }
    // 0 left, 1 top, 2 right, 3 bottom.
    int GetSideCoord(int nSide) const;
    // The area inside the frame, at (0, 0).
    void GetClientRect(CRect* pRect) const;
    // The bounds in the parent's client coordinates.
    void GetContainerRect(CRect* pRect) const;
    void ClientToParent(CRect* pRect) const;
    void ClientToParent(CPoint* pPoint) const;
    void ParentToClient(CRect* pRect) const;
    void ParentToClient(CPoint* pPoint) const;
    // Window client coordinates are those the root's bounds are given in.
    void ClientToWindow(CRect* pRect) const;
    void ClientToWindow(CPoint* pPoint) const;
    void WindowToClient(CRect* pRect) const;
    void WindowToClient(CPoint* pPoint) const;
    virtual CWnd* GetWindowPtr();

// Layout
    void SetArrangeMethod(ArrangeMethod method);
    ArrangeMethod GetArrangeMethod() const { return m_arrangeMethod; }
    void SetMinimumSize(CSize size);
    // The preferred size is the minimum too; -1 on an axis makes that axis flexible.
    void SetPreferredSize(CSize size);
    // The margin inside the client area and the gap after each child.
    void SetChildGap(CSize size);
    virtual void ArrangeChildren();
    // A question: an answer must change nothing in the tree.
    virtual CSize GetMinimumSize();

// Hit-testing
    // point in the parent's content coordinates.
    virtual BOOL ContainsPoint(CPoint point);
    // The deepest visible descendant whose client area holds point (in this container's
    // client coordinates), or this container; the head of a list wins.
    CContainer* ChildFromPoint(CPoint point);
    const CContainer* ChildFromPoint(CPoint point) const;

// Invalidation
    // Redraws rect (client coordinates) in the tree's window at the next paint.
    virtual void Invalidate(const CRect& rect);
    // The client area with the frame around it.
    virtual void Invalidate();
    // Redraws pContainer (this one when NULL) at once.
    virtual void ForceRedraw(int nFlag, CContainer* pContainer);

// Visibility, enabling, printing
    void SetVisible(int bVisible, int bInvalidate);
    void Show(int bInvalidate) { SetVisible(TRUE, bInvalidate); }
    void Hide(int bInvalidate) { SetVisible(FALSE, bInvalidate); }
    BOOL IsVisible() const { return m_bVisible; }
    // This container and every ancestor are visible.
    BOOL IsReallyVisible() const;
    void SetEnable(int bEnable);
    void Enable() { SetEnable(TRUE); }
    void Disable() { SetEnable(FALSE); }
    void SetPrintable(int bPrintable) { m_bPrintable = bPrintable; }
    int GetPrintable() const { return m_bPrintable; }
    // Containers that are not printable are hidden while the tree prints.
    virtual void OnBeginPrint(CPrintInfo* pInfo);
    virtual void OnEndPrint(CPrintInfo* pInfo);

// An alternative highlight for derived containers: Prepare parks the frame and installs a
// bevelled frame of the scanning colour, 8 pixels wide; Restore puts the parked frame
// back. Both re-arrange the children; nothing in the engine calls them.
    virtual void PrepareScanHilite();
    virtual void RestoreScanHilite();

// Selection and showing
    // Broadcasts MsgContainerSelected.
    virtual void OnSelect();
    // OnShow or OnHide on every visible child.
    virtual void OnShow();
    virtual void OnHide();

// Switch scanning. One scanning state exists per process: a list of the containers of
// one level that the highlight visits, the container whose level that is (the scanning
// parent) and the highlighted container (the scanning focus). The root's OnTimer drives
// it from the hot key that the input hooks or the application post (SetHotKeyHit).
    // Plays the sound resource "Scan Sound" and returns while it plays.
    virtual void PlayScanSound();
    // Whether scanning can select this container itself; selectable controls say TRUE.
    virtual BOOL CanScanSelect();
    // Highlights this container: draws the highlight on the window (restoring the
    // pixels under the previous one) and plays the scan sound, or with auditory scanning
    // the container's cue ("NAME cue") when there is one.
    virtual void OnSetScanningFocus();
    virtual void OnKillScanningFocus();
    // Selecting a group descends into it (TRUE: scanning goes on inside); selecting a
    // leaf plays "Select Sound" to its end and clicks it: a press, 100 ms, a release.
    virtual int OnScanSelect();
    // Visible, and selectable or holding scannable children.
    BOOL CanScan();
    int CountScannableChildren();
    // Makes this container's level the one scanned and returns 1. A level that offers
    // one group only is skipped for that group's level; a level of fewer than six
    // entries holding fewer than six choices is flattened into the choices; below the
    // top level the root is offered last, as the way back.
    int SetScanningParent();
    // A step to the next or previous entry that can be scanned, highlighting it. A step
    // back ends automatic scanning.
    static void ScanNext();
    static void ScanPrevious();
    // Selects the focus; 0 when there is none or a leaf was clicked, and then scanning
    // stops.
    static int ScanSelect();
    // Takes the focus and its highlight away and ends automatic scanning; the level and
    // the position in it stay.
    static void StopScan();
    // Posts a virtual-key code for the next tick of the root's timer.
    static void SetHotKeyHit(BYTE key) { m_hotKey = key; }
    static BYTE GetHotKey() { return m_hotKey; }
    static CContainer* GetScanningParent() { return m_pScanningParent; }
    static CContainer* GetScanningFocus() { return m_pScanningFocus; }
    static const CList<CContainer*, CContainer*>& GetScanList() { return m_scanList; }
    // The highlight, window client coordinates; empty while none is shown.
    static const CRect& GetScanHiliteRect() { return m_rectScanHilite; }
    static BOOL IsInAutoScan() { return m_bInAutoScan; }
    // The root that draws this container's highlight; NULL outside a window's tree.
    CWndContainer* GetScanningRoot();
    // Automatic scanning wraps counted towards "Cancel Cycles".
    static int GetScanCycles() { return m_nScanCycles; }

// Mouse and keyboard
    // Every mouse event goes to this container until ReleaseMouse.
    void CaptureMouse();
    static void ReleaseMouse();
    void CaptureKeyboard() { m_pKeyCapture = this; }
    static void ReleaseKeyboard() { m_pKeyCapture = NULL; }
    // The state of the last event routed into a tree.
    static const CEventState& GetLastEventState() { return m_lastEventState; }
    // Points are in this container's client coordinates.
    virtual void OnMouseEnter(CPoint point, const CEventState& state);
    virtual void OnMouseMove(CPoint point, const CEventState& state);
    virtual void OnMouseExit(const CContainer* pNewReceiver, const CEventState& state);
    virtual void OnLButtonDown(CPoint point, const CEventState& state);
    virtual void OnLButtonDblClk(CPoint point, const CEventState& state);
    virtual void OnLButtonUp(CPoint point, const CEventState& state);
    virtual void OnRButtonDown(CPoint point, const CEventState& state);
    virtual void OnRButtonDblClk(CPoint point, const CEventState& state);
    virtual void OnRButtonUp(CPoint point, const CEventState& state);
    // Passed to every child, visible or not.
    virtual void OnActivate(int bActive);
    virtual void OnIdle(DWORD dwNow);

// Appearance
    void SetFillColor(COLORREF color);
    void SetNoFill() { m_bFill = FALSE; }
    // The colour of the nearest container, this one or an ancestor, that fills; else
    // the root's colour.
    COLORREF GetFillColor() const;
    // Takes ownership of pFrame and destroys the frame there was.
    void SetFrame(CContainerFrame* pFrame);
    CContainerFrame* GetFrame() const { return m_pFrame; }
    void SetName(const char* pszName) { m_strName = pszName; }
    const CString& GetName() const { return m_strName; }
    // Draws this container and its children; the canvas origin is the parent's content
    // origin on entry and again on return.
    void Draw(CCanvas& canvas);

protected:
    // The container's own picture, in its client coordinates.
    virtual void DrawContents(CCanvas& canvas);
    // The highlight around this container (the children it offers, for a group), in
    // window client coordinates, into the class-wide rectangle.
    virtual void ComputeScanHilite();

    CContainer* m_pParent;
    BYTE m_bVisible;
    int m_bVisibleBeforePrint;
    CRect m_rectBounds;
    CContainerFrame* m_pFrame;
    CContainerFrame* m_pSavedFrame;     // the real frame while PrepareScanHilite's is in
    BYTE m_bFill;
    COLORREF m_colorFill;
    CString m_strName;
    CPoint m_ptScroll;
    CSize m_sizeScrollExtent;
    BOOL m_bDisableAutoArrange;
    BOOL m_bPrintable;
    BYTE m_bSortChildren;
    CTypedPtrList<CObList, CContainer*> m_childList;
    int m_nState;
    ArrangeMethod m_arrangeMethod;
    CSize m_sizeMinimum;
    CSize m_sizePreferred;
    CSize m_sizeChildGap;
    CSize m_sizeStep;
    BOOL m_bFixedAlongAxis;

    static BOOL m_bDisableAllAutoArrange;
    static CContainer* m_pMouseCapture;
    static CContainer* m_pKeyCapture;
    static CContainer* m_pMouseEntered;
    static CContainer* m_pLastEntered;
    static CEventState m_lastEventState;

// The scanning state
    static CList<CContainer*, CContainer*> m_scanList;
    static CContainer* m_pScanningParent;
    static CContainer* m_pScanningFocus;
    static POSITION m_posScanChild;        // the focus's entry in m_scanList
    static CRect m_rectScanHilite;
    static BYTE m_hotKey;                   // consumed by the root's timer
    static BOOL m_bInAutoScan;
    static BOOL m_bDrawScanHilite;          // the phase of the flashing highlight
    // Whether SetScanningParent may offer the top level; cleared only while a descent
    // from the root through levels of one choice runs, so it is TRUE between calls.
    static BOOL m_bOfferTopLevel;
    static DWORD m_dwLastStepTime;          // of the last step, hot key or focus change
    static DWORD m_dwLastFlashTime;
    static int m_nScanCycles;
    static int m_nHotKeyDelay;              // timer ticks before a re-posted hot key counts

private:
    friend class CChildWalk;
    friend class CDisableArrangeBlock;

    // Takes pChild out of its parent, to be linked here: TRUE when it may be. The parent's
    // layout may destroy this container or pChild, or link pChild elsewhere; a container
    // of pChild's subtree is refused.
    BOOL DetachToLink(CContainer* pChild);
    // Arranges the children and then invalidates this container, unless the layout
    // destroyed it.
    void ArrangeAndInvalidate();
    // Takes the child at pos out of the list; walks about to visit it move past it.
    void UnlinkChildAt(POSITION pos);

    // Whether this container is pContainer or lies below it.
    BOOL IsWithin(const CContainer* pContainer) const;
    // The frame's width, 0 without a frame.
    int FrameWidth() const;
    void Fill(CCanvas& canvas);
    // Fields 1 to 15 of the stored record; loading checks that the geometry is sound.
    void SerializeFields(CArchive& ar);
    void SerializeChildren(CArchive& ar);

// The layout of a tree read back (ContainerSerialize.cpp). The containers read below the
// one that began reading wait for their turn, parents first: until then a waiting
// container is neither arranged nor invalidated, and its minimum size is taken once,
// unless an operation that may change a minimum size runs meanwhile. Each container is
// thus laid out once, in time linear in the tree's size. One that a handler takes out of
// the tree before its turn has it when it leaves.
    // Lays out the tree that read number nRead brought in below this container.
    void LayOutReadTree(UINT nRead);
    // This container's turn: arranges it, then the waiting children in turn.
    void ArrangeReadTree();
    // The turn of a container that leaves its parent, if it waits for one.
    void LayOutIfWaiting();
    BOOL AwaitsReadLayout() const { return m_nReadLayout != 0 && m_nReadLayout == m_nReadLayoutRunning; }
    // pChild->GetMinimumSize(), taken once while pChild waits.
    static CSize MinimumSizeOf(CContainer* pChild);
    // Called by the operations that may change a minimum size: the sizes taken so far
    // are not used again.
    static void NoteTreeChange() { ++m_nTreeChanges; }

    enum Direction { forward = 0, backward = 1 };
    // Moves m_posScanChild one entry, wrapping, until it lands on one that can be
    // scanned; counts the wraps of automatic scanning and stops it at "Cancel Cycles".
    static BOOL StepPosition(Direction direction);
    // Appends the children that can be scanned; returns the choices they offer: one for
    // each child that is selectable, plus each one's scannable children.
    int AddScannableChildrenToList(CList<CContainer*, CContainer*>& list);
    // Called by the destructor: no class-wide scanning pointer may name this container.
    void ForgetScanning();
    // A root's paint begins: the highlight's rectangle is computed again while the tree
    // draws, and the pixels kept under it are dropped where the paint covers it. Returns
    // the rectangle it emptied, for EndRootPaint.
    CRect BeginRootPaint(CCanvas& canvas);
    // A focus that the paint did not reach keeps the rectangle it had.
    void EndRootPaint(const CRect& rectHiliteBefore);

    BOOL m_bScanHilitePrepared;     // PrepareScanHilite's frame is in place
    CChildWalk* m_pWalks;           // the walks through the children, the latest first
    UINT m_nReadLayout;             // the read that brought this container in, until its turn
    BOOL m_bReadMinimumKnown;       // m_sizeReadMinimum was taken for that layout
    CSize m_sizeReadMinimum;

    static UINT m_nReadLayoutRunning;       // the read whose tree is being laid out; 0 when none
    static UINT m_nTreeChanges;             // counts the operations that may change minimum sizes
    static UINT m_nTreeChangesAtLayout;     // m_nTreeChanges when that layout began
};
