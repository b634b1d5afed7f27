// CToolBar over the common toolbar control: creation, sizes, the image well and the
// buttons from resources, the buttons' ids, styles and rectangles, the layout along a
// side, and the idle update of each button through the command route.
#include "afxext.h"
#include "afxcmn.h"

#include <vector>

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
END_MESSAGE_MAP()

namespace {

// The resource type of TOOLBAR statements.
const LPCTSTR RT_TOOLBAR_RESOURCE = MAKEINTRESOURCE(241);

// A separator's width, in TBBUTTON::iBitmap.
const int cxDefaultSeparator = 6;

// The content of a TOOLBAR resource.
struct CToolBarResource
{
    CSize sizeImage;
    std::vector<UINT> arrIDs;
};

// Reads a TOOLBAR resource of either layout: the resource compiler's, WORDs (version 1,
// width, height, count, the ids), or windres's, DWORDs without the version (width,
// height, count, the ids). FALSE when the bytes hold neither exactly.
BOOL ParseToolBarResource(const BYTE* pData, DWORD cbData, CToolBarResource& toolbar)
{
    auto word = [pData](DWORD nAt) { return (UINT)(pData[nAt] | pData[nAt + 1] << 8); };
    auto dword = [pData](DWORD nAt) {
        return (DWORD)pData[nAt] | (DWORD)pData[nAt + 1] << 8 | (DWORD)pData[nAt + 2] << 16 | (DWORD)pData[nAt + 3] << 24;
    };
    if (cbData >= 8 && word(0) == 1 && word(2) != 0 && word(4) != 0 && cbData == 8 + 2 * (DWORD)word(6))
    {
        toolbar.sizeImage = CSize((int)word(2), (int)word(4));
        for (DWORD nAt = 8; nAt < cbData; nAt += 2)
            toolbar.arrIDs.push_back(word(nAt));
        return TRUE;
    }
    if (cbData >= 12 && dword(0) != 0 && dword(0) <= 0x7FFF && dword(4) != 0 && dword(4) <= 0x7FFF
        && dword(8) <= (cbData - 12) / 4 && cbData == 12 + 4 * dword(8))
    {
        toolbar.sizeImage = CSize((int)dword(0), (int)dword(4));
        for (DWORD nAt = 12; nAt < cbData; nAt += 4)
            toolbar.arrIDs.push_back(dword(nAt));
        return TRUE;
    }
    return FALSE;
}

// The state of one button as an ON_UPDATE_COMMAND_UI handler sets it.
class CToolCmdUI : public CCmdUI
{
public:
    CToolBar* Bar() const { return static_cast<CToolBar*>(m_pOther); }

    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        UINT nOldStyle = Bar()->GetButtonStyle(m_nIndex);
        // A disabled button is not left pressed.
        UINT nNewStyle = bOn ? nOldStyle & ~TBBS_DISABLED : (nOldStyle | TBBS_DISABLED) & ~TBBS_PRESSED;
        if (nNewStyle != nOldStyle)
            Bar()->SetButtonStyle(m_nIndex, nNewStyle);
    }

    void SetCheck(int nCheck) override
    {
        UINT nOldStyle = Bar()->GetButtonStyle(m_nIndex);
        UINT nNewStyle = nOldStyle & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
        if (nCheck == 1)
            nNewStyle |= TBBS_CHECKED;
        else if (nCheck == 2)
            nNewStyle |= TBBS_INDETERMINATE;
        if (nNewStyle != nOldStyle)
            Bar()->SetButtonStyle(m_nIndex, nNewStyle | TBBS_CHECKBOX);
    }

    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }

    // Buttons show no text.
    void SetText(LPCTSTR) override {}
};

} // namespace

CToolBar::CToolBar()
    : m_sizeButton(23, 22), m_sizeImage(16, 15), m_cyHeight(0), m_hbmImageWell(NULL), m_nIDFlyBy(0)
{
}

