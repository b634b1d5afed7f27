// ReadBoard: boards made by the builder read back as they were made, through a saved
// document; trees of other programs read as the choice board reads them; trees that
// are no board refused.
#include "board_test_files.h"

#include "BoardBuilder.h"
#include "BoardReader.h"

#include "hoard/resources/Hoard.h"
#include "hoard/sound/Wav.h"
#include "limn/containers/Container3DFrame.h"
#include "limn/containers/MainContainerRecord.h"
#include "limn/pictures/Picture.h"

#include <gtest/gtest.h>

#include <memory>

using namespace board_test;

namespace {

// The cells of a row as names, "-" for an empty cell.
std::vector<CString> Names(const std::vector<std::optional<BoardChoice>>& row)
{
    std::vector<CString> names;
    for (const auto& cell : row)
        names.push_back(cell ? cell->strName : CString("-"));
    return names;
}

// A row of the tree: a container arranged left to right, with leaves of the names.
CContainer* AddRow(CContainer* pRoot, const std::vector<const char*>& cells)
{
    auto* pRow = new CContainer(pRoot, arrangeHorizontal);
    for (const char* pszName : cells)
    {
        auto* pCell = new CContainer(pRow, arrangeNone);
        pCell->SetName(pszName);
    }
    return pRow;
}

CString Refusal(const CContainer* pRoot)
{
    CHoard hoard;
    BoardContents contents;
    CString strWhy;
    EXPECT_FALSE(ReadBoard(pRoot, hoard, contents, strWhy));
    EXPECT_TRUE(contents.rows.empty());
    return strWhy;
}

} // namespace

// Light colours too: a bevel keeps only its shades, which clip at white.
TEST(BoardReader, ReadsBackWhatTheBuilderSaved)
{
    CTestFolder folder;
    const CString strDoc = folder.Path("snacks.lmd");
    {
        CHoard hoard;
        CBoardBuilder builder(hoard);
        builder.SetTitle("Snacks \xE9t\xE9 & \"more\"");
        BoardChoice apple;
        apple.pPicture = AddPicture(hoard, folder, "apple", RGB(200, 0, 0));
        apple.pSound = AddSound(hoard, folder, "crunch", 0x90);
        apple.crFill = RGB(250, 240, 200);
        apple.crFrame = RGB(201, 213, 254);
        apple.strBoard = "fruit\\apples.lmd";
        EXPECT_EQ("apple", builder.AddChoice(apple));
        builder.AddEmpty();
        // The same samples under another name: saving keeps the first sound only.
        BoardChoice pear;
        pear.pPicture = AddPicture(hoard, folder, "pear", RGB(0, 200, 0));
        pear.pSound = AddSound(hoard, folder, "crunch2", 0x90);
        builder.AddChoice(pear);
        builder.AddRow();
        // A choice named as another gets a numbered name and keeps its own picture.
        BoardChoice second;
        second.strName = "apple";
        second.pPicture = AddPicture(hoard, folder, "green", RGB(0, 0, 200));
        second.crFrame = RGB(0, 0, 0);
        EXPECT_EQ("apple2", builder.AddChoice(second));
        builder.AddRow();
        builder.Save(strDoc);
    }
    CHoard hoard;
    std::unique_ptr<CWndContainer> pRoot(CMainContainerRecord::LoadFile(strDoc, hoard));
    BoardContents board;
    CString strWhy;
    ASSERT_TRUE(ReadBoard(pRoot.get(), hoard, board, strWhy)) << (LPCSTR)strWhy;

    EXPECT_EQ("Snacks \xE9t\xE9 & \"more\"", board.strTitle);
    ASSERT_EQ(3u, board.rows.size());
    EXPECT_EQ((std::vector<CString>{ "apple", "-", "pear" }), Names(board.rows[0]));
    EXPECT_EQ((std::vector<CString>{ "apple2" }), Names(board.rows[1]));
    EXPECT_TRUE(board.rows[2].empty());

    const BoardChoice& apple = *board.rows[0][0];
    ASSERT_NE(nullptr, apple.pPicture);
    EXPECT_EQ("apple", apple.pPicture->GetName());
    ASSERT_NE(nullptr, apple.pSound);
    EXPECT_EQ("crunch", apple.pSound->GetName());
    EXPECT_EQ(RGB(250, 240, 200), apple.crFill);
    EXPECT_EQ(RGB(201, 213, 254), apple.crFrame);
    EXPECT_EQ("fruit\\apples.lmd", apple.strBoard);

    const BoardChoice& pear = *board.rows[0][2];
    EXPECT_EQ("pear", pear.pPicture->GetName());
    EXPECT_EQ(apple.pSound, pear.pSound);
    EXPECT_EQ(RGB(255, 255, 255), pear.crFill);
    EXPECT_EQ(RGB(160, 160, 160), pear.crFrame);
    EXPECT_TRUE(pear.strBoard.IsEmpty());

    const BoardChoice& second = *board.rows[1][0];
    EXPECT_EQ("green", second.pPicture->GetName());
    EXPECT_EQ(nullptr, second.pSound);
    EXPECT_EQ(RGB(0, 0, 0), second.crFrame);
}

