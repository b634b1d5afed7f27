// The choice board as a whole program: its document template, MDI frames, views and
// their 100 ms clock, its menus and its event log, on a board of two rows of three
// choices.
//
//   press:  the time from a switch press (Ctrl+Right sent with SendInput to a running
//           choiceboard.exe, through its keyboard hook and its view's timer) to the
//           "focus" line that the board writes once it has drawn the highlight, over
//           60 presses at scattered moments of the tick: the distribution against the
//           timer's period, the target one tick at most
//   steps:  10,000 automatic scanning steps with a flashing highlight in the full
//           program run in this process (the board's own application class), each
//           tick a timer message to the board's view with the scanning clock steered a
//           step on; the process's GDI objects, heap and committed memory before and
//           after, the target no growth
#include "BoardMainFrame.h"
#include "ChoiceBoardApp.h"
#include "ScanSession.h"

#include "limn/containers/MainContainerRecord.h"
#include "limn/containers/WndContainer.h"
#include "limn/scanning/ContainerHooks.h"
#include "limn/scanning/ScanClock.h"
#include "limn/scanning/ScanningPrefs.h"
#include "hoard/resources/Hoard.h"
#include "hoard/resources/ResourceClass.h"

#include "bench_temp_path.h"
#include "process_resources.h"
#include "timing.h"

#include <stdio.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

const int nPresses = 60;
const int nWarmUpSteps = 200;
const int nSteps = 10000;
const UINT nTickMS = 100;
const DWORD dwTimeoutMS = 20000;
const char szIniSection[] = "Choice Board Bench";

CString g_strBoard;
CString g_strLog;

// Two rows of three named choices on 640 by 480.
void WriteBoard(const char* pszPath)
{
    CResourceClass::InitResourceClasses();
    CHoard hoard;
    auto pRoot = std::make_unique<CWndContainer>();
    pRoot->SetName("bench board");
    pRoot->SetArrangeMethod(arrangeVertical);
    pRoot->SetChildGap(CSize(8, 8));
    for (int r = 0; r < 2; ++r)
    {
        auto* pRow = new CContainer(pRoot.get(), arrangeHorizontal);
        pRow->SetChildGap(CSize(8, 8));
        for (int c = 0; c < 3; ++c)
        {
            CString strName;
            strName.Format("choice %d", r * 3 + c + 1);
            auto* pChoice = new CContainer(pRow, arrangeNone);
            pChoice->SetName(strName);
            pChoice->SetFillColor(RGB(255, 255, 255));
        }
    }
    pRoot->SetBounds(CRect(0, 0, 640, 480));
    CMainContainerRecord::SaveFile(pszPath, pRoot.get(), hoard);
}

CString ModuleFolder()
{
    char szPath[MAX_PATH];
    DWORD nLen = ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    CString strPath(szPath, (int)nLen);
    return strPath.Left(strPath.ReverseFind('\\'));
}

double Percentile(std::vector<double> values, double dFraction)
{
    std::sort(values.begin(), values.end());
    size_t i = std::min(values.size() - 1, (size_t)(dFraction * (double)values.size()));
    return values[i];
}

void MeasurePresses()
{
    CScanSession session;
    session.SetPollInterval(1);
    if (!session.Start(ModuleFolder() + "\\choiceboard.exe", { g_strBoard }, g_strLog) ||
        session.WaitForWindow("Choice Board", dwTimeoutMS) == NULL)
    {
        printf("press:  choiceboard.exe did not start\n");
        return;
    }
    session.WaitForLine("activate", dwTimeoutMS);
    std::vector<double> ms;
    for (int i = 0; i < nPresses; ++i)
    {
        // Presses fall at scattered moments of the board's tick.
        ::Sleep(150 + (DWORD)(i * 37 % nTickMS));
        double dSeconds = Seconds([&] {
            CScanSession::Press("ctrl+right");
            session.WaitForLine("focus", dwTimeoutMS);
        });
        ms.push_back(1000.0 * dSeconds);
    }
    session.Close(dwTimeoutMS);
    double dMean = 0;
    for (double d : ms)
        dMean += d / (double)ms.size();
    const double dMax = *std::max_element(ms.begin(), ms.end());
    int nWithinTick = (int)std::count_if(ms.begin(), ms.end(), [](double d) { return d <= nTickMS; });
    printf("press:  %d presses to the highlight logged by choiceboard.exe: min %.1f, median %.1f, mean %.1f, "
           "p90 %.1f, max %.1f ms\n",
           nPresses, Percentile(ms, 0), Percentile(ms, 0.5), dMean, Percentile(ms, 0.9), dMax);
    printf("        against the %u ms tick: median %.2f, p90 %.2f, max %.2f ticks; %d of %d within one tick\n",
           nTickMS, Percentile(ms, 0.5) / nTickMS, Percentile(ms, 0.9) / nTickMS, dMax / nTickMS, nWithinTick,
           nPresses);
}