CToolBar::~CToolBar()
{
    // The control keeps its own copy of the images.
    if (m_hbmImageWell != NULL)
        ::DeleteObject(m_hbmImageWell);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    // The bar lays itself out; the control's tips are switched with CBRS_TOOLTIPS.
    DWORD dwCtrlStyle = CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE | TBSTYLE_TOOLTIPS;
    if (!AfxInitCommonControls() || !CreateBar(TOOLBARCLASSNAME, pParentWnd, dwStyle, dwCtrlStyle, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    SetSizes(m_sizeButton, m_sizeImage);
    OnBarStyleChange(0, m_dwStyle);
    return TRUE;
}

void CToolBar::OnBarStyleChange(DWORD, DWORD dwNewStyle)
{
    if (HWND hWndTip = (HWND)SendMessage(TB_GETTOOLTIPS))
        ::SendMessage(hWndTip, TTM_ACTIVATE, (dwNewStyle & CBRS_TOOLTIPS) != 0, 0);
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    ASSERT(sizeButton.cx - sizeImage.cx >= 7 && sizeButton.cy - sizeImage.cy >= 6);
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(sizeButton.cx, sizeButton.cy));
    Invalidate();
}

void CToolBar::SetHeight(int cyHeight)
{
    m_cyHeight = cyHeight;
    Invalidate();
}

BOOL CToolBar::LoadToolBar(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_TOOLBAR_RESOURCE);
    HRSRC hRsrc = ::FindResource(hInst, lpszResourceName, RT_TOOLBAR_RESOURCE);
    HGLOBAL hGlobal = hRsrc != NULL ? ::LoadResource(hInst, hRsrc) : NULL;
    const BYTE* pData = hGlobal != NULL ? (const BYTE*)::LockResource(hGlobal) : NULL;
    CToolBarResource toolbar;
    if (pData == NULL || !ParseToolBarResource(pData, ::SizeofResource(hInst, hRsrc), toolbar))
        return FALSE;
    // The images must be there before anything changes.
    if (::FindResource(AfxFindResourceHandle(lpszResourceName, RT_BITMAP), lpszResourceName, RT_BITMAP) == NULL)
        return FALSE;

    SetSizes(CSize(toolbar.sizeImage.cx + 7, toolbar.sizeImage.cy + 7), toolbar.sizeImage);
    return LoadBitmap(lpszResourceName) && SetButtons(toolbar.arrIDs.data(), (int)toolbar.arrIDs.size());
}

