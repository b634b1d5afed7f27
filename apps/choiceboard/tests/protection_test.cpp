// Menu protection in the choice board: started with --protect or through Options > Menu
// Protection and its two notices, it keeps the program in front and open against
// Alt+F4, the close box, Control+F4, task switching keys and another program taking
// the foreground, leaves the Scanning menu usable and the others not, lets scanning go
// on, and ends with Control+F1 and its message.
#include "board_fixture.h"

using namespace board_test;

namespace {

// Two ticks of protection's 500 ms clock and some.
const DWORD dwSettleMS = 1200;

class Protection : public ChoiceBoard
{
protected:
    // After dwSettleMS: the main window is in front, with nBoards boards.
    void ExpectKept(const char* pszAfter, size_t nBoards = 1)
    {
        ::Sleep(dwSettleMS);
        EXPECT_TRUE(m_session.IsRunning()) << pszAfter;
        EXPECT_TRUE(m_session.IsInFront()) << pszAfter;
        EXPECT_EQ(m_session.GetBoards().size(), nBoards) << pszAfter;
    }

    // Options > Menu Protection, with the answers to its notices.
    void ProtectThroughMenu(const char* pszFirst, const char* pszSecond)
    {
        ASSERT_TRUE(m_session.OpenMenu("alt+o", dwTimeoutMS));
        ASSERT_TRUE(CScanSession::Press("m"));
        Answer("Menu Protection", pszFirst);
        if (pszSecond != NULL)
            Answer("Reminder!", pszSecond);
    }

    // Control+F1, and OK to the message that protection is off.
    void LeaveProtection()
    {
        PressFor("ctrl+f1", "protect off");
        Answer(szTitle, "OK");
    }
};

TEST_F(Protection, TheBoardStaysInFrontAndOpenUntilControlF1)
{
    CString strBoard = WriteBoard(board, "board.lmd");
    CString strGroups = WriteBoard(groups, "groups.lmd");
    StartBoard({ strBoard, strGroups, "--protect" }, "groups.lmd");
    ExpectLine("protect on");
    EXPECT_TRUE(::IsZoomed(m_session.GetWindow()));
    EXPECT_TRUE(::IsZoomed(m_session.GetActiveBoard())) << "the active board fills the window";

    ASSERT_TRUE(CScanSession::Press("alt+f4"));
    ExpectKept("Alt+F4", 2);
    ASSERT_TRUE(m_session.ClickCloseBox());
    ExpectKept("the close box", 2);
    ASSERT_TRUE(CScanSession::Press("ctrl+f4"));
    ExpectKept("Control+F4", 2);
    ASSERT_TRUE(CScanSession::Press("alt+tab"));
    ExpectKept("Alt+Tab", 2);
    ASSERT_TRUE(CScanSession::Press("ctrl+esc"));
    ExpectKept("Control+Esc", 2);
    DWORD dwBackMS = INFINITE;
    ASSERT_TRUE(m_session.TakeFrontAway(dwSettleMS, &dwBackMS));
    EXPECT_LE(dwBackMS, 600u) << "the board takes the foreground back within a tick of its 500 ms clock";
    ExpectKept("another program in front", 2);

    // Scanning goes on.
    PressFor("ctrl+right", "focus left");
    LeaveProtection();
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0) << "the board closes once protection is off";
}

// The notices: Cancel in either leaves protection off; Continue in both turns it on.
// Under protection the Scanning menu still opens, the File menu does not.
TEST_F(Protection, TheOptionsMenuAsksTwiceAndKeepsScanningUsable)
{
    WriteBoard();
    StartBoard();
    ProtectThroughMenu("Cancel", NULL);
    ProtectThroughMenu("Continue", "Cancel");
    ::Sleep(300);
    EXPECT_EQ(CountLines("protect"), 0) << Joined(m_session.GetLines());

    ProtectThroughMenu("Continue", "Continue");
    ExpectLine("protect on");
    ASSERT_TRUE(m_session.OpenMenu("alt+s", dwTimeoutMS));
    ASSERT_TRUE(CScanSession::Press("p"));
    Answer("Scanning Preferences", "Cancel");

    // Alt+F, N would make a new board if the File menu opened; no pop-up shows.
    EXPECT_FALSE(m_session.OpenMenu("alt+f", 1000));
    ASSERT_TRUE(CScanSession::Press("n"));
    ASSERT_TRUE(CScanSession::Press("esc"));
    ExpectKept("Alt+F, N");
    EXPECT_EQ(CountLines("open Board"), 0) << Joined(m_session.GetLines());

    LeaveProtection();
    ASSERT_TRUE(m_session.OpenMenu("alt+f", dwTimeoutMS));
    ASSERT_TRUE(CScanSession::Press("n"));
    ExpectLine("open Board1");
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// Without protection Alt+F4 and the close box end the program at once: what protection
// refuses does reach the program.
TEST_F(Protection, WithoutItAltF4Closes)
{
    WriteBoard();
    StartBoard();
    ASSERT_TRUE(CScanSession::Press("alt+f4"));
    EXPECT_EQ(m_session.WaitForExit(dwTimeoutMS), 0);
    EXPECT_TRUE(m_session.WaitForLine("close board.lmd", dwTimeoutMS)) << Joined(m_session.GetLines());
}

TEST_F(Protection, WithoutItTheCloseBoxCloses)
{
    WriteBoard();
    StartBoard();
    ASSERT_TRUE(m_session.ClickCloseBox());
    EXPECT_EQ(m_session.WaitForExit(dwTimeoutMS), 0);
    EXPECT_TRUE(m_session.WaitForLine("close board.lmd", dwTimeoutMS)) << Joined(m_session.GetLines());
}

} // namespace
