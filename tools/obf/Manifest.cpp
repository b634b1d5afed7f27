// The package manifest to and from JSON text.
#include "Manifest.h"

#include "Board.h"
#include "JsonText.h"
#include "ObfError.h"

namespace obf {

using namespace json_text;

namespace {

std::map<std::string, std::string> ParsePaths(const Json& paths, const char* key)
{
    std::map<std::string, std::string> result;
    const Json* value = Member(paths, key);
    if (!value)
        return result;
    std::string where = std::string("paths.") + key;
    ExpectObject(*value, where);
    for (const auto& [id, path] : value->items()) {
        std::string pathWhere = where + "[\"" + id + "\"]";
        if (!path.is_string())
            throw Error(pathWhere + " must be a string, not " + path.type_name());
        result[id] = CheckedPath(path.get<std::string>(), pathWhere);
    }
    return result;
}

} // namespace

Manifest ParseManifest(std::string_view text)
{
    Json value = Parse(text, kMaxJsonDepth);
    ExpectObject(value, "the manifest");
    Manifest manifest;
    if (Member(value, "format"))
        manifest.format = StringMember(value, "format", "the manifest");
    std::string root = StringMember(value, "root", "the manifest");
    if (root.empty())
        throw Error("the manifest names no root board");
    manifest.root = CheckedPath(root, "the manifest's root");
    if (const Json* paths = Member(value, "paths")) {
        ExpectObject(*paths, "paths");
        manifest.boards = ParsePaths(*paths, "boards");
        manifest.images = ParsePaths(*paths, "images");
        manifest.sounds = ParsePaths(*paths, "sounds");
    }
    return manifest;
}

std::string WriteManifest(const Manifest& manifest)
{
    Json value = {{"format", manifest.format},
                  {"root", manifest.root},
                  {"paths",
                   {{"boards", manifest.boards},
                    {"images", manifest.images},
                    {"sounds", manifest.sounds}}}};
    return Dump(value);
}

} // namespace obf
