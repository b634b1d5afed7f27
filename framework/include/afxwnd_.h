// CWnd: a C++ object bound to a real window. The framework's window procedure
// (AfxWndProc) finds the object of a window through the permanent handle map and hands
// it every message: WindowProc -> OnWndMsg -> the handler of the class's message map,
// else DefWindowProc (the procedure the window had before it was subclassed). Creating
// through Create or CreateEx binds the object before the window sees WM_NCCREATE; the
// binding ends at WM_NCDESTROY, after which PostNcDestroy runs.
#pragma once

#include "afxcmdtarget_.h"
#include "afxgdi_.h"
#include "afxmenu_.h"

// USER's macro of this name would take the member's place; GetWindow does what it did.
#undef GetNextWindow

class CFrameWnd;
class CDataExchange;
class CListBox;
class CScrollBar;
struct CCreateContext;

// Messages of controls that come back to them from their parent ("reflected"):
// WM_REFLECT_BASE + the message the parent received.
#define WM_REFLECT_BASE 0xBC00

// The message map's name for the WM_CTLCOLORxxx messages.
#ifndef WM_CTLCOLOR
  #define WM_CTLCOLOR 0x0019
#endif

// m_nFlags: the state of a modal loop run by the window.
#define WF_MODALLOOP        0x0008  // RunModalLoop is running
#define WF_CONTINUEMODAL    0x0010  // ... and has not been asked to end

// RunModalLoop's flags.
#define MLF_NOIDLEMSG       0x0001  // no WM_ENTERIDLE to the owner
#define MLF_NOKICKIDLE      0x0002  // no WM_KICKIDLE to the window
#define MLF_SHOWONIDLE      0x0004  // shows the window once the queue is first empty

// lParam of a reflected WM_CTLCOLOR.
struct AFX_CTLCOLOR
{
    HWND hWnd;
    HDC hDC;
    UINT nCtlType;      // CTLCOLOR_MSGBOX ... CTLCOLOR_STATIC
};

class AFX_FRAMEWORK CWnd : public CCmdTarget
{
    DECLARE_DYNCREATE(CWnd)
public:
    HWND m_hWnd;
    UINT m_nFlags;          // WF_...

    CWnd();
    // A window that still exists is destroyed; while the destructor runs, only CWnd's
    // own handling (not a derived class's OnDestroy or PostNcDestroy) can reach it.
    ~CWnd() override;

    operator HWND() const { return m_hWnd; }
    HWND GetSafeHwnd() const { return AfxUnassumed(this) == NULL ? NULL : m_hWnd; }
    BOOL operator==(const CWnd& wnd) const { return m_hWnd == wnd.m_hWnd; }
    BOOL operator!=(const CWnd& wnd) const { return m_hWnd != wnd.m_hWnd; }

    // Insert-after values of SetWindowPos.
    static const CWnd wndTop;
    static const CWnd wndBottom;
    static const CWnd wndTopMost;
    static const CWnd wndNoTopMost;

// The handle maps
    // The object bound to hWnd, else a temporary one freed at idle time; NULL for NULL.
    static CWnd* PASCAL FromHandle(HWND hWnd);
    // The object bound to hWnd, or NULL.
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);
    // Frees the temporary objects; their windows stay.
    static void PASCAL DeleteTempMap();
    // Binds the object to hWndNew without taking its messages: FALSE when hWndNew is
    // NULL or already bound to another object.
    BOOL Attach(HWND hWndNew);
    HWND Detach();

// Subclassing: binding an existing window and taking its messages
    // Called before the object takes the window's messages, by creation and subclassing.
    virtual void PreSubclassWindow();
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    // Gives the window its procedure back and unbinds it.
    HWND UnsubclassWindow();

// Creation and destruction
    // A child window (WS_CHILD is added); NULL class: the framework's default class.
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                  LPVOID lpParam = NULL);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam = NULL);
    // Destroys the window; a self-deleting object may be gone when this returns.
    virtual BOOL DestroyWindow();
    // Adjusts the creation parameters; FALSE cancels the creation.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);

