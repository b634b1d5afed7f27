// The scanning hooks on real input: keys sent with SendInput pass through the keyboard
// hook and clicks through the mouse hook before the test window sees them; the root's
// real timer takes the hot keys they leave. Dialogs and message boxes are answered as a
// user would.
#include "scanning_support.h"

#include "limn/res/resource.h"

#include <algorithm>

namespace {

class ScanningHooks : public ScanningTest
{
protected:
    ScanningHooks()
    {
        Leaf(m_pRoot, "A", CRect(10, 10, 100, 100));
        Leaf(m_pRoot, "B", CRect(120, 10, 210, 100));
        m_pRoot->SetScanningParent();
        ::UpdateWindow(m_window.Handle());
        InstallContainerHooks(FALSE);
        m_window.m_input.clear();
    }
    ~ScanningHooks() override
    {
        RemoveContainerHooks();
        gScanningPrefs.m_bScanningEnabled = TRUE;
    }

    // Whether the window received the key going down.
    BOOL Reached(WPARAM key) const
    {
        const auto& input = m_window.m_input;
        return std::find(input.begin(), input.end(), std::make_pair((UINT)WM_KEYDOWN, key)) != input.end();
    }
    BOOL ReachedButton(UINT nButtonMsg) const
    {
        const auto& input = m_window.m_input;
        return std::find(input.begin(), input.end(), std::make_pair(nButtonMsg, (WPARAM)0)) != input.end();
    }
    // Sends the chord and waits for the tick that takes what it left.
    void Press(std::initializer_list<WORD> keys)
    {
        m_window.m_input.clear();
        ::SetForegroundWindow(m_window.Handle());
        PressChord(keys);
        m_window.AwaitTicks(1);
    }
    void Click(UINT nButtonMsg)
    {
        m_window.m_input.clear();
        ::SetForegroundWindow(m_window.Handle());
        MoveCursorTo(m_window.ToScreen(CPoint(300, 200)));
        if (nButtonMsg == WM_LBUTTONDOWN)
        {
            PressLeft();
            ReleaseLeft();
        }
        else
        {
            PressRight();
            ReleaseRight();
        }
        AwaitSingleClick();
        m_window.AwaitTicks(1);
    }
    static BOOL HasText(const CDialogAnswerer& answerer, const char* pszText)
    {
        return std::find(answerer.m_texts.begin(), answerer.m_texts.end(), pszText) != answerer.m_texts.end();
    }
};

// Presses the button nID of a dialog that has one, and OK in message boxes.
std::function<void(HWND)> Choose(UINT nID)
{
    return [nID](HWND hWnd) { ::PostMessageA(hWnd, WM_COMMAND, ::GetDlgItem(hWnd, nID) != NULL ? nID : IDOK, 0); };
}

TEST_F(ScanningHooks, CtrlHotKeysAreTakenAndOtherChordsReachTheApplication)
{
    static const struct
    {
        std::initializer_list<WORD> keys;
        WORD wKey;          // the key that goes down last
        BOOL bTaken;
        const char* pszFocus;
    } cases[] = {
        { { VK_CONTROL, VK_RIGHT }, VK_RIGHT, TRUE, "A" },
        { { VK_CONTROL, VK_RIGHT }, VK_RIGHT, TRUE, "B" },
        { { VK_CONTROL, VK_LEFT }, VK_LEFT, TRUE, "A" },
        { { VK_CONTROL, VK_SHIFT, VK_RIGHT }, VK_RIGHT, FALSE, "A" },
        { { VK_RIGHT }, VK_RIGHT, FALSE, "A" },
        { { VK_CONTROL, VK_UP }, VK_UP, TRUE, "A" },           // swallowed, does nothing
        { { VK_CONTROL, 'X' }, 'X', FALSE, "A" },
    };
    int i = 0;
    for (const auto& c : cases)
    {
        Press(c.keys);
        EXPECT_EQ(!c.bTaken, Reached(c.wKey)) << "case " << i;
        EXPECT_EQ(c.pszFocus, FocusName()) << "case " << i;
        EXPECT_EQ(0, CContainer::GetHotKey()) << "case " << i << ": the tick took it";
        i++;
    }
    EXPECT_TRUE(m_log.empty());
    Press({ VK_CONTROL, VK_DOWN });
    EXPECT_TRUE(SequenceIs({ "A:LDown", "A:LUp", "A:Select" }, m_log));
}

TEST_F(ScanningHooks, WithoutScanningKeysNothingIsTaken)
{
    gScanningPrefs.m_bScanningEnabled = FALSE;
    Press({ VK_CONTROL, VK_RIGHT });
    EXPECT_TRUE(Reached(VK_RIGHT));
    EXPECT_EQ("", FocusName());
}

TEST_F(ScanningHooks, DigitsSetAndSaveTheSpeedOnlyDuringAutomaticScanning)
{
    Press({ '7' });
    EXPECT_TRUE(Reached('7'));
    EXPECT_EQ(9, gScanningPrefs.GetScanningSpeed());

    Press({ VK_CONTROL, VK_RETURN });
    EXPECT_TRUE(CContainer::IsInAutoScan());
    Press({ '7' });
    EXPECT_FALSE(Reached('7'));
    EXPECT_EQ(7, gScanningPrefs.GetScanningSpeed());
    EXPECT_EQ(1100u, gScanningPrefs.GetScanningSpeedMS());
    EXPECT_EQ(7u, ::GetPrivateProfileIntA(pszTestSection, "Scan Speed", -1, "OKAPI_X.INI"));
    EXPECT_TRUE(CContainer::IsInAutoScan());

    Press({ VK_ESCAPE });
    EXPECT_FALSE(Reached(VK_ESCAPE));
    EXPECT_FALSE(CContainer::IsInAutoScan());
    Press({ VK_ESCAPE });
    EXPECT_TRUE(Reached(VK_ESCAPE)) << "once automatic scanning has stopped";
}

TEST_F(ScanningHooks, DedicatedKeyboardModeAndEscTwice)
{
    CDialogAnswerer answerer(Choose(IDC_DEDICATED_KEYBOARD));
    Press({ VK_CONTROL, VK_DELETE });
    ASSERT_EQ(1, answerer.m_nDialogs);
    EXPECT_TRUE(IsDedicatedKeyboardMode());
    EXPECT_FALSE(IsDedicatedMouseMode());
    for (const char* pszText :
         { "To use the mouse button for Automatic Scanning, select Mouse.",
           "To use the following keys for Step and Automatic Scanning, select Keyboard.",
           "1 or space ..... Automatic Scanning\n0 ................... Step Back\n2 ................... Step Forward\n3 "
           "................... Select",
           "If you do not wish to enter Dedicated Scanning mode, select Cancel.",
           "Press the 'Esc' key to exit Dedicated Scanning mode after turning it on.  If you are currently in an "
           "automatic scan, you will need to press 'Esc' twice." })
        EXPECT_TRUE(HasText(answerer, pszText)) << pszText;

    // 2 steps forward, 0 back, 3 selects.
    Press({ '2' });
    EXPECT_FALSE(Reached('2'));
    EXPECT_EQ("A", FocusName());
    Press({ '2' });
    Press({ '0' });
    EXPECT_EQ("A", FocusName());
    Press({ '3' });
    EXPECT_TRUE(SequenceIs({ "A:LDown", "A:LUp", "A:Select" }, m_log));
    Press({ '4' });
    EXPECT_TRUE(Reached('4'));

    // 1 starts automatic scanning; the first Esc stops it, the second leaves the mode.
    Press({ '1' });
    EXPECT_TRUE(CContainer::IsInAutoScan());
    Press({ VK_ESCAPE });
    EXPECT_FALSE(CContainer::IsInAutoScan());
    EXPECT_TRUE(IsDedicatedKeyboardMode());
    EXPECT_EQ(1, answerer.m_nDialogs);
    Press({ VK_ESCAPE });
    EXPECT_FALSE(IsDedicatedKeyboardMode());
    EXPECT_EQ(2, answerer.m_nDialogs);
    EXPECT_TRUE(HasText(answerer, "Now leaving Dedicated Scanning mode."));
    EXPECT_TRUE(Reached(VK_ESCAPE));
    Press({ '1' });
    EXPECT_TRUE(Reached('1')) << "digits are plain keys again";
}

// Keys held down: the keyboard repeats them, a tick of the timer apart.
void HoldKey(WORD wKey, int nRepeats, CTreeWindow& window)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = wKey;
    for (int i = 0; i <= nRepeats; i++)
    {
        ::SendInput(1, &input, sizeof input);
        PumpMessages();
        window.AwaitTicks(1);
    }
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(1, &input, sizeof input);
    PumpMessages();
    window.AwaitTicks(1);
}

