// CWndContainer's part of switch scanning: the timer tick with its hot keys, automatic
// steps, time-out and flashing; the highlight drawn on the window over kept pixels; and
// activation.
#include "limn/containers/WndContainer.h"

#include "hoard/runtime/MappedString.h"
#include "limn/canvas/Canvas.h"
#include "limn/containers/ContainerWatch.h"
#include "limn/scanning/ContainerHooks.h"
#include "limn/scanning/ScanClock.h"
#include "limn/scanning/ScanningPrefs.h"
#include "limn/scanning/ScanningSounds.h"
#include "limn/scanning/SwitchPress.h"

#include <memory>

int CWndContainer::m_bAllowScanning = 1;

namespace {

// Ticks to wait before automatic scanning restarts after a selection: about 2 s.
const int nContinuousDelayTicks = 20;
const char szTapperWindow[] = "Tapper! Messaging Window";

// The application's main window is the foreground window. A program without a main
// window (no application object names one) counts the root's own top-level window.
BOOL IsMainWindowForeground(HWND hWndRoot)
{
    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hWndMain = pMainWnd != NULL ? pMainWnd->GetSafeHwnd() : NULL;
    if (hWndMain == NULL && hWndRoot != NULL)
        hWndMain = ::GetAncestor(hWndRoot, GA_ROOT);
    return hWndMain != NULL && ::GetForegroundWindow() == hWndMain;
}

// A key the user already pressed comes before the next step.
BOOL IsKeyMessageWaiting()
{
    MSG msg;
    return ::PeekMessageA(&msg, NULL, WM_KEYFIRST, WM_KEYLAST, PM_NOREMOVE | PM_NOYIELD);
}

} // namespace

// The clock

void CWndContainer::OnTimer(UINT)
{
    if (m_bVisible)
    {
        // An idle handler may close the screen, this root with it.
        CContainerWatch watchThis(this);
        Idle(ScanTickCount());
        if (watchThis.Get() == NULL)
            return;
    }
    // A tree that no document owns (a program without documents) counts as active.
    if (m_bInMenuLoop || (m_pDoc != NULL && !IsDocActive()))
        return;

    AcceptHeldSwitch();
    BYTE key = 0;
    if (IsMainWindowForeground(m_hWnd))
        key = m_hotKey;
    else
        m_hotKey = 0;
    if (m_nHotKeyDelay > 0)
    {
        m_nHotKeyDelay--;
        return;
    }
    if (key != 0)
    {
        CContainerWatch watchThis(this);
        m_hotKey = 0;
        m_dwLastStepTime = m_dwLastFlashTime = ScanTickCount();
        OnHotKey(key);
        if (watchThis.Get() == NULL)
            return;
    }
    StepAndFlash();
}

void CWndContainer::OnHotKey(BYTE key)
{
    switch (key)
    {
    case VK_RETURN:
        if (m_bInAutoScan)
        {
            SelectWhileAutoScanning();
            break;
        }
        // The first entry is highlighted by the step of this same tick.
        SetScanningParent();
        m_bInAutoScan = TRUE;
        SetAutoScan(TRUE);
        break;
    case VK_DOWN:
        if (m_bInAutoScan)
            SelectWhileAutoScanning();
        else
            ScanSelect();
        break;
    case VK_ESCAPE:
        StopScan();
        SetAutoScan(FALSE);
        break;
    case VK_SPACE:
        // The sibling switch program takes the space bar for itself.
        if (::FindWindowA(NULL, szTapperWindow) != NULL)
            AfxMessageBox(CMappedString("ID_CANTUSETAPPER"), MB_OK);
        break;
    case VK_LEFT:
        ScanPrevious();
        break;
    case VK_RIGHT:
        ScanNext();
        break;
    case VK_DELETE:
        OnDedicatedScanning();
        break;
    default:
        if (key >= '0' && key <= '9')
            gScanningPrefs.SetScanningSpeed(key - '0');
        break;
    }
}

