// Boards of the Open Board Format imported as boards: a package of three boards that link
// to each other (by path, by id, in a circle), with images by data URI, by path and by
// URL, WAVE, MP3 and Ogg sounds and labels beyond the code page, read back from the
// documents written; images and sounds that only the manifest lists; loose boards with
// their files beside them; and imports that fail, which leave every file as it was.
#include "BoardImport.h"
#include "SampleMedia.h"

#include "Base64.h"
#include "ObfError.h"
#include "Package.h"
#include "RawZip.h"

#include "limn/containers/ChoiceLink.h"
#include "limn/containers/Container3DFrame.h"
#include "limn/containers/MainContainerRecord.h"
#include "limn/containers/WndContainer.h"
#include "limn/pictures/Picture.h"

#include "hoard/resources/Hoard.h"
#include "hoard/sound/Wav.h"

#include <gtest/gtest.h>

#include <memory>

using sample::CTempFolder;

namespace {

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

obf::Button Button(const char* pszId, const char* pszLabel)
{
    obf::Button button;
    button.id = pszId;
    button.label = pszLabel;
    return button;
}

obf::LoadBoard Link(const char* pszId, const char* pszPath, const char* pszUrl = "")
{
    return obf::LoadBoard{ pszId, pszPath, pszUrl, "" };
}

// The first board: "Home" and a snowman, which the code page lacks.
obf::Board HomeBoard()
{
    obf::Board board;
    board.id = "home";
    board.name = "Home \xE2\x98\x83";
    board.grid = { 2, 3, { { "hello", "food", "web" }, { std::nullopt, "snow", "self" } } };
    obf::Button hello = Button("hello", "Hello");
    hello.image_id = "bmp";
    hello.sound_id = "wav";
    hello.background_color = obf::Color{ 255, 200, 0, 255 };
    hello.border_color = obf::Color{ 0, 0, 255, 128 };
    obf::Button food = Button("food", "Food");
    food.image_id = "png";
    food.sound_id = "mp3";
    food.load_board = Link("food", ""); // by id, through the manifest
    obf::Button web = Button("web", "Web");
    web.image_id = "remote";
    web.load_board = Link("", "", "https://example.com/board.obf");
    obf::Button snow = Button("snow", "");
    snow.image_id = "svg";
    snow.sound_id = "ogg";
    obf::Button self = Button("self", "Again");
    self.load_board = Link("home", "boards/home.obf");
    board.buttons = { hello, food, web, snow, self };
    const std::vector<uint8_t> bitmap = sample::BitmapFile();
    board.images = {
        { "bmp", obf::MakeDataUri("image/bmp", bitmap), "", "", {}, "image/bmp", 3, 2 },
        { "png", "", "images/food.png", "", {}, "image/png", 3, 2 },
        { "remote", "", "", "https://example.com/remote.png", {}, "image/png", 0, 0 },
        { "svg", obf::MakeDataUri("image/svg+xml", Bytes("<svg/>")), "", "", {}, "", 0, 0 },
    };
    board.sounds = {
        { "wav", "", "sounds/hello.wav", "", "audio/wav" },
        { "mp3", obf::MakeDataUri("audio/mpeg", sample::SilentMp3(20)), "", "", "" },
        { "ogg", obf::MakeDataUri("audio/ogg", Bytes("OggS")), "", "", "" },
    };
    return board;
}

// The second: back home by path, a link to a board that is not there, and one to a
// third board of the same name.
obf::Board FoodBoard()
{
    obf::Board board;
    board.id = "food";
    board.name = "Food";
    board.grid = { 1, 3, { { "back", "more", "again" } } };
    obf::Button back = Button("back", "Home");
    back.image_id = "png";
    back.load_board = Link("home", "boards/home.obf");
    obf::Button more = Button("more", "More");
    more.load_board = Link("nowhere", "");
    obf::Button again = Button("again", "Snacks");
    again.load_board = Link("", "boards/snacks.obf");
    board.buttons = { back, more, again };
    board.images = { { "png", "", "images/food.png", "", {}, "image/png", 3, 2 } };
    return board;
}

obf::Board SnacksBoard()
{
    obf::Board board;
    board.id = "snacks";
    board.name = "Food";
    board.grid = { 1, 1, { { "x" } } };
    board.buttons = { Button("x", "Crisps") };
    return board;
}

// A screen document read back.
struct Document
{
    CHoard hoard;
    std::unique_ptr<CWndContainer> pRoot;