// Styles
    DWORD GetStyle() const { return (DWORD)::GetWindowLong(m_hWnd, GWL_STYLE); }
    DWORD GetExStyle() const { return (DWORD)::GetWindowLong(m_hWnd, GWL_EXSTYLE); }
    // FALSE when the style stays as it was; nFlags (SWP_...) apply a frame change.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);

// Text and font
    void SetWindowText(LPCTSTR lpszString) { ::SetWindowText(m_hWnd, lpszString); }
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const
        { return ::GetWindowText(m_hWnd, lpszStringBuf, nMaxCount); }
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE)
        { ::SendMessage(m_hWnd, WM_SETFONT, (WPARAM)pFont->GetSafeHandle(), bRedraw); }
    // A temporary object unless the font is owned by one; NULL for the system font.
    CFont* GetFont() const { return CFont::FromHandle((HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0)); }

// Size and position
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
    void ClientToScreen(LPRECT lpRect) const { ::MapWindowPoints(m_hWnd, NULL, (LPPOINT)lpRect, 2); }
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
    void ScreenToClient(LPRECT lpRect) const { ::MapWindowPoints(NULL, m_hWnd, (LPPOINT)lpRect, 2); }
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
        { ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), lpPoint, nCount); }
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
        { ::MapWindowPoints(m_hWnd, pwndTo->GetSafeHwnd(), (LPPOINT)lpRect, 2); }
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE)
        { ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint); }
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE)
        { MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint); }
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
        { return ::SetWindowPos(m_hWnd, pWndInsertAfter->GetSafeHwnd(), x, y, cx, cy, nFlags); }
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const { return ::GetWindowPlacement(m_hWnd, lpwndpl); }
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl) { return ::SetWindowPlacement(m_hWnd, lpwndpl); }
    // What CalcWindowRect adds around the client rectangle.
    enum AdjustType { adjustBorder = 0, adjustOutside = 1 };
    // Turns a client rectangle into the window rectangle that holds it with this
    // window's styles (no menu bar): the frame and edges; with adjustOutside, also the
    // scroll bars the window's style gives it.
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder);
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }

// State
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    void SetRedraw(BOOL bRedraw = TRUE) { ::SendMessage(m_hWnd, WM_SETREDRAW, bRedraw, 0); }
    BOOL ShowOwnedPopups(BOOL bShow = TRUE) { return ::ShowOwnedPopups(m_hWnd, bShow); }
    BOOL FlashWindow(BOOL bInvert) { return ::FlashWindow(m_hWnd, bInvert); }
    HICON SetIcon(HICON hIcon, BOOL bBigIcon)
        { return (HICON)::SendMessage(m_hWnd, WM_SETICON, bBigIcon, (LPARAM)hIcon); }
    HICON GetIcon(BOOL bBigIcon) const { return (HICON)::SendMessage(m_hWnd, WM_GETICON, bBigIcon, 0); }
    // Whether files dropped from the shell come as WM_DROPFILES (OnDropFiles).
    void DragAcceptFiles(BOOL bAccept = TRUE) { ::DragAcceptFiles(m_hWnd, bAccept); }