TEST(BoardReader, BoardWithoutTitle)
{
    CTestFolder folder;
    CHoard hoard;
    CBoardBuilder builder(hoard);
    BoardChoice choice;
    choice.pPicture = AddPicture(hoard, folder, "only", RGB(1, 2, 3));
    builder.AddChoice(choice);
    std::unique_ptr<CWndContainer> pRoot(builder.Build());
    BoardContents board;
    CString strWhy;
    ASSERT_TRUE(ReadBoard(pRoot.get(), hoard, board, strWhy));
    EXPECT_TRUE(board.strTitle.IsEmpty());
    ASSERT_EQ(1u, board.rows.size());
    EXPECT_EQ((std::vector<CString>{ "only" }), Names(board.rows[0]));
}

// Another program's board: choices without links show the resources of their names, a
// bevel whose own colour is not kept gives the colour of its shades, a flat frame its
// colour, a choice without a frame its fill, and one without a fill its row's.
TEST(BoardReader, TreeOfAnotherProgram)
{
    CTestFolder folder;
    CHoard hoard;
    CPicture* pAlpha = AddPicture(hoard, folder, "alpha", RGB(9, 9, 9));
    CWav* pBeta = AddSound(hoard, folder, "beta", 0x70);
    CWndContainer root;
    root.SetName("screen");
    CContainer* pRow = AddRow(&root, { "alpha", "beta", "gamma", "delta" });
    pRow->SetFillColor(RGB(10, 20, 30));
    const auto& cells = pRow->GetChildList();
    CContainer* pAlphaCell = cells.GetAt(cells.FindIndex(0));
    CContainer* pBetaCell = cells.GetAt(cells.FindIndex(1));
    CContainer* pGammaCell = cells.GetAt(cells.FindIndex(2));
    pAlphaCell->SetFillColor(RGB(1, 1, 1));
    pAlphaCell->SetFrame(new CContainer3DFrame(RGB(100, 120, 7), 4, 1, 150, 150, 50, 50));
    pBetaCell->SetFillColor(RGB(2, 2, 2));
    pBetaCell->SetFrame(new CContainerFrame(2, RGB(40, 50, 60)));
    pGammaCell->SetFillColor(RGB(3, 3, 3));

    BoardContents board;
    CString strWhy;
    ASSERT_TRUE(ReadBoard(&root, hoard, board, strWhy)) << (LPCSTR)strWhy;
    EXPECT_TRUE(board.strTitle.IsEmpty());
    ASSERT_EQ(1u, board.rows.size());
    ASSERT_EQ(4u, board.rows[0].size());
    const BoardChoice& alpha = *board.rows[0][0];
    EXPECT_EQ(pAlpha, alpha.pPicture);
    EXPECT_EQ(nullptr, alpha.pSound);
    EXPECT_EQ(RGB(100, 120, 7), alpha.crFrame);
    const BoardChoice& beta = *board.rows[0][1];
    EXPECT_EQ(nullptr, beta.pPicture);
    EXPECT_EQ(pBeta, beta.pSound);
    EXPECT_EQ(RGB(40, 50, 60), beta.crFrame);
    EXPECT_EQ(RGB(3, 3, 3), board.rows[0][2]->crFrame);
    EXPECT_EQ(RGB(10, 20, 30), board.rows[0][3]->crFill);
    EXPECT_EQ(RGB(10, 20, 30), board.rows[0][3]->crFrame);
}

TEST(BoardReader, RefusesTreesThatAreNoBoard)
{
    EXPECT_EQ("it holds no screen", Refusal(NULL));

    CWndContainer empty;
    EXPECT_EQ("it has no rows of choices", Refusal(&empty));

    CWndContainer blank;
    AddRow(&blank, { "", "" });
    EXPECT_EQ("it has no rows of choices", Refusal(&blank));

    CWndContainer nested;
    CContainer* pRow = AddRow(&nested, { "a", "group" });
    AddRow(pRow->GetChildList().GetTail(), { "inner" });
    EXPECT_EQ("the cell \"group\" of its row \"\" holds containers of its own", Refusal(&nested));

    // A leaf that is not a row is the title only when it comes first.
    CWndContainer stray;
    AddRow(&stray, { "a" });
    (new CContainer(&stray, arrangeNone))->SetName("note");
    EXPECT_EQ("its container \"note\" is neither its title nor a row of choices", Refusal(&stray));

    CWndContainer column;
    auto* pColumn = new CContainer(&column, arrangeVertical);
    pColumn->SetName("column");
    (new CContainer(pColumn, arrangeNone))->SetName("a");
    EXPECT_EQ("its container \"column\" is neither its title nor a row of choices", Refusal(&column));
}
