// Switch timing on real input: keys sent with SendInput and clicks pass through the
// hooks, the root's real timer takes what they leave, and the engine's clock is steered
// by the tests, so that a press is held, and the presses and steps fall apart, exactly
// as long as a test says.
#include "limn/res/resource.h"

#include "scanning_support.h"

#include <algorithm>

namespace {

class SwitchTiming : public ScanningTest
{
protected:
    SwitchTiming()
    {
        // Far from any press that counted in an earlier test.
        g_dwScanNow += 100000;
        InstallContainerHooks(FALSE);
        ::SetForegroundWindow(m_window.Handle());
    }
    ~SwitchTiming() override { RemoveContainerHooks(); }

    // G1 {A, B, C} above G2 {D, E, F}: six choices, so the level is not flattened. G1.
    CContainer* TwoGroups()
    {
        CContainer* pG1 = Group(m_pRoot, "G1", CRect(10, 10, 390, 140));
        CContainer* pG2 = Group(m_pRoot, "G2", CRect(10, 160, 390, 290));
        const char* names[2][3] = { { "A", "B", "C" }, { "D", "E", "F" } };
        for (int g = 0; g < 2; g++)
            for (int i = 0; i < 3; i++)
                Leaf(g == 0 ? pG1 : pG2, names[g][i], CRect(20 + 120 * i, 20, 120 + 120 * i, 110));
        return pG1;
    }
    // Whether the window received the key or button going down.
    BOOL Reached(UINT nMsg, WPARAM key) const
    {
        const auto& input = m_window.m_input;
        return std::find(input.begin(), input.end(), std::make_pair(nMsg, key)) != input.end();
    }

