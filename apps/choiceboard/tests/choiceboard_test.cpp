// The choice board as a user meets it on one board: the real program on a small
// generated document, driven through SendInput (the scanning keys, a click), its event
// log read back; and documents and command lines it refuses, each with a message and
// its exit status.
#include "board_fixture.h"

#include "hoard/resources/Hoard.h"
#include "hoard/sound/Wav.h"
#include "limn/res/resource.h"

#include <functional>

using namespace board_test;

namespace {

const COLORREF crHighlight = RGB(255, 0, 0);
// The ground of a pressed choice, within what a 16-bit buffer keeps of it.
const COLORREF crPressed = RGB(255, 204, 0);
const int nPressedTolerance = 8;

// A choice board on which the "Dedicated Scanning" dialog is answered.
class OneBoard : public ChoiceBoard
{
protected:
    // Ctrl+Delete, and the button nID of the "Dedicated Scanning" dialog it opens; the
    // board is in the foreground again after.
    void ChooseDedicatedScanning(UINT nID)
    {
        ASSERT_TRUE(CScanSession::Press("ctrl+delete"));
        HWND hDialog = m_session.WaitForDialog("Dedicated Scanning", dwTimeoutMS);
        ASSERT_NE(hDialog, (HWND)NULL) << "no dialog";
        ::PostMessageA(hDialog, WM_COMMAND, nID, 0);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(hDialog); })) << "the dialog stays";
        ::SetForegroundWindow(m_session.GetWindow());
        ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == m_session.GetWindow(); }));
    }

    // A key held down for nRepeats of the keyboard's repeats, 150 ms apart, then let go.
    static void HoldKey(WORD wKey, int nRepeats)
    {
        INPUT input = {};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = wKey;
        for (int i = 0; i <= nRepeats; ++i)
        {
            ::SendInput(1, &input, sizeof input);
            ::Sleep(150);
        }
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        ::SendInput(1, &input, sizeof input);
    }
};