    explicit Document(const CString& strPath) : pRoot(CMainContainerRecord::LoadFile(strPath, hoard)) {}

    // The names of the root's children, and of theirs, one line for each row.
    std::vector<std::string> Rows() const
    {
        std::vector<std::string> rows;
        const auto& children = pRoot->GetChildList();
        for (POSITION pos = children.GetHeadPosition(); pos != NULL;)
        {
            CContainer* pChild = children.GetNext(pos);
            std::string strRow = (LPCSTR)pChild->GetName();
            const auto& cells = pChild->GetChildList();
            for (POSITION cell = cells.GetHeadPosition(); cell != NULL;)
                strRow += std::string("|") + (LPCSTR)cells.GetNext(cell)->GetName();
            rows.push_back(strRow);
        }
        return rows;
    }

    CContainer* Choice(const char* pszName) const
    {
        const auto& children = pRoot->GetChildList();
        for (POSITION pos = children.GetHeadPosition(); pos != NULL;)
        {
            const auto& cells = children.GetNext(pos)->GetChildList();
            for (POSITION cell = cells.GetHeadPosition(); cell != NULL;)
            {
                CContainer* pCell = cells.GetNext(cell);
                if (pCell->GetName() == pszName)
                    return pCell;
            }
        }
        return NULL;
    }

    CChoiceLink* Link(const char* pszChoice) { return CChoiceLink::Find(hoard, pszChoice); }
};

class BoardImport : public ::testing::Test
{
protected:
    void WritePackage()
    {
        const std::vector<uint8_t> bitmap = sample::BitmapFile();
        m_png = sample::PngFile(bitmap);
        ASSERT_FALSE(m_png.empty());
        m_wave = sample::WaveFile(1001, 7);
        obf::PackageContents contents;
        contents.boards = { { "boards/home.obf", HomeBoard() },
                            { "boards/food.obf", FoodBoard() },
                            { "boards/snacks.obf", SnacksBoard() } };
        contents.files = { { "images/food.png", m_png }, { "sounds/hello.wav", m_wave } };
        m_folder.Write("board.obz", obf::WritePackage(contents));
    }

    // The picture that importing the bytes from a file gives.
    std::unique_ptr<CHoard> PictureOfFile(const char* pszName, const std::vector<uint8_t>& bytes)
    {
        auto pHoard = std::make_unique<CHoard>();
        m_folder.Write(pszName, bytes);
        CPicture* pPicture = CPicture::New(*pHoard, NULL);
        EXPECT_TRUE(pPicture->ImportFromFile(m_folder.Path(pszName)));
        DeleteFileA(m_folder.Path(pszName));
        return pHoard;
    }

