// A board exported as a package and imported again is the board it was: the same tree
// of rows and choices with the same names and colours, the same pictures pixel for
// pixel, the same sounds byte for byte, and the same links between its boards.
#include "board_test_files.h"
#include "board_test_pixels.h"

#include "BoardReader.h"

#include "hoard/resources/Hoard.h"
#include "hoard/sound/Wav.h"
#include "limn/containers/MainContainerRecord.h"
#include "limn/pictures/Picture.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <utility>

using namespace board_test;

namespace {

// A board document read back, with the hoard its resources live in.
struct LoadedBoard
{
    CHoard hoard;
    std::unique_ptr<CWndContainer> pRoot;
    BoardContents contents;
};

// The folder part of a path, with its closing backslash.
CString FolderOf(const CString& strPath) { return strPath.Left(strPath.ReverseFind('\\') + 1); }

void LoadBoard(const CString& strPath, LoadedBoard& board)
{
    board.pRoot.reset(CMainContainerRecord::LoadFile(strPath, board.hoard));
    CString strWhy;
    ASSERT_TRUE(ReadBoard(board.pRoot.get(), board.hoard, board.contents, strWhy)) << strPath << ": " << strWhy;
}

void ExpectSamePicture(CResource* pBefore, CResource* pAfter, const CString& strWhere)
{
    ASSERT_EQ(pBefore == NULL, pAfter == NULL) << strWhere;
    if (pBefore == NULL)
        return;
    HDIB hBefore = ShownDIB(static_cast<CPicture*>(pBefore));
    HDIB hAfter = ShownDIB(static_cast<CPicture*>(pAfter));
    int nWidth = 0, nHeight = 0, nWidthAfter = 0, nHeightAfter = 0;
    const std::vector<BYTE> before = PixelRows(hBefore, nWidth, nHeight, false);
    const std::vector<BYTE> after = PixelRows(hAfter, nWidthAfter, nHeightAfter, false);
    ::GlobalFree(hBefore);
    ::GlobalFree(hAfter);
    ASSERT_FALSE(before.empty()) << strWhere;
    EXPECT_EQ(nWidth, nWidthAfter) << strWhere;
    EXPECT_EQ(nHeight, nHeightAfter) << strWhere;
    EXPECT_TRUE(before == after) << strWhere << ": the picture's pixels differ";
}

void ExpectSameSound(CResource* pBefore, CResource* pAfter, const CString& strWhere)
{
    ASSERT_EQ(pBefore == NULL, pAfter == NULL) << strWhere;
    if (pBefore == NULL)
        return;
    const CWav* pWavBefore = static_cast<CWav*>(pBefore);
    const CWav* pWavAfter = static_cast<CWav*>(pAfter);
    EXPECT_EQ(0, memcmp(&pWavBefore->GetFormat(), &pWavAfter->GetFormat(), sizeof(PCMWAVEFORMAT))) << strWhere;
    ASSERT_EQ(pWavBefore->GetDataSize(), pWavAfter->GetDataSize()) << strWhere;
    const BYTE* pSamplesBefore = pWavBefore->GetData();
    const BYTE* pSamplesAfter = pWavAfter->GetData();
    EXPECT_EQ(0, memcmp(pSamplesBefore, pSamplesAfter, pWavBefore->GetDataSize())) << strWhere << ": the samples differ";
    pWavBefore->ReleaseData();
    pWavAfter->ReleaseData();
}

// The boards at strBefore and strAfter are the same, and so are the boards their
// choices open, pair by pair (each pair once: links may lead round in a circle).
void ExpectSameBoards(const CString& strBefore, const CString& strAfter, std::set<std::pair<CString, CString>>& seen)
{
    if (!seen.insert({ strBefore, strAfter }).second)
        return;
    LoadedBoard before, after;
    ASSERT_NO_FATAL_FAILURE(LoadBoard(strBefore, before));
    ASSERT_NO_FATAL_FAILURE(LoadBoard(strAfter, after));
    EXPECT_EQ(before.contents.strTitle, after.contents.strTitle) << strAfter;
    ASSERT_EQ(before.contents.rows.size(), after.contents.rows.size()) << strAfter;
    std::vector<std::pair<CString, CString>> links;
    for (size_t nRow = 0; nRow < before.contents.rows.size(); ++nRow)
    {
        const auto& rowBefore = before.contents.rows[nRow];
        const auto& rowAfter = after.contents.rows[nRow];
        ASSERT_EQ(rowBefore.size(), rowAfter.size()) << strAfter << ", row " << nRow + 1;
        for (size_t nCell = 0; nCell < rowBefore.size(); ++nCell)
        {
            ASSERT_EQ(rowBefore[nCell].has_value(), rowAfter[nCell].has_value()) << strAfter << ": an empty cell";
            if (!rowBefore[nCell])
                continue;
            const BoardChoice& choice = *rowBefore[nCell];
            const BoardChoice& choiceAfter = *rowAfter[nCell];
            const CString strWhere = strAfter + ": choice " + choice.strName;
            EXPECT_EQ(choice.strName, choiceAfter.strName) << strWhere;
            EXPECT_EQ(choice.crFill, choiceAfter.crFill) << strWhere;
            EXPECT_EQ(choice.crFrame, choiceAfter.crFrame) << strWhere;
            ExpectSamePicture(choice.pPicture, choiceAfter.pPicture, strWhere);
            ExpectSameSound(choice.pSound, choiceAfter.pSound, strWhere);
            ASSERT_EQ(choice.strBoard.IsEmpty(), choiceAfter.strBoard.IsEmpty()) << strWhere << ": the link";
            if (!choice.strBoard.IsEmpty())
                links.push_back({ FolderOf(strBefore) + choice.strBoard, FolderOf(strAfter) + choiceAfter.strBoard });
        }
    }
    for (const auto& link : links)
        ExpectSameBoards(link.first, link.second, seen);
}

} // namespace

