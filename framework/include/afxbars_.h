// Control bars: CControlBar, the base of the bars a frame lays out along its edges
// (CBRS_ styles, the layout protocol WM_SIZEPARENT, the idle update of their items
// through the frame's command route); CToolBar over the common toolbar control, its
// buttons and images from a TOOLBAR and a BITMAP resource; CStatusBar over the common
// status bar control, its panes from string resources.
//
// Docking is the frame's EnableDocking and DockControlBar placing a bar along the side
// asked. Bars cannot be dragged and never float: CBRS_FLOATING and CBRS_SIZE_DYNAMIC are
// kept as style bits only, IsFloating is always FALSE and CalcDynamicLayout gives the
// fixed layout.
#pragma once

#include "afxwin.h"
#include <commctrl.h>

// Bar styles, kept by the bar (GetBarStyle); the window style holds only the WS_ bits.
#define CBRS_ALIGN_LEFT     0x1000L
#define CBRS_ALIGN_TOP      0x2000L
#define CBRS_ALIGN_RIGHT    0x4000L
#define CBRS_ALIGN_BOTTOM   0x8000L
#define CBRS_ALIGN_ANY      0xF000L
#define CBRS_BORDER_LEFT    0x0100L
#define CBRS_BORDER_TOP     0x0200L
#define CBRS_BORDER_RIGHT   0x0400L
#define CBRS_BORDER_BOTTOM  0x0800L
#define CBRS_BORDER_ANY     0x0F00L
#define CBRS_TOOLTIPS       0x0010L     // a tip with the command's short name over each button
#define CBRS_FLYBY          0x0020L     // the command's prompt in the status bar under the cursor
#define CBRS_FLOAT_MULTI    0x0040L
#define CBRS_BORDER_3D      0x0080L
#define CBRS_HIDE_INPLACE   0x0008L
#define CBRS_SIZE_DYNAMIC   0x0004L
#define CBRS_SIZE_FIXED     0x0002L
#define CBRS_FLOATING       0x0001L
#define CBRS_ORIENT_HORZ    (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT    (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY     (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL            0xFFFFL
#define CBRS_NOALIGN        0x00000000L
#define CBRS_LEFT           (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP            (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT          (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM         (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// CalcDynamicLayout's modes
#define LM_STRETCH  0x01
#define LM_HORZ     0x02
#define LM_MRUWIDTH 0x04
#define LM_HORZDOCK 0x08
#define LM_VERTDOCK 0x10
#define LM_LENGTHY  0x20
#define LM_COMMIT   0x40

class AFX_FRAMEWORK CControlBar : public CWnd
{
    DECLARE_DYNAMIC(CControlBar)
protected:
    CControlBar();

public:
    // A bar still bound to its window leaves its frame's list of bars.
    ~CControlBar() override;

// Attributes
    // The number of items (buttons, panes).
    int GetCount() const { return m_nCount; }
    DWORD GetBarStyle() { return m_dwStyle; }
    // Changing the alignment does not move the bar: the frame's RecalcLayout does.
    void SetBarStyle(DWORD dwStyle);
    // Called by SetBarStyle when the style changes.
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle);
    // The frame the bar lays itself out in.
    CFrameWnd* GetDockingFrame() const { return m_pDockSite; }
    BOOL IsFloating() const { return FALSE; }
    // Deleted with its window when set (bars made with new and left to the frame).
    BOOL m_bAutoDelete;

// Layout
    // The bar's size: along a horizontal bar (bHorz) the width its items need, or the
    // longest possible with bStretch; across it the height they need. Vertical bars the
    // other way round.
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // The fixed layout of the orientation that nMode (LM_HORZ, LM_STRETCH) asks.
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);

// Operations
    // The sides (CBRS_ALIGN_...) the bar may be docked at by the frame's DockControlBar;
    // 0: none.
    void EnableDocking(DWORD dwDockStyle);