// Painting; the CDC objects are temporary
    CDC* GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
    CDC* GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
    int ReleaseDC(CDC* pDC) { return ::ReleaseDC(m_hWnd, pDC->m_hDC); }
    // A DC clipped to prgnClip as flags (DCX_*) ask; released with ReleaseDC.
    CDC* GetDCEx(CRgn* prgnClip, DWORD flags)
        { return CDC::FromHandle(::GetDCEx(m_hWnd, (HRGN)prgnClip->GetSafeHandle(), flags)); }
    // The window draws itself into pDC: WM_PRINT (dwFlags PRF_*) and WM_PRINTCLIENT.
    void Print(CDC* pDC, DWORD dwFlags) const { ::SendMessage(m_hWnd, WM_PRINT, (WPARAM)pDC->GetSafeHdc(), dwFlags); }
    void PrintClient(CDC* pDC, DWORD dwFlags) const
        { ::SendMessage(m_hWnd, WM_PRINTCLIENT, (WPARAM)pDC->GetSafeHdc(), dwFlags); }
    CDC* BeginPaint(LPPAINTSTRUCT lpPaint) { return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint)); }
    void EndPaint(LPPAINTSTRUCT lpPaint) { ::EndPaint(m_hWnd, lpPaint); }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, NULL, bErase); }
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
    void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE) { ::InvalidateRgn(m_hWnd, (HRGN)pRgn->GetSafeHandle(), bErase); }
    void ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
    void ValidateRgn(CRgn* pRgn) { ::ValidateRgn(m_hWnd, (HRGN)pRgn->GetSafeHandle()); }
    BOOL GetUpdateRect(LPRECT lpRect, BOOL bErase = FALSE) { return ::GetUpdateRect(m_hWnd, lpRect, bErase); }
    int GetUpdateRgn(CRgn* pRgn, BOOL bErase = FALSE) { return ::GetUpdateRgn(m_hWnd, (HRGN)pRgn->GetSafeHandle(), bErase); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(LPCRECT lpRectUpdate = NULL, CRgn* prgnUpdate = NULL,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE)
        { return ::RedrawWindow(m_hWnd, lpRectUpdate, (HRGN)prgnUpdate->GetSafeHandle(), flags); }
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = NULL, LPCRECT lpClipRect = NULL)
        { ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect); }
    // prgnUpdate and lpRectUpdate (either may be NULL) receive what the scroll uncovered.
    int ScrollWindowEx(int dx, int dy, LPCRECT lpRectScroll, LPCRECT lpRectClip, CRgn* prgnUpdate,
                       LPRECT lpRectUpdate, UINT flags)
    {
        return ::ScrollWindowEx(m_hWnd, dx, dy, lpRectScroll, lpRectClip, (HRGN)prgnUpdate->GetSafeHandle(),
                                lpRectUpdate, flags);
    }
    BOOL LockWindowUpdate() { return ::LockWindowUpdate(m_hWnd); }
    void UnlockWindowUpdate() { ::LockWindowUpdate(NULL); }

// Scroll bars of the window
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE) { return ::SetScrollPos(m_hWnd, nBar, nPos, bRedraw); }
    int GetScrollPos(int nBar) const { return ::GetScrollPos(m_hWnd, nBar); }
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE)
        { ::SetScrollRange(m_hWnd, nBar, nMinPos, nMaxPos, bRedraw); }
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
        { ::GetScrollRange(m_hWnd, nBar, lpMinPos, lpMaxPos); }
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, nBar, bShow); }
    BOOL EnableScrollBar(int nSBFlags, UINT nArrowFlags = ESB_ENABLE_BOTH)
        { return ::EnableScrollBar(m_hWnd, nSBFlags, nArrowFlags); }
    // The largest position the bar can take: its maximum less a page but one, never
    // below its minimum; 0 when the window has no such bar.
    int GetScrollLimit(int nBar);
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE)
        { return ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw); }
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL)
        { lpScrollInfo->cbSize = sizeof(SCROLLINFO); lpScrollInfo->fMask = nMask;
          return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo); }

// The caret: the thread has one, owned by the window that created it last. Its position
// is in client coordinates of that window.
    void CreateCaret(CBitmap* pBitmap) { ::CreateCaret(m_hWnd, (HBITMAP)pBitmap->GetSafeHandle(), 0, 0); }
    void CreateSolidCaret(int nWidth, int nHeight) { ::CreateCaret(m_hWnd, NULL, nWidth, nHeight); }
    void CreateGrayCaret(int nWidth, int nHeight) { ::CreateCaret(m_hWnd, (HBITMAP)1, nWidth, nHeight); }
    // Hides nest: the caret shows again after as many ShowCaret calls.
    void ShowCaret() { ::ShowCaret(m_hWnd); }
    void HideCaret() { ::HideCaret(m_hWnd); }
    static void PASCAL SetCaretPos(POINT point) { ::SetCaretPos(point.x, point.y); }
    static CPoint PASCAL GetCaretPos()
    {
        CPoint point;
        ::GetCaretPos(&point);
        return point;
    }

