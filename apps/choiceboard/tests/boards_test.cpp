// Several boards in one choice board: opened from the command line and from the File
// menu, scanning that follows the board the user activates and starts over on it, the
// board's log of opening, activating and closing, a new board, a file the File menu
// cannot show, and the question whether to save a board that changed before it goes.
#include "board_fixture.h"

#include "hoard/resources/Hoard.h"
#include "limn/containers/MainContainerRecord.h"

#include <memory>

using namespace board_test;

namespace {

// The green of the pictures the boards here hold, within what a 16-bit buffer keeps.
const COLORREF crPicture = RGB(0, 0xC0, 0);
const int nPictureTolerance = 8;

class Boards : public ChoiceBoard
{
protected:
    // File > Close of the active board.
    void CloseThroughMenu()
    {
        ASSERT_TRUE(m_session.OpenMenu("alt+f", dwTimeoutMS));
        ASSERT_TRUE(CScanSession::Press("c"));
    }

    static int CountPictures(const CString& strPath)
    {
        CHoard hoard;
        std::unique_ptr<CWndContainer> pRoot(CMainContainerRecord::LoadFile(strPath, hoard));
        const CResourceList* pList = hoard.GetResourceList("CPicture");
        return pList != NULL ? (int)pList->GetCount() : 0;
    }
};

// Both boards of the command line open; the last one is active. Activating a board
// makes it the one scanned, from its first choice on.
TEST_F(Boards, ScanningFollowsTheActiveBoard)
{
    CString strBoard = WriteBoard(board, "board.lmd");
    CString strGroups = WriteBoard(groups, "groups.lmd");
    StartBoard({ strBoard, strGroups }, "groups.lmd");
    EXPECT_EQ(m_session.GetBoards().size(), 2u);
    PressFor("ctrl+right", "focus left");
    PressFor("ctrl+right", "focus right");

    ASSERT_TRUE(m_session.ActivateBoard("board.lmd"));
    ExpectLine("activate board.lmd");
    PressFor("ctrl+right", "focus alpha");
    PressFor("ctrl+down", "select alpha");

    ASSERT_TRUE(m_session.ActivateBoard("groups.lmd"));
    ExpectLine("activate groups.lmd");
    PressFor("ctrl+right", "focus left");
    ExpectLog({ "focus left", "focus right", "activate board.lmd", "focus alpha", "select alpha",
                "activate groups.lmd", "focus left" });

    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
    EXPECT_EQ(CountLines("close board.lmd"), 1) << Joined(m_session.GetLines());
    EXPECT_EQ(CountLines("close groups.lmd"), 1) << Joined(m_session.GetLines());
}

// A board opened through File > Open becomes the active one; closing it through File >
// Close takes scanning back to the board that is left.
TEST_F(Boards, TheFileMenuOpensAndClosesBoards)
{
    CString strGroups = WriteBoard(groups, "groups.lmd");
    WriteBoard(board, "board.lmd");
    StartBoard();
    ASSERT_TRUE(m_session.OpenThroughMenu(strGroups, dwTimeoutMS));
    ExpectLine("open groups.lmd");
    ExpectLine("activate groups.lmd");
    EXPECT_EQ(m_session.GetBoards().size(), 2u);
    PressFor("ctrl+right", "focus left");

    CloseThroughMenu();
    ExpectLine("close groups.lmd");
    ExpectLine("activate board.lmd");
    EXPECT_EQ(m_session.GetBoards().size(), 1u);
    PressFor("ctrl+right", "focus alpha");
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// The File menu lists the boards opened last, the latest first: its first entry opens
// again the board just closed.
TEST_F(Boards, TheRecentFilesReopenABoard)
{
    CString strGroups = WriteBoard(groups, "groups.lmd");
    WriteBoard(board, "board.lmd");
    StartBoard();
    ASSERT_TRUE(m_session.OpenThroughMenu(strGroups, dwTimeoutMS));
    ExpectLine("activate groups.lmd");
    CloseThroughMenu();
    ExpectLine("close groups.lmd");
    ExpectLine("activate board.lmd");

    ASSERT_TRUE(m_session.OpenMenu("alt+f", dwTimeoutMS));
    ASSERT_TRUE(CScanSession::Press("1"));
    ExpectLine("open groups.lmd");
    ExpectLine("activate groups.lmd");
    PressFor("ctrl+right", "focus left");
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// File > New: a board of two rows of three blank choices, scanned as any other.
TEST_F(Boards, ANewBoardHasBlankChoices)
{
    WriteBoard();
    StartBoard();
    ASSERT_TRUE(m_session.OpenMenu("alt+f", dwTimeoutMS));
    ASSERT_TRUE(CScanSession::Press("n"));
    ExpectLine("open Board1");
    ExpectLine("activate Board1");
    PressFor("ctrl+right", "focus row 1");
    PressFor("ctrl+down", "focus choice 1");
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// Opened from the File menu, a file that is no board is refused in a message box; the
// program and its board go on, and so does scanning.
TEST_F(Boards, AFileTheMenuCannotShowGetsAMessage)
{
    WriteBoard();
    CString strText = Path("notes.lmd");
    WriteWhole(strText, "alpha beta gamma\r\n");
    StartBoard();
    ASSERT_TRUE(m_session.OpenThroughMenu(strText, dwTimeoutMS));
    CString strMessage = MessageText();
    EXPECT_NE(strMessage.Find("is not a screen document"), -1) << (LPCSTR)strMessage;
    EXPECT_NE(strMessage.Find("notes.lmd"), -1) << (LPCSTR)strMessage;
    Answer(szTitle, "OK");
    ::DeleteFileA(strText);

    EXPECT_EQ(m_session.GetBoards().size(), 1u);
    EXPECT_TRUE(WaitFor([&] { return m_session.IsInFront(); }));
    PressFor("ctrl+right", "focus alpha");
    EXPECT_EQ(CountLines("open notes.lmd"), 0) << Joined(m_session.GetLines());
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// A board that changed asks before it closes: Cancel keeps it, Yes saves it first.
TEST_F(Boards, ClosingAChangedBoardAsksToSaveIt)
{
    WriteBoard();
    StartBoard();
    ASSERT_EQ(CountPictures(m_strDoc), 1);
    PastePicture();

    CloseThroughMenu();
    CString strQuestion = MessageText();
    EXPECT_NE(strQuestion.Find("board.lmd"), -1) << (LPCSTR)strQuestion;
    Answer(szTitle, "Cancel");
    ::Sleep(300);
    EXPECT_EQ(m_session.GetBoards().size(), 1u);
    EXPECT_EQ(CountLines("close"), 0) << Joined(m_session.GetLines());

    CloseThroughMenu();
    Answer(szTitle, "Yes");
    ExpectLine("close board.lmd");
    EXPECT_TRUE(WaitFor([&] { return m_session.GetBoards().empty(); })) << "the board's window stays";
    EXPECT_EQ(CountPictures(m_strDoc), 2) << "the pasted picture is saved";
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// Edit > Edit Resources: a choice's picture deleted in the list editor leaves the choice
// showing its name, at once and when it is drawn pressed by a click.
TEST_F(Boards, AChoiceWhosePictureIsDeletedShowsItsName)
{
    WriteBoard();
    StartBoard();
    const CRect rectAlpha = board[0].rect;
    ASSERT_TRUE(WaitFor([&] { return Shot().Contains(crPicture, rectAlpha, nPictureTolerance); })) << "alpha shows its picture";

    ASSERT_TRUE(m_session.OpenMenu("alt+e", dwTimeoutMS));
    ASSERT_TRUE(CScanSession::Press("r"));
    HWND hTypes = m_session.WaitForDialog("Select Resource Type", dwTimeoutMS);
    ASSERT_NE(hTypes, (HWND)NULL);
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == hTypes; }));
    // The sorted list of types has the focus: P goes to "Picture".
    ASSERT_TRUE(CScanSession::Press("p"));
    ASSERT_TRUE(CScanSession::Press("enter"));
    HWND hEditor = m_session.WaitForDialog("New/Edit Picture", dwTimeoutMS);
    ASSERT_NE(hEditor, (HWND)NULL) << m_session.DescribeWindows();
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == hEditor; }));
    CRect rectList;
    ::GetWindowRect(::FindWindowExA(hEditor, NULL, "ListBox", NULL), &rectList);
    ASSERT_TRUE(CScanSession::ClickAt(rectList.TopLeft() + CPoint(12, 6))) << "alpha, the only picture";
    ::Sleep(200);
    ASSERT_TRUE(CScanSession::ClickButton(hEditor, "Delete"));
    Answer(szTitle, "Yes");
    Answer("New/Edit Picture", "Done");

