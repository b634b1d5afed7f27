// Board links in the choice board: a choice that links to another board plays its sound
// on its own board, then that board shows in its place with a "back" choice, which
// leads back along the boards that led there; links that cannot be followed leave the
// board as it was, with a message; and the rules of where a link may lead.
#include "board_fixture.h"

#include "BoardLinkPath.h"

#include "hoard/resources/Hoard.h"
#include "limn/containers/MainContainerRecord.h"
#include "limn/containers/WndContainer.h"

#include <memory>

using namespace board_test;

namespace {

// Builder boards are 640 by 480; the strip of the "back" choice adds 48 and a gap of 8.
const CSize sizeBuilt(640, 480);
const int nBackStrip = 56;

class BoardLinks : public ChoiceBoard
{
protected:
    ~BoardLinks() override
    {
        // The board goes before its files.
        if (m_session.IsRunning())
            m_session.Close(dwTimeoutMS);
        ::DeleteFileA(Path("notes.lmd"));
    }

    // The size of the client area of the board titled pszTitle.
    CSize ViewSize(const char* pszTitle)
    {
        CRect rect(0, 0, 0, 0);
        ::GetClientRect(CScanSession::GetView(m_session.FindBoard(pszTitle)), &rect);
        return rect.Size();
    }

    // The top-left corner of the board titled pszTitle in the main window's client area.
    CPoint BoardPlace(const char* pszTitle)
    {
        HWND hBoard = m_session.FindBoard(pszTitle);
        CRect rect(0, 0, 0, 0);
        ::GetWindowRect(hBoard, &rect);
        CPoint point = rect.TopLeft();
        ::ScreenToClient(::GetParent(hBoard), &point);
        return point;
    }
};

// The linked board shows once the choice's sound has played, where the first one was,
// with a "back" choice first in a strip of its own; scanning and selecting go on there,
// and "back" brings the first board again, without a "back" choice of its own.
TEST_F(BoardLinks, ALinkOpensItsBoardInPlaceAfterTheSoundAndBackReturns)
{
    WriteBuiltBoard("first.lmd", "First", { { "one", "second.lmd", TRUE }, { "two", NULL, FALSE } });
    WriteBuiltBoard("second.lmd", "Second", { { "three", NULL, FALSE }, { "four", NULL, FALSE } });
    StartBoard({ Path("first.lmd") }, "first.lmd");
    const CPoint ptFirst = BoardPlace("first.lmd");

    PressFor("ctrl+right", "focus title");
    PressFor("ctrl+right", "focus one");
    PressFor("ctrl+down", "select one");
    ExpectLine("play beta");
    EXPECT_EQ(m_session.GetBoards().size(), 1u);
    EXPECT_NE(m_session.FindBoard("first.lmd"), (HWND)NULL) << "the linked board came before the sound ended";
    ExpectLine("board second.lmd");
    ASSERT_EQ(m_session.GetBoards().size(), 1u);
    ASSERT_NE(m_session.FindBoard("second.lmd"), (HWND)NULL);
    EXPECT_EQ(BoardPlace("second.lmd"), ptFirst);
    EXPECT_EQ(ViewSize("second.lmd"), sizeBuilt + CSize(0, nBackStrip));

    PressFor("ctrl+right", "focus back");
    PressFor("ctrl+right", "focus title");
    PressFor("ctrl+right", "focus three");
    PressFor("ctrl+down", "select three");
    PressFor("ctrl+right", "focus back");
    PressFor("ctrl+down", "select back");
    ExpectLine("board first.lmd");
    EXPECT_EQ(ViewSize("first.lmd"), sizeBuilt);
    PressFor("ctrl+right", "focus title");
    PressFor("ctrl+right", "focus one");
    PressFor("ctrl+right", "focus two");
    PressFor("ctrl+down", "select two");
    ExpectLog({ "focus title", "focus one", "select one", "play beta", "open second.lmd", "activate second.lmd",
                "close first.lmd", "board second.lmd", "focus back", "focus title", "focus three", "select three",
                "focus back", "select back", "open first.lmd", "activate first.lmd", "close second.lmd",
                "board first.lmd", "focus title", "focus one", "focus two", "select two" });
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// A board that changed asks whether to save it before a link replaces it: Cancel keeps
// it, and the link is not followed; No lets it go unsaved.
TEST_F(BoardLinks, AChangedBoardAsksToBeSavedBeforeALinkReplacesIt)
{
    WriteBuiltBoard("first.lmd", "First", { { "one", "second.lmd", FALSE }, { "two", NULL, FALSE } });
    WriteBuiltBoard("second.lmd", "Second", { { "three", NULL, FALSE } });
    StartBoard({ Path("first.lmd") }, "first.lmd");
    PastePicture();
    ::SetForegroundWindow(m_session.GetWindow());
    ASSERT_TRUE(WaitFor([&] { return m_session.IsInFront(); }));

    PressFor("ctrl+right", "focus title");
    PressFor("ctrl+right", "focus one");
    PressFor("ctrl+down", "select one");
    CString strQuestion = MessageText();
    EXPECT_NE(strQuestion.Find("first.lmd"), -1) << (LPCSTR)strQuestion;
    Answer(szTitle, "Cancel");
    ASSERT_TRUE(WaitFor([&] { return m_session.IsInFront(); }));
    PressFor("ctrl+right", "focus title");
    EXPECT_EQ(CountLines("board "), 0) << Joined(m_session.GetLines());
    EXPECT_NE(m_session.FindBoard("first.lmd"), (HWND)NULL);

    PressFor("ctrl+right", "focus one");
    PressFor("ctrl+down", "select one");
    Answer(szTitle, "No");
    ExpectLine("board second.lmd");
    EXPECT_EQ(m_session.GetBoards().size(), 1u);
}

// A linked board that changed and is saved as "back" leaves it is written without its
// "back" choice and strip: opened again through the link, it has one "back" choice.
TEST_F(BoardLinks, ALinkedBoardIsSavedWithoutItsBackChoice)
{
    WriteBuiltBoard("first.lmd", "First", { { "one", "second.lmd", FALSE }, { "two", NULL, FALSE } });
    WriteBuiltBoard("second.lmd", "Second", { { "three", NULL, FALSE }, { "four", NULL, FALSE } });
    StartBoard({ Path("first.lmd") }, "first.lmd");
    PressFor("ctrl+right", "focus title");
    PressFor("ctrl+right", "focus one");
    PressFor("ctrl+down", "select one");
    ExpectLine("board second.lmd");
    PastePicture();
    ::SetForegroundWindow(m_session.GetWindow());
    ASSERT_TRUE(WaitFor([&] { return m_session.IsInFront(); }));
    PressFor("ctrl+right", "focus back");
    PressFor("ctrl+down", "select back");
    Answer(szTitle, "Yes");
    ExpectLine("board first.lmd");
    {
        CHoard hoard;
        std::unique_ptr<CWndContainer> pRoot(CMainContainerRecord::LoadFile(Path("second.lmd"), hoard));
        ASSERT_NE(pRoot, nullptr);
        EXPECT_EQ(pRoot->FindSubContainer(NULL, "back"), nullptr);
        EXPECT_EQ(pRoot->GetSize(), sizeBuilt);
        const CResourceList* pPictures = hoard.GetResourceList("CPicture");
        ASSERT_NE(pPictures, nullptr);
        EXPECT_EQ(pPictures->GetCount(), 2) << "the pasted picture is saved";
    }

    PressFor("ctrl+right", "focus title");
    PressFor("ctrl+right", "focus one");
    PressFor("ctrl+down", "select one");
    ExpectLine("board second.lmd");
    EXPECT_EQ(ViewSize("second.lmd"), sizeBuilt + CSize(0, nBackStrip));
    PressFor("ctrl+right", "focus back");
    PressFor("ctrl+right", "focus title");
}

// Under menu protection the linked board takes the place of the maximized one, maximized
// too, and the program stays in front.
TEST_F(BoardLinks, AProtectedBoardIsReplacedByAMaximizedOne)
{
    WriteBuiltBoard("first.lmd", "First", { { "one", "second.lmd", FALSE }, { "two", NULL, FALSE } });
    WriteBuiltBoard("second.lmd", "Second", { { "three", NULL, FALSE } });
    StartBoard({ Path("first.lmd"), "--protect" }, "first.lmd");
    ExpectLine("protect on");
    PressFor("ctrl+right", "focus title");
    PressFor("ctrl+right", "focus one");
    PressFor("ctrl+down", "select one");
    ExpectLine("board second.lmd");
    EXPECT_TRUE(::IsZoomed(m_session.FindBoard("second.lmd")));
    EXPECT_TRUE(m_session.IsInFront());
    PressFor("ctrl+right", "focus back");
    PressFor("ctrl+down", "select back");
    ExpectLine("board first.lmd");
    EXPECT_TRUE(::IsZoomed(m_session.FindBoard("first.lmd")));
    PressFor("ctrl+f1", "protect off");
    Answer(szTitle, "OK");
    EXPECT_EQ(m_session.Close(dwTimeoutMS), 0);
}

// "back" returns along the boards that led to a board, the last one first.
TEST_F(BoardLinks, BackFollowsTheTrailOfBoards)
{
    WriteBuiltBoard("first.lmd", "First", { { "one", "second.lmd", FALSE } });
    WriteBuiltBoard("second.lmd", "Second", { { "two", "third.lmd", FALSE } });
    WriteBuiltBoard("third.lmd", "Third", { { "three", NULL, FALSE } });
    StartBoard({ Path("first.lmd") }, "first.lmd");

    // A row of one choice stands for that choice.
    PressFor("ctrl+right", "focus title");
    PressFor("ctrl+right", "focus row 1");
    PressFor("ctrl+down", "select one");
    ExpectLine("board second.lmd");
    PressFor("ctrl+right", "focus back");
    PressFor("ctrl+right", "focus title");
    PressFor("ctrl+right", "focus row 1");
    PressFor("ctrl+down", "select two");
    ExpectLine("board third.lmd");
    PressFor("ctrl+right", "focus back");
    PressFor("ctrl+down", "select back");
    ExpectLine("board second.lmd");
    PressFor("ctrl+right", "focus back");
    PressFor("ctrl+down", "select back");
    ExpectLine("board first.lmd");
    PressFor("ctrl+right", "focus title");
    EXPECT_EQ(CountLines("board "), 4) << Joined(m_session.GetLines());
    EXPECT_EQ(m_session.GetBoards().size(), 1u);
}

// A screen that places its children itself moves them down below the strip; the mouse
// finds the "back" choice there, and the board's own choices where they went.
TEST_F(BoardLinks, TheBackChoiceTakesAStripAboveAScreenThatPlacesItsChildren)
{
    WriteBoard(board, "board.lmd");
    WriteBuiltBoard("first.lmd", "First", { { "one", "board.lmd", FALSE } });
    StartBoard({ Path("first.lmd") }, "first.lmd");
    PressFor("ctrl+right", "focus title");
    PressFor("ctrl+right", "focus row 1");
    PressFor("ctrl+down", "select one");
    ExpectLine("board board.lmd");
    EXPECT_EQ(ViewSize("board.lmd"), sizeScreen + CSize(0, nBackStrip));

    // "alpha" lay at (10, 10)-(130, 200).
    ASSERT_TRUE(m_session.Click(CPoint(70, 10 + nBackStrip + 20)));
    ExpectLine("select alpha");
    ASSERT_TRUE(m_session.Click(CPoint(70, 30)));
    ExpectLine("select back");
    ExpectLine("board first.lmd");
}

// A link to a board that is missing, that is no board, that is damaged, or that lies
// outside the board's folder gets a message that names it; the board stays, and
// scanning goes on there.
TEST_F(BoardLinks, ALinkThatCannotBeFollowedLeavesTheBoard)
{
    WriteBuiltBoard("..\\outside.lmd", "Outside", { { "out", NULL, FALSE } });
    WriteWhole(Path("notes.lmd"), "alpha beta gamma\r\n");
    // A board whose tree is damaged, its end (the resource file's trailer) whole.
    std::string damaged = ReadWhole(WriteBuiltBoard("damaged.lmd", "Damaged", { { "x", NULL, FALSE } }));
    ASSERT_GT(damaged.size(), 64u);
    damaged.replace(4, 32, 32, '\xFF');
    WriteWhole(Path("damaged.lmd"), damaged);
    WriteBuiltBoard("first.lmd", "First",
                    { { "missing", "missing.lmd", FALSE }, { "notes", "notes.lmd", FALSE },
                      { "damaged", "damaged.lmd", FALSE }, { "outside", "..\\outside.lmd", TRUE } });
    StartBoard({ Path("first.lmd") }, "first.lmd");

    struct Case
    {
        const char* pszChoice;
        int nSteps;             // Control+Right presses from the start of the board
        const char* pszWhy;
        const char* pszLink;
    };
    const Case cases[] = {
        { "missing", 2, "cannot be read", "missing.lmd" },
        { "notes", 3, "is not a screen document", "notes.lmd" },
        { "damaged", 4, "cannot be read", "damaged.lmd" },
        { "outside", 5, "not a board in its folder", "..\\outside.lmd" },
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.pszChoice);
        // A selection starts scanning over from the first entry.
        for (int i = 1; i < c.nSteps; ++i)
            PressFor("ctrl+right", "focus");
        PressFor("ctrl+right", CString("focus ") + c.pszChoice);
        PressFor("ctrl+down", CString("select ") + c.pszChoice);
        CString strMessage = MessageText();
        EXPECT_NE(strMessage.Find(c.pszWhy), -1) << (LPCSTR)strMessage;
        EXPECT_NE(strMessage.Find(c.pszLink), -1) << (LPCSTR)strMessage;
        Answer(szTitle, "OK");
        EXPECT_TRUE(WaitFor([&] { return m_session.IsInFront(); }));
    }
    PressFor("ctrl+right", "focus title");
    EXPECT_EQ(CountLines("board "), 0) << Joined(m_session.GetLines());
    EXPECT_EQ(m_session.GetBoards().size(), 1u);
    EXPECT_NE(m_session.FindBoard("first.lmd"), (HWND)NULL);
}

// Where a link of the board C:\boards\first.lmd may lead.
TEST(BoardLinkPath, ALinkStaysInItsBoardsFolder)
{
    const CString strBoard = "C:\\boards\\first.lmd";
    struct Case
    {
        const char* pszLink;
        const char* pszPath;    // NULL: refused
    };
    const Case cases[] = {
        { "second.lmd", "C:\\boards\\second.lmd" },
        { "sub\\second.lmd", "C:\\boards\\sub\\second.lmd" },
        { "sub/second.lmd", "C:\\boards\\sub\\second.lmd" },
        { ".\\second.lmd", "C:\\boards\\second.lmd" },
        { "first.lmd", "C:\\boards\\first.lmd" },
        { "", NULL },
        { "..\\second.lmd", NULL },
        { "../second.lmd", NULL },
        { "sub\\..\\..\\second.lmd", NULL },
        { "sub\\..\\second.lmd", NULL },
        { "...\\second.lmd", NULL },
        { "\\second.lmd", NULL },
        { "/second.lmd", NULL },
        { "\\\\server\\share\\second.lmd", NULL },
        { "C:second.lmd", NULL },
        { "D:\\boards\\second.lmd", NULL },
        { "second.lmd:stream", NULL },
        { "sub\\\\second.lmd", NULL },
        { "sub\\", NULL },
        { "CON", NULL },
    };
    for (const Case& c : cases)
    {
        CString strPath = "unchanged";
        BOOL bResolved = ResolveBoardLink(strBoard, c.pszLink, &strPath);
        EXPECT_EQ(bResolved, c.pszPath != NULL) << "\"" << c.pszLink << "\" gave " << (LPCSTR)strPath;
        if (bResolved && c.pszPath != NULL)
        {
            EXPECT_STREQ((LPCSTR)strPath, c.pszPath) << c.pszLink;
        }
    }
    // A board that was never saved has no folder.
    CString strPath;
    EXPECT_FALSE(ResolveBoardLink("Board1", "second.lmd", &strPath));
}

} // namespace