// Overridables
    // Sets the state of each item through pTarget's command route (ON_UPDATE_COMMAND_UI);
    // with bDisableIfNoHndler an item without a handler is disabled. Called at idle time
    // while the bar is visible.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;

// Implementation
    // Spaces between the bar's client edges and its items.
    int m_cxLeftBorder, m_cxRightBorder;
    int m_cyTopBorder, m_cyBottomBorder;
    int m_nCount;
    DWORD m_dwStyle;            // CBRS_...
    DWORD m_dwDockStyle;        // the sides EnableDocking allows
    CFrameWnd* m_pDockSite;     // the frame that lists the bar, while it does

protected:
    // Creates the bar's window of class lpszClassName: the WS_ bits of dwStyle make the
    // window style (with dwCtrlStyle, the control's own bits), the CBRS_ bits the bar
    // style.
    BOOL CreateBar(LPCTSTR lpszClassName, CWnd* pParentWnd, DWORD dwStyle, DWORD dwCtrlStyle, UINT nID);
    // Deletes the bar with m_bAutoDelete.
    void PostNcDestroy() override;
    // The widths of the edges drawn outside the client area on the sides with a
    // CBRS_BORDER_ bit: a line of 1 pixel, or an etched edge of 2 with CBRS_BORDER_3D.
    CRect BorderEdges() const;
    // CalcFixedLayout's size of a bar whose items take sizeItems: with the spaces and
    // the edges around them, and as long as its side with bStretch.
    CSize SizeAroundItems(CSize sizeItems, BOOL bStretch, BOOL bHorz) const;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNcPaint();
    // WM_SIZEPARENT: takes the bar's strip off the rectangle left in the parent.
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void LeaveDockSite();
};

// Toolbar button styles: the button's TBSTYLE_ in the low word, its TBSTATE_ in the high
// word, except TBBS_DISABLED, which is the absence of TBSTATE_ENABLED.
#define TBBS_BUTTON         MAKELONG(TBSTYLE_BUTTON, 0)
#define TBBS_SEPARATOR      MAKELONG(TBSTYLE_SEP, 0)
#define TBBS_CHECKBOX       MAKELONG(TBSTYLE_CHECK, 0)
#define TBBS_GROUP          MAKELONG(TBSTYLE_GROUP, 0)
#define TBBS_CHECKGROUP     (TBBS_GROUP | TBBS_CHECKBOX)
#define TBBS_PRESSED        MAKELONG(0, TBSTATE_PRESSED)
#define TBBS_CHECKED        MAKELONG(0, TBSTATE_CHECKED)
#define TBBS_INDETERMINATE  MAKELONG(0, TBSTATE_INDETERMINATE)
#define TBBS_HIDDEN         MAKELONG(0, TBSTATE_HIDDEN)
#define TBBS_WRAPPED        MAKELONG(0, TBSTATE_WRAP)
#define TBBS_DISABLED       MAKELONG(0, TBSTATE_ENABLED)

// A row of buttons, each a command id and an image of the bar's image well; separators
// have id ID_SEPARATOR and a width. A click sends the command to the parent frame, which
// routes it as it routes a menu item's.
class AFX_FRAMEWORK CToolBar : public CControlBar
{
    DECLARE_DYNAMIC(CToolBar)
public:
    CToolBar();
    ~CToolBar() override;

// Creation
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP, UINT nID = AFX_IDW_TOOLBAR);
    // Button size (image and edges) and image size; the button must be larger than the
    // image by at least 7 by 6 pixels.
    void SetSizes(SIZE sizeButton, SIZE sizeImage);
    // The bar's height; its buttons keep their size.
    void SetHeight(int cyHeight);
    // The buttons of a TOOLBAR resource and the images of the BITMAP resource of the
    // same name; FALSE, with the bar unchanged, when either is missing or malformed.
    BOOL LoadToolBar(LPCTSTR lpszResourceName);
    BOOL LoadToolBar(UINT nIDResource) { return LoadToolBar(MAKEINTRESOURCE(nIDResource)); }
    // The image well: a BITMAP resource of images side by side, each of the image size,
    // its greys and black and white mapped to the system's button colours.
    BOOL LoadBitmap(LPCTSTR lpszResourceName);
    BOOL LoadBitmap(UINT nIDResource) { return LoadBitmap(MAKEINTRESOURCE(nIDResource)); }
    // The buttons of lpIDArray, images numbered in order with separators skipped;
    // NULL: nIDCount empty buttons for SetButtonInfo.
    BOOL SetButtons(const UINT* lpIDArray, int nIDCount);

