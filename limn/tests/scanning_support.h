// Shared by the scanning tests: a selectable leaf that records its clicks, the engine's
// clock steered by the test, the test's own section of the settings file, a window whose
// real 100 ms timer drives the root's scanning clock, keys sent through the real hooks,
// dialogs answered as a user would, and the window's pixels read back.
#pragma once

#include "hoard/sound/Wav.h"
#include "limn/scanning/ContainerHooks.h"
#include "limn/scanning/ScanClock.h"
#include "limn/scanning/ScanningPrefs.h"

#include "container_support.h"

#include <functional>
#include <set>

// A control that scanning can select: records "name:LDown", "name:LUp" and
// "name:Select", and is drawn in its fill colour.
class CScanLeaf : public CContainer
{
public:
    CScanLeaf(CContainer* pParent, const char* pszName, const CRect& rect, CallLog* pLog);
    BOOL CanScanSelect() override { return TRUE; }
    void OnLButtonDown(CPoint point, const CEventState& state) override;
    void OnLButtonUp(CPoint point, const CEventState& state) override;
    void OnSelect() override;

    CallLog* m_pLog;
};

// The class-wide scanning state that the public interface does not show.
class CScanState : public CContainer
{
public:
    static int& HotKeyDelay() { return m_nHotKeyDelay; }
    static BOOL& DrawPhase() { return m_bDrawScanHilite; }
};

// The engine's clock, set by the test.
extern DWORD g_dwScanNow;

// A sound of silence of the given length: 8-bit mono at 11025 samples a second.
class CSilence : public CWav
{
public:
    CSilence(const char* pszName, DWORD dwMS);
};

// While alive, notes "MM_WOM_DONE" in the log each time the sound engine takes a wave
// device's report of a playback's end from the queue.
class CWaveDoneRecorder
{
public:
    explicit CWaveDoneRecorder(CallLog* pLog);
    ~CWaveDoneRecorder();
    CWaveDoneRecorder(const CWaveDoneRecorder&) = delete;
    CWaveDoneRecorder& operator=(const CWaveDoneRecorder&) = delete;

private:
    static LRESULT CALLBACK GetMessageProc(int nCode, WPARAM wParam, LPARAM lParam);

    HHOOK m_hHook;
    static CallLog* s_pLog;
};

// A window of 400 by 300 at (100, 100) whose root the scanning timer drives, with the
// steered clock and the settings in a section of their own, emptied before and after:
// steady highlight, speed 9 (550 ms), three cycles, continuous scanning, no sounds.
class ScanningTest : public ::testing::Test
{
protected:
    ScanningTest();
    ~ScanningTest() override;

    // A group or a leaf in the root or another container.
    CContainer* Group(CContainer* pParent, const char* pszName, const CRect& rect);
    CScanLeaf* Leaf(CContainer* pParent, const char* pszName, const CRect& rect);
    // Posts the hot key and waits for the tick that takes it.
    void Hit(BYTE key);
    // Moves the clock on and waits for a tick.
    void Advance(DWORD dwMS);
    // The names of the scan list's entries, or of the focus ("" when none).
    static std::string ScanListNames();
    static std::string FocusName();

    static const char* const pszTestSection;

    CTreeWindow m_window;
    CWndContainer* m_pRoot;
    CallLog m_log;
    ScanClockProc m_pfnOldClock;
    CString m_strOldSection;
};

// The client area's pixels, row by row.
std::vector<COLORREF> Snapshot(HWND hWnd);
// How many pixels differ, with the first difference, when any do.
::testing::AssertionResult SamePixels(const std::vector<COLORREF>& expected, const std::vector<COLORREF>& actual);

// Keys pressed and released through SendInput, then handled; each entry is a virtual
// key, pressed in order and released in reverse (a chord).
void PressChord(std::initializer_list<WORD> keys);

// While alive, every dialog box that this thread activates is handed to the answer once:
// the answer may read and set its controls and post the command that ends it. The texts
// of the dialog's static controls are kept.
class CDialogAnswerer
{
public:
    explicit CDialogAnswerer(std::function<void(HWND)> answer);
    ~CDialogAnswerer();
    CDialogAnswerer(const CDialogAnswerer&) = delete;
    CDialogAnswerer& operator=(const CDialogAnswerer&) = delete;

    std::vector<std::string> m_texts;
    int m_nDialogs = 0;

private:
    static LRESULT CALLBACK CbtProc(int nCode, WPARAM wParam, LPARAM lParam);

    std::function<void(HWND)> m_answer;
    std::set<HWND> m_answered;
    HHOOK m_hHook;
    static CDialogAnswerer* s_pCurrent;
};