// A switch held down counts once, and the application sees none of its repeats; a
// held Esc that stops automatic scanning stays in the mode.
TEST_F(ScanningHooks, DedicatedKeysHeldDownCountOnce)
{
    CDialogAnswerer answerer(Choose(IDC_DEDICATED_KEYBOARD));
    OnDedicatedScanning();
    ASSERT_TRUE(IsDedicatedKeyboardMode());
    ::SetForegroundWindow(m_window.Handle());
    m_window.m_input.clear();

    HoldKey('2', 1, m_window);
    EXPECT_EQ("A", FocusName()) << "one step";
    EXPECT_FALSE(Reached('2'));
    HoldKey('1', 1, m_window);
    EXPECT_TRUE(CContainer::IsInAutoScan());
    EXPECT_EQ("A", FocusName());
    EXPECT_TRUE(m_log.empty()) << "automatic scanning started, and nothing was selected";
    EXPECT_FALSE(Reached('1'));

    HoldKey(VK_ESCAPE, 2, m_window);
    EXPECT_FALSE(CContainer::IsInAutoScan());
    EXPECT_TRUE(IsDedicatedKeyboardMode()) << "a held Esc is one Esc";
    EXPECT_EQ(1, answerer.m_nDialogs);
    Press({ VK_ESCAPE });
    EXPECT_FALSE(IsDedicatedKeyboardMode());
}

