// Paths inside a board package: refused when they could leave it.
#include "PackagePath.h"

#include "ObfError.h"

namespace obf {

namespace {

[[noreturn]] void Refuse(std::string_view path, const char* why)
{
    throw Error("the path \"" + std::string(path) + "\" " + why);
}

} // namespace

std::string CheckPackagePath(std::string_view path)
{
    if (path.empty())
        Refuse(path, "is empty");
    if (path.front() == '/' || path.front() == '\\')
        Refuse(path, "is absolute");
    std::string canonical;
    size_t start = 0;
    while (start <= path.size()) {
        size_t end = path.find_first_of("/\\", start);
        if (end == std::string_view::npos)
            end = path.size();
        std::string_view component = path.substr(start, end - start);
        start = end + 1;
        if (component.empty() || component == ".")
            continue;
        if (component == "..")
            Refuse(path, "leaves the package");
        for (char c : component) {
            if (c == ':')
                Refuse(path, "names a drive or stream");
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
                Refuse(path, "holds a control character");
        }
        if (!canonical.empty())
            canonical += '/';
        canonical += component;
    }
    if (canonical.empty())
        Refuse(path, "names no file");
    return canonical;
}

} // namespace obf
