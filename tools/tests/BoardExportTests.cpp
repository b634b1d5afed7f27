// hoardtool export-board end to end: boards made by hoardtool board, exported, and the
// package read back through obfcore: manifest, boards, grid, labels, colours, links,
// the pixels of every image against the picture's own bitmap, and the bytes of every
// sound against the WAVE file it was made from.
#include "board_test_files.h"
#include "board_test_pixels.h"

#include "BoardReader.h"
#include "ObfError.h"
#include "Package.h"

#include "diblib/dibapi.h"
#include "hoard/resources/Hoard.h"
#include "limn/containers/MainContainerRecord.h"
#include "limn/pictures/Picture.h"

#include <gtest/gtest.h>

#include <memory>

using namespace board_test;

namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

class ExportBoard : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string output;
        ASSERT_EQ(0, RunProgram("wavgen.exe", { m_folder.Path(".") }, output)) << output;
        ASSERT_EQ(0, RunProgram("picgen.exe", { m_folder.Path(".") }, output)) << output;
        ::CreateDirectoryA(m_folder.Path("more"), NULL);
    }

    int Tool(const std::vector<CString>& args) { return RunProgram("hoardtool.exe", args, m_output); }

    // The picture that the choice shows in the document, against the PNG of the package.
    void ExpectSamePixels(const char* pszDoc, size_t nRow, size_t nCell, const obf::PackageReader& package,
                          const obf::Board& board, size_t nButton)
    {
        CHoard hoard;
        std::unique_ptr<CWndContainer> pRoot(CMainContainerRecord::LoadFile(m_folder.Path(pszDoc), hoard));
        BoardContents contents;
        CString strWhy;
        ASSERT_TRUE(ReadBoard(pRoot.get(), hoard, contents, strWhy));
        auto* pPicture = dynamic_cast<CPicture*>(contents.rows[nRow][nCell]->pPicture);
        ASSERT_NE(nullptr, pPicture);
        HDIB hOwn = ShownDIB(pPicture);
        int nWidth = 0, nHeight = 0;
        const std::vector<BYTE> own = PixelRows(hOwn, nWidth, nHeight);
        ::GlobalFree(hOwn);
        ASSERT_FALSE(own.empty());

        const obf::Image* pImage = board.FindImage(board.buttons[nButton].image_id);
        ASSERT_NE(nullptr, pImage);
        EXPECT_EQ("image/png", pImage->content_type);
        EXPECT_EQ(nWidth, pImage->width);
        EXPECT_EQ(nHeight, pImage->height);
        std::vector<uint8_t> png = package.ReadFile(pImage->path);
        CMemFile file(png.data(), (UINT)png.size());
        HDIB hPng = ReadImageFile(file, 0);
        int nPngWidth = 0, nPngHeight = 0;
        const std::vector<BYTE> decoded = PixelRows(hPng, nPngWidth, nPngHeight);
        ::GlobalFree(hPng);
        EXPECT_EQ(nWidth, nPngWidth);
        EXPECT_EQ(nHeight, nPngHeight);
        EXPECT_TRUE(own == decoded) << pszDoc << ": the pixels of " << board.buttons[nButton].label;
    }

    CTestFolder m_folder;
    std::string m_output;
};

} // namespace