TEST_F(ScanningHooks, DedicatedMouseModeTakesLeftClicksInClientAreasOnly)
{
    {
        CDialogAnswerer answerer(Choose(IDCANCEL));
        OnDedicatedScanning();
        EXPECT_EQ(1, answerer.m_nDialogs);
        EXPECT_FALSE(IsDedicatedMouseMode());
        EXPECT_FALSE(IsDedicatedKeyboardMode());
    }
    gScanningPrefs.m_bContinuousScanning = FALSE;
    CDialogAnswerer answerer(Choose(IDC_DEDICATED_MOUSE));
    OnDedicatedScanning();
    EXPECT_TRUE(IsDedicatedMouseMode());

    Click(WM_RBUTTONDOWN);
    EXPECT_TRUE(ReachedButton(WM_RBUTTONDOWN)) << "a right click is not a switch";
    EXPECT_FALSE(CContainer::IsInAutoScan());

    Click(WM_LBUTTONDOWN);
    EXPECT_FALSE(ReachedButton(WM_LBUTTONDOWN));
    EXPECT_TRUE(CContainer::IsInAutoScan());
    EXPECT_EQ("A", FocusName());
    Click(WM_LBUTTONDOWN);
    EXPECT_TRUE(SequenceIs({ "A:LDown", "A:LUp", "A:Select" }, m_log)) << "the second click selects";

    // While a menu is open, and while the tree is inactive, clicks are clicks.
    m_bInMenuLoop = TRUE;
    Click(WM_LBUTTONDOWN);
    m_bInMenuLoop = FALSE;
    EXPECT_TRUE(ReachedButton(WM_LBUTTONDOWN));
    EnableDedicatedScanning(FALSE);
    Click(WM_LBUTTONDOWN);
    EnableDedicatedScanning(TRUE);
    EXPECT_TRUE(ReachedButton(WM_LBUTTONDOWN));

    Press({ VK_ESCAPE });
    Press({ VK_ESCAPE });
    EXPECT_FALSE(IsDedicatedMouseMode());
    EXPECT_TRUE(HasText(answerer, "Now leaving Dedicated Scanning mode."));
}