    // Keys going down in order, or up in reverse order, through the hooks.
    static void KeysDown(std::initializer_list<WORD> keys) { SendKeys(keys, 0); }
    static void KeysUp(std::initializer_list<WORD> keys) { SendKeys(keys, KEYEVENTF_KEYUP); }
    // Presses and releases at once, then waits for the tick that takes what is left.
    void Press(std::initializer_list<WORD> keys)
    {
        PressChord(keys);
        m_window.AwaitTicks(1);
    }

private:
    static void SendKeys(std::initializer_list<WORD> keys, DWORD dwFlags)
    {
        std::vector<INPUT> inputs;
        for (WORD key : keys)
        {
            INPUT input = {};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = key;
            input.ki.dwFlags = dwFlags;
            inputs.push_back(input);
        }
        if (dwFlags & KEYEVENTF_KEYUP)
            std::reverse(inputs.begin(), inputs.end());
        ::SendInput((UINT)inputs.size(), inputs.data(), sizeof(INPUT));
        PumpMessages();
    }
};

// With "Acceptance Time" 500: a press held 499 ms does nothing; one held 500 ms counts
// on the tick that finds it held, while still down, and only once; one released after
// 600 ms without a tick between counts at its release.
TEST_F(SwitchTiming, APressShorterThanTheAcceptanceTimeDoesNothing)
{
    Leaf(m_pRoot, "A", CRect(10, 10, 100, 100));
    Leaf(m_pRoot, "B", CRect(120, 10, 210, 100));
    m_pRoot->SetScanningParent();
    gScanningPrefs.m_nAcceptanceTime = 500;
    m_window.m_input.clear();

    KeysDown({ VK_CONTROL, VK_RIGHT });
    Advance(499);
    KeysUp({ VK_CONTROL, VK_RIGHT });
    m_window.AwaitTicks(1);
    EXPECT_EQ("", FocusName()) << "held 499 ms";
    EXPECT_EQ(0, CContainer::GetHotKey());
    EXPECT_FALSE(Reached(WM_KEYDOWN, VK_RIGHT)) << "a press too short is still no key of the window's";

    KeysDown({ VK_CONTROL, VK_RIGHT });
    Advance(500);
    EXPECT_EQ("A", FocusName()) << "held 500 ms, and still down";
    KeysDown({ VK_RIGHT });     // the keyboard repeats the held key
    Advance(1000);
    KeysUp({ VK_CONTROL, VK_RIGHT });
    m_window.AwaitTicks(1);
    EXPECT_EQ("A", FocusName()) << "a held switch counts once";

    KeysDown({ VK_CONTROL, VK_RIGHT });
    g_dwScanNow += 600;
    KeysUp({ VK_CONTROL, VK_RIGHT });
    EXPECT_EQ(VK_RIGHT, CContainer::GetHotKey()) << "counted at its release";
    m_window.AwaitTicks(1);
    EXPECT_EQ("B", FocusName());

    // Commands are no switches: Esc stops automatic scanning at once.
    gScanningPrefs.m_nAcceptanceTime = CScanningPrefs::maxAcceptanceTime;
    CContainer::SetHotKeyHit(VK_RETURN);
    m_window.AwaitTicks(1);
    ASSERT_TRUE(CContainer::IsInAutoScan());
    Press({ VK_ESCAPE });
    EXPECT_FALSE(CContainer::IsInAutoScan());
}

// The mouse button as the switch, in dedicated mouse mode: a short click does nothing; a
// held one starts automatic scanning. No part of either reaches the window.
TEST_F(SwitchTiming, AShortClickDoesNothingInDedicatedMouseMode)
{
    Leaf(m_pRoot, "A", CRect(10, 10, 100, 100));
    Leaf(m_pRoot, "B", CRect(120, 10, 210, 100));
    m_pRoot->SetScanningParent();
    {
        CDialogAnswerer answerer([](HWND hDlg) { ::PostMessageA(hDlg, WM_COMMAND, IDC_DEDICATED_MOUSE, 0); });
        OnDedicatedScanning();
    }
    ASSERT_TRUE(IsDedicatedMouseMode());
    ::SetForegroundWindow(m_window.Handle());
    MoveCursorTo(m_window.ToScreen(CPoint(300, 200)));
    gScanningPrefs.m_nAcceptanceTime = 300;
    m_window.m_input.clear();

    PressLeft();
    Advance(299);
    ReleaseLeft();
    m_window.AwaitTicks(1);
    EXPECT_FALSE(CContainer::IsInAutoScan()) << "held 299 ms";
    AwaitSingleClick();
    PressLeft();
    Advance(300);
    EXPECT_TRUE(CContainer::IsInAutoScan()) << "held 300 ms";
    EXPECT_EQ("A", FocusName());
    ReleaseLeft();
    EXPECT_FALSE(Reached(WM_LBUTTONDOWN, 0));
    EXPECT_FALSE(Reached(WM_LBUTTONUP, 0));

    CContainer::StopScan();
    SetAutoScan(FALSE);
    AwaitSingleClick();
    CDialogAnswerer leaving([](HWND hDlg) { ::PostMessageA(hDlg, WM_COMMAND, IDOK, 0); });
    Press({ VK_ESCAPE });
    EXPECT_FALSE(IsDedicatedMouseMode());
}

// Ctrl+Down opens a group (its first entry is highlighted), and a second Ctrl+Down 50 ms
// later would select that entry: with "Ignore Repeat" 300 it is ignored, and a press
// 301 ms after the first counts again.
TEST_F(SwitchTiming, TwoPressesFiftyMsApartGiveOneSelection)
{
    CContainer* pG1 = TwoGroups();
    for (int nIgnoreRepeat : { 0, 300 })
    {
        gScanningPrefs.m_nIgnoreRepeat = nIgnoreRepeat;
        Advance(1000);
        m_log.clear();
        CContainer::StopScan();
        m_pRoot->SetScanningParent();
        Press({ VK_CONTROL, VK_RIGHT });
        ASSERT_EQ("G1", FocusName()) << "ignore repeat " << nIgnoreRepeat;
        Advance(1000);

        Press({ VK_CONTROL, VK_DOWN });
        EXPECT_EQ(pG1, CContainer::GetScanningParent()) << "ignore repeat " << nIgnoreRepeat;
        EXPECT_EQ("A", FocusName()) << "ignore repeat " << nIgnoreRepeat;
        Advance(50);
        Press({ VK_CONTROL, VK_DOWN });
        if (nIgnoreRepeat == 0)
        {
            EXPECT_TRUE(SequenceIs({ "A:LDown", "A:LUp", "A:Select" }, m_log)) << "two selections";
            continue;
        }
        EXPECT_TRUE(m_log.empty()) << "one selection, of the group";
        EXPECT_EQ("A", FocusName());
        Advance(251);
        Press({ VK_CONTROL, VK_DOWN });
        EXPECT_TRUE(SequenceIs({ "A:LDown", "A:LUp", "A:Select" }, m_log)) << "301 ms after the first";
    }
}

// Automatic scanning at 550 ms a step: with "First Item Delay" 1000 the first entry of
// a level stays 1550 ms whenever the highlight comes to it, at the start, after a wrap
// and in a group just opened; when the first entry is hidden after the level was made,
// the first one that can be scanned stays longer.
TEST_F(SwitchTiming, TheFirstEntryStaysLonger)
{
    CContainer* pG1 = TwoGroups();
    static const struct
    {
        int nDelay;
        std::vector<DWORD> advances;
        const char* pszFoci;    // at the start, then after each advance of the clock
    } cases[] = {
        { 0, { 551, 551 }, "G1 G2 G1" },
        { 1000, { 1550, 1, 551, 1550, 1 }, "G1 G1 G2 G1 G1 G2" },
    };
    for (const auto& c : cases)
    {
        gScanningPrefs.m_nFirstItemDelay = c.nDelay;
        m_pRoot->SetScanningParent();
        Hit(VK_RETURN);
        std::string strFoci = FocusName();
        for (DWORD dwAdvance : c.advances)
        {
            Advance(dwAdvance);
            strFoci += " " + FocusName();
        }
        EXPECT_EQ(c.pszFoci, strFoci) << "first item delay " << c.nDelay;
        Hit(VK_ESCAPE);
    }

    m_pRoot->SetScanningParent();
    Hit(VK_RETURN);
    Hit(VK_RETURN);
    ASSERT_EQ(pG1, CContainer::GetScanningParent());
    ASSERT_EQ("A,B,C,root", ScanListNames());
    std::string strFoci = FocusName();
    auto advance = [&](DWORD dwMS) {
        Advance(dwMS);
        strFoci += " " + FocusName();
    };
    for (DWORD dwAdvance : { 1550, 1, 551 })
        advance(dwAdvance);
    EXPECT_EQ("A A B C", strFoci);
    pG1->GetChildList().GetHead()->Hide(FALSE);
    strFoci = FocusName();
    for (DWORD dwAdvance : { 551, 551, 1550, 1 })
        advance(dwAdvance);
    EXPECT_EQ("C root B B C", strFoci) << "B is the first entry once A is hidden";
}

} // namespace
