// CChoiceBoardFrame.
#include "ChoiceBoardFrame.h"
#include "EventLog.h"
#include "ShotRequest.h"

#include "ExceptionText.h"
#include "ScreenImage.h"

#include "limn/canvas/Canvas.h"
#include "limn/canvas/CanvasBuffer.h"
#include "limn/containers/WndContainer.h"

#include <stdio.h>

namespace {

const UINT_PTR nClockTimer = 1;
const UINT nClockMS = 100;
// The client area of a screen whose stored size is unusable, and the smallest one.
const CSize sizeDefault(640, 480);
const CSize sizeSmallest(160, 120);
const COLORREF crUnpainted = RGB(0xC0, 0xC0, 0xC0);

} // namespace

BEGIN_MESSAGE_MAP(CChoiceBoardFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_ACTIVATE()
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_RBUTTONDBLCLK()
    ON_WM_RBUTTONUP()
    ON_MESSAGE(WM_COPYDATA, OnCopyData)
END_MESSAGE_MAP()

CChoiceBoardFrame::CChoiceBoardFrame()
    : m_pRoot(NULL), m_pLog(NULL), m_bActive(FALSE), m_pLoggedFocus(NULL), m_bLoggedAutoScan(FALSE)
{
}

BOOL CChoiceBoardFrame::Create(LPCTSTR lpszTitle, CWndContainer* pRoot, CEventLog* pLog)
{
    CSize size = pRoot->GetSize();
    const CSize sizeScreen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    if (size.cx < sizeSmallest.cx || size.cy < sizeSmallest.cy || size.cx > sizeScreen.cx ||
        size.cy > sizeScreen.cy)
        size = sizeDefault;
    const DWORD dwStyle = WS_OVERLAPPEDWINDOW;
    CRect rect(CPoint(0, 0), size);
    ::AdjustWindowRectEx(&rect, dwStyle, FALSE, 0);
    rect.OffsetRect(-rect.left, -rect.top);
    if (!CFrameWnd::Create(NULL, lpszTitle, dwStyle, rect))
        return FALSE;
    m_pLog = pLog;
    m_pRoot = pRoot;
    m_pRoot->AttachToWindow(this);
    m_pRoot->SetVisible(TRUE, TRUE);
    return TRUE;
}

int CChoiceBoardFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetTimer(nClockTimer, nClockMS, NULL);
    return 0;
}

void CChoiceBoardFrame::OnDestroy()
{
    KillTimer(nClockTimer);
    if (m_pRoot != NULL)
        m_pRoot->AttachToWindow(NULL);
    m_pRoot = NULL;
    CFrameWnd::OnDestroy();
}

// Painting

void CChoiceBoardFrame::OnPaint()
{
    CPaintDC dc(this);
    if (m_pRoot == NULL)
        return;
    try
    {
        CRect rectClient;
        GetClientRect(&rectClient);
        CRect rectPaint = dc.m_ps.rcPaint;
        if (rectPaint.IsRectEmpty())
            rectPaint = rectClient;
        CCanvas canvas(&dc);
        canvas.SetBounds(rectClient);
        CCanvasBuffer buffer(canvas, rectPaint);
        canvas.SetBrush(crUnpainted, FALSE);
        canvas.FillRectangle(CRect(rectPaint.left, rectPaint.top, rectPaint.right + 1, rectPaint.bottom + 1));
        m_pRoot->Draw(canvas);
        buffer.Draw();
    }
    catch (CException* e)
    {
        Report(e);
    }
}

// The tree covers the whole client area.
BOOL CChoiceBoardFrame::OnEraseBkgnd(CDC*) { return TRUE; }

void CChoiceBoardFrame::OnSize(UINT nType, int cx, int cy)
{
    CFrameWnd::OnSize(nType, cx, cy);
    if (m_pRoot == NULL)
        return;
    try
    {
        m_pRoot->OnWindowSizeChange();
    }
    catch (CException* e)
    {
        Report(e);
    }
}

// Activation and the clock

void CChoiceBoardFrame::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CFrameWnd::OnActivate(nState, pWndOther, bMinimized);
    try
    {
        Activate(nState != WA_INACTIVE);
    }
    catch (CException* e)
    {
        Report(e);
    }
    LogScanning();
}