    CTempFolder m_folder;
    std::vector<uint8_t> m_png;
    std::vector<uint8_t> m_wave;
};

TEST_F(BoardImport, APackageBecomesOneDocumentForEachBoardItReaches)
{
    WritePackage();
    std::vector<BoardImportReport> reports = ImportBoards(m_folder.Path("board.obz"), m_folder.Path("Out.lmd"));
    ASSERT_EQ(3u, reports.size());
    EXPECT_STREQ("board \"Home ?\" -> Out.lmd: 5 buttons, 2 pictures, 2 sounds, 2 links; skipped: 1 image (url not "
                 "fetched), 1 image (SVG), 1 sound (audio/ogg), 1 link (url only, not fetched); 1 character not in "
                 "the code page",
                 reports[0].Line());
    EXPECT_STREQ("board \"Food\" -> food.lmd: 3 buttons, 1 picture, 0 sounds, 2 links; skipped: 1 link (board not in "
                 "the package)",
                 reports[1].Line());
    EXPECT_STREQ("board \"Food\" -> food2.lmd: 1 button, 0 pictures, 0 sounds, 0 links", reports[2].Line());
    // Nothing else is left in the folder: no temporary file.
    const std::vector<CString> expected = { "Out.lmd", "board.obz", "food.lmd", "food2.lmd" };
    EXPECT_EQ(expected, m_folder.Files());
}

// The frame of a choice is bevelled in shades of its colour.
void ExpectFrameOf(COLORREF color, CContainer* pChoice)
{
    auto* pFrame = dynamic_cast<CContainer3DFrame*>(pChoice->GetFrame());
    ASSERT_NE(nullptr, pFrame);
    CContainer3DFrame expected(color, 4, 1, pFrame->GetPercent(0), pFrame->GetPercent(1), pFrame->GetPercent(2),
                               pFrame->GetPercent(3));
    for (int nSide = 0; nSide < 4; ++nSide)
        EXPECT_EQ(expected.GetShade(nSide), pFrame->GetShade(nSide)) << "side " << nSide;
}

TEST_F(BoardImport, LayoutNamesColoursAndLinks)
{
    WritePackage();
    ImportBoards(m_folder.Path("board.obz"), m_folder.Path("out.lmd"));

    Document home(m_folder.Path("out.lmd"));
    const std::vector<std::string> rows = { "title", "row 1|Hello|Food|Web", "row 2||snow|Again" };
    EXPECT_EQ(rows, home.Rows());
    CContainer* pHello = home.Choice("Hello");
    ASSERT_NE(nullptr, pHello);
    EXPECT_EQ(RGB(255, 200, 0), pHello->GetFillColor());
    // Blue at 128/255 over white; a button without colours has the builder's.
    ExpectFrameOf(RGB(127, 127, 255), pHello);
    EXPECT_EQ(RGB(255, 255, 255), home.Choice("Web")->GetFillColor());
    ExpectFrameOf(RGB(160, 160, 160), home.Choice("Web"));

    EXPECT_STREQ("food.lmd", home.Link("Food")->GetBoard());
    EXPECT_STREQ("out.lmd", home.Link("Again")->GetBoard());
    EXPECT_STREQ("", home.Link("Web")->GetBoard());
    // Images that could not be had leave the choices to show their names.
    EXPECT_EQ(nullptr, home.Link("Web")->GetPicture());
    EXPECT_EQ(nullptr, home.Link("snow")->GetPicture());
    EXPECT_EQ(nullptr, home.Link("snow")->GetSound());

    Document food(m_folder.Path("food.lmd"));
    const std::vector<std::string> foodRows = { "title", "row 1|Home|More|Snacks" };
    EXPECT_EQ(foodRows, food.Rows());
    EXPECT_STREQ("out.lmd", food.Link("Home")->GetBoard());
    EXPECT_STREQ("", food.Link("More")->GetBoard());
    EXPECT_STREQ("food2.lmd", food.Link("Snacks")->GetBoard());
}

TEST_F(BoardImport, PicturesAndSoundsAsTheirFilesImportThem)
{
    WritePackage();
    ImportBoards(m_folder.Path("board.obz"), m_folder.Path("out.lmd"));
    Document home(m_folder.Path("out.lmd"));

    auto pBitmapHoard = PictureOfFile("same.bmp", sample::BitmapFile());
    auto* pFromBitmap = static_cast<CPicture*>(pBitmapHoard->GetResource("CPicture", "same"));
    auto* pHello = static_cast<CPicture*>(home.Link("Hello")->GetPicture());
    ASSERT_NE(nullptr, pHello);
    EXPECT_TRUE(*pFromBitmap == *pHello) << "the data URI's bitmap differs from the file's";
    EXPECT_STREQ("Hello", pHello->GetName());

    auto pPngHoard = PictureOfFile("same.png", m_png);
    auto* pFromPng = static_cast<CPicture*>(pPngHoard->GetResource("CPicture", "same"));
    auto* pFood = static_cast<CPicture*>(home.Link("Food")->GetPicture());
    ASSERT_NE(nullptr, pFood);
    EXPECT_TRUE(*pFromPng == *pFood) << "the package's PNG differs from the file's";

    // The WAVE's samples and format, byte for byte.
    auto* pWave = static_cast<CWav*>(home.Link("Hello")->GetSound());
    ASSERT_NE(nullptr, pWave);
    ASSERT_EQ(1001u, pWave->GetDataSize());
    EXPECT_EQ(0, memcmp(m_wave.data() + 44, pWave->GetData(), 1001));
    pWave->ReleaseData();
    EXPECT_EQ(11025u, pWave->GetFormat().wf.nSamplesPerSec);
    EXPECT_EQ(8, pWave->GetFormat().wBitsPerSample);

    // The MP3, decoded: 20 frames of 1152 stereo 16-bit samples.
    auto* pMp3 = static_cast<CWav*>(home.Link("Food")->GetSound());
    ASSERT_NE(nullptr, pMp3);
    EXPECT_EQ(20u * 1152 * 4, pMp3->GetDataSize());
    EXPECT_EQ(16, pMp3->GetFormat().wBitsPerSample);
    EXPECT_EQ(2, pMp3->GetFormat().wf.nChannels);
}

TEST_F(BoardImport, ALooseBoardReadsItsFilesFromItsFolderOnly)
{
    obf::Board board = SnacksBoard();
    board.buttons[0].image_id = "pic";
    board.images = { { "pic", "", "pic.bmp", "", {}, "image/bmp", 3, 2 } };
    m_folder.Write("pic.bmp", sample::BitmapFile());
    m_folder.Write("snacks.obf", Bytes(obf::WriteBoard(board)));
    std::vector<BoardImportReport> reports = ImportBoards(m_folder.Path("snacks.obf"), m_folder.Path("snacks.lmd"));
    ASSERT_EQ(1u, reports.size());
    EXPECT_STREQ("board \"Food\" -> snacks.lmd: 1 button, 1 picture, 0 sounds, 0 links", reports[0].Line());
    Document snacks(m_folder.Path("snacks.lmd"));
    EXPECT_NE(nullptr, snacks.Link("Crisps")->GetPicture());

    // A path that leaves the folder is refused whole, before anything is written.
    std::string text = obf::WriteBoard(board);
    text.replace(text.find("\"pic.bmp\""), 9, "\"../pic.bmp\"");
    m_folder.Write("leaving.obf", Bytes(text));
    EXPECT_THROW(ImportBoards(m_folder.Path("leaving.obf"), m_folder.Path("leaving.lmd")), obf::Error);
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(m_folder.Path("leaving.lmd")));
}

