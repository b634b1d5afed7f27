// Board packages (.obz): a zip holding manifest.json, boards, images and sounds.
//
// PackageReader opens a package's bytes through ZipReader (with its checks against
// hostile packages) and reads its manifest; boards and files are read from it on
// demand. WritePackage makes a package from boards and the files they refer to, with
// a manifest built from them.
#pragma once

#include "Board.h"
#include "Manifest.h"
#include "ZipReader.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace obf {

class PackageReader
{
public:
    // Checks the package's directory and reads its manifest; throws obf::Error.
    explicit PackageReader(std::vector<uint8_t> package, const ZipLimits& limits = {});

// Attributes
    const Manifest& GetManifest() const { return m_manifest; }
    const ZipReader& Zip() const { return m_zip; }
    // Whether the package holds a file at path (a path that leaves the package throws).
    bool HasFile(std::string_view path) const;

// Operations: each throws obf::Error, naming the path.
    // The board that opens first (the manifest's root).
    Board ReadRoot() const { return ReadBoard(m_manifest.root); }
    Board ReadBoard(std::string_view path) const;
    // Any file's bytes: an image's or sound's path.
    std::vector<uint8_t> ReadFile(std::string_view path) const;

private:
    ZipReader m_zip;
    Manifest m_manifest;
};

// A file of a package besides boards and manifest: an image or a sound.
struct PackageFile
{
    std::string path;
    std::vector<uint8_t> bytes;
};

struct PackageBoard
{
    std::string path; // where the board lies in the package ("boards/home.obf")
    Board board;
};

struct PackageContents
{
    std::vector<PackageBoard> boards; // the first is the root
    std::vector<PackageFile> files;
};

// Writes the package: manifest.json, then the boards, then the files. The manifest's
// root is the first board; its paths list each board, and each image and sound that a
// board refers to by path, by id. Throws obf::Error when there is no board, a path
// repeats or leaves the package, a board's image, sound or load_board path names no
// file or board of the package, or one id stands for two different paths.
std::vector<uint8_t> WritePackage(const PackageContents& contents);

} // namespace obf