BOOL CToolBar::LoadBitmap(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    if (::FindResource(hInst, lpszResourceName, RT_BITMAP) == NULL)
        return FALSE;
    // CreateMappedBitmap finds a named bitmap by its wide name.
    WCHAR szName[256] = L"";
    INT_PTR idBitmap = (INT_PTR)lpszResourceName;
    if (!IS_INTRESOURCE(lpszResourceName))
    {
        if (::MultiByteToWideChar(CP_ACP, 0, lpszResourceName, -1, szName, _countof(szName)) == 0)
            return FALSE;
        idBitmap = (INT_PTR)szName;
    }
    HBITMAP hbmNew = ::CreateMappedBitmap(hInst, idBitmap, 0, NULL, 0);
    if (hbmNew == NULL)
        return FALSE;

    BITMAP bm = {};
    ::GetObject(hbmNew, sizeof bm, &bm);
    int nImages = m_sizeImage.cx > 0 ? bm.bmWidth / m_sizeImage.cx : 0;
    BOOL bDone;
    if (m_hbmImageWell == NULL)
    {
        TBADDBITMAP addBitmap = { NULL, (UINT_PTR)hbmNew };
        bDone = SendMessage(TB_ADDBITMAP, nImages, (LPARAM)&addBitmap) != -1;
    }
    else
    {
        TBREPLACEBITMAP replace = { NULL, (UINT_PTR)m_hbmImageWell, NULL, (UINT_PTR)hbmNew, nImages };
        bDone = SendMessage(TB_REPLACEBITMAP, 0, (LPARAM)&replace) != 0;
    }
    if (!bDone)
    {
        ::DeleteObject(hbmNew);
        return FALSE;
    }
    if (m_hbmImageWell != NULL)
        ::DeleteObject(m_hbmImageWell);
    m_hbmImageWell = hbmNew;
    Invalidate();
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    if (nIDCount < 0)
        return FALSE;
    while (SendMessage(TB_DELETEBUTTON, 0))
        ;
    std::vector<TBBUTTON> arrButtons(nIDCount);
    int iImage = 0;
    for (int nIndex = 0; nIndex < nIDCount; nIndex++)
    {
        TBBUTTON& button = arrButtons[nIndex];
        button.fsState = TBSTATE_ENABLED;
        if (lpIDArray == NULL || lpIDArray[nIndex] == ID_SEPARATOR)
        {
            button.fsStyle = TBSTYLE_SEP;
            button.iBitmap = cxDefaultSeparator;
        }
        else
        {
            button.fsStyle = TBSTYLE_BUTTON;
            button.idCommand = (int)lpIDArray[nIndex];
            button.iBitmap = iImage++;
        }
    }
    m_nCount = 0;
    if (nIDCount > 0 && !SendMessage(TB_ADDBUTTONS, nIDCount, (LPARAM)arrButtons.data()))
        return FALSE;
    m_nCount = nIDCount;
    Invalidate();
    return TRUE;
}

// Buttons

BOOL CToolBar::GetButton(int nIndex, TBBUTTON* pButton) const
{
    *pButton = {};
    return nIndex >= 0 && ::SendMessage(m_hWnd, TB_GETBUTTON, nIndex, (LPARAM)pButton);
}

void CToolBar::SetButton(int nIndex, const TBBUTTON& button)
{
    TBBUTTON old;
    if (!GetButton(nIndex, &old))
        return;
    if (old.idCommand == button.idCommand && old.iBitmap == button.iBitmap && old.fsStyle == button.fsStyle)
    {
        // Only the state: set in place.
        if (old.fsState != button.fsState)
            SetButtonState(nIndex, button.fsState);
        return;
    }
    SendMessage(TB_DELETEBUTTON, nIndex);
    SendMessage(TB_INSERTBUTTON, nIndex, (LPARAM)&button);
    Invalidate();
}

void CToolBar::SetButtonState(int nIndex, BYTE fsState)
{
    TBBUTTONINFO info = {};
    info.cbSize = sizeof info;
    info.dwMask = TBIF_BYINDEX | TBIF_STATE;
    info.fsState = fsState;
    SendMessage(TB_SETBUTTONINFO, nIndex, (LPARAM)&info);
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    for (int nIndex = 0; nIndex < m_nCount; nIndex++)
    {
        if (GetItemID(nIndex) == nIDFind)
            return nIndex;
    }
    return -1;
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button) || (button.fsStyle & TBSTYLE_SEP))
        return ID_SEPARATOR;
    return (UINT)button.idCommand;
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (nIndex < 0 || nIndex >= m_nCount || !::SendMessage(m_hWnd, TB_GETITEMRECT, nIndex, (LPARAM)lpRect))
        ::SetRectEmpty(lpRect);
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button))
        return 0;
    return MAKELONG(button.fsStyle, button.fsState ^ TBSTATE_ENABLED);
}

void CToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button))
        return;
    button.fsStyle = (BYTE)LOWORD(nStyle);
    // The row breaks are the layout's, not the caller's.
    button.fsState = (BYTE)((HIWORD(nStyle) ^ TBSTATE_ENABLED) & ~TBSTATE_WRAP) | (button.fsState & TBSTATE_WRAP);
    SetButton(nIndex, button);
}

