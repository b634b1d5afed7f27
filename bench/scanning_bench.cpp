// Switch scanning on a real window driven by its real 100 ms timer, over a screen like
// the demo's (a root, three panels of four picture buttons).
//
//   press:  the time from a switch press (the SendInput call of Ctrl+Right, through the
//           keyboard hook) to the highlight drawn on the window, over 200 presses, in
//           timer ticks: the peer is the timer's period, the target one tick at most
//   steps:  10,000 automatic steps with a flashing highlight, the clock steered so that
//           every tick steps or flashes; the process's GDI and USER objects and its
//           memory before and after, the target no growth
#include "limn/canvas/Canvas.h"
#include "limn/containers/WndContainer.h"
#include "limn/scanning/ContainerHooks.h"
#include "limn/scanning/ScanClock.h"
#include "limn/scanning/ScanningPrefs.h"

#include "process_resources.h"
#include "timing.h"

#include <stdio.h>

#include <vector>

namespace {

const int nPresses = 200;
const int nSteps = 10000;
const UINT nTimerMS = 100;

DWORD g_dwNow = 0;
DWORD SteeredClock() { return g_dwNow; }

// A selectable button of the screen.
class CBenchButton : public CContainer
{
public:
    using CContainer::CContainer;
    BOOL CanScanSelect() override { return TRUE; }
};

struct View
{
    HWND hWnd = NULL;
    CWnd wnd;
    CWndContainer* pRoot = NULL;
    int nTicks = 0;
};
View g_view;

LRESULT CALLBACK ViewProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    try
    {
        switch (nMsg)
        {
        case WM_TIMER:
            ++g_view.nTicks;
            if (g_view.pRoot != NULL)
                g_view.pRoot->OnTimer((UINT)wParam);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
        {
            PAINTSTRUCT ps;
            HDC hDC = ::BeginPaint(hWnd, &ps);
            if (g_view.pRoot != NULL)
            {
                CDC dc;
                dc.Attach(hDC);
                {
                    CCanvas canvas(&dc);
                    CRect rect;
                    ::GetClientRect(hWnd, &rect);
                    canvas.SetBounds(rect);
                    g_view.pRoot->Draw(canvas);
                }
                dc.Detach();
            }
            ::EndPaint(hWnd, &ps);
            return 0;
        }
        }
    }
    catch (CException* e)
    {
        e->Delete();
    }
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

void BuildView()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = ViewProc;
    wc.hInstance = ::GetModuleHandleA(NULL);
    wc.lpszClassName = "ScanningBenchView";
    ::RegisterClassA(&wc);
    g_view.hWnd = ::CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "scanning", WS_POPUP | WS_VISIBLE, 50, 50, 640,
                                    480, NULL, NULL, wc.hInstance, NULL);
    g_view.wnd.Attach(g_view.hWnd);
    ::SetForegroundWindow(g_view.hWnd);
    g_view.pRoot = new CWndContainer(&g_view.wnd);
    g_view.pRoot->SetArrangeMethod(arrangeHorizontal);
    g_view.pRoot->SetChildGap(CSize(16, 16));
    const COLORREF colors[3] = { RGB(200, 40, 40), RGB(40, 160, 40), RGB(40, 40, 200) };
    for (int p = 0; p < 3; p++)
    {
        auto* pPanel = new CContainer(g_view.pRoot, arrangeVertical);
        pPanel->SetChildGap(CSize(12, 12));
        pPanel->SetFillColor(RGB(255, 255, 255));
        for (int b = 0; b < 4; b++)
        {
            auto* pButton = new CBenchButton(pPanel, arrangeNone);
            pButton->SetFillColor(colors[(p + b) % 3]);
        }
    }
    g_view.pRoot->ArrangeChildren();
    ::UpdateWindow(g_view.hWnd);
    ::SetTimer(g_view.hWnd, 1, nTimerMS, NULL);
    Pump();
}

void AwaitTick()
{
    int nTarget = g_view.nTicks + 1;
    while (g_view.nTicks < nTarget)
    {
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 200, QS_ALLINPUT);
        Pump();
    }
}