// Timers, capture, focus and activation; the CWnd objects returned may be temporary
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void (CALLBACK* lpfnTimer)(HWND, UINT, UINT_PTR, DWORD))
        { return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer); }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    static CWnd* PASCAL GetCapture() { return FromHandle(::GetCapture()); }
    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* PASCAL GetFocus() { return FromHandle(::GetFocus()); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    static CWnd* PASCAL GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
    CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
    static CWnd* PASCAL GetActiveWindow() { return FromHandle(::GetActiveWindow()); }

// Relatives
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* SetParent(CWnd* pWndNewParent) { return FromHandle(::SetParent(m_hWnd, pWndNewParent->GetSafeHwnd())); }
    BOOL IsChild(const CWnd* pWnd) const { return ::IsChild(m_hWnd, pWnd->GetSafeHwnd()); }
    CWnd* GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
    CWnd* GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const { return FromHandle(::GetWindow(m_hWnd, nFlag)); }
    CWnd* GetLastActivePopup() const { return FromHandle(::GetLastActivePopup(m_hWnd)); }
    // The end of the chain of parents and owners: the top-level window that nothing
    // owns (this window itself when it is one); NULL without a window.
    CWnd* GetTopLevelParent() const;
    // The nearest ancestor that is a CFrameWnd, or NULL.
    CFrameWnd* GetParentFrame() const;
    // This window or the outermost of its ancestors that is a CFrameWnd.
    CFrameWnd* GetTopLevelFrame() const;
    // The descendant with control id nID at any depth, or NULL; with bOnlyPerm, only
    // one bound to an object.
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
    static CWnd* PASCAL GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
    static CWnd* PASCAL FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName)
        { return FromHandle(::FindWindow(lpszClassName, lpszWindowName)); }
    static CWnd* PASCAL WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
    CWnd* ChildWindowFromPoint(POINT point) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, point)); }

// Dialog items
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    int SetDlgCtrlID(int nID) { return (int)::SetWindowLongPtr(m_hWnd, GWLP_ID, nID); }
    CWnd* GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
    void GetDlgItem(int nID, HWND* phWnd) const { *phWnd = ::GetDlgItem(m_hWnd, nID); }
    void SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemText(m_hWnd, nID, lpszString); }
    int GetDlgItemText(int nID, LPTSTR lpStr, int nMaxCount) const
        { return (int)::GetDlgItemText(m_hWnd, nID, lpStr, nMaxCount); }
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE) { ::SetDlgItemInt(m_hWnd, nID, nValue, bSigned); }
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = NULL, BOOL bSigned = TRUE) const
        { return ::GetDlgItemInt(m_hWnd, nID, lpTrans, bSigned); }
    void CheckDlgButton(int nIDButton, UINT nCheck) { ::CheckDlgButton(m_hWnd, nIDButton, nCheck); }
    UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
    void CheckRadioButton(int nIDFirstButton, int nIDLastButton, int nIDCheckButton)
        { ::CheckRadioButton(m_hWnd, nIDFirstButton, nIDLastButton, nIDCheckButton); }
    // The first checked button of the ids from nIDFirstButton to nIDLastButton, or 0.
    int GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton);
    CWnd* GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const
        { return FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious)); }
    CWnd* GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious = FALSE) const
        { return FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl->GetSafeHwnd(), bPrevious)); }
    // The dialog keys (Tab, arrows, Enter, Esc, mnemonics) of this window and its
    // controls; TRUE when lpMsg was one and has been handled.
    BOOL IsDialogMessage(LPMSG lpMsg) { return ::IsDialogMessage(m_hWnd, lpMsg); }
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
        { return ::SendDlgItemMessage(m_hWnd, nID, message, wParam, lParam); }

// Menus; the CMenu objects are temporary unless owned by one
    CMenu* GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
    BOOL SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu->GetSafeHmenu()); }
    void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
    CMenu* GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }

// Dialog data: DoDataExchange with the controls in the direction asked; FALSE when a
// value failed to convert or validate (the user has been told and the control has the
// focus). Control notifications to this window are ignored meanwhile.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

// Modal loops
    // Pumps the thread's messages until EndModalLoop; the loop's result. A WM_QUIT ends
    // it with -1 and is posted again for the outer loop.
    int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal();
    virtual void EndModalLoop(int nResult);

// Positioning
    enum RepositionFlags { reposDefault = 0, reposQuery = 1, reposExtra = 2 };
    // Lays out the control bars among the children with ids nIDFirst to nIDLast
    // (WM_SIZEPARENT, in the children's Z order: the first takes the outermost strip)
    // within the client area (lpRectClient when given), and gives the child nIDLeftOver
    // what they leave. reposQuery moves nothing and puts that rectangle in lpRectParam;
    // reposExtra takes lpRectParam's left, top, right and bottom off it as well.
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
                        LPRECT lpRectParam = NULL, LPCRECT lpRectClient = NULL, BOOL bStretch = TRUE);
    // Centres the window on its owner (pAlternateOwner, the parent, or the main
    // window), or on the screen's work area when there is none; kept inside the work area.
    void CenterWindow(CWnd* pAlternateOwner = NULL);

// Messages
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
        { return ::SendMessage(m_hWnd, message, wParam, lParam); }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
        { return ::PostMessage(m_hWnd, message, wParam, lParam); }
    BOOL SendNotifyMessage(UINT message, WPARAM wParam, LPARAM lParam)
        { return ::SendNotifyMessage(m_hWnd, message, wParam, lParam); }
    // Sends to every child (every descendant with bDeep); with bOnlyPerm, only to windows
    // bound to objects, straight to their WindowProc.
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  BOOL bDeep = TRUE, BOOL bOnlyPerm = FALSE);
    // A message box owned by this window; NULL caption: the application's name.
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = NULL, UINT nType = MB_OK);

    // The message being handled, with the time and cursor position of the last message
    // taken from the queue.
    static const MSG* PASCAL GetCurrentMessage();
    // The default handling of the message being handled.
    LRESULT Default();

    // Gives the window a look at a message from the loop before it is dispatched; TRUE
    // when the message was handled and must not be dispatched.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // PreTranslateMessage of pMsg's window and of each window bound to an object up its
    // chain of parents and owners, up to hWndStop; TRUE when one of them handled it.
    static BOOL PASCAL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

// Reflection of notifications to the controls that sent them
    // Offers the message being handled to hWndChild's object (OnChildNotify); TRUE when
    // the child handled it.
    static BOOL PASCAL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = NULL);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = NULL);

// Implementation of dialogs
    // The window that owns the dialogs of pParent: its first ancestor (or itself) that
    // is not a child window; without pParent, the last active popup of the main window.
    // With pWndTop, the top-level window of the owner (GetTopLevelParent) is disabled
    // when it is enabled and not the owner itself, and returned there to be enabled
    // again; otherwise *pWndTop is NULL.
    static CWnd* PASCAL GetSafeOwner(CWnd* pParent = NULL, HWND* pWndTop = NULL);
    // Creates a dialog window from a template in memory, bound to this object;
    // controls and resources named by the template come from hInst.
    BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);
    // Adds the strings of the RT_DLGINIT resource named lpszResourceName (found through
    // the resource chain) to this dialog's combo and list boxes. TRUE when there is no
    // such resource or no name; FALSE when a control refused a string or the data is
    // cut short (the records before stay).
    BOOL ExecuteDlgInit(LPCTSTR lpszResourceName);

protected:
    // Exchanges the dialog's data with its controls: the DDX_ and DDV_ calls.
    virtual void DoDataExchange(CDataExchange* pDX);
    // Dialog keys of this window's dialog, for PreTranslateMessage.
    BOOL PreTranslateInput(LPMSG lpMsg);

    int m_nModalResult;     // of the modal loop

    // A notification from the parent about this control; the default reflects it to
    // this object's map (ReflectChildNotify).
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

