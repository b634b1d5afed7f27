// Packages: boards and their files written and read back through the manifest, and
// packages that the writer must not make or the reader must refuse.
#include "ObfError.h"
#include "Package.h"
#include "RawZip.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> Bytes(const std::string& text)
{
    return std::vector<uint8_t>(text.begin(), text.end());
}

obf::Board HomeBoard()
{
    obf::Board board;
    board.id = "home";
    board.name = "Home";
    board.grid = {1, 2, {{"go", "hi"}}};
    board.buttons = {
        {"go", "Go", "", {}, {}, "pic", "", obf::LoadBoard{"next", "boards/next.obf", "", "Next"}},
        {"hi", "Hi", "", {}, {}, "", "hello", {}},
    };
    board.images = {{"pic", "", "images/go.png", "", {}, "image/png", 4, 4}};
    board.sounds = {{"hello", "", "sounds/hello.wav", "", "audio/wav"}};
    return board;
}

obf::Board NextBoard()
{
    obf::Board board;
    board.id = "next";
    board.name = "Next";
    board.grid = {1, 1, {{"back"}}};
    board.buttons = {{"back", "Back", "", {}, {}, "pic", "", obf::LoadBoard{"home", "home.obf", "", ""}}};
    board.images = {{"pic", "", "images/go.png", "", {}, "image/png", 4, 4}};
    return board;
}

obf::PackageContents Contents()
{
    obf::PackageContents contents;
    contents.boards = {{"home.obf", HomeBoard()}, {"boards/next.obf", NextBoard()}};
    contents.files = {{"images/go.png", Bytes("\x89PNG fake")}, {"sounds/hello.wav", Bytes("RIFF fake")}};
    return contents;
}

std::string WriteRefusal(const obf::PackageContents& contents)
{
    try {
        obf::WritePackage(contents);
        return "";
    } catch (const obf::Error& e) {
        return e.what();
    }
}

std::string ReadRefusal(std::vector<uint8_t> package)
{
    try {
        obf::PackageReader reader(std::move(package));
        reader.ReadRoot();
        return "";
    } catch (const obf::Error& e) {
        return e.what();
    }
}

TEST(Package, WrittenPackageReadsBack)
{
    obf::PackageReader reader(obf::WritePackage(Contents()));
    const obf::Manifest& manifest = reader.GetManifest();
    EXPECT_EQ(manifest.format, obf::kFormatVersion);
    EXPECT_EQ(manifest.root, "home.obf");
    EXPECT_EQ(manifest.boards, (std::map<std::string, std::string>{{"home", "home.obf"}, {"next", "boards/next.obf"}}));
    EXPECT_EQ(manifest.images, (std::map<std::string, std::string>{{"pic", "images/go.png"}}));
    EXPECT_EQ(manifest.sounds, (std::map<std::string, std::string>{{"hello", "sounds/hello.wav"}}));

    EXPECT_EQ(reader.ReadRoot(), HomeBoard());
    EXPECT_EQ(reader.ReadBoard(reader.ReadRoot().buttons[0].load_board->path), NextBoard());
    EXPECT_EQ(reader.ReadFile("images/go.png"), Bytes("\x89PNG fake"));
    EXPECT_TRUE(reader.HasFile("sounds/hello.wav"));
    EXPECT_FALSE(reader.HasFile("sounds"));
    EXPECT_THROW(reader.ReadFile("../sounds/hello.wav"), obf::Error);
}