// home.lmd: sun (a bitmap) and drawing (a Macintosh picture) share the chime; sun opens
// more\food.lmd, drawing a board that does not exist; sun-alpha is a picture whose
// transparent parts import laid over white. more\food.lmd: house opens home.lmd again,
// landscape-packed a board outside the folder.
TEST_F(ExportBoard, PackageHoldsTheBoardsAndWhatTheyShowPlayAndOpen)
{
    WriteWhole(m_folder.Path("outside.lmd"), "");
    ASSERT_EQ(0, Tool({ "board", m_folder.Path("home.lmd"), "--title", "Home \xE9t\xE9",
                        m_folder.Path("sun.bmp") + "=" + m_folder.Path("chime.wav"),
                        m_folder.Path("drawing.pct") + "=" + m_folder.Path("chime.wav"), m_folder.Path("sun-alpha.png"),
                        "--link", "sun=more\\food.lmd", "--link", "drawing=missing.lmd" }))
        << m_output;
    ASSERT_EQ(0, Tool({ "board", m_folder.Path("more\\food.lmd"), "--title", "Food",
                        m_folder.Path("house.bmp") + "=" + m_folder.Path("pause.wav"),
                        m_folder.Path("landscape-packed.pct"), "--link", "house=..\\home.lmd", "--link",
                        "landscape-packed=..\\..\\outside.lmd" }))
        << m_output;
    const CString strOut = m_folder.Path("home.obz");
    ASSERT_EQ(0, Tool({ "export-board", m_folder.Path("home.lmd"), strOut })) << m_output;
    EXPECT_EQ("board \"Home \xE9t\xE9\" from home.lmd: 3 buttons, 3 images, 1 sound, 1 link\n"
              "board \"Food\" from more\\food.lmd: 2 buttons, 2 images, 1 sound, 1 link\n"
              "choice \"drawing\" of home.lmd keeps no link: it opens missing.lmd, which does not exist\n"
              "choice \"landscape-packed\" of more\\food.lmd keeps no link: it opens ..\\..\\outside.lmd, which lies "
              "outside the folder of " + std::string(m_folder.Path("home.lmd")) + "\n",
              m_output);

    obf::PackageReader package(Bytes(ReadWhole(strOut)));
    const obf::Manifest& manifest = package.GetManifest();
    EXPECT_EQ("boards/home.obf", manifest.root);
    EXPECT_EQ((std::map<std::string, std::string>{ { "home", "boards/home.obf" }, { "more/food", "boards/more/food.obf" } }),
              manifest.boards);
    EXPECT_EQ(5u, manifest.images.size());
    EXPECT_EQ(2u, manifest.sounds.size());

    const obf::Board home = package.ReadRoot();
    EXPECT_EQ("home", home.id);
    EXPECT_EQ("Home \xC3\xA9t\xC3\xA9", home.name);
    EXPECT_EQ(2, home.grid.rows);
    EXPECT_EQ(2, home.grid.columns);
    using Cells = std::vector<std::optional<std::string>>;
    EXPECT_EQ((std::vector<Cells>{ { "1", "2" }, { "3", std::nullopt } }), home.grid.order);
    ASSERT_EQ(3u, home.buttons.size());
    EXPECT_EQ("sun", home.buttons[0].label);
    EXPECT_EQ("drawing", home.buttons[1].label);
    EXPECT_EQ("sun-alpha", home.buttons[2].label);
    for (const obf::Button& button : home.buttons)
    {
        EXPECT_EQ((obf::Color{ 255, 255, 255, 255 }), button.background_color);
        EXPECT_EQ((obf::Color{ 160, 160, 160, 255 }), button.border_color);
    }
    EXPECT_EQ((obf::LoadBoard{ "more/food", "boards/more/food.obf", "", "Food" }), home.buttons[0].load_board);
    EXPECT_FALSE(home.buttons[1].load_board);
    EXPECT_FALSE(home.buttons[2].load_board);

    // One sound for both choices, the bytes of the file it came from.
    EXPECT_EQ(home.buttons[0].sound_id, home.buttons[1].sound_id);
    EXPECT_TRUE(home.buttons[2].sound_id.empty());
    const obf::Sound* pChime = home.FindSound(home.buttons[0].sound_id);
    ASSERT_NE(nullptr, pChime);
    EXPECT_EQ("audio/wav", pChime->content_type);
    EXPECT_TRUE(Bytes(ReadWhole(m_folder.Path("chime.wav"))) == package.ReadFile(pChime->path));

    ExpectSamePixels("home.lmd", 0, 0, package, home, 0);
    ExpectSamePixels("home.lmd", 0, 1, package, home, 1);
    ExpectSamePixels("home.lmd", 1, 0, package, home, 2);

    const obf::Board food = package.ReadBoard("boards/more/food.obf");
    EXPECT_EQ("more/food", food.id);
    EXPECT_EQ("Food", food.name);
    EXPECT_EQ((std::vector<Cells>{ { "1", "2" } }), food.grid.order);
    EXPECT_EQ((obf::LoadBoard{ "home", "boards/home.obf", "", "Home \xC3\xA9t\xC3\xA9" }), food.buttons[0].load_board);
    EXPECT_FALSE(food.buttons[1].load_board);
    const obf::Sound* pPause = food.FindSound(food.buttons[0].sound_id);
    ASSERT_NE(nullptr, pPause);
    EXPECT_TRUE(Bytes(ReadWhole(m_folder.Path("pause.wav"))) == package.ReadFile(pPause->path));
    ExpectSamePixels("more\\food.lmd", 0, 0, package, food, 0);
    ExpectSamePixels("more\\food.lmd", 0, 1, package, food, 1);
}

