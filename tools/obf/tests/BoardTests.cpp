// Boards: what the writer writes reads back the same, boards of other programs read,
// and hostile or broken board text is refused with a message naming the fault.
#include "Board.h"
#include "ImageSource.h"
#include "ObfError.h"

#include <gtest/gtest.h>

namespace {

obf::Board SampleBoard()
{
    obf::Board board;
    board.id = "b1";
    board.name = "Breakfast \xe2\x80\x93 caf\xc3\xa9";
    board.locale = "fr";
    board.grid = {2, 2, {{"toast", std::nullopt}, {"tea", "more"}}};
    board.buttons = {
        {"toast", "Toast", "", obf::Color{255, 255, 200, 255}, obf::Color{0, 0, 0, 255}, "img", "snd", {}},
        {"tea", "", "a cup of tea", obf::Color{1, 2, 3, 51}, {}, "", "", {}},
        {"more", "More", "", {}, {}, "sym", "", obf::LoadBoard{"b2", "boards/more.obf", "http://x/y", "More"}},
    };
    board.images = {
        {"img", "data:image/png;base64,iVBORw0KGgo=", "", "", {}, "image/png", 16, 16},
        {"sym", "", "images/sym.png", "http://x/sym.png", obf::Symbol{"set", "file.svg"}, "", 0, 0},
    };
    board.sounds = {{"snd", "", "sounds/toast.wav", "", "audio/wav"}};
    return board;
}

// The message a board text is refused with, or "" when it reads.
std::string Refusal(const std::string& text)
{
    try {
        obf::ParseBoard(text);
        return "";
    } catch (const obf::Error& e) {
        return e.what();
    }
}

TEST(Board, WrittenBoardReadsBackTheSame)
{
    obf::Board board = SampleBoard();
    std::string text = obf::WriteBoard(board);
    EXPECT_EQ(obf::ParseBoard(text), board) << text;
    EXPECT_NE(text.find("\"rgba(1, 2, 3, 0.200)\""), std::string::npos) << text;
    EXPECT_NE(text.find("[\n        \"toast\",\n        null\n      ]"), std::string::npos)
        << "an empty cell is written as null:\n"
        << text;

    obf::Board empty;
    empty.id = "e";
    EXPECT_EQ(obf::ParseBoard(obf::WriteBoard(empty)), empty);
}

TEST(Board, ReadsWhatOtherProgramsWrite)
{
    // Numeric ids, nulls for absent fields, fields the model skips, no format.
    obf::Board board = obf::ParseBoard(R"({
        "id": 12, "name": "Other", "license": {"type": "CC-BY"}, "ext_maker_theme": [1, [2, [3]]],
        "grid": {"rows": 1, "columns": 3, "order": [[1, "2", null]]},
        "buttons": [{"id": 1, "label": "one", "image_id": 5, "sound_id": null, "hidden": false,
                     "action": ":space", "ext_x": {}},
                    {"id": "2", "label": null, "background_color": " rgb(0,0,0) "}],
        "images": [{"id": 5, "url": "https://x/one.png", "width": 10, "height": 20}],
        "sounds": null})");
    EXPECT_EQ(board.format, obf::kFormatVersion);
    EXPECT_EQ(board.id, "12");
    ASSERT_EQ(board.buttons.size(), 2u);
    EXPECT_EQ(board.buttons[0].image_id, "5");
    EXPECT_EQ(board.FindImage("5")->height, 20);
    EXPECT_EQ(board.buttons[1].label, "");
    EXPECT_EQ(board.buttons[1].background_color, (obf::Color{0, 0, 0, 255}));
    EXPECT_EQ(board.grid.order[0][0], "1");
    EXPECT_FALSE(board.grid.order[0][2]);
    EXPECT_EQ(board.FindButton("3"), nullptr);
}