// Message handling
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The window's own procedure from before subclassing, or USER's default.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The handler of the message map, WM_COMMAND through OnCommand and WM_NOTIFY through
    // OnNotify; FALSE when there is none.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Called after the window is gone and the object unbound: a self-deleting class
    // deletes itself here.
    virtual void PostNcDestroy();

    WNDPROC m_pfnSuper;     // the window's procedure before it was subclassed

    friend LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    friend LRESULT CALLBACK AfxCbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam);

// Message handlers: the default handling of each is Default(); the owner-draw, colour,
// scroll and parent-notify handlers first offer the message to the control concerned.
protected:
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized) { Default(); }
    afx_msg void OnActivateApp(BOOL bActive, HTASK hTask) { Default(); }
    afx_msg void OnCancelMode() { Default(); }
    afx_msg void OnCaptureChanged(CWnd* pWnd) { Default(); }
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) { Default(); }
    afx_msg int OnCharToItem(UINT nChar, CListBox* pListBox, UINT nIndex);
    afx_msg void OnChildActivate() { Default(); }
    afx_msg void OnClose() { Default(); }
    afx_msg int OnCompareItem(int nIDCtl, LPCOMPAREITEMSTRUCT lpCompareItemStruct);
    afx_msg void OnCompacting(UINT nCpuTime) { Default(); }
    // pWnd: the window clicked; point in screen coordinates, (-1, -1) from the keyboard.
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point) { Default(); }
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct) { return (int)Default(); }
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnDeleteItem(int nIDCtl, LPDELETEITEMSTRUCT lpDeleteItemStruct);
    afx_msg void OnDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags) { Default(); }
    afx_msg void OnDestroy() { Default(); }
    // A printer's settings changed in the control panel: the printer's name.
    afx_msg void OnDevModeChange(LPTSTR lpDeviceName) { Default(); }
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    // Files dropped from the shell: DragQueryFile reads them, DragFinish frees hDropInfo.
    afx_msg void OnDropFiles(HDROP hDropInfo) { Default(); }
    afx_msg void OnEnable(BOOL bEnable) { Default(); }
    afx_msg void OnEndSession(BOOL bEnding) { Default(); }
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho) { Default(); }
    afx_msg BOOL OnEraseBkgnd(CDC* pDC) { return (BOOL)Default(); }
    afx_msg void OnFontChange() { Default(); }
    afx_msg UINT OnGetDlgCode() { return (UINT)Default(); }
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI) { Default(); }
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    // F1 (WM_HELP, from the focus up to its top-level window). A top-level window asks
    // the main window for ID_HELP, which the application's OnHelp answers with the
    // help of what is active; TRUE then. A child passes the message on to its parent.
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    // Erases the background of a minimized window's icon area.
    afx_msg void OnIconEraseBkgnd(CDC* pDC) { Default(); }
    afx_msg void OnInitMenu(CMenu* pMenu) { Default(); }
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu) { Default(); }
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { Default(); }
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) { Default(); }
    afx_msg void OnKillFocus(CWnd* pNewWnd) { Default(); }
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point) { Default(); }
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point) { Default(); }
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point) { Default(); }
    afx_msg void OnMButtonDblClk(UINT nFlags, CPoint point) { Default(); }
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point) { Default(); }
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point) { Default(); }
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd) { Default(); }
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu) { Default(); }
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) { return (int)Default(); }
    afx_msg void OnMouseMove(UINT nFlags, CPoint point) { Default(); }
    afx_msg void OnMove(int x, int y) { Default(); }
    afx_msg BOOL OnNcActivate(BOOL bActive) { return (BOOL)Default(); }
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct) { return (BOOL)Default(); }
    // The client area inside the window rectangle (in lpncsp->rgrc[0]).
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp) { Default(); }
    // Ends the binding: the default handling, the window's own procedure back, unbinding,
    // then PostNcDestroy. The main window of the thread also ends its message loop, and a
    // window in a modal loop that was not ended ends it with -1.
    afx_msg void OnNcDestroy();
    afx_msg UINT OnNcHitTest(CPoint point) { return (UINT)Default(); }
    // Mouse messages outside the client area: the hit-test code and the point in screen
    // coordinates.
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point) { Default(); }
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point) { Default(); }
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point) { Default(); }
    afx_msg void OnNcMButtonDblClk(UINT nHitTest, CPoint point) { Default(); }
    afx_msg void OnNcMButtonDown(UINT nHitTest, CPoint point) { Default(); }
    afx_msg void OnNcMButtonUp(UINT nHitTest, CPoint point) { Default(); }
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point) { Default(); }
    afx_msg void OnNcRButtonDblClk(UINT nHitTest, CPoint point) { Default(); }
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point) { Default(); }
    afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point) { Default(); }
    afx_msg void OnNcPaint() { Default(); }
    afx_msg void OnPaint() { Default(); }
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd) { Default(); }
    afx_msg void OnPaletteIsChanging(CWnd* pRealizeWnd) { Default(); }
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    // The cursor shown while a minimized window without a class icon is dragged.
    afx_msg HCURSOR OnQueryDragIcon() { return (HCURSOR)Default(); }
    afx_msg BOOL OnQueryEndSession() { return (BOOL)Default(); }
    afx_msg BOOL OnQueryNewPalette() { return (BOOL)Default(); }
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point) { Default(); }
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point) { Default(); }
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point) { Default(); }
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) { return (BOOL)Default(); }
    afx_msg void OnSetFocus(CWnd* pOldWnd) { Default(); }
    // A system setting changed: the SPI_ value, and the section or policy name.
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection) { Default(); }
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus) { Default(); }
    afx_msg void OnSize(UINT nType, int cx, int cy) { Default(); }
    afx_msg void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags) { Default(); }
    afx_msg void OnSysColorChange() { Default(); }
    afx_msg void OnSysDeadChar(UINT nChar, UINT nRepCnt, UINT nFlags) { Default(); }
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam) { Default(); }
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) { Default(); }
    afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags) { Default(); }
    afx_msg void OnTimeChange() { Default(); }
    afx_msg void OnTimer(UINT nIDEvent) { Default(); }
    afx_msg int OnVKeyToItem(UINT nKey, CListBox* pListBox, UINT nIndex);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos) { Default(); }
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos) { Default(); }
    // The same message as OnSettingChange, as older programs handle it.
    afx_msg void OnWinIniChange(LPCTSTR lpszSection) { Default(); }

    DECLARE_MESSAGE_MAP()