TEST_F(BoardImport, ImagesAndSoundsTheBoardLacksComeFromTheManifest)
{
    // "seven" and "nine" are listed by the manifest alone, under names that do not say
    // what they hold; "gone" is listed but not in the package; "bmp" is the board's own,
    // which comes first; "nowhere" is in neither.
    obf::Board board;
    board.id = "home";
    board.name = "Home";
    board.grid = { 1, 4, { { "a", "b", "c", "d" } } };
    obf::Button a = Button("a", "Apple");
    a.image_id = "seven";
    a.sound_id = "nine";
    obf::Button b = Button("b", "Banana");
    b.image_id = "seven";
    obf::Button c = Button("c", "Cherry");
    c.image_id = "gone";
    c.sound_id = "nowhere";
    obf::Button d = Button("d", "Date");
    d.image_id = "bmp";
    board.buttons = { a, b, c, d };
    board.images = { { "bmp", obf::MakeDataUri("image/bmp", sample::BitmapFile()), "", "", {}, "", 0, 0 } };
    m_png = sample::PngFile(sample::BitmapFile());
    ASSERT_FALSE(m_png.empty());
    m_wave = sample::WaveFile(501, 3);
    using namespace obf_test;
    m_folder.Write("board.obz",
                   BuildZip({ StoredEntry("manifest.json", R"({"root": "boards/home.obf", "paths": {
                                  "images": {"seven": "media/seven.dat", "gone": "media/gone.png",
                                             "bmp": "media/gone.bmp"},
                                  "sounds": {"nine": "media/nine"}}})"),
                              StoredEntry("boards/home.obf", obf::WriteBoard(board)),
                              StoredEntry("media/seven.dat", std::string(m_png.begin(), m_png.end())),
                              StoredEntry("media/nine", std::string(m_wave.begin(), m_wave.end())) }));

    std::vector<BoardImportReport> reports = ImportBoards(m_folder.Path("board.obz"), m_folder.Path("out.lmd"));
    ASSERT_EQ(1u, reports.size());
    EXPECT_STREQ("board \"Home\" -> out.lmd: 4 buttons, 3 pictures, 1 sound, 0 links; skipped: 1 image (file "
                 "missing), 1 sound (sound nowhere is not in the board)",
                 reports[0].Line());

    Document home(m_folder.Path("out.lmd"));
    auto pPngHoard = PictureOfFile("same.png", m_png);
    auto* pFromPng = static_cast<CPicture*>(pPngHoard->GetResource("CPicture", "same"));
    auto* pApple = static_cast<CPicture*>(home.Link("Apple")->GetPicture());
    ASSERT_NE(nullptr, pApple);
    EXPECT_TRUE(*pFromPng == *pApple) << "the manifest's PNG differs from the file's";
    EXPECT_EQ(pApple, home.Link("Banana")->GetPicture()) << "one image, imported once";
    EXPECT_NE(nullptr, home.Link("Date")->GetPicture());
    EXPECT_EQ(nullptr, home.Link("Cherry")->GetPicture());
    EXPECT_EQ(nullptr, home.Link("Cherry")->GetSound());

    auto* pWave = static_cast<CWav*>(home.Link("Apple")->GetSound());
    ASSERT_NE(nullptr, pWave);
    ASSERT_EQ(501u, pWave->GetDataSize());
    EXPECT_EQ(0, memcmp(m_wave.data() + 44, pWave->GetData(), 501));
    pWave->ReleaseData();
}