void CWndContainer::SelectWhileAutoScanning()
{
    CContainerWatch watchThis(this);
    if (ScanSelect())
    {
        if (watchThis.Get() != NULL && m_hWnd != NULL)
            ::UpdateWindow(m_hWnd);
        m_bInAutoScan = TRUE;
    }
    else if (gScanningPrefs.m_bContinuousScanning)
    {
        m_hotKey = VK_RETURN;
        m_nHotKeyDelay = nContinuousDelayTicks;
    }
}

DWORD CWndContainer::AutomaticStepInterval()
{
    DWORD dwInterval = gScanningPrefs.GetScanningSpeedMS();
    if (gScanningPrefs.m_nFirstItemDelay == 0 || m_posScanChild == NULL)
        return dwInterval;
    for (POSITION pos = m_scanList.GetHeadPosition(); pos != NULL;)
    {
        POSITION posEntry = pos;
        if (m_scanList.GetNext(pos)->CanScan())
            return posEntry == m_posScanChild ? dwInterval + (DWORD)gScanningPrefs.m_nFirstItemDelay : dwInterval;
    }
    return dwInterval;
}

// Automatic scanning that has no focus yet (it has just started) takes its first step
// at once; later steps wait out the interval, and the cue of the focus to its end. All
// differences are unsigned 32-bit tick differences, so the clock may wrap.
void CWndContainer::StepAndFlash()
{
    DWORD dwNow = ScanTickCount();
    if ((m_bInAutoScan || !m_rectScanHilite.IsRectEmpty()) && !IsKeyMessageWaiting())
    {
        DWORD dwSinceStep = dwNow - m_dwLastStepTime;
        if (m_bInAutoScan && m_bAllowScanning == 1)
        {
            if (m_pScanningFocus == NULL || (dwSinceStep > AutomaticStepInterval() && !IsScanCuePlaying()))
            {
                m_dwLastStepTime = dwNow;
                ScanNext();
                m_dwLastFlashTime = dwNow;
            }
        }
        else if (dwSinceStep > gScanningPrefs.GetScanningSpeedMS())
        {
            // The highlight times out; the focus stays.
            m_bDrawScanHilite = FALSE;
            if (CWndContainer* pRoot = m_pScanningFocus != NULL ? m_pScanningFocus->GetScanningRoot() : NULL)
            {
                pRoot->DrawHilite(FALSE);
                pRoot->FlushHilite();
            }
            m_rectScanHilite.SetRectEmpty();
        }
    }

    if (m_pScanningFocus == NULL || m_rectScanHilite.IsRectEmpty())
        return;
    CWndContainer* pRoot = m_pScanningFocus->GetScanningRoot();
    if (pRoot == NULL)
        return;
    DWORD dwFlash = (DWORD)gScanningPrefs.m_nFlashSpeed;
    if (dwFlash != 0 && dwNow - m_dwLastFlashTime > dwFlash)
    {
        m_dwLastFlashTime = dwNow;
        m_bDrawScanHilite = !m_bDrawScanHilite;
        pRoot->DrawHilite(m_bDrawScanHilite);
    }
    else if (m_bDrawScanHilite && pRoot->m_pHiliteBits == NULL)
    {
        pRoot->DrawHilite(TRUE);
    }
}

// Activation

void CWndContainer::OnActivate(int bActive)
{
    EnableDedicatedScanning(bActive);
    if (!bActive)
    {
        m_hotKey = 0;
        ForgetSwitchPress();
        StopScan();
        SetAutoScan(FALSE);
    }
    CContainer::OnActivate(bActive);
}

// The highlight on the window

void CWndContainer::DrawHilite(int bShow)
{
    if (!bShow && m_pHiliteBits == NULL)
        return;
    if (m_pHiliteBits != NULL && m_rectHiliteSaved != m_rectScanHilite)
    {
        RestoreHiliteBits();
        FlushHilite();
        if (!bShow)
            return;
    }
    if (!bShow)
    {
        RestoreHiliteBits();
        return;
    }
    if (m_hWnd == NULL || m_rectScanHilite.IsRectEmpty())
        return;
    HDC hDC = ::GetDC(m_hWnd);
    if (hDC == NULL)
        return;
    // A highlight whose pixels cannot be kept could not be taken away: none is drawn.
    if (m_pHiliteBits != NULL || SaveHiliteBits(hDC))
    {
        CDC dc;
        dc.Attach(hDC);
        {
            CCanvas canvas(&dc);
            canvas.SetPen(gScanningPrefs.GetScanColor(), scanHiliteWidth, FALSE);
            canvas.FrameRectangle(m_rectScanHilite);
        }
        dc.Detach();
        CPoint point = m_rectScanHilite.CenterPoint() + CPoint(scanHiliteWidth, scanHiliteWidth);
        ::ClientToScreen(m_hWnd, &point);
        ::SetCursorPos(point.x, point.y);
    }
    ::ReleaseDC(m_hWnd, hDC);
}