void PressCtrlRight()
{
    INPUT inputs[4] = {};
    for (INPUT& input : inputs)
        input.type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[3].ki.wVk = VK_CONTROL;
    inputs[1].ki.wVk = inputs[2].ki.wVk = VK_RIGHT;
    inputs[2].ki.dwFlags = inputs[3].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(4, inputs, sizeof(INPUT));
}

void MeasurePresses()
{
    InstallContainerHooks(FALSE);
    g_view.pRoot->SetScanningParent();
    std::vector<double> ms;
    std::vector<int> ticks;
    for (int i = 0; i < nPresses; i++)
    {
        AwaitTick();   // a press falls anywhere in a period; here just after a tick
        ::Sleep((DWORD)(i * 37 % nTimerMS));
        CContainer* pFocus = CContainer::GetScanningFocus();
        int nTicksBefore = g_view.nTicks;
        LARGE_INTEGER freq, start, end;
        ::QueryPerformanceFrequency(&freq);
        ::QueryPerformanceCounter(&start);
        PressCtrlRight();
        while (CContainer::GetScanningFocus() == pFocus || CContainer::GetScanHiliteRect().IsRectEmpty())
        {
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
            Pump();
        }
        ::QueryPerformanceCounter(&end);
        ms.push_back(1000.0 * (double)(end.QuadPart - start.QuadPart) / (double)freq.QuadPart);
        ticks.push_back(g_view.nTicks - nTicksBefore);
    }
    RemoveContainerHooks();
    double dSum = 0, dMax = 0;
    int nMaxTicks = 0;
    for (int i = 0; i < nPresses; i++)
    {
        dSum += ms[i];
        dMax = std::max(dMax, ms[i]);
        nMaxTicks = std::max(nMaxTicks, ticks[i]);
    }
    printf("press:  %d presses to the highlight drawn: mean %.1f ms, max %.1f ms; against the %u ms tick: "
           "mean %.2f, max %.2f ticks (%d timer messages at most)\n",
           nPresses, dSum / nPresses, dMax, nTimerMS, dSum / nPresses / nTimerMS, dMax / nTimerMS, nMaxTicks);
}

void MeasureSteps()
{
    ScanClockProc pfnOld = SetScanClock(SteeredClock);
    gScanningPrefs.m_nFlashSpeed = 250;
    gScanningPrefs.m_nCancelCycles = CScanningPrefs::neverCancel;
    gScanningPrefs.m_bScanningSounds = FALSE;
    gScanningPrefs.SetScanningSpeed(9);
    g_view.pRoot->SetScanningParent();
    CContainer::SetHotKeyHit(VK_RETURN);
    AwaitTick();
    // Warm up: the first steps allocate what stays (the pixel copy's first bitmap).
    auto run = [](int n) {
        int nSteps = 0;
        while (nSteps < n)
        {
            CContainer* pFocus = CContainer::GetScanningFocus();
            g_dwNow += 251;
            g_view.pRoot->OnTimer(1);
            Pump();
            nSteps += CContainer::GetScanningFocus() != pFocus;
        }
    };
    run(100);
    ProcessResources before = MeasureProcess();
    double dSeconds = Seconds([&] { run(nSteps); });
    ProcessResources after = MeasureProcess();
    CContainer::StopScan();
    SetAutoScan(FALSE);
    SetScanClock(pfnOld);
    printf("steps:  %d automatic steps with flashing in %.2f s (%.0f steps/s)\n", nSteps, dSeconds, nSteps / dSeconds);
    PrintGrowth(before, after);
}

} // namespace

int main()
{
    // The bench's own settings, not the user's.
    gScanningPrefs.SetINISection("Limn Scanning Bench");
    BuildView();
    MeasurePresses();
    MeasureSteps();
    delete g_view.pRoot;
    g_view.pRoot = NULL;
    ::DestroyWindow(g_view.hWnd);
    ::WritePrivateProfileStringA("Limn Scanning Bench", NULL, NULL, "OKAPI_X.INI");
    return 0;
}
