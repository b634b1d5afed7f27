// Writes the seed corpus of board_fuzz with the board and package writers: boards with
// every kind of field, a board as other programs write them (colours as #rgb, names and
// percentages; ids of images and sounds that only a manifest could supply), packages of
// boards, images and sounds, and packages made hostile by editing the written bytes (a
// path that leaves the package, a lying size, a bad CRC). Each seed's first byte picks
// the reader: 0 board text, 1 package.
// Usage: build-fuzz/make_board_seeds fuzz/corpus/board_fuzz
#include "tools/obf/Base64.h"
#include "tools/obf/Board.h"
#include "tools/obf/Package.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string g_dir;

void Save(const char* name, uint8_t reader, const std::vector<uint8_t>& bytes)
{
    std::string path = g_dir + "/" + name;
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) {
        perror(path.c_str());
        exit(1);
    }
    fputc(reader, f);
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

// A 2 x 3 board: labelled and coloured buttons, an empty cell, a link, images of each
// source kind and a sound.
obf::Board FullBoard()
{
    obf::Board board;
    board.id = "home";
    board.name = "Home";
    board.locale = "en";
    board.grid = {2, 3, {{"yes", "no", std::nullopt}, {"more", "eat", "drink"}}};
    board.buttons = {
        {"yes", "Yes", "", obf::Color{200, 255, 200, 255}, obf::Color{0, 128, 0, 255}, "i1", "s1", {}},
        {"no", "No", "no thanks", obf::Color{255, 200, 200, 128}, {}, "i2", "", {}},
        {"more", "More", "", {}, {}, "i3", "", obf::LoadBoard{"more", "boards/more.obf", "", "More"}},
        {"eat", "Eat", "", {}, {}, "i4", "", {}},
        {"drink", "Drink \xc3\xa9", "", {}, {}, "", "", {}},
    };
    const uint8_t dot[] = {0x89, 'P', 'N', 'G', 13, 10, 26, 10};
    board.images = {
        {"i1", obf::MakeDataUri("image/png", dot), "", "", {}, "image/png", 1, 1},
        {"i2", "", "images/no.png", "", {}, "image/png", 2, 2},
        {"i3", "", "", "https://example.org/more.png", {}, "image/png", 0, 0},
        {"i4", "", "", "", obf::Symbol{"arasaac", "eat.png"}, "", 0, 0},
    };
    board.sounds = {{"s1", "", "sounds/yes.wav", "", "audio/wav"}};
    return board;
}

obf::Board MoreBoard()
{
    obf::Board board;
    board.id = "more";
    board.name = "More";
    board.grid = {1, 2, {{"1", "2"}}};
    board.buttons = {{"1", "one", "", {}, {}, "", "", {}}, {"2", "", "", {}, {}, "", "", {}}};
    return board;
}

std::vector<uint8_t> Package()
{
    obf::PackageContents contents;
    contents.boards = {{"boards/home.obf", FullBoard()}, {"boards/more.obf", MoreBoard()}};
    obf::Board& home = contents.boards[0].board;
    home.images[0].data.clear();
    home.images[0].path = "images/yes.png";
    contents.files = {{"images/yes.png", std::vector<uint8_t>(64, 7)},
                      {"images/no.png", {0xab, 0xcd, 0xef}},
                      {"sounds/yes.wav", Bytes(std::string("RIFF\x24\0\0\0WAVEfmt ", 16))}};
    return obf::WritePackage(contents);
}

// Replaces every occurrence of `from` by `to` (of the same length) in the bytes.
std::vector<uint8_t> Edited(std::vector<uint8_t> bytes, const std::string& from, const std::string& to)
{
    if (from.size() != to.size())
        abort();
    for (auto it = bytes.begin();
         (it = std::search(it, bytes.end(), from.begin(), from.end())) != bytes.end();)
        it = std::copy(to.begin(), to.end(), it);
    return bytes;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: make_board_seeds DIR\n");
        return 2;
    }
    g_dir = argv[1];
    Save("full_board", 0, Bytes(obf::WriteBoard(FullBoard())));
    Save("small_board", 0, Bytes(obf::WriteBoard(MoreBoard())));
    Save("numeric_ids", 0,
         Bytes("{\"format\":\"open-board-0.1\",\"id\":7,\"grid\":{\"rows\":1,\"columns\":1,"
               "\"order\":[[1]]},\"buttons\":[{\"id\":1,\"label\":\"a\"}]}"));
    Save("wild_board", 0,
         Bytes("{\"id\":\"w\",\"grid\":{\"rows\":1,\"columns\":2,\"order\":[[1,2]]},\"buttons\":["
               "{\"id\":1,\"background_color\":\"#FA0\",\"border_color\":\"CornflowerBlue\",\"image_id\":9},"
               "{\"id\":2,\"background_color\":\"rgba(100%, 0%, 50%, 25%)\",\"border_color\":\"#12345678\","
               "\"sound_id\":\"s\"}]}"));
    Save("deep_nesting", 0, Bytes("{\"id\":\"x\",\"ext_a\":" + std::string(70, '[') + std::string(70, ']') + "}"));
    Save("manifest", 0, Bytes(obf::WriteManifest({"open-board-0.1", "boards/home.obf", {{"home", "boards/home.obf"}}, {}, {}})));

    std::vector<uint8_t> package = Package();
    Save("package", 1, package);
    Save("package_leaving", 1, Edited(package, "images/no.png", "../../o/n.png"));
    Save("package_backslash", 1, Edited(package, "sounds/yes.wav", "sounds\\..\\..\\y"));
    Save("package_bad_crc", 1, Edited(package, "\xab\xcd\xef", "\xab\xcd\xee"));
    return 0;
}