TEST_F(BoardImport, ALooseBoardNamingWhatItLacksSkipsIt)
{
    obf::Board board = SnacksBoard();
    board.buttons[0].image_id = "7";
    board.buttons[0].sound_id = "s\xC3\xA9";
    m_folder.Write("7", sample::BitmapFile()); // a file of the id's name is no image of the board
    m_folder.Write("snacks.obf", Bytes(obf::WriteBoard(board)));
    std::vector<BoardImportReport> reports = ImportBoards(m_folder.Path("snacks.obf"), m_folder.Path("snacks.lmd"));
    ASSERT_EQ(1u, reports.size());
    EXPECT_STREQ("board \"Food\" -> snacks.lmd: 1 button, 0 pictures, 0 sounds, 0 links; skipped: 1 image (image 7 "
                 "is not in the board), 1 sound (sound s\xE9 is not in the board)",
                 reports[0].Line());
    Document snacks(m_folder.Path("snacks.lmd"));
    EXPECT_EQ(nullptr, snacks.Link("Crisps")->GetPicture());
    EXPECT_EQ(nullptr, snacks.Link("Crisps")->GetSound());
}

// OUT and a neighbour of the name a linked board would get hold text of their own,
// which a failed import must leave.
class FailedImport : public BoardImport
{
protected:
    void SetUp() override
    {
        m_folder.Write("out.lmd", Bytes("the old board"));
        m_folder.Write("food.lmd", Bytes("the old food"));
    }

    void ExpectUntouched(const std::vector<CString>& expectedFiles)
    {
        EXPECT_EQ(Bytes("the old board"), m_folder.Read("out.lmd"));
        EXPECT_EQ(Bytes("the old food"), m_folder.Read("food.lmd"));
        EXPECT_EQ(expectedFiles, m_folder.Files()) << "a temporary file was left";
    }
};

TEST_F(FailedImport, ALinkedBoardThatDoesNotReadFailsAllAndLeavesEveryFile)
{
    // The first board is saved before the second is read, which fails.
    using namespace obf_test;
    obf::Board home = SnacksBoard();
    home.buttons[0].load_board = Link("", "boards/food.obf");
    m_folder.Write("board.obz", BuildZip({ StoredEntry("manifest.json", "{\"root\": \"boards/home.obf\"}"),
                                           StoredEntry("boards/home.obf", obf::WriteBoard(home)),
                                           StoredEntry("boards/food.obf", "{\"format\": \"open-board-0.1\", \"id\": [1]}") }));
    try
    {
        ImportBoards(m_folder.Path("board.obz"), m_folder.Path("out.lmd"));
        ADD_FAILURE() << "the import did not fail";
    }
    catch (const obf::Error& e)
    {
        EXPECT_NE(std::string::npos, std::string(e.what()).find("boards/food.obf")) << e.what();
    }
    ExpectUntouched({ "board.obz", "food.lmd", "out.lmd" });
}

TEST_F(FailedImport, HostilePackagesAreRefusedWithTheirReason)
{
    using namespace obf_test;
    const std::vector<uint8_t> leaving = BuildZip({ StoredEntry("manifest.json", "{\"root\": \"../home.obf\"}") });
    const std::vector<uint8_t> notJson = BuildZip({ StoredEntry("manifest.json", "{\"root\": \"home.obf\"}"),
                                                    StoredEntry("home.obf", "[[[[") });
    for (const auto& package : { leaving, notJson, Bytes("PK not a zip at all") })
    {
        m_folder.Write("hostile.obz", package);
        EXPECT_THROW(ImportBoards(m_folder.Path("hostile.obz"), m_folder.Path("out.lmd")), obf::Error);
    }
    ExpectUntouched({ "food.lmd", "hostile.obz", "out.lmd" });
}

} // namespace
