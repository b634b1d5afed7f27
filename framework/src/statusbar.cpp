// CStatusBar over the common status bar control: the panes (id, style, width, text)
// kept by the bar and handed to the control as parts, the stretchy pane, the window
// text as the first pane's, and the idle update of the indicators.
#include "afxext.h"
#include "afxcmn.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

namespace {

// What a pane adds to its text's width: its edges and the margins inside them.
const int cxPaneEdges = 8;
// The most parts the control takes.
const int nMaxPanes = 255;

// The state of one indicator as an ON_UPDATE_COMMAND_UI handler sets it: a disabled
// pane keeps its text but shows none, a checked one pops out.
class CStatusCmdUI : public CCmdUI
{
public:
    CStatusBar* Bar() const { return static_cast<CStatusBar*>(m_pOther); }

    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        UINT nOldStyle = Bar()->GetPaneStyle(m_nIndex);
        UINT nNewStyle = bOn ? nOldStyle & ~SBPS_DISABLED : nOldStyle | SBPS_DISABLED;
        if (nNewStyle != nOldStyle)
            Bar()->SetPaneStyle(m_nIndex, nNewStyle);
    }

    void SetCheck(int nCheck) override
    {
        UINT nOldStyle = Bar()->GetPaneStyle(m_nIndex);
        UINT nNewStyle = nCheck ? nOldStyle | SBPS_POPOUT : nOldStyle & ~SBPS_POPOUT;
        if (nNewStyle != nOldStyle)
            Bar()->SetPaneStyle(m_nIndex, nNewStyle);
    }

    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }

    void SetText(LPCTSTR lpszText) override { Bar()->SetPaneText(m_nIndex, lpszText); }
};

} // namespace

CStatusBar::CStatusBar() = default;

CStatusBar::~CStatusBar() = default;

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    // The bar lays itself out: the control neither moves nor sizes itself.
    DWORD dwCtrlStyle = CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE;
    if (!AfxInitCommonControls() || !CreateBar(STATUSCLASSNAMEA, pParentWnd, dwStyle, dwCtrlStyle, nID))
        return FALSE;
    SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT));
    return TRUE;
}

int CStatusBar::TextWidth(LPCTSTR lpszText) const
{
    HDC hDC = ::GetDC(m_hWnd);
    HGDIOBJ hOldFont = ::SelectObject(hDC, (HFONT)::SendMessage(m_hWnd, WM_GETFONT, 0, 0));
    SIZE size = {};
    ::GetTextExtentPoint32(hDC, lpszText, lstrlen(lpszText), &size);
    ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(m_hWnd, hDC);
    return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0 || nIDCount > nMaxPanes || (nIDCount > 0 && lpIDArray == NULL))
        return FALSE;
    BOOL bResult = TRUE;
    m_arrPanes.RemoveAll();
    for (int nIndex = 0; nIndex < nIDCount; nIndex++)
    {
        CPane pane;
        pane.nID = lpIDArray[nIndex];
        pane.nStyle = SBPS_NORMAL;
        pane.cxText = 0;
        if (pane.nID != ID_SEPARATOR)
        {
            if (!pane.strText.LoadString(pane.nID))
                bResult = FALSE;
            pane.cxText = TextWidth(pane.strText);
        }
        m_arrPanes.Add(pane);
    }
    if (nIDCount > 0)
    {
        m_arrPanes[0].nStyle |= SBPS_STRETCH;
        if (m_arrPanes[0].nID == ID_SEPARATOR)
            m_arrPanes[0].nStyle |= SBPS_NOBORDERS;
    }
    m_nCount = nIDCount;
    UpdateParts();
    for (int nIndex = 0; nIndex < nIDCount; nIndex++)
        UpdatePaneText(nIndex);
    return bResult;
}

void CStatusBar::UpdateParts()
{
    int nPanes = (int)m_arrPanes.GetSize();
    int anBorders[3] = {};
    SendMessage(SB_GETBORDERS, 0, (LPARAM)anBorders);
    CRect rectClient;
    GetClientRect(&rectClient);

    // The stretchy pane (the first with SBPS_STRETCH) gets what the others leave.
    int nStretch = -1;
    int cxFixed = anBorders[0] * 2;
    for (int nIndex = 0; nIndex < nPanes; nIndex++)
    {
        const CPane& pane = m_arrPanes[nIndex];
        if (nStretch < 0 && (pane.nStyle & SBPS_STRETCH))
            nStretch = nIndex;
        else
            cxFixed += pane.cxText + cxPaneEdges;
        if (nIndex > 0)
            cxFixed += anBorders[2];
    }

    CArray<int, int> arrRights;
    int x = anBorders[0];
    for (int nIndex = 0; nIndex < nPanes; nIndex++)
    {
        const CPane& pane = m_arrPanes[nIndex];
        x += nIndex == nStretch ? max(0, rectClient.Width() - cxFixed) : pane.cxText + cxPaneEdges;
        arrRights.Add(x);
        x += anBorders[2];
    }
    // Without panes the control shows one empty part.
    if (nPanes == 0)
    {
        int nRight = -1;
        SendMessage(SB_SETPARTS, 1, (LPARAM)&nRight);
        SendMessage(SB_SETTEXT, 0, (LPARAM) "");
        return;
    }
    SendMessage(SB_SETPARTS, nPanes, (LPARAM)arrRights.GetData());
}