DWORD g_dwNow = 0;
DWORD SteeredClock() { return g_dwNow; }

void PumpPending()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
    {
        if (!AfxGetThread()->PreTranslateMessage(&msg))
        {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

// The board's own application, which runs the steps once its message loop has begun.
class CBenchApp : public CChoiceBoardApp
{
public:
    BOOL InitInstance() override
    {
        if (!Start({ g_strBoard, "--log", g_strLog }))
            return FALSE;
        ::PostThreadMessageA(::GetCurrentThreadId(), WM_APP, 0, 0);
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->hwnd != NULL || pMsg->message != WM_APP)
            return CChoiceBoardApp::PreTranslateMessage(pMsg);
        MeasureSteps();
        m_pMainWnd->PostMessage(WM_CLOSE);
        return TRUE;
    }

private:
    void MeasureSteps();
};

void CBenchApp::MeasureSteps()
{
    CBoardMainFrame* pFrame = GetMainFrame();
    CMDIChildWnd* pChild = pFrame->MDIGetActive();
    CView* pView = pChild != NULL ? pChild->GetActiveView() : NULL;
    if (pView == NULL)
    {
        printf("steps:  no board to scan\n");
        return;
    }
    pFrame->SetForegroundWindow();
    PumpPending();

    ScanClockProc pfnOld = SetScanClock(SteeredClock);
    gScanningPrefs.m_nFlashSpeed = 250;
    gScanningPrefs.m_nCancelCycles = CScanningPrefs::neverCancel;
    gScanningPrefs.m_bScanningSounds = FALSE;
    gScanningPrefs.SetScanningSpeed(9);
    CContainer::SetHotKeyHit(VK_RETURN);
    // Every tick a quarter second on: a flash, and every other one a step too.
    auto run = [&](int n) {
        int nDone = 0;
        for (int nTick = 0; nDone < n; ++nTick)
        {
            CContainer* pFocus = CContainer::GetScanningFocus();
            g_dwNow += 251;
            pView->SendMessage(WM_TIMER, 1);
            if (nTick % 16 == 0)
                PumpPending();
            nDone += CContainer::GetScanningFocus() != pFocus;
        }
        PumpPending();
    };
    run(nWarmUpSteps);
    ProcessResources before = MeasureProcess();
    double dSeconds = Seconds([&] { run(nSteps); });
    ProcessResources after = MeasureProcess();
    CContainer::StopScan();
    SetAutoScan(FALSE);
    SetScanClock(pfnOld);
    printf("steps:  %d automatic steps with flashing in the full program in %.2f s (%.0f steps/s)\n", nSteps, dSeconds,
           nSteps / dSeconds);
    PrintGrowth(before, after);
}

CBenchApp theApp;

} // namespace

int main()
{
    // The bench's own scanning settings, not the user's.
    gScanningPrefs.SetINISection(szIniSection);
    g_strBoard = BenchTempPath("app_bench", "board.lmd");
    g_strLog = BenchTempPath("app_bench", "board.log");
    int nStatus = 0;
    try
    {
        WriteBoard(g_strBoard);
        MeasurePresses();
        ::DeleteFileA(g_strLog);
        nStatus = AfxWinMain(::GetModuleHandleA(NULL), NULL, const_cast<LPTSTR>(""), SW_SHOWNORMAL);
    }
    catch (CException* e)
    {
        printf("app_bench: the board could not be written\n");
        e->Delete();
        nStatus = 1;
    }
    ::DeleteFileA(g_strBoard);
    ::DeleteFileA(g_strLog);
    ::WritePrivateProfileStringA(szIniSection, NULL, NULL, "OKAPI_X.INI");
    return nStatus;
}