// The same picture on two boards is one file; a board without a title is named as its
// document; a document reached under two spellings is one board; links to documents
// that are no boards are left out, and said so.
TEST_F(ExportBoard, SharedPicturesSpellingsAndLinksToNoBoard)
{
    ASSERT_EQ(0, Tool({ "board", m_folder.Path("a.lmd"), m_folder.Path("sun.bmp"), m_folder.Path("house.bmp"),
                        m_folder.Path("landscape.bmp"), "--link", "sun=B.lmd", "--link", "house=res.lmd", "--link",
                        "landscape=broken.lmd" }))
        << m_output;
    ASSERT_EQ(0, Tool({ "board", m_folder.Path("b.lmd"), m_folder.Path("sun.bmp"), m_folder.Path("house.bmp"),
                        "--link", "sun=b.lmd" }))
        << m_output;
    ASSERT_EQ(0, Tool({ "import", m_folder.Path("res.lmd"), m_folder.Path("chime.wav") })) << m_output;
    WriteWhole(m_folder.Path("broken.lmd"), "no document");
    ASSERT_EQ(0, Tool({ "export-board", m_folder.Path("a.lmd"), m_folder.Path("a.obz") })) << m_output;
    EXPECT_NE(std::string::npos, m_output.find("choice \"house\" of a.lmd keeps no link: it opens res.lmd, which is "
                                               "not a board: it is a resource file, not a screen document\n"))
        << m_output;
    EXPECT_NE(std::string::npos,
              m_output.find("choice \"landscape\" of a.lmd keeps no link: it opens broken.lmd, which cannot be read: "))
        << m_output;

    obf::PackageReader package(Bytes(ReadWhole(m_folder.Path("a.obz"))));
    EXPECT_EQ(2u, package.GetManifest().boards.size());
    EXPECT_EQ(3u, package.GetManifest().images.size());
    const obf::Board a = package.ReadRoot();
    const obf::Board b = package.ReadBoard("boards/B.obf");
    EXPECT_EQ("a", a.name);
    EXPECT_EQ("B", b.name);
    EXPECT_EQ((obf::LoadBoard{ "B", "boards/B.obf", "", "B" }), a.buttons[0].load_board);
    EXPECT_EQ((obf::LoadBoard{ "B", "boards/B.obf", "", "B" }), b.buttons[0].load_board);
    EXPECT_FALSE(a.buttons[1].load_board);
    EXPECT_FALSE(a.buttons[2].load_board);
    EXPECT_EQ(a.buttons[0].image_id, b.buttons[0].image_id);
    EXPECT_EQ(a.buttons[1].image_id, b.buttons[1].image_id);
    EXPECT_NE(a.buttons[0].image_id, a.buttons[1].image_id);
}

// A failed export says why in one line and leaves OUT as it was, with no file of its
// own left beside it.
TEST_F(ExportBoard, FailureLeavesOutAlone)
{
    const CString strOut = m_folder.Path("kept.obz");
    WriteWhole(strOut, "the package before");
    ASSERT_EQ(0, Tool({ "import", m_folder.Path("sounds.hrd"), m_folder.Path("chime.wav") })) << m_output;
    WriteWhole(m_folder.Path("blank.lmd"), "");
    CWndContainer empty;
    CHoard hoard;
    CMainContainerRecord::SaveFile(m_folder.Path("empty.lmd"), &empty, hoard);
    const struct
    {
        const char* pszDoc;
        std::string message;
    } cases[] = {
        { "sounds.hrd", "is not a board: it is a resource file, not a screen document" },
        { "empty.lmd", "is not a board: it has no rows of choices" },
        { "none.lmd", "none.lmd was not found" },
        { "blank.lmd", "blank.lmd" },
    };
    for (const auto& test : cases)
    {
        EXPECT_EQ(1, Tool({ "export-board", m_folder.Path(test.pszDoc), strOut })) << test.pszDoc;
        EXPECT_NE(std::string::npos, m_output.find(test.message)) << m_output;
        EXPECT_NE(std::string::npos, m_output.find("kept.obz was not written")) << m_output;
        EXPECT_EQ(1u, (size_t)std::count(m_output.begin(), m_output.end(), '\n')) << m_output;
        EXPECT_EQ("the package before", ReadWhole(strOut));
    }
    EXPECT_EQ(1, Tool({ "export-board", m_folder.Path("sounds.hrd"), m_folder.Path("kept.zip") }));
    EXPECT_NE(std::string::npos, m_output.find("whose name ends in .obz")) << m_output;

    WIN32_FIND_DATAA data;
    HANDLE hFind = ::FindFirstFileA(m_folder.Path("*.tmp"), &data);
    EXPECT_EQ(INVALID_HANDLE_VALUE, hFind) << data.cFileName;
    if (hFind != INVALID_HANDLE_VALUE)
        ::FindClose(hFind);
}
