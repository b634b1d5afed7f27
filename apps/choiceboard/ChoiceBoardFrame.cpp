// CChoiceBoardFrame.
#include "ChoiceBoardFrame.h"
#include "EventLog.h"
#include "ShotRequest.h"

#include "ExceptionText.h"
#include "ScreenImage.h"

#include "limn/containers/WndContainer.h"

#include <stdio.h>

namespace {

const UINT_PTR nClockTimer = 1;
const UINT nClockMS = 100;
// The client area of a screen whose stored size is unusable, and the smallest one.
const CSize sizeDefault(640, 480);
const CSize sizeSmallest(160, 120);

} // namespace

BEGIN_MESSAGE_MAP(CChoiceBoardFrame, CScreenFrame)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
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

CChoiceBoardFrame::CChoiceBoardFrame() : m_pLog(NULL), m_bActive(FALSE), m_pLoggedFocus(NULL), m_bLoggedAutoScan(FALSE)
{
}

BOOL CChoiceBoardFrame::Create(LPCTSTR lpszTitle, CWndContainer* pRoot, CEventLog* pLog)
{
    CSize size = pRoot->GetSize();
    const CSize sizeScreen(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    if (size.cx < sizeSmallest.cx || size.cy < sizeSmallest.cy || size.cx > sizeScreen.cx ||
        size.cy > sizeScreen.cy)
        size = sizeDefault;
    m_pLog = pLog;
    return CScreenFrame::Create(lpszTitle, size, pRoot);
}

int CChoiceBoardFrame::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CScreenFrame::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetTimer(nClockTimer, nClockMS, NULL);
    return 0;
}

void CChoiceBoardFrame::OnDestroy()
{
    KillTimer(nClockTimer);
    CScreenFrame::OnDestroy();
}

void CChoiceBoardFrame::Handle(const std::function<void()>& work)
{
    try
    {
        work();
    }
    catch (CException* e)
    {
        fprintf(stderr, "choiceboard: %s\n", (LPCSTR)ExceptionText(e));
        e->Delete();
    }
    LogScanning();
}

void CChoiceBoardFrame::OnPaint()
{
    Handle([&] { CScreenFrame::OnPaint(); });
}

void CChoiceBoardFrame::OnSize(UINT nType, int cx, int cy)
{
    Handle([&] { CScreenFrame::OnSize(nType, cx, cy); });
}

// Activation and the clock

void CChoiceBoardFrame::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CScreenFrame::OnActivate(nState, pWndOther, bMinimized);
    Handle([&] { Activate(nState != WA_INACTIVE); });
}

void CChoiceBoardFrame::Activate(BOOL bActive)
{
    CWndContainer* pRoot = GetRoot();
    if (pRoot == NULL || bActive == m_bActive)
        return;
    m_bActive = bActive;
    pRoot->OnActivate(bActive);
    if (bActive)
        pRoot->SetScanningParent();
}

// The clock runs only while the board is in the foreground; a change of the
// foreground that no activation message told of is caught here.
void CChoiceBoardFrame::OnTimer(UINT nIDEvent)
{
    if (nIDEvent != nClockTimer || GetRoot() == NULL)
        return;
    Handle([&] {
        BOOL bForeground = ::GetForegroundWindow() == m_hWnd;
        Activate(bForeground);
        if (bForeground)
            GetRoot()->OnTimer(nIDEvent);
    });
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

void CChoiceBoardFrame::OnMouseMove(UINT nFlags, CPoint point)
{
    Handle([&] { CScreenFrame::OnMouseMove(nFlags, point); });
}

void CChoiceBoardFrame::OnLButtonDown(UINT nFlags, CPoint point)
{
    Handle([&] { CScreenFrame::OnLButtonDown(nFlags, point); });
}

void CChoiceBoardFrame::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    Handle([&] { CScreenFrame::OnLButtonDblClk(nFlags, point); });
}

void CChoiceBoardFrame::OnLButtonUp(UINT nFlags, CPoint point)
{
    Handle([&] { CScreenFrame::OnLButtonUp(nFlags, point); });
}

void CChoiceBoardFrame::OnRButtonDown(UINT nFlags, CPoint point)
{
    Handle([&] { CScreenFrame::OnRButtonDown(nFlags, point); });
}

void CChoiceBoardFrame::OnRButtonDblClk(UINT nFlags, CPoint point)
{
    Handle([&] { CScreenFrame::OnRButtonDblClk(nFlags, point); });
}

void CChoiceBoardFrame::OnRButtonUp(UINT nFlags, CPoint point)
{
    Handle([&] { CScreenFrame::OnRButtonUp(nFlags, point); });
}

// Pictures of the window

LRESULT CChoiceBoardFrame::OnCopyData(WPARAM, LPARAM lParam)
{
    const auto* pData = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (pData == NULL || pData->dwData != dwShotRequest || pData->cbData == 0 || pData->lpData == NULL)
        return FALSE;
    const char* pszPath = static_cast<const char*>(pData->lpData);
    if (pszPath[pData->cbData - 1] != '\0')
        return FALSE;
    BOOL bWritten = FALSE;
    Handle([&] { bWritten = WriteShot(pszPath); });
    return bWritten;
}

BOOL CChoiceBoardFrame::WriteShot(const char* pszPath)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    if (rectClient.IsRectEmpty())
        return FALSE;
    CScreenImage image(rectClient.Width(), rectClient.Height());
    CClientDC dc(this);
    image.m_dc.BitBlt(0, 0, rectClient.Width(), rectClient.Height(), &dc, 0, 0, SRCCOPY);
    image.WriteBitmapFile(pszPath);
    return TRUE;
}
