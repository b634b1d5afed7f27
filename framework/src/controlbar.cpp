// CControlBar: the bar styles, the bar's place in its frame's list, its strip of the
// parent taken through WM_SIZEPARENT, and the idle update of its items; and
// CWnd::RepositionBars, the layout that asks each bar for its strip.
#include "afxext.h"
#include "afxpriv.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_NCPAINT()
    ON_MESSAGE(WM_NCCALCSIZE, OnNcCalcSize)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::CControlBar()
    : m_bAutoDelete(FALSE), m_cxLeftBorder(0), m_cxRightBorder(0), m_cyTopBorder(0), m_cyBottomBorder(0),
      m_nCount(0), m_dwStyle(0), m_dwDockStyle(0), m_pDockSite(NULL)
{
}

CControlBar::~CControlBar()
{
    // The window, if any, is destroyed by CWnd's destructor, where this class's
    // OnDestroy no longer runs.
    LeaveDockSite();
}

void CControlBar::LeaveDockSite()
{
    if (m_pDockSite != NULL)
        m_pDockSite->RemoveControlBar(this);
    m_pDockSite = NULL;
}

BOOL CControlBar::CreateBar(LPCTSTR lpszClassName, CWnd* pParentWnd, DWORD dwStyle, DWORD dwCtrlStyle, UINT nID)
{
    ASSERT(pParentWnd != NULL);
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | WS_CHILD;
    return CWnd::Create(lpszClassName, NULL, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    DWORD dwOldStyle = m_dwStyle;
    if (dwOldStyle == dwStyle)
        return;
    m_dwStyle = dwStyle;
    OnBarStyleChange(dwOldStyle, dwStyle);
    if (m_hWnd == NULL)
        return;
    // Other edges make another client area.
    if ((dwOldStyle ^ dwStyle) & (CBRS_BORDER_ANY | CBRS_BORDER_3D))
        SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
}

void CControlBar::OnBarStyleChange(DWORD, DWORD) {}

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    // Only the sides: floating is not offered.
    m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
}

CRect CControlBar::BorderEdges() const
{
    int nWidth = (m_dwStyle & CBRS_BORDER_3D) ? 2 : 1;
    return CRect(m_dwStyle & CBRS_BORDER_LEFT ? nWidth : 0, m_dwStyle & CBRS_BORDER_TOP ? nWidth : 0,
                 m_dwStyle & CBRS_BORDER_RIGHT ? nWidth : 0, m_dwStyle & CBRS_BORDER_BOTTOM ? nWidth : 0);
}

LRESULT CControlBar::OnNcCalcSize(WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = Default();
    RECT* pRect = wParam ? &((NCCALCSIZE_PARAMS*)lParam)->rgrc[0] : (RECT*)lParam;
    CRect rectEdges = BorderEdges();
    pRect->left += rectEdges.left;
    pRect->top += rectEdges.top;
    pRect->right = max(pRect->left, pRect->right - rectEdges.right);
    pRect->bottom = max(pRect->top, pRect->bottom - rectEdges.bottom);
    return lResult;
}

void CControlBar::OnNcPaint()
{
    Default();
    CRect rectEdges = BorderEdges();
    if (rectEdges.IsRectNull())
        return;
    CWindowDC dc(this);
    CRect rect;
    GetWindowRect(&rect);
    rect.OffsetRect(-rect.left, -rect.top);
    if (m_dwStyle & CBRS_BORDER_3D)
    {
        UINT nSides = (rectEdges.left ? BF_LEFT : 0) | (rectEdges.top ? BF_TOP : 0) | (rectEdges.right ? BF_RIGHT : 0)
                      | (rectEdges.bottom ? BF_BOTTOM : 0);
        dc.DrawEdge(&rect, EDGE_ETCHED, nSides);
        return;
    }
    COLORREF crLine = ::GetSysColor(COLOR_BTNSHADOW);
    if (rectEdges.left)
        dc.FillSolidRect(rect.left, rect.top, 1, rect.Height(), crLine);
    if (rectEdges.top)
        dc.FillSolidRect(rect.left, rect.top, rect.Width(), 1, crLine);
    if (rectEdges.right)
        dc.FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), crLine);
    if (rectEdges.bottom)
        dc.FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, crLine);
}

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return SizeAroundItems(CSize(0, 0), bStretch, bHorz);
}

CSize CControlBar::SizeAroundItems(CSize sizeItems, BOOL bStretch, BOOL bHorz) const
{
    CRect rectEdges = BorderEdges();
    CSize size = sizeItems + CSize(m_cxLeftBorder + m_cxRightBorder + rectEdges.left + rectEdges.right,
                                   m_cyTopBorder + m_cyBottomBorder + rectEdges.top + rectEdges.bottom);
    // A stretched bar is as long as its side.
    if (bStretch)
    {
        if (bHorz)
            size.cx = 32767;
        else
            size.cy = 32767;
    }
    return size;
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode)
{
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZ) != 0);
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

int CControlBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_pDockSite = GetParentFrame();
    if (m_pDockSite != NULL)
        m_pDockSite->AddControlBar(this);
    return 0;
}

void CControlBar::OnDestroy()
{
    LeaveDockSite();
    CWnd::OnDestroy();
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    AFX_SIZEPARENTPARAMS* lpLayout = (AFX_SIZEPARENTPARAMS*)lParam;
    DWORD dwAlign = m_dwStyle & CBRS_ALIGN_ANY;
    if (!(GetStyle() & WS_VISIBLE) || dwAlign == 0)
        return 0;

    CRect rectFree(lpLayout->rect);
    BOOL bHorz = (dwAlign & CBRS_ORIENT_HORZ) != 0;
    CSize size = CalcFixedLayout(lpLayout->bStretch, bHorz);
    size.cx = min(size.cx, rectFree.Width());
    size.cy = min(size.cy, rectFree.Height());

    // The strip along the bar's side; the rest stays free for the bars that follow.
    CRect rect(rectFree.TopLeft(), size);
    if (dwAlign & CBRS_ALIGN_TOP)
        lpLayout->rect.top += size.cy;
    else if (dwAlign & CBRS_ALIGN_BOTTOM)
    {
        rect.OffsetRect(0, rectFree.Height() - size.cy);
        lpLayout->rect.bottom -= size.cy;
    }
    else if (dwAlign & CBRS_ALIGN_LEFT)
        lpLayout->rect.left += size.cx;
    else
    {
        rect.OffsetRect(rectFree.Width() - size.cx, 0);
        lpLayout->rect.right -= size.cx;
    }
    if (bHorz)
    {
        lpLayout->sizeTotal.cy += size.cy;
        lpLayout->sizeTotal.cx = max(lpLayout->sizeTotal.cx, size.cx);
    }
    else
    {
        lpLayout->sizeTotal.cx += size.cx;
        lpLayout->sizeTotal.cy = max(lpLayout->sizeTotal.cy, size.cy);
    }

    if (lpLayout->hDWP != NULL)
    {
        CRect rectOld;
        GetWindowRect(&rectOld);
        GetParent()->ScreenToClient(&rectOld);
        if (rectOld != rect)
            lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, NULL, rect.left, rect.top, rect.Width(),
                                              rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    CFrameWnd* pTarget = m_pDockSite != NULL ? m_pDockSite : GetParentFrame();
    if (pTarget != NULL)
        OnUpdateCmdUI(pTarget, (BOOL)wParam);
    return 0;
}

// The layout

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient != NULL)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    layout.hDWP = nFlag & reposQuery ? NULL : ::BeginDeferWindowPos(8);

    // Each bar may run code of its own: the walk goes by handles, and ends when the
    // parent or the bar it stands at is gone.
    HWND hWndParent = m_hWnd;
    HWND hWndLeftOver = NULL;
    for (HWND hWndChild = ::GetTopWindow(hWndParent); hWndChild != NULL;)
    {
        UINT nIDChild = (UINT)::GetDlgCtrlID(hWndChild);
        if (nIDChild == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nIDChild >= nIDFirst && nIDChild <= nIDLast && FromHandlePermanent(hWndChild) != NULL)
            ::SendMessage(hWndChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
        if (!::IsWindow(hWndParent) || !::IsWindow(hWndChild))
        {
            if (layout.hDWP != NULL)
                ::EndDeferWindowPos(layout.hDWP);
            return;
        }
        hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT);
    }

    if ((nFlag & reposExtra) && lpRectParam != NULL)
    {
        layout.rect.left += lpRectParam->left;
        layout.rect.top += lpRectParam->top;
        layout.rect.right -= lpRectParam->right;
        layout.rect.bottom -= lpRectParam->bottom;
    }
    if (nFlag & reposQuery)
    {
        ASSERT(lpRectParam != NULL);
        if (lpRectParam != NULL)
            *lpRectParam = layout.rect;
        return;
    }
    // The pane's window, edges and all, covers what is left.
    if (hWndLeftOver != NULL && layout.hDWP != NULL)
        layout.hDWP = ::DeferWindowPos(layout.hDWP, hWndLeftOver, NULL, layout.rect.left, layout.rect.top,
                                       layout.rect.right - layout.rect.left, layout.rect.bottom - layout.rect.top,
                                       SWP_NOZORDER | SWP_NOACTIVATE);
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
}