void CWndContainer::FlushHilite()
{
    delete m_pHiliteBits;
    m_pHiliteBits = NULL;
    m_rectHiliteSaved.SetRectEmpty();
}

void CWndContainer::DropHiliteUnder(const CRect& rectPainted)
{
    CRect rectCovered;
    if (m_pHiliteBits == NULL || !rectCovered.IntersectRect(&rectPainted, &m_rectHiliteSaved))
        return;
    CRect rectInner = m_rectHiliteSaved;
    rectInner.DeflateRect(scanHiliteWidth, scanHiliteWidth);
    if ((rectCovered & rectInner) == rectCovered)
        return;
    RestoreHiliteBits();
    FlushHilite();
}

BOOL CWndContainer::SaveHiliteBits(HDC hDC)
{
    const CRect& rect = m_rectScanHilite;
    auto pBits = std::make_unique<CBitmap>();
    HDC hMemDC = ::CreateCompatibleDC(hDC);
    if (hMemDC == NULL)
        return FALSE;
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hDC, rect.Width(), rect.Height());
    if (hBitmap != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
        ::BitBlt(hMemDC, 0, 0, rect.Width(), rect.Height(), hDC, rect.left, rect.top, SRCCOPY);
        ::SelectObject(hMemDC, hOld);
        pBits->Attach(hBitmap);
    }
    ::DeleteDC(hMemDC);
    if (hBitmap == NULL)
        return FALSE;
    m_pHiliteBits = pBits.release();
    m_rectHiliteSaved = rect;
    return TRUE;
}

void CWndContainer::RestoreHiliteBits()
{
    if (m_pHiliteBits == NULL || m_hWnd == NULL)
        return;
    HDC hDC = ::GetDC(m_hWnd);
    if (hDC == NULL)
        return;
    HDC hMemDC = ::CreateCompatibleDC(hDC);
    if (hMemDC != NULL)
    {
        HGDIOBJ hOld = ::SelectObject(hMemDC, m_pHiliteBits->m_hObject);
        auto copyBack = [&](int x, int y, int cx, int cy) {
            ::BitBlt(hDC, m_rectHiliteSaved.left + x, m_rectHiliteSaved.top + y, cx, cy, hMemDC, x, y, SRCCOPY);
        };
        const int w = m_rectHiliteSaved.Width(), h = m_rectHiliteSaved.Height(), d = scanHiliteWidth;
        // The four sides of the frame, or the whole of a rectangle too small for an inside.
        if (w <= 2 * d || h <= 2 * d)
        {
            copyBack(0, 0, w, h);
        }
        else
        {
            copyBack(0, 0, w, d);
            copyBack(0, h - d, w, d);
            copyBack(0, d, d, h - 2 * d);
            copyBack(w - d, d, d, h - 2 * d);
        }
        ::SelectObject(hMemDC, hOld);
        ::DeleteDC(hMemDC);
    }
    ::ReleaseDC(m_hWnd, hDC);
}

// A highlight left for the root to draw

void CWndContainer::DrawContents(CCanvas& canvas)
{
    if (m_rectScanHilite.IsRectEmpty())
        return;
    canvas.SetPen(gScanningPrefs.GetScanColor(), scanHiliteWidth, FALSE);
    canvas.FrameRectangle(m_rectScanHilite);
    canvas.SetPen(RGB(0, 0, 0), 1, FALSE);
    m_rectScanHilite.SetRectEmpty();
}
