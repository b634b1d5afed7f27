// Switch scanning on a real window driven by its real 100 ms timer, over a screen like
// the demo's (a root, three panels of four picture buttons).
//
//   press:  the time from a switch press (the SendInput call of Ctrl+Right, through the
//           keyboard hook) to the highlight drawn on the window, over 200 presses, in
//           timer ticks: the peer is the timer's period, the target one tick at most.
//           Once with the switch timing off, once with every option on: "Acceptance
//           Time" 150 ms, "Ignore Repeat" 50 ms (less than the presses lie apart),
//           "First Item Delay" 500 ms and "Auditory Scanning" with a cue for each
//           panel. Then the switch is held until the highlight shows, and the acceptance
//           time, a delay by design, is taken off the time measured.
//   auto:   24 automatic steps on the real clock, at 550 ms a step, each from the moment
//           it is due to the highlight drawn, in ticks, the target one tick at most. Due
//           is the interval after the tick of the step before, with the switch timing
//           on longer by the first item delay on the first panel, or the end of the cue
//           that plays (the device's report of it), whichever comes later: the cue of
//           the first and the last panel outlasts the interval, the middle one's does not.
//   steps:  10,000 automatic steps with a flashing highlight, the clock steered so that
//           every tick steps or flashes; the process's GDI and USER objects and its
//           memory before and after, the target no growth
#include "hoard/resources/Hoard.h"
#include "hoard/sound/Wav.h"
#include "limn/canvas/Canvas.h"
#include "limn/containers/WndContainer.h"
#include "limn/scanning/ContainerHooks.h"
#include "limn/scanning/ScanClock.h"
#include "limn/scanning/ScanningPrefs.h"

#include "WaveFile.h"
#include "bench_temp_path.h"
#include "process_resources.h"
#include "timing.h"

#include <stdio.h>

#include <vector>

namespace {

const int nPresses = 200;
const int nAutoSteps = 24;
const int nSteps = 10000;
const UINT nTimerMS = 100;
const int nPanels = 3;
// The cues' lengths in ms of sound; Wine's null device plays them about four times
// faster than that.
const DWORD cueMS[nPanels] = { 6000, 400, 4000 };

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
    DWORD dwTickStart = 0;      // GetTickCount as the last tick began
};
View g_view;

// The times the wave device reported the end of a sound, from the messages' own time.
std::vector<DWORD> g_soundEnds;

