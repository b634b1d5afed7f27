// Reading and writing board packages.
#include "Package.h"

#include "ObfError.h"
#include "PackagePath.h"
#include "ZipWriter.h"

#include <set>

namespace obf {

namespace {

std::string AsText(const std::vector<uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

std::string Quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

// Adds id -> path to a manifest's map, refusing an id that already stands for another
// path.
void Enter(std::map<std::string, std::string>& paths, const std::string& id,
           const std::string& path, const char* kind)
{
    auto [entry, added] = paths.emplace(id, path);
    if (!added && entry->second != path)
        throw Error(std::string("the ") + kind + " id " + Quoted(id) + " stands for both " +
                    Quoted(entry->second) + " and " + Quoted(path));
}

Manifest MakeManifest(const PackageContents& contents, const std::set<std::string>& files)
{
    Manifest manifest;
    manifest.root = CheckPackagePath(contents.boards.front().path);
    std::set<std::string> boardPaths;
    for (const PackageBoard& entry : contents.boards)
        boardPaths.insert(CheckPackagePath(entry.path));
    auto requireFile = [&files](const std::string& path, const Board& board) {
        if (!files.count(path))
            throw Error("the board " + Quoted(board.id) + " refers to " + Quoted(path) +
                        ", which is not in the package");
    };
    for (const PackageBoard& entry : contents.boards) {
        const Board& board = entry.board;
        Enter(manifest.boards, board.id, CheckPackagePath(entry.path), "board");
        for (const Image& image : board.images)
            if (!image.path.empty()) {
                requireFile(image.path, board);
                Enter(manifest.images, image.id, image.path, "image");
            }
        for (const Sound& sound : board.sounds)
            if (!sound.path.empty()) {
                requireFile(sound.path, board);
                Enter(manifest.sounds, sound.id, sound.path, "sound");
            }
        for (const Button& button : board.buttons)
            if (button.load_board && !button.load_board->path.empty() &&
                !boardPaths.count(button.load_board->path))
                throw Error("the board " + Quoted(board.id) + " links to " +
                            Quoted(button.load_board->path) + ", which is not in the package");
    }
    return manifest;
}

} // namespace

PackageReader::PackageReader(std::vector<uint8_t> package, const ZipLimits& limits)
    : m_zip(std::move(package), limits)
{
    if (!m_zip.Find(kManifestPath))
        throw Error(std::string("the package has no ") + kManifestPath);
    try {
        m_manifest = ParseManifest(AsText(m_zip.Read(kManifestPath)));
    } catch (const Error& e) {
        throw Error(std::string(kManifestPath) + ": " + e.what());
    }
}

bool PackageReader::HasFile(std::string_view path) const
{
    const ZipEntry* entry = m_zip.Find(path);
    return entry && !entry->IsFolder();
}

Board PackageReader::ReadBoard(std::string_view path) const
{
    std::vector<uint8_t> text = ReadFile(path);
    try {
        return ParseBoard(AsText(text));
    } catch (const Error& e) {
        throw Error(std::string(path) + ": " + e.what());
    }
}

std::vector<uint8_t> PackageReader::ReadFile(std::string_view path) const
{
    return m_zip.Read(path);
}

std::vector<uint8_t> WritePackage(const PackageContents& contents)
{
    if (contents.boards.empty())
        throw Error("a package needs at least one board");
    std::set<std::string> files;
    for (const PackageFile& file : contents.files)
        files.insert(CheckPackagePath(file.path));
    Manifest manifest = MakeManifest(contents, files);

    ZipWriter zip;
    auto addText = [&zip](const std::string& path, const std::string& text) {
        zip.Add(path, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    };
    addText(kManifestPath, WriteManifest(manifest));
    for (const PackageBoard& entry : contents.boards)
        addText(entry.path, WriteBoard(entry.board));
    for (const PackageFile& file : contents.files)
        zip.Add(file.path, file.bytes);
    return zip.Finish();
}

} // namespace obf