void CToolBar::GetButtonInfo(int nIndex, UINT& nID, UINT& nStyle, int& iImage) const
{
    TBBUTTON button;
    GetButton(nIndex, &button);
    nID = (UINT)button.idCommand;
    nStyle = GetButtonStyle(nIndex);
    iImage = button.iBitmap;
}

void CToolBar::SetButtonInfo(int nIndex, UINT nID, UINT nStyle, int iImage)
{
    TBBUTTON button;
    if (!GetButton(nIndex, &button))
        return;
    button.idCommand = (int)nID;
    button.iBitmap = iImage;
    button.fsStyle = (BYTE)LOWORD(nStyle);
    button.fsState = (BYTE)((HIWORD(nStyle) ^ TBSTATE_ENABLED) & ~TBSTATE_WRAP) | (button.fsState & TBSTATE_WRAP);
    SetButton(nIndex, button);
}

// Layout

void CToolBar::WrapButtons(BOOL bHorz)
{
    for (int nIndex = 0; nIndex < m_nCount; nIndex++)
    {
        TBBUTTON button;
        if (!GetButton(nIndex, &button))
            break;
        BYTE fsState = bHorz ? button.fsState & ~TBSTATE_WRAP : button.fsState | TBSTATE_WRAP;
        if (fsState != button.fsState)
            SetButtonState(nIndex, fsState);
    }
}

CSize CToolBar::ButtonsExtent() const
{
    CSize size(0, 0);
    for (int nIndex = 0; nIndex < m_nCount; nIndex++)
    {
        CRect rect;
        GetItemRect(nIndex, &rect);
        size.cx = max(size.cx, (int)rect.right);
        size.cy = max(size.cy, (int)rect.bottom);
    }
    return size;
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    WrapButtons(bHorz);
    // The control leaves a margin at the top left of the first button: the bar leaves
    // as much at the bottom right of the last.
    CRect rectFirst;
    GetItemRect(0, &rectFirst);
    CSize sizeItems = m_nCount > 0 ? ButtonsExtent() + CSize(rectFirst.left, rectFirst.top) : m_sizeButton;
    CSize size = SizeAroundItems(sizeItems, bStretch, bHorz);
    if (bHorz && m_cyHeight > 0)
        size.cy = m_cyHeight;
    return size;
}

// The idle update

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)m_nCount;
    // A handler may destroy the bar, or the frame with it: the walk ends once the
    // window is no longer this bar's.
    HWND hWnd = m_hWnd;
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++)
    {
        TBBUTTON button;
        if (!GetButton((int)state.m_nIndex, &button))
            break;
        if (button.fsStyle & TBSTYLE_SEP)
            continue;
        state.m_nID = (UINT)button.idCommand;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
        if (FromHandlePermanent(hWnd) != this)
            return;
        state.m_nIndexMax = (UINT)m_nCount;
    }
}

// The prompts under the cursor

void CToolBar::FlyBy(UINT nID)
{
    if (nID == m_nIDFlyBy)
        return;
    m_nIDFlyBy = nID;
    CFrameWnd* pFrame = m_pDockSite != NULL ? m_pDockSite : GetParentFrame();
    if (pFrame != NULL)
        pFrame->SetMessageText(nID != 0 ? nID : (UINT)AFX_IDS_IDLEMESSAGE);
}

void CToolBar::OnMouseMove(UINT, CPoint point)
{
    if (m_dwStyle & CBRS_FLYBY)
    {
        int nHit = (int)SendMessage(TB_HITTEST, 0, (LPARAM)&point);
        FlyBy(nHit >= 0 ? GetItemID(nHit) : 0);
        // The control follows the cursor out of the bar the same way; a second request
        // for the same window changes nothing.
        TRACKMOUSEEVENT track = { sizeof track, TME_LEAVE, m_hWnd, 0 };
        ::TrackMouseEvent(&track);
    }
    Default();
}

LRESULT CToolBar::OnMouseLeave(WPARAM, LPARAM)
{
    if (m_nIDFlyBy != 0)
        FlyBy(0);
    return Default();
}
