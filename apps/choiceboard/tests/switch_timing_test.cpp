// The switch timing of a running board: the Scanning menu opens the "Switch Timing"
// dialog, which shows the settings of the user's file, writes what the user sets back
// to it on OK, and the board follows at once; a switch held across the change of board
// that its press set off. Keys go through SendInput and the board's own hooks, on the
// real clock.
#include "board_fixture.h"

#include "limn/res/resource.h"

using namespace board_test;

namespace {

const char szINIFile[] = "OKAPI_X.INI";
const char szSection[] = "Global Container Prefs";
const char* const timingKeys[] = { "Acceptance Time", "Ignore Repeat", "First Item Delay", "Auditory Scanning" };

// The board reads the user's own file: the test leaves the switch timing off (no keys)
// before and after.
class SwitchTimingMenu : public ChoiceBoard
{
protected:
    SwitchTimingMenu() { ForgetTiming(); }
    ~SwitchTimingMenu() override { ForgetTiming(); }

    static void ForgetTiming()
    {
        for (const char* pszKey : timingKeys)
            ::WritePrivateProfileStringA(szSection, pszKey, NULL, szINIFile);
    }
    static int Read(const char* pszKey) { return (int)::GetPrivateProfileIntA(szSection, pszKey, -1, szINIFile); }
    static CString FieldText(HWND hDialog, int nID)
    {
        char szText[32] = "";
        ::GetDlgItemTextA(hDialog, nID, szText, sizeof szText);
        return szText;
    }
};

// With an acceptance time of 400 ms set in the dialog, a tap does nothing and a press
// held 800 ms steps.
TEST_F(SwitchTimingMenu, TheDialogSetsTheTimingTheBoardFollows)
{
    WriteBoard();
    StartBoard();
    ASSERT_TRUE(m_session.OpenMenu("alt+s", dwTimeoutMS));
    ASSERT_TRUE(CScanSession::Press("t"));
    HWND hDialog = m_session.WaitForDialog("Switch Timing", dwTimeoutMS);
    ASSERT_NE(hDialog, (HWND)NULL) << m_session.DescribeWindows();
    for (int nID : { IDC_ACCEPTANCE_TIME, IDC_IGNORE_REPEAT, IDC_FIRST_ITEM_DELAY })
        EXPECT_EQ(FieldText(hDialog, nID), "0") << "field " << nID << ": off by default";
    EXPECT_EQ(::SendDlgItemMessageA(hDialog, IDC_AUDITORY_SCANNING, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    ::SetDlgItemTextA(hDialog, IDC_ACCEPTANCE_TIME, "400");
    ASSERT_TRUE(CScanSession::ClickButton(hDialog, "OK"));
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(hDialog); })) << "the dialog stays";
    // The board writes the keys once the dialog has gone, the last one last.
    ASSERT_TRUE(WaitFor([&] { return Read(timingKeys[3]) != -1; })) << "nothing written";
    EXPECT_EQ(Read("Acceptance Time"), 400);
    EXPECT_EQ(Read("Ignore Repeat"), 0);
    EXPECT_EQ(Read("First Item Delay"), 0);
    EXPECT_EQ(Read("Auditory Scanning"), 0);

    ::SetForegroundWindow(m_session.GetWindow());
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == m_session.GetWindow(); }));
    ASSERT_TRUE(CScanSession::Press("ctrl+right"));
    ::Sleep(1000);
    EXPECT_EQ(CountLines("focus"), 0) << Joined(m_session.GetLines());
    ASSERT_TRUE(CScanSession::Hold("ctrl+right", 800));
    ExpectLine("focus alpha");
    ExpectLog({ "focus alpha" });
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// A switch still held when the selection it made has replaced the board counts once:
// its release does nothing on the new board, where the next press steps.
TEST_F(SwitchTimingMenu, AHeldSwitchThatOpensALinkedBoardCountsOnce)
{
    ::WritePrivateProfileStringA(szSection, "Acceptance Time", "200", szINIFile);
    WriteBuiltBoard("first.lmd", "First", { { "one", "second.lmd", FALSE }, { "two", NULL, FALSE } });
    WriteBuiltBoard("second.lmd", "Second", { { "three", NULL, FALSE }, { "four", NULL, FALSE } });
    StartBoard({ Path("first.lmd") }, "first.lmd");
    ASSERT_TRUE(CScanSession::Hold("ctrl+right", 600));
    ExpectLine("focus title");
    ASSERT_TRUE(CScanSession::Hold("ctrl+right", 600));
    ExpectLine("focus one");
    // The board is replaced some 800 ms before the switch is let go.
    ASSERT_TRUE(CScanSession::Hold("ctrl+down", 1000));
    ExpectLine("board second.lmd");
    ASSERT_TRUE(CScanSession::Hold("ctrl+right", 600));
    ExpectLine("focus back");
    ExpectLog({ "focus title", "focus one", "select one", "open second.lmd", "activate second.lmd", "close first.lmd",
                "board second.lmd", "focus back" });
}

// With auditory scanning on, automatic scanning plays the cue of a choice that has one
// as the highlight reaches it, and the log says so; a choice without one plays none.
TEST_F(SwitchTimingMenu, AuditoryScanningPlaysAndLogsTheCueOfTheFocus)
{
    ::WritePrivateProfileStringA(szSection, "Auditory Scanning", "1", szINIFile);
    WriteBuiltBoard("cues.lmd", "Cues", { { "one", NULL, FALSE }, { "two", NULL, FALSE } }, { "one cue" });
    StartBoard({ Path("cues.lmd") }, "cues.lmd");
    ASSERT_TRUE(CScanSession::Press("ctrl+enter"));
    ExpectLine("focus one");
    ExpectLine("cue one");
    ExpectLine("focus two");
    EXPECT_EQ(CountLines("cue"), 1) << Joined(m_session.GetLines());
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

} // namespace