TEST_F(OneBoard, StepKeysMoveTheFocusAndTheSelectKeyPlaysTheSound)
{
    WriteBoard();
    StartBoard();
    PressFor("ctrl+right", "focus alpha");
    PressFor("ctrl+right", "focus beta");
    PressFor("ctrl+down", "select beta");
    ExpectLine("play beta");
    ExpectLog({ "focus alpha", "focus beta", "select beta", "play beta" });
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// A step back from no focus lands on the last choice; after a selection by steps the
// scan starts over at the top. Neither the picture nor the missing sound of a choice
// gives a "play" line.
TEST_F(OneBoard, ChoicesWithoutSoundsAreSelectedSilently)
{
    WriteBoard();
    StartBoard();
    PressFor("ctrl+left", "focus gamma");
    PressFor("ctrl+down", "select gamma");
    PressFor("ctrl+right", "focus alpha");
    PressFor("ctrl+down", "select alpha");
    PressFor("ctrl+right", "focus alpha");
    ExpectLog({ "focus gamma", "select gamma", "focus alpha", "select alpha", "focus alpha" });
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

TEST_F(OneBoard, AClickSelectsTheChoiceUnderTheMouse)
{
    WriteBoard();
    StartBoard();
    ASSERT_TRUE(m_session.Click(board[1].rect.CenterPoint()));
    ExpectLine("select beta");
    ExpectLine("play beta");
    ASSERT_TRUE(m_session.Click(CPoint(395, 295)));     // the bare screen
    ASSERT_TRUE(m_session.Click(board[2].rect.CenterPoint()));
    ExpectLine("select gamma");
    ExpectLog({ "select beta", "play beta", "select gamma" });
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// Selecting a group descends into it, and the focus goes to its first choice; below the
// top level the root is the last entry, the way back. A choice selected by steps takes
// scanning back to the top.
TEST_F(OneBoard, SelectingAGroupScansItsChoices)
{
    WriteBoard(groups);
    StartBoard();
    PressFor("ctrl+right", "focus left");
    PressFor("ctrl+down", "focus a");
    PressFor("ctrl+left", "focus board");
    PressFor("ctrl+left", "focus c");
    PressFor("ctrl+down", "select c");
    PressFor("ctrl+right", "focus left");
    PressFor("ctrl+right", "focus right");
    ExpectLog({ "focus left", "focus a", "focus board", "focus c", "select c", "focus left", "focus right" });
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// A group that holds one choice stands for it: selecting the group selects the choice.
TEST_F(OneBoard, SelectingAGroupOfOneChoiceSelectsIt)
{
    WriteBoard(singles);
    StartBoard();
    PressFor("ctrl+right", "focus g0");
    PressFor("ctrl+right", "focus g1");
    PressFor("ctrl+down", "select c1");
    PressFor("ctrl+right", "focus g0");
    ExpectLog({ "focus g0", "focus g1", "select c1", "focus g0" });
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// The choice the scan stepped to last is clicked as any other, once its highlight has
// timed out (it flashes: it has gone once no picture showed it for a second).
TEST_F(OneBoard, AClickSelectsTheChoiceTheScanLeft)
{
    WriteBoard();
    StartBoard();
    PressFor("ctrl+right", "focus alpha");
    DWORD dwLastSeen = ::GetTickCount();
    for (DWORD dwStart = dwLastSeen; ::GetTickCount() - dwLastSeen < 1000 && ::GetTickCount() - dwStart < dwTimeoutMS;)
    {
        if (Shot().Contains(crHighlight))
            dwLastSeen = ::GetTickCount();
        ::Sleep(50);
    }
    ASSERT_GE(::GetTickCount() - dwLastSeen, 1000u) << "the highlight never timed out";
    ASSERT_TRUE(m_session.Click(board[0].rect.CenterPoint()));
    ExpectLine("select alpha");
    ExpectLog({ "focus alpha", "select alpha" });
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// In dedicated keyboard mode a switch key held down counts once, however long the
// keyboard repeats it.
TEST_F(OneBoard, AHeldSwitchKeyStepsOnce)
{
    WriteBoard();
    StartBoard();
    ChooseDedicatedScanning(IDC_DEDICATED_KEYBOARD);
    HoldKey('2', 4);
    ExpectLine("focus alpha");
    PressFor("2", "focus beta");
    ExpectLog({ "focus alpha", "focus beta" });
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// In dedicated mouse mode a switch that bounces, pressed twice in quick succession over
// the highlight, selects once: the second press, a double-click, is the switch too.
TEST_F(OneBoard, ABouncingMouseSwitchSelectsOnce)
{
    WriteBoard();
    StartBoard();
    ChooseDedicatedScanning(IDC_DEDICATED_MOUSE);
    ASSERT_TRUE(m_session.Click(board[0].rect.CenterPoint()));
    ExpectLine("focus alpha");
    ::Sleep(::GetDoubleClickTime() + 50);
    ASSERT_TRUE(m_session.Click(board[0].rect.CenterPoint()));
    ASSERT_TRUE(m_session.Click(board[0].rect.CenterPoint()));
    ExpectLine("select");
    // Continuous scanning starts again from the top about two seconds later.
    ExpectLine("focus alpha");
    EXPECT_EQ(1, CountLines("select")) << Joined(m_session.GetLines());
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// The highlight, in the scanning colour, lies around the focus and nowhere else (it
// flashes: a picture is taken again until it shows); a choice whose sound plays looks
// pressed, and normal again once the sound has ended.
TEST_F(OneBoard, TheWindowShowsTheHighlightAndThePressedChoice)
{
    WriteBoard();
    StartBoard();
    PressFor("ctrl+right", "focus alpha");
    CShotPixels pixels;
    for (int nTry = 0; nTry < 40 && !pixels.Contains(crHighlight); ++nTry)
        pixels = Shot();
    ASSERT_EQ(pixels.GetSize(), sizeScreen);
    EXPECT_TRUE(pixels.Contains(crHighlight, CRect(0, 0, 10, 210))) << "left of alpha";
    EXPECT_TRUE(pixels.Contains(crHighlight, CRect(0, 200, 140, 210))) << "below alpha";
    EXPECT_FALSE(pixels.Contains(crHighlight, CRect(145, 0, 400, 300))) << "beyond alpha";
    EXPECT_FALSE(pixels.Contains(crPressed, board[1].rect, nPressedTolerance)) << "nothing is pressed yet";

    ASSERT_TRUE(m_session.Click(board[1].rect.CenterPoint()));
    ExpectLine("play beta");
    pixels = Shot();
    EXPECT_TRUE(pixels.Contains(crPressed, board[1].rect, nPressedTolerance)) << "beta plays";
    EXPECT_FALSE(pixels.Contains(crPressed, board[0].rect, nPressedTolerance)) << "alpha does not";
    for (DWORD dwStart = ::GetTickCount();
         pixels.Contains(crPressed, board[1].rect, nPressedTolerance) && ::GetTickCount() - dwStart < dwTimeoutMS;)
    {
        ::Sleep(50);
        pixels = Shot();
    }
    EXPECT_FALSE(pixels.Contains(crPressed, board[1].rect, nPressedTolerance)) << "the sound has ended";
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// Automatic scanning highlights the first choice at once; Esc ends it.
TEST_F(OneBoard, EscEndsAutomaticScanning)
{
    WriteBoard();
    StartBoard();
    PressFor("ctrl+enter", "focus alpha");
    PressFor("esc", "stop");
    ExpectLog({ "focus alpha", "stop" });
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// Documents the board cannot show: each ends it with status 1 and a message naming the
// problem, before any window.
TEST_F(OneBoard, DocumentsThatCannotBeShownAreRefused)
{
    WriteBoard();
    const std::string good = ReadWhole(m_strDoc);
    ASSERT_GT(good.size(), 200u);
    std::string damaged = good;
    for (size_t i = 8; i < 40; ++i)
        damaged[i] = '\xFF';

    const struct
    {
        const char* pszWhat;
        std::function<void()> write;
        const char* pszMessage;
    } cases[] = {
        { "a missing file", [&] { ::DeleteFileA(m_strDoc); }, "cannot be read" },
        { "an empty file", [&] { WriteWhole(m_strDoc, ""); }, "is not a screen document" },
        { "a text file", [&] { WriteWhole(m_strDoc, "alpha beta gamma\r\n"); }, "is not a screen document" },
        { "a document cut short", [&] { WriteWhole(m_strDoc, good.substr(0, good.size() / 2)); },
          "is not a screen document" },
        { "a damaged tree", [&] { WriteWhole(m_strDoc, damaged); }, "cannot be read" },
        { "a resource file", [&] {
             CHoard hoard;
             AddSound(hoard, "beta");
             hoard.SaveToFile(m_strDoc);
         }, "is not a screen document" },
        { "an empty tree", [&] { WriteBoard({}); }, "holds no screen" },
        { "a tree without names", [&] { WriteBoard({ board[3] }); }, "has no choices" },
    };
    for (const auto& c : cases)
    {
        c.write();
        CScanSession session;
        ASSERT_TRUE(session.Start(BoardExe(), { m_strDoc }, m_strLog, m_strOutput));
        EXPECT_EQ(session.WaitForExit(dwTimeoutMS), 1) << c.pszWhat;
        std::string output = ReadWhole(m_strOutput);
        EXPECT_NE(output.find(c.pszMessage), std::string::npos) << c.pszWhat << ": " << output;
        EXPECT_NE(output.find(std::string(m_strDoc)), std::string::npos) << c.pszWhat << ": " << output;
    }
}

TEST_F(OneBoard, ACommandLineItDoesNotUnderstandIsRefused)
{
    WriteBoard();
    ASSERT_TRUE(m_session.Start(BoardExe(), { m_strDoc, "--bogus" }, m_strLog, m_strOutput));
    EXPECT_EQ(m_session.WaitForExit(dwTimeoutMS), 2);
    EXPECT_NE(ReadWhole(m_strOutput).find("usage: choiceboard [DOC...] [--log FILE] [--protect]"), std::string::npos)
        << ReadWhole(m_strOutput);
}

} // namespace