void CStatusBar::UpdatePaneText(int nIndex)
{
    const CPane& pane = m_arrPanes[nIndex];
    LPCTSTR lpszShown = (pane.nStyle & SBPS_DISABLED) ? "" : (LPCTSTR)pane.strText;
    SendMessage(SB_SETTEXT, nIndex | (pane.nStyle & (SBT_NOBORDERS | SBT_POPOUT)), (LPARAM)lpszShown);
}

// Panes

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int nIndex = 0; nIndex < m_arrPanes.GetSize(); nIndex++)
    {
        if (m_arrPanes[nIndex].nID == nIDFind)
            return nIndex;
    }
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_arrPanes.GetSize() ? m_arrPanes[nIndex].nID : ID_SEPARATOR;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (nIndex < 0 || nIndex >= m_arrPanes.GetSize() || !::SendMessage(m_hWnd, SB_GETRECT, nIndex, (LPARAM)lpRect))
        ::SetRectEmpty(lpRect);
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    CString strText;
    GetPaneText(nIndex, strText);
    return strText;
}

void CStatusBar::GetPaneText(int nIndex, CString& rString) const
{
    if (nIndex >= 0 && nIndex < m_arrPanes.GetSize())
        rString = m_arrPanes[nIndex].strText;
    else
        rString.Empty();
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || nIndex >= m_arrPanes.GetSize())
        return FALSE;
    CPane& pane = m_arrPanes[nIndex];
    CString strNew = lpszNewText != NULL ? lpszNewText : "";
    // The same text again would only make the pane flicker.
    if (pane.strText == strNew)
        return TRUE;
    pane.strText = strNew;
    UpdatePaneText(nIndex);
    if (bUpdate)
        UpdateWindow();
    return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    nID = ID_SEPARATOR;
    nStyle = 0;
    cxWidth = 0;
    if (nIndex < 0 || nIndex >= m_arrPanes.GetSize())
        return;
    const CPane& pane = m_arrPanes[nIndex];
    nID = pane.nID;
    nStyle = pane.nStyle;
    cxWidth = pane.cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || nIndex >= m_arrPanes.GetSize())
        return;
    CPane& pane = m_arrPanes[nIndex];
    pane.nID = nID;
    pane.nStyle = nStyle;
    pane.cxText = max(0, cxWidth);
    UpdateParts();
    UpdatePaneText(nIndex);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    return nIndex >= 0 && nIndex < m_arrPanes.GetSize() ? m_arrPanes[nIndex].nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || nIndex >= m_arrPanes.GetSize() || m_arrPanes[nIndex].nStyle == nStyle)
        return;
    BOOL bStretchChanged = ((m_arrPanes[nIndex].nStyle ^ nStyle) & SBPS_STRETCH) != 0;
    m_arrPanes[nIndex].nStyle = nStyle;
    if (bStretchChanged)
        UpdateParts();
    UpdatePaneText(nIndex);
}

// Layout

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL)
{
    // A row of the font's height inside the control's borders and the panes' edges.
    HDC hDC = ::GetDC(m_hWnd);
    HGDIOBJ hOldFont = ::SelectObject(hDC, (HFONT)SendMessage(WM_GETFONT));
    TEXTMETRIC tm = {};
    ::GetTextMetrics(hDC, &tm);
    ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(m_hWnd, hDC);
    int anBorders[3] = {};
    SendMessage(SB_GETBORDERS, 0, (LPARAM)anBorders);

    CSize sizeItems(anBorders[0] * 2, tm.tmHeight + 2 * anBorders[1] + 4);
    for (int nIndex = 0; nIndex < m_arrPanes.GetSize(); nIndex++)
        sizeItems.cx += m_arrPanes[nIndex].cxText + cxPaneEdges + (nIndex > 0 ? anBorders[2] : 0);
    return SizeAroundItems(sizeItems, bStretch, TRUE);
}

void CStatusBar::OnSize(UINT, int, int)
{
    Default();
    UpdateParts();
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    return SetPaneText(0, (LPCTSTR)lParam);
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    if (wParam == 0 || lParam == 0)
        return 0;
    CString strText = GetPaneText(0);
    ::lstrcpyn((LPTSTR)lParam, strText, (int)wParam);
    return lstrlen((LPTSTR)lParam);
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    return GetPaneText(0).GetLength();
}

// The idle update

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_arrPanes.GetSize();
    // A handler may destroy the bar, or the frame with it: the walk ends once the
    // window is no longer this bar's. Indicators without a handler stay as they are.
    HWND hWnd = m_hWnd;
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        state.m_nID = m_arrPanes[state.m_nIndex].nID;
        if (state.m_nID == ID_SEPARATOR)
            continue;
        state.DoUpdate(pTarget, FALSE);
        if (FromHandlePermanent(hWnd) != this)
            return;
        state.m_nIndexMax = (UINT)m_arrPanes.GetSize();
    }
}