// Attributes
    // The index of the first button with command nIDFind, or -1.
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    // The button's rectangle in the bar's client coordinates.
    virtual void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetButtonStyle(int nIndex) const;
    void SetButtonStyle(int nIndex, UINT nStyle);
    // iImage: the image's index, or a separator's width.
    void GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const;
    void SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage);

// Implementation
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // CBRS_TOOLTIPS switches the control's tips on and off.
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;

protected:
    CSize m_sizeButton;
    CSize m_sizeImage;
    int m_cyHeight;             // set by SetHeight, else 0: as the buttons need
    HBITMAP m_hbmImageWell;     // owned
    UINT m_nIDFlyBy;            // with CBRS_FLYBY, the command whose prompt the cursor shows

    // Reads the button at nIndex; FALSE past the last.
    BOOL GetButton(int nIndex, TBBUTTON* pButton) const;
    // Replaces the button at nIndex.
    void SetButton(int nIndex, const TBBUTTON& button);
    void SetButtonState(int nIndex, BYTE fsState);
    // Puts each button on its own row for a vertical bar, all on one for a horizontal.
    void WrapButtons(BOOL bHorz);
    // The bottom-right corner of the buttons, in client coordinates.
    CSize ButtonsExtent() const;
    // With CBRS_FLYBY, the frame's message bar shows the prompt of nID, or the idle
    // message for 0.
    void FlyBy(UINT nID);

    // CBRS_FLYBY: the button under the cursor, and the cursor leaving the bar.
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

// Status bar pane styles
#define SBPS_NORMAL     0x0000
#define SBPS_NOBORDERS  SBT_NOBORDERS
#define SBPS_POPOUT     SBT_POPOUT
#define SBPS_OWNERDRAW  SBT_OWNERDRAW
#define SBPS_DISABLED   0x04000000     // the text is kept but not shown
#define SBPS_STRETCH    0x08000000     // the pane takes the width the others leave

// A row of text panes: the first is the stretchy message pane of the frame by default,
// the others indicators whose text is their id's string resource, shown while their
// update handler enables them. SBPS_OWNERDRAW is kept as a style bit only: every pane
// shows its text.
class AFX_FRAMEWORK CStatusBar : public CControlBar
{
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();
    ~CStatusBar() override;

// Creation
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
    // The panes of lpIDArray, each indicator as wide as its id's string; the first pane
    // stretches (without borders when it is ID_SEPARATOR). FALSE when an indicator's
    // string is missing: the panes are set all the same, that one empty.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

// Attributes
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    // The pane's rectangle in the bar's client coordinates.
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    CString GetPaneText(int nIndex) const;
    void GetPaneText(int nIndex, CString& rString) const;
    // With bUpdate the pane is redrawn at once when its text changed.
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);

// Implementation
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    struct CPane
    {
        UINT nID;
        UINT nStyle;        // SBPS_...
        int cxText;         // width of the text, without the pane's edges
        CString strText;
    };
    CArray<CPane, const CPane&> m_arrPanes;

    // The panes' right edges for the control, the stretchy pane taking what is left.
    void UpdateParts();
    // The pane's text as the control shows it (none while disabled).
    void UpdatePaneText(int nIndex);
    int TextWidth(LPCTSTR lpszText) const;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    // The window's text is the first pane's (the frame's message).
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