TEST(Package, ManifestReadsBackAndRefusesBadPaths)
{
    obf::Manifest manifest;
    manifest.root = "a/b.obf";
    manifest.boards = {{"b", "a/b.obf"}};
    manifest.sounds = {{"s", "s.wav"}};
    EXPECT_EQ(obf::ParseManifest(obf::WriteManifest(manifest)), manifest);
    EXPECT_EQ(obf::ParseManifest(R"({"root": "x.obf"})").root, "x.obf");

    struct Case
    {
        const char* text;
        const char* message;
    } cases[] = {
        {"{}", "names no root board"},
        {R"({"root": 5})", "root must be a string"},
        {R"({"root": "../x.obf"})", "the manifest's root: the path \"../x.obf\" leaves the package"},
        {R"({"root": "x.obf", "paths": []})", "paths must be an object"},
        {R"({"root": "x.obf", "paths": {"boards": {"b": 1}}})", "paths.boards[\"b\"] must be a string"},
        {R"({"root": "x.obf", "paths": {"images": {"i": "/x.png"}}})", "paths.images[\"i\"]: the path"},
        {"[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[", "nests deeper"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            obf::ParseManifest(c.text);
            ADD_FAILURE() << "accepted";
        } catch (const obf::Error& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

TEST(Package, WriterRefusesBrokenPackages)
{
    EXPECT_NE(WriteRefusal({}).find("at least one board"), std::string::npos);

    obf::PackageContents missingFile = Contents();
    missingFile.files.pop_back();
    EXPECT_NE(WriteRefusal(missingFile).find("refers to \"sounds/hello.wav\", which is not in the package"),
              std::string::npos);

    obf::PackageContents missingBoard = Contents();
    missingBoard.boards.pop_back();
    EXPECT_NE(WriteRefusal(missingBoard).find("links to \"boards/next.obf\""), std::string::npos);

    obf::PackageContents twoPaths = Contents();
    twoPaths.boards[1].board.images[0].path = "images/other.png";
    twoPaths.files.push_back({"images/other.png", Bytes("x")});
    EXPECT_NE(WriteRefusal(twoPaths).find("the image id \"pic\" stands for both"), std::string::npos);

    obf::PackageContents repeated = Contents();
    repeated.files.push_back({"images\\go.png", Bytes("again")});
    EXPECT_NE(WriteRefusal(repeated).find("twice"), std::string::npos);

    obf::PackageContents leaving = Contents();
    leaving.files.push_back({"../evil", Bytes("x")});
    EXPECT_NE(WriteRefusal(leaving).find("leaves the package"), std::string::npos);
}

// A package as Python's zipfile module streams it: deflated entries whose sizes and
// CRCs follow their data in data descriptors, and a folder entry.
const uint8_t kStreamedPackage[] = {
    0x50, 0x4b, 0x03, 0x04, 0x14, 0x00, 0x08, 0x00, 0x08, 0x00, 0xdd, 0x6e, 0x89, 0x5d, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x0d, 0x00, 0x00, 0x00, 0x6d, 0x61,
    0x6e, 0x69, 0x66, 0x65, 0x73, 0x74, 0x2e, 0x6a, 0x73, 0x6f, 0x6e, 0xab, 0x56, 0x2a, 0xca, 0xcf,
    0x2f, 0x51, 0xb2, 0x52, 0x4a, 0xd2, 0xcb, 0x4f, 0x4a, 0x53, 0xaa, 0x05, 0x00, 0x50, 0x4b, 0x07,
    0x08, 0x52, 0x10, 0x80, 0x5a, 0x12, 0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x50, 0x4b, 0x03,
    0x04, 0x14, 0x00, 0x08, 0x00, 0x08, 0x00, 0x00, 0x00, 0x21, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x62, 0x2e, 0x6f, 0x62, 0x66,
    0xab, 0x56, 0xca, 0x4c, 0x51, 0xb2, 0x52, 0x4a, 0x52, 0xd2, 0x51, 0x4a, 0x2f, 0x02, 0x31, 0xab,
    0x6b, 0x6b, 0x15, 0x88, 0x04, 0x00, 0x50, 0x4b, 0x07, 0x08, 0x6d, 0x95, 0xc4, 0x5b, 0x16, 0x00,
    0x00, 0x00, 0x3c, 0x00, 0x00, 0x00, 0x50, 0x4b, 0x03, 0x04, 0x14, 0x00, 0x08, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x21, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x07, 0x00, 0x00, 0x00, 0x69, 0x6d, 0x61, 0x67, 0x65, 0x73, 0x2f, 0x50, 0x4b, 0x07, 0x08, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x50, 0x4b, 0x01, 0x02, 0x14,
    0x03, 0x14, 0x00, 0x08, 0x00, 0x08, 0x00, 0xdd, 0x6e, 0x89, 0x5d, 0x52, 0x10, 0x80, 0x5a, 0x12,
    0x00, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x0d, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x80, 0x01, 0x00, 0x00, 0x00, 0x00, 0x6d, 0x61, 0x6e, 0x69, 0x66, 0x65, 0x73,
    0x74, 0x2e, 0x6a, 0x73, 0x6f, 0x6e, 0x50, 0x4b, 0x01, 0x02, 0x14, 0x03, 0x14, 0x00, 0x08, 0x00,
    0x08, 0x00, 0x00, 0x00, 0x21, 0x00, 0x6d, 0x95, 0xc4, 0x5b, 0x16, 0x00, 0x00, 0x00, 0x3c, 0x00,
    0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x80, 0x01,
    0x4d, 0x00, 0x00, 0x00, 0x62, 0x2e, 0x6f, 0x62, 0x66, 0x50, 0x4b, 0x01, 0x02, 0x14, 0x03, 0x14,
    0x00, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x21, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x07, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
    0x00, 0x80, 0x01, 0x96, 0x00, 0x00, 0x00, 0x69, 0x6d, 0x61, 0x67, 0x65, 0x73, 0x2f, 0x50, 0x4b,
    0x05, 0x06, 0x00, 0x00, 0x00, 0x00, 0x03, 0x00, 0x03, 0x00, 0xa3, 0x00, 0x00, 0x00, 0xcb, 0x00,
    0x00, 0x00, 0x00, 0x00,
};

TEST(Package, ReadsAStreamedPackage)
{
    obf::PackageReader reader(std::vector<uint8_t>(std::begin(kStreamedPackage), std::end(kStreamedPackage)));
    EXPECT_EQ(reader.GetManifest().root, "b.obf");
    EXPECT_EQ(reader.ReadRoot().id, "b");
    ASSERT_EQ(reader.Zip().Entries().size(), 3u);
    EXPECT_TRUE(reader.Zip().Entries()[2].IsFolder());
    EXPECT_EQ(reader.ReadFile("b.obf").size(), 60u);
}

TEST(Package, ReaderRefusesBrokenPackages)
{
    using obf_test::BuildZip;
    using obf_test::StoredEntry;
    const std::string board = R"({"id": "b", "grid": {}})";
    EXPECT_EQ(ReadRefusal(BuildZip({StoredEntry("manifest.json", R"({"root": "b.obf"})"),
                                    StoredEntry("b.obf", board)})),
              "");
    EXPECT_NE(ReadRefusal(BuildZip({StoredEntry("b.obf", board)})).find("has no manifest.json"),
              std::string::npos);
    EXPECT_NE(ReadRefusal(BuildZip({StoredEntry("manifest.json", "{")})).find("manifest.json: the text is no valid JSON"),
              std::string::npos);
    EXPECT_NE(ReadRefusal(BuildZip({StoredEntry("manifest.json", R"({"root": "b.obf"})")})).find("no file \"b.obf\""),
              std::string::npos);
    EXPECT_NE(ReadRefusal(BuildZip({StoredEntry("manifest.json", R"({"root": "b.obf"})"),
                                    StoredEntry("b.obf", R"({"grid": {}})")}))
                  .find("b.obf: the board has no id"),
              std::string::npos);
}

} // namespace