// Two boards that open each other, with pictures of every kind a board takes (bitmaps
// of 4 and 24 bits, a photograph, a picture with transparent parts, Macintosh pictures
// of pixels and of drawing), a sound that two choices share, choices without a sound
// and an empty cell.
TEST(BoardRoundTrip, AnExportedBoardImportsAsItWas)
{
    CTestFolder folder;
    std::string output;
    ASSERT_EQ(0, RunProgram("wavgen.exe", { folder.Path(".") }, output)) << output;
    ASSERT_EQ(0, RunProgram("picgen.exe", { folder.Path(".") }, output)) << output;
    ASSERT_EQ(0, RunProgram("hoardtool.exe",
                            { "board", folder.Path("home.lmd"), "--title", "Snack time", "--columns", "3",
                              folder.Path("sun.bmp") + "=" + folder.Path("chime.wav"),
                              folder.Path("house.bmp") + "=" + folder.Path("pause.wav"),
                              folder.Path("landscape-photo.jpg") + "=" + folder.Path("chime.wav"),
                              folder.Path("sun-alpha.png"), folder.Path("drawing.pct"), "--link", "house=more.lmd" },
                            output))
        << output;
    ASSERT_EQ(0, RunProgram("hoardtool.exe",
                            { "board", folder.Path("more.lmd"), "--title", "More", "--columns", "2",
                              folder.Path("landscape.bmp") + "=" + folder.Path("click.track.wav"),
                              folder.Path("landscape-packed.pct"), folder.Path("landscape-direct.pct"),
                              "--link", "landscape=home.lmd" },
                            output))
        << output;
    ASSERT_EQ(0, RunProgram("hoardtool.exe", { "export-board", folder.Path("home.lmd"), folder.Path("home.obz") }, output))
        << output;
    ::CreateDirectoryA(folder.Path("back"), NULL);
    ASSERT_EQ(0, RunProgram("hoardtool.exe",
                            { "import-board", folder.Path("home.obz"), folder.Path("back\\snacks.lmd") }, output))
        << output;

    std::set<std::pair<CString, CString>> seen;
    ExpectSameBoards(folder.Path("home.lmd"), folder.Path("back\\snacks.lmd"), seen);
    EXPECT_EQ(2u, seen.size());
}