    ASSERT_TRUE(WaitFor([&] { return !Shot().Contains(crPicture, rectAlpha, nPictureTolerance); })) << "alpha still shows the picture";
    ASSERT_TRUE(m_session.Click(rectAlpha.CenterPoint()));
    ExpectLine("select alpha");
    EXPECT_FALSE(Shot().Contains(crPicture, rectAlpha, nPictureTolerance));
    // The board changed: leaving asks whether to save it.
    ASSERT_TRUE(::PostMessageA(m_session.GetWindow(), WM_CLOSE, 0, 0));
    Answer(szTitle, "No");
    EXPECT_EQ(m_session.WaitForExit(dwTimeoutMS), 0);
}

// File > Print: the Print dialog, then one page on the printer.
TEST_F(Boards, PrintingABoardPrintsOnePage)
{
    WriteBoard();
    StartBoard();
    ASSERT_TRUE(m_session.OpenMenu("alt+f", dwTimeoutMS));
    ASSERT_TRUE(CScanSession::Press("p"));
    Answer("Print", "OK");
    ExpectLine("print 1");
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// Leaving the program asks too; No leaves the file as it was.
TEST_F(Boards, LeavingWithAChangedBoardAsksToSaveIt)
{
    WriteBoard();
    const std::string before = ReadWhole(m_strDoc);
    StartBoard();
    PastePicture();
    ASSERT_TRUE(::PostMessageA(m_session.GetWindow(), WM_CLOSE, 0, 0));
    Answer(szTitle, "No");
    EXPECT_EQ(m_session.WaitForExit(dwTimeoutMS), 0);
    EXPECT_EQ(ReadWhole(m_strDoc), before);
    ExpectLine("close board.lmd");
}

// Every document of the command line must be shown: one that cannot is refused with
// its message and status 1, however many good ones come before it.
TEST_F(Boards, OneDocumentOfTheCommandLineThatCannotBeShownEndsTheStart)
{
    CString strGood = WriteBoard(board, "board.lmd");
    CString strText = Path("notes.lmd");
    WriteWhole(strText, "alpha beta gamma\r\n");
    ASSERT_TRUE(m_session.Start(BoardExe(), { strGood, strText }, m_strLog, m_strOutput));
    EXPECT_EQ(m_session.WaitForExit(dwTimeoutMS), 1);
    std::string output = ReadWhole(m_strOutput);
    EXPECT_NE(output.find(std::string(strText) + " is not a screen document"), std::string::npos) << output;
    EXPECT_EQ(output.find(std::string(strGood)), std::string::npos) << output;
    ::DeleteFileA(strText);
}

TEST_F(Boards, ALogWithoutAFileIsAUsageError)
{
    WriteBoard();
    for (const std::vector<CString>& args :
         { std::vector<CString>{ m_strDoc, "--log" }, std::vector<CString>{ "--log", "--protect", m_strDoc } })
    {
        CScanSession session;
        ASSERT_TRUE(session.Start(BoardExe(), args, NULL, m_strOutput));
        EXPECT_EQ(session.WaitForExit(dwTimeoutMS), 2) << (LPCSTR)args[1];
    }
    EXPECT_NE(ReadWhole(m_strOutput).find("usage: choiceboard"), std::string::npos) << ReadWhole(m_strOutput);
}

} // namespace