private:
    // The insert-after values: bound to nothing, never destroyed.
    explicit CWnd(HWND hWnd) : m_hWnd(hWnd), m_nFlags(0), m_nModalResult(0), m_pfnSuper(NULL) {}
};

// The framework's window procedure: it hands each message to the window's object.
AFX_FRAMEWORK LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
AFX_FRAMEWORK WNDPROC AFXAPI AfxGetAfxWndProc();
// pWnd->WindowProc with the message recorded as the current one; an exception thrown by
// a handler ends here (the thread's ProcessWndProcException gives the result).
AFX_FRAMEWORK LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0);

// The creation hook: the next window the thread creates is bound to pWnd and
// subclassed before its first message. AfxUnhookWindowCreate is FALSE when no window
// was bound.
AFX_FRAMEWORK void AFXAPI AfxHookWindowCreate(CWnd* pWnd);
AFX_FRAMEWORK BOOL AFXAPI AfxUnhookWindowCreate();

// Window classes registered with USER's default procedure (the framework subclasses
// each window at creation). AfxRegisterWndClass returns a name of the form
// "Afx:..." that stays valid until the thread's next call.
AFX_FRAMEWORK LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = 0,
                                                 HBRUSH hbrBackground = 0, HICON hIcon = 0);
// Registers lpWndClass unless its name is already registered for its instance.
AFX_FRAMEWORK BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass);