TEST(Board, ButtonsMayNameImagesAndSoundsThatOnlyThePackageHas)
{
    // A package's manifest may supply what the board lacks; the ids are kept as given
    // and are written back.
    obf::Board board = obf::ParseBoard(R"({
        "id": "x", "grid": {"rows": 1, "columns": 2, "order": [["a", "b"]]},
        "buttons": [{"id": "a", "image_id": 7, "sound_id": "s9", "background_color": "#FFF"},
                    {"id": "b", "image_id": "img", "border_color": "SteelBlue"}],
        "images": [{"id": "img", "path": "images/b.png"}]})");
    EXPECT_EQ(board.buttons[0].image_id, "7");
    EXPECT_EQ(board.buttons[0].sound_id, "s9");
    EXPECT_EQ(board.FindImage("7"), nullptr);
    EXPECT_EQ(board.FindSound("s9"), nullptr);
    EXPECT_NE(board.FindImage("img"), nullptr);
    EXPECT_EQ(board.buttons[0].background_color, (obf::Color{255, 255, 255, 255}));
    EXPECT_EQ(board.buttons[1].border_color, (obf::Color{70, 130, 180, 255}));
    EXPECT_EQ(obf::ParseBoard(obf::WriteBoard(board)), board);
}

TEST(Board, RefusesBrokenBoards)
{
    const std::string grid = R"("grid": {"rows": 1, "columns": 1, "order": [["a"]]})";
    const std::string button = R"("buttons": [{"id": "a"}])";
    struct Case
    {
        std::string text;
        const char* message;
    } cases[] = {
        {"", "no valid JSON"},
        {"{\"id\": \"x\", ", "no valid JSON"},
        {"{\"id\": \"x\"} trailing", "no valid JSON"},
        {"{\"id\": \"\xff\"}", "no valid JSON"},
        {"[]", "the board must be an object, not array"},
        {"{" + grid + "," + button + "}", "the board has no id"},
        {R"({"id": "x", "buttons": []})", "the board has no grid"},
        {R"({"id": "x", "format": "some-other", "grid": {}})", "not an open board format"},
        {R"({"id": "x", "format": 1, "grid": {}})", "format must be a string, not number"},
        {R"({"id": true, "grid": {}})", "the board.id must be a string, not boolean"},
        {R"({"id": 1.5, "grid": {}})", "the board.id must be a string, not number"},
        {R"({"id": "x", "name": ["a"], "grid": {}})", "the board.name must be a string, not array"},
        {R"({"id": "x", "grid": [], "buttons": []})", "grid must be an object, not array"},
        {R"({"id": "x", "grid": {"rows": "1"}})", "grid.rows must be a whole number, not string"},
        {R"({"id": "x", "grid": {"rows": -1}})", "grid.rows must lie in 0..1000"},
        {R"({"id": "x", "grid": {"rows": 1e3}})", "grid.rows must be a whole number"},
        {R"({"id": "x", "grid": {"rows": 18446744073709551615}})", "grid.rows must lie in 0..1000"},
        {R"({"id": "x", "grid": {"rows": 1000, "columns": 11}})", "more than the 10000 allowed"},
        {R"({"id": "x", "grid": {"rows": 2, "columns": 1, "order": [["a"]]}, )" + button + "}",
         "grid.order has 1 rows, grid.rows says 2"},
        {R"({"id": "x", "grid": {"rows": 1, "columns": 2, "order": [["a"]]}, )" + button + "}",
         "grid.order[0] has 1 cells, grid.columns says 2"},
        {R"({"id": "x", "grid": {"rows": 1, "columns": 1, "order": ["a"]}, )" + button + "}",
         "grid.order[0] must be an array, not string"},
        {R"({"id": "x", "grid": {"rows": 1, "columns": 1, "order": [[{}]]}, )" + button + "}",
         "grid.order[0][0] must be a button id or null, not object"},
        {R"({"id": "x", "grid": {"rows": 1, "columns": 1, "order": [["b"]]}, )" + button + "}",
         "grid.order[0][0] names the button \"b\", which the board lacks"},
        {R"({"id": "x", )" + grid + R"(, "buttons": {"id": "a"}})", "the board.buttons must be an array, not object"},
        {R"({"id": "x", )" + grid + R"(, "buttons": ["a"]})", "buttons[0] must be an object, not string"},
        {R"({"id": "x", )" + grid + R"(, "buttons": [{"label": "a"}]})", "buttons[0] has no id"},
        {R"({"id": "x", )" + grid + R"(, "buttons": [{"id": ""}]})", "buttons[0].id is empty"},
        {R"({"id": "x", )" + grid + R"(, "buttons": [{"id": "a"}, {"id": "a"}]})",
         "buttons[1].id \"a\" repeats an earlier id"},
        {R"({"id": "x", )" + grid + R"(, "buttons": [{"id": 1}, {"id": "1"}]})", "repeats an earlier id"},
        {R"({"id": "x", )" + grid + R"(, "buttons": [{"id": "a", "label": 5}]})",
         "buttons[0].label must be a string, not number"},
        {R"({"id": "x", )" + grid + R"(, "buttons": [{"id": "a", "background_color": "bleu"}]})",
         "buttons[0].background_color: \"bleu\" is no colour"},
        {R"({"id": "x", )" + grid + R"(, "buttons": [{"id": "a", "image_id": ["i"]}]})",
         "buttons[0].image_id must be a string, not array"},
        {R"({"id": "x", )" + grid + R"(, "buttons": [{"id": "a", "load_board": "b"}]})",
         "buttons[0].load_board must be an object, not string"},
        {R"({"id": "x", )" + grid + R"(, "buttons": [{"id": "a", "load_board": {"path": "../b.obf"}}]})",
         "buttons[0].load_board.path: the path \"../b.obf\" leaves the package"},
        {R"({"id": "x", )" + grid + "," + button + R"(, "images": [{"id": "i"}, {"id": "i"}]})",
         "images[1].id \"i\" repeats an earlier id"},
        {R"({"id": "x", )" + grid + "," + button + R"(, "images": [{"id": "i", "path": "/etc/x"}]})",
         "images[0].path: the path \"/etc/x\" is absolute"},
        {R"({"id": "x", )" + grid + "," + button + R"(, "images": [{"id": "i", "path": "C:\\x.png"}]})",
         "images[0].path: the path \"C:\\x.png\" names a drive"},
        {R"({"id": "x", )" + grid + "," + button + R"(, "images": [{"id": "i", "width": -5}]})",
         "images[0].width must lie in 0..1048576"},
        {R"({"id": "x", )" + grid + "," + button + R"(, "images": [{"id": "i", "symbol": "s"}]})",
         "images[0].symbol must be an object, not string"},
        {R"({"id": "x", )" + grid + "," + button + R"(, "sounds": [{"url": "u"}]})", "sounds[0] has no id"},
        {R"({"id": "x", )" + grid + "," + button + R"(, "sounds": [{"id": "s", "data": 1}]})",
         "sounds[0].data must be a string, not number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string refusal = Refusal(c.text);
        EXPECT_NE(refusal.find(c.message), std::string::npos) << "refused with: " << refusal;
    }
}

TEST(Board, RefusesDeepNestingBeforeParsing)
{
    std::string deep = R"({"id": "x", "ext_deep": )" + std::string(100000, '[') + std::string(100000, ']') + "}";
    EXPECT_NE(Refusal(deep).find("nests deeper than 64 levels"), std::string::npos);
    // Also when the text is cut off inside the nesting.
    EXPECT_NE(Refusal(std::string(100000, '{')).find("nests deeper"), std::string::npos);

    // Brackets inside strings are text, not nesting.
    std::string brackets = std::string(1000, '[') + "\\\"" + std::string(1000, '{');
    obf::Board board = obf::ParseBoard(R"({"id": "x", "name": ")" + brackets + R"(", "grid": {}})");
    EXPECT_EQ(board.name, std::string(1000, '[') + "\"" + std::string(1000, '{'));
    std::string sixtyFour = std::string(63, '[') + std::string(63, ']');
    EXPECT_EQ(Refusal(R"({"id": "x", "grid": {}, "ext": )" + sixtyFour + "}"), "");
}

TEST(Board, WriterRefusesTextThatIsNotUtf8)
{
    obf::Board board;
    board.id = "x";
    board.name = "caf\xe9"; // Windows-1252, not UTF-8
    EXPECT_THROW(obf::WriteBoard(board), obf::Error);
}

TEST(Board, ImageSourcesInOrderOfPreference)
{
    using S = obf::ImageSource;
    obf::Image image;
    image.id = "i";
    EXPECT_TRUE(obf::PreferredImageSources(image).empty());
    image.symbol = obf::Symbol{"s", "f"};
    image.url = "http://x";
    EXPECT_EQ(obf::PreferredImageSources(image), (std::vector<S>{S::Url, S::Symbol}));
    image.path = "a.png";
    EXPECT_EQ(obf::PreferredImageSources(image), (std::vector<S>{S::Path, S::Url, S::Symbol}));
    image.data = "data:,x";
    EXPECT_EQ(obf::PreferredImageSources(image), (std::vector<S>{S::Data, S::Path, S::Url, S::Symbol}));
}

} // namespace