// A switch that bounces, pressed twice in quick succession over the highlight, where
// the pointer rests: the second press comes as a double-click, and neither it nor a
// release reaches the window.
TEST_F(ScanningHooks, DedicatedMouseModeTakesDoubleClicksAndReleases)
{
    gScanningPrefs.m_bContinuousScanning = FALSE;
    CDialogAnswerer answerer(Choose(IDC_DEDICATED_MOUSE));
    OnDedicatedScanning();
    ASSERT_TRUE(IsDedicatedMouseMode());
    Click(WM_LBUTTONDOWN);
    EXPECT_TRUE(CContainer::IsInAutoScan());
    EXPECT_EQ("A", FocusName());

    PressLeft();
    ReleaseLeft();
    PressLeft();
    ReleaseLeft();
    m_window.AwaitTicks(1);
    EXPECT_TRUE(SequenceIs({ "A:LDown", "A:LUp", "A:Select" }, m_log)) << "one selection, by scanning";
    EXPECT_FALSE(ReachedButton(WM_LBUTTONDOWN));

    AwaitSingleClick();
    Press({ VK_ESCAPE });
    EXPECT_FALSE(IsDedicatedMouseMode());
    // Out of the mode, presses and releases are the window's again.
    Click(WM_LBUTTONDOWN);
    EXPECT_TRUE(ReachedButton(WM_LBUTTONDOWN));
}

// Hooks taken away between a switch's press and its release do not see that release:
// installed again, they pass on the release of a press the window had.
TEST_F(ScanningHooks, ReinstalledHooksPassOnTheReleaseOfAPressTheyDidNotTake)
{
    CDialogAnswerer answerer(Choose(IDC_DEDICATED_MOUSE));
    OnDedicatedScanning();
    ASSERT_TRUE(IsDedicatedMouseMode());
    ::SetForegroundWindow(m_window.Handle());
    MoveCursorTo(m_window.ToScreen(CPoint(50, 50)));
    PressLeft();
    EXPECT_EQ(VK_RETURN, CContainer::GetHotKey()) << "the switch";
    CContainer::SetHotKeyHit(0);
    RemoveContainerHooks();
    ReleaseLeft();
    AwaitSingleClick();
    PressLeft();
    InstallContainerHooks(FALSE);
    ReleaseLeft();
    EXPECT_TRUE(SequenceIs({ "A:LUp", "A:LDown", "A:LUp", "A:Select" }, m_log));

    AwaitSingleClick();
    Press({ VK_ESCAPE });
    EXPECT_FALSE(IsDedicatedMouseMode());
}

TEST_F(ScanningHooks, HooksInstalledOrRemovedTwiceDoNoHarm)
{
    for (int bSystemWide : { FALSE, TRUE })
    {
        InstallContainerHooks(bSystemWide);
        InstallContainerHooks(bSystemWide);
        CContainer::StopScan();
        m_pRoot->SetScanningParent();
        Press({ VK_CONTROL, VK_RIGHT });
        EXPECT_FALSE(Reached(VK_RIGHT)) << "system-wide " << bSystemWide;
        Press({ VK_CONTROL, VK_RIGHT });
        EXPECT_EQ("B", FocusName()) << "one step a press, system-wide " << bSystemWide;
    }
    RemoveContainerHooks();
    RemoveContainerHooks();
    Press({ VK_CONTROL, VK_RIGHT });
    EXPECT_TRUE(Reached(VK_RIGHT));
    EXPECT_EQ("B", FocusName());
}

TEST_F(ScanningHooks, SpaceWarnsOnlyWhileTheTapperWindowExists)
{
    CDialogAnswerer answerer(Choose(IDOK));
    Press({ VK_CONTROL, VK_SPACE });
    EXPECT_FALSE(Reached(VK_SPACE));
    EXPECT_EQ(0, answerer.m_nDialogs);
    HWND hTapper = ::CreateWindowA("STATIC", "Tapper! Messaging Window", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ASSERT_NE(nullptr, hTapper);
    Press({ VK_CONTROL, VK_SPACE });
    ::DestroyWindow(hTapper);
    EXPECT_EQ(1, answerer.m_nDialogs);
    EXPECT_EQ("", FocusName());
    EXPECT_FALSE(CContainer::IsInAutoScan());
}

} // namespace
