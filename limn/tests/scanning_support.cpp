// The scanning tests' window, clock, settings, keys, dialogs and pixels.
#include "scanning_support.h"

DWORD g_dwScanNow = 1000;

namespace {

DWORD SteeredClock() { return g_dwScanNow; }

const char szINIFile[] = "OKAPI_X.INI";

void EmptySection(const char* pszSection) { ::WritePrivateProfileStringA(pszSection, NULL, NULL, szINIFile); }

} // namespace

CScanLeaf::CScanLeaf(CContainer* pParent, const char* pszName, const CRect& rect, CallLog* pLog)
    : CContainer(pParent, arrangeNone), m_pLog(pLog)
{
    SetName(pszName);
    SetBounds(rect);
    SetFillColor(RGB(0, 0, 255));
}

void CScanLeaf::OnLButtonDown(CPoint point, const CEventState& state)
{
    m_pLog->push_back(std::string(GetName()) + ":LDown");
    CContainer::OnLButtonDown(point, state);
}

void CScanLeaf::OnLButtonUp(CPoint point, const CEventState& state)
{
    m_pLog->push_back(std::string(GetName()) + ":LUp");
    CContainer::OnLButtonUp(point, state);
}

void CScanLeaf::OnSelect()
{
    m_pLog->push_back(std::string(GetName()) + ":Select");
    CContainer::OnSelect();
}

CSilence::CSilence(const char* pszName, DWORD dwMS)
{
    const DWORD nRate = 11025;
    m_format.wf = { WAVE_FORMAT_PCM, 1, nRate, nRate, 1 };
    m_format.wBitsPerSample = 8;
    std::vector<BYTE> samples(nRate * dwMS / 1000, 0x80);
    m_data.SetData((DWORD)samples.size(), samples.data());
    SetName(pszName);
}

CallLog* CWaveDoneRecorder::s_pLog = NULL;

CWaveDoneRecorder::CWaveDoneRecorder(CallLog* pLog)
{
    s_pLog = pLog;
    m_hHook = ::SetWindowsHookExA(WH_GETMESSAGE, GetMessageProc, NULL, ::GetCurrentThreadId());
}

CWaveDoneRecorder::~CWaveDoneRecorder()
{
    ::UnhookWindowsHookEx(m_hHook);
    s_pLog = NULL;
}

LRESULT CALLBACK CWaveDoneRecorder::GetMessageProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    const MSG* pMsg = (const MSG*)lParam;
    if (nCode == HC_ACTION && wParam == PM_REMOVE && pMsg->message == MM_WOM_DONE && s_pLog != NULL)
        s_pLog->push_back("MM_WOM_DONE");
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

const char* const ScanningTest::pszTestSection = "Limn Tests Scanning Prefs";

ScanningTest::ScanningTest() : m_window(100, 100, 400, 300)
{
    m_strOldSection = gScanningPrefs.GetINISection();
    EmptySection(pszTestSection);
    gScanningPrefs.SetINISection(pszTestSection);
    gScanningPrefs.m_nFlashSpeed = 0;
    gScanningPrefs.m_bScanningSounds = FALSE;
    gScanningPrefs.m_bContinuousScanning = TRUE;
    gScanningPrefs.m_nCancelCycles = 3;
    gScanningPrefs.SetScanningSpeed(9);
    m_pfnOldClock = SetScanClock(SteeredClock);
    m_pRoot = new CWndContainer(&m_window.m_wnd);
    m_pRoot->SetName("root");
    m_window.m_pRoot = m_pRoot;
    m_window.StartScanningTimer();
    PumpMessages();
}

ScanningTest::~ScanningTest()
{
    CContainer::StopScan();
    SetAutoScan(FALSE);
    CContainer::SetHotKeyHit(0);
    CScanState::HotKeyDelay() = 0;
    m_window.m_pRoot = NULL;
    delete m_pRoot;
    SetScanClock(m_pfnOldClock);
    EmptySection(pszTestSection);
    gScanningPrefs.SetINISection(m_strOldSection);
}