LRESULT CALLBACK NoteSoundEnd(int nCode, WPARAM wParam, LPARAM lParam)
{
    const MSG* pMsg = (const MSG*)lParam;
    if (nCode == HC_ACTION && wParam == PM_REMOVE && pMsg->message == MM_WOM_DONE)
        g_soundEnds.push_back(pMsg->time);
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

LRESULT CALLBACK ViewProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    try
    {
        switch (nMsg)
        {
        case WM_TIMER:
            ++g_view.nTicks;
            g_view.dwTickStart = ::GetTickCount();
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

CString PanelName(int nPanel)
{
    CString strName;
    strName.Format("panel%d", nPanel);
    return strName;
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
    for (int p = 0; p < nPanels; p++)
    {
        auto* pPanel = new CContainer(g_view.pRoot, arrangeVertical);
        pPanel->SetName(PanelName(p));
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

void SendCtrlRight(DWORD dwFlags)
{
    INPUT inputs[2] = {};
    for (INPUT& input : inputs)
    {
        input.type = INPUT_KEYBOARD;
        input.ki.dwFlags = dwFlags;
    }
    inputs[0].ki.wVk = dwFlags & KEYEVENTF_KEYUP ? VK_RIGHT : VK_CONTROL;
    inputs[1].ki.wVk = dwFlags & KEYEVENTF_KEYUP ? VK_CONTROL : VK_RIGHT;
    ::SendInput(2, inputs, sizeof(INPUT));
}

// The switch is held until the highlight shows. With an acceptance time, that time is a
// delay by design and is taken off.
void MeasurePresses(const char* pszTiming)
{
    const double dAcceptanceMS = gScanningPrefs.m_nAcceptanceTime;
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
        SendCtrlRight(0);
        while (CContainer::GetScanningFocus() == pFocus || CContainer::GetScanHiliteRect().IsRectEmpty())
        {
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
            Pump();
        }
        ::QueryPerformanceCounter(&end);
        SendCtrlRight(KEYEVENTF_KEYUP);
        Pump();
        ms.push_back(1000.0 * (double)(end.QuadPart - start.QuadPart) / (double)freq.QuadPart - dAcceptanceMS);
        ticks.push_back(g_view.nTicks - nTicksBefore);
    }
    RemoveContainerHooks();
    CContainer::StopScan();
    double dSum = 0, dMax = 0;
    int nMaxTicks = 0;
    for (int i = 0; i < nPresses; i++)
    {
        dSum += ms[i];
        dMax = std::max(dMax, ms[i]);
        nMaxTicks = std::max(nMaxTicks, ticks[i]);
    }
    printf("press:  switch timing %s: %d presses to the highlight drawn%s: mean %.1f ms, max %.1f ms; against the "
           "%u ms tick: mean %.2f, max %.2f ticks (%d timer messages at most)\n",
           pszTiming, nPresses, dAcceptanceMS != 0 ? ", the acceptance time taken off" : "", dSum / nPresses, dMax,
           nTimerMS, dSum / nPresses / nTimerMS, dMax / nTimerMS, nMaxTicks);
}

// Automatic steps on the real clock: when each was due, and when its highlight showed.
void MeasureAutomaticSteps(const char* pszTiming)
{
    gScanningPrefs.m_nFlashSpeed = 0;
    gScanningPrefs.m_nCancelCycles = CScanningPrefs::neverCancel;
    gScanningPrefs.SetScanningSpeed(9);
    const DWORD dwInterval = gScanningPrefs.GetScanningSpeedMS();
    const DWORD dwFirstDelay = (DWORD)gScanningPrefs.m_nFirstItemDelay;
    g_soundEnds.clear();
    HHOOK hHook = ::SetWindowsHookExA(WH_GETMESSAGE, NoteSoundEnd, NULL, ::GetCurrentThreadId());
    g_view.pRoot->SetScanningParent();
    CContainer::SetHotKeyHit(VK_RETURN);
    struct Step
    {
        DWORD dwTick;       // the start of the tick that stepped
        DWORD dwShown;      // the highlight drawn
        CString strFocus;
    };
    std::vector<Step> steps;
    while ((int)steps.size() <= nAutoSteps)
    {
        CContainer* pFocus = CContainer::GetScanningFocus();
        AwaitTick();
        if (CContainer::GetScanningFocus() != pFocus && CContainer::GetScanningFocus() != NULL)
            steps.push_back({ g_view.dwTickStart, ::GetTickCount(), CContainer::GetScanningFocus()->GetName() });
    }
    ::UnhookWindowsHookEx(hHook);
    CContainer::StopScan();
    SetAutoScan(FALSE);
    CWav::StopAllSound();

    double dSum = 0, dMax = 0;
    int nCueBound = 0;
    for (size_t i = 1; i < steps.size(); i++)
    {
        const Step& before = steps[i - 1];
        DWORD dwDue = before.dwTick + dwInterval + (before.strFocus == PanelName(0) ? dwFirstDelay : 0);
        for (DWORD dwEnd : g_soundEnds)
        {
            // An end reported while the tick of the step ran is one that tick found.
            if (dwEnd - before.dwTick <= steps[i].dwShown - before.dwTick && (LONG)(dwEnd - dwDue) > 0)
            {
                dwDue = dwEnd;
                nCueBound++;
            }
        }
        double dLate = (double)(LONG)(steps[i].dwShown - dwDue);
        dSum += dLate;
        dMax = std::max(dMax, dLate);
    }
    const int n = (int)steps.size() - 1;
    printf("auto:   switch timing %s: %d automatic steps, %d of them due at the end of a cue: from due to the "
           "highlight drawn mean %.1f ms, max %.1f ms; against the %u ms tick: mean %.2f, max %.2f ticks\n",
           pszTiming, n, nCueBound, dSum / n, dMax, nTimerMS, dSum / n / nTimerMS, dMax / nTimerMS);
}

// Every option of the switch timing on, with a cue of silence for each panel in the
// application's resource file.
void SwitchTimingOn(CHoard& cues)
{
    gScanningPrefs.m_nAcceptanceTime = 150;
    gScanningPrefs.m_nIgnoreRepeat = 50;
    gScanningPrefs.m_nFirstItemDelay = 500;
    gScanningPrefs.m_bAuditoryScanning = TRUE;
    PCMWAVEFORMAT format = {};
    format.wf = { WAVE_FORMAT_PCM, 1, 11025, 11025, 1 };
    format.wBitsPerSample = 8;
    for (int p = 0; p < nPanels; p++)
    {
        std::vector<BYTE> samples(11025 * cueMS[p] / 1000, 0x80);
        CString strPath = BenchTempPath("scanning_bench", "cue.wav");
        WriteWaveFile(strPath, format, samples.data(), (DWORD)samples.size());
        auto* pCue = new CWav;
        pCue->ImportFromFile(strPath);
        pCue->SetName(PanelName(p) + " cue");
        cues.AddToMap(pCue);
        ::DeleteFileA(strPath);
    }
    cues.SetApplicationHoard();
}

void MeasureSteps()
{
    ScanClockProc pfnOld = SetScanClock(SteeredClock);
    gScanningPrefs.LoadFromINI();
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
    MeasurePresses("off");
    MeasureAutomaticSteps("off");
    {
        CHoard cues;
        SwitchTimingOn(cues);
        MeasurePresses("on");
        MeasureAutomaticSteps("on");
    }
    MeasureSteps();
    delete g_view.pRoot;
    g_view.pRoot = NULL;
    ::DestroyWindow(g_view.hWnd);
    ::WritePrivateProfileStringA("Limn Scanning Bench", NULL, NULL, "OKAPI_X.INI");
    return 0;
}