void CChoiceBoardFrame::Activate(BOOL bActive)
{
    if (m_pRoot == NULL || bActive == m_bActive)
        return;
    m_bActive = bActive;
    m_pRoot->OnActivate(bActive);
    if (bActive)
        m_pRoot->SetScanningParent();
}

// The clock runs only while the board is in the foreground; a change of the
// foreground that no activation message told of is caught here.
void CChoiceBoardFrame::OnTimer(UINT nIDEvent)
{
    if (nIDEvent != nClockTimer || m_pRoot == NULL)
        return;
    try
    {
        BOOL bForeground = ::GetForegroundWindow() == m_hWnd;
        Activate(bForeground);
        if (bForeground)
            m_pRoot->OnTimer((UINT)nIDEvent);
    }
    catch (CException* e)
    {
        Report(e);
    }
    LogScanning();
}

void CChoiceBoardFrame::LogScanning()
{
    if (m_pLog == NULL)
        return;
    // A focus that went away and came back to the same container has moved again.
    const CContainer* pFocus = CContainer::GetScanningFocus();
    if (pFocus != m_pLoggedFocus && pFocus != NULL)
        m_pLog->Write("focus", pFocus->GetName());
    m_pLoggedFocus = pFocus;
    BOOL bAutoScan = CContainer::IsInAutoScan();
    if (m_bLoggedAutoScan && !bAutoScan)
        m_pLog->Write("stop");
    m_bLoggedAutoScan = bAutoScan;
}

// The mouse

void CChoiceBoardFrame::RouteMouse(CPoint point, void (CContainer::*pfnHandler)(CPoint, const CEventState&))
{
    if (m_pRoot == NULL)
        return;
    const MSG* pMsg = GetCurrentMessage();
    CEventState state(pMsg->time, CPoint(pMsg->pt), ::GetAsyncKeyState(VK_SHIFT), ::GetAsyncKeyState(VK_CONTROL),
                      ::GetAsyncKeyState(VK_MENU));
    try
    {
        (m_pRoot->*pfnHandler)(point, state);
    }
    catch (CException* e)
    {
        Report(e);
    }
    LogScanning();
}

void CChoiceBoardFrame::OnMouseMove(UINT, CPoint point) { RouteMouse(point, &CContainer::OnMouseMove); }

void CChoiceBoardFrame::OnLButtonDown(UINT, CPoint point) { RouteMouse(point, &CContainer::OnLButtonDown); }

void CChoiceBoardFrame::OnLButtonDblClk(UINT, CPoint point) { RouteMouse(point, &CContainer::OnLButtonDblClk); }

void CChoiceBoardFrame::OnLButtonUp(UINT, CPoint point) { RouteMouse(point, &CContainer::OnLButtonUp); }

void CChoiceBoardFrame::OnRButtonDown(UINT, CPoint point) { RouteMouse(point, &CContainer::OnRButtonDown); }

void CChoiceBoardFrame::OnRButtonDblClk(UINT, CPoint point) { RouteMouse(point, &CContainer::OnRButtonDblClk); }

void CChoiceBoardFrame::OnRButtonUp(UINT, CPoint point) { RouteMouse(point, &CContainer::OnRButtonUp); }

// Pictures of the window

LRESULT CChoiceBoardFrame::OnCopyData(WPARAM, LPARAM lParam)
{
    const auto* pData = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (pData == NULL || pData->dwData != dwShotRequest || pData->cbData == 0 || pData->lpData == NULL)
        return FALSE;
    const char* pszPath = static_cast<const char*>(pData->lpData);
    if (pszPath[pData->cbData - 1] != '\0')
        return FALSE;
    return WriteShot(pszPath);
}

BOOL CChoiceBoardFrame::WriteShot(const char* pszPath)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    if (rectClient.IsRectEmpty())
        return FALSE;
    try
    {
        CScreenImage image(rectClient.Width(), rectClient.Height());
        CClientDC dc(this);
        image.m_dc.BitBlt(0, 0, rectClient.Width(), rectClient.Height(), &dc, 0, 0, SRCCOPY);
        image.WriteBitmapFile(pszPath);
        return TRUE;
    }
    catch (CException* e)
    {
        Report(e);
        return FALSE;
    }
}

void CChoiceBoardFrame::Report(CException* e)
{
    fprintf(stderr, "choiceboard: %s\n", (LPCSTR)ExceptionText(e));
    e->Delete();
}