CContainer* ScanningTest::Group(CContainer* pParent, const char* pszName, const CRect& rect)
{
    auto* pGroup = new CContainer(pParent, arrangeNone);
    pGroup->SetName(pszName);
    pGroup->SetBounds(rect);
    return pGroup;
}

CScanLeaf* ScanningTest::Leaf(CContainer* pParent, const char* pszName, const CRect& rect)
{
    return new CScanLeaf(pParent, pszName, rect, &m_log);
}

void ScanningTest::Hit(BYTE key)
{
    CContainer::SetHotKeyHit(key);
    m_window.AwaitTicks(1);
}

void ScanningTest::Advance(DWORD dwMS)
{
    g_dwScanNow += dwMS;
    m_window.AwaitTicks(1);
}

std::string ScanningTest::ScanListNames()
{
    std::string strNames;
    const auto& list = CContainer::GetScanList();
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
    {
        if (!strNames.empty())
            strNames += ",";
        strNames += (const char*)list.GetNext(pos)->GetName();
    }
    return strNames;
}

std::string ScanningTest::FocusName()
{
    CContainer* pFocus = CContainer::GetScanningFocus();
    return pFocus != NULL ? (const char*)pFocus->GetName() : "";
}

std::vector<COLORREF> Snapshot(HWND hWnd)
{
    CRect rect;
    ::GetClientRect(hWnd, &rect);
    std::vector<COLORREF> pixels;
    HDC hDC = ::GetDC(hWnd);
    for (int y = 0; y < rect.bottom; y++)
        for (int x = 0; x < rect.right; x++)
            pixels.push_back(::GetPixel(hDC, x, y));
    ::ReleaseDC(hWnd, hDC);
    return pixels;
}

::testing::AssertionResult SamePixels(const std::vector<COLORREF>& expected, const std::vector<COLORREF>& actual)
{
    if (expected.size() != actual.size())
        return ::testing::AssertionFailure() << "sizes " << expected.size() << " and " << actual.size();
    size_t nDiffer = 0, iFirst = 0;
    for (size_t i = 0; i < expected.size(); i++)
    {
        if (expected[i] != actual[i] && nDiffer++ == 0)
            iFirst = i;
    }
    if (nDiffer == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << nDiffer << " pixels differ, the first at index " << iFirst << ": expected 0x"
                                         << std::hex << expected[iFirst] << ", actual 0x" << actual[iFirst];
}

void PressChord(std::initializer_list<WORD> keys)
{
    std::vector<INPUT> inputs;
    for (WORD key : keys)
    {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        inputs.push_back(input);
    }
    for (auto it = std::rbegin(keys); it != std::rend(keys); ++it)
    {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *it;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    ::SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
    PumpMessages();
}

CDialogAnswerer* CDialogAnswerer::s_pCurrent = NULL;

CDialogAnswerer::CDialogAnswerer(std::function<void(HWND)> answer) : m_answer(std::move(answer))
{
    s_pCurrent = this;
    m_hHook = ::SetWindowsHookExA(WH_CBT, CbtProc, NULL, ::GetCurrentThreadId());
}

CDialogAnswerer::~CDialogAnswerer()
{
    ::UnhookWindowsHookEx(m_hHook);
    s_pCurrent = NULL;
}

LRESULT CALLBACK CDialogAnswerer::CbtProc(int nCode, WPARAM wParam, LPARAM lParam)
{
    CDialogAnswerer* pThis = s_pCurrent;
    if (nCode == HCBT_ACTIVATE && pThis != NULL)
    {
        HWND hWnd = (HWND)wParam;
        char szClass[16] = "";
        ::GetClassNameA(hWnd, szClass, sizeof szClass);
        if (strcmp(szClass, "#32770") == 0 && pThis->m_answered.insert(hWnd).second)
        {
            pThis->m_nDialogs++;
            for (HWND hChild = ::GetWindow(hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
            {
                char szText[512] = "";
                ::GetClassNameA(hChild, szClass, sizeof szClass);
                if (_stricmp(szClass, "Static") == 0 && ::GetWindowTextA(hChild, szText, sizeof szText) > 0)
                    pThis->m_texts.push_back(szText);
            }
            pThis->m_answer(hWnd);
        }
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}
