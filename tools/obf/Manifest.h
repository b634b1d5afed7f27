// The manifest of a board package (manifest.json at the package's root): which board
// opens first, and where each board, image and sound of the package lies.
#pragma once

#include "Board.h"

#include <map>
#include <string>
#include <string_view>

namespace obf {

inline constexpr const char* kManifestPath = "manifest.json";

struct Manifest
{
    std::string format = kFormatVersion;
    std::string root; // the path of the board that opens first, canonical
    // id -> canonical path, for boards, images and sounds
    std::map<std::string, std::string> boards;
    std::map<std::string, std::string> images;
    std::map<std::string, std::string> sounds;

    bool operator==(const Manifest&) const = default;
};

// Reads manifest text. Throws obf::Error for text that is no JSON or nests too deep,
// a field of the wrong type, a missing root, or a path that leaves the package.
Manifest ParseManifest(std::string_view text);

// Writes a manifest as indented JSON text.
std::string WriteManifest(const Manifest& manifest);

} // namespace obf
